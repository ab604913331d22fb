#pragma once

// The program's one window, whatever shows it: a real window on the display (CSdlWindow) or an
// image in memory driven by injected events (CHeadlessWindow). It owns the canvas-sized back buffer,
// collects the invalid area, runs the periodic timer and pumps events to a handler.
//
// The pump delivers one thing at a time to the handler it is given, and may be called again from
// inside a handler: a modal popup runs its own loop (RunUntil with itself as handler) while the main
// loop waits below it, and forwards ticks to the main view so a play keeps running.

#include <functional>
#include <memory>
#include <optional>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/EventHandler.h"
#include "platform/Geometry.h"
#include "platform/TextServices.h"

namespace valmore {

class CPlatformWindow : public ITextServices {
public:
    enum class PumpResult {
        Dispatched,  // one input event, tick or paint was delivered
        Idle,        // nothing arrived within the allowed wait (headless: nothing left to deliver)
        Quit,        // a quit request was posted; every loop should end
    };
    enum class LoopEnd { Done, Quit, Starved };

    virtual ~CPlatformWindow();
    CPlatformWindow(const CPlatformWindow&) = delete;
    CPlatformWindow& operator=(const CPlatformWindow&) = delete;

    // The screen the program runs on: the display's size, or in windowed mode the window's size.
    virtual Size ScreenSize() const = 0;

    // Creates the back buffer of the given size, shown with its top-left corner at offset in the
    // window; the rest of the window is black. Mouse positions are delivered relative to it.
    // Returns false when the buffer cannot be allocated.
    bool CreateCanvas(Size size, Point offset);
    bool HasCanvas() const { return canvas_ != nullptr; }
    Size CanvasSize() const { return backBuffer_.GetSize(); }
    Point CanvasOffset() const { return offset_; }
    CBitmap& BackBuffer() { return backBuffer_; }
    const CBitmap& BackBuffer() const { return backBuffer_; }
    // The canvas on the back buffer; it keeps its font, colours and pen between paints.
    CCanvas& Canvas() { return *canvas_; }

    // Marks part of the canvas (canvas coordinates) for repainting; the next paint shows at least
    // the union of everything marked since the last one.
    void Invalidate(const Rect& rect);
    void InvalidateAll();
    const Rect& InvalidRect() const { return invalid_; }
    bool HasInvalid() const { return !invalid_.IsEmpty(); }

    // The periodic timer; a period of 0 stops it.
    void StartTicks(int periodMs);
    void StopTicks() { StartTicks(0); }
    int TickPeriod() const { return tickPeriodMs_; }

    // Asks every running loop to end: from now on each pump returns Quit.
    void PostQuit();
    bool QuitPosted() const { return quitPosted_; }

    // Delivers the next input event or tick, or when none is waiting and part of the canvas is
    // invalid, paints and presents. Waits for something to happen at most maxWaitMs (-1: as long as
    // it takes). Safe to call from inside a handler.
    virtual PumpResult PumpOne(IEventHandler& handler, int maxWaitMs = -1) = 0;

    // Pumps until done() is true (checked before each pump), a quit is posted, or nothing more can
    // arrive (only a headless window with an empty queue runs dry).
    LoopEnd RunUntil(IEventHandler& handler, const std::function<bool()>& done);
    // Pumps until a quit is posted.
    LoopEnd Run(IEventHandler& handler) {
        return RunUntil(handler, [] { return false; });
    }

    // Paints and presents at once when part of the canvas is invalid; true when it did.
    bool UpdateNow(IEventHandler& handler);

    // The busy pointer while the program waits for something it cannot paint through (a server
    // request); shown at once, without waiting for the next pump. Windows without a pointer ignore it.
    virtual void SetWaitCursor(bool /*on*/) {}

protected:
    CPlatformWindow() = default;

    // Shows the given part of the back buffer (canvas coordinates) in the window.
    virtual void Present(const Rect& canvasRect) = 0;
    virtual void OnTicksChanged() {}
    virtual void OnQuitPosted() {}

    // Paints the invalid part through the handler and presents it.
    void PaintAndPresent(IEventHandler& handler);

private:
    CBitmap backBuffer_;
    std::unique_ptr<CCanvas> canvas_;
    Point offset_{};
    Rect invalid_{};
    int tickPeriodMs_ = 0;
    bool quitPosted_ = false;
};

}  // namespace valmore
