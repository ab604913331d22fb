#include "results/screens/RecordLayout.h"

#include "ui/ViewHost.h"

namespace valmore {

namespace {

constexpr std::array<RecordLayout, 2> kLayouts{{
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

}  // namespace

const RecordLayout& RecordLayoutFor(int mode) {
    return kLayouts[mode == kModeSxga ? 1 : 0];
}

}  // namespace valmore
