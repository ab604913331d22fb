#pragma once

// Helpers for driving a popup's modal loop in tests and reading what it shows.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "ui/FakeViewHost.h"
#include "ui/MarkupText.h"

namespace valmore::test {

// Drives a popup's modal loop: each step runs once the popup has taken every event queued so far
// and has been painted, looks at what it shows, and queues what comes next. A timer tick goes with
// every step, so the main view keeps ticking while the popup is open.
class ModalScript {
public:
    explicit ModalScript(FakeViewHost& host) : host_(host) {
        host.Window().SetFeed([this](CHeadlessWindow& window) {
            if (next_ >= steps_.size()) return false;
            window.QueueTick();
            steps_[next_++]();
            ++ticksQueued;
            return true;
        });
    }
    ModalScript& Then(std::function<void()> step) {
        steps_.push_back(std::move(step));
        return *this;
    }
    // A press and release at a point in popup coordinates.
    void ClickAt(const IModalPopup& popup, Point at) {
        const Rect b = popup.Bounds();
        host_.Window().QueueInput(InputEvent::LeftDown(b.left + at.x, b.top + at.y));
        host_.Window().QueueInput(InputEvent::LeftUp(b.left + at.x, b.top + at.y));
    }
    void Click(const IModalPopup& popup, const Rect& target) {
        ClickAt(popup, {(target.left + target.right) / 2, (target.top + target.bottom) / 2});
    }
    bool Finished() const { return next_ == steps_.size(); }

    int ticksQueued = 0;

private:
    FakeViewHost& host_;
    std::vector<std::function<void()>> steps_;
    std::size_t next_ = 0;
};

// The centre of the first link character of a page.
inline Point FirstLinkAt(const CMarkupText& text, int page) {
    for (const MarkupFragment& f : text.Fragments(page)) {
        if (f.link) return {(f.rect.left + f.rect.right) / 2, (f.rect.top + f.rect.bottom) / 2};
    }
    ADD_FAILURE() << "no link on page " << page;
    return {};
}

// Pixels of the shown popup (read from the back buffer) that differ from its background picture.
inline int InkOverBackground(FakeViewHost& host, const IModalPopup& popup, int backgroundBitmap, const Rect& local) {
    const CBitmap& background = host.Skin().Bitmap(backgroundBitmap);
    const CBitmap& screen = host.Window().BackBuffer();
    const Rect b = popup.Bounds();
    int ink = 0;
    for (int y = local.top; y < local.bottom; ++y) {
        for (int x = local.left; x < local.right; ++x) {
            if (screen.Pixel(b.left + x, b.top + y) != background.Pixel(x, y)) ++ink;
        }
    }
    return ink;
}

}  // namespace valmore::test
