#pragma once

// An information panel with its three buttons, placed as on the simulation screen, over a play whose
// first product has a company information text; the host's glossary holds a chain of words, each
// explanation linking to the next.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/Canvas.h"
#include "platform/Sjis.h"
#include "playscreen/InfoPanel.h"
#include "sim/DayController.h"
#include "ui/FakeViewHost.h"
#include "ui/Skin.h"

namespace valmore::test {

// Word i of the chain: its key and its explanation, which links to word i + 1.
inline std::string ChainWord(int i) {
    return "W" + std::to_string(i);
}
inline std::string ChainDetail(int i) {
    return "About " + ChainWord(i) + ", see $d" + ChainWord(i + 1) + "$$.";
}

inline std::string GlossaryDict(int chainLength) {
    std::string dict = "{root {Dict ";
    for (int i = 0; i <= chainLength; ++i) {
        dict += "{" + std::to_string(i) + " {KEYWORD0 \"" + ChainWord(i) +
                "\"}{KEYWORD1 \"\"}{KEYWORD2 \"\"}{SEARCHKEY \"" + ChainWord(i) + "\"}{DETAIL \"" + ChainDetail(i) +
                "\"}}";
    }
    return dict + "}}";
}

class InfoOnScreen {
public:
    static constexpr int kChain = 120;

    explicit InfoOnScreen(int mode)
        : host(mode),
          info(host, controller),
          next(host, 36, 34, 35),
          prev(host, 21, 19, 20),
          back(host, 114, 115, 116),
          target(CBitmap::Create(host.CanvasSize().width, host.CanvasSize().height, Rgb{255, 255, 255})),
          canvas(target) {
        const bool sxga = mode == kModeSxga;
        const CSkin& skin = host.Skin();
        info.SetRect(sxga ? 7 : 6, sxga ? 727 : 582, skin.Width(5), skin.Height(5));
        next.PlaceAt(sxga ? 711 : 565, sxga ? 731 : 585);
        prev.PlaceAt(sxga ? 672 : 528, sxga ? 731 : 585);
        back.PlaceAt(sxga ? 500 : 400, sxga ? 731 : 585);
        info.SetButtons(&next, &prev, &back);
        EXPECT_TRUE(host.glossary.LoadGlossaryFromBytes(GlossaryDict(kChain), "QV.dict").Ok());

        CScenario scenario;
        scenario.header.ID = "info";
        scenario.header.ProductCount = 2;
        scenario.header.FundAmount = 1000000;
        scenario.products[0] = ScenarioProduct{"Alpha", "1001", 500, 1000, 1, 1};
        scenario.products[1] = ScenarioProduct{"Beta", "1002", 700, 1000, 1, 0};
        ScenarioEvent day;
        day.Price = {500, 700, 0};
        scenario.events.push_back(day);
        PrdInfoTable texts;
        texts.slots[1] = "Alpha makes $d" + ChainWord(5) + "$$.";
        controller.StartPlay();
        controller.Play()->Begin(std::move(scenario), std::move(texts));
    }

    LinkEntry Word(int i) const { return *host.FindLinkEntry(ChainWord(i)); }
    // A release on the first character of the link to the word, if the page shows one.
    bool ClickLinkTo(const std::string& key) {
        for (const MarkupFragment& f : info.Markup().Fragments(info.Page())) {
            if (f.link && f.linkKey == key) {
                info.OnMouseUp(0, f.rect.left + 1, f.rect.top + 1);
                return true;
            }
        }
        return false;
    }
    void Press(CSkinButton& button) {
        const Rect r = button.GetRect();
        button.OnMouseDown(kMouseLeftButton, r.left + 2, r.top + 2);
        button.OnMouseUp(0, r.left + 2, r.top + 2);
    }
    void Paint() { info.Draw(canvas); }
    // Pixels of a rectangle that differ from the panel's background bitmap.
    int InkIn(const Rect& within) const {
        const CBitmap& background = host.Skin().Bitmap(5);
        const Rect panel = info.GetRect();
        int count = 0;
        for (int y = within.top; y < within.bottom; ++y)
            for (int x = within.left; x < within.right; ++x)
                if (target.Pixel(x, y) != background.Pixel(x - panel.left, y - panel.top)) ++count;
        return count;
    }

    FakeViewHost host;
    CDayController controller;
    CInfoPanel info;
    CSkinButton next;
    CSkinButton prev;
    CSkinButton back;
    CBitmap target;
    CCanvas canvas;
};

}  // namespace valmore::test
