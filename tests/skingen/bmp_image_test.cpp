// The skin's BMP files: rows stored bottom-up and padded to four bytes, and a reader that
// refuses what it cannot read instead of running past the data.

#include <gtest/gtest.h>

#include "BmpImage.h"

namespace valmore::skingen {
namespace {

CBmpImage Numbered(int w, int h) {
    CBmpImage image(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            image.SetPixel(x, y,
                           {static_cast<std::uint8_t>(x * 40 + 1), static_cast<std::uint8_t>(y * 50 + 2),
                            static_cast<std::uint8_t>(x + y + 3)});
        }
    }
    return image;
}

TEST(BmpImage, RowsArePaddedToFourBytesForEveryWidth) {
    for (int w = 1; w <= 5; ++w) {
        const std::string bytes = Numbered(w, 3).Encode();
        const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) / 4 * 4;
        EXPECT_EQ(bytes.size(), 54 + stride * 3) << w;
        std::string error;
        std::optional<CBmpImage> back = CBmpImage::Decode(bytes, &error);
        ASSERT_TRUE(back.has_value()) << error;
        EXPECT_EQ(*back, Numbered(w, 3)) << w;
    }
}

TEST(BmpImage, TheBottomRowIsStoredFirstInBlueGreenRedOrder) {
    CBmpImage image(1, 2);
    image.SetPixel(0, 0, {255, 0, 0});  // top: red
    image.SetPixel(0, 1, {0, 0, 255});  // bottom: blue
    const std::string bytes = image.Encode();
    EXPECT_EQ(static_cast<unsigned char>(bytes[54]), 255);  // blue channel of the bottom row
    EXPECT_EQ(static_cast<unsigned char>(bytes[56]), 0);
    EXPECT_EQ(static_cast<unsigned char>(bytes[58]), 0);  // the top row, after one padded row of 4
    EXPECT_EQ(static_cast<unsigned char>(bytes[60]), 255);
}

TEST(BmpImage, TopDownFilesAreReadTheRightWayUp) {
    std::string bytes = Numbered(2, 2).Encode();
    // Negate the height and swap the two stored rows: the same picture stored top row first.
    const std::uint32_t negative = static_cast<std::uint32_t>(-2);
    for (int i = 0; i < 4; ++i) bytes[22 + i] = static_cast<char>((negative >> (8 * i)) & 0xff);
    const std::string rowA = bytes.substr(54, 8);
    const std::string rowB = bytes.substr(62, 8);
    bytes.replace(54, 8, rowB);
    bytes.replace(62, 8, rowA);
    std::string error;
    std::optional<CBmpImage> back = CBmpImage::Decode(bytes, &error);
    ASSERT_TRUE(back.has_value()) << error;
    EXPECT_EQ(*back, Numbered(2, 2));
}

TEST(BmpImage, DamagedOrUnsupportedFilesAreRefusedWithAReason) {
    const std::string good = Numbered(3, 3).Encode();
    std::string error;

    EXPECT_FALSE(CBmpImage::Decode("", &error));
    EXPECT_EQ(error, "file too short for a bitmap header");

    std::string notBmp = good;
    notBmp[0] = 'X';
    EXPECT_FALSE(CBmpImage::Decode(notBmp, &error));
    EXPECT_EQ(error, "not a BMP file");

    EXPECT_FALSE(CBmpImage::Decode(good.substr(0, good.size() - 1), &error));
    EXPECT_EQ(error, "pixel data is cut short");

    std::string paletted = good;
    paletted[28] = 8;  // a palette of 256 colours would have to follow the header
    EXPECT_FALSE(CBmpImage::Decode(paletted, &error));
    EXPECT_EQ(error, "palette is cut short");

    std::string huge = good;
    for (int i = 0; i < 4; ++i) huge[18 + i] = static_cast<char>(0xff >> (i == 3 ? 1 : 0));
    EXPECT_FALSE(CBmpImage::Decode(huge, &error));
    EXPECT_EQ(error, "bitmap size out of range");

    std::string offsetPastEnd = good;
    for (int i = 0; i < 4; ++i) offsetPastEnd[10 + i] = static_cast<char>(0xff);
    EXPECT_FALSE(CBmpImage::Decode(offsetPastEnd, &error));
}

}  // namespace
}  // namespace valmore::skingen
