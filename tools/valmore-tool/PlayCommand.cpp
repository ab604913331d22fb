// `valmore-tool play`: the game's own day steps, driven by an orders file instead of the screens.

#include <cstdio>
#include <iostream>
#include <optional>

#include "Commands.h"
#include "OrdersFile.h"
#include "platform/AtomicFile.h"
#include "results/ResultRecordFromFigures.h"
#include "results/ResultStore.h"
#include "scenario/ScenarioLoader.h"
#include "sim/Play.h"
#include "sim/SnapshotStore.h"

namespace valmore {

namespace {

constexpr const char* kPlayUsage =
    "play SCENARIO --orders FILE [--results RESULTFILE] [--days] "
    "[--suspend-after K --snapshot SNAPFILE] [--resume --snapshot SNAPFILE]";

struct PlayOptions {
    std::string scenario;
    std::string orders;
    std::string results;
    std::string snapshot;
    std::optional<int> suspendAfter;
    bool resume = false;
    bool days = false;
};

bool ParseOptions(const std::vector<std::string>& args, PlayOptions* options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string* out) {
            if (i + 1 >= args.size()) return false;
            *out = args[++i];
            return true;
        };
        if (arg == "--orders") {
            if (!value(&options->orders)) return false;
        } else if (arg == "--results") {
            if (!value(&options->results)) return false;
        } else if (arg == "--snapshot") {
            if (!value(&options->snapshot)) return false;
        } else if (arg == "--suspend-after") {
            std::string k;
            if (!value(&k) || k.empty() || k.find_first_not_of("0123456789") != std::string::npos || k.size() > 4)
                return false;
            options->suspendAfter = std::stoi(k);
        } else if (arg == "--resume") {
            options->resume = true;
        } else if (arg == "--days") {
            options->days = true;
        } else if (arg.rfind("--", 0) != 0 && options->scenario.empty()) {
            options->scenario = arg;
        } else {
            return false;
        }
    }
    if (options->scenario.empty() || options->orders.empty()) return false;
    if ((options->suspendAfter || options->resume) && options->snapshot.empty()) return false;
    if (options->suspendAfter && options->resume) return false;
    return true;
}

int Fail(const std::string& message) {
    std::cerr << message << "\n";
    return 1;
}

void PrintDay(const CPlay& play, int day) {
    const CPosition& position = play.Position();
    std::string holdings;
    for (int p = 0; p < play.Market().ProductCount; ++p) {
        if (p > 0) holdings += ",";
        holdings += std::to_string(position.Holding(p).SignedQuantity());
    }
    std::printf("Day %d: CashAmount=%d Available=%d Holdings=%s\n", day, position.CashAmount,
                position.AvailableCash(), holdings.c_str());
}

void PrintFigures(const FinalFigures& f, std::int32_t cash) {
    std::printf(
        "TotalScore: %d\nTechnicalScore: %d\nLogicalScore: %d\nTotalPL: %d\nRealizedPL: %d\nUnrealizedPL: %d\n"
        "Commition: %d\nTax: %d\nTradeCount: %d\nAvarageAmount: %d\nCashAmount: %d\nNetAssets: %d\n",
        f.TotalScore, f.TechnicalScore, f.LogicalScore, f.TotalPL, f.RealizedPL, f.UnrealizedPL, f.Commition,
        f.Tax, f.TradeCount, f.AvarageAmount, cash, f.NetAssets);
}

}  // namespace

int RunPlay(const std::vector<std::string>& args) {
    PlayOptions options;
    if (!ParseOptions(args, &options)) {
        std::cerr << "usage: valmore-tool " << kPlayUsage << "\n";
        return 1;
    }

    CScenario scenario;
    TextTable prdInfo;
    TextTable resources;
    ScenarioLoadResult loaded = LoadScenario(options.scenario, scenario, prdInfo, resources);
    if (!loaded.ok) return Fail(loaded.Message());

    std::string ordersText;
    if (!ReadWholeFile(options.orders, &ordersText)) return Fail(options.orders + ": cannot be read");
    OrdersFile orders;
    std::string error;
    if (!ParseOrdersFile(ordersText, scenario, &orders, &error)) return Fail(options.orders + ": " + error);
    if (options.suspendAfter && *options.suspendAfter >= scenario.EventCount())
        return Fail("--suspend-after " + std::to_string(*options.suspendAfter) + ": the scenario has only " +
                    std::to_string(scenario.EventCount()) + " days");

    const std::string id = scenario.header.ID;
    CPlay play;
    play.Begin(std::move(scenario), std::move(prdInfo));

    // Nothing is written until the play has run through: a refused day leaves every file as it was.
    CSnapshotStore snapshots;
    if (options.resume || options.suspendAfter) {
        SnapshotLoadReport report = snapshots.Load(options.snapshot);
        if (!report.Ok()) std::cerr << report.Message() << "\n";
    }
    if (options.resume) {
        std::optional<SnapshotRecord> record = snapshots.Take(id);
        if (!record) return Fail(options.snapshot + ": holds no stored play of scenario " + id);
        ResumeResult resumed = play.Resume(std::move(*record));
        if (!resumed.ok) return Fail(options.snapshot + ": " + resumed.reason);
    }

    while (!play.IsOver()) {
        const int day = play.Scenario().CurrentEventListIndex;
        if (options.suspendAfter && day == *options.suspendAfter) {
            snapshots.Store(id, play.MakeSnapshot());
            DocSaveResult saved = snapshots.Save(options.snapshot);
            if (!saved.ok) return Fail(saved.error);
            return 0;
        }
        OrderColumns columns;
        std::vector<DayOrder> dayOrders = orders.ForDay(day, play.Market().ProductCount);
        for (int p = 0; p < play.Market().ProductCount; ++p) {
            const DayOrder& order = dayOrders[static_cast<std::size_t>(p)];
            columns[static_cast<std::size_t>(p)] =
                OrderColumn{p, static_cast<OrderChoice>(order.choice), order.quantity};
        }
        OrderOutcome outcome = play.ExecuteDay(columns);
        if (!outcome.Accepted()) {
            std::printf("refused day %d: %s\n", day,
                        outcome.refusal == OrderRefusal::ShortSaleLimit ? "short-sale limit" : "cash");
            return 2;
        }
        play.CloseDay();
        if (options.days) PrintDay(play, day);
        play.AdvanceDay();
    }

    FinalFigures figures = play.Finish(LocalDateText());
    if (options.resume) {
        DocSaveResult saved = snapshots.Save(options.snapshot);
        if (!saved.ok) return Fail(saved.error);
    }
    if (!options.results.empty()) {
        CResultStore store(options.results);
        StoreLoadResult report = store.Load();
        for (const LoadProblem& problem : report.problems) std::cerr << problem.message << "\n";
        DocSaveResult saved = store.Add(figures.ScenarioID, ResultRecordFromFigures(figures));
        if (!saved.ok) return Fail(saved.error);
    }
    PrintFigures(figures, play.Position().CashAmount);
    return 0;
}

}  // namespace valmore
