#include <gtest/gtest.h>

#include "platform/Sjis.h"
#include "ui/SolidSkin.h"
#include "ui/ViewHost.h"

namespace valmore {
namespace {

struct LoadedSkins {
    test::SolidSkin files;
    CSkin xga;
    CSkin sxga;
    LoadedSkins() {
        xga.LoadSkin(files.Path(), kModeXga);
        sxga.LoadSkin(files.Path(), kModeSxga);
    }
};

const LoadedSkins& Skins() {
    static const LoadedSkins skins;
    return skins;
}

TEST(SkinFonts, TheEightSkinFontsExistInBothModesAndNoOtherNumberNamesOne) {
    for (const CSkin* skin : {&Skins().xga, &Skins().sxga}) {
        for (int n = -1; n <= CSkin::kFontTableSize; ++n) {
            const bool named = n == 8 || n == 9 || n == 10 || n == 11 || n == 12 || n == 14 || n == 16 || n == 18;
            EXPECT_EQ(skin->Font(n) != nullptr, named) << "mode " << skin->Mode() << " font " << n;
        }
        EXPECT_EQ(skin->Font(13), nullptr);
    }
}

TEST(SkinFonts, XgaSizesFollowThePointSizeOnANinetySixDpiScreen) {
    const CSkin& skin = Skins().xga;
    EXPECT_EQ(skin.Font(11)->EmPixels(), 15);
    EXPECT_EQ(skin.Font(8)->EmPixels(), 11);
    EXPECT_EQ(skin.Font(18)->EmPixels(), 24);
    EXPECT_EQ(skin.Font(11)->Description().faceName, Sj("ＭＳ ゴシック"));
    EXPECT_EQ(skin.Font(11)->Description().quality, FontQuality::Default);
}

TEST(SkinFonts, SxgaFontsAreLargerAndSmoothed) {
    const CSkin& skin = Skins().sxga;
    // Skin fonts 10 and 11 share 12 points in this mode; each is still its own font.
    EXPECT_EQ(skin.Font(10)->EmPixels(), 16);
    EXPECT_EQ(skin.Font(11)->EmPixels(), 16);
    EXPECT_NE(skin.Font(10), skin.Font(11));
    EXPECT_EQ(skin.Font(18)->EmPixels(), 32);
    for (int n : CSkin::kSkinFonts) {
        EXPECT_EQ(skin.Font(n)->Description().quality, FontQuality::Antialiased) << n;
        EXPECT_EQ(skin.Font(n)->Description().faceName, Sj("ＭＳ ゴシック")) << n;
        EXPECT_EQ(skin.Font(n)->EmPixels(), CFont::PointSizeToPixels(CSkin::PointSize(kModeSxga, n) * 10)) << n;
    }
}

TEST(SkinFonts, TheMarkupEngineSeesTheSameFontsAndPictures) {
    test::SolidSkin files;
    files.Put(kModeXga, 31, 60, 20, Rgb{0, 200, 0});
    CSkin skin;
    skin.LoadSkin(files.Path(), kModeXga);
    const IMarkupSkin& markup = skin;
    EXPECT_EQ(markup.SkinFont(11), skin.Font(11));
    EXPECT_EQ(markup.SkinFont(13), nullptr);
    ASSERT_NE(markup.SkinBitmap(31), nullptr);
    EXPECT_EQ(markup.SkinBitmap(31)->GetSize(), (Size{60, 20}));
    const CBitmap* missing = markup.SkinBitmap(32);
    EXPECT_TRUE(missing == nullptr || missing->IsEmpty());
}

}  // namespace
}  // namespace valmore
