#include "protocol/ServerScenario.h"

#include <array>

#include "protocol/ServerProtocol.h"

namespace valmore {

namespace {

constexpr std::array<ListField<ServerScenario>, 9> kEntryFields{
    &ServerScenario::ID,
    &ServerScenario::Title,
    &ServerScenario::Category,
    &ServerScenario::Mode,
    &ServerScenario::Level,
    &ServerScenario::Duration,
    &ServerScenario::EstimatedTime,
    &ServerScenario::ProductCount,
    &ServerScenario::FundAmount,
};

}  // namespace

std::string EncodeScenarioList(const std::vector<ServerScenario>& scenarios) {
    std::string body;
    for (const ServerScenario& scenario : scenarios) AppendEntry(body, scenario, kEntryFields);
    return body;
}

std::vector<ServerScenario> DecodeScenarioList(std::string_view reply) {
    return DecodeEntries(reply, 0, kEntryFields);
}

}  // namespace valmore
