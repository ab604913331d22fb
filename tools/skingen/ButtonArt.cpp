#include "ButtonArt.h"

#include <algorithm>
#include <cmath>

namespace valmore::skingen {

namespace {

struct Shade {
    Colour top;
    Colour bottom;
    Colour border;
    Colour text;
};

Shade ShadeOf(Tone tone, Press press, bool onChrome) {
    using C = Colour;
    if (press == Press::kOff) {
        // Disabled buttons are flat and low in contrast, tinted only faintly by their tone.
        if (onChrome) return {C::Hex(0x435365), C::Hex(0x435365), C::Hex(0x55667a), C::Hex(0x7f90a2)};
        switch (tone) {
            case Tone::kBuy:
                return {C::Hex(0xe3ebe6), C::Hex(0xe3ebe6), C::Hex(0xc4d3c9), C::Hex(0xa2b5a8)};
            case Tone::kSell:
                return {C::Hex(0xf1e5e4), C::Hex(0xf1e5e4), C::Hex(0xdcc8c6), C::Hex(0xc2a6a4)};
            default:
                return {C::Hex(0xe9ecef), C::Hex(0xe9ecef), C::Hex(0xccd3da), C::Hex(0xa9b2bb)};
        }
    }
    const bool down = press == Press::kDown;
    switch (tone) {
        case Tone::kBuy:
            return down ? Shade{C::Hex(0x1c5533), C::Hex(0x256b43), C::Hex(0x133a23), C::Hex(0xffffff)}
                        : Shade{C::Hex(0x41a06a), C::Hex(0x2b7b4b), C::Hex(0x1f5e39), C::Hex(0xffffff)};
        case Tone::kSell:
            return down ? Shade{C::Hex(0x7a2421), C::Hex(0x983230), C::Hex(0x561816), C::Hex(0xffffff)}
                        : Shade{C::Hex(0xd35e59), C::Hex(0xad3b37), C::Hex(0x852b28), C::Hex(0xffffff)};
        case Tone::kPass:
            return down ? Shade{C::Hex(0x3f4d60), C::Hex(0x506075), C::Hex(0x2b3644), C::Hex(0xffffff)}
                        : Shade{C::Hex(0x8394a7), C::Hex(0x617388), C::Hex(0x4a596b), C::Hex(0xffffff)};
        case Tone::kExecute:
            return down ? Shade{C::Hex(0x214b73), C::Hex(0x2d6190), C::Hex(0x173753), C::Hex(0xffffff)}
                        : Shade{C::Hex(0x4d8ec9), C::Hex(0x2f679c), C::Hex(0x23507a), C::Hex(0xffffff)};
        case Tone::kNeutral:
            break;
    }
    return down ? Shade{C::Hex(0xbcc8d4), C::Hex(0xd3dbe3), C::Hex(0x53657a), C::Hex(0x132029)}
                : Shade{C::Hex(0xfcfdfe), C::Hex(0xdce3ea), C::Hex(0x7a8a9b), C::Hex(0x1f2d3a)};
}

void SetSource(cairo_t* cr, Colour c, double alpha = 1) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void FillGradient(CCanvas& canvas, Box b, double radius, Colour top, Colour bottom) {
    cairo_t* cr = canvas.Cr();
    cairo_pattern_t* grad = cairo_pattern_create_linear(0, b.y, 0, b.y + b.h);
    cairo_pattern_add_color_stop_rgb(grad, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(grad, 1, bottom.r, bottom.g, bottom.b);
    canvas.RoundedPath(b, radius);
    cairo_set_source(cr, grad);
    cairo_fill(cr);
    cairo_pattern_destroy(grad);
}

void StrokeInside(CCanvas& canvas, Box b, double radius, Colour c, double alpha = 1) {
    cairo_t* cr = canvas.Cr();
    CCairoSave save(cr);
    canvas.RoundedPath({b.x + 0.5, b.y + 0.5, b.w - 1, b.h - 1}, std::max(0.0, radius - 0.5));
    SetSource(cr, c, alpha);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void Triangle(cairo_t* cr, double cx, double cy, double size, Glyph glyph) {
    const double s = size / 2;
    switch (glyph) {
        case Glyph::kLeft:
            cairo_move_to(cr, cx - s * 0.8, cy);
            cairo_line_to(cr, cx + s * 0.6, cy - s);
            cairo_line_to(cr, cx + s * 0.6, cy + s);
            break;
        case Glyph::kRight:
            cairo_move_to(cr, cx + s * 0.8, cy);
            cairo_line_to(cr, cx - s * 0.6, cy - s);
            cairo_line_to(cr, cx - s * 0.6, cy + s);
            break;
        case Glyph::kUp:
            cairo_move_to(cr, cx, cy - s * 0.8);
            cairo_line_to(cr, cx + s, cy + s * 0.6);
            cairo_line_to(cr, cx - s, cy + s * 0.6);
            break;
        case Glyph::kDown:
            cairo_move_to(cr, cx, cy + s * 0.8);
            cairo_line_to(cr, cx + s, cy - s * 0.6);
            cairo_line_to(cr, cx - s, cy - s * 0.6);
            break;
        default:
            return;
    }
    cairo_close_path(cr);
    cairo_fill(cr);
}

// A round "i" badge, the usual sign for "more information".
void InfoBadge(CCanvas& canvas, double cx, double cy, double radius, Colour ring, Colour mark) {
    cairo_t* cr = canvas.Cr();
    CCairoSave save(cr);
    SetSource(cr, ring);
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    cairo_fill(cr);
    SetSource(cr, mark);
    const double dot = std::max(1.0, radius * 0.2);
    cairo_arc(cr, cx, cy - radius * 0.45, dot, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_rectangle(cr, cx - dot * 0.85, cy - radius * 0.12, dot * 1.7, radius * 0.72);
    cairo_fill(cr);
}

void CheckMark(cairo_t* cr, double x, double cy, double size, Colour c) {
    CCairoSave save(cr);
    SetSource(cr, c);
    cairo_set_line_width(cr, std::max(1.6, size * 0.18));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_move_to(cr, x, cy);
    cairo_line_to(cr, x + size * 0.35, cy + size * 0.35);
    cairo_line_to(cr, x + size, cy - size * 0.4);
    cairo_stroke(cr);
}

double LabelPx(Mode mode, double height, bool large) {
    // About half the button's height: 13-14 px on 27-pixel buttons, 16-17 px on 34-pixel ones.
    // The decision buttons get larger labels: they also appear scaled down inside the practice
    // texts and must stay readable there.
    const double px = std::round(height * (large ? 0.6 : 0.5));
    const double cap = large ? (mode == kModeXga ? 16.0 : 20.0) : (mode == kModeXga ? 14.0 : 17.0);
    return std::min(px, cap);
}

void DrawFace(CCanvas& canvas, Mode mode, const ButtonLook& look, Press press, const Shade& shade) {
    cairo_t* cr = canvas.Cr();
    const double w = canvas.Width();
    const double h = canvas.Height();
    const double radius = look.square ? 0 : (mode == kModeXga ? 3 : 4);
    const Box face{0, 0, w, h};
    FillGradient(canvas, face, radius, shade.top, shade.bottom);
    if (press == Press::kUp) {
        // A lit top edge reads as raised.
        CCairoSave save(cr);
        SetSource(cr, Colour::Hex(0xffffff), 0.45);
        cairo_rectangle(cr, radius > 0 ? radius : 1, 1, w - 2 * (radius > 0 ? radius : 1), 1);
        cairo_fill(cr);
    } else if (press == Press::kDown) {
        // A shadow along the top and left inner edges reads as pushed in.
        CCairoSave save(cr);
        SetSource(cr, Colour::Hex(0x000000), 0.28);
        cairo_rectangle(cr, 1, 1, w - 2, 2);
        cairo_fill(cr);
        SetSource(cr, Colour::Hex(0x000000), 0.14);
        cairo_rectangle(cr, 1, 3, 1, h - 4);
        cairo_fill(cr);
    }
    StrokeInside(canvas, face, radius, shade.border);

    // Pressed content moves one pixel down and right, as if the face had sunk.
    const double shift = press == Press::kDown ? 1 : 0;
    double px = LabelPx(mode, h, look.toggle);
    SetSource(cr, shade.text);
    if (look.glyph != Glyph::kNone && look.glyph != Glyph::kInfo) {
        Triangle(cr, w / 2 + shift, h / 2 + shift, std::round(h * 0.48), look.glyph);
        return;
    }
    // A long label on a small button steps down in size rather than touching the border.
    const double room = w - (mode == kModeXga ? 10 : 12);
    while (px > 9 && canvas.TextWidth(look.label, {px, true}) > room) px -= 1;
    const Font font{px, true};
    double textWidth = canvas.TextWidth(look.label, font);
    double lead = 0;
    const double badge = std::round(h * 0.30);
    if (look.glyph == Glyph::kInfo) lead = badge * 2 + 3;
    const bool check = look.toggle && press == Press::kDown;
    const double checkSize = std::round(px * 0.75);
    if (check) lead = checkSize + 5;
    const double start = std::round((w - textWidth - lead) / 2) + shift;
    if (look.glyph == Glyph::kInfo) {
        const Colour ring = press == Press::kOff ? shade.text : palette::kAccentDeep;
        InfoBadge(canvas, start + badge, h / 2 + shift, badge, ring, Colour::Hex(0xffffff));
    }
    if (check) CheckMark(cr, start, h / 2 + shift, checkSize, shade.text);
    canvas.Text(look.label, font, {start + lead, shift, textWidth + 2, h}, Align::kLeft, shade.text);
}

}  // namespace

void PaintButton(CCanvas& canvas, Mode mode, const ButtonLook& look, Press press) {
    DrawFace(canvas, mode, look, press, ShadeOf(look.tone, press, look.onChrome));
}

double PulseLevel(int frame) {
    const double phase = static_cast<double>(frame % kExecuteFrameCount) / kExecuteFrameCount;
    return 0.5 - 0.5 * std::cos(2 * M_PI * phase);
}

void PaintExecuteFrame(CCanvas& canvas, Mode mode, int frame) {
    const double p = PulseLevel(frame);
    Shade shade = ShadeOf(Tone::kExecute, Press::kUp, true);
    // The face brightens towards a light sky blue and its rim glows, then settles back.
    shade.top = shade.top.Mix(Colour::Hex(0x8cc4f2), p * 0.75);
    shade.bottom = shade.bottom.Mix(Colour::Hex(0x4f95d4), p * 0.75);
    shade.border = shade.border.Mix(Colour::Hex(0xb6dcff), p);
    ButtonLook look{Tone::kExecute, Glyph::kNone, "次へ", true, true, false};
    DrawFace(canvas, mode, look, Press::kUp, shade);
    cairo_t* cr = canvas.Cr();
    CCairoSave save(cr);
    SetSource(cr, Colour::Hex(0xd8ecff), 0.15 + 0.55 * p);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, 1.5, 1.5, canvas.Width() - 3, canvas.Height() - 3);
    cairo_stroke(cr);
}

void PaintMenuButton(CCanvas& canvas, Mode mode, const std::string& label, Press press) {
    using C = Colour;
    cairo_t* cr = canvas.Cr();
    const double w = canvas.Width();
    const double h = canvas.Height();
    const double radius = mode == kModeXga ? 4 : 5;
    // The card stands one pixel above the background, with a soft shadow below it.
    const Box card{1, 1, w - 2, h - 3};
    if (press != Press::kOff) {
        CCairoSave save(cr);
        canvas.RoundedPath({1, 3, w - 2, h - 3}, radius);
        SetSource(cr, C::Hex(0x000000), 0.35);
        cairo_fill(cr);
    }
    Colour top, bottom, border, bar, text;
    switch (press) {
        case Press::kUp:
            top = C::Hex(0xf8fafc), bottom = C::Hex(0xdfe6ed), border = C::Hex(0x8fa0b1);
            bar = palette::kAccent, text = C::Hex(0x22313f);
            break;
        case Press::kDown:
            top = C::Hex(0xbfccd9), bottom = C::Hex(0xd6dee7), border = C::Hex(0x5f7186);
            bar = palette::kAccentDeep, text = C::Hex(0x15212c);
            break;
        case Press::kOff:
            top = bottom = C::Hex(0x3a4958), border = C::Hex(0x4f6072);
            bar = C::Hex(0x4f6072), text = C::Hex(0x7a8c9e);
            break;
    }
    const double shift = press == Press::kDown ? 1 : 0;
    const Box face{card.x, card.y + shift, card.w, card.h};
    FillGradient(canvas, face, radius, top, bottom);
    {
        CCairoSave save(cr);
        canvas.RoundedPath(face, radius);
        cairo_clip(cr);
        SetSource(cr, bar);
        cairo_rectangle(cr, face.x, face.y, mode == kModeXga ? 5 : 6, face.h);
        cairo_fill(cr);
        if (press == Press::kDown) {
            SetSource(cr, C::Hex(0x000000), 0.22);
            cairo_rectangle(cr, face.x, face.y, face.w, 2);
            cairo_fill(cr);
        }
    }
    StrokeInside(canvas, face, radius, border);
    const double px = mode == kModeXga ? 17 : 21;
    canvas.Text(label, {px, true}, {face.x + 8 + shift, face.y, face.w - 12, face.h}, Align::kCentre, text);
}

}  // namespace valmore::skingen
