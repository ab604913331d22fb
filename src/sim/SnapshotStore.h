#pragma once

// Interrupted plays, at most one per scenario, kept in "snapshot.dat" so the user can continue a play
// on the day it was left. Besides the market and the portfolio the file keeps the trade history, so a
// continued play is scored exactly as one played without a break.

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "doctree/DocTree.h"
#include "sim/Market.h"
#include "sim/Position.h"
#include "sim/TradeHistory.h"

namespace valmore {

struct SnapshotRecord {
    CMarket market;
    CPosition position;
    int CurrentEventListIndex = 0;
    CTradeHistory history;

    bool operator==(const SnapshotRecord&) const = default;
};

struct SnapshotLoadReport {
    std::vector<LoadProblem> problems;  // one per refused file or play

    bool Ok() const { return problems.empty(); }
    // "FILE: REASON" of every problem, one a line.
    std::string Message() const;
};

class CSnapshotStore {
public:
    // Replaces the store with the plays in the file. No file gives an empty store and no problem. A
    // file or a play that cannot be read is reported and skipped; the file is then kept aside as
    // "<file>.damaged" (or "<file>.damaged-2" and so on) by the next Save, so nothing the user stored is overwritten
    // unseen.
    SnapshotLoadReport Load(const std::filesystem::path& file);
    // As Load, for bytes already read from the file.
    SnapshotLoadReport LoadBytes(std::string bytes, const std::filesystem::path& file);
    // Writes every play, replacing the file atomically. A failure leaves the previous file as it was.
    DocSaveResult Save(const std::filesystem::path& file);
    // The exact bytes Save writes.
    std::string ToText() const;

    // Keeps the play under the scenario ID, replacing an older one.
    void Store(const std::string& id, SnapshotRecord record);
    bool Has(std::string_view id) const;
    // Takes the play out of the store, so it can be continued once.
    std::optional<SnapshotRecord> Take(std::string_view id);
    const SnapshotRecord* Find(std::string_view id) const;
    int Count() const { return static_cast<int>(records_.size()); }
    // The file last loaded when it has to be kept aside before the next save.
    const std::optional<std::filesystem::path>& DamagedFile() const { return damagedFile_; }

private:
    SnapshotLoadReport Take(CDocTree& tree, const DocLoadResult& loaded, const std::filesystem::path& file);
    void Write(CDocTree& tree) const;

    std::map<std::string, SnapshotRecord, std::less<>> records_;
    std::optional<std::filesystem::path> damagedFile_;
};

}  // namespace valmore
