#include "server/ServerStore.h"

#include "server/PostgresStore.h"
#include "server/SqliteStore.h"

namespace valmore {

void RankTopRows(std::vector<RankedResult>& rows) {
    for (std::size_t i = 0; i < rows.size() && rows[i].rank == 0; ++i) {
        const bool tied = i > 0 && rows[i].result.fields.totalScore == rows[i - 1].result.fields.totalScore;
        rows[i].rank = tied ? rows[i - 1].rank : static_cast<std::int64_t>(i) + 1;
    }
}

std::unique_ptr<IServerStore> OpenServerStore(const std::string& db, std::string* error) {
    if (db.rfind("postgresql://", 0) == 0 || db.rfind("postgres://", 0) == 0) return CPostgresStore::Open(db, error);
    return CSqliteStore::Open(db, error);
}

}  // namespace valmore
