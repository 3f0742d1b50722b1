#pragma once
// The first screen of a fresh profile: the player types a name, which the continue
// button (or Enter) stores before the main menu. There is no way back.

#include "button_sprite.h"
#include "menu_tde.h"
#include "sprite.h"
#include "text_sprite.h"

class NewPlayerScreen : public MenuTDE, public ButtonSprite::Listener {
public:
    NewPlayerScreen();

    void tick(unsigned now, unsigned dt) override;
    void display(SDL_Surface* s) const override;
    // Escape is swallowed; typing goes to the name (continue follows whether it is
    // empty); Enter with a name stores it; else the button and the background.
    bool proc_event(SDL_Event* e) override;
    void load(Loader* l) override;
    void on_enqueue() override;
    void on_dequeue() override;

    bool on_click(ButtonSprite* b) override;
    // Stores the name and goes to the main menu.
    void finish();

    Sprite background;
    ButtonSprite bcontinue;
    TextSprite name;
};

extern NewPlayerScreen newplayerscreen;
