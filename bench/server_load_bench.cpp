// Load on the ranking server over loopback: 16 trainers send 20,000 requests, 80 % ranking reads and
// 20 % submissions with the user's password, against SQLite and against two server processes that
// share one PostgreSQL database. Afterwards every submission answered "OK" must be stored and every
// ranking must equal one recomputed from the stored results. The ranking read rate is also compared
// with the rate of a version-refused reply, which touches no database, in the same run.

#include <benchmark/benchmark.h>
#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <random>
#include <set>
#include <thread>

#include "platform/Sjis.h"
#include "server/PasswordCheck.h"
#include "server/ServerHarness.h"
#include "server/ServerStore.h"

namespace {

using namespace valmore;
using namespace valmore::test;
using Clock = std::chrono::steady_clock;

constexpr int kClients = 16;
constexpr int kUsers = 32;
constexpr int kRequests = 20000;
constexpr int kRateRequests = 16000;  // of each kind, for the rate comparison
constexpr int kRateRounds = 4;
const char* const kScenarios[] = {"VM-B01", "VM-B02", "VM-B03"};
const std::string kVersion = "&VERSION=QUIVO_TARN_000_000";

std::string UserName(int i) {
    return "user" + std::to_string(i);
}

struct Phase {
    double seconds = 0;
    std::vector<double> rankingMs, submitMs;
    std::vector<std::pair<std::string, int>> answeredOk;  // user, score
    int failures = 0;
};

double Percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<std::size_t>(p * static_cast<double>(values.size())))];
}

// kind: 0 version refused only, 1 ranking reads only, 2 the 80/20 mix.
Phase RunPhase(const std::vector<int>& ports, int kind, int total, std::atomic<int>& nextScore) {
    Phase phase;
    std::mutex mutex;
    std::atomic<int> issued{0};
    std::vector<std::thread> clients;
    const auto start = Clock::now();
    for (int c = 0; c < kClients; ++c) {
        clients.emplace_back([&, c] {
            httplib::Client client("127.0.0.1", ports[static_cast<std::size_t>(c) % ports.size()]);
            client.set_keep_alive(true);
            client.set_url_encode(false);
            std::mt19937 random(static_cast<unsigned>(c * 7919 + kind));
            Phase mine;
            while (issued.fetch_add(1) < total) {
                const int user = c + kClients * static_cast<int>(random() % (kUsers / kClients));
                const std::string scenario = kScenarios[random() % 3];
                const bool submit = kind == 2 && random() % 5 == 0;
                int score = 0;
                std::string path;
                if (kind == 0) {
                    path = "/RURadiza/servlet/Ranking?ID=" + scenario + "&USERID=" + UserName(user) +
                           "&VERSION=QUIVO_TARN_000_001";
                } else if (!submit) {
                    path = "/RURadiza/servlet/Ranking?ID=" + scenario + "&USERID=" + UserName(user) + kVersion;
                } else {
                    score = nextScore.fetch_add(1);
                    path = "/RURadiza/servlet/ResultHandler?MESS=" + UserName(user) + "," + scenario + ",2026/12/08," +
                           std::to_string(score % 997) + "," + std::to_string(score) + ",1000,10,20,3," + kVersion +
                           "&PASSWORD=pw" + UserName(user);
                }
                const auto sent = Clock::now();
                const httplib::Result reply = client.Get(path);
                const double ms = std::chrono::duration<double, std::milli>(Clock::now() - sent).count();
                const bool ok =
                    reply && reply->status == 200 && reply->body.rfind(kind == 0 ? "VERERROR:" : "RURADIZA:", 0) == 0;
                if (!ok) {
                    ++mine.failures;
                    continue;
                }
                (submit ? mine.submitMs : mine.rankingMs).push_back(ms);
                if (submit && reply->body == "RURADIZA:OK") mine.answeredOk.emplace_back(UserName(user), score);
            }
            std::lock_guard lock(mutex);
            phase.rankingMs.insert(phase.rankingMs.end(), mine.rankingMs.begin(), mine.rankingMs.end());
            phase.submitMs.insert(phase.submitMs.end(), mine.submitMs.begin(), mine.submitMs.end());
            phase.answeredOk.insert(phase.answeredOk.end(), mine.answeredOk.begin(), mine.answeredOk.end());
            phase.failures += mine.failures;
        });
    }
    for (std::thread& t : clients) t.join();
    phase.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return phase;
}

// The ranking reply as recomputed from the stored results: each user's best (highest score, the
// earliest stored among equals), ranks shared by equal scores, the top 21 and the viewer's own row.
std::string ExpectedRanking(const std::vector<StoredResult>& all, const std::string& scenario,
                            const std::string& viewer) {
    std::map<std::string, const StoredResult*> best;
    for (const StoredResult& r : all) {
        if (r.fields.scenarioId != scenario) continue;
        const StoredResult*& b = best[r.fields.userId];
        if (b == nullptr || r.fields.totalScore > b->fields.totalScore) b = &r;
    }
    std::vector<const StoredResult*> rows;
    for (const auto& [user, r] : best) rows.push_back(r);
    std::sort(rows.begin(), rows.end(), [](const StoredResult* a, const StoredResult* b) {
        return a->fields.totalScore != b->fields.totalScore ? a->fields.totalScore > b->fields.totalScore
                                                            : a->id < b->id;
    });
    std::string reply = "RURADIZA:" + scenario + ",";
    std::size_t viewerAt = rows.size();
    for (std::size_t i = 0; i < rows.size(); ++i) viewerAt = rows[i]->fields.userId == viewer ? i : viewerAt;
    // The viewer's own row takes the 21st place when it is further down.
    const std::size_t topShown = viewerAt < rows.size() && viewerAt >= 21 ? 20 : 21;
    std::int64_t rank = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i == 0 || rows[i]->fields.totalScore != rows[i - 1]->fields.totalScore)
            rank = static_cast<std::int64_t>(i) + 1;
        if (i >= topShown && i != viewerAt) continue;
        const ResultFields& f = rows[i]->fields;
        reply += std::to_string(rank) + "," + f.userId + "," + rows[i]->shownName + "," + f.date + "," +
                 std::to_string(f.totalScore) + "," + std::to_string(f.tradeCount) + "," + std::to_string(f.totalPL) +
                 "," + std::to_string(f.commission) + "," + std::to_string(f.tax) + "," +
                 std::to_string(f.averageAmount) + ",";
    }
    return reply;
}

void ServerLoad(benchmark::State& state, bool postgres) {
    char pattern[] = "/tmp/valmore-bench-XXXXXX";
    const std::filesystem::path dir = mkdtemp(pattern);
    std::filesystem::create_directories(dir / "data");
    for (const char* id : kScenarios) {
        FILE* file = std::fopen((dir / "data" / (std::string(id) + ".scn")).c_str(), "wb");
        const std::string text =
            Sj(std::string("{S {Header {ID \"") + id +
               "\"} {Title \"負荷\"} {Category \"0\"} {Mode \"1\"} {Level \"1\"} {Duration \"10\"} "
               "{EstimatedTime \"10\"} {FundAmount \"1,000,000\"}} {Product {0 {Name \"a\"}}}}\n");
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
    std::string db = (dir / "bench.sqlite").string();
    if (postgres) {
        std::string whyNot;
        PostgresCluster* cluster = PostgresCluster::Shared(&whyNot);
        if (cluster == nullptr) {
            state.SkipWithError(whyNot.c_str());
            return;
        }
        db = cluster->NewDatabase();
    }
    {
        std::string error;
        const std::unique_ptr<IServerStore> store = OpenServerStore(db, &error);
        CPasswordCheck passwords(2);
        for (int u = 0; u < kUsers; ++u) {
            store->CreateAccount({UserName(u), passwords.Hash("pw" + UserName(u)), std::nullopt});
        }
    }
    std::vector<std::unique_ptr<ServerProcess>> servers;
    std::vector<int> ports;
    for (int i = 0; i < (postgres ? 2 : 1); ++i) {
        servers.push_back(std::make_unique<ServerProcess>());
        if (!servers.back()->Start({"--db", db, "--data-dir", dir.string()}, dir / "server.log")) {
            state.SkipWithError("the server did not start");
            return;
        }
        ports.push_back(servers.back()->Port());
    }
    // Every trainer logs in once before it submits, as the registration screen does; that one check
    // per user and process is the only full Argon2id of the run.
    for (int u = 0; u < kUsers; ++u) {
        for (const int port : ports) {
            HttpGet(port,
                    "/RURadiza/servlet/UserValidate?USERID=" + UserName(u) + kVersion + "&PASSWORD=pw" + UserName(u));
        }
    }

    std::atomic<int> nextScore{1};
    Phase mixed;
    Phase refused, reads;
    for (auto _ : state) {
        // The two rates are compared in alternating rounds, so a burst of other work on the machine
        // weighs on both alike.
        for (int round = 0; round < kRateRounds; ++round) {
            for (Phase* phase : {&refused, &reads}) {
                const Phase part = RunPhase(ports, phase == &refused ? 0 : 1, kRateRequests / kRateRounds, nextScore);
                phase->seconds += part.seconds;
                phase->rankingMs.insert(phase->rankingMs.end(), part.rankingMs.begin(), part.rankingMs.end());
                phase->failures += part.failures;
            }
        }
        mixed = RunPhase(ports, 2, kRequests, nextScore);
        state.SetIterationTime(mixed.seconds);
    }

    std::string error;
    const std::unique_ptr<IServerStore> store = OpenServerStore(db, &error);
    const std::vector<StoredResult> all = store->AllResults();
    std::set<std::pair<std::string, int>> stored;
    for (const StoredResult& r : all) stored.emplace(r.fields.userId, static_cast<int>(r.fields.totalPL));
    int missing = 0;
    for (const auto& ok : mixed.answeredOk) missing += stored.count(ok) == 0 ? 1 : 0;
    int mismatches = 0;
    for (const char* scenario : kScenarios) {
        for (int u = -1; u < kUsers; ++u) {
            const std::string viewer = u < 0 ? "nobody" : UserName(u);
            const std::string path =
                "/RURadiza/servlet/Ranking?ID=" + std::string(scenario) + "&USERID=" + viewer + kVersion;
            for (const int port : ports)
                mismatches += HttpGet(port, path).body == ExpectedRanking(all, scenario, viewer) ? 0 : 1;
        }
    }
    for (auto& server : servers) server->Stop();
    std::filesystem::remove_all(dir);

    const double count = static_cast<double>(mixed.rankingMs.size() + mixed.submitMs.size());
    std::vector<double> allMs = mixed.rankingMs;
    allMs.insert(allMs.end(), mixed.submitMs.begin(), mixed.submitMs.end());
    const double refusedRate = static_cast<double>(refused.rankingMs.size()) / refused.seconds;
    const double readRate = static_cast<double>(reads.rankingMs.size()) / reads.seconds;
    state.counters["requests"] = count;
    state.counters["req_per_s"] = count / mixed.seconds;
    state.counters["p50_ms"] = Percentile(allMs, 0.50);
    state.counters["p99_ms"] = Percentile(allMs, 0.99);
    state.counters["ranking_p50_ms"] = Percentile(mixed.rankingMs, 0.50);
    state.counters["ranking_p99_ms"] = Percentile(mixed.rankingMs, 0.99);
    state.counters["submit_p50_ms"] = Percentile(mixed.submitMs, 0.50);
    state.counters["submit_p99_ms"] = Percentile(mixed.submitMs, 0.99);
    state.counters["submits_ok"] = static_cast<double>(mixed.answeredOk.size());
    state.counters["refused_per_s"] = refusedRate;
    state.counters["reads_per_s"] = readRate;
    state.counters["read_to_refused"] = readRate / refusedRate;
    state.counters["failed_requests"] = mixed.failures + reads.failures + refused.failures;
    state.counters["ok_missing"] = missing;
    state.counters["ranking_mismatch"] = mismatches;
    if (missing > 0 || mismatches > 0 || mixed.failures > 0) state.SkipWithError("stored results or rankings wrong");
}

}  // namespace

BENCHMARK_CAPTURE(ServerLoad, sqlite, false)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(ServerLoad, postgres_two_processes, true)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
