#include "shell/MainView.h"

#include <algorithm>
#include <cmath>

#include "platform/Sjis.h"
#include "shell/PlaceholderScreen.h"
#include "ui/FailureText.h"
#include "ui/MarkupText.h"

namespace valmore {

namespace {

// The order in which the screens are built at the first paint: the main menu first, as later
// screens may look at it while they lay themselves out.
constexpr std::array<int, kScreenCount> kBuildOrder{kScreenMainMenu, kScreenScenarioSelect, kScreenSimulation,
                                                    kScreenResult,   kScreenRecords,        kScreenCommMenu,
                                                    kScreenRanking,  kScreenRegistration};

// The notice fits the XGA popup without paging: up to three lines of what was done, then these.
constexpr std::size_t kMaxReportedProblems = 2;

bool IsClick(InputType type) {
    return type == InputType::LeftDown || type == InputType::LeftUp;
}

// How long the wait for a request sleeps before it looks for input, a tick or the reply again.
constexpr int kWaitPollMs = 20;

// The mark that shows a request is out: a box in the middle of the canvas with a ring of dots that
// turns one dot per tick, and the words beside it.
struct WaitingMarkLayout {
    Size box;
    int ringRadius;
    int dot;
    int font;
};
constexpr std::array<WaitingMarkLayout, 2> kWaitingMarkLayouts{{
    {{128, 44}, 12, 5, 12},  // XGA
    {{156, 54}, 15, 6, 12},  // SXGA
}};
constexpr int kWaitingDots = 8;
// From the leading dot back: each trails the one before it in a lighter grey.
constexpr std::array<Rgb, kWaitingDots> kWaitingDotShades{{{0, 0, 0},
                                                           {60, 60, 60},
                                                           {110, 110, 110},
                                                           {150, 150, 150},
                                                           {185, 185, 185},
                                                           {210, 210, 210},
                                                           {225, 225, 225},
                                                           {235, 235, 235}}};

// Input goes to the popup only, in popup coordinates; ticks still reach the main view, so a play
// keeps running under a question, and the popup is painted over the current screen.
class CModalHandler final : public IEventHandler {
public:
    CModalHandler(CMainView& view, IModalPopup& popup) : view_(view), popup_(popup) {}

    void OnInput(const InputEvent& event) override {
        if (event.type == InputType::CloseRequest) {
            view_.OnInput(event);
            return;
        }
        // Escape stops the practice run even while a popup holds the keys.
        if (event.type == InputType::KeyDown && event.key == kKeyEscape) view_.OnInput(event);
        InputEvent local = event;
        if (event.type == InputType::MouseMove || IsClick(event.type)) {
            const Rect bounds = popup_.Bounds();
            local.x -= bounds.left;
            local.y -= bounds.top;
        }
        popup_.OnPopupInput(local);
    }
    void OnTick() override {
        view_.OnTick();
        popup_.OnPopupTick();
    }
    void OnPaint(CCanvas& canvas, const Rect& invalid) override {
        view_.OnPaint(canvas, invalid);
        const Rect bounds = popup_.Bounds();
        canvas.ClearClip();
        CCanvas::OriginGuard origin(canvas, bounds.left, bounds.top);
        popup_.DrawPopup(canvas);
    }

private:
    CMainView& view_;
    IModalPopup& popup_;
};

}  // namespace

// While a request is out: ticks and painting go on, with the waiting mark over the screen. Input is
// dropped, not kept for later, except Escape and the screen's way back, which give the request up,
// and a close request, which gives it up and ends the program as usual.
class CMainView::CWaitHandler final : public IEventHandler {
public:
    CWaitHandler(CMainView& view, CPanel* giveUp) : view_(view), giveUp_(giveUp) {}

    void OnInput(const InputEvent& event) override {
        switch (event.type) {
            case InputType::CloseRequest:
                view_.requests_.GiveUp();
                view_.OnInput(event);
                return;
            case InputType::KeyDown:
                if (event.key == kKeyEscape) view_.requests_.GiveUp();
                return;
            case InputType::MouseMove:
                if (giveUp_) giveUp_->OnMouseMove(Point{event.x, event.y});
                return;
            case InputType::LeftDown:
            case InputType::LeftUp:
                if (!giveUp_ || !giveUp_->visible || !giveUp_->GetRect().Contains(event.x, event.y)) return;
                if (event.type == InputType::LeftDown) {
                    giveUp_->OnMouseDown(event.flags, event.x, event.y);
                } else {
                    // Given up before the button acts, so its way back finds no request out.
                    view_.requests_.GiveUp();
                    giveUp_->OnMouseUp(event.flags, event.x, event.y);
                }
                view_.window_.InvalidateAll();
                return;
            case InputType::Text:
            case InputType::TextEditing:
                return;
        }
    }
    void OnTick() override {
        view_.OnTick();
        ++view_.waitFrame_;
        view_.window_.Invalidate(view_.WaitingMarkRect());
    }
    void OnPaint(CCanvas& canvas, const Rect& invalid) override {
        view_.OnPaint(canvas, invalid);
        view_.DrawWaitingMark(canvas);
    }

private:
    CMainView& view_;
    CPanel* giveUp_;
};

std::string StoreProblemMessage(const StoreProblem& problem) {
    const bool results = problem.store == StoreProblem::Store::Results;
    std::string text = Sj(results ? "成績の記録「" : "中断したシミュレーションの記録「");
    text += FileNameText(problem.file.string());
    if (problem.somethingKept) {
        text += Sj("」の一部が壊れていました。読めた分だけを使い、");
    } else if (results) {
        text += Sj("」が壊れていて読めませんでした。成績の記録は空の状態から始め、");
    } else {
        text += Sj("」が壊れていて読めませんでした。前回の続きはない状態で始め、");
    }
    text += Sj("元のファイルは次に保存するときに「");
    text += FileNameText(problem.keptAs.string());
    text += Sj("」として残します。");
    const std::size_t shown = std::min(problem.problems.size(), kMaxReportedProblems);
    for (std::size_t i = 0; i < shown; ++i) {
        text += "$n";
        text += LoadProblemText(problem.problems[i]);
    }
    if (problem.problems.size() > shown)
        text += Sj("（ほか") + std::to_string(problem.problems.size() - shown) + Sj("件）");
    return text;
}

CMainView::CMainView(CPlatformWindow& window, CAppContext& context) : window_(window), context_(context) {}

CMainView::~CMainView() {
    window_.StopTicks();
    context_.SetQuitHandler({});
    // Screens and popups refer to this view; they go while it still exists.
    for (auto& screen : screens_) screen.reset();
    context_.DestroyPopups();
}

bool CMainView::Create(std::optional<int> forcedMode, std::string* error) {
    resolution_ = ChooseResolution(window_.ScreenSize(), forcedMode);
    context_.skin.LoadSkin(context_.Paths().dataDir, resolution_.mode);
    if (!window_.CreateCanvas(resolution_.canvas, resolution_.offset)) {
        if (error) {
            *error = "cannot create a drawing area of " + std::to_string(resolution_.canvas.width) + "x" +
                     std::to_string(resolution_.canvas.height);
        }
        return false;
    }
    window_.StartTicks(kTickPeriodMs);
    context_.SetQuitHandler([this] { window_.PostQuit(); });
    context_.CreatePopups(*this);
    storeProblems_ = context_.LoadStores();
    accountProblem_ = context_.LoadAccount();
    if (error) error->clear();
    return true;
}

void CMainView::Start() {
    if (started_ || !window_.HasCanvas()) return;
    started_ = true;
    window_.InvalidateAll();
    window_.UpdateNow(*this);
    ReportStoreProblems();
}

CPlatformWindow::LoopEnd CMainView::Run() {
    Start();
    if (window_.QuitPosted()) return CPlatformWindow::LoopEnd::Quit;
    return window_.Run(*this);
}

void CMainView::ReportStoreProblems() {
    std::vector<StoreProblem> problems = std::move(storeProblems_);
    storeProblems_.clear();
    for (const StoreProblem& problem : problems) {
        if (window_.QuitPosted()) return;
        context_.MessagePopup().Show(QVDialog::kModeNotice, StoreProblemMessage(problem));
    }
    std::string account = std::move(accountProblem_);
    accountProblem_.clear();
    if (!account.empty() && !window_.QuitPosted()) {
        context_.MessagePopup().Show(QVDialog::kModeNotice, EscapeMarkup(account));
    }
}

CScreen* CMainView::ScreenAt(int slot) const {
    if (slot < 0 || slot >= kScreenSlots) return nullptr;
    return screens_[static_cast<std::size_t>(slot)].get();
}

void CMainView::BuildScreens() {
    screensBuilt_ = true;
    for (int slot : kBuildOrder) {
        const ScreenFactory& factory = context_.screenFactories[static_cast<std::size_t>(slot)];
        std::unique_ptr<CScreen> screen;
        if (factory) screen = factory(*this, context_);
        if (!screen) screen = std::make_unique<CPlaceholderScreen>(*this, slot);
        screens_[static_cast<std::size_t>(slot)] = std::move(screen);
    }
    // Slots beyond the program's eight are filled only when something plugs a screen into them.
    for (int slot = kScreenCount; slot < kScreenSlots; ++slot) {
        const ScreenFactory& factory = context_.screenFactories[static_cast<std::size_t>(slot)];
        if (factory) screens_[static_cast<std::size_t>(slot)] = factory(*this, context_);
    }
    SwitchScreen(kScreenMainMenu);
}

void CMainView::SwitchScreen(int screen) {
    // A number without a screen would leave nothing to draw or to take input, so it is refused.
    CScreen* target = ScreenAt(screen);
    if (target == nullptr) return;
    current_ = screen;
    target->Activate();
}

void CMainView::OnInput(const InputEvent& event) {
    CScreen* screen = ScreenAt(current_);
    switch (event.type) {
        case InputType::MouseMove:
            if (screen) screen->MouseMove(Point{event.x, event.y});
            break;
        case InputType::LeftDown:
        case InputType::LeftUp:
            OnClick(event);
            break;
        case InputType::KeyDown:
            if (event.key == kKeyEscape) {
                // Escape belongs to the practice run; elsewhere it does nothing at all.
                if (context_.TutorialActive() && context_.tutorial.requestStop) context_.tutorial.requestStop();
                break;
            }
            if (screen && screen->OnKeyDown(event.key)) window_.InvalidateAll();
            break;
        case InputType::CloseRequest:
            context_.DestroyPlay();
            context_.RequestQuit();
            break;
        case InputType::Text:
        case InputType::TextEditing:
            break;
    }
}

void CMainView::OnClick(const InputEvent& event) {
    bool reaches = true;
    if (context_.TutorialActive() && context_.tutorial.acceptClick) reaches = context_.tutorial.acceptClick(event);
    if (reaches) {
        // The handler may switch screens; the click belongs to the screen it was aimed at.
        if (CScreen* screen = ScreenAt(current_)) {
            if (event.type == InputType::LeftDown) {
                screen->MouseDown(event.flags, event.x, event.y);
            } else {
                screen->MouseUp(event.flags, event.x, event.y);
            }
        }
    }
    if (context_.tutorial.gate) context_.tutorial.gate();
    window_.InvalidateAll();
}

void CMainView::OnTick() {
    ++tickCount_;
    // While a notice the play raised is open, the play waits for the user to read it.
    if (current_ == kScreenSimulation && context_.tickController && !showingNotices_) {
        if (context_.tickController()) window_.InvalidateAll();
    }
    ShowQueuedNotices();
}

void CMainView::ShowQueuedNotices() {
    // A popup already open (this tick may come from its loop) or a request out keeps them waiting.
    if (showingNotices_ || awaiting_ || modalDepth_ > 0 || !context_.HasPopups()) return;
    showingNotices_ = true;
    while (!window_.QuitPosted()) {
        const std::optional<std::string> notice = context_.TakeNotice();
        if (!notice) break;
        context_.MessagePopup().Show(QVDialog::kModeNotice, *notice);
    }
    showingNotices_ = false;
}

Rect CMainView::WaitingMarkRect() const {
    const WaitingMarkLayout& layout = kWaitingMarkLayouts[static_cast<std::size_t>(ModeOf(resolution_.mode))];
    return Rect::FromSize((resolution_.canvas.width - layout.box.width) / 2,
                          (resolution_.canvas.height - layout.box.height) / 2, layout.box.width, layout.box.height);
}

void CMainView::DrawWaitingMark(CCanvas& canvas) const {
    const WaitingMarkLayout& layout = kWaitingMarkLayouts[static_cast<std::size_t>(ModeOf(resolution_.mode))];
    const Rect box = WaitingMarkRect();
    CCanvas::StateGuard state(canvas);
    canvas.ClearClip();
    canvas.SelectPen(Pen{PenStyle::Solid, 1, Skin().Colours().frame});
    canvas.SelectBrush(Brush::Solid(Skin().Colours().paper));
    canvas.Rectangle(box);
    const int gap = (layout.box.height - 2 * layout.ringRadius) / 2;
    const Point centre{box.left + gap + layout.ringRadius, box.top + layout.box.height / 2};
    for (int i = 0; i < kWaitingDots; ++i) {
        // Dot i sits i eighths of a turn clockwise from the top; the leading dot moves on every tick.
        const double angle = 2.0 * 3.14159265358979 * i / kWaitingDots;
        const int x = centre.x + static_cast<int>(std::lround(layout.ringRadius * std::sin(angle)));
        const int y = centre.y - static_cast<int>(std::lround(layout.ringRadius * std::cos(angle)));
        const int behind = ((waitFrame_ - i) % kWaitingDots + kWaitingDots) % kWaitingDots;
        canvas.FillSolid(Rect::FromSize(x - layout.dot / 2, y - layout.dot / 2, layout.dot, layout.dot),
                         kWaitingDotShades[static_cast<std::size_t>(behind)]);
    }
    canvas.SelectFont(context_.skin.Font(layout.font));
    canvas.SetTextColour(Skin().Colours().text);
    canvas.SetBackgroundMode(BackgroundMode::Transparent);
    const Rect words{centre.x + layout.ringRadius + gap, box.top, box.right - gap, box.bottom};
    canvas.DrawText(Sj("通信中…"), words, CCanvas::kSingleLine | CCanvas::kVCenter);
}

bool CMainView::AwaitWork(const std::function<void(const std::atomic<bool>& givenUp)>& work, CPanel* giveUp) {
    // One request at a time; and none once the program is ending.
    if (awaiting_ || window_.QuitPosted() || !requests_.Start(work)) return false;
    awaiting_ = true;
    waitFrame_ = 0;
    window_.SetWaitCursor(true);
    // The screen may just have switched (a request made on entering it), so all of it is painted.
    window_.InvalidateAll();
    CWaitHandler handler(*this, giveUp);
    while (requests_.Out() && !requests_.Finished()) {
        const CPlatformWindow::PumpResult pumped = window_.PumpOne(handler, kWaitPollMs);
        if (pumped == CPlatformWindow::PumpResult::Quit) {
            requests_.GiveUp();
        } else if (pumped == CPlatformWindow::PumpResult::Idle) {
            // Nothing to deliver (a headless window never waits by itself): wait for the worker.
            requests_.WaitFinished(kWaitPollMs);
        }
    }
    const bool finished = requests_.Collect();
    awaiting_ = false;
    window_.SetWaitCursor(false);
    window_.InvalidateAll();
    return finished;
}

void CMainView::OnPaint(CCanvas& canvas, const Rect&) {
    if (!screensBuilt_) BuildScreens();
    // The current screen redraws the whole canvas every time, so no earlier picture shows through.
    if (CScreen* screen = ScreenAt(current_)) {
        screen->Draw(canvas);
    } else {
        canvas.FillSolid(Rect::FromSize(0, 0, resolution_.canvas.width, resolution_.canvas.height),
                         Skin().Colours().backdrop);
    }
}

void CMainView::RunModal(IModalPopup& popup, const std::function<bool()>& done) {
    CModalHandler handler(*this, popup);
    window_.InvalidateAll();
    ++modalDepth_;
    window_.RunUntil(handler, done);
    --modalDepth_;
    window_.InvalidateAll();
}

}  // namespace valmore
