#include "platform/Canvas.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace valmore {

namespace {

constexpr double kPi = 3.14159265358979323846;

}  // namespace

CCanvas::CCanvas(CBitmap& target) : target_(&target) {
    if (target.Surface()) {
        cr_.reset(cairo_create(target.Surface()));
        // Shapes land on whole pixels, as the skin art expects; text keeps its own anti-aliasing.
        cairo_set_antialias(cr_.get(), CAIRO_ANTIALIAS_NONE);
    }
}

CCanvas::~CCanvas() = default;

const CFont* CCanvas::SelectFont(const CFont* font) {
    return std::exchange(font_, font);
}
Rgb CCanvas::SetTextColour(Rgb c) {
    return std::exchange(textColour_, c);
}
Rgb CCanvas::SetBackgroundColour(Rgb c) {
    return std::exchange(backgroundColour_, c);
}
BackgroundMode CCanvas::SetBackgroundMode(BackgroundMode mode) {
    return std::exchange(backgroundMode_, mode);
}
Pen CCanvas::SelectPen(const Pen& pen) {
    return std::exchange(pen_, pen);
}
Brush CCanvas::SelectBrush(const Brush& brush) {
    return std::exchange(brush_, brush);
}
StretchMode CCanvas::SetStretchMode(StretchMode mode) {
    return std::exchange(stretchMode_, mode);
}

void CCanvas::SetTextAlign(HAlign h, VAlign v) {
    hAlign_ = h;
    vAlign_ = v;
}

Point CCanvas::SetOrigin(Point origin) {
    const Point previous = std::exchange(origin_, origin);
    if (cr_) {
        cairo_identity_matrix(cr_.get());
        cairo_translate(cr_.get(), origin.x, origin.y);
    }
    return previous;
}

void CCanvas::ApplyClip() {
    if (!cr_) return;
    cairo_t* cr = cr_.get();
    cairo_reset_clip(cr);
    if (!clip_) return;
    // The clip is part of the saved state, so the matrix is swapped by hand rather than saved.
    cairo_matrix_t matrix;
    cairo_get_matrix(cr, &matrix);
    cairo_identity_matrix(cr);
    cairo_rectangle(cr, clip_->left, clip_->top, std::max(0, clip_->Width()), std::max(0, clip_->Height()));
    cairo_clip(cr);
    cairo_set_matrix(cr, &matrix);
}

void CCanvas::SetClip(const Rect& rect) {
    const Rect whole = Rect::FromSize(0, 0, target_->Width(), target_->Height());
    clip_ = rect.Offset(origin_.x, origin_.y).Intersect(whole);
    ApplyClip();
}

void CCanvas::ClearClip() {
    clip_.reset();
    ApplyClip();
}

Rect CCanvas::ClipBox() const {
    const Rect box = clip_ ? *clip_ : Rect::FromSize(0, 0, target_->Width(), target_->Height());
    return box.Offset(-origin_.x, -origin_.y);
}

CCanvas::ClipGuard::ClipGuard(CCanvas& canvas, const Rect& rect) : canvas_(canvas), saved_(canvas.clip_) {
    canvas.SetClip(rect.Intersect(canvas.ClipBox()));
}

CCanvas::ClipGuard::~ClipGuard() {
    canvas_.clip_ = saved_;
    canvas_.ApplyClip();
}

void CCanvas::SetSourceColour(Rgb c) {
    cairo_set_source_rgb(cr_.get(), c.r / 255.0, c.g / 255.0, c.b / 255.0);
}

void CCanvas::FillSolid(const Rect& rect, Rgb colour) {
    if (!cr_ || rect.IsEmpty()) return;
    SetSourceColour(colour);
    cairo_rectangle(cr_.get(), rect.left, rect.top, rect.Width(), rect.Height());
    cairo_fill(cr_.get());
}

void CCanvas::StrokePath(const Pen& pen) {
    cairo_t* cr = cr_.get();
    const int width = std::max(1, pen.width);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    if (pen.style == PenStyle::Dash) {
        // Dashes grow with the pen, so a wide dashed frame still reads as dashed.
        const double dashes[2] = {width == 1 ? 18.0 : 3.0 * width, width == 1 ? 6.0 : 1.0 * width};
        cairo_set_dash(cr, dashes, 2, 0);
    } else {
        cairo_set_dash(cr, nullptr, 0, 0);
    }
    SetSourceColour(pen.colour);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
}

void CCanvas::Rectangle(const Rect& rect) {
    if (!cr_ || rect.IsEmpty()) return;
    if (!brush_.hollow) FillSolid(rect, brush_.colour);
    if (pen_.style == PenStyle::Null) return;
    const int w = std::max(1, pen_.width);
    if (rect.Width() <= w || rect.Height() <= w) {
        FillSolid(rect, pen_.colour);
        return;
    }
    const double half = w / 2.0;
    cairo_rectangle(cr_.get(), rect.left + half, rect.top + half, rect.Width() - w, rect.Height() - w);
    StrokePath(pen_);
}

void CCanvas::RoundRect(const Rect& rect, int ellipseWidth, int ellipseHeight) {
    if (!cr_ || rect.IsEmpty()) return;
    cairo_t* cr = cr_.get();
    const int w = pen_.style == PenStyle::Null ? 0 : std::max(1, pen_.width);
    const double half = w / 2.0;
    const double left = rect.left + half;
    const double top = rect.top + half;
    const double right = rect.right - half;
    const double bottom = rect.bottom - half;
    const double rx = std::min(std::max(0, ellipseWidth) / 2.0, (right - left) / 2.0);
    const double ry = std::min(std::max(0, ellipseHeight) / 2.0, (bottom - top) / 2.0);
    if (right <= left || bottom <= top) {
        FillSolid(rect, w ? pen_.colour : brush_.colour);
        return;
    }

    auto corner = [&](double cx, double cy, double from, double to) {
        if (rx <= 0 || ry <= 0) {
            cairo_line_to(cr, cx + rx * std::cos(to), cy + ry * std::sin(to));
            return;
        }
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, rx, ry);
        cairo_arc(cr, 0, 0, 1, from, to);
        cairo_restore(cr);
    };
    cairo_new_path(cr);
    corner(right - rx, top + ry, -kPi / 2, 0);
    corner(right - rx, bottom - ry, 0, kPi / 2);
    corner(left + rx, bottom - ry, kPi / 2, kPi);
    corner(left + rx, top + ry, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
    if (!brush_.hollow) {
        SetSourceColour(brush_.colour);
        cairo_fill_preserve(cr);
    }
    if (w) {
        StrokePath(pen_);
    } else {
        cairo_new_path(cr);
    }
}

void CCanvas::Line(Point from, Point to) {
    if (!cr_ || pen_.style == PenStyle::Null || from == to) return;
    cairo_t* cr = cr_.get();
    // A line covers the pixels from its start up to, not including, its end. Odd widths sit on pixel
    // centres across the line; along a horizontal or vertical line the ends stay on pixel edges.
    const double across = std::max(1, pen_.width) % 2 == 1 ? 0.5 : 0.0;
    double x1 = from.x, y1 = from.y, x2 = to.x, y2 = to.y;
    if (from.y == to.y) {
        y1 = y2 = from.y + across;
        if (to.x < from.x) x1 += 1, x2 += 1;
    } else if (from.x == to.x) {
        x1 = x2 = from.x + across;
        if (to.y < from.y) y1 += 1, y2 += 1;
    } else {
        x1 += 0.5, y1 += 0.5, x2 += 0.5, y2 += 0.5;
    }
    cairo_move_to(cr, x1, y1);
    cairo_line_to(cr, x2, y2);
    StrokePath(pen_);
}

void CCanvas::DrawBitmap(const CBitmap& bitmap, int x, int y) {
    if (!cr_ || bitmap.IsEmpty()) return;
    cairo_set_source_surface(cr_.get(), bitmap.Surface(), x, y);
    cairo_rectangle(cr_.get(), x, y, bitmap.Width(), bitmap.Height());
    cairo_fill(cr_.get());
}

void CCanvas::DrawBitmapPart(const CBitmap& bitmap, const Rect& source, int x, int y) {
    if (!cr_ || bitmap.IsEmpty()) return;
    const Rect part = source.Intersect(Rect::FromSize(0, 0, bitmap.Width(), bitmap.Height()));
    if (part.IsEmpty()) return;
    const int destX = x + (part.left - source.left);
    const int destY = y + (part.top - source.top);
    cairo_set_source_surface(cr_.get(), bitmap.Surface(), destX - part.left, destY - part.top);
    cairo_rectangle(cr_.get(), destX, destY, part.Width(), part.Height());
    cairo_fill(cr_.get());
}

void CCanvas::StretchBitmap(const CBitmap& bitmap, const Rect& destination) {
    StretchBitmap(bitmap, Rect::FromSize(0, 0, bitmap.Width(), bitmap.Height()), destination);
}

void CCanvas::StretchBitmap(const CBitmap& bitmap, const Rect& source, const Rect& destination) {
    if (!cr_ || bitmap.IsEmpty() || source.IsEmpty() || destination.IsEmpty()) return;
    if (source.Width() == destination.Width() && source.Height() == destination.Height()) {
        DrawBitmapPart(bitmap, source, destination.left, destination.top);
        return;
    }
    cairo_t* cr = cr_.get();
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(bitmap.Surface());
    cairo_matrix_t matrix;
    cairo_matrix_init_translate(&matrix, source.left, source.top);
    cairo_matrix_scale(&matrix, source.Width() / static_cast<double>(destination.Width()),
                       source.Height() / static_cast<double>(destination.Height()));
    cairo_matrix_translate(&matrix, -destination.left, -destination.top);
    cairo_pattern_set_matrix(pattern, &matrix);
    cairo_pattern_set_filter(pattern, stretchMode_ == StretchMode::Halftone ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
    // Padding keeps the filter from blending the picture's edges with black.
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);
    cairo_rectangle(cr, destination.left, destination.top, destination.Width(), destination.Height());
    cairo_fill(cr);
}

void CCanvas::DrawTextLine(int x, int top, std::string_view sjis) {
    if (backgroundMode_ == BackgroundMode::Opaque) {
        FillSolid(Rect::FromSize(x, top, font_->TextWidth(sjis), font_->CellHeight()), backgroundColour_);
    }
    SetSourceColour(textColour_);
    font_->DrawRun(cr_.get(), x, top + font_->Ascent(), sjis);
}

void CCanvas::TextOut(int x, int y, std::string_view sjis) {
    if (!cr_ || !font_ || sjis.empty()) return;
    const int width = font_->TextWidth(sjis);
    int left = x;
    if (hAlign_ == HAlign::Center) left = x - width / 2;
    if (hAlign_ == HAlign::Right) left = x - width;
    int top = y;
    if (vAlign_ == VAlign::Baseline) top = y - font_->Ascent();
    if (vAlign_ == VAlign::Bottom) top = y - font_->CellHeight();
    DrawTextLine(left, top, sjis);
}

int CCanvas::DrawText(std::string_view sjis, const Rect& rect, unsigned flags) {
    if (!cr_ || !font_ || sjis.empty()) return 0;
    std::vector<std::string_view> lines;
    if (flags & kSingleLine) {
        lines.push_back(sjis);
    } else {
        // A line feed byte never occurs inside a two-byte Shift_JIS character, so splitting bytes is safe.
        std::size_t start = 0;
        while (true) {
            const std::size_t end = sjis.find('\n', start);
            std::string_view line =
                sjis.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            lines.push_back(line);
            if (end == std::string_view::npos) break;
            start = end + 1;
        }
    }

    std::optional<ClipGuard> clip;
    if (!(flags & kNoClip)) clip.emplace(*this, rect);
    const int cell = font_->CellHeight();
    std::string shortened;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        if (flags & kEndEllipsis) {
            shortened = font_->FitWithEllipsis(line, rect.Width());
            line = shortened;
        }
        const int width = font_->TextWidth(line);
        int x = rect.left;
        if (flags & kCenter) x = rect.left + (rect.Width() - width) / 2;
        if (flags & kRight) x = rect.right - width;
        int y = rect.top + static_cast<int>(i) * cell;
        if ((flags & kSingleLine) && (flags & kVCenter)) y = rect.top + (rect.Height() - cell) / 2;
        if ((flags & kSingleLine) && (flags & kBottom)) y = rect.bottom - cell;
        if (!line.empty()) DrawTextLine(x, y, line);
    }
    return static_cast<int>(lines.size()) * cell;
}

Size CCanvas::TextExtent(std::string_view sjis) const {
    return font_ ? font_->TextExtent(sjis) : Size{};
}

}  // namespace valmore
