#include "play_screen.h"

#include "card_sprite.h"
#include "glyph_set.h"
#include "loader.h"
#include "loader_global.h"
#include "music_ctl.h"
#include "sound_handles.h"
#include "test_hooks.h"
#include "transition.h"

namespace {

struct ButtonImages {
    char const* stem;
    int x;
    bool has_off;
};

// The top bar in table order: ".i/game/<stem>_up/_over/_down.png" and the undo button's "_off".
ButtonImages const bar[] = {{"newdeal", 0, false},   {"undo", 152, true},    {"newgame", 242, false},
                            {"gamerules", 392, false}, {"gameoptions", 566, false}, {"stats", 766, false},
                            {"mainmenu", 859, false}};

}  // namespace

PlayScreen* playscreen() {
    static PlayScreen screen;
    return &screen;
}

PlayScreen::PlayScreen() {
    won.counter = &score;
    for (ButtonSprite* b : {&bnewdeal, &bundo, &bnewgame, &brules, &boptions, &bstats, &bmainmenu}) {
        b->set_state(ButtonSprite::normal);
        b->register_listener(this);
    }
}

PlayScreen::~PlayScreen() {
    delete options_popup;
    delete newdeal_confirm;
    delete changegame_confirm;
    delete rules_;
}

void PlayScreen::load(Loader* l) {
    score.load(l);
    score.set_pos({534, 738});
    moves.load(l);
    moves.set_pos({95, 738});
    CardSprite::schedule_surface(l);
    gameover.load(l);
    ButtonSprite* buttons[] = {&bnewdeal, &bundo, &bnewgame, &brules, &boptions, &bstats, &bmainmenu};
    for (unsigned i = 0; i < 7; ++i) {
        std::string const stem = std::string(".i/game/") + bar[i].stem;
        buttons[i]->set_images(l->schedule_surface(stem + "_up.png"), l->schedule_surface(stem + "_over.png"),
                               l->schedule_surface(stem + "_down.png"),
                               bar[i].has_off ? l->schedule_surface(stem + "_off.png") : nullptr);
        buttons[i]->set_pos(bar[i].x, 0);
    }
    clock.set_pos(304, 738);
    clock.glyphs = &menu_glyphs;
    clock.listener = this;
    if (rules_) rules_->load();
    won.load(l);
}

void PlayScreen::on_enqueue() {
    Player const* p = Player::cur();
    if (p->in_progress && rules_ && rules_owner_ == p && rules_type_ == p->game)
        prepare_level();
    else
        new_game();
    MusicCtl::ctl()->fade_out(MusicCtl::default_ms);
    plan_music();
}

void PlayScreen::on_dequeue() { drop_carried(); }

void PlayScreen::clock_seconds_changed(ClockSprite*) {}

void PlayScreen::on_app_input_focus_lost(AppState const&) {
    focus_lost = true;
    MusicCtl::ctl()->fade_out(MusicCtl::default_ms);
}

void PlayScreen::on_app_input_focus_gained(AppState const&) {
    focus_lost = false;
    plan_music();
}

void PlayScreen::new_game() {
    Player* p = Player::cur();
    p->new_game();
    delete rules_;
    test_hooks::before_deal();
    rules_ = SolitaireRules::create(p->game);
    // Every game type is registered; an unknown one falls back to the first game.
    if (!rules_) rules_ = SolitaireRules::create(Player::KLONDIKE);
    rules_owner_ = p;
    rules_type_ = p->game;
    if (rules_) rules_->deal();
    prepare_level();
}

void PlayScreen::prepare_level() {
    Player* p = Player::cur();
    background.unload();
    background.surface = bg_surf();
    background.set_pos(0, 48);
    background.load();
    clock.set_time(p->game_ms);
    p->game_ms = clock.time();
    sync_score_and_moves();
    if (rules_) rules_->load();
    // The screen is drawn through its fade-in before its first tick.
    sync_buttons();
}

unsigned PlayScreen::bg_number(Player const& p) {
    return static_cast<unsigned>((static_cast<std::uint64_t>(p.game) * 3 + p.bg_counter) % background_count);
}

Surf* PlayScreen::bg_surf() const {
    return loader.get_surface_delayed(".i/game/bg/bg" + std::to_string(bg_number(*Player::cur())) + ".jpg");
}

void PlayScreen::plan_music() {
    MusicCtl* ctl = MusicCtl::ctl();
    for (int pass = 0; pass < 16; ++pass)
        for (Mus* m : mus_game) ctl->play(m, 1, MusicCtl::default_ms, 0);
}

void PlayScreen::sync_score_and_moves() {
    score.sync(Player::cur()->score);
    moves.sync(rules_ ? rules_->moves : 0);
}

void PlayScreen::cheated() {
    Player* p = Player::cur();
    p->score = p->score / 10 * 10 + 1;
    sync_score_and_moves();
}

bool PlayScreen::has_dlg() const {
    return transparent.shown || gameover.shown || won.shown || options_popup || newdeal_confirm || changegame_confirm;
}

void PlayScreen::drop_carried() {
    if (rules_ && rules_->in_drag()) rules_->undrag();
}

ConfirmDialog* PlayScreen::make_confirm(std::string const& bg, std::string const& confirm) const {
    std::string const c = ".i/game/popup_" + confirm;
    auto* d = ConfirmDialog::CreateOMatic(
        ConfirmDialog::default_bg_pos(), loader.get_surface(bg), ConfirmDialog::default_bconfirm_pos_offset(),
        loader.get_surface(c + "_up.png"), loader.get_surface(c + "_over.png"), loader.get_surface(c + "_down.png"),
        ConfirmDialog::default_bcancel_pos_offset(), loader.get_surface(".i/menu/popup_cancel_up.png"),
        loader.get_surface(".i/menu/popup_cancel_over.png"), loader.get_surface(".i/menu/popup_cancel_down.png"));
    d->load(&loader);
    d->show();
    return d;
}

void PlayScreen::do_newdeal() {
    if (rules_ && rules_->in_play()) {
        delete newdeal_confirm;
        newdeal_confirm = make_confirm(".i/game/popup_newdeal_bg.png", "deal");
        return;
    }
    new_game();
}

void PlayScreen::do_changegame() {
    if (rules_ && rules_->in_play()) {
        delete changegame_confirm;
        changegame_confirm = make_confirm(".i/game/popup_newgame_bg.png", "change");
        return;
    }
    leave_for(routes_.game_choice);
}

void PlayScreen::leave_for(TDE* screen) {
    MusicCtl* ctl = MusicCtl::ctl();
    ctl->fade_out(MusicCtl::default_ms);
    ctl->play_loop(mus_menu, 500);
    Player::save_all();
    orb_transition_to(screen);
}

void PlayScreen::do_won() {
    Player* p = Player::cur();
    p->in_progress = false;
    p->bg_counter = (p->bg_counter + 1) % background_count;
    p->stats[stats_index(*p)].record_win(p->score, p->game_ms, rules_ ? rules_->moves : 0);
    if (routes_.enter_highscore) routes_.enter_highscore(p->name, p->score);
    won.show();
}

void PlayScreen::do_gameover() {
    Player* p = Player::cur();
    p->in_progress = false;
    gameover_highscore = routes_.enter_highscore && routes_.enter_highscore(p->name, p->score);
    sync_score_and_moves();
    gameover.score_text.set_text(score.text.text());
    gameover.made_highscore = gameover_highscore;
    gameover.show();
    MusicCtl::ctl()->fade_out(MusicCtl::default_ms);
}

bool PlayScreen::on_click(ButtonSprite* b) {
    overlay = nullptr;
    if (!b) return false;
    drop_carried();
    if (b == &bnewdeal) {
        do_newdeal();
    } else if (b == &bundo) {
        if (rules_ && rules_->may_undo()) rules_->undo();
    } else if (b == &bnewgame) {
        do_changegame();
    } else if (b == &brules) {
        if (routes_.show_rules) routes_.show_rules();
    } else if (b == &boptions) {
        if (!rules_ || options_popup) return true;
        options_popup = rules_->options_popup();
        if (options_popup) options_popup->show();
    } else if (b == &bstats) {
        if (routes_.show_stats) routes_.show_stats();
    } else if (b == &bmainmenu) {
        leave_for(routes_.main_menu);
    } else {
        return false;
    }
    return true;
}
