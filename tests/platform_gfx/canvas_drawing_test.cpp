#include <gtest/gtest.h>

#include "platform/Canvas.h"
#include "support/TempDir.h"

namespace valmore {
namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kGrey{120, 120, 120};

// The set of pixels of one colour, as their bounding rectangle; empty when there are none.
Rect BoundsOf(const CBitmap& bitmap, Rgb colour) {
    Rect bounds;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            if (bitmap.Pixel(x, y) == colour) bounds = bounds.Union(Rect{x, y, x + 1, y + 1});
        }
    }
    return bounds;
}

int CountOf(const CBitmap& bitmap, Rgb colour, const Rect& area) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) count += bitmap.Pixel(x, y) == colour;
    }
    return count;
}

TEST(CanvasShapes, SolidFillCoversExactlyItsRectangle) {
    CBitmap bitmap = CBitmap::Create(20, 20, kWhite);
    CCanvas canvas(bitmap);
    canvas.FillSolid(Rect{3, 4, 9, 7}, kRed);
    EXPECT_EQ(BoundsOf(bitmap, kRed), (Rect{3, 4, 9, 7}));
    EXPECT_EQ(CountOf(bitmap, kRed, Rect{0, 0, 20, 20}), 6 * 3);
}

TEST(CanvasShapes, RectangleDrawsItsPenInsideAndFillsWithTheBrush) {
    CBitmap bitmap = CBitmap::Create(20, 20, kWhite);
    CCanvas canvas(bitmap);
    canvas.SelectPen(Pen{PenStyle::Solid, 1, kBlack});
    canvas.SelectBrush(Brush::Solid(kBlue));
    canvas.Rectangle(Rect{2, 3, 12, 10});
    EXPECT_EQ(BoundsOf(bitmap, kBlack), (Rect{2, 3, 12, 10}));
    EXPECT_EQ(BoundsOf(bitmap, kBlue), (Rect{3, 4, 11, 9}));
    EXPECT_EQ(CountOf(bitmap, kBlack, Rect{0, 0, 20, 20}), 2 * 10 + 2 * 5);

    // A wide pen stays inside too; a hollow brush leaves the middle alone.
    CBitmap wide = CBitmap::Create(20, 20, kWhite);
    CCanvas wideCanvas(wide);
    wideCanvas.SelectPen(Pen{PenStyle::Solid, 3, kRed});
    wideCanvas.SelectBrush(Brush::Hollow());
    wideCanvas.Rectangle(Rect{1, 1, 15, 13});
    EXPECT_EQ(BoundsOf(wide, kRed), (Rect{1, 1, 15, 13}));
    EXPECT_EQ(wide.Pixel(3, 3), kRed);
    EXPECT_EQ(wide.Pixel(4, 4), kWhite);
}

TEST(CanvasShapes, DashedPenLeavesGapsAndRoundedCornersStayClear) {
    CBitmap bitmap = CBitmap::Create(120, 60, kWhite);
    CCanvas canvas(bitmap);
    canvas.SelectPen(Pen{PenStyle::Dash, 5, kRed});
    canvas.SelectBrush(Brush::Hollow());
    canvas.RoundRect(Rect{10, 10, 110, 50}, 10, 10);
    // Along the top edge, both pen and gaps appear; the very corner pixel is outside the rounding.
    const int onTop = CountOf(bitmap, kRed, Rect{20, 12, 100, 13});
    EXPECT_GT(onTop, 20);
    EXPECT_LT(onTop, 80);
    EXPECT_EQ(bitmap.Pixel(10, 10), kWhite);
    EXPECT_EQ(bitmap.Pixel(60, 30), kWhite);
    EXPECT_TRUE(BoundsOf(bitmap, kRed).Intersect(Rect{10, 10, 110, 50}) == BoundsOf(bitmap, kRed));
}

TEST(CanvasShapes, LinesStopBeforeTheirEndPoint) {
    CBitmap bitmap = CBitmap::Create(30, 30, kWhite);
    CCanvas canvas(bitmap);
    canvas.SelectPen(Pen{PenStyle::Solid, 1, kGrey});
    canvas.Line({5, 10}, {20, 10});
    EXPECT_EQ(BoundsOf(bitmap, kGrey), (Rect{5, 10, 20, 11}));

    CBitmap twoWide = CBitmap::Create(30, 30, kWhite);
    CCanvas twoCanvas(twoWide);
    twoCanvas.SelectPen(Pen{PenStyle::Solid, 2, kBlack});
    twoCanvas.Line({4, 12}, {15, 12});
    const Rect bounds = BoundsOf(twoWide, kBlack);
    EXPECT_EQ(bounds.Height(), 2);
    EXPECT_EQ(bounds.left, 4);
    EXPECT_EQ(bounds.right, 15);

    CBitmap vertical = CBitmap::Create(30, 30, kWhite);
    CCanvas verticalCanvas(vertical);
    verticalCanvas.SelectPen(Pen{PenStyle::Solid, 1, kBlack});
    verticalCanvas.Line({7, 20}, {7, 3});
    EXPECT_EQ(BoundsOf(vertical, kBlack), (Rect{7, 4, 8, 21}));
}

TEST(CanvasClip, GuardLimitsDrawingAndRestoresThePreviousClip) {
    CBitmap bitmap = CBitmap::Create(40, 40, kWhite);
    CCanvas canvas(bitmap);
    canvas.SetClip(Rect{0, 0, 30, 30});
    {
        CCanvas::ClipGuard clip(canvas, Rect{10, 10, 50, 20});
        EXPECT_EQ(canvas.ClipBox(), (Rect{10, 10, 30, 20}));  // within the clip before
        canvas.FillSolid(Rect{0, 0, 40, 40}, kRed);
    }
    EXPECT_EQ(BoundsOf(bitmap, kRed), (Rect{10, 10, 30, 20}));
    EXPECT_EQ(canvas.ClipBox(), (Rect{0, 0, 30, 30}));
    canvas.FillSolid(Rect{0, 0, 40, 40}, kBlue);
    EXPECT_EQ(BoundsOf(bitmap, kBlue).right, 30);
    canvas.ClearClip();
    EXPECT_EQ(canvas.ClipBox(), (Rect{0, 0, 40, 40}));
}

TEST(CanvasClip, OriginMovesDrawingButNotAnEarlierClip) {
    CBitmap bitmap = CBitmap::Create(40, 40, kWhite);
    CCanvas canvas(bitmap);
    canvas.SetClip(Rect{0, 0, 20, 40});
    {
        CCanvas::OriginGuard origin(canvas, 15, 5);
        EXPECT_EQ(canvas.ClipBox(), (Rect{-15, -5, 5, 35}));
        canvas.FillSolid(Rect{0, 0, 10, 10}, kRed);
    }
    EXPECT_EQ(BoundsOf(bitmap, kRed), (Rect{15, 5, 20, 15}));
    EXPECT_EQ(canvas.Origin(), (Point{0, 0}));
}

CBitmap Checker(int w, int h) {
    CBitmap bitmap = CBitmap::Create(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) bitmap.SetPixel(x, y, (x + y) % 2 ? kRed : kBlue);
    }
    return bitmap;
}

TEST(CanvasBitmaps, CopiesAreOpaqueAndAtTheirOwnSize) {
    CBitmap picture = CBitmap::Create(6, 4, kBlack);
    picture.SetPixel(0, 0, kRed);
    picture.SetPixel(5, 3, kBlue);
    CBitmap target = CBitmap::Create(20, 20, kWhite);
    CCanvas canvas(target);
    canvas.DrawBitmap(picture, 7, 9);
    EXPECT_EQ(target.Pixel(7, 9), kRed);
    EXPECT_EQ(target.Pixel(12, 12), kBlue);
    EXPECT_EQ(target.Pixel(13, 12), kWhite);
    EXPECT_EQ(target.Pixel(12, 13), kWhite);
    EXPECT_EQ(CountOf(target, kBlack, Rect{0, 0, 20, 20}), 6 * 4 - 2);

    // Copying part of a picture, also where the part reaches past its edge.
    canvas.DrawBitmapPart(picture, Rect{4, 2, 10, 10}, 0, 0);
    EXPECT_EQ(target.Pixel(1, 1), kBlue);
    EXPECT_EQ(target.Pixel(2, 1), kWhite);

    // An empty bitmap draws nothing.
    canvas.DrawBitmap(CBitmap{}, 0, 0);
    EXPECT_EQ(target.Pixel(0, 0), kBlack);
}

TEST(CanvasBitmaps, StretchFillsTheDestinationAndHalftoneBlendsColours) {
    const CBitmap checker = Checker(8, 8);
    CBitmap target = CBitmap::Create(40, 40, kWhite);
    CCanvas canvas(target);
    canvas.StretchBitmap(checker, Rect{0, 0, 16, 16});
    // Nearest-pixel scaling doubles every pixel.
    EXPECT_EQ(target.Pixel(0, 0), kBlue);
    EXPECT_EQ(target.Pixel(1, 1), kBlue);
    EXPECT_EQ(target.Pixel(2, 0), kRed);
    EXPECT_EQ(target.Pixel(16, 0), kWhite);

    // Scaled down by half with halftone, red and blue average to a purple everywhere, edges included.
    const StretchMode previous = canvas.SetStretchMode(StretchMode::Halftone);
    EXPECT_EQ(previous, StretchMode::ColorOnColor);
    canvas.StretchBitmap(checker, Rect{20, 20, 24, 24});
    for (Point p : {Point{20, 20}, Point{23, 23}, Point{21, 22}}) {
        const Rgb c = target.Pixel(p.x, p.y);
        EXPECT_NEAR(c.r, 128, 20);
        EXPECT_NEAR(c.b, 128, 20);
    }
    EXPECT_EQ(target.Pixel(24, 24), kWhite);
    EXPECT_EQ(target.Pixel(19, 19), kWhite);
}

TEST(CanvasBitmaps, CanvasOnAnEmptyBitmapDoesNothing) {
    CBitmap empty;
    CCanvas canvas(empty);
    canvas.FillSolid(Rect{0, 0, 10, 10}, kRed);
    canvas.Rectangle(Rect{0, 0, 10, 10});
    canvas.TextOut(0, 0, "x");
    EXPECT_EQ(canvas.ClipBox(), (Rect{}));
}

TEST(BitmapFiles, SavedPngHoldsTheSamePixels) {
    test::TempDir dir;
    const CBitmap bitmap = Checker(5, 3);
    std::string error;
    ASSERT_TRUE(bitmap.SavePng(dir / "frame.png", &error)) << error;
    cairo_surface_t* loaded = cairo_image_surface_create_from_png((dir / "frame.png").c_str());
    ASSERT_EQ(cairo_surface_status(loaded), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(loaded), 5);
    const auto* row = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(loaded));
    EXPECT_EQ(row[0] & 0xFFFFFF, kBlue.Packed());
    EXPECT_EQ(row[1] & 0xFFFFFF, kRed.Packed());
    cairo_surface_destroy(loaded);

    EXPECT_FALSE(CBitmap{}.SavePng(dir / "empty.png", &error));
}

}  // namespace
}  // namespace valmore
