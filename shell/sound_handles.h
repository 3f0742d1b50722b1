#pragma once
// The sound effects and music tracks that the whole program shares; null until
// register_sounds() has run.

class Snd;
class Mus;

extern Snd* snd_button_over;
extern Snd* snd_button_down;
extern Snd* snd_flip[2];
extern Mus* mus_menu;
extern Mus* mus_game[3];

// Registers the four sounds and four tracks; they are loaded later.
void register_sounds();
