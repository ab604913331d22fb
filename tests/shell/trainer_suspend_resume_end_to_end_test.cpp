// A play left with QUIT and kept, then continued from the scenario selection, through the
// program's real screens in both resolution modes: the kept play is in snapshot.dat and marked in
// the table, it continues at the day it was left on, and it ends exactly as the same orders played
// without a break.

#include <gtest/gtest.h>

#include "TrainerFixture.h"
#include "platform/Sjis.h"
#include "sim/SnapshotStore.h"

namespace valmore {
namespace {

using test::Trainer;

class LeavingAndContinuingAPlay : public ::testing::TestWithParam<int> {};

const CatalogEntry& EntryOf(Trainer& trainer, const std::string& id) {
    const CatalogEntry* entry = trainer.Selection().Catalog().FindById(id);
    if (entry == nullptr) {
        ADD_FAILURE() << id << " is not in the catalogue";
        std::abort();
    }
    return *entry;
}

// Plays the first `days` days as planned, then QUIT with yes to both questions on the next day's
// orders.
void PlayAndLeave(Trainer& trainer, const std::vector<test::DayPlan>& plan, int days) {
    for (int day = 0; day < days; ++day) {
        trainer.TickUntilOrdersOrEnd();
        ASSERT_EQ(trainer.context.controller.Play()->CurrentEventListIndex(), day);
        trainer.DecideDay(plan[static_cast<std::size_t>(day)]);
    }
    trainer.TickUntilOrdersOrEnd();
    ASSERT_TRUE(trainer.context.controller.AcceptingOrders());
    ASSERT_TRUE(trainer.Simulation().QuitButton().enabled);
    trainer.answers = {QVDialog::kResultYes, QVDialog::kResultYes};
    trainer.Click(trainer.Simulation().QuitButton());
    EXPECT_EQ(trainer.popupModes, (std::vector<int>{QVDialog::kModeQuestion, QVDialog::kModeQuestion}));
    EXPECT_TRUE(trainer.answers.empty());
    trainer.popupModes.clear();
}

TEST_P(LeavingAndContinuingAPlay, AKeptPlayIsMarkedContinuesAtItsDayAndEndsAsAnUninterruptedOne) {
    const test::ShippedPlay& shipped = test::kPracticePlay;
    const std::vector<test::DayPlan> plan = shipped.Plan();
    constexpr int kDaysBeforeLeaving = 3;
    ASSERT_GT(static_cast<int>(plan.size()), kDaysBeforeLeaving + 1);

    Trainer trainer(GetParam());
    trainer.SelectScenario(shipped.id);
    EXPECT_FALSE(EntryOf(trainer, shipped.id).hasInterruptedPlay);
    trainer.Click(trainer.Selection().StartButton());
    ASSERT_EQ(trainer.Current(), kScreenSimulation);
    PlayAndLeave(trainer, plan, kDaysBeforeLeaving);
    ASSERT_EQ(trainer.Current(), kScreenMainMenu);

    // The kept play is on disk, not only in memory.
    {
        CSnapshotStore reread;
        ASSERT_TRUE(reread.Load(trainer.context.SnapshotFile()).Ok());
        EXPECT_TRUE(reread.Has(shipped.id));
        EXPECT_EQ(reread.Count(), 1);
    }
    CResultStore results(trainer.context.ResultFile());
    results.Load();
    EXPECT_EQ(results.Count(shipped.id), 0) << "a play left unfinished is no result";

    // The table marks it, in the last column of its row.
    trainer.SelectScenario(shipped.id);
    const int index = trainer.EntryIndex(shipped.id);
    EXPECT_TRUE(EntryOf(trainer, shipped.id).hasInterruptedPlay);
    EXPECT_EQ(trainer.Selection().Catalog().CellText(EntryOf(trainer, shipped.id), 10), Sj("○"));
    EXPECT_EQ(trainer.Selection().Catalog().Selection(), index);
    ASSERT_TRUE(trainer.Selection().ResumeButton().enabled);

    trainer.Click(trainer.Selection().ResumeButton());
    ASSERT_EQ(trainer.Current(), kScreenSimulation);
    ASSERT_NE(trainer.context.controller.Play(), nullptr);
    EXPECT_EQ(trainer.context.controller.Play()->CurrentEventListIndex(), kDaysBeforeLeaving);
    EXPECT_FALSE(trainer.context.controller.AcceptingOrders()) << "the stored day opens again first";
    EXPECT_FALSE(trainer.context.Snapshots().Has(shipped.id)) << "a continued play leaves the store";

    trainer.PlayToTheEnd(plan);
    ASSERT_EQ(trainer.Current(), kScreenResult);
    EXPECT_TRUE(trainer.popupModes.empty());

    const ResultRecord stored = trainer.StoredRecord(shipped.id);
    const ResultRecord uninterrupted = test::ToolRecord(shipped, trainer.scratch);
    EXPECT_EQ(test::DatedAs(stored, uninterrupted), uninterrupted);

    // Back at the table, the mark is gone and the file no longer offers the play.
    trainer.Click(trainer.Result().MenuButton());
    ASSERT_EQ(trainer.Current(), kScreenMainMenu);
    trainer.SelectScenario(shipped.id);
    EXPECT_FALSE(EntryOf(trainer, shipped.id).hasInterruptedPlay);
    EXPECT_EQ(trainer.Selection().Catalog().CellText(EntryOf(trainer, shipped.id), 10), "");
    EXPECT_FALSE(trainer.Selection().ResumeButton().enabled);
    CSnapshotStore reread;
    reread.Load(trainer.context.SnapshotFile());
    EXPECT_FALSE(reread.Has(shipped.id));
}

TEST_P(LeavingAndContinuingAPlay, APlayLeftWithoutKeepingItOffersNothingToContinue) {
    const test::ShippedPlay& shipped = test::kEarningsPlay;
    Trainer trainer(GetParam());
    trainer.SelectScenario(shipped.id);
    trainer.Click(trainer.Selection().StartButton());
    trainer.TickUntilOrdersOrEnd();
    trainer.DecideDay(shipped.Plan()[0]);
    trainer.TickUntilOrdersOrEnd();
    trainer.answers = {QVDialog::kResultYes, QVDialog::kResultNo};
    trainer.Click(trainer.Simulation().QuitButton());
    ASSERT_EQ(trainer.Current(), kScreenMainMenu);
    EXPECT_FALSE(std::filesystem::exists(trainer.context.SnapshotFile()));

    trainer.SelectScenario(shipped.id);
    EXPECT_FALSE(EntryOf(trainer, shipped.id).hasInterruptedPlay);
    EXPECT_FALSE(trainer.Selection().ResumeButton().enabled);
    EXPECT_TRUE(trainer.Selection().StartButton().enabled);
}

INSTANTIATE_TEST_SUITE_P(BothModes, LeavingAndContinuingAPlay, ::testing::Values(kModeXga, kModeSxga), test::ModeName);

}  // namespace
}  // namespace valmore
