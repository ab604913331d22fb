#pragma once

// The rules the trainer's user dialog keeps for a user ID, a password and a nickname. The server
// keeps the same rules, so an account it stores can always be typed into that dialog again.

#include <cstddef>
#include <string_view>

namespace valmore {

constexpr std::size_t kMaxUserIdBytes = 32;
constexpr std::size_t kMaxPasswordBytes = 16;
constexpr std::size_t kMaxNicknameBytes = 20;

// Space and ASCII punctuation except the grave accent, found with Shift_JIS stepping so that the
// trail byte of a double-byte character never counts. Control bytes, which no edit field can
// produce, count as well.
bool ContainsHalfWidthSymbol(std::string_view sjis);

bool IsValidUserId(std::string_view sjis);
bool IsValidPassword(std::string_view sjis);
bool IsValidNickname(std::string_view sjis);

}  // namespace valmore
