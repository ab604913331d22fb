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
    OrderColumns orders{};

    explicit Pacing(const CScenario& scenario) {
        ScenarioLoadResult loaded = controller.NewPlay(dir.Write("play.scn", ScenarioFileText(scenario)));
        EXPECT_TRUE(loaded.ok) << loaded.Message();
    }

    // Passes on every product and presses the execute button.
    void ExecutePass() {
        for (int i = 0; i < controller.Play()->Market().ProductCount; ++i)
            orders[static_cast<std::size_t>(i)] = OrderColumn{i, OrderChoice::Pass, 0};
        ASSERT_TRUE(controller.Execute(orders).Accepted());
    }

    // Ticks until the state (and sub-state, in state 1) changes; returns the ticks taken.
    int TicksUntilChange(int limit = 1000) {
        const auto state = controller.GetState();
        const auto sub = controller.GetSubState();
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
    EXPECT_EQ(p.view.events, (std::vector<PlayEvent>{PlayEvent::PlayReset, PlayEvent::OpeningEnded}));
    EXPECT_EQ(p.view.ticks, 30) << "the screens moved on at every tick";
    EXPECT_EQ(p.TicksUntilChange(), 30);
    EXPECT_TRUE(p.controller.AcceptingOrders());
    EXPECT_EQ(p.view.events.back(), PlayEvent::OrdersOpened);
}

TEST(DayControllerPacing, LaterDaysShowOneSecondAfterExecuteThenTheMoveThenTheNews) {
    Pacing p(FlatScenario(2, 3));
    ASSERT_EQ(TicksUntilOrders(p.controller), 60);
    p.ExecutePass();
    EXPECT_EQ(p.controller.GetSubState(), CDayController::kClosing);
    ASSERT_EQ(p.view.executed.size(), 1u);
    EXPECT_TRUE(p.view.executed[0].empty()) << "passing executes nothing";
    EXPECT_EQ(p.TicksUntilChange(), 10);
    EXPECT_EQ(p.controller.GetSubState(), CDayController::kPriceMove);
    EXPECT_EQ(p.view.events.back(), PlayEvent::PricesMoved);
    EXPECT_EQ(p.TicksUntilChange(), 15);
    EXPECT_EQ(p.controller.GetSubState(), CDayController::kNews);
    EXPECT_EQ(p.controller.Play()->CurrentEventListIndex(), 1);
    EXPECT_EQ(p.view.events.back(), PlayEvent::DayOpened);
    EXPECT_EQ(p.TicksUntilChange(), 15);
    EXPECT_TRUE(p.controller.AcceptingOrders());
    EXPECT_EQ(p.view.Count(PlayEvent::OrdersOpened), 2);
}

TEST(DayControllerPacing, QuitIsDisabledDuringEveryPauseAndEnabledWhileOrdersAreAccepted) {
    Pacing p(FlatScenario(1, 2));
    for (int day = 0; day < 2; ++day) {
        SCOPED_TRACE("day " + std::to_string(day));
        while (!p.controller.AcceptingOrders()) {
            p.controller.Tick();
            EXPECT_EQ(p.controller.CanLeave(), p.controller.AcceptingOrders())
                << "state " << static_cast<int>(p.controller.GetState()) << "/"
                << static_cast<int>(p.controller.GetSubState());
        }
        EXPECT_TRUE(p.controller.CanLeave()) << "on the very tick the orders open";
        p.controller.Tick();
        EXPECT_TRUE(p.controller.CanLeave()) << "and on every tick while they stay open";
        p.ExecutePass();
        EXPECT_FALSE(p.controller.CanLeave()) << "a day whose orders are booked cannot be left";
    }
    for (int n = 0; n < 100; ++n) {
        p.controller.Tick();
        EXPECT_FALSE(p.controller.CanLeave());
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
    p.orders[0] = OrderColumn{0, OrderChoice::Buy, 2000};
    ASSERT_TRUE(p.controller.Execute(p.orders).Accepted());
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
    EXPECT_EQ(p.view.events.back(), PlayEvent::LastDayPlayed);
    EXPECT_EQ(finished, 0);

    EXPECT_EQ(p.TicksUntilChange(), 30);
    EXPECT_EQ(p.controller.GetState(), CDayController::kFinishing);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(figures.Date, "2024/05/01");
    EXPECT_EQ(figures.Products[0].Realized, 200 * 2000);
    EXPECT_EQ(p.view.events.back(), PlayEvent::PlayFinished);
    EXPECT_FALSE(p.view.Saw(PlayEvent::ResultDue));

    for (int n = 0; n < 29; ++n) p.controller.Tick();
    EXPECT_FALSE(p.view.Saw(PlayEvent::ResultDue));
    EXPECT_TRUE(p.controller.Tick());
    EXPECT_EQ(p.view.Count(PlayEvent::ResultDue), 1);
    for (int n = 0; n < 50; ++n) p.controller.Tick();
    EXPECT_EQ(p.view.Count(PlayEvent::ResultDue), 1) << "a stray tick does not switch screens again";
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

TEST(DayControllerPacing, WhileOrdersWaitATickRepaintsExactlyWhenTheScreensSaySomethingChanged) {
    Pacing p(FlatScenario(1, 2));
    ASSERT_GT(TicksUntilOrders(p.controller), 0);
    EXPECT_FALSE(p.controller.Tick()) << "nothing changed";
    p.view.changed = true;
    EXPECT_TRUE(p.controller.Tick()) << "a changed value or the execute button's animation";
}

TEST(DayControllerPacing, APracticeRunHoldsTheCountdownUntilItLetsThePlayRun) {
    Pacing p(FlatScenario(1, 2));
    CFakePracticeGate gate;
    p.controller.SetPracticeGate(&gate);
    for (int n = 0; n < 100; ++n) EXPECT_TRUE(p.controller.Tick());
    EXPECT_EQ(p.controller.GetState(), CDayController::kOpening);
    EXPECT_EQ(p.controller.Countdown(), 3000);
    EXPECT_EQ(p.controller.Ticks(), 0);

    EXPECT_EQ(p.view.Count(PlayEvent::Held), 100);
    EXPECT_EQ(p.view.ticks, 0) << "nothing on the screens moves while the play is held";
    EXPECT_EQ(gate.asked, 100) << "one question per tick";

    gate.answer = GateAnswer::Run;
    ASSERT_EQ(TicksUntilOrders(p.controller), 60);
    EXPECT_TRUE(p.controller.CanLeave());
    gate.answer = GateAnswer::Hold;
    p.controller.Tick();
    EXPECT_TRUE(p.controller.AcceptingOrders());
    EXPECT_FALSE(p.controller.CanLeave()) << "a held play cannot be left with QUIT";

    gate.answer = GateAnswer::End;
    EXPECT_TRUE(p.controller.Tick());
    EXPECT_EQ(p.controller.Play(), nullptr);
    EXPECT_EQ(p.view.events.back(), PlayEvent::PlayAbandoned);
    EXPECT_FALSE(p.controller.Tick()) << "with no play left a tick does nothing";
    EXPECT_EQ(p.view.Count(PlayEvent::PlayAbandoned), 1);
}

}  // namespace
}  // namespace valmore
