#pragma once

// The skin's pictures: their numbers and their files in both resolution modes. The program loads
// the skin through this table and the skin generator draws it from the same one, so a file name
// is written nowhere else. The same number is the same picture in both modes; "dn", "up" and
// "non" are a button's pressed, released and disabled pictures.

#include <array>
#include <cstdio>
#include <string>

#include "ui/ResolutionMode.h"

namespace valmore {

enum SkinPicture : int {
    kSkinNoPicture = -1,  // a button without a disabled picture
    kSkinTitlePanel = 0,
    kSkinMarketPanel = 1,
    kSkinNewsPanel = 2,
    kSkinAssetPanel = 3,
    kSkinOrderPanel = 4,
    kSkinInfoPanel = 5,
    kSkinChartPanel = 6,
    kSkinBackground = 7,
    kSkinMarker1 = 8,
    kSkinMarker3 = 9,
    kSkinBuyDn = 10,
    kSkinBuyNon = 11,
    kSkinBuyUp = 12,
    kSkinDownDn = 13,
    kSkinDownNon = 14,
    kSkinDownUp = 15,
    kSkinInfoDn = 16,
    kSkinInfoNon = 17,
    kSkinInfoUp = 18,
    kSkinLeftDn = 19,
    kSkinLeftNon = 20,
    kSkinLeftUp = 21,
    kSkinListDn = 22,
    kSkinListUp = 23,
    kSkinNewDn = 24,
    kSkinNewUp = 25,
    kSkinNextDn = 26,
    kSkinNextNon = 27,
    kSkinNextUp = 28,
    kSkinPassDn = 29,
    kSkinPassNon = 30,
    kSkinPassUp = 31,
    kSkinQuitDn = 32,
    kSkinQuitUp = 33,
    kSkinRightDn = 34,
    kSkinRightNon = 35,
    kSkinRightUp = 36,
    kSkinSellDn = 37,
    kSkinSellNon = 38,
    kSkinSellUp = 39,
    kSkinUpDn = 40,
    kSkinUpNon = 41,
    kSkinUpUp = 42,
    kSkinMenuBackground = 43,
    kSkinMenuTitle = 44,
    kSkinMenuButton1Dn = 45,
    kSkinMenuButton1Up = 46,
    kSkinMenuButton2Dn = 47,
    kSkinMenuButton2Up = 48,
    kSkinMenuButton3Dn = 49,
    kSkinMenuButton3Up = 50,
    kSkinMenuButton4Dn = 51,
    kSkinMenuButton4Up = 52,
    kSkinSelectTitle = 53,
    kSkinSelectTable = 54,
    kSkinSelectButton1Dn = 55,
    kSkinSelectButton1Up = 56,
    kSkinSelectButton2Dn = 57,
    kSkinSelectButton2Up = 58,
    kSkinSelectButton3Dn = 59,
    kSkinSelectButton3Up = 60,
    kSkinSelectButton4Dn = 61,
    kSkinSelectButton4Up = 62,
    kSkinGray = 63,
    kSkinSelectButton1Non = 64,
    kSkinResultScenarioPanel = 65,
    kSkinResultScenarioStrip = 66,
    kSkinResultPositionPanel = 67,
    kSkinResultPositionStrip = 68,
    kSkinResultChartPanel = 69,
    kSkinResultChartStrip = 70,
    kSkinResultNewsPanel = 71,
    kSkinResultNewsStrip = 72,
    kSkinResultBackground = 73,
    kSkinQuitNon = 74,
    kSkinExplainUp = 75,
    kSkinResultLeftDn = 76,
    kSkinResultLeftNon = 77,
    kSkinResultLeftUp = 78,
    kSkinResultMenuDn = 79,
    kSkinResultMenuUp = 80,
    kSkinResultRightDn = 81,
    kSkinResultRightNon = 82,
    kSkinResultRightUp = 83,
    kSkinDetailDn = 84,
    kSkinDetailUp = 85,
    kSkinOkUp = 86,
    kSkinOkDn = 87,
    kSkinSelectButton3Non = 88,
    kSkinDetailNon = 89,
    kSkinMessagePopup = 90,
    kSkinSelectButton2Non = 91,
    kSkinRecordBackground = 92,
    kSkinRankingBackground = 93,
    kSkinCommBackUp = 94,
    kSkinCommBackDn = 95,
    kSkinResultChartStrip2 = 96,
    kSkinRegisterButtonUp = 97,
    kSkinRegisterButtonDn = 98,
    kSkinRegistrationForm = 99,
    kSkinCancelUp = 100,
    kSkinCancelDn = 101,
    kSkinCommMenuBackground = 102,
    kSkinCommButton1Up = 103,
    kSkinCommButton1Dn = 104,
    kSkinCommButton1Non = 105,
    kSkinCommButton2Up = 106,
    kSkinCommButton2Dn = 107,
    kSkinCommButton2Non = 108,
    kSkinCommButton3Up = 109,
    kSkinCommButton3Dn = 110,
    kSkinCommButton4Up = 111,
    kSkinCommButton4Dn = 112,
    kSkinDetailPopup = 113,
    kSkinGreyBackUp = 114,
    kSkinGreyBackDn = 115,
    kSkinGreyBackNon = 116,
    kSkinYesUp = 117,
    kSkinYesDn = 118,
    kSkinNoUp = 119,
    kSkinNoDn = 120,
};
constexpr int kSkinPictureCount = 121;

struct SkinPictureFile {
    SkinPicture picture;
    const char* xgaName;   // relative to the mode folder, with "\" between folder and file
    const char* sxgaName;  // nullptr where the SXGA set uses the XGA name

    constexpr const char* Name(ResolutionMode mode) const { return mode == kModeSxga && sxgaName ? sxgaName : xgaName; }
};

// The SXGA set renamed a few files and spells one with a small letter. Index 96 names the same
// file as index 70; both entries are loaded.
inline constexpr std::array<SkinPictureFile, kSkinPictureCount> kSkinPictureFiles{{
    {kSkinTitlePanel, "Main\\01.bmp", "Main\\base_top.bmp"},
    {kSkinMarketPanel, "Main\\02.bmp", "Main\\base_market.bmp"},
    {kSkinNewsPanel, "Main\\03.bmp", "Main\\base_news.bmp"},
    {kSkinAssetPanel, "Main\\04.bmp", "Main\\base_shisan.bmp"},
    {kSkinOrderPanel, "Main\\05.bmp", "Main\\base_order.bmp"},
    {kSkinInfoPanel, "Main\\06.bmp", "Main\\base_info.bmp"},
    {kSkinChartPanel, "Main\\07.bmp", "Main\\base_chart.bmp"},
    {kSkinBackground, "Main\\bg.bmp", nullptr},
    {kSkinMarker1, "Main\\bitmap1.bmp", nullptr},
    {kSkinMarker3, "Main\\bitmap3.bmp", nullptr},
    {kSkinBuyDn, "Main\\BUY_dn.bmp", nullptr},
    {kSkinBuyNon, "Main\\BUY_non.bmp", nullptr},
    {kSkinBuyUp, "Main\\BUY_up.bmp", nullptr},
    {kSkinDownDn, "Main\\DOWN_dn.bmp", nullptr},
    {kSkinDownNon, "Main\\DOWN_non.bmp", nullptr},
    {kSkinDownUp, "Main\\DOWN_up.bmp", nullptr},
    {kSkinInfoDn, "Main\\INFO_dn.bmp", nullptr},
    {kSkinInfoNon, "Main\\INFO_non.bmp", nullptr},
    {kSkinInfoUp, "Main\\INFO_up.bmp", nullptr},
    {kSkinLeftDn, "Main\\LEFT_dn.bmp", nullptr},
    {kSkinLeftNon, "Main\\LEFT_non.bmp", nullptr},
    {kSkinLeftUp, "Main\\LEFT_up.bmp", nullptr},
    {kSkinListDn, "Main\\LIST_dn.bmp", nullptr},
    {kSkinListUp, "Main\\LIST_up.bmp", nullptr},
    {kSkinNewDn, "Main\\NEW_dn.bmp", nullptr},
    {kSkinNewUp, "Main\\NEW_up.bmp", nullptr},
    {kSkinNextDn, "Main\\NEXT_dn.bmp", nullptr},
    {kSkinNextNon, "Main\\NEXT_non.bmp", nullptr},
    {kSkinNextUp, "Main\\NEXT_up.bmp", nullptr},
    {kSkinPassDn, "Main\\PASS_dn.bmp", nullptr},
    {kSkinPassNon, "Main\\PASS_non.bmp", nullptr},
    {kSkinPassUp, "Main\\PASS_up.bmp", nullptr},
    {kSkinQuitDn, "Main\\QUIT_dn.bmp", nullptr},
    {kSkinQuitUp, "Main\\QUIT_up.bmp", nullptr},
    {kSkinRightDn, "Main\\RIGHT_dn.bmp", nullptr},
    {kSkinRightNon, "Main\\RIGHT_non.bmp", nullptr},
    {kSkinRightUp, "Main\\RIGHT_up.bmp", nullptr},
    {kSkinSellDn, "Main\\SELL_dn.bmp", nullptr},
    {kSkinSellNon, "Main\\SELL_non.bmp", nullptr},
    {kSkinSellUp, "Main\\SELL_up.bmp", nullptr},
    {kSkinUpDn, "Main\\UP_dn.bmp", nullptr},
    {kSkinUpNon, "Main\\UP_non.bmp", nullptr},
    {kSkinUpUp, "Main\\UP_up.bmp", nullptr},
    {kSkinMenuBackground, "Main\\menu_bg.bmp", nullptr},
    {kSkinMenuTitle, "Main\\menu_title.bmp", nullptr},
    {kSkinMenuButton1Dn, "Main\\menu_btn1_dn.bmp", "Main\\01_dn.bmp"},
    {kSkinMenuButton1Up, "Main\\menu_btn1_up.bmp", "Main\\01_up.bmp"},
    {kSkinMenuButton2Dn, "Main\\menu_btn2_dn.bmp", "Main\\02_dn.bmp"},
    {kSkinMenuButton2Up, "Main\\menu_btn2_up.bmp", "Main\\02_up.bmp"},
    {kSkinMenuButton3Dn, "Main\\menu_btn3_dn.bmp", "Main\\03_dn.bmp"},
    {kSkinMenuButton3Up, "Main\\menu_btn3_up.bmp", "Main\\03_up.bmp"},
    {kSkinMenuButton4Dn, "Main\\menu_btn4_dn.bmp", "Main\\04_dn.bmp"},
    {kSkinMenuButton4Up, "Main\\menu_btn4_up.bmp", "Main\\04_up.bmp"},
    {kSkinSelectTitle, "ScenarioSelect\\choice_title.bmp", "ScenarioSelect\\title.bmp"},
    {kSkinSelectTable, "ScenarioSelect\\choice.bmp", nullptr},
    {kSkinSelectButton1Dn, "ScenarioSelect\\choice_btn1_dn.bmp", "ScenarioSelect\\01_dn.bmp"},
    {kSkinSelectButton1Up, "ScenarioSelect\\choice_btn1_up.bmp", "ScenarioSelect\\01_up.bmp"},
    {kSkinSelectButton2Dn, "ScenarioSelect\\choice_btn2_dn.bmp", "ScenarioSelect\\02_dn.bmp"},
    {kSkinSelectButton2Up, "ScenarioSelect\\choice_btn2_up.bmp", "ScenarioSelect\\02_up.bmp"},
    {kSkinSelectButton3Dn, "ScenarioSelect\\choice_btn3_dn.bmp", "ScenarioSelect\\03_dn.bmp"},
    {kSkinSelectButton3Up, "ScenarioSelect\\choice_btn3_up.bmp", "ScenarioSelect\\03_up.bmp"},
    {kSkinSelectButton4Dn, "ScenarioSelect\\choice_btn4_dn.bmp", "ScenarioSelect\\04_dn.bmp"},
    {kSkinSelectButton4Up, "ScenarioSelect\\choice_btn4_up.bmp", "ScenarioSelect\\04_up.bmp"},
    {kSkinGray, "Main\\gray.bmp", nullptr},
    {kSkinSelectButton1Non, "ScenarioSelect\\choice_btn1_non.bmp", "ScenarioSelect\\01_non.bmp"},
    {kSkinResultScenarioPanel, "Result\\01.bmp", nullptr},
    {kSkinResultScenarioStrip, "Result\\02.bmp", nullptr},
    {kSkinResultPositionPanel, "Result\\03.bmp", nullptr},
    {kSkinResultPositionStrip, "Result\\04.bmp", nullptr},
    {kSkinResultChartPanel, "Result\\05.bmp", nullptr},
    {kSkinResultChartStrip, "Result\\06.bmp", nullptr},
    {kSkinResultNewsPanel, "Result\\07.bmp", nullptr},
    {kSkinResultNewsStrip, "Result\\08.bmp", nullptr},
    {kSkinResultBackground, "Result\\bg.bmp", nullptr},
    {kSkinQuitNon, "Main\\QUIT_non.bmp", nullptr},
    {kSkinExplainUp, "Result\\kaisetsu_up.bmp", nullptr},
    {kSkinResultLeftDn, "Result\\LEFT_dn.bmp", nullptr},
    {kSkinResultLeftNon, "Result\\LEFT_non.bmp", nullptr},
    {kSkinResultLeftUp, "Result\\LEFT_up.bmp", nullptr},
    {kSkinResultMenuDn, "Result\\menu_dn.bmp", nullptr},
    {kSkinResultMenuUp, "Result\\menu_up.bmp", nullptr},
    {kSkinResultRightDn, "Result\\RIGHT_dn.bmp", nullptr},
    {kSkinResultRightNon, "Result\\RIGHT_non.bmp", nullptr},
    {kSkinResultRightUp, "Result\\RIGHT_up.bmp", nullptr},
    {kSkinDetailDn, "Result\\detail_kaisetsu_dn.bmp", nullptr},
    {kSkinDetailUp, "Result\\detail_kaisetsu_up.bmp", nullptr},
    {kSkinOkUp, "Main\\OK_up.bmp", nullptr},
    {kSkinOkDn, "Main\\OK_dn.bmp", nullptr},
    {kSkinSelectButton3Non, "ScenarioSelect\\choice_btn3_non.bmp", "ScenarioSelect\\03_non.bmp"},
    {kSkinDetailNon, "Result\\detail_kaisetsu_non.bmp", nullptr},
    {kSkinMessagePopup, "Main\\Dialog.bmp", nullptr},
    {kSkinSelectButton2Non, "ScenarioSelect\\choice_btn2_non.bmp", "ScenarioSelect\\02_non.bmp"},
    {kSkinRecordBackground, "Result\\Etsuran2.bmp", nullptr},
    {kSkinRankingBackground, "Comm\\Ranking.bmp", nullptr},
    {kSkinCommBackUp, "Comm\\BACK_up.bmp", nullptr},
    {kSkinCommBackDn, "Comm\\BACK_dn.bmp", nullptr},
    {kSkinResultChartStrip2, "Result\\06.bmp", nullptr},
    {kSkinRegisterButtonUp, "Comm\\Touroku_btn_up.bmp", nullptr},
    {kSkinRegisterButtonDn, "Comm\\Touroku_btn_dn.bmp", nullptr},
    {kSkinRegistrationForm, "Comm\\Touroku.bmp", "Comm\\touroku.bmp"},
    {kSkinCancelUp, "Main\\cancelUp.bmp", nullptr},
    {kSkinCancelDn, "Main\\cancelDn.bmp", nullptr},
    {kSkinCommMenuBackground, "Comm\\server.bmp", nullptr},
    {kSkinCommButton1Up, "Comm\\server_btn1_up.bmp", nullptr},
    {kSkinCommButton1Dn, "Comm\\server_btn1_dn.bmp", nullptr},
    {kSkinCommButton1Non, "Comm\\server_btn1_non.bmp", nullptr},
    {kSkinCommButton2Up, "Comm\\server_btn2_up.bmp", nullptr},
    {kSkinCommButton2Dn, "Comm\\server_btn2_dn.bmp", nullptr},
    {kSkinCommButton2Non, "Comm\\server_btn2_non.bmp", nullptr},
    {kSkinCommButton3Up, "Comm\\server_btn3_up.bmp", nullptr},
    {kSkinCommButton3Dn, "Comm\\server_btn3_dn.bmp", nullptr},
    {kSkinCommButton4Up, "Comm\\server_btn4_up.bmp", nullptr},
    {kSkinCommButton4Dn, "Comm\\server_btn4_dn.bmp", nullptr},
    {kSkinDetailPopup, "Main\\DetailDialog.bmp", nullptr},
    {kSkinGreyBackUp, "Main\\BACK_gray_up.bmp", nullptr},
    {kSkinGreyBackDn, "Main\\BACK_gray_dn.bmp", nullptr},
    {kSkinGreyBackNon, "Main\\BACK_gray_non.bmp", nullptr},
    {kSkinYesUp, "Main\\yes_up.bmp", nullptr},
    {kSkinYesDn, "Main\\yes_dn.bmp", nullptr},
    {kSkinNoUp, "Main\\no_up.bmp", nullptr},
    {kSkinNoDn, "Main\\no_dn.bmp", nullptr},
}};

constexpr bool InPictureOrder() {
    for (int i = 0; i < kSkinPictureCount; ++i) {
        if (kSkinPictureFiles[static_cast<std::size_t>(i)].picture != i) return false;
    }
    return true;
}
static_assert(InPictureOrder(), "the table is indexed by the picture number");

// A skin button's released, pressed and disabled pictures.
struct SkinButtonPictures {
    SkinPicture up;
    SkinPicture dn;
    SkinPicture non;
};

// The page buttons of both popups, the scenario selection and the result screen.
inline constexpr SkinButtonPictures kPagePreviousButton{kSkinResultLeftUp, kSkinResultLeftDn, kSkinResultLeftNon};
inline constexpr SkinButtonPictures kPageNextButton{kSkinResultRightUp, kSkinResultRightDn, kSkinResultRightNon};

// The mode folders below the program's folder, and the splash image, which is shown before the
// mode is known.
inline constexpr std::array<const char*, kModeCount> kSkinModeFolder{"SR\\XGA\\", "SR\\SXGA\\"};
inline constexpr const char* kSplashFile = "SR\\splash.bmp";

// The execute button's animation: frames 1 to 22 in the mode folder.
constexpr int kExecuteFrameCount = 22;

inline std::string ExecuteFrameName(int number) {
    char name[40];
    std::snprintf(name, sizeof name, "nextButton\\NEXT_anime_%03d.bmp", number);
    return name;
}

}  // namespace valmore
