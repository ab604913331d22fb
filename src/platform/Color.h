#pragma once

// A colour as the drawing layer takes it: red, green and blue, 0 to 255 each, always opaque.

#include <cstdint>

namespace valmore {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    // The colour as one 0x00RRGGBB value, the pixel layout of our opaque image surfaces.
    constexpr std::uint32_t Packed() const { return (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | b; }
    static constexpr Rgb FromPacked(std::uint32_t v) {
        return {static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
    }

    bool operator==(const Rgb&) const = default;
};

}  // namespace valmore
