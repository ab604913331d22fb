#pragma once

// The embedded store: one SQLite file in WAL mode, so readers never wait for the one writer and
// several server processes may share the file. Each thread borrows a connection of its own.

#include <filesystem>
#include <memory>
#include <mutex>
#include <vector>

#include "server/ServerStore.h"

struct sqlite3;

namespace valmore {

class CSqliteStore : public IServerStore {
public:
    // Opens the file, creating it and its tables when missing. Null with *error set on failure.
    static std::unique_ptr<CSqliteStore> Open(const std::filesystem::path& file, std::string* error);
    ~CSqliteStore() override;

    std::optional<StoredAccount> FindAccount(std::string_view userId) override;
    CreateAccountOutcome CreateAccount(const StoredAccount& account) override;
    ChangeAccountOutcome ChangeAccount(std::string_view userId, std::string_view currentHash, std::string_view newHash,
                                       std::string_view nickname) override;
    std::int64_t AddResult(const ResultFields& fields) override;
    std::vector<RankedResult> Ranking(std::string_view scenarioId, std::string_view viewerUserId, int top) override;
    std::vector<StoredResult> AllResults() override;
    std::map<std::string, std::int64_t> ResultCounts() override;
    std::vector<StoredAccount> AllAccounts() override;
    int RecordLoginFailure(std::string_view userId, int windowSeconds) override;
    void ClearLoginFailures(std::string_view userId) override;

    class Connection;

private:
    explicit CSqliteStore(std::filesystem::path file);

    // A connection of this thread's own for the length of one call.
    class Lease {
    public:
        explicit Lease(CSqliteStore& store);
        ~Lease();
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        Connection& operator*() const { return *connection_; }
        Connection* operator->() const { return connection_.get(); }

    private:
        CSqliteStore& store_;
        std::unique_ptr<Connection> connection_;
    };

    std::filesystem::path file_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<Connection>> idle_;
    // SQLite takes one writer at a time; the threads of this process queue here rather than in
    // SQLite's busy handler, which sleeps in steps of up to 100 ms. Other processes still wait there.
    std::mutex writeMutex_;
};

}  // namespace valmore
