#pragma once

// Looking at what panels drew: the darkest pixel and the extent of everything that is not the
// background colour inside a rectangle.

#include <algorithm>

#include "platform/Bitmap.h"

namespace valmore::test {

struct Ink {
    int pixels = 0;
    Rect box;           // smallest rectangle around the ink
    int darkest = 255;  // lowest channel value found
};

inline Ink InkOn(const CBitmap& bitmap, const Rect& within, Rgb background = Rgb{255, 255, 255}) {
    Ink ink;
    for (int y = within.top; y < within.bottom; ++y) {
        for (int x = within.left; x < within.right; ++x) {
            const Rgb p = bitmap.Pixel(x, y);
            if (p == background) continue;
            ++ink.pixels;
            ink.box = ink.box.Union({x, y, x + 1, y + 1});
            ink.darkest = std::min({ink.darkest, int{p.r}, int{p.g}, int{p.b}});
        }
    }
    return ink;
}

}  // namespace valmore::test
