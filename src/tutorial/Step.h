#pragma once

// One step of the practice script: something shown (a balloon, a blinking frame) or waited for, with
// the condition that finishes it and the flags that say whether the play may run and clicks may reach
// the screen while it is shown. All steps of a group start together; the next group starts when every
// one of them has finished.

#include "platform/Canvas.h"
#include "platform/Geometry.h"
#include "tutorial/Condition.h"
#include "ui/MarkupMeasure.h"

namespace valmore {

class CTutorial;
class ITutorialHost;

// The kinds of step, by the letters the script uses for them.
enum class StepKind {
    Balloon,      // B: a box with an explanation
    Highlight,    // H: a blinking frame around an element
    ClickTarget,  // T: a blinking frame that lets only clicks inside it through
    Wait,         // W: nothing shown, only waited for
    MessageBox,   // D: a blinking frame drawn by the message box
};

// What one poll of the active steps collects.
struct PollFlags {
    bool advance = true;   // every step is finished: the next group may start
    bool repaint = false;  // a step still shows something
    bool run = true;       // the day controller may advance
    bool clicks = true;    // clicks may reach the screen's panels
};

class CTutorialStep {
public:
    CTutorialStep(int group, const Rect& rect, const Condition& condition, bool run, bool clicks)
        : group(group), rect(rect), condition(condition), run(run), clicks(clicks) {}
    virtual ~CTutorialStep() = default;
    CTutorialStep(const CTutorialStep&) = delete;
    CTutorialStep& operator=(const CTutorialStep&) = delete;

    virtual StepKind Kind() const = 0;
    virtual void Draw(CCanvas& canvas, const IMarkupSkin& skin);
    // Sets finished from the condition and folds the step into the flags.
    virtual void Poll(CTutorial& tutorial, PollFlags& flags);
    // Whether the step lets a button event through (canvas coordinates).
    virtual bool OnButtonUp(unsigned flags, int x, int y);
    virtual bool OnButtonDown(unsigned flags, int x, int y);
    virtual void Start(ITutorialHost& host);
    // What the step covers when drawn, for repainting (canvas pixels).
    virtual Rect DrawnRect() const { return rect; }

    const int group;
    const Rect rect;  // canvas pixels; empty for a step that shows nothing of its own
    const Condition condition;
    const bool run;
    const bool clicks;
    bool finished = false;
    int blink = 0;
};

}  // namespace valmore
