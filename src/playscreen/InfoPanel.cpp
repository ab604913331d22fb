#include "playscreen/InfoPanel.h"

#include <array>
#include <utility>

#include "platform/Sjis.h"
#include "sim/DayController.h"
#include "ui/Skin.h"

namespace valmore {

namespace {

constexpr int kBackground = kSkinInfoPanel;
constexpr int kTextFont = 10;
constexpr int kHeadingFont = 12;

// Per resolution mode (XGA, SXGA): the three vertical marks of the panel (title top, text top, text
// bottom) and the side margin of the text, all from the panel's corner.
struct InfoLayout {
    int titleTop;
    int textTop;
    int textBottom;
    int margin;
};
constexpr std::array<InfoLayout, 2> kLayout{{
    {35, 65, 180, 8},
    {43, 83, 291, 10},
}};

// Places inside the title area, the same in both modes.
constexpr int kTitleTextDown = 5;  // the title word below the area's top
constexpr int kRuleUp = 10;        // the rule above the area's bottom
constexpr int kHeadingLeft = 80;   // the keyword or company name right of the title word
constexpr int kHeadingDown = 2;
constexpr int kSecondKeywordGap = 96;  // KEYWORD1 starts this far right of KEYWORD0's width

}  // namespace

CInfoPanel::CInfoPanel(IViewHost& owner, const CDayController& controller) : CPanel(owner), controller_(controller) {
    backgroundBitmap = kBackground;
}

void CInfoPanel::SetRect(int x, int y, int width, int height) {
    CPanel::SetRect(x, y, width, height);
    const InfoLayout& l = kLayout[owner_.Mode() == kModeSxga ? 1 : 0];
    textArea_ = Rect{x + l.margin, y + l.textTop, x + width - l.margin, y + l.textBottom};
    drawArea_ = Rect{x, y + l.textTop, x + width - 1, y + l.textBottom};
    titleArea_ = Rect{textArea_.left, y + l.titleTop, textArea_.right, y + l.textTop};
}

void CInfoPanel::SetButtons(CSkinButton* next, CSkinButton* prev, CSkinButton* back) {
    if (next) next->onClick = [this](unsigned, int, int, CSkinButton&) { NextPage(); };
    if (prev) prev->onClick = [this](unsigned, int, int, CSkinButton&) { PreviousPage(); };
    if (back) back->onClick = [this](unsigned, int, int, CSkinButton&) { Back(); };
    paged_.SetButtons(prev, next);
    history_.SetBackButton(back);
}

void CInfoPanel::ResetInfo() {
    paged_.Reset();
    history_.Clear();
    // A new play must not open with the last play's text over an empty layout.
    kind_ = kNothing;
    text_.clear();
    entry_ = LinkEntry{};
    headingName_.clear();
    dirty = true;
}

void CInfoPanel::ClearInfo() {
    Show(Shown{}, true);
}

void CInfoPanel::ShowTradeLog(const std::string& markup) {
    Shown content;
    content.kind = markup.empty() ? kNothing : kTradeLog;
    content.text = markup;
    Show(std::move(content), false);
}

void CInfoPanel::ShowGlossaryEntry(const LinkEntry& entry) {
    Shown content;
    content.kind = kGlossary;
    content.text = entry.detail;
    content.entry = entry;
    Show(std::move(content), true);
}

void CInfoPanel::ShowCompanyInfo(int product) {
    const CPlay* play = controller_.Play();
    if (!play || !play->Market().HasProduct(product)) return;
    const MarketProduct& p = play->Market().Products[static_cast<std::size_t>(product)];
    if (p.info == 0) return;
    const std::optional<std::string>& text = play->PrdInfo()[p.info];
    if (!text) return;
    Shown content;
    content.kind = kCompany;
    content.text = *text;
    content.headingName = p.name;
    Show(std::move(content), true);
}

void CInfoPanel::Show(Shown content, bool clearHistory) {
    kind_ = content.kind;
    text_ = std::move(content.text);
    entry_ = std::move(content.entry);
    headingName_ = std::move(content.headingName);
    if (clearHistory) history_.Clear();
    // An empty panel keeps no pages, so its page buttons cannot lead into the text shown before.
    if (kind_ == kNothing) {
        paged_.Reset();
    } else {
        paged_.Layout(owner_.Skin(), text_, textArea_);
    }
    dirty = true;
}

void CInfoPanel::Changed() {
    Invalidate();
    dirty = true;
}

void CInfoPanel::NextPage() {
    if (paged_.NextPage()) Changed();
}

void CInfoPanel::PreviousPage() {
    if (paged_.PreviousPage()) Changed();
}

void CInfoPanel::Back() {
    std::optional<Shown> previous = history_.Pop();
    if (!previous) return;
    Show(std::move(*previous), false);
    Invalidate();
}

void CInfoPanel::OnMouseUp(unsigned, int x, int y) {
    if (kind_ != kGlossary && kind_ != kCompany) return;
    const std::optional<std::string> key = paged_.FindLink(x, y);
    if (!key) return;
    std::optional<LinkEntry> found = owner_.Links().FindLinkEntry(*key);
    if (!found) return;
    history_.Push(Shown{kind_, text_, entry_, headingName_});
    Shown content;
    content.kind = kGlossary;
    content.text = found->detail;
    content.entry = std::move(*found);
    Show(std::move(content), false);
    Invalidate();
}

void CInfoPanel::Draw(CCanvas& dc) {
    if (!dirty) return;
    dirty = false;
    DrawBackground(dc);
    if (kind_ == kNothing) return;

    const CSkin& skin = owner_.Skin();
    CCanvas::FontGuard font(dc, skin.Font(kTextFont));
    dc.SetTextColour(skin.Colours().text);
    dc.SetBackgroundMode(BackgroundMode::Transparent);
    dc.SetTextAlign(HAlign::Left, VAlign::Top);

    const int ruleY = titleArea_.bottom - kRuleUp;
    const Point titlePoint{titleArea_.left, titleArea_.top + kTitleTextDown};
    const Point headingPoint{titleArea_.left + kHeadingLeft, titleArea_.top + kHeadingDown};
    dc.SelectPen(Pen{PenStyle::Solid, 2, skin.Colours().frame});
    const int middle = (titleArea_.left + titleArea_.right) / 2;
    switch (kind_) {
        case kTradeLog:
            dc.TextOut(titlePoint.x, titlePoint.y, Sj("約定情報"));
            dc.Line({titleArea_.left, ruleY}, {middle, ruleY});
            break;
        case kGlossary: {
            dc.TextOut(titlePoint.x, titlePoint.y, Sj("用語解説"));
            dc.SelectPen(Pen{PenStyle::Solid, 1, skin.Colours().rule});
            dc.Line({titleArea_.left, ruleY}, {titleArea_.right, ruleY});
            const std::string keyword = entry_.keyword0.value_or(std::string());
            int keywordWidth = 0;
            {
                CCanvas::FontGuard large(dc, skin.Font(kHeadingFont));
                dc.TextOut(headingPoint.x, headingPoint.y, keyword);
                keywordWidth = dc.TextExtent(keyword).width;
            }
            if (entry_.keyword1 && !entry_.keyword1->empty()) {
                dc.TextOut(titleArea_.left + keywordWidth + kSecondKeywordGap, headingPoint.y, *entry_.keyword1);
            }
            break;
        }
        case kCompany: {
            dc.TextOut(titlePoint.x, titlePoint.y, Sj("会社情報"));
            dc.Line({titleArea_.left, ruleY}, {middle, ruleY});
            CCanvas::FontGuard large(dc, skin.Font(kHeadingFont));
            dc.TextOut(headingPoint.x, headingPoint.y, headingName_);
            break;
        }
        default:
            break;
    }
    paged_.Draw(dc, skin, drawArea_);
}

}  // namespace valmore
