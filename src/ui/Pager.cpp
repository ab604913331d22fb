#include "ui/Pager.h"

#include <algorithm>

namespace valmore {

int CPager::PagesFor(int items, int perPage) {
    if (perPage <= 0 || items <= 0) return 1;
    return (items - 1) / perPage + 1;
}

void CPager::SetButtons(CSkinButton* previous, CSkinButton* next) {
    previous_ = previous;
    next_ = next;
    UpdateButtons();
}

void CPager::SetPageCount(int count) {
    count_ = std::max(0, count);
    page_ = std::clamp(page_, 0, std::max(0, count_ - 1));
    UpdateButtons();
}

void CPager::SetPage(int page) {
    page_ = std::clamp(page, 0, std::max(0, count_ - 1));
    UpdateButtons();
}

bool CPager::Next() {
    if (!HasNext()) return false;
    ++page_;
    UpdateButtons();
    return true;
}

bool CPager::Previous() {
    if (!HasPrevious()) return false;
    --page_;
    UpdateButtons();
    return true;
}

void CPager::UpdateButtons() {
    if (previous_) previous_->enabled = HasPrevious();
    if (next_) next_->enabled = HasNext();
}

}  // namespace valmore
