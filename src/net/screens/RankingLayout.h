#pragma once

// Where the ranking screen places its buttons, the scenario's title and header line and the ranking
// table, per resolution mode. The skin generator rules the screen's background from the same table.

#include <array>

#include "platform/Geometry.h"
#include "ui/ResolutionMode.h"

namespace valmore {

struct RankingLayout {
    static constexpr int kHeaderCells = 10;
    static constexpr int kColumns = 9;
    static constexpr int kRows = 21;
    Point previousButton;  // top-left corners
    Point nextButton;
    Point backButton;
    Rect titleBox;
    Point headerOrigin;
    int headerHeight;
    std::array<int, kHeaderCells> headerWidths;
    Point tableOrigin;
    int rowHeight;
    std::array<int, kColumns> columnWidths;
    int numberMargin;  // the number columns keep this much clear on both sides
};

inline constexpr std::array<RankingLayout, kModeCount> kRankingLayouts{{
    {{461, 8},
     {495, 8},
     {958, 8},
     Rect::FromSize(261, 8, 180, 28),
     {6, 82},
     20,
     {119, 253, 80, 80, 80, 80, 80, 73, 104, 63},
     {7, 226},
     20,
     {77, 149, 112, 112, 113, 112, 112, 113, 112},
     4},
    {{576, 8},
     {626, 8},
     {1198, 9},
     Rect::FromSize(326, 8, 180, 35),
     {8, 97},
     26,
     {155, 310, 100, 100, 100, 100, 100, 100, 130, 70},
     {8, 274},
     25,
     {102, 179, 140, 140, 142, 139, 140, 142, 140},
     6},
}};

}  // namespace valmore
