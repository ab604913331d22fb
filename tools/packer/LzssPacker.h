#pragma once

// Packing for the tools that prepare data files; the program itself only ever unpacks.

#include <string>
#include <string_view>

namespace valmore {

// The bare stream (flag groups and items, without the "LZSS" magic and the count) that decodes to
// `text` over the zero-filled window with first write position 4080.
std::string LzssEncode(std::string_view text);

// A whole packed container: "FZSS", the unpacked length, "LZSS", the output count, then the stream.
std::string PackContainer(std::string_view text);

}  // namespace valmore
