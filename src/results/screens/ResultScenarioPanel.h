#pragma once

// The result screen's scenario panel: one row of ten cells with the finished scenario's header
// data and the number of results stored for it.

#include <array>
#include <string>

#include "scenario/Scenario.h"
#include "ui/Panel.h"

namespace valmore {

class CDayController;
class CResultStore;

class CResultScenarioPanel : public CPanel {
public:
    static constexpr int kCells = 10;

    // Without a result store the stored-results cell shows 0.
    CResultScenarioPanel(IViewHost& owner, const CDayController& controller, const CResultStore* results);

    // Places the panel at its corner with the size of its background.
    void Place();
    void Draw(CCanvas& dc) override;

    // The texts of the ten cells, Shift_JIS, left to right.
    static std::array<std::string, kCells> CellTexts(const ScenarioHeader& header, int storedResults);
    // What the panel shows now; empty texts while there is no play.
    std::array<std::string, kCells> CurrentTexts() const;
    Rect CellRect(int cell) const;

private:
    const CDayController& controller_;
    const CResultStore* results_;
};

}  // namespace valmore
