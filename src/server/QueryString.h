#pragma once

// The parameters of a servlet request, read from the raw request target. Values arrive
// percent-encoded, but the trainer of old sent Shift_JIS bytes as they are; both are taken.

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace valmore {

class CQueryString {
public:
    // Reads everything after the first "?" of the target. "%XX" with two hex digits becomes that
    // byte; a "%" without them and every other byte (including "+") stands for itself. A name given
    // twice keeps its first value.
    static CQueryString Parse(std::string_view target);

    std::optional<std::string> Get(std::string_view name) const;
    // The value, or "" when the parameter is missing.
    std::string Value(std::string_view name) const;

private:
    std::map<std::string, std::string, std::less<>> values_;
};

std::string PercentDecode(std::string_view text);

}  // namespace valmore
