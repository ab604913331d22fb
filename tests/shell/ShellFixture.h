#pragma once

// A main view over a headless window, with the skin of the build's run folder and a fresh user
// folder, for driving the shell by queued clicks, keys and ticks.

#include <memory>
#include <optional>

#include "platform/HeadlessWindow.h"
#include "shell/AppContext.h"
#include "shell/MainView.h"
#include "support/TempDir.h"

namespace valmore::test {

class ShellFixture {
public:
    explicit ShellFixture(Size screen = {1024, 768}, std::optional<int> forcedMode = std::nullopt)
        : window(screen), context(AppPaths{VALMORE_RUN_DIR, userDir.Path()}) {
        forcedMode_ = forcedMode;
    }

    // Creates the view; tests that plug screens or hooks in do so before.
    CMainView& Create() {
        view = std::make_unique<CMainView>(window, context);
        created = view->Create(forcedMode_);
        return *view;
    }
    // Creates the view and paints it once, so the screens exist and the main menu is current.
    CMainView& Started() {
        Create();
        view->Start();
        return *view;
    }

    void Click(Point at) {
        window.QueueInput(InputEvent::LeftDown(at.x, at.y));
        window.QueueInput(InputEvent::LeftUp(at.x, at.y));
    }
    void Pump() { window.RunUntilIdle(*view); }

    static Point Centre(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

    TempDir userDir;
    CHeadlessWindow window;
    CAppContext context;
    std::unique_ptr<CMainView> view;
    bool created = false;

private:
    std::optional<int> forcedMode_;
};

}  // namespace valmore::test
