#pragma once

// A main view for tests of panels and popups: a headless window, a real skin and fonts, and a
// modal loop that takes its input from the window's queue (or feed), so a test queues the clicks a
// popup will receive before it calls Show.

#include <filesystem>
#include <functional>
#include <vector>

#include "platform/HeadlessWindow.h"
#include "scenario/Glossary.h"
#include "ui/LinkLookup.h"
#include "ui/Skin.h"
#include "ui/ViewHost.h"

namespace valmore::test {

class FakeViewHost : public IViewHost, public IEventHandler, public ILinkLookup {
public:
    // The skin is read from the run folder of the build when it has one; otherwise every bitmap is
    // empty, which panels must survive anyway.
    explicit FakeViewHost(int mode = kModeXga, std::filesystem::path skinBase = VALMORE_RUN_DIR)
        : mode_(ModeOf(mode)), window_(mode == kModeXga ? Size{1024, 768} : Size{1280, 1024}) {
        skin_.LoadSkin(skinBase, mode_);
        window_.CreateCanvas(window_.ScreenSize(), Point{0, 0});
    }

    ResolutionMode Mode() const override { return mode_; }
    const CSkin& Skin() const override { return skin_; }
    const ILinkLookup& Links() const override { return *this; }
    // Link words are looked up in the test's glossary, as the program looks them up in its own.
    std::optional<LinkEntry> FindLinkEntry(std::string_view key) const override {
        const GlossaryEntry* entry = glossary.FindEntry(key);
        if (!entry) return std::nullopt;
        return LinkEntry{entry->SEARCHKEY, entry->KEYWORD0, entry->KEYWORD1, entry->DETAIL};
    }
    Size ScreenSize() const override { return window_.ScreenSize(); }
    Size CanvasSize() const override { return window_.CanvasSize(); }
    Point CanvasOffset() const override { return {0, 0}; }
    void Invalidate(const Rect& rect) override {
        invalidated.push_back(rect);
        window_.Invalidate(rect);
    }
    void InvalidateAll() override {
        ++invalidateAllCount;
        window_.InvalidateAll();
    }
    void SwitchScreen(int screen) override { current_ = screen; }
    int CurrentScreen() const override { return current_; }
    CCanvas& MeasuringCanvas() override { return window_.Canvas(); }
    ITextServices& TextServices() override { return window_; }

    void RunModal(IModalPopup& popup, const std::function<bool()>& done) override {
        ModalHandler handler{*this, popup};
        ++modalDepth;
        window_.RunUntil(handler, done);
        --modalDepth;
    }

    // IEventHandler of the main view: ticks are counted, painting draws the popup if one is open.
    void OnInput(const InputEvent& event) override { mainInput.push_back(event); }
    void OnTick() override {
        ++ticks;
        if (onTick) onTick();
    }
    void OnPaint(CCanvas& canvas, const Rect&) override {
        if (paintMain) paintMain(canvas);
    }

    CHeadlessWindow& Window() { return window_; }
    CSkin& MutableSkin() { return skin_; }

    CGlossary glossary;
    std::vector<Rect> invalidated;
    int invalidateAllCount = 0;
    int ticks = 0;
    int modalDepth = 0;
    std::vector<InputEvent> mainInput;
    std::function<void()> onTick;
    std::function<void(CCanvas&)> paintMain;

private:
    // Input goes to the popup, in popup coordinates; ticks reach the main view.
    struct ModalHandler : IEventHandler {
        FakeViewHost& host;
        IModalPopup& popup;
        ModalHandler(FakeViewHost& h, IModalPopup& p) : host(h), popup(p) {}
        void OnInput(const InputEvent& event) override {
            InputEvent local = event;
            Rect bounds = popup.Bounds();
            local.x -= bounds.left;
            local.y -= bounds.top;
            popup.OnPopupInput(local);
        }
        void OnTick() override {
            host.OnTick();
            popup.OnPopupTick();
        }
        void OnPaint(CCanvas& canvas, const Rect& invalid) override {
            host.OnPaint(canvas, invalid);
            Rect bounds = popup.Bounds();
            CCanvas::OriginGuard origin(canvas, bounds.left, bounds.top);
            popup.DrawPopup(canvas);
        }
    };

    ResolutionMode mode_;
    int current_ = 1;
    CHeadlessWindow window_;
    CSkin skin_;
};

}  // namespace valmore::test
