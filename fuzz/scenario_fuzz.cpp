// A scenario file of any content is either loaded or refused with a reason; it never crashes,
// hangs or leaks, and a refused file leaves the previous scenario untouched.

#include <cstddef>
#include <cstdint>
#include <string>

#include "scenario/ScenarioLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    valmore::CScenario scenario;
    valmore::TextTable prdInfo;
    valmore::TextTable resources;
    valmore::ScenarioLoadResult result = valmore::LoadScenarioFromBytes(
        std::string(reinterpret_cast<const char*>(data), size), "fuzz.scn", scenario, prdInfo, resources);
    if (!result.ok && result.problems.empty()) __builtin_trap();
    if (!result.ok && (!(scenario == valmore::CScenario{}) || !(prdInfo == valmore::TextTable{}))) __builtin_trap();
    return 0;
}
