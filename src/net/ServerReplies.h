#pragma once

// The server's replies, read without any network: the framing of a fetched body, the failure words
// that stand in for a reply, the field reader, the list parsers and the result codes each request
// gives its caller. Everything here takes text and returns values, so a fuzzer can drive it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace valmore {

// Sent as the VERSION parameter of every request.
inline constexpr std::string_view kProtocolVersion = "QUIVO_TARN_000_000";

// The reply framing and the words FetchUrl returns instead of a reply.
inline constexpr std::string_view kReplyPrefix = "RURADIZA:";
inline constexpr std::string_view kVersionRefusedPrefix = "VERERROR:";
inline constexpr std::string_view kInternetFailure = "INTERNET_FAILURE";
inline constexpr std::string_view kServerFailure = "SERVER_FAILURE";
inline constexpr std::string_view kVersionError = "VERSION_ERROR";

// The reply text of a received body, or the failure word for a body that is not a proper reply.
std::string UnframeReply(std::string_view body);

// Fields separated by commas; a run of commas is one separator, so no field is ever empty.
std::vector<std::string> SplitReplyFields(std::string_view text);

// A numeric field: the leading decimal integer, clamped to 32 bits; text that is no number is 0.
std::int32_t ReplyNumber(std::string_view field);

struct ServerScenario {
    std::string ID;
    std::string Title;
    std::int32_t Category = 0;
    std::int32_t Mode = 0;
    std::string Level;
    std::string Duration;
    std::string EstimatedTime;
    std::int32_t ProductCount = 0;
    std::int32_t FundAmount = 0;

    bool operator==(const ServerScenario&) const = default;
};

struct RankingRow {
    std::array<std::string, 10> fields;  // field n of the row is fields[n - 1]

    const std::string& Field(int n) const { return fields[static_cast<std::size_t>(n - 1)]; }
    bool operator==(const RankingRow&) const = default;
};

// Nine fields per scenario, ten per ranking row (after the ranking's unused first field). An entry
// the text cuts short is kept, with empty texts and zeros for what is missing.
std::vector<ServerScenario> ParseScenarioList(std::string_view reply);
std::vector<RankingRow> ParseRanking(std::string_view reply);

// The message for the user when the server refuses a submitted result, or nothing.
std::optional<std::string> ResultRefusalMessage(std::string_view reply);

// Result codes from what FetchUrl returned (a reply or a failure word).
std::int32_t ScenarioListCode(std::string_view fetched);
std::int32_t RankingCode(std::string_view fetched);
std::int32_t ResultCode(std::string_view fetched);
std::int32_t UserValidateCode(std::string_view fetched);
std::int32_t ChangeUserInfoCode(std::string_view fetched);

}  // namespace valmore
