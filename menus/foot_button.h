#pragma once
// The wide button at the foot of a menu screen (Main Menu, Options, Continue).

#include <string>

#include "button_sprite.h"

class Loader;

// The images .i/menu/<art>_up, _over and _down.png and the menu glow scheduled, at
// (313, 670), at rest, reporting to the listener.
void load_foot_button(ButtonSprite& b, Loader* l, std::string const& art, ButtonSprite::Listener* listener);
