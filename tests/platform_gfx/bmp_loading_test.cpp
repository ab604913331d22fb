#include <gtest/gtest.h>

#include <random>

#include "platform/Bitmap.h"
#include "platform_gfx/bmp_bytes.h"
#include "support/TempDir.h"

namespace valmore {
namespace {

using test::BmpPicture;
using test::Gradient24;
using test::MakeBmp;

void ExpectPixels(const CBitmap& bitmap, const BmpPicture& picture) {
    ASSERT_EQ(bitmap.Width(), picture.width);
    ASSERT_EQ(bitmap.Height(), picture.height);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * picture.width + x;
            const Rgb expected = picture.bitCount == 24 ? picture.pixels[i] : picture.palette[picture.indices[i]];
            ASSERT_EQ(bitmap.Pixel(x, y), expected) << "at " << x << "," << y;
        }
    }
}

TEST(BmpLoading, TwentyFourBitPicturesLoadAtTheirOwnSizeEitherRowOrder) {
    // Widths 1, 3 and 5 give rows that need padding to four bytes.
    for (int width : {1, 3, 4, 5}) {
        for (bool topDown : {false, true}) {
            BmpPicture picture = Gradient24(width, 3);
            picture.topDown = topDown;
            std::string error;
            CBitmap bitmap = CBitmap::DecodeBmp(MakeBmp(picture), &error);
            EXPECT_EQ(error, "");
            ExpectPixels(bitmap, picture);
        }
    }
}

TEST(BmpLoading, PalettePicturesShowTheirPaletteColours) {
    const std::vector<Rgb> colours = {{0, 0, 0},       {255, 255, 255}, {255, 0, 0},    {0, 128, 0},
                                      {0, 0, 255},     {12, 34, 56},    {200, 100, 50}, {1, 2, 3},
                                      {90, 90, 90},    {250, 240, 230}, {7, 77, 177},   {66, 0, 66},
                                      {128, 128, 255}, {33, 66, 99},    {5, 5, 250},    {123, 45, 67}};
    for (int bits : {1, 4, 8}) {
        for (bool topDown : {false, true}) {
            BmpPicture picture;
            picture.bitCount = bits;
            picture.width = 13;  // not a multiple of the pixels per byte
            picture.height = 4;
            picture.topDown = topDown;
            const int count = bits == 1 ? 2 : 16;
            picture.palette.assign(colours.begin(), colours.begin() + count);
            for (int i = 0; i < picture.width * picture.height; ++i)
                picture.indices.push_back((i * 7 + i / 13) % count);
            ExpectPixels(CBitmap::DecodeBmp(MakeBmp(picture)), picture);
        }
    }
}

TEST(BmpLoading, AnIndexBeyondAShortPaletteShowsBlack) {
    BmpPicture picture;
    picture.bitCount = 8;
    picture.width = 2;
    picture.height = 1;
    picture.palette = {{10, 20, 30}};
    picture.indices = {0, 200};
    CBitmap bitmap = CBitmap::DecodeBmp(MakeBmp(picture));
    ASSERT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(bitmap.Pixel(0, 0), (Rgb{10, 20, 30}));
    EXPECT_EQ(bitmap.Pixel(1, 0), (Rgb{0, 0, 0}));
}

TEST(BmpLoading, LoadsFromAFileAndNamesTheFileWhenItCannot) {
    test::TempDir dir;
    const BmpPicture picture = Gradient24(6, 2);
    const auto path = dir.Write("pic.bmp", MakeBmp(picture));
    std::string error = "stale";
    ExpectPixels(CBitmap::LoadBmpFile(path, &error), picture);
    EXPECT_EQ(error, "");

    const CBitmap missing = CBitmap::LoadBmpFile(dir / "none.bmp", &error);
    EXPECT_TRUE(missing.IsEmpty());
    EXPECT_NE(error.find("none.bmp"), std::string::npos);

    const CBitmap folder = CBitmap::LoadBmpFile(dir.Path(), &error);
    EXPECT_TRUE(folder.IsEmpty());
}

// Each damaged file must come back as an empty 0 x 0 bitmap with a reason, never a crash.
void ExpectRefused(const std::string& bytes, const char* what) {
    std::string error;
    const CBitmap bitmap = CBitmap::DecodeBmp(bytes, &error);
    EXPECT_TRUE(bitmap.IsEmpty()) << what;
    EXPECT_EQ(bitmap.Width(), 0) << what;
    EXPECT_EQ(bitmap.Height(), 0) << what;
    EXPECT_FALSE(error.empty()) << what;
}

TEST(BmpLoading, DamagedOrUnsupportedFilesLoadAsEmptyBitmaps) {
    const std::string good = MakeBmp(Gradient24(5, 4));
    auto with = [&](std::size_t at, std::uint32_t value, bool u16 = false) {
        std::string b = good;
        u16 ? test::PutU16(b, at, value) : test::PutU32(b, at, value);
        return b;
    };

    ExpectRefused("", "empty file");
    ExpectRefused("BM", "header only");
    ExpectRefused(std::string("XM") + good.substr(2), "wrong signature");
    ExpectRefused(with(14, 20), "unknown header size");
    ExpectRefused(with(14, 0xFFFFFFF0u), "huge header size");
    ExpectRefused(with(10, static_cast<std::uint32_t>(good.size())), "pixel offset at the end of the file");
    ExpectRefused(with(10, 0xFFFFFFFFu), "pixel offset far beyond the file");
    ExpectRefused(with(10, 20), "pixel offset inside the header");
    ExpectRefused(with(18, 0), "zero width");
    ExpectRefused(with(18, 0x80000000u), "negative width");
    ExpectRefused(with(22, 0), "zero height");
    ExpectRefused(with(22, 0x80000000u), "most negative height");
    ExpectRefused(with(18, 100000), "width beyond the limit");
    ExpectRefused(with(18, 1000), "width larger than the pixel data");
    ExpectRefused(with(22, 0xFFFFFF00u), "top-down height larger than the pixel data");
    ExpectRefused(with(26, 2, true), "two planes");
    ExpectRefused(with(28, 32, true), "32 bits per pixel");
    ExpectRefused(with(28, 16, true), "16 bits per pixel");
    ExpectRefused(with(28, 0, true), "0 bits per pixel");
    ExpectRefused(with(30, 1), "run-length compressed");
    ExpectRefused(with(30, 3), "bit fields");
    ExpectRefused(good.substr(0, good.size() - 1), "last byte missing");

    BmpPicture palette;
    palette.bitCount = 4;
    palette.width = 2;
    palette.height = 2;
    palette.palette = {{1, 1, 1}, {2, 2, 2}};
    palette.indices = {0, 1, 1, 0};
    std::string paletted = MakeBmp(palette);
    test::PutU32(paletted, 46, 17);
    ExpectRefused(paletted, "more palette entries than 4 bits can index");
    paletted = MakeBmp(palette);
    test::PutU32(paletted, 46, 16);
    ExpectRefused(paletted, "palette running into the pixels");
}

TEST(BmpLoading, EveryTruncationAndRandomDamageIsHandledSafely) {
    BmpPicture palette;
    palette.bitCount = 8;
    palette.width = 7;
    palette.height = 5;
    palette.palette = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
    for (int i = 0; i < 35; ++i) palette.indices.push_back(i % 3);
    for (const std::string& good : {MakeBmp(Gradient24(7, 5)), MakeBmp(palette)}) {
        for (std::size_t length = 0; length < good.size(); ++length) {
            const CBitmap bitmap = CBitmap::DecodeBmp(good.substr(0, length));
            EXPECT_TRUE(bitmap.IsEmpty()) << "length " << length;
        }
        // Damage a few header bytes at a time; whatever loads must have a sane size. Running this
        // under the address sanitizer is what shows that nothing reads out of bounds.
        std::mt19937 random(1234);
        for (int round = 0; round < 3000; ++round) {
            std::string damaged = good;
            const int changes = 1 + static_cast<int>(random() % 4);
            for (int c = 0; c < changes; ++c) {
                const std::size_t at = random() % 64 < 60 ? random() % 70 : random() % damaged.size();
                damaged[std::min(at, damaged.size() - 1)] = static_cast<char>(random());
            }
            const CBitmap bitmap = CBitmap::DecodeBmp(damaged);
            if (!bitmap.IsEmpty()) {
                EXPECT_LE(static_cast<std::int64_t>(bitmap.Width()) * bitmap.Height(), 16384 * 16384);
                bitmap.Pixel(bitmap.Width() - 1, bitmap.Height() - 1);
            }
        }
    }
}

}  // namespace
}  // namespace valmore
