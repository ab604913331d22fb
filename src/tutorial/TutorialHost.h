#pragma once

// What the practice run needs of the program around it: the state of the play it watches, the
// message box it frames, repaint requests, and starting and releasing the practice play. The main
// view implements it over the day controller, the simulation screen's panels and the message popup;
// tests use a fake.

#include <cstdint>

#include "platform/Geometry.h"

namespace valmore {

class ITutorialHost {
public:
    virtual ~ITutorialHost() = default;

    // The day controller's state (0 opening, 1 day in progress, 2 finishing, 4 play over) and, in
    // state 1, its sub-state (0 news shown, 1 accepting orders, 2 day closing, 3 price move shown).
    virtual int ControllerState() const = 0;
    virtual int ControllerSubState() const = 0;
    // The shares in the quantity spin box of order column 0, 1 or 2.
    virtual std::int32_t ColumnQuantity(int column) const = 0;
    // The news panel shows one news detail rather than the headline list.
    virtual bool NewsDetailShown() const = 0;

    virtual bool MessageBoxOpen() const = 0;
    // Frames rect (in the box's own coordinates) on the message box from now on, blink counter at 0.
    virtual void HighlightMessageBox(const Rect& rect) = 0;
    // One step of the frame's blinking, with a repaint of the box.
    virtual void BlinkMessageBox() = 0;

    // Marks every panel of the simulation screen for redrawing, so a frame drawn over them goes away.
    virtual void RefreshAllPanels() = 0;
    // A repaint of part of the canvas (canvas coordinates).
    virtual void Invalidate(const Rect& rect) = 0;

    // Starts a fresh play of the practice scenario; false when it cannot be loaded.
    virtual bool StartPracticePlay() = 0;
    // Shows the practice play: order columns assigned, information panel emptied, simulation screen
    // current and repainted.
    virtual void ShowPracticeScreen() = 0;
    // Ends the practice play: the play objects destroyed, the main menu current and repainted, the
    // message box's frame switched off. Nothing of the play is stored.
    virtual void ReleasePracticePlay() = 0;
};

}  // namespace valmore
