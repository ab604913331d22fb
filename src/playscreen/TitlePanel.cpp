#include "playscreen/TitlePanel.h"

#include "sim/DayController.h"
#include "ui/Skin.h"

namespace valmore {

namespace {

constexpr int kBackgroundBitmap = kSkinTitlePanel;
constexpr int kTitleFont = 18;  // 18 pt in XGA mode, 24 pt in SXGA mode
constexpr int kTextTop = 3;

// Where the title runs, relative to the panel's left edge.
struct TitleLayout {
    int textLeft;
    int textRight;
};
constexpr std::array<TitleLayout, 2> kLayout{{{50, 392}, {63, 491}}};

}  // namespace

CTitlePanel::CTitlePanel(IViewHost& owner, const CDayController& controller) : CPanel(owner), controller_(controller) {
    backgroundBitmap = kBackgroundBitmap;
}

void CTitlePanel::SetRect(int x, int y, int width, int height) {
    CPanel::SetRect(x, y, width, height);
    const TitleLayout& layout = kLayout[owner_.Mode() == kModeSxga ? 1 : 0];
    textRect_ = Rect{rect_.left + layout.textLeft, rect_.top + kTextTop, rect_.left + layout.textRight, rect_.bottom};
}

void CTitlePanel::Draw(CCanvas& dc) {
    if (!dirty) return;
    dirty = false;
    DrawBackground(dc);
    const CPlay* play = controller_.Play();
    if (!play) return;

    CCanvas::FontGuard font(dc, owner_.Skin().Font(kTitleFont));
    dc.SetTextColour(owner_.Skin().Colours().text);
    dc.SetBackgroundMode(BackgroundMode::Transparent);
    dc.DrawText(play->Scenario().header.Title, textRect_,
                CCanvas::kLeft | CCanvas::kVCenter | CCanvas::kSingleLine | CCanvas::kEndEllipsis);
}

}  // namespace valmore
