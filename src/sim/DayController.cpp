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

void CDayController::SetState(int state, int subState, int countdown, int ticks) {
    state_ = state;
    subState_ = subState;
    countdown_ = countdown;
    ticks_ = ticks;
    View().RefreshAllPanels();
}

void CDayController::StartPlay() {
    SetState(kOpening, kNews, kOpeningMs, 0);
    resultShown_ = false;
    play_.reset();
    play_.emplace();
    IPlayView& view = View();
    view.ResetNews();
    view.ResetInfo();
    view.RefreshOrderButtons();
    view.ClearAssetValues();
    view.ResetChart();
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

void CDayController::ShowLoadedPlay() {
    IPlayView& view = View();
    view.AssignColumns();
    view.FillProductSelector();
    view.UpdateAssetValues();
    view.ClearInfo();
    view.ShowSimulationScreen();
}

ScenarioLoadResult CDayController::NewPlay(const std::filesystem::path& scenarioFile) {
    ScenarioLoadResult loaded = Load(scenarioFile);
    if (loaded.ok) ShowLoadedPlay();
    return loaded;
}

ResumeResult CDayController::ResumePlay(const std::filesystem::path& scenarioFile, CSnapshotStore& store,
                                        const std::filesystem::path& snapshotFile) {
    ScenarioLoadResult loaded = Load(scenarioFile);
    if (!loaded.ok) return {false, loaded.Message()};

    const std::string id = play_->Scenario().header.ID;
    std::optional<SnapshotRecord> record = store.Take(id);
    if (!record) {
        play_.reset();
        return {false, snapshotFile.string() + ": holds no stored play of scenario " + id};
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
    ShowLoadedPlay();
    if (!saved.ok) return {true, saved.error};
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
    view.SetQuitEnabled(false);

    if (gate_ && gate_->IsRunning()) {
        if (gate_->ShouldEnd()) {
            DestroyPlay();
            view.ShowMainMenu();
            gate_->End();
            return true;
        }
        if (!gate_->RunFlag()) return true;
    }
    if (!play_) return false;

    ticks_ += 1;
    countdown_ -= kTickMs;
    if (countdown_ < 0) countdown_ = 0;

    bool repaint = false;
    if (view.ExecuteButtonEnabled()) {
        view.InvalidateExecuteButton();
        repaint = true;
    }
    const bool due = countdown_ == 0;

    switch (state_) {
        case kOpening:
            view.UpdateMarketValues();
            view.UpdateAssetValues();
            repaint = true;
            if (due) {
                state_ = kDay;
                view.StartDay();
                view.UpdateNewsButtons();
                view.RefreshOrderButtons();
                countdown_ = kFirstNewsMs;
                ticks_ = 0;
            }
            break;
        case kDay:
            repaint = TickDay(view, due) || repaint;
            break;
        case kOver:
            if (due) {
                state_ = kFinishing;
                subState_ = kNews;
                countdown_ = kEndPauseMs;
                ticks_ = 0;
                view.UpdateNewsButtons();
                view.RefreshOrderButtons();
                FinalFigures figures = play_->Finish(dateText ? dateText() : LocalDateText());
                if (onFinished) onFinished(figures);
                view.PrepareResultScreen(play_->Market().ProductCount);
                repaint = true;
            }
            break;
        case kFinishing:
            if (due && !resultShown_) {
                // The play itself stays: the result screen reads its market, scenario, history and figures
                // until the next play starts.
                resultShown_ = true;
                view.ShowResultScreen();
                repaint = true;
            }
            break;
        default:
            break;
    }
    return repaint;
}

bool CDayController::TickDay(IPlayView& view, bool due) {
    bool repaint = false;
    switch (subState_) {
        case kNews:
            view.MarkNewsDirty();
            repaint = true;
            if (view.UpdateAssetValues()) repaint = true;
            if (due) {
                SetState(kDay, kOrders, 0, 0);
                view.SetQuitEnabled(true);
                view.UpdateNewsButtons();
                view.RefreshOrderButtons();
                view.SetChartDays(play_->CurrentEventListIndex());
            }
            break;
        case kOrders:
            view.SetQuitEnabled(true);
            if (view.UpdateAssetValues()) repaint = true;
            break;
        case kClosing: {
            bool market = view.UpdateMarketValues();
            bool assets = view.UpdateAssetValues();
            repaint = market || assets;
            if (due) {
                SetState(kDay, kPriceMove, kPriceMoveMs, 0);
                play_->CloseDay();
                view.UpdateNewsButtons();
                view.RefreshOrderButtons();
                repaint = true;
            }
            break;
        }
        case kPriceMove: {
            bool market = view.UpdateMarketValues();
            bool assets = view.UpdateAssetValues();
            repaint = market || assets;
            if (due) {
                // The next day's number and the day count move together; after the last day the play
                // reverses every holding at the moved prices.
                const bool more = play_->AdvanceDay();
                const int day = play_->CurrentEventListIndex();
                view.SetNewsSelectedEvent(day);
                if (more) {
                    SetState(kDay, kNews, kNewsMs, 0);
                    view.StartDay();
                    view.ShowNewsList();
                    view.UpdateNewsButtons();
                    view.RefreshOrderButtons();
                    view.SetChartDays(day);
                } else {
                    state_ = kOver;
                    subState_ = kNews;
                    countdown_ = kEndPauseMs;
                    ticks_ = 0;
                    view.UpdateNewsButtons();
                    view.RefreshOrderButtons();
                    view.SetChartDays(day);
                }
                repaint = true;
            }
            break;
        }
        default:
            if (view.UpdateAssetValues()) repaint = true;
            break;
    }
    return repaint;
}

OrderOutcome CDayController::Execute() {
    if (!AcceptingOrders()) {
        OrderOutcome outcome;
        outcome.refusal = OrderRefusal::NoDay;
        return outcome;
    }
    IPlayView& view = View();
    OrderOutcome outcome = play_->ExecuteDay(view.CurrentOrders(), view.TradeLogWidth());
    if (!outcome.Accepted()) {
        if (!outcome.message.empty()) view.ShowNotice(outcome.message);
        return outcome;
    }
    subState_ = kClosing;
    ticks_ = 0;
    countdown_ = kClosingMs;
    // The day's orders are booked: leaving now would keep a day that still has to close.
    view.SetQuitEnabled(false);
    view.RefreshOrderButtons();
    view.ShowTradeLog(outcome.tradeLog);
    view.DisableExecuteButton();
    return outcome;
}

}  // namespace valmore
