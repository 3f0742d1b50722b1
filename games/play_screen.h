#pragma once
// The screen on which every game is played: the current game's rules object, the seven
// buttons of the top bar, the game clock, the score and move counters, the confirmation
// popups and the won dialog. It deals or resumes a game when it becomes current, feeds
// input to the rules, drains their pending score and moves each tick, and ends a won game.

#include <functional>
#include <string>

#include "button_sprite.h"
#include "clock_listener.h"
#include "confirm_dialog.h"
#include "game_over_dialog.h"
#include "options_popup.h"
#include "player.h"
#include "player_clock.h"
#include "score_sprite.h"
#include "solitaire_rules.h"
#include "sprite.h"
#include "tde.h"
#include "transparent_dialog.h"
#include "won_dialog.h"

class PlayScreen : public TDE, public ButtonSprite::Listener, public ClockListener {
public:
    static constexpr unsigned background_count = 22;

    // The screens of the menus, which the play screen reaches without knowing them. A
    // screen or hook that is not set leaves the play screen as it is.
    struct Routes {
        TDE* main_menu = nullptr;
        TDE* game_choice = nullptr;
        // The how-to-play page of the current game, returning to the play screen.
        std::function<void()> show_rules;
        // The statistics screen: its button, and the closing of the won dialog.
        std::function<void()> show_stats;
        // Enters a finished game's score when it ranks among the game's ten best; whether it did.
        std::function<bool(std::string const& name, std::int32_t score)> enter_highscore;
    };

    PlayScreen();
    ~PlayScreen() override;
    PlayScreen(PlayScreen const&) = delete;
    PlayScreen& operator=(PlayScreen const&) = delete;

    void tick(unsigned now, unsigned dt) override;
    void display(SDL_Surface* s) const override;
    bool proc_event(SDL_Event* e) override;
    // Counters, card images, buttons, clock and dialogs; the rules' load once a game exists.
    void load(Loader* l) override;
    void on_app_input_focus_lost(AppState const& st) override;
    void on_app_input_focus_gained(AppState const& st) override;
    // Resumes the current profile's game when the rules object is that game; else deals
    // a new one. Then the game music.
    void on_enqueue() override;
    // Cards still carried go back to their piles.
    void on_dequeue() override;

    bool on_click(ButtonSprite* b) override;
    void clock_seconds_changed(ClockSprite* c) override;

    void new_game();
    void prepare_level();
    // ".i/game/bg/bg<n>.jpg", n = (game x 3 + bg_counter) mod 22 of the current profile.
    Surf* bg_surf() const;
    static unsigned bg_number(Player const& p);
    void plan_music();
    void do_newdeal();
    void do_changegame();
    void do_won();
    void do_gameover();
    // Undo enabled exactly when the rules allow it, statistics when this game was played.
    void sync_buttons();
    void sync_score_and_moves();
    void cheated();
    bool has_dlg() const;

    SolitaireRules* rules() const { return rules_; }
    void set_routes(Routes r) { routes_ = std::move(r); }
    Routes const& routes() const { return routes_; }

    Sprite background;
    ButtonSprite bnewdeal;
    ButtonSprite bundo;
    ButtonSprite bnewgame;
    ButtonSprite brules;
    ButtonSprite boptions;
    ButtonSprite bstats;
    ButtonSprite bmainmenu;
    PlayerClock clock;
    bool started_flag = false;
    bool focus_lost = false;
    TDE* overlay = nullptr;
    SolitaireRules::OptionsPopup* options_popup = nullptr;  // owned while open
    ConfirmDialog* newdeal_confirm = nullptr;                // owned while open
    ConfirmDialog* changegame_confirm = nullptr;             // owned while open
    GameOverDialog gameover;
    TransparentDialog transparent;
    WonDialog won;
    ScoreSprite score;
    ScoreSprite moves;
    bool gameover_highscore = false;

private:
    // Puts carried cards back before anything else happens to the table.
    void drop_carried();
    // Leaves for a menu screen with the menu music, saving every profile.
    void leave_for(TDE* screen);
    ConfirmDialog* make_confirm(std::string const& bg, std::string const& confirm) const;
    // A popup's event: true when it took it; `closed` tells that it has gone.
    template <typename Dialog>
    bool route_to_popup(Dialog*& d, SDL_Event* e, bool& closed, bool& answer);
    bool route_to_game(SDL_Event* e);

    SolitaireRules* rules_ = nullptr;  // owned
    // Whose game the rules object is: a game resumes only for its own profile and type.
    Player const* rules_owner_ = nullptr;
    Player::Game_Type rules_type_ = Player::KLONDIKE;
    Routes routes_;
};

// The entry of the profile's game in its statistics.
inline unsigned stats_index(Player const& p) { return p.game < Player::entry_count ? static_cast<unsigned>(p.game) : 0u; }

// The one play screen, built on the first call.
PlayScreen* playscreen();
