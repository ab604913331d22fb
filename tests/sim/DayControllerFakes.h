#pragma once

// A screen stand-in that records what the day controller asks of it, a practice-run gate the tests
// can hold and release, and scenario files written from scenarios built in code.

#include <cstdio>
#include <string>
#include <vector>

#include "scenario/Scenario.h"
#include "sim/DayController.h"
#include "sim/PlayView.h"

namespace valmore::test {

class CRecordingPlayView : public IPlayView {
public:
    std::vector<PlayEvent> events;
    std::vector<std::vector<ExecutedTrade>> executed;  // the trades of every accepted day
    bool changed = false;                              // what OnTick answers
    int ticks = 0;

    int Count(PlayEvent event) const {
        int n = 0;
        for (PlayEvent e : events) n += e == event ? 1 : 0;
        return n;
    }
    bool Saw(PlayEvent event) const { return Count(event) > 0; }

    void OnPlayEvent(PlayEvent event) override { events.push_back(event); }
    void OnOrdersExecuted(const std::vector<ExecutedTrade>& trades) override { executed.push_back(trades); }
    bool OnTick() override {
        ++ticks;
        return changed;
    }
};

// Answers as set; an End is given once, after which the run is over and holds nothing.
class CFakePracticeGate : public IPracticeGate {
public:
    GateAnswer answer = GateAnswer::Hold;
    int asked = 0;

    GateAnswer Ask() override {
        ++asked;
        const GateAnswer given = answer;
        if (given == GateAnswer::End) answer = GateAnswer::Run;
        return given;
    }
};

// The scenario as the file the scenario-select screen would hand to the controller.
inline std::string ScenarioFileText(const CScenario& scenario) {
    auto real = [](double value) {
        char text[64];
        std::snprintf(text, sizeof text, "%.6f", value);
        return std::string(text);
    };
    auto pair = [](const std::string& key, const std::string& value) { return "{" + key + " \"" + value + "\"}"; };
    const ScenarioHeader& h = scenario.header;
    std::string out = "{root\n{Header " + pair("ID", h.ID) + pair("Title", "T") + pair("Category", "0") +
                      pair("Mode", "0") + pair("Level", "1") + pair("Duration", std::to_string(scenario.EventCount())) +
                      pair("EstimatedTime", "5") + pair("FundAmount", std::to_string(h.FundAmount)) + "}\n{Product ";
    for (int i = 0; i < h.ProductCount; ++i) {
        const ScenarioProduct& p = scenario.products[static_cast<std::size_t>(i)];
        out += "{" + std::to_string(i) + " " + pair("Name", p.Name) + pair("Code", p.Code) +
               pair("Price", std::to_string(p.Price)) + pair("UnitQty", std::to_string(p.UnitQty)) +
               pair("TicPrice", std::to_string(p.TicPrice)) + pair("InfoNo", std::to_string(p.InfoNo)) + "}";
    }
    out += "}\n{Market " + pair("Interest", real(scenario.market.Interest)) +
           pair("Exchange", real(scenario.market.Exchange)) + pair("N225", real(scenario.market.N225)) + "}\n{Event ";
    for (int k = 0; k < scenario.EventCount(); ++k) {
        const ScenarioEvent& e = scenario.events[static_cast<std::size_t>(k)];
        out += "{" + std::to_string(k) + " ";
        if (e.Date) out += pair("Date", *e.Date);
        out += "{Motion ";
        for (std::size_t i = 0; i < static_cast<std::size_t>(h.ProductCount); ++i) {
            out += "{" + std::to_string(i) + " " + pair("Price", std::to_string(e.Price[i])) +
                   pair("Judge", std::to_string(e.Judge[i]));
            if (e.Dividend[i] != 0) out += pair("Dividend", std::to_string(e.Dividend[i]));
            if (e.PrdInfo[i] >= 0) out += pair("PrdInfo", std::to_string(e.PrdInfo[i]));
            out += "}";
        }
        out += "}";
        if (e.Interest != 0.0) out += pair("Interest", real(e.Interest));
        if (e.Exchange != 0.0) out += pair("Exchange", real(e.Exchange));
        if (e.N225 != 0.0) out += pair("N225", real(e.N225));
        out += "}\n";
    }
    out += "}\n}\n";
    return out;
}

// Ticks until the controller accepts orders or the play leaves the day states; returns the ticks
// taken, or -1 when that does not happen within `limit` ticks.
inline int TicksUntilOrders(CDayController& controller, int limit = 1000) {
    for (int n = 1; n <= limit; ++n) {
        controller.Tick();
        if (controller.AcceptingOrders()) return n;
        if (controller.GetState() == CDayController::kOver) return -1;
    }
    return -1;
}

}  // namespace valmore::test
