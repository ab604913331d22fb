// The colours of the table's rows as they come out on the canvas: the selected row red, a scenario
// never finished dark blue, the others black.

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "platform/Canvas.h"
#include "results/ResultStore.h"
#include "scenario/screens/ScenarioCatalog.h"
#include "scenario_screens/ScenarioFolder.h"
#include "sim/SnapshotStore.h"
#include "ui/FakeViewHost.h"
#include "ui/Skin.h"

namespace valmore {
namespace {

using test::FakeViewHost;
using test::ScenarioFolder;
using test::ScenarioText;

int Distance(Rgb a, Rgb b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

// The text colour of a row: among the pixels the text changed, the one that changed most is
// covered by a glyph entirely. None when the row was left as it was.
std::optional<Rgb> InkOfRow(const CBitmap& drawn, const CBitmap& bare, const CScenarioCatalog& catalog, int row) {
    std::optional<Rgb> ink;
    int most = 0;
    for (int column = 0; column < CScenarioCatalog::kColumns; ++column) {
        const Rect cell = catalog.Cell(row, column);
        for (int y = cell.top; y < cell.bottom; ++y) {
            for (int x = cell.left; x < cell.right && x < drawn.Width(); ++x) {
                const int d = Distance(drawn.Pixel(x, y), bare.Pixel(x, y));
                if (d > most) {
                    most = d;
                    ink = drawn.Pixel(x, y);
                }
            }
        }
    }
    return ink;
}

bool Near(std::optional<Rgb> actual, Rgb expected) {
    return actual && Distance(*actual, expected) <= 45;
}

class RowColours : public ::testing::TestWithParam<int> {};

TEST_P(RowColours, SelectedRedUnplayedDarkBluePlayedBlack) {
    FakeViewHost host{GetParam()};
    if (host.Skin().Font(11) == nullptr) GTEST_SKIP() << "no fonts";
    ScenarioFolder folder;
    for (const char* id : {"A", "B", "C", "D"}) {
        ScenarioText s;
        s.id = id;
        s.title = "WWWWWWWW";
        folder.Add(std::string(id) + ".scn", s);
    }
    CResultStore results{folder.dir / "result.dat"};
    results.Add("A", ResultRecord{});
    results.Add("C", ResultRecord{});
    CSnapshotStore snapshots;
    CScenarioCatalog catalog{host, results};
    const Point at = GetParam() == kModeXga ? Point{6, 38} : Point{9, 76};
    catalog.PlaceAt(at.x, at.y);
    catalog.EnumerateScenarios(folder.Path(), snapshots);
    const Rect selected = catalog.Cell(2, 1);
    catalog.OnMouseUp(0, selected.left + 3, selected.top + 3);
    ASSERT_EQ(catalog.Selection(), 2);

    const Size canvas = host.CanvasSize();
    CBitmap drawn = CBitmap::Create(canvas.width, canvas.height, Rgb{255, 255, 255});
    CBitmap bare = CBitmap::Create(canvas.width, canvas.height, Rgb{255, 255, 255});
    {
        CCanvas dc(drawn);
        catalog.Draw(dc);
        CCanvas bareDc(bare);
        bareDc.DrawBitmap(host.Skin().Bitmap(CScenarioCatalog::kBackgroundBitmap), at.x, at.y);
    }

    const auto a = InkOfRow(drawn, bare, catalog, 0);
    const auto b = InkOfRow(drawn, bare, catalog, 1);
    const auto c = InkOfRow(drawn, bare, catalog, 2);
    const auto d = InkOfRow(drawn, bare, catalog, 3);
    auto text = [](std::optional<Rgb> p) {
        if (!p) return std::string("nothing drawn");
        return std::to_string(p->r) + "," + std::to_string(p->g) + "," + std::to_string(p->b);
    };
    EXPECT_TRUE(Near(a, kPalette.text)) << text(a);
    EXPECT_TRUE(Near(b, kPalette.unplayed)) << text(b);
    // Selected wins over "never finished" and over "finished".
    EXPECT_TRUE(Near(c, kPalette.currentItem)) << text(c);
    EXPECT_TRUE(Near(d, kPalette.unplayed)) << text(d);
    // Rows without a scenario stay as the picture has them.
    EXPECT_FALSE(InkOfRow(drawn, bare, catalog, 4).has_value());
}

INSTANTIATE_TEST_SUITE_P(BothModes, RowColours, ::testing::Values(kModeXga, kModeSxga),
                         [](const auto& info) { return info.param == kModeXga ? "Xga" : "Sxga"; });

}  // namespace
}  // namespace valmore
