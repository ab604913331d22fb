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
        case 10:
            return make(Tone::kBuy, G, "買う", false, false, true, D);
        case 11:
            return make(Tone::kBuy, G, "買う", false, false, true, O);
        case 12:
            return make(Tone::kBuy, G, "買う", false, false, true, U);
        case 13:
            return make(N, Glyph::kDown, "", false, true, false, D);
        case 14:
            return make(N, Glyph::kDown, "", false, true, false, O);
        case 15:
            return make(N, Glyph::kDown, "", false, true, false, U);
        case 16:
            return make(N, Glyph::kInfo, "情報", false, false, false, D);
        case 17:
            return make(N, Glyph::kInfo, "情報", false, false, false, O);
        case 18:
            return make(N, Glyph::kInfo, "情報", false, false, false, U);
        case 19:
        case 76:
            return make(N, Glyph::kLeft, "", true, true, false, D);
        case 20:
        case 77:
            return make(N, Glyph::kLeft, "", true, true, false, O);
        case 21:
        case 78:
            return make(N, Glyph::kLeft, "", true, true, false, U);
        case 22:
            return make(N, G, "一覧", true, false, false, D);
        case 23:
            return make(N, G, "一覧", true, false, false, U);
        case 24:
            return make(N, G, "最新", true, false, false, D);
        case 25:
            return make(N, G, "最新", true, false, false, U);
        case 26:
            return make(Tone::kExecute, G, "次へ", true, true, false, D);
        case 27:
            return make(Tone::kExecute, G, "次へ", true, true, false, O);
        case 28:
            return make(Tone::kExecute, G, "次へ", true, true, false, U);
        case 29:
            return make(Tone::kPass, G, "見送る", false, false, true, D);
        case 30:
            return make(Tone::kPass, G, "見送る", false, false, true, O);
        case 31:
            return make(Tone::kPass, G, "見送る", false, false, true, U);
        case 32:
            return make(N, G, "終了", false, false, false, D);
        case 33:
            return make(N, G, "終了", false, false, false, U);
        case 74:
            return make(N, G, "終了", false, false, false, O);
        case 34:
        case 81:
            return make(N, Glyph::kRight, "", true, true, false, D);
        case 35:
        case 82:
            return make(N, Glyph::kRight, "", true, true, false, O);
        case 36:
        case 83:
            return make(N, Glyph::kRight, "", true, true, false, U);
        case 37:
            return make(Tone::kSell, G, "売る", false, false, true, D);
        case 38:
            return make(Tone::kSell, G, "売る", false, false, true, O);
        case 39:
            return make(Tone::kSell, G, "売る", false, false, true, U);
        case 40:
            return make(N, Glyph::kUp, "", false, true, false, D);
        case 41:
            return make(N, Glyph::kUp, "", false, true, false, O);
        case 42:
            return make(N, Glyph::kUp, "", false, true, false, U);
        // The start of a new play is the screen's main action, so it takes the accent colour.
        case 55:
            return make(Tone::kExecute, G, "開始", true, false, false, D);
        case 56:
            return make(Tone::kExecute, G, "開始", true, false, false, U);
        case 64:
            return make(Tone::kExecute, G, "開始", true, false, false, O);
        case 57:
            return make(N, G, "成績", true, false, false, D);
        case 58:
            return make(N, G, "成績", true, false, false, U);
        case 91:
            return make(N, G, "成績", true, false, false, O);
        case 59:
            return make(N, G, "前回の続き", true, false, false, D);
        case 60:
            return make(N, G, "前回の続き", true, false, false, U);
        case 88:
            return make(N, G, "前回の続き", true, false, false, O);
        case 61:
            return make(N, G, "メニューへ戻る", true, false, false, D);
        case 62:
            return make(N, G, "メニューへ戻る", true, false, false, U);
        case 75:
            return make(N, G, "解説", false, false, false, U);
        case 79:
            return make(N, G, "メニュー", true, false, false, D);
        case 80:
            return make(N, G, "メニュー", true, false, false, U);
        case 84:
            return make(N, G, "詳細", false, false, false, D);
        case 85:
            return make(N, G, "詳細", false, false, false, U);
        case 89:
            return make(N, G, "詳細", false, false, false, O);
        case 86:
            return make(N, G, "OK", true, false, false, U);
        case 87:
            return make(N, G, "OK", true, false, false, D);
        case 94:
        case 114:
            return make(N, G, "戻る", true, false, false, U);
        case 95:
        case 115:
            return make(N, G, "戻る", true, false, false, D);
        case 116:
            return make(N, G, "戻る", true, false, false, O);
        case 97:
            return make(N, G, "登録変更", false, false, false, U);
        case 98:
            return make(N, G, "登録変更", false, false, false, D);
        case 100:
            return make(N, G, "キャンセル", true, false, false, U);
        case 101:
            return make(N, G, "キャンセル", true, false, false, D);
        case 117:
            return make(N, G, "はい", true, false, false, U);
        case 118:
            return make(N, G, "はい", true, false, false, D);
        case 119:
            return make(N, G, "いいえ", true, false, false, U);
        case 120:
            return make(N, G, "いいえ", true, false, false, D);
        default:
            return false;
    }
}

struct MenuSpec {
    const char* label;
    Press press;
};

bool MenuButtonOf(int index, MenuSpec* out) {
    static const char* const kMain[4] = {"操作練習", "シミュレーション選択", "センターと通信", "終了"};
    if (index >= 45 && index <= 52) {
        *out = {kMain[(index - 45) / 2], (index - 45) % 2 == 0 ? Press::kDown : Press::kUp};
        return true;
    }
    switch (index) {
        case 103:
            *out = {"成績ランキング", Press::kUp};
            return true;
        case 104:
            *out = {"成績ランキング", Press::kDown};
            return true;
        case 105:
            *out = {"成績ランキング", Press::kOff};
            return true;
        case 106:
            *out = {"成績送信", Press::kUp};
            return true;
        case 107:
            *out = {"成績送信", Press::kDown};
            return true;
        case 108:
            *out = {"成績送信", Press::kOff};
            return true;
        case 109:
            *out = {"登録情報", Press::kUp};
            return true;
        case 110:
            *out = {"登録情報", Press::kDown};
            return true;
        case 111:
            *out = {"戻る", Press::kUp};
            return true;
        case 112:
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
    MenuSpec menu;
    if (MenuButtonOf(image, &menu)) {
        PaintMenuButton(canvas, mode, menu.label, menu.press);
        return;
    }
    switch (image) {
        case 0:
            PaintTitlePanel(canvas, mode);
            return;
        case 1:
            PaintMarketPanel(canvas, mode);
            return;
        case 2:
            PaintNewsPanel(canvas, mode);
            return;
        case 3:
            PaintAssetPanel(canvas, mode);
            return;
        case 4:
            PaintOrderPanel(canvas, mode);
            return;
        case 5:
            PaintInfoPanel(canvas, mode);
            return;
        case 6:
            PaintChartPanel(canvas, mode);
            return;
        case 7:
        case 73:
            PaintChromeBackground(canvas, mode);
            return;
        case 8:
            PaintMarker(canvas, palette::kAccent);
            return;
        case 9:
            PaintMarker(canvas, palette::kBuy);
            return;
        case 43:
            PaintMenuBackground(canvas, mode);
            return;
        case 44:
            PaintMenuTitle(canvas, mode);
            return;
        case 53:
            PaintCatalogueTitle(canvas, mode);
            return;
        case 54:
            PaintCatalogueTable(canvas, mode);
            return;
        case 63:
            canvas.Fill(Colour::Hex(0x9aa5b0));
            return;
        case 65:
            PaintResultScenarioPanel(canvas, mode);
            return;
        case 66:
            PaintResultScenarioStrip(canvas, mode);
            return;
        case 67:
            PaintResultPositionPanel(canvas, mode);
            return;
        case 68:
            PaintResultPositionStrip(canvas, mode);
            return;
        case 69:
            PaintResultChartPanel(canvas, mode);
            return;
        case 70:
        case 96:
            PaintResultChartStrip(canvas, mode);
            return;
        case 71:
            PaintResultNewsPanel(canvas, mode);
            return;
        case 72:
            PaintResultNewsStrip(canvas, mode);
            return;
        case 90:
            PaintDialog(canvas, mode);
            return;
        case 92:
            PaintRecordBackground(canvas, mode);
            return;
        case 93:
            PaintRankingBackground(canvas, mode);
            return;
        case 99:
            PaintRegistrationForm(canvas, mode);
            return;
        case 102:
            PaintCommBackground(canvas, mode);
            return;
        case 113:
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
