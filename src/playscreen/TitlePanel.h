#pragma once

// The strip across the top of the simulation screen with the title of the scenario being played.

#include <array>

#include "ui/Panel.h"

namespace valmore {

class CDayController;

class CTitlePanel : public CPanel {
public:
    CTitlePanel(IViewHost& owner, const CDayController& controller);

    void Draw(CCanvas& dc) override;
    void SetRect(int x, int y, int width, int height) override;

    const Rect& TextRect() const { return textRect_; }

private:
    const CDayController& controller_;
    Rect textRect_{};
};

}  // namespace valmore
