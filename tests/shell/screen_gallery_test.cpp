// A walk through every screen of the trainer and every state of a day, in both modes, that writes one
// picture per step to VALMORE_SCREENSHOT_DIR. It is for looking at by eye and for comparing two builds
// picture by picture (`compare -metric AE`); without that folder it is skipped.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "TrainerFixture.h"
#include "playscreen/NewsPanel.h"
#include "results/screens/ResultScreen.h"

namespace valmore::test {
namespace {

class ScreenGallery : public ::testing::TestWithParam<int> {
protected:
    ScreenGallery() : trainer(GetParam()) {
        const char* folder = std::getenv("VALMORE_SCREENSHOT_DIR");
        if (folder && *folder) out = std::filesystem::path(folder);
        // Pictures of popups are taken from inside their modal loops, before they are answered.
        trainer.window.SetFeed([this](CHeadlessWindow&) { return ShootAndAnswerPopup(); });
    }

    void Shoot(const std::string& name) {
        trainer.window.UpdateNow(*trainer.view);
        const std::string file = std::string(GetParam() == kModeXga ? "xga" : "sxga") + "_" + (step < 10 ? "0" : "") +
                                 std::to_string(step) + "_" + name + ".png";
        ++step;
        std::string error;
        EXPECT_TRUE(trainer.window.BackBuffer().SavePng(out / file, &error)) << error;
    }

    void Ticks(int count) {
        for (int i = 0; i < count; ++i) {
            trainer.window.QueueTick();
            trainer.window.PumpOne(*trainer.view, 0);
        }
        trainer.Pump();
    }

    // The popup is pictured once, then answered: yes to the questions queued in `answers`, no to
    // any other question, OK to a notice.
    bool ShootAndAnswerPopup() {
        QVDetailDialog& detail = trainer.context.DetailPopup();
        if (detail.IsOpen()) {
            Shoot("result_detail");
            const Rect bounds = detail.Bounds();
            const Rect r = detail.OkButton().GetRect();
            const Point p{bounds.left + (r.left + r.right) / 2, bounds.top + (r.top + r.bottom) / 2};
            trainer.window.QueueInput(InputEvent::LeftDown(p.x, p.y));
            trainer.window.QueueInput(InputEvent::LeftUp(p.x, p.y));
            return true;
        }
        QVDialog& popup = trainer.context.MessagePopup();
        if (!popup.IsOpen()) return false;
        if (step > 60) {
            ADD_FAILURE() << "a popup that does not close";
            return false;
        }
        Shoot(popupName.empty() ? "popup" : popupName);
        popupName.clear();
        const bool yes = !trainer.answers.empty() && trainer.answers.front() == QVDialog::kResultYes;
        if (!trainer.answers.empty()) trainer.answers.pop_front();
        const Rect bounds = popup.Bounds();
        const bool question = popup.Mode() == QVDialog::kModeQuestion;
        const Rect r = (question && yes ? popup.Button1() : popup.Button2()).GetRect();
        const int x = bounds.left + (r.left + r.right) / 2;
        const int y = bounds.top + (r.top + r.bottom) / 2;
        trainer.window.QueueInput(InputEvent::LeftDown(x, y));
        trainer.window.QueueInput(InputEvent::LeftUp(x, y));
        return true;
    }

    // The first link of the text on its current page, in canvas coordinates.
    static std::optional<Point> FirstLink(const CMarkupText& markup, int page) {
        for (const MarkupFragment& f : markup.Fragments(page)) {
            if (f.link) return Point{f.rect.left + 1, f.rect.top + 1};
        }
        return std::nullopt;
    }

    void ClickPoint(Point p) {
        trainer.window.QueueInput(InputEvent::LeftDown(p.x, p.y));
        trainer.window.QueueInput(InputEvent::LeftUp(p.x, p.y));
        trainer.Pump();
    }

    Trainer trainer;
    std::filesystem::path out;
    std::string popupName;
    int step = 0;
};

TEST_P(ScreenGallery, EveryScreenAndEveryStateOfADay) {
    if (out.empty()) GTEST_SKIP() << "VALMORE_SCREENSHOT_DIR is not set";
    std::filesystem::create_directories(out);
    Trainer& t = trainer;
    Shoot("main_menu");
    popupName = "quit_question";
    t.Click(t.Menu().Button(3));
    ASSERT_EQ(t.Current(), kScreenMainMenu);
    t.Click(t.Menu().Button(2));
    Shoot("communication");
    t.view->SwitchScreen(kScreenMainMenu);
    t.Pump();

    t.SelectScenario(kPracticePlay.id);
    Shoot("selection");
    t.Click(t.Selection().StartButton());
    ASSERT_EQ(t.Current(), kScreenSimulation);
    Shoot("day1_opening");
    Ticks(32);
    Shoot("day1_news");
    t.TickUntilOrdersOrEnd();
    Shoot("day1_orders_open");

    CSimulationScreen& screen = t.Simulation();
    t.ClickAt(screen.NewsPanel().RowRect(0));
    Shoot("news_detail");
    if (const auto link = FirstLink(screen.NewsPanel().Markup(), screen.NewsPanel().DetailPage())) {
        ClickPoint(*link);
    }
    Shoot("glossary_entry");
    t.Click(screen.InfoButton(screen.OrderPanel().ColumnUsed(0) ? 0 : 1));
    Shoot("company_info");
    t.Click(screen.NewsListButton());

    const std::vector<DayPlan> plan = kPracticePlay.Plan();
    for (int c = 0; c < COrderPanel::kColumns; ++c) {
        if (!screen.OrderPanel().ColumnUsed(c)) continue;
        const PlannedOrder& order = plan[0][static_cast<std::size_t>(screen.OrderPanel().ColumnProduct(c))];
        t.Click(order.choice == kActionBuy    ? screen.BuyButton(c)
                : order.choice == kActionSell ? screen.SellButton(c)
                                              : screen.PassButton(c));
        if (order.choice != kActionPass) t.SetQuantity(screen.QuantityBox(c), order.quantity);
    }
    Shoot("day1_decided");
    t.Click(screen.ExecuteButton());
    Shoot("day1_trade_log");
    Ticks(12);
    Shoot("day1_price_move");
    Ticks(18);
    Shoot("day2_opening");
    t.TickUntilOrdersOrEnd();

    // Everything bought at once is more than the cash allows: the refusal notice.
    for (int c = 0; c < COrderPanel::kColumns; ++c) {
        if (!screen.OrderPanel().ColumnUsed(c)) continue;
        t.Click(screen.BuyButton(c));
        for (int i = 0; i < 40; ++i) t.ClickAt(screen.QuantityBox(c).UpRect());
    }
    popupName = "refusal_notice";
    t.Click(screen.ExecuteButton());
    ASSERT_TRUE(t.context.controller.AcceptingOrders());
    popupName = "leave_question";
    t.Click(screen.QuitButton());
    ASSERT_EQ(t.Current(), kScreenSimulation);

    // The rest of the play as planned, then the last day's announcement and the result.
    for (int c = 0; c < COrderPanel::kColumns; ++c) {
        if (screen.OrderPanel().ColumnUsed(c)) t.Click(screen.PassButton(c));
    }
    t.PlayToTheEnd(plan);
    ASSERT_EQ(t.Current(), kScreenResult);
    Shoot("result");
    ASSERT_TRUE(t.Result().DetailButton(0).enabled);
    t.Click(t.Result().DetailButton(0));
    if (t.Result().NextButton().enabled) {
        t.Click(t.Result().NextButton());
        Shoot("result_page2");
    }
    t.Click(t.Result().MenuButton());
    t.SelectScenario(kPracticePlay.id);
    t.Click(t.Selection().RecordsButton());
    Shoot("records");
}

INSTANTIATE_TEST_SUITE_P(BothModes, ScreenGallery, ::testing::Values(kModeXga, kModeSxga), ModeName);

// The notices of a start with a damaged result.dat (part of it readable) and snapshot.dat.
class DamagedStoreGallery : public ::testing::TestWithParam<int> {};

TEST_P(DamagedStoreGallery, TheNoticesOfDamagedStoresAtStart) {
    const char* folder = std::getenv("VALMORE_SCREENSHOT_DIR");
    if (!folder || !*folder) GTEST_SKIP() << "VALMORE_SCREENSHOT_DIR is not set";
    std::filesystem::create_directories(folder);
    TempDir userDir;
    // One record read, two left out for a missing value, and the text broken after them.
    userDir.Write("result.dat",
                  "{root {0 {Id \"practice\"}{0 {Date \"2026/12/01\"}{Commition \"120\"}{Tax \"0\"}"
                  "{TradeCount \"2\"}{AvarageAmount \"1500\"}}{1 {Date \"x\"}}{2 {Tax \"1\"}}}\n\n garbage}");
    userDir.Write("snapshot.dat", "{root\n\t{0\n\t\tgarbage\n\t}\n}\n");
    CHeadlessWindow window(ScreenOfMode(GetParam()));
    CAppContext context(AppPaths{VALMORE_RUN_DIR, userDir.Path()});
    InstallProgramScreens(context);
    CMainView view(window, context);
    ASSERT_TRUE(view.Create(std::nullopt));
    std::vector<std::string> names{"damaged_result_dat", "damaged_snapshot_dat"};
    window.SetFeed([&](CHeadlessWindow&) {
        QVDialog& popup = context.MessagePopup();
        if (!popup.IsOpen() || names.empty()) return false;
        window.UpdateNow(view);
        const std::string file = std::string(GetParam() == kModeXga ? "xga_" : "sxga_") + names.front() + ".png";
        names.erase(names.begin());
        EXPECT_TRUE(window.BackBuffer().SavePng(std::filesystem::path(folder) / file, nullptr));
        const Rect ok = popup.Button2().GetRect().Offset(popup.Bounds().left, popup.Bounds().top);
        window.QueueInput(InputEvent::LeftDown((ok.left + ok.right) / 2, ok.top + 2));
        window.QueueInput(InputEvent::LeftUp((ok.left + ok.right) / 2, ok.top + 2));
        return true;
    });
    view.Run();
    EXPECT_TRUE(names.empty());
}

INSTANTIATE_TEST_SUITE_P(BothModes, DamagedStoreGallery, ::testing::Values(kModeXga, kModeSxga), ModeName);

}  // namespace
}  // namespace valmore::test
