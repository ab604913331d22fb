#include "tutorial/Tutorial.h"

#include <utility>

namespace valmore {

CTutorial::CTutorial(ITutorialHost& host, const IMarkupSkin& skin, std::vector<std::unique_ptr<CTutorialStep>> steps)
    : host_(host), skin_(skin), steps_(std::move(steps)) {
    // The end of the script takes the last of the kMaxSteps places.
    if (steps_.size() >= static_cast<std::size_t>(kMaxSteps)) steps_.resize(kMaxSteps - 1);
}

bool CTutorial::Start() {
    if (!host_.StartPracticePlay()) return false;
    groupNumber_ = 0;
    active_.fill(nullptr);
    clickAccepted_ = false;
    cursor_ = 0;
    running_ = true;
    stopRequested_ = false;
    // Until the first group is up nothing may move: the first poll would say the same.
    run_ = false;
    clicks_ = false;
    host_.ShowPracticeScreen();
    return true;
}

int CTutorial::FreeSlot() const {
    for (int slot = 0; slot < kSlots; ++slot) {
        if (!active_[static_cast<std::size_t>(slot)]) return slot;
    }
    return -1;
}

const CTutorialStep* CTutorial::Active(int slot) const {
    if (slot < 0 || slot >= kSlots) return nullptr;
    return active_[static_cast<std::size_t>(slot)];
}

bool CTutorial::Poll() {
    if (stopRequested_) return true;

    PollFlags flags;
    bool unfinished = false;
    // From the last slot down: a group's balloon sits in a lower slot than the frame or wait it
    // explains, so its "group done" sees what the others decided in this same poll.
    for (int slot = kSlots - 1; slot >= 0; --slot) {
        CTutorialStep* step = active_[static_cast<std::size_t>(slot)];
        if (!step) continue;
        step->Poll(*this, flags);
        unfinished = unfinished || !step->finished;
    }
    flags.run = flags.run && unfinished;
    flags.clicks = flags.clicks && unfinished;
    clickAccepted_ = false;

    for (CTutorialStep*& step : active_) {
        if (step && step->finished) {
            step = nullptr;
            host_.RefreshAllPanels();
        }
    }

    if (flags.advance) {
        if (AtEnd()) return true;
        // A group number without steps still takes this poll.
        while (!AtEnd() && steps_[cursor_]->group == groupNumber_) {
            const int slot = FreeSlot();
            if (slot < 0) break;
            CTutorialStep& step = *steps_[cursor_];
            step.finished = false;
            active_[static_cast<std::size_t>(slot)] = &step;
            step.Start(host_);
            ++cursor_;
            if (AtEnd()) {
                flags.run = true;
                flags.clicks = true;
            }
        }
        ++groupNumber_;
    }

    advance_ = flags.advance;
    repaint_ = flags.repaint;
    run_ = flags.run;
    clicks_ = flags.clicks;
    return false;
}

CTutorial::GateResult CTutorial::Gate() {
    if (!running_) return GateResult::NotRunning;
    if (Poll() || stopRequested_) {
        End();
        return GateResult::Ended;
    }
    return run_ ? GateResult::Run : GateResult::Hold;
}

void CTutorial::End() {
    running_ = false;
    active_.fill(nullptr);
    host_.ReleasePracticePlay();
}

bool CTutorial::OnButtonDown(unsigned flags, int x, int y) {
    if (!running_) return true;
    bool accepted = true;
    for (CTutorialStep* step : active_) {
        if (step) accepted = step->OnButtonDown(flags, x, y) && accepted;
    }
    return accepted;
}

bool CTutorial::OnButtonUp(unsigned flags, int x, int y) {
    if (!running_) return true;
    bool accepted = true;
    for (CTutorialStep* step : active_) {
        if (step) accepted = step->OnButtonUp(flags, x, y) && accepted;
    }
    clickAccepted_ = accepted;
    return accepted;
}

void CTutorial::Draw(CCanvas& canvas) {
    if (!running_) return;
    for (CTutorialStep* step : active_) {
        if (step) step->Draw(canvas, skin_);
    }
}

void CTutorial::RequestStop() {
    if (running_) stopRequested_ = true;
}

bool CTutorial::Holds(const Condition& condition, const CTutorialStep& asker) const {
    switch (condition.kind) {
        case ConditionKind::Click:
            return clickAccepted_;
        case ConditionKind::GroupDone:
            for (const CTutorialStep* step : active_) {
                if (step && step != &asker && step->group == asker.group && !step->finished) return false;
            }
            return true;
        case ConditionKind::PlayStarted:
            return host_.ControllerState() != 0;
        case ConditionKind::NewsShown:
            return host_.ControllerSubState() == 0;
        case ConditionKind::OrdersAccepted:
            return host_.ControllerSubState() == 1;
        case ConditionKind::PriceMoveShown:
            return host_.ControllerSubState() == 3;
        case ConditionKind::DetailView:
            return host_.NewsDetailShown();
        case ConditionKind::MessageBoxClosed:
            return !host_.MessageBoxOpen();
        case ConditionKind::ColumnQuantity:
            return host_.ColumnQuantity(condition.column) == condition.quantity;
    }
    return false;
}

}  // namespace valmore
