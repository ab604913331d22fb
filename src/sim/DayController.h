#pragma once

// Paces a play between the user's decisions: the opening pause, the day's news, the wait for orders,
// the pause after execution, the price move, the next day, and at the end the reversal of all
// holdings, the scoring and the switch to the result screen. Advanced by the 100 ms timer while the
// simulation screen is current. The arithmetic of a day is CPlay's; the controller only calls its
// steps and tells the screens what happened through IPlayView.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "scenario/ScenarioLoader.h"
#include "sim/Play.h"
#include "sim/PlayView.h"
#include "sim/SnapshotStore.h"

namespace valmore {

// What the guided practice run answers the controller at every tick.
enum class GateAnswer {
    Run,   // the play moves on (also the answer when no run is on)
    Hold,  // nothing moves on this tick: no countdown, no state change
    End,   // the run is over (its script is through or the user pressed Escape): the play is released
};

// The guided practice run as the controller sees it; absent until the practice run exists. It is
// asked exactly once per tick, and answers End once per run.
class IPracticeGate {
public:
    virtual ~IPracticeGate() = default;
    virtual GateAnswer Ask() = 0;
};

class CDayController {
public:
    // The value 3 is never a state.
    enum class State : int { kOpening = 0, kDay = 1, kFinishing = 2, kOver = 4 };
    using enum State;
    // The steps of a day; meaningful in state kDay.
    enum class SubState : int { kNews = 0, kOrders = 1, kClosing = 2, kPriceMove = 3 };
    using enum SubState;

    explicit CDayController(IPlayView* view = nullptr);

    void SetView(IPlayView* view) { view_ = view; }
    void SetPracticeGate(IPracticeGate* gate) { gate_ = gate; }
    // Told the final figures once a play has been scored (the result history adds and saves them).
    std::function<void(const FinalFigures&)> onFinished;
    // The date stamped on a finished play; the local date unless a test sets it.
    std::function<std::string()> dateText;

    // Creates fresh, empty play objects (state 0, 3000 ms). The screens hear of a play once it is
    // loaded or restored (PlayEvent::PlayReset).
    void StartPlay();
    // A new play of the scenario file: StartPlay, load, then PlayReset. A file that is refused leaves
    // no play and is reported in the result.
    ScenarioLoadResult NewPlay(const std::filesystem::path& scenarioFile);
    // Continues the stored play of the scenario: as a new play, then the record is taken out of the
    // store, the store is saved, and the market, portfolio, day and history are restored. Not ok: no
    // play, and the reason says why (a refused file, no record, or a record that does not fit the
    // scenario, which then stays in the store untouched). Ok with a reason: the play resumed but the
    // store could not be saved, so the file may still offer the old record.
    ResumeResult ResumePlay(const std::filesystem::path& scenarioFile, CSnapshotStore& store,
                            const std::filesystem::path& snapshotFile);
    // Whether the play can be kept now: it has not ended and the day's orders are not yet executed.
    bool CanStore() const;
    // Keeps the running play in the store and saves it (leaving a play with QUIT). Refused, with the
    // store untouched, when CanStore() is false.
    DocSaveResult StorePlay(CSnapshotStore& store, const std::filesystem::path& snapshotFile) const;
    void DestroyPlay();

    // One 100 ms step; true when the window must be repainted.
    bool Tick();
    // The execute action: checks and executes the day's orders. A refusal changes nothing (the
    // caller tells the user why); otherwise the day closes after 1000 ms.
    OrderOutcome Execute(const OrderColumns& orders);

    State GetState() const { return state_; }
    SubState GetSubState() const { return subState_; }
    int Ticks() const { return ticks_; }
    int Countdown() const { return countdown_; }
    bool AcceptingOrders() const { return play_ && state_ == kDay && subState_ == kOrders; }
    // The play may be left now: orders are accepted and the practice run does not hold the play.
    bool CanLeave() const { return AcceptingOrders() && !held_; }

    CPlay* Play() { return play_ ? &*play_ : nullptr; }
    const CPlay* Play() const { return play_ ? &*play_ : nullptr; }
    // The "Resource" texts of the scenario last loaded; kept until another scenario loads.
    const TextTable& Resources() const { return resources_; }

private:
    void SetState(State state, SubState subState, int countdown, int ticks);
    IPlayView& View();
    ScenarioLoadResult Load(const std::filesystem::path& scenarioFile);
    // A day step whose countdown has run out; true when it changed what is shown.
    bool TickDay(IPlayView& view);

    IPlayView* view_;
    IPracticeGate* gate_ = nullptr;
    State state_ = kOpening;
    SubState subState_ = kNews;
    bool held_ = false;
    int ticks_ = 0;
    int countdown_ = 0;
    bool resultShown_ = false;
    std::optional<CPlay> play_;
    TextTable resources_;
};

}  // namespace valmore
