#pragma once

// The detail popup of the result screen: a day's news detail, its explanation, and the glossary
// entries reached through their link words, with a history that BACK walks.

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "scenario/Glossary.h"
#include "ui/MarkupText.h"
#include "ui/SkinButton.h"
#include "ui/ViewHost.h"

namespace valmore {

class QVDetailDialog : public IModalPopup {
public:
    static constexpr int kSections = 3;  // "詳細", "解説", "用語解説"
    static constexpr int kMaxHistory = 99;
    static constexpr int kResultOk = 1;
    static constexpr int kResultCancel = 2;

    explicit QVDetailDialog(IViewHost& owner);
    ~QVDetailDialog() override;

    // Shows text1 in section 0 and text2 in section 1 (both Shift_JIS markup) under the label; section
    // 2 starts empty. Returns the modal result (OK by its button or Enter, cancel by Escape).
    int Show(std::string text1, std::string text2, std::string label);
    // Makes the entry current and lays its explanation into section 2 at page 0.
    void ShowEntry(const GlossaryEntry& entry, bool resetHistory);

    bool IsOpen() const { return open_; }
    int Page(int section) const { return pages_[static_cast<std::size_t>(section)]; }
    const CMarkupText& Section(int section) const { return texts_[static_cast<std::size_t>(section)]; }
    const GlossaryEntry* CurrentEntry() const { return entry_ ? &*entry_ : nullptr; }
    int HistoryLength() const { return static_cast<int>(history_.size()); }

    // IModalPopup
    Rect Bounds() const override;
    void DrawPopup(CCanvas& canvas) override;
    void OnPopupInput(const InputEvent& event) override;

    CSkinButton& OkButton() { return *ok_; }
    CSkinButton& BackButton() { return *back_; }
    CSkinButton& LeftButton(int section) { return *left_[static_cast<std::size_t>(section)]; }
    CSkinButton& RightButton(int section) { return *right_[static_cast<std::size_t>(section)]; }
    const Rect& TextRect(int section) const { return textRects_[static_cast<std::size_t>(section)]; }
    const Rect& FrameRect(int section) const { return frameRects_[static_cast<std::size_t>(section)]; }
    const Rect& TitleRect(int section) const { return titleRects_[static_cast<std::size_t>(section)]; }

private:
    void PlaceElements();
    void UpdateButtons();
    void OnMouseDown(const InputEvent& event);
    void OnMouseUp(const InputEvent& event);
    void OnMouseMove(const InputEvent& event);
    void FollowLink(int x, int y);
    void Close(int result);
    void DrawSection(CCanvas& canvas, int section);
    void RepaintPopup() const;

    IViewHost& owner_;
    bool open_ = false;
    int result_ = kResultOk;
    std::string label_;
    std::array<std::string, kSections> sources_;
    std::array<CMarkupText, kSections> texts_;
    std::array<int, kSections> pages_{};
    std::array<Rect, kSections> titleRects_{};
    std::array<Rect, kSections> frameRects_{};
    std::array<Rect, kSections> textRects_{};
    std::optional<GlossaryEntry> entry_;
    std::vector<GlossaryEntry> history_;
    std::unique_ptr<CSkinButton> ok_;
    std::unique_ptr<CSkinButton> back_;
    std::array<std::unique_ptr<CSkinButton>, kSections> left_;
    std::array<std::unique_ptr<CSkinButton>, kSections> right_;
};

}  // namespace valmore
