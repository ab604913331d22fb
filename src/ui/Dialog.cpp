#include "ui/Dialog.h"

#include <array>
#include <utility>

#include "platform/Canvas.h"
#include "platform/Sjis.h"
#include "ui/Skin.h"

namespace valmore {

namespace {

constexpr int kBackgroundBitmap = kSkinMessagePopup;  // the popup takes its size

// The buttons sit at the same places in both resolution modes (popup coordinates).
constexpr Point kButton1At{440, 4};
constexpr Point kButton2At{496, 4};
constexpr Point kLeftAt{340, 4};
constexpr Point kRightAt{380, 4};

// Where the title and the body go, per resolution mode.
struct MessageLayout {
    Point origin;
    int margin;
    int titleHeight;
    Size area;
};
constexpr std::array<MessageLayout, 2> kLayouts{{
    {{6, 35}, 8, 32, {609, 144}},   // XGA
    {{6, 43}, 10, 48, {741, 248}},  // SXGA
}};

constexpr int kTitleFont = 10;
constexpr int kKeywordFont = 12;
constexpr int kBodyFont = 12;
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kGrey{120, 120, 120};
constexpr Rgb kRed{255, 0, 0};

const MessageLayout& LayoutFor(int mode) {
    return kLayouts[mode == kModeSxga ? 1 : 0];
}

bool Hit(const CSkinButton& button, int x, int y) {
    return button.visible && button.GetRect().Contains(x, y);
}


}  // namespace

QVDialog::QVDialog(IViewHost& owner)
    : owner_(owner),
      button1_(std::make_unique<CSkinButton>(owner)),
      button2_(std::make_unique<CSkinButton>(owner)),
      left_(std::make_unique<CSkinButton>(owner, kPagePreviousButton.up, kPagePreviousButton.dn, kPagePreviousButton.non)),
      right_(std::make_unique<CSkinButton>(owner, kPageNextButton.up, kPageNextButton.dn, kPageNextButton.non)) {
    button1_->SetLabel("OK");
    button2_->SetLabel("Cancel");
    PlaceElements();
    UpdatePageButtons();
}

QVDialog::~QVDialog() = default;

void QVDialog::PlaceElements() {
    const CSkin& skin = owner_.Skin();
    const Size ok = skin.BitmapSize(kSkinOkUp);
    button1_->SetRect(kButton1At.x, kButton1At.y, ok.width, ok.height);
    button2_->SetRect(kButton2At.x, kButton2At.y, ok.width, ok.height);
    const Size left = skin.BitmapSize(kPagePreviousButton.up);
    left_->SetRect(kLeftAt.x, kLeftAt.y, left.width, left.height);
    const Size right = skin.BitmapSize(kPageNextButton.up);
    right_->SetRect(kRightAt.x, kRightAt.y, right.width, right.height);

    const MessageLayout& g = LayoutFor(owner_.Mode());
    textRect_.left = g.origin.x + g.margin;
    textRect_.top = g.origin.y + g.titleHeight;
    textRect_.right = textRect_.left + g.area.width - 2 * g.margin;
    textRect_.bottom = g.origin.y + g.area.height;
    titleRect_ = {textRect_.left, g.origin.y, textRect_.right, g.origin.y + g.titleHeight};
}

int QVDialog::Show(int mode, std::string text) {
    mode_ = mode;
    text_ = std::move(text);
    entry_.reset();
    PlaceElements();
    body_.Reset();
    LayOut(text_);

    // Button 2 closes every kind of popup; only a question has a second button.
    button2_->visible = true;
    if (mode_ == kModeQuestion) {
        button1_->visible = true;
        button1_->up = kSkinYesUp;
        button1_->dn = kSkinYesDn;
        button2_->up = kSkinNoUp;
        button2_->dn = kSkinNoDn;
    } else {
        button1_->visible = false;
        button2_->up = kSkinOkUp;
        button2_->dn = kSkinOkDn;
    }
    for (CSkinButton* b : {button1_.get(), button2_.get(), left_.get(), right_.get()}) b->pressed = false;

    // When the program quits during the loop nobody answered: a question counts as declined.
    result_ = mode_ == kModeQuestion ? kResultNo : kResultOk;

    if (onRefreshPanels) onRefreshPanels();
    open_ = true;
    owner_.InvalidateAll();
    owner_.RunModal(*this, [this] { return !open_; });
    open_ = false;
    if (onRefreshPanels) onRefreshPanels();
    owner_.InvalidateAll();
    return result_;
}

void QVDialog::LayOut(const std::string& text) {
    body_.Layout(owner_.Skin(), text, textRect_);
    page_ = 0;
    UpdatePageButtons();
}

void QVDialog::UpdatePageButtons() {
    left_->enabled = page_ > 0;
    right_->enabled = page_ < body_.PageCount() - 1;
}

void QVDialog::SetHighlight(bool on, const Rect& rect) {
    highlightOn_ = on;
    highlightRect_ = rect;
    if (open_) RepaintPopup();
}

void QVDialog::AdvanceHighlightBlink() {
    SetHighlightBlink(blinkCounter_ + 1);
}

void QVDialog::SetHighlightBlink(int counter) {
    blinkCounter_ = counter;
    if (open_ && highlightOn_) RepaintPopup();
}

Rect QVDialog::Bounds() const {
    const Size size = owner_.Skin().BitmapSize(kBackgroundBitmap);
    const Size screen = owner_.ScreenSize();
    const Point offset = owner_.CanvasOffset();
    return Rect::FromSize(screen.width / 2 - size.width / 2 - offset.x, screen.height / 2 - size.height / 2 - offset.y,
                          size.width, size.height);
}

void QVDialog::RepaintPopup() const {
    owner_.Invalidate(Bounds());
}

void QVDialog::OnPopupInput(const InputEvent& event) {
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
        default:
            // Only the popup's own buttons close it: Enter and Escape do nothing.
            break;
    }
}

void QVDialog::OnMouseDown(const InputEvent& event) {
    const int x = event.x;
    const int y = event.y;
    // A question shows no page buttons, so they take no clicks either.
    if (mode_ != kModeQuestion) {
        if (Hit(*left_, x, y)) left_->OnMouseDown(event.flags, x, y);
        if (Hit(*right_, x, y)) right_->OnMouseDown(event.flags, x, y);
    }
    if (Hit(*button1_, x, y)) button1_->OnMouseDown(event.flags, x, y);
    if (Hit(*button2_, x, y)) button2_->OnMouseDown(event.flags, x, y);
    RepaintPopup();
}

void QVDialog::OnMouseMove(const InputEvent& event) {
    // A button pressed and then left shows its normal image again.
    for (CSkinButton* b : {button1_.get(), button2_.get(), left_.get(), right_.get()})
        b->OnMouseMove({event.x, event.y});
}

void QVDialog::OnMouseUp(const InputEvent& event) {
    const int x = event.x;
    const int y = event.y;
    if (mode_ != kModeQuestion) {
        if (Hit(*left_, x, y)) {
            left_->OnMouseUp(event.flags, x, y);
            if (page_ > 0) --page_;
            UpdatePageButtons();
        }
        if (Hit(*right_, x, y)) {
            right_->OnMouseUp(event.flags, x, y);
            if (page_ < body_.PageCount() - 1) ++page_;
            UpdatePageButtons();
        }
    }
    if (Hit(*button1_, x, y)) {
        result_ = kResultYes;
        button1_->OnMouseUp(event.flags, x, y);
        open_ = false;
        RepaintPopup();
        return;
    }
    if (Hit(*button2_, x, y)) {
        result_ = mode_ == kModeQuestion ? kResultNo : kResultOk;
        button2_->OnMouseUp(event.flags, x, y);
        open_ = false;
        RepaintPopup();
        return;
    }
    FollowLink(x, y);
    RepaintPopup();
}

void QVDialog::FollowLink(int x, int y) {
    // A question shows its text plain, so it has no link words to follow. Elsewhere only what is
    // drawn can be clicked: characters laid out below the text rect are cut off when drawn.
    if (mode_ == kModeQuestion || !textRect_.Contains(x, y)) return;
    const std::optional<std::string> key = body_.FindLink(page_, x, y);
    if (!key) return;
    const GlossaryEntry* found = owner_.Glossary().FindEntry(*key);
    if (!found) return;
    entry_ = *found;
    mode_ = kModeGlossary;
    body_.Reset();
    LayOut(entry_->DETAIL);
}

void QVDialog::DrawPopup(CCanvas& canvas) {
    const CSkin& skin = owner_.Skin();
    canvas.DrawBitmap(skin.Bitmap(kBackgroundBitmap), 0, 0);
    if (button1_->visible) button1_->Draw(canvas);
    if (button2_->visible) button2_->Draw(canvas);
    if (mode_ != kModeQuestion) {
        left_->Draw(canvas);
        right_->Draw(canvas);
    }

    // Whatever the popup changes is put back, so the screens painted after it find the canvas as it was.
    CCanvas::StateGuard state(canvas);
    canvas.SetTextColour(kBlack);
    canvas.SetBackgroundMode(BackgroundMode::Transparent);
    canvas.SetTextAlign(HAlign::Left, VAlign::Top);
    canvas.SelectPen(Pen{});
    canvas.SelectBrush(Brush{});

    DrawTitle(canvas);
    DrawBody(canvas);
    DrawHighlight(canvas);
}

void QVDialog::DrawTitle(CCanvas& canvas) const {
    const CSkin& skin = owner_.Skin();
    const int lineY = titleRect_.bottom - 10;
    if (mode_ == kModeGlossary) {
        static const std::string kTitle = Sj("用語解説");
        canvas.SelectFont(skin.Font(kTitleFont));
        canvas.TextOut(titleRect_.left, titleRect_.top + 5, kTitle);
        if (entry_ && entry_->KEYWORD0) {
            const CFont* keywordFont = skin.Font(kKeywordFont);
            canvas.SelectFont(keywordFont);
            canvas.TextOut(titleRect_.left + 80, titleRect_.top + 2, *entry_->KEYWORD0);
            if (entry_->KEYWORD1) {
                const int width = keywordFont ? keywordFont->TextWidth(*entry_->KEYWORD0) : 0;
                canvas.SelectFont(skin.Font(kTitleFont));
                canvas.TextOut(titleRect_.left + 96 + width, titleRect_.top + 2, *entry_->KEYWORD1);
            }
        }
        canvas.SelectPen(Pen{PenStyle::Solid, 1, kGrey});
        canvas.Line({titleRect_.left, lineY}, {titleRect_.right, lineY});
        return;
    }

    static const std::string kNoticeTitle = Sj("お知らせ");
    static const std::string kQuestionTitle = Sj("確認");
    canvas.SelectFont(skin.Font(kTitleFont));
    canvas.TextOut(titleRect_.left, titleRect_.top + 5, mode_ == kModeQuestion ? kQuestionTitle : kNoticeTitle);
    canvas.SelectPen(Pen{PenStyle::Solid, 2, kBlack});
    canvas.Line({titleRect_.left, lineY}, {(titleRect_.left + titleRect_.right) / 2, lineY});
}

void QVDialog::DrawBody(CCanvas& canvas) {
    const CSkin& skin = owner_.Skin();
    canvas.SelectFont(skin.Font(kBodyFont));
    if (mode_ == kModeQuestion) {
        // A question is plain text: markup codes show as they are, and only line feeds break lines.
        canvas.DrawText(text_, textRect_, CCanvas::kCenter);
        return;
    }
    body_.Draw(canvas, skin, textRect_, page_);
}

void QVDialog::DrawHighlight(CCanvas& canvas) const {
    if (!highlightOn_) return;
    const int phase = ((blinkCounter_ % 16) + 16) % 16;
    if (phase >= 7) return;
    canvas.SelectPen(Pen{PenStyle::Dash, 5, kRed});
    canvas.SelectBrush(Brush::Hollow());
    canvas.RoundRect(highlightRect_, 10, 10);
}

}  // namespace valmore
