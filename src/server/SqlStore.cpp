#include "server/SqlStore.h"

#include <ctime>

namespace valmore {

namespace {

using Lease = CSessionPool::Lease;

constexpr const char* kSchema = R"sql(
{schema_lock}
CREATE TABLE IF NOT EXISTS accounts (
  user_id {bytes} PRIMARY KEY,
  password_hash TEXT NOT NULL,
  nickname {bytes} UNIQUE,
  created_at {stamp});
CREATE TABLE IF NOT EXISTS results (
  id {serial},
  user_id {bytes} NOT NULL REFERENCES accounts (user_id),
  scenario_id {bytes} NOT NULL,
  played_date {bytes} NOT NULL,
  total_score {bigint} NOT NULL,
  total_pl {bigint} NOT NULL,
  average_amount {bigint} NOT NULL,
  commission {bigint} NOT NULL,
  tax {bigint} NOT NULL,
  trade_count {bigint} NOT NULL,
  stored_at {stamp});
CREATE TABLE IF NOT EXISTS best_results (
  scenario_id {bytes} NOT NULL,
  user_id {bytes} NOT NULL,
  total_score {bigint} NOT NULL,
  result_id {bigint} NOT NULL,
  PRIMARY KEY (scenario_id, user_id));
CREATE INDEX IF NOT EXISTS best_results_rank ON best_results (scenario_id, total_score DESC, result_id);
CREATE TABLE IF NOT EXISTS login_failures (
  user_id {bytes} PRIMARY KEY,
  failures INTEGER NOT NULL,
  last_failure {bigint} NOT NULL);
{schema_unlock}
)sql";

// The columns ResultFromRow reads, after a leading rank column.
#define VALMORE_RESULT_COLUMNS                                                                                   \
    "r.id, r.user_id, r.scenario_id, r.played_date, r.total_score, r.total_pl, r.average_amount, r.commission, " \
    "r.tax, r.trade_count, {stored_at}, COALESCE(a.nickname, a.user_id)"

constexpr SqlStatement kFindAccount{"find_account",
                                    "SELECT user_id, password_hash, nickname FROM accounts WHERE user_id = $1"};
// A user ID that exists already gives no row; a nickname that does breaks its unique constraint.
constexpr SqlStatement kInsertAccount{"insert_account",
                                      "INSERT INTO accounts (user_id, password_hash, nickname) VALUES ($1, $2, $3) "
                                      "ON CONFLICT (user_id) DO NOTHING RETURNING 1"};
constexpr SqlStatement kUpdateAccount{
    "update_account",
    "UPDATE accounts SET password_hash = $3, nickname = $4 WHERE user_id = $1 AND password_hash = $2"};
constexpr SqlStatement kInsertResult{
    "insert_result",
    "INSERT INTO results (user_id, scenario_id, played_date, total_score, total_pl, average_amount, commission, tax, "
    "trade_count) VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9) RETURNING id"};
constexpr SqlStatement kKeepBest{
    "keep_best",
    "INSERT INTO best_results (scenario_id, user_id, total_score, result_id) VALUES ($1, $2, $3, $4) "
    "ON CONFLICT (scenario_id, user_id) DO UPDATE SET total_score = excluded.total_score, result_id = "
    "excluded.result_id WHERE excluded.total_score > best_results.total_score OR (excluded.total_score = "
    "best_results.total_score AND excluded.result_id < best_results.result_id)"};
// The top rows come by the rank index; only the viewer's row below them needs a count for its rank.
constexpr SqlStatement kRanking{
    "ranking",
    "WITH top AS (SELECT user_id, total_score, result_id, 1 AS in_top FROM best_results WHERE scenario_id = $1 "
    "ORDER BY total_score DESC, result_id LIMIT $2), "
    "picked AS (SELECT * FROM top UNION ALL SELECT user_id, total_score, result_id, 0 FROM best_results "
    "WHERE scenario_id = $1 AND user_id = $3 AND user_id NOT IN (SELECT user_id FROM top)) "
    "SELECT CASE WHEN b.in_top = 1 THEN 0 ELSE (SELECT COUNT(*) FROM best_results c WHERE c.scenario_id = $1 AND "
    "c.total_score > b.total_score) + 1 END, " VALMORE_RESULT_COLUMNS
    " FROM picked b JOIN results r ON r.id = b.result_id JOIN accounts a ON a.user_id = b.user_id "
    "ORDER BY b.in_top DESC, b.total_score DESC, b.result_id"};
constexpr SqlStatement kAllResults{"all_results",
                                   "SELECT 0, " VALMORE_RESULT_COLUMNS
                                   " FROM results r JOIN accounts a ON a.user_id = r.user_id ORDER BY r.id"};
constexpr SqlStatement kResultCounts{"result_counts", "SELECT scenario_id, COUNT(*) FROM results GROUP BY scenario_id"};
constexpr SqlStatement kAllAccounts{"all_accounts",
                                    "SELECT user_id, password_hash, nickname FROM accounts ORDER BY user_id"};
constexpr SqlStatement kForgetOldFailures{"forget_old_failures", "DELETE FROM login_failures WHERE last_failure < $1"};
// Older failures are gone by now, so a row still there is one of this run of failures.
constexpr SqlStatement kRecordFailure{
    "record_failure",
    "INSERT INTO login_failures (user_id, failures, last_failure) VALUES ($1, 1, $2) ON CONFLICT (user_id) "
    "DO UPDATE SET failures = login_failures.failures + 1, last_failure = $2 RETURNING failures"};
constexpr SqlStatement kClearFailures{"clear_failures", "DELETE FROM login_failures WHERE user_id = $1"};

StoredAccount AccountFromRow(const ISqlSession& row) {
    StoredAccount account;
    account.userId = row.Bytes(0);
    account.passwordHash = row.Text(1);
    if (!row.IsNull(2)) account.nickname = row.Bytes(2);
    return account;
}

// Reads the columns of VALMORE_RESULT_COLUMNS, after a leading rank column.
RankedResult ResultFromRow(const ISqlSession& row) {
    RankedResult ranked;
    ranked.rank = row.Int(0);
    StoredResult& r = ranked.result;
    r.id = row.Int(1);
    r.fields.userId = row.Bytes(2);
    r.fields.scenarioId = row.Bytes(3);
    r.fields.date = row.Bytes(4);
    r.fields.totalScore = row.Int(5);
    r.fields.totalPL = row.Int(6);
    r.fields.averageAmount = row.Int(7);
    r.fields.commission = row.Int(8);
    r.fields.tax = row.Int(9);
    r.fields.tradeCount = row.Int(10);
    r.storedAt = row.Text(11);
    r.shownName = row.Bytes(12);
    return ranked;
}

SqlValue Nickname(const std::optional<std::string>& nickname) {
    return nickname ? SqlValue::Bytes(*nickname) : SqlValue::Null();
}

}  // namespace

std::unique_ptr<CSqlStore> CSqlStore::Open(std::unique_ptr<ISqlDatabase> database, std::string* error) {
    std::unique_ptr<CSqlStore> store(new CSqlStore(std::move(database)));
    try {
        Lease session(store->pool_);
        session->Script(kSchema);
    } catch (const CStoreError& e) {
        if (error != nullptr) *error = e.what();
        return nullptr;
    }
    return store;
}

std::optional<StoredAccount> CSqlStore::FindAccount(std::string_view userId) {
    Lease session(pool_);
    session->Run(kFindAccount, {SqlValue::Bytes(userId)});
    if (!session->Next()) return std::nullopt;
    return AccountFromRow(*session);
}

CreateAccountOutcome CSqlStore::CreateAccount(const StoredAccount& account) {
    Lease session(pool_);
    CSqlTransaction transaction(*session);
    if (!session->Run(kInsertAccount, {SqlValue::Bytes(account.userId), SqlValue::Text(account.passwordHash),
                                       Nickname(account.nickname)})) {
        return CreateAccountOutcome::NicknameTaken;
    }
    const bool created = session->Next();
    transaction.Commit();
    return created ? CreateAccountOutcome::Created : CreateAccountOutcome::UserExists;
}

ChangeAccountOutcome CSqlStore::ChangeAccount(std::string_view userId, std::string_view currentHash,
                                              std::string_view newHash, std::string_view nickname) {
    Lease session(pool_);
    CSqlTransaction transaction(*session);
    if (!session->Run(kUpdateAccount, {SqlValue::Bytes(userId), SqlValue::Text(currentHash), SqlValue::Text(newHash),
                                       SqlValue::Bytes(nickname)})) {
        return ChangeAccountOutcome::NicknameTaken;
    }
    const bool changed = session->AffectedRows() == 1;
    transaction.Commit();
    return changed ? ChangeAccountOutcome::Changed : ChangeAccountOutcome::Stale;
}

std::int64_t CSqlStore::AddResult(const ResultFields& f) {
    Lease session(pool_);
    CSqlTransaction transaction(*session);
    if (!session->Run(kInsertResult,
                      {SqlValue::Bytes(f.userId), SqlValue::Bytes(f.scenarioId), SqlValue::Bytes(f.date),
                       SqlValue::Int(f.totalScore), SqlValue::Int(f.totalPL), SqlValue::Int(f.averageAmount),
                       SqlValue::Int(f.commission), SqlValue::Int(f.tax), SqlValue::Int(f.tradeCount)}) ||
        !session->Next()) {
        throw CStoreError("the result was not stored");
    }
    const std::int64_t id = session->Int(0);
    if (!session->Run(kKeepBest, {SqlValue::Bytes(f.scenarioId), SqlValue::Bytes(f.userId), SqlValue::Int(f.totalScore),
                                  SqlValue::Int(id)})) {
        throw CStoreError("the best result could not be kept");
    }
    transaction.Commit();
    return id;
}

std::vector<RankedResult> CSqlStore::Ranking(std::string_view scenarioId, std::string_view viewerUserId, int top) {
    Lease session(pool_);
    session->Run(kRanking, {SqlValue::Bytes(scenarioId), SqlValue::Int(top), SqlValue::Bytes(viewerUserId)});
    std::vector<RankedResult> rows;
    while (session->Next()) rows.push_back(ResultFromRow(*session));
    RankTopRows(rows);
    return rows;
}

std::vector<StoredResult> CSqlStore::AllResults() {
    Lease session(pool_);
    session->Run(kAllResults, {});
    std::vector<StoredResult> results;
    while (session->Next()) results.push_back(ResultFromRow(*session).result);
    return results;
}

std::map<std::string, std::int64_t> CSqlStore::ResultCounts() {
    Lease session(pool_);
    session->Run(kResultCounts, {});
    std::map<std::string, std::int64_t> counts;
    while (session->Next()) counts[session->Bytes(0)] = session->Int(1);
    return counts;
}

std::vector<StoredAccount> CSqlStore::AllAccounts() {
    Lease session(pool_);
    session->Run(kAllAccounts, {});
    std::vector<StoredAccount> accounts;
    while (session->Next()) accounts.push_back(AccountFromRow(*session));
    return accounts;
}

int CSqlStore::RecordLoginFailure(std::string_view userId, int windowSeconds) {
    const std::int64_t now = static_cast<std::int64_t>(std::time(nullptr));
    Lease session(pool_);
    CSqlTransaction transaction(*session);
    session->Run(kForgetOldFailures, {SqlValue::Int(now - windowSeconds)});
    session->Run(kRecordFailure, {SqlValue::Bytes(userId), SqlValue::Int(now)});
    const int failures = session->Next() ? static_cast<int>(session->Int(0)) : 1;
    transaction.Commit();
    return failures;
}

void CSqlStore::ClearLoginFailures(std::string_view userId) {
    Lease session(pool_);
    CSqlTransaction transaction(*session);
    session->Run(kClearFailures, {SqlValue::Bytes(userId)});
    transaction.Commit();
}

}  // namespace valmore
