#pragma once

// One play of a scenario: the scenario, the market, the portfolio and the trade history together,
// with the steps of a trading day in the order the day controller takes them. The controller and the
// command-line tool both drive a play through these steps only, so the arithmetic lives here once.

#include <optional>
#include <string>

#include "scenario/Scenario.h"
#include "sim/FinalFigures.h"
#include "sim/Market.h"
#include "sim/Orders.h"
#include "sim/Position.h"
#include "sim/SnapshotStore.h"
#include "sim/TradeHistory.h"

namespace valmore {

// What stopped a resume, or kept its store from being updated, for the screens to word.
enum class ResumeProblem {
    None,
    ScenarioRefused,  // the scenario file could not be loaded; the stored play stays as it was
    NoStoredPlay,     // the store holds no play of the scenario
    PlayDoesNotFit,   // the stored play has days or products the scenario lacks; it stays as it was
    StoreNotSaved,    // the play resumed, but the store file still holds it
};

struct ResumeResult {
    bool ok = false;
    std::string reason;  // in English, for logs and the command-line tool
    ResumeProblem problem = ResumeProblem::None;
    DocLoadStatus scenarioStatus = DocLoadStatus::Ok;  // ScenarioRefused: how the file was read
    int scenarioLine = 0;                              // ScenarioRefused: the line of a format error
    int errorNumber = 0;                               // StoreNotSaved: the system's error number
};

class CPlay {
public:
    // Starts a new play of a loaded scenario on its first day with the fund as cash.
    void Begin(CScenario scenario, PrdInfoTable prdInfo);

    // The execute action: checks and executes the day's orders (see ExecuteOrders). On success the
    // controller moves on to closing the day.
    OrderOutcome ExecuteDay(const OrderColumns& columns);
    // Closes the day being played: the event's prices and rates, its dividends, one day of interest,
    // then its company-information numbers.
    void CloseDay();
    // Moves to the next day; true while days remain. After the last day every holding is reversed,
    // booked as the trades of the day after the last event, and the answer is false.
    bool AdvanceDay();
    // The final figures and scores, once the play is over; `dateText` is the day it was played.
    FinalFigures Finish(std::string dateText);

    bool IsOver() const { return scenario_.CurrentEventListIndex >= scenario_.EventCount(); }

    // The play as the snapshot store keeps it.
    SnapshotRecord MakeSnapshot() const;
    // Continues a stored play of the scenario this play was begun with. A record that does not fit the
    // scenario is refused with a reason and the play stays as it was.
    ResumeResult Resume(SnapshotRecord record);

    const CScenario& Scenario() const { return scenario_; }
    const CMarket& Market() const { return market_; }
    const CPosition& Position() const { return position_; }
    const CTradeHistory& History() const { return history_; }
    const PrdInfoTable& PrdInfo() const { return prdInfo_; }
    int CurrentEventListIndex() const { return scenario_.CurrentEventListIndex; }
    // The figures of the last Finish, for the result screen.
    const std::optional<FinalFigures>& Figures() const { return figures_; }

private:
    CScenario scenario_;
    CMarket market_;
    CPosition position_;
    CTradeHistory history_;
    PrdInfoTable prdInfo_;
    std::optional<FinalFigures> figures_;
};

}  // namespace valmore
