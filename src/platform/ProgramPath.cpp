#include "platform/ProgramPath.h"

#include <algorithm>
#include <optional>
#include <system_error>

#include "platform/Sjis.h"

namespace valmore {

namespace {

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

std::string FoldedCopy(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = FoldAscii(c);
    return out;
}

// Splits at "\" and "/" that stand alone: the second byte of a two-byte character may be 0x5C
// (as in "表" or "ソ") and is part of that character, not a separator.
std::vector<std::string_view> SplitComponents(std::string_view sjis) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    std::size_t pos = 0;
    while (pos < sjis.size()) {
        const std::size_t len = SjisCharLength(sjis, pos);
        if (len == 1 && (sjis[pos] == '\\' || sjis[pos] == '/')) {
            if (pos > start) parts.push_back(sjis.substr(start, pos - start));
            start = pos + len;
        }
        pos += len;
    }
    if (pos > start) parts.push_back(sjis.substr(start, pos - start));
    return parts;
}

std::filesystem::path ListingFolder(const std::filesystem::path& dir) {
    return dir.empty() ? "." : dir;
}

// The name of the entry of dir that equals name ignoring ASCII case, if any.
std::optional<std::string> FindEntryIgnoringCase(const std::filesystem::path& dir, const std::string& name) {
    std::error_code ec;
    if (std::filesystem::exists(dir / name, ec)) return name;
    std::optional<std::string> best;
    std::filesystem::directory_iterator it(ListingFolder(dir), ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if (EqualIgnoringAsciiCase(entry, name) && (!best || entry < *best)) best = std::move(entry);
    }
    return best;
}

// Maps every component; false when a component would climb out of the base folder.
bool MapComponents(const std::filesystem::path& base, const std::vector<std::string_view>& parts,
                   std::filesystem::path* out) {
    std::filesystem::path path = base;
    bool searching = true;  // once a component is missing, those below it cannot exist either
    for (std::string_view part : parts) {
        if (part == ".") continue;
        if (part == "..") return false;
        std::string name = Cp932ToUtf8(part);
        if (searching) {
            if (auto found = FindEntryIgnoringCase(path, name)) {
                name = std::move(*found);
            } else {
                searching = false;
            }
        }
        path /= name;
    }
    *out = std::move(path);
    return true;
}

bool CharsEqual(std::string_view a, std::string_view b) {
    if (a.size() == 1 && b.size() == 1) return FoldAscii(a[0]) == FoldAscii(b[0]);
    return a == b;
}

}  // namespace

std::filesystem::path MapProgramPath(const std::filesystem::path& base, std::string_view sjisPath) {
    std::filesystem::path out;
    if (!MapComponents(base, SplitComponents(sjisPath), &out)) return {};
    return out;
}

bool MatchesProgramPattern(std::string_view pattern, std::string_view name) {
    // Greedy matching with one backtrack point for the last "*": linear in practice, never recursive.
    std::size_t p = 0;
    std::size_t n = 0;
    std::optional<std::size_t> starP;
    std::size_t starN = 0;
    while (n < name.size()) {
        const std::size_t nLen = SjisCharLength(name, n);
        if (p < pattern.size()) {
            const std::size_t pLen = SjisCharLength(pattern, p);
            const std::string_view pc = pattern.substr(p, pLen);
            if (pc == "*") {
                starP = p += pLen;
                starN = n;
                continue;
            }
            if (pc == "?" || CharsEqual(pc, name.substr(n, nLen))) {
                p += pLen;
                n += nLen;
                continue;
            }
        }
        if (!starP) return false;
        p = *starP;
        starN += SjisCharLength(name, starN);
        n = starN;
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

std::vector<std::string> FindProgramFiles(const std::filesystem::path& base, std::string_view sjisPattern) {
    std::vector<std::string_view> parts = SplitComponents(sjisPattern);
    std::vector<std::string> names;
    if (parts.empty()) return names;
    const std::string_view pattern = parts.back();
    parts.pop_back();
    std::filesystem::path dir;
    if (!MapComponents(base, parts, &dir)) return names;

    std::vector<std::pair<std::string, std::string>> found;  // folded UTF-8 name for sorting, Shift_JIS name
    std::error_code ec;
    std::filesystem::directory_iterator it(ListingFolder(dir), ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::error_code statusError;
        if (!it->is_regular_file(statusError)) continue;
        const std::string utf8 = it->path().filename().string();
        std::string sjis = Utf8ToCp932(utf8);
        if (Cp932ToUtf8(sjis) != utf8) continue;
        if (!MatchesProgramPattern(pattern, sjis)) continue;
        found.emplace_back(FoldedCopy(utf8), std::move(sjis));
    }
    std::sort(found.begin(), found.end());
    names.reserve(found.size());
    for (auto& entry : found) names.push_back(std::move(entry.second));
    return names;
}

}  // namespace valmore
