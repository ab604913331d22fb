#include "ui/PanelTable.h"

namespace valmore {

void CPanelTable::Draw(CCanvas& canvas) const {
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        CCanvas::StateGuard state(canvas);
        panels_[i]->Draw(canvas);
    }
}

// The loops index the table afresh each time, so a handler that adds a panel does not invalidate
// the iteration.
void CPanelTable::MouseMove(Point point) const {
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        CPanel& panel = *panels_[i];
        if (panel.visible) panel.OnMouseMove(point);
    }
}

void CPanelTable::MouseDown(unsigned flags, int x, int y) const {
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        CPanel& panel = *panels_[i];
        if (panel.visible && panel.GetRect().Contains(x, y)) panel.OnMouseDown(flags, x, y);
    }
}

bool CPanelTable::MouseUp(unsigned flags, int x, int y) const {
    bool taken = false;
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        CPanel& panel = *panels_[i];
        if (panel.visible && panel.GetRect().Contains(x, y)) {
            panel.OnMouseUp(flags, x, y);
            taken = true;
        }
    }
    return taken;
}

bool CPanelTable::KeyDown(int key) const {
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        CPanel& panel = *panels_[i];
        if (panel.visible && panel.OnKeyDown(key)) return true;
    }
    return false;
}

// The table is designed for a hundred panels; it grows past that rather than drop a panel whose
// pointer the caller already holds.
void CPanelTable::Append(std::unique_ptr<CPanel> panel) {
    if (panel) panels_.push_back(std::move(panel));
}

}  // namespace valmore
