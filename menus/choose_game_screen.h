#pragma once
// The choice of one of the six games, stored at once in the current profile; continue
// (or Escape) goes on to play, through the game's rules page while the profile asks for it.

#include <functional>

#include "button_sprite.h"
#include "geom.h"
#include "menu_tde.h"
#include "player.h"
#include "sprite.h"

class ChooseGameScreen : public MenuTDE, public ButtonSprite::Listener {
public:
    // The how-to-play page of a game before the play screen. Not set: straight to play.
    struct Routes {
        std::function<void(Player::Game_Type)> show_rules_first;
    };

    static E2::Vec2<int> marker_pos(unsigned game) { return {81 + 165 * static_cast<int>(game), 482}; }
    static E2::Vec2<int> game_button_pos(unsigned game) { return {20 + 165 * static_cast<int>(game), 162}; }

    // A game's picture; the check box and the name under it, across the picture's width,
    // are hit as the picture is.
    class GameButton : public ButtonSprite {
    public:
        bool is_inside(int px, int py) const override;
        using ButtonSprite::is_inside;
    };

    void tick(unsigned now, unsigned dt) override;
    void display(SDL_Surface* s) const override;
    // Escape acts as continue; else every game button sees the event, then continue and
    // the background.
    bool proc_event(SDL_Event* e) override;
    void load(Loader* l) override;
    void start() override { resync(); }
    void on_enqueue() override;
    void on_dequeue() override;

    bool on_click(ButtonSprite* b) override;
    // The marker under the current profile's game.
    virtual void resync();

    Routes routes;

    Sprite background;
    ButtonSprite bcontinue;
    GameButton games[Player::game_count];
    Sprite marker;
};

extern ChooseGameScreen choosegamescreen;
