#include "results/screens/ResultLayout.h"

#include "ui/ViewHost.h"

namespace valmore {

namespace {

constexpr std::array<ResultLayout, 2> kLayouts{{
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

}  // namespace

const ResultLayout& ResultLayoutFor(int mode) {
    return kLayouts[mode == kModeSxga ? 1 : 0];
}

}  // namespace valmore
