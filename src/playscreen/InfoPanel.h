#pragma once

// The information panel at the lower left of the simulation screen. It shows one text at a time under
// a title: the log of the orders just executed, a glossary explanation or a company's information.
// The texts are laid out in pages; glossary words in an explanation or a company text are links, and
// following one keeps the page it came from in a back history of up to 99 entries.

#include <string>
#include <vector>

#include "ui/LinkHistory.h"
#include "ui/LinkLookup.h"
#include "ui/PagedText.h"
#include "ui/Panel.h"
#include "ui/SkinButton.h"

namespace valmore {

class CDayController;

class CInfoPanel : public CPanel {
public:
    enum ContentKind { kNothing = 0, kTradeLog = 1, kGlossary = 2, kCompany = 3 };
    static constexpr int kMaxHistory = kLinkHistoryCapacity;

    CInfoPanel(IViewHost& owner, const CDayController& controller);

    // Places the panel and works out its title and text areas.
    void SetRect(int x, int y, int width, int height) override;
    // Only when dirty: the background, the title of the kind shown and the current page.
    void Draw(CCanvas& dc) override;
    // A release over a link of a glossary or company text opens that word's explanation.
    void OnMouseUp(unsigned flags, int x, int y) override;

    // The next-page, previous-page and back buttons (owned by the screen); the panel handles their clicks.
    void SetButtons(CSkinButton* next, CSkinButton* prev, CSkinButton* back);

    // A new play: no text, no pages, no history.
    void ResetInfo();
    // Empties the panel and its history (a play starts or resumes).
    void ClearInfo();
    // The day's trade log; an empty text empties the panel. The history stays as it is.
    void ShowTradeLog(const std::string& markup);
    // A glossary word's explanation, with a fresh history (a news link).
    void ShowGlossaryEntry(const LinkEntry& entry);
    // The company information text of a product, with a fresh history (its INFO button). Nothing happens
    // for a product without an information text.
    void ShowCompanyInfo(int product);
    // The width of the text area, which the trade log's columns are laid out for.
    int TextWidth() const { return textArea_.Width(); }

    // The button actions.
    void NextPage();
    void PreviousPage();
    void Back();

    int Kind() const { return kind_; }
    int Page() const { return paged_.Page(); }
    int PageCount() const { return paged_.PageCount(); }
    int HistoryDepth() const { return history_.Length(); }
    const std::string& Text() const { return text_; }
    const LinkEntry& Entry() const { return entry_; }
    const std::string& HeadingName() const { return headingName_; }
    const CMarkupText& Markup() const { return paged_.Markup(); }
    const Rect& TextArea() const { return textArea_; }
    const Rect& TitleArea() const { return titleArea_; }

private:
    struct Shown {
        int kind = kNothing;
        std::string text;
        LinkEntry entry;
        std::string headingName;
    };

    // Replaces what the panel shows, optionally forgetting the history, and lays the text out.
    void Show(Shown content, bool clearHistory);
    void Changed();

    const CDayController& controller_;

    int kind_ = kNothing;
    std::string text_;
    LinkEntry entry_;
    std::string headingName_;
    CPagedText paged_;
    CLinkHistory<Shown> history_;

    Rect textArea_{};
    Rect drawArea_{};
    Rect titleArea_{};
};

}  // namespace valmore
