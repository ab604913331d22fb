#pragma once

// The skin's geometry: every skin picture's size in both resolution modes, and the size of the
// execute-button frames and of the splash image; the pictures' names and files are the program's
// own table. Each element on screen is as large
// as its bitmap, so these sizes are derived from where the screens place their elements; the
// comment on each row says which positions fix the size. Nothing else in the generator chooses
// a size, and the skin loader's tests check the files against this table.

#include <array>
#include <string>

#include "ui/CanvasSize.h"
#include "ui/ResolutionMode.h"
#include "ui/SkinPicture.h"

namespace valmore::skingen {

using Mode = ResolutionMode;

struct Size {
    int w = 0;
    int h = 0;
};

// The program's canvas in each mode.
constexpr std::array<Size, kModeCount> kCanvas = {{
    {kCanvasSizes[kModeXga].width, kCanvasSizes[kModeXga].height},
    {kCanvasSizes[kModeSxga].width, kCanvasSizes[kModeSxga].height},
}};

struct SkinEntry {
    SkinPicture index;
    Size xga;
    Size sxga;

    const char* Name(Mode mode) const { return kSkinPictureFiles[static_cast<std::size_t>(index)].Name(mode); }
    Size SizeIn(Mode mode) const { return mode == kModeXga ? xga : sxga; }
};

constexpr int kSkinEntryCount = kSkinPictureCount;

// Sizes are XGA then SXGA. Panel and screen positions quoted in the reasons are canvas pixels.
constexpr std::array<SkinEntry, kSkinEntryCount> kSkinTable = {{
    // Title panel at (6,5)/(7,6) across the canvas, ending 5/6 px above the market panel at y 52/67.
    {kSkinTitlePanel, {1012, 42}, {1266, 55}},
    // Market panel (6,52)-(400,212)/(7,67)-(500,268): grid right = left+w-2 and row 1 at y 111/150 fix w and h.
    {kSkinMarketPanel, {394, 160}, {493, 201}},
    // News panel from x 405/506 to the right edge 1018/1273; headline row right = left+w-1 = 1017; market height.
    {kSkinNewsPanel, {613, 160}, {767, 201}},
    // Asset panel (6,219)-(1018,404)/(7,273)-(1273,505).
    {kSkinAssetPanel, {1012, 185}, {1266, 232}},
    // Order panel (6,409)-(1018,577)/(7,511)-(1273,722).
    {kSkinOrderPanel, {1012, 168}, {1266, 211}},
    // Information panel from (6,582)/(7,727) to 5 px before the chart panel; text area ends at top+180/291.
    {kSkinInfoPanel, {594, 181}, {744, 291}},
    // Chart panel from (605,582)/(756,727) to the right edge 1018/1273, as high as the information panel.
    {kSkinChartPanel, {413, 181}, {517, 291}},
    // Default screen background: one copy covers the canvas.
    {kSkinBackground, {1024, 768}, {1280, 1024}},
    // Small markers that no screen places; sized like an inline glyph.
    {kSkinMarker1, {16, 16}, {20, 20}},
    {kSkinMarker3, {16, 16}, {20, 20}},
    // BUY at (6,504)-(120,531)/(8,630)-(150,664); PASS starts where BUY ends.
    {kSkinBuyDn, {114, 27}, {142, 34}},
    {kSkinBuyNon, {114, 27}, {142, 34}},
    {kSkinBuyUp, {114, 27}, {142, 34}},
    // Spin box DOWN: laid out with the size of the UP button (bitmap 40).
    {kSkinDownDn, {29, 27}, {36, 35}},
    {kSkinDownNon, {29, 27}, {36, 35}},
    {kSkinDownUp, {29, 27}, {36, 35}},
    // INFO of order column 1 at (613,452)-(676,473)/(747,576)-(826,603).
    {kSkinInfoDn, {63, 21}, {79, 27}},
    {kSkinInfoNon, {63, 21}, {79, 27}},
    {kSkinInfoUp, {63, 21}, {79, 27}},
    // Information previous page at (528,585)-(557,612)/(672,731)-(709,765).
    {kSkinLeftDn, {29, 27}, {37, 34}},
    {kSkinLeftNon, {29, 27}, {37, 34}},
    {kSkinLeftUp, {29, 27}, {37, 34}},
    // News list toggle at (930,55)/(1167,71), between the page buttons at 897+29 and 983/1129+37 and 1230.
    {kSkinListDn, {49, 27}, {53, 34}},
    {kSkinListUp, {49, 27}, {53, 34}},
    // Not placed by any screen; sized like the other small buttons.
    {kSkinNewDn, {49, 27}, {53, 34}},
    {kSkinNewUp, {49, 27}, {53, 34}},
    // Execute button at (963,412)-(1012,439)/(1205,515)-(1267,549).
    {kSkinNextDn, {49, 27}, {62, 34}},
    {kSkinNextNon, {49, 27}, {62, 34}},
    {kSkinNextUp, {49, 27}, {62, 34}},
    // PASS from x 120/150 to SELL at 232/290.
    {kSkinPassDn, {112, 27}, {140, 34}},
    {kSkinPassNon, {112, 27}, {140, 34}},
    {kSkinPassUp, {112, 27}, {140, 34}},
    // QUIT at (923,11)/(1155,13) inside the title panel; the wide-label button size.
    {kSkinQuitDn, {72, 27}, {88, 34}},
    {kSkinQuitUp, {72, 27}, {88, 34}},
    // Information next page at (565,585)-(594,612)/(711,731)-(748,765).
    {kSkinRightDn, {29, 27}, {37, 34}},
    {kSkinRightNon, {29, 27}, {37, 34}},
    {kSkinRightUp, {29, 27}, {37, 34}},
    // SELL from x 232/290 to the next column's BUY at 343/429.
    {kSkinSellDn, {111, 27}, {139, 34}},
    {kSkinSellNon, {111, 27}, {139, 34}},
    {kSkinSellUp, {111, 27}, {139, 34}},
    // Spin box UP at (86,542)-(115,569)/(107,677)-(143,712).
    {kSkinUpDn, {29, 27}, {36, 35}},
    {kSkinUpNon, {29, 27}, {36, 35}},
    {kSkinUpUp, {29, 27}, {36, 35}},
    // Main menu background: one copy covers the canvas.
    {kSkinMenuBackground, {1024, 768}, {1280, 1024}},
    // Menu title at (0,217)/(0,271), across the canvas, ending above the first button at y 270/369.
    {kSkinMenuTitle, {1024, 48}, {1280, 88}},
    // Menu buttons at x 405/507, centred on the canvas; rows 65/80 apart.
    {kSkinMenuButton1Dn, {214, 52}, {266, 64}},
    {kSkinMenuButton1Up, {214, 52}, {266, 64}},
    {kSkinMenuButton2Dn, {214, 52}, {266, 64}},
    {kSkinMenuButton2Up, {214, 52}, {266, 64}},
    {kSkinMenuButton3Dn, {214, 52}, {266, 64}},
    {kSkinMenuButton3Up, {214, 52}, {266, 64}},
    {kSkinMenuButton4Dn, {214, 52}, {266, 64}},
    {kSkinMenuButton4Up, {214, 52}, {266, 64}},
    // Scenario selection title at (6,5)/(6,6), ending 6 px before the page buttons at x 400/500.
    {kSkinSelectTitle, {388, 30}, {488, 38}},
    // Catalogue table at (6,38)/(9,76): header 42/27, then 30 rows of 20/25, then a margin.
    {kSkinSelectTable, {1012, 648}, {1262, 785}},
    // Action buttons 117/150 apart from x 546/671; the last ends before the right edge.
    {kSkinSelectButton1Dn, {112, 27}, {140, 34}},
    {kSkinSelectButton1Up, {112, 27}, {140, 34}},
    {kSkinSelectButton2Dn, {112, 27}, {140, 34}},
    {kSkinSelectButton2Up, {112, 27}, {140, 34}},
    {kSkinSelectButton3Dn, {112, 27}, {140, 34}},
    {kSkinSelectButton3Up, {112, 27}, {140, 34}},
    {kSkinSelectButton4Dn, {112, 27}, {140, 34}},
    {kSkinSelectButton4Up, {112, 27}, {140, 34}},
    // A grey swatch that no screen places.
    {kSkinGray, {16, 16}, {20, 20}},
    {kSkinSelectButton1Non, {112, 27}, {140, 34}},
    // Result scenario panel at (6,5)/(6,8), ending 6 px above the position panel at 129/170.
    {kSkinResultScenarioPanel, {1012, 118}, {1268, 156}},
    // Its strip at (6,38)/(6,48), reaching the data row at inner top + 44/65.
    {kSkinResultScenarioStrip, {1012, 43}, {1268, 57}},
    // Position panel at (6,129)/(6,170), ending 6 px above the chart panel at 349/440.
    {kSkinResultPositionPanel, {1012, 214}, {1268, 264}},
    // Its strip at panel top + 33/40, down to the cash row (inner top + 64/81).
    {kSkinResultPositionStrip, {1012, 64}, {1268, 81}},
    // Chart panel background at (6,349)/(6,440), down to its strip's bottom.
    {kSkinResultChartPanel, {1012, 163}, {1268, 204}},
    // Chart strip at panel top + 33/40, ending 5/6 px above the news panel at 517/650.
    {kSkinResultChartStrip, {1012, 130}, {1268, 164}},
    // News and trades panel at (6,517)/(6,650), to 6 px above the canvas bottom.
    {kSkinResultNewsPanel, {1012, 245}, {1268, 368}},
    // Its strip at (6,550)/(6,690), behind the day rows, to the panel bottom.
    {kSkinResultNewsStrip, {1012, 212}, {1268, 328}},
    // Result screen background: one copy covers the canvas.
    {kSkinResultBackground, {1024, 768}, {1280, 1024}},
    {kSkinQuitNon, {72, 27}, {88, 34}},
    // Not placed by any screen; the size of the detail buttons.
    {kSkinExplainUp, {63, 20}, {79, 25}},
    // Page buttons: result (954,520) and (984,520) 30 px apart; popups (340,4) and (380,4).
    {kSkinResultLeftDn, {29, 27}, {37, 34}},
    {kSkinResultLeftNon, {29, 27}, {37, 34}},
    {kSkinResultLeftUp, {29, 27}, {37, 34}},
    // Menu button at (936,8)/(1162,12) in the scenario panel's title band.
    {kSkinResultMenuDn, {72, 27}, {88, 34}},
    {kSkinResultMenuUp, {72, 27}, {88, 34}},
    {kSkinResultRightDn, {29, 27}, {37, 34}},
    {kSkinResultRightNon, {29, 27}, {37, 34}},
    {kSkinResultRightUp, {29, 27}, {37, 34}},
    // Detail buttons on the second line of each day row: 20/25 high, from x 945/1170 inside the panel.
    {kSkinDetailDn, {63, 20}, {79, 25}},
    {kSkinDetailUp, {63, 20}, {79, 25}},
    // OK at (496,4)-(545,31)/(496,4)-(549,38) in the message popup.
    {kSkinOkUp, {49, 27}, {53, 34}},
    {kSkinOkDn, {49, 27}, {53, 34}},
    {kSkinSelectButton3Non, {112, 27}, {140, 34}},
    {kSkinDetailNon, {63, 20}, {79, 25}},
    // Popup body at (6,35)/(6,43), 609x144/741x248 plus margins; the user dialog's 621x185/751x296.
    {kSkinMessagePopup, {621, 185}, {751, 296}},
    {kSkinSelectButton2Non, {112, 27}, {140, 34}},
    // Record screen background: one copy covers the canvas.
    {kSkinRecordBackground, {1024, 768}, {1280, 1024}},
    // Ranking screen background: one copy covers the canvas.
    {kSkinRankingBackground, {1024, 768}, {1280, 1024}},
    // Back at (958,8)/(1198,9), before the right edge; the size of the other small buttons.
    {kSkinCommBackUp, {49, 27}, {53, 34}},
    {kSkinCommBackDn, {49, 27}, {53, 34}},
    // The same file as index 70.
    {kSkinResultChartStrip2, {1012, 130}, {1268, 164}},
    // Registration change button at (711,328)/(911,352) on the form.
    {kSkinRegisterButtonUp, {112, 27}, {140, 34}},
    {kSkinRegisterButtonDn, {112, 27}, {140, 34}},
    // Registration form at (6,207), holding the back button at x 936/1200 and the fields down to 348/382.
    {kSkinRegistrationForm, {1012, 200}, {1268, 230}},
    // Cancel at (477,4)/(577,4) in the user dialog, after OK; the wide-label button size.
    {kSkinCancelUp, {72, 27}, {88, 34}},
    {kSkinCancelDn, {72, 27}, {88, 34}},
    // Communication menu background: one copy covers the canvas, so the 300 px rule leaves no black band.
    {kSkinCommMenuBackground, {1024, 768}, {1280, 1024}},
    // Communication menu buttons at the main menu's places (rows 64/80 apart).
    {kSkinCommButton1Up, {214, 52}, {266, 64}},
    {kSkinCommButton1Dn, {214, 52}, {266, 64}},
    {kSkinCommButton1Non, {214, 52}, {266, 64}},
    {kSkinCommButton2Up, {214, 52}, {266, 64}},
    {kSkinCommButton2Dn, {214, 52}, {266, 64}},
    {kSkinCommButton2Non, {214, 52}, {266, 64}},
    {kSkinCommButton3Up, {214, 52}, {266, 64}},
    {kSkinCommButton3Dn, {214, 52}, {266, 64}},
    {kSkinCommButton4Up, {214, 52}, {266, 64}},
    {kSkinCommButton4Dn, {214, 52}, {266, 64}},
    // Detail popup: three sections 180/292 apart, each body 609x144/741x248 at x 6.
    {kSkinDetailPopup, {621, 545}, {751, 878}},
    // Laid out with the OK button's size in the detail popup; the information back button uses it too.
    {kSkinGreyBackUp, {49, 27}, {53, 34}},
    {kSkinGreyBackDn, {49, 27}, {53, 34}},
    {kSkinGreyBackNon, {49, 27}, {53, 34}},
    // Yes at (440,4) and no at (496,4), laid out with the OK button's size.
    {kSkinYesUp, {49, 27}, {53, 34}},
    {kSkinYesDn, {49, 27}, {53, 34}},
    {kSkinNoUp, {49, 27}, {53, 34}},
    {kSkinNoDn, {49, 27}, {53, 34}},
}};

// Every frame of the execute button's animation is the size of its disabled picture.
constexpr int kExecuteFrameSizeIndex = kSkinNextNon;

// The start-up splash, shown before the mode is known; one image for both modes.
constexpr Size kSplashSize = {522, 370};

// A program path as a relative path on disk: the program separates folders with "\".
inline std::string DiskPath(const std::string& listedName) {
    std::string path = listedName;
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return path;
}

}  // namespace valmore::skingen
