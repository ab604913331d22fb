#pragma once

// A figure of the market or asset panel together with its highlight counter: a figure that has just
// changed is shown on a light red background until its counter has run down.

#include <string_view>

#include "platform/Canvas.h"
#include "ui/Palette.h"

namespace valmore {

template <class T>
struct HighlightedValue {
    static constexpr int kUpdates = 10;

    T value{};
    int counter = 0;

    struct Change {
        bool changed = false;  // the value differs from the one stored before
        bool ended = false;    // the counter reached 0 on this update
    };

    // Stores the value (a new value restarts the counter at kUpdates), then counts one update down.
    // The comparison is exact, also for reals: any change at all is shown.
    Change Update(T newValue) {
        Change change;
        if (value != newValue) {
            value = newValue;
            counter = kUpdates;
            change.changed = true;
        }
        if (counter != 0) {
            --counter;
            change.ended = counter == 0;
        }
        return change;
    }

    bool Highlighted() const { return counter != 0; }

    bool operator==(const HighlightedValue&) const = default;
};

// Draws a number right-aligned in its cell, its right end 4 pixels inside the cell and its top 4
// pixels below the cell's top, on an opaque white background; a highlighted cell is filled with the
// highlight colour first and the text sits on that colour. The canvas's colours and alignment are
// put back afterwards.
void DrawNumberCell(CCanvas& dc, const Rect& cell, std::string_view text, bool highlighted);

}  // namespace valmore
