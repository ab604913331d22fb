#include "ui/MarkupText.h"

#include <algorithm>
#include <cstdint>

#include "platform/Sjis.h"
#include "ui/Palette.h"

namespace valmore {

namespace {

constexpr int kInitialLineGap = 3;

// Characters that must not end a line: when the next character wraps, they go with it.
const std::string& NoLineEndChars() {
    static const std::string chars = Sj("「（");
    return chars;
}

// Characters that must not begin a line: they stay at the end of the line even beyond the edge.
const std::string& NoLineStartChars() {
    static const std::string chars = Sj("、。」）");
    return chars;
}

bool IsOneOf(std::string_view ch, std::string_view set) {
    for (std::size_t pos = 0; pos < set.size();) {
        const std::size_t len = SjisCharLength(set, pos);
        if (set.substr(pos, len) == ch) return true;
        pos += len;
    }
    return false;
}

// The longest leading part of text of at most maxBytes that does not split a character.
std::string_view CutAtCharacter(std::string_view text, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t len = SjisCharLength(text, end);
        if (end + len > maxBytes) break;
        end += len;
    }
    return text.substr(0, end);
}

// A decimal field: leading digits count, the first non-digit ends the number.
int FieldValue(std::string_view field) {
    int value = 0;
    for (char c : field) {
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::uint8_t ColourComponent(std::string_view field) {
    return static_cast<std::uint8_t>(std::min(FieldValue(field), 255));
}

}  // namespace

struct CMarkupText::LayoutState {
    IMarkupMeasurer& measurer;
    std::string_view text;
    std::size_t pos = 0;
    // True when the text was longer than the engine takes, so a character cut at the end is dropped.
    bool cut = false;
    int left = 0;
    int top = 0;
    int right = 0;

    int page = 0;
    int x = 0;
    int lineTop = 0;
    Rgb colour = kPalette.text;
    int font = kDefaultFont;
    bool highlight = false;
    int lastHeight = 0;
    bool measured = false;
    bool stopped = false;

    // Before any character is measured, the current font's height stands in for the last one.
    int LastHeight() const { return measured ? lastHeight : measurer.FontHeight(); }

    // The fixed-width field that follows the code, or none when the text ends inside it.
    std::optional<std::string_view> TakeField(std::size_t width) {
        if (text.size() - pos < width) return std::nullopt;
        std::string_view field = text.substr(pos, width);
        pos += width;
        return field;
    }
};

CMarkupText::PageSizes CMarkupText::Layout(const IMarkupSkin& skin, std::string_view text, const Rect& area) {
    CSkinFontMeasurer measurer(skin);
    return Layout(measurer, text, area);
}

CMarkupText::PageSizes CMarkupText::Layout(IMarkupMeasurer& measurer, std::string_view text, const Rect& area) {
    Clear();
    lineGap_ = kInitialLineGap;

    // The text is a C string to its writers: a NUL ends it.
    text = text.substr(0, std::min(text.find('\0'), text.size()));
    LayoutState s{measurer, text.substr(0, std::min(text.size(), kMaxTextBytes))};
    s.cut = text.size() > kMaxTextBytes;
    s.left = area.left;
    s.top = area.top;
    s.right = area.right;
    s.x = area.left;
    s.lineTop = area.top + kInitialLineGap;
    measurer.SelectFont(kDefaultFont);

    const std::string_view t = s.text;
    while (s.pos < t.size() && !s.stopped) {
        const char c = t[s.pos];
        if (c == '&') {
            s.highlight = !s.highlight;
            ++s.pos;
            continue;
        }
        if (c != '$') {
            const std::size_t len = SjisCharLength(t, s.pos);
            // A lead byte whose trail byte lies beyond the cut is half a character: leave it out.
            if (s.cut && len == 1 && s.pos + 1 == t.size() && IsSjisLeadByte(static_cast<unsigned char>(c))) break;
            PlaceCharacter(s, t.substr(s.pos, len), false, {});
            s.pos += len;
            continue;
        }

        if (!ApplyCode(s)) break;
    }
    return FinishLayout(s);
}

// Applies the code whose "$" is at the current position. Returns false when the text ends inside it.
bool CMarkupText::ApplyCode(LayoutState& s) {
    const std::string_view t = s.text;
    IMarkupMeasurer& measurer = s.measurer;
    if (s.pos + 1 >= t.size()) return false;
    const std::size_t codePos = s.pos + 1;
    s.pos += 2;
    switch (t[codePos]) {
        case 'c': {
            const auto field = s.TakeField(9);
            if (!field) return false;
            s.colour = {ColourComponent(field->substr(0, 3)), ColourComponent(field->substr(3, 3)),
                        ColourComponent(field->substr(6, 3))};
            break;
        }
        case 'f': {
            const auto field = s.TakeField(2);
            if (!field) return false;
            const int number = FieldValue(*field);
            if (measurer.SelectFont(number)) s.font = number;
            break;
        }
        case 'h': {
            const auto field = s.TakeField(2);
            if (!field) return false;
            lineGap_ = FieldValue(*field);
            break;
        }
        case 'n':
            s.lineTop += lineGap_ + s.LastHeight();
            s.x = s.left;
            break;
        case 'p':
            if (s.page + 1 >= kMaxPages) {
                s.stopped = true;
                break;
            }
            ++s.page;
            s.x = s.left;
            s.lineTop = s.top;
            break;
        case 'x': {
            const auto field = s.TakeField(4);
            if (!field) return false;
            s.x = s.left + FieldValue(*field);
            break;
        }
        case 'y': {
            const auto field = s.TakeField(4);
            if (!field) return false;
            s.lineTop = s.top + FieldValue(*field);
            break;
        }
        case 'm': {
            const auto field = s.TakeField(4);
            if (!field) return false;
            const Size zero = measurer.Measure("0");
            s.x = s.left + FieldValue(*field) * zero.width;
            s.lastHeight = zero.height;
            s.measured = true;
            break;
        }
        case 'g': {
            const auto field = s.TakeField(3);
            if (!field) return false;
            PlaceImage(s, FieldValue(*field));
            break;
        }
        case 'd': {
            // A link whose closing "$" is missing runs to the end of the text.
            const std::size_t textEnd = std::min(t.find('$', s.pos), t.size());
            const std::string_view display = t.substr(s.pos, textEnd - s.pos);
            std::string_view key;
            s.pos = t.size();
            if (textEnd < t.size()) {
                const std::size_t keyEnd = std::min(t.find('$', textEnd + 1), t.size());
                key = t.substr(textEnd + 1, keyEnd - textEnd - 1);
                s.pos = std::min(keyEnd + 1, t.size());
            }
            PlaceLink(s, display, key);
            break;
        }
        default:
            // Unknown codes are skipped together with the whole character that follows the "$".
            s.pos = codePos + SjisCharLength(t, codePos);
            break;
    }
    return true;
}

CMarkupText::PageSizes CMarkupText::FinishLayout(const LayoutState& s) {
    pageCount_ = s.page + 1;
    PageSizes sizes;
    sizes.pageCount = pageCount_;
    for (int page = 0; page < pageCount_; ++page) {
        const auto& frags = fragments_[page];
        if (frags.empty()) continue;
        int maxRight = frags.front().rect.right;
        int maxBottom = frags.front().rect.bottom;
        for (const MarkupFragment& f : frags) {
            maxRight = std::max(maxRight, f.rect.right);
            maxBottom = std::max(maxBottom, f.rect.bottom);
        }
        sizes.pages[page] = {maxRight - s.left, maxBottom - s.top};
    }
    return sizes;
}

void CMarkupText::PlaceCharacter(LayoutState& s, std::string_view ch, bool link, std::string_view key) {
    auto& frags = fragments_[s.page];
    if (static_cast<int>(frags.size()) >= kMaxFragmentsPerPage) {
        s.stopped = true;
        return;
    }
    // A page holds at most a cell a byte of what is left: one allocation instead of a growing list
    // (a later layout keeps it).
    if (frags.capacity() == 0)
        frags.reserve(std::min<std::size_t>(s.text.size() - std::min(s.pos, s.text.size()), kMaxFragmentsPerPage));

    MarkupFragment f;
    std::copy_n(ch.begin(), std::min<std::size_t>(ch.size(), 2), f.text.begin());
    f.colour = link ? kPalette.link : s.colour;
    f.highlight = s.highlight;
    f.link = link;
    if (link) f.linkKey = key;
    f.font = s.font;
    const Size size = s.measurer.Measure(ch);
    const int w = size.width;
    const int h = size.height;

    MarkupFragment* prev = frags.empty() ? nullptr : &frags.back();
    if (s.x + w < s.right) {
        f.rect = {s.x, s.lineTop, s.x + w, s.lineTop + h};
        s.x += w;
    } else if (!link && prev && prev->rect.top == s.lineTop && prev->rect.left > s.left &&
               IsOneOf(prev->Text(), NoLineEndChars())) {
        // An opening bracket never ends a line: it moves down with the character that follows it. Only
        // a bracket on this line and not already at its start is moved, so an explicit line break is kept.
        const int pw = prev->rect.Width();
        const int ph = prev->rect.Height();
        s.lineTop += lineGap_ + ph;
        prev->rect = {s.left, s.lineTop, s.left + pw, s.lineTop + ph};
        f.rect = {s.left + pw, s.lineTop, s.left + pw + w, s.lineTop + h};
        s.x = s.left + pw + w;
    } else if (!link && IsOneOf(ch, NoLineStartChars())) {
        // Closing punctuation never begins a line: it hangs beyond the right edge instead.
        f.rect = {s.x, s.lineTop, s.x + w, s.lineTop + h};
        s.x = s.left;
        s.lineTop += lineGap_ + h;
    } else {
        s.lineTop += lineGap_ + h;
        f.rect = {s.left, s.lineTop, s.left + w, s.lineTop + h};
        s.x = s.left + w;
    }
    s.lastHeight = h;
    s.measured = true;
    frags.push_back(std::move(f));
}

void CMarkupText::PlaceLink(LayoutState& s, std::string_view display, std::string_view key) {
    display = CutAtCharacter(display, kMaxLinkBytes);
    key = key.empty() ? display : CutAtCharacter(key, kMaxLinkBytes);
    for (std::size_t pos = 0; pos < display.size() && !s.stopped;) {
        const std::size_t len = SjisCharLength(display, pos);
        PlaceCharacter(s, display.substr(pos, len), true, key);
        pos += len;
    }
}

void CMarkupText::PlaceImage(LayoutState& s, int bitmap) {
    auto& slots = images_[s.page];
    const auto freeSlot = std::find_if(slots.begin(), slots.end(), [](const MarkupImage& i) { return !i.used; });
    // A fifth image on a page is left out and takes no room; the text goes on.
    if (freeSlot == slots.end()) return;

    const Size b = s.measurer.SkinBitmapSize(bitmap);
    const int gap = lineGap_;
    const int h = s.LastHeight();
    const std::int64_t dh = std::min(gap + h, b.height);
    // A missing bitmap (0 x 0) shows nothing and takes no room.
    if (b.width <= 0 || b.height <= 0 || dh <= 0) return;
    const int dw = static_cast<int>(std::int64_t{b.width} * dh / b.height);
    if (dw <= 0) return;

    if (s.x + dw >= s.right) {
        s.x = s.left;
        s.lineTop += h + gap;
    }
    *freeSlot = {true, bitmap, s.x, s.lineTop - gap / 2 + 1, dw - 1, static_cast<int>(dh) - 1};
    s.x += dw;
}

void CMarkupText::Draw(CCanvas& canvas, const IMarkupSkin& skin, const Rect& area, int page) {
    if (!IsValidPage(page)) return;
    pageLastDrawn_ = page;

    CCanvas::FontGuard fontGuard(canvas, skin.SkinFont(kDefaultFont));
    int currentFont = kDefaultFont;

    {
        // Halftone keeps pictures that are scaled down to the line readable.
        const StretchMode savedMode = canvas.SetStretchMode(StretchMode::Halftone);
        CCanvas::ClipGuard clip(canvas, area);
        for (const MarkupImage& image : ImageSlots(page)) {
            if (!image.used) continue;
            const CBitmap* bitmap = skin.SkinBitmap(image.bitmap);
            if (!bitmap || bitmap->IsEmpty()) continue;
            canvas.StretchBitmap(*bitmap, Rect::FromSize(image.x, image.y, image.widthMinusOne, image.heightMinusOne));
        }
        canvas.SetStretchMode(savedMode);
    }

    // Text goes on top of the images.
    CCanvas::ClipGuard clip(canvas, area);
    for (const MarkupFragment& f : Fragments(page)) {
        if (f.font != currentFont) {
            if (const CFont* font = skin.SkinFont(f.font)) canvas.SelectFont(font);
            currentFont = f.font;
        }
        canvas.SetTextColour(f.highlight ? kPalette.link : f.colour);
        canvas.TextOut(f.rect.left, f.rect.top, f.Text());
    }
}

void CMarkupText::Clear() {
    for (auto& page : fragments_) page.clear();
    for (auto& page : images_) page.fill(MarkupImage{});
    pageCount_ = 0;
}

void CMarkupText::Reset() {
    Clear();
    pageLastDrawn_ = 0;
}

std::span<const MarkupFragment> CMarkupText::Fragments(int page) const {
    if (!IsValidPage(page)) return {};
    return fragments_[page];
}

std::span<const MarkupImage> CMarkupText::ImageSlots(int page) const {
    if (!IsValidPage(page)) return {};
    return images_[page];
}

std::optional<std::string> CMarkupText::FindLink(int page, int x, int y) const {
    for (const MarkupFragment& f : Fragments(page)) {
        if (f.link && f.rect.Contains(x, y)) return f.linkKey;
    }
    return std::nullopt;
}

std::string EscapeMarkup(std::string_view sjis) {
    static const std::string kDollar = Sj("＄");
    static const std::string kAmpersand = Sj("＆");
    std::string out;
    out.reserve(sjis.size());
    for (std::size_t pos = 0; pos < sjis.size();) {
        const std::size_t length = SjisCharLength(sjis, pos);
        const std::string_view ch = sjis.substr(pos, length);
        if (ch == "$") {
            out += kDollar;
        } else if (ch == "&") {
            out += kAmpersand;
        } else {
            out += ch;
        }
        pos += length;
    }
    return out;
}

}  // namespace valmore
