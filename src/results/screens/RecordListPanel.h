#pragma once

// The record screen's list: the ten best results of one scenario, highest total score first, with
// the ranks 1 to 10 always shown.

#include <array>
#include <string>
#include <vector>

#include "results/ResultStore.h"
#include "scenario/Scenario.h"
#include "ui/Panel.h"

namespace valmore {

class CRecordListPanel : public CPanel {
public:
    static constexpr int kRows = 10;
    static constexpr int kColumns = 10;

    explicit CRecordListPanel(IViewHost& owner);

    // Below the header line, 8 pixels in from both sides of the canvas.
    void Place();
    // The records to list, best first (only the first ten are kept); the header gives the duration
    // and the fund the rate of return is worked out from.
    void Show(const ScenarioHeader& header, const std::vector<ResultRecord>& best);

    const std::vector<ResultRecord>& Records() const { return records_; }
    // The texts of a row: the rank always, the rest only when the row has a record.
    std::array<std::string, kColumns> RowTexts(int row) const;
    // The cell of a row and column; number columns keep clear of their right line.
    Rect CellRect(int row, int column) const;

    void Draw(CCanvas& dc) override;

private:
    ScenarioHeader header_;
    std::vector<ResultRecord> records_;
};

}  // namespace valmore
