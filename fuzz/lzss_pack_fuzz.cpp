// The packer's output for any text must unpack to exactly that text.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "doctree/Lzss.h"
#include "packer/LzssPacker.h"

namespace {

// A little over one window: enough for references that wrap around it, short enough to keep a run
// fast (the match search costs much more than unpacking).
constexpr std::size_t kMaxText = 4096 + 512;

}  // namespace

// The first byte repeats the rest up to four times, so short inputs also make texts longer than the
// window.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::string_view piece(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string text;
    for (int i = 0; i <= (data[0] & 3) && text.size() < kMaxText; ++i) text += piece;
    text.resize(std::min(text.size(), kMaxText));
    const std::string packed = valmore::PackContainer(text);
    std::string roundTrip;
    std::string reason;
    if (!valmore::UnpackContainer(packed, &roundTrip, &reason) || roundTrip != text) __builtin_trap();
    return 0;
}
