#include "net/screens/RankingScreen.h"

#include <algorithm>

#include "net/ServerMessages.h"
#include "net/screens/AwaitLink.h"
#include "net/screens/LinkNotices.h"
#include "net/screens/RankingLayout.h"
#include "platform/Sjis.h"
#include "platform/TextFormat.h"
#include "results/screens/CellText.h"
#include "results/screens/ScenarioLabels.h"
#include "ui/Skin.h"

namespace valmore {

namespace {

constexpr int kTextFont = 11;
constexpr int kIdFont = 9;
constexpr int kFirstNumberColumn = 3;  // columns from here on are numbers, right-aligned

std::string Grouped(std::int64_t value) {
    return FormatGrouped(value);
}

}  // namespace

CRankingScreen::CRankingScreen(IViewHost& owner, const CServerLink& link, const CUserAccount& account,
                               const CResultStore& results, QVDialog& popup)
    : CScreen(owner), link_(link), account_(account), results_(results), popup_(popup) {
    backgroundBitmap = kSkinRankingBackground;
    Layout();
}

void CRankingScreen::Layout() {
    const RankingLayout& layout = kRankingLayouts[static_cast<std::size_t>(ModeOf(owner_.Mode()))];
    previous_ = AddPanel<CSkinButton>(owner_, kSkinLeftUp, kSkinLeftDn, kSkinLeftNon);
    previous_->PlaceAt(layout.previousButton.x, layout.previousButton.y);
    previous_->onClick = [this](unsigned, int, int, CSkinButton&) { PreviousPage(); };
    next_ = AddPanel<CSkinButton>(owner_, kSkinRightUp, kSkinRightDn, kSkinRightNon);
    next_->PlaceAt(layout.nextButton.x, layout.nextButton.y);
    next_->onClick = [this](unsigned, int, int, CSkinButton&) { NextPage(); };
    back_ = AddPanel<CSkinButton>(owner_, kSkinCommBackUp, kSkinCommBackDn);
    back_->PlaceAt(layout.backButton.x, layout.backButton.y);
    back_->SetLabel(Sj("戻る"));
    back_->onClick = [this](unsigned, int, int, CSkinButton&) {
        owner_.SwitchScreen(kScreenMainMenu);
        owner_.InvalidateAll();
    };
    previous_->enabled = false;
    next_->enabled = false;
}

void CRankingScreen::Activate() {
    page_ = 0;
    rows_.clear();
    pageFailed_ = false;
    if (!listFetched_) {
        const auto fetched = AwaitLink(
            owner_, link_, [](const CServerLink& link) { return link.ScenarioListRequest("EXAM"); }, back_);
        if (!fetched) {
            // Given up: back to the menu, unless the way back has already gone there.
            if (owner_.CurrentScreen() == kScreenRanking) {
                owner_.SwitchScreen(kScreenMainMenu);
                owner_.InvalidateAll();
            }
            return;
        }
        LinkReply<std::vector<ServerScenario>> reply = std::move(*fetched);
        if (ShowLinkFailure(popup_, reply.outcome, link_)) {
            owner_.SwitchScreen(kScreenMainMenu);
            owner_.InvalidateAll();
            return;
        }
        scenarios_ = std::move(reply.value);
        listFetched_ = true;
    }
    next_->enabled = scenarios_.size() > 1;
    previous_->enabled = false;
    LoadRanking();
    owner_.InvalidateAll();
}

void CRankingScreen::PreviousPage() {
    if (page_ <= 0) return;
    --page_;
    previous_->enabled = page_ > 0;
    next_->enabled = true;
    LoadRanking();
    owner_.InvalidateAll();
}

void CRankingScreen::NextPage() {
    if (page_ + 1 >= static_cast<int>(scenarios_.size())) return;
    ++page_;
    next_->enabled = page_ + 1 < static_cast<int>(scenarios_.size());
    previous_->enabled = true;
    LoadRanking();
    owner_.InvalidateAll();
}

const ServerScenario* CRankingScreen::PageScenario() const {
    if (page_ < 0 || page_ >= static_cast<int>(scenarios_.size())) return nullptr;
    return &scenarios_[static_cast<std::size_t>(page_)];
}

void CRankingScreen::LoadRanking() {
    rows_.clear();
    pageFailed_ = false;
    const ServerScenario* scenario = PageScenario();
    // A server that lists no scenario leaves nothing to ask about.
    if (!scenario) return;
    auto fetched = AwaitLink(
        owner_, link_,
        [id = scenario->ID, userId = account_.UserID](const CServerLink& link) {
            return link.RankingRequest(id, userId);
        },
        back_);
    if (!fetched) {
        pageFailed_ = true;
        return;
    }
    if (fetched->outcome != LinkOutcome::Done) {
        pageFailed_ = true;
        ShowLinkFailure(popup_, fetched->outcome, link_);
        return;
    }
    rows_ = std::move(fetched->value);
}

bool CRankingScreen::IsOwnRow(const RankingRow& row) const {
    // A row the reply cut short has an empty user ID, which is nobody's.
    return !account_.UserID.empty() && row.userId == account_.UserID;
}

std::array<std::string, CRankingScreen::kHeaderCells> CRankingScreen::HeaderTexts(const ServerScenario& s,
                                                                                  int ownRecords) {
    return {
        s.ID,
        s.Title,
        CategoryLabel(s.Category),
        ModeLabel(s.Mode),
        std::to_string(s.ProductCount),
        s.Level,
        s.Duration,
        s.EstimatedTime,
        Grouped(s.FundAmount),
        ownRecords > 0 ? std::to_string(ownRecords) : std::string("----"),
    };
}

std::array<std::string, CRankingScreen::kColumns> CRankingScreen::RowTexts(const RankingRow& row,
                                                                           const ServerScenario& scenario) {
    ResultRecord figures;
    figures.TotalPL = static_cast<std::int32_t>(row.totalPL);
    figures.Commition = static_cast<std::int32_t>(row.commission);
    figures.Tax = static_cast<std::int32_t>(row.tax);
    const std::int64_t profit = FinalProfit(figures);
    return {
        std::to_string(row.rank),
        row.shownName,
        row.date,
        std::to_string(row.totalScore),
        Grouped(figures.TotalPL),
        Grouped(figures.Tax),
        Grouped(figures.Commition),
        Grouped(profit),
        RateOfReturnText(figures, scenario.Duration, scenario.FundAmount),
    };
}

Rect CRankingScreen::TitleRect() const {
    return kRankingLayouts[static_cast<std::size_t>(ModeOf(owner_.Mode()))].titleBox;
}

Rect CRankingScreen::HeaderCellRect(int cell) const {
    const RankingLayout& layout = kRankingLayouts[static_cast<std::size_t>(ModeOf(owner_.Mode()))];
    const int c = std::clamp(cell, 0, kHeaderCells - 1);
    int left = layout.headerOrigin.x;
    for (int i = 0; i < c; ++i) left += layout.headerWidths[static_cast<std::size_t>(i)];
    return Rect::FromSize(left, layout.headerOrigin.y, layout.headerWidths[static_cast<std::size_t>(c)],
                          layout.headerHeight);
}

Rect CRankingScreen::RowRect(int row) const {
    const RankingLayout& layout = kRankingLayouts[static_cast<std::size_t>(ModeOf(owner_.Mode()))];
    int width = 0;
    for (int w : layout.columnWidths) width += w;
    return Rect::FromSize(layout.tableOrigin.x, layout.tableOrigin.y + row * layout.rowHeight, width, layout.rowHeight);
}

Rect CRankingScreen::CellTextRect(int row, int column) const {
    const RankingLayout& layout = kRankingLayouts[static_cast<std::size_t>(ModeOf(owner_.Mode()))];
    const int c = std::clamp(column, 0, kColumns - 1);
    const Rect line = RowRect(row);
    int left = line.left;
    for (int i = 0; i < c; ++i) left += layout.columnWidths[static_cast<std::size_t>(i)];
    Rect cell{left, line.top, left + layout.columnWidths[static_cast<std::size_t>(c)], line.bottom};
    // Moved left by the margin and narrowed by it on both sides: the right end keeps twice the margin.
    if (c >= kFirstNumberColumn) cell.right -= 2 * layout.numberMargin;
    return cell;
}

void CRankingScreen::Draw(CCanvas& dc) {
    DrawBackground(dc);
    CScreen::Draw(dc);
    const CSkin& skin = owner_.Skin();

    const Rect title = TitleRect();
    {
        CCanvas::StateGuard state(dc);
        dc.SelectPen(Pen{PenStyle::Solid, 1, skin.Colours().frame});
        dc.SelectBrush(Brush::Solid(skin.Colours().paper));
        dc.Rectangle(title);
    }
    const ServerScenario* scenario = PageScenario();
    if (!scenario) return;
    DrawCellText(dc, skin.Font(kTextFont), scenario->Title, title, CCanvas::kCenter);

    const std::array<std::string, kHeaderCells> header = HeaderTexts(*scenario, results_.Count(scenario->ID));
    for (int cell = 0; cell < kHeaderCells; ++cell) {
        DrawCellText(dc, skin.Font(cell == 0 ? kIdFont : kTextFont), header[static_cast<std::size_t>(cell)],
                     HeaderCellRect(cell), CCanvas::kCenter);
    }

    if (pageFailed_) {
        // One line across the first row, over its column lines, so it reads as a sentence.
        const Rect line = RowRect(0);
        dc.FillSolid(Rect{line.left + 1, line.top, line.right - 1, line.bottom - 1}, skin.Colours().paper);
        DrawCellText(dc, skin.Font(kTextFont), RankingNotLoadedMessage(), line, CCanvas::kCenter);
        return;
    }
    const int shown = std::min(kRows, static_cast<int>(rows_.size()));
    for (int r = 0; r < shown; ++r) {
        const RankingRow& row = rows_[static_cast<std::size_t>(r)];
        const std::array<std::string, kColumns> texts = RowTexts(row, *scenario);
        const Rgb colour = IsOwnRow(row) ? skin.Colours().ownRow : skin.Colours().text;
        for (int c = 0; c < kColumns; ++c) {
            DrawCellText(dc, skin.Font(kTextFont), texts[static_cast<std::size_t>(c)], CellTextRect(r, c),
                         c < kFirstNumberColumn ? CCanvas::kCenter : CCanvas::kRight, colour);
        }
    }
}

}  // namespace valmore
