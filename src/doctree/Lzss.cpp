#include "doctree/Lzss.h"

#include <cstring>

namespace valmore {

namespace {

constexpr std::size_t kMaxUnpackedLength = std::size_t{256} << 20;
constexpr std::size_t kMaxReferenceLength = 18;
// A group is one flag byte and at most eight items of at most two bytes each.
constexpr std::size_t kMaxGroupInput = 1 + 8 * 2;
constexpr std::size_t kMaxGroupOutput = 8 * kMaxReferenceLength;
// The most a stream byte can yield: a two-byte reference produces eighteen bytes.
constexpr std::size_t kMaxBytesPerStreamByte = kMaxReferenceLength / 2;

std::uint32_t ReadLe32(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
           static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

// The window is never kept as a ring: every byte the decoder has put into it is also in the output,
// at a fixed distance behind the write position, because both advance together. A reference to
// window position P made when `produced` bytes are out therefore reads the output `distance` bytes
// back, where distance is (R - P) mod 4096 with R the write position, and 4096 when P equals R (the
// byte about to be overwritten). Positions further back than the output reaches are the zero fill.
inline std::size_t ReferenceDistance(std::size_t produced, unsigned position) {
    std::size_t distance = (kLzssFirstWritePosition + produced - position) & (kLzssWindowSize - 1);
    return distance == 0 ? kLzssWindowSize : distance;
}

// Copies one reference byte by byte, so it may overlap the bytes it produces and may start in the
// zero fill before the first output byte. Stops at `end`.
inline unsigned char* CopyReferenceSlow(unsigned char* begin, unsigned char* out, unsigned char* end,
                                        std::size_t distance, std::size_t length) {
    std::size_t produced = static_cast<std::size_t>(out - begin);
    for (std::size_t k = 0; k < length && out < end; ++k, ++produced) {
        *out++ = produced >= distance ? begin[produced - distance] : 0;
    }
    return out;
}

}  // namespace

bool LzssDecode(std::string_view source, char* destination, std::size_t capacity) {
    if (source.size() < 8 || std::memcmp(source.data(), "LZSS", 4) != 0) return false;
    const std::size_t count = ReadLe32(source.data() + 4);
    if (count > capacity) return false;

    const auto* in = reinterpret_cast<const unsigned char*>(source.data()) + 8;
    const auto* inEnd = reinterpret_cast<const unsigned char*>(source.data()) + source.size();
    auto* begin = reinterpret_cast<unsigned char*>(destination);
    auto* out = begin;
    auto* end = begin + count;

    while (out < end) {
        // Fast path: a whole group fits in both the remaining input and output, so no item needs
        // a bounds check, and a reference far enough back may copy a fixed eighteen bytes (the
        // surplus is overwritten by the bytes that follow, all still before `end`).
        if (static_cast<std::size_t>(inEnd - in) >= kMaxGroupInput &&
            static_cast<std::size_t>(end - out) >= kMaxGroupOutput) {
            unsigned flags = *in++;
            if (flags == 0xFF) {
                std::memcpy(out, in, 8);
                out += 8;
                in += 8;
                continue;
            }
            for (int item = 0; item < 8; ++item, flags >>= 1) {
                if (flags & 1) {
                    *out++ = *in++;
                    continue;
                }
                const unsigned position = in[0] | (static_cast<unsigned>(in[1] & 0xF0) << 4);
                const std::size_t length = (in[1] & 0x0F) + 3u;
                in += 2;
                const std::size_t produced = static_cast<std::size_t>(out - begin);
                const std::size_t distance = ReferenceDistance(produced, position);
                if (distance >= kMaxReferenceLength && distance <= produced) {
                    std::memcpy(out, out - distance, kMaxReferenceLength);
                    out += length;
                } else {
                    out = CopyReferenceSlow(begin, out, end, distance, length);
                }
            }
            continue;
        }

        // Careful path near either end: every byte is checked, and decoding stops as soon as the
        // last output byte is written, even in the middle of a group or a reference.
        if (in >= inEnd) return false;
        unsigned flags = *in++;
        for (int item = 0; item < 8 && out < end; ++item, flags >>= 1) {
            if (flags & 1) {
                if (in >= inEnd) return false;
                *out++ = *in++;
                continue;
            }
            if (inEnd - in < 2) return false;
            const unsigned position = in[0] | (static_cast<unsigned>(in[1] & 0xF0) << 4);
            const std::size_t length = (in[1] & 0x0F) + 3u;
            in += 2;
            const std::size_t distance = ReferenceDistance(static_cast<std::size_t>(out - begin), position);
            out = CopyReferenceSlow(begin, out, end, distance, length);
        }
    }
    return true;
}

bool IsPackedContainer(std::string_view bytes) {
    return bytes.size() >= 4 && std::memcmp(bytes.data(), "FZSS", 4) == 0;
}

bool UnpackContainer(std::string_view container, std::string* text, std::string* reason) {
    auto fail = [&](std::string why) {
        if (reason) *reason = std::move(why);
        text->clear();
        return false;
    };
    if (container.size() < kContainerHeaderSize) {
        return fail("packed container is shorter than its 16-byte header");
    }
    if (!IsPackedContainer(container)) return fail("not a packed container");
    if (std::memcmp(container.data() + 8, "LZSS", 4) != 0) return fail("packed container has no LZSS stream");
    const std::uint32_t unpacked = ReadLe32(container.data() + 4);
    const std::uint32_t count = ReadLe32(container.data() + 12);
    if (unpacked != count) {
        return fail("packed container is inconsistent: unpacked length " + std::to_string(unpacked) +
                    " but stream length " + std::to_string(count));
    }
    if (count == 0) return fail("packed container holds no text");
    if (count > kMaxUnpackedLength) {
        return fail("packed container claims " + std::to_string(count) + " bytes, more than any data file holds");
    }
    // Refusing a length the stream cannot possibly produce also keeps a tiny damaged file from
    // making us allocate a huge buffer.
    const std::size_t streamSize = container.size() - kContainerHeaderSize;
    if (count > streamSize * kMaxBytesPerStreamByte) {
        return fail("packed stream ends before the " + std::to_string(count) + " bytes it announces");
    }
    text->assign(count, '\0');
    if (!LzssDecode(container.substr(8), text->data(), text->size())) {
        return fail("packed stream ends before the " + std::to_string(count) + " bytes it announces");
    }
    return true;
}

}  // namespace valmore
