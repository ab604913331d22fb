#include <gtest/gtest.h>

#include "platform/Sjis.h"
#include "shell/MainMenuScreen.h"
#include "shell/ShellFixture.h"

namespace valmore {
namespace {

using test::ShellFixture;

CMainMenuScreen& Menu(CMainView& view) {
    auto* menu = dynamic_cast<CMainMenuScreen*>(view.ScreenAt(1));
    EXPECT_NE(menu, nullptr);
    return *menu;
}

Point ButtonCentre(CMainView& view, int index) {
    return ShellFixture::Centre(Menu(view).Button(index).GetRect());
}

// Answers the quit question with the popup's yes (button 1) or no (button 2), after a few ticks.
void AnswerWhenAsked(ShellFixture& shell, bool yes, std::string* question = nullptr) {
    QVDialog& popup = shell.context.MessagePopup();
    shell.window.SetFeed([&popup, yes, question](CHeadlessWindow& window) {
        if (!popup.IsOpen()) return false;
        if (question) *question = popup.Mode() == QVDialog::kModeQuestion ? "question" : "notice";
        window.QueueTick(3);
        const Rect bounds = popup.Bounds();
        const CSkinButton& button = yes ? popup.Button1() : popup.Button2();
        const Point at = ShellFixture::Centre(button.GetRect().Offset(bounds.left, bounds.top));
        window.QueueInput(InputEvent::LeftDown(at.x, at.y));
        window.QueueInput(InputEvent::LeftUp(at.x, at.y));
        return true;
    });
}

TEST(MainMenu, TheButtonsSitWhereTheLayoutTablePutsThemInBothModes) {
    for (int mode : {kModeXga, kModeSxga}) {
        ShellFixture shell(mode == kModeXga ? Size{1024, 768} : Size{1280, 1024});
        CMainView& view = shell.Started();
        ASSERT_EQ(view.Mode(), mode);
        CMainMenuScreen& menu = Menu(view);
        const auto& layout = CMainMenuScreen::Placement(mode);
        for (int i = 0; i < CMainMenuScreen::kButtonCount; ++i) {
            const Rect r = menu.Button(i).GetRect();
            EXPECT_EQ((Point{r.left, r.top}), layout.buttons[static_cast<std::size_t>(i)]) << mode << " " << i;
            EXPECT_EQ((Size{r.Width(), r.Height()}), view.Skin().BitmapSize(46 + 2 * i)) << mode << " " << i;
            EXPECT_GT(r.Width(), 0);
        }
        EXPECT_EQ(menu.backgroundBitmap, 43);
    }
    EXPECT_EQ(CMainMenuScreen::Placement(kModeSxga).buttons[0], (Point{507, 369}));
}

TEST(MainMenu, TheMenuShowsItsTitlePictureAndButtonPictures) {
    ShellFixture shell;
    CMainView& view = shell.Started();
    const CBitmap& canvas = shell.window.BackBuffer();
    const CBitmap& title = view.Skin().Bitmap(44);
    ASSERT_FALSE(title.IsEmpty());
    const int tx = title.Width() / 2;
    const int ty = title.Height() / 2;
    EXPECT_EQ(canvas.Pixel(tx, 217 + ty), title.Pixel(tx, ty));
    const CBitmap& quitUp = view.Skin().Bitmap(52);
    EXPECT_EQ(canvas.Pixel(405 + quitUp.Width() / 2, 465 + quitUp.Height() / 2),
              quitUp.Pixel(quitUp.Width() / 2, quitUp.Height() / 2));
}

TEST(MainMenu, SelectionAndCommunicationButtonsSwitchScreens) {
    ShellFixture shell;
    CMainView& view = shell.Started();
    shell.Click(ButtonCentre(view, 1));
    shell.Pump();
    EXPECT_EQ(view.CurrentScreen(), 2);

    view.SwitchScreen(1);
    shell.Click(ButtonCentre(view, 2));
    shell.Pump();
    EXPECT_EQ(view.CurrentScreen(), 5);
}

TEST(MainMenu, ThePracticeButtonStartsThePracticeRunOnlyWhenThereIsOne) {
    ShellFixture shell;
    int started = 0;
    CMainView& view = shell.Started();
    shell.Click(ButtonCentre(view, 0));
    shell.Pump();
    EXPECT_EQ(view.CurrentScreen(), 1);

    shell.context.startPracticeRun = [&] { ++started; };
    shell.Click(ButtonCentre(view, 0));
    shell.Pump();
    EXPECT_EQ(started, 1);
}

TEST(MainMenu, AnsweringNoToTheQuitQuestionKeepsTheMenu) {
    ShellFixture shell;
    shell.context.controller.StartPlay();
    CMainView& view = shell.Started();
    const int ticks = view.TickCount();
    std::string asked;
    AnswerWhenAsked(shell, false, &asked);
    shell.Click(ButtonCentre(view, 3));
    EXPECT_EQ(view.Run(), CPlatformWindow::LoopEnd::Starved);
    EXPECT_EQ(asked, "question");
    EXPECT_EQ(view.TickCount(), ticks + 3);  // the timer kept running under the question
    EXPECT_FALSE(shell.window.QuitPosted());
    EXPECT_EQ(view.CurrentScreen(), 1);
    EXPECT_NE(shell.context.controller.Play(), nullptr);
    EXPECT_FALSE(shell.context.MessagePopup().IsOpen());
}

TEST(MainMenu, AnsweringYesReleasesAHeldPlayAndEndsTheProgram) {
    ShellFixture shell;
    shell.context.controller.StartPlay();
    bool playGoneBeforeQuit = false;
    shell.context.onDestroyPlay = [&] { playGoneBeforeQuit = !shell.window.QuitPosted(); };
    CMainView& view = shell.Started();
    const int ticks = view.TickCount();
    AnswerWhenAsked(shell, true);
    shell.Click(ButtonCentre(view, 3));
    EXPECT_EQ(view.Run(), CPlatformWindow::LoopEnd::Quit);
    EXPECT_TRUE(shell.window.QuitPosted());
    EXPECT_EQ(view.TickCount(), ticks + 3);
    EXPECT_EQ(shell.context.controller.Play(), nullptr);
    EXPECT_TRUE(playGoneBeforeQuit);
}

TEST(MainMenu, ClosingTheWindowDuringTheQuitQuestionEndsTheProgram) {
    ShellFixture shell;
    CMainView& view = shell.Started();
    QVDialog& popup = shell.context.MessagePopup();
    bool checked = false;
    shell.window.SetFeed([&](CHeadlessWindow& window) {
        if (!popup.IsOpen() || checked) return false;
        checked = true;
        EXPECT_EQ(popup.Mode(), QVDialog::kModeQuestion);
        EXPECT_TRUE(popup.Button1().visible);
        // The popup is centred on the screen.
        const Rect bounds = popup.Bounds();
        EXPECT_EQ(bounds.left, 512 - bounds.Width() / 2);
        EXPECT_EQ(bounds.top, 384 - bounds.Height() / 2);
        window.QueueInput(InputEvent::CloseRequest());
        return true;
    });
    shell.Click(ButtonCentre(view, 3));
    EXPECT_EQ(view.Run(), CPlatformWindow::LoopEnd::Quit);
    EXPECT_TRUE(checked);
}

}  // namespace
}  // namespace valmore
