#pragma once

// The guided practice run: a script of steps played over the simulation screen. Balloons explain,
// blinking frames point, click targets let through only the click the user is told to make, and
// conditions on the play hold each group until it is done. While a step waits for the user the day
// controller is held and other clicks are swallowed.
//
// The program around it calls, while the run is on:
//   at every controller tick                                  Gate()
//   after every button event                                  Poll()
//   before a button event reaches the screen                  OnButtonDown / OnButtonUp, then LetsThrough
//   after the simulation screen has drawn its panels          Draw
//   after the message popup has drawn itself                  DrawOverPopup
//   on Escape                                                 RequestStop
// The run itself neither starts nor releases the practice play: whoever starts the run loads the play,
// and the day controller releases it when the gate answers End.

#include <array>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "platform/Canvas.h"
#include "sim/DayController.h"
#include "tutorial/Step.h"
#include "tutorial/TutorialHost.h"
#include "ui/MarkupMeasure.h"

namespace valmore {

class CTutorial {
public:
    static constexpr int kSlots = 20;
    static constexpr int kMaxSteps = 200;

    // steps: the script in order, group numbers rising (fewer than kMaxSteps; more are dropped).
    CTutorial(ITutorialHost& host, const IMarkupSkin& skin, std::vector<std::unique_ptr<CTutorialStep>> steps);

    // Starts a practice run from the first group, over a practice play already loaded.
    void Start();

    // One poll of the active steps: reads the facts, finishes steps, starts the next group when all
    // are finished and stores the flags. True once the run is over (the script is through or a stop
    // was requested); it keeps running until the gate has answered End.
    bool Poll();

    // The day controller's question at every tick: polls, and answers End exactly once, when the run
    // is over; Run while no run is on.
    GateAnswer Gate();

    // Button events while running: the AND of every active step's answer. A release counts for the
    // click condition only when its press was accepted while the same group was showing, so one press
    // and release finishes at most one group. While a step waits for a click, the repeat clicks of a
    // double click are swallowed whole: they would pass over the balloon the first click brought up.
    bool OnButtonDown(unsigned flags, int x, int y);
    bool OnButtonUp(unsigned flags, int x, int y);
    // Whether an event the active steps answered with accepted reaches the screen.
    bool LetsThrough(bool accepted) const { return !running_ || (accepted && clicks_); }

    void Draw(CCanvas& canvas);
    // The frame over the message popup, in the popup's coordinates.
    void DrawOverPopup(CCanvas& canvas);
    // Where that frame is (popup coordinates) while a step shows one.
    std::optional<Rect> PopupFrame() const;

    // Escape: the run ends at the controller's next tick.
    void RequestStop();
    // The simulation screen forgets an old stop request whenever it becomes current.
    void ClearStopRequest() { stopRequested_ = false; }

    bool Running() const { return running_; }
    bool StopRequested() const { return stopRequested_; }
    bool RunFlag() const { return run_; }
    bool ClicksFlag() const { return clicks_; }
    bool AdvanceFlag() const { return advance_; }
    bool RepaintFlag() const { return repaint_; }
    bool ClickAccepted() const { return clickAccepted_; }
    // The group that starts next.
    int GroupNumber() const { return groupNumber_; }
    const CTutorialStep* Active(int slot) const;
    std::span<const std::unique_ptr<CTutorialStep>> Steps() const { return steps_; }

    // For the steps.
    bool Holds(const Condition& condition, const CTutorialStep& asker) const;
    // The facts read at the start of the current poll.
    const TutorialFacts& Facts() const { return facts_; }
    ITutorialHost& Host() { return host_; }

private:
    void End();
    bool AtEnd() const { return cursor_ >= steps_.size(); }
    int FreeSlot() const;
    bool WaitsForClick() const;

    ITutorialHost& host_;
    const IMarkupSkin& skin_;
    std::vector<std::unique_ptr<CTutorialStep>> steps_;
    std::array<CTutorialStep*, kSlots> active_{};
    TutorialFacts facts_;
    std::size_t cursor_ = 0;
    int groupNumber_ = 0;
    // The group number when the last accepted press came; -1 after its release.
    int pressGroup_ = -1;
    bool clickAccepted_ = false;
    bool running_ = false;
    bool stopRequested_ = false;
    bool over_ = false;
    bool advance_ = false;
    bool repaint_ = false;
    bool run_ = true;
    bool clicks_ = true;
};

}  // namespace valmore
