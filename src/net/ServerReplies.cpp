#include "net/ServerReplies.h"

#include <limits>

namespace valmore {

namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// The codes shared by the requests whose replies carry data.
std::int32_t DataReplyCode(std::string_view fetched, std::int32_t serverFailure, std::int32_t internetFailure,
                           std::int32_t reply) {
    if (fetched == kVersionError) return -3;
    if (fetched == kServerFailure) return serverFailure;
    if (fetched == kInternetFailure) return internetFailure;
    return reply;
}

}  // namespace

std::string UnframeReply(std::string_view body) {
    if (body.size() < kReplyPrefix.size()) return std::string(kServerFailure);
    if (body.substr(0, kVersionRefusedPrefix.size()) == kVersionRefusedPrefix) return std::string(kVersionError);
    if (body.substr(0, kReplyPrefix.size()) != kReplyPrefix) return std::string(kServerFailure);
    return std::string(body.substr(kReplyPrefix.size()));
}

std::vector<std::string> SplitReplyFields(std::string_view text) {
    std::vector<std::string> fields;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == ',') {
            ++pos;
            continue;
        }
        const std::size_t end = text.find(',', pos);
        const std::size_t stop = end == std::string_view::npos ? text.size() : end;
        fields.emplace_back(text.substr(pos, stop - pos));
        pos = stop;
    }
    return fields;
}

std::int32_t ReplyNumber(std::string_view field) {
    std::size_t pos = 0;
    while (pos < field.size() && (field[pos] == ' ' || field[pos] == '\t')) ++pos;
    bool negative = false;
    if (pos < field.size() && (field[pos] == '-' || field[pos] == '+')) negative = field[pos++] == '-';
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1;
    for (; pos < field.size() && field[pos] >= '0' && field[pos] <= '9'; ++pos) {
        value = value * 10 + (field[pos] - '0');
        if (value > kLimit) value = kLimit;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<std::int32_t>::max()) value = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

std::vector<ServerScenario> ParseScenarioList(std::string_view reply) {
    const std::vector<std::string> fields = SplitReplyFields(reply);
    std::vector<ServerScenario> list;
    for (std::size_t i = 0; i < fields.size(); i += 9) {
        auto field = [&](std::size_t k) -> std::string {
            return i + k < fields.size() ? fields[i + k] : std::string();
        };
        ServerScenario s;
        s.ID = field(0);
        s.Title = field(1);
        s.Category = ReplyNumber(field(2));
        s.Mode = ReplyNumber(field(3));
        s.Level = field(4);
        s.Duration = field(5);
        s.EstimatedTime = field(6);
        s.ProductCount = ReplyNumber(field(7));
        s.FundAmount = ReplyNumber(field(8));
        list.push_back(std::move(s));
    }
    return list;
}

std::vector<RankingRow> ParseRanking(std::string_view reply) {
    const std::vector<std::string> fields = SplitReplyFields(reply);
    std::vector<RankingRow> rows;
    for (std::size_t i = 1; i < fields.size(); i += 10) {
        RankingRow row;
        for (std::size_t k = 0; k < 10 && i + k < fields.size(); ++k) row.fields[k] = fields[i + k];
        rows.push_back(std::move(row));
    }
    return rows;
}

std::optional<std::string> ResultRefusalMessage(std::string_view reply) {
    const std::vector<std::string> fields = SplitReplyFields(reply);
    if (fields.empty() || fields[0] != "SCENARIO_VALIDATE_FAILUER") return std::nullopt;
    return fields.size() > 1 ? fields[1] : std::string();
}

std::int32_t ScenarioListCode(std::string_view fetched) {
    return DataReplyCode(fetched, -2, -1, 0);
}

std::int32_t RankingCode(std::string_view fetched) {
    return DataReplyCode(fetched, 0, 0, 1);
}

std::int32_t ResultCode(std::string_view fetched) {
    return DataReplyCode(fetched, 0, 0, 1);
}

std::int32_t UserValidateCode(std::string_view fetched) {
    return DataReplyCode(fetched, -2, -1, EqualsIgnoringCase(fetched, "OK") ? 0 : 3);
}

std::int32_t ChangeUserInfoCode(std::string_view fetched) {
    if (fetched == "NICKNAME_ERROR") return 4;
    return DataReplyCode(fetched, -2, -1, EqualsIgnoringCase(fetched, "OK") ? 0 : 3);
}

}  // namespace valmore
