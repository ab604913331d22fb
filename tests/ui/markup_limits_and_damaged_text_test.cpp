#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/Sjis.h"
#include "ui/FixedWidthMeasurer.h"
#include "ui/MarkupText.h"

namespace valmore {
namespace {

using test::FixedWidthMeasurer;

class MarkupLimits : public ::testing::Test {
protected:
    MarkupLimits() { measurer.SetBitmapSize(32, {20, 10}); }
    CMarkupText::PageSizes Lay(std::string_view text) { return markup.Layout(measurer, text, {0, 0, 100000, 500}); }
    std::string Shown(int page = 0) {
        std::string shown;
        for (const auto& f : markup.Fragments(page)) shown += f.Text();
        return shown;
    }

    FixedWidthMeasurer measurer;
    CMarkupText markup;
};

TEST_F(MarkupLimits, ASixthPageIsNotStarted) {
    Lay("A$pB$pC$pD$pE$pF$pG");
    EXPECT_EQ(markup.PageCount(), 5);
    EXPECT_EQ(Shown(4), "E");
    EXPECT_EQ(markup.FragmentCount(5), 0);
}

TEST_F(MarkupLimits, LayoutStopsAtTheThousandthCharacterOfAPage) {
    const auto sizes = Lay(std::string(1001, 'a') + "$pB");
    EXPECT_EQ(markup.FragmentCount(0), CMarkupText::kMaxFragmentsPerPage);
    EXPECT_EQ(markup.PageCount(), 1);
    EXPECT_EQ(sizes.pages[0].width, 1000 * 8);
    // Exactly a thousand characters still fit, and the next page starts normally.
    Lay(std::string(1000, 'a') + "$pB");
    EXPECT_EQ(markup.PageCount(), 2);
    EXPECT_EQ(Shown(1), "B");
}

TEST_F(MarkupLimits, AFifthImageOnAPageIsLeftOutAndTheTextGoesOn) {
    Lay("$g032$g032$g032$g032$g032A");
    for (const auto& slot : markup.ImageSlots(0)) EXPECT_TRUE(slot.used);
    ASSERT_EQ(markup.FragmentCount(0), 1);
    EXPECT_EQ(markup.Fragments(0)[0].rect.left, 4 * 20);
}

TEST_F(MarkupLimits, OverlongLinkTextsAndKeysAreCutAtACharacterBoundary) {
    Lay("$dKabu$" + std::string(300, 'k') + "$Z");
    ASSERT_EQ(markup.FragmentCount(0), 5);
    EXPECT_EQ(markup.Fragments(0)[0].linkKey, std::string(CMarkupText::kMaxLinkBytes, 'k'));
    EXPECT_EQ(Shown(), "KabuZ");

    // 150 two-byte characters: half of the last one would fit in 255 bytes, so it goes entirely.
    std::string wide;
    for (int i = 0; i < 150; ++i) wide += Sj("株");
    Lay("$d" + wide + "$$");
    EXPECT_EQ(markup.FragmentCount(0), 127);
    EXPECT_EQ(markup.Fragments(0)[0].linkKey.size(), 254u);
}

TEST_F(MarkupLimits, TextBeyondTheByteLimitIsNotLaidOut) {
    std::string text;
    for (int i = 0; i < 833; ++i) text += "$x0000";  // 4998 bytes of codes
    Lay(text + "AB");
    EXPECT_EQ(Shown(), "A");
    // A two-byte character that straddles the limit is dropped, not shown by its first half.
    std::string codes;
    for (int i = 0; i < 2499; ++i) codes += "$n";
    Lay(codes + Sj("株") + "A");
    EXPECT_EQ(markup.FragmentCount(0), 0);
}

TEST_F(MarkupLimits, CodesCutByTheEndOfTheTextEndTheLayoutCleanly) {
    for (const char* text : {"AB$", "AB$c12", "AB$c25500000", "AB$f1", "AB$h", "AB$x12", "AB$y", "AB$m000", "AB$g03"}) {
        SCOPED_TRACE(text);
        Lay(text);
        EXPECT_EQ(Shown(), "AB");
        EXPECT_EQ(markup.Fragments(0)[0].colour, (Rgb{0, 0, 0}));
    }
}

TEST_F(MarkupLimits, ANulByteEndsTheText) {
    Lay(std::string("AB\0CD", 5));
    EXPECT_EQ(Shown(), "AB");
}

TEST_F(MarkupLimits, ALoneLeadByteIsShownAsACharacterOfItsOwn) {
    Lay(std::string("A\x83") + "\x0A" + "B\x83");
    ASSERT_EQ(markup.FragmentCount(0), 5);
    EXPECT_EQ(markup.Fragments(0)[1].Text(), "\x83");
    EXPECT_EQ(markup.Fragments(0)[4].Text(), "\x83");
}

// Random bytes drawn mostly from the characters that matter to the parser, so codes, links, limits
// and broken two-byte characters all turn up. Whatever the input, the layout stays inside its limits.
TEST_F(MarkupLimits, RandomBytesNeverBreakTheLayout) {
    static constexpr char kAlphabet[] = "$$$$&cfhnpxymgdz0123456789Ab\x81\x82\x83\x75\x42\x5C\xFF";
    std::mt19937 random(20240607);
    for (int round = 0; round < 400; ++round) {
        std::string text(random() % 6000, '\0');
        for (char& c : text) {
            c = random() % 4 == 0 ? static_cast<char>(random() % 256) : kAlphabet[random() % (sizeof kAlphabet - 1)];
        }
        const Rect area{static_cast<int>(random() % 50), 10, static_cast<int>(random() % 200), 300};
        const auto sizes = markup.Layout(measurer, text, area);

        ASSERT_GE(markup.PageCount(), 1);
        ASSERT_LE(markup.PageCount(), CMarkupText::kMaxPages);
        ASSERT_EQ(sizes.pageCount, markup.PageCount());
        for (int page = 0; page < markup.PageCount(); ++page) {
            ASSERT_LE(markup.FragmentCount(page), CMarkupText::kMaxFragmentsPerPage);
            for (const auto& f : markup.Fragments(page)) {
                ASSERT_FALSE(f.Text().empty());
                ASSERT_LE(f.Text().size(), 2u);
                ASSERT_LE(f.linkKey.size(), CMarkupText::kMaxLinkBytes);
                ASSERT_GE(f.rect.left, area.left);
                ASSERT_GE(f.rect.top, area.top);
            }
            ASSERT_GE(sizes.pages[page].width, 0);
            ASSERT_GE(sizes.pages[page].height, 0);
            markup.FindLink(page, area.left + 3, area.top + 5);
        }
    }
}

}  // namespace
}  // namespace valmore
