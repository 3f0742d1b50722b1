#pragma once
// A line of bitmap text laid out from a glyph set: from its position, ending at it or
// centred on it, optionally scaled; when editable it takes typed keys and shows a
// blinking cursor.

#include <climits>
#include <string>

#include "blink_sprite.h"
#include "sprite.h"

class GlyphSet;

class TextSprite : public Sprite {
public:
    enum Align { align_left = 0, align_right = 1, align_center = 2 };

    TextSprite() = default;

    // Sprite::tick, then the cursor blinks.
    void tick(unsigned now, unsigned dt) override;
    // The glyphs, then the cursor when editable and visible; the cursor's x becomes the
    // end of the text (its left end for align_right).
    void display(SDL_Surface* s) const override;
    // Typed keys while editable; the mouse is not handled.
    bool proc_event(SDL_Event* e) override;

    virtual bool editable() const { return editable_; }
    virtual void set_editable(bool b) { editable_ = b; }
    // The glyph set for character c at position index of the text.
    virtual GlyphSet const* gs_for_char(int c, int index) const;

    std::string const& text() const { return text_; }
    void set_text(std::string const& t) { text_ = t; }
    // v x scale, to the nearest integer.
    int scalei(int v) const;

    GlyphSet const* glyphs = nullptr;  // not owned
    int align = align_left;
    // The owner sets its image and y; display sets its x.
    mutable BlinkSprite cursor{600, 400};
    // Typed characters are appended only while the text is shorter.
    unsigned max_length = UINT_MAX;
    // Used by align_left only.
    float scale = 1.0f;

private:
    // Draws the text from pen = x0 at the given scale; the end of the text.
    int layout_from(int x0, float sc) const;
    int layout_ending_at(int x0) const;
    int width() const;
    void submit(Surf const* g, int wx, int wy, float sc) const;

    bool editable_ = false;
    std::string text_;
};
