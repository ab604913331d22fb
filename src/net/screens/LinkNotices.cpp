#include "net/screens/LinkNotices.h"

#include "net/ServerAddress.h"
#include "net/ServerMessages.h"
#include "ui/MarkupText.h"

namespace valmore {

void ShowPlainNotice(QVDialog& popup, std::string_view sjis) {
    popup.Show(QVDialog::kModeNotice, EscapeMarkup(sjis));
}

bool ShowLinkFailure(QVDialog& popup, std::int32_t code, const CServerLink& link) {
    switch (code) {
        case -1:
            ShowPlainNotice(popup, NoInternetMessage());
            return true;
        case -2:
            ShowPlainNotice(popup, ServerFailureMessage(ServerFrontPage(link.BaseUrl())));
            return true;
        case -3:
            ShowPlainNotice(popup, VersionRefusedMessage());
            return true;
        default:
            return false;
    }
}

}  // namespace valmore
