#pragma once

// The wide panel in the middle of the simulation screen: the user's whole account, the asset table of
// the play, taken afresh at every update. A figure that changes is shown on a light red background
// for the next updates.

#include <array>
#include <cstdint>
#include <string>

#include "playscreen/HighlightedValue.h"
#include "sim/AssetTable.h"
#include "ui/Panel.h"

namespace valmore {

class CDayController;

class CAssetPanel : public CPanel {
public:
    static constexpr int kRows = 6;
    static constexpr int kColumns = AssetTable::kColumnCount;

    // Rows of the table.
    static constexpr int kTotalsRow = 0;
    static constexpr int kCashRow = 2;
    static constexpr int kFirstHoldingRow = 3;

    // Columns of the table, by the headings of the background picture.
    using enum AssetTable::Column;

    CAssetPanel(IViewHost& owner, const CDayController& controller);

    void Draw(CCanvas& dc) override;
    void SetRect(int x, int y, int width, int height) override;

    // Takes every figure of the play's asset table; marks the panel dirty (and says so) while any
    // figure is highlighted.
    bool UpdateAssetValues();
    // Forgets every figure and highlight (a new play).
    void ClearValues();

    const Rect& Cell(int row, int column) const;
    const HighlightedValue<std::int32_t>& Value(int row, int column) const;

    std::string name;  // names the panel; never shown

private:
    bool SetAssetValue(int row, int column, std::int32_t value);
    bool SetAssetRow(int row, const AssetTable::Row& figures);

    const CDayController& controller_;
    std::array<std::array<Rect, kColumns>, kRows> cells_{};
    std::array<std::array<HighlightedValue<std::int32_t>, kColumns>, kRows> values_{};
};

}  // namespace valmore
