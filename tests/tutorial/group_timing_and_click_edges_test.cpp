// When groups start and end, and exactly which clicks a click target lets through, on small scripts.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "FakePracticePlay.h"
#include "tutorial/ClickTargetStep.h"
#include "tutorial/Tutorial.h"
#include "tutorial/WaitStep.h"
#include "ui/Skin.h"

namespace valmore {
namespace {

using test::FakePracticePlay;

std::unique_ptr<CTutorialStep> WaitFor(int group, ConditionKind kind, bool run = false) {
    return std::make_unique<CWaitStep>(group, Condition{kind}, run, false);
}

struct SmallRun {
    explicit SmallRun(std::vector<std::unique_ptr<CTutorialStep>> steps) : tutorial(play, skin, std::move(steps)) {
        tutorial.Start();
        play.now.state = 1;  // the opening is over: "play started" holds at once
    }
    // A press and release at one point, as the main view hands them over.
    void Click(int x, int y) {
        tutorial.OnButtonDown(0, x, y);
        tutorial.OnButtonUp(0, x, y);
    }
    int ActiveGroup() const {
        const CTutorialStep* step = tutorial.Active(0);
        return step ? step->group : -1;
    }

    FakePracticePlay play;
    CSkin skin;
    CTutorial tutorial;
};

TEST(GroupTiming, AGroupAlreadyDoneEndsAtTheNextPollAndAMissingGroupNumberCostsOnePoll) {
    std::vector<std::unique_ptr<CTutorialStep>> steps;
    steps.push_back(WaitFor(0, ConditionKind::PlayStarted));
    steps.push_back(WaitFor(1, ConditionKind::PlayStarted));
    steps.push_back(WaitFor(3, ConditionKind::PlayStarted));
    SmallRun run(std::move(steps));

    EXPECT_FALSE(run.tutorial.Poll());
    EXPECT_EQ(run.ActiveGroup(), 0);
    // Group 0 is done at its first poll, and group 1 starts in that same poll.
    EXPECT_FALSE(run.tutorial.Poll());
    EXPECT_EQ(run.ActiveGroup(), 1);
    // Group 1 ends; no step has group number 2, so nothing starts until the poll after.
    EXPECT_FALSE(run.tutorial.Poll());
    EXPECT_EQ(run.ActiveGroup(), -1);
    EXPECT_FALSE(run.tutorial.Poll());
    EXPECT_EQ(run.ActiveGroup(), 3);
    // The last group's end is the end of the run, reported by the poll that finishes it.
    EXPECT_TRUE(run.tutorial.Poll());
}

TEST(GroupTiming, ThePlayRunsOnlyWhileEveryShownStepAllowsIt) {
    std::vector<std::unique_ptr<CTutorialStep>> steps;
    steps.push_back(WaitFor(0, ConditionKind::OrdersAccepted, true));
    steps.push_back(WaitFor(0, ConditionKind::Click, false));
    steps.push_back(WaitFor(1, ConditionKind::Click, true));
    SmallRun run(std::move(steps));

    EXPECT_EQ(run.tutorial.Gate(), GateAnswer::Hold);  // nothing was shown yet
    run.Click(1, 1);
    EXPECT_EQ(run.tutorial.Gate(), GateAnswer::Hold);  // a finished step without R still counts
    run.play.now.subState = 1;
    EXPECT_EQ(run.tutorial.Gate(), GateAnswer::Run);  // the last group starts: all may move
    run.Click(1, 1);
    EXPECT_EQ(run.tutorial.Gate(), GateAnswer::End);
}

TEST(GroupTiming, AReleaseWhosePressCameBeforeTheGroupStartedFinishesNothing) {
    std::vector<std::unique_ptr<CTutorialStep>> steps;
    steps.push_back(WaitFor(0, ConditionKind::OrdersAccepted, true));
    steps.push_back(WaitFor(1, ConditionKind::Click));
    SmallRun run(std::move(steps));
    run.tutorial.Poll();

    run.tutorial.OnButtonDown(0, 1, 1);
    run.play.now.subState = 1;
    run.tutorial.Poll();
    ASSERT_EQ(run.ActiveGroup(), 1);
    run.tutorial.OnButtonUp(0, 1, 1);
    EXPECT_FALSE(run.tutorial.Poll());
    run.Click(1, 1);
    EXPECT_TRUE(run.tutorial.Poll());
}

TEST(ClickTarget, OnlyClicksInsideTheFrameLessThreePixelsAcrossAndTwoDownReachTheScreen) {
    std::vector<std::unique_ptr<CTutorialStep>> steps;
    steps.push_back(
        std::make_unique<CClickTargetStep>(0, Rect{100, 200, 160, 230}, Condition{ConditionKind::Click}, false, true));
    SmallRun run(std::move(steps));
    run.tutorial.Poll();

    struct Case {
        int x, y;
        bool through;
    };
    for (const Case& c : {Case{102, 215, false}, Case{103, 215, true}, Case{156, 215, true}, Case{157, 215, false},
                          Case{130, 201, false}, Case{130, 202, true}, Case{130, 227, true}, Case{130, 228, false}}) {
        SCOPED_TRACE(testing::Message() << "(" << c.x << ", " << c.y << ")");
        EXPECT_EQ(run.tutorial.LetsThrough(run.tutorial.OnButtonDown(0, c.x, c.y)), c.through);
        EXPECT_EQ(run.tutorial.LetsThrough(run.tutorial.OnButtonUp(0, c.x, c.y)), c.through);
    }

    // A swallowed click does not finish the step; one inside does, and with it the run.
    run.Click(102, 215);
    EXPECT_FALSE(run.tutorial.Poll());
    EXPECT_NE(run.tutorial.Active(0), nullptr);
    run.Click(103, 215);
    EXPECT_TRUE(run.tutorial.Poll());
}

}  // namespace
}  // namespace valmore
