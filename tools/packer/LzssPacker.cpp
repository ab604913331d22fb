#include "packer/LzssPacker.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "doctree/Lzss.h"

namespace valmore {

namespace {

constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kMaxMatch = 18;
// A reference reaches at most the whole window back: distance 4096 names the byte that is about to
// be overwritten, which still holds the byte 4096 positions earlier.
constexpr std::size_t kMaxDistance = kLzssWindowSize;
constexpr int kMaxHashBits = 15;
constexpr int kMinHashBits = 8;
constexpr std::uint32_t kNoPosition = UINT32_MAX;
// Enough candidates to find nearly every full-length match in text, few enough to pack megabytes in
// a fraction of a second.
constexpr int kMaxChainSteps = 96;

inline std::uint32_t Hash3(const unsigned char* p, int bits) {
    std::uint32_t v = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                      static_cast<std::uint32_t>(p[2]) << 16;
    return (v * 2654435761u) >> (32 - bits);
}

// The tables grow with the text up to their full size: filling 128 KB of chain heads for every small
// file would cost more than packing it.
int HashBits(std::size_t size) {
    int bits = kMinHashBits;
    while (bits < kMaxHashBits && (std::size_t{1} << bits) < size) ++bits;
    return bits;
}

struct Match {
    std::size_t length = 0;
    std::size_t source = 0;
};

// Greedy matching with one step of lookahead over hash chains of three-byte prefixes. Matches only
// ever point at bytes already produced; the zero fill in front of the text is never referenced.
class Encoder {
public:
    explicit Encoder(std::string_view text)
        : data_(reinterpret_cast<const unsigned char*>(text.data())),
          size_(text.size()),
          hashBits_(HashBits(size_)),
          head_(std::size_t{1} << hashBits_, kNoPosition),
          // Positions below the table size never wrap, so a shorter text needs no more than its length.
          previous_(std::min(kLzssWindowSize, std::size_t{1} << hashBits_), kNoPosition) {}

    std::string Run() {
        out_.reserve(size_ / 2 + 16);
        std::size_t pos = 0;
        Match current = FindMatch(pos);
        while (pos < size_) {
            if (current.length < kMinMatch) {
                Insert(pos);
                EmitLiteral(data_[pos]);
                ++pos;
                current = FindMatch(pos);
                continue;
            }
            // A longer match one byte later is worth a literal now.
            Insert(pos);
            Match next = current.length < kMaxMatch ? FindMatch(pos + 1) : Match{};
            if (next.length > current.length) {
                EmitLiteral(data_[pos]);
                ++pos;
                current = next;
                continue;
            }
            EmitReference(current);
            for (std::size_t k = 1; k < current.length; ++k) Insert(pos + k);
            pos += current.length;
            current = FindMatch(pos);
        }
        return std::move(out_);
    }

private:
    Match FindMatch(std::size_t pos) const {
        Match best;
        if (pos + kMinMatch > size_) return best;
        const std::size_t limit = std::min(kMaxMatch, size_ - pos);
        const unsigned char* here = data_ + pos;
        std::uint32_t candidate = head_[Hash3(here, hashBits_)];
        for (int steps = 0; candidate != kNoPosition && steps < kMaxChainSteps; ++steps) {
            if (candidate >= pos || pos - candidate > kMaxDistance) break;
            const unsigned char* there = data_ + candidate;
            if (there[best.length] == here[best.length] || best.length == 0) {
                std::size_t length = 0;
                while (length < limit && there[length] == here[length]) ++length;
                if (length > best.length) {
                    best = {length, candidate};
                    if (length == limit) break;
                }
            }
            std::uint32_t earlier = previous_[candidate & (previous_.size() - 1)];
            if (earlier >= candidate) break;
            candidate = earlier;
        }
        return best;
    }

    void Insert(std::size_t pos) {
        if (pos + kMinMatch > size_) return;
        std::uint32_t& head = head_[Hash3(data_ + pos, hashBits_)];
        previous_[pos & (previous_.size() - 1)] = head;
        head = static_cast<std::uint32_t>(pos);
    }

    void StartItem() {
        if (itemsInGroup_ == 8) {
            flagIndex_ = out_.size();
            out_.push_back('\0');
            itemsInGroup_ = 0;
        }
    }

    void EmitLiteral(unsigned char c) {
        StartItem();
        out_[flagIndex_] = static_cast<char>(static_cast<unsigned char>(out_[flagIndex_]) | (1u << itemsInGroup_));
        ++itemsInGroup_;
        out_.push_back(static_cast<char>(c));
    }

    void EmitReference(const Match& match) {
        StartItem();
        ++itemsInGroup_;
        const std::size_t position = (kLzssFirstWritePosition + match.source) & (kLzssWindowSize - 1);
        out_.push_back(static_cast<char>(position & 0xFF));
        out_.push_back(static_cast<char>(((position >> 4) & 0xF0) | (match.length - kMinMatch)));
    }

    const unsigned char* data_;
    std::size_t size_;
    int hashBits_;
    std::vector<std::uint32_t> head_;
    std::vector<std::uint32_t> previous_;
    std::string out_;
    std::size_t flagIndex_ = 0;
    unsigned itemsInGroup_ = 8;
};

void AppendLe32(std::string* out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out->push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

}  // namespace

std::string LzssEncode(std::string_view text) {
    return Encoder(text).Run();
}

std::string PackContainer(std::string_view text) {
    std::string stream = LzssEncode(text);
    std::string out;
    out.reserve(kContainerHeaderSize + stream.size());
    out += "FZSS";
    AppendLe32(&out, static_cast<std::uint32_t>(text.size()));
    out += "LZSS";
    AppendLe32(&out, static_cast<std::uint32_t>(text.size()));
    out += stream;
    return out;
}

}  // namespace valmore
