#include "stats_screen.h"

#include "event_predicates.h"
#include "foot_button.h"
#include "glyph_set.h"
#include "loader.h"
#include "play_screen.h"
#include "transition.h"
#include "util.h"

StatsScreen* statsscreen() {
    static StatsScreen screen;
    return &screen;
}

std::string StatsScreen::hms(std::uint64_t seconds) {
    std::uint64_t ms = seconds * 1000u;
    if (ms <= 0xFFFFFFFFu) return E2::util::MS_TO_HMS(static_cast<unsigned>(ms));
    // Beyond the 32-bit clock: the same form, worked out in 64 bits.
    std::string m = std::to_string(seconds / 60 % 60), s = std::to_string(seconds % 60);
    return std::to_string(seconds / 3600) + ":" + (m.size() < 2 ? "0" : "") + m + ":" + (s.size() < 2 ? "0" : "") + s;
}

void StatsScreen::value_texts(Player::Stats const& s, std::string out[value_count]) {
    out[0] = std::to_string(s.played);
    out[1] = std::to_string(s.won);
    unsigned share = s.played == 0 ? 0u : static_cast<unsigned>(std::uint64_t(s.won) * 100u / s.played);
    out[2] = std::to_string(share) + "%";
    out[3] = std::to_string(s.best_score);
    bool won = s.won != 0;
    out[4] = won && s.best_time != Player::no_best_time ? hms(s.best_time) : "";
    out[5] = won ? hms(s.avg_time) : "";
    out[6] = won && s.fewest_moves != Player::no_fewest_moves ? std::to_string(s.fewest_moves) : "";
}

void StatsScreen::resync() {
    std::string texts[value_count];
    unsigned g = selected_ < Player::game_count ? selected_ : 0;
    value_texts(Player::cur()->stats[g], texts);
    for (unsigned r = 0; r < value_count; ++r) values_[r].set_text(texts[r]);
}

void StatsScreen::load(Loader* l) {
    background.surface = l->get_surface_delayed(".i/game/stats_bg.jpg");
    background.set_pos(0, 0);
    load_foot_button(continue_button, l, "continue", this);
    tabs.load(l, this);
    for (unsigned r = 0; r < value_count; ++r) {
        values_[r].glyphs = &menu_glyphs;
        values_[r].set_pos(586, 246 + 38 * static_cast<int>(r));
    }
}

void StatsScreen::on_enqueue() {
    background.load();
    selected_ = Player::cur()->game;
    resync();
}

void StatsScreen::on_dequeue() { background.unload(); }

void StatsScreen::tick(unsigned now, unsigned dt) {
    background.tick(now, dt);
    continue_button.tick(now, dt);
    tabs.tick(now, dt);
    for (TextSprite& v : values_) v.tick(now, dt);
}

void StatsScreen::display(SDL_Surface* s) const {
    background.display(s);
    continue_button.display(s);
    tabs.display(s, selected_);
    for (TextSprite const& v : values_) v.display(s);
}

bool StatsScreen::proc_event(SDL_Event* e) {
    if (is_quit_escape(e)) return on_click(&continue_button);
    if (continue_button.proc_event(e) || tabs.proc_event(e)) return true;
    for (TextSprite& v : values_) v.proc_event(e);
    return background.proc_event(e);
}

bool StatsScreen::on_click(ButtonSprite* b) {
    if (b == &continue_button) {
        orb_transition_to(playscreen());
        return true;
    }
    unsigned t = tabs.index_of(b);
    if (t >= GameTabs::count) return false;
    selected_ = t;
    resync();
    return true;
}
