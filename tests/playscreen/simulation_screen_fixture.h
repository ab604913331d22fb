#pragma once

// A simulation screen over a headless host, with a day controller playing a scenario written by
// the test, and helpers to click, answer popups and look at the pixels drawn.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/Sjis.h"
#include "playscreen/AnimatedButton.h"
#include "playscreen/OrderPanel.h"
#include "playscreen/SimulationScreen.h"
#include "sim/DayController.h"
#include "sim/SnapshotStore.h"
#include "support/TempDir.h"
#include "ui/Dialog.h"
#include "ui/FakeViewHost.h"
#include "ui/Skin.h"
#include "ui/SpinBox.h"

namespace valmore::test {

struct ProductEntry {
    std::string name;
    std::string code;
    int price = 1000;
    int unit = 1000;
    int info = 1;
};

// One day: the price of every product after the day's move; no date suppresses the day line.
struct DayPrices {
    std::vector<int> prices;
    bool dated = true;
};

inline std::string ScenarioText(const std::vector<ProductEntry>& products, const std::vector<DayPrices>& days,
                                const std::string& fund = "10000000") {
    std::string text =
        "{root\n{Header {ID \"PS1\"}{Title \"Panel Test\"}{Category \"0\"}{Mode \"1\"}{Level \"1\"}"
        "{Duration \"" +
        std::to_string(days.size()) + "\"}{EstimatedTime \"5\"}{FundAmount \"" + fund + "\"}}\n{Product ";
    for (std::size_t i = 0; i < products.size(); ++i) {
        const ProductEntry& p = products[i];
        text += "{" + std::to_string(i) + " {Name \"" + p.name + "\"}{Code \"" + p.code + "\"}{Price \"" +
                std::to_string(p.price) + "\"}{UnitQty \"" + std::to_string(p.unit) + "\"}{TicPrice \"10\"}{InfoNo \"" +
                std::to_string(p.info) + "\"}}";
    }
    text += "}\n{Market {Interest \"3.0\"}{Exchange \"110.25\"}{N225 \"15000\"}}\n{Event ";
    for (std::size_t k = 0; k < days.size(); ++k) {
        text += "{" + std::to_string(k) + " ";
        if (days[k].dated) text += "{Date \"2024/04/0" + std::to_string(k + 1) + "\"}";
        text += "{HeadLine \"h" + std::to_string(k) + "\"}{Detail \"d" + std::to_string(k) + "\"}{Motion ";
        for (std::size_t i = 0; i < days[k].prices.size(); ++i) {
            text += "{" + std::to_string(i) + " {Price \"" + std::to_string(days[k].prices[i]) + "\"}}";
        }
        text += "}}";
    }
    text += "}\n{PrdInfo {1 \"company one\"}}\n}\n";
    return text;
}

// Products "Alpha", "Beta", "Gamma" at 1000 yen in units of 1000, with company information text 1.
inline std::vector<ProductEntry> Products(int count) {
    std::vector<ProductEntry> all{{"Alpha", "1001"}, {"Beta", "1002"}, {"Gamma", "1003"}};
    all.resize(static_cast<std::size_t>(count));
    return all;
}

// Days on which every price stays at 1000.
inline std::vector<DayPrices> FlatDays(int products, int days) {
    return std::vector<DayPrices>(static_cast<std::size_t>(days), DayPrices{std::vector<int>(products, 1000)});
}

class ScreenTest {
public:
    explicit ScreenTest(int mode = kModeXga)
        : host(mode), dialog(host), screen(host, controller, dialog, snapshots, dir / "snapshot.dat", VALMORE_RUN_DIR) {
        controller.SetView(&screen);
        host.Window().SetFeed([this](CHeadlessWindow&) { return AnswerPopup(); });
    }

    // Starts a play of a scenario written into the temporary folder.
    void Begin(const std::string& scenario) {
        const auto file = dir.Write("test.scn", scenario);
        const ScenarioLoadResult loaded = controller.NewPlay(file);
        ASSERT_TRUE(loaded.ok) << loaded.Message();
    }
    void Begin(int products, int days = 3) { Begin(ScenarioText(Products(products), FlatDays(products, days))); }

    // Ticks until the day's orders are accepted (or the play is over).
    void TickUntilOrders() {
        for (int i = 0; i < 500 && !controller.AcceptingOrders(); ++i) controller.Tick();
        ASSERT_TRUE(controller.AcceptingOrders());
    }
    // The day's orders as the order panel holds them, executed as the execute button does (without
    // the notice of a refusal).
    OrderOutcome Execute() { return controller.Execute(screen.OrderPanel().CurrentOrders()); }
    // Executes the orders as they stand (which must be accepted) and ticks on to the next day's orders.
    void ExecuteAndNextDay() {
        ASSERT_TRUE(Execute().Accepted());
        TickUntilOrders();
    }

    // A press and release in the middle of a panel, as the main view delivers them.
    void Click(const CPanel& panel) { ClickAt(panel.GetRect()); }
    void ClickAt(const Rect& r) {
        const int x = (r.left + r.right) / 2;
        const int y = (r.top + r.bottom) / 2;
        screen.MouseDown(kMouseLeftButton, x, y);
        screen.MouseUp(0, x, y);
    }

    void Paint() { screen.Draw(host.Window().Canvas()); }
    const CBitmap& Picture() { return host.Window().BackBuffer(); }

    // Pixels of the picture inside the rectangle with exactly this colour.
    int CountColour(const Rect& r, Rgb colour) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) n += Picture().Pixel(x, y) == colour ? 1 : 0;
        }
        return n;
    }
    // The darkest channel among the pixels that differ from the skin bitmap laid at `origin`; 255
    // when nothing was drawn over it.
    int DarkestOver(const Rect& r, int bitmap, Point origin) {
        const CBitmap& background = host.Skin().Bitmap(bitmap);
        int darkest = 255;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                const Rgb p = Picture().Pixel(x, y);
                if (p == background.Pixel(x - origin.x, y - origin.y)) continue;
                darkest = std::min({darkest, int{p.r}, int{p.g}, int{p.b}});
            }
        }
        return darkest;
    }

    // Popup answers, in order: QVDialog::kResultYes or kResultNo for a question; a notice is
    // always closed with OK. Every popup shown is recorded with its mode.
    std::vector<int> answers;
    std::vector<int> popupModes;

    TempDir dir;
    FakeViewHost host;
    QVDialog dialog;
    CDayController controller;
    CSnapshotStore snapshots;
    CSimulationScreen screen;

private:
    bool AnswerPopup() {
        if (!dialog.IsOpen()) return false;
        popupModes.push_back(dialog.Mode());
        bool yes = false;
        if (dialog.Mode() == QVDialog::kModeQuestion) {
            if (answers.empty()) {
                ADD_FAILURE() << "a question nobody expected";
            } else {
                yes = answers.front() == QVDialog::kResultYes;
                answers.erase(answers.begin());
            }
        }
        const Rect b = dialog.Bounds();
        const Rect r = (yes ? dialog.Button1() : dialog.Button2()).GetRect();
        const int x = b.left + (r.left + r.right) / 2;
        const int y = b.top + (r.top + r.bottom) / 2;
        host.Window().QueueInput(InputEvent::LeftDown(x, y));
        host.Window().QueueInput(InputEvent::LeftUp(x, y));
        return true;
    }
};

inline const char* ModeName(const ::testing::TestParamInfo<int>& info) {
    return info.param == kModeXga ? "Xga" : "Sxga";
}

}  // namespace valmore::test
