#include "tutorial/Tutorial.h"

#include <utility>

#include "platform/InputEvent.h"

namespace valmore {

CTutorial::CTutorial(ITutorialHost& host, const IMarkupSkin& skin, std::vector<std::unique_ptr<CTutorialStep>> steps)
    : host_(host), skin_(skin), steps_(std::move(steps)) {
    // The end of the script takes the last of the kMaxSteps places.
    if (steps_.size() >= static_cast<std::size_t>(kMaxSteps)) steps_.resize(kMaxSteps - 1);
}

void CTutorial::Start() {
    groupNumber_ = 0;
    active_.fill(nullptr);
    clickAccepted_ = false;
    pressGroup_ = -1;
    cursor_ = 0;
    running_ = true;
    stopRequested_ = false;
    over_ = false;
    // Until the first group is up nothing may move: the first poll would say the same.
    run_ = false;
    clicks_ = false;
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
    if (!running_ || stopRequested_ || over_) return true;
    facts_ = host_.Facts();

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
            host_.HighlightGone();
        }
    }

    if (flags.advance) {
        if (AtEnd()) {
            over_ = true;
            return true;
        }
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

GateAnswer CTutorial::Gate() {
    if (!running_) return GateAnswer::Run;
    if (Poll()) {
        End();
        return GateAnswer::End;
    }
    return run_ ? GateAnswer::Run : GateAnswer::Hold;
}

void CTutorial::End() {
    running_ = false;
    active_.fill(nullptr);
}

bool CTutorial::WaitsForClick() const {
    for (const CTutorialStep* step : active_) {
        if (step && step->condition.kind == ConditionKind::Click) return true;
    }
    return false;
}

bool CTutorial::OnButtonDown(unsigned flags, int x, int y) {
    if (!running_) return true;
    pressGroup_ = -1;
    if ((flags & kMouseRepeatClick) && WaitsForClick()) return false;
    bool accepted = true;
    for (CTutorialStep* step : active_) {
        if (step) accepted = step->OnButtonDown(flags, x, y) && accepted;
    }
    if (accepted) pressGroup_ = groupNumber_;
    return accepted;
}

bool CTutorial::OnButtonUp(unsigned flags, int x, int y) {
    if (!running_) return true;
    const bool pressedInThisGroup = pressGroup_ == groupNumber_;
    pressGroup_ = -1;
    clickAccepted_ = false;
    if ((flags & kMouseRepeatClick) && WaitsForClick()) return false;
    bool accepted = true;
    for (CTutorialStep* step : active_) {
        if (step) accepted = step->OnButtonUp(flags, x, y) && accepted;
    }
    clickAccepted_ = accepted && pressedInThisGroup;
    return accepted;
}

void CTutorial::Draw(CCanvas& canvas) {
    if (!running_) return;
    // The message box's frame lies above the popup, so it is drawn with the popup.
    for (CTutorialStep* step : active_) {
        if (step && step->Kind() != StepKind::MessageBox) step->Draw(canvas, skin_);
    }
}

void CTutorial::DrawOverPopup(CCanvas& canvas) {
    if (!running_) return;
    for (CTutorialStep* step : active_) {
        if (step && step->Kind() == StepKind::MessageBox) step->Draw(canvas, skin_);
    }
}

std::optional<Rect> CTutorial::PopupFrame() const {
    if (!running_) return std::nullopt;
    for (const CTutorialStep* step : active_) {
        if (step && step->Kind() == StepKind::MessageBox) return step->rect;
    }
    return std::nullopt;
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
            return facts_.state != CDayController::kOpening;
        case ConditionKind::NewsShown:
            return facts_.subState == CDayController::kNews;
        case ConditionKind::OrdersAccepted:
            return facts_.subState == CDayController::kOrders;
        case ConditionKind::PriceMoveShown:
            return facts_.subState == CDayController::kPriceMove;
        case ConditionKind::DetailView:
            return facts_.newsDetail;
        case ConditionKind::MessageBoxClosed:
            return !facts_.popupOpen;
        case ConditionKind::ColumnQuantity:
            if (condition.column < 0 || condition.column >= static_cast<int>(facts_.quantities.size())) return false;
            return facts_.quantities[static_cast<std::size_t>(condition.column)] == condition.quantity;
    }
    return false;
}

}  // namespace valmore
