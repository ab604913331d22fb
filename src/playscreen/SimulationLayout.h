#pragma once

// Where the simulation screen places its panels and buttons, per resolution mode: top-left
// corners in canvas pixels, the order column elements for column 0. The skin generator places
// the screen's pictures from the same table.

#include <array>

#include "platform/Geometry.h"
#include "ui/ResolutionMode.h"

namespace valmore {

struct SimulationLayout {
    Point title;
    Point market;
    Point news;
    Point asset;
    Point order;
    Point info;
    Point chart;
    Point quit;
    Point newsNext;
    Point newsList;
    Point newsPrevious;
    Point buy;
    Point pass;
    Point sell;
    Point quantity;
    Point infoButton;
    Point execute;
    Point selector;
    Point infoNext;
    Point infoPrevious;
    Point infoBack;
    int columnStep;     // how far each order column lies right of the one before
    int selectorWidth;  // the chart product selector is as wide as this and as high as its arrows
};

inline constexpr std::array<SimulationLayout, kModeCount> kSimulationLayouts{{
    {
        .title = {6, 5},
        .market = {6, 52},
        .news = {405, 52},
        .asset = {6, 219},
        .order = {6, 409},
        .info = {6, 582},
        .chart = {605, 582},
        .quit = {923, 11},
        .newsNext = {983, 55},
        .newsList = {930, 55},
        .newsPrevious = {897, 55},
        .buy = {6, 504},
        .pass = {120, 504},
        .sell = {232, 504},
        .quantity = {86, 542},
        .infoButton = {276, 452},
        .execute = {963, 412},
        .selector = {851, 585},
        .infoNext = {565, 585},
        .infoPrevious = {528, 585},
        .infoBack = {400, 585},
        .columnStep = 337,
        .selectorWidth = 164,
    },
    {
        .title = {7, 6},
        .market = {7, 67},
        .news = {506, 67},
        .asset = {7, 273},
        .order = {7, 511},
        .info = {7, 727},
        .chart = {756, 727},
        .quit = {1155, 13},
        .newsNext = {1230, 71},
        .newsList = {1167, 71},
        .newsPrevious = {1129, 71},
        .buy = {8, 630},
        .pass = {150, 630},
        .sell = {290, 630},
        .quantity = {107, 677},
        .infoButton = {326, 576},
        .execute = {1205, 515},
        .selector = {1073, 731},
        .infoNext = {711, 731},
        .infoPrevious = {672, 731},
        .infoBack = {500, 731},
        .columnStep = 421,
        .selectorWidth = 198,
    },
}};

}  // namespace valmore
