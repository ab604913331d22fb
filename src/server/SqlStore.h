#pragma once

// The server store, written once over a SQL session: the tables, the statements and the reading of
// their rows are the same for every database; SqliteSession and PostgresSession put them in their
// database's words and make the driver calls.

#include <memory>
#include <string>

#include "server/ServerStore.h"
#include "server/SessionPool.h"

namespace valmore {

class CSqlStore : public IServerStore {
public:
    // Makes the tables when missing. Null with *error set when the database cannot be used.
    static std::unique_ptr<CSqlStore> Open(std::unique_ptr<ISqlDatabase> database, std::string* error);

    std::optional<StoredAccount> FindAccount(std::string_view userId) override;
    CreateAccountOutcome CreateAccount(const StoredAccount& account) override;
    ChangeAccountOutcome ChangeAccount(std::string_view userId, std::string_view currentHash, std::string_view newHash,
                                       std::string_view nickname) override;
    // Returns the stored result's id, whether or not it became the user's best.
    std::int64_t AddResult(const ResultFields& fields) override;
    std::vector<RankedResult> Ranking(std::string_view scenarioId, std::string_view viewerUserId, int top) override;
    std::vector<StoredResult> AllResults() override;
    std::map<std::string, std::int64_t> ResultCounts() override;
    std::vector<StoredAccount> AllAccounts() override;
    int RecordLoginFailure(std::string_view userId, int windowSeconds) override;
    void ClearLoginFailures(std::string_view userId) override;

private:
    explicit CSqlStore(std::unique_ptr<ISqlDatabase> database) : pool_(std::move(database)) {}

    CSessionPool pool_;
};

}  // namespace valmore
