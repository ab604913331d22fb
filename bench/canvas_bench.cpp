// A full redraw of the canvas as a busy screen does it: the background, about thirty skin bitmaps
// and three hundred short Japanese labels in the eight skin fonts, in both resolution modes.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "platform/Sjis.h"

namespace valmore {
namespace {

struct Mode {
    int width;
    int height;
    int fontTenths[8];
};

constexpr Mode kModes[2] = {
    {1024, 768, {80, 90, 100, 110, 120, 140, 160, 180}},
    {1280, 1024, {100, 110, 120, 120, 140, 180, 200, 240}},
};

CBitmap Pattern(int w, int h, int seed) {
    CBitmap bitmap = CBitmap::Create(w, h, Rgb{static_cast<std::uint8_t>(40 + seed * 7 % 200), 120, 160});
    CCanvas canvas(bitmap);
    canvas.FillSolid(Rect{2, 2, w - 2, h - 2}, Rgb{230, 230, 235});
    return bitmap;
}

struct Scene {
    std::unique_ptr<CBitmap> target;
    std::unique_ptr<CCanvas> canvas;
    std::vector<std::unique_ptr<CFont>> fonts;
    CBitmap background;
    std::vector<CBitmap> bitmaps;
    std::vector<Point> bitmapPlaces;
    std::vector<std::string> texts;
    std::vector<Point> textPlaces;

    explicit Scene(const Mode& mode) {
        target = std::make_unique<CBitmap>(CBitmap::Create(mode.width, mode.height));
        canvas = std::make_unique<CCanvas>(*target);
        for (int tenths : mode.fontTenths) fonts.push_back(CFont::FromPointSize(tenths, Sj("ＭＳ ゴシック")));
        background = Pattern(mode.width, 64, 1);
        const double scale = mode.width / 1024.0;
        // Seven panel frames and twenty-three buttons.
        for (int i = 0; i < 30; ++i) {
            const bool panel = i < 7;
            const int w = static_cast<int>((panel ? 300 : 80) * scale);
            const int h = static_cast<int>((panel ? 200 : 28) * scale);
            bitmaps.push_back(Pattern(w, h, i));
            bitmapPlaces.push_back({(i * 137) % (mode.width - w), (i * 89) % (mode.height - h)});
        }
        const char* words[] = {"トヨタ自動車",     "買い",     "売り",      "見送る",   "1,234円",
                               "2005年3月1日(火)", "日経平均", "12,345.67", "保有株数", "評価損益",
                               "-56,000",          "現金残高", "注文",      "ニュース"};
        for (int i = 0; i < 300; ++i) {
            texts.push_back(Sj(words[i % std::size(words)]));
            textPlaces.push_back({(i * 53) % (mode.width - 200), (i * 31) % (mode.height - 30)});
        }
    }

    void Redraw(const std::vector<std::string>& labels) {
        CCanvas& c = *canvas;
        c.FillSolid(Rect{0, 0, target->Width(), target->Height()}, Rgb{0, 0, 0});
        for (int y = 0; y < target->Height(); y += background.Height()) c.DrawBitmap(background, 0, y);
        for (std::size_t i = 0; i < bitmaps.size(); ++i) c.DrawBitmap(bitmaps[i], bitmapPlaces[i].x, bitmapPlaces[i].y);
        c.SetBackgroundMode(BackgroundMode::Transparent);
        c.SetTextColour(Rgb{0, 0, 0});
        for (std::size_t i = 0; i < labels.size(); ++i) {
            // Panels draw in groups of about forty labels, each group clipped to its panel.
            if (i % 40 == 0) c.SetClip(Rect{0, 0, target->Width(), target->Height()});
            c.SelectFont(fonts[i / 40 % fonts.size()].get());
            if (i % 25 == 0) {
                // A value that has just changed is drawn on its highlight background.
                c.SetBackgroundMode(BackgroundMode::Opaque);
                c.SetBackgroundColour(Rgb{255, 150, 150});
                c.TextOut(textPlaces[i].x, textPlaces[i].y, labels[i]);
                c.SetBackgroundMode(BackgroundMode::Transparent);
            } else {
                c.TextOut(textPlaces[i].x, textPlaces[i].y, labels[i]);
            }
        }
        c.ClearClip();
    }
};

// The steady state: the same labels as in the previous frame, so every run comes from the cache.
void BM_FullRedraw(benchmark::State& state) {
    Scene scene(kModes[state.range(0)]);
    scene.Redraw(scene.texts);
    for (auto _ : state) {
        scene.Redraw(scene.texts);
        benchmark::DoNotOptimize(scene.target->Surface());
    }
    state.SetLabel(state.range(0) == 0 ? "XGA 1024x768" : "SXGA 1280x1024");
}
BENCHMARK(BM_FullRedraw)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The worst case: every label differs from every earlier one, so every run is shaped anew.
void BM_FullRedrawAllTextNew(benchmark::State& state) {
    Scene scene(kModes[state.range(0)]);
    std::vector<std::string> labels = scene.texts;
    long frame = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ++frame;
        for (std::size_t i = 0; i < labels.size(); ++i) labels[i] = scene.texts[i] + std::to_string(frame * 1000 + i);
        state.ResumeTiming();
        scene.Redraw(labels);
    }
    state.SetLabel(state.range(0) == 0 ? "XGA 1024x768" : "SXGA 1280x1024");
}
BENCHMARK(BM_FullRedrawAllTextNew)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Measuring a label, as layouts do character by character, once the widths are known.
void BM_MeasureLabel(benchmark::State& state) {
    auto font = CFont::FromPointSize(110, Sj("ＭＳ ゴシック"));
    const std::string label = Sj("2005年3月1日(火) 日経平均 12,345.67");
    font->TextWidth(label);
    for (auto _ : state) benchmark::DoNotOptimize(font->TextWidth(label));
}
BENCHMARK(BM_MeasureLabel);

}  // namespace
}  // namespace valmore
