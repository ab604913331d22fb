#include "results/screens/ResultScenarioPanel.h"

#include <cstdio>

#include "platform/Sjis.h"
#include "platform/TextFormat.h"
#include "results/ResultStore.h"
#include "results/screens/CellText.h"
#include "results/screens/ResultLayout.h"
#include "results/screens/ScenarioLabels.h"
#include "sim/DayController.h"
#include "ui/Skin.h"

namespace valmore {

CResultScenarioPanel::CResultScenarioPanel(IViewHost& owner, const CDayController& controller,
                                           const CResultStore* results)
    : CPanel(owner), controller_(controller), results_(results) {
    backgroundBitmap = ResultLayout::kScenarioBackground;
}

void CResultScenarioPanel::Place() {
    const Point at = ResultLayoutFor(owner_.Mode()).scenarioPanel;
    const CSkin& skin = owner_.Skin();
    SetRect(at.x, at.y, skin.Width(ResultLayout::kScenarioBackground), skin.Height(ResultLayout::kScenarioBackground));
}

std::array<std::string, CResultScenarioPanel::kCells> CResultScenarioPanel::CellTexts(const ScenarioHeader& header,
                                                                                      int storedResults) {
    return {
        header.ID,
        header.Title,
        CategoryLabel(header.Category),
        ModeLabel(header.Mode),
        std::to_string(header.ProductCount),
        std::to_string(header.Level),
        header.Duration + Sj("日"),
        header.EstimatedTime + Sj("分"),
        FormatGrouped(header.FundAmount),
        FormatGrouped(storedResults),
    };
}

std::array<std::string, CResultScenarioPanel::kCells> CResultScenarioPanel::CurrentTexts() const {
    const CPlay* play = controller_.Play();
    if (!play) return {};
    const ScenarioHeader& header = play->Scenario().header;
    return CellTexts(header, results_ ? results_->Count(header.ID) : 0);
}

Rect CResultScenarioPanel::CellRect(int cell) const {
    const ResultLayout& layout = ResultLayoutFor(owner_.Mode());
    const auto& edges = layout.scenarioCellEdges;
    const std::size_t c = static_cast<std::size_t>(cell < 0 ? 0 : cell >= kCells ? kCells - 1 : cell);
    const int top = inner_.top + layout.scenarioRowDown;
    return Rect{rect_.left + edges[c], top, rect_.left + edges[c + 1], top + layout.scenarioRowHeight};
}

void CResultScenarioPanel::Draw(CCanvas& dc) {
    const CSkin& skin = owner_.Skin();
    DrawBackground(dc);
    const Point strip = ResultLayoutFor(owner_.Mode()).scenarioStrip;
    dc.DrawBitmap(skin.Bitmap(ResultLayout::kScenarioStrip), strip.x, strip.y);

    const std::array<std::string, kCells> texts = CurrentTexts();
    for (int cell = 0; cell < kCells; ++cell) {
        const int font = cell == 0 ? ResultLayout::kSmallFont : ResultLayout::kNormalFont;
        DrawCellText(dc, skin.Font(font), texts[static_cast<std::size_t>(cell)], CellRect(cell), CCanvas::kCenter);
    }
}

}  // namespace valmore
