#pragma once
// The hub between the title and everything else: play (a new game through the game
// choice, or the game in progress), options, how to play, high scores, the player
// choice, and quitting through a yes/no dialog. A welcome line names the current player.

#include <functional>

#include "button_sprite.h"
#include "menu_tde.h"
#include "particle_button.h"
#include "quit_dialog.h"
#include "sprite.h"
#include "text_sprite.h"

class MainMenuScreen : public MenuTDE, public ButtonSprite::Listener {
public:
    // The screens of later menus; a button whose hook is not set does nothing.
    struct Routes {
        std::function<void()> options;
        std::function<void()> high_scores;
        std::function<void()> how_to_play;
        std::function<void()> change_player;
    };

    // The quit dialog while it is shown, then the rest; the buttons animate under it.
    void tick(unsigned now, unsigned dt) override;
    void display(SDL_Surface* s) const override;
    // The quit dialog alone while shown (a yes saves the profiles and empties the screen
    // stack); Escape opens it; else the buttons, then the background.
    bool proc_event(SDL_Event* e) override;
    // Schedules every image, lays the screen out, loads the quit dialog and the name prompt.
    void load(Loader* l) override;

    bool on_click(ButtonSprite* b) override;
    // The welcome line for the current player.
    void resync();

    Routes routes;

    Sprite background;
    ParticleButton bplay;
    ParticleButton boptions;
    ParticleButton bhowtoplay;
    ParticleButton bhighscores;
    ParticleButton bquit;
    ParticleButton bchangeplayer;
    QuitDialog quit;
    TextSprite welcome;
};

extern MainMenuScreen mainmenu;
