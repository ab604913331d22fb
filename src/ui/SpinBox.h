#pragma once

// A number with an UP button on the left and a DOWN button on the right, stepping between a minimum
// and a maximum. Increment does not clamp: a step that does not divide the range may pass the maximum.

#include <cstdint>
#include <memory>

#include "ui/SkinButton.h"

namespace valmore {

class CSpinBox : public CPanel {
public:
    explicit CSpinBox(IViewHost& owner);
    ~CSpinBox() override;

    void Draw(CCanvas& dc) override;
    // Hover tracking, and a press dragged off the UP or DOWN button lets it go.
    void OnMouseMove(Point point) override;
    void OnMouseUp(unsigned flags, int x, int y) override;
    void OnMouseDown(unsigned flags, int x, int y) override;

    // Lays the box out at (x, y) from the size of the UP button's pressed image; width and height
    // passed along are ignored.
    void SetRect(int x, int y, int width = 0, int height = 0) override;

    void SetEnabled(bool on);
    void SetMin(std::int32_t m);  // also value := m
    void SetMax(std::int32_t m);  // also value := min
    void SetStep(std::int32_t s);
    void Reset();  // value := min, without the button update
    void Increment();
    void Decrement();

    bool Enabled() const { return enabled; }
    std::int32_t Value() const { return value_; }
    std::int32_t Min() const { return min_; }
    std::int32_t Max() const { return max_; }
    std::int32_t Step() const { return step_; }
    // Sets the value directly (a restored order), with the button update.
    void SetValue(std::int32_t v);

    CSkinButton& UpButton() { return *upButton_; }
    CSkinButton& DownButton() { return *downButton_; }
    const Rect& UpRect() const { return upRect_; }
    const Rect& DownRect() const { return downRect_; }
    const Rect& ValueRect() const { return valueRect_; }

private:
    void UpdateButtons();

    std::int32_t value_ = 1000;
    std::int32_t step_ = 1000;
    std::int32_t max_ = 10000;
    std::int32_t min_ = 1000;
    Rect upRect_{};
    Rect downRect_{};
    Rect valueRect_{};
    std::unique_ptr<CSkinButton> upButton_;
    std::unique_ptr<CSkinButton> downButton_;
};

}  // namespace valmore
