#pragma once

// The record screen (screen 4): the header line of one scenario above the list of its ten best
// finished plays, and a button back to the scenario selection.

#include <array>
#include <string>

#include "results/screens/RecordListPanel.h"
#include "scenario/Scenario.h"
#include "ui/Screen.h"
#include "ui/SkinButton.h"

namespace valmore {

class CResultStore;

class CRecordScreen : public CScreen {
public:
    CRecordScreen(IViewHost& owner, CResultStore& results);

    void Layout() override;
    void Activate() override {}
    void Draw(CCanvas& dc) override;

    // Lists the scenario's results and makes this screen current. The store's list of the scenario
    // is sorted best first in place, and written when that changed its order, so the file keeps
    // the order shown.
    void ShowScenario(const ScenarioHeader& header);

    // The ten header cells, Shift_JIS, left to right.
    static std::array<std::string, 10> HeaderTexts(const ScenarioHeader& header, int recordCount);
    Rect HeaderCellRect(int cell) const;
    bool HasScenario() const { return hasScenario_; }
    const ScenarioHeader& Header() const { return header_; }
    int RecordCount() const;

    CRecordListPanel& List() const { return *list_; }
    CSkinButton& BackButton() const { return *back_; }

private:
    CResultStore& results_;
    ScenarioHeader header_;
    bool hasScenario_ = false;
    CRecordListPanel* list_ = nullptr;
    CSkinButton* back_ = nullptr;
};

}  // namespace valmore
