#pragma once

// A red dashed frame that blinks around an element while the balloon beside it explains it.

#include "tutorial/Step.h"

namespace valmore {

// Whether a blinking frame shows at this step of its counter: the first 7 of every 16.
bool BlinkShows(int counter);

class CHighlightStep : public CTutorialStep {
public:
    using CTutorialStep::CTutorialStep;

    StepKind Kind() const override { return StepKind::Highlight; }
    void Draw(CCanvas& canvas, const IMarkupSkin& skin) override;
    void Poll(CTutorial& tutorial, PollFlags& flags) override;

    // The frame shows for the first 7 of every 16 polls.
    bool FrameVisible() const;
    // Where the frame's line runs: a margin outside the rectangle, so that the line never covers what
    // it points at.
    Rect FrameRect() const;
    Rect DrawnRect() const override;
};

}  // namespace valmore
