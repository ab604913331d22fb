#include "server/QueryString.h"

namespace valmore {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::string PercentDecode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int high = HexValue(text[i + 1]);
            const int low = HexValue(text[i + 2]);
            if (high >= 0 && low >= 0) {
                out.push_back(static_cast<char>(high * 16 + low));
                i += 2;
                continue;
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

CQueryString CQueryString::Parse(std::string_view target) {
    CQueryString query;
    const std::size_t question = target.find('?');
    if (question == std::string_view::npos) return query;
    std::string_view rest = target.substr(question + 1);
    // A fragment never reaches a server from a browser, but a hand-made request may carry one.
    const std::size_t hash = rest.find('#');
    if (hash != std::string_view::npos) rest = rest.substr(0, hash);
    while (!rest.empty()) {
        const std::size_t amp = rest.find('&');
        const std::string_view pair = rest.substr(0, amp);
        rest = amp == std::string_view::npos ? std::string_view{} : rest.substr(amp + 1);
        if (pair.empty()) continue;
        const std::size_t equals = pair.find('=');
        const std::string name = PercentDecode(pair.substr(0, equals));
        const std::string value =
            equals == std::string_view::npos ? std::string{} : PercentDecode(pair.substr(equals + 1));
        query.values_.emplace(name, value);
    }
    return query;
}

std::optional<std::string> CQueryString::Get(std::string_view name) const {
    const auto found = values_.find(name);
    if (found == values_.end()) return std::nullopt;
    return found->second;
}

std::string CQueryString::Value(std::string_view name) const {
    return Get(name).value_or(std::string{});
}

}  // namespace valmore
