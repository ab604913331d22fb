#include "net/screens/RegistrationScreen.h"

#include "net/ServerMessages.h"
#include "net/screens/AwaitLink.h"
#include "net/screens/LinkNotices.h"
#include "net/screens/RegistrationLayout.h"
#include "platform/Sjis.h"
#include "results/screens/CellText.h"
#include "ui/FailureText.h"
#include "ui/Skin.h"

namespace valmore {

namespace {

constexpr int kValueFont = 12;

const RegistrationLayout& LayoutFor(ResolutionMode mode) {
    return kRegistrationLayouts[static_cast<std::size_t>(ModeOf(mode))];
}

}  // namespace

CRegistrationScreen::CRegistrationScreen(IViewHost& owner, const CServerLink& link, CUserAccount& account,
                                         std::filesystem::path accountFile, QVDialog& popup, QVUserValidateDlg& dialog)
    : CScreen(owner),
      link_(link),
      account_(account),
      accountFile_(std::move(accountFile)),
      popup_(popup),
      dialog_(dialog) {
    Layout();
}

void CRegistrationScreen::Layout() {
    const RegistrationLayout& layout = LayoutFor(owner_.Mode());
    change_ = AddPanel<CSkinButton>(owner_, kSkinRegisterButtonUp, kSkinRegisterButtonDn);
    change_->PlaceAt(layout.changeButton.x, layout.changeButton.y);
    change_->SetLabel(Sj("登録変更"));
    change_->onClick = [this](unsigned, int, int, CSkinButton&) { ChangeRegistration(); };
    back_ = AddPanel<CSkinButton>(owner_, kSkinCommBackUp, kSkinCommBackDn);
    back_->PlaceAt(layout.backButton.x, layout.backButton.y);
    back_->SetLabel(Sj("戻る"));
    back_->onClick = [this](unsigned, int, int, CSkinButton&) {
        if (onBack) {
            onBack();
            return;
        }
        owner_.SwitchScreen(kScreenCommMenu);
        owner_.InvalidateAll();
    };
}

void CRegistrationScreen::Activate() {
    dialog_.SetValues(account_.UserID, account_.Nickname, account_.Password);
}

void CRegistrationScreen::ChangeRegistration() {
    if (!dialog_.Show()) {
        owner_.InvalidateAll();
        return;
    }
    const std::string userId = dialog_.UserId();
    const std::string nickname = dialog_.Nickname();
    const std::string password = dialog_.Password();

    // An account the server has not accepted in this run (or another user ID than the accepted one)
    // is validated first: that is what tells the server's password, which the change is checked
    // against, to the account.
    if (account_.status != AccountStatus::Valid || userId != account_.UserID) {
        const auto status = AwaitLink(
            owner_, link_,
            [userId, password](const CServerLink& link) { return link.UserValidateRequest(userId, password); }, back_);
        // Given up: nothing has changed, here or at the server.
        if (!status) return;
        account_.status = *status;
        if (account_.status != AccountStatus::Valid) {
            if (!ShowLinkFailure(popup_, account_.status, link_)) ShowPlainNotice(popup_, AccountRejectedMessage());
            owner_.InvalidateAll();
            return;
        }
        account_.UserID = userId;
        account_.Password = password;
        account_.previousPassword = password;
    }

    const AccountStatus before = account_.status;
    const auto changed = AwaitLink(
        owner_, link_,
        [userId, password, previous = account_.previousPassword, nickname](const CServerLink& link) {
            return link.ChangeUserInfoRequest(userId, password, previous, nickname);
        },
        back_);
    if (!changed) {
        // Given up: the account and its file stay as they were, but the server may have taken the
        // change, so the account counts as unchecked and the next change validates it first.
        account_.status = AccountStatus::Rejected;
        return;
    }
    account_.status = *changed;
    switch (account_.status) {
        case AccountStatus::Valid: {
            account_.UserID = userId;
            account_.Password = password;
            account_.Nickname = nickname;
            // The next change is checked against the password the server holds now.
            account_.previousPassword = password;
            std::string problem;
            int errorNumber = 0;
            const bool saved = account_.Save(accountFile_, &problem, &errorNumber);
            ShowPlainNotice(popup_, Sj("登録されました。"));
            if (!saved) {
                // The centre now holds the new values but the file keeps the old ones, which the next
                // start would offer.
                if (errorNumber != 0) problem += WriteFailureCause(errorNumber) + Sj("。");
                ShowPlainNotice(popup_, problem + Sj("次に起動したときは、「登録情報」でユーザーID、ニックネーム、パス"
                                                     "ワードを入れ直してください。"));
            }
            dialog_.SetValues(account_.UserID, account_.Nickname, account_.Password);
            break;
        }
        case AccountStatus::Rejected:
            ShowPlainNotice(popup_, AccountRejectedMessage());
            break;
        case AccountStatus::NicknameTaken:
            ShowPlainNotice(popup_, Sj("ニックネーム「") + nickname +
                                        Sj("」は、既に他のユーザーに使われています。全角10文字以内で、別のニックネー"
                                           "ムを登録してください。"));
            account_.status = before;
            break;
        default:
            ShowLinkFailure(popup_, account_.status, link_);
            break;
    }
    owner_.InvalidateAll();
}

std::array<std::string, 3> CRegistrationScreen::ShownValues() const {
    std::array<std::string, 3> shown{account_.UserID, account_.Nickname, account_.Password};
    for (std::string& value : shown) {
        if (value.empty()) value = Sj("(未登録)");
    }
    return shown;
}

Rect CRegistrationScreen::ValueRect(int value) const {
    return LayoutFor(owner_.Mode()).values[static_cast<std::size_t>(std::clamp(value, 0, 2))];
}

void CRegistrationScreen::Draw(CCanvas& dc) {
    DrawBackground(dc);
    const Point form = LayoutFor(owner_.Mode()).form;
    dc.DrawBitmap(owner_.Skin().Bitmap(kSkinRegistrationForm), form.x, form.y);
    const std::array<std::string, 3> shown = ShownValues();
    for (int i = 0; i < 3; ++i) {
        DrawCellText(dc, owner_.Skin().Font(kValueFont), shown[static_cast<std::size_t>(i)], ValueRect(i),
                     CCanvas::kCenter);
    }
    CScreen::Draw(dc);
}

}  // namespace valmore
