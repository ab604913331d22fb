// The server link walked through the real screens over a headless window, against the real ranking
// server: registration through the user dialog's keyboard, a nickname taken, a wrong password, the
// submission of each scenario's best result, the ranking with the user's own row in blue, a refused
// version, a stopped server, and later starts that read the account file.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "RankingServerProcess.h"
#include "TrainerFixture.h"
#include "net/screens/CommMenuScreen.h"
#include "net/screens/RankingScreen.h"
#include "net/screens/RegistrationScreen.h"
#include "platform/Sjis.h"

namespace valmore::test {
namespace {

InputEvent Type(std::string_view utf8) {
    return InputEvent::Text(Sj(utf8));
}
InputEvent Key(int key, unsigned flags = 0) {
    return InputEvent::KeyDown(key, flags);
}

// The trainer as the program starts it, with the server link pointed at the test's server. Notices
// are read and closed with OK; the user dialog gets the keys the test queued for it, one list per
// showing.
class LinkedTrainer {
public:
    LinkedTrainer(int mode, const std::filesystem::path& userDir, const std::string& serverUrl)
        : window(ScreenOfMode(mode)), context(AppPaths{VALMORE_RUN_DIR, userDir}, serverUrl) {
        InstallProgramScreens(context);
        view = std::make_unique<CMainView>(window, context);
        EXPECT_TRUE(view->Create(std::nullopt));
        window.SetFeed([this](CHeadlessWindow&) { return Answer(); });
        view->Start();
        Pump();
    }

    CCommMenuScreen& Menu() const { return Screen<CCommMenuScreen>(kScreenCommMenu); }
    CRankingScreen& Ranking() const { return Screen<CRankingScreen>(kScreenRanking); }
    CRegistrationScreen& Registration() const { return Screen<CRegistrationScreen>(kScreenRegistration); }
    int Current() const { return view->CurrentScreen(); }

    void Pump() { window.RunUntilIdle(*view); }
    void Click(const CPanel& panel) {
        const Rect& r = panel.GetRect();
        window.QueueInput(InputEvent::LeftDown((r.left + r.right) / 2, (r.top + r.bottom) / 2));
        window.QueueInput(InputEvent::LeftUp((r.left + r.right) / 2, (r.top + r.bottom) / 2));
        Pump();
    }
    // From the main menu to the communication menu, which checks the stored account.
    void OpenCommunication() {
        ASSERT_EQ(Current(), kScreenMainMenu);
        Click(Screen<CMainMenuScreen>(kScreenMainMenu).Button(2));
        ASSERT_EQ(Current(), kScreenCommMenu);
    }
    bool RankingAndSubmissionOpen() const {
        return Menu().ButtonAt(CCommMenuScreen::kRankingButton).enabled &&
               Menu().ButtonAt(CCommMenuScreen::kSubmitButton).enabled;
    }
    // The notices shown since the last call, in UTF-8.
    std::vector<std::string> TakeNotices() { return std::exchange(notices, {}); }

    std::deque<std::vector<InputEvent>> typing;
    std::vector<std::string> notices;
    CHeadlessWindow window;
    CAppContext context;
    std::unique_ptr<CMainView> view;

private:
    template <class T>
    T& Screen(int slot) const {
        auto* screen = dynamic_cast<T*>(view->ScreenAt(slot));
        if (screen == nullptr) {
            ADD_FAILURE() << "no screen of the expected kind in slot " << slot;
            std::abort();
        }
        return *screen;
    }

    bool Answer() {
        QVUserValidateDlg& dialog = context.UserDialog();
        if (dialog.IsOpen()) {
            if (typing.empty()) {
                ADD_FAILURE() << "the user dialog stayed open: " << Cp932ToUtf8(dialog.Message());
                window.QueueInput(Key(kKeyEscape));
                return true;
            }
            for (const InputEvent& event : typing.front()) window.QueueInput(event);
            typing.pop_front();
            return true;
        }
        QVDialog& popup = context.MessagePopup();
        if (!popup.IsOpen()) return false;
        EXPECT_EQ(popup.Mode(), QVDialog::kModeNotice);
        notices.push_back(Cp932ToUtf8(popup.Text()));
        const Rect bounds = popup.Bounds();
        const Rect ok = popup.Button2().GetRect();
        const Point at{bounds.left + (ok.left + ok.right) / 2, bounds.top + (ok.top + ok.bottom) / 2};
        window.QueueInput(InputEvent::LeftDown(at.x, at.y));
        window.QueueInput(InputEvent::LeftUp(at.x, at.y));
        return true;
    }
};

ResultRecord Record(const std::string& date, int score, int pl) {
    ResultRecord r;
    r.Date = date;
    r.TotalScore = score;
    r.TotalPL = pl;
    r.Commition = 1200;
    r.Tax = 3400;
    r.TradeCount = 4;
    r.AvarageAmount = 2000;
    return r;
}

const std::string kTakenNotice =
    "ニックネーム「はなこ」は、既に他のユーザーに使われています。全角10文字以内で、別のニックネームを登録してください"
    "。";
const std::string kRejectedNotice = "ユーザーID、又はパスワードが無効です。内容をご確認の上再度登録してください。";

class ServerLinkWalk : public ::testing::TestWithParam<int> {};

TEST_P(ServerLinkWalk, RegisterSubmitAndRankThroughTheScreensAgainstTheRealServer) {
    RankingServerProcess server;
    ASSERT_TRUE(server.Start()) << "valmore-server did not start";
    ASSERT_TRUE(server.AddUser({"hanako", "hanapass", "はなこ"}));
    TempDir userDir;
    {
        // Two results share the best score of VM-E01: the first of them is the one sent.
        CResultStore store(userDir / "result.dat");
        store.Add("VM-E01", Record("2026/11/01 09:00", 50, 1000));
        store.Add("VM-E01", Record("2026/11/02 09:00", 80, 200000));
        store.Add("VM-E01", Record("2026/11/03 09:00", 80, 300000));
        store.Add("VM-P00", Record("2026/11/04 09:00", 60, -5000));
    }

    LinkedTrainer t(GetParam(), userDir.Path(), server.BaseUrl());
    t.OpenCommunication();
    EXPECT_EQ(t.TakeNotices(),
              std::vector<std::string>{"ユーザーIDとパスワードが設定されていません。「登録情報」からID、"
                                       "ニックネーム、パスワードを入力して登録を完了してください。"});
    EXPECT_FALSE(t.RankingAndSubmissionOpen());

    t.Click(t.Menu().ButtonAt(CCommMenuScreen::kRegistrationButton));
    ASSERT_EQ(t.Current(), kScreenRegistration);
    EXPECT_EQ(Cp932ToUtf8(t.Registration().ShownValues()[1]), "(未登録)");

    // The first nickname is another user's: the server takes the new account, not the nickname.
    t.typing.push_back({Type("taro01"), Key(kKeyTab), Type("はなこ"), Key(kKeyTab), Type("pass1"), Key(kKeyEnter)});
    t.Click(t.Registration().ChangeButton());
    EXPECT_EQ(t.TakeNotices(), std::vector<std::string>{kTakenNotice});
    EXPECT_EQ(t.context.Account().status, kAccountValid);
    EXPECT_FALSE(std::filesystem::exists(t.context.AccountFile()));

    // The dialog opens with what was entered; Shift+Tab reaches the nickname from the user ID.
    t.typing.push_back({Key(kKeyTab, kModifierShift), Key(kKeyTab, kModifierShift), Key('A', kModifierControl),
                        Type("たろう"), Key(kKeyEnter)});
    t.Click(t.Registration().ChangeButton());
    EXPECT_EQ(t.TakeNotices(), std::vector<std::string>{"登録されました。"});
    struct stat info {};
    ASSERT_EQ(::stat(t.context.AccountFile().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    CUserAccount saved;
    ASSERT_EQ(saved.Load(t.context.AccountFile()).status, AccountFileStatus::Loaded);
    EXPECT_EQ(saved.UserID, "taro01");
    EXPECT_EQ(Cp932ToUtf8(saved.Nickname), "たろう");
    EXPECT_EQ(saved.Password, "pass1");
    EXPECT_EQ(Cp932ToUtf8(t.Registration().ShownValues()[1]), "たろう");

    // Another user's ID with a wrong password is refused, and the file keeps the registered account.
    t.typing.push_back({Key('A', kModifierControl), Type("hanako"), Key(kKeyTab), Key(kKeyTab),
                        Key('A', kModifierControl), Type("wrong"), Key(kKeyEnter)});
    t.Click(t.Registration().ChangeButton());
    EXPECT_EQ(t.TakeNotices(), std::vector<std::string>{kRejectedNotice});
    EXPECT_EQ(t.context.Account().status, kAccountRejected);
    t.Click(t.Registration().BackButton());
    ASSERT_EQ(t.Current(), kScreenCommMenu);
    EXPECT_TRUE(t.TakeNotices().empty()) << "coming back from the registration asks the server nothing";
    EXPECT_FALSE(t.RankingAndSubmissionOpen());

    // Opened again from the main menu, the stored account is checked and accepted.
    t.Click(t.Menu().ButtonAt(CCommMenuScreen::kBackButton));
    t.OpenCommunication();
    EXPECT_TRUE(t.TakeNotices().empty());
    ASSERT_TRUE(t.RankingAndSubmissionOpen());

    t.Click(t.Menu().ButtonAt(CCommMenuScreen::kSubmitButton));
    EXPECT_EQ(t.TakeNotices(), std::vector<std::string>{"送信しました。"});

    t.Click(t.Menu().ButtonAt(CCommMenuScreen::kRankingButton));
    ASSERT_EQ(t.Current(), kScreenRanking);
    CRankingScreen& ranking = t.Ranking();
    ASSERT_GT(ranking.Scenarios().size(), 1u);
    EXPECT_FALSE(ranking.PreviousButton().enabled);
    EXPECT_TRUE(ranking.NextButton().enabled);
    while (ranking.Scenarios()[static_cast<std::size_t>(ranking.Page())].ID != "VM-E01" &&
           ranking.NextButton().enabled) {
        t.Click(ranking.NextButton());
    }
    const ServerScenario& scenario = ranking.Scenarios()[static_cast<std::size_t>(ranking.Page())];
    ASSERT_EQ(scenario.ID, "VM-E01");
    EXPECT_EQ(ranking.HeaderTexts(scenario, 3)[9], "3");
    ASSERT_EQ(ranking.Rows().size(), 1u);
    const RankingRow& own = ranking.Rows()[0];
    EXPECT_EQ(own.Field(2), "taro01");
    EXPECT_EQ(own.Field(4), "2026/11/02 09:00") << "of two equal best scores the first is sent";
    EXPECT_EQ(Cp932ToUtf8(ranking.RowTexts(own, scenario)[1]), "たろう");
    EXPECT_EQ(ranking.RowTexts(own, scenario)[7], "195,400");  // 200,000 less tax and commission

    // The own row is painted blue; the empty rows below it hold no blue at all.
    t.window.InvalidateAll();
    t.Pump();
    auto bluePixels = [&](int row) {
        const Rect r = ranking.RowRect(row);
        int count = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x)
                count += t.window.BackBuffer().Pixel(x, y) == CRankingScreen::kOwnRowColour;
        }
        return count;
    };
    EXPECT_GT(bluePixels(0), 20);
    EXPECT_EQ(bluePixels(1), 0);

    // Paging back to the first scenario disables the previous button again.
    while (ranking.PreviousButton().enabled) t.Click(ranking.PreviousButton());
    EXPECT_EQ(ranking.Page(), 0);
    EXPECT_TRUE(ranking.NextButton().enabled);
    t.Click(ranking.BackButton());
    ASSERT_EQ(t.Current(), kScreenMainMenu);

    // A refused version and a stopped server each have their notice, and close ranking and submission.
    t.context.ServerLink().SetProtocolVersion("QUIVO_TARN_000_OLD");
    t.OpenCommunication();
    EXPECT_EQ(t.TakeNotices(),
              std::vector<std::string>{"トレドリアのバージョンが古いため接続できません、アップデートしてください。"});
    EXPECT_FALSE(t.RankingAndSubmissionOpen());
    t.context.ServerLink().SetProtocolVersion(std::string(kProtocolVersion));
    t.Click(t.Menu().ButtonAt(CCommMenuScreen::kBackButton));

    server.Stop();
    t.OpenCommunication();
    const std::vector<std::string> stopped = t.TakeNotices();
    ASSERT_EQ(stopped.size(), 1u);
    EXPECT_EQ(stopped[0].rfind("トレドリアサーバーに接続できません。", 0), 0u) << stopped[0];
    EXPECT_NE(stopped[0].find("http://127.0.0.1:" + std::to_string(server.Port()) + "/"), std::string::npos);
    EXPECT_FALSE(t.RankingAndSubmissionOpen());
    t.Click(t.Menu().ButtonAt(CCommMenuScreen::kRegistrationButton));
    t.typing.push_back({Key(kKeyEnter)});
    t.Click(t.Registration().ChangeButton());
    EXPECT_EQ(t.TakeNotices().size(), 1u);
}

TEST_P(ServerLinkWalk, ALaterStartReadsTheAccountFileAndRefusesOneOthersMayRead) {
    RankingServerProcess server;
    ASSERT_TRUE(server.Start()) << "valmore-server did not start";
    ASSERT_TRUE(server.AddUser({"jiro02", "secret2", "じろう"}));
    TempDir userDir;
    CUserAccount account;
    account.UserID = "jiro02";
    account.Nickname = Sj("じろう");
    account.Password = "secret2";
    ASSERT_TRUE(account.Save(CUserAccount::FileIn(userDir.Path()), nullptr));
    {
        LinkedTrainer t(GetParam(), userDir.Path(), server.BaseUrl());
        EXPECT_TRUE(t.TakeNotices().empty());
        t.OpenCommunication();
        EXPECT_TRUE(t.TakeNotices().empty());
        EXPECT_TRUE(t.RankingAndSubmissionOpen());
        // With nothing played, the submission sends nothing and says so plainly.
        t.Click(t.Menu().ButtonAt(CCommMenuScreen::kSubmitButton));
        EXPECT_EQ(t.TakeNotices(), std::vector<std::string>{"送信しました。"});
    }
    std::filesystem::permissions(CUserAccount::FileIn(userDir.Path()), std::filesystem::perms::group_read,
                                 std::filesystem::perm_options::add);
    LinkedTrainer t(GetParam(), userDir.Path(), server.BaseUrl());
    const std::vector<std::string> atStart = t.TakeNotices();
    ASSERT_EQ(atStart.size(), 1u);
    EXPECT_NE(atStart[0].find("chmod 600"), std::string::npos) << atStart[0];
    EXPECT_TRUE(t.context.Account().UserID.empty());
}

INSTANTIATE_TEST_SUITE_P(BothModes, ServerLinkWalk, ::testing::Values(kModeXga, kModeSxga), ModeName);

}  // namespace
}  // namespace valmore::test
