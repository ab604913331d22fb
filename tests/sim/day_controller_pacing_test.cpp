#include <gtest/gtest.h>

#include "sim/DayController.h"
#include "sim/DayControllerFakes.h"
#include "sim/PlayFixtures.h"
#include "support/TempDir.h"

namespace valmore {
namespace {

using test::CFakePracticeGate;
using test::CRecordingPlayView;
using test::FlatScenario;
using test::ScenarioFileText;
using test::TempDir;
using test::TicksUntilOrders;

// A controller playing a scenario written to a file, as the scenario-select screen starts it.
struct Pacing {
    TempDir dir;
    CRecordingPlayView view;
    CDayController controller{&view};

    explicit Pacing(const CScenario& scenario) {
        ScenarioLoadResult loaded = controller.NewPlay(dir.Write("play.scn", ScenarioFileText(scenario)));
        EXPECT_TRUE(loaded.ok) << loaded.Message();
    }

    // Passes on every product and presses the execute button.
    void ExecutePass() {
        for (int i = 0; i < controller.Play()->Market().ProductCount; ++i)
            view.orders[static_cast<std::size_t>(i)] = OrderColumn{i, 1, 0};
        view.executeEnabled = true;
        ASSERT_TRUE(controller.Execute().Accepted());
    }

    // Ticks until the state (and sub-state, in state 1) changes; returns the ticks taken.
    int TicksUntilChange(int limit = 1000) {
        const int state = controller.GetState();
        const int sub = controller.GetSubState();
        for (int n = 1; n <= limit; ++n) {
            controller.Tick();
            if (controller.GetState() != state || controller.GetSubState() != sub) return n;
        }
        return -1;
    }
};

TEST(DayControllerPacing, TheFirstDayShowsThreeSecondsOfOpeningAndThreeOfNewsBeforeOrders) {
    Pacing p(FlatScenario(1, 3));
    EXPECT_EQ(p.controller.GetState(), CDayController::kOpening);
    EXPECT_EQ(p.controller.Countdown(), 3000);
    EXPECT_EQ(p.TicksUntilChange(), 30);
    EXPECT_EQ(p.controller.GetState(), CDayController::kDay);
    EXPECT_EQ(p.controller.GetSubState(), CDayController::kNews);
    EXPECT_EQ(p.controller.Ticks(), 0) << "the news pulse counts from the start of the news";
    EXPECT_EQ(p.view.Count("StartDay"), 1);
    EXPECT_EQ(p.TicksUntilChange(), 30);
    EXPECT_TRUE(p.controller.AcceptingOrders());
    EXPECT_TRUE(p.view.Saw("SetChartDays(0)"));
}

TEST(DayControllerPacing, LaterDaysShowOneSecondAfterExecuteThenTheMoveThenTheNews) {
    Pacing p(FlatScenario(2, 3));
    ASSERT_EQ(TicksUntilOrders(p.controller), 60);
    p.ExecutePass();
    EXPECT_EQ(p.controller.GetSubState(), CDayController::kClosing);
    EXPECT_EQ(p.TicksUntilChange(), 10);
    EXPECT_EQ(p.controller.GetSubState(), CDayController::kPriceMove);
    EXPECT_EQ(p.TicksUntilChange(), 15);
    EXPECT_EQ(p.controller.GetSubState(), CDayController::kNews);
    EXPECT_EQ(p.controller.Play()->CurrentEventListIndex(), 1);
    EXPECT_TRUE(p.view.Saw("ShowNewsList"));
    EXPECT_TRUE(p.view.Saw("SetNewsSelectedEvent(1)"));
    EXPECT_EQ(p.TicksUntilChange(), 15);
    EXPECT_TRUE(p.controller.AcceptingOrders());
    EXPECT_TRUE(p.view.Saw("SetChartDays(1)"));
}

TEST(DayControllerPacing, QuitIsDisabledDuringEveryPauseAndEnabledWhileOrdersAreAccepted) {
    Pacing p(FlatScenario(1, 2));
    for (int day = 0; day < 2; ++day) {
        SCOPED_TRACE("day " + std::to_string(day));
        while (!p.controller.AcceptingOrders()) {
            p.controller.Tick();
            EXPECT_EQ(p.view.quitEnabled, p.controller.AcceptingOrders())
                << "state " << p.controller.GetState() << "/" << p.controller.GetSubState();
        }
        EXPECT_TRUE(p.view.quitEnabled) << "enabled on the very tick the orders open";
        p.controller.Tick();
        EXPECT_TRUE(p.view.quitEnabled) << "and on every tick while they stay open";
        p.ExecutePass();
        EXPECT_FALSE(p.view.quitEnabled) << "a day whose orders are booked cannot be left";
    }
    for (int n = 0; n < 100; ++n) {
        p.controller.Tick();
        EXPECT_FALSE(p.view.quitEnabled);
    }
    EXPECT_EQ(p.controller.GetState(), CDayController::kFinishing);
}

TEST(DayControllerPacing, AOneEventPlayReversesAtTheMovedPriceScoresAndShowsTheResult) {
    CScenario scenario = FlatScenario(1, 1);
    scenario.events[0].Price[0] = 1200;
    Pacing p(scenario);
    int finished = 0;
    FinalFigures figures;
    p.controller.onFinished = [&](const FinalFigures& f) {
        ++finished;
        figures = f;
    };
    p.controller.dateText = [] { return std::string("2024/05/01"); };

    ASSERT_EQ(TicksUntilOrders(p.controller), 60);
    p.view.orders[0] = OrderColumn{0, 0, 2000};
    ASSERT_TRUE(p.controller.Execute().Accepted());
    EXPECT_EQ(p.TicksUntilChange(), 10);
    EXPECT_EQ(p.TicksUntilChange(), 15);
    ASSERT_EQ(p.controller.GetState(), CDayController::kOver);
    EXPECT_EQ(p.controller.Countdown(), 3000);
    const CPlay& play = *p.controller.Play();
    EXPECT_EQ(play.Position().Holding(0).SignedQuantity(), 0) << "every holding is reversed at once";
    const TradeEntry& reversal = play.History().days[1].products[0];
    EXPECT_EQ(reversal.action, kActionSell);
    EXPECT_EQ(reversal.price, 1200) << "at the price after the last move";
    EXPECT_EQ(reversal.quantity, 2000);
    EXPECT_TRUE(p.view.Saw("SetChartDays(1)"));
    EXPECT_EQ(finished, 0);

    EXPECT_EQ(p.TicksUntilChange(), 30);
    EXPECT_EQ(p.controller.GetState(), CDayController::kFinishing);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(figures.Date, "2024/05/01");
    EXPECT_EQ(figures.Products[0].Realized, 200 * 2000);
    EXPECT_TRUE(p.view.Saw("PrepareResultScreen(1)"));
    EXPECT_FALSE(p.view.Saw("ShowResultScreen"));

    for (int n = 0; n < 29; ++n) p.controller.Tick();
    EXPECT_FALSE(p.view.Saw("ShowResultScreen"));
    EXPECT_TRUE(p.controller.Tick());
    EXPECT_EQ(p.view.Count("ShowResultScreen"), 1);
    for (int n = 0; n < 50; ++n) p.controller.Tick();
    EXPECT_EQ(p.view.Count("ShowResultScreen"), 1) << "a stray tick does not switch screens again";
    EXPECT_EQ(finished, 1) << "a play is scored once";
    ASSERT_NE(p.controller.Play(), nullptr) << "the result screen still reads the finished play";
    ASSERT_TRUE(p.controller.Play()->Figures().has_value());
    EXPECT_EQ(*p.controller.Play()->Figures(), figures);
}

TEST(DayControllerPacing, TheDayCountDoesNotAdvanceAfterTheLastEvent) {
    Pacing p(FlatScenario(1, 3));
    for (int day = 0; day < 3; ++day) {
        ASSERT_GT(TicksUntilOrders(p.controller), 0);
        EXPECT_EQ(p.controller.Play()->Market().DayCount, day);
        p.ExecutePass();
    }
    for (int n = 0; n < 100; ++n) p.controller.Tick();
    EXPECT_EQ(p.controller.GetState(), CDayController::kFinishing);
    EXPECT_EQ(p.controller.Play()->Market().DayCount, 2);
    EXPECT_EQ(p.controller.Play()->CurrentEventListIndex(), 3);
}

TEST(DayControllerPacing, TheExecuteButtonAnimationAloneAsksForARepaintWhileOrdersWait) {
    Pacing p(FlatScenario(1, 2));
    ASSERT_GT(TicksUntilOrders(p.controller), 0);
    EXPECT_FALSE(p.controller.Tick()) << "nothing changed and the button is idle";
    p.view.assetsChanged = true;
    EXPECT_TRUE(p.controller.Tick()) << "a changed asset value is repainted";
    p.view.assetsChanged = false;
    p.view.executeEnabled = true;
    EXPECT_TRUE(p.controller.Tick());
    EXPECT_EQ(p.view.Count("InvalidateExecuteButton"), 1);
}

TEST(DayControllerPacing, APracticeRunHoldsTheCountdownUntilItLetsThePlayRun) {
    Pacing p(FlatScenario(1, 2));
    CFakePracticeGate gate;
    p.controller.SetPracticeGate(&gate);
    for (int n = 0; n < 100; ++n) EXPECT_TRUE(p.controller.Tick());
    EXPECT_EQ(p.controller.GetState(), CDayController::kOpening);
    EXPECT_EQ(p.controller.Countdown(), 3000);
    EXPECT_EQ(p.controller.Ticks(), 0);

    gate.runFlag = true;
    ASSERT_EQ(TicksUntilOrders(p.controller), 60);
    gate.runFlag = false;
    p.controller.Tick();
    EXPECT_FALSE(p.view.quitEnabled) << "a held play cannot be left with QUIT";

    gate.shouldEnd = true;
    EXPECT_TRUE(p.controller.Tick());
    EXPECT_EQ(p.controller.Play(), nullptr);
    EXPECT_EQ(gate.ended, 1);
    EXPECT_TRUE(p.view.Saw("ShowMainMenu"));
    EXPECT_FALSE(p.controller.Tick()) << "with no play left a tick does nothing";
    EXPECT_EQ(gate.ended, 1);
}

}  // namespace
}  // namespace valmore
