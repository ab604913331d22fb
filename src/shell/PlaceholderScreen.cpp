#include "shell/PlaceholderScreen.h"

#include "platform/Sjis.h"
#include "ui/Skin.h"

namespace valmore {

namespace {

constexpr int kCaptionFont = 12;
constexpr int kCaptionPadding = 12;
constexpr Size kBackButton{180, 28};
constexpr int kBackButtonGap = 40;  // below the canvas centre

}  // namespace

CPlaceholderScreen::CPlaceholderScreen(IViewHost& owner, int screenNumber)
    : CScreen(owner), caption_(ScreenName(screenNumber)) {
    if (caption_.empty()) caption_ = std::to_string(screenNumber);
    if (screenNumber != 1) {
        back_ = AddPanel<CSkinButton>(owner);
        back_->SetLabel(Sj("メニューへ戻る"));
        const Size canvas = owner.CanvasSize();
        back_->SetRect((canvas.width - kBackButton.width) / 2, canvas.height / 2 + kBackButtonGap, kBackButton.width,
                       kBackButton.height);
        back_->onClick = [&owner](unsigned, int, int, CSkinButton&) {
            owner.SwitchScreen(kScreenMainMenu);
            owner.InvalidateAll();
        };
    }
}

std::string CPlaceholderScreen::ScreenName(int screenNumber) {
    switch (screenNumber) {
        case 0:
            return Sj("シミュレーション");
        case 1:
            return Sj("メインメニュー");
        case 2:
            return Sj("シミュレーション選択");
        case 3:
            return Sj("結果");
        case 4:
            return Sj("成績");
        case 5:
            return Sj("センターと通信");
        case 6:
            return Sj("ランキング");
        case 7:
            return Sj("登録情報");
        default:
            return {};
    }
}

void CPlaceholderScreen::Draw(CCanvas& dc) {
    DrawBackground(dc);
    CCanvas::FontGuard font(dc, owner_.Skin().Font(kCaptionFont));
    if (dc.Font() != nullptr) {
        // A dark box under the caption keeps it readable on any background picture.
        const Size canvas = owner_.CanvasSize();
        const Size text = dc.TextExtent(caption_);
        const int width = text.width + 2 * kCaptionPadding;
        const int height = text.height + 2 * kCaptionPadding;
        const Rect box = Rect::FromSize((canvas.width - width) / 2, (canvas.height - height) / 2, width, height);
        dc.FillSolid(box, owner_.Skin().Colours().captionBox);
        const BackgroundMode oldMode = dc.SetBackgroundMode(BackgroundMode::Transparent);
        const Rgb oldColour = dc.SetTextColour(owner_.Skin().Colours().captionText);
        dc.DrawText(caption_, box, CCanvas::kCenter | CCanvas::kVCenter | CCanvas::kSingleLine);
        dc.SetTextColour(oldColour);
        dc.SetBackgroundMode(oldMode);
    }
    CScreen::Draw(dc);
}

}  // namespace valmore
