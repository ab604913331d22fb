// The packer's output for any text must unpack to exactly that text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "doctree/Lzss.h"
#include "packer/LzssPacker.h"

// The first byte repeats the rest one to four times, so inputs kept short for speed still make texts
// longer than the window, where references wrap around it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::string_view piece(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string text;
    for (int i = 0; i <= (data[0] & 3); ++i) text += piece;
    const std::string packed = valmore::PackContainer(text);
    std::string roundTrip;
    std::string reason;
    if (!valmore::UnpackContainer(packed, &roundTrip, &reason) || roundTrip != text) __builtin_trap();
    return 0;
}
