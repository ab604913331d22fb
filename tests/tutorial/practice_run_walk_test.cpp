// The whole practice run played as a beginner would, in both resolution modes: clicking only inside
// the current click target (after one try just beside it), clicking anywhere when a balloon asks for
// a click, answering the message box, and otherwise waiting for the next tick.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "FakePracticePlay.h"
#include "tutorial/ClickTargetStep.h"
#include "tutorial/PracticeScript.h"
#include "tutorial/Tutorial.h"
#include "ui/Skin.h"
#include "ui/ViewHost.h"

namespace valmore {
namespace {

using test::FakePracticePlay;

class Beginner {
public:
    explicit Beginner(int mode)
        : tutorial(play, skin, BuildPracticeSteps(mode, mode == kModeSxga ? Size{1280, 1024} : Size{1024, 768})) {
        // The execute button is what the very last click target of the script points at.
        for (const auto& step : tutorial.Steps()) {
            if (step->Kind() == StepKind::ClickTarget) executeButton = step->rect;
        }
    }

    // As the shell's practice run starts it: the practice play first.
    bool Start() {
        if (!play.Load()) return false;
        tutorial.Start();
        return true;
    }

    // A button press and release at (x, y) as the main view hands them over: to the screen if the run
    // lets them through, then a poll.
    bool Click(int x, int y, const std::function<void()>& onScreen = {}) {
        const bool downThrough = tutorial.LetsThrough(tutorial.OnButtonDown(0, x, y));
        const bool upThrough = tutorial.LetsThrough(tutorial.OnButtonUp(0, x, y));
        if (downThrough && upThrough && onScreen) onScreen();
        tutorial.Poll();
        return downThrough && upThrough;
    }

    // The controller's tick: it asks the gate and follows the answer.
    GateAnswer Gate() {
        const GateAnswer answer = tutorial.Gate();
        play.Follow(answer);
        return answer;
    }
    void Tick() { Gate(); }

    // The first active step that matches.
    const CTutorialStep* Find(const std::function<bool(const CTutorialStep&)>& match) const {
        for (int slot = 0; slot < CTutorial::kSlots; ++slot) {
            const CTutorialStep* step = tutorial.Active(slot);
            if (step && match(*step)) return step;
        }
        return nullptr;
    }
    const CTutorialStep* ActiveOf(StepKind kind) const {
        return Find([kind](const CTutorialStep& s) { return s.Kind() == kind; });
    }
    bool WaitsForClick() const {
        return Find([](const CTutorialStep& s) { return s.condition.kind == ConditionKind::Click; }) != nullptr;
    }
    void NoteStartedGroups() {
        const int last = startedGroups.empty() ? -1 : startedGroups.back();
        if (const CTutorialStep* step = Find([last](const CTutorialStep& s) { return s.group > last; }))
            startedGroups.push_back(step->group);
    }

    // One thing a beginner does, chosen by what the run shows.
    void Act() {
        NoteStartedGroups();
        if (play.now.boxOpen) {
            // The box stays open for a few ticks while it is read; its frame blinks meanwhile.
            for (int i = 0; i < 3; ++i) Tick();
            EXPECT_GT(play.boxBlink, 0);
            EXPECT_FALSE(play.boxFrame.IsEmpty());
            play.now.boxOpen = false;
            tutorial.Poll();
            return;
        }
        if (const auto* target = dynamic_cast<const CClickTargetStep*>(ActiveOf(StepKind::ClickTarget))) {
            const int group = target->group;
            const Rect aim = target->Target();
            const int middleY = (aim.top + aim.bottom) / 2;
            EXPECT_FALSE(Click(aim.left - 1, middleY)) << "group " << group;
            EXPECT_EQ(ActiveOf(StepKind::ClickTarget), target) << "a click beside the target finished group " << group;
            const Condition waitedFor = target->condition;
            const bool execute = target->rect == executeButton;
            EXPECT_TRUE(Click((aim.left + aim.right) / 2, middleY, [&] { play.Press(waitedFor, execute); }))
                << "group " << group;
            return;
        }
        if (WaitsForClick()) {
            // The balloon is read for a tick first: the poll that starts the last group lets every
            // click through until the next one.
            Tick();
            EXPECT_FALSE(Click(1, 1)) << "a click on nothing reached the screen in group "
                                      << tutorial.GroupNumber() - 1;
            return;
        }
        Tick();
    }

    // Walks until the run ends or stop() says so; false when the walk seems stuck.
    bool WalkUntil(const std::function<bool()>& stop) {
        for (int actions = 0; actions < 20000; ++actions) {
            if (!tutorial.Running() || stop()) return true;
            Act();
        }
        return false;
    }

    FakePracticePlay play;
    CSkin skin;
    CTutorial tutorial;
    Rect executeButton;
    std::vector<int> startedGroups;
};

class PracticeRunWalk : public testing::TestWithParam<int> {};

TEST_P(PracticeRunWalk, EveryGroupStartsInOrderAndTheRunReturnsToTheMenu) {
    const int mode = GetParam();
    Beginner beginner(mode);
    ASSERT_TRUE(beginner.Start());
    EXPECT_TRUE(beginner.play.onPlayScreen);

    ASSERT_TRUE(beginner.WalkUntil([] { return false; }));

    // Both modes show every group, in the same order.
    std::vector<int> expected;
    for (int g = 0; g < kPracticeGroups; ++g) expected.push_back(g);
    EXPECT_EQ(beginner.startedGroups, expected);

    // Five days of orders, two of them refused once with the message box framed.
    EXPECT_EQ(beginner.play.now.executedDays, 5);
    EXPECT_EQ(beginner.play.boxFramesStarted, 2);
    EXPECT_EQ(beginner.play.releases, 1);
    EXPECT_FALSE(beginner.play.onPlayScreen);
    EXPECT_EQ(beginner.Gate(), GateAnswer::Run) << "a run that is over holds nothing";
    EXPECT_EQ(beginner.play.releases, 1);
}

TEST_P(PracticeRunWalk, EscapeEndsTheRunDuringABalloonAWaitOrAMessageBox) {
    const int mode = GetParam();
    const std::vector<std::pair<const char*, std::function<bool(Beginner&)>>> moments{
        {"during the opening's wait", [](Beginner& b) { return b.ActiveOf(StepKind::Wait) != nullptr; }},
        {"during a balloon", [](Beginner& b) { return b.tutorial.GroupNumber() > 20; }},
        {"with the message box open", [](Beginner& b) { return b.play.now.boxOpen; }},
    };
    for (const auto& [when, moment] : moments) {
        SCOPED_TRACE(when);
        Beginner beginner(mode);
        ASSERT_TRUE(beginner.Start());
        ASSERT_TRUE(beginner.WalkUntil([&] { return moment(beginner); }));
        ASSERT_TRUE(beginner.tutorial.Running());

        beginner.tutorial.RequestStop();
        EXPECT_EQ(beginner.Gate(), GateAnswer::End);
        EXPECT_EQ(beginner.play.releases, 1);
        EXPECT_FALSE(beginner.play.onPlayScreen);
        EXPECT_FALSE(beginner.tutorial.Running());

        // The next run starts again from the first group.
        ASSERT_TRUE(beginner.Start());
        beginner.startedGroups.clear();
        ASSERT_TRUE(beginner.WalkUntil([&] { return beginner.tutorial.GroupNumber() > 3; }));
        beginner.NoteStartedGroups();
        EXPECT_EQ(beginner.startedGroups, (std::vector<int>{0, 1, 2, 3}));
    }
}

INSTANTIATE_TEST_SUITE_P(BothModes, PracticeRunWalk, testing::Values(kModeXga, kModeSxga));

}  // namespace
}  // namespace valmore
