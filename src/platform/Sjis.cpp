#include "platform/Sjis.h"

#include <iconv.h>

#include <cerrno>
#include <memory>
#include <type_traits>

namespace valmore {

bool IsSjisLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

bool IsSjisTrailByte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

std::size_t SjisCharLength(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) return 0;
    if (IsSjisLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() &&
        IsSjisTrailByte(static_cast<unsigned char>(text[pos + 1]))) {
        return 2;
    }
    return 1;
}

std::size_t SjisCharCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += SjisCharLength(text, pos)) ++count;
    return count;
}

namespace {

struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using IconvHandle = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

IconvHandle OpenConverter(const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    return IconvHandle(cd == reinterpret_cast<iconv_t>(-1) ? nullptr : cd);
}

// Opening a converter costs far more than a short conversion, and Sj() runs for every literal that
// is shown, so each thread keeps its two converters open. The shift state is reset on every call.
iconv_t Converter(bool toUtf8) {
    thread_local IconvHandle fromCp932 = OpenConverter("UTF-8", "CP932");
    thread_local IconvHandle toCp932 = OpenConverter("CP932", "UTF-8");
    return toUtf8 ? fromCp932.get() : toCp932.get();
}

// Length of the UTF-8 sequence that the lead byte announces, so a bad character is replaced once
// rather than once per byte.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos) {
    std::size_t n = 1;
    while (pos + n < text.size() && n < 4 && (static_cast<unsigned char>(text[pos + n]) & 0xC0) == 0x80) ++n;
    return n;
}

std::string Convert(std::string_view input, bool toUtf8) {
    const std::string_view replacement = toUtf8 ? std::string_view("\xEF\xBF\xBD") : std::string_view("?");
    iconv_t cd = Converter(toUtf8);
    if (cd == nullptr) {
        // Without a converter the text still shows: ASCII passes, everything else is replaced.
        std::string out;
        for (char c : input) {
            if (static_cast<unsigned char>(c) < 0x80) {
                out.push_back(c);
            } else {
                out.append(replacement);
            }
        }
        return out;
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);

    std::string out;
    out.resize(input.size() * 2 + 16);
    std::size_t used = 0;
    std::size_t pos = 0;
    while (pos < input.size()) {
        char* in = const_cast<char*>(input.data() + pos);
        std::size_t inLeft = input.size() - pos;
        char* dst = out.data() + used;
        std::size_t dstLeft = out.size() - used;
        std::size_t rc = iconv(cd, &in, &inLeft, &dst, &dstLeft);
        int err = errno;
        pos = input.size() - inLeft;
        used = out.size() - dstLeft;
        if (rc != static_cast<std::size_t>(-1)) break;
        if (err == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        // EILSEQ: a byte sequence with no counterpart; EINVAL: a character cut off at the end.
        if (out.size() - used < replacement.size()) out.resize(out.size() * 2);
        out.replace(used, replacement.size(), replacement);
        used += replacement.size();
        if (err != EILSEQ) break;
        pos += toUtf8 ? 1 : Utf8SequenceLength(input, pos);
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(used);
    return out;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
    return Convert(cp932, true);
}

std::string Utf8ToCp932(std::string_view utf8) {
    return Convert(utf8, false);
}

}  // namespace valmore
