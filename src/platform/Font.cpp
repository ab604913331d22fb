#include "platform/Font.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-font.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/GfxHandles.h"
#include "platform/Sjis.h"

namespace valmore {

namespace {

constexpr int kDefaultEmPixels = 16;
constexpr int kMaxEmPixels = 1000;
// Labels that change every tick (prices, dates) would otherwise grow the run cache without bound.
constexpr std::size_t kMaxCachedRuns = 4096;

// The skin's face, and the installed font that stands in for it. Any other face goes to fontconfig
// as it is named, which picks the closest installed font.
std::string FamilyForFace(std::string_view faceName) {
    if (faceName.empty() || faceName == Sj("ＭＳ ゴシック")) return "IPAGothic";
    return Cp932ToUtf8(faceName);
}

// Key of a character in the width table: the byte, or lead byte and trail byte.
unsigned CharKey(std::string_view ch) {
    const auto lead = static_cast<unsigned char>(ch[0]);
    return ch.size() == 2 ? (lead << 8) | static_cast<unsigned char>(ch[1]) : lead;
}

int PangoToPixels(int units) {
    return static_cast<int>(std::lround(units / static_cast<double>(PANGO_SCALE)));
}

struct GlyphSegment {
    gfx::ScaledFontPtr font;
    std::vector<cairo_glyph_t> glyphs;  // x from the run's left end, y from the baseline
};

struct TextRun {
    int width = 0;
    std::vector<GlyphSegment> segments;
};

// All fonts share one font map, so fonts of the same face share their glyph caches. It lives as
// long as some font uses it; with the last font its caches are released too.
std::shared_ptr<PangoFontMap> SharedFontMap() {
    static std::weak_ptr<PangoFontMap> shared;
    if (auto map = shared.lock()) return map;
    std::shared_ptr<PangoFontMap> map(pango_cairo_font_map_new(), [](PangoFontMap* m) { g_object_unref(m); });
    shared = map;
    return map;
}

struct StringHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

}  // namespace

struct CFont::Impl {
    FontDescription description;
    int em = kDefaultEmPixels;
    int ascent = 0;
    int descent = 0;
    // In a fixed-pitch (or dual-width) font, the advance of a half-width character; 0 otherwise.
    int halfCell = 0;
    std::shared_ptr<PangoFontMap> fontMap;
    gfx::GObjectPtr<PangoContext> context;
    gfx::FontDescriptionPtr pangoDescription;
    gfx::GObjectPtr<PangoFont> font;
    gfx::GObjectPtr<PangoLayout> layout;  // reused for every measurement and shaping
    std::vector<std::int16_t> widths;     // by CharKey; -1 until measured
    std::unordered_map<std::string, TextRun, StringHash, std::equal_to<>> runs;
    std::vector<cairo_glyph_t> scratch;

    // The character as shaped: UTF-8, with control characters shown as a space.
    static std::string CharUtf8(std::string_view ch) {
        if (ch.size() == 1 && static_cast<unsigned char>(ch[0]) < 0x20) return " ";
        if (ch.size() == 1 && ch[0] == 0x7F) return " ";
        return Cp932ToUtf8(ch);
    }

    int NativeWidth(const std::string& utf8) const {
        pango_layout_set_text(layout.get(), utf8.data(), static_cast<int>(utf8.size()));
        PangoRectangle logical;
        pango_layout_get_extents(layout.get(), nullptr, &logical);
        return PangoToPixels(logical.width);
    }

    int Width(std::string_view ch) {
        if (ch.empty()) return 0;
        if (widths.empty()) widths.assign(65536, -1);
        std::int16_t& slot = widths[CharKey(ch)];
        if (slot < 0) {
            int w = NativeWidth(CharUtf8(ch));
            if (halfCell > 0 && w > halfCell) w = 2 * halfCell;
            slot = static_cast<std::int16_t>(std::clamp(w, 0, 32767));
        }
        return slot;
    }

    const TextRun& Shape(std::string_view sjis);
};

const TextRun& CFont::Impl::Shape(std::string_view sjis) {
    if (auto found = runs.find(sjis); found != runs.end()) return found->second;
    if (runs.size() >= kMaxCachedRuns) runs.clear();

    // Lay the characters out on our own advances, so drawing agrees with measuring exactly.
    std::string utf8;
    std::vector<int> charByte;  // where each character starts in utf8
    std::vector<int> charX;
    int x = 0;
    for (std::size_t pos = 0; pos < sjis.size();) {
        const std::size_t len = SjisCharLength(sjis, pos);
        const std::string_view ch = sjis.substr(pos, len);
        charByte.push_back(static_cast<int>(utf8.size()));
        charX.push_back(x);
        utf8 += CharUtf8(ch);
        x += Width(ch);
        pos += len;
    }

    TextRun run;
    run.width = x;
    pango_layout_set_text(layout.get(), utf8.data(), static_cast<int>(utf8.size()));
    PangoLayoutLine* line = pango_layout_get_line_readonly(layout.get(), 0);
    for (GSList* item = line ? line->runs : nullptr; item; item = item->next) {
        auto* glyphItem = static_cast<PangoGlyphItem*>(item->data);
        PangoGlyphString* glyphs = glyphItem->glyphs;
        cairo_scaled_font_t* scaled =
            pango_cairo_font_get_scaled_font(PANGO_CAIRO_FONT(glyphItem->item->analysis.font));
        if (!scaled) continue;
        GlyphSegment segment;
        segment.font.reset(cairo_scaled_font_reference(scaled));
        int previousCluster = -1;
        int clusterAdvance = 0;
        for (int i = 0; i < glyphs->num_glyphs; ++i) {
            const PangoGlyphInfo& info = glyphs->glyphs[i];
            const int cluster = glyphItem->item->offset + glyphs->log_clusters[i];
            if (cluster == previousCluster) {
                clusterAdvance += glyphs->glyphs[i - 1].geometry.width;
            } else {
                clusterAdvance = 0;
                previousCluster = cluster;
            }
            if (info.glyph == PANGO_GLYPH_EMPTY || (info.glyph & PANGO_GLYPH_UNKNOWN_FLAG)) continue;
            const auto at = std::upper_bound(charByte.begin(), charByte.end(), cluster) - charByte.begin() - 1;
            const int charLeft = at >= 0 ? charX[static_cast<std::size_t>(at)] : 0;
            cairo_glyph_t glyph;
            glyph.index = info.glyph;
            glyph.x = charLeft + PangoToPixels(clusterAdvance + info.geometry.x_offset);
            glyph.y = PangoToPixels(info.geometry.y_offset);
            segment.glyphs.push_back(glyph);
        }
        if (!segment.glyphs.empty()) run.segments.push_back(std::move(segment));
    }
    return runs.emplace(std::string(sjis), std::move(run)).first->second;
}

CFont::CFont(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
CFont::~CFont() = default;

int CFont::PointSizeToPixels(int tenthsOfPoint) {
    // 96 pixels per inch, 72 points per inch, in tenths: px = tenths * 96 / 720, rounded half up.
    const long long scaled = static_cast<long long>(tenthsOfPoint) * 96;
    return static_cast<int>(scaled >= 0 ? (scaled + 360) / 720 : -((-scaled + 360) / 720));
}

std::unique_ptr<CFont> CFont::FromPointSize(int tenthsOfPoint, std::string_view faceName) {
    FontDescription description;
    description.height = -std::max(1, PointSizeToPixels(tenthsOfPoint));
    description.faceName = std::string(faceName);
    return FromDescription(description);
}

std::unique_ptr<CFont> CFont::FromDescription(const FontDescription& requested) {
    auto impl = std::make_unique<Impl>();
    impl->description = requested;
    if (impl->description.weight <= 0) impl->description.weight = 400;

    impl->fontMap = SharedFontMap();
    impl->context.reset(pango_font_map_create_context(impl->fontMap.get()));
    gfx::FontOptionsPtr options(cairo_font_options_create());
    const bool antialias = requested.quality != FontQuality::NonAntialiased;
    cairo_font_options_set_antialias(options.get(), antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_SLIGHT);
    // Unhinted metrics give the font's true ascent and descent; advances come out whole anyway,
    // because glyph positions are rounded.
    cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
    pango_cairo_context_set_font_options(impl->context.get(), options.get());
    pango_context_set_round_glyph_positions(impl->context.get(), TRUE);
    pango_context_set_language(impl->context.get(), pango_language_from_string("ja"));
    pango_context_set_base_dir(impl->context.get(), PANGO_DIRECTION_LTR);

    impl->pangoDescription.reset(pango_font_description_new());
    PangoFontDescription* desc = impl->pangoDescription.get();
    pango_font_description_set_family(desc, FamilyForFace(requested.faceName).c_str());
    pango_font_description_set_weight(desc, static_cast<PangoWeight>(std::clamp(impl->description.weight, 100, 1000)));
    pango_font_description_set_style(desc, requested.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);

    auto load = [&](int em) {
        pango_font_description_set_absolute_size(desc, em * PANGO_SCALE);
        impl->font.reset(pango_context_load_font(impl->context.get(), desc));
    };
    auto metricsOf = [&](int* ascentUnits, int* descentUnits) {
        PangoFontMetrics* metrics = impl->font ? pango_font_get_metrics(impl->font.get(), nullptr) : nullptr;
        *ascentUnits = metrics ? pango_font_metrics_get_ascent(metrics) : 0;
        *descentUnits = metrics ? pango_font_metrics_get_descent(metrics) : 0;
        if (metrics) pango_font_metrics_unref(metrics);
    };

    int em = kDefaultEmPixels;
    if (requested.height < 0) em = -requested.height;
    if (requested.height > 0) {
        // A cell height: find the em whose ascent + descent makes that height.
        load(requested.height);
        int a = 0;
        int d = 0;
        metricsOf(&a, &d);
        const double cellPerEm = (a + d) > 0 ? (a + d) / static_cast<double>(PANGO_SCALE) / requested.height : 1.0;
        em = static_cast<int>(std::lround(requested.height / cellPerEm));
    }
    em = std::clamp(em, 1, kMaxEmPixels);
    impl->em = em;
    impl->description.height = -em;
    load(em);

    int ascentUnits = 0;
    int descentUnits = 0;
    metricsOf(&ascentUnits, &descentUnits);
    impl->ascent = PangoToPixels(ascentUnits);
    const int cell = std::max(1, PangoToPixels(ascentUnits + descentUnits));
    impl->descent = std::max(0, cell - impl->ascent);

    impl->layout.reset(pango_layout_new(impl->context.get()));
    pango_layout_set_font_description(impl->layout.get(), desc);
    pango_layout_set_single_paragraph_mode(impl->layout.get(), TRUE);

    if (impl->font && PANGO_IS_FC_FONT(impl->font.get())) {
        FcPattern* pattern = pango_fc_font_get_pattern(PANGO_FC_FONT(impl->font.get()));
        int spacing = FC_PROPORTIONAL;
        if (pattern && FcPatternGetInteger(pattern, FC_SPACING, 0, &spacing) == FcResultMatch &&
            (spacing == FC_MONO || spacing == FC_DUAL)) {
            impl->halfCell = impl->NativeWidth("0");
        }
    }
    return std::unique_ptr<CFont>(new CFont(std::move(impl)));
}

const FontDescription& CFont::Description() const {
    return impl_->description;
}

std::string CFont::FamilyName() const {
    if (!impl_->font) return {};
    gfx::FontDescriptionPtr actual(pango_font_describe(impl_->font.get()));
    const char* family = pango_font_description_get_family(actual.get());
    return family ? family : "";
}

std::string CFont::FontFile() const {
    if (!impl_->font || !PANGO_IS_FC_FONT(impl_->font.get())) return {};
    FcPattern* pattern = pango_fc_font_get_pattern(PANGO_FC_FONT(impl_->font.get()));
    FcChar8* file = nullptr;
    if (!pattern || FcPatternGetString(pattern, FC_FILE, 0, &file) != FcResultMatch || !file) return {};
    return reinterpret_cast<const char*>(file);
}

int CFont::EmPixels() const {
    return impl_->em;
}
int CFont::Ascent() const {
    return impl_->ascent;
}
int CFont::Descent() const {
    return impl_->descent;
}
int CFont::CellHeight() const {
    return impl_->ascent + impl_->descent;
}

int CFont::CharWidth(std::string_view sjis) const {
    return impl_->Width(sjis.substr(0, SjisCharLength(sjis, 0)));
}

int CFont::TextWidth(std::string_view sjis) const {
    int width = 0;
    for (std::size_t pos = 0; pos < sjis.size();) {
        const std::size_t len = SjisCharLength(sjis, pos);
        width += impl_->Width(sjis.substr(pos, len));
        pos += len;
    }
    return width;
}

std::string CFont::FitWithEllipsis(std::string_view sjis, int maxWidth) const {
    if (TextWidth(sjis) <= maxWidth) return std::string(sjis);
    static constexpr std::string_view kEllipsis = "...";
    const int ellipsisWidth = TextWidth(kEllipsis);
    int width = 0;
    std::size_t keep = 0;
    for (std::size_t pos = 0; pos < sjis.size();) {
        const std::size_t len = SjisCharLength(sjis, pos);
        const int w = impl_->Width(sjis.substr(pos, len));
        if (width + w + ellipsisWidth > maxWidth) break;
        width += w;
        pos += len;
        keep = pos;
    }
    std::string out(sjis.substr(0, keep));
    out += kEllipsis;
    return out;
}

void CFont::DrawRun(cairo_t* cr, int x, int baseline, std::string_view sjis) const {
    if (sjis.empty()) return;
    const TextRun& run = impl_->Shape(sjis);
    std::vector<cairo_glyph_t>& scratch = impl_->scratch;
    for (const GlyphSegment& segment : run.segments) {
        scratch.assign(segment.glyphs.begin(), segment.glyphs.end());
        for (cairo_glyph_t& g : scratch) {
            g.x += x;
            g.y += baseline;
        }
        cairo_set_scaled_font(cr, segment.font.get());
        cairo_show_glyphs(cr, scratch.data(), static_cast<int>(scratch.size()));
    }
}

std::size_t CFont::CachedRunCount() const {
    return impl_->runs.size();
}

}  // namespace valmore
