#include "sound_handles.h"

#include "mus.h"
#include "snd.h"

Snd* snd_button_over = nullptr;
Snd* snd_button_down = nullptr;
Snd* snd_flip[2] = {nullptr, nullptr};
Mus* mus_menu = nullptr;
Mus* mus_game[3] = {nullptr, nullptr, nullptr};

void register_sounds() {
    snd_button_over = Snd::snd_register(".a/button_over.wav", 1.0f);
    snd_button_down = Snd::snd_register(".a/button_down.wav", 1.0f);
    snd_flip[0] = Snd::snd_register(".a/flip0.wav", 1.0f);
    snd_flip[1] = Snd::snd_register(".a/flip1.wav", 1.0f);
    mus_menu = Mus::mus_register(".a/menu.ogg", 0.5f, 184000);
    mus_game[0] = Mus::mus_register(".a/game-0.ogg", 1.0f, 276000);
    mus_game[1] = Mus::mus_register(".a/game-1.ogg", 1.0f, 231000);
    mus_game[2] = Mus::mus_register(".a/game-2.ogg", 1.0f, 239000);
}
