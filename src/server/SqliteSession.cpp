#include "server/SqliteSession.h"

#include <sqlite3.h>

#include <mutex>
#include <unordered_map>

#include "server/ServerStore.h"

namespace valmore {

namespace {

constexpr SqlDialect kSqlite{
    '?',
    "BLOB",
    "INTEGER",
    "INTEGER PRIMARY KEY AUTOINCREMENT",
    "TEXT NOT NULL DEFAULT (strftime('%Y-%m-%d %H:%M:%S', 'now'))",
    "r.stored_at",
    "",
    "",
};

class CSqliteDatabase : public ISqlDatabase {
public:
    explicit CSqliteDatabase(std::filesystem::path file) : file_(std::move(file)) {}
    std::unique_ptr<ISqlSession> Connect() override;

private:
    std::filesystem::path file_;
    // SQLite takes one writer at a time; the threads of this process queue here rather than in
    // SQLite's busy handler, which sleeps in steps of up to 100 ms. Other processes still wait there.
    std::mutex writeMutex_;
};

class CSqliteSession : public ISqlSession {
public:
    CSqliteSession(const std::filesystem::path& file, std::mutex& writeMutex) : writeMutex_(writeMutex) {
        const int rc = sqlite3_open_v2(file.c_str(), &db_,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
        if (rc != SQLITE_OK) {
            const std::string why = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
            sqlite3_close(db_);
            db_ = nullptr;
            throw CStoreError("cannot open " + file.string() + ": " + why);
        }
        sqlite3_busy_timeout(db_, 10000);
        try {
            // FULL makes every answered "OK" survive a power cut as well as a killed process.
            Exec("PRAGMA journal_mode = WAL; PRAGMA synchronous = FULL; PRAGMA foreign_keys = ON;");
        } catch (...) {
            // No destructor runs for a constructor that throws.
            sqlite3_close(db_);
            throw;
        }
    }
    ~CSqliteSession() override {
        for (auto& [name, statement] : statements_) sqlite3_finalize(statement);
        sqlite3_close(db_);
    }
    CSqliteSession(const CSqliteSession&) = delete;
    CSqliteSession& operator=(const CSqliteSession&) = delete;

    bool Run(const SqlStatement& statement, std::initializer_list<SqlValue> values) override {
        EndRun();
        sqlite3_stmt* prepared = Prepare(statement);
        int index = 1;
        for (const SqlValue& value : values) Bind(prepared, index++, value);
        const int rc = sqlite3_step(prepared);
        if (rc == SQLITE_ROW) {
            current_ = prepared;
            pendingRow_ = true;
            return true;
        }
        if (rc == SQLITE_DONE) {
            changes_ = sqlite3_changes64(db_);
            Reset(prepared);
            return true;
        }
        const int extended = sqlite3_extended_errcode(db_);
        const std::string why = sqlite3_errmsg(db_);
        Reset(prepared);
        if (extended == SQLITE_CONSTRAINT_UNIQUE || extended == SQLITE_CONSTRAINT_PRIMARYKEY) return false;
        throw CStoreError("sqlite: " + why);
    }

    bool Next() override {
        if (current_ == nullptr) return false;
        if (pendingRow_) {
            pendingRow_ = false;
            return true;
        }
        const int rc = sqlite3_step(current_);
        if (rc == SQLITE_ROW) return true;
        const std::string why = sqlite3_errmsg(db_);
        EndRun();
        if (rc == SQLITE_DONE) return false;
        throw CStoreError("sqlite: " + why);
    }

    bool IsNull(int column) const override { return sqlite3_column_type(current_, column) == SQLITE_NULL; }
    std::string Bytes(int column) const override {
        const void* data = sqlite3_column_blob(current_, column);
        const int size = sqlite3_column_bytes(current_, column);
        return data == nullptr ? std::string{}
                               : std::string(static_cast<const char*>(data), static_cast<std::size_t>(size));
    }
    std::string Text(int column) const override { return Bytes(column); }
    std::int64_t Int(int column) const override { return sqlite3_column_int64(current_, column); }
    std::int64_t AffectedRows() const override { return changes_; }

    void Script(std::string_view common) override { Exec(SqlInDialect(common, kSqlite).c_str()); }

    void Begin() override {
        writeLock_ = std::unique_lock(writeMutex_);
        try {
            // The write lock is taken at once: a read that later turns into a write could fail busy.
            Exec("BEGIN IMMEDIATE");
        } catch (...) {
            writeLock_ = {};
            throw;
        }
    }
    void Commit() override {
        EndRun();
        Exec("COMMIT");
        writeLock_ = {};
    }
    void Rollback() noexcept override {
        EndRun();
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        writeLock_ = {};
    }

    bool Idle() override {
        EndRun();
        return sqlite3_get_autocommit(db_) != 0;
    }

private:
    void Exec(const char* sql) {
        char* message = nullptr;
        if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
            const std::string why = message != nullptr ? message : sqlite3_errmsg(db_);
            sqlite3_free(message);
            throw CStoreError("sqlite: " + why);
        }
    }

    sqlite3_stmt* Prepare(const SqlStatement& statement) {
        auto found = statements_.find(statement.name);
        if (found != statements_.end()) return found->second;
        const std::string sql = SqlInDialect(statement.text, kSqlite);
        sqlite3_stmt* prepared = nullptr;
        if (sqlite3_prepare_v3(db_, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &prepared, nullptr) != SQLITE_OK) {
            throw CStoreError(std::string("sqlite: ") + sqlite3_errmsg(db_));
        }
        statements_.emplace(statement.name, prepared);
        return prepared;
    }

    void Bind(sqlite3_stmt* prepared, int index, const SqlValue& value) {
        int rc = SQLITE_OK;
        switch (value.kind) {
            case SqlValue::Kind::Null:
                rc = sqlite3_bind_null(prepared, index);
                break;
            case SqlValue::Kind::Bytes:
                // A null pointer would bind NULL; an empty text must stay an empty value.
                rc = sqlite3_bind_blob(prepared, index, value.text.empty() ? "" : value.text.data(),
                                       static_cast<int>(value.text.size()), SQLITE_TRANSIENT);
                break;
            case SqlValue::Kind::Text:
                rc = sqlite3_bind_text(prepared, index, value.text.data(), static_cast<int>(value.text.size()),
                                       SQLITE_TRANSIENT);
                break;
            case SqlValue::Kind::Int:
                rc = sqlite3_bind_int64(prepared, index, value.number);
                break;
        }
        if (rc != SQLITE_OK) {
            const std::string why = sqlite3_errmsg(db_);
            Reset(prepared);
            throw CStoreError("sqlite: " + why);
        }
    }

    static void Reset(sqlite3_stmt* prepared) {
        sqlite3_reset(prepared);
        sqlite3_clear_bindings(prepared);
    }

    // A statement left stepping would keep its read snapshot open.
    void EndRun() {
        if (current_ != nullptr) Reset(current_);
        current_ = nullptr;
        pendingRow_ = false;
    }

    sqlite3* db_ = nullptr;
    std::mutex& writeMutex_;
    std::unique_lock<std::mutex> writeLock_;
    std::unordered_map<std::string, sqlite3_stmt*> statements_;
    sqlite3_stmt* current_ = nullptr;
    bool pendingRow_ = false;
    std::int64_t changes_ = 0;
};

std::unique_ptr<ISqlSession> CSqliteDatabase::Connect() {
    return std::make_unique<CSqliteSession>(file_, writeMutex_);
}

}  // namespace

std::unique_ptr<ISqlDatabase> SqliteDatabase(const std::filesystem::path& file) {
    return std::make_unique<CSqliteDatabase>(file);
}

}  // namespace valmore
