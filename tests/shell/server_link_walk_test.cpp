// The server link walked through the real screens over a headless window, against the real ranking
// server: an account file others may read refused at start, registration typed into the user dialog,
// a nickname taken, a wrong password, the best results sent, the ranking with the own row in blue, a
// refused version and a stopped server; then a hostile server that refuses without a reason, fails a
// ranking page and never answers another.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <deque>
#include <utility>

#include "RankingServerProcess.h"
#include "TrainerFixture.h"
#include "net/FakeHttpServer.h"
#include "net/screens/CommMenuScreen.h"
#include "net/screens/RankingScreen.h"
#include "net/screens/RegistrationScreen.h"
#include "platform/Sjis.h"

namespace valmore::test {
namespace {

using Notices = std::vector<std::string>;

InputEvent Type(std::string_view utf8) {
    return InputEvent::Text(Sj(utf8));
}
const InputEvent kTab = InputEvent::KeyDown(kKeyTab);
const InputEvent kBackTab = InputEvent::KeyDown(kKeyTab, kModifierShift);
const InputEvent kEnter = InputEvent::KeyDown(kKeyEnter);
const InputEvent kSelectAll = InputEvent::KeyDown('A', kModifierControl);

// The program's screens with the link pointed at the test's server. Notices are noted and closed;
// the user dialog gets the keys queued for it, one list per showing.
struct LinkedTrainer {
    LinkedTrainer(int mode, const std::filesystem::path& userDir, const std::string& serverUrl)
        : window(ScreenOfMode(mode)), context(AppPaths{VALMORE_RUN_DIR, userDir}, serverUrl) {
        InstallProgramScreens(context);
        view = std::make_unique<CMainView>(window, context);
        EXPECT_TRUE(view->Create(std::nullopt));
        window.SetFeed([this](CHeadlessWindow&) { return Answer(); });
        view->Start();
        window.RunUntilIdle(*view);
    }
    template <class T>
    T& At(int slot) const {
        return dynamic_cast<T&>(*view->ScreenAt(slot));
    }
    CCommMenuScreen& Menu() const { return At<CCommMenuScreen>(kScreenCommMenu); }
    CRegistrationScreen& Registration() const { return At<CRegistrationScreen>(kScreenRegistration); }
    void Queue(const Rect& r) {
        window.QueueInput(InputEvent::LeftDown(r.left + 2, r.top + 2));
        window.QueueInput(InputEvent::LeftUp(r.left + 2, r.top + 2));
    }
    // A click on the panel; the notices it brought, in UTF-8.
    Notices Click(const CPanel& panel) {
        Queue(panel.GetRect());
        window.RunUntilIdle(*view);
        return std::exchange(notices, {});
    }
    Notices ClickMenu(int button) { return Click(Menu().ButtonAt(button)); }
    Notices OpenCommunication() {
        EXPECT_EQ(view->CurrentScreen(), kScreenMainMenu);
        return Click(At<CMainMenuScreen>(kScreenMainMenu).Button(2));
    }
    Notices ChangeRegistration(std::vector<InputEvent> keys) {
        typing.push_back(std::move(keys));
        return Click(Registration().ChangeButton());
    }
    bool Open() const {
        return Menu().ButtonAt(CCommMenuScreen::kRankingButton).enabled &&
               Menu().ButtonAt(CCommMenuScreen::kSubmitButton).enabled;
    }

    bool Answer() {
        // Once, the first time the program waits for a request: what the user does meanwhile.
        if (view && view->Awaiting() && whileWaiting) {
            window.QueueInput(*std::exchange(whileWaiting, std::nullopt));
            return true;
        }
        if (context.UserDialog().IsOpen()) {
            EXPECT_FALSE(typing.empty()) << Cp932ToUtf8(context.UserDialog().Message());
            for (const InputEvent& e : typing.empty() ? std::vector{InputEvent::KeyDown(kKeyEscape)} : typing.front())
                window.QueueInput(e);
            if (!typing.empty()) typing.pop_front();
            return true;
        }
        QVDialog& popup = context.MessagePopup();
        if (!popup.IsOpen()) return false;
        notices.push_back(Cp932ToUtf8(popup.Text()));
        Queue(popup.Button2().GetRect().Offset(popup.Bounds().left, popup.Bounds().top));
        return true;
    }

    std::deque<std::vector<InputEvent>> typing;
    std::optional<InputEvent> whileWaiting;
    Notices notices;
    CHeadlessWindow window;
    CAppContext context;
    std::unique_ptr<CMainView> view;
};

ResultRecord Played(const std::string& date, int score, int pl) {
    return ResultRecord{date, score, 0, 0, pl, 0, 0, 1200, 3400, 0, 0};
}

class ServerLinkWalk : public ::testing::TestWithParam<int> {};

TEST_P(ServerLinkWalk, RegisterSubmitAndRankThroughTheScreensAgainstTheRealServer) {
    RankingServerProcess server;
    ASSERT_TRUE(server.Start()) << "valmore-server did not start";
    ASSERT_EQ(RunCommand({VALMORE_SERVER_PATH, "add-user", "--db", server.database, "hanako", "hanapass", "はなこ"}, "",
                         milliseconds(60000)),
              0);
    TempDir userDir;
    {
        CResultStore store(userDir / "result.dat");
        store.Add("VM-E01", Played("2026/11/01", 50, 1000));
        store.Add("VM-E01", Played("2026/11/02", 80, 200000));
        store.Add("VM-E01", Played("2026/11/03", 80, 300000));
        store.Add("VM-P00", Played("2026/11/04", 60, -5000));
    }
    CUserAccount stale;
    stale.UserID = stale.Password = "stale";
    ASSERT_TRUE(stale.Save(CUserAccount::FileIn(userDir.Path()), nullptr));
    std::filesystem::permissions(CUserAccount::FileIn(userDir.Path()), std::filesystem::perms::group_read,
                                 std::filesystem::perm_options::add);
    LinkedTrainer t(GetParam(), userDir.Path(), server.BaseUrl());
    ASSERT_EQ(t.notices.size(), 1u);
    EXPECT_NE(std::exchange(t.notices, {})[0].find("chmod 600"), std::string::npos);
    EXPECT_EQ(t.OpenCommunication(),
              Notices{"ユーザーIDとパスワードが設定されていません。「登録情報」からID、ニックネー"
                      "ム、パスワードを入力して登録を完了してください。"});
    EXPECT_FALSE(t.Open());
    t.ClickMenu(CCommMenuScreen::kRegistrationButton);
    EXPECT_EQ(Cp932ToUtf8(t.Registration().ShownValues()[1]), "(未登録)");

    // The server takes the new account but not another user's nickname; the status stays good.
    EXPECT_EQ(t.ChangeRegistration({Type("taro01"), kTab, Type("はなこ"), kTab, Type("pass1"), kEnter}),
              Notices{"ニックネーム「はなこ」は、既に他のユーザーに使われています。全角10文字以内で、別のニックネーム"
                      "を登録してください。"});
    EXPECT_EQ(t.context.Account().status, AccountStatus::Valid);
    // The dialog opens with what was entered; two Shift+Tabs reach the nickname.
    EXPECT_EQ(t.ChangeRegistration({kBackTab, kBackTab, kSelectAll, Type("たろう"), kEnter}),
              Notices{"登録されました。"});
    struct stat info {};
    ASSERT_EQ(::stat(t.context.AccountFile().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u) << "the registration replaces the refused file";

    // Another user's ID with a wrong password is refused; the way back asks the server nothing.
    EXPECT_EQ(t.ChangeRegistration({kSelectAll, Type("hanako"), kTab, kTab, kSelectAll, Type("wrong"), kEnter}),
              Notices{"ユーザーID、又はパスワードが無効です。内容をご確認の上再度登録してください。"});
    EXPECT_EQ(t.Click(t.Registration().BackButton()), Notices{});
    EXPECT_FALSE(t.Open());
    // Opened again from the main menu, the stored account is checked and accepted.
    t.ClickMenu(CCommMenuScreen::kBackButton);
    EXPECT_EQ(t.OpenCommunication(), Notices{});
    ASSERT_TRUE(t.Open());
    EXPECT_EQ(t.Click(t.Menu().ButtonAt(CCommMenuScreen::kSubmitButton)), Notices{"送信しました。"});

    t.ClickMenu(CCommMenuScreen::kRankingButton);
    CRankingScreen& ranking = t.At<CRankingScreen>(kScreenRanking);
    ASSERT_EQ(ranking.Page(), 0);
    ASSERT_GT(ranking.Scenarios().size(), 1u);
    EXPECT_FALSE(ranking.PreviousButton().enabled);
    const ServerScenario& scenario = ranking.Scenarios()[0];
    ASSERT_EQ(scenario.ID, "VM-E01");
    EXPECT_EQ(ranking.HeaderTexts(scenario, 3)[9], "3");
    ASSERT_EQ(ranking.Rows().size(), 1u);
    const std::array<std::string, CRankingScreen::kColumns> own = ranking.RowTexts(ranking.Rows()[0], scenario);
    EXPECT_EQ(Cp932ToUtf8(own[1]) + " " + own[2] + " " + own[7], "たろう 2026/11/02 195,400")
        << "of two equal best scores the first is sent";
    auto bluePixels = [&](int row) {
        const Rect r = ranking.RowRect(row);
        int count = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) count += t.window.BackBuffer().Pixel(x, y) == kPalette.ownRow;
        }
        return count;
    };
    EXPECT_GT(bluePixels(0), 20);
    EXPECT_EQ(bluePixels(1), 0);
    t.Click(ranking.NextButton());
    EXPECT_TRUE(ranking.PreviousButton().enabled);
    t.Click(ranking.PreviousButton());
    EXPECT_FALSE(ranking.PreviousButton().enabled);
    t.Click(ranking.BackButton());

    // A refused version and a stopped server each have their notice and close ranking and submission.
    t.context.ServerLink().SetProtocolVersion("QUIVO_TARN_000_OLD");
    EXPECT_EQ(t.OpenCommunication(),
              Notices{"ヴァルモアのバージョンが古いため接続できません、アップデートしてください。"});
    EXPECT_FALSE(t.Open());
    t.context.ServerLink().SetProtocolVersion(std::string(kProtocolVersion));
    t.ClickMenu(CCommMenuScreen::kBackButton);
    server.process.Kill();
    const Notices stopped = t.OpenCommunication();
    ASSERT_EQ(stopped.size(), 1u);
    EXPECT_EQ(stopped[0].rfind("ヴァルモアサーバーに接続できません。", 0), 0u) << stopped[0];
    EXPECT_NE(stopped[0].find("http://127.0.0.1:" + std::to_string(server.port) + "/ "), std::string::npos);
    EXPECT_FALSE(t.Open());
    t.ClickMenu(CCommMenuScreen::kRegistrationButton);
    EXPECT_EQ(t.ChangeRegistration({kEnter}), stopped);
}

TEST_P(ServerLinkWalk, AHostileServerIsToldApartAndARequestOutEndsWithTheWindow) {
    FakeHttpServer server([](const std::string& target) {
        auto asks = [&target](const char* what) { return target.find(what) != std::string::npos; };
        if (asks("/UserValidate?")) return FakeHttpServer::Body("RURADIZA:OK");
        if (asks("/ResultHandler?")) return FakeHttpServer::Body("RURADIZA:SCENARIO_VALIDATE_FAILUER");
        if (asks("/ScenarioList?"))
            return FakeHttpServer::Body("RURADIZA:VM-E01,1,0,0,1,20,30,1,1,VM-E02,2,0,0,1,2,3,1,1");
        return asks("ID=VM-E01") ? FakeHttpServer::Body("broken", 500) : FakeHttpServer::Silence();
    });
    TempDir userDir;
    CResultStore(userDir / "result.dat").Add("VM-E01", Played("2026/11/01", 50, 1000));
    CUserAccount account;
    account.UserID = "taro01";
    account.Password = "pass1";
    ASSERT_TRUE(account.Save(CUserAccount::FileIn(userDir.Path()), nullptr));
    LinkedTrainer t(GetParam(), userDir.Path(), server.BaseUrl());
    EXPECT_EQ(t.OpenCommunication(), Notices{});
    // A refusal without its text still says what happened, and nothing counts as sent.
    EXPECT_EQ(t.ClickMenu(CCommMenuScreen::kSubmitButton),
              (Notices{"サーバーが成績を受け付けませんでした。", "送信に失敗しました。"}));
    const Notices failed = t.ClickMenu(CCommMenuScreen::kRankingButton);
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0].rfind("ヴァルモアサーバーに接続できません。", 0), 0u) << failed[0];
    CRankingScreen& ranking = t.At<CRankingScreen>(kScreenRanking);
    EXPECT_TRUE(ranking.PageFailed());
    // The window closed while the next page is out: the program ends with the request given up.
    t.whileWaiting = InputEvent::CloseRequest();
    EXPECT_EQ(t.Click(ranking.NextButton()), Notices{});
    EXPECT_TRUE(t.window.QuitPosted() && ranking.PageFailed());
    EXPECT_FALSE(t.view->Awaiting());
}

INSTANTIATE_TEST_SUITE_P(BothModes, ServerLinkWalk, ::testing::Values(kModeXga, kModeSxga), ModeName);

}  // namespace
}  // namespace valmore::test
