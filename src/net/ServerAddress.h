#pragma once

// Where the ranking server is: the --server option, else the "server" setting file in the user
// folder (its first line), else the bundled server on this machine.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace valmore {

inline constexpr std::string_view kDefaultServerUrl = "http://127.0.0.1:8787/RURadiza/servlet/";

// True for an http:// or https:// URL with a host; the form --server and the setting accept.
bool IsServerUrl(std::string_view url);

struct ServerAddress {
    std::string baseUrl;  // always ends with "/"
    std::string problem;  // why the setting file was passed over, in English; empty when it was not
};

// option: the value of --server, when given (already checked with IsServerUrl).
ServerAddress ResolveServerAddress(const std::optional<std::string>& option, const std::filesystem::path& userDir);

// The server's own front page, for the user to read about maintenance: the base URL's scheme, host
// and port with the path "/".
std::string ServerFrontPage(std::string_view baseUrl);

}  // namespace valmore
