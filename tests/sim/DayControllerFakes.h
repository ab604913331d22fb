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
    std::vector<std::string> calls;
    bool quitEnabled = false;
    bool executeEnabled = false;
    bool marketChanged = false;
    bool assetsChanged = false;
    OrderColumns orders{};
    std::vector<std::string> notices;
    std::vector<std::string> tradeLogs;

    int Count(const std::string& call) const {
        int n = 0;
        for (const std::string& c : calls) n += c == call ? 1 : 0;
        return n;
    }
    bool Saw(const std::string& call) const { return Count(call) > 0; }

    void ResetNews() override { calls.push_back("ResetNews"); }
    void ResetInfo() override { calls.push_back("ResetInfo"); }
    void RefreshOrderButtons() override { calls.push_back("RefreshOrderButtons"); }
    void ClearAssetValues() override { calls.push_back("ClearAssetValues"); }
    void ResetChart() override { calls.push_back("ResetChart"); }
    void AssignColumns() override { calls.push_back("AssignColumns"); }
    void FillProductSelector() override { calls.push_back("FillProductSelector"); }
    void ClearInfo() override { calls.push_back("ClearInfo"); }
    bool UpdateMarketValues() override { return marketChanged; }
    bool UpdateAssetValues() override { return assetsChanged; }
    void StartDay() override { calls.push_back("StartDay"); }
    void UpdateNewsButtons() override { calls.push_back("UpdateNewsButtons"); }
    void MarkNewsDirty() override {}
    void SetNewsSelectedEvent(int eventIndex) override {
        calls.push_back("SetNewsSelectedEvent(" + std::to_string(eventIndex) + ")");
    }
    void ShowNewsList() override { calls.push_back("ShowNewsList"); }
    void SetChartDays(int days) override { calls.push_back("SetChartDays(" + std::to_string(days) + ")"); }
    void RefreshAllPanels() override {}
    void SetQuitEnabled(bool enabled) override { quitEnabled = enabled; }
    bool ExecuteButtonEnabled() const override { return executeEnabled; }
    void DisableExecuteButton() override {
        executeEnabled = false;
        calls.push_back("DisableExecuteButton");
    }
    void InvalidateExecuteButton() override { calls.push_back("InvalidateExecuteButton"); }
    OrderColumns CurrentOrders() const override { return orders; }
    int TradeLogWidth() const override { return 400; }
    void ShowTradeLog(const std::string& markup) override {
        tradeLogs.push_back(markup);
        calls.push_back("ShowTradeLog");
    }
    void ShowNotice(const std::string& sjis) override {
        notices.push_back(sjis);
        calls.push_back("ShowNotice");
    }
    void ShowSimulationScreen() override { calls.push_back("ShowSimulationScreen"); }
    void PrepareResultScreen(int productCount) override {
        calls.push_back("PrepareResultScreen(" + std::to_string(productCount) + ")");
    }
    void ShowResultScreen() override { calls.push_back("ShowResultScreen"); }
    void ShowMainMenu() override { calls.push_back("ShowMainMenu"); }
};

class CFakePracticeGate : public IPracticeGate {
public:
    bool running = true;
    bool shouldEnd = false;
    bool runFlag = false;
    int ended = 0;

    bool IsRunning() const override { return running; }
    bool ShouldEnd() const override { return shouldEnd; }
    bool RunFlag() const override { return runFlag; }
    void End() override {
        running = false;
        ++ended;
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
