#pragma once

// Owning handles for the Cairo, Pango and GLib objects the drawing layer keeps. Every handle the
// layer holds goes through one of these, so nothing is released twice or forgotten.

#include <cairo.h>
#include <glib-object.h>
#include <pango/pango.h>

#include <memory>

namespace valmore::gfx {

struct SurfaceRelease {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct CairoRelease {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
};
struct ScaledFontRelease {
    void operator()(cairo_scaled_font_t* f) const { cairo_scaled_font_destroy(f); }
};
struct FontOptionsRelease {
    void operator()(cairo_font_options_t* o) const { cairo_font_options_destroy(o); }
};
struct FontDescriptionRelease {
    void operator()(PangoFontDescription* d) const { pango_font_description_free(d); }
};
struct GObjectRelease {
    void operator()(gpointer o) const { g_object_unref(o); }
};

using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceRelease>;
using CairoPtr = std::unique_ptr<cairo_t, CairoRelease>;
using ScaledFontPtr = std::unique_ptr<cairo_scaled_font_t, ScaledFontRelease>;
using FontOptionsPtr = std::unique_ptr<cairo_font_options_t, FontOptionsRelease>;
using FontDescriptionPtr = std::unique_ptr<PangoFontDescription, FontDescriptionRelease>;
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectRelease>;

}  // namespace valmore::gfx
