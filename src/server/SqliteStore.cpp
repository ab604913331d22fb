#include "server/SqliteStore.h"

#include <sqlite3.h>

#include <ctime>
#include <unordered_map>
#include <utility>

namespace valmore {

namespace {

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS accounts (
  user_id BLOB PRIMARY KEY,
  password_hash TEXT NOT NULL,
  nickname BLOB UNIQUE,
  created_at TEXT NOT NULL DEFAULT (strftime('%Y-%m-%d %H:%M:%S', 'now')));
CREATE TABLE IF NOT EXISTS results (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  user_id BLOB NOT NULL REFERENCES accounts (user_id),
  scenario_id BLOB NOT NULL,
  played_date BLOB NOT NULL,
  total_score INTEGER NOT NULL,
  total_pl INTEGER NOT NULL,
  average_amount INTEGER NOT NULL,
  commission INTEGER NOT NULL,
  tax INTEGER NOT NULL,
  trade_count INTEGER NOT NULL,
  stored_at TEXT NOT NULL DEFAULT (strftime('%Y-%m-%d %H:%M:%S', 'now')));
CREATE TABLE IF NOT EXISTS best_results (
  scenario_id BLOB NOT NULL,
  user_id BLOB NOT NULL,
  total_score INTEGER NOT NULL,
  result_id INTEGER NOT NULL,
  PRIMARY KEY (scenario_id, user_id));
CREATE INDEX IF NOT EXISTS best_results_rank ON best_results (scenario_id, total_score DESC, result_id);
CREATE TABLE IF NOT EXISTS login_failures (
  user_id BLOB PRIMARY KEY,
  failures INTEGER NOT NULL,
  last_failure INTEGER NOT NULL);
)sql";

constexpr const char* kFindAccount = "SELECT user_id, password_hash, nickname FROM accounts WHERE user_id = ?1";
constexpr const char* kNicknameOwner = "SELECT user_id FROM accounts WHERE nickname = ?1";
constexpr const char* kInsertAccount = "INSERT INTO accounts (user_id, password_hash, nickname) VALUES (?1, ?2, ?3)";
constexpr const char* kUpdateAccount =
    "UPDATE accounts SET password_hash = ?3, nickname = ?4 WHERE user_id = ?1 AND password_hash = ?2";
constexpr const char* kInsertResult =
    "INSERT INTO results (user_id, scenario_id, played_date, total_score, total_pl, average_amount, commission, tax, "
    "trade_count) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)";
constexpr const char* kKeepBest =
    "INSERT INTO best_results (scenario_id, user_id, total_score, result_id) VALUES (?1, ?2, ?3, ?4) "
    "ON CONFLICT (scenario_id, user_id) DO UPDATE SET total_score = excluded.total_score, result_id = "
    "excluded.result_id "
    "WHERE excluded.total_score > best_results.total_score OR (excluded.total_score = best_results.total_score AND "
    "excluded.result_id < best_results.result_id)";
#define VALMORE_RESULT_COLUMNS                                                                                   \
    "r.id, r.user_id, r.scenario_id, r.played_date, r.total_score, r.total_pl, r.average_amount, r.commission, " \
    "r.tax, "                                                                                                    \
    "r.trade_count, r.stored_at, COALESCE(a.nickname, a.user_id)"
// The top rows come by the rank index; only the viewer's row below them needs a count for its rank.
constexpr const char* kRanking =
    "WITH top AS (SELECT user_id, total_score, result_id, 1 AS in_top FROM best_results WHERE scenario_id = ?1 "
    "ORDER BY total_score DESC, result_id LIMIT ?2), "
    "picked AS (SELECT * FROM top UNION ALL SELECT user_id, total_score, result_id, 0 FROM best_results "
    "WHERE scenario_id = ?1 AND user_id = ?3 AND user_id NOT IN (SELECT user_id FROM top)) "
    "SELECT CASE WHEN b.in_top = 1 THEN 0 ELSE (SELECT COUNT(*) FROM best_results c WHERE c.scenario_id = ?1 AND "
    "c.total_score > b.total_score) + 1 END, " VALMORE_RESULT_COLUMNS
    " FROM picked b JOIN results r ON r.id = b.result_id JOIN accounts a ON a.user_id = b.user_id "
    "ORDER BY b.in_top DESC, b.total_score DESC, b.result_id";
constexpr const char* kAllResults =
    "SELECT 0, " VALMORE_RESULT_COLUMNS " FROM results r JOIN accounts a ON a.user_id = r.user_id ORDER BY r.id";
constexpr const char* kResultCounts = "SELECT scenario_id, COUNT(*) FROM results GROUP BY scenario_id";
constexpr const char* kAllAccounts = "SELECT user_id, password_hash, nickname FROM accounts ORDER BY user_id";
constexpr const char* kRecordFailure =
    "INSERT INTO login_failures (user_id, failures, last_failure) VALUES (?1, 1, ?2) "
    "ON CONFLICT (user_id) DO UPDATE SET failures = CASE WHEN login_failures.last_failure >= ?2 - ?3 "
    "THEN login_failures.failures + 1 ELSE 1 END, last_failure = ?2 RETURNING failures";
constexpr const char* kForgetOldFailures = "DELETE FROM login_failures WHERE last_failure < ?1";
constexpr const char* kClearFailures = "DELETE FROM login_failures WHERE user_id = ?1";

}  // namespace

// One sqlite3 handle with its prepared statements, used by one thread at a time.
class CSqliteStore::Connection {
public:
    explicit Connection(const std::filesystem::path& file) {
        const int rc = sqlite3_open_v2(file.c_str(), &db_,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
        if (rc != SQLITE_OK) {
            const std::string why = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
            sqlite3_close(db_);
            db_ = nullptr;
            throw CStoreError("cannot open " + file.string() + ": " + why);
        }
        sqlite3_busy_timeout(db_, 10000);
        // FULL makes every answered "OK" survive a power cut as well as a killed process.
        Exec("PRAGMA journal_mode = WAL; PRAGMA synchronous = FULL; PRAGMA foreign_keys = ON;");
    }
    ~Connection() {
        for (auto& [sql, statement] : statements_) sqlite3_finalize(statement);
        sqlite3_close(db_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void Exec(const char* sql) {
        char* message = nullptr;
        if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
            const std::string why = message != nullptr ? message : sqlite3_errmsg(db_);
            sqlite3_free(message);
            throw CStoreError("sqlite: " + why);
        }
    }

    sqlite3_stmt* Prepare(const char* sql) {
        auto found = statements_.find(sql);
        if (found != statements_.end()) return found->second;
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr) != SQLITE_OK) {
            throw CStoreError(std::string("sqlite: ") + sqlite3_errmsg(db_));
        }
        statements_.emplace(sql, statement);
        return statement;
    }

    sqlite3* Handle() const { return db_; }

private:
    sqlite3* db_ = nullptr;
    std::unordered_map<const char*, sqlite3_stmt*> statements_;
};

namespace {

// One run of a prepared statement: binds, steps, and resets it when done.
class Query {
public:
    Query(CSqliteStore::Connection& connection, const char* sql)
        : db_(connection.Handle()), statement_(connection.Prepare(sql)) {}
    ~Query() {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    Query& Bytes(int index, std::string_view bytes) {
        // A null pointer would bind NULL; an empty text must stay an empty value.
        Check(sqlite3_bind_blob(statement_, index, bytes.empty() ? "" : bytes.data(), static_cast<int>(bytes.size()),
                                SQLITE_TRANSIENT));
        return *this;
    }
    Query& Text(int index, std::string_view text) {
        Check(sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT));
        return *this;
    }
    Query& Null(int index) {
        Check(sqlite3_bind_null(statement_, index));
        return *this;
    }
    Query& Int(int index, std::int64_t value) {
        Check(sqlite3_bind_int64(statement_, index, value));
        return *this;
    }

    // True while there is a row; false when done.
    bool Step() {
        const int rc = sqlite3_step(statement_);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        throw CStoreError(std::string("sqlite: ") + sqlite3_errmsg(db_));
    }
    // Steps a statement that returns no rows; the extended result code, for constraint failures.
    int Run() {
        const int rc = sqlite3_step(statement_);
        if (rc == SQLITE_DONE || rc == SQLITE_ROW) return SQLITE_OK;
        const int extended = sqlite3_extended_errcode(db_);
        if ((extended & 0xff) == SQLITE_CONSTRAINT) return extended;
        throw CStoreError(std::string("sqlite: ") + sqlite3_errmsg(db_));
    }

    std::string ColumnBytes(int column) const {
        const void* data = sqlite3_column_blob(statement_, column);
        const int size = sqlite3_column_bytes(statement_, column);
        return data == nullptr ? std::string{}
                               : std::string(static_cast<const char*>(data), static_cast<std::size_t>(size));
    }
    bool ColumnIsNull(int column) const { return sqlite3_column_type(statement_, column) == SQLITE_NULL; }
    std::int64_t ColumnInt(int column) const { return sqlite3_column_int64(statement_, column); }

private:
    void Check(int rc) const {
        if (rc != SQLITE_OK) throw CStoreError(std::string("sqlite: ") + sqlite3_errmsg(db_));
    }

    sqlite3* db_;
    sqlite3_stmt* statement_;
};

// Rolls back unless committed, so a throw in the middle leaves nothing half-written.
class Transaction {
public:
    Transaction(CSqliteStore::Connection& connection, const char* begin) : connection_(connection) {
        connection_.Exec(begin);
    }
    ~Transaction() {
        if (!done_) sqlite3_exec(connection_.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void Commit() {
        connection_.Exec("COMMIT");
        done_ = true;
    }

private:
    CSqliteStore::Connection& connection_;
    bool done_ = false;
};

StoredAccount AccountFromRow(const Query& query) {
    StoredAccount account;
    account.userId = query.ColumnBytes(0);
    account.passwordHash = query.ColumnBytes(1);
    if (!query.ColumnIsNull(2)) account.nickname = query.ColumnBytes(2);
    return account;
}

// Reads the columns of VALMORE_RESULT_COLUMNS, after a leading rank column.
RankedResult ResultFromRow(const Query& query) {
    RankedResult row;
    row.rank = query.ColumnInt(0);
    StoredResult& r = row.result;
    r.id = query.ColumnInt(1);
    r.fields.userId = query.ColumnBytes(2);
    r.fields.scenarioId = query.ColumnBytes(3);
    r.fields.date = query.ColumnBytes(4);
    r.fields.totalScore = query.ColumnInt(5);
    r.fields.totalPL = query.ColumnInt(6);
    r.fields.averageAmount = query.ColumnInt(7);
    r.fields.commission = query.ColumnInt(8);
    r.fields.tax = query.ColumnInt(9);
    r.fields.tradeCount = query.ColumnInt(10);
    r.storedAt = query.ColumnBytes(11);
    r.shownName = query.ColumnBytes(12);
    return row;
}

}  // namespace

CSqliteStore::Lease::Lease(CSqliteStore& store) : store_(store) {
    {
        std::lock_guard lock(store_.mutex_);
        if (!store_.idle_.empty()) {
            connection_ = std::move(store_.idle_.back());
            store_.idle_.pop_back();
        }
    }
    if (!connection_) connection_ = std::make_unique<Connection>(store_.file_);
}

CSqliteStore::Lease::~Lease() {
    std::lock_guard lock(store_.mutex_);
    store_.idle_.push_back(std::move(connection_));
}

std::unique_ptr<CSqliteStore> CSqliteStore::Open(const std::filesystem::path& file, std::string* error) {
    std::unique_ptr<CSqliteStore> store(new CSqliteStore(file));
    try {
        Lease connection(*store);
        connection->Exec(kSchema);
    } catch (const CStoreError& e) {
        if (error != nullptr) *error = e.what();
        return nullptr;
    }
    return store;
}

CSqliteStore::CSqliteStore(std::filesystem::path file) : file_(std::move(file)) {}

CSqliteStore::~CSqliteStore() = default;

std::optional<StoredAccount> CSqliteStore::FindAccount(std::string_view userId) {
    Lease connection(*this);
    Query query(*connection, kFindAccount);
    query.Bytes(1, userId);
    if (!query.Step()) return std::nullopt;
    return AccountFromRow(query);
}

CreateAccountOutcome CSqliteStore::CreateAccount(const StoredAccount& account) {
    std::lock_guard write(writeMutex_);
    Lease connection(*this);
    Transaction transaction(*connection, "BEGIN IMMEDIATE");
    {
        Query find(*connection, kFindAccount);
        find.Bytes(1, account.userId);
        if (find.Step()) return CreateAccountOutcome::UserExists;
    }
    {
        Query insert(*connection, kInsertAccount);
        insert.Bytes(1, account.userId).Text(2, account.passwordHash);
        if (account.nickname) {
            insert.Bytes(3, *account.nickname);
        } else {
            insert.Null(3);
        }
        if (insert.Run() != SQLITE_OK) return CreateAccountOutcome::NicknameTaken;
    }
    transaction.Commit();
    return CreateAccountOutcome::Created;
}

ChangeAccountOutcome CSqliteStore::ChangeAccount(std::string_view userId, std::string_view currentHash,
                                                 std::string_view newHash, std::string_view nickname) {
    std::lock_guard write(writeMutex_);
    Lease connection(*this);
    Query update(*connection, kUpdateAccount);
    update.Bytes(1, userId).Text(2, currentHash).Text(3, newHash).Bytes(4, nickname);
    if (update.Run() != SQLITE_OK) return ChangeAccountOutcome::NicknameTaken;
    return sqlite3_changes(connection->Handle()) == 1 ? ChangeAccountOutcome::Changed : ChangeAccountOutcome::Stale;
}

std::int64_t CSqliteStore::AddResult(const ResultFields& f) {
    std::lock_guard write(writeMutex_);
    Lease connection(*this);
    Transaction transaction(*connection, "BEGIN IMMEDIATE");
    std::int64_t id = 0;
    {
        Query insert(*connection, kInsertResult);
        insert.Bytes(1, f.userId).Bytes(2, f.scenarioId).Bytes(3, f.date).Int(4, f.totalScore).Int(5, f.totalPL);
        insert.Int(6, f.averageAmount).Int(7, f.commission).Int(8, f.tax).Int(9, f.tradeCount);
        if (insert.Run() != SQLITE_OK) throw CStoreError("sqlite: the result names no stored user");
        id = sqlite3_last_insert_rowid(connection->Handle());
    }
    {
        Query best(*connection, kKeepBest);
        best.Bytes(1, f.scenarioId).Bytes(2, f.userId).Int(3, f.totalScore).Int(4, id);
        if (best.Run() != SQLITE_OK) throw CStoreError("sqlite: cannot keep the best result");
    }
    transaction.Commit();
    return id;
}

std::vector<RankedResult> CSqliteStore::Ranking(std::string_view scenarioId, std::string_view viewerUserId, int top) {
    Lease connection(*this);
    Query query(*connection, kRanking);
    query.Bytes(1, scenarioId).Int(2, top).Bytes(3, viewerUserId);
    std::vector<RankedResult> rows;
    while (query.Step()) rows.push_back(ResultFromRow(query));
    RankTopRows(rows);
    return rows;
}

std::vector<StoredResult> CSqliteStore::AllResults() {
    Lease connection(*this);
    Query query(*connection, kAllResults);
    std::vector<StoredResult> results;
    while (query.Step()) results.push_back(ResultFromRow(query).result);
    return results;
}

std::map<std::string, std::int64_t> CSqliteStore::ResultCounts() {
    Lease connection(*this);
    Query query(*connection, kResultCounts);
    std::map<std::string, std::int64_t> counts;
    while (query.Step()) counts[query.ColumnBytes(0)] = query.ColumnInt(1);
    return counts;
}

std::vector<StoredAccount> CSqliteStore::AllAccounts() {
    Lease connection(*this);
    Query query(*connection, kAllAccounts);
    std::vector<StoredAccount> accounts;
    while (query.Step()) accounts.push_back(AccountFromRow(query));
    return accounts;
}

int CSqliteStore::RecordLoginFailure(std::string_view userId, int windowSeconds) {
    const std::int64_t now = static_cast<std::int64_t>(std::time(nullptr));
    std::lock_guard write(writeMutex_);
    Lease connection(*this);
    Transaction transaction(*connection, "BEGIN IMMEDIATE");
    {
        Query forget(*connection, kForgetOldFailures);
        forget.Int(1, now - windowSeconds);
        forget.Run();
    }
    int failures = 1;
    {
        Query record(*connection, kRecordFailure);
        record.Bytes(1, userId).Int(2, now).Int(3, windowSeconds);
        if (record.Step()) failures = static_cast<int>(record.ColumnInt(0));
    }
    transaction.Commit();
    return failures;
}

void CSqliteStore::ClearLoginFailures(std::string_view userId) {
    std::lock_guard write(writeMutex_);
    Lease connection(*this);
    Query clear(*connection, kClearFailures);
    clear.Bytes(1, userId);
    clear.Run();
}

}  // namespace valmore
