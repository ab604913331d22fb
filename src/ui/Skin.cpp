#include "ui/Skin.h"

#include <string>

#include "platform/ProgramPath.h"
#include "platform/Sjis.h"
#include "ui/ViewHost.h"

namespace valmore {

namespace {

struct FontRow {
    int skinFont;
    int xgaTenths;
    int sxgaTenths;
};

// SXGA mode draws on a larger canvas, so every font is larger there; skin fonts 10 and 11 share a
// size in that mode.
constexpr std::array<FontRow, 8> kFontRows{{
    {8, 80, 100},
    {9, 90, 110},
    {10, 100, 120},
    {11, 110, 120},
    {12, 120, 140},
    {14, 140, 180},
    {16, 160, 200},
    {18, 180, 240},
}};

const FontRow* FindFontRow(int skinFont) {
    for (const FontRow& row : kFontRows) {
        if (row.skinFont == skinFont) return &row;
    }
    return nullptr;
}

}  // namespace

const char* CSkin::FileName(ResolutionMode mode, int index) {
    if (index < 0 || index >= kSkinPictureCount) return nullptr;
    return kSkinPictureFiles[static_cast<std::size_t>(index)].Name(ModeOf(mode));
}

const char* CSkin::ModeFolder(ResolutionMode mode) {
    return kSkinModeFolder[static_cast<std::size_t>(ModeOf(mode))];
}

int CSkin::PointSize(ResolutionMode mode, int skinFont) {
    const FontRow* row = FindFontRow(skinFont);
    if (!row) return 0;
    return (ModeOf(mode) == kModeSxga ? row->sxgaTenths : row->xgaTenths) / 10;
}

void CSkin::LoadSkin(const std::filesystem::path& baseFolder, ResolutionMode mode) {
    mode_ = ModeOf(mode);
    for (int i = 0; i < kTableSize; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        bitmaps_[slot] = CBitmap();
        attempted_[slot] = false;
        const char* name = FileName(mode_, i);
        if (!name) continue;
        attempted_[slot] = true;
        // A missing or unreadable file leaves the entry empty; start-up goes on without it.
        const std::string programPath = std::string(ModeFolder(mode_)) + name;
        const std::filesystem::path file = MapProgramPath(baseFolder, programPath);
        if (!file.empty()) bitmaps_[slot] = CBitmap::LoadBmpFile(file);
    }

    const std::string face = Sj("ＭＳ ゴシック");
    for (auto& font : fonts_) font.reset();
    for (const FontRow& row : kFontRows) {
        std::unique_ptr<CFont> font;
        if (mode_ == kModeSxga) {
            // The larger fonts are smoothed: the plain font is read back and made again with
            // anti-aliased output.
            std::unique_ptr<CFont> plain = CFont::FromPointSize(row.sxgaTenths, face);
            if (plain) {
                FontDescription description = plain->Description();
                description.quality = FontQuality::Antialiased;
                font = CFont::FromDescription(description);
            }
        } else {
            font = CFont::FromPointSize(row.xgaTenths, face);
        }
        fonts_[static_cast<std::size_t>(row.skinFont)] = std::move(font);
    }
}

const CBitmap& CSkin::Bitmap(int index) const {
    static const CBitmap kEmpty;
    if (index < 0 || index >= kTableSize) return kEmpty;
    return bitmaps_[static_cast<std::size_t>(index)];
}

bool CSkin::LoadAttempted(int index) const {
    if (index < 0 || index >= kTableSize) return false;
    return attempted_[static_cast<std::size_t>(index)];
}

const CFont* CSkin::Font(int skinFont) const {
    if (skinFont < 0 || skinFont >= kFontTableSize) return nullptr;
    return fonts_[static_cast<std::size_t>(skinFont)].get();
}

}  // namespace valmore
