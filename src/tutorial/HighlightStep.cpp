#include "tutorial/HighlightStep.h"

#include "tutorial/Tutorial.h"
#include "tutorial/TutorialHost.h"
#include "ui/Palette.h"

namespace valmore {

namespace {

constexpr int kBlinkPeriod = 16;
constexpr int kLastVisiblePhase = 6;
// Panels redraw only when marked, so the frame they were painted under would stay on screen; once
// per period, after the frame has gone, they are marked.
constexpr int kRefreshPhase = 8;
constexpr int kCornerEllipse = 10;
constexpr Pen kFramePen{PenStyle::Dash, 3, kPalette.tutorialFrame};
// The line's inner edge stays 2 pixels clear of the rectangle.
constexpr int kFrameMargin = 4;

int Phase(int counter) {
    return ((counter % kBlinkPeriod) + kBlinkPeriod) % kBlinkPeriod;
}

}  // namespace

bool BlinkShows(int counter) {
    return Phase(counter) <= kLastVisiblePhase;
}

bool CHighlightStep::FrameVisible() const {
    return BlinkShows(blink);
}

Rect CHighlightStep::FrameRect() const {
    return Rect{rect.left - kFrameMargin, rect.top - kFrameMargin, rect.right + kFrameMargin,
                rect.bottom + kFrameMargin};
}

Rect CHighlightStep::DrawnRect() const {
    const int half = kFramePen.width / 2 + 1;
    const Rect frame = FrameRect();
    return Rect{frame.left - half, frame.top - half, frame.right + half, frame.bottom + half};
}

void CHighlightStep::Draw(CCanvas& canvas, const IMarkupSkin&) {
    if (!FrameVisible()) return;
    CCanvas::StateGuard state(canvas);
    canvas.SelectPen(kFramePen);
    canvas.SelectBrush(Brush::Hollow());
    canvas.RoundRect(FrameRect(), kCornerEllipse, kCornerEllipse);
}

void CHighlightStep::Poll(CTutorial& tutorial, PollFlags& flags) {
    ++blink;
    if (Phase(blink) == kRefreshPhase) tutorial.Host().HighlightGone();
    CTutorialStep::Poll(tutorial, flags);
}

}  // namespace valmore
