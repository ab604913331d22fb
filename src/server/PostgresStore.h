#pragma once

// The store for a school or a contest: one PostgreSQL database that several server processes may
// serve at once. Nothing the others need is kept in a process; each write is one statement or one
// transaction, so concurrent processes see a consistent database.

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "server/ServerStore.h"

namespace valmore {

class CPostgresStore : public IServerStore {
public:
    // Connects with a libpq connection string and creates the tables when missing.
    static std::unique_ptr<CPostgresStore> Open(const std::string& conninfo, std::string* error);
    ~CPostgresStore() override;

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
    explicit CPostgresStore(std::string conninfo);

    class Lease {
    public:
        explicit Lease(CPostgresStore& store);
        ~Lease();
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        Connection& operator*() const { return *connection_; }

    private:
        CPostgresStore& store_;
        std::unique_ptr<Connection> connection_;
    };

    std::string conninfo_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<Connection>> idle_;
};

}  // namespace valmore
