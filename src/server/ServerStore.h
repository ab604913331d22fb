#pragma once

// Where the ranking server keeps accounts and results. The servlets talk to this interface only;
// CSqlStore implements it on SQLite or PostgreSQL. Texts are the Shift_JIS bytes the trainer sent,
// stored and compared exactly as they are. Every call may be made from any thread at once; a
// failure of the database itself throws CStoreError, which the server answers as a server failure.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/ResultFields.h"

namespace valmore {

class CStoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct StoredAccount {
    std::string userId;
    std::string passwordHash;             // an Argon2id string as crypto_pwhash_str writes it
    std::optional<std::string> nickname;  // absent for an account made without one

    // What the rankings show for the user.
    const std::string& ShownName() const { return nickname ? *nickname : userId; }
};

struct StoredResult {
    std::int64_t id = 0;  // grows in the order results were stored
    ResultFields fields;
    std::string shownName;  // the user's nickname, or the user ID without one
    std::string storedAt;   // UTC, "YYYY-MM-DD HH:MM:SS"
};

struct RankedResult {
    std::int64_t rank = 0;  // 1 + the number of users with a higher best score
    StoredResult result;
};

enum class CreateAccountOutcome { Created, UserExists, NicknameTaken };
enum class ChangeAccountOutcome { Changed, NicknameTaken, Stale };

class IServerStore {
public:
    virtual ~IServerStore() = default;

    virtual std::optional<StoredAccount> FindAccount(std::string_view userId) = 0;
    virtual CreateAccountOutcome CreateAccount(const StoredAccount& account) = 0;
    // Sets the hash and nickname of the account, provided its hash is still `currentHash` (so a
    // change checked against one password cannot overwrite a change made meanwhile): Stale otherwise.
    virtual ChangeAccountOutcome ChangeAccount(std::string_view userId, std::string_view currentHash,
                                               std::string_view newHash, std::string_view nickname) = 0;

    // Stores the result and keeps the user's best one for the scenario (highest score, the earliest
    // stored among equals). Returns the stored result's id once the result is durable.
    virtual std::int64_t AddResult(const ResultFields& fields) = 0;

    // Each user's best result of the scenario, best first (score, then storing order): the first
    // `top` of them, and after those the row of `viewerUserId` when it is not among them.
    virtual std::vector<RankedResult> Ranking(std::string_view scenarioId, std::string_view viewerUserId, int top) = 0;

    // Every stored result in storing order, and the number of results per scenario.
    virtual std::vector<StoredResult> AllResults() = 0;
    virtual std::map<std::string, std::int64_t> ResultCounts() = 0;
    virtual std::vector<StoredAccount> AllAccounts() = 0;

    // Failed logins per user ID, shared by every server process on the database. Recording one
    // returns the number of failures in a row, counting only those within the last `windowSeconds`.
    virtual int RecordLoginFailure(std::string_view userId, int windowSeconds) = 0;
    virtual void ClearLoginFailures(std::string_view userId) = 0;
};

// For the stores: gives the rows that come with rank 0 (the top rows, best first) their shared ranks,
// "1, 2, 2, 4"; a row that already has its rank (the viewer's own, further down) keeps it.
void RankTopRows(std::vector<RankedResult>& rows);

// Opens (and creates the tables of) the store a --db value names: a "postgresql://" or
// "postgres://" connection string, else the path of an SQLite file, created when missing.
// Returns null with *error set when it cannot be opened.
std::unique_ptr<IServerStore> OpenServerStore(const std::string& db, std::string* error);

}  // namespace valmore
