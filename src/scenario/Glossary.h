#pragma once

// The glossary behind the link words of news and help texts: entries looked up by their exact
// search key through an index sorted once at load.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "doctree/DocTree.h"

namespace valmore {

struct GlossaryEntry {
    std::optional<std::string> KEYWORD0;  // an empty value in the file is stored as no text
    std::optional<std::string> KEYWORD1;
    std::optional<std::string> KEYWORD2;
    std::string DETAIL;
    std::string SEARCHKEY;

    bool operator==(const GlossaryEntry&) const = default;
};

struct GlossaryLoadResult {
    DocLoadResult document;             // whether the file could be read and parsed
    std::vector<std::string> problems;  // entries that were left out, and why

    bool Ok() const { return document.Ok() && problems.empty(); }
};

class CGlossary {
public:
    // Replaces the glossary with the file's entries. A missing or unreadable file leaves the
    // glossary empty, so link words then find nothing.
    GlossaryLoadResult LoadGlossary(const std::filesystem::path& path, IDocErrorSink* sink = nullptr);
    GlossaryLoadResult LoadGlossaryFromBytes(std::string bytes, std::string_view name);

    // The entry whose search key equals the word byte for byte, or none.
    const GlossaryEntry* FindEntry(std::string_view word) const;

    int EntryCount() const { return static_cast<int>(entries_.size()); }
    const std::vector<GlossaryEntry>& Entries() const { return entries_; }
    bool IsLoaded() const { return loaded_; }

private:
    GlossaryLoadResult Read(CDocTree& doc, DocLoadResult loaded);
    void BuildIndex();

    std::vector<GlossaryEntry> entries_;
    std::vector<std::pair<std::string, int>> index_;  // (search key, entry number), sorted by key
    bool loaded_ = false;
};

}  // namespace valmore
