#pragma once

// Plays a scenario to its end the way the program does: the day controller paces it tick by tick,
// the orders of each day are executed when the controller accepts them, and when the play ends the
// controller prepares and shows the result screen through the screens' interface.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Sjis.h"
#include "results/ResultRecordFromFigures.h"
#include "results/ResultStore.h"
#include "results/screens/ResultScreen.h"
#include "sim/DayController.h"
#include "support/TempDir.h"
#include "ui/DetailDialog.h"
#include "ui/FakeViewHost.h"

namespace valmore::test {

// The screens as the day controller sees them: only the switches of screen matter here. The
// result screen lays itself out when it becomes current, as the main view activates it.
class ResultScreenView : public CNullPlayView {
public:
    ResultScreenView(FakeViewHost& host, CResultScreen*& screen) : host_(host), screen_(screen) {}

    void OnPlayEvent(PlayEvent event) override {
        switch (event) {
            case PlayEvent::PlayReset:
                host_.SwitchScreen(0);
                break;
            case PlayEvent::ResultDue:
                host_.SwitchScreen(3);
                if (screen_) screen_->Activate();
                host_.InvalidateAll();
                break;
            case PlayEvent::PlayAbandoned:
                host_.SwitchScreen(1);
                break;
            default:
                break;
        }
    }

private:
    FakeViewHost& host_;
    CResultScreen*& screen_;
};

// One day's orders, one token per product: "B500" buy, "S500" sell, "P" pass.
inline OrderColumns ParseDayOrders(const std::string& line) {
    OrderColumns columns{};
    std::istringstream tokens(line);
    std::string token;
    for (int p = 0; p < kMaxProducts; ++p) columns[static_cast<std::size_t>(p)] = {p, OrderChoice::Pass, 0};
    for (int p = 0; p < kMaxProducts && tokens >> token; ++p) {
        OrderColumn& column = columns[static_cast<std::size_t>(p)];
        if (token[0] == 'B') column.choice = OrderChoice::Buy;
        if (token[0] == 'S') column.choice = OrderChoice::Sell;
        if (token.size() > 1) column.quantity = std::stoi(token.substr(1));
    }
    return columns;
}

// The days of an orders file of the command-line tool.
inline std::vector<OrderColumns> ReadOrdersFile(const std::filesystem::path& file) {
    std::vector<OrderColumns> days;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        days.push_back(ParseDayOrders(line));
    }
    return days;
}

inline std::filesystem::path RunFolder() {
    return VALMORE_RUN_DIR;
}
inline std::filesystem::path ShippedScenario(const std::string& name) {
    return RunFolder() / "data" / (name + ".scn");
}
inline std::filesystem::path ShippedOrders(const std::string& name) {
    return std::filesystem::path(VALMORE_SOURCE_DIR) / "content" / "orders" / (name + ".orders");
}

// A scenario text with one event per entry of `judges` (one judge text per product, "" for none)
// and prices moving by a fixed step; the file is plain (not packed).
struct ScenarioOutline {
    std::vector<std::string> names{"Alpha"};
    std::vector<std::vector<std::string>> judges;  // judges[event][product]
    std::string detail = "detail";                 // each day's texts end in its number
    std::string info = "info";
};

inline std::string ScenarioText(const ScenarioOutline& outline) {
    const int products = static_cast<int>(outline.names.size());
    const int events = static_cast<int>(outline.judges.size());
    std::string text = "{root {Header {ID \"RS-TEST\"}{Title \"" + Sj("試験用シナリオ") +
                       "\"}{Category \"0\"}{Mode \"1\"}{Level \"2\"}{Duration \"" + std::to_string(events) +
                       "\"}{EstimatedTime \"5\"}{FundAmount \"10000000\"}}{Product";
    for (int p = 0; p < products; ++p) {
        text += " {" + std::to_string(p) + " {Name \"" + outline.names[static_cast<std::size_t>(p)] + "\"}{Code \"" +
                std::to_string(1001 + p) + "\"}{Price \"1000\"}{UnitQty \"100\"}{InfoNo \"0\"}}";
    }
    text += "}{Market {Interest \"1\"}{Exchange \"120\"}{N225 \"10000\"}}{Event";
    for (int e = 0; e < events; ++e) {
        text += " {" + std::to_string(e) + " {Date \"2024/04/" + std::to_string(e + 1) + "\"}{HeadLine \"" +
                Sj("見出し") + std::to_string(e) + "\"}{Detail \"" + outline.detail + std::to_string(e) + "\"}{Info \"" +
                outline.info + std::to_string(e) + "\"}{Motion";
        for (int p = 0; p < products; ++p) {
            const std::string& judge = outline.judges[static_cast<std::size_t>(e)][static_cast<std::size_t>(p)];
            text += " {" + std::to_string(p) + " {Price \"" + std::to_string(1000 + 10 * (e + 1) * (p + 1)) + "\"}";
            if (!judge.empty()) text += "{Judge \"" + judge + "\"}";
            text += "}";
        }
        text += "}}";
    }
    text += "}}";
    return text;
}

// A host, the result screen on it, and a day controller that ends its plays on that screen.
class ResultScreenRig {
public:
    explicit ResultScreenRig(int mode)
        : host(mode),
          detail(host),
          store(folder / "result.dat"),
          view(host, screenPointer),
          controller(&view),
          screen(host, controller, detail, &store) {
        screenPointer = &screen;
        controller.dateText = [] { return std::string("2024/05/01"); };
        controller.onFinished = [this](const FinalFigures& figures) {
            finished = figures;
            store.Add(figures.ScenarioID, ResultRecordFromFigures(figures));
        };
    }

    // Starts a play of the file; false (with the reason reported) when it cannot be loaded.
    bool Start(const std::filesystem::path& scenario) {
        ScenarioLoadResult loaded = controller.NewPlay(scenario);
        EXPECT_TRUE(loaded.ok) << loaded.Message();
        return loaded.ok;
    }

    // Ticks the started play to its end, executing each day's orders when the controller asks for
    // them (days without orders pass), until the result screen is current.
    bool PlayToResult(const std::vector<OrderColumns>& days, int maxTicks = 20000) {
        for (int tick = 0; tick < maxTicks; ++tick) {
            if (host.CurrentScreen() == 3) return true;
            if (controller.AcceptingOrders()) {
                const int day = controller.Play()->CurrentEventListIndex();
                const OrderColumns orders =
                    day < static_cast<int>(days.size()) ? days[static_cast<std::size_t>(day)] : ParseDayOrders("");
                OrderOutcome outcome = controller.Execute(orders);
                EXPECT_TRUE(outcome.Accepted()) << "day " << day << " was refused";
                if (!outcome.Accepted()) return false;
            }
            controller.Tick();
        }
        ADD_FAILURE() << "the play did not reach the result screen";
        return false;
    }

    bool Play(const std::filesystem::path& scenario, const std::vector<OrderColumns>& days) {
        return Start(scenario) && PlayToResult(days);
    }

    // Paints the screen into the back buffer, as a paint of the window would.
    const CBitmap& Paint() {
        CCanvas& canvas = host.Window().Canvas();
        canvas.ClearClip();
        screen.Draw(canvas);
        return host.Window().BackBuffer();
    }

    // A click on a panel or button of the screen, as the main view routes it.
    void Click(const Rect& target) {
        const int x = (target.left + target.right) / 2;
        const int y = (target.top + target.bottom) / 2;
        screen.MouseDown(kMouseLeftButton, x, y);
        screen.MouseUp(0, x, y);
    }

    // Writes the back buffer to VALMORE_SCREENSHOT_DIR when that is set, for looking at by eye.
    void SaveScreenshot(const std::string& name) {
        const char* folder = std::getenv("VALMORE_SCREENSHOT_DIR");
        if (!folder || !*folder) return;
        std::string error;
        EXPECT_TRUE(host.Window().BackBuffer().SavePng(std::filesystem::path(folder) / (name + ".png"), &error))
            << error;
    }

    const CPlay& Play() const { return *controller.Play(); }

    TempDir folder;
    FakeViewHost host;
    QVDetailDialog detail;
    CResultStore store;
    CResultScreen* screenPointer = nullptr;
    ResultScreenView view;
    CDayController controller;
    CResultScreen screen;
    std::optional<FinalFigures> finished;
};

inline const char* ModeName(const ::testing::TestParamInfo<int>& info) {
    return info.param == kModeXga ? "Xga" : "Sxga";
}

}  // namespace valmore::test
