#pragma once

// The main view: the one window's content. It chooses the resolution mode, loads the skin, owns the
// canvas-sized back buffer (through the window) and the 100 ms timer, builds the screen table at the
// first paint, shows exactly one screen at a time, and routes input, ticks and painting. Modal popups
// run their loops through it.

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/EventHandler.h"
#include "platform/PlatformWindow.h"
#include "platform/RequestRunner.h"
#include "shell/AppContext.h"
#include "shell/Resolution.h"
#include "ui/Screen.h"
#include "ui/ViewHost.h"

namespace valmore {

class CMainView : public IViewHost, public IEventHandler {
public:
    static constexpr int kTickPeriodMs = 100;

    // The view works on the window and the context given; both must outlive it.
    CMainView(CPlatformWindow& window, CAppContext& context);
    ~CMainView() override;
    CMainView(const CMainView&) = delete;
    CMainView& operator=(const CMainView&) = delete;

    // Chooses the mode (forced, or from the screen size), places the canvas, loads the skin, creates
    // the back buffer, starts the timer, creates the popups and reads the stores and the account. False with the
    // reason when the back buffer cannot be created.
    bool Create(std::optional<int> forcedMode, std::string* error = nullptr);

    // The first paint (which builds the screens and shows the main menu), then the reports of damaged
    // store files and of an account file that was damaged or refused. Run does this itself when it has not been done.
    void Start();
    // Start, then handles events until the program quits (or, headless, until nothing is left).
    CPlatformWindow::LoopEnd Run();

    const Resolution& GetResolution() const { return resolution_; }
    // The screen in a slot; null before the first paint and for slots without a screen.
    CScreen* ScreenAt(int slot) const;
    bool ScreensBuilt() const { return screensBuilt_; }
    int TickCount() const { return tickCount_; }
    // Whether a request is out, and where the canvas shows that it waits.
    bool Awaiting() const { return awaiting_; }
    Rect WaitingMarkRect() const;
    CAppContext& Context() const { return context_; }

    // IViewHost
    ResolutionMode Mode() const override { return resolution_.mode; }
    const CSkin& Skin() const override { return context_.skin; }
    const ILinkLookup& Links() const override { return context_; }
    Size ScreenSize() const override { return window_.ScreenSize(); }
    Size CanvasSize() const override { return resolution_.canvas; }
    Point CanvasOffset() const override { return resolution_.offset; }
    void Invalidate(const Rect& rect) override { window_.Invalidate(rect); }
    void InvalidateAll() override { window_.InvalidateAll(); }
    void SwitchScreen(int screen) override;
    int CurrentScreen() const override { return current_; }
    void RunModal(IModalPopup& popup, const std::function<bool()>& done) override;
    CCanvas& MeasuringCanvas() override { return window_.Canvas(); }
    ITextServices& TextServices() override { return window_; }
    void SetWaitCursor(bool on) override { window_.SetWaitCursor(on); }
    bool AwaitWork(const std::function<void(const std::atomic<bool>& givenUp)>& work, CPanel* giveUp) override;

    // IEventHandler
    void OnInput(const InputEvent& event) override;
    void OnTick() override;
    void OnPaint(CCanvas& canvas, const Rect& invalid) override;

private:
    class CWaitHandler;

    void BuildScreens();
    void DrawWaitingMark(CCanvas& canvas) const;
    // Shows the notices the tick raised, once no popup is open and no request is out.
    void ShowQueuedNotices();
    void OnClick(const InputEvent& event);
    void ReportStoreProblems();

    CPlatformWindow& window_;
    CAppContext& context_;
    Resolution resolution_{};
    std::array<std::unique_ptr<CScreen>, kScreenSlots> screens_;
    int current_ = kScreenMainMenu;
    bool screensBuilt_ = false;
    bool started_ = false;
    int tickCount_ = 0;
    CRequestRunner requests_;
    bool awaiting_ = false;
    int waitFrame_ = 0;
    int modalDepth_ = 0;
    bool showingNotices_ = false;
    std::vector<StoreProblem> storeProblems_;
    std::string accountProblem_;
};

// The message that tells the user a store file was damaged (Shift_JIS markup for the message popup).
std::string StoreProblemMessage(const StoreProblem& problem);

}  // namespace valmore
