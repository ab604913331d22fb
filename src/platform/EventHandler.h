#pragma once

// What the window's event pump delivers to. The main view is one; a modal popup is another, and it
// forwards ticks (and painting of what lies below it) to the main view while it keeps the input.

#include "platform/Geometry.h"
#include "platform/InputEvent.h"

namespace valmore {

class CCanvas;

class IEventHandler {
public:
    virtual ~IEventHandler() = default;

    virtual void OnInput(const InputEvent& event) = 0;
    // Called once per period of the window's timer; a late tick is delivered once, not repeated.
    virtual void OnTick() = 0;
    // Redraw the back buffer. `invalid` is the part that will be shown afterwards, in canvas
    // coordinates; the canvas comes without clip and with its origin at the canvas corner.
    virtual void OnPaint(CCanvas& canvas, const Rect& invalid) = 0;
};

}  // namespace valmore
