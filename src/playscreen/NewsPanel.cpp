#include "playscreen/NewsPanel.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Sjis.h"
#include "sim/DayController.h"
#include "ui/Skin.h"

namespace valmore {

namespace {

constexpr int kBackground = kSkinNewsPanel;
constexpr int kFont = 11;
constexpr int kLineDown = 4;  // the announcement and the label below the list's top
constexpr std::array<int, CNewsPanel::kPulseSteps> kPulse{255, 192, 128, 64, 0, 32, 96, 160};

// Per resolution mode (XGA, SXGA): where the list starts below the panel's top, and the side margin
// of the text area.
struct NewsLayout {
    int listTop;
    int margin;
};
constexpr std::array<NewsLayout, 2> kLayout{{
    {35, 8},
    {54, 10},
}};

}  // namespace

CNewsPanel::CNewsPanel(IViewHost& owner, const CDayController& controller) : CPanel(owner), controller_(controller) {
    backgroundBitmap = kBackground;
    lineHeight = kRowHeight;
    ResetNews();
}

void CNewsPanel::SetRect(int x, int y, int width, int height) {
    CPanel::SetRect(x, y, width, height);
    const NewsLayout& l = kLayout[owner_.Mode() == kModeSxga ? 1 : 0];
    listRect_ = Rect{x, y + l.listTop, x + width - 1, y + height};
    inner_ = Rect{x + l.margin, listRect_.top, x + width - l.margin, listRect_.bottom};
    rowsPerPage_ = std::max(0, inner_.Height() / kRowHeight);
}

Rect CNewsPanel::RowRect(int row) const {
    return Rect{inner_.left, inner_.top + kRowHeight * row, inner_.right, inner_.top + kRowHeight * (row + 1)};
}

Rgb CNewsPanel::PulseColour(int ticks) {
    const int step = ((ticks % kPulseSteps) + kPulseSteps) % kPulseSteps;
    const auto c = static_cast<std::uint8_t>(kPulse[static_cast<std::size_t>(step)]);
    return Rgb{255, c, c};
}

const CScenario* CNewsPanel::Scenario() const {
    const CPlay* play = controller_.Play();
    return play ? &play->Scenario() : nullptr;
}

void CNewsPanel::SetButtons(CSkinButton* next, CSkinButton* list, CSkinButton* prev) {
    next_ = next;
    list_ = list;
    prev_ = prev;
    if (next_) next_->onClick = [this](unsigned, int, int, CSkinButton&) { NextPage(); };
    if (list_) list_->onClick = [this](unsigned, int, int, CSkinButton&) { BackToList(); };
    if (prev_) prev_->onClick = [this](unsigned, int, int, CSkinButton&) { PreviousPage(); };
}

void CNewsPanel::ResetNews() {
    selectedEvent_ = 0;
    listPages_.SetPageCount(0);
    view_ = kListView;
    detail_.Reset();
    dirty = true;
}

void CNewsPanel::CountListPages() {
    const CPlay* play = controller_.Play();
    const int current = play ? play->CurrentEventListIndex() : 0;
    listPages_.SetPageCount(CPager::PagesFor(current + 1, rowsPerPage_));
}

void CNewsPanel::SetSelectedEvent(int eventIndex) {
    selectedEvent_ = eventIndex;
}

void CNewsPanel::ShowListView() {
    view_ = kListView;
    dirty = true;
}

void CNewsPanel::UpdateNewsButtons() {
    const auto setEnabled = [](CSkinButton* button, bool enabled) {
        if (button) button->enabled = enabled;
    };
    const auto state = controller_.GetState();
    if (state == CDayController::kDay) {
        if (list_) list_->pressed = view_ == kListView;
        if (controller_.GetSubState() != CDayController::kOrders) {
            setEnabled(next_, false);
            setEnabled(list_, false);
            setEnabled(prev_, false);
            detail_.SetPage(0);
        } else if (view_ == kListView) {
            CountListPages();
            setEnabled(list_, false);
            setEnabled(prev_, listPages_.HasPrevious());
            setEnabled(next_, listPages_.HasNext());
        } else {
            setEnabled(list_, true);
            setEnabled(prev_, detail_.Pager().HasPrevious());
            setEnabled(next_, detail_.Pager().HasNext());
        }
    } else if (state == CDayController::kOpening || state == CDayController::kFinishing) {
        setEnabled(next_, false);
        setEnabled(list_, false);
        setEnabled(prev_, false);
        dirty = true;
    }
}

void CNewsPanel::NextPage() {
    if (view_ == kListView) {
        CountListPages();
        listPages_.Next();
    } else {
        detail_.NextPage();
    }
    UpdateNewsButtons();
    dirty = true;
}

void CNewsPanel::PreviousPage() {
    if (view_ == kListView) {
        listPages_.Previous();
    } else {
        detail_.PreviousPage();
    }
    UpdateNewsButtons();
    dirty = true;
}

void CNewsPanel::BackToList() {
    if (view_ != kDetailView) {
        // The list button is a toggle; in the list view it stays pressed.
        if (list_) list_->pressed = true;
        return;
    }
    view_ = kListView;
    UpdateNewsButtons();
    dirty = true;
    detail_.SetPage(0);
}

void CNewsPanel::OnMouseUp(unsigned, int x, int y) {
    if (controller_.GetState() != CDayController::kDay) return;
    const CScenario* scenario = Scenario();
    if (!scenario) return;
    const int current = scenario->CurrentEventListIndex;

    if (view_ == kListView) {
        if (!inner_.Contains(x, y)) return;
        const int row = (y - inner_.top) / kRowHeight;
        // The strip below the last full row shows no headline, so it opens none.
        if (row >= rowsPerPage_) return;
        const int e = current - row - listPages_.Page() * rowsPerPage_;
        if (e < 0 || e > current || e >= scenario->EventCount()) return;
        selectedEvent_ = e;
        view_ = kDetailView;
        detail_.Layout(owner_.Skin(), scenario->events[static_cast<std::size_t>(e)].Detail.value_or(std::string()),
                       inner_);
        UpdateNewsButtons();
        dirty = true;
        return;
    }

    // Links are live only while the detail text is on screen.
    if (controller_.GetSubState() != CDayController::kOrders) return;
    const std::optional<std::string> key = detail_.FindLink(x, y);
    if (!key) return;
    const std::optional<LinkEntry> entry = owner_.Links().FindLinkEntry(*key);
    if (entry && onGlossaryLink) onGlossaryLink(*entry);
}

void CNewsPanel::DrawCentredLine(CCanvas& dc, const std::string& sjis, Rgb colour) const {
    const Rgb oldColour = dc.SetTextColour(colour);
    const HAlign oldH = dc.TextHAlign();
    const VAlign oldV = dc.TextVAlign();
    dc.SetTextAlign(HAlign::Center, VAlign::Top);
    dc.TextOut((inner_.left + inner_.right) / 2, inner_.top + kLineDown, sjis);
    dc.SetTextAlign(oldH, oldV);
    dc.SetTextColour(oldColour);
}

void CNewsPanel::DrawHeadlines(CCanvas& dc, const CScenario& scenario, int firstRow) const {
    const Rgb oldColour = dc.SetTextColour(owner_.Skin().Colours().text);
    const int current = scenario.CurrentEventListIndex;
    for (int k = firstRow; k < rowsPerPage_; ++k) {
        const int e = current - listPages_.Page() * rowsPerPage_ - k;
        if (e < 0) break;
        if (e >= scenario.EventCount()) continue;
        const auto& headline = scenario.events[static_cast<std::size_t>(e)].HeadLine;
        if (!headline) continue;
        dc.DrawText(*headline, RowRect(k),
                    CCanvas::kLeft | CCanvas::kVCenter | CCanvas::kSingleLine | CCanvas::kEndEllipsis);
    }
    dc.SetTextColour(oldColour);
}

void CNewsPanel::Draw(CCanvas& dc) {
    if (!dirty) return;
    dirty = false;
    DrawBackground(dc);

    const CSkin& skin = owner_.Skin();
    CCanvas::FontGuard font(dc, skin.Font(kFont));
    dc.SetBackgroundMode(BackgroundMode::Transparent);
    const auto state = controller_.GetState();
    const auto subState = controller_.GetSubState();
    const CScenario* scenario = Scenario();

    if (state == CDayController::kOpening) {
        DrawCentredLine(dc, Sj("シミュレーション スタート"), skin.Colours().announcement);
    } else if (state == CDayController::kFinishing) {
        DrawCentredLine(dc, Sj("シミュレーション 終了"), skin.Colours().announcement);
    } else if (state == CDayController::kDay && scenario) {
        const bool newsArriving = subState == CDayController::kNews;
        if (newsArriving) DrawCentredLine(dc, Sj("最新ニュース"), PulseColour(controller_.Ticks()));
        if (view_ == kListView) {
            DrawHeadlines(dc, *scenario, newsArriving ? 1 : 0);
        } else if (newsArriving) {
            detail_.SetPage(0);
        } else if (subState == CDayController::kOrders) {
            dc.SetTextAlign(HAlign::Left, VAlign::Top);
            detail_.Draw(dc, skin, listRect_);
        }
    }
}

}  // namespace valmore
