#include "scenario/screens/ScenarioCatalog.h"

#include <utility>

#include "doctree/DocTree.h"
#include "platform/ProgramPath.h"
#include "platform/Sjis.h"
#include "platform/TextFormat.h"
#include "results/ResultStore.h"
#include "scenario/ScenarioLoader.h"
#include "sim/SnapshotStore.h"
#include "ui/Skin.h"

namespace valmore {

namespace {

constexpr std::array<CScenarioCatalog::GridTable, 2> kGrids{{
    {42, 20, 6, {2, 117, 368, 439, 510, 582, 653, 725, 795, 900, 963, 1010}},
    {27, 25, 6, {2, 156, 465, 553, 642, 730, 819, 909, 998, 1136, 1201, 1266}},
}};

constexpr int kIdFont = 9;
constexpr int kCellFont = 11;
// Scenarios of this mode are kept in the data folder for their authors and never offered.
constexpr int kHiddenMode = 9;
constexpr unsigned kCellTextFlags = CCanvas::kCenter | CCanvas::kVCenter | CCanvas::kSingleLine | CCanvas::kEndEllipsis;

}  // namespace

const CScenarioCatalog::GridTable& CScenarioCatalog::Grid(int mode) {
    return kGrids[mode == kModeSxga ? 1 : 0];
}

CScenarioCatalog::CScenarioCatalog(IViewHost& owner, const CResultStore& results)
    : CPanel(owner),
      results_(results),
      stockLabel_(Sj("株式")),
      practiceLabel_(Sj("練習")),
      exerciseLabel_(Sj("実践")),
      unknownLabel_("----"),
      daysSuffix_(Sj(" 日")),
      minutesSuffix_(Sj(" 分")),
      yenSuffix_(Sj(" 円")),
      interruptedMark_(Sj("○")) {
    backgroundBitmap = kBackgroundBitmap;
    ComputeGrid();
}

void CScenarioCatalog::PlaceAt(int x, int y) {
    const Size size = owner_.Skin().BitmapSize(kBackgroundBitmap);
    SetRect(x, y, size.width, size.height);
    ComputeGrid();
}

void CScenarioCatalog::ComputeGrid() {
    const GridTable& grid = Grid(owner_.Mode());
    const int left = rect_.left + grid.columnOrigin;
    for (int row = 0; row < kRowsPerPage; ++row) {
        const int top = rect_.top + grid.firstRowTop + row * grid.rowHeight;
        // The last pixel row of each row is left as the gap to the next one.
        const int bottom = top + grid.rowHeight - 1;
        for (int column = 0; column < kColumns; ++column) {
            cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] =
                Rect{left + grid.boundaries[static_cast<std::size_t>(column)], top,
                     left + grid.boundaries[static_cast<std::size_t>(column) + 1], bottom};
        }
    }
}

void CScenarioCatalog::EnumerateScenarios(const std::filesystem::path& dataDir, const CSnapshotStore& snapshots) {
    paths_.clear();
    entries_.clear();
    byId_.clear();
    selection_ = -1;

    for (std::string& name : FindProgramFiles(dataDir, "data\\*.scn")) {
        if (static_cast<int>(paths_.size()) >= kMaxFiles) break;
        paths_.push_back("data\\" + name);
    }

    for (std::size_t i = 0; i < paths_.size(); ++i) {
        // No error sink: a file the reader refuses is simply not offered, without a popup at start-up.
        CDocTree document;
        if (!document.Load(MapProgramPath(dataDir, paths_[i])).Ok()) continue;
        CatalogEntry entry;
        if (!ReadScenarioHeader(document, entry.header)) continue;
        if (entry.header.Mode == kHiddenMode) continue;
        entry.valid = true;
        entry.fileIndex = static_cast<int>(i);
        entry.hasInterruptedPlay = snapshots.Has(entry.header.ID);
        entries_.push_back(std::move(entry));
    }

    SortById();
    for (std::size_t i = 0; i < entries_.size(); ++i) byId_[entries_[i].header.ID] = static_cast<int>(i);

    // The page is kept across visits; it must still exist after the table was read again.
    const int kept = pager_.Page();
    pager_.SetPageCount(CPager::PagesFor(EntryCount(), kRowsPerPage));
    if (!SetPage(kept)) pager_.SetPage(0);
}

// Each position is compared with every later one, so equal IDs keep the order the files were found in.
void CScenarioCatalog::SortById() {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        for (std::size_t j = i + 1; j < entries_.size(); ++j) {
            if (entries_[i].header.ID > entries_[j].header.ID) std::swap(entries_[i], entries_[j]);
        }
    }
}

void CScenarioCatalog::RefreshInterruptedPlays(const CSnapshotStore& snapshots) {
    for (CatalogEntry& entry : entries_) entry.hasInterruptedPlay = snapshots.Has(entry.header.ID);
}

const CatalogEntry* CScenarioCatalog::Entry(int index) const {
    if (index < 0 || index >= EntryCount()) return nullptr;
    return &entries_[static_cast<std::size_t>(index)];
}

const CatalogEntry* CScenarioCatalog::FindById(std::string_view id) const {
    const auto found = byId_.find(id);
    return found == byId_.end() ? nullptr : Entry(found->second);
}

const std::string& CScenarioCatalog::PathOf(const CatalogEntry& entry) const {
    static const std::string kNone;
    if (entry.fileIndex < 0 || entry.fileIndex >= PathCount()) return kNone;
    return paths_[static_cast<std::size_t>(entry.fileIndex)];
}

bool CScenarioCatalog::SetPage(int page) {
    if (page < 0 || (page > 0 && page >= pager_.PageCount())) return false;
    pager_.SetPage(page);
    selection_ = -1;
    return true;
}

Rect CScenarioCatalog::Cell(int row, int column) const {
    if (row < 0 || row >= kRowsPerPage || column < 0 || column >= kColumns) return {};
    return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

Rect CScenarioCatalog::RowHitRect(int row) const {
    const Rect first = Cell(row, 0);
    const Rect last = Cell(row, kLastSelectingColumn);
    return Rect{first.left, first.top, last.right, last.bottom};
}

Rgb CScenarioCatalog::RowColour(int entryIndex) const {
    const Palette& colours = owner_.Skin().Colours();
    if (entryIndex == selection_) return colours.currentItem;
    const CatalogEntry* entry = Entry(entryIndex);
    if (entry && results_.Count(entry->header.ID) == 0) return colours.unplayed;
    return colours.text;
}

std::string CScenarioCatalog::CellText(const CatalogEntry& entry, int column) const {
    const ScenarioHeader& h = entry.header;
    switch (column) {
        case 0:
            return h.ID;
        case 1:
            return h.Title;
        case 2:
            return stockLabel_;
        case 3:
            return h.Mode == 0 ? practiceLabel_ : h.Mode == 1 ? exerciseLabel_ : unknownLabel_;
        case 4:
            return std::to_string(h.ProductCount);
        case 5:
            return std::to_string(h.Level);
        case 6:
            return h.Duration + daysSuffix_;
        case 7:
            return h.EstimatedTime + minutesSuffix_;
        case 8:
            return FormatGrouped(h.FundAmount) + yenSuffix_;
        case 9:
            return std::to_string(results_.Count(h.ID));
        case 10:
            return entry.hasInterruptedPlay ? interruptedMark_ : std::string();
        default:
            return {};
    }
}

void CScenarioCatalog::Draw(CCanvas& dc) {
    DrawBackground(dc);
    dc.SetBackgroundMode(BackgroundMode::Transparent);
    dc.SetTextColour(owner_.Skin().Colours().text);
    const CSkin& skin = owner_.Skin();
    for (int row = 0; row < kRowsPerPage; ++row) {
        const int index = pager_.Page() * kRowsPerPage + row;
        const CatalogEntry* entry = Entry(index);
        if (!entry || !entry->valid) continue;
        dc.SetTextColour(RowColour(index));
        for (int column = 0; column < kColumns; ++column) {
            CCanvas::FontGuard font(dc, skin.Font(column == 0 ? kIdFont : kCellFont));
            dc.DrawText(CellText(*entry, column), Cell(row, column), kCellTextFlags);
        }
    }
}

void CScenarioCatalog::OnMouseUp(unsigned, int x, int y) {
    selection_ = -1;
    for (int row = 0; row < kRowsPerPage; ++row) {
        const int index = pager_.Page() * kRowsPerPage + row;
        const CatalogEntry* entry = Entry(index);
        if (entry && entry->valid && RowHitRect(row).Contains(x, y)) selection_ = index;
    }
    owner_.InvalidateAll();
    if (onSelectionChanged) onSelectionChanged();
}

}  // namespace valmore
