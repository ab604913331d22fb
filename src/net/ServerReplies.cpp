#include "net/ServerReplies.h"

#include <limits>
#include <vector>

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

// The next non-empty field at or after *pos, moving *pos past it; empty at the end of the text.
// Consecutive commas make no empty fields.
std::string_view NextField(std::string_view text, std::size_t* pos) {
    while (*pos < text.size() && text[*pos] == ',') ++*pos;
    const std::size_t start = *pos;
    const std::size_t end = text.find(',', start);
    *pos = end == std::string_view::npos ? text.size() : end;
    return text.substr(start, *pos - start);
}

// The fields as views into the text, counted first so the list is made once: the parsers take a
// reply of thousands of fields apart on every ranking.
std::vector<std::string_view> FieldViews(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != ',' && (i == 0 || text[i - 1] == ',')) ++count;
    }
    std::vector<std::string_view> fields;
    fields.reserve(count);
    std::size_t pos = 0;
    for (std::string_view field = NextField(text, &pos); !field.empty(); field = NextField(text, &pos))
        fields.push_back(field);
    return fields;
}

}  // namespace

std::string UnframeReply(std::string_view body) {
    if (body.size() < kReplyPrefix.size()) return std::string(kServerFailure);
    if (body.substr(0, kVersionRefusedPrefix.size()) == kVersionRefusedPrefix) return std::string(kVersionError);
    if (body.substr(0, kReplyPrefix.size()) != kReplyPrefix) return std::string(kServerFailure);
    return std::string(body.substr(kReplyPrefix.size()));
}

std::vector<std::string> SplitReplyFields(std::string_view text) {
    const std::vector<std::string_view> views = FieldViews(text);
    return {views.begin(), views.end()};
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
    const std::vector<std::string_view> fields = FieldViews(reply);
    std::vector<ServerScenario> list;
    list.reserve((fields.size() + 8) / 9);
    for (std::size_t i = 0; i < fields.size(); i += 9) {
        auto field = [&](std::size_t k) -> std::string {
            return i + k < fields.size() ? std::string(fields[i + k]) : std::string();
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
    const std::vector<std::string_view> fields = FieldViews(reply);
    std::vector<RankingRow> rows;
    rows.reserve(fields.size() / 10 + 1);
    for (std::size_t i = 1; i < fields.size(); i += 10) {
        RankingRow row;
        for (std::size_t k = 0; k < 10 && i + k < fields.size(); ++k) row.fields[k] = fields[i + k];
        rows.push_back(std::move(row));
    }
    return rows;
}

std::optional<std::string> ResultRefusalMessage(std::string_view reply) {
    std::size_t pos = 0;
    if (NextField(reply, &pos) != "SCENARIO_VALIDATE_FAILUER") return std::nullopt;
    return std::string(NextField(reply, &pos));
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
