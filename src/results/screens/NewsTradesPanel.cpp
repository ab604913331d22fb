#include "results/screens/NewsTradesPanel.h"

#include <algorithm>

#include "platform/Sjis.h"
#include "platform/TextFormat.h"
#include "results/screens/CellText.h"
#include "results/screens/ResultLayout.h"
#include "sim/DayController.h"
#include "ui/Skin.h"
#include "ui/SkinButton.h"

namespace valmore {

namespace {

// The day's trades stop this far before the row's detail button.
constexpr int kDetailButtonGap = 4;

constexpr std::int32_t kBuy = 0;
constexpr std::int32_t kPass = 1;
constexpr std::int32_t kSell = 2;

}  // namespace

bool JudgementMatches(std::int32_t judge, std::int32_t action) {
    switch (judge) {
        case 0:
            return true;
        case 1:
            return action == kBuy;
        case 2:
            return action == kSell;
        case 3:
            return action == kPass;
        case 4:
            return action != kSell;
        case 5:
            return action != kBuy;
        default:
            return false;
    }
}

std::string ActionLabel(std::int32_t action) {
    switch (action) {
        case kBuy:
            return Sj("買い");
        case kPass:
            return Sj("見送り");
        case kSell:
            return Sj("売り");
        default:
            return "----";
    }
}

CNewsTradesPanel::CNewsTradesPanel(IViewHost& owner, const CDayController& controller)
    : CPanel(owner), controller_(controller) {
    backgroundBitmap = ResultLayout::kNewsBackground;
}

void CNewsTradesPanel::Place() {
    const Point at = ResultLayoutFor(owner_.Mode()).newsPanel;
    const CSkin& skin = owner_.Skin();
    SetRect(at.x, at.y, skin.Width(ResultLayout::kNewsBackground), skin.Height(ResultLayout::kNewsBackground));
}

void CNewsTradesPanel::SetButtons(CSkinButton* previous, CSkinButton* next, std::vector<CSkinButton*> details) {
    pages_.SetButtons(previous, next);
    details_ = std::move(details);
}

int CNewsTradesPanel::RowsPerPage() const {
    return ResultLayoutFor(owner_.Mode()).rowsPerPage;
}

int CNewsTradesPanel::EventCount() const {
    const CPlay* play = controller_.Play();
    return play ? play->Scenario().EventCount() : 0;
}

void CNewsTradesPanel::SetPage(int page) {
    pages_.SetPageCount(CPager::PagesFor(EventCount(), RowsPerPage()));
    pages_.SetPage(page);
    ApplyPageRules();
}

void CNewsTradesPanel::ApplyPageRules() {
    const int rows = RowsPerPage();
    const int events = EventCount();
    pages_.SetPageCount(CPager::PagesFor(events, rows));
    for (std::size_t i = 0; i < details_.size(); ++i) {
        if (details_[i]) details_[i]->enabled = pages_.Page() * rows + static_cast<int>(i) < events;
    }
}

NewsDayView CNewsTradesPanel::DayView(const CPlay& play, int event) {
    NewsDayView day;
    day.event = event;
    const CScenario& scenario = play.Scenario();
    if (event < 0 || event >= scenario.EventCount()) return day;
    const ScenarioEvent& news = scenario.events[static_cast<std::size_t>(event)];
    day.headline = news.HeadLine.value_or(std::string());

    const CTradeHistory& history = play.History();
    const int products = std::clamp(play.Market().ProductCount, 0, kMaxProducts);
    for (int p = 0; p < products; ++p) {
        const auto slot = static_cast<std::size_t>(p);
        // A day the history does not hold counts as passed, as the decision score counts it.
        const TradeEntry entry = event < history.DayRecordCount()
                                     ? history.days[static_cast<std::size_t>(event)].products[slot]
                                     : TradeEntry{};
        ProductDayView view;
        view.name = play.Market().Products[slot].name;
        view.action = entry.action;
        view.actionLabel = ActionLabel(entry.action);
        view.matches = JudgementMatches(news.Judge[slot], entry.action);
        if (entry.action != kPass) {
            view.priceText = FormatGrouped(entry.price) + Sj("円 ") + FormatGrouped(entry.quantity) + Sj("株");
        }
        day.products.push_back(std::move(view));
    }
    return day;
}

std::vector<NewsDayView> CNewsTradesPanel::PageRows() const {
    std::vector<NewsDayView> rows;
    const CPlay* play = controller_.Play();
    if (!play) return rows;
    const int perPage = RowsPerPage();
    for (int i = 0; i < perPage; ++i) {
        const int e = pages_.Page() * perPage + i;
        if (e >= play->Scenario().EventCount()) break;
        rows.push_back(DayView(*play, e));
    }
    return rows;
}

Rect CNewsTradesPanel::HeadlineRect(int row) const {
    const ResultLayout& layout = ResultLayoutFor(owner_.Mode());
    const int top =
        inner_.top + layout.newsRowTops[static_cast<std::size_t>(std::clamp(row, 0, layout.rowsPerPage - 1))];
    return Rect{inner_.left, top, inner_.right, top + layout.newsLineHeight};
}

Rect CNewsTradesPanel::TradesRect(int row) const {
    const ResultLayout& layout = ResultLayoutFor(owner_.Mode());
    Rect line = HeadlineRect(row).Offset(0, layout.newsLineHeight);
    // The detail button sits at the end of this line; the trades never run under it.
    line.right = std::min(line.right, layout.firstDetailButton.x - kDetailButtonGap);
    return line;
}

Rect CNewsTradesPanel::ScoreBox() const {
    return ResultLayoutFor(owner_.Mode()).scoreBox.Offset(rect_.left, rect_.top);
}

void CNewsTradesPanel::DrawTrades(CCanvas& dc, int row, const NewsDayView& day) const {
    const CFont* font = owner_.Skin().Font(ResultLayout::kTextFont);
    if (!font) return;
    const Rect line = TradesRect(row);
    CCanvas::ClipGuard clip(dc, line);

    const int spacing = font->TextWidth(Sj("　　"));
    const int actionWidth = font->TextWidth(Sj("０１２３"));
    const int markWidth = font->TextWidth(Sj("○ "));
    const int priceWidth = font->TextWidth(Sj("99,999,999,999円 株 "));
    const std::string right = Sj("○");
    const std::string wrong = Sj("×");
    const Palette& colours = owner_.Skin().Colours();

    int x = line.left;
    for (const ProductDayView& product : day.products) {
        const Rect name{x, line.top, x + font->TextWidth(product.name) + spacing, line.bottom};
        const Rect action{name.right, line.top, name.right + actionWidth, line.bottom};
        const Rect mark{action.right, line.top, action.right + markWidth, line.bottom};
        const Rect price{mark.right, line.top, mark.right + priceWidth, line.bottom};
        DrawCellTextOn(dc, font, product.name, name, CCanvas::kCenter, colours.text, colours.tradeCell);
        DrawCellTextOn(dc, font, product.actionLabel, action, CCanvas::kCenter, colours.text, colours.tradeCell);
        DrawCellTextOn(dc, font, product.matches ? right : wrong, mark, CCanvas::kCenter,
                       product.matches ? colours.rightMark : colours.wrongMark, colours.tradeCell);
        DrawCellTextOn(dc, font, product.priceText, price, CCanvas::kLeft, colours.text, colours.tradeCell);
        // The next product starts after all four cells, also when the price was left out.
        x = price.right;
    }
}

void CNewsTradesPanel::Draw(CCanvas& dc) {
    ApplyPageRules();
    const CSkin& skin = owner_.Skin();
    DrawBackground(dc);
    const Point strip = ResultLayoutFor(owner_.Mode()).newsStrip;
    dc.DrawBitmap(skin.Bitmap(ResultLayout::kNewsStrip), strip.x, strip.y);

    const CPlay* play = controller_.Play();
    if (!play) return;
    if (play->Figures()) {
        DrawCellText(dc, skin.Font(ResultLayout::kNormalFont), std::to_string(play->Figures()->TechnicalScore),
                     ScoreBox(), CCanvas::kRight);
    }

    const std::vector<NewsDayView> rows = PageRows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i);
        const Rect headline = HeadlineRect(row);
        dc.FillSolid(headline, skin.Colours().paper);
        DrawCellText(dc, skin.Font(ResultLayout::kTextFont), rows[i].headline, headline, CCanvas::kLeft);
        DrawTrades(dc, row, rows[i]);
    }
}

}  // namespace valmore
