#pragma once

// Where the record screen places its header line, its list and its back button, once per
// resolution mode.

#include <array>

#include "platform/Geometry.h"
#include "ui/ResolutionMode.h"
#include "ui/SkinPicture.h"

namespace valmore {

struct RecordLayout {
    static constexpr int kBackground = kSkinRecordBackground;
    static constexpr int kBackUp = kSkinCommBackUp;
    static constexpr int kBackDn = kSkinCommBackDn;
    static constexpr int kIdFont = 9;
    static constexpr int kTextFont = 11;
    static constexpr int kHeaderCells = 10;
    static constexpr int kListRows = 10;
    static constexpr int kListColumns = 10;

    Point backButton;

    // The scenario's header line: ten cells from its origin rightwards.
    Point headerOrigin;
    int headerHeight;
    std::array<int, kHeaderCells> headerWidths;

    // The list: a panel this far in from both sides of the canvas.
    int listSideMargin;
    int listTop;
    int listHeight;
    int listRowDown;  // row 0's top below the panel's top
    int listLineHeight;
    std::array<int, kListColumns> listColumnWidths;
    int listNumberInset;  // numbers keep this far off the column's right line
};

// Both modes' rows; the skin generator places the screen's pictures from the same table.
inline constexpr std::array<RecordLayout, kModeCount> kRecordLayouts{{
    {
        .backButton = {958, 8},
        .headerOrigin = {8, 82},
        .headerHeight = 20,
        .headerWidths = {118, 253, 80, 80, 80, 80, 80, 73, 104, 62},
        .listSideMargin = 8,
        .listTop = 208,
        .listHeight = 400,
        .listRowDown = 16,
        .listLineHeight = 20,
        .listColumnWidths = {84, 85, 84, 84, 84, 118, 117, 118, 117, 120},
        .listNumberInset = 4,
    },
    {
        .backButton = {1197, 9},
        .headerOrigin = {9, 97},
        .headerHeight = 25,
        .headerWidths = {155, 308, 100, 101, 100, 99, 101, 99, 125, 76},
        .listSideMargin = 8,
        .listTop = 250,
        .listHeight = 400,
        .listRowDown = 24,
        .listLineHeight = 25,
        .listColumnWidths = {106, 107, 104, 106, 105, 147, 147, 147, 148, 148},
        .listNumberInset = 6,
    },
}};

const RecordLayout& RecordLayoutFor(int mode);

}  // namespace valmore
