#pragma once

// The script of the practice run: 103 groups, the same in both resolution modes, held as one table of
// steps per resolution mode, and the balloon texts, one per group that has a balloon.

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Geometry.h"
#include "tutorial/BalloonStep.h"
#include "tutorial/Condition.h"
#include "tutorial/Step.h"

namespace valmore {

// One step as the script table holds it. A balloon's rectangle is its placement (see CBalloonStep);
// a message box frame's rectangle is in the box's coordinates; a wait has none.
struct ScriptStep {
    int group = 0;
    StepKind kind = StepKind::Wait;
    Rect rect{};
    Condition condition{};
    bool run = false;
    bool clicks = false;
    Footer footer = Footer::None;
    int font = 16;  // the skin font a balloon's text starts in
};

constexpr int kPracticeGroups = 103;

// The table of the resolution mode (0 XGA, 1 SXGA).
std::span<const ScriptStep> PracticeScript(int mode);

// The explanation of a group's balloon (UTF-8, markup), without its opening font and line gap codes;
// empty for a group without a balloon.
std::string_view PracticeText(int group);

// The full Shift_JIS markup of a balloon: its font and line gap, then its explanation.
std::string BalloonMarkup(const ScriptStep& step);

// The step objects of the mode's script, balloons placed on a canvas of the given size.
std::vector<std::unique_ptr<CTutorialStep>> BuildPracticeSteps(int mode, Size canvas);

}  // namespace valmore
