#pragma once
// The settings that both places asking for a player's name give their text line.

#include "text_sprite.h"

class Loader;

constexpr unsigned longest_name = 14;

// menu_glyphs, centred on (512, 334), at most 14 characters, the cursor image at (509, 322).
void apply_name_entry_settings(TextSprite& t, Loader* l);
