#pragma once

// The result screen (screen 3): what a finished play came to. The scenario, the final position
// with the return score, the price charts of the whole play, and the days with the user's
// decisions marked against the scenario's judgement and the decision score. Everything is read
// from the day controller's play, which stays until "メニュー" releases it.

#include <vector>

#include "results/screens/NewsTradesPanel.h"
#include "results/screens/PositionResultPanel.h"
#include "results/screens/ResultChartPanel.h"
#include "results/screens/ResultScenarioPanel.h"
#include "ui/Screen.h"
#include "ui/SkinButton.h"

namespace valmore {

class CDayController;
class CResultStore;
class QVDetailDialog;

class CResultScreen : public CScreen {
public:
    // The result store gives the number of results stored for the scenario; without it that cell
    // shows 0.
    CResultScreen(IViewHost& owner, CDayController& controller, QVDetailDialog& detail,
                  const CResultStore* results = nullptr);

    void Layout() override;
    // Lays the charts out for the finished play's products, goes to the first page and applies the
    // page rules.
    void Activate() override;
    void Draw(CCanvas& dc) override;

    CResultScenarioPanel& ScenarioPanel() const { return *scenario_; }
    CPositionResultPanel& PositionPanel() const { return *position_; }
    CResultChartPanel& ChartPanel() const { return *chart_; }
    CNewsTradesPanel& NewsPanel() const { return *news_; }
    CSkinButton& MenuButton() const { return *menu_; }
    CSkinButton& PreviousButton() const { return *previous_; }
    CSkinButton& NextButton() const { return *next_; }
    int DetailButtonCount() const { return static_cast<int>(details_.size()); }
    CSkinButton& DetailButton(int row) const { return *details_[static_cast<std::size_t>(row)]; }

private:
    void OnMenu();
    void OnPage(int step);
    void OnDetail(int row);

    CDayController& controller_;
    QVDetailDialog& detail_;
    const CResultStore* results_;

    CResultScenarioPanel* scenario_ = nullptr;
    CSkinButton* menu_ = nullptr;
    CPositionResultPanel* position_ = nullptr;
    CResultChartPanel* chart_ = nullptr;
    CNewsTradesPanel* news_ = nullptr;
    CSkinButton* previous_ = nullptr;
    CSkinButton* next_ = nullptr;
    std::vector<CSkinButton*> details_;
};

}  // namespace valmore
