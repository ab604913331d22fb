#pragma once

// A blinking frame around a button of the message box. The box lies above the screen, so the frame
// is drawn over it, after the box has drawn itself. The step holds its group until the box is closed.

#include "tutorial/Step.h"

namespace valmore {

class CMessageBoxStep final : public CTutorialStep {
public:
    // rect is in the message box's own coordinates.
    CMessageBoxStep(int group, const Rect& rect)
        : CTutorialStep(group, rect, Condition{ConditionKind::MessageBoxClosed}, false, false) {}

    StepKind Kind() const override { return StepKind::MessageBox; }
    // Draws in the box's coordinates.
    void Draw(CCanvas& canvas, const IMarkupSkin& skin) override;
    // Leaves advance, run and clicks to the other steps of the group.
    void Poll(CTutorial& tutorial, PollFlags& flags) override;
    void Start(ITutorialHost& host) override;
};

}  // namespace valmore
