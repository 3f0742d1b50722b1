#include "spider.h"

#include <algorithm>
#include <cmath>

#include "card_sprite.h"
#include "loader_global.h"
#include "options_popup.h"
#include "suit_building.h"

using suit_building::top_index;

namespace {

int const registered = SolitaireRules::Creator::register_creator(new SpiderCreator);

Loc tableau_loc(unsigned p, size_t k) { return Loc(Loc::TABLEAU, static_cast<int>(p), static_cast<int>(k)); }

// `upper` continues a run of one suit on `lower`.
bool same_suit_run(Card const& upper, Card const& lower) {
    return upper.suit() == lower.suit() && upper.no() + 1 == lower.no();
}

}  // namespace

int SpiderRules::face_up_spacing(unsigned n) {
    if (n <= 19) return 26;
    long s = std::lround(494.0 / n);
    return static_cast<int>(std::clamp(s, 11L, 26L));
}

SpiderRules::SpiderRules() {
    foundations.resize(foundation_count);
    tableau.resize(piles);
}

SolitaireRules::OptionsPopup* SpiderRules::options_popup() { return OptionsPopup::create_for(*this, {opt_two_suits}); }

void SpiderRules::notify_options_changed(std::vector<bool> const& values) {
    if (!values.empty()) opt_two_suits = values[0];
}

void SpiderRules::deal() {
    Deck::append_std_deck52(sprites);
    Deck::append_std_deck52(sprites);
    Deck work(sprites);
    work.shuffle();
    if (opt_two_suits)
        for (CardSprite* c : sprites) c->suit(c->is_red() ? Card::HEARTS : Card::CLUBS);
    for (CardSprite* c : work) c->set_pos(deal_start());

    anim = AnimProfile(AnimProfile::DEAL, 0, 0);
    for (unsigned i = 0; i < 54 && !work.empty(); ++i) {
        CardSprite* c = work.back();
        work.pop_back();
        if (i >= 44) c->set_face_up(true);
        move_to(c, Loc(), tableau_loc(i % piles, 0), true);
    }
    anim.style = AnimProfile::DEAL_TO_STOCK;
    while (!work.empty()) {
        move_to(work.back(), Loc(), Loc(Loc::STOCK, 0, 0), true);
        work.pop_back();
    }
}

void SpiderRules::deal_from_stock() {
    if (stock.empty()) return;
    anim = AnimProfile(AnimProfile::DEAL, 0, 0);
    initiate_move_sequence();
    for (unsigned t = 0; t < piles && !stock.empty(); ++t) {
        Loc const origin(Loc::STOCK, top_index(stock), 0);
        CardSprite* c = remove_card_from(origin);
        flip_at(c, origin, false);
        move_to(c, origin, tableau_loc(t, 0), true);
    }
    finalize_move_sequence();
    pending_moves += 1;
}

bool SpiderRules::on_mouse_down(int x, int y) {
    // Cards still carried from an earlier press (its release was lost) go back first.
    if (in_drag()) undrag();
    blob.reset();
    if (!stock.empty() && stock.back()->is_inside(x, y)) {
        perform_basic_action();
        return true;
    }
    for (unsigned p = 0; p < piles; ++p) {
        Deck const& d = tableau[p];
        for (size_t k = d.size(); k-- > 0;) {
            if (!d[k]->face_up) break;
            if (k + 1 < d.size() && !same_suit_run(*d[k + 1], *d[k])) break;
            if (d[k]->is_inside(x, y)) {
                carry_from_tableau(p, static_cast<unsigned>(k));
                return start_carrying();
            }
        }
    }
    return false;
}

void SpiderRules::load() {
    SolitaireRules::load();
    if (overlays.empty()) overlays.push_back(new Sprite(loader.get_surface(".i/game/o/overlay_spider.png"), {3, 63}));
    for (Sprite* o : overlays)
        if (o) o->load();
}

E2::Vec2<int> SpiderRules::pos_of(Loc const& l) const {
    switch (l.kind) {
        case Loc::FOUNDATION: return {207 + 102 * l.pile, 69};
        case Loc::STOCK: {
            int const d = 2 * (l.pile / 6);
            return {45 - d, 69 - d};
        }
        case Loc::TABLEAU: {
            int y = 228;
            if (Deck const* d = pile_of(tableau, l.pile)) {
                size_t face_down = 0;
                while (face_down < d->size() && !(*d)[face_down]->face_up) ++face_down;
                int const s = face_up_spacing(static_cast<unsigned>(d->size() - face_down));
                size_t const below = std::min(static_cast<size_t>(l.index < 0 ? 0 : l.index), d->size());
                for (size_t j = 0; j < below; ++j) y += j < face_down ? 2 : s;
            }
            return {2 + 102 * l.pile + suit_building::wobble(static_cast<unsigned>(l.index)), y};
        }
        default: return {0, 0};
    }
}

Loc SpiderRules::back_of(Loc const& l) const {
    switch (l.kind) {
        case Loc::TABLEAU:
        case Loc::FOUNDATION: {
            Deck const* d = pile_of(l.kind == Loc::TABLEAU ? tableau : foundations, l.pile);
            return Loc(l.kind, l.pile, d ? top_index(*d) : 0);
        }
        case Loc::STOCK: return Loc(Loc::STOCK, top_index(stock), 0);
        default: return Loc();
    }
}

void SpiderRules::identify_drag_targets(CardSprite const& c, Loc const& from) {
    for (unsigned t = 0; t < piles; ++t) {
        Loc l = may_move_to_tableau_t(c, from, t);
        if (l.kind != Loc::NONE) blob.append_target(l, score_if_dropped(c, from, l));
    }
}

Loc SpiderRules::may_move_to_tableau_t(CardSprite const& c, Loc const& from, unsigned t) const {
    if (from.kind == Loc::TABLEAU && from.pile == static_cast<int>(t)) return Loc();
    Deck const* d = pile_of(tableau, static_cast<int>(t));
    if (!d) return Loc();
    if (d->empty()) return tableau_loc(t, 0);
    if (d->back()->no() == c.no() + 1) return tableau_loc(t, d->size() - 1);
    return Loc();
}

Loc SpiderRules::may_move_to_any_tableau(CardSprite const& c, Loc const& from) const {
    for (unsigned t = 0; t < piles; ++t) {
        Loc l = may_move_to_tableau_t(c, from, t);
        if (l.kind != Loc::NONE) return l;
    }
    return Loc();
}

int SpiderRules::complete_run_at(unsigned t) const {
    Deck const* d = pile_of(tableau, static_cast<int>(t));
    if (!d || d->size() < run_length) return -1;
    size_t const king = d->size() - run_length;
    Card::Suit const suit = d->back()->suit();
    for (unsigned j = 0; j < run_length; ++j) {
        CardSprite const* c = (*d)[d->size() - 1 - j];
        if (!c->face_up || c->suit() != suit || c->no() != j + 1) return -1;
    }
    return static_cast<int>(king);
}

void SpiderRules::drag_drop() {
    SolitaireRules::drag_drop();
    recording = !undo_stack.empty();  // the runs join the drop's entry
    for (unsigned t = 0; t < piles; ++t) {
        int const king = complete_run_at(t);
        if (king >= 0) remove_run(t, king);
    }
    finalize_move_sequence();
}

void SpiderRules::remove_run(unsigned t, int king) {
    auto empty = std::find_if(foundations.begin(), foundations.end(), [](Deck const& d) { return d.empty(); });
    if (empty == foundations.end()) return;
    Loc const target(Loc::FOUNDATION, static_cast<int>(empty - foundations.begin()), 0);
    Deck& d = tableau[t];
    std::vector<CardSprite*> run(d.begin() + king, d.end());
    d.erase(d.begin() + king, d.end());
    initiate_chunk();
    for (size_t j = 0; j < run.size(); ++j) move_to(run[j], tableau_loc(t, static_cast<size_t>(king) + j), target, false);
    finalize_chunk();
    // The turn is recorded after the chunk: undo turns the card back first, where it lies
    // on top of the pile, and then the run comes back onto it.
    if (!d.empty() && !d.back()->face_up) flip_at(d.back(), tableau_loc(t, d.size() - 1), true);
    report_score(run_score);
}

void SpiderRules::flip_tableau() {
    anim.start = anim.end;
    for (unsigned p = 0; p < piles; ++p) {
        Deck const& d = tableau[p];
        if (!d.empty() && !d.back()->face_up) flip_at(d.back(), tableau_loc(p, d.size() - 1), true);
    }
}

bool SpiderRules::has_any_move() const {
    if (!stock.empty()) return true;
    for (unsigned p = 0; p < piles; ++p) {
        Deck const& d = tableau[p];
        for (size_t k = d.size(); k-- > 0;) {
            if (!d[k]->face_up) break;
            if (k + 1 < d.size() && !same_suit_run(*d[k + 1], *d[k])) break;
            Loc l = may_move_to_any_tableau(*d[k], tableau_loc(p, k));
            if (l.kind != Loc::NONE) return true;
        }
    }
    return false;
}

void SpiderCreator::save_options(FILE* f) { SpiderOptions::save(f); }

void SpiderCreator::read_options(FILE* f) { SpiderOptions::read(f); }

SolitaireRules* SpiderCreator::create() { return new SpiderRules; }
