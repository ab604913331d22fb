#include "net/ServerAddress.h"

#include "platform/AtomicFile.h"

namespace valmore {

namespace {

std::size_t SchemeLength(std::string_view url) {
    for (std::string_view scheme : {"http://", "https://"}) {
        if (url.size() >= scheme.size()) {
            bool same = true;
            for (std::size_t i = 0; i < scheme.size(); ++i) {
                char c = url[i];
                if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
                same = same && c == scheme[i];
            }
            if (same) return scheme.size();
        }
    }
    return 0;
}

std::string WithSlash(std::string url) {
    if (url.empty() || url.back() != '/') url += '/';
    return url;
}

std::string_view Trim(std::string_view text) {
    const std::string_view blanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

}  // namespace

bool IsServerUrl(std::string_view url) {
    const std::size_t scheme = SchemeLength(url);
    if (scheme == 0 || scheme >= url.size() || url[scheme] == '/') return false;
    for (const char c : url) {
        const auto b = static_cast<unsigned char>(c);
        if (b <= 0x20 || b >= 0x7F) return false;
    }
    return true;
}

ServerAddress ResolveServerAddress(const std::optional<std::string>& option, const std::filesystem::path& userDir) {
    if (option) return {WithSlash(*option), {}};
    const std::filesystem::path setting = userDir / "server";
    std::string bytes;
    std::error_code ec;
    if (!userDir.empty() && std::filesystem::is_regular_file(setting, ec) && ReadWholeFile(setting, &bytes)) {
        const std::string_view line = Trim(std::string_view(bytes).substr(0, bytes.find('\n')));
        if (IsServerUrl(line)) return {WithSlash(std::string(line)), {}};
        return {std::string(kDefaultServerUrl), setting.string() + ": not an http:// URL, the bundled server is used"};
    }
    return {std::string(kDefaultServerUrl), {}};
}

std::string ServerFrontPage(std::string_view baseUrl) {
    const std::size_t scheme = SchemeLength(baseUrl);
    const std::size_t pathStart = baseUrl.find_first_of("/?#", scheme);
    return std::string(baseUrl.substr(0, pathStart)) + "/";
}

}  // namespace valmore
