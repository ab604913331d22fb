// A whole play through the program's real screens, in both resolution modes: from the main menu to
// the scenario selection, a row clicked, the play started, every day decided by clicks on the order
// buttons and the spin box arrows, to the result screen. What the trainer stores must be exactly
// what valmore-tool computes for the same orders.

#include <gtest/gtest.h>

#include <utility>

#include "TrainerFixture.h"
#include "platform/Sjis.h"

namespace valmore {
namespace {

using test::Trainer;

class PlayingAScenarioOnScreen : public ::testing::TestWithParam<int> {};

void PlayThrough(const test::ShippedPlay& shipped, int mode) {
    Trainer trainer(mode);
    ASSERT_TRUE(trainer.created);
    ASSERT_EQ(trainer.view->Mode(), mode);
    ASSERT_EQ(trainer.Current(), kScreenMainMenu);

    trainer.SelectScenario(shipped.id);
    ASSERT_TRUE(trainer.Selection().StartButton().enabled);
    EXPECT_FALSE(trainer.Selection().ResumeButton().enabled) << "nothing was left to continue";
    trainer.Click(trainer.Selection().StartButton());
    ASSERT_EQ(trainer.Current(), kScreenSimulation);
    ASSERT_NE(trainer.context.controller.Play(), nullptr);

    const std::vector<test::DayPlan> plan = shipped.Plan();
    ASSERT_EQ(static_cast<int>(plan.size()), trainer.context.controller.Play()->Scenario().EventCount());
    trainer.PlayToTheEnd(plan);
    ASSERT_EQ(trainer.Current(), kScreenResult);
    EXPECT_TRUE(trainer.popupModes.empty());

    const ResultRecord stored = trainer.StoredRecord(shipped.id);
    const ResultRecord expected = test::ToolRecord(shipped, trainer.scratch);
    EXPECT_EQ(test::DatedAs(stored, expected), expected) << "screens:\n"
                                                         << stored.TotalScore << " " << stored.TechnicalScore << " "
                                                         << stored.LogicalScore << " " << stored.TotalPL << "\ntool:\n"
                                                         << expected.TotalScore << " " << expected.TechnicalScore << " "
                                                         << expected.LogicalScore << " " << expected.TotalPL;
    EXPECT_FALSE(stored.Date.empty());
    EXPECT_NE(expected.TradeCount, 0) << "the orders trade, so the comparison means something";

    // The result screen stays until its menu button releases the play.
    trainer.Pump();
    EXPECT_EQ(trainer.Current(), kScreenResult);
    EXPECT_NE(trainer.context.controller.Play(), nullptr);
    trainer.Click(trainer.Result().MenuButton());
    EXPECT_EQ(trainer.Current(), kScreenMainMenu);
    EXPECT_EQ(trainer.context.controller.Play(), nullptr);
}

TEST_P(PlayingAScenarioOnScreen, ThePracticeScenarioWithTwoProductsStoresTheToolsFigures) {
    PlayThrough(test::kPracticePlay, GetParam());
}

TEST_P(PlayingAScenarioOnScreen, AnExerciseWithOneProductStoresTheToolsFigures) {
    PlayThrough(test::kEarningsPlay, GetParam());
}

TEST_P(PlayingAScenarioOnScreen, ASecondPlayOfTheSameScenarioIsAddedToTheFirst) {
    Trainer trainer(GetParam());
    const std::vector<test::DayPlan> plan = test::kEarningsPlay.Plan();
    for (int round = 1; round <= 2; ++round) {
        trainer.SelectScenario(test::kEarningsPlay.id);
        trainer.Click(trainer.Selection().StartButton());
        trainer.PlayToTheEnd(plan);
        ASSERT_EQ(trainer.Current(), kScreenResult);
        trainer.Click(trainer.Result().MenuButton());
        ASSERT_EQ(trainer.Current(), kScreenMainMenu);
    }
    CResultStore store(trainer.context.ResultFile());
    ASSERT_TRUE(store.Load().Ok());
    ASSERT_EQ(store.Count(test::kEarningsPlay.id), 2);
    EXPECT_EQ(store.At(test::kEarningsPlay.id, 0), store.At(test::kEarningsPlay.id, 1))
        << "the same orders on the same day score the same";
}

// The notice of a result that cannot be saved is raised inside a tick; the play waits under it
// instead of switching to the result screen while it is still open.
TEST_P(PlayingAScenarioOnScreen, AResultThatCannotBeSavedIsToldAndThePlayWaitsForTheNotice) {
    Trainer trainer(GetParam());
    // A folder where the result file belongs: every save of it fails.
    ASSERT_TRUE(std::filesystem::create_directory(trainer.context.ResultFile()));
    trainer.SelectScenario(test::kEarningsPlay.id);
    trainer.Click(trainer.Selection().StartButton());
    std::vector<std::string> notices;
    std::vector<int> screensUnderNotice;
    bool ticked = false;
    trainer.window.SetFeed([&](CHeadlessWindow& window) {
        QVDialog& popup = trainer.context.MessagePopup();
        if (!popup.IsOpen()) return false;
        // Five seconds of ticks with the notice open: more than the play's closing pause.
        if (!std::exchange(ticked, true)) {
            window.QueueTick(50);
            return true;
        }
        notices.push_back(Cp932ToUtf8(popup.Text()));
        screensUnderNotice.push_back(trainer.Current());
        const Rect r = popup.Button2().GetRect().Offset(popup.Bounds().left, popup.Bounds().top);
        window.QueueInput(InputEvent::LeftDown(r.left + 2, r.top + 2));
        window.QueueInput(InputEvent::LeftUp(r.left + 2, r.top + 2));
        return true;
    });
    trainer.PlayToTheEnd(test::kEarningsPlay.Plan());
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("保存できませんでした"), std::string::npos) << notices[0];
    EXPECT_EQ(screensUnderNotice, std::vector<int>{kScreenSimulation});
    EXPECT_EQ(trainer.Current(), kScreenResult);
}

INSTANTIATE_TEST_SUITE_P(BothModes, PlayingAScenarioOnScreen, ::testing::Values(kModeXga, kModeSxga), test::ModeName);

}  // namespace
}  // namespace valmore
