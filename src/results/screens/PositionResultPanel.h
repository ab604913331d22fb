#pragma once

// The result screen's position result panel: the final figures of the play as a table of totals,
// cash and one row per product, and the return score in its box.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/FinalFigures.h"
#include "ui/Panel.h"

namespace valmore {

class CDayController;
class CMarket;

// Columns 1 to 5 of a row: value at the end, realised, tax, commission, profit after both.
struct PositionResultRow {
    std::string name;                                     // Shift_JIS; empty for the totals
    std::array<std::optional<std::int64_t>, 5> values{};  // none: the cell stays empty

    bool operator==(const PositionResultRow&) const = default;
};

struct PositionResultTable {
    PositionResultRow totals;                 // row 0, named by the strip
    PositionResultRow cash;                   // row 2
    std::vector<PositionResultRow> products;  // rows 3 on, in product order

    bool operator==(const PositionResultTable&) const = default;
};

// The table of a finished play: the figures after the final settlement, the names from the market.
PositionResultTable MakePositionResultTable(const FinalFigures& figures, const CMarket& market);

class CPositionResultPanel : public CPanel {
public:
    static constexpr int kRows = 6;
    static constexpr int kColumns = 6;

    CPositionResultPanel(IViewHost& owner, const CDayController& controller);

    void Place();
    void Draw(CCanvas& dc) override;

    // The table shown now; none while there is no finished play.
    std::optional<PositionResultTable> CurrentTable() const;
    // A cell in canvas coordinates; number columns already keep their distance from the lines.
    Rect CellRect(int row, int column) const;
    Rect ScoreBox() const;

private:
    void DrawRow(CCanvas& dc, int row, const PositionResultRow& values) const;

    const CDayController& controller_;
};

}  // namespace valmore
