#include "Canvas.h"

#include <pango/pangocairo.h>

#include <cmath>

namespace valmore::skingen {

namespace {

struct GObjectFree {
    void operator()(void* p) const { g_object_unref(p); }
};
struct FontDescriptionFree {
    void operator()(PangoFontDescription* d) const { pango_font_description_free(d); }
};
struct FontOptionsFree {
    void operator()(cairo_font_options_t* o) const { cairo_font_options_destroy(o); }
};

using LayoutPtr = std::unique_ptr<PangoLayout, GObjectFree>;

void SetSource(cairo_t* cr, Colour c) {
    cairo_set_source_rgb(cr, c.r, c.g, c.b);
}

// Grey antialiasing with slight hinting keeps small kana and kanji crisp without colour fringes,
// and gives the same pixels on every machine with the same font.
LayoutPtr MakeLayout(cairo_t* cr, const std::string& utf8, Font font) {
    LayoutPtr layout(pango_cairo_create_layout(cr));
    std::unique_ptr<cairo_font_options_t, FontOptionsFree> options(cairo_font_options_create());
    cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_ON);
    pango_cairo_context_set_font_options(pango_layout_get_context(layout.get()), options.get());
    pango_layout_context_changed(layout.get());
    std::unique_ptr<PangoFontDescription, FontDescriptionFree> desc(pango_font_description_from_string("IPAGothic"));
    pango_font_description_set_absolute_size(desc.get(), font.px * PANGO_SCALE);
    pango_font_description_set_weight(desc.get(), font.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_layout_set_font_description(layout.get(), desc.get());
    pango_layout_set_single_paragraph_mode(layout.get(), TRUE);
    pango_layout_set_text(layout.get(), utf8.c_str(), -1);
    return layout;
}

}  // namespace

CCanvas::CCanvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)),
      cr_(cairo_create(surface_.get())) {
    Fill(palette::kBody);
}

void CCanvas::Fill(Colour c) {
    SetSource(Cr(), c);
    cairo_paint(Cr());
}

void CCanvas::FillBox(Box b, Colour c) {
    SetSource(Cr(), c);
    cairo_rectangle(Cr(), b.x, b.y, b.w, b.h);
    cairo_fill(Cr());
}

void CCanvas::Outline(Box b, Colour c) {
    CCairoSave save(Cr());
    SetSource(Cr(), c);
    cairo_set_line_width(Cr(), 1);
    cairo_rectangle(Cr(), b.x + 0.5, b.y + 0.5, b.w - 1, b.h - 1);
    cairo_stroke(Cr());
}

void CCanvas::HLine(double x0, double x1, double y, Colour c) {
    FillBox({x0, y, x1 - x0, 1}, c);
}

void CCanvas::VLine(double x, double y0, double y1, Colour c) {
    FillBox({x, y0, 1, y1 - y0}, c);
}

void CCanvas::RoundedPath(Box b, double r) {
    cairo_t* cr = Cr();
    cairo_new_sub_path(cr);
    if (r <= 0) {
        cairo_rectangle(cr, b.x, b.y, b.w, b.h);
        return;
    }
    cairo_arc(cr, b.x + b.w - r, b.y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, b.x + b.w - r, b.y + b.h - r, r, 0, M_PI / 2);
    cairo_arc(cr, b.x + r, b.y + b.h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, b.x + r, b.y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void CCanvas::Text(const std::string& utf8, Font font, Box b, Align align, Colour c) {
    LayoutPtr layout = MakeLayout(Cr(), utf8, font);
    pango_layout_set_width(layout.get(), static_cast<int>(b.w * PANGO_SCALE));
    pango_layout_set_ellipsize(layout.get(), PANGO_ELLIPSIZE_END);
    pango_layout_set_alignment(layout.get(), align == Align::kLeft     ? PANGO_ALIGN_LEFT
                                             : align == Align::kCentre ? PANGO_ALIGN_CENTER
                                                                       : PANGO_ALIGN_RIGHT);
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout.get(), nullptr, &logical);
    // Whole-pixel placement keeps glyph stems sharp.
    const double y = std::round(b.y + (b.h - logical.height) / 2.0);
    CCairoSave save(Cr());
    SetSource(Cr(), c);
    cairo_move_to(Cr(), std::round(b.x), y);
    pango_cairo_show_layout(Cr(), layout.get());
}

double CCanvas::TextWidth(const std::string& utf8, Font font) {
    LayoutPtr layout = MakeLayout(Cr(), utf8, font);
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout.get(), nullptr, &logical);
    return logical.width;
}

void CCanvas::Blit(const CBmpImage& image, int dx, int dy) {
    cairo_surface_flush(surface_.get());
    unsigned char* data = cairo_image_surface_get_data(surface_.get());
    const int stride = cairo_image_surface_get_stride(surface_.get());
    for (int y = 0; y < height_; ++y) {
        const int sy = y - dy;
        if (sy < 0 || sy >= image.Height()) continue;
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < width_; ++x) {
            const int sx = x - dx;
            if (sx < 0 || sx >= image.Width()) continue;
            const Rgb8 p = image.Pixel(sx, sy);
            row[x] = 0xff000000u | static_cast<std::uint32_t>(p.r) << 16 | static_cast<std::uint32_t>(p.g) << 8 | p.b;
        }
    }
    cairo_surface_mark_dirty(surface_.get());
}

void CCanvas::BlitTiled(const CBmpImage& image, int dx, int dy) {
    if (image.Height() <= 0) return;
    for (int top = dy; top < height_; top += image.Height()) {
        if (top + image.Height() > 0) Blit(image, dx, top);
    }
}

CBmpImage CCanvas::ToImage() const {
    cairo_surface_flush(surface_.get());
    const unsigned char* data = cairo_image_surface_get_data(surface_.get());
    const int stride = cairo_image_surface_get_stride(surface_.get());
    CBmpImage image(width_, height_);
    for (int y = 0; y < height_; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < width_; ++x) {
            const std::uint32_t p = row[x];
            image.SetPixel(
                x, y,
                {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8), static_cast<std::uint8_t>(p)});
        }
    }
    return image;
}

}  // namespace valmore::skingen
