#include "protocol/ServerProtocol.h"

#include <limits>

#include "platform/Sjis.h"

namespace valmore {

namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// The next field at or after *pos, moving *pos past it; empty at the end of the text.
std::string_view NextField(std::string_view text, std::size_t* pos) {
    while (*pos < text.size() && text[*pos] == ',') ++*pos;
    const std::size_t start = *pos;
    const std::size_t end = text.find(',', start);
    *pos = end == std::string_view::npos ? text.size() : end;
    return text.substr(start, *pos - start);
}

}  // namespace

UnframedReply Unframe(std::string_view body) {
    if (body.size() < kReplyPrefix.size()) return {LinkOutcome::ServerFailure, {}};
    if (body.substr(0, kVersionRefusedPrefix.size()) == kVersionRefusedPrefix) return {LinkOutcome::VersionRefused, {}};
    if (body.substr(0, kReplyPrefix.size()) != kReplyPrefix) return {LinkOutcome::ServerFailure, {}};
    const std::string_view text = body.substr(kReplyPrefix.size());
    if (text == kInternetFailure) return {LinkOutcome::NoConnection, {}};
    if (text == kServerFailure) return {LinkOutcome::ServerFailure, {}};
    if (text == kVersionError) return {LinkOutcome::VersionRefused, {}};
    return {LinkOutcome::Done, std::string(text)};
}

std::string FramedReply(std::string_view text) {
    return std::string(kReplyPrefix) + std::string(text);
}

std::string VersionRefusedReply(std::string_view message) {
    return std::string(kVersionRefusedPrefix) + std::string(message);
}

AccountReply ReadAccountReply(std::string_view text) {
    if (text == kNicknameTaken) return AccountReply::NicknameTaken;
    return EqualsIgnoringCase(text, kAccepted) ? AccountReply::Accepted : AccountReply::Refused;
}

std::string_view AccountReplyText(AccountReply reply) {
    switch (reply) {
        case AccountReply::Accepted:
            return kAccepted;
        case AccountReply::NicknameTaken:
            return kNicknameTaken;
        case AccountReply::Refused:
            break;
    }
    return kRefused;
}

std::string ResultRefusal(std::string_view message) {
    std::string out(kResultRefused);
    out += ',';
    AppendTextField(out, message);
    // The message is the last field: no comma follows it.
    out.pop_back();
    return out;
}

std::optional<std::string> ResultRefusalMessage(std::string_view reply) {
    std::size_t pos = 0;
    if (NextField(reply, &pos) != kResultRefused) return std::nullopt;
    return std::string(NextField(reply, &pos));
}

std::vector<std::string_view> SplitFields(std::string_view text) {
    // Counted first so the list is made once: a ranking reply has thousands of fields.
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

std::string CFieldCursor::Text() {
    return next_ < fields_.size() ? std::string(fields_[next_++]) : std::string();
}

std::int32_t CFieldCursor::Number() {
    return next_ < fields_.size() ? ReplyNumber(fields_[next_++]) : 0;
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

void AppendTextField(std::string& out, std::string_view sjis) {
    if (sjis.empty()) {
        out += "----,";
        return;
    }
    static const std::string kFullWidthComma = Sj("，");
    // A comma never occurs as the second byte of a Shift_JIS character, so bytes can be replaced.
    for (const char c : sjis) {
        if (c == ',') {
            out += kFullWidthComma;
        } else {
            out.push_back(c);
        }
    }
    out += ',';
}

void AppendNumberField(std::string& out, std::int64_t value) {
    out += std::to_string(value);
    out += ',';
}

}  // namespace valmore
