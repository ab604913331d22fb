#pragma once

// The message popup: every notice, error and yes/no question of the program. One instance lives for
// the whole run and is reused for every showing; each showing runs a modal loop and returns when one
// of its own buttons closes it. Link words in a notice open their entry in the popup.

#include <functional>
#include <optional>
#include <string>

#include "ui/LinkLookup.h"
#include "ui/PagedText.h"
#include "ui/Popup.h"

namespace valmore {

class QVDialog : public CPopup {
public:
    // What a showing is: it fixes the title, the buttons and how the text is shown.
    enum PopupKind : int {
        kModeGlossary = 2,  // "用語解説", OK; entered from a notice through a link word
        kModeNotice = 3,    // "お知らせ", OK
        kModeQuestion = 4,  // "確認", yes and no
    };
    // The button that closed a showing.
    enum PopupAnswer : int {
        kResultOk = 0,
        kResultYes = 2,
        kResultNo = 3,
    };

    explicit QVDialog(IViewHost& owner);
    ~QVDialog() override;

    // Shows the text (Shift_JIS): yes or no for a question, OK for the other kinds.
    PopupAnswer Show(PopupKind kind, std::string text);

    PopupKind Mode() const { return mode_; }
    // The text of the current showing, as the caller gave it.
    const std::string& Text() const { return text_; }
    int Page() const { return body_.Page(); }
    const CMarkupText& Body() const { return body_.Markup(); }
    const LinkEntry* CurrentEntry() const { return entry_ ? &*entry_ : nullptr; }

    // Closes an open showing as its OK or NO button would (the practice run ends under it).
    void Dismiss();

    // Told before and after every showing (the simulation screen refreshes its panels).
    std::function<void()> onRefreshPanels;

    CSkinButton& Button1() { return *button1_; }
    CSkinButton& Button2() { return *button2_; }
    CSkinButton& LeftButton() { return *pageButtons_.left; }
    CSkinButton& RightButton() { return *pageButtons_.right; }
    const Rect& TextRect() const { return textRect_; }
    const Rect& TitleRect() const { return titleRect_; }

private:
    void PlaceElements();
    void Answer(PopupAnswer answer);
    void DrawContent(CCanvas& canvas) override;
    void OnRelease(int x, int y) override;
    void DrawTitle(CCanvas& canvas) const;
    void DrawBody(CCanvas& canvas);

    PopupKind mode_ = kModeNotice;
    PopupAnswer result_ = kResultOk;
    std::string text_;
    std::optional<LinkEntry> entry_;
    CPagedText body_;
    Rect titleRect_{};
    Rect textRect_{};
    CSkinButton* button1_;
    CSkinButton* button2_;
    PageButtons pageButtons_;
};

}  // namespace valmore
