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

    CDayController::State State() const { return controller.GetState(); }
    CDayController::SubState Sub() const { return controller.GetSubState(); }
    int Current() const { return controller.Play()->CurrentEventListIndex(); }

    // Ticks until the controller reaches the state (at most a minute of play).
    void TickUntil(CDayController::State state, CDayController::SubState sub) {
        for (int i = 0; i < 600 && !(State() == state && Sub() == sub); ++i) controller.Tick();
        ASSERT_EQ(State(), state);
        ASSERT_EQ(Sub(), sub);
    }
    // From the orders of one day to the orders of the next.
    // Passes on the one product, as the execute button would.
    OrderOutcome Execute() {
        OrderColumns columns;
        columns[0] = OrderColumn{0, OrderChoice::Pass, 0};
        return controller.Execute(columns);
    }
    void NextDay() {
        ASSERT_TRUE(Execute().Accepted());
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

    // IPlayView: the news panel's part of the simulation screen; nothing else is on this screen.
    void OnPlayEvent(PlayEvent event) override {
        switch (event) {
            case PlayEvent::PlayReset:
                news.ResetNews();
                break;
            case PlayEvent::DayOpened:
                news.SetSelectedEvent(Current());
                news.dirty = true;
                news.ShowListView();
                news.UpdateNewsButtons();
                break;
            case PlayEvent::LastDayPlayed:
                news.SetSelectedEvent(Current());
                news.UpdateNewsButtons();
                break;
            case PlayEvent::OrdersOpened:
            case PlayEvent::PricesMoved:
                news.dirty = true;
                news.UpdateNewsButtons();
                break;
            case PlayEvent::OpeningEnded:
            case PlayEvent::PlayFinished:
                news.UpdateNewsButtons();
                break;
            default:
                break;
        }
    }
    bool OnTick() override {
        if (controller.GetState() == CDayController::kDay && controller.GetSubState() == CDayController::kNews) {
            news.dirty = true;
        }
        return true;
    }

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
