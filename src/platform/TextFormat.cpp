#include "platform/TextFormat.h"

#include <cstdio>
#include <string_view>

namespace valmore {

namespace {

// Inserts a comma before every group of three digits counted from the right.
void AppendGroupedDigits(std::string_view digits, std::string* out) {
    std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out->push_back(',');
        out->push_back(digits[i]);
    }
}

}  // namespace

std::string FormatGrouped(std::int64_t value) {
    // The magnitude is taken unsigned so the most negative value has one too.
    std::uint64_t magnitude = value < 0 ? static_cast<std::uint64_t>(0) - static_cast<std::uint64_t>(value)
                                        : static_cast<std::uint64_t>(value);
    char digits[24];
    int len = std::snprintf(digits, sizeof digits, "%llu", static_cast<unsigned long long>(magnitude));
    std::string out;
    if (value < 0) out.push_back('-');
    AppendGroupedDigits(std::string_view(digits, static_cast<std::size_t>(len)), &out);
    return out;
}

std::string FormatGroupedReal(double value) {
    int len = std::snprintf(nullptr, 0, "%.2f", value);
    if (len <= 0) return std::string();
    std::string text(static_cast<std::size_t>(len), '\0');
    std::snprintf(text.data(), text.size() + 1, "%.2f", value);

    std::string_view body = text;
    bool negative = !body.empty() && body.front() == '-';
    if (negative) body.remove_prefix(1);
    // "inf" and "nan" have no point and two decimals to split off; they are shown as printed.
    if (body.size() < 4 || body[body.size() - 3] != '.') return text;

    std::string out;
    if (negative) out.push_back('-');
    AppendGroupedDigits(body.substr(0, body.size() - 3), &out);
    out.append(body.substr(body.size() - 3));
    return out;
}

}  // namespace valmore
