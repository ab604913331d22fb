#pragma once

// Drawing into a bitmap, with the state of a classic device context: the selected font, the text
// and background colours, the background mode, the text alignment, a pen, a brush, a stretch mode,
// an origin and a clip rectangle. A fresh canvas draws black text on an opaque white background,
// left and top aligned, with a black one-pixel pen and a white brush.
//
// Text is Shift_JIS. Shapes are drawn without anti-aliasing, so edges land on whole pixels; text is
// anti-aliased.

#include <optional>
#include <string_view>

#include "platform/Bitmap.h"
#include "platform/Color.h"
#include "platform/Font.h"
#include "platform/Geometry.h"
#include "platform/GfxHandles.h"

namespace valmore {

enum class PenStyle { Solid, Dash, Null };

struct Pen {
    PenStyle style = PenStyle::Solid;
    int width = 1;
    Rgb colour{};
};

// A brush fills the inside of rectangles; a hollow brush leaves it alone.
struct Brush {
    bool hollow = false;
    Rgb colour{255, 255, 255};

    static Brush Solid(Rgb c) { return {false, c}; }
    static Brush Hollow() { return {true, Rgb{}}; }
};

enum class BackgroundMode { Opaque, Transparent };
enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Baseline, Bottom };
// ColorOnColor copies the nearest source pixel; Halftone filters, for pictures scaled down.
enum class StretchMode { ColorOnColor, Halftone };

class CCanvas {
public:
    // Options of DrawText.
    enum TextFlags : unsigned {
        kLeft = 0,
        kCenter = 1u << 0,
        kRight = 1u << 1,
        kVCenter = 1u << 2,      // with kSingleLine: the line is centred vertically in the rectangle
        kBottom = 1u << 3,       // with kSingleLine: the line sits on the bottom edge
        kSingleLine = 1u << 4,   // line feeds are ordinary characters; without it each "\n" starts a line
        kEndEllipsis = 1u << 5,  // a line too wide for the rectangle ends in "..." and fits
        kNoClip = 1u << 6,       // otherwise drawing is clipped to the rectangle
    };

    // The canvas draws into target, which must outlive it. An empty target makes every operation
    // do nothing.
    explicit CCanvas(CBitmap& target);
    ~CCanvas();
    CCanvas(const CCanvas&) = delete;
    CCanvas& operator=(const CCanvas&) = delete;

    CBitmap& Target() const { return *target_; }

    // State. Each setter returns the previous value, so it can be put back.
    const CFont* SelectFont(const CFont* font);
    const CFont* Font() const { return font_; }
    Rgb SetTextColour(Rgb c);
    Rgb SetBackgroundColour(Rgb c);
    BackgroundMode SetBackgroundMode(BackgroundMode mode);
    void SetTextAlign(HAlign h, VAlign v = VAlign::Top);
    HAlign TextHAlign() const { return hAlign_; }
    VAlign TextVAlign() const { return vAlign_; }
    Pen SelectPen(const Pen& pen);
    Brush SelectBrush(const Brush& brush);
    StretchMode SetStretchMode(StretchMode mode);

    // The origin moves the coordinate system: with origin (ox, oy), drawing at (x, y) lands on the
    // pixel (x + ox, y + oy) of the target. Clip rectangles are given in current coordinates but stay
    // fixed on the target when the origin changes afterwards.
    Point SetOrigin(Point origin);
    Point Origin() const { return origin_; }

    // Clipping. ClipBox is the area drawing may reach, in current coordinates: the clip rectangle,
    // or the whole target when there is none.
    void SetClip(const Rect& rect);
    void ClearClip();
    Rect ClipBox() const;

    // Shapes.
    void FillSolid(const Rect& rect, Rgb colour);
    // Outline with the pen, drawn inside the rectangle, and the inside filled with the brush.
    void Rectangle(const Rect& rect);
    // The same with corners rounded by an ellipse of ellipseWidth x ellipseHeight.
    void RoundRect(const Rect& rect, int ellipseWidth, int ellipseHeight);
    // A line from one point towards the other; the end point itself is not drawn.
    void Line(Point from, Point to);

    // Opaque copies. DrawBitmap copies the whole bitmap at its own size; DrawBitmapPart copies the
    // part source of it to (x, y); StretchBitmap scales the whole bitmap (or its part source) into
    // the destination rectangle with the current stretch mode.
    void DrawBitmap(const CBitmap& bitmap, int x, int y);
    void DrawBitmapPart(const CBitmap& bitmap, const Rect& source, int x, int y);
    void StretchBitmap(const CBitmap& bitmap, const Rect& destination);
    void StretchBitmap(const CBitmap& bitmap, const Rect& source, const Rect& destination);

    // Text at a point, placed by the text alignment: x is the left end, centre or right end; y is the
    // top of the cell, the baseline or the bottom of the cell. In opaque mode the text's cell box is
    // filled with the background colour first.
    void TextOut(int x, int y, std::string_view sjis);
    // Text in a rectangle, as the flags say. Returns the height of the text drawn.
    int DrawText(std::string_view sjis, const Rect& rect, unsigned flags);
    // Width and cell height of the text in the selected font; 0 x 0 without a font.
    Size TextExtent(std::string_view sjis) const;

    // Puts the clip rectangle back when it goes out of scope. The new clip is the given rectangle
    // within the clip in effect before.
    class ClipGuard {
    public:
        ClipGuard(CCanvas& canvas, const Rect& rect);
        ~ClipGuard();
        ClipGuard(const ClipGuard&) = delete;
        ClipGuard& operator=(const ClipGuard&) = delete;

    private:
        CCanvas& canvas_;
        std::optional<Rect> saved_;
    };

    // Puts the previously selected font back when it goes out of scope.
    class FontGuard {
    public:
        FontGuard(CCanvas& canvas, const CFont* font) : canvas_(canvas), saved_(canvas.SelectFont(font)) {}
        ~FontGuard() { canvas_.SelectFont(saved_); }
        FontGuard(const FontGuard&) = delete;
        FontGuard& operator=(const FontGuard&) = delete;

    private:
        CCanvas& canvas_;
        const CFont* saved_;
    };

    // Puts the font, colours, background mode, text alignment, pen and brush back when it goes out of
    // scope, so whatever draws next finds the canvas as it was.
    class StateGuard {
    public:
        explicit StateGuard(CCanvas& canvas)
            : canvas_(canvas),
              font_(canvas.font_),
              textColour_(canvas.textColour_),
              backgroundColour_(canvas.backgroundColour_),
              backgroundMode_(canvas.backgroundMode_),
              hAlign_(canvas.hAlign_),
              vAlign_(canvas.vAlign_),
              pen_(canvas.pen_),
              brush_(canvas.brush_) {}
        ~StateGuard() {
            canvas_.SelectBrush(brush_);
            canvas_.SelectPen(pen_);
            canvas_.SetTextAlign(hAlign_, vAlign_);
            canvas_.SetBackgroundMode(backgroundMode_);
            canvas_.SetBackgroundColour(backgroundColour_);
            canvas_.SetTextColour(textColour_);
            canvas_.SelectFont(font_);
        }
        StateGuard(const StateGuard&) = delete;
        StateGuard& operator=(const StateGuard&) = delete;

    private:
        CCanvas& canvas_;
        const CFont* font_;
        Rgb textColour_;
        Rgb backgroundColour_;
        BackgroundMode backgroundMode_;
        HAlign hAlign_;
        VAlign vAlign_;
        Pen pen_;
        Brush brush_;
    };

    // Moves the origin by (dx, dy) for its lifetime.
    class OriginGuard {
    public:
        OriginGuard(CCanvas& canvas, int dx, int dy)
            : canvas_(canvas), saved_(canvas.SetOrigin({canvas.Origin().x + dx, canvas.Origin().y + dy})) {}
        ~OriginGuard() { canvas_.SetOrigin(saved_); }
        OriginGuard(const OriginGuard&) = delete;
        OriginGuard& operator=(const OriginGuard&) = delete;

    private:
        CCanvas& canvas_;
        Point saved_;
    };

private:
    void ApplyClip();
    void SetSourceColour(Rgb c);
    void StrokePath(const Pen& pen);
    void DrawTextLine(int x, int top, std::string_view sjis);

    CBitmap* target_;
    gfx::CairoPtr cr_;
    const CFont* font_ = nullptr;
    Rgb textColour_{0, 0, 0};
    Rgb backgroundColour_{255, 255, 255};
    BackgroundMode backgroundMode_ = BackgroundMode::Opaque;
    HAlign hAlign_ = HAlign::Left;
    VAlign vAlign_ = VAlign::Top;
    Pen pen_{};
    Brush brush_{};
    StretchMode stretchMode_ = StretchMode::ColorOnColor;
    Point origin_{};
    std::optional<Rect> clip_;  // in target pixels
};

}  // namespace valmore
