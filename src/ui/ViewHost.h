#pragma once

// What screens, panels and popups need of the main view: the resolution mode and skin, repaint
// requests, screen switching and modal loops. The main view implements it; tests use a small fake.

#include <atomic>
#include <functional>

#include "platform/Geometry.h"
#include "platform/InputEvent.h"
#include "platform/TextServices.h"
#include "ui/ResolutionMode.h"
#include "ui/ScreenNumber.h"

namespace valmore {

class CCanvas;
class CPanel;
class CSkin;
class ILinkLookup;

// A popup shown above the main canvas while a modal loop runs for it.
class IModalPopup {
public:
    virtual ~IModalPopup() = default;
    // Where the popup lies, in canvas coordinates.
    virtual Rect Bounds() const = 0;
    // Draws the popup; the canvas origin is at the popup's top-left corner.
    virtual void DrawPopup(CCanvas& canvas) = 0;
    // Input while the popup is shown, in popup coordinates (mouse) or as keys.
    virtual void OnPopupInput(const InputEvent& event) = 0;
    // The 100 ms timer while the popup is shown (after the main view has had it).
    virtual void OnPopupTick() {}
};

class IViewHost {
public:
    virtual ~IViewHost() = default;

    virtual ResolutionMode Mode() const = 0;
    virtual const CSkin& Skin() const = 0;
    // What link words lead to; nothing is found until the first scenario has been loaded.
    virtual const ILinkLookup& Links() const = 0;
    virtual Size ScreenSize() const = 0;
    virtual Size CanvasSize() const = 0;
    // Where the canvas lies on the screen.
    virtual Point CanvasOffset() const = 0;

    // Repaint requests, in canvas coordinates; a paint always redraws the whole current screen.
    virtual void Invalidate(const Rect& rect) = 0;
    virtual void InvalidateAll() = 0;

    // Makes screen n current and activates it; callers follow it with InvalidateAll.
    virtual void SwitchScreen(int screen) = 0;
    virtual int CurrentScreen() const = 0;

    // Runs a modal loop for the popup until done() is true or the program quits: input goes to the
    // popup only, the 100 ms ticks keep reaching the main view, and the popup is painted over the
    // current screen.
    virtual void RunModal(IModalPopup& popup, const std::function<bool()>& done) = 0;

    // A canvas for measuring text outside painting (popups lay their texts out when shown).
    virtual CCanvas& MeasuringCanvas() = 0;

    // The clipboard and the input method, for text fields.
    virtual ITextServices& TextServices() = 0;
    // The busy pointer around work that blocks the window, such as a server request.
    virtual void SetWaitCursor(bool /*on*/) {}

    // Runs the work (a server request) off the interface thread and waits for it with the window
    // alive: painting and the ticks go on, the canvas shows that it waits, and input other than
    // Escape is dropped. Escape, or a click on giveUp (the screen's way back, which then acts as
    // usual), gives the work up at once. True when the work has finished; false when it was given up
    // or could not start (another is out). This plain version runs it in place, for test hosts.
    virtual bool AwaitWork(const std::function<void(const std::atomic<bool>& givenUp)>& work, CPanel* /*giveUp*/) {
        const std::atomic<bool> never{false};
        work(never);
        return true;
    }
};

}  // namespace valmore
