#pragma once

// How popups and panels find what a link word leads to. The application context answers from the
// glossary; the toolkit itself knows nothing of where the words come from.

#include <optional>
#include <string>
#include <string_view>

namespace valmore {

// A link word's entry as it is shown: its key, the headings over the explanation, and the
// explanation itself (markup). All texts are Shift_JIS.
struct LinkEntry {
    std::string key;
    std::optional<std::string> keyword0;
    std::optional<std::string> keyword1;  // shown after keyword0 when present
    std::string detail;

    bool operator==(const LinkEntry&) const = default;
};

class ILinkLookup {
public:
    virtual ~ILinkLookup() = default;
    // The entry whose key equals the word byte for byte; none for an unknown word.
    virtual std::optional<LinkEntry> FindLinkEntry(std::string_view key) const = 0;
};

}  // namespace valmore
