#pragma once

// Turns one authoring file of content/ (UTF-8 document tree text) into the bytes the program reads
// from its data folder: Shift_JIS, plain or packed. Every rule that would let a file lose text
// silently on the way is checked here, so a broken content file stops the build instead of
// shipping half a scenario.

#include <string>
#include <string_view>

namespace valmore {

struct ContentBuildResult {
    bool ok = false;
    std::string bytes;  // what to write to the data folder, when ok
    std::string error;  // "LINE: reason" (or just the reason) when not ok
};

// `name` stands for the file in parse messages. With `pack` the result is the packed container,
// verified to unpack to exactly the Shift_JIS text.
ContentBuildResult BuildContentFile(std::string_view utf8Source, std::string_view name, bool pack);

}  // namespace valmore
