#include "ui/Screen.h"

#include "ui/Skin.h"

namespace valmore {

CScreen::CScreen(IViewHost& owner) : owner_(owner) {}

CScreen::~CScreen() = default;

void CScreen::Draw(CCanvas& dc) {
    panels_.Draw(dc);
}

void CScreen::Layout() {}

void CScreen::Activate() {}

bool CScreen::OnKeyDown(int key) {
    return panels_.KeyDown(key);
}

void CScreen::DrawBackground(CCanvas& dc) const {
    const Rect clip = dc.ClipBox();
    dc.FillSolid(clip, owner_.Skin().Colours().backdrop);
    const CBitmap& bitmap = owner_.Skin().Bitmap(backgroundBitmap);
    // A missing background has no height to step by; the black fill stands in for it.
    if (bitmap.Height() <= 0) return;
    for (int y = 0; y < clip.bottom; y += bitmap.Height()) dc.DrawBitmap(bitmap, 0, y);
}

void CScreen::MouseMove(Point point) {
    panels_.MouseMove(point);
}

void CScreen::MouseDown(unsigned flags, int x, int y) {
    panels_.MouseDown(flags, x, y);
}

void CScreen::MouseUp(unsigned flags, int x, int y) {
    panels_.MouseUp(flags, x, y);
}

}  // namespace valmore
