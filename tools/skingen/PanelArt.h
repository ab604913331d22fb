#pragma once

#include <string>
#include <vector>

#include "Canvas.h"
#include "SkinGeometry.h"

namespace valmore::skingen {

// Height of a panel's title band: the program's content starts below it.
int BandHeight(Mode mode);

// A framed panel: a slate title band with the panel's name, over a white body.
void PaintPanel(CCanvas& canvas, Mode mode, const std::string& title);

// A title on the slate chrome, led by a short accent bar; used by panels and screen titles.
void PaintChromeTitle(CCanvas& canvas, Mode mode, const std::string& title, Box where, double px);

// A heading row over table columns: tinted, ruled, each heading centred on the column the
// program draws below it. bounds holds the n + 1 column edges.
void PaintHeadingRow(CCanvas& canvas, Mode mode, const std::vector<double>& bounds,
                     const std::vector<std::string>& headings, double top, double height);

// Faint rules between columns and under rows of a table body.
void PaintColumnRules(CCanvas& canvas, const std::vector<double>& bounds, double top, double bottom);
void PaintRowRules(CCanvas& canvas, double left, double right, double firstTop, double rowHeight, int rows);

// The seven simulation-screen panels.
void PaintTitlePanel(CCanvas& canvas, Mode mode);
void PaintMarketPanel(CCanvas& canvas, Mode mode);
void PaintNewsPanel(CCanvas& canvas, Mode mode);
void PaintAssetPanel(CCanvas& canvas, Mode mode);
void PaintOrderPanel(CCanvas& canvas, Mode mode);
void PaintInfoPanel(CCanvas& canvas, Mode mode);
void PaintChartPanel(CCanvas& canvas, Mode mode);

// The result screen's panels and the strips drawn over them.
void PaintResultScenarioPanel(CCanvas& canvas, Mode mode);
void PaintResultScenarioStrip(CCanvas& canvas, Mode mode);
void PaintResultPositionPanel(CCanvas& canvas, Mode mode);
void PaintResultPositionStrip(CCanvas& canvas, Mode mode);
void PaintResultChartPanel(CCanvas& canvas, Mode mode);
void PaintResultChartStrip(CCanvas& canvas, Mode mode);
void PaintResultNewsPanel(CCanvas& canvas, Mode mode);
void PaintResultNewsStrip(CCanvas& canvas, Mode mode);

// The scenario selection screen's title and catalogue table.
void PaintCatalogueTitle(CCanvas& canvas, Mode mode);
void PaintCatalogueTable(CCanvas& canvas, Mode mode);

}  // namespace valmore::skingen
