#pragma once

// How the communication screens tell the user what a request came to: every notice goes through the
// message popup as plain text, and the failure codes of the requests have one message each.

#include <cstdint>
#include <string>

#include "net/ServerLink.h"
#include "ui/Dialog.h"

namespace valmore {

// A notice of a plain text: texts from the server and the user are no markup, so a "$" in them is
// shown as a character instead of being read as a code.
void ShowPlainNotice(QVDialog& popup, std::string_view sjis);

// The notice of a failure code: no connection (-1), a server failure (-2, naming the server's own
// page) or a refused version (-3). False, and nothing shown, for any other code.
bool ShowLinkFailure(QVDialog& popup, std::int32_t code, const CServerLink& link);

}  // namespace valmore
