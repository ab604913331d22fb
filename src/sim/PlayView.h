#pragma once

// What the day controller asks of the screens while it paces a play. The simulation screen
// implements it over its panels; tests implement it to watch the controller. The model never
// draws: it only calls these at the fixed points of a day.

#include <string>

#include "sim/Orders.h"

namespace valmore {

class IPlayView {
public:
    virtual ~IPlayView() = default;

    // A new play: the panels forget the previous one.
    virtual void ResetNews() = 0;
    virtual void ResetInfo() = 0;
    virtual void RefreshOrderButtons() = 0;
    virtual void ClearAssetValues() = 0;
    virtual void ResetChart() = 0;

    // A scenario has been loaded (or a stored play restored) into the play.
    virtual void AssignColumns() = 0;
    virtual void FillProductSelector() = 0;
    virtual void ClearInfo() = 0;  // the information panel's text and history

    // The fixed points of a day. The two updates report whether anything shown changed.
    virtual bool UpdateMarketValues() = 0;
    virtual bool UpdateAssetValues() = 0;
    virtual void StartDay() = 0;
    virtual void UpdateNewsButtons() = 0;
    virtual void MarkNewsDirty() = 0;
    virtual void SetNewsSelectedEvent(int eventIndex) = 0;
    virtual void ShowNewsList() = 0;
    virtual void SetChartDays(int days) = 0;
    virtual void RefreshAllPanels() = 0;
    virtual void SetQuitEnabled(bool enabled) = 0;

    // The execute button and the orders of the day.
    virtual bool ExecuteButtonEnabled() const = 0;
    virtual void DisableExecuteButton() = 0;
    virtual void InvalidateExecuteButton() = 0;
    virtual OrderColumns CurrentOrders() const = 0;
    // Width in pixels of the information panel's text area, for the trade log's columns.
    virtual int TradeLogWidth() const = 0;
    // Shows the trade log in the information panel; an empty text clears the panel.
    virtual void ShowTradeLog(const std::string& markup) = 0;
    // The notice popup (OK) with a Shift_JIS text; returns when it is closed.
    virtual void ShowNotice(const std::string& sjis) = 0;

    // Screens.
    virtual void ShowSimulationScreen() = 0;
    virtual void PrepareResultScreen(int productCount) = 0;
    virtual void ShowResultScreen() = 0;
    virtual void ShowMainMenu() = 0;
};

// A view that does nothing: it stands in while no screen is attached, so the controller can pace a
// play headless, and test views override only what they watch.
class CNullPlayView : public IPlayView {
public:
    void ResetNews() override {}
    void ResetInfo() override {}
    void RefreshOrderButtons() override {}
    void ClearAssetValues() override {}
    void ResetChart() override {}
    void AssignColumns() override {}
    void FillProductSelector() override {}
    void ClearInfo() override {}
    bool UpdateMarketValues() override { return false; }
    bool UpdateAssetValues() override { return false; }
    void StartDay() override {}
    void UpdateNewsButtons() override {}
    void MarkNewsDirty() override {}
    void SetNewsSelectedEvent(int) override {}
    void ShowNewsList() override {}
    void SetChartDays(int) override {}
    void RefreshAllPanels() override {}
    void SetQuitEnabled(bool) override {}
    bool ExecuteButtonEnabled() const override { return false; }
    void DisableExecuteButton() override {}
    void InvalidateExecuteButton() override {}
    OrderColumns CurrentOrders() const override { return OrderColumns{}; }
    int TradeLogWidth() const override { return 0; }
    void ShowTradeLog(const std::string&) override {}
    void ShowNotice(const std::string&) override {}
    void ShowSimulationScreen() override {}
    void PrepareResultScreen(int) override {}
    void ShowResultScreen() override {}
    void ShowMainMenu() override {}
};

}  // namespace valmore
