// Any file loads into the result store without crashing; whatever was kept writes out as text
// that loads cleanly to the same lists and writes out again byte for byte the same. The store
// saves exactly that text (ToText), so the files are compared without the atomic replacement's
// flush and rename on every run.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "StoreFile.h"
#include "results/ResultStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file =
        valmore::fuzz::WriteStoreFile("result.dat", std::string_view(reinterpret_cast<const char*>(data), size));
    valmore::CResultStore store(file);
    if (!store.Load().fileFound) __builtin_trap();
    const std::string first = store.ToText();

    valmore::fuzz::WriteStoreFile("result.dat", first);
    valmore::CResultStore again(file);
    if (!again.Load().Ok() || again.Lists() != store.Lists() || again.ToText() != first) __builtin_trap();
    return 0;
}
