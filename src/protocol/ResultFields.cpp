#include "protocol/ResultFields.h"

#include <array>
#include <charconv>
#include <optional>
#include <vector>

#include "protocol/ServerProtocol.h"

namespace valmore {

namespace {

constexpr std::size_t kFieldCount = 9;

// The six numbers in their order in the message, after the three texts.
template <class Fields>
auto Numbers(Fields& f) {
    return std::array{&f.totalScore, &f.totalPL, &f.averageAmount, &f.commission, &f.tax, &f.tradeCount};
}

std::optional<std::int64_t> WholeNumber(std::string_view text) {
    std::int32_t value = 0;
    if (text.empty() || text.front() == '+') return std::nullopt;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

std::string ResultFields::Encode() const {
    std::string message;
    for (std::string_view text : {std::string_view(userId), std::string_view(scenarioId), std::string_view(date)}) {
        message += text;
        message += ',';
    }
    for (const std::int64_t* number : Numbers(*this)) AppendNumberField(message, *number);
    return message;
}

ResultFields::DecodeStatus ResultFields::Decode(std::string_view message, ResultFields* out) {
    if (!message.empty() && message.back() == ',') message.remove_suffix(1);
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t comma = message.find(',', start);
        fields.push_back(
            message.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    if (fields.size() != kFieldCount) return DecodeStatus::Malformed;
    for (std::string_view field : fields) {
        if (field.empty()) return DecodeStatus::Malformed;
    }
    ResultFields result;
    result.userId = fields[0];
    result.scenarioId = fields[1];
    result.date = fields[2];
    DecodeStatus status = DecodeStatus::Ok;
    std::size_t next = 3;
    for (std::int64_t* number : Numbers(result)) {
        const std::optional<std::int64_t> value = WholeNumber(fields[next++]);
        if (!value) status = DecodeStatus::NotANumber;
        *number = value.value_or(0);
    }
    *out = std::move(result);
    return status;
}

}  // namespace valmore
