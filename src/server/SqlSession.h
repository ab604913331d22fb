#pragma once

// The narrow way the store speaks to a database: named statements with values bound in order, the
// rows they return, the rows they changed, and transactions. The statements are written once, in
// a common form that each database's session puts in its own words (SqlInDialect).

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

namespace valmore {

struct SqlValue {
    enum class Kind { Null, Bytes, Text, Int };
    Kind kind = Kind::Null;
    std::string_view text;  // Bytes (stored byte for byte, as the trainer's Shift_JIS) and Text
    std::int64_t number = 0;

    static SqlValue Null() { return {}; }
    static SqlValue Bytes(std::string_view bytes) { return {Kind::Bytes, bytes, 0}; }
    static SqlValue Text(std::string_view text) { return {Kind::Text, text, 0}; }
    static SqlValue Int(std::int64_t value) { return {Kind::Int, {}, value}; }
};

// A statement of the store: the name a session prepares it under once, and its common text.
struct SqlStatement {
    const char* name;
    const char* text;
};

// The words in which the databases' SQL differs. The common text writes parameters as $1, $2, ...
// and these as {bytes}, {bigint}, {serial}, {stamp}, {stored_at}, {schema_lock}, {schema_unlock}.
struct SqlDialect {
    char parameter;            // what comes before a parameter's number
    const char* bytes;         // the column type of byte strings
    const char* bigint;        // of 64-bit integers
    const char* serial;        // a key that grows with every row
    const char* stamp;         // a UTC time set when the row is made
    const char* storedAt;      // r.stored_at read as "YYYY-MM-DD HH:MM:SS"
    const char* schemaLock;    // held while the tables are made, so processes starting at once wait
    const char* schemaUnlock;  // for each other
};

std::string SqlInDialect(std::string_view common, const SqlDialect& dialect);

// One connection to the database, used by one thread at a time. Any failure of the database throws
// CStoreError (ServerStore.h).
class ISqlSession {
public:
    virtual ~ISqlSession() = default;

    // Runs the statement with the values for $1, $2, ... False, with nothing changed, when it broke
    // a unique constraint. Ends the rows of the run before.
    virtual bool Run(const SqlStatement& statement, std::initializer_list<SqlValue> values) = 0;
    // Steps to the next row of the last run: false when there is none left.
    virtual bool Next() = 0;
    virtual bool IsNull(int column) const = 0;
    virtual std::string Bytes(int column) const = 0;
    virtual std::string Text(int column) const = 0;
    virtual std::int64_t Int(int column) const = 0;
    // The rows the last run changed, for a statement that returns none.
    virtual std::int64_t AffectedRows() const = 0;

    // Statements without parameters or rows, such as the tables, in the common text.
    virtual void Script(std::string_view common) = 0;

    virtual void Begin() = 0;
    virtual void Commit() = 0;
    virtual void Rollback() noexcept = 0;

    // Ends the last run; true when the session may serve another call (connected, and outside any
    // transaction).
    virtual bool Idle() = 0;
};

// Where sessions come from.
class ISqlDatabase {
public:
    virtual ~ISqlDatabase() = default;
    virtual std::unique_ptr<ISqlSession> Connect() = 0;
};

// Rolls back unless committed, so a throw in the middle leaves nothing half-written.
class CSqlTransaction {
public:
    explicit CSqlTransaction(ISqlSession& session) : session_(session) { session_.Begin(); }
    ~CSqlTransaction() {
        if (!done_) session_.Rollback();
    }
    CSqlTransaction(const CSqlTransaction&) = delete;
    CSqlTransaction& operator=(const CSqlTransaction&) = delete;

    void Commit() {
        session_.Commit();
        done_ = true;
    }

private:
    ISqlSession& session_;
    bool done_ = false;
};

}  // namespace valmore
