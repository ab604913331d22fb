#pragma once

// What the trainer and the ranking server say to each other, written once for both ends: the
// version, the framing of a reply, the words a reply may be, what a request came to, and the comma
// rule of the reply lists. The records that travel (a submitted result, a ranking row, a scenario
// entry) each have their own header with their Encode and Decode.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace valmore {

// Sent as the VERSION parameter of every request.
inline constexpr std::string_view kProtocolVersion = "QUIVO_TARN_000_000";

// Every reply body begins with one of these; anything else is a server failure.
inline constexpr std::string_view kReplyPrefix = "RURADIZA:";
inline constexpr std::string_view kVersionRefusedPrefix = "VERERROR:";

// The failure words. A reply text equal to one of them counts as that failure: to the trainer such a
// reply and the failure itself are one.
inline constexpr std::string_view kInternetFailure = "INTERNET_FAILURE";
inline constexpr std::string_view kServerFailure = "SERVER_FAILURE";
inline constexpr std::string_view kVersionError = "VERSION_ERROR";

// The words of the account and result replies.
inline constexpr std::string_view kAccepted = "OK";
inline constexpr std::string_view kRefused = "NG";
inline constexpr std::string_view kNicknameTaken = "NICKNAME_ERROR";
inline constexpr std::string_view kResultRefused = "SCENARIO_VALIDATE_FAILUER";

// What a request came to.
enum class LinkOutcome {
    NoConnection,    // the server could not be reached
    ServerFailure,   // it answered, but not with a reply
    VersionRefused,  // it does not speak this version
    Refused,         // it answered no, with a message for the user where it gave one
    Done,
};

// A reply body read: Done with the reply text, or the failure it stands for.
struct UnframedReply {
    LinkOutcome outcome = LinkOutcome::ServerFailure;
    std::string text;
};
UnframedReply Unframe(std::string_view body);

// The bodies the server sends.
std::string FramedReply(std::string_view text);
std::string VersionRefusedReply(std::string_view message);

// Replies to the account requests. The trainer compares "OK" ignoring case, and the whole text.
enum class AccountReply { Accepted, NicknameTaken, Refused };
AccountReply ReadAccountReply(std::string_view text);
std::string_view AccountReplyText(AccountReply reply);

// A refused result: the refusal word, then the message for the user as one field.
std::string ResultRefusal(std::string_view message);
// The message of a refused result (possibly empty), or nothing for a result taken.
std::optional<std::string> ResultRefusalMessage(std::string_view reply);

// The comma rule of the reply lists: fields are separated by commas, a run of commas is one
// separator, so no field is ever empty; a list ends where the text ends.
std::vector<std::string_view> SplitFields(std::string_view text);

// Reads a list entry field by field from a start; past the end of the list, texts are empty and
// numbers 0, so an entry the text cuts short is kept with what it has.
class CFieldCursor {
public:
    CFieldCursor(const std::vector<std::string_view>& fields, std::size_t start) : fields_(fields), next_(start) {}
    std::string Text();
    std::int32_t Number();

private:
    const std::vector<std::string_view>& fields_;
    std::size_t next_;
};

// A numeric field as the trainer reads it: the leading decimal integer, clamped to 32 bits; text that
// is no number is 0.
std::int32_t ReplyNumber(std::string_view field);

// A text as the server writes it into a list: "," becomes the full-width "，" so the field cannot
// split, and an empty text becomes "----" so it cannot vanish. Followed by the separating comma.
void AppendTextField(std::string& out, std::string_view sjis);
void AppendNumberField(std::string& out, std::int64_t value);

// A list entry's fields in their order in the reply, each a text or a number member: one table
// serves writing and reading, so the two cannot disagree.
template <class Record>
using ListField = std::variant<std::string Record::*, std::int32_t Record::*, std::int64_t Record::*>;

template <class Record, std::size_t N>
void AppendEntry(std::string& out, const Record& entry, const std::array<ListField<Record>, N>& table) {
    for (const ListField<Record>& field : table) {
        std::visit(
            [&](auto member) {
                if constexpr (std::is_same_v<std::remove_cvref_t<decltype(entry.*member)>, std::string>) {
                    AppendTextField(out, entry.*member);
                } else {
                    AppendNumberField(out, entry.*member);
                }
            },
            field);
    }
}

// The entries from the field at `first` on, under the comma rule.
template <class Record, std::size_t N>
std::vector<Record> DecodeEntries(std::string_view reply, std::size_t first,
                                  const std::array<ListField<Record>, N>& table) {
    const std::vector<std::string_view> fields = SplitFields(reply);
    std::vector<Record> entries;
    if (fields.size() > first) entries.reserve((fields.size() - first + N - 1) / N);
    for (std::size_t i = first; i < fields.size(); i += N) {
        CFieldCursor cursor(fields, i);
        Record& entry = entries.emplace_back();
        for (const ListField<Record>& field : table) {
            std::visit(
                [&](auto member) {
                    if constexpr (std::is_same_v<std::remove_cvref_t<decltype(entry.*member)>, std::string>) {
                        entry.*member = cursor.Text();
                    } else {
                        entry.*member = cursor.Number();
                    }
                },
                field);
        }
    }
    return entries;
}

}  // namespace valmore
