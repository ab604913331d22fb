#pragma once

// A news panel with its three buttons, placed as on the simulation screen, driven by a real day
// controller through a view that passes the controller's calls on to the panel.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/Canvas.h"
#include "platform/Sjis.h"
#include "playscreen/NewsPanel.h"
#include "sim/DayController.h"
#include "ui/FakeViewHost.h"
#include "ui/Skin.h"

namespace valmore::test {

// `events` days of one product; day k has the headline "Headline k" and the detail text `detail(k)`.
inline CScenario NewsScenario(int events, std::string (*detail)(int) = nullptr) {
    CScenario scenario;
    scenario.header.ID = "news";
    scenario.header.ProductCount = 1;
    scenario.header.FundAmount = 1000000;
    scenario.market = ScenarioMarket{1.0, 120.0, 10000.0};
    scenario.products[0].Name = "P0";
    scenario.products[0].Price = 1000;
    for (int k = 0; k < events; ++k) {
        ScenarioEvent event;
        event.Date = "2024/04/" + std::to_string(k + 1);
        event.HeadLine = "Headline " + std::to_string(k);
        event.Detail = detail ? detail(k) : "Detail " + std::to_string(k);
        event.Price = {1000 + 10 * k, 0, 0};
        scenario.events.push_back(event);
    }
    return scenario;
}

class NewsOnScreen : public CNullPlayView {
public:
    NewsOnScreen(int mode, CScenario scenario)
        : host(mode),
          controller(this),
          news(host, controller),
          next(host, 36, 34, 35),
          list(host, 23, 22),
          prev(host, 21, 19, 20),
          target(CBitmap::Create(host.CanvasSize().width, host.CanvasSize().height, Rgb{255, 255, 255})),
          canvas(target) {
        const bool sxga = mode == kModeSxga;
        const CSkin& skin = host.Skin();
        news.SetRect(sxga ? 506 : 405, sxga ? 67 : 52, skin.Width(2), skin.Height(2));
        next.PlaceAt(sxga ? 1230 : 983, sxga ? 71 : 55);
        list.PlaceAt(sxga ? 1167 : 930, sxga ? 71 : 55);
        prev.PlaceAt(sxga ? 1129 : 897, sxga ? 71 : 55);
        list.toggle = true;
        list.pressed = true;
        for (CSkinButton* b : {&next, &list, &prev}) b->enabled = false;
        news.SetButtons(&next, &list, &prev);
        news.onGlossaryLink = [this](const LinkEntry& entry) { linked.push_back(entry); };
        controller.StartPlay();
        controller.Play()->Begin(std::move(scenario), PrdInfoTable{});
    }

    int State() const { return controller.GetState(); }
    int Sub() const { return controller.GetSubState(); }
    int Current() const { return controller.Play()->CurrentEventListIndex(); }

    // Ticks until the controller reaches the state (at most a minute of play).
    void TickUntil(int state, int sub) {
        for (int i = 0; i < 600 && !(State() == state && Sub() == sub); ++i) controller.Tick();
        ASSERT_EQ(State(), state);
        ASSERT_EQ(Sub(), sub);
    }
    // From the orders of one day to the orders of the next.
    void NextDay() {
        ASSERT_TRUE(controller.Execute().Accepted());
        TickUntil(CDayController::kDay, CDayController::kOrders);
    }
    void Paint() { news.Draw(canvas); }
    // Paints the panel anew, as after any change the controller announces.
    void Repaint() {
        news.dirty = true;
        Paint();
    }
    void Press(CSkinButton& button) {
        const Rect r = button.GetRect();
        button.OnMouseDown(kMouseLeftButton, r.left + 2, r.top + 2);
        button.OnMouseUp(0, r.left + 2, r.top + 2);
    }
    void ClickRow(int row) {
        const Rect r = news.RowRect(row);
        news.OnMouseUp(0, r.left + 5, r.top + 5);
    }
    // Pixels of a rectangle that differ from the panel's background bitmap.
    int InkIn(const Rect& within) const {
        const CBitmap& background = host.Skin().Bitmap(2);
        const Rect panel = news.GetRect();
        int count = 0;
        for (int y = within.top; y < within.bottom; ++y) {
            for (int x = within.left; x < within.right; ++x) {
                if (target.Pixel(x, y) != background.Pixel(x - panel.left, y - panel.top)) ++count;
            }
        }
        return count;
    }
    // The line of the announcement and of the pulsing label.
    Rect LabelLine() const { return news.RowRect(0); }

    // IPlayView: the news panel's part; everything else is not on this screen.
    void ResetNews() override { news.ResetNews(); }
    void UpdateNewsButtons() override { news.UpdateNewsButtons(); }
    void MarkNewsDirty() override { news.dirty = true; }
    void SetNewsSelectedEvent(int eventIndex) override { news.SetSelectedEvent(eventIndex); }
    void ShowNewsList() override { news.ShowListView(); }
    void RefreshAllPanels() override { news.dirty = true; }
    OrderColumns CurrentOrders() const override {
        OrderColumns columns;
        columns[0] = OrderColumn{0, 1, 0};
        return columns;
    }
    int TradeLogWidth() const override { return 500; }

    FakeViewHost host;
    CDayController controller;
    CNewsPanel news;
    CSkinButton next;
    CSkinButton list;
    CSkinButton prev;
    CBitmap target;
    CCanvas canvas;
    std::vector<LinkEntry> linked;
};

}  // namespace valmore::test
