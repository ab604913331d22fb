#include "platform/HeadlessWindow.h"

namespace valmore {

CHeadlessWindow::CHeadlessWindow(Size screenSize) : screenSize_(screenSize) {}

void CHeadlessWindow::QueueInput(InputEvent event) {
    queue_.push_back(Item{false, std::move(event)});
}

void CHeadlessWindow::QueueTick(int count) {
    for (int i = 0; i < count; ++i) queue_.push_back(Item{true, {}});
}

CPlatformWindow::PumpResult CHeadlessWindow::PumpOne(IEventHandler& handler, int /*maxWaitMs*/) {
    if (QuitPosted()) return PumpResult::Quit;
    if (queue_.empty()) {
        if (HasInvalid()) {
            PaintAndPresent(handler);
            return PumpResult::Dispatched;
        }
        // The feed sees the painted frame before it decides what comes next.
        if (!feed_ || !feed_(*this) || queue_.empty()) return PumpResult::Idle;
    }
    // Taken off the queue before dispatch, so a nested pump inside the handler moves on.
    Item item = std::move(queue_.front());
    queue_.pop_front();
    if (item.tick) {
        handler.OnTick();
    } else {
        handler.OnInput(item.event);
    }
    return PumpResult::Dispatched;
}

void CHeadlessWindow::Present(const Rect& canvasRect) {
    ++presentCount_;
    lastPresented_ = canvasRect;
}

}  // namespace valmore
