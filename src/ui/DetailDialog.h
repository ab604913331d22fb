#pragma once

// The detail popup of the result screen: a day's news detail, its explanation, and the entries
// reached through their link words, with a history that BACK walks.

#include <array>
#include <optional>
#include <string>

#include "ui/LinkHistory.h"
#include "ui/LinkLookup.h"
#include "ui/PagedText.h"
#include "ui/Popup.h"

namespace valmore {

class QVDetailDialog : public CPopup {
public:
    static constexpr int kSections = 3;  // "詳細", "解説", "用語解説"
    static constexpr int kMaxHistory = kLinkHistoryCapacity;
    // How a showing was closed.
    enum DetailAnswer : int {
        kResultOk = 1,      // by OK or Enter
        kResultCancel = 2,  // by Escape
    };

    explicit QVDetailDialog(IViewHost& owner);
    ~QVDetailDialog() override;

    // Shows text1 in section 0 and text2 in section 1 (both Shift_JIS markup) under the label; section
    // 2 starts empty. Returns the modal result (OK by its button or Enter, cancel by Escape).
    DetailAnswer Show(std::string text1, std::string text2, std::string label);
    // Makes the entry current and lays its explanation into section 2 at page 0.
    void ShowEntry(const LinkEntry& entry, bool resetHistory);

    int Page(int section) const { return Text(section).Page(); }
    const CMarkupText& Section(int section) const { return Text(section).Markup(); }
    const LinkEntry* CurrentEntry() const { return entry_ ? &*entry_ : nullptr; }
    int HistoryLength() const { return history_.Length(); }

    CSkinButton& OkButton() { return *ok_; }
    CSkinButton& BackButton() { return *back_; }
    CSkinButton& LeftButton(int section) { return *pageButtons_[static_cast<std::size_t>(section)].left; }
    CSkinButton& RightButton(int section) { return *pageButtons_[static_cast<std::size_t>(section)].right; }
    const Rect& TextRect(int section) const { return textRects_[static_cast<std::size_t>(section)]; }
    const Rect& FrameRect(int section) const { return frameRects_[static_cast<std::size_t>(section)]; }
    const Rect& TitleRect(int section) const { return titleRects_[static_cast<std::size_t>(section)]; }

private:
    const CPagedText& Text(int section) const { return texts_[static_cast<std::size_t>(section)]; }
    void PlaceElements();
    void Back();
    void DrawContent(CCanvas& canvas) override;
    void OnRelease(int x, int y) override;
    void OnKey(int key) override;
    void Finish(DetailAnswer result);
    void DrawSection(CCanvas& canvas, int section);

    DetailAnswer result_ = kResultOk;
    std::string label_;
    std::array<std::string, kSections> sources_;
    std::array<CPagedText, kSections> texts_;
    std::array<Rect, kSections> titleRects_{};
    std::array<Rect, kSections> frameRects_{};
    std::array<Rect, kSections> textRects_{};
    std::optional<LinkEntry> entry_;
    CLinkHistory<LinkEntry> history_;
    CSkinButton* ok_;
    CSkinButton* back_;
    std::array<PageButtons, kSections> pageButtons_{};
};

}  // namespace valmore
