#include <gtest/gtest.h>

#include "platform/Sjis.h"

namespace valmore {
namespace {

TEST(SjisText, JapaneseSurvivesTheRoundTripThroughCp932) {
    const std::string utf8 = "ボマ表ソ能 株価は１，２３４円。ｶﾀｶﾅ ABC ①";
    const std::string cp932 = Utf8ToCp932(utf8);
    EXPECT_EQ(cp932.substr(0, 4), "\x83\x7B\x83\x7D");  // ボ and マ end in "{" and "}"
    EXPECT_EQ(Cp932ToUtf8(cp932), utf8);
}

TEST(SjisText, UnconvertibleBytesAreReplacedNotDropped) {
    EXPECT_EQ(Utf8ToCp932("a\xF0\x9F\x98\x80z"), "a?z");  // an emoji has no code page 932 form
    EXPECT_EQ(Utf8ToCp932("a\xFFz"), "a?z");              // broken UTF-8
    EXPECT_EQ(Cp932ToUtf8("a\xA0z"), "a\xEF\xBF\xBDz");   // 0xA0 is no character
    EXPECT_EQ(Cp932ToUtf8("ab\x83"), "ab\xEF\xBF\xBD");   // lead byte cut off at the end
    EXPECT_EQ(Utf8ToCp932(""), "");
}

TEST(SjisText, StepsOverTwoByteCharactersWhoseTrailLooksLikeAscii) {
    const std::string text = Sj("表a") + "\x83";  // 表 is 0x95 0x5C, then "a", then a lone lead byte
    ASSERT_EQ(text.size(), 4u);
    EXPECT_EQ(SjisCharLength(text, 0), 2u);
    EXPECT_EQ(SjisCharLength(text, 2), 1u);
    // A lead byte at the very end counts as one byte, so stepping never reads past the text.
    EXPECT_EQ(SjisCharLength(text, 3), 1u);
    EXPECT_EQ(SjisCharLength(text, 4), 0u);
    EXPECT_EQ(SjisCharCount(text), 3u);
    // A lead byte followed by a byte that cannot be a trail byte stands alone.
    EXPECT_EQ(SjisCharLength("\x83\x0A", 0), 1u);
}

TEST(SjisText, LeadAndTrailRangesMatchTheCodePage) {
    EXPECT_FALSE(IsSjisLeadByte(0x80));
    EXPECT_TRUE(IsSjisLeadByte(0x81));
    EXPECT_TRUE(IsSjisLeadByte(0x9F));
    EXPECT_FALSE(IsSjisLeadByte(0xA0));  // half-width katakana are single bytes
    EXPECT_FALSE(IsSjisLeadByte(0xDF));
    EXPECT_TRUE(IsSjisLeadByte(0xE0));
    EXPECT_TRUE(IsSjisLeadByte(0xFC));
    EXPECT_FALSE(IsSjisLeadByte(0xFD));
    EXPECT_FALSE(IsSjisTrailByte(0x3F));
    EXPECT_TRUE(IsSjisTrailByte(0x40));
    EXPECT_FALSE(IsSjisTrailByte(0x7F));
    EXPECT_TRUE(IsSjisTrailByte(0xFC));
}

}  // namespace
}  // namespace valmore
