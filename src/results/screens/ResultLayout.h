#pragma once

// Where the result screen places its panels, buttons, cells and texts, once per resolution mode.
// The panels and the screen read their own rows of this one table.

#include <array>

#include "platform/Geometry.h"
#include "ui/SkinPicture.h"

namespace valmore {

struct ResultLayout {
    // Skin bitmaps; the same indices in both modes.
    static constexpr int kBackground = kSkinResultBackground;
    static constexpr int kScenarioBackground = kSkinResultScenarioPanel;
    static constexpr int kScenarioStrip = kSkinResultScenarioStrip;
    static constexpr int kPositionBackground = kSkinResultPositionPanel;
    static constexpr int kPositionStrip = kSkinResultPositionStrip;
    static constexpr int kChartBackground = kSkinResultChartPanel;
    static constexpr int kChartStrip = kSkinResultChartStrip;
    static constexpr int kNewsBackground = kSkinResultNewsPanel;
    static constexpr int kNewsStrip = kSkinResultNewsStrip;
    static constexpr int kMenuUp = kSkinResultMenuUp;
    static constexpr int kMenuDn = kSkinResultMenuDn;
    static constexpr int kDetailUp = kSkinDetailUp;
    static constexpr int kDetailDn = kSkinDetailDn;
    static constexpr int kDetailNon = kSkinDetailNon;

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
