#pragma once

// The message popup: every notice, error and yes/no question of the program. One instance lives for
// the whole run and is reused for every showing; each showing runs a modal loop and returns when one
// of its own buttons closes it. Link words in a notice open their glossary entry in the popup.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "scenario/Glossary.h"
#include "ui/MarkupText.h"
#include "ui/SkinButton.h"
#include "ui/ViewHost.h"

namespace valmore {

class QVDialog : public IModalPopup {
public:
    static constexpr int kModeGlossary = 2;  // "用語解説", OK
    static constexpr int kModeNotice = 3;    // "お知らせ", OK
    static constexpr int kModeQuestion = 4;  // "確認", yes and no
    static constexpr int kResultOk = 0;
    static constexpr int kResultYes = 2;
    static constexpr int kResultNo = 3;

    explicit QVDialog(IViewHost& owner);
    ~QVDialog() override;

    // Shows the text (Shift_JIS) and returns 2 for yes, 3 for no (mode 4), 0 for OK (other modes).
    int Show(int mode, std::string text);

    bool IsOpen() const { return open_; }
    int Mode() const { return mode_; }
    int Page() const { return page_; }
    const CMarkupText& Body() const { return body_; }
    const GlossaryEntry* CurrentEntry() const { return entry_ ? &*entry_ : nullptr; }

    // The practice run's blinking frame over part of the popup (popup coordinates).
    void SetHighlight(bool on, const Rect& rect = {});
    // The frame shows for the first 7 of every 16 steps of the counter.
    void AdvanceHighlightBlink();
    void SetHighlightBlink(int counter);
    int HighlightBlink() const { return blinkCounter_; }
    bool HighlightOn() const { return highlightOn_; }
    const Rect& HighlightRect() const { return highlightRect_; }

    // Told before and after every showing (the simulation screen refreshes its panels).
    std::function<void()> onRefreshPanels;

    // IModalPopup
    Rect Bounds() const override;
    void DrawPopup(CCanvas& canvas) override;
    void OnPopupInput(const InputEvent& event) override;

    CSkinButton& Button1() { return *button1_; }
    CSkinButton& Button2() { return *button2_; }
    CSkinButton& LeftButton() { return *left_; }
    CSkinButton& RightButton() { return *right_; }
    const Rect& TextRect() const { return textRect_; }
    const Rect& TitleRect() const { return titleRect_; }

private:
    void PlaceElements();
    void LayOut(const std::string& text);
    void UpdatePageButtons();
    void OnMouseDown(const InputEvent& event);
    void OnMouseUp(const InputEvent& event);
    void OnMouseMove(const InputEvent& event);
    void FollowLink(int x, int y);
    void DrawTitle(CCanvas& canvas) const;
    void DrawBody(CCanvas& canvas);
    void DrawHighlight(CCanvas& canvas) const;
    void RepaintPopup() const;

    IViewHost& owner_;
    bool open_ = false;
    int mode_ = kModeNotice;
    int page_ = 0;
    int result_ = kResultOk;
    std::string text_;
    std::optional<GlossaryEntry> entry_;
    CMarkupText body_;
    Rect titleRect_{};
    Rect textRect_{};
    bool highlightOn_ = false;
    Rect highlightRect_{};
    int blinkCounter_ = 0;
    std::unique_ptr<CSkinButton> button1_;
    std::unique_ptr<CSkinButton> button2_;
    std::unique_ptr<CSkinButton> left_;
    std::unique_ptr<CSkinButton> right_;
};

}  // namespace valmore
