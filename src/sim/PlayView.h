#pragma once

// What the day controller tells the screens while it paces a play. The simulation screen implements
// it; tests implement it to watch the controller. The controller only reports what happened to the
// play; each screen reads what it draws from the controller's const view of the play.

#include <vector>

#include "sim/Orders.h"

namespace valmore {

enum class PlayEvent {
    PlayReset,      // a play has been loaded or restored and begins with its opening pause
    OpeningEnded,   // the opening pause is over: the first day's news arrive
    DayOpened,      // after a price move, the next day's news arrive
    OrdersOpened,   // the day's orders are accepted
    PricesMoved,    // the day has closed: prices, dividends and interest have moved
    LastDayPlayed,  // the last day's move is over and every holding has been reversed
    PlayFinished,   // the play has been scored; its closing pause begins
    ResultDue,      // the closing pause is over: the result is to be shown
    PlayAbandoned,  // the practice run has ended (finished or stopped) and its play has been released
    Held,           // the practice run holds the play on this tick: nothing moves, nothing can be left
};

class IPlayView {
public:
    virtual ~IPlayView() = default;

    virtual void OnPlayEvent(PlayEvent event) = 0;
    // The day's orders were executed (the controller now waits 1000 ms before closing the day).
    virtual void OnOrdersExecuted(const std::vector<ExecutedTrade>& trades) = 0;
    // A tick that moves the play on, before the controller tests its countdown. The view updates what
    // it shows every tick; true when the window must be repainted.
    virtual bool OnTick() = 0;
};

// A view that does nothing: it stands in while no screen is attached, so the controller can pace a
// play headless.
class CNullPlayView : public IPlayView {
public:
    void OnPlayEvent(PlayEvent) override {}
    void OnOrdersExecuted(const std::vector<ExecutedTrade>&) override {}
    bool OnTick() override { return false; }
};

}  // namespace valmore
