#pragma once

// Where the result screen places its panels, buttons, cells and texts, once per resolution mode.
// The panels and the screen read their own rows of this one table.

#include <array>

#include "platform/Geometry.h"
#include "ui/ResolutionMode.h"
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

// Both modes' rows; the skin generator places the screen's pictures from the same table.
inline constexpr std::array<ResultLayout, kModeCount> kResultLayouts{{
    {
        .scenarioPanel = {6, 5},
        .menuButton = {936, 8},
        .positionPanel = {6, 129},
        .chartPanel = {6, 349},
        .newsPanel = {6, 517},
        .previousButton = {954, 520},
        .nextButton = {984, 520},
        .firstDetailButton = {945, 573},
        .detailButtonStep = 40,
        .rowsPerPage = 4,
        .scenarioStrip = {6, 38},
        .panelStripDown = 33,
        .newsStrip = {6, 550},
        .scenarioCellEdges = {0, 119, 372, 452, 532, 612, 692, 772, 845, 949, 1012},
        .scenarioRowDown = 44,
        .scenarioRowHeight = 20,
        .positionInnerDown = 33,
        .positionColumnRights = {150, 321, 493, 666, 838, 1011},
        .positionColumnInset = 4,
        .positionFirstRowDown = 23,
        .positionRowBottoms = {44, 64, 84, 104, 124, 144},
        .scoreBox = Rect::FromSize(861, 7, 84, 19),
        .chartInnerDown = 35,
        .chartInnerBottomGap = 10,
        .plotLeftMargin = 60,
        .plotTopMargin = 8,
        .plotRightMargin = 8,
        .plotBottomMargin = 20,
        .chartNameDown = 12,
        .newsLineHeight = 20,
        .newsRowTops = {4, 44, 84, 124, 164},
    },
    {
        .scenarioPanel = {6, 8},
        .menuButton = {1162, 12},
        .positionPanel = {6, 170},
        .chartPanel = {6, 440},
        .newsPanel = {6, 650},
        .previousButton = {1180, 651},
        .nextButton = {1225, 651},
        .firstDetailButton = {1170, 719},
        .detailButtonStep = 50,
        .rowsPerPage = 5,
        .scenarioStrip = {6, 48},
        .panelStripDown = 40,
        .newsStrip = {6, 690},
        .scenarioCellEdges = {0, 154, 462, 561, 661, 762, 862, 962, 1061, 1197, 1262},
        .scenarioRowDown = 65,
        .scenarioRowHeight = 25,
        .positionInnerDown = 40,
        .positionColumnRights = {167, 383, 616, 838, 1047, 1262},
        .positionColumnInset = 6,
        .positionFirstRowDown = 30,
        .positionRowBottoms = {56, 81, 106, 131, 156, 181},
        .scoreBox = Rect::FromSize(1051, 6, 107, 27),
        .chartInnerDown = 40,
        .chartInnerBottomGap = 10,
        .plotLeftMargin = 75,
        .plotTopMargin = 10,
        .plotRightMargin = 10,
        .plotBottomMargin = 24,
        .chartNameDown = 12,
        .newsLineHeight = 25,
        .newsRowTops = {12, 62, 112, 162, 212},
    },
}};

// The layout of the mode (anything but SXGA mode is XGA mode).
const ResultLayout& ResultLayoutFor(int mode);

}  // namespace valmore
