#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>

#include "doctree/DocTree.h"
#include "doctree/Lzss.h"
#include "packer/LzssPacker.h"
#include "platform/Sjis.h"
#include "support/TempDir.h"

namespace valmore {
namespace {

std::string Le32(std::uint32_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

std::string Container(std::uint32_t unpacked, std::uint32_t count, std::string_view stream,
                      std::string_view inner = "LZSS") {
    return "FZSS" + Le32(unpacked) + std::string(inner) + Le32(count) + std::string(stream);
}

// Decodes from a heap block of exactly the container's size, so a read past it is caught by the
// address sanitizer.
std::optional<std::string> Unpack(std::string_view container) {
    std::unique_ptr<char[]> exact(new char[container.size()]);
    std::memcpy(exact.get(), container.data(), container.size());
    std::string text;
    std::string reason;
    if (!UnpackContainer(std::string_view(exact.get(), container.size()), &text, &reason)) return std::nullopt;
    return text;
}

// A scenario-like text with Japanese values, comments and CRLF line ends.
std::string ScenarioText(int events) {
    std::string text = "{root\r\n# packed sample\r\n{Header\r\n{ID \"S001\"}\r\n{Title \"" + Sj("ボマ表ソ能の決算") +
                       "\"}\r\n}\r\n{Events\r\n";
    for (int i = 0; i < events; ++i) {
        text += "; day " + std::to_string(i) + "\r\n{" + std::to_string(i) + "\r\n{Date \"2024/04/" +
                std::to_string(i % 28 + 1) + "\"}\r\n{HeadLine \"" + Sj("新製品の発表で株価が上昇") +
                std::to_string(i * 37 % 101) + "\"}\r\n{Price \"" + std::to_string(1000 + i * 7 % 300) + "\"}\r\n}\r\n";
    }
    return text + "}\r\n}\r\n";
}

TEST(PackedStream, UnwrittenWindowPositionsReadAsZeroBytes) {
    // One reference at the start to window position 0, length 5.
    EXPECT_EQ(Unpack(Container(5, 5, std::string("\x00\x00\x02", 3))), std::string(5, '\0'));
}

TEST(PackedStream, AReferenceJustBehindTheWritePositionRepeatsTheLastByte) {
    // Literal "A" at 4080, then position 4080 with length 18.
    EXPECT_EQ(Unpack(Container(19, 19,
                               "\x01"
                               "A\xF0\xFF")),
              std::string(19, 'A'));
}

TEST(PackedStream, AReferenceAcrossTheWindowEndWrapsToTheStart) {
    // Twenty literals fill 4080..4095 and 0..3; then position 4094, length 4.
    std::string stream =
        "\xFF"
        "01234567"
        "\xFF"
        "89abcdef"
        "\x0F"
        "ghij"
        "\xFE\xF1";
    EXPECT_EQ(Unpack(Container(24, 24, stream)),
              "0123456789abcdefghij"
              "efgh");
}

TEST(PackedStream, DecodingStopsAfterTheAnnouncedCountWhateverFollows) {
    EXPECT_EQ(Unpack(Container(10, 10,
                               "\x01"
                               "A\xF0\xFF"
                               "garbage")),
              std::string(10, 'A'));
    // The stream may end in the middle of a group once the count is reached.
    EXPECT_EQ(Unpack(Container(2, 2,
                               "\xFF"
                               "ab")),
              "ab");
}

TEST(PackedStream, DecoderRefusesWrongMagicAndTooSmallBuffersWithoutWriting) {
    char out[8] = {'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x'};
    EXPECT_FALSE(LzssDecode("LZSX" + Le32(2) +
                                "\xFF"
                                "ab",
                            out, sizeof out));
    EXPECT_FALSE(LzssDecode("LZSS" + Le32(9) +
                                std::string("\xFF"
                                            "abcdefgh\xFF"
                                            "i"),
                            out, sizeof out));
    EXPECT_FALSE(LzssDecode("LZS", out, sizeof out));
    EXPECT_EQ(std::string(out, 8), "xxxxxxxx");
}

TEST(PackedContainer, DamagedContainersFailTheLoadWithAReason) {
    const std::string good = PackContainer(ScenarioText(3));
    const std::string stream = good.substr(kContainerHeaderSize);
    const std::uint32_t n = static_cast<std::uint32_t>(ScenarioText(3).size());
    const std::string damaged[] = {
        good.substr(0, 15),                         // shorter than the header
        Container(n, n + 1, stream),                // unpacked length and count differ
        Container(0, 0, stream),                    // nothing to unpack
        Container(n, n, stream, "LZSX"),            // inner magic wrong
        good.substr(0, good.size() - 1),            // stream ends early
        Container(300u << 20, 300u << 20, stream),  // absurd length, refused before allocating
        Container(1u << 20, 1u << 20,
                  "\xFF"
                  "ab"),  // far more than the stream can yield
    };
    for (const std::string& bytes : damaged) {
        struct Sink : IDocErrorSink {
            void ReportFormatError(const DocLoadResult&) override { ++count; }
            int count = 0;
        } sink;
        CDocTree tree(&sink);
        DocLoadResult result = tree.LoadFromBytes(bytes, "data/s.scn");
        EXPECT_EQ(result.status, DocLoadStatus::DamagedContainer) << result.reason;
        EXPECT_FALSE(result.reason.empty());
        EXPECT_EQ(tree.Root(), nullptr);
        EXPECT_EQ(sink.count, 1);
    }
}

TEST(PackedContainer, EveryTruncationEndsCleanly) {
    const std::string good = PackContainer(ScenarioText(2));
    for (std::size_t size = 0; size < good.size(); ++size) {
        EXPECT_EQ(Unpack(std::string_view(good).substr(0, size)), std::nullopt) << size;
    }
    EXPECT_EQ(Unpack(good), ScenarioText(2));
}

TEST(PackedContainer, PackedAndPlainFilesGiveIdenticalTrees) {
    test::TempDir dir;
    const std::string text = ScenarioText(200);
    CDocTree plain;
    CDocTree packed;
    ASSERT_TRUE(plain.Load(dir.Write("plain.scn", text)).Ok());
    ASSERT_TRUE(packed.Load(dir.Write("packed.scn", PackContainer(text))).Ok());
    EXPECT_EQ(packed.TextSize(), text.size());
    EXPECT_EQ(packed.ToText(), plain.ToText());
    packed.MoveToRoot();
    ASSERT_TRUE(packed.EnterChild("Events"));
    EXPECT_EQ(packed.CountChildren(), 200);
}

TEST(Packer, RoundTripsAllKindsOfText) {
    std::mt19937 random(7);
    std::vector<std::string> texts = {
        "a", "ab", "abc", "abcabcabcabc", std::string(10000, 'x'), std::string(5000, '\0'), ScenarioText(300)};
    std::string noise(20000, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    texts.push_back(noise);
    std::string fewLetters(50000, '\0');
    for (char& c : fewLetters) c = "ab\r\n"[random() % 4];
    texts.push_back(fewLetters);
    // A block repeated at exactly the window size makes references to the byte about to be
    // overwritten.
    texts.push_back(noise.substr(0, 4096) + noise.substr(0, 4096) + noise.substr(0, 4096));
    for (const std::string& text : texts) {
        const std::string packed = PackContainer(text);
        EXPECT_EQ(Unpack(packed), text) << text.size();
        std::string raw(text.size(), '\0');
        EXPECT_TRUE(LzssDecode("LZSS" + Le32(static_cast<std::uint32_t>(text.size())) + LzssEncode(text), raw.data(),
                               raw.size()));
        EXPECT_EQ(raw, text);
    }
}

TEST(Packer, CompressesRealTextAndRuns) {
    const std::string text = ScenarioText(300);
    EXPECT_LT(PackContainer(text).size(), text.size() / 3);
    // Eighteen bytes per two-byte reference, plus a flag byte for every eight references.
    EXPECT_LT(PackContainer(std::string(18000, ' ')).size(), 2400u);
}

}  // namespace
}  // namespace valmore
