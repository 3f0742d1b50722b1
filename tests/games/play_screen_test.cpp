// The play screen with Klondike: entering and resuming, the pending counters, the buttons
// and keys, the confirmations, the clock, and the end of a won game.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "card_sprite.h"
#include "klondike.h"
#include "loader_global.h"
#include "play_screen.h"
#include "screen_support.h"
#include "surf.h"
#include "tableau_support.h"
#include "won_butterfly.h"

namespace {

using screen_test::MarkerScreen;

class Play : public screen_test::Screens {
protected:
    void SetUp() override {
        Screens::SetUp();
        ps.load(&loader);
        PlayScreen::Routes r;
        r.main_menu = &menu;
        r.game_choice = &choice;
        r.show_stats = [this] { ++stats_shown; };
        r.enter_highscore = [this](std::string const& name, std::int32_t score) {
            entered.push_back(name + " " + std::to_string(score));
            return true;
        };
        ps.set_routes(r);
        Player::cur()->name = "ann";
    }

    // The play screen becomes current.
    void enter() { tde_stack.push_front(&ps); }
    void run(unsigned ms) {
        for (unsigned t = 0; t < ms; t += 16) ps.tick(now += 16, 16);
    }
    void settle() {
        for (int guard = 0; ps.rules()->has_animation() && guard < 10000; ++guard) ps.tick(now += 16, 16);
        ps.tick(now += 16, 16);
    }
    bool press_key(SDLKey k) { return type_key(ps, k); }
    KlondikeRules& game() { return *dynamic_cast<KlondikeRules*>(ps.rules()); }
    size_t cards_in_piles() {
        SolitaireRules& g = *ps.rules();
        size_t n = g.stock.size() + g.waste.size();
        for (Deck const& d : g.tableau) n += d.size();
        for (Deck const& d : g.foundations) n += d.size();
        return n;
    }
    // Picks up the top card of tableau pile p with a press event.
    void pick_up(int p) {
        CardSprite* c = ps.rules()->tableau[static_cast<size_t>(p)].back();
        input.mouse = {c->x + 50, c->y + 70};
        SDL_Event e = button(SDL_MOUSEBUTTONDOWN, c->x + 50, c->y + 70);
        ps.proc_event(&e);
    }
    // Every card home, face up: a won table.
    void all_home() {
        SolitaireRules& g = *ps.rules();
        std::vector<CardSprite*> all = tableau_test::gather(g);
        std::sort(all.begin(), all.end(), Card::Comparator());
        for (CardSprite* c : all) {
            c->set_face_up(true);
            g.foundations[c->suit() - 1u].push_back(c);
        }
        g.anim = AnimProfile(AnimProfile::INSTANT, 0, 0);
        g.reposition_everything();
    }

    PlayScreen ps;
    MarkerScreen menu, choice;
    screen_test::FakeInput input;
    int stats_shown = 0;
    std::vector<std::string> entered;
    unsigned now = 1000;
};

TEST_F(Play, EnteringDealsANewGameAndResumesOnlyTheProfilesOwnGame) {
    Player* ann = Player::cur();
    enter();
    ASSERT_NE(dynamic_cast<KlondikeRules*>(ps.rules()), nullptr);
    EXPECT_EQ(ann->stats[0].played, 1u);
    EXPECT_TRUE(ann->in_progress);
    EXPECT_EQ(ps.rules()->stock.size(), 24u);
    settle();
    press_key(SDLK_SPACE);
    settle();
    EXPECT_EQ(ps.rules()->moves, 1);
    size_t const anns_stock = ps.rules()->stock.size();

    // Left for a menu and entered again: the same game, with its counters.
    ps.on_dequeue();
    ps.on_enqueue();
    EXPECT_EQ(ps.rules()->moves, 1);
    EXPECT_EQ(ps.rules()->stock.size(), anns_stock);
    EXPECT_EQ(ann->stats[0].played, 1u);
    EXPECT_EQ(ps.moves.shown, 1);

    // Another player plays meanwhile; Ann's unfinished game is gone with that, so her
    // next entry deals her a new one instead of continuing the other board.
    Player::set_cur(1);
    Player* bob = Player::cur();
    ps.on_enqueue();
    EXPECT_TRUE(bob->in_progress);
    EXPECT_EQ(bob->stats[0].played, 1u);
    EXPECT_EQ(ps.rules()->moves, 0);
    ps.rules()->moves = 77;  // Bob's board
    Player::set_cur(0);
    ASSERT_TRUE(ann->in_progress);
    ps.on_enqueue();
    EXPECT_EQ(ps.rules()->moves, 0) << "Ann would continue Bob's board";
    EXPECT_EQ(ann->stats[0].played, 2u);
    EXPECT_EQ(bob->stats[0].played, 1u);

    // A profile whose game type changed gets a game of that type.
    ann->game = Player::FREECELL;
    ps.on_enqueue();
    EXPECT_EQ(dynamic_cast<KlondikeRules*>(ps.rules()), nullptr);
    EXPECT_EQ(ps.rules()->namecode(), "freecell");
}

TEST_F(Play, EachTickMovesThePendingScoreAndMovesIntoTheCountersAndTheProfile) {
    enter();
    settle();
    ps.rules()->pending_score = 55;
    ps.rules()->pending_moves = 2;
    ps.tick(now += 10, 10);
    EXPECT_EQ(ps.rules()->pending_score, 0);
    EXPECT_EQ(ps.rules()->pending_moves, 0);
    EXPECT_EQ(Player::cur()->score, 55);
    EXPECT_EQ(ps.rules()->moves, 2);
    EXPECT_EQ(ps.score.shown + ps.score.pending, 55);
    run(2000);
    EXPECT_EQ(ps.score.shown, 55);
    EXPECT_EQ(ps.moves.shown, 2);
}

TEST_F(Play, EscapeWaitsForTheCardsThenSavesAndGoesToTheMainMenu) {
    enter();
    ASSERT_TRUE(ps.rules()->has_animation());
    EXPECT_TRUE(press_key(SDLK_ESCAPE));
    EXPECT_EQ(tde_stack.front(), &ps) << "Escape during the deal";
    EXPECT_EQ(menu.entered, 0);
    settle();
    EXPECT_TRUE(press_key(SDLK_ESCAPE));
    EXPECT_EQ(tde_stack.front(), &menu);
    EXPECT_FALSE(read_file(player_file(0)).empty()) << "the profiles are saved";
    EXPECT_TRUE(Player::cur()->in_progress) << "the game waits to be resumed";
}

TEST_F(Play, CardsCarriedWhenTheScreenIsLeftGoBackToTheirPiles) {
    enter();
    settle();
    pick_up(6);
    ASSERT_TRUE(ps.rules()->in_drag());
    CardSprite* carried = ps.rules()->blob.cards.front();
    EXPECT_EQ(cards_in_piles(), 51u);
    press_key(SDLK_ESCAPE);
    EXPECT_EQ(tde_stack.front(), &menu);
    EXPECT_FALSE(ps.rules()->in_drag());
    EXPECT_EQ(cards_in_piles(), 52u);
    EXPECT_EQ(ps.rules()->tableau[6].back(), carried);
}

TEST_F(Play, SpaceDrawsButNotWhileCarryingAndTheDKeyDealsNothing) {
    enter();
    settle();
    pick_up(3);
    ASSERT_TRUE(ps.rules()->in_drag());
    press_key(SDLK_SPACE);
    EXPECT_EQ(ps.rules()->stock.size(), 24u) << "a draw under the carried card's listed targets";
    // The top bar takes no events during a drag.
    ps.bnewdeal.load();
    SDL_Event on_bar = button(SDL_MOUSEBUTTONDOWN, 60, 20), off_bar = button(SDL_MOUSEBUTTONUP, 60, 20);
    ps.proc_event(&on_bar);
    EXPECT_EQ(ps.bnewdeal.state, ButtonSprite::normal);
    EXPECT_FALSE(ps.rules()->in_drag()) << "the press put the carried card back";
    ps.proc_event(&off_bar);
    EXPECT_EQ(ps.newdeal_confirm, nullptr) << "no click: the press was not the button's";
    settle();
    pick_up(3);
    SDL_Event up = button(SDL_MOUSEBUTTONUP, input.mouse.x, input.mouse.y);
    ps.proc_event(&up);
    settle();
    EXPECT_FALSE(ps.rules()->in_drag());

    size_t const sprites = ps.rules()->sprites.size();
    press_key(SDLK_d);
    EXPECT_EQ(ps.rules()->sprites.size(), sprites) << "a second deck over the table";
    EXPECT_EQ(cards_in_piles(), 52u);

    press_key(SDLK_SPACE);
    EXPECT_EQ(ps.rules()->stock.size(), 21u);
    EXPECT_EQ(ps.rules()->waste.size(), 3u);
}

TEST_F(Play, TheUndoButtonIsEnabledExactlyWhileUndoIsPossible) {
    enter();
    EXPECT_FALSE(ps.bundo.is_enabled()) << "drawn through the fade-in before any tick";
    settle();
    EXPECT_FALSE(ps.bundo.is_enabled()) << "no moves yet";
    EXPECT_TRUE(ps.bstats.is_enabled()) << "one game played";
    press_key(SDLK_SPACE);
    ps.tick(now += 16, 16);
    EXPECT_TRUE(ps.bundo.is_enabled());
    settle();
    EXPECT_TRUE(ps.on_click(&ps.bundo));
    settle();
    EXPECT_FALSE(ps.bundo.is_enabled());
    EXPECT_EQ(ps.rules()->stock.size(), 24u);
    EXPECT_EQ(ps.rules()->moves, 2) << "the draw and its undo";
    EXPECT_FALSE(ps.on_click(nullptr));
}

TEST_F(Play, TheBackgroundFollowsTheGameAndTheWins) {
    Player p;
    EXPECT_EQ(PlayScreen::bg_number(p), 0u);
    p.game = Player::FREECELL;
    EXPECT_EQ(PlayScreen::bg_number(p), 3u);
    p.game = Player::GOLF;
    p.bg_counter = 7;
    EXPECT_EQ(PlayScreen::bg_number(p), 0u);
    p.bg_counter = 8;
    EXPECT_EQ(PlayScreen::bg_number(p), 1u);

    enter();
    EXPECT_EQ(ps.background.surface->name(), ".i/game/bg/bg0.jpg");
    EXPECT_EQ(ps.background.pos(), E2::Vec2<int>(0, 48));
    EXPECT_TRUE(Surf::ok(ps.background.surface));
    settle();
    all_home();
    ps.tick(now += 16, 16);
    ASSERT_TRUE(ps.won.shown);
    EXPECT_EQ(Player::cur()->bg_counter, 1u);
    Player::cur()->bg_counter = 21;
    ps.new_game();
    EXPECT_EQ(ps.background.surface->name(), ".i/game/bg/bg21.jpg");
}

TEST_F(Play, AWinWhileAPopupIsOpenCountsOnlyOnceThePopupHasClosed) {
    enter();
    settle();
    ASSERT_TRUE(ps.on_click(&ps.boptions));
    ASSERT_NE(ps.options_popup, nullptr);
    EXPECT_TRUE(ps.has_dlg());
    all_home();
    std::uint32_t const clock = Player::cur()->game_ms;
    run(600);
    EXPECT_FALSE(ps.won.shown);
    EXPECT_EQ(Player::cur()->stats[0].won, 0u);
    EXPECT_EQ(Player::cur()->game_ms, clock) << "the clock stands while a popup is open";

    press_key(SDLK_ESCAPE);  // cancels the popup
    EXPECT_EQ(ps.options_popup, nullptr);
    EXPECT_FALSE(ps.won.shown);
    ps.tick(now += 16, 16);
    ASSERT_TRUE(ps.won.shown);
    Player const& p = *Player::cur();
    EXPECT_FALSE(p.in_progress);
    EXPECT_EQ(p.stats[0].won, 1u);
    EXPECT_EQ(p.stats[0].best_score, p.score);
    EXPECT_EQ(p.stats[0].fewest_moves, ps.rules()->moves);
    EXPECT_EQ(p.stats[0].best_time, p.game_ms / 1000);
    EXPECT_EQ(entered, (std::vector<std::string>{"ann " + std::to_string(p.score)}));
    run(100);
    EXPECT_EQ(p.stats[0].won, 1u) << "one win";

    // Keys pressed go by; a release closes the dialog and leads to the statistics.
    SDL_Event down = key(SDL_KEYDOWN, SDLK_a), up = key(SDL_KEYUP, SDLK_a);
    EXPECT_FALSE(ps.proc_event(&down));
    EXPECT_TRUE(ps.won.shown);
    EXPECT_TRUE(ps.proc_event(&up));
    EXPECT_FALSE(ps.won.shown);
    EXPECT_EQ(stats_shown, 1);
}

TEST_F(Play, AWinAddsToTheStatistics) {
    enter();
    settle();
    Player& p = *Player::cur();
    Player::Stats& s = p.stats[0];
    s.won = 1;
    s.best_score = 500;
    s.best_time = 100;
    s.avg_time = 100;
    s.fewest_moves = 10;
    p.score = 300;
    p.game_ms = 60999;
    ps.rules()->moves = 20;
    ps.do_won();
    EXPECT_EQ(s.won, 2u);
    EXPECT_EQ(s.best_score, 500);
    EXPECT_EQ(s.best_time, 60u);
    EXPECT_EQ(s.avg_time, 80u);
    EXPECT_EQ(s.fewest_moves, 10);
    EXPECT_EQ(p.bg_counter, 1u);
}

TEST_F(Play, ANewDealAsksOnlyWhileAGameIsInProgress) {
    enter();
    settle();
    EXPECT_TRUE(ps.on_click(&ps.bnewdeal));
    ASSERT_NE(ps.newdeal_confirm, nullptr);
    EXPECT_TRUE(ps.newdeal_confirm->shown);
    press_key(SDLK_RETURN);  // within the dialog's first 500 ms: ignored
    ASSERT_NE(ps.newdeal_confirm, nullptr);
    run(600);
    ps.rules()->moves = 5;  // marks the old game
    press_key(SDLK_RETURN);
    EXPECT_EQ(ps.newdeal_confirm, nullptr);
    EXPECT_EQ(ps.rules()->moves, 0);
    EXPECT_EQ(Player::cur()->stats[0].played, 2u);
    EXPECT_TRUE(Player::cur()->in_progress);

    settle();
    Player::cur()->in_progress = false;
    EXPECT_TRUE(ps.on_click(&ps.bnewdeal));
    EXPECT_EQ(ps.newdeal_confirm, nullptr) << "nothing to lose: no question";
    EXPECT_EQ(Player::cur()->stats[0].played, 3u);
}

TEST_F(Play, ChangingTheGameAsksThenSavesAndGoesToTheGameChoice) {
    enter();
    settle();
    EXPECT_TRUE(ps.on_click(&ps.bnewgame));
    ASSERT_NE(ps.changegame_confirm, nullptr);
    run(600);
    press_key(SDLK_ESCAPE);  // no
    EXPECT_EQ(ps.changegame_confirm, nullptr);
    EXPECT_EQ(tde_stack.front(), &ps);
    EXPECT_TRUE(Player::cur()->in_progress);

    ps.on_click(&ps.bnewgame);
    run(600);
    press_key(SDLK_SPACE);  // yes
    EXPECT_EQ(tde_stack.front(), &choice);
    EXPECT_FALSE(Player::cur()->in_progress);
    EXPECT_FALSE(read_file(player_file(0)).empty());
}

TEST_F(Play, TheClockAndThePlayTimeRunWhileNoDialogIsOpen) {
    enter();
    settle();
    std::uint32_t const t0 = Player::cur()->game_ms, total0 = Player::cur()->total_ms;
    run(1600);
    EXPECT_GE(Player::cur()->game_ms, t0 + 1600);
    EXPECT_EQ(ps.clock.time(), Player::cur()->game_ms);
    EXPECT_EQ(Player::cur()->total_ms - total0, Player::cur()->game_ms - t0);
    EXPECT_EQ(ps.clock.text(), "0:0" + std::to_string(ps.clock.time() / 1000));
    ps.on_click(&ps.bnewdeal);
    std::uint32_t const held = Player::cur()->game_ms;
    run(1000);
    EXPECT_EQ(Player::cur()->game_ms, held);
}

class WonCelebration : public screen_test::Screens {
protected:
    void SetUp() override {
        Screens::SetUp();
        dialog.counter = &counter;
        dialog.load(&loader);
    }
    ScoreSprite counter;
    WonDialog dialog;
};

TEST_F(WonCelebration, ShowsNothingUntilTheScoreIsCountedAndClosesOnAnyRelease) {
    counter.add(500);
    dialog.show();
    EXPECT_TRUE(Surf::ok(dialog.bg.surface));
    dialog.display(SDL_GetVideoSurface());
    EXPECT_TRUE(bjmgr.jobs().empty()) << "drawn while the score still counts";
    counter.sync(500);
    dialog.display(SDL_GetVideoSurface());
    EXPECT_GE(bjmgr.jobs().size(), 2u) << "the dim layer and the picture";
    bjmgr.clear();

    SDL_Event motion = test::mouse_motion(10, 10, 1, 1);
    EXPECT_FALSE(dialog.proc_event(&motion));
    counter.add(100);
    SDL_Event up = button(SDL_MOUSEBUTTONUP, 10, 10);
    EXPECT_TRUE(dialog.proc_event(&up)) << "closes before it was ever drawn";
    EXPECT_FALSE(dialog.shown);
    EXPECT_FALSE(Surf::ok(dialog.bg.surface)) << "the picture is freed";
}

TEST_F(WonCelebration, ThirtyButterfliesRiseFromBelowTheCanvasAndAreReplacedEachTime) {
    dialog.show();
    ASSERT_EQ(dialog.flock.size(), 30u);
    WonButterFly const* first = dialog.flock.front();
    dialog.tick(1000, 16);
    for (WonButterFly const* b : dialog.flock) {
        EXPECT_GE(b->start_point.y, 768);
        EXPECT_LE(b->start_point.y, 1536);
        EXPECT_GE(b->start_point.x, 0);
        EXPECT_LE(b->start_point.x, 1024);
        EXPECT_LT(b->climb_speed, 0.0f);
        EXPECT_NE(b->surface, nullptr) << "the first flap shows a wing image";
    }
    // Rising at 60 to 210 pixels per second, every one is higher a second later.
    std::vector<int> y0;
    for (WonButterFly const* b : dialog.flock) y0.push_back(b->y);
    dialog.tick(2000, 1000);
    for (size_t i = 0; i < dialog.flock.size(); ++i) EXPECT_LT(dialog.flock[i]->y, y0[i]);
    dialog.finish();
    dialog.show();
    EXPECT_EQ(dialog.flock.size(), 30u);
    EXPECT_NE(dialog.flock.front(), first);
}

TEST_F(WonCelebration, AButterflyAboveTheTopStartsANewFlightFromBelow) {
    WonButterFly b;
    b.load();
    b.tick(1000, 16);
    b.set_pos(100, -500);
    b.start_point = {100, -500};
    b.climb_speed = -100.0f;
    b.tick(1100, 16);
    EXPECT_GE(b.y, 768);
    EXPECT_EQ(b.start_time, 1100u);
}

}  // namespace
