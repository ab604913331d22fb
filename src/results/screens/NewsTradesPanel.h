#pragma once

// The result screen's news and trades panel: the play's days a page at a time, each with its
// headline and, per product, the user's decision marked right or wrong against the scenario's
// judgement, and the decision score in its box. The page and detail buttons belong to the screen;
// the panel keeps them enabled as the page allows.

#include <cstdint>
#include <string>
#include <vector>

#include "ui/Pager.h"
#include "ui/Panel.h"

namespace valmore {

class CDayController;
class CPlay;
class CSkinButton;

// Whether a decision (0 buy, 1 pass, 2 sell) fits the judgement of the day: 0 anything, 1 buy, 2
// sell, 3 pass, 4 anything but sell, 5 anything but buy. Other judgements never fit.
bool JudgementMatches(std::int32_t judge, std::int32_t action);
// "買い", "見送り", "売り", or "----" for anything else (Shift_JIS).
std::string ActionLabel(std::int32_t action);

struct ProductDayView {
    std::string name;  // Shift_JIS
    std::int32_t action = 1;
    std::string actionLabel;
    bool matches = false;
    std::string priceText;  // price and quantity; empty for a pass

    bool operator==(const ProductDayView&) const = default;
};

struct NewsDayView {
    int event = 0;
    std::string headline;
    std::vector<ProductDayView> products;

    bool operator==(const NewsDayView&) const = default;
};

class CNewsTradesPanel : public CPanel {
public:
    CNewsTradesPanel(IViewHost& owner, const CDayController& controller);

    void Place();
    // The screen's buttons this panel enables and disables; the panel does not own them.
    void SetButtons(CSkinButton* previous, CSkinButton* next, std::vector<CSkinButton*> details);

    int RowsPerPage() const;
    int Page() const { return pages_.Page(); }
    // Moves to the page (kept between the first and the last page) and applies the page rules.
    void SetPage(int page);
    // Next enabled while later days exist, previous while not on the first page, a detail button
    // while its row holds a day.
    void ApplyPageRules();
    int EventCount() const;

    // What a day's row shows.
    static NewsDayView DayView(const CPlay& play, int event);
    // The rows of the current page.
    std::vector<NewsDayView> PageRows() const;

    Rect HeadlineRect(int row) const;
    Rect TradesRect(int row) const;
    Rect ScoreBox() const;

    void Draw(CCanvas& dc) override;

private:
    void DrawTrades(CCanvas& dc, int row, const NewsDayView& day) const;

    const CDayController& controller_;
    CPager pages_;
    std::vector<CSkinButton*> details_;
};

}  // namespace valmore
