#pragma once

// The program's window on a real display, through SDL2. Normally one borderless window covering
// the whole screen, whose size is the screen size; with the windowed option a plain window of a
// given size, which then counts as the screen. Presents only what was invalidated, and between
// events sleeps until the next event or tick, so an idle program costs almost nothing.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/PlatformWindow.h"

struct SDL_Window;
struct SDL_Surface;
struct SDL_Cursor;
union SDL_Event;

namespace valmore {

struct SdlWindowOptions {
    bool windowed = false;
    Size windowSize{1024, 768};  // used in windowed mode
    std::string title;           // Shift_JIS
};

class CSdlWindow : public CPlatformWindow {
public:
    // Opens the window; null with the reason in *error when there is no display or SDL fails.
    static std::unique_ptr<CSdlWindow> Open(const SdlWindowOptions& options, std::string* error);
    ~CSdlWindow() override;

    Size ScreenSize() const override { return screenSize_; }
    PumpResult PumpOne(IEventHandler& handler, int maxWaitMs = -1) override;

    // The system clipboard, converted at the edge; the input area moves the input method's window.
    std::string ClipboardText() const override;
    void SetClipboardText(std::string_view sjis) override;
    void SetTextInputArea(const Rect& caret) override;
    void SetWaitCursor(bool on) override;

    // What the window surface holds at a window position, after the last present.
    Rgb WindowPixel(int x, int y) const;

protected:
    void Present(const Rect& canvasRect) override;
    void OnTicksChanged() override;
    void OnQuitPosted() override;

private:
    CSdlWindow() = default;
    bool Translate(const SDL_Event& e, InputEvent* out);
    void PresentWhole();

    SDL_Window* window_ = nullptr;
    SDL_Surface* canvasSurface_ = nullptr;  // the back buffer's pixels, seen as an SDL surface
    const void* canvasPixels_ = nullptr;
    Size screenSize_{};
    std::uint64_t nextTickMs_ = 0;
    bool needsWholePresent_ = true;  // after exposure the bands and the whole canvas are shown again
    std::uint32_t wakeEvent_ = 0;
    SDL_Cursor* waitCursor_ = nullptr;  // made on first use
};

}  // namespace valmore
