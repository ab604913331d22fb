#pragma once

// A window without a display: the back buffer is the picture, and events and ticks come from a
// queue the caller fills, or from a feed the pump asks whenever the queue has run dry. Time does not
// pass by itself; a tick happens when one is queued.

#include <deque>
#include <functional>
#include <string>

#include "platform/PlatformWindow.h"

namespace valmore {

class CHeadlessWindow : public CPlatformWindow {
public:
    explicit CHeadlessWindow(Size screenSize);

    Size ScreenSize() const override { return screenSize_; }

    void QueueInput(InputEvent event);
    void QueueTick(int count = 1);
    std::size_t PendingCount() const { return queue_.size(); }

    // Asked for more when the queue is empty and nothing needs painting; it may queue events and
    // returns false when it has nothing more to give.
    using Feed = std::function<bool(CHeadlessWindow&)>;
    void SetFeed(Feed feed) { feed_ = std::move(feed); }

    // Delivers queued items in order; paints only when the queue is empty, as a real window does.
    // Never waits: with nothing to deliver it returns Idle.
    PumpResult PumpOne(IEventHandler& handler, int maxWaitMs = -1) override;
    // Pumps until nothing is left to deliver or paint, or a quit is posted.
    LoopEnd RunUntilIdle(IEventHandler& handler) {
        return RunUntil(handler, [] { return false; });
    }

    // A clipboard of its own, and the last input area a text field asked for.
    std::string ClipboardText() const override { return clipboard_; }
    void SetClipboardText(std::string_view sjis) override { clipboard_ = std::string(sjis); }
    void SetTextInputArea(const Rect& caret) override { textInputArea_ = caret; }
    const Rect& TextInputArea() const { return textInputArea_; }

    int PresentCount() const { return presentCount_; }
    const Rect& LastPresented() const { return lastPresented_; }

protected:
    void Present(const Rect& canvasRect) override;

private:
    struct Item {
        bool tick = false;
        InputEvent event;
    };

    Size screenSize_;
    std::deque<Item> queue_;
    Feed feed_;
    int presentCount_ = 0;
    Rect lastPresented_{};
    std::string clipboard_;
    Rect textInputArea_{};
};

}  // namespace valmore
