#include "text_sprite.h"

#include <cmath>

#include "blit_job_manager.h"
#include "event_predicates.h"
#include "glyph_set.h"
#include "screen_hacks.h"
#include "surf.h"

namespace {

// Halves away from zero.
int nearest(float v) { return static_cast<int>(std::lround(v)); }

// ASCII classes on the byte value, so that bytes of 128 and more (names read from files)
// are plain characters and never reach the C library as negative values.
bool is_space(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool is_alnum(unsigned char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool is_punct(unsigned char c) { return c > ' ' && c < 127 && !is_alnum(c); }

bool scale_is_one(float sc) { return std::fabs(sc - 1.0f) <= 0.001f; }

}  // namespace

void TextSprite::tick(unsigned now, unsigned dt) {
    Sprite::tick(now, dt);
    cursor.advance(dt);
}

GlyphSet const* TextSprite::gs_for_char(int, int) const { return glyphs; }

int TextSprite::scalei(int v) const { return nearest(static_cast<float>(v) * scale); }

void TextSprite::submit(Surf const* g, int wx, int wy, float sc) const {
    E2::Vec2<int> at = ScreenHacks::world_to_screen_pos({static_cast<Sint16>(wx), static_cast<Sint16>(wy)});
    int w = 0, h = 0;  // the image's own screen size
    if (!scale_is_one(sc)) {
        E2::Rect<int> world(wx, wy, nearest(static_cast<float>(g->world_w()) * sc),
                            nearest(static_cast<float>(g->world_h()) * sc));
        E2::Rect<int> scr = ScreenHacks::world_to_screen(world);
        w = static_cast<Uint16>(scr.w);
        h = static_cast<Uint16>(scr.h);
    }
    bjmgr.insert(BlitJob(E2::op_blit, E2::blend_alpha, g, E2::Rect<int>(at.x, at.y, w, h), E2::Color(0x000000FFu), 255));
}

int TextSprite::layout_from(int x0, float sc) const {
    int pen = x0;
    for (std::size_t i = 0; i < text_.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text_[i]);
        GlyphSet const* gs = gs_for_char(c, static_cast<int>(i));
        if (!gs) continue;
        if (is_space(c)) {
            pen += nearest(static_cast<float>(gs->space()) * sc);
            continue;
        }
        Surf const* g = gs->glyph(text_[i]);
        if (!Surf::ok(g)) continue;
        submit(g, pen, y + nearest(static_cast<float>(gs->fudge_h()) * sc), sc);
        pen += nearest(static_cast<float>(g->world_w() + gs->fudge_w()) * sc);
    }
    return pen;
}

int TextSprite::layout_ending_at(int x0) const {
    int pen = x0;
    for (std::size_t i = text_.size(); i-- > 0;) {
        unsigned char c = static_cast<unsigned char>(text_[i]);
        GlyphSet const* gs = gs_for_char(c, static_cast<int>(i));
        if (!gs) continue;
        if (is_space(c)) {
            pen -= gs->space();
            continue;
        }
        Surf const* g = gs->glyph(text_[i]);
        if (!Surf::ok(g)) continue;
        pen -= g->world_w();
        pen -= gs->fudge_w();
        submit(g, pen, y + gs->fudge_h(), 1.0f);
    }
    return pen;
}

int TextSprite::width() const {
    int total = 0;
    for (std::size_t i = 0; i < text_.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text_[i]);
        GlyphSet const* gs = gs_for_char(c, static_cast<int>(i));
        if (!gs) continue;
        if (is_space(c)) {
            total += gs->space();
            continue;
        }
        Surf const* g = gs->glyph(text_[i]);
        if (Surf::ok(g)) total += g->world_w() + gs->fudge_w();
    }
    return total;
}

void TextSprite::display(SDL_Surface* s) const {
    int end = x;
    if (glyphs && !text_.empty()) {
        switch (align) {
            case align_left:
                end = layout_from(x, scale);
                break;
            case align_right:
                end = layout_ending_at(x);
                break;
            case align_center:
                end = layout_from(x - width() / 2, 1.0f);
                break;
            default:
                break;
        }
    }
    cursor.x = end;
    if (editable() && cursor.visible) cursor.Sprite::display(s);
}

bool TextSprite::proc_event(SDL_Event* e) {
    if (!editable() || !e || e->type != SDL_KEYDOWN) return false;
    SDLKey key = e->key.keysym.sym;
    unsigned char c = static_cast<unsigned char>(sdl_key_to_char(key));
    bool room = text_.size() < max_length;
    if (c < 128 && (is_alnum(c) || is_punct(c))) {
        if (room) text_ += static_cast<char>(c);
        return true;
    }
    if (key == SDLK_SPACE) {
        if (!text_.empty() && room) text_ += ' ';
        return true;
    }
    if (key == SDLK_BACKSPACE || key == SDLK_DELETE) {
        if (!text_.empty()) text_.pop_back();
        return true;
    }
    if (_is_key_enter(key)) return text_.empty();
    return true;
}
