// The real program on a virtual 1024x768 and 1280x1024 screen with the bundled server: registration
// typed into the user dialog, a played result sent, the own ranking row blue, the account file for its
// owner only, and a second start that opens ranking and submission. Then a server that never answers
// a ranking: the window keeps painting, page clicks start nothing, Escape and the way back give up.
// Needs Xvfb, xdotool and import; with VALMORE_SCREENSHOT_DIR set, each step leaves a picture there.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <thread>

#include "RankingServerProcess.h"
#include "TrainerFixture.h"
#include "XvfbSession.h"
#include "net/FakeHttpServer.h"
#include "net/screens/CommMenuScreen.h"
#include "net/screens/RankingScreen.h"
#include "net/screens/RegistrationScreen.h"
#include "platform/Sjis.h"
#include "shell/ShellFixture.h"

namespace valmore::test {
namespace {

// Where the program puts what the walk clicks and looks at, read from a headless copy of it.
struct Targets {
    Rect communication, quit, change, registrationBack, rankingBack, ownRow, noticeOk, yes, dialogCancel, next, mark;
    std::array<Rect, CCommMenuScreen::kButtonCount> comm{};
};

Targets FindTargets(Size screen) {
    ShellFixture fixture(screen);
    InstallProgramScreens(fixture.context);
    CMainView& view = fixture.Started();
    auto& menu = dynamic_cast<CMainMenuScreen&>(*view.ScreenAt(kScreenMainMenu));
    auto& comm = dynamic_cast<CCommMenuScreen&>(*view.ScreenAt(kScreenCommMenu));
    auto& registration = dynamic_cast<CRegistrationScreen&>(*view.ScreenAt(kScreenRegistration));
    auto& ranking = dynamic_cast<CRankingScreen&>(*view.ScreenAt(kScreenRanking));
    QVDialog& popup = fixture.context.MessagePopup();
    const Rect popupAt = popup.Bounds();
    const Rect dialogAt = fixture.context.UserDialog().Bounds();
    Targets t{menu.Button(2).GetRect(),
              menu.Button(3).GetRect(),
              registration.ChangeButton().GetRect(),
              registration.BackButton().GetRect(),
              ranking.BackButton().GetRect(),
              ranking.RowRect(0),
              popup.Button2().GetRect().Offset(popupAt.left, popupAt.top),
              popup.Button1().GetRect().Offset(popupAt.left, popupAt.top),
              fixture.context.UserDialog().CancelButton().GetRect().Offset(dialogAt.left, dialogAt.top),
              ranking.NextButton().GetRect(),
              view.WaitingMarkRect()};
    for (int i = 0; i < CCommMenuScreen::kButtonCount; ++i)
        t.comm[static_cast<std::size_t>(i)] = comm.ButtonAt(i).GetRect();
    return t;
}

class RealWindowServerLink : public ::testing::TestWithParam<int> {
protected:
    RealWindowServerLink() { skin_.LoadSkin(VALMORE_RUN_DIR, ModeOf(GetParam())); }
    void Shoot(const std::string& name) {
        const char* folder = std::getenv("VALMORE_SCREENSHOT_DIR");
        if (!folder || !*folder) return;
        const std::string file = std::string(folder) + "/link_" + (GetParam() == kModeXga ? "xga_" : "sxga_") +
                                 std::to_string(++step_) + "_" + name + ".png";
        RunCommand({"import", "-window", "root", file}, session_->Display(), milliseconds(5000));
    }
    // Clicks until the display shows the effect: a click may be lost while the window is mapped.
    template <class Effect>
    bool ClickUntil(const Rect& r, Effect effect) {
        for (int attempt = 0; attempt < 4; ++attempt) {
            if (!session_->Click(Centre(r))) return false;
            if (session_->WaitUntil(effect, milliseconds(3000))) return true;
        }
        return false;
    }
    bool Keys(std::vector<std::string> args) {
        args.insert(args.begin(), "xdotool");
        return RunCommand(args, session_->Display(), milliseconds(10000)) == 0;
    }
    bool StartProgram(const TempDir& userDir, const std::string& server) {
        session_ = std::make_unique<XvfbSession>(ScreenOfMode(GetParam()));
        std::string modeLine;
        return session_->StartDisplay() &&
               session_->StartProgram({ProgramPath().string(), "--no-splash", "--data-dir", VALMORE_RUN_DIR,
                                       "--user-dir", userDir.Path().string(), "--server", server},
                                      &modeLine) &&
               session_->WaitForWindow();
    }

    // Whether a screenshot shows the skin picture there, told apart from the button's other looks.
    std::function<bool(const ScreenImage&)> shows(int picture, const Rect& where, std::vector<int> others = {}) {
        return [this, picture, where, others](const ScreenImage& shot) {
            std::vector<const CBitmap*> looks;
            for (int other : others) looks.push_back(&skin_.Bitmap(other));
            return shot.Shows(skin_.Bitmap(picture), {where.left, where.top}, looks);
        };
    }

    std::unique_ptr<XvfbSession> session_;
    int step_ = 0;
    CSkin skin_;
};

TEST_P(RealWindowServerLink, RegisterSubmitAndSeeTheOwnRowInBlueThenStartAgainWithTheAccount) {
    if (!XvfbSession::ToolsInstalled()) GTEST_SKIP() << "Xvfb, xdotool or import is not installed";
    const Targets at = FindTargets(ScreenOfMode(GetParam()));
    const Rect& rankingButton = at.comm[CCommMenuScreen::kRankingButton];
    auto rankingOpen = shows(kSkinCommButton1Up, rankingButton, {kSkinCommButton1Non, kSkinCommButton1Dn});
    auto menuShown = shows(kSkinMenuButton4Up, at.quit);
    auto noticeShown = shows(kSkinOkUp, at.noticeOk);
    auto noticeGone = [&](const ScreenImage& shot) { return !noticeShown(shot); };

    RankingServerProcess server;
    ASSERT_TRUE(server.Start()) << "valmore-server did not start";
    TempDir userDir;
    const ToolRun played =
        RunTool({"play", kEarningsPlay.ScenarioPath().string(), "--orders", kEarningsPlay.OrdersPath().string(),
                 "--results", (userDir / "result.dat").string()},
                true);
    ASSERT_EQ(played.status, 0) << played.out;

    ASSERT_TRUE(StartProgram(userDir, server.BaseUrl())) << "the program did not start";
    ASSERT_TRUE(session_->WaitUntil(menuShown, milliseconds(10000))) << "no main menu";
    ASSERT_TRUE(ClickUntil(at.communication, noticeShown)) << "no notice about the missing account";
    Shoot("no_account");
    ASSERT_TRUE(ClickUntil(at.noticeOk, shows(kSkinCommButton1Non, rankingButton, {kSkinCommButton1Up})));
    Shoot("menu_closed");
    ASSERT_TRUE(ClickUntil(at.comm[CCommMenuScreen::kRegistrationButton], shows(kSkinRegisterButtonUp, at.change)));
    Shoot("registration_empty");
    ASSERT_TRUE(ClickUntil(at.change, shows(kSkinCancelUp, at.dialogCancel))) << "the user dialog did not open";
    ASSERT_TRUE(Keys({"type", "--delay", "40", "taro01"}) && Keys({"key", "Tab"}) &&
                Keys({"type", "--delay", "80", "たろう"}) && Keys({"key", "Tab"}) &&
                Keys({"type", "--delay", "40", "pass1"}));
    Shoot("dialog_typed");
    ASSERT_TRUE(Keys({"key", "Return"}));
    ASSERT_TRUE(session_->WaitUntil(noticeShown, milliseconds(10000))) << "no notice after the registration";
    Shoot("registered");
    const std::filesystem::path accountFile = CUserAccount::FileIn(userDir.Path());
    CUserAccount saved;
    saved.Load(accountFile);
    EXPECT_EQ(saved.UserID + "/" + Cp932ToUtf8(saved.Nickname) + "/" + saved.Password, "taro01/たろう/pass1");
    struct stat info {};
    ASSERT_EQ(::stat(accountFile.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    ASSERT_TRUE(ClickUntil(at.noticeOk, noticeGone));
    Shoot("registration_filled");
    ASSERT_TRUE(ClickUntil(at.registrationBack, rankingOpen)) << "the ranking did not open";
    ASSERT_TRUE(ClickUntil(at.comm[CCommMenuScreen::kSubmitButton], noticeShown)) << "no notice after sending";
    Shoot("sent");
    ASSERT_TRUE(ClickUntil(at.noticeOk, noticeGone));
    // The first scenario the server lists is the one played; its only row is the user's, in blue.
    auto ownRowBlue = [&](const ScreenImage& shot) {
        int blue = 0;
        for (int y = at.ownRow.top; y < at.ownRow.bottom; ++y) {
            for (int x = at.ownRow.left; x < at.ownRow.right; ++x) blue += shot.Pixel(x, y) == kPalette.ownRow;
        }
        return blue > 20;
    };
    EXPECT_TRUE(ClickUntil(rankingButton, ownRowBlue)) << "the own row is not blue";
    Shoot("ranking");

    ASSERT_TRUE(ClickUntil(at.rankingBack, menuShown));
    ASSERT_TRUE(ClickUntil(at.quit, shows(kSkinYesUp, at.yes)));
    std::optional<int> status;
    for (int attempt = 0; attempt < 3 && !status; ++attempt) {
        ASSERT_TRUE(session_->Click(Centre(at.yes)));
        status = session_->Program().WaitExit(milliseconds(3000));
    }
    EXPECT_EQ(status, 0);

    // A second start reads the account: no notice, and ranking and submission are open.
    ASSERT_TRUE(StartProgram(userDir, server.BaseUrl())) << "the program did not start again";
    ASSERT_TRUE(session_->WaitUntil(menuShown, milliseconds(10000)));
    ASSERT_TRUE(ClickUntil(at.communication, rankingOpen)) << "the stored account was not accepted";
    const std::optional<ScreenImage> shot = session_->Shot();
    ASSERT_TRUE(shot);
    EXPECT_TRUE(shows(kSkinCommButton2Up, at.comm[CCommMenuScreen::kSubmitButton], {kSkinCommButton2Non})(*shot));
    EXPECT_FALSE(noticeShown(*shot));
    Shoot("second_start");
}

TEST_P(RealWindowServerLink, ASilentServerLeavesTheWindowPaintingDropsClicksAndIsGivenUpAtOnce) {
    if (!XvfbSession::ToolsInstalled()) GTEST_SKIP() << "Xvfb, xdotool or import is not installed";
    const Targets at = FindTargets(ScreenOfMode(GetParam()));
    // The mark's box: a black frame around white, whatever the screen under it shows.
    auto markShown = [m = at.mark](const ScreenImage& shot) {
        for (int x = m.left; x < m.right; ++x) {
            if (shot.Pixel(x, m.top) != Rgb{} || shot.Pixel(x, m.bottom - 1) != Rgb{}) return false;
        }
        return shot.Pixel(m.left + 1, m.top + 1) == Rgb{255, 255, 255};
    };
    auto markGone = [&](const ScreenImage& shot) { return !markShown(shot); };
    auto menuShown = shows(kSkinMenuButton4Up, at.quit);
    FakeHttpServer server([](const std::string& target) {
        if (target.find("/UserValidate?") != std::string::npos) return FakeHttpServer::Body("RURADIZA:OK");
        if (target.find("/ScenarioList?") == std::string::npos) return FakeHttpServer::Silence();
        return FakeHttpServer::Body("RURADIZA:A,1,0,0,1,20,30,1,1000000,B,2,0,0,1,20,30,1,1000000,C,3,0,0,1,20,30,1,1");
    });
    auto rankings = [&server] {
        const std::vector<std::string> targets = server.Targets();
        return std::count_if(targets.begin(), targets.end(),
                             [](const std::string& t) { return t.find("/Ranking?") != std::string::npos; });
    };
    TempDir userDir;
    CUserAccount account;
    account.UserID = "taro01";
    account.Password = "pass1";
    ASSERT_TRUE(account.Save(CUserAccount::FileIn(userDir.Path()), nullptr));
    ASSERT_TRUE(StartProgram(userDir, server.BaseUrl())) << "the program did not start";
    ASSERT_TRUE(session_->WaitUntil(menuShown, milliseconds(10000))) << "no main menu";
    ASSERT_TRUE(ClickUntil(at.communication,
                           shows(kSkinCommButton1Up, at.comm[CCommMenuScreen::kRankingButton], {kSkinCommButton1Non})));
    ASSERT_TRUE(ClickUntil(at.comm[CCommMenuScreen::kRankingButton], markShown)) << "no mark while waiting";

    // One second apart, the mark has turned and nothing else has changed.
    const std::optional<ScreenImage> first = session_->Shot();
    std::this_thread::sleep_for(milliseconds(1000));
    const std::optional<ScreenImage> second = session_->Shot();
    ASSERT_TRUE(first && second);
    std::array<int, 2> changed{};  // outside and inside the mark
    for (int y = 0; y < ScreenOfMode(GetParam()).height; ++y) {
        for (int x = 0; x < ScreenOfMode(GetParam()).width; ++x)
            changed[at.mark.Contains(x, y)] += first->Pixel(x, y) != second->Pixel(x, y);
    }
    EXPECT_GT(changed[1], 10) << "the mark did not move: the window is not painting";
    EXPECT_EQ(changed[0], 0);
    Shoot("silent_waiting");

    // Four clicks on the next page while the ranking is out are dropped, then and afterwards. The
    // pointer stays on the button, so only the first click moves it.
    auto clickAgain = [this] { return Keys({"click", "1"}); };
    ASSERT_TRUE(session_->Click(Centre(at.next)) && clickAgain() && clickAgain() && clickAgain());
    std::this_thread::sleep_for(milliseconds(500));
    EXPECT_EQ(rankings(), 1) << "a click during the wait started a request";
    const auto escaped = Clock::now();
    ASSERT_TRUE(Keys({"key", "Escape"}));
    ASSERT_TRUE(session_->WaitUntil(markGone, milliseconds(3000))) << "Escape did not give the request up";
    EXPECT_LT(Clock::now() - escaped, milliseconds(1500)) << "Escape took its time";
    Shoot("silent_given_up");
    std::this_thread::sleep_for(milliseconds(500));
    EXPECT_EQ(rankings(), 1) << "the dropped clicks came back after the wait";

    // The page button works again; the way back gives up the request it started.
    ASSERT_TRUE(clickAgain() && session_->WaitUntil(markShown, milliseconds(5000)));
    EXPECT_EQ(rankings(), 2);
    ASSERT_TRUE(ClickUntil(at.rankingBack, menuShown)) << "the way back did not give the request up";
    ASSERT_TRUE(ClickUntil(at.quit, shows(kSkinYesUp, at.yes)));
    ASSERT_TRUE(session_->Click(Centre(at.yes)));
    EXPECT_EQ(session_->Program().WaitExit(milliseconds(5000)), 0) << "no clean end after requests given up";
}

INSTANTIATE_TEST_SUITE_P(BothScreens, RealWindowServerLink, ::testing::Values(kModeXga, kModeSxga), ModeName);

}  // namespace
}  // namespace valmore::test
