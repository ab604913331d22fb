#include <gtest/gtest.h>

#include <filesystem>

#include "simulation_screen_fixture.h"

namespace valmore {
namespace {

using test::ScreenTest;

constexpr int kYes = QVDialog::kResultYes;
constexpr int kNo = QVDialog::kResultNo;
const std::vector<int> kQuestion{QVDialog::kModeQuestion};
const std::vector<int> kTwoQuestions{QVDialog::kModeQuestion, QVDialog::kModeQuestion};

class LeavingAPlay : public ::testing::Test {
protected:
    void SetUp() override {
        t.Begin(2);
        ASSERT_EQ(t.host.CurrentScreen(), 0);
        t.TickUntilOrders();
    }
    std::filesystem::path SnapshotFile() const { return t.dir / "snapshot.dat"; }

    ScreenTest t;
};

TEST_F(LeavingAPlay, QuitIsOnlyOfferedWhileOrdersAreOpenAndANoKeepsThePlayGoing) {
    t.Click(t.screen.PassButton(0));
    t.Click(t.screen.PassButton(1));
    ASSERT_TRUE(t.Execute().Accepted());
    t.controller.Tick();
    EXPECT_FALSE(t.screen.QuitButton().enabled);
    t.Click(t.screen.QuitButton());
    EXPECT_TRUE(t.popupModes.empty());

    t.TickUntilOrders();
    EXPECT_TRUE(t.screen.QuitButton().enabled);
    t.answers = {kNo};
    t.Click(t.screen.QuitButton());
    EXPECT_EQ(t.popupModes, kQuestion);
    EXPECT_EQ(t.host.CurrentScreen(), 0);
    EXPECT_TRUE(t.controller.AcceptingOrders());
}

TEST(LeavingAPlayPaced, QuitIsDisabledDuringEveryPauseAndEnabledWhileOrdersAreAccepted) {
    ScreenTest t;
    t.Begin(1, 2);
    for (int day = 0; day < 2; ++day) {
        SCOPED_TRACE("day " + std::to_string(day));
        while (!t.controller.AcceptingOrders()) {
            t.controller.Tick();
            EXPECT_EQ(t.screen.QuitButton().enabled, t.controller.AcceptingOrders());
        }
        EXPECT_TRUE(t.screen.QuitButton().enabled) << "enabled on the very tick the orders open";
        t.controller.Tick();
        EXPECT_TRUE(t.screen.QuitButton().enabled) << "and on every tick while they stay open";
        t.Click(t.screen.PassButton(1));
        t.Click(t.screen.ExecuteButton());
        EXPECT_FALSE(t.screen.QuitButton().enabled) << "a day whose orders are booked cannot be left";
    }
    for (int n = 0; n < 100 && t.host.CurrentScreen() == 0; ++n) {
        t.controller.Tick();
        EXPECT_FALSE(t.screen.QuitButton().enabled);
    }
}

TEST_F(LeavingAPlay, NotKeepingThePlayReturnsToTheMenuWithoutWritingTheSnapshotFile) {
    t.answers = {kYes, kNo};
    const int invalidations = t.host.invalidateAllCount;
    t.Click(t.screen.QuitButton());
    EXPECT_EQ(t.popupModes, kTwoQuestions);
    EXPECT_EQ(t.host.CurrentScreen(), 1);
    EXPECT_GT(t.host.invalidateAllCount, invalidations);
    EXPECT_FALSE(std::filesystem::exists(SnapshotFile()));
    EXPECT_EQ(t.snapshots.Count(), 0);
}

TEST_F(LeavingAPlay, KeepingThePlayWritesItToTheSnapshotFileBeforeReturningToTheMenu) {
    t.answers = {kYes, kYes};
    t.Click(t.screen.QuitButton());
    EXPECT_EQ(t.popupModes, kTwoQuestions);
    EXPECT_EQ(t.host.CurrentScreen(), 1);
    ASSERT_TRUE(std::filesystem::exists(SnapshotFile()));
    CSnapshotStore reread;
    EXPECT_TRUE(reread.Load(SnapshotFile()).Ok());
    EXPECT_TRUE(reread.Has("PS1"));
}

TEST_F(LeavingAPlay, ASaveThatFailsIsReportedAndThePlayGoesOn) {
    // A folder where the file should go: the save cannot replace it.
    std::filesystem::create_directory(SnapshotFile());
    t.answers = {kYes, kYes};
    t.Click(t.screen.QuitButton());
    EXPECT_EQ(t.popupModes,
              (std::vector<int>{QVDialog::kModeQuestion, QVDialog::kModeQuestion, QVDialog::kModeNotice}));
    EXPECT_EQ(t.host.CurrentScreen(), 0);
    EXPECT_TRUE(t.controller.AcceptingOrders());
    EXPECT_TRUE(std::filesystem::is_directory(SnapshotFile()));
}

}  // namespace
}  // namespace valmore
