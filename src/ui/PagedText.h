#pragma once

// A markup text shown a page at a time, with the page buttons that turn it. The message popup, the
// detail popup and the panels that show markup all page their texts through it.

#include <optional>
#include <string>
#include <string_view>

#include "ui/MarkupText.h"
#include "ui/Pager.h"

namespace valmore {

class CPagedText {
public:
    // Lays the text out for the area (its left, right and top; see CMarkupText) and shows page 0.
    void Layout(const IMarkupSkin& skin, std::string_view text, const Rect& area);
    // No pages at all, so the page buttons lead nowhere.
    void Reset();

    // The page shown, clipped to the area.
    void Draw(CCanvas& canvas, const IMarkupSkin& skin, const Rect& area);
    // The key of the link under the point on the page shown.
    std::optional<std::string> FindLink(int x, int y) const;

    void SetButtons(CSkinButton* previous, CSkinButton* next) { pager_.SetButtons(previous, next); }
    bool NextPage() { return pager_.Next(); }
    bool PreviousPage() { return pager_.Previous(); }
    void SetPage(int page) { pager_.SetPage(page); }

    int Page() const { return pager_.Page(); }
    int PageCount() const { return pager_.PageCount(); }
    const CPager& Pager() const { return pager_; }
    const CMarkupText& Markup() const { return markup_; }

private:
    CMarkupText markup_;
    CPager pager_;
};

}  // namespace valmore
