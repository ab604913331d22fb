#pragma once

// The way back through followed links: what was shown before each link, newest last, with the BACK
// button enabled while there is somewhere to go back to.

#include <optional>
#include <utility>
#include <vector>

#include "ui/SkinButton.h"

namespace valmore {

// How many pages a history keeps.
constexpr int kLinkHistoryCapacity = 99;

template <class Page>
class CLinkHistory {
public:
    static constexpr int kCapacity = kLinkHistoryCapacity;

    // Past the capacity the oldest pages stay and the newest are not kept; the caller still shows
    // the link it followed.
    void Push(Page page) {
        if (Length() < kCapacity) pages_.push_back(std::move(page));
        UpdateBack();
    }
    // The page most recently kept, removed from the history; none when it is empty.
    std::optional<Page> Pop() {
        if (pages_.empty()) return std::nullopt;
        Page page = std::move(pages_.back());
        pages_.pop_back();
        UpdateBack();
        return page;
    }
    void Clear() {
        pages_.clear();
        UpdateBack();
    }

    int Length() const { return static_cast<int>(pages_.size()); }
    bool Empty() const { return pages_.empty(); }

    // The BACK button this history enables and disables; the owner keeps it.
    void SetBackButton(CSkinButton* back) {
        back_ = back;
        UpdateBack();
    }

private:
    void UpdateBack() {
        if (back_) back_->enabled = !pages_.empty();
    }

    std::vector<Page> pages_;
    CSkinButton* back_ = nullptr;
};

}  // namespace valmore
