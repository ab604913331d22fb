#pragma once

// A table of panels in drawing and input order: the screens hold their panels in one, and the
// popups their buttons. Mouse moves reach every visible panel; presses, releases and keys reach the
// visible panels whose rectangle holds the point, in table order.

#include <memory>
#include <utility>
#include <vector>

#include "ui/Panel.h"

namespace valmore {

class CPanelTable {
public:
    // Appends a panel (owned by the table) and returns it.
    template <class T, class... Args>
    T* Add(Args&&... args) {
        auto panel = std::make_unique<T>(std::forward<Args>(args)...);
        T* raw = panel.get();
        Append(std::move(panel));
        return raw;
    }

    // Every panel in table order, each with the canvas state it found, so no panel depends on what
    // the one before it selected or leaves its own settings to the next.
    void Draw(CCanvas& canvas) const;

    void MouseMove(Point point) const;
    void MouseDown(unsigned flags, int x, int y) const;
    // True when the point lay on a visible panel.
    bool MouseUp(unsigned flags, int x, int y) const;
    // True when a panel used the key.
    bool KeyDown(int key) const;

    const std::vector<std::unique_ptr<CPanel>>& Panels() const { return panels_; }

private:
    void Append(std::unique_ptr<CPanel> panel);

    std::vector<std::unique_ptr<CPanel>> panels_;
};

}  // namespace valmore
