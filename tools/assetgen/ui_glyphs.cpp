// The menu font: one character per image, small capitals in moonlight silver with a dark
// outline. All cells share one height and one baseline; the program advances by width - 6.

#include <algorithm>

#include "ui_parts.h"
#include "ui_theme.h"

namespace assetgen {
namespace ui {
namespace {

const char* const kGlyphFont = "Linux Libertine O Bold";
constexpr double kBaseline = 23.0;  // of a 30-px cell
constexpr double kSize = 27.0;      // em size: capitals about 17 px tall
constexpr double kSide = 4.0;       // ink kept this far from each side

struct Named {
    const char* name;
    const char* text;
};

const Named kPunct[] = {{"comma", ","},  {"exclamationmark", "!"}, {"period", "."},
                        {"hyphen", "-"}, {"questionmark", "?"},    {"colon", ":"},
                        {"percent", "%"}};

std::string glyph_text(const std::string& key) {
    if (key.size() == 1) {
        char c = key[0];
        if (c >= 'a' && c <= 'z') return std::string(1, static_cast<char>(c - 'a' + 'A'));
        if (c >= '0' && c <= '9') return key;
    }
    for (const Named& n : kPunct)
        if (key == n.name) return n.text;
    return "";
}

void draw_glyph(cairo_t* cr, int w, int h, const std::string& text) {
    TextStyle ts = style(kGlyphFont, kSize * h / 30.0, kSilver);
    TextExtent e = measure_text(cr, text, ts);
    double room = w - 2 * kSide;
    // Narrow wide capitals into their cells; widen figures a little to fill theirs.
    bool figure = text[0] >= '0' && text[0] <= '9';
    double sx = std::min(room / e.ink_w, figure ? 1.18 : 1.0);
    double base = kBaseline * h / 30.0;
    double ink_cx = e.ink_x + e.ink_w / 2;

    cairo_save(cr);
    cairo_translate(cr, w / 2.0, 0);
    cairo_scale(cr, sx, 1.0);
    cairo_translate(cr, -ink_cx, base - e.baseline);
    text_path(cr, text, ts, 0, 0);
    cairo_path_t* path = cairo_copy_path(cr);
    cairo_new_path(cr);

    // Soft shadow below, then the outline, then the gradient fill.
    cairo_save(cr);
    cairo_translate(cr, 0, 1.2);
    cairo_append_path(cr, path);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 3.2);
    set(cr, {0, 0, 0}, 0.35);
    cairo_stroke(cr);
    cairo_restore(cr);

    cairo_append_path(cr, path);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 3.0);
    set(cr, kInk, 0.95);
    cairo_stroke_preserve(cr);
    double top = base - 18 * h / 30.0, bot = base + 1;
    cairo_pattern_t* g =
        cairo_pattern_create_linear(0, top - (base - e.baseline), 0, bot - (base - e.baseline));
    gradient_stop(g, 0, rgb(0xffffff));
    gradient_stop(g, 0.55, kSilver);
    gradient_stop(g, 1, rgb(0xb4bee6));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_path_destroy(path);
    cairo_restore(cr);
}

}  // namespace

bool paint_glyphs(cairo_t* cr, int w, int h, const std::string& name) {
    if (!starts_with(name, "i/menu/glyphs/menu_")) return false;
    std::string key = stem(name).substr(5);
    std::string text = glyph_text(key);
    if (!text.empty()) draw_glyph(cr, w, h, text);
    return true;
}

}  // namespace ui
}  // namespace assetgen
