#include "platform/PlatformWindow.h"

#include <algorithm>

namespace valmore {

CPlatformWindow::~CPlatformWindow() = default;

bool CPlatformWindow::CreateCanvas(Size size, Point offset) {
    canvas_.reset();
    backBuffer_ = CBitmap::Create(size.width, size.height);
    offset_ = offset;
    invalid_ = {};
    if (backBuffer_.IsEmpty()) return false;
    canvas_ = std::make_unique<CCanvas>(backBuffer_);
    InvalidateAll();
    return true;
}

void CPlatformWindow::Invalidate(const Rect& rect) {
    const Rect whole = Rect::FromSize(0, 0, backBuffer_.Width(), backBuffer_.Height());
    invalid_ = invalid_.Union(rect.Intersect(whole));
}

void CPlatformWindow::InvalidateAll() {
    Invalidate(Rect::FromSize(0, 0, backBuffer_.Width(), backBuffer_.Height()));
}

void CPlatformWindow::StartTicks(int periodMs) {
    tickPeriodMs_ = std::max(0, periodMs);
    OnTicksChanged();
}

void CPlatformWindow::PostQuit() {
    quitPosted_ = true;
    OnQuitPosted();
}

CPlatformWindow::LoopEnd CPlatformWindow::RunUntil(IEventHandler& handler, const std::function<bool()>& done) {
    while (!done()) {
        switch (PumpOne(handler)) {
            case PumpResult::Dispatched:
                break;
            case PumpResult::Quit:
                return LoopEnd::Quit;
            case PumpResult::Idle:
                return LoopEnd::Starved;
        }
    }
    return LoopEnd::Done;
}

bool CPlatformWindow::UpdateNow(IEventHandler& handler) {
    if (!HasInvalid()) return false;
    PaintAndPresent(handler);
    return true;
}

void CPlatformWindow::PaintAndPresent(IEventHandler& handler) {
    const Rect rect = invalid_;
    invalid_ = {};
    if (!canvas_ || rect.IsEmpty()) return;
    // Each paint starts from a canvas without clip at the canvas corner, whatever the last one left.
    canvas_->SetOrigin({0, 0});
    canvas_->ClearClip();
    handler.OnPaint(*canvas_, rect);
    Present(rect);
}

}  // namespace valmore
