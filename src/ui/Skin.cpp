#include "ui/Skin.h"

#include <string>

#include "platform/ProgramPath.h"
#include "platform/Sjis.h"
#include "ui/ViewHost.h"

namespace valmore {

namespace {

// The skin files by index. The same index is the same picture in both modes.
constexpr std::array<const char*, CSkin::kNamedBitmaps> kXgaNames{
    "Main\\01.bmp",                         // 0
    "Main\\02.bmp",                         // 1
    "Main\\03.bmp",                         // 2
    "Main\\04.bmp",                         // 3
    "Main\\05.bmp",                         // 4
    "Main\\06.bmp",                         // 5
    "Main\\07.bmp",                         // 6
    "Main\\bg.bmp",                         // 7
    "Main\\bitmap1.bmp",                    // 8
    "Main\\bitmap3.bmp",                    // 9
    "Main\\BUY_dn.bmp",                     // 10
    "Main\\BUY_non.bmp",                    // 11
    "Main\\BUY_up.bmp",                     // 12
    "Main\\DOWN_dn.bmp",                    // 13
    "Main\\DOWN_non.bmp",                   // 14
    "Main\\DOWN_up.bmp",                    // 15
    "Main\\INFO_dn.bmp",                    // 16
    "Main\\INFO_non.bmp",                   // 17
    "Main\\INFO_up.bmp",                    // 18
    "Main\\LEFT_dn.bmp",                    // 19
    "Main\\LEFT_non.bmp",                   // 20
    "Main\\LEFT_up.bmp",                    // 21
    "Main\\LIST_dn.bmp",                    // 22
    "Main\\LIST_up.bmp",                    // 23
    "Main\\NEW_dn.bmp",                     // 24
    "Main\\NEW_up.bmp",                     // 25
    "Main\\NEXT_dn.bmp",                    // 26
    "Main\\NEXT_non.bmp",                   // 27
    "Main\\NEXT_up.bmp",                    // 28
    "Main\\PASS_dn.bmp",                    // 29
    "Main\\PASS_non.bmp",                   // 30
    "Main\\PASS_up.bmp",                    // 31
    "Main\\QUIT_dn.bmp",                    // 32
    "Main\\QUIT_up.bmp",                    // 33
    "Main\\RIGHT_dn.bmp",                   // 34
    "Main\\RIGHT_non.bmp",                  // 35
    "Main\\RIGHT_up.bmp",                   // 36
    "Main\\SELL_dn.bmp",                    // 37
    "Main\\SELL_non.bmp",                   // 38
    "Main\\SELL_up.bmp",                    // 39
    "Main\\UP_dn.bmp",                      // 40
    "Main\\UP_non.bmp",                     // 41
    "Main\\UP_up.bmp",                      // 42
    "Main\\menu_bg.bmp",                    // 43
    "Main\\menu_title.bmp",                 // 44
    "Main\\menu_btn1_dn.bmp",               // 45
    "Main\\menu_btn1_up.bmp",               // 46
    "Main\\menu_btn2_dn.bmp",               // 47
    "Main\\menu_btn2_up.bmp",               // 48
    "Main\\menu_btn3_dn.bmp",               // 49
    "Main\\menu_btn3_up.bmp",               // 50
    "Main\\menu_btn4_dn.bmp",               // 51
    "Main\\menu_btn4_up.bmp",               // 52
    "ScenarioSelect\\choice_title.bmp",     // 53
    "ScenarioSelect\\choice.bmp",           // 54
    "ScenarioSelect\\choice_btn1_dn.bmp",   // 55
    "ScenarioSelect\\choice_btn1_up.bmp",   // 56
    "ScenarioSelect\\choice_btn2_dn.bmp",   // 57
    "ScenarioSelect\\choice_btn2_up.bmp",   // 58
    "ScenarioSelect\\choice_btn3_dn.bmp",   // 59
    "ScenarioSelect\\choice_btn3_up.bmp",   // 60
    "ScenarioSelect\\choice_btn4_dn.bmp",   // 61
    "ScenarioSelect\\choice_btn4_up.bmp",   // 62
    "Main\\gray.bmp",                       // 63
    "ScenarioSelect\\choice_btn1_non.bmp",  // 64
    "Result\\01.bmp",                       // 65
    "Result\\02.bmp",                       // 66
    "Result\\03.bmp",                       // 67
    "Result\\04.bmp",                       // 68
    "Result\\05.bmp",                       // 69
    "Result\\06.bmp",                       // 70
    "Result\\07.bmp",                       // 71
    "Result\\08.bmp",                       // 72
    "Result\\bg.bmp",                       // 73
    "Main\\QUIT_non.bmp",                   // 74
    "Result\\kaisetsu_up.bmp",              // 75
    "Result\\LEFT_dn.bmp",                  // 76
    "Result\\LEFT_non.bmp",                 // 77
    "Result\\LEFT_up.bmp",                  // 78
    "Result\\menu_dn.bmp",                  // 79
    "Result\\menu_up.bmp",                  // 80
    "Result\\RIGHT_dn.bmp",                 // 81
    "Result\\RIGHT_non.bmp",                // 82
    "Result\\RIGHT_up.bmp",                 // 83
    "Result\\detail_kaisetsu_dn.bmp",       // 84
    "Result\\detail_kaisetsu_up.bmp",       // 85
    "Main\\OK_up.bmp",                      // 86
    "Main\\OK_dn.bmp",                      // 87
    "ScenarioSelect\\choice_btn3_non.bmp",  // 88
    "Result\\detail_kaisetsu_non.bmp",      // 89
    "Main\\Dialog.bmp",                     // 90
    "ScenarioSelect\\choice_btn2_non.bmp",  // 91
    "Result\\Etsuran2.bmp",                 // 92
    "Comm\\Ranking.bmp",                    // 93
    "Comm\\BACK_up.bmp",                    // 94
    "Comm\\BACK_dn.bmp",                    // 95
    "Result\\06.bmp",                       // 96
    "Comm\\Touroku_btn_up.bmp",             // 97
    "Comm\\Touroku_btn_dn.bmp",             // 98
    "Comm\\Touroku.bmp",                    // 99
    "Main\\cancelUp.bmp",                   // 100
    "Main\\cancelDn.bmp",                   // 101
    "Comm\\server.bmp",                     // 102
    "Comm\\server_btn1_up.bmp",             // 103
    "Comm\\server_btn1_dn.bmp",             // 104
    "Comm\\server_btn1_non.bmp",            // 105
    "Comm\\server_btn2_up.bmp",             // 106
    "Comm\\server_btn2_dn.bmp",             // 107
    "Comm\\server_btn2_non.bmp",            // 108
    "Comm\\server_btn3_up.bmp",             // 109
    "Comm\\server_btn3_dn.bmp",             // 110
    "Comm\\server_btn4_up.bmp",             // 111
    "Comm\\server_btn4_dn.bmp",             // 112
    "Main\\DetailDialog.bmp",               // 113
    "Main\\BACK_gray_up.bmp",               // 114
    "Main\\BACK_gray_dn.bmp",               // 115
    "Main\\BACK_gray_non.bmp",              // 116
    "Main\\yes_up.bmp",                     // 117
    "Main\\yes_dn.bmp",                     // 118
    "Main\\no_up.bmp",                      // 119
    "Main\\no_dn.bmp",                      // 120
};
// The SXGA set renamed a few files and spells one with a small letter; every other index uses the
// XGA name.
struct NameOverride {
    int index;
    const char* name;
};
constexpr NameOverride kSxgaOverrides[] = {
    {0, "Main\\base_top.bmp"},
    {1, "Main\\base_market.bmp"},
    {2, "Main\\base_news.bmp"},
    {3, "Main\\base_shisan.bmp"},
    {4, "Main\\base_order.bmp"},
    {5, "Main\\base_info.bmp"},
    {6, "Main\\base_chart.bmp"},
    {45, "Main\\01_dn.bmp"},
    {46, "Main\\01_up.bmp"},
    {47, "Main\\02_dn.bmp"},
    {48, "Main\\02_up.bmp"},
    {49, "Main\\03_dn.bmp"},
    {50, "Main\\03_up.bmp"},
    {51, "Main\\04_dn.bmp"},
    {52, "Main\\04_up.bmp"},
    {53, "ScenarioSelect\\title.bmp"},
    {55, "ScenarioSelect\\01_dn.bmp"},
    {56, "ScenarioSelect\\01_up.bmp"},
    {57, "ScenarioSelect\\02_dn.bmp"},
    {58, "ScenarioSelect\\02_up.bmp"},
    {59, "ScenarioSelect\\03_dn.bmp"},
    {60, "ScenarioSelect\\03_up.bmp"},
    {61, "ScenarioSelect\\04_dn.bmp"},
    {62, "ScenarioSelect\\04_up.bmp"},
    {64, "ScenarioSelect\\01_non.bmp"},
    {88, "ScenarioSelect\\03_non.bmp"},
    {91, "ScenarioSelect\\02_non.bmp"},
    {99, "Comm\\touroku.bmp"},
};

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

int ModeIndex(int mode) {
    return mode == kModeSxga ? kModeSxga : kModeXga;
}

}  // namespace

const char* CSkin::FileName(int mode, int index) {
    if (index < 0 || index >= kNamedBitmaps) return nullptr;
    if (ModeIndex(mode) == kModeSxga) {
        for (const NameOverride& entry : kSxgaOverrides) {
            if (entry.index == index) return entry.name;
        }
    }
    return kXgaNames[static_cast<std::size_t>(index)];
}

const char* CSkin::ModeFolder(int mode) {
    return ModeIndex(mode) == kModeSxga ? "SR\\SXGA\\" : "SR\\XGA\\";
}

int CSkin::PointSize(int mode, int skinFont) {
    const FontRow* row = FindFontRow(skinFont);
    if (!row) return 0;
    return (ModeIndex(mode) == kModeSxga ? row->sxgaTenths : row->xgaTenths) / 10;
}

void CSkin::LoadSkin(const std::filesystem::path& baseFolder, int mode) {
    mode_ = ModeIndex(mode);
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
