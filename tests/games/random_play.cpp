#include "random_play.h"

#include <algorithm>
#include <cstdlib>
#include <random>
#include <sstream>

#include "card_sprite.h"
#include "rules_support.h"
#include "undo.h"

namespace rules_test {

namespace {

std::string loc_text(Loc const& l) {
    std::ostringstream out;
    out << l;
    return out.str();
}

std::string card_text(CardSprite const* c) {
    static char const suits[] = "?cdhs";
    return std::to_string(c->no()) + suits[c->suit() < 5 ? c->suit() : 0];
}

bool is_glow_sprite(CardSprite const* c) { return dynamic_cast<CardGlowSprite const*>(c) != nullptr; }

}  // namespace

size_t card_count(SolitaireRules const& g) {
    size_t n = 0;
    for (CardSprite const* c : g.sprites)
        if (c && !is_glow_sprite(c)) ++n;
    return n;
}

TableSnapshot snapshot_table(SolitaireRules& g, std::string* problem) {
    TableSnapshot snap;
    auto note = [&](CardSprite const* c, Loc const& l) {
        if (!c) {
            if (problem && problem->empty()) *problem = "a null card at " + loc_text(l);
            return;
        }
        auto it = snap.find(c);
        if (it != snap.end()) {
            if (problem && problem->empty())
                *problem = card_text(c) + " lies at " + loc_text(it->second.loc) + " and at " + loc_text(l);
            return;
        }
        snap[c] = CardPlace{l, c->face_up};
    };
    for (size_t i = 0; i < g.stock.size(); ++i) note(g.stock[i], Loc(Loc::STOCK, static_cast<int>(i), 0));
    for (size_t i = 0; i < g.waste.size(); ++i) note(g.waste[i], Loc(Loc::WASTE, static_cast<int>(i), 0));
    for (size_t i = 0; i < g.cells.size(); ++i)
        if (g.cells[i]) note(g.cells[i], Loc(Loc::CELLS, static_cast<int>(i), 0));
    for (size_t p = 0; p < g.tableau.size(); ++p)
        for (size_t k = 0; k < g.tableau[p].size(); ++k)
            note(g.tableau[p][k], Loc(Loc::TABLEAU, static_cast<int>(p), static_cast<int>(k)));
    for (size_t f = 0; f < g.foundations.size(); ++f)
        for (size_t k = 0; k < g.foundations[f].size(); ++k)
            note(g.foundations[f][k], Loc(Loc::FOUNDATION, static_cast<int>(f), static_cast<int>(k)));
    for (size_t i = 0; i < g.blob.cards.size(); ++i) note(g.blob.cards[i], Loc(Loc::NONE, 0, static_cast<int>(i)));
    return snap;
}

std::string describe_difference(TableSnapshot const& expected, TableSnapshot const& actual) {
    for (auto const& [card, place] : expected) {
        auto it = actual.find(card);
        if (it == actual.end()) return card_text(card) + " from " + loc_text(place.loc) + " is lost";
        if (it->second != place)
            return card_text(card) + " should be at " + loc_text(place.loc) + (place.face_up ? " face up" : " face down") +
                   ", is at " + loc_text(it->second.loc) + (it->second.face_up ? " face up" : " face down");
    }
    for (auto const& [card, place] : actual)
        if (!expected.count(card)) return card_text(card) + " at " + loc_text(place.loc) + " is new";
    return "";
}

int foundation_points(SolitaireRules& g) {
    int sum = 0;
    for (Deck const& d : g.foundations)
        for (CardSprite const* c : d) sum += 11 * c->no();
    return sum;
}

std::string standard_face_check(SolitaireRules& g) {
    for (size_t i = 0; i < g.stock.size(); ++i)
        if (g.stock[i] && g.stock[i]->face_up) return "a face-up card in the stock at " + std::to_string(i);
    for (CardSprite const* c : g.waste)
        if (c && !c->face_up) return "a face-down card in the waste";
    for (CardSprite const* c : g.cells)
        if (c && !c->face_up) return "a face-down card in a cell";
    for (size_t f = 0; f < g.foundations.size(); ++f)
        for (CardSprite const* c : g.foundations[f])
            if (c && !c->face_up) return "a face-down card on foundation " + std::to_string(f);
    for (size_t p = 0; p < g.tableau.size(); ++p) {
        Deck const& d = g.tableau[p];
        if (d.empty()) continue;
        bool seen_up = false;
        for (size_t k = 0; k < d.size(); ++k) {
            if (!d[k]) continue;
            if (d[k]->face_up)
                seen_up = true;
            else if (seen_up)
                return "tableau " + std::to_string(p) + ": a face-down card at " + std::to_string(k) + " above a face-up one";
        }
        if (d.back() && !d.back()->face_up) return "tableau " + std::to_string(p) + ": the top card is face down";
    }
    return "";
}

int soak_games(int short_default) {
    if (char const* v = std::getenv("LUNERRA_SOAK_GAMES")) {
        int n = std::atoi(v);
        if (n > 0) return n;
    }
    return short_default;
}

namespace {

enum class Act { DRAG, DOUBLE_CLICK, BASIC, UNDO, CLICK, EXTRA, UNDO_RUN, LOST_RELEASE };

char const* act_name(Act a) {
    switch (a) {
        case Act::DRAG: return "drag";
        case Act::DOUBLE_CLICK: return "double click";
        case Act::BASIC: return "stock action";
        case Act::UNDO: return "undo";
        case Act::CLICK: return "click";
        case Act::EXTRA: return "extra action";
        case Act::UNDO_RUN: return "undo run";
        case Act::LOST_RELEASE: return "lost release";
    }
    return "?";
}

class Driver {
public:
    Driver(SolitaireRules& g, unsigned seed, RandomPlayConfig const& cfg) : g_(g), cfg_(cfg), rng_(seed), seed_(seed) {}

    RandomPlayResult run() {
        install_card_images();
        std::srand(seed_);
        if (g_.sprites.empty()) g_.deal();
        settle();
        if (cfg_.setup) {
            cfg_.setup(g_, seed_);
            settle();
        }
        drain();
        res_.deal_score = score_;
        deal_ = snapshot_table(g_);
        if (cfg_.expected_score) expected_at_deal_ = cfg_.expected_score(g_);
        base_entries_ = g_.undo_stack.size();
        check_at_rest("the deal");

        for (int n = 0; n < cfg_.actions && ok() && !g_.is_won(); ++n) {
            action_no_ = n;
            Act const a = choose();
            if (a == Act::UNDO_RUN)
                undo_run();
            else
                act(a);
            ++res_.actions;
        }
        res_.won = ok() && g_.is_won();
        if (ok() && !res_.won && cfg_.undo_to_deal) {
            action_no_ = -1;
            size_t guard = g_.undo_stack.size() + 1;
            while (ok() && g_.may_undo() && guard-- > 0) act(Act::UNDO);
            if (ok() && g_.may_undo()) fail("undo never empties the stack");
            if (ok() && cfg_.strict_undo) {
                std::string diff = describe_difference(deal_, snapshot_table(g_));
                if (!diff.empty()) fail("undoing everything does not restore the deal: " + diff);
                if (score_ != res_.deal_score)
                    fail("undoing everything leaves the score at " + std::to_string(score_) + ", the deal had " +
                         std::to_string(res_.deal_score));
            }
        }
        res_.score = score_;
        return res_;
    }

private:
    bool ok() const { return res_.failure.empty(); }

    void fail(std::string const& what) {
        if (!ok()) return;
        std::ostringstream out;
        out << "seed " << seed_ << ", ";
        if (action_no_ < 0)
            out << "undoing to the deal";
        else
            out << "action " << action_no_;
        out << " (" << act_name(current_);
        if (current_ == Act::EXTRA && !extra_name_.empty()) out << " \"" << extra_name_ << "\"";
        if (run_length_ > 0) out << " " << run_step_ << " of a run of " << run_length_;
        out << "): " << what;
        res_.failure = out.str();
    }

    int rnd(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    Act choose() {
        std::vector<std::pair<Act, int>> w{{Act::DRAG, cfg_.w_drag},   {Act::DOUBLE_CLICK, cfg_.w_double_click},
                                           {Act::BASIC, cfg_.w_basic}, {Act::UNDO, cfg_.w_undo},
                                           {Act::CLICK, cfg_.w_click}, {Act::EXTRA, cfg_.extra_actions.empty() ? 0 : cfg_.w_extra},
                                           {Act::UNDO_RUN, cfg_.w_undo_run}, {Act::LOST_RELEASE, cfg_.w_lost_release}};
        int total = 0;
        for (auto const& e : w) total += e.second > 0 ? e.second : 0;
        if (total <= 0) return Act::DRAG;
        int r = rnd(0, total - 1);
        for (auto const& e : w) {
            if (e.second <= 0) continue;
            if (r < e.second) return e.first;
            r -= e.second;
        }
        return Act::DRAG;
    }

    void drain() {
        score_ += g_.pending_score;
        g_.pending_score = 0;
        g_.moves += g_.pending_moves;
        g_.pending_moves = 0;
    }

    void tick() {
        static unsigned const steps[] = {10, 16, 20, 33};
        unsigned dt = steps[rnd(0, 3)];
        in_.input.now += dt;
        g_.tick(in_.input.now, dt);
        drain();
    }

    // Ticks as the play screen does until nothing moves any more; the automatic finish
    // runs inside.
    void settle() {
        int guard = 0;
        do {
            tick();
        } while (g_.has_animation() && ++guard < 100000);
        if (g_.has_animation()) fail("the animations never end");
    }

    size_t foundation_cards() const {
        size_t n = 0;
        for (Deck const& d : g_.foundations) n += d.size();
        return n;
    }

    // A point on a card that the player can see: a tableau card's uncovered strip, or the
    // top card of the stock, the waste or a foundation, or a cell's card. Sometimes an empty
    // spot of the table.
    E2::Vec2<int> press_point() {
        std::vector<std::pair<CardSprite*, int>> cands;  // card, visible height
        int const h = g_.card_size().y;
        if (!g_.stock.empty() && g_.stock.back()) cands.push_back({g_.stock.back(), h});
        if (!g_.waste.empty() && g_.waste.back()) cands.push_back({g_.waste.back(), h});
        for (CardSprite* c : g_.cells)
            if (c) cands.push_back({c, h});
        for (Deck const& d : g_.foundations)
            if (!d.empty() && d.back()) cands.push_back({d.back(), h});
        for (Deck const& d : g_.tableau)
            for (size_t k = 0; k < d.size(); ++k) {
                if (!d[k]) continue;
                int vis = h;
                if (k + 1 < d.size() && d[k + 1]) vis = d[k + 1]->y - d[k]->y;
                cands.push_back({d[k], vis < 1 ? 1 : vis});
            }
        if (cands.empty() || rnd(0, 19) == 0) return anywhere();
        auto const& pick = cands[static_cast<size_t>(rnd(0, static_cast<int>(cands.size()) - 1))];
        return {pick.first->x + rnd(2, g_.card_size().x - 3), pick.first->y + rnd(0, pick.second - 1)};
    }

    E2::Vec2<int> anywhere() { return {rnd(0, 1023), rnd(0, 732)}; }

    // The centre of one of the carried cards' targets, but one time in `odds` (or with no
    // target) a point anywhere.
    E2::Vec2<int> drop_point(int odds) {
        if (!g_.blob.targets.empty() && rnd(0, odds - 1) != 0)
            return g_.center_of(g_.blob.targets[static_cast<size_t>(rnd(0, static_cast<int>(g_.blob.targets.size()) - 1))]);
        return anywhere();
    }

    bool press(E2::Vec2<int> const& p) {
        in_.input.mouse = p;
        return g_.on_mouse_down(p.x, p.y);
    }

    // Carries the cards to dest in a few motion steps and releases there.
    void carry_and_release(E2::Vec2<int> const& from, E2::Vec2<int> const& dest) {
        E2::Vec2<int> at = from;
        int const n = rnd(1, 4);
        for (int i = 1; i <= n; ++i) {
            E2::Vec2<int> next(from.x + (dest.x - from.x) * i / n, from.y + (dest.y - from.y) * i / n);
            in_.input.mouse = next;
            g_.on_mouse_motion(next, {next.x - at.x, next.y - at.y}, false);
            at = next;
        }
        if (!g_.on_mouse_up(dest.x, dest.y)) fail("a release while carrying returned false");
    }

    // Several undos one after another, as fast as the play screen lets them come.
    void undo_run() {
        run_length_ = rnd(2, std::max(2, cfg_.undo_run_max));
        for (run_step_ = 1; run_step_ <= run_length_ && ok(); ++run_step_) act(Act::UNDO);
        if (ok()) run_length_ = 0;
    }

    void act(Act a) {
        current_ = a;
        act_once(a);
        if (ok() && g_.undo_stack.size() - base_entries_ != before_.size())
            fail(std::to_string(g_.undo_stack.size() - base_entries_) + " undo entries for " +
                 std::to_string(before_.size()) + " recorded actions");
    }

    void act_once(Act a) {
        TableSnapshot const pre = snapshot_table(g_);
        int const score0 = score_;
        int const moves0 = g_.moves;
        size_t const entries0 = g_.undo_stack.size();
        std::vector<CardSprite*> carried;
        bool carried_any = false;
        bool stock_press = false;
        in_.input.now += 1000;  // never the second click of a double click by accident
        // A press at p; whether it took up cards (those carried now), else it counts as a
        // press on the stock.
        auto take = [&](E2::Vec2<int> const& p) {
            press(p);
            stock_press = !g_.in_drag();
            if (stock_press) return false;
            carried = g_.blob.cards;
            carried_any = true;
            return true;
        };

        switch (a) {
            case Act::DRAG: {
                E2::Vec2<int> p = press_point();
                if (!take(p)) break;
                check_accounting("while carrying");
                carry_and_release(p, drop_point(5));
                break;
            }
            case Act::DOUBLE_CLICK: {
                E2::Vec2<int> p = press_point();
                if (!take(p)) break;
                g_.on_mouse_up(p.x, p.y);  // too near to drop: back to its place
                if (g_.undo_stack.size() != entries0) {
                    fail("a release on the pick-up point recorded an entry");
                    break;
                }
                if (g_.has_animation()) settle();
                in_.input.now += 120;
                if (!take(p)) break;
                g_.on_mouse_up(p.x, p.y);
                break;
            }
            case Act::BASIC:
                g_.perform_basic_action();
                stock_press = true;
                break;
            case Act::UNDO:
                g_.undo();
                break;
            case Act::CLICK: {
                E2::Vec2<int> p = press_point();
                if (!take(p)) break;
                g_.on_mouse_up(p.x, p.y);
                break;
            }
            case Act::LOST_RELEASE: {
                // The release of the first press never arrives (it happened outside the
                // window); the next press comes while its cards are still carried.
                if (!take(press_point())) break;
                in_.input.now += 1000;
                E2::Vec2<int> q = press_point();
                if (!take(q)) break;
                carry_and_release(q, drop_point(3));
                break;
            }
            case Act::UNDO_RUN:
                break;  // undo_run() plays it as single undos
            case Act::EXTRA: {
                auto const& e = cfg_.extra_actions[static_cast<size_t>(rnd(0, static_cast<int>(cfg_.extra_actions.size()) - 1))];
                extra_name_ = e.first;
                e.second(g_);
                break;
            }
        }
        if (!ok()) return;
        if (g_.in_drag()) {
            fail("still carrying after the action");
            return;
        }
        drain();
        int const moves_after_action = g_.moves;
        size_t const found_after_action = foundation_cards();
        check_accounting("right after the action");
        settle();
        bool const auto_steps = foundation_cards() > found_after_action;
        if (g_.moves != moves_after_action) fail("moves were counted while the cards moved on their own");
        if (auto_steps) {
            if (!g_.is_won()) fail("the automatic finish stopped before the game was won");
            res_.auto_finished = true;
        }
        check_at_rest("after the action");
        if (!ok()) return;

        long const d_entries = static_cast<long>(g_.undo_stack.size()) - static_cast<long>(entries0);
        int const d_moves = g_.moves - moves0;
        if (a == Act::UNDO) {
            if (entries0 == 0) {
                if (d_moves != 0) fail("an undo with nothing to undo counted a move");
                std::string diff = describe_difference(pre, snapshot_table(g_));
                if (!diff.empty()) fail("an undo with nothing to undo changed the table: " + diff);
                return;
            }
            if (d_entries != -1) fail("an undo took " + std::to_string(-d_entries) + " entries");
            if (d_moves != 1) fail("an undo counted " + std::to_string(d_moves) + " moves");
            ++res_.undos;
            if (cfg_.strict_undo && !before_.empty()) {
                std::string diff = describe_difference(before_.back(), snapshot_table(g_));
                if (!diff.empty()) fail("the undo does not restore the table: " + diff);
                if (score_ != score_before_.back())
                    fail("the undo leaves the score at " + std::to_string(score_) + ", it was " +
                         std::to_string(score_before_.back()));
            }
            if (!before_.empty()) {
                before_.pop_back();
                score_before_.pop_back();
            }
            return;
        }
        if (d_entries < 0 || d_entries > 1) {
            fail("one action changed the undo stack by " + std::to_string(d_entries));
            return;
        }
        if (d_entries == 1) {
            before_.push_back(pre);
            score_before_.push_back(score0);
        } else if (cfg_.strict_undo && !auto_steps) {
            std::string diff = describe_difference(pre, snapshot_table(g_));
            if (!diff.empty()) fail("an action that recorded nothing changed the table: " + diff);
        }
        if (a == Act::EXTRA) return;
        if (stock_press) {
            int const expect = static_cast<int>(d_entries) * cfg_.moves_per_stock_action;
            if (d_moves != expect)
                fail("a stock action counted " + std::to_string(d_moves) + " moves, not " + std::to_string(expect));
            if (d_entries) ++res_.stock_actions;
            return;
        }
        if (d_moves != d_entries) fail("a drop counted " + std::to_string(d_moves) + " moves");
        if (carried_any && d_entries == 1) {
            ++res_.drops;
            if (a == Act::DOUBLE_CLICK) ++res_.double_clicks;
            if (!auto_steps) check_landed(carried);
        } else if (carried_any) {
            ++res_.undrags;
        }
    }

    // The dropped cards lie together, in the order carried, in one pile.
    void check_landed(std::vector<CardSprite*> const& carried) {
        TableSnapshot snap = snapshot_table(g_);
        auto first = snap.find(carried.front());
        if (first == snap.end()) return;
        Loc const base = first->second.loc;
        for (size_t i = 0; i < carried.size(); ++i) {
            Loc const& l = snap[carried[i]].loc;
            int const want_index = base.kind == Loc::CELLS ? 0 : base.index + static_cast<int>(i);
            int const want_pile = base.pile;
            if (l.kind != base.kind || l.pile != want_pile || l.index != want_index) {
                fail("dropped card " + std::to_string(i) + " (" + card_text(carried[i]) + ") lies at " + loc_text(l) +
                     ", apart from the cards carried with it");
                return;
            }
        }
    }

    void check_accounting(char const* when) {
        std::string problem;
        TableSnapshot snap = snapshot_table(g_, &problem);
        if (!problem.empty()) {
            fail(std::string(when) + ": " + problem);
            return;
        }
        if (snap.size() != card_count(g_))
            fail(std::string(when) + ": " + std::to_string(snap.size()) + " cards in places, the game has " +
                 std::to_string(card_count(g_)));
        for (auto const& e : snap)
            if (!g_.sprites.empty() && std::find(g_.sprites.begin(), g_.sprites.end(), e.first) == g_.sprites.end()) {
                fail(std::string(when) + ": a card that the game does not own");
                return;
            }
    }

    void check_at_rest(char const* when) {
        check_accounting(when);
        if (!ok()) return;
        std::string const w(when);
        if (g_.in_drag()) fail(w + ": still carrying");
        if (g_.pending_score || g_.pending_moves) fail(w + ": pending counters not drained");
        for (CardSprite const* c : g_.sprites)
            if (c && c->glow) {
                fail(w + ": a card or glow sprite still glows at rest");
                break;
            }
        std::string face = cfg_.face_check ? cfg_.face_check(g_) : standard_face_check(g_);
        if (!face.empty()) fail(w + ": " + face);
        if (cfg_.check_positions) {
            for (auto const& [card, place] : snapshot_table(g_)) {
                E2::Vec2<int> want = g_.pos_of(place.loc);
                if (card->pos() != want) {
                    fail(w + ": " + card_text(card) + " at " + loc_text(place.loc) + " stands at (" +
                         std::to_string(card->x) + ", " + std::to_string(card->y) + "), its place is at (" +
                         std::to_string(want.x) + ", " + std::to_string(want.y) + ")");
                    break;
                }
            }
        }
        if (!res_.auto_finished) {
            int sum = 0;
            for (size_t i = base_entries_; i < g_.undo_stack.size(); ++i) sum += g_.undo_stack[i]->score;
            if (score_ != res_.deal_score + sum)
                fail(w + ": the score is " + std::to_string(score_) + ", the deal's plus the entries' is " +
                     std::to_string(res_.deal_score + sum));
        }
        if (cfg_.expected_score) {
            int want = cfg_.expected_score(g_) - expected_at_deal_ + res_.deal_score;
            if (score_ != want)
                fail(w + ": the score is " + std::to_string(score_) + ", the table implies " + std::to_string(want));
        }
        if (cfg_.extra_check) {
            std::string extra = cfg_.extra_check(g_);
            if (!extra.empty()) fail(w + ": " + extra);
        }
    }

    SolitaireRules& g_;
    RandomPlayConfig const& cfg_;
    std::mt19937 rng_;
    unsigned seed_;
    ScopedInput in_;
    RandomPlayResult res_;
    TableSnapshot deal_;
    size_t base_entries_ = 0;
    std::vector<TableSnapshot> before_;
    std::vector<int> score_before_;
    int score_ = 0;
    int expected_at_deal_ = 0;
    int action_no_ = 0;
    Act current_ = Act::DRAG;
    std::string extra_name_;  // the last extra action chosen
    int run_length_ = 0;      // the undo run under way, 0 when none
    int run_step_ = 0;
};

}  // namespace

RandomPlayResult random_play(SolitaireRules* g, unsigned seed, RandomPlayConfig const& cfg) {
    if (!g) {
        RandomPlayResult r;
        r.failure = "no game";
        return r;
    }
    Driver p(*g, seed, cfg);
    return p.run();
}

}  // namespace rules_test
