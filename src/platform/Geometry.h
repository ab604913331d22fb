#pragma once

// Plain geometry values of the drawing layer: points, sizes and rectangles in whole pixels.

#include <algorithm>

namespace valmore {

struct Point {
    int x = 0;
    int y = 0;

    bool operator==(const Point&) const = default;
};

struct Size {
    int width = 0;
    int height = 0;

    bool operator==(const Size&) const = default;
};

// A rectangle by its edges. Left and top are inside, right and bottom are the first pixels outside,
// so a rectangle from (0, 0) to (10, 10) covers 10 x 10 pixels.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static constexpr Rect FromSize(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    constexpr bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    constexpr bool Contains(Point p) const { return Contains(p.x, p.y); }

    constexpr Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }

    // The common part of both rectangles; an empty rectangle when they do not meet.
    constexpr Rect Intersect(const Rect& other) const {
        Rect r{std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
               std::min(bottom, other.bottom)};
        return r.IsEmpty() ? Rect{} : r;
    }

    // The smallest rectangle holding both; an empty rectangle does not count.
    constexpr Rect Union(const Rect& other) const {
        if (IsEmpty()) return other;
        if (other.IsEmpty()) return *this;
        return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
                std::max(bottom, other.bottom)};
    }

    bool operator==(const Rect&) const = default;
};

}  // namespace valmore
