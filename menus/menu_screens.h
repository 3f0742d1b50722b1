#pragma once
// The menus and the play screen at start-up: each schedules its images, in the start-up
// order, and the screens learn where they lead.

class Loader;

// The main menu, the play screen, the name prompt, the game choice and the new-player
// screen load, in that order; then connect_screens().
void load_menu_screens(Loader* l);
// The title screen, the play screen and the menus learn the screens they lead to.
void connect_screens();
