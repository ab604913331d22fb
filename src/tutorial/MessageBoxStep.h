#pragma once

// A frame around a button of the message box, which the box draws itself since it lies above the
// screen. The step holds its group until the box is closed.

#include "tutorial/Step.h"

namespace valmore {

class CMessageBoxStep final : public CTutorialStep {
public:
    // rect is in the message box's own coordinates.
    CMessageBoxStep(int group, const Rect& rect)
        : CTutorialStep(group, rect, Condition{ConditionKind::MessageBoxClosed}, false, false) {}

    StepKind Kind() const override { return StepKind::MessageBox; }
    // Leaves advance, run and clicks to the other steps of the group.
    void Poll(CTutorial& tutorial, PollFlags& flags) override;
    void Start(ITutorialHost& host) override;
};

}  // namespace valmore
