// The real program on a virtual screen against a server that takes the account and lists its
// scenarios but never answers a ranking: while the ranking is out the window goes on painting (the
// waiting mark turns), clicks on the page buttons start nothing, Escape gives the request up at once,
// and the way back gives up a request that is out. Needs Xvfb, xdotool and import; with
// VALMORE_SCREENSHOT_DIR set, pictures of the wait and of the page given up are left there.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <thread>

#include "TrainerFixture.h"
#include "XvfbSession.h"
#include "net/FakeHttpServer.h"
#include "net/screens/CommMenuScreen.h"
#include "net/screens/RankingScreen.h"
#include "shell/ShellFixture.h"

namespace valmore::test {
namespace {

struct Targets {
    Rect communication, rankingButton, next, back, quit, yes, mark;
};

Targets FindTargets(Size screen) {
    ShellFixture fixture(screen);
    InstallProgramScreens(fixture.context);
    CMainView& view = fixture.Started();
    auto& menu = dynamic_cast<CMainMenuScreen&>(*view.ScreenAt(kScreenMainMenu));
    auto& comm = dynamic_cast<CCommMenuScreen&>(*view.ScreenAt(kScreenCommMenu));
    auto& ranking = dynamic_cast<CRankingScreen&>(*view.ScreenAt(kScreenRanking));
    QVDialog& popup = fixture.context.MessagePopup();
    return {menu.Button(2).GetRect(),       comm.ButtonAt(CCommMenuScreen::kRankingButton).GetRect(),
            ranking.NextButton().GetRect(), ranking.BackButton().GetRect(),
            menu.Button(3).GetRect(),       popup.Button1().GetRect().Offset(popup.Bounds().left, popup.Bounds().top),
            view.WaitingMarkRect()};
}

int RankingRequests(const FakeHttpServer& server) {
    const std::vector<std::string> targets = server.Targets();
    return static_cast<int>(std::count_if(
        targets.begin(), targets.end(), [](const std::string& t) { return t.find("/Ranking?") != std::string::npos; }));
}

class RealWindowSilentServer : public ::testing::TestWithParam<int> {};

TEST_P(RealWindowSilentServer, TheWindowPaintsOnClicksAreDroppedAndEscapeGivesUpAtOnce) {
    if (!XvfbSession::ToolsInstalled()) GTEST_SKIP() << "Xvfb, xdotool or import is not installed";
    const Size screen = ScreenOfMode(GetParam());
    const Targets at = FindTargets(screen);
    CSkin skin;
    skin.LoadSkin(VALMORE_RUN_DIR, ModeOf(GetParam()));
    auto shows = [&skin](int picture, const Rect& where, std::vector<int> others = {}) {
        return [&skin, picture, where, others](const ScreenImage& shot) {
            std::vector<const CBitmap*> looks;
            for (int other : others) looks.push_back(&skin.Bitmap(other));
            return shot.Shows(skin.Bitmap(picture), {where.left, where.top}, looks);
        };
    };
    // The mark's box: a black frame around white, whatever the screen under it shows.
    auto markShown = [&at](const ScreenImage& shot) {
        const Rect& m = at.mark;
        for (int x = m.left; x < m.right; ++x) {
            if (shot.Pixel(x, m.top) != Rgb{0, 0, 0} || shot.Pixel(x, m.bottom - 1) != Rgb{0, 0, 0}) return false;
        }
        return shot.Pixel(m.left + 1, m.top + 1) == Rgb{255, 255, 255} &&
               shot.Pixel(m.right - 2, m.bottom - 2) == Rgb{255, 255, 255};
    };
    auto markGone = [&](const ScreenImage& shot) { return !markShown(shot); };
    auto menuShown = shows(kSkinMenuButton4Up, at.quit);

    FakeHttpServer server([](const std::string& target) {
        if (target.find("/UserValidate?") != std::string::npos) return FakeHttpServer::Body("RURADIZA:OK");
        if (target.find("/ScenarioList?") != std::string::npos) {
            return FakeHttpServer::Body(
                "RURADIZA:VM-E01,First,0,0,1,20,30,1,1000000,VM-E02,Second,0,1,2,20,30,2,2000000,"
                "VM-E03,Third,0,1,3,20,30,3,3000000,");
        }
        return FakeHttpServer::Silence();
    });
    TempDir userDir;
    CUserAccount account;
    account.UserID = "taro01";
    account.Password = "pass1";
    ASSERT_TRUE(account.Save(CUserAccount::FileIn(userDir.Path()), nullptr));

    XvfbSession session(screen);
    ASSERT_TRUE(session.StartDisplay());
    std::string modeLine;
    ASSERT_TRUE(session.StartProgram({ProgramPath().string(), "--no-splash", "--data-dir", VALMORE_RUN_DIR,
                                      "--user-dir", userDir.Path().string(), "--server", server.BaseUrl()},
                                     &modeLine));
    ASSERT_TRUE(session.WaitForWindow());
    ASSERT_TRUE(session.WaitUntil(menuShown, milliseconds(10000))) << "no main menu";
    ASSERT_TRUE(session.Click(Centre(at.communication)));
    ASSERT_TRUE(
        session.WaitUntil(shows(kSkinCommButton1Up, at.rankingButton, {kSkinCommButton1Non}), milliseconds(10000)))
        << "the account was not taken";
    ASSERT_TRUE(session.Click(Centre(at.rankingButton)));
    ASSERT_TRUE(session.WaitUntil(markShown, milliseconds(10000))) << "no waiting mark while the ranking is out";
    EXPECT_EQ(RankingRequests(server), 1);

    // One second apart, the mark has turned and nothing else has changed.
    const std::optional<ScreenImage> first = session.Shot();
    const auto firstTaken = Clock::now();
    std::this_thread::sleep_until(firstTaken + milliseconds(1000));
    const std::optional<ScreenImage> second = session.Shot();
    ASSERT_TRUE(first && second);
    int insideChanged = 0;
    int outsideChanged = 0;
    for (int y = 0; y < screen.height; ++y) {
        for (int x = 0; x < screen.width; ++x) {
            if (first->Pixel(x, y) == second->Pixel(x, y)) continue;
            ++(at.mark.Contains(x, y) ? insideChanged : outsideChanged);
        }
    }
    EXPECT_GT(insideChanged, 10) << "the waiting mark did not move: the window is not painting";
    EXPECT_EQ(outsideChanged, 0);
    auto shoot = [&](const std::string& name) {
        const char* folder = std::getenv("VALMORE_SCREENSHOT_DIR");
        if (!folder || !*folder) return;
        const std::string file =
            std::string(folder) + "/silent_" + (GetParam() == kModeXga ? "xga_" : "sxga_") + name + ".png";
        RunCommand({"import", "-window", "root", file}, session.Display(), milliseconds(5000));
    };
    shoot("waiting");

    // Clicks on the page buttons while the ranking is out are dropped, then and afterwards.
    // The pointer stays on the button, so only the first click moves it (xdotool's --sync would
    // wait for a move that does not come).
    auto clickAgain = [&session] {
        return RunCommand({"xdotool", "click", "1"}, session.Display(), milliseconds(5000)) == 0;
    };
    ASSERT_TRUE(session.Click(Centre(at.next)));
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(clickAgain());
    std::this_thread::sleep_for(milliseconds(500));
    EXPECT_EQ(RankingRequests(server), 1) << "a click during the wait started a request";
    const auto escaped = Clock::now();
    ASSERT_TRUE(RunCommand({"xdotool", "key", "Escape"}, session.Display(), milliseconds(5000)) == 0);
    ASSERT_TRUE(session.WaitUntil(markGone, milliseconds(3000))) << "Escape did not give the request up";
    const auto givenUpAfter = std::chrono::duration_cast<milliseconds>(Clock::now() - escaped);
    EXPECT_LT(givenUpAfter, milliseconds(1500));
    RecordProperty("EscapeToMarkGoneMs", static_cast<int>(givenUpAfter.count()));
    shoot("given_up");
    std::this_thread::sleep_for(milliseconds(500));
    EXPECT_EQ(RankingRequests(server), 1) << "the dropped clicks came back after the wait";

    // The page button works again; the way back gives up the request it starts.
    ASSERT_TRUE(clickAgain());
    ASSERT_TRUE(session.WaitUntil(markShown, milliseconds(5000)));
    EXPECT_EQ(RankingRequests(server), 2);
    ASSERT_TRUE(session.Click(Centre(at.back)));
    ASSERT_TRUE(session.WaitUntil(menuShown, milliseconds(3000))) << "the way back did not give up the request";
    EXPECT_TRUE(markGone(*session.Shot()));

    // The program ends normally with the given-up requests behind it.
    ASSERT_TRUE(session.Click(Centre(at.quit)));
    ASSERT_TRUE(session.WaitUntil(shows(kSkinYesUp, at.yes), milliseconds(5000)));
    ASSERT_TRUE(session.Click(Centre(at.yes)));
    EXPECT_EQ(session.Program().WaitExit(milliseconds(5000)), 0);
}

INSTANTIATE_TEST_SUITE_P(BothScreens, RealWindowSilentServer, ::testing::Values(kModeXga, kModeSxga), ModeName);

}  // namespace
}  // namespace valmore::test
