#pragma once

// The table of the scenario selection screen: every scenario file found in the data folder, one row
// each, thirty rows a page, sorted by ID. Built once at program start; the page it shows is kept for
// the whole run, the selection only for one visit of the screen.

#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "scenario/Scenario.h"
#include "ui/Pager.h"
#include "ui/Panel.h"

namespace valmore {

class CResultStore;
class CSnapshotStore;

struct CatalogEntry {
    bool valid = false;
    bool hasInterruptedPlay = false;  // the snapshot store holds a play of this ID
    int fileIndex = 0;                // index into the path list
    ScenarioHeader header;
};

class CScenarioCatalog : public CPanel {
public:
    static constexpr int kBackgroundBitmap = kSkinSelectTable;
    static constexpr int kMaxFiles = 500;
    static constexpr int kRowsPerPage = 30;
    static constexpr int kColumns = 11;
    // Releases left of this column's right edge select a row; the results count and the mark do not.
    static constexpr int kLastSelectingColumn = 8;

    // Where the grid lies inside the panel, per resolution mode.
    struct GridTable {
        int firstRowTop;  // below the panel's top
        int rowHeight;
        int columnOrigin;  // the boundaries are measured from the panel's left edge plus this
        std::array<int, kColumns + 1> boundaries;
    };
    static const GridTable& Grid(int mode);

    CScenarioCatalog(IViewHost& owner, const CResultStore& results);

    // Places the panel at its background's size and computes the cell grid from that position.
    void PlaceAt(int x, int y);

    // Reads the headers of the files "data\*.scn" below dataDir (at most kMaxFiles). Files that cannot
    // be read, are damaged, lack a required header key or are marked Mode 9 are left out.
    void EnumerateScenarios(const std::filesystem::path& dataDir, const CSnapshotStore& snapshots);
    // Takes the interrupted-play marks afresh from the store.
    void RefreshInterruptedPlays(const CSnapshotStore& snapshots);

    void Draw(CCanvas& dc) override;
    void OnMouseUp(unsigned flags, int x, int y) override;

    int EntryCount() const { return static_cast<int>(entries_.size()); }
    // Entries in ID order; null outside 0 .. EntryCount() - 1.
    const CatalogEntry* Entry(int index) const;
    // The entry filed under the ID (the last one sorted, when IDs repeat), or null.
    const CatalogEntry* FindById(std::string_view id) const;
    // The program path ("data\" and the file name, Shift_JIS) of an entry.
    const std::string& PathOf(const CatalogEntry& entry) const;
    int PathCount() const { return static_cast<int>(paths_.size()); }

    int Selection() const { return selection_; }
    const CatalogEntry* Selected() const { return Entry(selection_); }
    void ClearSelection() { selection_ = -1; }

    int Page() const { return pager_.Page(); }
    bool HasPreviousPage() const { return pager_.HasPrevious(); }
    bool HasNextPage() const { return pager_.HasNext(); }
    // Moves to the page when it exists; the selection is dropped. False when it does not exist.
    bool SetPage(int page);

    // The cell of a row (0 to 29 on the page) and column; right and bottom edges are outside.
    Rect Cell(int row, int column) const;
    // What a release must hit to select the row: columns 0 to kLastSelectingColumn.
    Rect RowHitRect(int row) const;
    // The colour the row of an entry is drawn in.
    Rgb RowColour(int entryIndex) const;
    // The text of one cell of an entry (Shift_JIS).
    std::string CellText(const CatalogEntry& entry, int column) const;

    // Told after every release on the table, once the selection has been decided.
    std::function<void()> onSelectionChanged;

private:
    void ComputeGrid();
    void SortById();

    const CResultStore& results_;
    std::vector<std::string> paths_;
    std::vector<CatalogEntry> entries_;
    std::map<std::string, int, std::less<>> byId_;
    int selection_ = -1;
    CPager pager_;
    std::array<std::array<Rect, kColumns>, kRowsPerPage> cells_{};

    // Fixed texts of the cells, converted once.
    std::string stockLabel_;
    std::string practiceLabel_;
    std::string exerciseLabel_;
    std::string unknownLabel_;
    std::string daysSuffix_;
    std::string minutesSuffix_;
    std::string yenSuffix_;
    std::string interruptedMark_;
};

}  // namespace valmore
