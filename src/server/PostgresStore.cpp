#include "server/PostgresStore.h"

#include <libpq-fe.h>

#include <ctime>
#include <initializer_list>

namespace valmore {

namespace {

// Server processes starting together must not create the tables twice at once.
constexpr const char* kSchema = R"sql(
SELECT pg_advisory_lock(73250012);
CREATE TABLE IF NOT EXISTS accounts (
  user_id BYTEA PRIMARY KEY,
  password_hash TEXT NOT NULL,
  nickname BYTEA UNIQUE,
  created_at TIMESTAMPTZ NOT NULL DEFAULT now());
CREATE TABLE IF NOT EXISTS results (
  id BIGSERIAL PRIMARY KEY,
  user_id BYTEA NOT NULL REFERENCES accounts (user_id),
  scenario_id BYTEA NOT NULL,
  played_date BYTEA NOT NULL,
  total_score BIGINT NOT NULL,
  total_pl BIGINT NOT NULL,
  average_amount BIGINT NOT NULL,
  commission BIGINT NOT NULL,
  tax BIGINT NOT NULL,
  trade_count BIGINT NOT NULL,
  stored_at TIMESTAMPTZ NOT NULL DEFAULT now());
CREATE TABLE IF NOT EXISTS best_results (
  scenario_id BYTEA NOT NULL,
  user_id BYTEA NOT NULL,
  total_score BIGINT NOT NULL,
  result_id BIGINT NOT NULL,
  PRIMARY KEY (scenario_id, user_id));
CREATE INDEX IF NOT EXISTS best_results_rank ON best_results (scenario_id, total_score DESC, result_id);
CREATE TABLE IF NOT EXISTS login_failures (
  user_id BYTEA PRIMARY KEY,
  failures INTEGER NOT NULL,
  last_failure BIGINT NOT NULL);
SELECT pg_advisory_unlock(73250012);
)sql";

constexpr Oid kBytea = 17;
constexpr Oid kInt8 = 20;
constexpr Oid kText = 25;

struct StatementDef {
    const char* name;
    const char* sql;
    std::initializer_list<Oid> types;
};

#define VALMORE_RESULT_COLUMNS                                                                                   \
    "r.id, r.user_id, r.scenario_id, r.played_date, r.total_score, r.total_pl, r.average_amount, r.commission, " \
    "r.tax, "                                                                                                    \
    "r.trade_count, to_char(r.stored_at AT TIME ZONE 'UTC', 'YYYY-MM-DD HH24:MI:SS'), COALESCE(a.nickname, a.user_id)"

const StatementDef kStatements[] = {
    {"find_account", "SELECT user_id, password_hash, nickname FROM accounts WHERE user_id = $1", {kBytea}},
    {"insert_account",
     "INSERT INTO accounts (user_id, password_hash, nickname) VALUES ($1, $2, $3) ON CONFLICT (user_id) DO NOTHING "
     "RETURNING 1",
     {kBytea, kText, kBytea}},
    {"update_account",
     "UPDATE accounts SET password_hash = $3, nickname = $4 WHERE user_id = $1 AND password_hash = $2",
     {kBytea, kText, kText, kBytea}},
    // One statement stores the result and keeps the best one, so no other process sees half of it.
    {"add_result",
     "WITH r AS (INSERT INTO results (user_id, scenario_id, played_date, total_score, total_pl, average_amount, "
     "commission, tax, trade_count) VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9) RETURNING id) "
     "INSERT INTO best_results (scenario_id, user_id, total_score, result_id) SELECT $2, $1, $4, id FROM r "
     "ON CONFLICT (scenario_id, user_id) DO UPDATE SET total_score = EXCLUDED.total_score, result_id = "
     "EXCLUDED.result_id WHERE EXCLUDED.total_score > best_results.total_score OR (EXCLUDED.total_score = "
     "best_results.total_score AND EXCLUDED.result_id < best_results.result_id) RETURNING (SELECT id FROM r)",
     {kBytea, kBytea, kBytea, kInt8, kInt8, kInt8, kInt8, kInt8, kInt8}},
    // The top rows come by the rank index; only the viewer's row below them needs a count for its rank.
    {"ranking",
     "WITH top AS (SELECT user_id, total_score, result_id, 1 AS in_top FROM best_results WHERE scenario_id = $1 "
     "ORDER BY total_score DESC, result_id LIMIT $2), "
     "picked AS (SELECT * FROM top UNION ALL SELECT user_id, total_score, result_id, 0 FROM best_results "
     "WHERE scenario_id = $1 AND user_id = $3 AND user_id NOT IN (SELECT user_id FROM top)) "
     "SELECT CASE WHEN b.in_top = 1 THEN 0 ELSE (SELECT COUNT(*) FROM best_results c WHERE c.scenario_id = $1 AND "
     "c.total_score > b.total_score) + 1 END, " VALMORE_RESULT_COLUMNS
     " FROM picked b JOIN results r ON r.id = b.result_id JOIN accounts a ON a.user_id = b.user_id "
     "ORDER BY b.in_top DESC, b.total_score DESC, b.result_id",
     {kBytea, kInt8, kBytea}},
    {"all_results",
     "SELECT 0, " VALMORE_RESULT_COLUMNS " FROM results r JOIN accounts a ON a.user_id = r.user_id ORDER BY r.id",
     {}},
    {"result_counts", "SELECT scenario_id, COUNT(*) FROM results GROUP BY scenario_id", {}},
    {"all_accounts", "SELECT user_id, password_hash, nickname FROM accounts ORDER BY user_id", {}},
    {"record_failure",
     "WITH gone AS (DELETE FROM login_failures WHERE last_failure < $2 - $3 AND user_id <> $1) "
     "INSERT INTO login_failures (user_id, failures, last_failure) VALUES ($1, 1, $2) "
     "ON CONFLICT (user_id) DO UPDATE SET failures = CASE WHEN login_failures.last_failure >= $2 - $3 "
     "THEN login_failures.failures + 1 ELSE 1 END, last_failure = $2 RETURNING failures",
     {kBytea, kInt8, kInt8}},
    {"clear_failures", "DELETE FROM login_failures WHERE user_id = $1", {kBytea}},
};

constexpr const char* kUniqueViolation = "23505";

// "\x" followed by hex digits, as the text output of a bytea column reads.
std::string DecodeBytea(const char* text, int length) {
    auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return 0;
    };
    std::string out;
    if (length < 2 || text[0] != '\\' || text[1] != 'x') return std::string(text, static_cast<std::size_t>(length));
    out.reserve(static_cast<std::size_t>(length - 2) / 2);
    for (int i = 2; i + 1 < length; i += 2) out.push_back(static_cast<char>(hex(text[i]) * 16 + hex(text[i + 1])));
    return out;
}

}  // namespace

class CPostgresStore::Connection {
public:
    explicit Connection(const std::string& conninfo) : conn_(PQconnectdb(conninfo.c_str())) {
        if (conn_ == nullptr || PQstatus(conn_) != CONNECTION_OK) {
            const std::string why = conn_ != nullptr ? PQerrorMessage(conn_) : "out of memory";
            PQfinish(conn_);
            conn_ = nullptr;
            throw CStoreError("postgresql: cannot connect: " + Trimmed(why));
        }
        // "relation already exists, skipping" and the like are no news for the log.
        PQsetNoticeProcessor(
            conn_, [](void*, const char*) {}, nullptr);
    }
    ~Connection() { PQfinish(conn_); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void Exec(const char* sql) {
        PGresult* result = PQexec(conn_, sql);
        const ExecStatusType status = PQresultStatus(result);
        const std::string why = PQresultErrorMessage(result);
        PQclear(result);
        if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) throw CStoreError("postgresql: " + Trimmed(why));
    }

    void PrepareAll() {
        for (const StatementDef& def : kStatements) {
            const std::vector<Oid> types(def.types);
            PGresult* result = PQprepare(conn_, def.name, def.sql, static_cast<int>(types.size()), types.data());
            const bool ok = PQresultStatus(result) == PGRES_COMMAND_OK;
            const std::string why = PQresultErrorMessage(result);
            PQclear(result);
            if (!ok) throw CStoreError(std::string("postgresql: cannot prepare ") + def.name + ": " + Trimmed(why));
        }
    }

    bool Healthy() const { return PQstatus(conn_) == CONNECTION_OK && PQtransactionStatus(conn_) == PQTRANS_IDLE; }
    PGconn* Handle() const { return conn_; }

    static std::string Trimmed(std::string text) {
        while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
        return text;
    }

private:
    PGconn* conn_;
};

namespace {

// One run of a prepared statement: byte values go in binary form, numbers and hashes as text.
class Query {
public:
    Query(CPostgresStore::Connection& connection, const char* name) : connection_(connection), name_(name) {}
    ~Query() { PQclear(result_); }
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    Query& Bytes(std::string_view bytes) { return Add(std::string(bytes), 1); }
    Query& Text(std::string_view text) { return Add(std::string(text), 0); }
    Query& Int(std::int64_t value) { return Add(std::to_string(value), 0); }
    Query& Null() {
        values_.emplace_back();
        nulls_.push_back(true);
        formats_.push_back(0);
        return *this;
    }

    // Runs the statement; false when it broke a unique constraint, a throw for any other failure.
    bool Run() {
        std::vector<const char*> values;
        std::vector<int> lengths;
        for (std::size_t i = 0; i < values_.size(); ++i) {
            values.push_back(nulls_[i] ? nullptr : values_[i].c_str());
            lengths.push_back(static_cast<int>(values_[i].size()));
        }
        result_ = PQexecPrepared(connection_.Handle(), name_, static_cast<int>(values.size()), values.data(),
                                 lengths.data(), formats_.data(), 0);
        const ExecStatusType status = PQresultStatus(result_);
        if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return true;
        const char* state = PQresultErrorField(result_, PG_DIAG_SQLSTATE);
        if (state != nullptr && std::string_view(state) == kUniqueViolation) return false;
        throw CStoreError("postgresql: " + CPostgresStore::Connection::Trimmed(PQresultErrorMessage(result_)));
    }

    int Rows() const { return PQntuples(result_); }
    bool IsNull(int row, int column) const { return PQgetisnull(result_, row, column) != 0; }
    std::string Bytes(int row, int column) const {
        return DecodeBytea(PQgetvalue(result_, row, column), PQgetlength(result_, row, column));
    }
    std::string Text(int row, int column) const {
        return std::string(PQgetvalue(result_, row, column),
                           static_cast<std::size_t>(PQgetlength(result_, row, column)));
    }
    std::int64_t Int(int row, int column) const { return std::stoll(PQgetvalue(result_, row, column)); }
    std::int64_t Affected() const {
        const char* tuples = PQcmdTuples(result_);
        return *tuples == '\0' ? 0 : std::stoll(tuples);
    }

private:
    Query& Add(std::string value, int format) {
        values_.push_back(std::move(value));
        nulls_.push_back(false);
        formats_.push_back(format);
        return *this;
    }

    CPostgresStore::Connection& connection_;
    const char* name_;
    std::vector<std::string> values_;
    std::vector<bool> nulls_;
    std::vector<int> formats_;
    PGresult* result_ = nullptr;
};

StoredAccount AccountFromRow(const Query& query, int row) {
    StoredAccount account;
    account.userId = query.Bytes(row, 0);
    account.passwordHash = query.Text(row, 1);
    if (!query.IsNull(row, 2)) account.nickname = query.Bytes(row, 2);
    return account;
}

RankedResult ResultFromRow(const Query& query, int row) {
    RankedResult ranked;
    ranked.rank = query.Int(row, 0);
    StoredResult& r = ranked.result;
    r.id = query.Int(row, 1);
    r.fields.userId = query.Bytes(row, 2);
    r.fields.scenarioId = query.Bytes(row, 3);
    r.fields.date = query.Bytes(row, 4);
    r.fields.totalScore = query.Int(row, 5);
    r.fields.totalPL = query.Int(row, 6);
    r.fields.averageAmount = query.Int(row, 7);
    r.fields.commission = query.Int(row, 8);
    r.fields.tax = query.Int(row, 9);
    r.fields.tradeCount = query.Int(row, 10);
    r.storedAt = query.Text(row, 11);
    r.shownName = query.Bytes(row, 12);
    return ranked;
}

}  // namespace

CPostgresStore::Lease::Lease(CPostgresStore& store) : store_(store) {
    {
        std::lock_guard lock(store_.mutex_);
        if (!store_.idle_.empty()) {
            connection_ = std::move(store_.idle_.back());
            store_.idle_.pop_back();
        }
    }
    if (!connection_) {
        connection_ = std::make_unique<Connection>(store_.conninfo_);
        // The statements are short and their plans do not depend on the values: plan them once.
        connection_->Exec("SET plan_cache_mode = force_generic_plan");
        connection_->PrepareAll();
    }
}

CPostgresStore::Lease::~Lease() {
    // A connection the database dropped is not handed out again; the next call opens a fresh one.
    if (!connection_->Healthy()) return;
    std::lock_guard lock(store_.mutex_);
    store_.idle_.push_back(std::move(connection_));
}

std::unique_ptr<CPostgresStore> CPostgresStore::Open(const std::string& conninfo, std::string* error) {
    std::unique_ptr<CPostgresStore> store(new CPostgresStore(conninfo));
    try {
        Connection connection(conninfo);
        connection.Exec(kSchema);
        Lease check(*store);
    } catch (const CStoreError& e) {
        if (error != nullptr) *error = e.what();
        return nullptr;
    }
    return store;
}

CPostgresStore::CPostgresStore(std::string conninfo) : conninfo_(std::move(conninfo)) {}

CPostgresStore::~CPostgresStore() = default;

std::optional<StoredAccount> CPostgresStore::FindAccount(std::string_view userId) {
    Lease connection(*this);
    Query query(*connection, "find_account");
    query.Bytes(userId).Run();
    if (query.Rows() == 0) return std::nullopt;
    return AccountFromRow(query, 0);
}

CreateAccountOutcome CPostgresStore::CreateAccount(const StoredAccount& account) {
    Lease connection(*this);
    Query query(*connection, "insert_account");
    query.Bytes(account.userId).Text(account.passwordHash);
    if (account.nickname) {
        query.Bytes(*account.nickname);
    } else {
        query.Null();
    }
    if (!query.Run()) return CreateAccountOutcome::NicknameTaken;
    return query.Rows() == 1 ? CreateAccountOutcome::Created : CreateAccountOutcome::UserExists;
}

ChangeAccountOutcome CPostgresStore::ChangeAccount(std::string_view userId, std::string_view currentHash,
                                                   std::string_view newHash, std::string_view nickname) {
    Lease connection(*this);
    Query query(*connection, "update_account");
    if (!query.Bytes(userId).Text(currentHash).Text(newHash).Bytes(nickname).Run()) {
        return ChangeAccountOutcome::NicknameTaken;
    }
    return query.Affected() == 1 ? ChangeAccountOutcome::Changed : ChangeAccountOutcome::Stale;
}

std::int64_t CPostgresStore::AddResult(const ResultFields& f) {
    Lease connection(*this);
    Query query(*connection, "add_result");
    query.Bytes(f.userId).Bytes(f.scenarioId).Bytes(f.date).Int(f.totalScore).Int(f.totalPL).Int(f.averageAmount);
    query.Int(f.commission).Int(f.tax).Int(f.tradeCount);
    if (!query.Run()) throw CStoreError("postgresql: the result clashed with a stored one");
    // No row comes back when the stored best stays; the result itself is stored either way.
    return query.Rows() == 1 ? query.Int(0, 0) : 0;
}

std::vector<RankedResult> CPostgresStore::Ranking(std::string_view scenarioId, std::string_view viewerUserId, int top) {
    Lease connection(*this);
    Query query(*connection, "ranking");
    query.Bytes(scenarioId).Int(top).Bytes(viewerUserId).Run();
    std::vector<RankedResult> rows;
    for (int row = 0; row < query.Rows(); ++row) rows.push_back(ResultFromRow(query, row));
    RankTopRows(rows);
    return rows;
}

std::vector<StoredResult> CPostgresStore::AllResults() {
    Lease connection(*this);
    Query query(*connection, "all_results");
    query.Run();
    std::vector<StoredResult> results;
    for (int row = 0; row < query.Rows(); ++row) results.push_back(ResultFromRow(query, row).result);
    return results;
}

std::map<std::string, std::int64_t> CPostgresStore::ResultCounts() {
    Lease connection(*this);
    Query query(*connection, "result_counts");
    query.Run();
    std::map<std::string, std::int64_t> counts;
    for (int row = 0; row < query.Rows(); ++row) counts[query.Bytes(row, 0)] = query.Int(row, 1);
    return counts;
}

std::vector<StoredAccount> CPostgresStore::AllAccounts() {
    Lease connection(*this);
    Query query(*connection, "all_accounts");
    query.Run();
    std::vector<StoredAccount> accounts;
    for (int row = 0; row < query.Rows(); ++row) accounts.push_back(AccountFromRow(query, row));
    return accounts;
}

int CPostgresStore::RecordLoginFailure(std::string_view userId, int windowSeconds) {
    const std::int64_t now = static_cast<std::int64_t>(std::time(nullptr));
    Lease connection(*this);
    Query query(*connection, "record_failure");
    query.Bytes(userId).Int(now).Int(windowSeconds).Run();
    return query.Rows() == 1 ? static_cast<int>(query.Int(0, 0)) : 1;
}

void CPostgresStore::ClearLoginFailures(std::string_view userId) {
    Lease connection(*this);
    Query query(*connection, "clear_failures");
    query.Bytes(userId).Run();
}

}  // namespace valmore
