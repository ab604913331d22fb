#include "ui/Dialog.h"

#include <array>
#include <utility>

#include "platform/Canvas.h"
#include "platform/Sjis.h"
#include "ui/PopupLayout.h"
#include "ui/Skin.h"

namespace valmore {

namespace {

constexpr int kBackgroundBitmap = kSkinMessagePopup;  // the popup takes its size

constexpr int kTitleFont = 10;
constexpr int kBodyFont = 12;

const MessagePopupLayout& LayoutFor(int mode) {
    return kMessagePopupLayouts[ModeOf(mode)];
}

}  // namespace

QVDialog::QVDialog(IViewHost& owner)
    : CPopup(owner, kBackgroundBitmap),
      button1_(AddButton()),
      button2_(AddButton()),
      pageButtons_(AddPageButtons(body_)) {
    button1_->SetLabel("OK");
    button2_->SetLabel("Cancel");
    button1_->onClick = [this](unsigned, int, int, CSkinButton&) { Answer(kResultYes); };
    button2_->onClick = [this](unsigned, int, int, CSkinButton&) {
        Answer(mode_ == kModeQuestion ? kResultNo : kResultOk);
    };
    PlaceElements();
}

QVDialog::~QVDialog() = default;

void QVDialog::PlaceElements() {
    const CSkin& skin = owner_.Skin();
    const MessagePopupLayout& g = LayoutFor(owner_.Mode());
    const Size ok = skin.BitmapSize(kSkinOkUp);
    button1_->SetRect(g.button1.x, g.button1.y, ok.width, ok.height);
    button2_->SetRect(g.button2.x, g.button2.y, ok.width, ok.height);
    PlacePageButtons(pageButtons_, g.previousPage.x, g.nextPage.x, g.previousPage.y);

    textRect_.left = g.origin.x + g.margin;
    textRect_.top = g.origin.y + g.titleHeight;
    textRect_.right = textRect_.left + g.area.width - 2 * g.margin;
    textRect_.bottom = g.origin.y + g.area.height;
    titleRect_ = {textRect_.left, g.origin.y, textRect_.right, g.origin.y + g.titleHeight};
}

QVDialog::PopupAnswer QVDialog::Show(PopupKind kind, std::string text) {
    mode_ = kind;
    text_ = std::move(text);
    entry_.reset();
    PlaceElements();
    body_.Reset();
    body_.Layout(owner_.Skin(), text_, textRect_);

    // Button 2 closes every kind of popup; only a question has a second button, and it shows its
    // text plain, without pages to turn.
    const bool question = mode_ == kModeQuestion;
    button2_->visible = true;
    button1_->visible = question;
    pageButtons_.left->visible = !question;
    pageButtons_.right->visible = !question;
    if (question) {
        button1_->up = kSkinYesUp;
        button1_->dn = kSkinYesDn;
        button2_->up = kSkinNoUp;
        button2_->dn = kSkinNoDn;
    } else {
        button2_->up = kSkinOkUp;
        button2_->dn = kSkinOkDn;
    }

    // When the program quits during the loop nobody answered: a question counts as declined.
    result_ = question ? kResultNo : kResultOk;

    if (onRefreshPanels) onRefreshPanels();
    RunShowing();
    if (onRefreshPanels) onRefreshPanels();
    return result_;
}

void QVDialog::Answer(PopupAnswer answer) {
    result_ = answer;
    Close();
}

void QVDialog::Dismiss() {
    if (IsOpen()) Answer(mode_ == kModeQuestion ? kResultNo : kResultOk);
}

void QVDialog::OnRelease(int x, int y) {
    // A question shows its text plain, so it has no link words to follow. Elsewhere only what is
    // drawn can be clicked: characters laid out below the text rect are cut off when drawn.
    if (mode_ == kModeQuestion || !textRect_.Contains(x, y)) return;
    const std::optional<std::string> key = body_.FindLink(x, y);
    if (!key) return;
    std::optional<LinkEntry> found = owner_.Links().FindLinkEntry(*key);
    if (!found) return;
    entry_ = std::move(found);
    mode_ = kModeGlossary;
    body_.Reset();
    body_.Layout(owner_.Skin(), entry_->detail, textRect_);
}

void QVDialog::DrawContent(CCanvas& canvas) {
    canvas.SetTextColour(owner_.Skin().Colours().text);
    canvas.SetBackgroundMode(BackgroundMode::Transparent);
    canvas.SetTextAlign(HAlign::Left, VAlign::Top);
    canvas.SelectPen(Pen{});
    canvas.SelectBrush(Brush{});

    DrawTitle(canvas);
    DrawBody(canvas);
}

void QVDialog::DrawTitle(CCanvas& canvas) const {
    const CSkin& skin = owner_.Skin();
    const int lineY = titleRect_.bottom - 10;
    if (mode_ == kModeGlossary) {
        static const std::string kTitle = Sj("用語解説");
        canvas.SelectFont(skin.Font(kTitleFont));
        canvas.TextOut(titleRect_.left, titleRect_.top + 5, kTitle);
        if (entry_) DrawEntryHeading(canvas, *entry_, {titleRect_.left + 80, titleRect_.top + 2}, kTitleFont);
        canvas.SelectPen(Pen{PenStyle::Solid, 1, skin.Colours().rule});
        canvas.Line({titleRect_.left, lineY}, {titleRect_.right, lineY});
        return;
    }

    static const std::string kNoticeTitle = Sj("お知らせ");
    static const std::string kQuestionTitle = Sj("確認");
    canvas.SelectFont(skin.Font(kTitleFont));
    canvas.TextOut(titleRect_.left, titleRect_.top + 5, mode_ == kModeQuestion ? kQuestionTitle : kNoticeTitle);
    canvas.SelectPen(Pen{PenStyle::Solid, 2, skin.Colours().frame});
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
    // Closing punctuation hangs beyond the last column; the right margin gives it room to show.
    Rect drawn = textRect_;
    drawn.right += LayoutFor(owner_.Mode()).margin;
    body_.Draw(canvas, skin, drawn);
}

}  // namespace valmore
