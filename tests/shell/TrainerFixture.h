#pragma once

// The whole trainer as the program starts it, over a headless window: the real screens plugged in,
// the shipped scenarios of the build's run folder, and a fresh user folder. Helpers drive it only by
// queued clicks and ticks at the places the screens put their buttons, answer popups as they open,
// and play the same orders through valmore-tool to compare the figures.

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/HeadlessWindow.h"
#include "playscreen/AnimatedButton.h"
#include "playscreen/OrderPanel.h"
#include "playscreen/SimulationScreen.h"
#include "results/ResultStore.h"
#include "results/screens/ResultScreen.h"
#include "scenario/screens/ScenarioSelectScreen.h"
#include "shell/AppContext.h"
#include "shell/MainMenuScreen.h"
#include "shell/MainView.h"
#include "shell/ProgramScreens.h"
#include "support/TempDir.h"
#include "support/ToolRun.h"
#include "ui/Dialog.h"
#include "ui/SpinBox.h"

namespace valmore::test {

// One product's order of one day, as a line of an orders file gives it: "B1000", "S500" or "P".
struct PlannedOrder {
    int choice = kActionPass;
    int quantity = 0;
};
using DayPlan = std::vector<PlannedOrder>;

// The days of an orders file (comments and blank lines skipped). Malformed tokens fail the test.
inline std::vector<DayPlan> ParsePlan(const std::string& text) {
    std::vector<DayPlan> days;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream tokens(line);
        DayPlan day;
        for (std::string token; tokens >> token;) {
            PlannedOrder order;
            if (token[0] == 'B' || token[0] == 'S') {
                order.choice = token[0] == 'B' ? kActionBuy : kActionSell;
                order.quantity = std::stoi(token.substr(1));
            } else {
                EXPECT_EQ(token, "P") << line;
            }
            day.push_back(order);
        }
        if (!day.empty()) days.push_back(day);
    }
    return days;
}

inline std::string ReadText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A shipped scenario of the run folder with the orders the content ships for it.
struct ShippedPlay {
    std::string id;
    std::string scenarioFile;  // below the run folder's "data"
    std::string ordersFile;    // below the sources' "content/orders"

    std::filesystem::path ScenarioPath() const {
        return std::filesystem::path(VALMORE_RUN_DIR) / "data" / scenarioFile;
    }
    std::filesystem::path OrdersPath() const {
        return std::filesystem::path(VALMORE_SOURCE_DIR) / "content" / "orders" / ordersFile;
    }
    std::vector<DayPlan> Plan() const { return ParsePlan(ReadText(OrdersPath())); }
};

inline const ShippedPlay kPracticePlay{"VM-P00", "操作練習.scn", "操作練習.orders"};
inline const ShippedPlay kEarningsPlay{"VM-E01", "e01_earnings_surprise.scn", "e01_earnings_surprise.orders"};

// The record `valmore-tool play` appends for the orders, read back from its own result file.
inline ResultRecord ToolRecord(const ShippedPlay& play, TempDir& scratch) {
    const std::filesystem::path results = scratch / "tool-result.dat";
    std::filesystem::remove(results);
    const ToolRun run = RunTool(
        {"play", play.ScenarioPath().string(), "--orders", play.OrdersPath().string(), "--results", results.string()},
        true);
    EXPECT_EQ(run.status, 0) << run.out;
    CResultStore store(results);
    EXPECT_TRUE(store.Load().Ok());
    EXPECT_EQ(store.Count(play.id), 1);
    return store.At(play.id, 0).value_or(ResultRecord{});
}

// The record with the date of another, so two plays of different days compare by their figures.
inline ResultRecord DatedAs(ResultRecord record, const ResultRecord& other) {
    record.Date = other.Date;
    return record;
}

inline Size ScreenOfMode(int mode) {
    return mode == kModeSxga ? Size{1280, 1024} : Size{1024, 768};
}

inline const char* ModeName(const ::testing::TestParamInfo<int>& info) {
    return info.param == kModeXga ? "Xga" : "Sxga";
}

class Trainer {
public:
    // Starts the program's screens as the binary does: the mode follows the screen size.
    explicit Trainer(int mode) : window(ScreenOfMode(mode)), context(AppPaths{VALMORE_RUN_DIR, userDir.Path()}) {
        InstallProgramScreens(context);
        view = std::make_unique<CMainView>(window, context);
        std::string error;
        created = view->Create(std::nullopt, &error);
        EXPECT_TRUE(created) << error;
        window.SetFeed([this](CHeadlessWindow&) { return AnswerPopup(); });
        view->Start();
        Pump();
    }

    CMainMenuScreen& Menu() const { return Screen<CMainMenuScreen>(kScreenMainMenu); }
    CScenarioSelectScreen& Selection() const { return Screen<CScenarioSelectScreen>(kScreenScenarioSelect); }
    CSimulationScreen& Simulation() const { return Screen<CSimulationScreen>(kScreenSimulation); }
    CResultScreen& Result() const { return Screen<CResultScreen>(kScreenResult); }
    int Current() const { return view->CurrentScreen(); }

    void Pump() { window.RunUntilIdle(*view); }
    // A press and release in the middle of the rectangle; the window delivers canvas positions.
    void ClickAt(const Rect& r) {
        const int x = (r.left + r.right) / 2;
        const int y = (r.top + r.bottom) / 2;
        window.QueueInput(InputEvent::LeftDown(x, y));
        window.QueueInput(InputEvent::LeftUp(x, y));
        Pump();
    }
    void Click(const CPanel& panel) { ClickAt(panel.GetRect()); }

    // From the main menu to the scenario selection, then a click on the scenario's row.
    void SelectScenario(const std::string& id) {
        ASSERT_EQ(Current(), kScreenMainMenu);
        Click(Menu().Button(1));
        ASSERT_EQ(Current(), kScreenScenarioSelect);
        const int index = EntryIndex(id);
        ASSERT_GE(index, 0) << id << " is not in the catalogue";
        CScenarioCatalog& catalog = Selection().Catalog();
        while (catalog.Page() < index / CScenarioCatalog::kRowsPerPage) Click(Selection().NextPageButton());
        ClickAt(catalog.RowHitRect(index % CScenarioCatalog::kRowsPerPage));
        ASSERT_EQ(catalog.Selection(), index);
    }
    int EntryIndex(const std::string& id) const {
        const CScenarioCatalog& catalog = Selection().Catalog();
        for (int i = 0; i < catalog.EntryCount(); ++i) {
            if (catalog.Entry(i)->header.ID == id) return i;
        }
        return -1;
    }

    // Delivers timer ticks one at a time, without painting in between, until the day's orders are
    // accepted or the simulation screen is left; then paints once.
    void TickUntilOrdersOrEnd() {
        for (int i = 0; i < 5000 && Current() == kScreenSimulation && !context.controller.AcceptingOrders(); ++i) {
            window.QueueTick();
            window.PumpOne(*view, 0);
        }
        Pump();
    }

    // Decides every product by clicking its BUY, PASS or SELL button and the spin box arrows, then
    // clicks the execute button.
    void DecideDay(const DayPlan& day) {
        ASSERT_TRUE(context.controller.AcceptingOrders());
        CSimulationScreen& screen = Simulation();
        const COrderPanel& panel = screen.OrderPanel();
        for (int c = 0; c < COrderPanel::kColumns; ++c) {
            if (!panel.ColumnUsed(c)) continue;
            const auto product = static_cast<std::size_t>(panel.ColumnProduct(c));
            ASSERT_LT(product, day.size());
            const PlannedOrder& order = day[product];
            CSkinButton& decision = order.choice == kActionBuy    ? screen.BuyButton(c)
                                    : order.choice == kActionSell ? screen.SellButton(c)
                                                                  : screen.PassButton(c);
            ASSERT_TRUE(decision.enabled) << "column " << c;
            Click(decision);
            ASSERT_EQ(panel.GetChoice(c), static_cast<OrderChoice>(order.choice)) << "column " << c;
            if (order.choice != kActionPass) SetQuantity(screen.QuantityBox(c), order.quantity);
        }
        ASSERT_TRUE(screen.ExecuteButton().enabled);
        Click(screen.ExecuteButton());
        ASSERT_FALSE(context.controller.AcceptingOrders()) << "the day's orders were refused";
    }

    // Steps the spin box from its one unit to the quantity by its arrows; one step too far and back
    // when the maximum allows, so both arrows are used.
    void SetQuantity(CSpinBox& box, int quantity) {
        ASSERT_TRUE(box.Enabled());
        ASSERT_GT(box.Step(), 0);
        ASSERT_EQ(box.Value(), box.Min());
        const int ups = (quantity - box.Value()) / box.Step();
        ASSERT_GE(ups, 0);
        const bool overshoot = quantity + box.Step() <= box.Max();
        for (int i = 0; i < ups + (overshoot ? 1 : 0); ++i) ClickAt(box.UpRect());
        if (overshoot) ClickAt(box.DownRect());
        ASSERT_EQ(box.Value(), quantity);
    }

    // Plays the days from the current one on, each decided as planned, until the result screen.
    void PlayToTheEnd(const std::vector<DayPlan>& plan) {
        for (;;) {
            TickUntilOrdersOrEnd();
            if (Current() != kScreenSimulation) break;
            const CPlay* play = context.controller.Play();
            ASSERT_NE(play, nullptr);
            const auto day = static_cast<std::size_t>(play->CurrentEventListIndex());
            ASSERT_LT(day, plan.size());
            DecideDay(plan[day]);
            if (::testing::Test::HasFatalFailure()) return;
        }
        ASSERT_EQ(Current(), kScreenResult);
    }

    // The only record the screens stored for the scenario, as result.dat holds it.
    ResultRecord StoredRecord(const std::string& id) {
        CResultStore store(context.ResultFile());
        EXPECT_TRUE(store.Load().Ok());
        EXPECT_EQ(store.Count(id), 1);
        return store.At(id, 0).value_or(ResultRecord{});
    }

    // Answers to the questions to come, in order (QVDialog::kResultYes or kResultNo); a notice fails
    // the test, as none is expected on these paths.
    std::deque<int> answers;
    std::vector<int> popupModes;

    TempDir userDir;
    TempDir scratch;
    CHeadlessWindow window;
    CAppContext context;
    std::unique_ptr<CMainView> view;
    bool created = false;

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

    bool AnswerPopup() {
        QVDialog& popup = context.MessagePopup();
        if (!popup.IsOpen()) return false;
        popupModes.push_back(popup.Mode());
        bool yes = false;
        if (popup.Mode() != QVDialog::kModeQuestion) {
            ADD_FAILURE() << "an unexpected notice";
        } else if (answers.empty()) {
            ADD_FAILURE() << "a question nobody expected";
        } else {
            yes = answers.front() == QVDialog::kResultYes;
            answers.pop_front();
        }
        const Rect bounds = popup.Bounds();
        const Rect r = (yes ? popup.Button1() : popup.Button2()).GetRect();
        const int x = bounds.left + (r.left + r.right) / 2;
        const int y = bounds.top + (r.top + r.bottom) / 2;
        window.QueueInput(InputEvent::LeftDown(x, y));
        window.QueueInput(InputEvent::LeftUp(x, y));
        return true;
    }
};

}  // namespace valmore::test
