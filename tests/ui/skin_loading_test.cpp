#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>

#include "platform/Sjis.h"
#include "ui/SolidSkin.h"
#include "ui/ViewHost.h"

namespace valmore {
namespace {

using test::SolidBmp;
using test::SolidSkin;

TEST(SkinLoading, EachModeReadsItsOwnFolderAndFileNames) {
    SolidSkin files;
    files.Dir().Write("SR/XGA/Main/01.bmp", SolidBmp(30, 10, Rgb{255, 0, 0}));
    files.Dir().Write("SR/SXGA/Main/base_top.bmp", SolidBmp(40, 12, Rgb{0, 0, 255}));

    CSkin xga;
    xga.LoadSkin(files.Path(), kModeXga);
    EXPECT_EQ(xga.Mode(), kModeXga);
    EXPECT_EQ(xga.BitmapSize(0), (Size{30, 10}));
    EXPECT_EQ(xga.Bitmap(0).Pixel(0, 0), (Rgb{255, 0, 0}));

    CSkin sxga;
    sxga.LoadSkin(files.Path(), kModeSxga);
    EXPECT_EQ(sxga.Mode(), kModeSxga);
    EXPECT_EQ(sxga.BitmapSize(0), (Size{40, 12}));
    EXPECT_EQ(sxga.Bitmap(0).Pixel(0, 0), (Rgb{0, 0, 255}));
}

TEST(SkinLoading, FileNamesAreFoundWhateverTheCaseOnDisk) {
    SolidSkin files;
    files.Dir().Write("sr/xga/MAIN/BUY_UP.BMP", SolidBmp(8, 6, Rgb{0, 128, 0}));
    // The two modes spell index 99 differently; either spelling on disk serves both.
    files.Dir().Write("sr/xga/comm/touroku.bmp", SolidBmp(5, 5, Rgb{1, 2, 3}));
    files.Dir().Write("sr/Sxga/Comm/TOUROKU.bmp", SolidBmp(7, 7, Rgb{4, 5, 6}));

    CSkin xga;
    xga.LoadSkin(files.Path(), kModeXga);
    EXPECT_EQ(xga.BitmapSize(12), (Size{8, 6}));
    EXPECT_EQ(xga.BitmapSize(99), (Size{5, 5}));

    CSkin sxga;
    sxga.LoadSkin(files.Path(), kModeSxga);
    EXPECT_EQ(sxga.BitmapSize(99), (Size{7, 7}));
}

TEST(SkinLoading, TwoIndicesNamingOneFileAreBothLoaded) {
    SolidSkin files;
    files.Put(kModeXga, 70, 20, 15, Rgb{9, 9, 9});

    CSkin skin;
    skin.LoadSkin(files.Path(), kModeXga);
    EXPECT_EQ(skin.BitmapSize(70), (Size{20, 15}));
    EXPECT_EQ(skin.BitmapSize(96), (Size{20, 15}));
    EXPECT_NE(&skin.Bitmap(70), &skin.Bitmap(96));
}

TEST(SkinLoading, MissingOrDamagedFilesLeaveEmptyEntriesAndNothingElseBreaks) {
    SolidSkin files;
    files.Put(kModeXga, 7, 16, 16, Rgb{10, 20, 30});
    files.Dir().Write(test::SkinFilePath(kModeXga, 8), "BM this is not a bitmap");
    files.Dir().Write(test::SkinFilePath(kModeXga, 9), "");

    CSkin skin;
    skin.LoadSkin(files.Path(), kModeXga);
    EXPECT_EQ(skin.BitmapSize(7), (Size{16, 16}));
    for (int index : {0, 8, 9, 120}) {
        EXPECT_TRUE(skin.Bitmap(index).IsEmpty()) << index;
        EXPECT_EQ(skin.BitmapSize(index), (Size{0, 0})) << index;
        EXPECT_TRUE(skin.LoadAttempted(index)) << index;
    }
}

TEST(SkinLoading, EntriesPastTheNamedPicturesStayEmpty) {
    SolidSkin files;
    CSkin skin;
    skin.LoadSkin(files.Path(), kModeSxga);
    for (int index : {121, 130, 149}) {
        EXPECT_EQ(skin.BitmapSize(index), (Size{0, 0})) << index;
        EXPECT_FALSE(skin.LoadAttempted(index)) << index;
        EXPECT_EQ(CSkin::FileName(kModeSxga, index), nullptr) << index;
    }
    // Indices outside the table answer with an empty picture rather than reading past it.
    for (int index : {-1, 150, 100000}) {
        EXPECT_TRUE(skin.Bitmap(index).IsEmpty()) << index;
        EXPECT_FALSE(skin.LoadAttempted(index)) << index;
    }
}

TEST(SkinLoading, AnEmptyBaseFolderMeansTheWorkingFolder) {
    SolidSkin files;
    files.Put(kModeXga, 90, 11, 13, Rgb{200, 100, 0});
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(files.Path());
    CSkin skin;
    skin.LoadSkin({}, kModeXga);
    std::filesystem::current_path(previous);
    EXPECT_EQ(skin.BitmapSize(90), (Size{11, 13}));
}

TEST(SkinNames, BothModesNameEveryPictureAndDifferOnlyWhereTheSxgaSetWasRenamed) {
    const std::set<int> renamed{0,  1,  2,  3,  4,  5,  6,  45, 46, 47, 48, 49, 50, 51,
                                52, 53, 55, 56, 57, 58, 59, 60, 61, 62, 64, 88, 91, 99};
    for (int i = 0; i < CSkin::kNamedBitmaps; ++i) {
        const char* xga = CSkin::FileName(kModeXga, i);
        const char* sxga = CSkin::FileName(kModeSxga, i);
        ASSERT_NE(xga, nullptr) << i;
        ASSERT_NE(sxga, nullptr) << i;
        EXPECT_EQ(std::string(xga) != sxga, renamed.contains(i)) << i << " " << xga << " " << sxga;
    }
    EXPECT_STREQ(CSkin::FileName(kModeXga, 99), "Comm\\Touroku.bmp");
    EXPECT_STREQ(CSkin::FileName(kModeSxga, 99), "Comm\\touroku.bmp");
    EXPECT_STREQ(CSkin::FileName(kModeXga, 96), CSkin::FileName(kModeXga, 70));
    EXPECT_STREQ(CSkin::ModeFolder(kModeXga), "SR\\XGA\\");
    EXPECT_STREQ(CSkin::ModeFolder(kModeSxga), "SR\\SXGA\\");
}

}  // namespace
}  // namespace valmore
