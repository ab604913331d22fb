#include "server/ServerStore.h"

#include "server/PostgresStore.h"
#include "server/SqliteStore.h"

namespace valmore {

std::unique_ptr<IServerStore> OpenServerStore(const std::string& db, std::string* error) {
    if (db.rfind("postgresql://", 0) == 0 || db.rfind("postgres://", 0) == 0) return CPostgresStore::Open(db, error);
    return CSqliteStore::Open(db, error);
}

}  // namespace valmore
