#include "tutorial/BalloonStep.h"

#include <utility>

#include "platform/Sjis.h"
#include "ui/Palette.h"

namespace valmore {

namespace {

constexpr int kCornerEllipse = 10;
constexpr Pen kOutline{PenStyle::Solid, 2, kPalette.balloonFrame};
constexpr int kFooterRightGap = 16;
constexpr int kFooterBottomGap = 4;

}  // namespace

CBalloonStep::CBalloonStep(int group, const Rect& placement, Size canvas, const Condition& condition, bool run,
                           bool clicks, Footer footer, std::string text)
    : CTutorialStep(group, Place(placement, canvas), condition, run, clicks), footer_(footer), text_(std::move(text)) {}

Rect CBalloonStep::Place(const Rect& placement, Size canvas) {
    if (placement.left != 0) return placement;
    const int width = placement.right;
    const int left = canvas.width / 2 - width / 2;
    if (placement.top != 0) return Rect{left, placement.top, left + width, placement.bottom};
    const int height = placement.bottom;
    const int top = canvas.height / 2 - height / 2;
    return Rect::FromSize(left, top, width, height);
}

Rect CBalloonStep::TextRect() const {
    return Rect{rect.left + kTextInset, rect.top + kTextInset, rect.right - kTextInset, rect.bottom - kTextInset};
}

Rect CBalloonStep::FooterRect(Size footerSize) const {
    const Rect text = TextRect();
    return Rect{text.right - footerSize.width - kFooterRightGap, text.bottom - footerSize.height - kFooterBottomGap,
                text.right, text.bottom};
}

const std::string& CBalloonStep::FooterText(Footer footer) {
    static const std::string kNone;
    static const std::string kWait = Sj("おまちください");
    static const std::string kClick = Sj("クリックしてください");
    static const std::string kFollow = Sj("指示に従って操作してください");
    switch (footer) {
        case Footer::Wait:
            return kWait;
        case Footer::Click:
            return kClick;
        case Footer::Follow:
            return kFollow;
        case Footer::None:
            break;
    }
    return kNone;
}

void CBalloonStep::Draw(CCanvas& canvas, const IMarkupSkin& skin) {
    // The steps live as long as the program, so a text is laid out once for every practice run.
    if (!laidOut_) {
        markup_.Layout(skin, text_, TextRect());
        laidOut_ = true;
    }

    CCanvas::StateGuard state(canvas);
    canvas.SelectPen(kOutline);
    canvas.SelectBrush(Brush::Solid(kPalette.paper));
    canvas.RoundRect(rect, kCornerEllipse, kCornerEllipse);

    canvas.SetBackgroundMode(BackgroundMode::Transparent);
    canvas.SetTextAlign(HAlign::Left, VAlign::Top);
    const Rect clip{rect.left + kClipInset, rect.top + kClipInset, rect.right - kClipInset, rect.bottom - kClipInset};
    markup_.Draw(canvas, skin, clip, 0);

    const std::string& footer = FooterText(footer_);
    if (footer.empty()) return;
    const CFont* font = skin.SkinFont(kFooterFont);
    if (!font) return;
    canvas.SelectFont(font);
    canvas.SetTextColour(kPalette.balloonFooter);
    canvas.DrawText(footer, FooterRect(font->TextExtent(footer)), CCanvas::kSingleLine);
}

}  // namespace valmore
