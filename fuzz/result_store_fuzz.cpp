// Any file loads into the result store without crashing; whatever was kept writes out as text
// that loads cleanly to the same lists and writes out again byte for byte the same. The store
// saves exactly that text (ToText), so it is compared without the atomic replacement's flush and
// rename; and the bytes are handed over as read (LoadBytes), since opening the file and cleaning its
// folder do not depend on what the file holds.

#include <cstddef>
#include <cstdint>
#include <string>

#include "results/ResultStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    valmore::CResultStore store("result.dat");
    if (!store.LoadBytes(std::string(reinterpret_cast<const char*>(data), size)).fileFound) __builtin_trap();
    const std::string first = store.ToText();

    valmore::CResultStore again("result.dat");
    if (!again.LoadBytes(first).Ok() || again.Lists() != store.Lists() || again.ToText() != first) __builtin_trap();
    return 0;
}
