#include "SkinPainter.h"

#include <cstring>
#include <string>

#include "ButtonArt.h"
#include "Canvas.h"
#include "PanelArt.h"
#include "ScreenArt.h"
#include "SkinLayout.h"

namespace valmore::skingen {

namespace {

struct ButtonDesign {
    ButtonLook look;
    Press press;
};

// The look of every plain button, by skin index. Buttons that sit on a white panel body and
// buttons that sit on the slate chrome are greyed differently, so each says where it lives.
bool ButtonOf(int index, ButtonDesign* out) {
    auto make = [&](Tone tone, Glyph glyph, const char* label, bool onChrome, bool square, bool toggle, Press press) {
        *out = {{tone, glyph, label, onChrome, square, toggle}, press};
        return true;
    };
    const Press U = Press::kUp, D = Press::kDown, O = Press::kOff;
    const Tone N = Tone::kNeutral;
    const Glyph G = Glyph::kNone;
    switch (index) {
        case kSkinBuyDn:
            return make(Tone::kBuy, G, "買う", false, false, true, D);
        case kSkinBuyNon:
            return make(Tone::kBuy, G, "買う", false, false, true, O);
        case kSkinBuyUp:
            return make(Tone::kBuy, G, "買う", false, false, true, U);
        case kSkinDownDn:
            return make(N, Glyph::kDown, "", false, true, false, D);
        case kSkinDownNon:
            return make(N, Glyph::kDown, "", false, true, false, O);
        case kSkinDownUp:
            return make(N, Glyph::kDown, "", false, true, false, U);
        case kSkinInfoDn:
            return make(N, Glyph::kInfo, "情報", false, false, false, D);
        case kSkinInfoNon:
            return make(N, Glyph::kInfo, "情報", false, false, false, O);
        case kSkinInfoUp:
            return make(N, Glyph::kInfo, "情報", false, false, false, U);
        case kSkinLeftDn:
        case kSkinResultLeftDn:
            return make(N, Glyph::kLeft, "", true, true, false, D);
        case kSkinLeftNon:
        case kSkinResultLeftNon:
            return make(N, Glyph::kLeft, "", true, true, false, O);
        case kSkinLeftUp:
        case kSkinResultLeftUp:
            return make(N, Glyph::kLeft, "", true, true, false, U);
        case kSkinListDn:
            return make(N, G, "一覧", true, false, false, D);
        case kSkinListUp:
            return make(N, G, "一覧", true, false, false, U);
        case kSkinNewDn:
            return make(N, G, "最新", true, false, false, D);
        case kSkinNewUp:
            return make(N, G, "最新", true, false, false, U);
        case kSkinNextDn:
            return make(Tone::kExecute, G, "次へ", true, true, false, D);
        case kSkinNextNon:
            return make(Tone::kExecute, G, "次へ", true, true, false, O);
        case kSkinNextUp:
            return make(Tone::kExecute, G, "次へ", true, true, false, U);
        case kSkinPassDn:
            return make(Tone::kPass, G, "見送る", false, false, true, D);
        case kSkinPassNon:
            return make(Tone::kPass, G, "見送る", false, false, true, O);
        case kSkinPassUp:
            return make(Tone::kPass, G, "見送る", false, false, true, U);
        case kSkinQuitDn:
            return make(N, G, "終了", false, false, false, D);
        case kSkinQuitUp:
            return make(N, G, "終了", false, false, false, U);
        case kSkinQuitNon:
            return make(N, G, "終了", false, false, false, O);
        case kSkinRightDn:
        case kSkinResultRightDn:
            return make(N, Glyph::kRight, "", true, true, false, D);
        case kSkinRightNon:
        case kSkinResultRightNon:
            return make(N, Glyph::kRight, "", true, true, false, O);
        case kSkinRightUp:
        case kSkinResultRightUp:
            return make(N, Glyph::kRight, "", true, true, false, U);
        case kSkinSellDn:
            return make(Tone::kSell, G, "売る", false, false, true, D);
        case kSkinSellNon:
            return make(Tone::kSell, G, "売る", false, false, true, O);
        case kSkinSellUp:
            return make(Tone::kSell, G, "売る", false, false, true, U);
        case kSkinUpDn:
            return make(N, Glyph::kUp, "", false, true, false, D);
        case kSkinUpNon:
            return make(N, Glyph::kUp, "", false, true, false, O);
        case kSkinUpUp:
            return make(N, Glyph::kUp, "", false, true, false, U);
        // The start of a new play is the screen's main action, so it takes the accent colour.
        case kSkinSelectButton1Dn:
            return make(Tone::kExecute, G, "開始", true, false, false, D);
        case kSkinSelectButton1Up:
            return make(Tone::kExecute, G, "開始", true, false, false, U);
        case kSkinSelectButton1Non:
            return make(Tone::kExecute, G, "開始", true, false, false, O);
        case kSkinSelectButton2Dn:
            return make(N, G, "成績", true, false, false, D);
        case kSkinSelectButton2Up:
            return make(N, G, "成績", true, false, false, U);
        case kSkinSelectButton2Non:
            return make(N, G, "成績", true, false, false, O);
        case kSkinSelectButton3Dn:
            return make(N, G, "前回の続き", true, false, false, D);
        case kSkinSelectButton3Up:
            return make(N, G, "前回の続き", true, false, false, U);
        case kSkinSelectButton3Non:
            return make(N, G, "前回の続き", true, false, false, O);
        case kSkinSelectButton4Dn:
            return make(N, G, "メニューへ戻る", true, false, false, D);
        case kSkinSelectButton4Up:
            return make(N, G, "メニューへ戻る", true, false, false, U);
        case kSkinExplainUp:
            return make(N, G, "解説", false, false, false, U);
        case kSkinResultMenuDn:
            return make(N, G, "メニュー", true, false, false, D);
        case kSkinResultMenuUp:
            return make(N, G, "メニュー", true, false, false, U);
        case kSkinDetailDn:
            return make(N, G, "詳細", false, false, false, D);
        case kSkinDetailUp:
            return make(N, G, "詳細", false, false, false, U);
        case kSkinDetailNon:
            return make(N, G, "詳細", false, false, false, O);
        case kSkinOkUp:
            return make(N, G, "OK", true, false, false, U);
        case kSkinOkDn:
            return make(N, G, "OK", true, false, false, D);
        case kSkinCommBackUp:
        case kSkinGreyBackUp:
            return make(N, G, "戻る", true, false, false, U);
        case kSkinCommBackDn:
        case kSkinGreyBackDn:
            return make(N, G, "戻る", true, false, false, D);
        case kSkinGreyBackNon:
            return make(N, G, "戻る", true, false, false, O);
        case kSkinRegisterButtonUp:
            return make(N, G, "登録変更", false, false, false, U);
        case kSkinRegisterButtonDn:
            return make(N, G, "登録変更", false, false, false, D);
        case kSkinCancelUp:
            return make(N, G, "キャンセル", true, false, false, U);
        case kSkinCancelDn:
            return make(N, G, "キャンセル", true, false, false, D);
        case kSkinYesUp:
            return make(N, G, "はい", true, false, false, U);
        case kSkinYesDn:
            return make(N, G, "はい", true, false, false, D);
        case kSkinNoUp:
            return make(N, G, "いいえ", true, false, false, U);
        case kSkinNoDn:
            return make(N, G, "いいえ", true, false, false, D);
        default:
            return false;
    }
}

struct MenuButtonDesign {
    const char* label;
    Press press;
};

bool MenuButtonOf(int index, MenuButtonDesign* out) {
    static const char* const kMain[4] = {"操作練習", "シミュレーション選択", "センターと通信", "終了"};
    if (index >= kSkinMenuButton1Dn && index <= kSkinMenuButton4Up) {
        *out = {kMain[(index - kSkinMenuButton1Dn) / 2],
                (index - kSkinMenuButton1Dn) % 2 == 0 ? Press::kDown : Press::kUp};
        return true;
    }
    switch (index) {
        case kSkinCommButton1Up:
            *out = {"成績ランキング", Press::kUp};
            return true;
        case kSkinCommButton1Dn:
            *out = {"成績ランキング", Press::kDown};
            return true;
        case kSkinCommButton1Non:
            *out = {"成績ランキング", Press::kOff};
            return true;
        case kSkinCommButton2Up:
            *out = {"成績送信", Press::kUp};
            return true;
        case kSkinCommButton2Dn:
            *out = {"成績送信", Press::kDown};
            return true;
        case kSkinCommButton2Non:
            *out = {"成績送信", Press::kOff};
            return true;
        case kSkinCommButton3Up:
            *out = {"登録情報", Press::kUp};
            return true;
        case kSkinCommButton3Dn:
            *out = {"登録情報", Press::kDown};
            return true;
        case kSkinCommButton4Up:
            *out = {"戻る", Press::kUp};
            return true;
        case kSkinCommButton4Dn:
            *out = {"戻る", Press::kDown};
            return true;
        default:
            return false;
    }
}

void PaintOwn(CCanvas& canvas, int image, Mode mode) {
    if (image > kFrameImage) {
        PaintExecuteFrame(canvas, mode, image - kFrameImage - 1);
        return;
    }
    ButtonDesign button;
    if (ButtonOf(image, &button)) {
        PaintButton(canvas, mode, button.look, button.press);
        return;
    }
    MenuButtonDesign menu;
    if (MenuButtonOf(image, &menu)) {
        PaintMenuButton(canvas, mode, menu.label, menu.press);
        return;
    }
    switch (image) {
        case kSkinTitlePanel:
            PaintTitlePanel(canvas, mode);
            return;
        case kSkinMarketPanel:
            PaintMarketPanel(canvas, mode);
            return;
        case kSkinNewsPanel:
            PaintNewsPanel(canvas, mode);
            return;
        case kSkinAssetPanel:
            PaintAssetPanel(canvas, mode);
            return;
        case kSkinOrderPanel:
            PaintOrderPanel(canvas, mode);
            return;
        case kSkinInfoPanel:
            PaintInfoPanel(canvas, mode);
            return;
        case kSkinChartPanel:
            PaintChartPanel(canvas, mode);
            return;
        case kSkinBackground:
        case kSkinResultBackground:
            PaintChromeBackground(canvas, mode);
            return;
        case kSkinMarker1:
            PaintMarker(canvas, palette::kAccent);
            return;
        case kSkinMarker3:
            PaintMarker(canvas, palette::kBuy);
            return;
        case kSkinMenuBackground:
            PaintMenuBackground(canvas, mode);
            return;
        case kSkinMenuTitle:
            PaintMenuTitle(canvas, mode);
            return;
        case kSkinSelectTitle:
            PaintCatalogueTitle(canvas, mode);
            return;
        case kSkinSelectTable:
            PaintCatalogueTable(canvas, mode);
            return;
        case kSkinGray:
            canvas.Fill(Colour::Hex(0x9aa5b0));
            return;
        case kSkinResultScenarioPanel:
            PaintResultScenarioPanel(canvas, mode);
            return;
        case kSkinResultScenarioStrip:
            PaintResultScenarioStrip(canvas, mode);
            return;
        case kSkinResultPositionPanel:
            PaintResultPositionPanel(canvas, mode);
            return;
        case kSkinResultPositionStrip:
            PaintResultPositionStrip(canvas, mode);
            return;
        case kSkinResultChartPanel:
            PaintResultChartPanel(canvas, mode);
            return;
        case kSkinResultChartStrip:
        case kSkinResultChartStrip2:
            PaintResultChartStrip(canvas, mode);
            return;
        case kSkinResultNewsPanel:
            PaintResultNewsPanel(canvas, mode);
            return;
        case kSkinResultNewsStrip:
            PaintResultNewsStrip(canvas, mode);
            return;
        case kSkinMessagePopup:
            PaintDialog(canvas, mode);
            return;
        case kSkinRecordBackground:
            PaintRecordBackground(canvas, mode);
            return;
        case kSkinRankingBackground:
            PaintRankingBackground(canvas, mode);
            return;
        case kSkinRegistrationForm:
            PaintRegistrationForm(canvas, mode);
            return;
        case kSkinCommMenuBackground:
            PaintCommBackground(canvas, mode);
            return;
        case kSkinDetailPopup:
            PaintDetailDialog(canvas, mode);
            return;
        default:
            return;
    }
}

// The colour behind a button that no screen places: the chrome or a white panel body.
Colour UnplacedBackdrop(int image) {
    ButtonDesign button;
    if (ButtonOf(image, &button)) return button.look.onChrome ? palette::kChrome : palette::kBody;
    return palette::kChrome;
}

}  // namespace

const CBmpImage& CSkinPainter::Image(int image, Mode mode) {
    const auto key = std::make_pair(static_cast<int>(mode), image);
    if (auto it = done_.find(key); it != done_.end()) return it->second;

    const Size size = ImageSize(image, mode);
    CCanvas canvas(size.w, size.h);
    bool placed = false;
    for (const ScreenPlan& plan : ScreenPlans()) {
        for (std::size_t i = 0; i < plan.placements.size() && !placed; ++i) {
            const Placement& p = plan.placements[i];
            if (!p.present[mode]) continue;
            bool shown = false;
            for (int candidate : p.images) shown = shown || candidate == image;
            if (!shown) continue;
            placed = true;
            const Rect at = PlacementRect(p, mode);
            const int host = HostOf(plan, i, mode);
            if (host >= 0) {
                const Placement& h = plan.placements[static_cast<std::size_t>(host)];
                const Rect hostAt = PlacementRect(h, mode);
                canvas.Blit(Image(h.images.front(), mode), hostAt.left - at.left, hostAt.top - at.top);
            } else {
                // Backgrounds are tiled downwards from the top of the area.
                const CBmpImage& ground = Image(plan.background, mode);
                canvas.BlitTiled(ground, -at.left, -at.top);
            }
        }
        if (placed) break;
    }
    if (!placed) canvas.Fill(UnplacedBackdrop(image));
    PaintOwn(canvas, image, mode);
    return done_.emplace(key, canvas.ToImage()).first->second;
}

CBmpImage PaintSplashImage() {
    CCanvas canvas(kSplashSize.w, kSplashSize.h);
    PaintSplash(canvas);
    return canvas.ToImage();
}

}  // namespace valmore::skingen
