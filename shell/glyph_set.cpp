#include "glyph_set.h"

#include <string>

#include "loader.h"
#include "surf.h"

GlyphSet menu_glyphs;

namespace {

constexpr int glyph_count = 128;

bool is_upper(int c) { return c >= 'A' && c <= 'Z'; }
bool is_lower(int c) { return c >= 'a' && c <= 'z'; }

}  // namespace

GlyphSet::GlyphSet() : glyphs_(glyph_count, nullptr) {}

void GlyphSet::set_glyph(char c, Surf* s) {
    int code = static_cast<int>(c);
    if (code < 0 || code >= glyph_count) return;
    glyphs_[static_cast<unsigned>(code)] = s;
}

Surf* GlyphSet::glyph(char c) const {
    int code = static_cast<int>(c);
    if (code < 0 || code >= glyph_count) return nullptr;
    Surf* stored = glyphs_[static_cast<unsigned>(code)];
    if (Surf::ok(stored)) return stored;
    if (is_upper(code)) return glyphs_[static_cast<unsigned>(code - 'A' + 'a')];
    if (is_lower(code)) return glyphs_[static_cast<unsigned>(code - 'a' + 'A')];
    return stored;
}

int GlyphSet::space() const {
    if (space_w_ >= 0) return space_w_;
    Surf const* i = glyph('i');
    return i ? i->world_w() + fudge_w_ : 0;
}

void GlyphSet::set_fudge(int w, int h) {
    fudge_w_ = w;
    fudge_h_ = h;
}

void fill_menu_glyphs(Loader& l) {
    std::string const base = ".i/menu/glyphs/menu_";
    for (char c = 'a'; c <= 'z'; ++c) menu_glyphs.set_glyph(c, l.schedule_surface(base + c + ".png"));
    for (char c = '0'; c <= '9'; ++c) menu_glyphs.set_glyph(c, l.schedule_surface(base + c + ".png"));
    struct Named {
        char c;
        char const* name;
    };
    static Named const named[] = {{',', "comma"},  {'!', "exclamationmark"}, {'.', "period"}, {'-', "hyphen"},
                                  {'?', "questionmark"}, {':', "colon"},     {'%', "percent"}};
    for (Named const& n : named) menu_glyphs.set_glyph(n.c, l.schedule_surface(base + n.name + ".png"));
    menu_glyphs.set_fudge(-6, 0);
}
