#pragma once

// AwaitWork for work that returns a value: the value once the work has finished, nothing when it
// was given up. The worker writes into a slot it shares, so a request given up and still winding
// down never writes into the caller's objects.

#include <atomic>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

#include "ui/ViewHost.h"

namespace valmore {

template <class Work>
auto AwaitResult(IViewHost& host, Work work, CPanel* giveUp = nullptr)
    -> std::optional<std::invoke_result_t<Work&, const std::atomic<bool>&>> {
    using Result = std::invoke_result_t<Work&, const std::atomic<bool>&>;
    auto slot = std::make_shared<std::optional<Result>>();
    const bool finished = host.AwaitWork(
        [slot, work = std::move(work)](const std::atomic<bool>& givenUp) mutable { slot->emplace(work(givenUp)); },
        giveUp);
    if (!finished) return std::nullopt;
    return std::move(*slot);
}

}  // namespace valmore
