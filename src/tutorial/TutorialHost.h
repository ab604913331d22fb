#pragma once

// What the practice run needs of the program around it: the facts about the play it watches, read
// once per poll, and repaints. The practice run of the shell implements it over the day controller,
// the simulation screen's panels and the message popup; tests use a fake.

#include <array>
#include <cstdint>

#include "platform/Geometry.h"
#include "sim/DayController.h"

namespace valmore {

// What the steps' conditions look at, as it stands when a poll begins.
struct TutorialFacts {
    CDayController::State state = CDayController::kOpening;
    // Meaningful in state kDay.
    CDayController::SubState subState = CDayController::kNews;
    // The shares in the quantity spin box of each order column.
    std::array<std::int32_t, 3> quantities{};
    // The news panel shows one news detail rather than the headline list.
    bool newsDetail = false;
    bool popupOpen = false;
    // Where the message popup lies (canvas coordinates) while it is open.
    Rect popupRect{};
};

class ITutorialHost {
public:
    virtual ~ITutorialHost() = default;

    virtual TutorialFacts Facts() const = 0;
    // A frame or balloon drawn over the panels has gone or is about to: the panels are marked for
    // redrawing, since they repaint only when marked and would keep it on screen.
    virtual void HighlightGone() = 0;
    // A repaint of part of the canvas (canvas coordinates).
    virtual void Invalidate(const Rect& rect) = 0;
};

}  // namespace valmore
