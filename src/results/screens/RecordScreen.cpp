#include "results/screens/RecordScreen.h"

#include <algorithm>

#include "platform/Sjis.h"
#include "platform/TextFormat.h"
#include "results/ResultStore.h"
#include "results/screens/CellText.h"
#include "results/screens/RecordLayout.h"
#include "results/screens/ScenarioLabels.h"
#include "ui/Skin.h"

namespace valmore {

CRecordScreen::CRecordScreen(IViewHost& owner, CResultStore& results) : CScreen(owner), results_(results) {
    backgroundBitmap = RecordLayout::kBackground;
    Layout();
}

void CRecordScreen::Layout() {
    const RecordLayout& layout = RecordLayoutFor(owner_.Mode());
    list_ = AddPanel<CRecordListPanel>(owner_);
    list_->Place();

    back_ = AddPanel<CSkinButton>(owner_, RecordLayout::kBackUp, RecordLayout::kBackDn);
    back_->PlaceAt(layout.backButton.x, layout.backButton.y);
    back_->SetLabel(Sj("戻る"));
    back_->onClick = [this](unsigned, int, int, CSkinButton&) {
        owner_.SwitchScreen(kScreenScenarioSelect);
        owner_.InvalidateAll();
    };
}

void CRecordScreen::ShowScenario(const ScenarioHeader& header) {
    header_ = header;
    hasScenario_ = true;

    const std::vector<ResultRecord>* list = results_.Find(header.ID);
    if (list) {
        const std::vector<ResultRecord> before = *list;
        results_.SortByTotalScore(header.ID);
        // Nothing to tell the user if the file cannot be written: the store still holds every
        // result, and the next successful save writes this order too.
        if (*results_.Find(header.ID) != before) results_.Save();
        list_->Show(header, *results_.Find(header.ID));
    } else {
        list_->Show(header, {});
    }
    owner_.SwitchScreen(kScreenRecords);
    owner_.InvalidateAll();
}

int CRecordScreen::RecordCount() const {
    return hasScenario_ ? results_.Count(header_.ID) : 0;
}

std::array<std::string, 10> CRecordScreen::HeaderTexts(const ScenarioHeader& header, int recordCount) {
    return {
        header.ID,
        header.Title,
        CategoryLabel(header.Category),
        ModeLabel(header.Mode),
        std::to_string(header.ProductCount),
        std::to_string(header.Level),
        header.Duration + Sj(" 日"),
        header.EstimatedTime + Sj(" 分"),
        FormatGrouped(header.FundAmount) + Sj("円"),
        FormatGrouped(recordCount),
    };
}

Rect CRecordScreen::HeaderCellRect(int cell) const {
    const RecordLayout& layout = RecordLayoutFor(owner_.Mode());
    const int c = std::clamp(cell, 0, RecordLayout::kHeaderCells - 1);
    int left = layout.headerOrigin.x;
    for (int i = 0; i < c; ++i) left += layout.headerWidths[static_cast<std::size_t>(i)];
    return Rect::FromSize(left, layout.headerOrigin.y, layout.headerWidths[static_cast<std::size_t>(c)],
                          layout.headerHeight);
}

void CRecordScreen::Draw(CCanvas& dc) {
    DrawBackground(dc);
    CScreen::Draw(dc);
    if (!hasScenario_) return;
    const CSkin& skin = owner_.Skin();
    const std::array<std::string, 10> texts = HeaderTexts(header_, RecordCount());
    for (int cell = 0; cell < RecordLayout::kHeaderCells; ++cell) {
        const int font = cell == 0 ? RecordLayout::kIdFont : RecordLayout::kTextFont;
        DrawCellText(dc, skin.Font(font), texts[static_cast<std::size_t>(cell)], HeaderCellRect(cell),
                     CCanvas::kCenter);
    }
}

}  // namespace valmore
