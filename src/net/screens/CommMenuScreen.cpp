#include "net/screens/CommMenuScreen.h"

#include "net/ServerMessages.h"
#include "net/screens/AwaitLink.h"
#include "net/screens/CommMenuLayout.h"
#include "net/screens/LinkNotices.h"
#include "platform/Sjis.h"
#include "ui/Skin.h"

namespace valmore {

namespace {

constexpr std::array<SkinButtonPictures, CCommMenuScreen::kButtonCount> kPictures{{
    {kSkinCommButton1Up, kSkinCommButton1Dn, kSkinCommButton1Non},
    {kSkinCommButton2Up, kSkinCommButton2Dn, kSkinCommButton2Non},
    {kSkinCommButton3Up, kSkinCommButton3Dn, kSkinNoPicture},
    {kSkinCommButton4Up, kSkinCommButton4Dn, kSkinNoPicture},
}};

// The record sent for a scenario: the first of those with the highest total score.
const ResultRecord* BestRecord(const std::vector<ResultRecord>& records) {
    const ResultRecord* best = nullptr;
    for (const ResultRecord& record : records) {
        if (!best || record.TotalScore > best->TotalScore) best = &record;
    }
    return best;
}

}  // namespace

CCommMenuScreen::CCommMenuScreen(IViewHost& owner, const CServerLink& link, CUserAccount& account,
                                 std::filesystem::path accountFile, const CResultStore& results, QVDialog& popup)
    : CScreen(owner),
      link_(link),
      account_(account),
      accountFile_(std::move(accountFile)),
      results_(results),
      popup_(popup) {
    backgroundBitmap = kSkinCommMenuBackground;
    Layout();
}

void CCommMenuScreen::Layout() {
    const CommMenuLayout& layout = kCommMenuLayouts[static_cast<std::size_t>(ModeOf(owner_.Mode()))];
    for (int i = 0; i < kButtonCount; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        CSkinButton* button =
            AddPanel<CSkinButton>(owner_, kPictures[slot].up, kPictures[slot].dn, kPictures[slot].non);
        button->PlaceAt(layout.buttons[slot].x, layout.buttons[slot].y);
        button->identifier = i + 1;
        buttons_[slot] = button;
    }
    buttons_[kRankingButton]->SetLabel(Sj("成績ランキング"));
    buttons_[kSubmitButton]->SetLabel(Sj("成績送信"));
    buttons_[kRegistrationButton]->SetLabel(Sj("登録情報"));
    buttons_[kBackButton]->SetLabel(Sj("戻る"));

    auto switchTo = [this](int screen) {
        return [this, screen](unsigned, int, int, CSkinButton&) {
            owner_.SwitchScreen(screen);
            owner_.InvalidateAll();
        };
    };
    buttons_[kRankingButton]->onClick = switchTo(kScreenRanking);
    buttons_[kSubmitButton]->onClick = [this](unsigned, int, int, CSkinButton&) { SubmitResults(); };
    buttons_[kRegistrationButton]->onClick = switchTo(kScreenRegistration);
    buttons_[kBackButton]->onClick = switchTo(kScreenMainMenu);
}

void CCommMenuScreen::Activate() {
    if (returningFromRegistration_) {
        returningFromRegistration_ = false;
    } else {
        // Until the server has answered, the account counts as not accepted: the notices of the
        // check show over a menu whose ranking and submission are closed.
        account_.status = AccountStatus::Empty;
        UpdateButtons();
        CheckStoredAccount();
    }
    UpdateButtons();
}

void CCommMenuScreen::ReturnFromRegistration() {
    returningFromRegistration_ = true;
    owner_.SwitchScreen(kScreenCommMenu);
    owner_.InvalidateAll();
}

void CCommMenuScreen::UpdateButtons() {
    const bool valid = account_.status == AccountStatus::Valid;
    buttons_[kRankingButton]->enabled = valid;
    buttons_[kSubmitButton]->enabled = valid;
    owner_.InvalidateAll();
}

void CCommMenuScreen::CheckStoredAccount() {
    if (account_.UserID.empty() || account_.Password.empty()) {
        account_.status = AccountStatus::Empty;
        ShowPlainNotice(popup_, NoAccountMessage());
        return;
    }
    const auto status = AwaitLink(
        owner_, link_,
        [userId = account_.UserID, password = account_.Password](const CServerLink& link) {
            return link.UserValidateRequest(userId, password);
        },
        buttons_[kBackButton]);
    // Given up: the account stays unchecked, so ranking and submission stay closed.
    if (!status) return;
    account_.status = *status;
    switch (account_.status) {
        case AccountStatus::Valid:
            // The server checks a change against the password it holds, which is this one.
            account_.previousPassword = account_.Password;
            break;
        case AccountStatus::Empty:
        case AccountStatus::Rejected:
            ShowPlainNotice(popup_, AccountInvalidMessage());
            break;
        default:
            ShowLinkFailure(popup_, account_.status, link_);
            break;
    }
}

void CCommMenuScreen::SubmitResults() {
    // The submission signs with the account as it was last registered, not with what a failed
    // change may have left in memory.
    CUserAccount stored;
    stored.Load(accountFile_);

    bool success = true;
    for (const auto& [scenarioId, records] : results_.Lists()) {
        if (scenarioId.empty()) continue;
        const ResultRecord* best = BestRecord(records);
        if (!best || best->Date.empty()) continue;
        const auto sent = AwaitLink(
            owner_, link_,
            [message = ResultMessage(stored.UserID, scenarioId, *best),
             password = stored.Password](const CServerLink& link) { return link.ResultRequest(message, password); },
            buttons_[kBackButton]);
        // Given up: the user knows the sending stopped; what was sent before stays sent.
        if (!sent) return;
        const ResultReply& reply = *sent;
        // A refused version would refuse every result alike: one notice, and nothing counts as sent.
        if (reply.outcome == LinkOutcome::VersionRefused) {
            ShowLinkFailure(popup_, reply.outcome, link_);
            return;
        }
        if (reply.outcome == LinkOutcome::Refused) {
            // A refused result was not sent, whatever the others came to.
            success = false;
            ShowPlainNotice(popup_, reply.message.empty() ? ResultRefusedMessage() : reply.message);
        }
        // A server that cannot be reached would make each further request wait for its timeout.
        if (reply.outcome == LinkOutcome::NoConnection || reply.outcome == LinkOutcome::ServerFailure) {
            success = false;
            break;
        }
    }
    ShowPlainNotice(popup_, success ? Sj("送信しました。") : Sj("送信に失敗しました。"));
}

void CCommMenuScreen::Draw(CCanvas& dc) {
    const Rect clip = dc.ClipBox();
    dc.FillSolid(clip, owner_.Skin().Colours().backdrop);
    const CBitmap& bitmap = owner_.Skin().Bitmap(backgroundBitmap);
    // Unlike the other screens, the copies stop short of the bottom of the area drawn.
    if (bitmap.Height() > 0) {
        for (int y = 0; y < clip.bottom - kBackgroundBottomGap; y += bitmap.Height()) dc.DrawBitmap(bitmap, 0, y);
    }
    CScreen::Draw(dc);
}

}  // namespace valmore
