#include "platform/SdlWindow.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "platform/Sjis.h"

namespace valmore {

namespace {

int TranslateKey(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
    switch (key) {
        case SDLK_BACKSPACE:
            return kKeyBackspace;
        case SDLK_TAB:
            return kKeyTab;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return kKeyEnter;
        case SDLK_ESCAPE:
            return kKeyEscape;
        case SDLK_SPACE:
            return kKeySpace;
        case SDLK_PAGEUP:
            return kKeyPageUp;
        case SDLK_PAGEDOWN:
            return kKeyPageDown;
        case SDLK_END:
            return kKeyEnd;
        case SDLK_HOME:
            return kKeyHome;
        case SDLK_LEFT:
            return kKeyLeft;
        case SDLK_UP:
            return kKeyUp;
        case SDLK_RIGHT:
            return kKeyRight;
        case SDLK_DOWN:
            return kKeyDown;
        case SDLK_DELETE:
            return kKeyDelete;
        default:
            return kKeyOther;
    }
}

unsigned ModifierFlags() {
    const SDL_Keymod mod = SDL_GetModState();
    unsigned flags = 0;
    if (mod & KMOD_SHIFT) flags |= kModifierShift;
    if (mod & KMOD_CTRL) flags |= kModifierControl;
    return flags;
}

unsigned ButtonFlags(std::uint32_t state) {
    unsigned flags = 0;
    if (state & SDL_BUTTON_LMASK) flags |= kMouseLeftButton;
    if (state & SDL_BUTTON_RMASK) flags |= kMouseRightButton;
    return flags;
}

}  // namespace

std::unique_ptr<CSdlWindow> CSdlWindow::Open(const SdlWindowOptions& options, std::string* error) {
    // A popup taking the focus must not minimise the full-screen window, and the click that
    // activates the window is a click like any other.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Japanese compositions easily pass the 32 bytes of the plain editing event.
    SDL_SetHint(SDL_HINT_IME_SUPPORT_EXTENDED_TEXT, "1");
    // The window surface is a plain memory image: presenting copies pixels and needs no GL.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        if (error) *error = std::string("cannot start the display: ") + SDL_GetError();
        return nullptr;
    }
    std::unique_ptr<CSdlWindow> window(new CSdlWindow());
    const std::string title = Cp932ToUtf8(options.title);
    if (options.windowed) {
        window->screenSize_ = options.windowSize;
        window->window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                           options.windowSize.width, options.windowSize.height, 0);
    } else {
        SDL_DisplayMode mode;
        if (SDL_GetDesktopDisplayMode(0, &mode) != 0) {
            if (error) *error = std::string("cannot read the screen size: ") + SDL_GetError();
            return nullptr;  // the destructor ends the video subsystem again
        }
        window->screenSize_ = {mode.w, mode.h};
        window->window_ = SDL_CreateWindow(title.c_str(), 0, 0, mode.w, mode.h,
                                           SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS);
    }
    if (!window->window_) {
        if (error) *error = std::string("cannot open the window: ") + SDL_GetError();
        return nullptr;
    }
    window->wakeEvent_ = SDL_RegisterEvents(1);
    if (error) error->clear();
    return window;
}

CSdlWindow::~CSdlWindow() {
    if (waitCursor_) SDL_FreeCursor(waitCursor_);
    if (canvasSurface_) SDL_FreeSurface(canvasSurface_);
    if (window_) SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    // With nothing else of SDL in use, SDL_Quit also closes what SDL opened on the side (its
    // session-bus connection among them).
    if (SDL_WasInit(0) == 0) SDL_Quit();
}

void CSdlWindow::OnTicksChanged() {
    if (TickPeriod() > 0) nextTickMs_ = SDL_GetTicks64() + static_cast<std::uint64_t>(TickPeriod());
}

void CSdlWindow::OnQuitPosted() {
    // Wakes a pump that is waiting, should the request come from outside a handler.
    if (wakeEvent_ != static_cast<std::uint32_t>(-1)) {
        SDL_Event e{};
        e.type = wakeEvent_;
        SDL_PushEvent(&e);
    }
}

bool CSdlWindow::Translate(const SDL_Event& e, InputEvent* out) {
    const Point offset = CanvasOffset();
    switch (e.type) {
        case SDL_MOUSEMOTION:
            *out = InputEvent::MouseMove(e.motion.x - offset.x, e.motion.y - offset.y,
                                         ButtonFlags(e.motion.state) | ModifierFlags());
            return true;
        case SDL_MOUSEBUTTONDOWN:
            if (e.button.button != SDL_BUTTON_LEFT) return false;
            *out = InputEvent::LeftDown(e.button.x - offset.x, e.button.y - offset.y,
                                        ButtonFlags(SDL_GetMouseState(nullptr, nullptr)) | kMouseLeftButton |
                                            ModifierFlags() | (e.button.clicks >= 2 ? kMouseRepeatClick : 0u));
            return true;
        case SDL_MOUSEBUTTONUP:
            if (e.button.button != SDL_BUTTON_LEFT) return false;
            *out = InputEvent::LeftUp(e.button.x - offset.x, e.button.y - offset.y,
                                      (ButtonFlags(SDL_GetMouseState(nullptr, nullptr)) & ~kMouseLeftButton) |
                                          ModifierFlags() | (e.button.clicks >= 2 ? kMouseRepeatClick : 0u));
            return true;
        case SDL_KEYDOWN:
            *out = InputEvent::KeyDown(TranslateKey(e.key.keysym.sym), ModifierFlags());
            return true;
        case SDL_TEXTINPUT:
            *out = InputEvent::Text(Utf8ToCp932(e.text.text));
            return true;
        case SDL_TEXTEDITING:
            *out = InputEvent::TextEditing(Utf8ToCp932(e.edit.text));
            return true;
        case SDL_TEXTEDITING_EXT:
            // A composition too long for the fixed event comes in an allocated one.
            *out = InputEvent::TextEditing(e.editExt.text ? Utf8ToCp932(e.editExt.text) : std::string());
            SDL_free(e.editExt.text);
            return true;
        case SDL_QUIT:
            *out = InputEvent::CloseRequest();
            return true;
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SHOWN ||
                e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED || e.window.event == SDL_WINDOWEVENT_RESTORED) {
                needsWholePresent_ = true;
            }
            return false;
        default:
            return false;
    }
}

std::string CSdlWindow::ClipboardText() const {
    if (!SDL_HasClipboardText()) return {};
    char* utf8 = SDL_GetClipboardText();
    if (!utf8) return {};
    std::string sjis = Utf8ToCp932(utf8);
    SDL_free(utf8);
    return sjis;
}

void CSdlWindow::SetClipboardText(std::string_view sjis) {
    SDL_SetClipboardText(Cp932ToUtf8(sjis).c_str());
}

void CSdlWindow::SetTextInputArea(const Rect& caret) {
    const Point offset = CanvasOffset();
    SDL_Rect area{caret.left + offset.x, caret.top + offset.y, std::max(1, caret.Width()), std::max(1, caret.Height())};
    SDL_SetTextInputRect(&area);
    if (!SDL_IsTextInputActive()) SDL_StartTextInput();
}

void CSdlWindow::SetWaitCursor(bool on) {
    if (on && !waitCursor_) waitCursor_ = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_WAIT);
    // SDL_SetCursor flushes the display connection itself, so the pointer changes before the wait.
    SDL_SetCursor(on && waitCursor_ ? waitCursor_ : SDL_GetDefaultCursor());
}

CPlatformWindow::PumpResult CSdlWindow::PumpOne(IEventHandler& handler, int maxWaitMs) {
    const std::uint64_t start = SDL_GetTicks64();
    for (;;) {
        if (QuitPosted()) return PumpResult::Quit;
        const std::uint64_t now = SDL_GetTicks64();
        const auto period = static_cast<std::uint64_t>(TickPeriod());
        if (period > 0 && now >= nextTickMs_) {
            // A late tick comes once; the next one is a full period away, not a burst to catch up.
            nextTickMs_ += period;
            if (nextTickMs_ <= now) nextTickMs_ = now + period;
            handler.OnTick();
            return PumpResult::Dispatched;
        }

        SDL_Event e;
        while (SDL_PollEvent(&e)) {
            InputEvent event;
            if (!Translate(e, &event)) continue;
            if (event.type == InputType::MouseMove) {
                // Only the latest of a run of mouse moves matters.
                SDL_Event next;
                SDL_PumpEvents();
                if (SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1 &&
                    next.type == SDL_MOUSEMOTION) {
                    continue;
                }
            }
            handler.OnInput(event);
            return PumpResult::Dispatched;
        }

        if (HasInvalid()) {
            PaintAndPresent(handler);
            return PumpResult::Dispatched;
        }
        if (needsWholePresent_ && HasCanvas()) PresentWhole();

        int wait = -1;
        if (period > 0) wait = static_cast<int>(nextTickMs_ > now ? nextTickMs_ - now : 0);
        if (maxWaitMs >= 0) {
            const std::uint64_t elapsed = SDL_GetTicks64() - start;
            if (elapsed >= static_cast<std::uint64_t>(maxWaitMs)) return PumpResult::Idle;
            const int left = static_cast<int>(static_cast<std::uint64_t>(maxWaitMs) - elapsed);
            wait = wait < 0 ? left : std::min(wait, left);
        }
        if (wait < 0) {
            SDL_WaitEvent(nullptr);
        } else if (wait > 0) {
            SDL_WaitEventTimeout(nullptr, wait);
        }
    }
}

void CSdlWindow::PresentWhole() {
    needsWholePresent_ = true;
    Present(Rect::FromSize(0, 0, CanvasSize().width, CanvasSize().height));
}

void CSdlWindow::Present(const Rect& canvasRect) {
    SDL_Surface* screen = SDL_GetWindowSurface(window_);
    if (!screen || !HasCanvas()) return;
    CBitmap& buffer = BackBuffer();
    cairo_surface_flush(buffer.Surface());
    const void* pixels = cairo_image_surface_get_data(buffer.Surface());
    if (pixels != canvasPixels_ || !canvasSurface_ || canvasSurface_->w != buffer.Width() ||
        canvasSurface_->h != buffer.Height()) {
        if (canvasSurface_) SDL_FreeSurface(canvasSurface_);
        // Cairo's opaque pixels are 32-bit 0x00RRGGBB words, which SDL calls RGB888.
        canvasSurface_ = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<void*>(pixels), buffer.Width(), buffer.Height(),
                                                            32, cairo_image_surface_get_stride(buffer.Surface()),
                                                            SDL_PIXELFORMAT_RGB888);
        canvasPixels_ = canvasSurface_ ? pixels : nullptr;
        needsWholePresent_ = true;
    }
    if (!canvasSurface_) return;

    const Point offset = CanvasOffset();
    if (needsWholePresent_) {
        // The black bands around the canvas, then all of the canvas.
        SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
        SDL_Rect source{0, 0, buffer.Width(), buffer.Height()};
        SDL_Rect target{offset.x, offset.y, buffer.Width(), buffer.Height()};
        SDL_BlitSurface(canvasSurface_, &source, screen, &target);
        SDL_UpdateWindowSurface(window_);
        needsWholePresent_ = false;
        return;
    }
    SDL_Rect source{canvasRect.left, canvasRect.top, canvasRect.Width(), canvasRect.Height()};
    SDL_Rect target{canvasRect.left + offset.x, canvasRect.top + offset.y, canvasRect.Width(), canvasRect.Height()};
    SDL_BlitSurface(canvasSurface_, &source, screen, &target);
    SDL_Rect shown{canvasRect.left + offset.x, canvasRect.top + offset.y, canvasRect.Width(), canvasRect.Height()};
    SDL_Rect whole{0, 0, screen->w, screen->h};
    if (SDL_IntersectRect(&shown, &whole, &shown)) SDL_UpdateWindowSurfaceRects(window_, &shown, 1);
}

Rgb CSdlWindow::WindowPixel(int x, int y) const {
    SDL_Surface* screen = SDL_GetWindowSurface(window_);
    if (!screen || x < 0 || y < 0 || x >= screen->w || y >= screen->h) return Rgb{};
    if (SDL_MUSTLOCK(screen)) SDL_LockSurface(screen);
    const auto* row = static_cast<const std::uint8_t*>(screen->pixels) + static_cast<std::ptrdiff_t>(y) * screen->pitch;
    std::uint32_t value = 0;
    const int bpp = screen->format->BytesPerPixel;
    std::memcpy(&value, row + static_cast<std::ptrdiff_t>(x) * bpp, std::min(bpp, 4));
    if (SDL_MUSTLOCK(screen)) SDL_UnlockSurface(screen);
    std::uint8_t r = 0, g = 0, b = 0;
    SDL_GetRGB(value, screen->format, &r, &g, &b);
    return Rgb{r, g, b};
}

}  // namespace valmore
