// The user's snapshot store as read at every start and written at every suspension: thirteen stopped
// plays of sixty days with a lot opened on every day, and the copy of a portfolio that each trial
// run of a day's orders makes.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "sim/SnapshotStore.h"

namespace valmore {
namespace {

SnapshotRecord StoppedPlay(int days) {
    SnapshotRecord record;
    record.CurrentEventListIndex = days;
    record.market.ProductCount = kMaxProducts;
    for (int i = 0; i < kMaxProducts; ++i) {
        MarketProduct& product = record.market.Products[static_cast<std::size_t>(i)];
        product.name = "product " + std::to_string(i);
        product.prdCode = std::to_string(1000 + i);
        product.currentPrice = 1500;
        product.firstPrice = 1000;
        Equity& holding = record.position.Equities[static_cast<std::size_t>(i)];
        holding.ProductIndex = i;
        for (int day = 0; day < days; ++day)
            holding.PushLot({1000 + day, 1000, 1500, "2026/01/" + std::to_string(day)});
    }
    record.history.Resize(days + 1);
    return record;
}

class StoreFolder {
public:
    StoreFolder() {
        path_ = std::filesystem::temp_directory_path() / ("valmore-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path_);
    }
    ~StoreFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::filesystem::path File() const { return path_ / "snapshot.dat"; }

private:
    std::filesystem::path path_;
};

CSnapshotStore FullStore() {
    CSnapshotStore store;
    for (int i = 0; i < 13; ++i) store.Store("scenario" + std::to_string(i), StoppedPlay(60));
    return store;
}

void BM_SnapshotStoreLoad(benchmark::State& state) {
    StoreFolder folder;
    CSnapshotStore written = FullStore();
    if (!written.Save(folder.File()).ok) std::abort();
    for (auto _ : state) {
        CSnapshotStore store;
        if (!store.Load(folder.File()).Ok()) state.SkipWithError("the store did not load");
        benchmark::DoNotOptimize(store.Count());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * std::filesystem::file_size(folder.File())));
}
BENCHMARK(BM_SnapshotStoreLoad)->Unit(benchmark::kMillisecond);

void BM_SnapshotStoreSave(benchmark::State& state) {
    StoreFolder folder;
    CSnapshotStore store = FullStore();
    for (auto _ : state) {
        if (!store.Save(folder.File()).ok) state.SkipWithError("the store was not saved");
    }
}
BENCHMARK(BM_SnapshotStoreSave)->Unit(benchmark::kMillisecond);

void BM_PortfolioCopy(benchmark::State& state) {
    const CPosition position = StoppedPlay(static_cast<int>(state.range(0))).position;
    for (auto _ : state) {
        CPosition trial = position;
        benchmark::DoNotOptimize(trial.CashAmount);
    }
}
BENCHMARK(BM_PortfolioCopy)->Arg(0)->Arg(60);

}  // namespace
}  // namespace valmore
