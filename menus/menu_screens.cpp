#include "menu_screens.h"

#include "choose_game_screen.h"
#include "choose_player_screen.h"
#include "enter_name_dialog.h"
#include "main_menu_screen.h"
#include "new_player_screen.h"
#include "play_screen.h"
#include "player.h"
#include "title_screen.h"

void load_menu_screens(Loader* l) {
    mainmenu.load(l);
    playscreen()->load(l);
    chooseplayerscreen.load(l);
    entername.load(l);
    choosegamescreen.load(l);
    newplayerscreen.load(l);
    connect_screens();
}

void connect_screens() {
    TitleScreen::Exits exits;
    exits.profile_fresh = [] { return Player::cur()->fresh; };
    exits.new_player = &newplayerscreen;
    exits.main_menu = &mainmenu;
    exits.refresh_main_menu = [] { mainmenu.resync(); };
    titlescreen.set_exits(exits);

    PlayScreen::Routes play;
    play.main_menu = &mainmenu;
    play.game_choice = &choosegamescreen;
    playscreen()->set_routes(play);
}
