#include <gtest/gtest.h>

#include <string>

#include "platform/Sjis.h"
#include "shell/ShellFixture.h"

namespace valmore {
namespace {

using test::ReadFileBytes;
using test::ShellFixture;

// Watches the message popup: every showing is noted, with whether the menu was on the canvas by then,
// and closed with its OK button.
struct PopupWatch {
    int notices = 0;
    bool menuPaintedFirst = false;
    std::string lastText;
    int lastPages = 0;

    void Attach(ShellFixture& shell) {
        QVDialog& popup = shell.context.MessagePopup();
        shell.window.SetFeed([this, &popup, &shell](CHeadlessWindow& window) {
            if (!popup.IsOpen()) return false;
            ++notices;
            EXPECT_EQ(popup.Mode(), QVDialog::kModeNotice);
            menuPaintedFirst = shell.view->ScreensBuilt() && shell.window.PresentCount() > 0;
            lastText = popup.Text();
            lastPages = popup.Body().PageCount();
            const Rect bounds = popup.Bounds();
            const Point ok = ShellFixture::Centre(popup.Button2().GetRect().Offset(bounds.left, bounds.top));
            window.QueueInput(InputEvent::LeftDown(ok.x, ok.y));
            window.QueueInput(InputEvent::LeftUp(ok.x, ok.y));
            return true;
        });
    }
};

TEST(StoreDamageReport, ADamagedResultFileIsReportedAfterTheFirstPaintAndLeftAsItWas) {
    ShellFixture shell;
    const std::string damaged =
        "{root {0 {Id \"S\"}{0 {Date \"2001/01/01\"}{Commition \"1\"}{Tax \"2\"}"
        "{TradeCount \"3\"}{AvarageAmount \"4\"}}} garbage";
    const auto file = shell.userDir.Write("result.dat", damaged);
    shell.Create();
    PopupWatch watch;
    watch.Attach(shell);
    EXPECT_EQ(shell.view->Run(), CPlatformWindow::LoopEnd::Starved);
    EXPECT_EQ(watch.notices, 1);
    EXPECT_TRUE(watch.menuPaintedFirst);
    EXPECT_EQ(shell.view->CurrentScreen(), 1);
    EXPECT_EQ(ReadFileBytes(file), damaged);
    // What could be read is kept in the store, and the learner is told so in Japanese, on one page.
    EXPECT_EQ(shell.context.Results().Count("S"), 1);
    EXPECT_NE(watch.lastText.find(Sj("読めた分だけを使い")), std::string::npos);
    EXPECT_NE(watch.lastText.find(Sj("1行目から先の書式が崩れています。")), std::string::npos);
    EXPECT_EQ(watch.lastText.find("byte"), std::string::npos);
    EXPECT_EQ(watch.lastPages, 1);
}

TEST(StoreDamageReport, ADamagedSnapshotFileIsReportedToo) {
    ShellFixture shell;
    const std::string damaged = "{root\n\t{0\n\t\tgarbage\n\t}\n}\n";
    const auto file = shell.userDir.Write("snapshot.dat", damaged);
    shell.Create();
    PopupWatch watch;
    watch.Attach(shell);
    shell.view->Run();
    EXPECT_EQ(watch.notices, 1);
    EXPECT_EQ(ReadFileBytes(file), damaged);
    EXPECT_NE(watch.lastText.find(Sj("前回の続きはない状態で始め")), std::string::npos);
    EXPECT_NE(watch.lastText.find(Sj("3行目から先の書式が崩れています。")), std::string::npos);
    EXPECT_EQ(watch.lastPages, 1);
}

TEST(StoreDamageReport, NoStoreFilesMeanAQuietStart) {
    ShellFixture shell;
    shell.Create();
    PopupWatch watch;
    watch.Attach(shell);
    shell.view->Run();
    EXPECT_EQ(watch.notices, 0);
    EXPECT_TRUE(shell.context.Results().Lists().empty());
    EXPECT_EQ(shell.context.Snapshots().Count(), 0);
    // Nothing is written at start-up.
    EXPECT_FALSE(std::filesystem::exists(shell.userDir / "result.dat"));
    EXPECT_FALSE(std::filesystem::exists(shell.userDir / "snapshot.dat"));
}

TEST(StoreDamageReport, TheMessageNamesTheFileAndCannotBeTurnedIntoMarkupByIt) {
    LoadProblem leftOut{LoadProblemKind::PartLeftOut, 0, 2, "$p&x", "english"};
    StoreProblem problem{
        StoreProblem::Store::Results, "/home/u/$p&x/result.dat", {leftOut}, true, "/home/u/$p&x/result.dat.damaged"};
    const std::string text = StoreProblemMessage(problem);
    EXPECT_NE(text.find("result.dat.damaged"), std::string::npos);
    EXPECT_NE(text.find(Sj("シナリオ「＄p＆x」の2件目")), std::string::npos);
    EXPECT_EQ(text.find("english"), std::string::npos);
    // Only the line breaks the message makes itself are codes.
    std::size_t codes = 0;
    for (std::size_t i = 0; i < text.size(); i += SjisCharLength(text, i)) {
        if (text[i] == '&') ADD_FAILURE() << "a highlight mark slipped through";
        if (text[i] == '$') {
            ++codes;
            EXPECT_EQ(text[i + 1], 'n');
        }
    }
    EXPECT_EQ(codes, 1u);

    StoreProblem many{StoreProblem::Store::Results, "result.dat", std::vector<LoadProblem>(9), false,
                      "result.dat.damaged"};
    const std::string cut = StoreProblemMessage(many);
    EXPECT_NE(cut.find(Sj("（ほか7件）")), std::string::npos);
}

}  // namespace
}  // namespace valmore
