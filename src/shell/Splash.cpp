#include "shell/Splash.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/ProgramPath.h"
#include "ui/SkinPicture.h"

namespace valmore {

namespace {

class CSplashHandler final : public IEventHandler {
public:
    explicit CSplashHandler(const CBitmap& image) : image_(image) {}

    void OnInput(const InputEvent& event) override {
        if (event.type == InputType::CloseRequest) closed = true;
    }
    void OnTick() override {}
    void OnPaint(CCanvas& canvas, const Rect&) override { canvas.DrawBitmap(image_, 0, 0); }

    bool closed = false;

private:
    const CBitmap& image_;
};

}  // namespace

std::filesystem::path CSplash::ImageFile(const std::filesystem::path& dataDir) {
    return MapProgramPath(dataDir, kSplashFile);
}

CSplash::Outcome CSplash::Show(CPlatformWindow& window, const std::filesystem::path& imageFile, int durationMs) {
    const CBitmap image = CBitmap::LoadBmpFile(imageFile);
    if (image.IsEmpty()) return Outcome::NoImage;

    const Size screen = window.ScreenSize();
    const Point at{std::max(0, (screen.width - image.Width()) / 2), std::max(0, (screen.height - image.Height()) / 2)};
    if (!window.CreateCanvas(image.GetSize(), at)) return Outcome::NoImage;

    CSplashHandler handler(image);
    window.UpdateNow(handler);
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(durationMs);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0) break;
        const CPlatformWindow::PumpResult result = window.PumpOne(handler, static_cast<int>(left));
        if (result == CPlatformWindow::PumpResult::Quit || handler.closed) return Outcome::Closed;
        // A window that does not wait for events (headless) comes back at once; time passes here.
        if (result == CPlatformWindow::PumpResult::Idle) {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::min<long long>(left, 10)));
        }
    }
    return Outcome::Shown;
}

}  // namespace valmore
