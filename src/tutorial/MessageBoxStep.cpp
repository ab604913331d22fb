#include "tutorial/MessageBoxStep.h"

#include "tutorial/HighlightStep.h"
#include "tutorial/Tutorial.h"
#include "tutorial/TutorialHost.h"
#include "ui/Palette.h"

namespace valmore {

namespace {

constexpr int kCornerEllipse = 10;
constexpr Pen kFramePen{PenStyle::Dash, 5, kPalette.tutorialFrame};

}  // namespace

void CMessageBoxStep::Draw(CCanvas& canvas, const IMarkupSkin&) {
    if (!BlinkShows(blink)) return;
    CCanvas::StateGuard state(canvas);
    canvas.SelectPen(kFramePen);
    canvas.SelectBrush(Brush::Hollow());
    canvas.RoundRect(rect, kCornerEllipse, kCornerEllipse);
}

void CMessageBoxStep::Poll(CTutorial& tutorial, PollFlags&) {
    finished = tutorial.Holds(condition, *this);
    if (finished) return;
    ++blink;
    const Rect& box = tutorial.Facts().popupRect;
    tutorial.Host().Invalidate(
        Rect{box.left + rect.left, box.top + rect.top, box.left + rect.right, box.top + rect.bottom});
}

void CMessageBoxStep::Start(ITutorialHost&) {
    blink = 0;
}

}  // namespace valmore
