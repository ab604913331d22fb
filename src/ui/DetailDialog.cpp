#include "ui/DetailDialog.h"

#include <utility>

#include "platform/Canvas.h"
#include "platform/Sjis.h"
#include "ui/PopupLayout.h"
#include "ui/Skin.h"

namespace valmore {

namespace {

constexpr int kBackgroundBitmap = kSkinDetailPopup;  // the popup takes its size
constexpr int kGlossarySection = 2;

constexpr int kButtonRowY = DetailPopupLayout::kButtonRowY;
static_assert(DetailPopupLayout::kSections == QVDetailDialog::kSections);

constexpr int kTitleFont = 10;
constexpr int kLabelFont = 10;
constexpr int kSecondKeywordFont = 8;

const DetailPopupLayout& LayoutFor(int mode) {
    return kDetailPopupLayouts[ModeOf(mode)];
}

}  // namespace

QVDetailDialog::QVDetailDialog(IViewHost& owner)
    : CPopup(owner, kBackgroundBitmap),
      ok_(AddButton(kSkinOkUp, kSkinOkDn)),
      back_(AddButton(kSkinGreyBackUp, kSkinGreyBackDn, kSkinGreyBackNon)) {
    ok_->onClick = [this](unsigned, int, int, CSkinButton&) { Finish(kResultOk); };
    back_->onClick = [this](unsigned, int, int, CSkinButton&) { Back(); };
    history_.SetBackButton(back_);
    for (std::size_t s = 0; s < kSections; ++s) pageButtons_[s] = AddPageButtons(texts_[s]);
    PlaceElements();
}

QVDetailDialog::~QVDetailDialog() = default;

void QVDetailDialog::PlaceElements() {
    const CSkin& skin = owner_.Skin();
    const DetailPopupLayout& g = LayoutFor(owner_.Mode());
    const Size ok = skin.BitmapSize(kSkinOkUp);
    ok_->SetRect(g.okX, kButtonRowY, ok.width, ok.height);
    // BACK takes the size of the OK picture, whatever its own pictures measure.
    back_->SetRect(g.okX, 2 * g.rowStep + kButtonRowY, ok.width, ok.height);

    for (int i = 0; i < kSections; ++i) {
        const auto s = static_cast<std::size_t>(i);
        PlacePageButtons(pageButtons_[s], g.leftX, g.rightX, i * g.rowStep + kButtonRowY);

        const Point o = g.origins[s];
        const int top = o.y + g.titleHeight + 3;
        frameRects_[s] = {o.x, top, o.x + g.areaWidth - 1, o.y + g.areaHeight};
        textRects_[s] = {o.x + g.margin, top, o.x + g.areaWidth - g.margin, o.y + g.areaHeight};
        titleRects_[s] = {textRects_[s].left, o.y, textRects_[s].right, o.y + g.titleHeight};
    }
}

QVDetailDialog::DetailAnswer QVDetailDialog::Show(std::string text1, std::string text2, std::string label) {
    PlaceElements();
    label_ = std::move(label);
    sources_[0] = std::move(text1);
    sources_[1] = std::move(text2);
    sources_[kGlossarySection].clear();
    for (std::size_t s = 0; s < kGlossarySection; ++s) texts_[s].Layout(owner_.Skin(), sources_[s], textRects_[s]);
    texts_[kGlossarySection].Reset();
    entry_.reset();
    history_.Clear();

    // When the program quits during the loop nobody confirmed anything.
    result_ = kResultCancel;
    RunShowing();
    return result_;
}

void QVDetailDialog::ShowEntry(const LinkEntry& entry, bool resetHistory) {
    if (resetHistory) history_.Clear();
    entry_ = entry;
    sources_[kGlossarySection] = entry_->detail;
    texts_[kGlossarySection].Layout(owner_.Skin(), sources_[kGlossarySection], textRects_[kGlossarySection]);
    if (IsOpen()) RepaintPopup();
}

void QVDetailDialog::Back() {
    std::optional<LinkEntry> previous = history_.Pop();
    if (!previous) return;
    ShowEntry(*previous, false);
    owner_.InvalidateAll();
}

void QVDetailDialog::Finish(DetailAnswer result) {
    result_ = result;
    Close();
}

void QVDetailDialog::OnKey(int key) {
    if (key == kKeyEnter) Finish(kResultOk);
    if (key == kKeyEscape) Finish(kResultCancel);
}

void QVDetailDialog::OnRelease(int x, int y) {
    for (int i = 0; i < kSections; ++i) {
        const auto s = static_cast<std::size_t>(i);
        // Only what is drawn can be clicked: a text running past its frame is cut off there, and
        // its hidden characters must not answer clicks meant for the section below.
        if (!frameRects_[s].Contains(x, y)) continue;
        const std::optional<std::string> key = texts_[s].FindLink(x, y);
        if (!key) return;
        std::optional<LinkEntry> found = owner_.Links().FindLinkEntry(*key);
        // A word the lookup does not know changes nothing, not even the history.
        if (!found) return;
        // Links inside an explanation lead further, so BACK must find the way back; links in the
        // news texts start over from what they show and leave the history alone.
        if (i == kGlossarySection && entry_) history_.Push(*entry_);
        ShowEntry(*found, false);
        return;
    }
}

void QVDetailDialog::DrawContent(CCanvas& canvas) {
    for (int i = 0; i < kSections; ++i) DrawSection(canvas, i);
}

void QVDetailDialog::DrawSection(CCanvas& canvas, int section) {
    static const std::array<std::string, kSections> kTitles{Sj("詳細"), Sj("解説"), Sj("用語解説")};
    const CSkin& skin = owner_.Skin();
    const auto s = static_cast<std::size_t>(section);
    const Rect& title = titleRects_[s];
    CCanvas::StateGuard state(canvas);
    canvas.SetTextColour(skin.Colours().text);
    canvas.SetBackgroundMode(BackgroundMode::Transparent);
    canvas.SetTextAlign(HAlign::Left, VAlign::Top);
    canvas.SelectPen(Pen{PenStyle::Solid, 1, skin.Colours().rule});
    canvas.SelectFont(skin.Font(kTitleFont));
    canvas.TextOut(title.left, title.top + 5, kTitles[s]);
    if (section != kGlossarySection) {
        canvas.SelectFont(skin.Font(kLabelFont));
        canvas.TextOut(title.left + 80, title.top + 5, label_);
    } else if (entry_) {
        DrawEntryHeading(canvas, *entry_, {title.left + 80, title.top + 2}, kSecondKeywordFont);
    }
    canvas.Line({title.left, title.bottom - 10}, {title.right, title.bottom - 10});
    texts_[s].Draw(canvas, skin, frameRects_[s]);
}

}  // namespace valmore
