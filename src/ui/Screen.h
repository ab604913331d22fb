#pragma once

// The base of the eight screens: a table of panels in drawing and input order, and a background
// tiled downwards from the canvas's top.

#include <memory>
#include <utility>
#include <vector>

#include "ui/Panel.h"

namespace valmore {

class CScreen {
public:
    static constexpr int kMaxPanels = 100;

    explicit CScreen(IViewHost& owner);
    virtual ~CScreen();
    CScreen(const CScreen&) = delete;
    CScreen& operator=(const CScreen&) = delete;

    // Default: every panel in table order. Screens draw their background first, then call this.
    virtual void Draw(CCanvas& dc);
    // Creates the panels; each screen's constructor calls it once.
    virtual void Layout();
    // Called every time the screen becomes current.
    virtual void Activate();
    // Keys, after the main view's own (Escape for the practice run); true when used.
    virtual bool OnKeyDown(int key);

    // Black fill of the clip box, then the background bitmap tiled downwards at its own size.
    void DrawBackground(CCanvas& dc) const;

    // Mouse dispatch: moves reach every panel; presses and releases reach every panel whose
    // rectangle contains the point, in table order.
    void MouseMove(Point point);
    void MouseDown(unsigned flags, int x, int y);
    void MouseUp(unsigned flags, int x, int y);

    // Appends a panel to the table (at most kMaxPanels) and returns it.
    template <class T, class... Args>
    T* AddPanel(Args&&... args) {
        auto panel = std::make_unique<T>(std::forward<Args>(args)...);
        T* raw = panel.get();
        Append(std::move(panel));
        return raw;
    }
    const std::vector<std::unique_ptr<CPanel>>& Panels() const { return panels_; }
    IViewHost& Owner() const { return owner_; }

    int backgroundBitmap = kSkinBackground;

protected:
    IViewHost& owner_;

private:
    void Append(std::unique_ptr<CPanel> panel);

    std::vector<std::unique_ptr<CPanel>> panels_;
};

}  // namespace valmore
