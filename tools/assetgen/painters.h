#pragma once
// The painters that draw the archive's members. The member table (members.cpp) names,
// for every member, its size and which painter draws it.

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

// Draw one image member onto a cleared (fully transparent) ARGB32 surface of w x h.
// `name` is the index name, e.g. "i/game/cards/h11.png".
//
// Cards, backs, card glow, particles, butterflies, pointers and caret, table
// backgrounds, pile overlays, bottom bar and game titles, the redeal arrow.
void paint_pieces(cairo_t* cr, int w, int h, const std::string& name);
// Menus, buttons, glows, popups, glyphs, full-screen backgrounds, how-to-play pages.
void paint_ui(cairo_t* cr, int w, int h, const std::string& name);

// The whole file (WAV for "a/*.wav", Ogg Vorbis for "a/*.ogg") of one audio member.
std::vector<uint8_t> make_sound(const std::string& name);

}  // namespace assetgen
