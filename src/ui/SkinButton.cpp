#include "ui/SkinButton.h"

#include "platform/Sjis.h"
#include "ui/Skin.h"

namespace valmore {

namespace {

// Until its owner places it, a button sits in a small default box, so it is never empty.
constexpr Rect kDefaultRect{200, 100, 270, 124};
constexpr int kLabelFont = 11;

}  // namespace

CSkinButton::CSkinButton(IViewHost& owner) : CPanel(owner), label(Sj("ラベル")) {
    SetRect(kDefaultRect.left, kDefaultRect.top, kDefaultRect.Width(), kDefaultRect.Height());
}

CSkinButton::CSkinButton(IViewHost& owner, int upImage, int dnImage, int nonImage)
    : CPanel(owner), up(upImage), dn(dnImage), non(nonImage) {
    SetRect(kDefaultRect.left, kDefaultRect.top, kDefaultRect.Width(), kDefaultRect.Height());
}

int CSkinButton::CurrentImage() const {
    if (up < 0) return -1;
    // Without a disabled image a disabled button keeps looking like an enabled one.
    if (enabled || non < 0) return pressed ? dn : up;
    return non;
}

void CSkinButton::Draw(CCanvas& dc) {
    if (!visible) return;
    if (up >= 0) {
        const int image = CurrentImage();
        if (image >= 0) dc.DrawBitmap(owner_.Skin().Bitmap(image), rect_.left, rect_.top);
        return;
    }

    dc.SelectPen(Pen{});
    dc.SelectBrush(Brush::Solid(owner_.Skin().Colours().paper));
    dc.RoundRect(rect_, 5, 5);

    dc.SelectFont(owner_.Skin().Font(kLabelFont));
    dc.SetTextColour(enabled ? owner_.Skin().Colours().text : owner_.Skin().Colours().disabledLabel);
    // The label lies on the white box; no background colour left behind on the canvas shows.
    dc.SetBackgroundMode(BackgroundMode::Transparent);
    dc.DrawText(label, rect_, CCanvas::kCenter | CCanvas::kVCenter | CCanvas::kSingleLine);
}

void CSkinButton::OnMouseMove(Point point) {
    if (!visible) return;
    if (!toggle && pressed && !rect_.Contains(point)) {
        pressed = false;
        dirty = true;
        owner_.InvalidateAll();
    }
}

void CSkinButton::OnMouseDown(unsigned, int, int) {
    if (!visible) return;
    if (enabled && !toggle) pressed = true;
}

void CSkinButton::OnMouseUp(unsigned flags, int x, int y) {
    if (!visible || !enabled) return;
    if (toggle) {
        pressed = !pressed;
    } else {
        pressed = false;
    }
    if (onClick) onClick(flags, x, y, *this);
}

void CSkinButton::PlaceAt(int x, int y) {
    const CSkin& skin = owner_.Skin();
    SetRect(x, y, skin.Width(up), skin.Height(up));
}

}  // namespace valmore
