#include <gtest/gtest.h>

#include <string>

#include "platform/Sjis.h"
#include "ui/FixedWidthMeasurer.h"
#include "ui/MarkupText.h"

namespace valmore {
namespace {

using test::FixedWidthMeasurer;

class MarkupLayout : public ::testing::Test {
protected:
    // An area 40 pixels wide holds four narrow characters only if the fourth ends short of the edge,
    // so the fifth always wraps.
    CMarkupText::PageSizes Lay(std::string_view text, Rect area = {0, 0, 40, 500}) {
        return markup.Layout(measurer, text, area);
    }
    const MarkupFragment& Frag(int i, int page = 0) { return markup.Fragments(page)[i]; }

    FixedWidthMeasurer measurer;
    CMarkupText markup;
};

TEST_F(MarkupLayout, NewLineStartsAtTheLeftBelowTheLastCharacterPlusTheGap) {
    const auto sizes = Lay("AB$nC", {10, 20, 200, 100});
    ASSERT_EQ(markup.FragmentCount(0), 3);
    EXPECT_EQ(Frag(0).rect, (Rect{10, 23, 18, 34}));
    EXPECT_EQ(Frag(1).rect, (Rect{18, 23, 26, 34}));
    EXPECT_EQ(Frag(2).rect, (Rect{10, 23 + 3 + 11, 18, 48}));
    EXPECT_EQ(Frag(2).Text(), "C");
    EXPECT_EQ(sizes.pageCount, 1);
    EXPECT_EQ(sizes.pages[0], (Size{16, 28}));
}

TEST_F(MarkupLayout, ACharacterThatReachesTheRightEdgeStartsTheNextLine) {
    Lay("ABCDE");
    EXPECT_EQ(Frag(3).rect, (Rect{24, 3, 32, 14}));
    EXPECT_EQ(Frag(4).rect, (Rect{0, 17, 8, 28}));
    // The line after it goes on from the wrapped character.
    Lay("ABCDEF");
    EXPECT_EQ(Frag(5).rect, (Rect{8, 17, 16, 28}));
}

TEST_F(MarkupLayout, AnOpeningBracketMovesToTheNextLineWithTheCharacterAfterIt) {
    Lay("AB" + Sj("「") + "CD");
    ASSERT_EQ(markup.FragmentCount(0), 5);
    EXPECT_EQ(Frag(2).rect, (Rect{0, 17, 16, 28}));
    EXPECT_EQ(Frag(3).rect, (Rect{16, 17, 24, 28}));
    EXPECT_EQ(Frag(4).rect, (Rect{24, 17, 32, 28}));
    // The same for the full-width parenthesis.
    Lay("AB" + Sj("（") + "C");
    EXPECT_EQ(Frag(2).rect.top, 17);
    EXPECT_EQ(Frag(3).rect.left, 16);
}

TEST_F(MarkupLayout, AnOpeningBracketIsOnlyMovedOffTheEndOfTheCurrentLine) {
    // A bracket that already starts its line would leave an empty line behind if it moved.
    Lay(Sj("「") + "A", {0, 0, 20, 500});
    EXPECT_EQ(Frag(0).rect, (Rect{0, 3, 16, 14}));
    EXPECT_EQ(Frag(1).rect, (Rect{0, 17, 8, 28}));
    // A bracket on a line the text has already left stays there.
    Lay("AB" + Sj("「") + "$y0100C");
    EXPECT_EQ(Frag(2).rect, (Rect{16, 3, 32, 14}));
    EXPECT_EQ(Frag(3).rect, (Rect{0, 114, 8, 125}));
}

TEST_F(MarkupLayout, ClosingPunctuationHangsBeyondTheEdgeAndTheNextCharacterStartsALine) {
    for (const char* mark : {"。", "、", "」", "）"}) {
        SCOPED_TRACE(mark);
        Lay("ABCD" + Sj(mark) + "E");
        EXPECT_EQ(Frag(4).rect, (Rect{32, 3, 48, 14}));
        EXPECT_EQ(Frag(5).rect, (Rect{0, 17, 8, 28}));
    }
}

TEST_F(MarkupLayout, LinkCharactersWrapWithoutTheBracketAndPunctuationRules) {
    Lay("ABCD$d" + Sj("。") + "$$");
    EXPECT_EQ(Frag(4).rect, (Rect{0, 17, 16, 28}));
    Lay("AB" + Sj("「") + "$dK$$");
    EXPECT_EQ(Frag(2).rect, (Rect{16, 3, 32, 14}));
    EXPECT_EQ(Frag(3).rect, (Rect{0, 17, 8, 28}));
}

TEST_F(MarkupLayout, CellsShareTheLineTopAndTheAdvanceUsesTheCharacterThatWraps) {
    Lay("$f18AAAA$f08B");
    EXPECT_EQ(Frag(0).rect, (Rect{0, 3, 8, 21}));
    EXPECT_EQ(Frag(0).font, 18);
    // B wraps, so the new line sits its own height below, not the tallest character's.
    EXPECT_EQ(Frag(4).rect, (Rect{0, 3 + 3 + 8, 8, 22}));
    EXPECT_EQ(Frag(4).font, 8);
}

TEST_F(MarkupLayout, AFontNumberWithoutAFontLeavesTheFontInEffect) {
    Lay("$f14A$f13B$f99C");
    EXPECT_EQ(Frag(1).font, 14);
    EXPECT_EQ(Frag(1).rect.Height(), 14);
    EXPECT_EQ(Frag(2).font, 14);
}

TEST_F(MarkupLayout, TheFirstLineGapIsThreeAndLaterGapsFollowTheGapCode) {
    Lay("A$h10$nB$nC", {0, 0, 200, 500});
    EXPECT_EQ(Frag(0).rect.top, 3);
    EXPECT_EQ(Frag(1).rect.top, 3 + 10 + 11);
    EXPECT_EQ(Frag(2).rect.top, 24 + 10 + 11);
    // Every layout starts again from a gap of three.
    Lay("A$nB", {0, 0, 200, 500});
    EXPECT_EQ(Frag(1).rect.top, 17);
}

TEST_F(MarkupLayout, ANewLineBeforeAnyCharacterUsesTheHeightOfTheCurrentFont) {
    Lay("$f18$nA");
    EXPECT_EQ(Frag(0).rect.top, 3 + 3 + 18);
    // Once a character is measured, a font change alone does not alter the advance.
    Lay("A$f18$nB", {0, 0, 200, 500});
    EXPECT_EQ(Frag(1).rect.top, 3 + 3 + 11);
}

TEST_F(MarkupLayout, ColumnRowAndTabCodesPlaceFromTheAreaEdges) {
    Lay("$x0100A$y0050B$m0003C", {10, 20, 400, 500});
    EXPECT_EQ(Frag(0).rect.left, 110);
    EXPECT_EQ(Frag(1).rect, (Rect{118, 70, 126, 81}));
    EXPECT_EQ(Frag(2).rect, (Rect{10 + 3 * 8, 70, 42, 81}));
}

TEST_F(MarkupLayout, TheTabCodeMakesTheDigitZeroTheLastMeasuredCharacter) {
    Lay("$f18A$f08$m0000$nB", {0, 0, 200, 500});
    EXPECT_EQ(Frag(1).rect.top, 3 + 3 + 8);
}

TEST_F(MarkupLayout, DigitFieldsKeepTheirWidthWhenANonDigitEndsTheNumber) {
    Lay("$x1a00B$x0016C", {0, 0, 200, 500});
    ASSERT_EQ(markup.FragmentCount(0), 2);
    EXPECT_EQ(Frag(0).rect.left, 1);
    EXPECT_EQ(Frag(0).Text(), "B");
    EXPECT_EQ(Frag(1).rect.left, 16);
}

TEST_F(MarkupLayout, ColourAndHighlightAreRecordedAndTheirMarksAreNotShown) {
    Lay("$c255000000A&B&$c000000255C$c999300000D", {0, 0, 200, 500});
    ASSERT_EQ(markup.FragmentCount(0), 4);
    EXPECT_EQ(Frag(0).colour, (Rgb{255, 0, 0}));
    EXPECT_FALSE(Frag(0).highlight);
    EXPECT_TRUE(Frag(1).highlight);
    EXPECT_EQ(Frag(1).rect.left, 8);
    EXPECT_EQ(Frag(2).colour, (Rgb{0, 0, 255}));
    EXPECT_FALSE(Frag(2).highlight);
    // Out-of-range components are held at 255 rather than wrapping around.
    EXPECT_EQ(Frag(3).colour, (Rgb{255, 255, 0}));
}

TEST_F(MarkupLayout, UnknownCodesAreSkippedWithTheCharacterAfterTheDollar) {
    Lay("A$zB$" + Sj("株") + "C$$D");
    std::string shown;
    for (const auto& f : markup.Fragments(0)) shown += f.Text();
    EXPECT_EQ(shown, "ABCD");
}

TEST_F(MarkupLayout, PageCodesStartNewPagesAtTheTopOfTheArea) {
    const auto sizes = Lay("A$pB$p", {5, 7, 200, 500});
    EXPECT_EQ(markup.PageCount(), 3);
    EXPECT_EQ(sizes.pageCount, 3);
    ASSERT_EQ(markup.FragmentCount(1), 1);
    EXPECT_EQ(markup.Fragments(1)[0].rect, (Rect{5, 7, 13, 18}));
    EXPECT_EQ(markup.FragmentCount(2), 0);
    EXPECT_EQ(sizes.pages[0], (Size{8, 14}));
    EXPECT_EQ(sizes.pages[1], (Size{8, 11}));
    // A page without characters reports no size at all.
    EXPECT_EQ(sizes.pages[2], (Size{0, 0}));
}

TEST_F(MarkupLayout, AnEmptyTextGivesOnePageWithoutCharacters) {
    const auto sizes = Lay("");
    EXPECT_EQ(markup.PageCount(), 1);
    EXPECT_EQ(markup.FragmentCount(0), 0);
    EXPECT_EQ(sizes.pages[0], (Size{0, 0}));
}

TEST_F(MarkupLayout, TwoByteCharactersStayWholeEvenWhenTheirSecondByteLooksLikeAscii) {
    // The second byte of 表 is "\", and of ソ is "\" too; neither may be read as text of its own.
    Lay(Sj("表ソ") + "A", {0, 0, 200, 500});
    ASSERT_EQ(markup.FragmentCount(0), 3);
    EXPECT_EQ(Frag(0).Text(), Sj("表"));
    EXPECT_EQ(Frag(1).rect, (Rect{16, 3, 32, 14}));
}

}  // namespace
}  // namespace valmore
