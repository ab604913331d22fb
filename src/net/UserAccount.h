#pragma once

// The user's account on the ranking server, and its copy in the file "account" of the user folder:
// a document tree holding "UserID", "Nickname" and "Password" in Shift_JIS. The password is kept as
// plain text, so the file must be the owner's alone: it is written with permissions 0600, and a
// file others can read is refused rather than used.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "protocol/ServerProtocol.h"

namespace valmore {

// Byte limits of the three values, counted in Shift_JIS; the user dialog enforces them on input.
inline constexpr std::size_t kUserIdLimit = 32;
inline constexpr std::size_t kPasswordLimit = 16;
inline constexpr std::size_t kNicknameLimit = 20;

// The account status: what the last account request came to, or Valid while the account is good.
enum class AccountStatus {
    Valid,          // the server accepted the user ID and password
    Empty,          // the user ID or the password is empty, so nothing was asked
    Rejected,       // the server refused the account
    NicknameTaken,  // the nickname belongs to another user
    NoConnection,
    ServerFailure,
    VersionRefused,
};

// The failure of the link a status stands for; nothing for the server's own answers.
std::optional<LinkOutcome> LinkFailureOf(AccountStatus status);
// The status a failure of the link leaves; nothing for a reply.
std::optional<AccountStatus> AccountStatusOf(LinkOutcome outcome);

// Space and the ASCII punctuation except the grave accent, found only where a character begins:
// the second byte of a two-byte character is never one of them.
bool HasHalfWidthSymbol(std::string_view sjis);

// The rules the user dialog checks before it closes with OK, in their order: the message (Shift_JIS)
// of the first one the entries break, or nothing when they keep them all.
std::optional<std::string> UserEntryProblem(std::string_view userId, std::string_view password,
                                            std::string_view nickname);

enum class AccountFileStatus {
    Loaded,   // the three values were read
    Missing,  // no file yet: nothing to tell the user
    Refused,  // others may read the file; it was not read
    Damaged,  // the file could not be read as an account; the values stay empty
};

struct AccountFileResult {
    AccountFileStatus status = AccountFileStatus::Missing;
    std::string message;  // for the user, Shift_JIS; empty for Loaded and Missing

    bool Ok() const { return status == AccountFileStatus::Loaded || status == AccountFileStatus::Missing; }
};

class CUserAccount {
public:
    std::string UserID;
    std::string Password;
    std::string Nickname;
    std::string previousPassword;  // sent with a change; the server checks it against the stored one
    AccountStatus status = AccountStatus::Valid;

    static std::filesystem::path FileIn(const std::filesystem::path& userDir) { return userDir / "account"; }

    // Reads the three values from the file. On anything but Loaded they are left empty. Values longer
    // than their limits are cut at a character boundary.
    AccountFileResult Load(const std::filesystem::path& file);
    // Replaces the file atomically with the three values, readable by the owner only. On failure
    // the previous file is untouched and *message (Shift_JIS) says why, with the system's error number
    // of a failed write in *errorNumber (0 otherwise).
    bool Save(const std::filesystem::path& file, std::string* message, int* errorNumber = nullptr) const;
};

}  // namespace valmore
