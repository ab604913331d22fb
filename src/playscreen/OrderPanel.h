#pragma once

// The panel in the lower left of the simulation screen where the user decides, once per trading
// day, to buy, pass or sell each product and how many shares. Three order columns side by side; a
// scenario with one product uses the middle one, with two the left and middle ones. The buttons and
// spin boxes belong to the screen; the panel keeps plain pointers to them and sets their states. The
// day's decisions are one value of the panel; the BUY, PASS and SELL buttons only show it.

#include <array>
#include <functional>
#include <string>

#include "sim/Orders.h"
#include "ui/Panel.h"
#include "ui/SkinButton.h"
#include "ui/SpinBox.h"

namespace valmore {

class CDayController;

class COrderPanel : public CPanel {
public:
    static constexpr int kColumns = 3;
    // The decision of each column; None where nothing is chosen.
    using Decisions = std::array<OrderChoice, kColumns>;

    struct ColumnControls {
        CSkinButton* buy = nullptr;
        CSkinButton* pass = nullptr;
        CSkinButton* sell = nullptr;
        CSpinBox* quantity = nullptr;
        CSkinButton* info = nullptr;
    };

    COrderPanel(IViewHost& owner, const CDayController& controller);

    void Draw(CCanvas& dc) override;
    void SetRect(int x, int y, int width, int height) override;

    // Hands the panel the controls of column c and takes over their click handlers.
    void SetColumn(int c, const ColumnControls& controls);
    void SetExecuteButton(CSkinButton* button) { execute_ = button; }

    // Which product each column shows, by the play's product count.
    void AssignColumns();
    // A trading day begins: every used column loses its decision and its quantity starts at one unit.
    void StartDay();
    // Sets the buttons by the controller's state.
    void RefreshOrderButtons();
    const Decisions& DayDecisions() const { return decisions_; }
    // The decision of column c; None when nothing is chosen.
    OrderChoice GetChoice(int c) const;
    // The execute button is enabled exactly when every used column has a decision.
    void UpdateExecuteButton();
    // The columns as the order rules read them.
    OrderColumns CurrentOrders() const;

    // A click on the BUY, PASS or SELL button of column c: it takes back the decision the button
    // shows, or makes its own.
    void OnDecision(int c, OrderChoice choice);
    // The INFO button of column c.
    void OnInfo(int c);
    // Chooses an action for column c as a key does (a key never takes a decision back). False when
    // the button is disabled.
    bool Choose(int c, OrderChoice choice);

    int ColumnProduct(int c) const { return columnProduct_.at(static_cast<std::size_t>(c)); }
    bool ColumnUsed(int c) const { return ColumnProduct(c) >= 0; }
    const ColumnControls& Controls(int c) const { return controls_.at(static_cast<std::size_t>(c)); }
    const Rect& HeaderRect(int c) const { return headers_.at(static_cast<std::size_t>(c)); }

    // Told the product whose company information the INFO button asks for.
    std::function<void(int product)> onCompanyInfo;
    std::string name;  // names the panel; never shown

private:
    CSkinButton* Button(int c, OrderChoice choice) const;
    // Makes the decision of column c (None takes it back) and shows it.
    void Decide(int c, OrderChoice choice);
    // The buttons show the decisions.
    void ShowDecisions();
    void DrawHeader(CCanvas& dc, int c) const;

    const CDayController& controller_;
    std::array<ColumnControls, kColumns> controls_{};
    std::array<int, kColumns> columnProduct_{-1, -1, -1};
    Decisions decisions_{OrderChoice::None, OrderChoice::None, OrderChoice::None};
    std::array<Rect, kColumns> headers_{};
    CSkinButton* execute_ = nullptr;
};

}  // namespace valmore
