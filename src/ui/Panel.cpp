#include "ui/Panel.h"

#include "ui/Skin.h"

namespace valmore {

CPanel::CPanel(IViewHost& owner) : owner_(owner) {}

CPanel::~CPanel() = default;

void CPanel::Draw(CCanvas&) {}

void CPanel::OnMouseMove(Point point) {
    const bool inside = rect_.Contains(point);
    if (inside && !hover) {
        owner_.Invalidate(rect_);
        hover = true;
    } else if (!inside && hover) {
        owner_.Invalidate(rect_);
        hover = false;
    }
}

void CPanel::OnMouseUp(unsigned, int, int) {}

void CPanel::OnMouseDown(unsigned, int, int) {}

bool CPanel::OnKeyDown(int) {
    return false;
}

void CPanel::SetRect(int x, int y, int width, int height) {
    rect_ = Rect::FromSize(x, y, width, height);
    inner_ = Rect{rect_.left + insetLeft, rect_.top + insetTop, rect_.right - insetRight, rect_.bottom - insetBottom};
}

void CPanel::DrawBackground(CCanvas& dc) const {
    dc.DrawBitmap(owner_.Skin().Bitmap(backgroundBitmap), rect_.left, rect_.top);
}

}  // namespace valmore
