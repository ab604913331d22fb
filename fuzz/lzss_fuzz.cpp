// Damaged containers must fail cleanly without reading or writing out of bounds. Packing is checked
// by lzss_pack_fuzz.cpp.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "doctree/Lzss.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    std::string text;
    std::string reason;
    const bool unpacked = valmore::UnpackContainer(bytes, &text, &reason);
    if (unpacked ? text.empty() : reason.empty()) __builtin_trap();

    // The raw decoder on the bytes after a made-up header, into a heap block of exactly the
    // announced size so a write past it is caught.
    if (size >= 2) {
        const std::uint32_t count = data[0] | static_cast<std::uint32_t>(data[1]) << 8;
        std::string stream = "LZSS";
        for (int i = 0; i < 4; ++i) stream.push_back(static_cast<char>((count >> (8 * i)) & 0xFF));
        stream.append(bytes.substr(2));
        std::unique_ptr<char[]> out(new char[count]);
        (void)valmore::LzssDecode(stream, out.get(), count);
    }
    return 0;
}
