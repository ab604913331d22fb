#pragma once

// A blinking frame around the one element the user is told to click. Only button events inside it
// get through; everything else is swallowed while the step is active.

#include "tutorial/HighlightStep.h"

namespace valmore {

class CClickTargetStep final : public CHighlightStep {
public:
    using CHighlightStep::CHighlightStep;

    StepKind Kind() const override { return StepKind::ClickTarget; }
    bool OnButtonUp(unsigned flags, int x, int y) override;
    bool OnButtonDown(unsigned flags, int x, int y) override;

    // The part of the frame that takes clicks: the frame's lines and a little more are left out, so a
    // click on the edge of a neighbouring element never counts.
    Rect Target() const;
};

}  // namespace valmore
