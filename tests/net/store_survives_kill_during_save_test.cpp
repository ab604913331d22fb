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
#include <memory>
#include <random>
#include <thread>
#include <tuple>
#include <vector>

#include "net/UserAccount.h"
#include "platform/AtomicFile.h"
#include "results/ResultStore.h"
#include "sim/SnapshotStore.h"
#include "support/TempDir.h"

namespace valmore {
namespace {

using test::TempDir;

constexpr int kKillsPerFile = 60;

// Two versions of one store's file: a save writes one of them, a load tells which one it found.
struct StoreFile {
    const char* name;
    std::function<void(int version)> save;
    // The version the file holds when it loads cleanly as a whole, or -1.
    std::function<int()> loadedVersion;
};

StoreFile ResultFile(const std::filesystem::path& dir) {
    const std::filesystem::path file = dir / "result.dat";
    auto versions = std::make_shared<std::vector<CResultStore>>(2, CResultStore(file));
    for (int version : {0, 1}) {
        for (int i = 0; i < 30 + version; ++i) {
            (void)(*versions)[version].Add("s" + std::to_string(i % 7), ResultRecord{"2026/12/08", i});
        }
    }
    return {"result.dat", [versions](int version) { (void)(*versions)[version].Save(); },
            [versions, file] {
                CResultStore store(file);
                if (!store.Load().Ok()) return -1;
                for (int version : {0, 1}) {
                    if (store.Lists() == (*versions)[version].Lists()) return version;
                }
                return -1;
            }};
}

StoreFile SnapshotFile(const std::filesystem::path& dir) {
    const std::filesystem::path file = dir / "snapshot.dat";
    auto versions = std::make_shared<std::vector<CSnapshotStore>>(2);
    for (int version : {0, 1}) {
        for (int i = 0; i < 12 + version; ++i) {
            SnapshotRecord record;
            record.CurrentEventListIndex = version;
            (*versions)[version].Store("s" + std::to_string(i), record);
        }
    }
    return {"snapshot.dat", [versions, file](int version) { (void)(*versions)[version].Save(file); },
            [versions, file] {
                CSnapshotStore store;
                if (!store.Load(file).Ok()) return -1;
                for (int version : {0, 1}) {
                    if (store.ToText() == (*versions)[version].ToText()) return version;
                }
                return -1;
            }};
}

StoreFile AccountFile(const std::filesystem::path& dir) {
    const std::filesystem::path file = dir / "account";
    auto versions = std::make_shared<std::vector<CUserAccount>>(2);
    (*versions)[0].UserID = "first-user";
    (*versions)[0].Nickname = "nick";
    (*versions)[0].Password = "pppppppp";
    (*versions)[1].UserID = "second";
    (*versions)[1].Nickname = "other nick";
    (*versions)[1].Password = "qq";
    return {"account", [versions, file](int version) { (void)(*versions)[version].Save(file, nullptr); },
            [versions, file] {
                CUserAccount account;
                if (account.Load(file).status != AccountFileStatus::Loaded) return -1;
                for (int version : {0, 1}) {
                    const CUserAccount& saved = (*versions)[version];
                    if (std::tie(account.UserID, account.Nickname, account.Password) ==
                        std::tie(saved.UserID, saved.Nickname, saved.Password))
                        return version;
                }
                return -1;
            }};
}

int CountTemporaries(const std::filesystem::path& dir, const std::string& name) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.path().filename().string().rfind("." + name + ".tmp-", 0) == 0) ++count;
    }
    return count;
}

// Shared with the child that saves, so the parent knows whether a kill landed inside a save.
struct SaveProgress {
    std::atomic<int> saves{0};
    std::atomic<int> inSave{0};
};

TEST(StoreKillSafety, AKilledSaveLeavesTheOldOrTheNewFileWholeAndItsLeftoversAreRemoved) {
    auto* progress = static_cast<SaveProgress*>(
        ::mmap(nullptr, sizeof(SaveProgress), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(progress, MAP_FAILED);
    std::mt19937 random(15);
    for (auto makeStore : {ResultFile, SnapshotFile, AccountFile}) {
        TempDir dir;
        const StoreFile store = makeStore(dir.Path());
        const std::filesystem::path file = dir / store.name;
        store.save(0);
        int midSave = 0, leftovers = 0;
        for (int kill = 0; kill < kKillsPerFile; ++kill) {
            new (progress) SaveProgress();
            const pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                for (int version = 1;; version ^= 1) {
                    progress->inSave = 1;
                    store.save(version);
                    progress->inSave = 0;
                    ++progress->saves;
                }
            }
            while (progress->saves == 0) std::this_thread::yield();
            std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
            ::kill(child, SIGKILL);
            int status = 0;
            ::waitpid(child, &status, 0);
            midSave += progress->inSave.load();

            const int left = CountTemporaries(dir.Path(), store.name);
            leftovers += left;
            // Loading is what the next start does: it also takes away what the killed save left.
            ASSERT_NE(store.loadedVersion(), -1) << store.name << " after kill " << kill;
            EXPECT_EQ(CountTemporaries(dir.Path(), store.name), 0) << store.name << " after kill " << kill;
        }
        std::printf("%s: %d kills, %d inside a save, %d temporary files left and removed\n", store.name, kKillsPerFile,
                    midSave, leftovers);
        EXPECT_GT(midSave, kKillsPerFile / 2) << store.name;
    }
    ::munmap(progress, sizeof(SaveProgress));
}

TEST(StoreKillSafety, ATemporaryFileIsRemovedOnlyOnceNoWriterHoldsIt) {
    TempDir dir;
    const std::filesystem::path file = dir / "result.dat";
    const std::filesystem::path writing = dir / ".result.dat.tmp-Ab3xYz";
    const std::filesystem::path abandoned = dir / ".result.dat.tmp-Qr7pLm";
    dir.Write(writing.filename().string(), "half");
    dir.Write(abandoned.filename().string(), "half");
    dir.Write(".result.dat.tmp-toolong1", "not ours");
    const int fd = ::open(writing.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);

    std::string error;
    ASSERT_TRUE(WriteFileAtomically(file, "new", &error)) << error;
    EXPECT_TRUE(std::filesystem::exists(writing));
    EXPECT_FALSE(std::filesystem::exists(abandoned));
    EXPECT_TRUE(std::filesystem::exists(dir / ".result.dat.tmp-toolong1"));

    ::close(fd);
    EXPECT_EQ(RemoveLeftoverTemporaries(file), 1);
    EXPECT_EQ(test::ReadFileBytes(file), "new");
}

}  // namespace
}  // namespace valmore
