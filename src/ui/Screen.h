#pragma once

// The base of the eight screens: a table of panels in drawing and input order, and a background
// tiled downwards from the canvas's top.

#include <memory>
#include <utility>
#include <vector>

#include "ui/PanelTable.h"

namespace valmore {

class CScreen {
public:
    static constexpr int kMaxPanels = 100;

    explicit CScreen(IViewHost& owner);
    virtual ~CScreen();
    CScreen(const CScreen&) = delete;
    CScreen& operator=(const CScreen&) = delete;

    // Default: every panel in table order, each with the canvas state it found. Screens draw their
    // background first, then call this.
    virtual void Draw(CCanvas& dc);
    // Creates the panels; each screen's constructor calls it once.
    virtual void Layout();
    // Called every time the screen becomes current.
    virtual void Activate();
    // Keys, after the main view's own (Escape for the practice run); true when used.
    virtual bool OnKeyDown(int key);

    // Black fill of the clip box, then the background bitmap tiled downwards at its own size.
    void DrawBackground(CCanvas& dc) const;

    // Mouse dispatch through the panel table.
    void MouseMove(Point point);
    void MouseDown(unsigned flags, int x, int y);
    void MouseUp(unsigned flags, int x, int y);

    // Appends a panel to the table (at most kMaxPanels) and returns it.
    template <class T, class... Args>
    T* AddPanel(Args&&... args) {
        return panels_.Add<T>(std::forward<Args>(args)...);
    }
    const std::vector<std::unique_ptr<CPanel>>& Panels() const { return panels_.Panels(); }
    IViewHost& Owner() const { return owner_; }

    int backgroundBitmap = kSkinBackground;

protected:
    IViewHost& owner_;

private:
    CPanelTable panels_;
};

}  // namespace valmore
