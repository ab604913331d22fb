#pragma once

// The in-memory scenario: the header, the products and market figures the play starts from, and the
// trading days (events). Filled by LoadScenario; one per play.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace valmore {

constexpr int kMaxProducts = 3;
constexpr int kMaxEvents = 200;
constexpr int kMaxTexts = 99;  // "PrdInfo" and "Resource" texts, numbered 1 to 99

struct ScenarioHeader {
    std::string ID;
    std::string Title;
    std::int32_t Category = 0;
    std::int32_t Mode = 0;
    std::int32_t Level = 0;
    std::string Duration;
    std::string EstimatedTime;
    int ProductCount = 0;
    std::int32_t FundAmount = 0;

    bool operator==(const ScenarioHeader&) const = default;
};

// A product as the scenario defines it; the market takes these at the start of a play.
struct ScenarioProduct {
    std::string Name;
    std::string Code;
    std::int32_t Price = 0;
    std::int32_t UnitQty = 1000;
    std::int32_t TicPrice = 10;
    std::int32_t InfoNo = 0;

    bool operator==(const ScenarioProduct&) const = default;
};

// The "Market" section: the figures the market starts with.
struct ScenarioMarket {
    double Interest = 0.0;
    double Exchange = 0.0;
    double N225 = 0.0;

    bool operator==(const ScenarioMarket&) const = default;
};

struct ScenarioEvent {
    std::optional<std::string> Date;
    std::optional<std::string> DOW;
    std::optional<std::string> HeadLine;
    std::optional<std::string> Detail;
    std::optional<std::string> Info;
    // One entry per product (the ProductMotion of the day).
    std::array<std::int32_t, kMaxProducts> Price{};
    std::array<std::int32_t, kMaxProducts> Dividend{};
    std::array<std::int32_t, kMaxProducts> PrdInfo{-1, -1, -1};
    std::array<std::int32_t, kMaxProducts> Judge{3, 3, 3};
    double Interest = 0.0;
    double N225 = 0.0;
    double Exchange = 0.0;

    bool operator==(const ScenarioEvent&) const = default;
};

// Texts numbered 1 to 99; slot 0 is never filled.
struct TextTable {
    std::array<std::optional<std::string>, kMaxTexts + 1> slots;

    const std::optional<std::string>& operator[](int number) const;
    void Clear() { slots = {}; }
    bool operator==(const TextTable&) const = default;
};
using PrdInfoTable = TextTable;
using ResourceTable = TextTable;

class CScenario {
public:
    ScenarioHeader header;
    std::array<ScenarioProduct, kMaxProducts> products;
    ScenarioMarket market;
    std::vector<ScenarioEvent> events;  // 1 to 200 days
    int CurrentEventListIndex = 0;

    int EventCount() const { return static_cast<int>(events.size()); }
    int ProductCount() const { return header.ProductCount; }
    // The day being played; valid while CurrentEventListIndex is below the event count.
    const ScenarioEvent& CurrentEvent() const { return events.at(static_cast<std::size_t>(CurrentEventListIndex)); }
    // The Date of the current day, or "" once the last day has been played.
    std::string CurrentDate() const;

    bool operator==(const CScenario&) const = default;
};

// Maps the "Judge" value of a Motion entry to its code: first character "1", "2" or "3" gives 1, 2, 3,
// anything else 0; a missing key gives 3.
std::int32_t JudgeCodeFromText(const std::optional<std::string>& value);

}  // namespace valmore
