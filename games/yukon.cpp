#include "yukon.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "card_sprite.h"
#include "loader_global.h"
#include "suit_building.h"


namespace {

int const registered = SolitaireRules::Creator::register_creator(new YukonCreator);

}  // namespace

YukonRules::YukonRules() : SuitBuildingRules(piles, foundation_count, opt_may_pluck_from_foundation) {}

void YukonRules::deal() {
    Deck::append_std_deck52(sprites);
    Deck work(sprites);
    work.shuffle();
    for (CardSprite* c : work) c->set_pos(deal_start());
    anim = AnimProfile(AnimProfile::DEAL, 0, 0);
    auto deal_one = [this, &work](unsigned p, bool face_up) {
        CardSprite* c = work.back();
        work.pop_back();
        if (face_up) c->set_face_up(true);
        move_to(c, Loc(), tableau_loc(p, 0), true);
    };
    for (unsigned r = 0; r < piles; ++r)
        for (unsigned p = r; p < piles && !work.empty(); ++p) deal_one(p, p == r);
    while (!work.empty())
        for (unsigned p = 1; p < piles && !work.empty(); ++p) deal_one(p, true);
}

bool YukonRules::press_on_table(int x, int y) {
    for (unsigned p = 0; p < piles; ++p) {
        Deck const& d = tableau[p];
        for (size_t k = d.size(); k-- > 0 && d[k]->face_up;) {
            if (d[k]->is_inside(x, y)) {
                carry_from_tableau(p, static_cast<unsigned>(k));
                return start_carrying();
            }
        }
    }
    return false;
}

void YukonRules::load() {
    SolitaireRules::load();
    if (overlays.empty()) {
        overlays.push_back(new Sprite(loader.get_surface(".i/game/o/overlay_yukon_a.png"), {12, 61}));
        overlays.push_back(new Sprite(loader.get_surface(".i/game/o/overlay_yukon_b.png"), {899, 61}));
    }
    for (Sprite* o : overlays)
        if (o) o->load();
}

E2::Vec2<int> YukonRules::pos_of(Loc const& l) const {
    switch (l.kind) {
        case Loc::FOUNDATION: return {906, 67 + 170 * l.pile};
        case Loc::TABLEAU: {
            int y = 67;
            if (Deck const* d = pile_of(tableau, l.pile)) {
                size_t const below = std::min(static_cast<size_t>(l.index < 0 ? 0 : l.index), d->size());
                for (size_t j = 0; j < below; ++j) y += (*d)[j]->face_up ? 26 : 2;
            }
            return {17 + 120 * l.pile + suit_building::wobble(static_cast<unsigned>(l.index)), y};
        }
        default: return {0, 0};
    }
}

Loc YukonRules::may_move_to_tableau_t(CardSprite const& c, Loc const& from, unsigned t) const {
    if (from.kind == Loc::TABLEAU && from.pile == static_cast<int>(t)) return Loc();
    Deck const* d = pile_of(tableau, static_cast<int>(t));
    if (!d) return Loc();
    if (d->empty()) return c.no() == 13 ? tableau_loc(t, 0) : Loc();
    if (suit_building::in_sequence(c, *d->back())) return tableau_loc(t, d->size() - 1);
    return Loc();
}

void YukonRules::flip_tableau() {
    anim.start = anim.end;
    for (unsigned p = 0; p < piles; ++p) {
        Deck const& d = tableau[p];
        if (!d.empty() && !d.back()->face_up) flip_at(d.back(), tableau_loc(p, d.size() - 1), false);
    }
}

bool YukonRules::has_any_move() const {
    for (unsigned p = 0; p < piles; ++p) {
        Deck const& d = tableau[p];
        if (!d.empty() && may_move_to_foundation(*d.back(), nullptr)) return true;
        for (size_t k = d.size(); k-- > 0 && d[k]->face_up;)
            if (may_move_to_any_tableau(*d[k], tableau_loc(p, k)).kind != Loc::NONE) return true;
    }
    return false;
}

void YukonRules::cheat_near_win() {
    SolitaireRules::cheat_near_win();
    auto first = std::find_if(tableau.begin(), tableau.end(), [](Deck const& d) { return !d.empty(); });
    if (first != tableau.end()) {
        CardSprite* c = first->back();
        first->pop_back();
        auto same = std::find_if(tableau.begin(), tableau.end(),
                                 [c](Deck const& d) { return !d.empty() && d.back()->is_red() == c->is_red(); });
        (same != tableau.end() ? *same : *first).push_back(c);
    }
    reposition_everything();
}

void YukonRules::auto_complete() {
    anim = AnimProfile(AnimProfile::AUTO_COMPLETE, 0, 0);
    std::vector<unsigned> lowest;
    for (unsigned p = 0; p < piles; ++p) {
        Deck const& d = tableau[p];
        if (d.empty()) continue;
        if (!lowest.empty() && d.back()->no() > tableau[lowest.front()].back()->no()) continue;
        if (!lowest.empty() && d.back()->no() < tableau[lowest.front()].back()->no()) lowest.clear();
        lowest.push_back(p);
    }
    if (lowest.empty()) return;
    for (size_t j = 1; j < lowest.size(); ++j)
        std::swap(lowest[j], lowest[static_cast<size_t>(std::rand()) % (j + 1)]);
    move_top_to_foundation(lowest.front());
}

void YukonCreator::save_options(FILE* f) { YukonOptions::save(f); }

void YukonCreator::read_options(FILE* f) { YukonOptions::read(f); }

SolitaireRules* YukonCreator::create() { return new YukonRules; }
