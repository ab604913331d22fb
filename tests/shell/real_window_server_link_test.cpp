// The real program on a virtual display of 1024x768 and of 1280x1024, with the bundled ranking server
// started by the test: 「センターと通信」, registration typed into the user dialog with the keyboard,
// the submission of a result played before, and the ranking with the user's own row in blue. The
// account file must hold what was registered, readable by its owner only, and a second start must
// read it and open the ranking and the submission. Needs Xvfb, xdotool and import; skipped without.
// With VALMORE_SCREENSHOT_DIR set, every step leaves a picture there.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "RankingServerProcess.h"
#include "TrainerFixture.h"
#include "XvfbSession.h"
#include "net/screens/CommMenuScreen.h"
#include "net/screens/RankingScreen.h"
#include "net/screens/RegistrationScreen.h"
#include "platform/Sjis.h"
#include "shell/ShellFixture.h"

namespace valmore {
namespace {

using test::milliseconds;
using test::ScreenImage;
using test::XvfbSession;

// Where the buttons are, read from a headless copy of the program on a screen of the same size.
struct Targets {
    Rect communication;  // main menu
    Rect quit;
    std::array<Rect, CCommMenuScreen::kButtonCount> comm{};
    Rect change;  // registration
    Rect registrationBack;
    Rect rankingBack;
    Rect ownRow;
    Rect noticeOk;  // message popup, on the screen
    Rect yes;
    Rect dialogCancel;  // user dialog, on the screen
};

Rect OnScreen(const Rect& inPopup, const Rect& bounds) {
    return inPopup.Offset(bounds.left, bounds.top);
}

Targets FindTargets(Size screen) {
    test::ShellFixture fixture(screen);
    InstallProgramScreens(fixture.context);
    CMainView& view = fixture.Started();
    Targets t;
    auto& menu = dynamic_cast<CMainMenuScreen&>(*view.ScreenAt(kScreenMainMenu));
    t.communication = menu.Button(2).GetRect();
    t.quit = menu.Button(3).GetRect();
    auto& comm = dynamic_cast<CCommMenuScreen&>(*view.ScreenAt(kScreenCommMenu));
    for (int i = 0; i < CCommMenuScreen::kButtonCount; ++i)
        t.comm[static_cast<std::size_t>(i)] = comm.ButtonAt(i).GetRect();
    auto& registration = dynamic_cast<CRegistrationScreen&>(*view.ScreenAt(kScreenRegistration));
    t.change = registration.ChangeButton().GetRect();
    t.registrationBack = registration.BackButton().GetRect();
    auto& ranking = dynamic_cast<CRankingScreen&>(*view.ScreenAt(kScreenRanking));
    t.rankingBack = ranking.BackButton().GetRect();
    t.ownRow = ranking.RowRect(0);
    QVDialog& popup = fixture.context.MessagePopup();
    t.noticeOk = OnScreen(popup.Button2().GetRect(), popup.Bounds());
    t.yes = OnScreen(popup.Button1().GetRect(), popup.Bounds());
    QVUserValidateDlg& dialog = fixture.context.UserDialog();
    t.dialogCancel = OnScreen(dialog.CancelButton().GetRect(), dialog.Bounds());
    return t;
}

Point Corner(const Rect& r) {
    return {r.left, r.top};
}

class RealWindowServerLink : public ::testing::TestWithParam<int> {
protected:
    Size Screen() const { return test::ScreenOfMode(GetParam()); }

    void Shoot(const std::string& name) {
        const char* folder = std::getenv("VALMORE_SCREENSHOT_DIR");
        if (!folder || !*folder) return;
        const std::string file = std::string(folder) + "/link_" + (GetParam() == kModeXga ? "xga_" : "sxga_") +
                                 std::to_string(++step_) + "_" + name + ".png";
        test::RunCommand({"import", "-window", "root", file}, session_->Display(), milliseconds(5000));
    }
    // Clicks until the display shows the effect; a click may be lost while the window is mapped.
    template <class Effect>
    bool ClickUntil(const Rect& r, Effect effect) {
        for (int attempt = 0; attempt < 4; ++attempt) {
            if (!session_->Click(test::Centre(r))) return false;
            if (session_->WaitUntil(effect, milliseconds(3000))) return true;
        }
        return false;
    }
    bool Xdotool(const std::vector<std::string>& args) {
        std::vector<std::string> all{"xdotool"};
        all.insert(all.end(), args.begin(), args.end());
        return test::RunCommand(all, session_->Display(), milliseconds(10000)) == 0;
    }
    bool StartProgram(const std::filesystem::path& userDir, const std::string& server) {
        session_ = std::make_unique<XvfbSession>(Screen());
        if (!session_->StartDisplay()) return false;
        std::string modeLine;
        return session_->StartProgram({test::ProgramPath().string(), "--no-splash", "--data-dir", VALMORE_RUN_DIR,
                                       "--user-dir", userDir.string(), "--server", server},
                                      &modeLine) &&
               session_->WaitForWindow();
    }

    std::unique_ptr<XvfbSession> session_;
    int step_ = 0;
};

TEST_P(RealWindowServerLink, RegisterSubmitAndSeeTheOwnRowInBlueThenStartAgainWithTheAccount) {
    if (!XvfbSession::ToolsInstalled()) GTEST_SKIP() << "Xvfb, xdotool or import is not installed";
    ASSERT_TRUE(std::filesystem::exists(test::ProgramPath())) << test::ProgramPath();
    const Targets at = FindTargets(Screen());
    CSkin skin;
    skin.LoadSkin(VALMORE_RUN_DIR, ModeOf(GetParam()));
    const CBitmap& quitUp = skin.Bitmap(kSkinMenuButton4Up);
    const CBitmap& okUp = skin.Bitmap(kSkinOkUp);
    const CBitmap& cancelUp = skin.Bitmap(kSkinCancelUp);
    const CBitmap& rankingUp = skin.Bitmap(kSkinCommButton1Up);
    const CBitmap& rankingOff = skin.Bitmap(kSkinCommButton1Non);
    const CBitmap& rankingDown = skin.Bitmap(kSkinCommButton1Dn);
    const CBitmap& changeUp = skin.Bitmap(kSkinRegisterButtonUp);
    const CBitmap& backUp = skin.Bitmap(kSkinCommBackUp);
    auto shows = [](const CBitmap& picture, const Rect& where) {
        return [&picture, where](const ScreenImage& shot) { return shot.Shows(picture, Corner(where)); };
    };
    auto rankingShows = [&](const CBitmap& look) {
        return [&, where = at.comm[CCommMenuScreen::kRankingButton]](const ScreenImage& shot) {
            std::vector<const CBitmap*> others;
            for (const CBitmap* b : {&rankingUp, &rankingOff, &rankingDown}) {
                if (b != &look) others.push_back(b);
            }
            return shot.Shows(look, Corner(where), others);
        };
    };
    auto noticeShown = shows(okUp, at.noticeOk);
    auto noticeGone = [&](const ScreenImage& shot) { return !noticeShown(shot); };

    test::RankingServerProcess server;
    ASSERT_TRUE(server.Start()) << "valmore-server did not start";
    test::TempDir userDir;
    test::TempDir scratch;
    // A play of the shipped earnings scenario, finished before the trainer starts.
    const test::ToolRun played =
        test::RunTool({"play", test::kEarningsPlay.ScenarioPath().string(), "--orders",
                       test::kEarningsPlay.OrdersPath().string(), "--results", (userDir / "result.dat").string()},
                      true);
    ASSERT_EQ(played.status, 0) << played.out;

    ASSERT_TRUE(StartProgram(userDir.Path(), server.BaseUrl())) << "the program did not start";
    ASSERT_TRUE(session_->WaitUntil(shows(quitUp, at.quit), milliseconds(10000))) << "no main menu";
    Shoot("menu");

    // No account yet: a notice over the menu, whose ranking is closed.
    ASSERT_TRUE(ClickUntil(at.communication, noticeShown)) << "no notice about the missing account";
    Shoot("no_account");
    ASSERT_TRUE(ClickUntil(at.noticeOk, rankingShows(rankingOff))) << "the ranking button is not disabled";
    Shoot("menu_closed");

    ASSERT_TRUE(ClickUntil(at.comm[CCommMenuScreen::kRegistrationButton], shows(changeUp, at.change)));
    Shoot("registration_empty");
    ASSERT_TRUE(ClickUntil(at.change, shows(cancelUp, at.dialogCancel))) << "the user dialog did not open";
    ASSERT_TRUE(Xdotool({"type", "--delay", "40", "taro01"}));
    ASSERT_TRUE(Xdotool({"key", "Tab"}));
    ASSERT_TRUE(Xdotool({"type", "--delay", "80", "たろう"}));
    ASSERT_TRUE(Xdotool({"key", "Tab"}));
    ASSERT_TRUE(Xdotool({"type", "--delay", "40", "pass1"}));
    Shoot("dialog_typed");
    ASSERT_TRUE(Xdotool({"key", "Return"}));
    ASSERT_TRUE(session_->WaitUntil(noticeShown, milliseconds(10000))) << "no notice after the registration";
    Shoot("registered");
    const std::filesystem::path accountFile = CUserAccount::FileIn(userDir.Path());
    CUserAccount saved;
    ASSERT_EQ(saved.Load(accountFile).status, AccountFileStatus::Loaded) << "the account file was not written";
    EXPECT_EQ(saved.UserID, "taro01");
    EXPECT_EQ(Cp932ToUtf8(saved.Nickname), "たろう");
    EXPECT_EQ(saved.Password, "pass1");
    struct stat info {};
    ASSERT_EQ(::stat(accountFile.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    ASSERT_TRUE(ClickUntil(at.noticeOk, noticeGone));
    Shoot("registration_filled");
    ASSERT_TRUE(ClickUntil(at.registrationBack, rankingShows(rankingUp))) << "the ranking did not open";
    Shoot("menu_open");

    ASSERT_TRUE(ClickUntil(at.comm[CCommMenuScreen::kSubmitButton], noticeShown)) << "no notice after sending";
    Shoot("sent");
    ASSERT_TRUE(ClickUntil(at.noticeOk, noticeGone));

    ASSERT_TRUE(ClickUntil(at.comm[CCommMenuScreen::kRankingButton], shows(backUp, at.rankingBack)));
    // The first scenario the server lists is the one played; its only row is the user's, in blue.
    auto ownRowBlue = [&](const ScreenImage& shot) {
        int blue = 0;
        for (int y = at.ownRow.top; y < at.ownRow.bottom; ++y) {
            for (int x = at.ownRow.left; x < at.ownRow.right; ++x) {
                blue += shot.Pixel(x, y) == CRankingScreen::kOwnRowColour;
            }
        }
        return blue > 20;
    };
    EXPECT_TRUE(session_->WaitUntil(ownRowBlue, milliseconds(5000))) << "the own row is not blue";
    Shoot("ranking");

    // Back to the menu and out through the quit question.
    ASSERT_TRUE(ClickUntil(at.rankingBack, shows(quitUp, at.quit)));
    ASSERT_TRUE(ClickUntil(at.quit, shows(skin.Bitmap(kSkinYesUp), at.yes)));
    std::optional<int> status;
    for (int attempt = 0; attempt < 3 && !status; ++attempt) {
        ASSERT_TRUE(session_->Click(test::Centre(at.yes)));
        status = session_->Program().WaitExit(milliseconds(3000));
    }
    EXPECT_EQ(status, 0);

    // A second start reads the account: no notice, and the ranking and submission are open.
    ASSERT_TRUE(StartProgram(userDir.Path(), server.BaseUrl())) << "the program did not start again";
    ASSERT_TRUE(session_->WaitUntil(shows(quitUp, at.quit), milliseconds(10000)));
    ASSERT_TRUE(ClickUntil(at.communication, rankingShows(rankingUp))) << "the stored account was not accepted";
    EXPECT_TRUE(session_->Shot()->Shows(skin.Bitmap(kSkinCommButton2Up),
                                        Corner(at.comm[CCommMenuScreen::kSubmitButton]),
                                        {&skin.Bitmap(kSkinCommButton2Non), &skin.Bitmap(kSkinCommButton2Dn)}));
    EXPECT_FALSE(noticeShown(*session_->Shot()));
    Shoot("second_start");
}

INSTANTIATE_TEST_SUITE_P(BothScreens, RealWindowServerLink, ::testing::Values(kModeXga, kModeSxga), test::ModeName);

}  // namespace
}  // namespace valmore
