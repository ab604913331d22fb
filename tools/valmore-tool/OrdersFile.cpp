#include "OrdersFile.h"

#include <charconv>
#include <sstream>

namespace valmore {

namespace {

constexpr std::int64_t kMaxBuyShares = 1000000;

bool ParseToken(std::string_view token, const ScenarioProduct& product, DayOrder* order, std::string* why) {
    if (token == "P") {
        *order = DayOrder{1, 0};
        return true;
    }
    if (token.size() < 2 || (token[0] != 'B' && token[0] != 'S')) {
        *why = "\"" + std::string(token) + "\" is not B<shares>, S<shares> or P";
        return false;
    }
    std::int64_t shares = 0;
    auto [end, ec] = std::from_chars(token.data() + 1, token.data() + token.size(), shares);
    if (ec != std::errc() || end != token.data() + token.size()) {
        *why = "\"" + std::string(token) + "\" does not give a whole number of shares";
        return false;
    }
    if (shares <= 0 || shares % product.UnitQty != 0) {
        *why = "\"" + std::string(token) + "\" is not a positive multiple of the unit of " +
               std::to_string(product.UnitQty) + " shares";
        return false;
    }
    if (token[0] == 'B' && shares > kMaxBuyShares) {
        *why = "\"" + std::string(token) + "\" buys more than 1,000,000 shares";
        return false;
    }
    // Sells are bounded by the short-sale rule when the day is played; this only keeps the number sane.
    if (shares > kMaxBuyShares * 1000) {
        *why = "\"" + std::string(token) + "\" is too large";
        return false;
    }
    *order = DayOrder{token[0] == 'B' ? 0 : 2, static_cast<std::int32_t>(shares)};
    return true;
}

}  // namespace

std::vector<DayOrder> OrdersFile::ForDay(int day, int productCount) const {
    if (day >= 0 && day < static_cast<int>(days.size())) return days[static_cast<std::size_t>(day)];
    return std::vector<DayOrder>(static_cast<std::size_t>(productCount));
}

bool ParseOrdersFile(std::string_view text, const CScenario& scenario, OrdersFile* orders, std::string* error) {
    orders->days.clear();
    int lineNumber = 0;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string line(text.substr(pos, end - pos));
        pos = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream tokens(line);
        std::vector<std::string> words;
        for (std::string word; tokens >> word;) words.push_back(word);
        if (words.empty() || words[0][0] == '#') continue;

        auto fail = [&](const std::string& why) {
            *error = "line " + std::to_string(lineNumber) + ": " + why;
            return false;
        };
        if (static_cast<int>(orders->days.size()) >= scenario.EventCount())
            return fail("more order lines than the scenario has days (" + std::to_string(scenario.EventCount()) + ")");
        if (static_cast<int>(words.size()) != scenario.ProductCount())
            return fail("expected " + std::to_string(scenario.ProductCount()) + " tokens, one per product, found " +
                        std::to_string(words.size()));
        std::vector<DayOrder> day(words.size());
        for (std::size_t i = 0; i < words.size(); ++i) {
            std::string why;
            if (!ParseToken(words[i], scenario.products[i], &day[i], &why)) return fail(why);
        }
        orders->days.push_back(std::move(day));
    }
    return true;
}

}  // namespace valmore
