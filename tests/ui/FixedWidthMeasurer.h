#pragma once

// A measurer with round numbers, so layout tests can state positions exactly: one-byte characters
// are 8 pixels wide, two-byte characters 16, and every character of skin font N is N pixels high.

#include <map>
#include <set>
#include <string_view>

#include "ui/MarkupMeasure.h"

namespace valmore::test {

class FixedWidthMeasurer final : public IMarkupMeasurer {
public:
    static constexpr int kNarrow = 8;
    static constexpr int kWide = 16;

    bool SelectFont(int skinFont) override {
        static const std::set<int> kSkinFonts{8, 9, 10, 11, 12, 14, 16, 18};
        if (!kSkinFonts.contains(skinFont)) return false;
        font_ = skinFont;
        return true;
    }
    Size Measure(std::string_view sjisChar) const override { return {sjisChar.size() >= 2 ? kWide : kNarrow, font_}; }
    int FontHeight() const override { return font_; }
    Size SkinBitmapSize(int index) const override {
        const auto it = bitmaps_.find(index);
        return it == bitmaps_.end() ? Size{} : it->second;
    }

    void SetBitmapSize(int index, Size size) { bitmaps_[index] = size; }
    int SelectedFont() const { return font_; }

private:
    int font_ = 0;
    std::map<int, Size> bitmaps_;
};

}  // namespace valmore::test
