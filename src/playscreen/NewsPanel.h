#pragma once

// The news panel at the upper right of the simulation screen. It lists the headlines delivered so far,
// newest first, in pages, or shows the detail text of one chosen day in pages; glossary words in a
// detail text are links. While a day's news arrives it pulses a "latest news" label, and before the
// first day and after the last it shows a one-line announcement.

#include <functional>
#include <string>

#include "ui/LinkLookup.h"
#include "ui/PagedText.h"
#include "ui/Pager.h"
#include "ui/Panel.h"
#include "ui/SkinButton.h"

namespace valmore {

class CDayController;
class CScenario;

class CNewsPanel : public CPanel {
public:
    enum View { kListView = 0, kDetailView = 1 };
    static constexpr int kRowHeight = 20;
    // Red and green-blue of the pulsing label cycle through these, one step per controller tick.
    static constexpr int kPulseSteps = 8;

    CNewsPanel(IViewHost& owner, const CDayController& controller);

    // Places the panel and works out its list and text areas and the rows per page.
    void SetRect(int x, int y, int width, int height) override;
    // Only when dirty: the background and what the controller's state calls for.
    void Draw(CCanvas& dc) override;
    // In the list view a release on a headline opens its detail; in the detail view a release on a
    // link word hands its entry to onGlossaryLink.
    void OnMouseUp(unsigned flags, int x, int y) override;

    // The next-page, list and previous-page buttons (owned by the screen); the panel handles their clicks.
    void SetButtons(CSkinButton* next, CSkinButton* list, CSkinButton* prev);

    // A new play: list view, newest page, first event.
    void ResetNews();
    // Enables and disables the three buttons for the controller's state and the view.
    void UpdateNewsButtons();
    // The controller's choice of the day whose news is current.
    void SetSelectedEvent(int eventIndex);
    // Back to the headline list (a new day begins).
    void ShowListView();

    // The button actions.
    void NextPage();
    void PreviousPage();
    void BackToList();

    // Told the entry of a link word clicked in a detail text.
    std::function<void(const LinkEntry&)> onGlossaryLink;

    int CurrentView() const { return view_; }
    int SelectedEvent() const { return selectedEvent_; }
    int ListPage() const { return listPages_.Page(); }
    int DetailPage() const { return detail_.Page(); }
    int RowsPerPage() const { return rowsPerPage_; }
    // The list rectangle runs the panel's full width below its heading; the inner rectangle (the
    // text area) is the same with a margin on either side.
    const Rect& ListRect() const { return listRect_; }
    const CMarkupText& Markup() const { return detail_.Markup(); }
    // The row rectangle of row k of the list.
    Rect RowRect(int row) const;
    // The colour of the pulsing label at a controller tick count.
    static Rgb PulseColour(int ticks);

private:
    const CScenario* Scenario() const;
    void DrawCentredLine(CCanvas& dc, const std::string& sjis, Rgb colour) const;
    void DrawHeadlines(CCanvas& dc, const CScenario& scenario, int firstRow) const;
    // The headline list's pages: one headline for every day delivered so far.
    void CountListPages();

    const CDayController& controller_;
    CSkinButton* next_ = nullptr;
    CSkinButton* list_ = nullptr;
    CSkinButton* prev_ = nullptr;

    int selectedEvent_ = 0;
    int view_ = kListView;
    int rowsPerPage_ = 0;
    Rect listRect_{};
    CPager listPages_;
    CPagedText detail_;
};

}  // namespace valmore
