#pragma once
// The current player's statistics of one game at a time, with a tab per game; reached
// from the play screen and always returning to it.

#include <cstdint>
#include <string>

#include "button_sprite.h"
#include "game_tabs.h"
#include "menu_tde.h"
#include "player.h"
#include "sprite.h"
#include "text_sprite.h"

class StatsScreen : public MenuTDE, public ButtonSprite::Listener {
public:
    static constexpr unsigned value_count = 7;

    void tick(unsigned now, unsigned dt) override;
    void display(SDL_Surface* s) const override;
    // Escape acts as the continue button; then the continue button, the tabs, the value
    // texts and the background.
    bool proc_event(SDL_Event* e) override;
    void load(Loader* l) override;
    // Loads the background; the current player's game is selected and shown.
    void on_enqueue() override;
    void on_dequeue() override;

    bool on_click(ButtonSprite* b) override;
    // The seven values of the selected game from the current player's statistics.
    void resync();

    // The texts of the seven rows for one game's statistics, top to bottom: played, won,
    // share won, best score, best time, average time, fewest moves.
    static void value_texts(Player::Stats const& s, std::string out[value_count]);
    // Whole seconds as hours, minutes and seconds, two digits each at least.
    static std::string hms(std::uint64_t seconds);

    unsigned selected() const { return selected_; }
    TextSprite const& value(unsigned row) const { return values_[row]; }

    Sprite background;
    ButtonSprite continue_button;
    GameTabs tabs;

private:
    unsigned selected_ = 0;
    TextSprite values_[value_count];
};

// The one statistics screen, built on first use.
StatsScreen* statsscreen();
