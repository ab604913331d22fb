#include "net/screens/UserValidateDlg.h"

#include <algorithm>

#include "net/UserAccount.h"
#include "net/screens/UserValidateDlgSXGA.h"
#include "platform/Canvas.h"
#include "platform/Sjis.h"
#include "ui/Skin.h"

namespace valmore {

namespace {

// The entries are written in the labels' font, so they read as easily as the labels beside them.
constexpr int kTextFont = 12;
constexpr int kFieldTextMargin = 3;  // above and below the text of an entry

constexpr std::array<std::size_t, QVUserValidateDlg::kFieldCount> kLimits{kUserIdLimit, kNicknameLimit, kPasswordLimit};

}  // namespace

QVUserValidateDlg::QVUserValidateDlg(IViewHost& owner, ITextServices& services)
    : QVUserValidateDlg(owner, services, kUserDialogLayouts[kModeXga]) {}

QVUserValidateDlg::QVUserValidateDlg(IViewHost& owner, ITextServices& services, const UserDialogLayout& layout)
    : CPopup(owner, kSkinMessagePopup),
      layout_(layout),
      ok_(AddButton(kSkinOkUp, kSkinOkDn)),
      cancel_(AddButton(kSkinCancelUp, kSkinCancelDn)) {
    ok_->SetLabel("OK");
    ok_->PlaceAt(layout_.okButton.x, layout_.okButton.y);
    ok_->onClick = [this](unsigned, int, int, CSkinButton&) { OnOk(); };
    cancel_->SetLabel("Cancel");
    cancel_->PlaceAt(layout_.cancelButton.x, layout_.cancelButton.y);
    cancel_->onClick = [this](unsigned, int, int, CSkinButton&) { Close(); };
    int lineHeight = 0;
    {
        CCanvas& canvas = owner.MeasuringCanvas();
        CCanvas::FontGuard font(canvas, owner.Skin().Font(kTextFont));
        lineHeight = canvas.TextExtent("A").height;
    }
    for (int i = 0; i < kFieldCount; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        fields_[slot] = std::make_unique<CTextField>(owner, services, kLimits[slot]);
        Rect& r = layout_.fields[slot];
        r.bottom = std::max(r.bottom, r.top + lineHeight + 2 * kFieldTextMargin);
        fields_[slot]->SetRect(r.left, r.top, r.Width(), r.Height());
        fields_[slot]->SetSkinFont(kTextFont);
    }
}

QVUserValidateDlg::~QVUserValidateDlg() = default;

QVUserValidateDlgSXGA::QVUserValidateDlgSXGA(IViewHost& owner, ITextServices& services)
    : QVUserValidateDlg(owner, services, kUserDialogLayouts[kModeSxga]) {}

std::unique_ptr<QVUserValidateDlg> MakeUserDialog(IViewHost& owner, ITextServices& services) {
    if (owner.Mode() == kModeSxga) return std::make_unique<QVUserValidateDlgSXGA>(owner, services);
    return std::make_unique<QVUserValidateDlg>(owner, services);
}

void QVUserValidateDlg::SetValues(std::string userId, std::string nickname, std::string password) {
    values_[kUserIdField] = std::move(userId);
    values_[kNicknameField] = std::move(nickname);
    values_[kPasswordField] = std::move(password);
}

bool QVUserValidateDlg::Show() {
    message_ = Sj("ユーザーIDとパスワードを入力してOKをクリックしてください。");
    const Rect bounds = Bounds();
    for (int i = 0; i < kFieldCount; ++i) {
        CTextField& field = *fields_[static_cast<std::size_t>(i)];
        field.SetFocus(false);
        field.SetCanvasOrigin({bounds.left, bounds.top});
        field.SetText(values_[static_cast<std::size_t>(i)]);
    }
    focus_ = -1;
    Focus(kUserIdField);
    accepted_ = false;
    RunShowing();
    fields_[static_cast<std::size_t>(focus_)]->SetFocus(false);
    return accepted_;
}

void QVUserValidateDlg::Focus(int field) {
    if (field == focus_) return;
    if (focus_ >= 0) fields_[static_cast<std::size_t>(focus_)]->SetFocus(false);
    focus_ = field;
    fields_[static_cast<std::size_t>(focus_)]->SetFocus(true);
}

void QVUserValidateDlg::OnOk() {
    const std::string& userId = fields_[kUserIdField]->Text();
    const std::string& nickname = fields_[kNicknameField]->Text();
    const std::string& password = fields_[kPasswordField]->Text();
    if (std::optional<std::string> problem = UserEntryProblem(userId, password, nickname)) {
        message_ = std::move(*problem);
        return;
    }
    SetValues(userId, nickname, password);
    accepted_ = true;
    Close();
}

void QVUserValidateDlg::OnKeyDown(const InputEvent& event) {
    CTextField& field = *fields_[static_cast<std::size_t>(focus_)];
    // Enter and Escape end a composition before they may end the dialog.
    if (!field.Composition().empty()) {
        field.OnInput(event);
        return;
    }
    switch (event.key) {
        case kKeyTab:
            Focus((focus_ + ((event.flags & kModifierShift) ? kFieldCount - 1 : 1)) % kFieldCount);
            break;
        case kKeyEnter:
            OnOk();
            break;
        case kKeyEscape:
            Close();
            break;
        default:
            field.OnInput(event);
            break;
    }
}

void QVUserValidateDlg::OnPopupInput(const InputEvent& event) {
    CTextField& focused = *fields_[static_cast<std::size_t>(focus_)];
    switch (event.type) {
        case InputType::KeyDown:
            OnKeyDown(event);
            RepaintPopup();
            return;
        case InputType::Text:
        case InputType::TextEditing:
            focused.OnInput(event);
            RepaintPopup();
            return;
        case InputType::LeftDown:
            for (int i = 0; i < kFieldCount; ++i) {
                CTextField& field = *fields_[static_cast<std::size_t>(i)];
                if (!field.GetRect().Contains(event.x, event.y)) continue;
                Focus(i);
                field.OnInput(event);
            }
            break;
        case InputType::MouseMove:
            // A drag that selects text shows at once.
            if (focused.OnInput(event)) RepaintPopup();
            break;
        case InputType::LeftUp:
            focused.OnInput(event);
            break;
        default:
            break;
    }
    CPopup::OnPopupInput(event);
}

void QVUserValidateDlg::OnPopupTick() {
    if (!IsOpen() || focus_ < 0) return;
    CTextField& field = *fields_[static_cast<std::size_t>(focus_)];
    const bool shown = field.CaretVisible();
    field.OnTick();
    if (field.CaretVisible() != shown) {
        const Rect bounds = Bounds();
        owner_.Invalidate(field.GetRect().Offset(bounds.left, bounds.top));
    }
}

void QVUserValidateDlg::DrawContent(CCanvas& canvas) {
    const CSkin& skin = owner_.Skin();
    canvas.SelectFont(skin.Font(kTextFont));
    canvas.SetTextColour(skin.Colours().text);
    canvas.SetTextAlign(HAlign::Left, VAlign::Top);

    canvas.SetBackgroundColour(skin.Colours().paper);
    canvas.SetBackgroundMode(BackgroundMode::Opaque);
    const int width = Bounds().Width();
    canvas.TextOut((width - canvas.TextExtent(message_).width) / 2, layout_.messageTop, message_);

    static const std::array<std::string, kFieldCount> kLabels{Sj("ユーザーID"), Sj("ニックネーム"), Sj("パスワード")};
    canvas.SetBackgroundMode(BackgroundMode::Transparent);
    for (int i = 0; i < kFieldCount; ++i) {
        const Rect& r = fields_[static_cast<std::size_t>(i)]->GetRect();
        canvas.TextOut(r.left - kLabelOffset, r.top, kLabels[static_cast<std::size_t>(i)]);
    }
    for (const auto& field : fields_) field->Draw(canvas);
}

}  // namespace valmore
