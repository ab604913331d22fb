#include "ui/DetailDialog.h"

#include <utility>

#include "platform/Canvas.h"
#include "platform/Sjis.h"
#include "ui/Skin.h"

namespace valmore {

namespace {

constexpr int kBackgroundBitmap = kSkinDetailPopup;  // the popup takes its size
constexpr int kGlossarySection = 2;

// Where the three sections and the buttons go, per resolution mode (popup coordinates). Each
// section's buttons sit one row step below the previous section's.
struct DetailLayout {
    std::array<Point, QVDetailDialog::kSections> origins;
    int areaWidth;
    int areaHeight;
    int titleHeight;
    int margin;
    int rowStep;
    int okX;
    int leftX;
    int rightX;
};
constexpr std::array<DetailLayout, 2> kLayouts{{
    {{{{6, 35}, {6, 215}, {6, 395}}}, 609, 144, 32, 8, 180, 420, 340, 380},   // XGA
    {{{{6, 43}, {6, 334}, {6, 625}}}, 741, 248, 43, 10, 292, 525, 425, 475},  // SXGA
}};
constexpr int kButtonRowY = 4;

constexpr int kTitleFont = 10;
constexpr int kLabelFont = 10;
constexpr int kKeywordFont = 12;
constexpr int kSecondKeywordFont = 8;
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kGrey{120, 120, 120};

const DetailLayout& LayoutFor(int mode) {
    return kLayouts[mode == kModeSxga ? 1 : 0];
}

bool Hit(const CSkinButton& button, int x, int y) {
    return button.GetRect().Contains(x, y);
}


}  // namespace

QVDetailDialog::QVDetailDialog(IViewHost& owner)
    : owner_(owner),
      ok_(std::make_unique<CSkinButton>(owner, kSkinOkUp, kSkinOkDn)),
      back_(std::make_unique<CSkinButton>(owner, kSkinGreyBackUp, kSkinGreyBackDn, kSkinGreyBackNon)) {
    for (int i = 0; i < kSections; ++i) {
        const auto s = static_cast<std::size_t>(i);
        left_[s] = std::make_unique<CSkinButton>(owner, kPagePreviousButton.up, kPagePreviousButton.dn, kPagePreviousButton.non);
        right_[s] = std::make_unique<CSkinButton>(owner, kPageNextButton.up, kPageNextButton.dn, kPageNextButton.non);
    }
    PlaceElements();
    UpdateButtons();
}

QVDetailDialog::~QVDetailDialog() = default;

void QVDetailDialog::PlaceElements() {
    const CSkin& skin = owner_.Skin();
    const DetailLayout& g = LayoutFor(owner_.Mode());
    const Size ok = skin.BitmapSize(kSkinOkUp);
    ok_->SetRect(g.okX, kButtonRowY, ok.width, ok.height);
    // BACK takes the size of the OK picture, whatever its own pictures measure.
    back_->SetRect(g.okX, 2 * g.rowStep + kButtonRowY, ok.width, ok.height);

    const Size left = skin.BitmapSize(kPagePreviousButton.up);
    const Size right = skin.BitmapSize(kPageNextButton.up);
    for (int i = 0; i < kSections; ++i) {
        const auto s = static_cast<std::size_t>(i);
        const int y = i * g.rowStep + kButtonRowY;
        left_[s]->SetRect(g.leftX, y, left.width, left.height);
        right_[s]->SetRect(g.rightX, y, right.width, right.height);

        const Point o = g.origins[s];
        const int top = o.y + g.titleHeight + 3;
        frameRects_[s] = {o.x, top, o.x + g.areaWidth - 1, o.y + g.areaHeight};
        textRects_[s] = {o.x + g.margin, top, o.x + g.areaWidth - g.margin, o.y + g.areaHeight};
        titleRects_[s] = {textRects_[s].left, o.y, textRects_[s].right, o.y + g.titleHeight};
    }
}

int QVDetailDialog::Show(std::string text1, std::string text2, std::string label) {
    PlaceElements();
    label_ = std::move(label);
    sources_[0] = std::move(text1);
    sources_[1] = std::move(text2);
    sources_[kGlossarySection].clear();
    for (int i = 0; i < kGlossarySection; ++i) {
        const auto s = static_cast<std::size_t>(i);
        texts_[s].Layout(owner_.Skin(), sources_[s], textRects_[s]);
    }
    texts_[kGlossarySection].Reset();
    entry_.reset();
    history_.clear();
    pages_.fill(0);
    UpdateButtons();
    ok_->pressed = false;
    back_->pressed = false;
    for (int i = 0; i < kSections; ++i) {
        LeftButton(i).pressed = false;
        RightButton(i).pressed = false;
    }

    // When the program quits during the loop nobody confirmed anything.
    result_ = kResultCancel;
    open_ = true;
    owner_.InvalidateAll();
    owner_.RunModal(*this, [this] { return !open_; });
    open_ = false;
    owner_.InvalidateAll();
    return result_;
}

void QVDetailDialog::ShowEntry(const GlossaryEntry& entry, bool resetHistory) {
    if (resetHistory) history_.clear();
    entry_ = entry;
    sources_[kGlossarySection] = entry_->DETAIL;
    texts_[kGlossarySection].Layout(owner_.Skin(), sources_[kGlossarySection], textRects_[kGlossarySection]);
    pages_[kGlossarySection] = 0;
    UpdateButtons();
    if (open_) RepaintPopup();
}

void QVDetailDialog::UpdateButtons() {
    for (int i = 0; i < kSections; ++i) {
        const auto s = static_cast<std::size_t>(i);
        left_[s]->enabled = pages_[s] > 0;
        right_[s]->enabled = pages_[s] < texts_[s].PageCount() - 1;
    }
    back_->enabled = !history_.empty();
}

Rect QVDetailDialog::Bounds() const {
    const Size size = owner_.Skin().BitmapSize(kBackgroundBitmap);
    const Size screen = owner_.ScreenSize();
    const Point offset = owner_.CanvasOffset();
    return Rect::FromSize(screen.width / 2 - size.width / 2 - offset.x, screen.height / 2 - size.height / 2 - offset.y,
                          size.width, size.height);
}

void QVDetailDialog::RepaintPopup() const {
    owner_.Invalidate(Bounds());
}

void QVDetailDialog::Close(int result) {
    result_ = result;
    open_ = false;
    RepaintPopup();
}

void QVDetailDialog::OnPopupInput(const InputEvent& event) {
    switch (event.type) {
        case InputType::LeftDown:
            OnMouseDown(event);
            break;
        case InputType::LeftUp:
            OnMouseUp(event);
            break;
        case InputType::MouseMove:
            OnMouseMove(event);
            break;
        case InputType::KeyDown:
            if (event.key == kKeyEnter) Close(kResultOk);
            if (event.key == kKeyEscape) Close(kResultCancel);
            break;
        default:
            break;
    }
}

void QVDetailDialog::OnMouseDown(const InputEvent& event) {
    const int x = event.x;
    const int y = event.y;
    if (Hit(*ok_, x, y)) ok_->OnMouseDown(event.flags, x, y);
    if (back_->enabled && Hit(*back_, x, y)) back_->OnMouseDown(event.flags, x, y);
    for (int i = 0; i < kSections; ++i) {
        for (CSkinButton* b : {&LeftButton(i), &RightButton(i)}) {
            if (b->enabled && Hit(*b, x, y)) b->OnMouseDown(event.flags, x, y);
        }
    }
    RepaintPopup();
}

void QVDetailDialog::OnMouseMove(const InputEvent& event) {
    // A button pressed and then left shows its normal image again.
    ok_->OnMouseMove({event.x, event.y});
    back_->OnMouseMove({event.x, event.y});
    for (int i = 0; i < kSections; ++i) {
        LeftButton(i).OnMouseMove({event.x, event.y});
        RightButton(i).OnMouseMove({event.x, event.y});
    }
}

void QVDetailDialog::OnMouseUp(const InputEvent& event) {
    const int x = event.x;
    const int y = event.y;
    if (Hit(*ok_, x, y)) {
        ok_->OnMouseUp(event.flags, x, y);
        Close(kResultOk);
        return;
    }
    if (back_->enabled && !history_.empty() && Hit(*back_, x, y)) {
        back_->OnMouseUp(event.flags, x, y);
        GlossaryEntry previous = std::move(history_.back());
        history_.pop_back();
        ShowEntry(previous, false);
        owner_.InvalidateAll();
        return;
    }
    for (int i = 0; i < kSections; ++i) {
        const auto s = static_cast<std::size_t>(i);
        if (left_[s]->enabled && Hit(*left_[s], x, y)) {
            left_[s]->OnMouseUp(event.flags, x, y);
            --pages_[s];
            UpdateButtons();
            RepaintPopup();
            return;
        }
        if (right_[s]->enabled && Hit(*right_[s], x, y)) {
            right_[s]->OnMouseUp(event.flags, x, y);
            ++pages_[s];
            UpdateButtons();
            RepaintPopup();
            return;
        }
    }
    FollowLink(x, y);
    RepaintPopup();
}

void QVDetailDialog::FollowLink(int x, int y) {
    for (int i = 0; i < kSections; ++i) {
        const auto s = static_cast<std::size_t>(i);
        // Only what is drawn can be clicked: a text running past its frame is cut off there, and
        // its hidden characters must not answer clicks meant for the section below.
        if (!frameRects_[s].Contains(x, y)) continue;
        const std::optional<std::string> key = texts_[s].FindLink(pages_[s], x, y);
        if (!key) return;
        const GlossaryEntry* found = owner_.Glossary().FindEntry(*key);
        // A word the glossary does not know changes nothing, not even the history.
        if (!found) return;
        const GlossaryEntry next = *found;
        // Links inside an explanation lead further, so BACK must find the way back; links in the
        // news texts start over from what they show and leave the history alone.
        if (i == kGlossarySection && entry_ && HistoryLength() < kMaxHistory) history_.push_back(*entry_);
        ShowEntry(next, false);
        return;
    }
}

void QVDetailDialog::DrawPopup(CCanvas& canvas) {
    const CSkin& skin = owner_.Skin();
    canvas.DrawBitmap(skin.Bitmap(kBackgroundBitmap), 0, 0);
    ok_->Draw(canvas);
    back_->Draw(canvas);
    for (int i = 0; i < kSections; ++i) DrawSection(canvas, i);
}

void QVDetailDialog::DrawSection(CCanvas& canvas, int section) {
    static const std::array<std::string, kSections> kTitles{Sj("詳細"), Sj("解説"), Sj("用語解説")};
    const CSkin& skin = owner_.Skin();
    const auto s = static_cast<std::size_t>(section);
    const Rect& title = titleRects_[s];
    {
        // Whatever the popup changes is put back, so the screens painted after it find the canvas as it was.
        CCanvas::StateGuard state(canvas);
        canvas.SetTextColour(kBlack);
        canvas.SetBackgroundMode(BackgroundMode::Transparent);
        canvas.SetTextAlign(HAlign::Left, VAlign::Top);
        canvas.SelectPen(Pen{PenStyle::Solid, 1, kGrey});
        canvas.SelectFont(skin.Font(kTitleFont));
        canvas.TextOut(title.left, title.top + 5, kTitles[s]);
        if (section != kGlossarySection) {
            canvas.SelectFont(skin.Font(kLabelFont));
            canvas.TextOut(title.left + 80, title.top + 5, label_);
        } else if (entry_ && entry_->KEYWORD0) {
            const CFont* keywordFont = skin.Font(kKeywordFont);
            canvas.SelectFont(keywordFont);
            canvas.TextOut(title.left + 80, title.top + 2, *entry_->KEYWORD0);
            if (entry_->KEYWORD1) {
                const int width = keywordFont ? keywordFont->TextWidth(*entry_->KEYWORD0) : 0;
                canvas.SelectFont(skin.Font(kSecondKeywordFont));
                canvas.TextOut(title.left + 96 + width, title.top + 2, *entry_->KEYWORD1);
            }
        }
        canvas.Line({title.left, title.bottom - 10}, {title.right, title.bottom - 10});
        texts_[s].Draw(canvas, skin, frameRects_[s], pages_[s]);
    }
    left_[s]->Draw(canvas);
    right_[s]->Draw(canvas);
}

}  // namespace valmore
