#include "record_screens.h"

#include "choose_game_screen.h"
#include "choose_player_screen.h"
#include "high_scores_screen.h"
#include "how_to_play_screen.h"
#include "main_menu_screen.h"
#include "options_screen.h"
#include "play_screen.h"
#include "player.h"
#include "stats_screen.h"
#include "transition.h"

namespace {

void show_rules(unsigned page, TDE* back_to) {
    HowToPlayScreen* h = howtoplayscreen();
    h->set_pageno(page);
    h->set_return_to(back_to);
    orb_transition_to(h);
}

}  // namespace

void connect_record_screens() {
    mainmenu.routes.options = [] { orb_transition_to(&options); };
    mainmenu.routes.high_scores = [] { orb_transition_to(highscoresscreen()); };
    mainmenu.routes.how_to_play = [] { show_rules(0, &mainmenu); };
    mainmenu.routes.change_player = [] {
        chooseplayerscreen.start();
        orb_transition_to(&chooseplayerscreen);
    };

    choosegamescreen.routes.show_rules_first = [](Player::Game_Type g) { show_rules(g, playscreen()); };

    PlayScreen::Routes play = playscreen()->routes();
    play.show_rules = [] { show_rules(Player::cur()->game, playscreen()); };
    play.show_stats = [] { orb_transition_to(statsscreen()); };
    play.enter_highscore = [](std::string const& name, std::int32_t score) {
        HighScoresScreen* hs = highscoresscreen();
        return hs->is_highscore(score) && hs->add_score(name, score) >= 0;
    };
    playscreen()->set_routes(play);
}

void keep_shown_screen_at_exit() {
    if (options.is_entered()) options.keep();
    if (howtoplayscreen()->is_entered()) howtoplayscreen()->keep();
}
