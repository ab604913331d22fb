#pragma once

// The skin: the 150-entry table of bitmaps of the current resolution mode, loaded once from
// "SR\XGA\" or "SR\SXGA\", and the eight shared fonts. Layouts name pictures by index and take
// element sizes from the bitmaps.

#include <array>
#include <filesystem>
#include <memory>

#include "platform/Bitmap.h"
#include "platform/Font.h"
#include "ui/MarkupMeasure.h"
#include "ui/Palette.h"
#include "ui/ResolutionMode.h"
#include "ui/SkinPicture.h"

namespace valmore {

class CSkin : public IMarkupSkin {
public:
    static constexpr int kTableSize = 150;
    static constexpr int kNamedBitmaps = kSkinPictureCount;  // indices 0 to 120 have files
    static constexpr int kFontTableSize = 30;

    // The file of a picture number in a mode, relative to the mode folder; null past the named pictures.
    static const char* FileName(ResolutionMode mode, int index);
    // The mode folder: "SR\XGA\" or "SR\SXGA\".
    static const char* ModeFolder(ResolutionMode mode);
    // The skin fonts (table indices) and their point sizes per mode.
    static constexpr std::array<int, 8> kSkinFonts{8, 9, 10, 11, 12, 14, 16, 18};
    static int PointSize(ResolutionMode mode, int skinFont);

    // Loads the bitmaps of the mode below the base folder, then creates the fonts. A file that is
    // missing or unreadable leaves its entry empty (0 x 0, draws nothing); nothing is reported.
    void LoadSkin(const std::filesystem::path& baseFolder, ResolutionMode mode);

    ResolutionMode Mode() const { return mode_; }
    // The bitmap of an index; an empty bitmap for a missing file or an index outside the table.
    const CBitmap& Bitmap(int index) const;
    int Width(int index) const { return Bitmap(index).Width(); }
    int Height(int index) const { return Bitmap(index).Height(); }
    Size BitmapSize(int index) const { return Bitmap(index).GetSize(); }
    bool LoadAttempted(int index) const;

    // The font of a skin font number, or null for a number that names no font.
    const CFont* Font(int skinFont) const;
    // The program's colours, by what they mean.
    const Palette& Colours() const { return kPalette; }

    // IMarkupSkin
    const CFont* SkinFont(int number) const override { return Font(number); }
    const CBitmap* SkinBitmap(int index) const override { return &Bitmap(index); }

private:
    ResolutionMode mode_ = kModeXga;
    std::array<CBitmap, kTableSize> bitmaps_;
    std::array<bool, kTableSize> attempted_{};
    std::array<std::unique_ptr<CFont>, kFontTableSize> fonts_;
};

}  // namespace valmore
