#include "PanelArt.h"

#include <algorithm>
#include <cmath>

namespace valmore::skingen {

namespace {

using palette::kBody;
using palette::kChrome;
using palette::kChromeLine;

Font HeadingFont(Mode mode) {
    return {mode == kModeXga ? 12.0 : 14.0, true};
}
double TitlePx(Mode mode) {
    return mode == kModeXga ? 14 : 17;
}

template <typename T>
std::vector<double> Offset(const std::vector<T>& values, double by) {
    std::vector<double> out;
    for (T v : values) out.push_back(static_cast<double>(v) + by);
    return out;
}

// Strips are drawn over their panel at the panel's left edge and width, so they carry the
// panel's outline on their sides (and at the bottom when they reach the panel's bottom).
void StripSides(CCanvas& canvas, bool bottom) {
    canvas.VLine(0, 0, canvas.Height(), kChromeLine);
    canvas.VLine(canvas.Width() - 1, 0, canvas.Height(), kChromeLine);
    if (bottom) canvas.HLine(0, canvas.Width(), canvas.Height() - 1, kChromeLine);
}

// The box beside a result panel's title in which the program writes a score.
void ScoreBox(CCanvas& canvas, Mode mode, const std::string& label) {
    const Box box = mode == kModeXga ? Box{861, 7, 84, 19} : Box{1051, 6, 107, 27};
    canvas.FillBox(box, kBody);
    canvas.Outline(box, palette::kFieldLine);
    const double gap = mode == kModeXga ? 8 : 10;
    canvas.Text(label, {TitlePx(mode) - 1, true}, {box.x - 160 - gap, 0, 160, static_cast<double>(BandHeight(mode))},
                Align::kRight, palette::kChromeMuted);
}

}  // namespace

int BandHeight(Mode mode) {
    return mode == kModeXga ? 32 : 40;
}

void PaintChromeTitle(CCanvas& canvas, Mode mode, const std::string& title, Box where, double px) {
    const double barW = mode == kModeXga ? 3 : 4;
    const double barH = std::round(px * 1.05);
    const double x = where.x + (mode == kModeXga ? 8 : 10);
    canvas.FillBox({x, std::round(where.y + (where.h - barH) / 2), barW, barH}, palette::kAccent);
    canvas.Text(title, {px, true}, {x + barW + (mode == kModeXga ? 6 : 8), where.y, where.w - x - 20, where.h},
                Align::kLeft, palette::kChromeText);
}

void PaintPanel(CCanvas& canvas, Mode mode, const std::string& title) {
    const double w = canvas.Width();
    const double h = canvas.Height();
    const double band = BandHeight(mode);
    canvas.Fill(kBody);
    canvas.FillBox({0, 0, w, band}, kChrome);
    PaintChromeTitle(canvas, mode, title, {0, 0, w, band}, TitlePx(mode));
    canvas.Outline({0, 0, w, h}, kChromeLine);
}

void PaintHeadingRow(CCanvas& canvas, Mode mode, const std::vector<double>& bounds,
                     const std::vector<std::string>& headings, double top, double height) {
    const double right = std::min(bounds.back(), canvas.Width() - 1.0);
    canvas.FillBox({bounds.front(), top, right - bounds.front(), height}, palette::kHeadFill);
    canvas.HLine(bounds.front(), right, top + height - 1, palette::kHeadLine);
    for (std::size_t i = 1; i + 1 < bounds.size(); ++i) {
        canvas.VLine(bounds[i] - 1, top + 3, top + height - 3, palette::kHeadLine);
    }
    for (std::size_t i = 0; i < headings.size() && i + 1 < bounds.size(); ++i) {
        const double w = bounds[i + 1] - bounds[i];
        canvas.Text(headings[i], HeadingFont(mode), {bounds[i] + 2, top, w - 4, height}, Align::kCentre,
                    palette::kHeadText);
    }
}

void PaintColumnRules(CCanvas& canvas, const std::vector<double>& bounds, double top, double bottom) {
    for (std::size_t i = 1; i + 1 < bounds.size(); ++i) {
        if (bounds[i] < canvas.Width() - 1) canvas.VLine(bounds[i] - 1, top, bottom, palette::kGrid);
    }
}

void PaintRowRules(CCanvas& canvas, double left, double right, double firstTop, double rowHeight, int rows) {
    for (int r = 0; r < rows; ++r) canvas.HLine(left, right, firstTop + rowHeight * (r + 1) - 1, palette::kGrid);
}

void PaintTitlePanel(CCanvas& canvas, Mode mode) {
    const double w = canvas.Width();
    const double h = canvas.Height();
    canvas.Fill(kBody);
    canvas.Outline({0, 0, w, h}, kChromeLine);
    // The emblem fills the space left of the scenario title: rising bars on an accent tile.
    cairo_t* cr = canvas.Cr();
    const double lead = mode == kModeXga ? 50 : 63;
    const double s = mode == kModeXga ? 28 : 36;
    const Box tile{std::round((lead - s) / 2), std::round((h - s) / 2), s, s};
    {
        CCairoSave save(cr);
        cairo_pattern_t* grad = cairo_pattern_create_linear(0, tile.y, 0, tile.y + s);
        cairo_pattern_add_color_stop_rgb(grad, 0, palette::kAccent.r, palette::kAccent.g, palette::kAccent.b);
        cairo_pattern_add_color_stop_rgb(grad, 1, palette::kAccentDeep.r, palette::kAccentDeep.g,
                                         palette::kAccentDeep.b);
        canvas.RoundedPath(tile, mode == kModeXga ? 5 : 6);
        cairo_set_source(cr, grad);
        cairo_fill(cr);
        cairo_pattern_destroy(grad);
    }
    const double bar = std::round(s * 0.16);
    const double gap = std::round(s * 0.1);
    const double base = tile.y + s - std::round(s * 0.2);
    const double left = tile.x + std::round((s - 3 * bar - 2 * gap) / 2);
    const double heights[3] = {0.28, 0.45, 0.62};
    for (int i = 0; i < 3; ++i) {
        const double bh = std::round(s * heights[i]);
        canvas.FillBox({left + i * (bar + gap), base - bh, bar, bh}, Colour::Hex(0xffffff));
    }
    // The product name sits quietly at the right, before the QUIT button.
    const double quitLeft = mode == kModeXga ? 917 : 1148;
    const double px = mode == kModeXga ? 13 : 16;
    canvas.VLine(quitLeft - 12, h * 0.25, h * 0.75, palette::kGrid);
    canvas.Text("ヴァルモア", {px, true}, {quitLeft - 24 - 200, 0, 200, h}, Align::kRight, palette::kMutedText);
}

void PaintMarketPanel(CCanvas& canvas, Mode mode) {
    PaintPanel(canvas, mode, "マーケット");
    // The program's grid: six weighted columns and five equal rows below the title band.
    const int w = canvas.Width();
    const int h = canvas.Height();
    const int left = 2;
    const int top = mode == kModeXga ? 35 : 54;
    const int areaW = w - 2 - left;
    const int areaH = h - 2 - top;
    auto col = [&](int weight) { return left + areaW * weight / 65; };
    auto row = [&](int r) { return top + areaH * r / 5; };
    canvas.HLine(left + 4, w - 6, row(1) - 1, palette::kHeadLine);
    for (int r = 2; r <= 4; ++r) canvas.HLine(left + 4, w - 6, row(r) - 1, palette::kGrid);
    canvas.VLine(col(25) - 1, row(1) + 3, h - 6, palette::kGrid);
}

void PaintNewsPanel(CCanvas& canvas, Mode mode) {
    PaintPanel(canvas, mode, "ニュース");
}

void PaintAssetPanel(CCanvas& canvas, Mode mode) {
    PaintPanel(canvas, mode, "資産");
    static const std::vector<int> xX = {2, 76, 170, 245, 325, 458, 546, 625, 703, 782, 860, 926, 1013};
    static const std::vector<int> xS = {2, 96, 214, 307, 407, 574, 684, 783, 880, 979, 1076, 1159, 1266};
    static const std::vector<int> yX = {51, 71, 91, 111, 131, 151, 171};
    static const std::vector<int> yS = {65, 90, 115, 140, 165, 190, 215};
    const std::vector<double> x = Offset(mode == kModeXga ? xX : xS, 0);
    const std::vector<double> y = Offset(mode == kModeXga ? yX : yS, 0);
    const double right = std::min(x.back(), canvas.Width() - 2.0);
    // Row 0 holds the totals, row 1 the headings, row 2 cash and rows 3 to 5 the holdings.
    canvas.HLine(x.front(), right, y[0] - 1, palette::kHeadLine);
    PaintHeadingRow(canvas, mode, x,
                    {"銘柄コード", "銘柄名", "持ち株数", "現値", "時価", "平均コスト", "実現損益", "評価損益",
                     "損益合計", "税金", "手数料", "収益"},
                    y[1], y[2] - y[1]);
    canvas.FillBox({x[0], y[0], x[2] - x[0] - 1, y[1] - y[0] - 1}, palette::kHeadFill);
    canvas.Text("資産合計", HeadingFont(mode), {x[0], y[0], x[2] - x[0], y[1] - y[0]}, Align::kCentre,
                palette::kHeadText);
    canvas.HLine(x.front(), right, y[1] - 1, palette::kHeadLine);
    std::vector<double> totalsBounds(x.begin() + 2, x.end());
    totalsBounds.insert(totalsBounds.begin(), x[0]);
    PaintColumnRules(canvas, totalsBounds, y[0], y[1] - 1);
    PaintColumnRules(canvas, x, y[2], y[6]);
    PaintRowRules(canvas, x.front(), right, y[2], y[3] - y[2], 4);
}

void PaintOrderPanel(CCanvas& canvas, Mode mode) {
    PaintPanel(canvas, mode, "注文");
    // Faint separators between the three order columns, above and below their button row.
    const double top = mode == kModeXga ? 35 : 54;
    const double rowTop = mode == kModeXga ? 95 : 119;
    const double rowBottom = rowTop + (mode == kModeXga ? 27 : 34);
    for (int c = 1; c <= 2; ++c) {
        const double x = mode == kModeXga ? 337.0 * c : 1.0 + 421.0 * c;
        canvas.VLine(x, top + 4, rowTop - 4, palette::kGrid);
        canvas.VLine(x, rowBottom + 4, canvas.Height() - 6, palette::kGrid);
    }
    // In XGA the button row runs from the panel's left edge to its right edge, so the buttons'
    // own borders take the place of the outline there, and every column's buttons find the
    // same white behind their corners.
    if (mode == kModeXga) {
        canvas.VLine(0, rowTop, rowBottom, kBody);
        canvas.VLine(canvas.Width() - 1, rowTop, rowBottom, kBody);
    }
}

void PaintInfoPanel(CCanvas& canvas, Mode mode) {
    PaintPanel(canvas, mode, "情報");
}

void PaintChartPanel(CCanvas& canvas, Mode mode) {
    PaintPanel(canvas, mode, "チャート");
}

namespace {

std::vector<double> ScenarioCells(Mode mode) {
    static const std::vector<int> x = {0, 119, 372, 452, 532, 612, 692, 772, 845, 949, 1012};
    static const std::vector<int> s = {0, 154, 462, 561, 661, 762, 862, 962, 1061, 1197, 1262};
    return Offset(mode == kModeXga ? x : s, 0);
}

// Column edges of the position table, relative to the panel: the program measures them from
// the inner left, four pixels in.
std::vector<double> PositionColumns(Mode mode) {
    static const std::vector<int> x = {0, 150, 321, 493, 666, 838, 1011};
    static const std::vector<int> s = {0, 167, 383, 616, 838, 1047, 1262};
    return Offset(mode == kModeXga ? x : s, 4);
}

}  // namespace

void PaintResultScenarioPanel(CCanvas& canvas, Mode mode) {
    PaintPanel(canvas, mode, "シミュレーション結果");
    // The data row sits right under the strip's headings: inner top + 44 / + 65.
    const double top = mode == kModeXga ? 32 + 44 : 32 + 65;
    const double height = mode == kModeXga ? 20 : 25;
    const std::vector<double> cells = ScenarioCells(mode);
    PaintColumnRules(canvas, cells, top, top + height);
    canvas.HLine(1, canvas.Width() - 1, top + height, palette::kHeadLine);
}

void PaintResultScenarioStrip(CCanvas& canvas, Mode mode) {
    canvas.Fill(kBody);
    const double height = mode == kModeXga ? 22 : 28;
    PaintHeadingRow(canvas, mode, ScenarioCells(mode),
                    {"ID", "タイトル", "種別", "モード", "銘柄数", "レベル", "期間", "所要時間", "資金(円)", "記録数"},
                    canvas.Height() - height, height);
    StripSides(canvas, false);
}

void PaintResultPositionPanel(CCanvas& canvas, Mode mode) {
    PaintPanel(canvas, mode, "ポジション結果");
    ScoreBox(canvas, mode, "収益得点");
    // Cash and product rows below the strip: they start at inner top + 64 / + 81.
    const double top = mode == kModeXga ? 33 + 64 : 40 + 81;
    const double row = mode == kModeXga ? 20 : 25;
    std::vector<double> cols = PositionColumns(mode);
    const double right = std::min(cols.back(), canvas.Width() - 2.0);
    PaintColumnRules(canvas, cols, top, top + 4 * row);
    PaintRowRules(canvas, cols.front(), right, top, row, 4);
}

void PaintResultPositionStrip(CCanvas& canvas, Mode mode) {
    canvas.Fill(kBody);
    const std::vector<double> cols = PositionColumns(mode);
    const double right = std::min(cols.back(), canvas.Width() - 2.0);
    // Headings above the totals row (which starts at inner top + 23 / + 30), then the totals
    // row with its label, then a band that introduces the breakdown rows.
    const double headH = mode == kModeXga ? 23 : 30;
    const double totalsBottom = mode == kModeXga ? 44 : 56;
    PaintHeadingRow(canvas, mode, cols, {"銘柄", "時価", "実現損益", "税金", "手数料", "収益"}, 0, headH);
    canvas.FillBox({cols[0], headH, cols[1] - cols[0] - 1, totalsBottom - headH - 1}, palette::kHeadFill);
    canvas.Text("合計", HeadingFont(mode), {cols[0], headH, cols[1] - cols[0], totalsBottom - headH}, Align::kCentre,
                palette::kHeadText);
    PaintColumnRules(canvas, cols, headH, totalsBottom);
    canvas.HLine(cols.front(), right, totalsBottom - 1, palette::kHeadLine);
    const double h = canvas.Height();
    canvas.FillBox({cols.front(), totalsBottom, right - cols.front(), h - totalsBottom - 1}, Colour::Hex(0xf5f7f9));
    canvas.Text("内訳", {HeadingFont(mode).px, false}, {cols[0], totalsBottom, cols[1] - cols[0], h - totalsBottom},
                Align::kCentre, palette::kMutedText);
    canvas.HLine(cols.front(), right, h - 1, palette::kGrid);
    StripSides(canvas, false);
}

void PaintResultChartPanel(CCanvas& canvas, Mode mode) {
    PaintPanel(canvas, mode, "チャート");
}

void PaintResultChartStrip(CCanvas& canvas, Mode) {
    canvas.Fill(kBody);
    StripSides(canvas, true);
}

void PaintResultNewsPanel(CCanvas& canvas, Mode mode) {
    PaintPanel(canvas, mode, "ニュースと取引履歴");
    ScoreBox(canvas, mode, "判断得点");
}

void PaintResultNewsStrip(CCanvas& canvas, Mode mode) {
    canvas.Fill(kBody);
    // One rule after each day's two lines (headline, then decisions).
    const int rows = mode == kModeXga ? 4 : 5;
    const double first = mode == kModeXga ? 3 : 4;
    const double block = mode == kModeXga ? 40 : 50;
    for (int i = 0; i < rows; ++i) canvas.HLine(6, canvas.Width() - 6, first + block * (i + 1) - 1, palette::kGrid);
    StripSides(canvas, true);
}

void PaintCatalogueTitle(CCanvas& canvas, Mode mode) {
    canvas.Fill(kChrome);
    PaintChromeTitle(canvas, mode, "シミュレーション選択",
                     {-(mode == kModeXga ? 8.0 : 10.0) + 2, 0, canvas.Width() + 20.0, static_cast<double>(canvas.Height())},
                     mode == kModeXga ? 16 : 20);
}

void PaintCatalogueTable(CCanvas& canvas, Mode mode) {
    const double w = canvas.Width();
    const double h = canvas.Height();
    canvas.Fill(kBody);
    // The program measures its columns from the table's left edge plus 6.
    static const std::vector<int> x = {2, 117, 368, 439, 510, 582, 653, 725, 795, 900, 963, 1010};
    static const std::vector<int> s = {2, 156, 465, 553, 642, 730, 819, 909, 998, 1136, 1201, 1266};
    const std::vector<double> cols = Offset(mode == kModeXga ? x : s, 6);
    const double head = mode == kModeXga ? 42 : 27;
    const double row = mode == kModeXga ? 20 : 25;
    canvas.FillBox({1, 1, w - 2, head - 1}, palette::kHeadFill);
    PaintHeadingRow(
        canvas, mode, cols,
        {"ID", "タイトル", "種別", "モード", "銘柄数", "レベル", "期間", "所要時間", "資金", "記録数", "中断"}, 1,
        head - 1);
    canvas.HLine(1, w - 1, head - 1, palette::kHeadLine);
    PaintRowRules(canvas, 1, w - 1, head, row, 30);
    PaintColumnRules(canvas, cols, head, head + 30 * row);
    canvas.Outline({0, 0, w, h}, kChromeLine);
}

}  // namespace valmore::skingen
