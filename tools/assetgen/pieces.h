#pragma once
// The families of members drawn by paint_pieces, one source file each.

#include <cairo.h>

#include <string>

namespace assetgen {
namespace pieces {

// pieces_cards.cpp: suit 0 clubs, 1 diamonds, 2 hearts, 3 spades; rank 0 Ace .. 12 King.
void card_face(cairo_t* cr, int w, int h, int suit, int rank);
void card_glow(cairo_t* cr, int w, int h);
// pieces_courts.cpp: the framed portrait of a Jack (10), Queen (11) or King (12).
void court_portrait(cairo_t* cr, int suit, int rank);
// pieces_backs.cpp
void card_back(cairo_t* cr, int w, int h, int index);
// pieces_tables.cpp
void table_background(cairo_t* cr, int w, int h, int index);
// pieces_overlays.cpp: `which` is the part after "overlay_" without ".png".
void pile_overlay(cairo_t* cr, int w, int h, const std::string& which);
void redeal_button(cairo_t* cr, int w, int h, bool over);
// pieces_sprites.cpp
void particle(cairo_t* cr, int w, int h, int index);
void butterfly(cairo_t* cr, int w, int h, int colour, int frame);
void pointer(cairo_t* cr, int w, int h, bool pressed);
void caret(cairo_t* cr, int w, int h);

}  // namespace pieces
}  // namespace assetgen
