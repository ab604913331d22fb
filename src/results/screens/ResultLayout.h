#pragma once

// Where the result screen places its panels, buttons, cells and texts, once per resolution mode.
// The panels and the screen read their own rows of this one table.

#include <array>

#include "platform/Geometry.h"

namespace valmore {

struct ResultLayout {
    // Skin bitmaps; the same indices in both modes.
    static constexpr int kBackground = 73;
    static constexpr int kScenarioBackground = 65;
    static constexpr int kScenarioStrip = 66;
    static constexpr int kPositionBackground = 67;
    static constexpr int kPositionStrip = 68;
    static constexpr int kChartBackground = 69;
    static constexpr int kChartStrip = 70;
    static constexpr int kNewsBackground = 71;
    static constexpr int kNewsStrip = 72;
    static constexpr int kMenuUp = 80;
    static constexpr int kMenuDn = 79;
    static constexpr int kLeftUp = 78;
    static constexpr int kLeftDn = 76;
    static constexpr int kLeftNon = 77;
    static constexpr int kRightUp = 83;
    static constexpr int kRightDn = 81;
    static constexpr int kRightNon = 82;
    static constexpr int kDetailUp = 85;
    static constexpr int kDetailDn = 84;
    static constexpr int kDetailNon = 89;

    // Skin fonts: the same numbers give 9 / 11, 10 / 12 and 11 / 12 points in the two modes.
    static constexpr int kSmallFont = 9;
    static constexpr int kTextFont = 10;
    static constexpr int kNormalFont = 11;

    static constexpr int kMaxRowsPerPage = 5;

    // Top-left corners of the elements.
    Point scenarioPanel;
    Point menuButton;
    Point positionPanel;
    Point chartPanel;
    Point newsPanel;
    Point previousButton;
    Point nextButton;
    Point firstDetailButton;
    int detailButtonStep;  // downwards, one per listed day
    int rowsPerPage;

    // Where the strips with the column headings go.
    Point scenarioStrip;
    int panelStripDown;  // below the position and chart panels' tops
    Point newsStrip;

    // Scenario panel: the ten cells' boundaries from the panel's left edge, and their row.
    std::array<int, 11> scenarioCellEdges;
    int scenarioRowDown;  // below the inner top
    int scenarioRowHeight;

    // Position result panel.
    int positionInnerDown;                    // the inner rectangle is the panel moved down by this
    std::array<int, 6> positionColumnRights;  // from the inner left
    int positionColumnInset;                  // numbers keep this far off the column lines
    int positionFirstRowDown;                 // row 0's top below the inner top
    std::array<int, 6> positionRowBottoms;    // from the inner top
    Rect scoreBox;                            // relative to its panel's top-left corner

    // Chart panel: the inner area below the top, and the margins of every plot inside it.
    int chartInnerDown;
    int chartInnerBottomGap;
    int plotLeftMargin;
    int plotTopMargin;
    int plotRightMargin;
    int plotBottomMargin;
    int chartNameDown;  // the product name's top below the plot

    // News and trades panel: two lines a day, the first line's top from the inner top.
    int newsLineHeight;
    std::array<int, kMaxRowsPerPage> newsRowTops;
};

// The layout of the mode (anything but SXGA mode is XGA mode).
const ResultLayout& ResultLayoutFor(int mode);

}  // namespace valmore
