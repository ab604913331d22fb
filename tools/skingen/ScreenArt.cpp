#include "ScreenArt.h"

#include <cmath>
#include <string>
#include <vector>

#include "PanelArt.h"
#include "net/screens/RankingLayout.h"
#include "net/screens/RegistrationLayout.h"
#include "shell/MainMenuLayout.h"

namespace valmore::skingen {

namespace {

using palette::kBody;
using palette::kChrome;
using palette::kChromeLine;

void SetSource(cairo_t* cr, Colour c, double alpha = 1) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void VerticalGradient(CCanvas& canvas, Colour top, Colour bottom) {
    cairo_t* cr = canvas.Cr();
    cairo_pattern_t* grad = cairo_pattern_create_linear(0, 0, 0, canvas.Height());
    cairo_pattern_add_color_stop_rgb(grad, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(grad, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, grad);
    cairo_paint(cr);
    cairo_pattern_destroy(grad);
}

// A faint price line with a light grid behind it: the trainer's motif, kept in the background.
void ChartMotif(CCanvas& canvas, double top, double bottom, double alpha) {
    cairo_t* cr = canvas.Cr();
    CCairoSave save(cr);
    // Drawn into a group and faded in from the top, so the motif rises out of the background.
    cairo_push_group(cr);
    const double w = canvas.Width();
    SetSource(cr, palette::kChromeText, alpha * 0.35);
    cairo_set_line_width(cr, 1);
    const double step = std::round(w / 16);
    for (double x = step; x < w; x += step) {
        cairo_move_to(cr, x + 0.5, top);
        cairo_line_to(cr, x + 0.5, bottom);
    }
    for (double y = top; y <= bottom; y += step / 2) {
        cairo_move_to(cr, 0, std::round(y) + 0.5);
        cairo_line_to(cr, w, std::round(y) + 0.5);
    }
    cairo_stroke(cr);
    // A fixed walk of closing prices, so the picture is the same at every build.
    static const double kWalk[] = {0.62, 0.58, 0.66, 0.60, 0.52, 0.55, 0.47, 0.50, 0.41, 0.44, 0.38,
                                   0.45, 0.36, 0.30, 0.34, 0.27, 0.31, 0.24, 0.28, 0.20, 0.23, 0.16};
    const int n = static_cast<int>(sizeof kWalk / sizeof kWalk[0]);
    SetSource(cr, palette::kAccent, alpha);
    cairo_set_line_width(cr, 2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (int i = 0; i < n; ++i) {
        const double x = w * i / (n - 1);
        const double y = top + (bottom - top) * kWalk[i];
        if (i == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
    cairo_stroke(cr);
    cairo_pop_group_to_source(cr);
    cairo_pattern_t* fade = cairo_pattern_create_linear(0, top, 0, top + (bottom - top) * 0.45);
    cairo_pattern_add_color_stop_rgba(fade, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(fade, 1, 0, 0, 0, 1);
    cairo_mask(cr, fade);
    cairo_pattern_destroy(fade);
}

// The band behind the menu title: darker than the background, edged with thin accent lines.
void TitleBand(CCanvas& canvas, Box band) {
    cairo_t* cr = canvas.Cr();
    CCairoSave save(cr);
    SetSource(cr, Colour::Hex(0x000000), 0.25);
    cairo_rectangle(cr, band.x, band.y, band.w, band.h);
    cairo_fill(cr);
    SetSource(cr, palette::kAccent, 0.8);
    cairo_rectangle(cr, band.x, band.y, band.w, 1);
    cairo_rectangle(cr, band.x, band.y + band.h - 1, band.w, 1);
    cairo_fill(cr);
}

void MenuGround(CCanvas& canvas, Mode mode) {
    VerticalGradient(canvas, Colour::Hex(0x34475a), palette::kChromeDeep);
    const double h = canvas.Height();
    ChartMotif(canvas, h * (mode == kModeXga ? 0.74 : 0.72), h * 0.96, 0.22);
}

// A title plate at the top-left of a screen, on the chrome.
void ScreenTitle(CCanvas& canvas, Mode mode, const std::string& title, double width) {
    const Box where = mode == kModeXga ? Box{6 - 6, 5, width, 30} : Box{6 - 8, 6, width, 38};
    PaintChromeTitle(canvas, mode, title, where, mode == kModeXga ? 16 : 20);
}

// A white box whose first row holds headings, ruled into the program's columns and rows.
void HeadedTable(CCanvas& canvas, Mode mode, const std::vector<double>& cols, const std::vector<std::string>& heads,
                 double headTop, double firstRow, double rowHeight, int rows) {
    const double left = cols.front();
    const double right = cols.back();
    const double bottom = firstRow + rowHeight * rows;
    canvas.FillBox({left - 1, headTop - 1, right - left + 2, bottom - headTop + 3}, kBody);
    PaintHeadingRow(canvas, mode, cols, heads, headTop, firstRow - headTop);
    PaintRowRules(canvas, left, right, firstRow, rowHeight, rows);
    PaintColumnRules(canvas, cols, firstRow, bottom);
    canvas.Outline({left - 1, headTop - 1, right - left + 2, bottom - headTop + 3}, kChromeLine);
}

std::vector<double> Edges(double start, const std::vector<int>& widths) {
    std::vector<double> edges = {start};
    for (int w : widths) edges.push_back(edges.back() + w);
    return edges;
}

void Caption(CCanvas& canvas, Mode mode, const std::string& text, double x, double bottom) {
    const double px = mode == kModeXga ? 13 : 16;
    canvas.Text(text, {px, true}, {x, bottom - px - 8, 400, px + 6}, Align::kLeft, palette::kChromeMuted);
}

}  // namespace

void PaintChromeBackground(CCanvas& canvas, Mode) {
    canvas.Fill(kChrome);
}

void PaintMenuBackground(CCanvas& canvas, Mode mode) {
    MenuGround(canvas, mode);
}

void PaintMenuTitle(CCanvas& canvas, Mode mode) {
    const double w = canvas.Width();
    const double h = canvas.Height();
    TitleBand(canvas, {0, 0, w, h});
    const Font name{mode == kModeXga ? 26.0 : 40.0, true};
    const Font sub{mode == kModeXga ? 14.0 : 20.0, false};
    const std::string title = "ヴァルモア";
    const std::string subtitle = "株式売買トレーナー";
    const double gap = mode == kModeXga ? 18 : 26;
    const double wName = canvas.TextWidth(title, name);
    const double wSub = canvas.TextWidth(subtitle, sub);
    const double x = std::round((w - wName - gap - wSub) / 2);
    canvas.Text(title, name, {x, 0, wName + 2, h}, Align::kLeft, palette::kChromeText);
    canvas.Text(subtitle, sub, {x + wName + gap, 3, wSub + 2, h}, Align::kLeft, palette::kChromeMuted);
}

void PaintCommBackground(CCanvas& canvas, Mode mode) {
    MenuGround(canvas, mode);
    // The same band as the main menu's title picture, at the same place.
    const Box band{0, kMainMenuLayouts[static_cast<std::size_t>(mode)].title.y * 1.0, canvas.Width() * 1.0,
                   kSkinTable[kSkinMenuTitle].SizeIn(mode).h * 1.0};
    TitleBand(canvas, band);
    canvas.Text("センターと通信", {mode == kModeXga ? 24.0 : 36.0, true}, band, Align::kCentre, palette::kChromeText);
}

void PaintRecordBackground(CCanvas& canvas, Mode mode) {
    canvas.Fill(kChrome);
    ScreenTitle(canvas, mode, "成績一覧", mode == kModeXga ? 400 : 500);
    const bool x = mode == kModeXga;
    // The scenario's header line at (8, 82) / (9, 97), with its headings just above it.
    const std::vector<double> head = x ? Edges(8, {118, 253, 80, 80, 80, 80, 80, 73, 104, 62})
                                       : Edges(9, {155, 308, 100, 101, 100, 99, 101, 99, 125, 76});
    HeadedTable(canvas, mode, head,
                {"ID", "タイトル", "種別", "モード", "銘柄数", "レベル", "期間", "所要時間", "資金", "記録数"},
                x ? 60 : 70, x ? 82 : 97, x ? 20 : 25, 1);
    // The ten best results: rows from the list's top + 16 / + 24, 20 / 25 apart.
    const std::vector<double> list = x ? Edges(8, {84, 85, 84, 84, 84, 118, 117, 118, 117, 120})
                                       : Edges(8, {106, 107, 104, 106, 105, 147, 147, 147, 148, 148});
    const double first = x ? 208 + 16 : 250 + 24;
    const double headTop = first - (x ? 22 : 27);
    Caption(canvas, mode, "成績上位10件", list.front(), headTop - 2);
    HeadedTable(canvas, mode, list,
                {"順位", "日付", "総合得点", "収益得点", "判断得点", "実現損益", "税金", "手数料", "収益", "利回り(%)"},
                headTop, first, x ? 20 : 25, 10);
}

void PaintRankingBackground(CCanvas& canvas, Mode mode) {
    canvas.Fill(kChrome);
    const bool x = mode == kModeXga;
    // The title stays clear of the framed scenario title the program draws at x 261 / 326.
    ScreenTitle(canvas, mode, "成績ランキング", x ? 255 : 320);
    // The program writes the header line and the rows into these cells.
    const RankingLayout& l = kRankingLayouts[static_cast<std::size_t>(mode)];
    const std::vector<int> headWidths(l.headerWidths.begin(), l.headerWidths.end());
    HeadedTable(canvas, mode, Edges(l.headerOrigin.x, headWidths),
                {"ID", "タイトル", "種別", "モード", "銘柄数", "レベル", "期間", "所要時間", "資金", "自己記録"},
                x ? 60 : 70, l.headerOrigin.y, l.headerHeight, 1);
    const std::vector<double> table =
        Edges(l.tableOrigin.x, std::vector<int>(l.columnWidths.begin(), l.columnWidths.end()));
    const double first = l.tableOrigin.y;
    const double headTop = first - (x ? 22 : 27);
    Caption(canvas, mode, "ランキング", table.front(), headTop - 2);
    HeadedTable(canvas, mode, table,
                {"順位", "ニックネーム", "日付", "総合得点", "損益", "税金", "手数料", "収益", "利回り(%)"}, headTop,
                first, l.rowHeight, RankingLayout::kRows);
}

void PaintRegistrationForm(CCanvas& canvas, Mode mode) {
    PaintPanel(canvas, mode, "登録情報");
    const bool x = mode == kModeXga;
    // The program writes the three values centred in these boxes (canvas coordinates; the form
    // is drawn at (6, 207)).
    struct Field {
        const char* label;
        Box box;
    };
    const auto& values = kRegistrationLayouts[static_cast<std::size_t>(mode)].values;
    auto box = [](const valmore::Rect& r) { return Box{r.left * 1.0, r.top * 1.0, r.Width() * 1.0, r.Height() * 1.0}; };
    const Field fields[3] = {
        {"ユーザーID", box(values[0])},
        {"ニックネーム", box(values[1])},
        {"パスワード", box(values[2])},
    };
    const Font font{x ? 13.0 : 16.0, true};
    for (const Field& f : fields) {
        const Box b{f.box.x - 6, f.box.y - 207, f.box.w, f.box.h};
        canvas.FillBox({b.x - 1, b.y - 1, b.w + 2, b.h + 2}, kBody);
        canvas.Outline({b.x - 1, b.y - 1, b.w + 2, b.h + 2}, palette::kFieldLine);
        canvas.Text(f.label, font, {b.x - 220, b.y, 206, b.h}, Align::kRight, palette::kHeadText);
    }
}

void PaintDialog(CCanvas& canvas, Mode mode) {
    const double w = canvas.Width();
    const double h = canvas.Height();
    canvas.Fill(kChrome);
    // The body area both popups write into: origin (6, 35) / (6, 43), 609 x 144 / 741 x 248.
    const Box body = mode == kModeXga ? Box{6, 35, 609, 144} : Box{6, 43, 741, 248};
    canvas.FillBox(body, kBody);
    const double bar = body.y;
    canvas.Text("ヴァルモア", {mode == kModeXga ? 13.0 : 16.0, true}, {12, 0, 200, bar}, Align::kLeft,
                palette::kChromeMuted);
    canvas.Outline({0, 0, w, h}, kChromeLine);
}

void PaintDetailDialog(CCanvas& canvas, Mode mode) {
    const double w = canvas.Width();
    const double h = canvas.Height();
    canvas.Fill(kChrome);
    const double step = mode == kModeXga ? 180 : 292;
    const double bar = mode == kModeXga ? 35 : 43;
    const double bodyW = mode == kModeXga ? 609 : 741;
    const double bodyH = mode == kModeXga ? 144 : 248;
    for (int i = 0; i < 3; ++i) {
        canvas.FillBox({6, i * step + bar, bodyW, bodyH}, kBody);
        if (i > 0) canvas.HLine(1, w - 1, i * step - 1, kChromeLine);
    }
    canvas.Text("ヴァルモア", {mode == kModeXga ? 13.0 : 16.0, true}, {12, 0, 200, bar}, Align::kLeft,
                palette::kChromeMuted);
    canvas.Outline({0, 0, w, h}, kChromeLine);
}

void PaintSplash(CCanvas& canvas) {
    const double w = canvas.Width();
    const double h = canvas.Height();
    VerticalGradient(canvas, Colour::Hex(0x3a4e63), palette::kChromeDeep);
    ChartMotif(canvas, h * 0.52, h * 0.9, 0.35);
    cairo_t* cr = canvas.Cr();
    {
        CCairoSave save(cr);
        SetSource(cr, palette::kAccent, 0.9);
        cairo_rectangle(cr, w / 2 - 40, 150, 80, 2);
        cairo_fill(cr);
    }
    canvas.Text("ヴァルモア", {44, true}, {0, 84, w, 60}, Align::kCentre, palette::kChromeText);
    canvas.Text("株式売買トレーナー", {18, false}, {0, 160, w, 28}, Align::kCentre, palette::kChromeMuted);
    canvas.Text("起動しています…", {12, false}, {0, h - 34, w - 16, 20}, Align::kRight, palette::kChromeMuted);
    canvas.Outline({0, 0, w, h}, kChromeLine);
}

void PaintMarker(CCanvas& canvas, Colour colour) {
    canvas.Fill(kBody);
    cairo_t* cr = canvas.Cr();
    const double s = canvas.Width();
    canvas.RoundedPath({1, 1, s - 2, canvas.Height() - 2.0}, s / 5);
    SetSource(cr, colour);
    cairo_fill(cr);
}

}  // namespace valmore::skingen
