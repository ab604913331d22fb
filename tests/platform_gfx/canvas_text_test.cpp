#include <gtest/gtest.h>

#include "platform/Canvas.h"
#include "platform/Sjis.h"

namespace valmore {
namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kPink{255, 150, 150};

std::unique_ptr<CFont> Gothic(int tenths) {
    return CFont::FromPointSize(tenths, Sj("ＭＳ ゴシック"));
}

// Bounding rectangle of every pixel that differs from the background.
Rect InkBounds(const CBitmap& bitmap, Rgb background = kWhite) {
    Rect bounds;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            if (bitmap.Pixel(x, y) != background) bounds = bounds.Union(Rect{x, y, x + 1, y + 1});
        }
    }
    return bounds;
}

TEST(Fonts, PointSizesBecomePixelsAsOnA96DpiScreen) {
    EXPECT_EQ(CFont::PointSizeToPixels(110), 15);
    // The XGA and SXGA sizes of the skin fonts.
    const int tenths[] = {80, 90, 100, 120, 140, 160, 180, 200, 240};
    const int pixels[] = {11, 12, 13, 16, 19, 21, 24, 27, 32};
    for (std::size_t i = 0; i < std::size(tenths); ++i) EXPECT_EQ(CFont::PointSizeToPixels(tenths[i]), pixels[i]);

    auto font = Gothic(110);
    EXPECT_EQ(font->EmPixels(), 15);
    EXPECT_EQ(font->Description().height, -15);
    EXPECT_EQ(font->CellHeight(), font->Ascent() + font->Descent());
    EXPECT_EQ(font->CellHeight(), 15);
}

TEST(Fonts, TheGothicFaceIsServedByIpaGothic) {
    auto font = Gothic(110);
    EXPECT_EQ(font->FamilyName(), "IPAGothic");
    EXPECT_FALSE(font->FontFile().empty());
}

TEST(Fonts, AJapaneseCharacterIsExactlyTwoHalfWidthCharacters) {
    for (int tenths : {80, 90, 100, 110, 120, 140, 160, 180, 200, 240}) {
        auto font = Gothic(tenths);
        const int half = font->CharWidth("A");
        EXPECT_GT(half, 0);
        EXPECT_EQ(font->CharWidth("0"), half) << tenths;
        EXPECT_EQ(font->CharWidth(Sj("株")), 2 * half) << tenths;
        EXPECT_EQ(font->CharWidth(Sj("、")), 2 * half) << tenths;
        EXPECT_EQ(font->CharWidth(Sj("ｱ")), half) << tenths;  // half-width katakana
        EXPECT_EQ(font->TextWidth(Sj("株A価")), 5 * half) << tenths;
        EXPECT_EQ(font->CharSize(Sj("株")), (Size{2 * half, font->CellHeight()}));
    }
}

TEST(Fonts, ControlCharactersAreOrdinaryHalfWidthCharacters) {
    auto font = Gothic(110);
    EXPECT_EQ(font->CharWidth("\n"), font->CharWidth(" "));
    EXPECT_EQ(font->TextWidth("a\nb"), 3 * font->CharWidth("a"));
    EXPECT_EQ(font->CharWidth(""), 0);
    // A lead byte at the end of a text is one (odd) character, not a read past the end.
    EXPECT_GT(font->TextWidth(std::string_view("\x82", 1)), 0);
}

TEST(Fonts, AFontReadBackAndMadeAgainMeasuresTheSame) {
    auto first = Gothic(120);
    FontDescription description = first->Description();
    description.quality = FontQuality::Antialiased;
    auto second = CFont::FromDescription(description);
    EXPECT_EQ(second->EmPixels(), first->EmPixels());
    EXPECT_EQ(second->CellHeight(), first->CellHeight());
    EXPECT_EQ(second->TextWidth(Sj("注文")), first->TextWidth(Sj("注文")));

    FontDescription byCell;
    byCell.height = 20;
    byCell.faceName = Sj("ＭＳ ゴシック");
    EXPECT_EQ(CFont::FromDescription(byCell)->CellHeight(), 20);

    FontDescription bold = description;
    bold.weight = 700;
    EXPECT_EQ(CFont::FromDescription(bold)->Description().weight, 700);
}

TEST(Fonts, EllipsisShorteningFitsAndKeepsWholeCharacters) {
    auto font = Gothic(110);
    const std::string text = Sj("とても長い銘柄の名前が入ります");
    EXPECT_EQ(font->FitWithEllipsis(text, 10000), text);
    for (int width = 0; width < font->TextWidth(text); width += 3) {
        const std::string fitted = font->FitWithEllipsis(text, width);
        ASSERT_GE(fitted.size(), 3u);
        EXPECT_EQ(fitted.substr(fitted.size() - 3), "...");
        const std::string kept = fitted.substr(0, fitted.size() - 3);
        EXPECT_EQ(text.compare(0, kept.size(), kept), 0);
        EXPECT_EQ(kept.size() % 2, 0u) << "a double-byte character was split";
        if (width >= font->TextWidth("...")) {
            EXPECT_LE(font->TextWidth(fitted), width);
        }
    }
}

TEST(CanvasText, TextTakesTheTextColourAndItsAlignmentInTheRectangle) {
    auto font = Gothic(110);
    const Rect box{10, 10, 110, 40};
    struct Case {
        unsigned flags;
        int expectedLeft;
    };
    const int width = font->TextWidth("AB");
    const Case cases[] = {
        {CCanvas::kLeft, 10}, {CCanvas::kCenter, 10 + (100 - width) / 2}, {CCanvas::kRight, 110 - width}};
    for (const Case& c : cases) {
        CBitmap bitmap = CBitmap::Create(120, 50, kWhite);
        CCanvas canvas(bitmap);
        canvas.SelectFont(font.get());
        canvas.SetTextColour(kRed);
        canvas.SetBackgroundMode(BackgroundMode::Transparent);
        canvas.DrawText("AB", box, c.flags | CCanvas::kVCenter | CCanvas::kSingleLine);
        const Rect ink = InkBounds(bitmap);
        // The glyphs sit inside their cells: the cell starts at the expected place.
        EXPECT_GE(ink.left, c.expectedLeft) << c.flags;
        EXPECT_LE(ink.left, c.expectedLeft + 3) << c.flags;
        EXPECT_LE(ink.right, c.expectedLeft + width) << c.flags;
        const int cellTop = 10 + (30 - font->CellHeight()) / 2;
        EXPECT_GE(ink.top, cellTop);
        EXPECT_LE(ink.bottom, cellTop + font->CellHeight());

        bool sawRed = false;
        for (int y = ink.top; y < ink.bottom; ++y) {
            for (int x = ink.left; x < ink.right; ++x) {
                const Rgb p = bitmap.Pixel(x, y);
                EXPECT_GE(p.r, p.g);  // only shades between white and red
                EXPECT_EQ(p.g, p.b);
                sawRed |= p == kRed || (p.r > 230 && p.g < 60);
            }
        }
        EXPECT_TRUE(sawRed);
    }
}

TEST(CanvasText, EllipsisKeepsTheDrawnTextInsideTheRectangle) {
    auto font = Gothic(110);
    CBitmap bitmap = CBitmap::Create(200, 40, kWhite);
    CCanvas canvas(bitmap);
    canvas.SelectFont(font.get());
    canvas.SetBackgroundMode(BackgroundMode::Transparent);
    const Rect box{20, 5, 95, 30};
    // No clipping: only the shortening keeps the text in.
    canvas.DrawText(Sj("とても長い銘柄の名前が入ります"), box,
                    CCanvas::kLeft | CCanvas::kSingleLine | CCanvas::kEndEllipsis | CCanvas::kNoClip);
    const Rect ink = InkBounds(bitmap);
    EXPECT_FALSE(ink.IsEmpty());
    EXPECT_EQ(ink.Intersect(box), ink);
}

TEST(CanvasText, WithoutEllipsisTheRectangleClipsTheText) {
    auto font = Gothic(110);
    CBitmap bitmap = CBitmap::Create(200, 40, kWhite);
    CCanvas canvas(bitmap);
    canvas.SelectFont(font.get());
    const Rect box{20, 5, 60, 30};
    canvas.DrawText(Sj("とても長い銘柄の名前"), box, CCanvas::kLeft | CCanvas::kSingleLine);
    EXPECT_EQ(InkBounds(bitmap).Intersect(box), InkBounds(bitmap));
    EXPECT_EQ(canvas.ClipBox(), (Rect{0, 0, 200, 40}));  // the clip is put back afterwards
}

TEST(CanvasText, OpaqueModeFillsTheCellBoxWithTheBackgroundColour) {
    auto font = Gothic(110);
    CBitmap bitmap = CBitmap::Create(100, 40, kWhite);
    CCanvas canvas(bitmap);
    canvas.SelectFont(font.get());
    canvas.SetBackgroundColour(kPink);
    canvas.TextOut(5, 6, "12");
    const Rect cell = Rect::FromSize(5, 6, font->TextWidth("12"), font->CellHeight());
    EXPECT_EQ(InkBounds(bitmap), cell);
    EXPECT_EQ(bitmap.Pixel(cell.left, cell.top), kPink);
    EXPECT_EQ(bitmap.Pixel(cell.right - 1, cell.bottom - 1), kPink);

    // The default mode is opaque on white; transparent mode leaves the background as it was.
    CBitmap plain = CBitmap::Create(100, 40, kPink);
    CCanvas plainCanvas(plain);
    plainCanvas.SelectFont(font.get());
    plainCanvas.SetBackgroundMode(BackgroundMode::Transparent);
    plainCanvas.TextOut(5, 6, "12");
    EXPECT_EQ(plain.Pixel(cell.left, cell.top), kPink);
}

TEST(CanvasText, TextOutAlignsToTheGivenPoint) {
    auto font = Gothic(110);
    CBitmap bitmap = CBitmap::Create(100, 60, kWhite);
    CCanvas canvas(bitmap);
    canvas.SelectFont(font.get());
    canvas.SetBackgroundColour(kPink);
    canvas.SetTextAlign(HAlign::Right, VAlign::Bottom);
    canvas.TextOut(80, 50, "99");
    EXPECT_EQ(InkBounds(bitmap), (Rect{80 - font->TextWidth("99"), 50 - font->CellHeight(), 80, 50}));

    CBitmap centred = CBitmap::Create(100, 60, kWhite);
    CCanvas centredCanvas(centred);
    centredCanvas.SelectFont(font.get());
    centredCanvas.SetBackgroundColour(kPink);
    centredCanvas.SetTextAlign(HAlign::Center, VAlign::Baseline);
    centredCanvas.TextOut(50, 30, "99");
    const int w = font->TextWidth("99");
    EXPECT_EQ(InkBounds(centred), Rect::FromSize(50 - w / 2, 30 - font->Ascent(), w, font->CellHeight()));
}

TEST(CanvasText, LineFeedsStartNewLinesUnlessSingleLine) {
    auto font = Gothic(110);
    CBitmap bitmap = CBitmap::Create(200, 80, kWhite);
    CCanvas canvas(bitmap);
    canvas.SelectFont(font.get());
    canvas.SetBackgroundColour(kPink);
    const Rect box{0, 10, 200, 80};
    const int height = canvas.DrawText(Sj("よろしいですか？\r\nはい"), box, CCanvas::kCenter);
    const int cell = font->CellHeight();
    EXPECT_EQ(height, 2 * cell);
    const int first = font->TextWidth(Sj("よろしいですか？"));
    const int second = font->TextWidth(Sj("はい"));
    EXPECT_EQ(bitmap.Pixel((200 - first) / 2, 10), kPink);
    EXPECT_EQ(bitmap.Pixel((200 - second) / 2, 10 + cell), kPink);
    EXPECT_EQ(bitmap.Pixel((200 - first) / 2, 10 + cell), kWhite);
    EXPECT_EQ(InkBounds(bitmap).bottom, 10 + 2 * cell);

    CBitmap single = CBitmap::Create(200, 80, kWhite);
    CCanvas singleCanvas(single);
    singleCanvas.SelectFont(font.get());
    singleCanvas.SetBackgroundColour(kPink);
    EXPECT_EQ(singleCanvas.DrawText("a\nb", box, CCanvas::kSingleLine), cell);
    EXPECT_EQ(InkBounds(single), Rect::FromSize(0, 10, 3 * font->CharWidth("a"), cell));
}

TEST(CanvasText, RedrawingFromTheRunCacheGivesTheSamePixels) {
    auto font = Gothic(110);
    auto draw = [&](CCanvas& canvas) {
        canvas.SelectFont(font.get());
        canvas.SetBackgroundMode(BackgroundMode::Transparent);
        canvas.TextOut(3, 3, Sj("日経平均 12,345.67"));
    };
    CBitmap first = CBitmap::Create(200, 30, kWhite);
    CCanvas firstCanvas(first);
    draw(firstCanvas);
    EXPECT_EQ(font->CachedRunCount(), 1u);
    CBitmap other = CBitmap::Create(200, 30, kWhite);
    CCanvas otherCanvas(other);
    otherCanvas.SelectFont(font.get());
    otherCanvas.TextOut(0, 0, Sj("別のテキスト"));
    CBitmap second = CBitmap::Create(200, 30, kWhite);
    CCanvas secondCanvas(second);
    draw(secondCanvas);
    EXPECT_EQ(font->CachedRunCount(), 2u);
    EXPECT_EQ(first.EncodePng(), second.EncodePng());
}

TEST(CanvasText, WithoutAFontNothingIsDrawnOrMeasured) {
    CBitmap bitmap = CBitmap::Create(50, 20, kWhite);
    CCanvas canvas(bitmap);
    canvas.TextOut(0, 0, "abc");
    EXPECT_EQ(canvas.DrawText("abc", Rect{0, 0, 50, 20}, 0), 0);
    EXPECT_EQ(canvas.TextExtent("abc"), (Size{}));
    EXPECT_TRUE(InkBounds(bitmap).IsEmpty());
}

}  // namespace
}  // namespace valmore
