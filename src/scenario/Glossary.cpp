#include "scenario/Glossary.h"

#include <algorithm>
#include <cstring>

namespace valmore {

namespace {

// Byte-wise comparison as of NUL-terminated strings: Shift_JIS bytes compare as unsigned.
int CompareKeys(std::string_view a, std::string_view b) {
    std::size_t n = std::min(a.size(), b.size());
    int c = n == 0 ? 0 : std::memcmp(a.data(), b.data(), n);
    if (c != 0) return c;
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

// Quicksort with the first element of each range as pivot. Which of two equal keys ends up first
// depends on this exact partitioning, so it is kept rather than replaced by std::sort. The smaller
// part is sorted by recursion and the larger by the loop, so the depth stays logarithmic.
void SortIndex(std::vector<std::pair<std::string, int>>& index, std::size_t lo, std::size_t hi) {
    while (lo + 1 < hi) {
        std::size_t last = lo;
        for (std::size_t j = lo + 1; j < hi; ++j) {
            if (CompareKeys(index[j].first, index[lo].first) < 0) std::swap(index[++last], index[j]);
        }
        std::swap(index[lo], index[last]);
        if (last - lo < hi - (last + 1)) {
            SortIndex(index, lo, last);
            lo = last + 1;
        } else {
            SortIndex(index, last + 1, hi);
            hi = last;
        }
    }
}

}  // namespace

GlossaryLoadResult CGlossary::LoadGlossary(const std::filesystem::path& path, IDocErrorSink* sink) {
    CDocTree doc(sink);
    DocLoadResult loaded = doc.Load(path);
    return Read(doc, std::move(loaded));
}

GlossaryLoadResult CGlossary::LoadGlossaryFromBytes(std::string bytes, std::string_view name) {
    CDocTree doc;
    DocLoadResult loaded = doc.LoadFromBytes(std::move(bytes), name);
    return Read(doc, std::move(loaded));
}

GlossaryLoadResult CGlossary::Read(CDocTree& doc, DocLoadResult loaded) {
    entries_.clear();
    index_.clear();
    loaded_ = false;
    GlossaryLoadResult result;
    result.document = std::move(loaded);
    if (!result.document.Ok()) return result;
    doc.MoveToRoot();
    if (!doc.EnterChild("Dict")) {
        result.problems.push_back("section \"Dict\" is missing");
        loaded_ = true;
        return result;
    }
    int count = doc.CountChildren();
    entries_.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::string name = std::to_string(i);
        if (!doc.EnterChild(name)) {
            result.problems.push_back("entry " + name + " is missing (entries are numbered from 0)");
            continue;
        }
        GlossaryEntry entry;
        std::optional<std::string>* keywords[] = {&entry.KEYWORD0, &entry.KEYWORD1, &entry.KEYWORD2};
        for (int j = 0; j < 3; ++j) {
            std::optional<std::string> text = doc.GetChildText("KEYWORD" + std::to_string(j));
            if (text && !text->empty()) *keywords[j] = std::move(text);
        }
        std::optional<std::string> key = doc.GetChildText("SEARCHKEY");
        std::optional<std::string> detail = doc.GetChildText("DETAIL");
        doc.ExitToParent();
        // An entry without a key can never be found, and one without an explanation has nothing to
        // show: both are left out instead of being looked up with missing text.
        if (!key || key->empty() || !detail) {
            result.problems.push_back("entry " + name + " is left out: \"SEARCHKEY\" or \"DETAIL\" is missing");
            continue;
        }
        entry.SEARCHKEY = std::move(*key);
        entry.DETAIL = std::move(*detail);
        entries_.push_back(std::move(entry));
    }
    BuildIndex();
    loaded_ = true;
    return result;
}

void CGlossary::BuildIndex() {
    index_.clear();
    index_.reserve(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i) index_.emplace_back(entries_[i].SEARCHKEY, static_cast<int>(i));
    SortIndex(index_, 0, index_.size());
}

const GlossaryEntry* CGlossary::FindEntry(std::string_view word) const {
    if (index_.empty()) return nullptr;
    std::size_t lo = 0;
    std::size_t hi = index_.size() - 1;
    while (lo < hi) {
        std::size_t mid = (lo + hi) / 2;
        if (CompareKeys(index_[mid].first, word) < 0) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    if (CompareKeys(index_[lo].first, word) != 0) return nullptr;
    return &entries_[static_cast<std::size_t>(index_[lo].second)];
}

}  // namespace valmore
