#include "net/screens/LinkNotices.h"

#include "net/ServerAddress.h"
#include "net/ServerMessages.h"
#include "ui/MarkupText.h"

namespace valmore {

void ShowPlainNotice(QVDialog& popup, std::string_view sjis) {
    popup.Show(QVDialog::kModeNotice, EscapeMarkup(sjis));
}

bool ShowLinkFailure(QVDialog& popup, LinkOutcome outcome, const CServerLink& link) {
    switch (outcome) {
        case LinkOutcome::NoConnection:
            ShowPlainNotice(popup, NoInternetMessage());
            return true;
        case LinkOutcome::ServerFailure:
            ShowPlainNotice(popup, ServerFailureMessage(ServerFrontPage(link.BaseUrl())));
            return true;
        case LinkOutcome::VersionRefused:
            ShowPlainNotice(popup, VersionRefusedMessage());
            return true;
        case LinkOutcome::Refused:
        case LinkOutcome::Done:
            break;
    }
    return false;
}

bool ShowLinkFailure(QVDialog& popup, AccountStatus status, const CServerLink& link) {
    const std::optional<LinkOutcome> failure = LinkFailureOf(status);
    return failure && ShowLinkFailure(popup, *failure, link);
}

}  // namespace valmore
