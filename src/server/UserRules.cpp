#include "server/UserRules.h"

#include "platform/Sjis.h"

namespace valmore {

namespace {

bool IsHalfWidthSymbol(unsigned char c) {
    return c < 0x30 || (c >= 0x3A && c <= 0x40) || (c >= 0x5B && c <= 0x5F) || (c >= 0x7B && c <= 0x7F);
}

bool KeepsRules(std::string_view sjis, std::size_t maxBytes) {
    return !sjis.empty() && sjis.size() <= maxBytes && !ContainsHalfWidthSymbol(sjis);
}

}  // namespace

bool ContainsHalfWidthSymbol(std::string_view sjis) {
    for (std::size_t pos = 0; pos < sjis.size();) {
        const std::size_t length = SjisCharLength(sjis, pos);
        if (length == 1 && IsHalfWidthSymbol(static_cast<unsigned char>(sjis[pos]))) return true;
        pos += length;
    }
    return false;
}

bool IsValidUserId(std::string_view sjis) {
    return KeepsRules(sjis, kMaxUserIdBytes);
}
bool IsValidPassword(std::string_view sjis) {
    return KeepsRules(sjis, kMaxPasswordBytes);
}
bool IsValidNickname(std::string_view sjis) {
    return KeepsRules(sjis, kMaxNicknameBytes);
}

}  // namespace valmore
