#pragma once

// Where the record screen places its header line, its list and its back button, once per
// resolution mode.

#include <array>

#include "platform/Geometry.h"
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

const RecordLayout& RecordLayoutFor(int mode);

}  // namespace valmore
