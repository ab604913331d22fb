#pragma once

// The notices of the server link, in Shift_JIS, for the screens to show.

#include <string>
#include <string_view>

namespace valmore {

std::string NoInternetMessage();                               // result code -1
std::string ServerFailureMessage(std::string_view frontPage);  // result code -2, naming where to read more
std::string NoAccountMessage();                                // no user ID and password stored
std::string AccountInvalidMessage();                           // the stored account is no longer accepted
std::string AccountRejectedMessage();                          // validation or change refused (1 or 3)
std::string VersionRefusedMessage();                           // result code -3
std::string ResultRefusedMessage();     // a submitted result refused without the server saying why
std::string RankingNotLoadedMessage();  // shown in the ranking table when its page could not be had

}  // namespace valmore
