#pragma once
// Images of single 7-bit characters for bitmap text, and the one set of the menus.

#include <vector>

class Loader;
class Surf;

class GlyphSet {
public:
    GlyphSet();

    // Stores the image of c; a negative c is ignored.
    void set_glyph(char c, Surf* s);
    // The image of c when it is loaded; otherwise, for a letter, the entry of the other
    // case (loaded or not); otherwise the stored entry. Null outside 0..127.
    Surf* glyph(char c) const;
    // The space width when set (>= 0); else the world width of 'i' plus fudge_w; else 0.
    int space() const;
    void set_space(int w) { space_w_ = w; }

    void set_fudge(int w, int h);
    // Extra advance after every glyph (may be negative).
    int fudge_w() const { return fudge_w_; }
    // Vertical offset of every glyph.
    int fudge_h() const { return fudge_h_; }

private:
    int space_w_ = -1;
    int fudge_w_ = 0;
    int fudge_h_ = 0;
    std::vector<Surf*> glyphs_;  // not owned
};

// The glyph set of all menu and counter text.
extern GlyphSet menu_glyphs;

// Schedules the menu letters, digits and punctuation with l into menu_glyphs and sets its
// fudge to (-6, 0). Upper-case letters fall back to the lower-case images.
void fill_menu_glyphs(Loader& l);
