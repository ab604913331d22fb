#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <random>
#include <thread>

#include "net/UserAccount.h"
#include "platform/AtomicFile.h"
#include "results/ResultStore.h"
#include "sim/SnapshotStore.h"
#include "support/TempDir.h"

namespace valmore {
namespace {

using test::ReadFileBytes;

// One store file: saving writes version 0 or 1 of it; loading must find it whole.
struct StoreFile {
    std::string name;
    std::function<void(int version)> save;
    std::function<bool()> loadsCleanly;
};

std::vector<StoreFile> StoreFiles(const std::filesystem::path& dir) {
    auto results = std::make_shared<std::vector<CResultStore>>(2, CResultStore(dir / "result.dat"));
    auto snapshots = std::make_shared<std::vector<CSnapshotStore>>(2);
    auto accounts = std::make_shared<std::vector<CUserAccount>>(2);
    for (int v : {0, 1}) {
        for (int i = 0; i < 30 + v; ++i) (void)(*results)[v].Add("s" + std::to_string(i % 7), {"2026/12/08", i});
        for (int i = 0; i < 12 + v; ++i) (*snapshots)[v].Store("s" + std::to_string(i), SnapshotRecord{});
        (*accounts)[v].UserID = "user" + std::to_string(v);
        (*accounts)[v].Nickname = std::string(static_cast<std::size_t>(5 + v), 'n');
        (*accounts)[v].Password = "pass";
    }
    return {{"result.dat", [=](int v) { (void)(*results)[v].Save(); },
             [=] { return CResultStore(dir / "result.dat").Load().Ok(); }},
            {"snapshot.dat", [=](int v) { (void)(*snapshots)[v].Save(dir / "snapshot.dat"); },
             [=] { return CSnapshotStore().Load(dir / "snapshot.dat").Ok(); }},
            {"account", [=](int v) { (void)(*accounts)[v].Save(dir / "account", nullptr); },
             [=] { return CUserAccount().Load(dir / "account").status == AccountFileStatus::Loaded; }}};
}

int CountTemporaries(const test::TempDir& dir, const std::string& name) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        count += entry.path().filename().string().rfind("." + name + ".tmp-", 0) == 0;
    return count;
}

TEST(StoreKillSafety, AKilledSaveLeavesTheOldOrTheNewFileWholeAndTheNextStartRemovesItsLeftovers) {
    // Shared with the saving child, so the parent knows whether a kill landed inside a save.
    struct Progress {
        std::atomic<int> saves, inSave;
    };
    auto* progress = static_cast<Progress*>(
        ::mmap(nullptr, sizeof(Progress), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(progress, MAP_FAILED);
    std::mt19937 random(15);
    test::TempDir dir;
    for (const StoreFile& store : StoreFiles(dir.Path())) {
        std::string versions[2];
        for (int v : {0, 1}) {
            store.save(v);
            versions[v] = ReadFileBytes(dir / store.name);
        }
        const int kills = 60;
        int midSave = 0, leftovers = 0;
        for (int kill = 0; kill < kills; ++kill) {
            progress->saves = progress->inSave = 0;
            const pid_t child = ::fork();
            ASSERT_GE(child, 0);
            for (int v = 0; child == 0; v ^= 1) {
                progress->inSave = 1;
                store.save(v);
                progress->inSave = 0;
                ++progress->saves;
            }
            while (progress->saves == 0) std::this_thread::yield();
            std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
            midSave += progress->inSave;
            leftovers += CountTemporaries(dir, store.name);

            const std::string bytes = ReadFileBytes(dir / store.name);
            EXPECT_TRUE(bytes == versions[0] || bytes == versions[1]) << store.name << " after kill " << kill;
            ASSERT_TRUE(store.loadsCleanly()) << store.name << " after kill " << kill;
            EXPECT_EQ(CountTemporaries(dir, store.name), 0) << store.name << " after kill " << kill;
        }
        std::printf("%s: %d kills, %d inside a save, %d temporary files left and removed\n", store.name.c_str(), kills,
                    midSave, leftovers);
        EXPECT_GT(midSave, kills / 2) << store.name;
    }
    ::munmap(progress, sizeof(Progress));
}

TEST(StoreKillSafety, ATemporaryFileIsRemovedOnlyOnceNoWriterHoldsIt) {
    test::TempDir dir;
    const std::filesystem::path writing = dir.Write(".result.dat.tmp-Ab3xYz", "half");
    const std::filesystem::path abandoned = dir.Write(".result.dat.tmp-Qr7pLm", "half");
    const std::filesystem::path other = dir.Write(".result.dat.tmp-toolong1", "not one of ours");
    const int fd = ::open(writing.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);

    std::string error;
    ASSERT_TRUE(WriteFileAtomically(dir / "result.dat", "new", &error)) << error;
    EXPECT_TRUE(std::filesystem::exists(writing));
    EXPECT_FALSE(std::filesystem::exists(abandoned));
    EXPECT_TRUE(std::filesystem::exists(other));

    ::close(fd);
    EXPECT_EQ(RemoveLeftoverTemporaries(dir / "result.dat"), 1);
    EXPECT_EQ(ReadFileBytes(dir / "result.dat"), "new");
}

}  // namespace
}  // namespace valmore
