// The real program on a virtual 1024x768 and 1280x1024 screen with the bundled server: registration
// typed into the user dialog, a played result sent, the own ranking row blue, the account file for its
// owner only, and a second start that opens ranking and submission. Needs Xvfb, xdotool and import;
// with VALMORE_SCREENSHOT_DIR set, each step leaves a picture there.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include "RankingServerProcess.h"
#include "TrainerFixture.h"
#include "XvfbSession.h"
#include "net/screens/CommMenuScreen.h"
#include "net/screens/RankingScreen.h"
#include "net/screens/RegistrationScreen.h"
#include "platform/Sjis.h"
#include "shell/ShellFixture.h"

namespace valmore::test {
namespace {

// Where the program puts what the walk clicks and looks at, read from a headless copy of it.
struct Targets {
    Rect communication, quit, change, registrationBack, rankingBack, ownRow, noticeOk, yes, dialogCancel;
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
              fixture.context.UserDialog().CancelButton().GetRect().Offset(dialogAt.left, dialogAt.top)};
    for (int i = 0; i < CCommMenuScreen::kButtonCount; ++i)
        t.comm[static_cast<std::size_t>(i)] = comm.ButtonAt(i).GetRect();
    return t;
}

class RealWindowServerLink : public ::testing::TestWithParam<int> {
protected:
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

    std::unique_ptr<XvfbSession> session_;
    int step_ = 0;
};

TEST_P(RealWindowServerLink, RegisterSubmitAndSeeTheOwnRowInBlueThenStartAgainWithTheAccount) {
    if (!XvfbSession::ToolsInstalled()) GTEST_SKIP() << "Xvfb, xdotool or import is not installed";
    const Targets at = FindTargets(ScreenOfMode(GetParam()));
    CSkin skin;
    skin.LoadSkin(VALMORE_RUN_DIR, ModeOf(GetParam()));
    auto shows = [&skin](int picture, const Rect& where, std::vector<int> others = {}) {
        return [&skin, picture, where, others](const ScreenImage& shot) {
            std::vector<const CBitmap*> looks;
            for (int other : others) looks.push_back(&skin.Bitmap(other));
            return shot.Shows(skin.Bitmap(picture), {where.left, where.top}, looks);
        };
    };
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

INSTANTIATE_TEST_SUITE_P(BothScreens, RealWindowServerLink, ::testing::Values(kModeXga, kModeSxga), ModeName);

}  // namespace
}  // namespace valmore::test
