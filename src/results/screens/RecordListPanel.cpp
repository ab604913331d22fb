#include "results/screens/RecordListPanel.h"

#include <algorithm>

#include "platform/TextFormat.h"
#include "results/screens/CellText.h"
#include "results/screens/RecordLayout.h"
#include "ui/Skin.h"

namespace valmore {

namespace {

constexpr int kRankColumn = 0;
constexpr int kDateColumn = 1;

}  // namespace

CRecordListPanel::CRecordListPanel(IViewHost& owner) : CPanel(owner) {
    // The list draws on the screen's background, which carries the column headings.
    backgroundBitmap = -1;
}

void CRecordListPanel::Place() {
    const RecordLayout& layout = RecordLayoutFor(owner_.Mode());
    SetRect(layout.listSideMargin, layout.listTop, owner_.CanvasSize().width - 2 * layout.listSideMargin,
            layout.listHeight);
}

void CRecordListPanel::Show(const ScenarioHeader& header, const std::vector<ResultRecord>& best) {
    header_ = header;
    records_.assign(best.begin(),
                    best.begin() + std::min<std::ptrdiff_t>(kRows, static_cast<std::ptrdiff_t>(best.size())));
}

std::array<std::string, CRecordListPanel::kColumns> CRecordListPanel::RowTexts(int row) const {
    std::array<std::string, kColumns> texts;
    texts[kRankColumn] = std::to_string(row + 1);
    if (row < 0 || row >= static_cast<int>(records_.size())) return texts;
    const ResultRecord& r = records_[static_cast<std::size_t>(row)];
    texts[kDateColumn] = r.Date;
    texts[2] = FormatGrouped(r.TotalScore);
    texts[3] = FormatGrouped(r.LogicalScore);
    texts[4] = FormatGrouped(r.TechnicalScore);
    texts[5] = FormatGrouped(r.RealizedPL);
    texts[6] = FormatGrouped(r.Tax);
    texts[7] = FormatGrouped(r.Commition);
    texts[8] = FormatGrouped(FinalProfit(r));
    texts[9] = RateOfReturnText(r, header_.Duration, header_.FundAmount);
    return texts;
}

Rect CRecordListPanel::CellRect(int row, int column) const {
    const RecordLayout& layout = RecordLayoutFor(owner_.Mode());
    const int c = std::clamp(column, 0, kColumns - 1);
    int left = rect_.left;
    for (int i = 0; i < c; ++i) left += layout.listColumnWidths[static_cast<std::size_t>(i)];
    const int top = rect_.top + row * layout.listLineHeight + layout.listRowDown;
    Rect cell{left, top, left + layout.listColumnWidths[static_cast<std::size_t>(c)], top + layout.listLineHeight};
    if (c != kRankColumn && c != kDateColumn) cell.right -= layout.listNumberInset;
    return cell;
}

void CRecordListPanel::Draw(CCanvas& dc) {
    const CFont* font = owner_.Skin().Font(RecordLayout::kTextFont);
    for (int row = 0; row < kRows; ++row) {
        const std::array<std::string, kColumns> texts = RowTexts(row);
        for (int c = 0; c < kColumns; ++c) {
            const unsigned align = c == kRankColumn || c == kDateColumn ? CCanvas::kCenter : CCanvas::kRight;
            DrawCellText(dc, font, texts[static_cast<std::size_t>(c)], CellRect(row, c), align);
        }
    }
}

}  // namespace valmore
