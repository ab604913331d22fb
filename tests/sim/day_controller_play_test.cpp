#include <gtest/gtest.h>

#include <cerrno>
#include <optional>

#include "scenario/ScenarioLoader.h"
#include "sim/DayController.h"
#include "sim/DayControllerFakes.h"
#include "sim/Play.h"
#include "sim/PlayFixtures.h"
#include "sim/SnapshotStore.h"
#include "support/TempDir.h"

namespace valmore {
namespace {

using test::BusyScenario;
using test::CRecordingPlayView;
using test::DecisionsFor;
using test::FlatScenario;
using test::ReadFileBytes;
using test::ScenarioFileText;
using test::TempDir;
using test::TicksUntilOrders;

constexpr const char* kDate = "2024/03/31";

struct Session {
    TempDir dir;
    CRecordingPlayView view;
    CDayController controller{&view};
    OrderColumns orders{};
    std::optional<FinalFigures> finished;
    int finishedCount = 0;

    Session() {
        controller.dateText = [] { return std::string(kDate); };
        controller.onFinished = [this](const FinalFigures& figures) {
            finished = figures;
            ++finishedCount;
        };
    }

    std::filesystem::path ScenarioFile(const CScenario& scenario) {
        return dir.Write(scenario.header.ID + ".scn", ScenarioFileText(scenario));
    }

    // Enters the fixed decisions of each day through the screen and presses execute, from the
    // current day until `stopDay` has its orders open (or to the end of the play).
    void PlayUntil(int stopDay) {
        while (controller.Play() && !controller.Play()->IsOver()) {
            if (TicksUntilOrders(controller) < 0) return;  // the last day has closed
            int day = controller.Play()->CurrentEventListIndex();
            if (day == stopDay) return;
            orders = DecisionsFor(day, controller.Play()->Market());
            ASSERT_TRUE(controller.Execute(orders).Accepted()) << "day " << day;
        }
    }
    void PlayToResult() {
        PlayUntil(-1);
        for (int n = 0; n < 100 && !view.Saw(PlayEvent::ResultDue); ++n) controller.Tick();
        ASSERT_TRUE(view.Saw(PlayEvent::ResultDue));
    }
};

// The same scenario file and orders driven straight through the play's day steps, as the
// command-line tool does.
FinalFigures StraightPlay(const std::filesystem::path& file) {
    CScenario scenario;
    TextTable prdInfo;
    TextTable resources;
    EXPECT_TRUE(LoadScenario(file, scenario, prdInfo, resources).ok);
    CPlay play;
    play.Begin(std::move(scenario), std::move(prdInfo));
    while (!play.IsOver()) {
        EXPECT_TRUE(play.ExecuteDay(DecisionsFor(play.CurrentEventListIndex(), play.Market())).Accepted());
        play.CloseDay();
        play.AdvanceDay();
    }
    return play.Finish(kDate);
}

TEST(DayControllerPlay, APlayedScenarioReportsExactlyTheFiguresOfTheSameOrdersPlayedStraight) {
    Session s;
    std::filesystem::path file = s.ScenarioFile(BusyScenario());
    FinalFigures expected = StraightPlay(file);
    ASSERT_GT(expected.TradeCount, 0);
    ASSERT_NE(expected.TotalDividend, 0);

    ASSERT_TRUE(s.controller.NewPlay(file).ok);
    s.PlayToResult();
    ASSERT_TRUE(s.finished.has_value());
    EXPECT_EQ(s.finishedCount, 1);
    EXPECT_EQ(*s.finished, expected);
    EXPECT_EQ(s.finished->ScenarioID, "busy");
    EXPECT_EQ(s.view.executed.size(), static_cast<std::size_t>(s.controller.Play()->Scenario().EventCount()))
        << "one report of executed trades per day";
}

TEST(DayControllerPlay, ARefusedScenarioFileLeavesNoPlayAndSaysWhy) {
    Session s;
    std::filesystem::path bad = s.dir.Write("bad.scn", "{root {Header {ID \"x\"}}}");
    ScenarioLoadResult result = s.controller.NewPlay(bad);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.Message().find("bad.scn"), std::string::npos) << result.Message();
    EXPECT_EQ(s.controller.Play(), nullptr);
    EXPECT_TRUE(s.view.events.empty()) << "the screens hear of no play";
    EXPECT_FALSE(s.controller.Tick());
    EXPECT_FALSE(s.controller.AcceptingOrders());
    EXPECT_EQ(s.controller.Execute(s.orders).refusal, OrderRefusal::NoDay);
    CSnapshotStore store;
    EXPECT_FALSE(s.controller.StorePlay(store, s.dir / "snapshot.dat").ok);
    EXPECT_FALSE(std::filesystem::exists(s.dir / "snapshot.dat"));

    ScenarioLoadResult missing = s.controller.NewPlay(s.dir / "missing.scn");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(s.controller.Play(), nullptr);
}

TEST(DayControllerPlay, ANewPlayAfterAFinishedOneStartsFromTheFundWithFreshPanels) {
    Session s;
    std::filesystem::path file = s.ScenarioFile(BusyScenario());
    ASSERT_TRUE(s.controller.NewPlay(file).ok);
    s.PlayToResult();

    s.view.events.clear();
    ASSERT_TRUE(s.controller.NewPlay(file).ok);
    const CPlay& play = *s.controller.Play();
    EXPECT_EQ(play.CurrentEventListIndex(), 0);
    EXPECT_EQ(play.Position().CashAmount, 10000000);
    EXPECT_FALSE(play.Figures().has_value());
    EXPECT_EQ(s.controller.GetState(), CDayController::kOpening);
    EXPECT_EQ(s.controller.Countdown(), 3000);
    EXPECT_EQ(s.view.events, std::vector<PlayEvent>{PlayEvent::PlayReset}) << "the screens start the new play afresh";
    s.PlayToResult();
    EXPECT_EQ(s.finishedCount, 2);
}

TEST(DayControllerPlay, ARefusedExecuteKeepsTheOrdersOpenAndTellsTheScreensNothing) {
    Session s;
    ASSERT_TRUE(s.controller.NewPlay(s.ScenarioFile(FlatScenario(1, 2))).ok);
    EXPECT_EQ(s.controller.Execute(s.orders).refusal, OrderRefusal::NoDay)
        << "the button does nothing before the orders open";
    ASSERT_GT(TicksUntilOrders(s.controller), 0);

    s.orders[0] = OrderColumn{0, OrderChoice::Sell, 11000};  // 11 units short
    OrderOutcome outcome = s.controller.Execute(s.orders);
    EXPECT_EQ(outcome.refusal, OrderRefusal::ShortSaleLimit);
    EXPECT_TRUE(s.controller.AcceptingOrders());
    EXPECT_TRUE(s.view.executed.empty());
    EXPECT_EQ(s.controller.Play()->Position().Holding(0).SignedQuantity(), 0);
    for (int n = 0; n < 50; ++n) s.controller.Tick();
    EXPECT_TRUE(s.controller.AcceptingOrders()) << "the day waits for orders that are accepted";
    EXPECT_TRUE(s.controller.CanLeave());

    s.orders[0] = OrderColumn{0, OrderChoice::Sell, 10000};
    ASSERT_TRUE(s.controller.Execute(s.orders).Accepted());
    EXPECT_EQ(s.controller.GetSubState(), CDayController::kClosing);
    EXPECT_EQ(s.controller.Countdown(), 1000);
    EXPECT_FALSE(s.controller.CanLeave());
    ASSERT_EQ(s.view.executed.size(), 1u);
    EXPECT_EQ(s.view.executed[0], (std::vector<ExecutedTrade>{{0, OrderChoice::Sell, 10000, 1000}}));
    EXPECT_EQ(s.controller.Execute(s.orders).refusal, OrderRefusal::NoDay) << "a second press books nothing";
    EXPECT_EQ(s.controller.Play()->Position().Holding(0).SignedQuantity(), -10000);
}

TEST(DayControllerPlay, ADayPassedEverywhereReportsNoExecutedTrade) {
    Session s;
    ASSERT_TRUE(s.controller.NewPlay(s.ScenarioFile(FlatScenario(2, 2))).ok);
    ASSERT_GT(TicksUntilOrders(s.controller), 0);
    s.orders[0] = OrderColumn{0, OrderChoice::Pass, 0};
    s.orders[1] = OrderColumn{1, OrderChoice::Pass, 0};
    ASSERT_TRUE(s.controller.Execute(s.orders).Accepted());
    ASSERT_EQ(s.view.executed.size(), 1u);
    EXPECT_TRUE(s.view.executed[0].empty());
}

TEST(DayControllerPlay, AResumedPlayContinuesFromTheStoredDayAndEndsAsAnUninterruptedOne) {
    Session s;
    std::filesystem::path file = s.ScenarioFile(BusyScenario());
    FinalFigures expected = StraightPlay(file);
    const std::filesystem::path snapshot = s.dir / "snapshot.dat";

    ASSERT_TRUE(s.controller.NewPlay(file).ok);
    s.PlayUntil(5);
    const std::int32_t cash = s.controller.Play()->Position().CashAmount;
    const std::int32_t dayCount = s.controller.Play()->Market().DayCount;
    CSnapshotStore store;
    ASSERT_TRUE(s.controller.CanStore());
    ASSERT_TRUE(s.controller.StorePlay(store, snapshot).ok);

    // The program is started again: the store is read from its file.
    Session again;
    CSnapshotStore reread;
    ASSERT_TRUE(reread.Load(snapshot).Ok());
    ASSERT_TRUE(reread.Has("busy"));
    ResumeResult resumed = again.controller.ResumePlay(file, reread, snapshot);
    ASSERT_TRUE(resumed.ok) << resumed.reason;
    EXPECT_EQ(resumed.reason, "");
    EXPECT_FALSE(reread.Has("busy"));
    CSnapshotStore onDisk;
    ASSERT_TRUE(onDisk.Load(snapshot).Ok());
    EXPECT_FALSE(onDisk.Has("busy")) << "a stored play is continued once";

    const CPlay& play = *again.controller.Play();
    EXPECT_EQ(play.CurrentEventListIndex(), 5);
    EXPECT_EQ(play.Position().CashAmount, cash);
    EXPECT_EQ(play.Market().DayCount, dayCount);
    EXPECT_EQ(again.controller.GetState(), CDayController::kOpening);
    EXPECT_EQ(again.view.events, std::vector<PlayEvent>{PlayEvent::PlayReset});
    EXPECT_EQ(TicksUntilOrders(again.controller), 60) << "the opening and the news of the stored day come first";
    EXPECT_EQ(again.view.events.back(), PlayEvent::OrdersOpened);

    again.PlayToResult();
    ASSERT_TRUE(again.finished.has_value());
    EXPECT_EQ(*again.finished, expected);
}

TEST(DayControllerPlay, AResumeThatCannotBeMadeLeavesTheStoredPlayWhereItWas) {
    Session s;
    std::filesystem::path file = s.ScenarioFile(BusyScenario());
    const std::filesystem::path snapshot = s.dir / "snapshot.dat";

    CSnapshotStore empty;
    ResumeResult none = s.controller.ResumePlay(file, empty, snapshot);
    EXPECT_FALSE(none.ok);
    EXPECT_EQ(none.problem, ResumeProblem::NoStoredPlay);
    EXPECT_FALSE(none.reason.empty());
    EXPECT_EQ(s.controller.Play(), nullptr);
    EXPECT_FALSE(std::filesystem::exists(snapshot));

    // A record the scenario cannot take: stored on a day the scenario does not have.
    ASSERT_TRUE(s.controller.NewPlay(file).ok);
    SnapshotRecord record = s.controller.Play()->MakeSnapshot();
    record.CurrentEventListIndex = 40;
    CSnapshotStore store;
    store.Store("busy", record);
    ASSERT_TRUE(store.Save(snapshot).ok);
    const std::string before = ReadFileBytes(snapshot);
    s.view.events.clear();

    ResumeResult refused = s.controller.ResumePlay(file, store, snapshot);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.problem, ResumeProblem::PlayDoesNotFit);
    EXPECT_NE(refused.reason.find("40"), std::string::npos) << refused.reason;
    EXPECT_EQ(s.controller.Play(), nullptr);
    EXPECT_TRUE(s.view.events.empty());
    ASSERT_NE(store.Find("busy"), nullptr);
    EXPECT_EQ(*store.Find("busy"), record);
    EXPECT_EQ(ReadFileBytes(snapshot), before);

    ResumeResult badFile = s.controller.ResumePlay(s.dir / "missing.scn", store, snapshot);
    EXPECT_FALSE(badFile.ok);
    EXPECT_EQ(badFile.problem, ResumeProblem::ScenarioRefused);
    EXPECT_EQ(badFile.scenarioStatus, DocLoadStatus::CannotOpen);
    EXPECT_TRUE(store.Has("busy"));
}

TEST(DayControllerPlay, AResumeWhoseStoreCannotBeWrittenStillPlaysAndSaysSo) {
    Session s;
    std::filesystem::path file = s.ScenarioFile(BusyScenario());
    ASSERT_TRUE(s.controller.NewPlay(file).ok);
    s.PlayUntil(2);
    CSnapshotStore store;
    store.Store("busy", s.controller.Play()->MakeSnapshot());

    ResumeResult resumed = s.controller.ResumePlay(file, store, s.dir / "no-such-folder" / "snapshot.dat");
    EXPECT_TRUE(resumed.ok);
    EXPECT_FALSE(resumed.reason.empty()) << "the failed save is reported, not swallowed";
    EXPECT_EQ(resumed.problem, ResumeProblem::StoreNotSaved);
    EXPECT_EQ(resumed.errorNumber, ENOENT);
    ASSERT_NE(s.controller.Play(), nullptr);
    EXPECT_EQ(s.controller.Play()->CurrentEventListIndex(), 2);
    EXPECT_EQ(s.view.events.back(), PlayEvent::PlayReset);
}

TEST(DayControllerPlay, APlayIsKeptOnlyBeforeTheDaysOrdersAreBooked) {
    Session s;
    std::filesystem::path file = s.ScenarioFile(FlatScenario(1, 2));
    const std::filesystem::path snapshot = s.dir / "snapshot.dat";
    ASSERT_TRUE(s.controller.NewPlay(file).ok);
    ASSERT_GT(TicksUntilOrders(s.controller), 0);
    s.orders[0] = OrderColumn{0, OrderChoice::Buy, 1000};
    ASSERT_TRUE(s.controller.Execute(s.orders).Accepted());

    CSnapshotStore store;
    EXPECT_FALSE(s.controller.CanStore());
    EXPECT_FALSE(s.controller.StorePlay(store, snapshot).ok);
    EXPECT_EQ(store.Count(), 0);
    EXPECT_FALSE(std::filesystem::exists(snapshot));

    ASSERT_GT(TicksUntilOrders(s.controller), 0);
    ASSERT_TRUE(s.controller.StorePlay(store, snapshot).ok);
    ASSERT_NE(store.Find("flat"), nullptr);
    EXPECT_EQ(store.Find("flat")->CurrentEventListIndex, 1);
    EXPECT_EQ(store.Find("flat")->position.Holding(0).SignedQuantity(), 1000);
}

}  // namespace
}  // namespace valmore
