#include <gtest/gtest.h>

#include <string>

#include "platform/Sjis.h"
#include "ui/FixedWidthMeasurer.h"
#include "ui/MarkupText.h"

namespace valmore {
namespace {

using test::FixedWidthMeasurer;

class MarkupLinksAndImages : public ::testing::Test {
protected:
    MarkupLinksAndImages() {
        measurer.SetBitmapSize(31, {60, 20});
        measurer.SetBitmapSize(32, {20, 10});
    }
    void Lay(std::string_view text, Rect area = {0, 0, 400, 500}) { markup.Layout(measurer, text, area); }
    const MarkupFragment& Frag(int i, int page = 0) { return markup.Fragments(page)[i]; }

    FixedWidthMeasurer measurer;
    CMarkupText markup;
};

TEST_F(MarkupLinksAndImages, ALinkWithAnEmptyKeyUsesItsDisplayTextAsTheKey) {
    Lay("$c255000000$dKabu$$Z");
    ASSERT_EQ(markup.FragmentCount(0), 5);
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(Frag(i).link);
        EXPECT_EQ(Frag(i).linkKey, "Kabu");
        EXPECT_EQ(Frag(i).colour, (Rgb{0, 0, 255}));
    }
    // The text after the link goes on in the colour that was in effect before it.
    EXPECT_FALSE(Frag(4).link);
    EXPECT_TRUE(Frag(4).linkKey.empty());
    EXPECT_EQ(Frag(4).colour, (Rgb{255, 0, 0}));
    EXPECT_EQ(Frag(4).rect.left, 32);
}

TEST_F(MarkupLinksAndImages, ALinkWithAKeyCarriesThatKeyOnEveryCharacter) {
    Lay("$dKabu$Stock$");
    ASSERT_EQ(markup.FragmentCount(0), 4);
    for (const auto& f : markup.Fragments(0)) EXPECT_EQ(f.linkKey, "Stock");
    const std::string word = Sj("配当金");
    Lay("$d" + word + "$$");
    ASSERT_EQ(markup.FragmentCount(0), 3);
    EXPECT_EQ(Frag(2).linkKey, word);
}

TEST_F(MarkupLinksAndImages, ALinkWithoutItsClosingMarksEndsAtTheEndOfTheText) {
    Lay("$dKabu");
    ASSERT_EQ(markup.FragmentCount(0), 4);
    EXPECT_EQ(Frag(3).linkKey, "Kabu");
    Lay("$dKabu$Sto");
    ASSERT_EQ(markup.FragmentCount(0), 4);
    EXPECT_EQ(Frag(0).linkKey, "Sto");
    Lay("AB$d");
    EXPECT_EQ(markup.FragmentCount(0), 2);
}

TEST_F(MarkupLinksAndImages, FindLinkHitsTheCellWithItsLeftAndTopEdgesOnly) {
    Lay("$dK$key$Z$n$dW$other$");
    // K covers (0, 3) to (8, 14); Z right of it is plain text.
    EXPECT_EQ(markup.FindLink(0, 0, 3), "key");
    EXPECT_EQ(markup.FindLink(0, 7, 13), "key");
    EXPECT_EQ(markup.FindLink(0, 8, 3), std::nullopt);
    EXPECT_EQ(markup.FindLink(0, 0, 14), std::nullopt);
    EXPECT_EQ(markup.FindLink(0, -1, 3), std::nullopt);
    EXPECT_EQ(markup.FindLink(0, 3, 20), "other");
    EXPECT_EQ(markup.FindLink(1, 3, 5), std::nullopt);
    EXPECT_EQ(markup.FindLink(-1, 3, 5), std::nullopt);
}

TEST_F(MarkupLinksAndImages, FindLinkReturnsTheFirstLinkInLayoutOrderOnTheAskedPage) {
    Lay("$dA$one$$x0000$dB$two$$p$dC$three$");
    EXPECT_EQ(markup.FindLink(0, 2, 5), "one");
    // On the second page the link sits at the top of the area, without the first line's gap.
    EXPECT_EQ(markup.FindLink(1, 2, 0), "three");
    EXPECT_EQ(markup.FindLink(1, 2, 11), std::nullopt);
}

TEST_F(MarkupLinksAndImages, ABitmapTallerThanTheLineIsScaledDownToIt) {
    Lay("A$g031B");
    const auto slots = markup.ImageSlots(0);
    ASSERT_EQ(slots.size(), 4u);
    EXPECT_TRUE(slots[0].used);
    EXPECT_EQ(slots[0].bitmap, 31);
    // Gap 3 plus the 11 pixels of A give 14; 60 x 20 scaled to that height is 42 x 14.
    EXPECT_EQ(slots[0].x, 8);
    EXPECT_EQ(slots[0].y, 3 - 3 / 2 + 1);
    EXPECT_EQ(slots[0].widthMinusOne, 41);
    EXPECT_EQ(slots[0].heightMinusOne, 13);
    EXPECT_FALSE(slots[1].used);
    EXPECT_EQ(Frag(1).rect.left, 8 + 42);
}

TEST_F(MarkupLinksAndImages, ABitmapSmallerThanTheLineKeepsItsSize) {
    Lay("A$g032B");
    const auto& image = markup.ImageSlots(0)[0];
    EXPECT_EQ(image.widthMinusOne, 19);
    EXPECT_EQ(image.heightMinusOne, 9);
    EXPECT_EQ(Frag(1).rect.left, 28);
}

TEST_F(MarkupLinksAndImages, AnImageThatReachesTheRightEdgeStartsTheNextLine) {
    Lay("AAA$g031B", {0, 0, 60, 500});
    const auto& image = markup.ImageSlots(0)[0];
    EXPECT_EQ(image.x, 0);
    EXPECT_EQ(image.y, 17 - 1 + 1);
    EXPECT_EQ(Frag(3).rect, (Rect{42, 17, 50, 28}));
}

TEST_F(MarkupLinksAndImages, ImagesNeitherSetTheLineHeightNorCountForThePageSize) {
    const auto sizes = markup.Layout(measurer, "A$f18$g031$nB", {0, 0, 400, 500});
    EXPECT_EQ(Frag(1).rect.top, 3 + 3 + 11);
    EXPECT_EQ(sizes.pages[0], (Size{8, 17 + 18}));
    const auto onlyImage = markup.Layout(measurer, "$g031", {0, 0, 400, 500});
    EXPECT_TRUE(markup.ImageSlots(0)[0].used);
    EXPECT_EQ(onlyImage.pages[0], (Size{0, 0}));
}

TEST_F(MarkupLinksAndImages, AMissingBitmapShowsNothingAndTakesNoRoom) {
    Lay("A$g099B");
    EXPECT_FALSE(markup.ImageSlots(0)[0].used);
    EXPECT_EQ(Frag(1).rect.left, 8);
}

TEST_F(MarkupLinksAndImages, ImageSlotsAreCountedPerPage) {
    Lay("$g032$g032$g032$g032$p$g032A");
    for (const auto& slot : markup.ImageSlots(0)) EXPECT_TRUE(slot.used);
    EXPECT_TRUE(markup.ImageSlots(1)[0].used);
    EXPECT_EQ(markup.ImageSlots(1)[0].y, 0 - 1 + 1);
    EXPECT_FALSE(markup.ImageSlots(1)[1].used);
    EXPECT_TRUE(markup.ImageSlots(2).empty());
}

TEST_F(MarkupLinksAndImages, ANewLayoutReplacesLinksImagesAndPagesOfTheOldOne) {
    Lay("$dKabu$$$g031$pX$pY");
    ASSERT_EQ(markup.PageCount(), 3);
    Lay("Z");
    EXPECT_EQ(markup.PageCount(), 1);
    ASSERT_EQ(markup.FragmentCount(0), 1);
    EXPECT_FALSE(Frag(0).link);
    EXPECT_FALSE(markup.ImageSlots(0)[0].used);
    EXPECT_EQ(markup.FindLink(0, 1, 5), std::nullopt);
    EXPECT_EQ(markup.FragmentCount(1), 0);
}

TEST_F(MarkupLinksAndImages, ResetForgetsEverything) {
    Lay("$dKabu$$$g031$pX");
    markup.Reset();
    EXPECT_EQ(markup.PageCount(), 0);
    EXPECT_EQ(markup.PageLastDrawn(), 0);
    EXPECT_EQ(markup.FragmentCount(0), 0);
    EXPECT_TRUE(markup.ImageSlots(0).empty());
    EXPECT_EQ(markup.FindLink(0, 1, 5), std::nullopt);
}

}  // namespace
}  // namespace valmore
