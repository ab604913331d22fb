#pragma once

// A step that shows nothing and only holds its group until its condition is met.

#include "tutorial/Step.h"

namespace valmore {

class CWaitStep final : public CTutorialStep {
public:
    CWaitStep(int group, const Condition& condition, bool run, bool clicks)
        : CTutorialStep(group, Rect{}, condition, run, clicks) {}

    StepKind Kind() const override { return StepKind::Wait; }
};

}  // namespace valmore
