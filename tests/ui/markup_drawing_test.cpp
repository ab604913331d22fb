#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "platform/Canvas.h"
#include "platform/Sjis.h"
#include "ui/FixedWidthMeasurer.h"
#include "ui/MarkupText.h"

namespace valmore {
namespace {

// The skin fonts the tests use, and a solid green 60 x 20 picture as skin bitmap 31.
class TestSkin final : public IMarkupSkin {
public:
    TestSkin() {
        const std::string face = Sj("ＭＳ ゴシック");
        fonts_[8] = CFont::FromPointSize(80, face);
        fonts_[11] = CFont::FromPointSize(110, face);
        fonts_[18] = CFont::FromPointSize(180, face);
        bitmaps_[31] = CBitmap::Create(60, 20, kGreen);
    }
    const CFont* SkinFont(int number) const override {
        const auto it = fonts_.find(number);
        return it == fonts_.end() ? nullptr : it->second.get();
    }
    const CBitmap* SkinBitmap(int index) const override {
        const auto it = bitmaps_.find(index);
        return it == bitmaps_.end() ? nullptr : &it->second;
    }

    static constexpr Rgb kGreen{0, 200, 0};

private:
    std::map<int, std::unique_ptr<CFont>> fonts_;
    std::map<int, CBitmap> bitmaps_;
};

struct Ink {
    int pixels = 0;
    int reddish = 0;
    int bluish = 0;
    Rect box;
};

// Everything on the bitmap that is not the white it started with.
Ink InkOn(const CBitmap& bitmap, const Rect& within) {
    Ink ink;
    for (int y = within.top; y < within.bottom; ++y) {
        for (int x = within.left; x < within.right; ++x) {
            const Rgb p = bitmap.Pixel(x, y);
            if (p == Rgb{255, 255, 255}) continue;
            ++ink.pixels;
            if (p.r > p.b + 60) ++ink.reddish;
            if (p.b > p.r + 60) ++ink.bluish;
            ink.box = ink.box.Union({x, y, x + 1, y + 1});
        }
    }
    return ink;
}

class MarkupDrawing : public ::testing::Test {
protected:
    MarkupDrawing() : target(CBitmap::Create(120, 100, {255, 255, 255})), canvas(target) {}

    TestSkin skin;
    CBitmap target;
    CCanvas canvas;
    CMarkupText markup;
    const std::string block = Sj("■");
};

TEST_F(MarkupDrawing, TheHighlightIsDrawnInBlueWhateverTheTextColour) {
    const Rect area{0, 0, 120, 100};
    markup.Layout(skin, "$f18$c255000000&" + block + "&", area);
    markup.Draw(canvas, skin, area, 0);
    const Ink highlighted = InkOn(target, area);
    EXPECT_GT(highlighted.bluish, 20);
    EXPECT_EQ(highlighted.reddish, 0);

    CBitmap plainTarget = CBitmap::Create(120, 100, {255, 255, 255});
    CCanvas plainCanvas(plainTarget);
    markup.Layout(skin, "$f18$c255000000" + block, area);
    markup.Draw(plainCanvas, skin, area, 0);
    const Ink plain = InkOn(plainTarget, area);
    EXPECT_GT(plain.reddish, 20);
    EXPECT_EQ(plain.bluish, 0);
}

TEST_F(MarkupDrawing, EachCharacterIsDrawnInTheFontItWasMeasuredWith) {
    const Rect area{0, 0, 120, 100};
    markup.Layout(skin, "$f08" + block + "$x0050$f18" + block, area);
    markup.Draw(canvas, skin, area, 0);
    const Ink small = InkOn(target, {0, 0, 50, 100});
    const Ink large = InkOn(target, {50, 0, 120, 100});
    ASSERT_GT(small.pixels, 0);
    EXPECT_GT(large.box.Height(), small.box.Height() + 5);
    EXPECT_EQ(markup.Fragments(0)[1].rect.Width(), skin.SkinFont(18)->CharWidth(block));
}

TEST_F(MarkupDrawing, NothingIsDrawnOutsideTheArea) {
    const Rect area{0, 0, 120, 40};
    markup.Layout(skin, "$f18" + block + "$y0050" + block, area);
    ASSERT_EQ(markup.FragmentCount(0), 2);
    markup.Draw(canvas, skin, area, 0);
    EXPECT_GT(InkOn(target, area).pixels, 0);
    EXPECT_EQ(InkOn(target, {0, 40, 120, 100}).pixels, 0);
}

TEST_F(MarkupDrawing, ImagesAreStretchedOnePixelShortOfTheirRoomAndTextCoversThem) {
    test::FixedWidthMeasurer measurer;
    measurer.SetBitmapSize(31, {60, 20});
    const Rect area{10, 10, 120, 100};
    // Before any character the line is the 11-pixel font plus the gap of 3: the picture takes 42 x 14.
    markup.Layout(measurer, "$g031", area);
    markup.Draw(canvas, skin, area, 0);
    EXPECT_EQ(target.Pixel(10, 13), TestSkin::kGreen);
    EXPECT_EQ(target.Pixel(50, 25), TestSkin::kGreen);
    EXPECT_EQ(InkOn(target, {0, 0, 120, 100}).box, (Rect{10, 13, 51, 26}));

    markup.Layout(measurer, "$g031$x0000" + block, area);
    markup.Draw(canvas, skin, area, 0);
    int dark = 0;
    for (int y = 13; y < 26; ++y) {
        for (int x = 10; x < 26; ++x) {
            const Rgb p = target.Pixel(x, y);
            if (p.r < 80 && p.g < 80 && p.b < 80) ++dark;
        }
    }
    EXPECT_GT(dark, 10);
}

TEST_F(MarkupDrawing, DrawingRemembersThePageAndIgnoresPagesThatDoNotExist) {
    const Rect area{0, 0, 120, 100};
    markup.Layout(skin, block + "$p" + block, area);
    markup.Draw(canvas, skin, area, 1);
    EXPECT_EQ(markup.PageLastDrawn(), 1);

    CBitmap clean = CBitmap::Create(120, 100, {255, 255, 255});
    CCanvas cleanCanvas(clean);
    markup.Draw(cleanCanvas, skin, area, 2);
    markup.Draw(cleanCanvas, skin, area, -1);
    EXPECT_EQ(markup.PageLastDrawn(), 1);
    EXPECT_EQ(InkOn(clean, area).pixels, 0);
}

TEST_F(MarkupDrawing, TheCanvasFontClipAndStretchModeAreAsTheyWereAfterDrawing) {
    const Rect area{0, 0, 120, 100};
    const CFont* before = skin.SkinFont(8);
    canvas.SelectFont(before);
    canvas.SetClip({0, 0, 60, 60});
    markup.Layout(skin, "$f18" + block + "$g031", area);
    markup.Draw(canvas, skin, area, 0);
    EXPECT_EQ(canvas.Font(), before);
    EXPECT_EQ(canvas.ClipBox(), (Rect{0, 0, 60, 60}));
    EXPECT_EQ(canvas.SetStretchMode(StretchMode::ColorOnColor), StretchMode::ColorOnColor);
    // The clip in effect before still limits what the text may reach.
    EXPECT_EQ(InkOn(target, {60, 0, 120, 100}).pixels, 0);
}

}  // namespace
}  // namespace valmore
