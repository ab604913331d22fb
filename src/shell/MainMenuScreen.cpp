#include "shell/MainMenuScreen.h"

#include "platform/Sjis.h"
#include "shell/AppContext.h"
#include "ui/Skin.h"

namespace valmore {

namespace {

// The four buttons have no disabled picture; the labels are part of the pictures.
constexpr std::array<SkinButtonPictures, CMainMenuScreen::kButtonCount> kButtonImages{{
    {kSkinMenuButton1Up, kSkinMenuButton1Dn, kSkinNoPicture},
    {kSkinMenuButton2Up, kSkinMenuButton2Dn, kSkinNoPicture},
    {kSkinMenuButton3Up, kSkinMenuButton3Dn, kSkinNoPicture},
    {kSkinMenuButton4Up, kSkinMenuButton4Dn, kSkinNoPicture},
}};

}  // namespace

const CMainMenuScreen::LayoutTable& CMainMenuScreen::Placement(int mode) {
    return kMainMenuLayouts[static_cast<std::size_t>(ModeOf(mode))];
}

CMainMenuScreen::CMainMenuScreen(IViewHost& owner, CAppContext& context) : CScreen(owner), context_(context) {
    backgroundBitmap = kBackgroundBitmap;
    Layout();
}

void CMainMenuScreen::Layout() {
    const LayoutTable& layout = Placement(owner_.Mode());
    for (int i = 0; i < kButtonCount; ++i) {
        const SkinButtonPictures images = kButtonImages[static_cast<std::size_t>(i)];
        CSkinButton* button = AddPanel<CSkinButton>(owner_, images.up, images.dn);
        const Point at = layout.buttons[static_cast<std::size_t>(i)];
        button->PlaceAt(at.x, at.y);
        button->identifier = i + 1;
        buttons_[static_cast<std::size_t>(i)] = button;
    }
    buttons_[0]->SetLabel(Sj("操作練習"));
    buttons_[1]->SetLabel(Sj("シミュレーション選択"));
    buttons_[2]->SetLabel(Sj("センターと通信"));
    buttons_[3]->SetLabel(Sj("終了"));

    buttons_[0]->onClick = [this](unsigned, int, int, CSkinButton&) { OnPractice(); };
    buttons_[1]->onClick = [this](unsigned, int, int, CSkinButton&) {
        owner_.SwitchScreen(kScreenScenarioSelect);
        owner_.InvalidateAll();
    };
    buttons_[2]->onClick = [this](unsigned, int, int, CSkinButton&) {
        owner_.SwitchScreen(kScreenCommMenu);
        owner_.InvalidateAll();
    };
    buttons_[3]->onClick = [this](unsigned, int, int, CSkinButton&) { OnQuit(); };
}

void CMainMenuScreen::Draw(CCanvas& dc) {
    DrawBackground(dc);
    const Point title = Placement(owner_.Mode()).title;
    dc.DrawBitmap(owner_.Skin().Bitmap(kTitleBitmap), title.x, title.y);
    CScreen::Draw(dc);
}

void CMainMenuScreen::OnPractice() {
    if (context_.startPracticeRun) context_.startPracticeRun();
}

void CMainMenuScreen::OnQuit() {
    if (!context_.HasPopups()) return;
    const int answer = context_.MessagePopup().Show(QVDialog::kModeQuestion, Sj("ヴァルモアを終了しますか？"));
    if (answer != QVDialog::kResultYes) return;
    context_.DestroyPlay();
    context_.RequestQuit();
}

}  // namespace valmore
