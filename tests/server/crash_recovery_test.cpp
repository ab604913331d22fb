// A server killed with SIGKILL in the middle of a load of submissions loses none of the results it
// answered "OK", and starts again on the same database.

#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <set>
#include <thread>

#include "server/PasswordCheck.h"
#include "server/ServerFixture.h"
#include "server/ServerStore.h"

namespace valmore::test {
namespace {

using CrashRecovery = ServerTest;

TEST_P(CrashRecovery, NoResultAnsweredOkIsLostWhenTheServerIsKilledDuringLoad) {
    constexpr int kClients = 4;
    {
        std::string error;
        const std::unique_ptr<IServerStore> store = OpenServerStore(db_, &error);
        ASSERT_TRUE(store) << error;
        const std::string hash = CPasswordCheck(1).Hash("pw");
        for (int c = 0; c < kClients; ++c) store->CreateAccount({"c" + std::to_string(c), hash, std::nullopt});
    }
    StartServer();
    const int port = server_.Port();

    std::mutex mutex;
    std::set<std::pair<std::string, int>> answeredOk;
    std::atomic<int> okCount{0};
    std::vector<std::thread> clients;
    for (int c = 0; c < kClients; ++c) {
        clients.emplace_back([&, c] {
            const std::string user = "c" + std::to_string(c);
            // Bounded: at most this many submissions, and each client stops at the first refused connection.
            for (int i = 1; i <= 3000; ++i) {
                const HttpReply reply =
                    HttpGet(port, ServletTarget("ResultHandler", "MESS=" + user + ",VM-T01,d," + std::to_string(i) +
                                                                     ",0,0,0,0,0,&PASSWORD=pw"));
                if (reply.status == 0) return;
                if (reply.body == "RURADIZA:OK") {
                    std::lock_guard lock(mutex);
                    answeredOk.emplace(user, i);
                    ++okCount;
                }
            }
        });
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (okCount < 200 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    server_.Kill();
    for (std::thread& t : clients) t.join();
    ASSERT_GE(okCount.load(), 200) << "the load did not get going";

    StartServer();
    EXPECT_EQ(Call("UserValidate", "USERID=c0&PASSWORD=pw"), Reply("OK"));
    std::string error;
    const std::unique_ptr<IServerStore> store = OpenServerStore(db_, &error);
    ASSERT_TRUE(store) << error;
    std::set<std::pair<std::string, int>> stored;
    for (const StoredResult& r : store->AllResults())
        stored.emplace(r.fields.userId, static_cast<int>(r.fields.totalScore));
    int missing = 0;
    for (const auto& ok : answeredOk) missing += stored.count(ok) == 0 ? 1 : 0;
    EXPECT_EQ(missing, 0) << "of " << answeredOk.size() << " results answered OK";
    std::printf("%zu results answered OK before SIGKILL, %zu stored after the restart, %d missing\n", answeredOk.size(),
                stored.size(), missing);
}

VALMORE_ON_BOTH_BACKENDS(CrashRecovery);

}  // namespace
}  // namespace valmore::test
