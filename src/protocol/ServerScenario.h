#pragma once

// An entry of the scenario list reply: nine fields of a scenario's header.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace valmore {

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

std::string EncodeScenarioList(const std::vector<ServerScenario>& scenarios);
// Under the comma rule; an entry the text cuts short is kept, with empty texts and zeros for what is
// missing.
std::vector<ServerScenario> DecodeScenarioList(std::string_view reply);

}  // namespace valmore
