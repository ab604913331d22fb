#pragma once

// A page index over a number of pages, with the previous-page button enabled above the first page
// and the next-page button below the last. Texts in pages and lists in pages both turn through it.

#include "ui/SkinButton.h"

namespace valmore {

class CPager {
public:
    // The pages that items take at perPage to a page: at least one, and exactly one when no item
    // fits on a page, so there is never a page to turn to.
    static int PagesFor(int items, int perPage);

    // The buttons this pager enables and disables; the owner keeps them. Either may be null.
    void SetButtons(CSkinButton* previous, CSkinButton* next);

    // Keeps the current page within the new count (0 pages leave page 0).
    void SetPageCount(int count);
    // Moves to the page, kept between the first and the last.
    void SetPage(int page);
    // One page on or back; false, and nothing changes, at the end.
    bool Next();
    bool Previous();

    int Page() const { return page_; }
    int PageCount() const { return count_; }
    bool HasPrevious() const { return page_ > 0; }
    bool HasNext() const { return page_ < count_ - 1; }

private:
    void UpdateButtons();

    int page_ = 0;
    int count_ = 0;
    CSkinButton* previous_ = nullptr;
    CSkinButton* next_ = nullptr;
};

}  // namespace valmore
