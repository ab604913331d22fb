#pragma once

// The packed container: "FZSS", unpacked length U, "LZSS", output count N, then an LZSS stream over a
// 4096-byte window (zero-filled, first write position 4080, flag bits least significant first,
// references as absolute window positions with length - 3 in the low nibble).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace valmore {

constexpr std::size_t kLzssWindowSize = 4096;
constexpr std::size_t kLzssFirstWritePosition = 4080;
constexpr std::size_t kContainerHeaderSize = 16;

// Decodes the stream that starts at the inner magic "LZSS" of `source` into `destination`, which has
// room for `capacity` bytes. Returns true when N bytes were produced. Returns false without writing
// when the magic is wrong, and false when N exceeds the capacity or the source ends first; it never
// reads past `source` nor writes past `capacity` bytes.
bool LzssDecode(std::string_view source, char* destination, std::size_t capacity);

// True when the bytes begin with the outer magic "FZSS".
bool IsPackedContainer(std::string_view bytes);

// Unpacks a whole container. On failure returns false and says why in *reason (damaged header,
// U and N unequal, N of 0, wrong inner magic, stream ending early).
bool UnpackContainer(std::string_view container, std::string* text, std::string* reason);

}  // namespace valmore
