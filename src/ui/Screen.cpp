#include "ui/Screen.h"

#include "ui/Skin.h"
#include "ui/SkinButton.h"

namespace valmore {

namespace {

// A hidden button takes no input; every other panel takes what the dispatch offers it.
bool TakesInput(const CPanel& panel) {
    const auto* button = dynamic_cast<const CSkinButton*>(&panel);
    return !button || button->visible;
}

}  // namespace

CScreen::CScreen(IViewHost& owner) : owner_(owner) {}

CScreen::~CScreen() = default;

void CScreen::Draw(CCanvas& dc) {
    for (const auto& panel : panels_) panel->Draw(dc);
}

void CScreen::Layout() {}

void CScreen::Activate() {}

bool CScreen::OnKeyDown(int key) {
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        CPanel& panel = *panels_[i];
        if (TakesInput(panel) && panel.OnKeyDown(key)) return true;
    }
    return false;
}

void CScreen::DrawBackground(CCanvas& dc) const {
    const Rect clip = dc.ClipBox();
    dc.FillSolid(clip, Rgb{0, 0, 0});
    const CBitmap& bitmap = owner_.Skin().Bitmap(backgroundBitmap);
    // A missing background has no height to step by; the black fill stands in for it.
    if (bitmap.Height() <= 0) return;
    for (int y = 0; y < clip.bottom; y += bitmap.Height()) dc.DrawBitmap(bitmap, 0, y);
}

// The loops index the table afresh each time, so a handler that adds a panel does not invalidate
// the iteration.
void CScreen::MouseMove(Point point) {
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        CPanel& panel = *panels_[i];
        if (TakesInput(panel)) panel.OnMouseMove(point);
    }
}

void CScreen::MouseDown(unsigned flags, int x, int y) {
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        CPanel& panel = *panels_[i];
        if (TakesInput(panel) && panel.GetRect().Contains(x, y)) panel.OnMouseDown(flags, x, y);
    }
}

void CScreen::MouseUp(unsigned flags, int x, int y) {
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        CPanel& panel = *panels_[i];
        if (TakesInput(panel) && panel.GetRect().Contains(x, y)) panel.OnMouseUp(flags, x, y);
    }
}

// The table is designed for kMaxPanels; it grows past that rather than drop a panel whose pointer
// the caller already holds.
void CScreen::Append(std::unique_ptr<CPanel> panel) {
    if (panel) panels_.push_back(std::move(panel));
}

}  // namespace valmore
