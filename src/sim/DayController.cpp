#include "sim/DayController.h"

#include <utility>

#include "sim/TradeHistory.h"

namespace valmore {

namespace {

constexpr int kTickMs = 100;
constexpr int kOpeningMs = 3000;
constexpr int kFirstNewsMs = 3000;
constexpr int kNewsMs = 1500;
constexpr int kClosingMs = 1000;
constexpr int kPriceMoveMs = 1500;
constexpr int kEndPauseMs = 3000;

}  // namespace

CDayController::CDayController(IPlayView* view) : view_(view) {}

IPlayView& CDayController::View() {
    static CNullPlayView none;
    return view_ ? *view_ : none;
}

void CDayController::SetState(State state, SubState subState, int countdown, int ticks) {
    state_ = state;
    subState_ = subState;
    countdown_ = countdown;
    ticks_ = ticks;
}

void CDayController::StartPlay() {
    SetState(kOpening, kNews, kOpeningMs, 0);
    resultShown_ = false;
    held_ = false;
    play_.reset();
    play_.emplace();
}

ScenarioLoadResult CDayController::Load(const std::filesystem::path& scenarioFile) {
    StartPlay();
    CScenario scenario;
    PrdInfoTable prdInfo;
    TextTable resources;
    ScenarioLoadResult loaded = LoadScenario(scenarioFile, scenario, prdInfo, resources);
    if (!loaded.ok) {
        // Nothing half-loaded is ever played: the screens stay where they are and there is no play.
        play_.reset();
        return loaded;
    }
    resources_ = std::move(resources);
    play_->Begin(std::move(scenario), std::move(prdInfo));
    return loaded;
}

ScenarioLoadResult CDayController::NewPlay(const std::filesystem::path& scenarioFile) {
    ScenarioLoadResult loaded = Load(scenarioFile);
    if (loaded.ok) View().OnPlayEvent(PlayEvent::PlayReset);
    return loaded;
}

ResumeResult CDayController::ResumePlay(const std::filesystem::path& scenarioFile, CSnapshotStore& store,
                                        const std::filesystem::path& snapshotFile) {
    ScenarioLoadResult loaded = Load(scenarioFile);
    if (!loaded.ok) return {false, loaded.Message(), ResumeProblem::ScenarioRefused, loaded.status, loaded.line};

    const std::string id = play_->Scenario().header.ID;
    std::optional<SnapshotRecord> record = store.Take(id);
    if (!record) {
        play_.reset();
        return {false, snapshotFile.string() + ": holds no stored play of scenario " + id, ResumeProblem::NoStoredPlay};
    }
    // The record is checked against the scenario before the store is written, so a record that
    // does not fit stays in the store and in its file exactly as it was.
    SnapshotRecord kept = *record;
    ResumeResult resumed = play_->Resume(std::move(*record));
    if (!resumed.ok) {
        store.Store(id, std::move(kept));
        play_.reset();
        resumed.reason = snapshotFile.string() + ": " + resumed.reason;
        return resumed;
    }
    // A stored play can be continued once; if the store cannot be written the play still goes on,
    // and the caller is told that the old record may be offered again.
    DocSaveResult saved = store.Save(snapshotFile);
    View().OnPlayEvent(PlayEvent::PlayReset);
    if (!saved.ok) return {true, saved.error, ResumeProblem::StoreNotSaved, DocLoadStatus::Ok, 0, saved.errorNumber};
    return {true, std::string()};
}

bool CDayController::CanStore() const {
    if (!play_ || play_->IsOver()) return false;
    // Once the day's orders have been executed the day must close before the play is kept,
    // or a continued play would trade that day a second time.
    return state_ == kOpening || (state_ == kDay && (subState_ == kNews || subState_ == kOrders));
}

DocSaveResult CDayController::StorePlay(CSnapshotStore& store, const std::filesystem::path& snapshotFile) const {
    if (!CanStore()) return {false, "there is no play that can be kept at this point"};
    store.Store(play_->Scenario().header.ID, play_->MakeSnapshot());
    return store.Save(snapshotFile);
}

void CDayController::DestroyPlay() {
    play_.reset();
}

bool CDayController::Tick() {
    IPlayView& view = View();
    held_ = false;
    switch (gate_ ? gate_->Ask() : GateAnswer::Run) {
        case GateAnswer::End:
            // However the practice run ended, its play is released here and nowhere else; nothing of
            // it is kept.
            DestroyPlay();
            view.OnPlayEvent(PlayEvent::PlayAbandoned);
            return true;
        case GateAnswer::Hold:
            held_ = true;
            view.OnPlayEvent(PlayEvent::Held);
            return true;
        case GateAnswer::Run:
            break;
    }
    if (!play_) return false;

    ticks_ += 1;
    countdown_ -= kTickMs;
    if (countdown_ < 0) countdown_ = 0;

    // What the screens show moves first; the countdown is tested after.
    bool repaint = view.OnTick();
    const bool due = countdown_ == 0;

    switch (state_) {
        case kOpening:
            if (due) {
                state_ = kDay;
                countdown_ = kFirstNewsMs;
                ticks_ = 0;
                view.OnPlayEvent(PlayEvent::OpeningEnded);
                repaint = true;
            }
            break;
        case kDay:
            if (due) repaint = TickDay(view) || repaint;
            break;
        case kOver:
            if (due) {
                state_ = kFinishing;
                subState_ = kNews;
                countdown_ = kEndPauseMs;
                ticks_ = 0;
                FinalFigures figures = play_->Finish(dateText ? dateText() : LocalDateText());
                if (onFinished) onFinished(figures);
                view.OnPlayEvent(PlayEvent::PlayFinished);
                repaint = true;
            }
            break;
        case kFinishing:
            if (due && !resultShown_) {
                // The play itself stays: the result screen reads its market, scenario, history and figures
                // until the next play starts.
                resultShown_ = true;
                view.OnPlayEvent(PlayEvent::ResultDue);
                repaint = true;
            }
            break;
        default:
            break;
    }
    return repaint;
}

bool CDayController::TickDay(IPlayView& view) {
    switch (subState_) {
        case kNews:
            SetState(kDay, kOrders, 0, 0);
            view.OnPlayEvent(PlayEvent::OrdersOpened);
            return false;
        case kClosing:
            SetState(kDay, kPriceMove, kPriceMoveMs, 0);
            play_->CloseDay();
            view.OnPlayEvent(PlayEvent::PricesMoved);
            return true;
        case kPriceMove:
            // The next day's number and the day count move together; after the last day the play
            // reverses every holding at the moved prices.
            if (play_->AdvanceDay()) {
                SetState(kDay, kNews, kNewsMs, 0);
                view.OnPlayEvent(PlayEvent::DayOpened);
            } else {
                SetState(kOver, kNews, kEndPauseMs, 0);
                view.OnPlayEvent(PlayEvent::LastDayPlayed);
            }
            return true;
        default:
            // Orders wait for the execute action; there is no countdown.
            return false;
    }
}

OrderOutcome CDayController::Execute(const OrderColumns& orders) {
    if (!AcceptingOrders()) {
        OrderOutcome outcome;
        outcome.refusal = OrderRefusal::NoDay;
        return outcome;
    }
    OrderOutcome outcome = play_->ExecuteDay(orders);
    if (!outcome.Accepted()) return outcome;
    subState_ = kClosing;
    ticks_ = 0;
    countdown_ = kClosingMs;
    View().OnOrdersExecuted(outcome.trades);
    return outcome;
}

}  // namespace valmore
