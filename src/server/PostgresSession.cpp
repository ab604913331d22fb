#include "server/PostgresSession.h"

#include <libpq-fe.h>

#include <unordered_set>
#include <vector>

#include "server/ServerStore.h"

namespace valmore {

namespace {

// Server processes starting together must not make the tables twice at once.
constexpr SqlDialect kPostgres{
    '$',
    "BYTEA",
    "BIGINT",
    "BIGSERIAL PRIMARY KEY",
    "TIMESTAMPTZ NOT NULL DEFAULT now()",
    "to_char(r.stored_at AT TIME ZONE 'UTC', 'YYYY-MM-DD HH24:MI:SS')",
    "SELECT pg_advisory_lock(73250012);",
    "SELECT pg_advisory_unlock(73250012);",
};

constexpr Oid kBytea = 17;
constexpr Oid kInt8 = 20;
constexpr Oid kText = 25;
constexpr const char* kUniqueViolation = "23505";

std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

// "\x" followed by hex digits, as the text output of a bytea column reads.
std::string DecodeBytea(const char* text, int length) {
    auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return 0;
    };
    if (length < 2 || text[0] != '\\' || text[1] != 'x') return std::string(text, static_cast<std::size_t>(length));
    std::string out;
    out.reserve(static_cast<std::size_t>(length - 2) / 2);
    for (int i = 2; i + 1 < length; i += 2) out.push_back(static_cast<char>(hex(text[i]) * 16 + hex(text[i + 1])));
    return out;
}

class CPostgresDatabase : public ISqlDatabase {
public:
    explicit CPostgresDatabase(std::string conninfo) : conninfo_(std::move(conninfo)) {}
    std::unique_ptr<ISqlSession> Connect() override;

private:
    std::string conninfo_;
};

// Byte values go in binary form, numbers and hashes as text; rows come back as text.
class CPostgresSession : public ISqlSession {
public:
    explicit CPostgresSession(const std::string& conninfo) : conn_(PQconnectdb(conninfo.c_str())) {
        if (conn_ == nullptr || PQstatus(conn_) != CONNECTION_OK) {
            const std::string why = conn_ != nullptr ? PQerrorMessage(conn_) : "out of memory";
            PQfinish(conn_);
            throw CStoreError("postgresql: cannot connect: " + Trimmed(why));
        }
        // "relation already exists, skipping" and the like are no news for the log.
        PQsetNoticeProcessor(
            conn_, [](void*, const char*) {}, nullptr);
        // The statements are short and their plans do not depend on the values: plan them once.
        Exec("SET plan_cache_mode = force_generic_plan");
    }
    ~CPostgresSession() override {
        PQclear(result_);
        PQfinish(conn_);
    }
    CPostgresSession(const CPostgresSession&) = delete;
    CPostgresSession& operator=(const CPostgresSession&) = delete;

    bool Run(const SqlStatement& statement, std::initializer_list<SqlValue> values) override {
        EndRun();
        std::vector<const char*> texts;
        std::vector<int> lengths;
        std::vector<int> formats;
        std::vector<Oid> types;
        std::vector<std::string> numbers;
        numbers.reserve(values.size());
        for (const SqlValue& value : values) {
            switch (value.kind) {
                case SqlValue::Kind::Null:
                    texts.push_back(nullptr);
                    lengths.push_back(0);
                    formats.push_back(0);
                    types.push_back(0);
                    continue;
                case SqlValue::Kind::Int:
                    numbers.push_back(std::to_string(value.number));
                    texts.push_back(numbers.back().c_str());
                    lengths.push_back(static_cast<int>(numbers.back().size()));
                    formats.push_back(0);
                    types.push_back(kInt8);
                    continue;
                case SqlValue::Kind::Bytes:
                case SqlValue::Kind::Text:
                    break;
            }
            const bool bytes = value.kind == SqlValue::Kind::Bytes;
            // Binary bytes need no terminator; a text parameter is read up to its NUL.
            numbers.emplace_back(value.text);
            texts.push_back(numbers.back().c_str());
            lengths.push_back(static_cast<int>(value.text.size()));
            formats.push_back(bytes ? 1 : 0);
            types.push_back(bytes ? kBytea : kText);
        }
        Prepare(statement, types);
        result_ = PQexecPrepared(conn_, statement.name, static_cast<int>(texts.size()), texts.data(), lengths.data(),
                                 formats.data(), 0);
        const ExecStatusType status = PQresultStatus(result_);
        if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return true;
        const char* state = PQresultErrorField(result_, PG_DIAG_SQLSTATE);
        if (state != nullptr && std::string_view(state) == kUniqueViolation) return false;
        throw CStoreError("postgresql: " + Trimmed(PQresultErrorMessage(result_)));
    }

    bool Next() override { return result_ != nullptr && ++row_ < PQntuples(result_); }
    bool IsNull(int column) const override { return PQgetisnull(result_, row_, column) != 0; }
    std::string Bytes(int column) const override {
        return DecodeBytea(PQgetvalue(result_, row_, column), PQgetlength(result_, row_, column));
    }
    std::string Text(int column) const override {
        return std::string(PQgetvalue(result_, row_, column),
                           static_cast<std::size_t>(PQgetlength(result_, row_, column)));
    }
    std::int64_t Int(int column) const override { return std::stoll(PQgetvalue(result_, row_, column)); }
    std::int64_t AffectedRows() const override {
        const char* tuples = result_ != nullptr ? PQcmdTuples(result_) : "";
        return *tuples == '\0' ? 0 : std::stoll(tuples);
    }

    void Script(std::string_view common) override { Exec(SqlInDialect(common, kPostgres)); }

    void Begin() override { Exec("BEGIN"); }
    void Commit() override { Exec("COMMIT"); }
    void Rollback() noexcept override { PQclear(PQexec(conn_, "ROLLBACK")); }

    bool Idle() override {
        EndRun();
        return PQstatus(conn_) == CONNECTION_OK && PQtransactionStatus(conn_) == PQTRANS_IDLE;
    }

private:
    void Exec(const std::string& sql) {
        PGresult* result = PQexec(conn_, sql.c_str());
        const ExecStatusType status = PQresultStatus(result);
        const std::string why = PQresultErrorMessage(result);
        PQclear(result);
        if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) throw CStoreError("postgresql: " + Trimmed(why));
    }

    // Prepared on first use, with the parameter types of the values it first runs with.
    void Prepare(const SqlStatement& statement, const std::vector<Oid>& types) {
        if (prepared_.contains(statement.name)) return;
        const std::string sql = SqlInDialect(statement.text, kPostgres);
        PGresult* result = PQprepare(conn_, statement.name, sql.c_str(), static_cast<int>(types.size()), types.data());
        const bool ok = PQresultStatus(result) == PGRES_COMMAND_OK;
        const std::string why = PQresultErrorMessage(result);
        PQclear(result);
        if (!ok) throw CStoreError(std::string("postgresql: cannot prepare ") + statement.name + ": " + Trimmed(why));
        prepared_.insert(statement.name);
    }

    void EndRun() {
        PQclear(result_);
        result_ = nullptr;
        row_ = -1;
    }

    PGconn* conn_;
    std::unordered_set<std::string> prepared_;
    PGresult* result_ = nullptr;
    int row_ = -1;
};

std::unique_ptr<ISqlSession> CPostgresDatabase::Connect() {
    return std::make_unique<CPostgresSession>(conninfo_);
}

}  // namespace

std::unique_ptr<ISqlDatabase> PostgresDatabase(std::string conninfo) {
    return std::make_unique<CPostgresDatabase>(std::move(conninfo));
}

}  // namespace valmore
