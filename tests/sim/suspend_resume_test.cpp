#include <gtest/gtest.h>

#include <optional>

#include "sim/Play.h"
#include "sim/PlayFixtures.h"
#include "sim/SnapshotStore.h"
#include "support/TempDir.h"

namespace valmore {
namespace {

using test::BusyScenario;
using test::DecisionsFor;
using test::TempDir;

// Plays the days from the current one up to `stopDay` (or to the end) with the fixed decisions.
void PlayDays(CPlay& play, int stopDay) {
    while (!play.IsOver() && play.CurrentEventListIndex() < stopDay) {
        int day = play.CurrentEventListIndex();
        OrderOutcome outcome = play.ExecuteDay(DecisionsFor(day, play.Market()));
        ASSERT_TRUE(outcome.Accepted()) << "day " << day;
        play.CloseDay();
        play.AdvanceDay();
    }
}

// Stops the play, keeps it in snapshot.dat in `dir`, and continues it from what a fresh store reads back.
CPlay SuspendAndResume(CPlay& play, const TempDir& dir) {
    CSnapshotStore store;
    store.Store(play.Scenario().header.ID, play.MakeSnapshot());
    EXPECT_TRUE(store.Save(dir / "snapshot.dat").ok);

    CSnapshotStore reread;
    EXPECT_TRUE(reread.Load(dir / "snapshot.dat").Ok());
    std::optional<SnapshotRecord> record = reread.Take(play.Scenario().header.ID);
    CPlay resumed;
    resumed.Begin(BusyScenario(), PrdInfoTable{});
    if (record) {
        ResumeResult result = resumed.Resume(std::move(*record));
        EXPECT_TRUE(result.ok) << result.reason;
    } else {
        ADD_FAILURE() << "the stored play was not read back";
    }
    return resumed;
}

TEST(SuspendResume, APlaySuspendedOnAnyDayEndsExactlyAsAnUninterruptedOne) {
    CPlay straight;
    straight.Begin(BusyScenario(), PrdInfoTable{});
    PlayDays(straight, 1000);
    ASSERT_TRUE(straight.IsOver());
    FinalFigures expected = straight.Finish("2024/03/31");
    // The decisions must exercise the scoring: some right, some wrong.
    ASSERT_GT(expected.TechnicalScore, 0);
    ASSERT_LT(expected.TechnicalScore, 100);
    ASSERT_NE(expected.TotalDividend, 0);

    TempDir dir;
    for (int stop = 0; stop < straight.Scenario().EventCount(); ++stop) {
        SCOPED_TRACE("suspended on day " + std::to_string(stop));
        CPlay play;
        play.Begin(BusyScenario(), PrdInfoTable{});
        PlayDays(play, stop);
        CPlay resumed = SuspendAndResume(play, dir);
        EXPECT_EQ(resumed.CurrentEventListIndex(), stop);
        EXPECT_EQ(resumed.Market().DayCount, play.Market().DayCount);
        PlayDays(resumed, 1000);
        ASSERT_TRUE(resumed.IsOver());
        EXPECT_EQ(resumed.History(), straight.History());
        EXPECT_EQ(resumed.Finish("2024/03/31"), expected);
    }
}

TEST(SuspendResume, AFileWithoutTheTradeHistoryCountsTheEarlierDaysAsPassed) {
    TempDir dir;
    CPlay play;
    play.Begin(BusyScenario(), PrdInfoTable{});
    PlayDays(play, 6);
    SnapshotRecord record = play.MakeSnapshot();
    record.history = CTradeHistory{};

    CPlay resumed;
    resumed.Begin(BusyScenario(), PrdInfoTable{});
    ASSERT_TRUE(resumed.Resume(record).ok);
    ASSERT_EQ(resumed.History().DayRecordCount(), 13);
    EXPECT_EQ(resumed.History().days[2].products[0].action, kActionPass);
    EXPECT_EQ(resumed.History().OrderCount[0], 0);
}

TEST(SuspendResume, AStoredPlayThatDoesNotFitTheScenarioIsRefused) {
    CPlay play;
    play.Begin(BusyScenario(), PrdInfoTable{});
    SnapshotRecord record = play.MakeSnapshot();

    SnapshotRecord beyond = record;
    beyond.CurrentEventListIndex = 12;
    ResumeResult refused = play.Resume(beyond);
    EXPECT_FALSE(refused.ok);
    EXPECT_FALSE(refused.reason.empty());
    SnapshotRecord fewerProducts = record;
    fewerProducts.market.ProductCount = 2;
    EXPECT_FALSE(play.Resume(fewerProducts).ok);
    EXPECT_EQ(play.CurrentEventListIndex(), 0);
    EXPECT_EQ(play.Market().Products[0].Valid, 0);

    // The tax owed on realised gains is not in the file; it is owed again at once.
    record.position.Equities[0].TotalRealized = 10000;
    record.position.Equities[0].RealizedTax = 0;
    ASSERT_TRUE(play.Resume(record).ok);
    EXPECT_EQ(play.Position().Holding(0).RealizedTax, 2000);
}

}  // namespace
}  // namespace valmore
