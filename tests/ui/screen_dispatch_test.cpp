#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "ui/FakeViewHost.h"
#include "ui/Screen.h"
#include "ui/SkinButton.h"
#include "ui/SolidSkin.h"

namespace valmore {
namespace {

// A panel that writes every call it receives into a shared log.
class LoggingPanel : public CPanel {
public:
    LoggingPanel(IViewHost& owner, std::string name, std::vector<std::string>& log, int* destroyed = nullptr)
        : CPanel(owner), name_(std::move(name)), log_(log), destroyed_(destroyed) {}
    ~LoggingPanel() override {
        if (destroyed_) ++*destroyed_;
    }
    void Draw(CCanvas& dc) override {
        log_.push_back(name_ + " draw");
        if (onDraw) onDraw(dc);
    }
    void OnMouseMove(Point p) override {
        CPanel::OnMouseMove(p);
        log_.push_back(name_ + " move");
    }
    void OnMouseDown(unsigned, int, int) override { log_.push_back(name_ + " down"); }
    void OnMouseUp(unsigned, int, int) override { log_.push_back(name_ + " up"); }
    bool OnKeyDown(int key) override {
        log_.push_back(name_ + " key");
        return key == usesKey;
    }
    int usesKey = -1;
    std::function<void(CCanvas&)> onDraw;

private:
    std::string name_;
    std::vector<std::string>& log_;
    int* destroyed_;
};

struct ScreenWithPanels {
    test::SolidSkin files;
    std::unique_ptr<test::FakeViewHost> host;
    std::unique_ptr<CScreen> screen;
    std::vector<std::string> log;

    ScreenWithPanels() {
        host = std::make_unique<test::FakeViewHost>(kModeXga, files.Path());
        screen = std::make_unique<CScreen>(*host);
    }
    LoggingPanel* Add(const std::string& name, Rect r) {
        auto* panel = screen->AddPanel<LoggingPanel>(*host, name, log);
        panel->SetRect(r.left, r.top, r.Width(), r.Height());
        return panel;
    }
};

TEST(ScreenDispatch, EveryPanelFindsTheCanvasAsTheScreenLeftIt) {
    ScreenWithPanels t;
    auto* text = t.screen->AddPanel<CSkinButton>(*t.host);
    text->SetRect(0, 0, 40, 20);
    auto* after = t.Add("after", {0, 0, 10, 10});
    CBitmap target = CBitmap::Create(100, 100, Rgb{255, 255, 255});
    CCanvas canvas(target);
    canvas.SelectPen(Pen{PenStyle::Solid, 3, Rgb{255, 0, 0}});
    canvas.SetTextColour(Rgb{0, 0, 255});
    Pen penSeen;
    Rgb textSeen{};
    after->onDraw = [&](CCanvas& dc) {
        penSeen = dc.SelectPen(Pen{PenStyle::Solid, 1, Rgb{0, 255, 0}});
        textSeen = dc.SetTextColour(Rgb{0, 255, 0});
    };
    t.screen->Draw(canvas);
    // The text button set its own pen and colour; the panel after it does not see them.
    EXPECT_EQ(penSeen.colour, (Rgb{255, 0, 0}));
    EXPECT_EQ(textSeen, (Rgb{0, 0, 255}));
    EXPECT_EQ(canvas.SelectPen(Pen{}).colour, (Rgb{255, 0, 0}));
    EXPECT_EQ(canvas.SetTextColour(Rgb{}), (Rgb{0, 0, 255}));
}

TEST(ScreenDispatch, AClickOnOverlappingPanelsReachesBothInTableOrder) {
    ScreenWithPanels t;
    t.Add("a", {0, 0, 100, 100});
    t.Add("b", {50, 50, 150, 150});
    t.Add("c", {200, 200, 300, 300});
    t.screen->MouseDown(kMouseLeftButton, 60, 60);
    t.screen->MouseUp(0, 60, 60);
    EXPECT_EQ(t.log, (std::vector<std::string>{"a down", "b down", "a up", "b up"}));
}

TEST(ScreenDispatch, ClicksUseTheHalfOpenRectangle) {
    ScreenWithPanels t;
    t.Add("a", {0, 0, 100, 100});
    t.Add("b", {100, 0, 200, 100});
    t.screen->MouseDown(kMouseLeftButton, 100, 0);
    t.screen->MouseUp(0, 99, 99);
    t.screen->MouseUp(0, 150, 100);
    EXPECT_EQ(t.log, (std::vector<std::string>{"b down", "a up"}));
}

TEST(ScreenDispatch, MovesReachEveryPanelWhereverThePointerIs) {
    ScreenWithPanels t;
    LoggingPanel* a = t.Add("a", {0, 0, 100, 100});
    t.Add("b", {500, 500, 600, 600});
    t.screen->MouseMove({10, 10});
    EXPECT_EQ(t.log, (std::vector<std::string>{"a move", "b move"}));
    EXPECT_TRUE(a->hover);
    ASSERT_EQ(t.host->invalidated.size(), 1u);
    EXPECT_EQ(t.host->invalidated[0], (Rect{0, 0, 100, 100}));
    t.screen->MouseMove({20, 20});
    EXPECT_EQ(t.host->invalidated.size(), 1u);  // still inside: nothing to repaint
    t.screen->MouseMove({300, 300});
    EXPECT_FALSE(a->hover);
    EXPECT_EQ(t.host->invalidated.size(), 2u);
}

TEST(ScreenDispatch, HiddenButtonsAreSkipped) {
    ScreenWithPanels t;
    int clicks = 0;
    auto* button = t.screen->AddPanel<CSkinButton>(*t.host);
    button->SetRect(0, 0, 50, 50);
    button->onClick = [&](unsigned, int, int, CSkinButton&) { ++clicks; };
    t.Add("under", {0, 0, 50, 50});
    button->visible = false;
    t.screen->MouseDown(kMouseLeftButton, 10, 10);
    t.screen->MouseUp(0, 10, 10);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(button->pressed);
    EXPECT_EQ(t.log, (std::vector<std::string>{"under down", "under up"}));
}

TEST(ScreenDispatch, KeysAreOfferedInOrderUntilAPanelUsesOne) {
    ScreenWithPanels t;
    t.Add("a", {0, 0, 10, 10});
    t.Add("b", {0, 0, 10, 10})->usesKey = kKeyEnter;
    t.Add("c", {0, 0, 10, 10})->usesKey = kKeyEnter;
    EXPECT_TRUE(t.screen->OnKeyDown(kKeyEnter));
    EXPECT_EQ(t.log, (std::vector<std::string>{"a key", "b key"}));
    t.log.clear();
    EXPECT_FALSE(t.screen->OnKeyDown(kKeyEscape));
    EXPECT_EQ(t.log.size(), 3u);
}

TEST(ScreenDispatch, PanelsDrawInTableOrderAndDieWithTheScreen) {
    ScreenWithPanels t;
    int destroyed = 0;
    for (const char* name : {"a", "b", "c"}) t.screen->AddPanel<LoggingPanel>(*t.host, name, t.log, &destroyed);
    CBitmap target = CBitmap::Create(10, 10);
    CCanvas canvas(target);
    t.screen->Draw(canvas);
    EXPECT_EQ(t.log, (std::vector<std::string>{"a draw", "b draw", "c draw"}));
    t.screen.reset();
    EXPECT_EQ(destroyed, 3);
}

TEST(ScreenDispatch, AFullTableStillKeepsEveryPanelItWasGiven) {
    ScreenWithPanels t;
    for (int i = 0; i < CScreen::kMaxPanels + 5; ++i) t.Add(std::to_string(i), {0, 0, 10, 10});
    EXPECT_EQ(t.screen->Panels().size(), static_cast<std::size_t>(CScreen::kMaxPanels + 5));
    t.screen->MouseUp(0, 5, 5);
    EXPECT_EQ(t.log.back(), std::to_string(CScreen::kMaxPanels + 4) + " up");
}

TEST(ScreenBackground, TheBackgroundIsTiledDownwardsOverBlack) {
    ScreenWithPanels t;
    t.files.Put(kModeXga, 7, 300, 100, Rgb{0, 0, 200});
    test::FakeViewHost host(kModeXga, t.files.Path());
    CScreen screen(host);
    CBitmap target = CBitmap::Create(400, 250, Rgb{255, 255, 255});
    CCanvas canvas(target);
    screen.DrawBackground(canvas);
    for (int y : {0, 99, 100, 199, 200, 249}) EXPECT_EQ(target.Pixel(150, y), (Rgb{0, 0, 200})) << y;
    EXPECT_EQ(target.Pixel(350, 10), (Rgb{0, 0, 0}));
    EXPECT_EQ(target.Pixel(399, 249), (Rgb{0, 0, 0}));
}

TEST(ScreenBackground, AClippedPaintStillCoversItsWholeArea) {
    ScreenWithPanels t;
    t.files.Put(kModeXga, 7, 300, 100, Rgb{0, 0, 200});
    test::FakeViewHost host(kModeXga, t.files.Path());
    CScreen screen(host);
    CBitmap target = CBitmap::Create(400, 250, Rgb{255, 255, 255});
    CCanvas canvas(target);
    canvas.SetClip(Rect{0, 180, 400, 250});
    screen.DrawBackground(canvas);
    EXPECT_EQ(target.Pixel(150, 240), (Rgb{0, 0, 200}));
    EXPECT_EQ(target.Pixel(350, 240), (Rgb{0, 0, 0}));
    EXPECT_EQ(target.Pixel(150, 170), (Rgb{255, 255, 255}));  // outside the clip
}

TEST(ScreenBackground, AMissingBackgroundLeavesPlainBlack) {
    ScreenWithPanels t;
    t.screen->backgroundBitmap = 73;
    CBitmap target = CBitmap::Create(64, 48, Rgb{255, 255, 255});
    CCanvas canvas(target);
    t.screen->DrawBackground(canvas);
    EXPECT_EQ(target.Pixel(0, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(target.Pixel(63, 47), (Rgb{0, 0, 0}));
}

}  // namespace
}  // namespace valmore
