#include "AppIcon.h"

#include <cairo-svg.h>
#include <cairo.h>

#include <memory>
#include <numbers>
#include <system_error>

#include "Palette.h"

namespace valmore::skingen {

namespace {

namespace fs = std::filesystem;

struct SurfaceFree {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextFree {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceFree>;
using Context = std::unique_ptr<cairo_t, ContextFree>;

void SetSource(cairo_t* cr, Colour c, double alpha = 1) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

struct Candle {
    double x;       // left edge
    double top;     // body
    double bottom;  // body
    double high;    // wick
    double low;     // wick
    Colour colour;
};

// The trainer's motif on the slate of its screens: three daily candles, a fall and two rises, with
// the price line climbing across them. Drawn in a unit square; the small sizes drop the grid and the
// wicks, which would only blur at a few pixels.
void PaintAppIcon(cairo_t* cr, double size) {
    cairo_scale(cr, size, size);
    const double inset = 1.0 / 16;
    const double side = 1 - 2 * inset;
    const double radius = 0.17;
    cairo_new_sub_path(cr);
    constexpr double kQuarter = std::numbers::pi / 2;
    cairo_arc(cr, inset + side - radius, inset + radius, radius, -kQuarter, 0);
    cairo_arc(cr, inset + side - radius, inset + side - radius, radius, 0, kQuarter);
    cairo_arc(cr, inset + radius, inset + side - radius, radius, kQuarter, 2 * kQuarter);
    cairo_arc(cr, inset + radius, inset + radius, radius, 2 * kQuarter, 3 * kQuarter);
    cairo_close_path(cr);
    cairo_pattern_t* ground = cairo_pattern_create_linear(0, inset, 0, inset + side);
    const Colour top = Colour::Hex(0x3a4e63);
    const Colour bottom = palette::kChromeDeep;
    cairo_pattern_add_color_stop_rgb(ground, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(ground, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, ground);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(ground);
    cairo_clip(cr);

    if (size >= 32) {
        SetSource(cr, palette::kChromeText, 0.14);
        cairo_set_line_width(cr, 1.0 / size);
        for (double y = 0.30; y < 0.85; y += 0.18) {
            cairo_move_to(cr, inset, y);
            cairo_line_to(cr, inset + side, y);
        }
        cairo_stroke(cr);
    }

    const Candle candles[] = {
        {0.17, 0.50, 0.69, 0.43, 0.77, palette::kSell},
        {0.42, 0.42, 0.62, 0.34, 0.70, palette::kBuy},
        {0.67, 0.22, 0.47, 0.15, 0.55, palette::kBuy},
    };
    const double body = 0.16;
    for (const Candle& c : candles) {
        const Colour light = c.colour.Mix(Colour::Hex(0xffffff), 0.25);
        SetSource(cr, light);
        if (size >= 32) {
            cairo_set_line_width(cr, 0.03);
            cairo_move_to(cr, c.x + body / 2, c.high);
            cairo_line_to(cr, c.x + body / 2, c.low);
            cairo_stroke(cr);
        }
        cairo_rectangle(cr, c.x, c.top, body, c.bottom - c.top);
        cairo_fill(cr);
    }

    SetSource(cr, palette::kAccent.Mix(Colour::Hex(0xffffff), 0.35));
    cairo_set_line_width(cr, size >= 32 ? 0.055 : 0.08);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_move_to(cr, 0.13, 0.84);
    cairo_line_to(cr, 0.36, 0.66);
    cairo_line_to(cr, 0.55, 0.72);
    cairo_line_to(cr, 0.86, 0.30);
    cairo_stroke(cr);
}

bool MakeFolder(const fs::path& folder, std::string* error) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) *error = folder.string() + ": cannot create the folder: " + ec.message();
    return !ec;
}

bool WritePng(const fs::path& file, int size, std::string* error) {
    if (!MakeFolder(file.parent_path(), error)) return false;
    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size));
    {
        Context cr(cairo_create(surface.get()));
        PaintAppIcon(cr.get(), size);
    }
    if (cairo_surface_write_to_png(surface.get(), file.c_str()) != CAIRO_STATUS_SUCCESS) {
        *error = file.string() + ": cannot write";
        return false;
    }
    return true;
}

bool WriteSvg(const fs::path& file, std::string* error) {
    if (!MakeFolder(file.parent_path(), error)) return false;
    const double size = 256;
    Surface surface(cairo_svg_surface_create(file.c_str(), size, size));
    cairo_svg_surface_set_document_unit(surface.get(), CAIRO_SVG_UNIT_PX);
    {
        Context cr(cairo_create(surface.get()));
        PaintAppIcon(cr.get(), size);
    }
    // The file is complete only once the surface is finished.
    cairo_surface_finish(surface.get());
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        *error = file.string() + ": cannot write";
        return false;
    }
    return true;
}

}  // namespace

bool WriteAppIcons(const fs::path& folder, std::string* error) {
    for (int size : kAppIconSizes) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        if (!WritePng(folder / name / "apps" / "valmore.png", size, error)) return false;
    }
    return WriteSvg(folder / "scalable" / "apps" / "valmore.svg", error);
}

}  // namespace valmore::skingen
