#pragma once

// How the communication screens tell the user what a request came to: every notice goes through the
// message popup as plain text, and the failure codes of the requests have one message each.

#include <string>

#include "net/ServerLink.h"
#include "ui/Dialog.h"

namespace valmore {

// A notice of a plain text: texts from the server and the user are no markup, so a "$" in them is
// shown as a character instead of being read as a code.
void ShowPlainNotice(QVDialog& popup, std::string_view sjis);

// The notice of a failed request: no connection, a server failure (naming the server's own page) or
// a refused version. False, and nothing shown, for any other outcome or status.
bool ShowLinkFailure(QVDialog& popup, LinkOutcome outcome, const CServerLink& link);
bool ShowLinkFailure(QVDialog& popup, AccountStatus status, const CServerLink& link);

}  // namespace valmore
