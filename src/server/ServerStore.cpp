#include "server/ServerStore.h"

#include "server/PostgresSession.h"
#include "server/SqlStore.h"
#include "server/SqliteSession.h"

namespace valmore {

void RankTopRows(std::vector<RankedResult>& rows) {
    for (std::size_t i = 0; i < rows.size() && rows[i].rank == 0; ++i) {
        const bool tied = i > 0 && rows[i].result.fields.totalScore == rows[i - 1].result.fields.totalScore;
        rows[i].rank = tied ? rows[i - 1].rank : static_cast<std::int64_t>(i) + 1;
    }
}

std::unique_ptr<IServerStore> OpenServerStore(const std::string& db, std::string* error) {
    if (db.rfind("postgresql://", 0) == 0 || db.rfind("postgres://", 0) == 0) {
        return CSqlStore::Open(PostgresDatabase(db), error);
    }
    return CSqlStore::Open(SqliteDatabase(db), error);
}

}  // namespace valmore
