#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/HeadlessWindow.h"

namespace valmore {
namespace {

using PumpResult = CPlatformWindow::PumpResult;
using LoopEnd = CPlatformWindow::LoopEnd;

// Records what it receives; optional hooks let a test react inside the handler.
struct Recorder : IEventHandler {
    std::vector<InputEvent> inputs;
    int ticks = 0;
    std::vector<Rect> paints;
    std::function<void(const InputEvent&)> onInput;
    std::function<void(CCanvas&)> onPaint;
    IEventHandler* forwardTicksTo = nullptr;

    void OnInput(const InputEvent& event) override {
        inputs.push_back(event);
        if (onInput) onInput(event);
    }
    void OnTick() override {
        ++ticks;
        if (forwardTicksTo) forwardTicksTo->OnTick();
    }
    void OnPaint(CCanvas& canvas, const Rect& invalid) override {
        paints.push_back(invalid);
        if (onPaint) onPaint(canvas);
    }
};

TEST(HeadlessPump, QueuedEventsArriveInOrderAndPaintingWaitsForAnEmptyQueue) {
    CHeadlessWindow window(Size{1280, 1024});
    ASSERT_TRUE(window.CreateCanvas(Size{1024, 768}, Point{128, 128}));
    EXPECT_EQ(window.ScreenSize(), (Size{1280, 1024}));
    Recorder main;
    window.QueueInput(InputEvent::LeftDown(10, 20));
    window.QueueTick();
    window.QueueInput(InputEvent::KeyDown(kKeyEscape));
    EXPECT_EQ(window.RunUntilIdle(main), LoopEnd::Starved);
    ASSERT_EQ(main.inputs.size(), 2u);
    EXPECT_EQ(main.inputs[0].type, InputType::LeftDown);
    EXPECT_EQ(main.inputs[0].x, 10);
    EXPECT_EQ(main.inputs[1].key, kKeyEscape);
    EXPECT_EQ(main.ticks, 1);
    // The new canvas starts invalid: one paint of all of it, after the queued events.
    ASSERT_EQ(main.paints.size(), 1u);
    EXPECT_EQ(main.paints[0], (Rect{0, 0, 1024, 768}));
    EXPECT_EQ(window.PresentCount(), 1);
}

TEST(HeadlessPump, OnlyInvalidatedPartsArePaintedAndPresented) {
    CHeadlessWindow window(Size{1024, 768});
    ASSERT_TRUE(window.CreateCanvas(Size{1024, 768}, Point{0, 0}));
    Recorder main;
    window.RunUntilIdle(main);
    const int presentsBefore = window.PresentCount();

    // Ticks that change nothing never lead to a present: an idle program draws nothing.
    window.QueueTick(5);
    window.RunUntilIdle(main);
    EXPECT_EQ(window.PresentCount(), presentsBefore);

    window.Invalidate(Rect{10, 10, 20, 20});
    window.Invalidate(Rect{50, 5, 60, 15});
    window.Invalidate(Rect{1000, 700, 2000, 2000});  // cut at the canvas edge
    EXPECT_EQ(window.PumpOne(main), PumpResult::Dispatched);
    EXPECT_EQ(main.paints.back(), (Rect{10, 5, 1024, 768}));
    EXPECT_EQ(window.LastPresented(), (Rect{10, 5, 1024, 768}));
    EXPECT_EQ(window.PumpOne(main), PumpResult::Idle);

    // An immediate update paints at once, and only when something is invalid.
    window.Invalidate(Rect{0, 0, 1, 1});
    EXPECT_TRUE(window.UpdateNow(main));
    EXPECT_FALSE(window.UpdateNow(main));
    EXPECT_EQ(window.LastPresented(), (Rect{0, 0, 1, 1}));
}

TEST(HeadlessPump, EveryPaintStartsWithoutClipAtTheCanvasCorner) {
    CHeadlessWindow window(Size{200, 100});
    ASSERT_TRUE(window.CreateCanvas(Size{200, 100}, Point{0, 0}));
    Recorder main;
    main.onPaint = [](CCanvas& canvas) {
        EXPECT_EQ(canvas.ClipBox(), (Rect{0, 0, 200, 100}));
        canvas.SetOrigin({30, 30});
        canvas.SetClip(Rect{0, 0, 5, 5});
    };
    window.RunUntilIdle(main);
    window.InvalidateAll();
    window.RunUntilIdle(main);
    EXPECT_EQ(main.paints.size(), 2u);
}

// A popup that runs its own loop: it takes all input until it is clicked, and passes ticks on to
// the main view, so a running play goes on while the popup is open.
struct Popup : IEventHandler {
    CPlatformWindow& window;
    IEventHandler& mainView;
    bool open = false;
    std::vector<InputEvent> inputs;

    Popup(CPlatformWindow& w, IEventHandler& m) : window(w), mainView(m) {}

    LoopEnd Show() {
        open = true;
        const LoopEnd end = window.RunUntil(*this, [this] { return !open; });
        open = false;
        return end;
    }
    void OnInput(const InputEvent& event) override {
        inputs.push_back(event);
        if (event.type == InputType::LeftUp) open = false;
        if (event.type == InputType::KeyDown && event.key == 'Q') window.PostQuit();
    }
    void OnTick() override { mainView.OnTick(); }
    void OnPaint(CCanvas& canvas, const Rect& invalid) override { mainView.OnPaint(canvas, invalid); }
};

class NestedPump : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(window.CreateCanvas(Size{1024, 768}, Point{128, 128})); }
    CHeadlessWindow window{Size{1280, 1024}};
};

TEST_F(NestedPump, APopupLoopTakesTheInputWhileTicksStillReachTheMainView) {
    Recorder main;
    Popup popup(window, main);
    LoopEnd popupEnd = LoopEnd::Starved;
    main.onInput = [&](const InputEvent& e) {
        if (e.type == InputType::LeftDown) popupEnd = popup.Show();
    };
    window.QueueInput(InputEvent::LeftDown(5, 5));  // opens the popup
    window.QueueTick();
    window.QueueInput(InputEvent::MouseMove(7, 7));
    window.QueueTick();
    window.QueueInput(InputEvent::LeftUp(8, 8));  // closes it
    window.QueueTick();
    window.QueueInput(InputEvent::KeyDown(kKeyEscape));

    EXPECT_EQ(window.RunUntilIdle(main), LoopEnd::Starved);
    EXPECT_EQ(popupEnd, LoopEnd::Done);
    EXPECT_EQ(main.ticks, 3);
    ASSERT_EQ(popup.inputs.size(), 2u);
    EXPECT_EQ(popup.inputs[0].type, InputType::MouseMove);
    EXPECT_EQ(popup.inputs[1].type, InputType::LeftUp);
    ASSERT_EQ(main.inputs.size(), 2u);
    EXPECT_EQ(main.inputs[0].type, InputType::LeftDown);
    EXPECT_EQ(main.inputs[1].type, InputType::KeyDown);
}

TEST_F(NestedPump, AQuitPostedInsideAPopupEndsEveryLoop) {
    Recorder main;
    Popup popup(window, main);
    LoopEnd popupEnd = LoopEnd::Done;
    main.onInput = [&](const InputEvent& e) {
        if (e.type == InputType::LeftDown) popupEnd = popup.Show();
    };
    window.QueueInput(InputEvent::LeftDown(5, 5));
    window.QueueInput(InputEvent::KeyDown('Q'));
    window.QueueTick(3);
    EXPECT_EQ(window.Run(main), LoopEnd::Quit);
    EXPECT_EQ(popupEnd, LoopEnd::Quit);
    EXPECT_EQ(main.ticks, 0);
    EXPECT_EQ(window.PumpOne(main), PumpResult::Quit);
}

TEST_F(NestedPump, APopupWithNothingLeftToReceiveEndsInsteadOfHanging) {
    Recorder main;
    Popup popup(window, main);
    LoopEnd popupEnd = LoopEnd::Done;
    main.onInput = [&](const InputEvent&) { popupEnd = popup.Show(); };
    window.QueueInput(InputEvent::LeftDown(5, 5));
    window.RunUntilIdle(main);
    EXPECT_EQ(popupEnd, LoopEnd::Starved);
}

TEST_F(NestedPump, AFeedSeesThePaintedFrameAndSuppliesTheNextClick) {
    Recorder main;
    Popup popup(window, main);
    main.onPaint = [&](CCanvas& canvas) {
        canvas.FillSolid(Rect{0, 0, 10, 10}, popup.open ? Rgb{255, 0, 0} : Rgb{0, 0, 255});
    };
    main.onInput = [&](const InputEvent& e) {
        if (e.type == InputType::LeftDown) {
            window.InvalidateAll();
            popup.Show();
            window.InvalidateAll();
        }
    };
    std::vector<Rgb> seen;
    window.SetFeed([&](CHeadlessWindow& w) {
        seen.push_back(w.BackBuffer().Pixel(0, 0));
        if (seen.size() == 1) {
            w.QueueInput(InputEvent::LeftDown(1, 1));
        } else if (seen.size() == 2) {
            w.QueueInput(InputEvent::LeftUp(1, 1));
        } else {
            return false;
        }
        return true;
    });
    window.RunUntilIdle(main);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], (Rgb{0, 0, 255}));
    EXPECT_EQ(seen[1], (Rgb{255, 0, 0}));  // painted while the popup was open
    EXPECT_EQ(seen[2], (Rgb{0, 0, 255}));
}

}  // namespace
}  // namespace valmore
