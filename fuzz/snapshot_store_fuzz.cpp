// Any file loads into the snapshot store without crashing; the plays that were taken write out as
// text that loads cleanly to as many plays and writes out again byte for byte the same. The store
// saves exactly that text (ToText), so the files are compared without the atomic replacement's
// flush and rename on every run.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "StoreFile.h"
#include "sim/SnapshotStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file =
        valmore::fuzz::WriteStoreFile("snapshot.dat", std::string_view(reinterpret_cast<const char*>(data), size));
    valmore::CSnapshotStore store;
    (void)store.Load(file);
    const std::string first = store.ToText();

    valmore::fuzz::WriteStoreFile("snapshot.dat", first);
    valmore::CSnapshotStore again;
    if (!again.Load(file).Ok() || again.Count() != store.Count() || again.ToText() != first) __builtin_trap();
    return 0;
}
