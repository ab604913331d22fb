#pragma once

// The panel at the upper left of the simulation screen: the day of the play, the Nikkei average,
// the dollar rate, the interest rate and the current price of every product. A figure that has just
// changed is shown on a light red background for the next updates.

#include <array>
#include <string>

#include "playscreen/HighlightedValue.h"
#include "ui/Panel.h"

namespace valmore {

class CDayController;

class CMarketPanel : public CPanel {
public:
    static constexpr int kRows = 5;
    static constexpr int kColumns = 6;

    CMarketPanel(IViewHost& owner, const CDayController& controller);

    void Draw(CCanvas& dc) override;
    void SetRect(int x, int y, int width, int height) override;

    // Takes the figures of the play's market into the value table. Marks the panel dirty (and says
    // so) when a figure changed or a highlight has just ended.
    bool UpdateMarketValues();

    const Rect& Cell(int row, int column) const;
    const HighlightedValue<double>& Value(int row, int column) const;
    // Where the day line is drawn: cells (0, 1) to (0, 4).
    Rect DayLineRect() const;

    std::string name;  // names the panel; never shown

private:
    bool SetValue(int row, int column, double value);

    const CDayController& controller_;
    std::array<std::array<Rect, kColumns>, kRows> cells_{};
    std::array<std::array<HighlightedValue<double>, kColumns>, kRows> values_{};
};

}  // namespace valmore
