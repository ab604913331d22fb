#pragma once

#include <cairo.h>

#include <memory>
#include <string>

#include "BmpImage.h"
#include "Palette.h"

namespace valmore::skingen {

enum class Align { kLeft, kCentre, kRight };

struct Font {
    double px = 12;
    bool bold = false;
};

struct Box {
    double x = 0;
    double y = 0;
    double w = 0;
    double h = 0;
};

// An opaque drawing surface of one bitmap's size. Cairo and Pango handles live in RAII holders;
// the text helpers draw with IPA Gothic, the face every skin label uses.
class CCanvas {
public:
    CCanvas(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    cairo_t* Cr() const { return cr_.get(); }

    void Fill(Colour c);
    void FillBox(Box b, Colour c);
    // A one-pixel line around the inside edge of b.
    void Outline(Box b, Colour c);
    void HLine(double x0, double x1, double y, Colour c);
    void VLine(double x, double y0, double y1, Colour c);
    void RoundedPath(Box b, double radius);

    // Draws one line of text in box b, vertically centred; shortened with an ellipsis if too wide.
    void Text(const std::string& utf8, Font font, Box b, Align align, Colour c);
    double TextWidth(const std::string& utf8, Font font);

    // Copies a picture's pixels with its top-left corner at (dx, dy); BlitTiled repeats it
    // downwards, as a screen tiles its background.
    void Blit(const CBmpImage& image, int dx, int dy);
    void BlitTiled(const CBmpImage& image, int dx, int dy);

    CBmpImage ToImage() const;

private:
    struct SurfaceFree {
        void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
    };
    struct ContextFree {
        void operator()(cairo_t* c) const { cairo_destroy(c); }
    };

    int width_;
    int height_;
    std::unique_ptr<cairo_surface_t, SurfaceFree> surface_;
    std::unique_ptr<cairo_t, ContextFree> cr_;
};

// Saves the Cairo state on construction and restores it on destruction.
class CCairoSave {
public:
    explicit CCairoSave(cairo_t* cr) : cr_(cr) { cairo_save(cr_); }
    ~CCairoSave() { cairo_restore(cr_); }
    CCairoSave(const CCairoSave&) = delete;
    CCairoSave& operator=(const CCairoSave&) = delete;

private:
    cairo_t* cr_;
};

}  // namespace valmore::skingen
