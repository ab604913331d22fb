// Any file loads into the snapshot store without crashing; the plays that were taken write out as
// text that loads cleanly to as many plays and writes out again byte for byte the same. The store
// saves exactly that text (ToText), so it is compared without the atomic replacement's flush and
// rename; and the bytes are handed over as read (LoadBytes), since opening the file and cleaning its
// folder do not depend on what the file holds.

#include <cstddef>
#include <cstdint>
#include <string>

#include "sim/SnapshotStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path file = "snapshot.dat";
    valmore::CSnapshotStore store;
    (void)store.LoadBytes(std::string(reinterpret_cast<const char*>(data), size), file);
    const std::string first = store.ToText();

    valmore::CSnapshotStore again;
    if (!again.LoadBytes(first, file).Ok() || again.Count() != store.Count() || again.ToText() != first)
        __builtin_trap();
    return 0;
}
