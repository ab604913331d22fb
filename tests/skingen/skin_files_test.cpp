// The build draws both complete skin sets: every listed name, every execute frame and the splash,
// each a plain 24-bit BMP of the size the screens are laid out for.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "platform/BmpReader.h"
#include "skingen/SkinFiles.h"

namespace valmore::skingen::test {
namespace {

void ExpectBitmapOfSize(const std::filesystem::path& path, Size size) {
    SCOPED_TRACE(path.string());
    ASSERT_TRUE(std::filesystem::exists(path));
    const std::string bytes = valmore::test::ReadFileBytes(path);
    BmpHeader h;
    std::string error;
    ASSERT_TRUE(ReadBmpHeader(bytes, &h, &error)) << error;
    EXPECT_EQ(h.width, size.w);
    // A positive height: rows stored from the bottom up, as every BMP loader expects.
    EXPECT_EQ(h.height, size.h);
    EXPECT_EQ(h.planes, 1);
    EXPECT_EQ(h.bitsPerPixel, 24);
    EXPECT_EQ(h.compression, 0u);
    EXPECT_EQ(h.dataOffset, 54u);
    EXPECT_EQ(h.fileSize, bytes.size());
    EXPECT_EQ(bytes.size(), 54 + BmpRowStride(size.w) * static_cast<std::size_t>(size.h));
}

TEST(SkinFiles, EveryListedNameExistsInBothModesAtItsTableSize) {
    for (int m = 0; m < kModeCount; ++m) {
        const Mode mode = static_cast<Mode>(m);
        for (const SkinEntry& e : kSkinTable) {
            const Size size = e.SizeIn(mode);
            EXPECT_GT(size.w, 0) << e.index;
            EXPECT_GT(size.h, 0) << e.index;
            ExpectBitmapOfSize(ImagePath(e.index, mode), size);
        }
    }
}

TEST(SkinFiles, TheTwentyTwoExecuteFramesExistPerModeAtTheDisabledButtonsSize) {
    for (int m = 0; m < kModeCount; ++m) {
        const Mode mode = static_cast<Mode>(m);
        for (int n = 1; n <= kExecuteFrameCount; ++n) {
            ExpectBitmapOfSize(ImagePath(kFrameImage + n, mode), kSkinTable[27].SizeIn(mode));
        }
    }
    EXPECT_EQ(ExecuteFrameName(1), "nextButton\\NEXT_anime_001.bmp");
    EXPECT_EQ(ExecuteFrameName(22), "nextButton\\NEXT_anime_022.bmp");
}

TEST(SkinFiles, TheSplashIs522By370) {
    ExpectBitmapOfSize(SkinRoot() / "splash.bmp", {522, 370});
}

TEST(SkinFiles, NamesKeepTheListedCaseOnCaseSensitiveDisks) {
    EXPECT_TRUE(std::filesystem::exists(SkinRoot() / "XGA/Comm/Touroku.bmp"));
    EXPECT_TRUE(std::filesystem::exists(SkinRoot() / "SXGA/Comm/touroku.bmp"));
    EXPECT_TRUE(std::filesystem::exists(SkinRoot() / "SXGA/Main/base_top.bmp"));
    EXPECT_TRUE(std::filesystem::exists(SkinRoot() / "XGA/Main/01.bmp"));
    EXPECT_TRUE(std::filesystem::exists(SkinRoot() / "XGA/Main/cancelUp.bmp"));
}

TEST(SkinTable, ListsIndicesZeroTo120InOrderWithOneNamePerPictureAndMode) {
    for (int m = 0; m < kModeCount; ++m) {
        const Mode mode = static_cast<Mode>(m);
        std::set<std::string> names;
        for (std::size_t i = 0; i < kSkinTable.size(); ++i) {
            const SkinEntry& e = kSkinTable[i];
            EXPECT_EQ(e.index, static_cast<int>(i));
            // Index 96 names the same file as index 70; every other name is one picture.
            if (e.index == 96) {
                EXPECT_STREQ(e.Name(mode), kSkinTable[70].Name(mode));
                EXPECT_EQ(e.SizeIn(mode).w, kSkinTable[70].SizeIn(mode).w);
                EXPECT_EQ(e.SizeIn(mode).h, kSkinTable[70].SizeIn(mode).h);
                continue;
            }
            EXPECT_TRUE(names.insert(e.Name(mode)).second) << e.Name(mode);
        }
    }
}

TEST(SkinTable, FullScreenBackgroundsCoverTheCanvasInOneCopy) {
    // The communication menu stops tiling 300 pixels above the bottom, so a shorter picture
    // would leave a black band under its buttons.
    for (int index : {7, 43, 73, 92, 93, 102}) {
        for (int m = 0; m < kModeCount; ++m) {
            const Size size = kSkinTable[static_cast<std::size_t>(index)].SizeIn(static_cast<Mode>(m));
            EXPECT_EQ(size.w, kCanvas[m].w) << index;
            EXPECT_EQ(size.h, kCanvas[m].h) << index;
        }
    }
}

TEST(SkinTable, SizesMatchTheElementsThePracticeRunFrames) {
    struct Fixed {
        int index;
        Size xga;
        Size sxga;
    };
    // The practice run frames these elements with fixed rectangles, which must be the elements exactly.
    const Fixed fixed[] = {
        {12, {114, 27}, {142, 34}},     // BUY
        {31, {112, 27}, {140, 34}},     // PASS
        {40, {29, 27}, {36, 35}},       // spin box UP (its DOWN takes the same size)
        {18, {63, 21}, {79, 27}},       // INFO
        {26, {49, 27}, {62, 34}},       // execute
        {36, {29, 27}, {37, 34}},       // information next page
        {21, {29, 27}, {37, 34}},       // information previous page
        {3, {1012, 185}, {1266, 232}},  // asset panel
        {4, {1012, 168}, {1266, 211}},  // order panel
        {1, {394, 160}, {493, 201}},    // market panel
        {86, {49, 27}, {53, 34}},       // the message popup's OK
    };
    for (const Fixed& f : fixed) {
        const SkinEntry& e = kSkinTable[static_cast<std::size_t>(f.index)];
        EXPECT_EQ(e.xga.w, f.xga.w) << f.index;
        EXPECT_EQ(e.xga.h, f.xga.h) << f.index;
        EXPECT_EQ(e.sxga.w, f.sxga.w) << f.index;
        EXPECT_EQ(e.sxga.h, f.sxga.h) << f.index;
    }
    // The message popup and the user dialog share one background of the dialog's size.
    EXPECT_EQ(kSkinTable[90].xga.w, 621);
    EXPECT_EQ(kSkinTable[90].xga.h, 185);
    EXPECT_EQ(kSkinTable[90].sxga.w, 751);
    EXPECT_EQ(kSkinTable[90].sxga.h, 296);
}

}  // namespace
}  // namespace valmore::skingen::test
