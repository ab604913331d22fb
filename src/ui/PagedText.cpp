#include "ui/PagedText.h"

namespace valmore {

void CPagedText::Layout(const IMarkupSkin& skin, std::string_view text, const Rect& area) {
    markup_.Layout(skin, text, area);
    pager_.SetPageCount(markup_.PageCount());
    pager_.SetPage(0);
}

void CPagedText::Reset() {
    markup_.Reset();
    pager_.SetPageCount(0);
}

void CPagedText::Draw(CCanvas& canvas, const IMarkupSkin& skin, const Rect& area) {
    markup_.Draw(canvas, skin, area, pager_.Page());
}

std::optional<std::string> CPagedText::FindLink(int x, int y) const {
    return markup_.FindLink(pager_.Page(), x, y);
}

}  // namespace valmore
