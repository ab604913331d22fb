#pragma once

// The skin's geometry: every skin bitmap's file name and size in both resolution modes, and the
// size of the execute-button frames and of the splash image. Each element on screen is as large
// as its bitmap, so these sizes are derived from where the screens place their elements; the
// comment on each row says which positions fix the size. Nothing else in the generator chooses
// a size, and the skin loader's tests check the files against this table.

#include <array>
#include <cstdio>
#include <string>

namespace valmore::skingen {

enum Mode { kXga = 0, kSxga = 1 };
constexpr int kModeCount = 2;

struct Size {
    int w = 0;
    int h = 0;
};

constexpr std::array<Size, kModeCount> kCanvas = {{{1024, 768}, {1280, 1024}}};

// Folder of each mode's skin set below the run folder's "SR".
constexpr std::array<const char*, kModeCount> kModeFolder = {"XGA", "SXGA"};

struct SkinEntry {
    int index;
    const char* xgaName;   // as listed, with "\" between folder and file
    const char* sxgaName;  // nullptr when the SXGA set uses the XGA name
    Size xga;
    Size sxga;

    const char* Name(Mode mode) const { return mode == kSxga && sxgaName ? sxgaName : xgaName; }
    Size SizeIn(Mode mode) const { return mode == kXga ? xga : sxga; }
};

constexpr int kSkinEntryCount = 121;

// Sizes are XGA then SXGA. Panel and screen positions quoted in the reasons are canvas pixels.
constexpr std::array<SkinEntry, kSkinEntryCount> kSkinTable = {{
    // Title panel at (6,5)/(7,6) across the canvas, ending 5/6 px above the market panel at y 52/67.
    {0, "Main\\01.bmp", "Main\\base_top.bmp", {1012, 42}, {1266, 55}},
    // Market panel (6,52)-(400,212)/(7,67)-(500,268): grid right = left+w-2 and row 1 at y 111/150 fix w and h.
    {1, "Main\\02.bmp", "Main\\base_market.bmp", {394, 160}, {493, 201}},
    // News panel from x 405/506 to the right edge 1018/1273; headline row right = left+w-1 = 1017; market height.
    {2, "Main\\03.bmp", "Main\\base_news.bmp", {613, 160}, {767, 201}},
    // Asset panel (6,219)-(1018,404)/(7,273)-(1273,505).
    {3, "Main\\04.bmp", "Main\\base_shisan.bmp", {1012, 185}, {1266, 232}},
    // Order panel (6,409)-(1018,577)/(7,511)-(1273,722).
    {4, "Main\\05.bmp", "Main\\base_order.bmp", {1012, 168}, {1266, 211}},
    // Information panel from (6,582)/(7,727) to 5 px before the chart panel; text area ends at top+180/291.
    {5, "Main\\06.bmp", "Main\\base_info.bmp", {594, 181}, {744, 291}},
    // Chart panel from (605,582)/(756,727) to the right edge 1018/1273, as high as the information panel.
    {6, "Main\\07.bmp", "Main\\base_chart.bmp", {413, 181}, {517, 291}},
    // Default screen background: one copy covers the canvas.
    {7, "Main\\bg.bmp", nullptr, {1024, 768}, {1280, 1024}},
    // Small markers that no screen places; sized like an inline glyph.
    {8, "Main\\bitmap1.bmp", nullptr, {16, 16}, {20, 20}},
    {9, "Main\\bitmap3.bmp", nullptr, {16, 16}, {20, 20}},
    // BUY at (6,504)-(120,531)/(8,630)-(150,664); PASS starts where BUY ends.
    {10, "Main\\BUY_dn.bmp", nullptr, {114, 27}, {142, 34}},
    {11, "Main\\BUY_non.bmp", nullptr, {114, 27}, {142, 34}},
    {12, "Main\\BUY_up.bmp", nullptr, {114, 27}, {142, 34}},
    // Spin box DOWN: laid out with the size of the UP button (bitmap 40).
    {13, "Main\\DOWN_dn.bmp", nullptr, {29, 27}, {36, 35}},
    {14, "Main\\DOWN_non.bmp", nullptr, {29, 27}, {36, 35}},
    {15, "Main\\DOWN_up.bmp", nullptr, {29, 27}, {36, 35}},
    // INFO of order column 1 at (613,452)-(676,473)/(747,576)-(826,603).
    {16, "Main\\INFO_dn.bmp", nullptr, {63, 21}, {79, 27}},
    {17, "Main\\INFO_non.bmp", nullptr, {63, 21}, {79, 27}},
    {18, "Main\\INFO_up.bmp", nullptr, {63, 21}, {79, 27}},
    // Information previous page at (528,585)-(557,612)/(672,731)-(709,765).
    {19, "Main\\LEFT_dn.bmp", nullptr, {29, 27}, {37, 34}},
    {20, "Main\\LEFT_non.bmp", nullptr, {29, 27}, {37, 34}},
    {21, "Main\\LEFT_up.bmp", nullptr, {29, 27}, {37, 34}},
    // News list toggle at (930,55)/(1167,71), between the page buttons at 897+29 and 983/1129+37 and 1230.
    {22, "Main\\LIST_dn.bmp", nullptr, {49, 27}, {53, 34}},
    {23, "Main\\LIST_up.bmp", nullptr, {49, 27}, {53, 34}},
    // Not placed by any screen; sized like the other small buttons.
    {24, "Main\\NEW_dn.bmp", nullptr, {49, 27}, {53, 34}},
    {25, "Main\\NEW_up.bmp", nullptr, {49, 27}, {53, 34}},
    // Execute button at (963,412)-(1012,439)/(1205,515)-(1267,549).
    {26, "Main\\NEXT_dn.bmp", nullptr, {49, 27}, {62, 34}},
    {27, "Main\\NEXT_non.bmp", nullptr, {49, 27}, {62, 34}},
    {28, "Main\\NEXT_up.bmp", nullptr, {49, 27}, {62, 34}},
    // PASS from x 120/150 to SELL at 232/290.
    {29, "Main\\PASS_dn.bmp", nullptr, {112, 27}, {140, 34}},
    {30, "Main\\PASS_non.bmp", nullptr, {112, 27}, {140, 34}},
    {31, "Main\\PASS_up.bmp", nullptr, {112, 27}, {140, 34}},
    // QUIT at (923,11)/(1155,13) inside the title panel; the wide-label button size.
    {32, "Main\\QUIT_dn.bmp", nullptr, {72, 27}, {88, 34}},
    {33, "Main\\QUIT_up.bmp", nullptr, {72, 27}, {88, 34}},
    // Information next page at (565,585)-(594,612)/(711,731)-(748,765).
    {34, "Main\\RIGHT_dn.bmp", nullptr, {29, 27}, {37, 34}},
    {35, "Main\\RIGHT_non.bmp", nullptr, {29, 27}, {37, 34}},
    {36, "Main\\RIGHT_up.bmp", nullptr, {29, 27}, {37, 34}},
    // SELL from x 232/290 to the next column's BUY at 343/429.
    {37, "Main\\SELL_dn.bmp", nullptr, {111, 27}, {139, 34}},
    {38, "Main\\SELL_non.bmp", nullptr, {111, 27}, {139, 34}},
    {39, "Main\\SELL_up.bmp", nullptr, {111, 27}, {139, 34}},
    // Spin box UP at (86,542)-(115,569)/(107,677)-(143,712).
    {40, "Main\\UP_dn.bmp", nullptr, {29, 27}, {36, 35}},
    {41, "Main\\UP_non.bmp", nullptr, {29, 27}, {36, 35}},
    {42, "Main\\UP_up.bmp", nullptr, {29, 27}, {36, 35}},
    // Main menu background: one copy covers the canvas.
    {43, "Main\\menu_bg.bmp", nullptr, {1024, 768}, {1280, 1024}},
    // Menu title at (0,217)/(0,271), across the canvas, ending above the first button at y 270/369.
    {44, "Main\\menu_title.bmp", nullptr, {1024, 48}, {1280, 88}},
    // Menu buttons at x 405/507, centred on the canvas; rows 65/80 apart.
    {45, "Main\\menu_btn1_dn.bmp", "Main\\01_dn.bmp", {214, 52}, {266, 64}},
    {46, "Main\\menu_btn1_up.bmp", "Main\\01_up.bmp", {214, 52}, {266, 64}},
    {47, "Main\\menu_btn2_dn.bmp", "Main\\02_dn.bmp", {214, 52}, {266, 64}},
    {48, "Main\\menu_btn2_up.bmp", "Main\\02_up.bmp", {214, 52}, {266, 64}},
    {49, "Main\\menu_btn3_dn.bmp", "Main\\03_dn.bmp", {214, 52}, {266, 64}},
    {50, "Main\\menu_btn3_up.bmp", "Main\\03_up.bmp", {214, 52}, {266, 64}},
    {51, "Main\\menu_btn4_dn.bmp", "Main\\04_dn.bmp", {214, 52}, {266, 64}},
    {52, "Main\\menu_btn4_up.bmp", "Main\\04_up.bmp", {214, 52}, {266, 64}},
    // Scenario selection title at (6,5)/(6,6), ending 6 px before the page buttons at x 400/500.
    {53, "ScenarioSelect\\choice_title.bmp", "ScenarioSelect\\title.bmp", {388, 30}, {488, 38}},
    // Catalogue table at (6,38)/(9,76): header 42/27, then 30 rows of 20/25, then a margin.
    {54, "ScenarioSelect\\choice.bmp", nullptr, {1012, 648}, {1262, 785}},
    // Action buttons 117/150 apart from x 546/671; the last ends before the right edge.
    {55, "ScenarioSelect\\choice_btn1_dn.bmp", "ScenarioSelect\\01_dn.bmp", {112, 27}, {140, 34}},
    {56, "ScenarioSelect\\choice_btn1_up.bmp", "ScenarioSelect\\01_up.bmp", {112, 27}, {140, 34}},
    {57, "ScenarioSelect\\choice_btn2_dn.bmp", "ScenarioSelect\\02_dn.bmp", {112, 27}, {140, 34}},
    {58, "ScenarioSelect\\choice_btn2_up.bmp", "ScenarioSelect\\02_up.bmp", {112, 27}, {140, 34}},
    {59, "ScenarioSelect\\choice_btn3_dn.bmp", "ScenarioSelect\\03_dn.bmp", {112, 27}, {140, 34}},
    {60, "ScenarioSelect\\choice_btn3_up.bmp", "ScenarioSelect\\03_up.bmp", {112, 27}, {140, 34}},
    {61, "ScenarioSelect\\choice_btn4_dn.bmp", "ScenarioSelect\\04_dn.bmp", {112, 27}, {140, 34}},
    {62, "ScenarioSelect\\choice_btn4_up.bmp", "ScenarioSelect\\04_up.bmp", {112, 27}, {140, 34}},
    // A grey swatch that no screen places.
    {63, "Main\\gray.bmp", nullptr, {16, 16}, {20, 20}},
    {64, "ScenarioSelect\\choice_btn1_non.bmp", "ScenarioSelect\\01_non.bmp", {112, 27}, {140, 34}},
    // Result scenario panel at (6,5)/(6,8), ending 6 px above the position panel at 129/170.
    {65, "Result\\01.bmp", nullptr, {1012, 118}, {1268, 156}},
    // Its strip at (6,38)/(6,48), reaching the data row at inner top + 44/65.
    {66, "Result\\02.bmp", nullptr, {1012, 43}, {1268, 57}},
    // Position panel at (6,129)/(6,170), ending 6 px above the chart panel at 349/440.
    {67, "Result\\03.bmp", nullptr, {1012, 214}, {1268, 264}},
    // Its strip at panel top + 33/40, down to the cash row (inner top + 64/81).
    {68, "Result\\04.bmp", nullptr, {1012, 64}, {1268, 81}},
    // Chart panel background at (6,349)/(6,440), down to its strip's bottom.
    {69, "Result\\05.bmp", nullptr, {1012, 163}, {1268, 204}},
    // Chart strip at panel top + 33/40, ending 5/6 px above the news panel at 517/650.
    {70, "Result\\06.bmp", nullptr, {1012, 130}, {1268, 164}},
    // News and trades panel at (6,517)/(6,650), to 6 px above the canvas bottom.
    {71, "Result\\07.bmp", nullptr, {1012, 245}, {1268, 368}},
    // Its strip at (6,550)/(6,690), behind the day rows, to the panel bottom.
    {72, "Result\\08.bmp", nullptr, {1012, 212}, {1268, 328}},
    // Result screen background: one copy covers the canvas.
    {73, "Result\\bg.bmp", nullptr, {1024, 768}, {1280, 1024}},
    {74, "Main\\QUIT_non.bmp", nullptr, {72, 27}, {88, 34}},
    // Not placed by any screen; the size of the detail buttons.
    {75, "Result\\kaisetsu_up.bmp", nullptr, {63, 20}, {79, 25}},
    // Page buttons: result (954,520) and (984,520) 30 px apart; popups (340,4) and (380,4).
    {76, "Result\\LEFT_dn.bmp", nullptr, {29, 27}, {37, 34}},
    {77, "Result\\LEFT_non.bmp", nullptr, {29, 27}, {37, 34}},
    {78, "Result\\LEFT_up.bmp", nullptr, {29, 27}, {37, 34}},
    // Menu button at (936,8)/(1162,12) in the scenario panel's title band.
    {79, "Result\\menu_dn.bmp", nullptr, {72, 27}, {88, 34}},
    {80, "Result\\menu_up.bmp", nullptr, {72, 27}, {88, 34}},
    {81, "Result\\RIGHT_dn.bmp", nullptr, {29, 27}, {37, 34}},
    {82, "Result\\RIGHT_non.bmp", nullptr, {29, 27}, {37, 34}},
    {83, "Result\\RIGHT_up.bmp", nullptr, {29, 27}, {37, 34}},
    // Detail buttons on the second line of each day row: 20/25 high, from x 945/1170 inside the panel.
    {84, "Result\\detail_kaisetsu_dn.bmp", nullptr, {63, 20}, {79, 25}},
    {85, "Result\\detail_kaisetsu_up.bmp", nullptr, {63, 20}, {79, 25}},
    // OK at (496,4)-(545,31)/(496,4)-(549,38) in the message popup.
    {86, "Main\\OK_up.bmp", nullptr, {49, 27}, {53, 34}},
    {87, "Main\\OK_dn.bmp", nullptr, {49, 27}, {53, 34}},
    {88, "ScenarioSelect\\choice_btn3_non.bmp", "ScenarioSelect\\03_non.bmp", {112, 27}, {140, 34}},
    {89, "Result\\detail_kaisetsu_non.bmp", nullptr, {63, 20}, {79, 25}},
    // Popup body at (6,35)/(6,43), 609x144/741x248 plus margins; the user dialog's 621x185/751x296.
    {90, "Main\\Dialog.bmp", nullptr, {621, 185}, {751, 296}},
    {91, "ScenarioSelect\\choice_btn2_non.bmp", "ScenarioSelect\\02_non.bmp", {112, 27}, {140, 34}},
    // Record screen background: one copy covers the canvas.
    {92, "Result\\Etsuran2.bmp", nullptr, {1024, 768}, {1280, 1024}},
    // Ranking screen background: one copy covers the canvas.
    {93, "Comm\\Ranking.bmp", nullptr, {1024, 768}, {1280, 1024}},
    // Back at (958,8)/(1198,9), before the right edge; the size of the other small buttons.
    {94, "Comm\\BACK_up.bmp", nullptr, {49, 27}, {53, 34}},
    {95, "Comm\\BACK_dn.bmp", nullptr, {49, 27}, {53, 34}},
    // The same file as index 70.
    {96, "Result\\06.bmp", nullptr, {1012, 130}, {1268, 164}},
    // Registration change button at (711,328)/(911,352) on the form.
    {97, "Comm\\Touroku_btn_up.bmp", nullptr, {112, 27}, {140, 34}},
    {98, "Comm\\Touroku_btn_dn.bmp", nullptr, {112, 27}, {140, 34}},
    // Registration form at (6,207), holding the back button at x 936/1200 and the fields down to 348/382.
    {99, "Comm\\Touroku.bmp", "Comm\\touroku.bmp", {1012, 200}, {1268, 230}},
    // Cancel at (477,4)/(577,4) in the user dialog, after OK; the wide-label button size.
    {100, "Main\\cancelUp.bmp", nullptr, {72, 27}, {88, 34}},
    {101, "Main\\cancelDn.bmp", nullptr, {72, 27}, {88, 34}},
    // Communication menu background: one copy covers the canvas, so the 300 px rule leaves no black band.
    {102, "Comm\\server.bmp", nullptr, {1024, 768}, {1280, 1024}},
    // Communication menu buttons at the main menu's places (rows 64/80 apart).
    {103, "Comm\\server_btn1_up.bmp", nullptr, {214, 52}, {266, 64}},
    {104, "Comm\\server_btn1_dn.bmp", nullptr, {214, 52}, {266, 64}},
    {105, "Comm\\server_btn1_non.bmp", nullptr, {214, 52}, {266, 64}},
    {106, "Comm\\server_btn2_up.bmp", nullptr, {214, 52}, {266, 64}},
    {107, "Comm\\server_btn2_dn.bmp", nullptr, {214, 52}, {266, 64}},
    {108, "Comm\\server_btn2_non.bmp", nullptr, {214, 52}, {266, 64}},
    {109, "Comm\\server_btn3_up.bmp", nullptr, {214, 52}, {266, 64}},
    {110, "Comm\\server_btn3_dn.bmp", nullptr, {214, 52}, {266, 64}},
    {111, "Comm\\server_btn4_up.bmp", nullptr, {214, 52}, {266, 64}},
    {112, "Comm\\server_btn4_dn.bmp", nullptr, {214, 52}, {266, 64}},
    // Detail popup: three sections 180/292 apart, each body 609x144/741x248 at x 6.
    {113, "Main\\DetailDialog.bmp", nullptr, {621, 545}, {751, 878}},
    // Laid out with the OK button's size in the detail popup; the information back button uses it too.
    {114, "Main\\BACK_gray_up.bmp", nullptr, {49, 27}, {53, 34}},
    {115, "Main\\BACK_gray_dn.bmp", nullptr, {49, 27}, {53, 34}},
    {116, "Main\\BACK_gray_non.bmp", nullptr, {49, 27}, {53, 34}},
    // Yes at (440,4) and no at (496,4), laid out with the OK button's size.
    {117, "Main\\yes_up.bmp", nullptr, {49, 27}, {53, 34}},
    {118, "Main\\yes_dn.bmp", nullptr, {49, 27}, {53, 34}},
    {119, "Main\\no_up.bmp", nullptr, {49, 27}, {53, 34}},
    {120, "Main\\no_dn.bmp", nullptr, {49, 27}, {53, 34}},
}};

// The execute button's animation: frames 1..22, each the size of "Main\NEXT_non.bmp".
constexpr int kExecuteFrameCount = 22;
constexpr int kExecuteFrameSizeIndex = 27;

inline std::string ExecuteFrameName(int number) {
    char name[40];
    std::snprintf(name, sizeof name, "nextButton\\NEXT_anime_%03d.bmp", number);
    return name;
}

// The start-up splash, shown before the mode is known; one image for both modes.
constexpr Size kSplashSize = {522, 370};
constexpr const char* kSplashName = "splash.bmp";

// A listed name as a relative path on disk: the list separates folders with "\".
inline std::string DiskPath(const std::string& listedName) {
    std::string path = listedName;
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return path;
}

}  // namespace valmore::skingen
