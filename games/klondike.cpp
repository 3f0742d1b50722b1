#include "klondike.h"

#include <algorithm>

#include "card_sprite.h"
#include "loader_global.h"
#include "options_popup.h"
#include "rand.h"

namespace {

bool const registered = SolitaireRules::Creator::register_creator(new KlondikeCreator) == 0;

// Foundations lie a little higher and to the left the further right they are.
E2::Vec2<int> const foundation_pos[KlondikeRules::foundation_count] = {{464, 80}, {583, 80}, {703, 79}, {822, 78}};

bool other_colour_one_lower(Card const& c, Card const& under) {
    return c.is_red() != under.is_red() && c.no() + 1 == under.no();
}

}  // namespace

KlondikeRules::KlondikeRules() {
    foundations.resize(foundation_count);
    tableau.resize(piles);
}

SolitaireRules::OptionsPopup* KlondikeRules::options_popup() {
    return OptionsPopup::create_for(*this, {opt_may_pluck_from_foundation, opt_flip_1, opt_unlimited_redeals});
}

void KlondikeRules::notify_options_changed(std::vector<bool> const& values) {
    bool const was_flip_1 = opt_flip_1;
    if (values.size() > 0) opt_may_pluck_from_foundation = values[0];
    if (values.size() > 1) opt_flip_1 = values[1];
    if (values.size() > 2) opt_unlimited_redeals = values[2];
    // The fan follows the draw: draw three spreads the top three, draw one lays all on one spot.
    if (opt_flip_1 != was_flip_1) {
        anim = AnimProfile(AnimProfile::DRAW, 0, 0);
        reposition_waste();
    }
}

bool KlondikeRules::may_move_to_foundation(Card const& c, std::vector<Loc>* out) const {
    for (unsigned f = 0; f < foundation_count; ++f) {
        Deck const& d = foundations[f];
        if (d.empty()) continue;
        CardSprite const* top = d.back();
        if (top->suit() == c.suit() && top->no() + 1 == c.no()) {
            if (out) out->push_back(Loc(Loc::FOUNDATION, static_cast<int>(f), static_cast<int>(d.size() - 1)));
            return true;
        }
    }
    if (c.no() == 1) {
        if (!out)
            return std::any_of(foundations.begin(), foundations.end(), [](Deck const& d) { return d.empty(); });
        for (unsigned f = 0; f < foundation_count; ++f)
            if (foundations[f].empty()) out->push_back(Loc(Loc::FOUNDATION, static_cast<int>(f), 0));
    }
    return out && !out->empty();
}

Loc KlondikeRules::may_move_to_tableau_t(CardSprite const& c, Loc const& from, unsigned t) const {
    if (t >= tableau.size()) return Loc();
    if (from.kind == Loc::TABLEAU && from.pile == static_cast<int>(t)) return Loc();
    Deck const& d = tableau[t];
    if (d.empty()) return c.no() == 13 ? Loc(Loc::TABLEAU, static_cast<int>(t), 0) : Loc();
    if (other_colour_one_lower(c, *d.back())) return Loc(Loc::TABLEAU, static_cast<int>(t), static_cast<int>(d.size() - 1));
    return Loc();
}

Loc KlondikeRules::may_move_to_any_tableau(CardSprite const& c, Loc const& from) const {
    for (unsigned t = 0; t < piles; ++t) {
        Loc l = may_move_to_tableau_t(c, from, t);
        if (l.kind != Loc::NONE) return l;
    }
    return Loc();
}

E2::Vec2<int> KlondikeRules::pos_of_wasten(unsigned n) const { return n < 3 ? waste_slot(n) : waste_slot(2); }

void KlondikeRules::identify_drag_targets(CardSprite const& c, Loc const& from) {
    if (from.kind != Loc::FOUNDATION && blob.cards.size() == 1) {
        std::vector<Loc> homes;
        may_move_to_foundation(c, &homes);
        for (Loc const& l : homes) blob.append_target(l, score_if_dropped(c, from, l));
    }
    for (unsigned t = 0; t < piles; ++t) {
        Loc l = may_move_to_tableau_t(c, from, t);
        if (l.kind != Loc::NONE) blob.append_target(l, score_if_dropped(c, from, l));
    }
}

bool KlondikeRules::on_mouse_down(int x, int y) {
    if (in_drag()) undrag();
    blob.reset();
    if (!stock.empty() && stock.back()->is_inside(x, y)) {
        perform_basic_action();
        return true;
    }
    if (!waste.empty() && waste.back()->is_inside(x, y)) {
        blob.append(Loc(Loc::WASTE, static_cast<int>(waste.size() - 1), 0), waste.back());
        waste.pop_back();
    }
    if (blob.empty() && opt_may_pluck_from_foundation) {
        for (unsigned f = 0; f < foundation_count; ++f) {
            Deck& d = foundations[f];
            if (!d.empty() && d.back()->is_inside(x, y)) {
                blob.append(Loc(Loc::FOUNDATION, static_cast<int>(f), 0), d.back());
                d.pop_back();
                break;
            }
        }
    }
    for (unsigned p = 0; blob.empty() && p < piles; ++p) {
        Deck const& d = tableau[p];
        for (size_t i = d.size(); i-- > 0 && d[i]->face_up;) {
            if (d[i]->is_inside(x, y)) {
                carry_from_tableau(p, static_cast<unsigned>(i));
                break;
            }
        }
    }
    return start_carrying();
}

E2::Vec2<int> KlondikeRules::pos_of(Loc const& l) const {
    switch (l.kind) {
        case Loc::TABLEAU: {
            // A fixed wobble of one pixel by position in the pile.
            static E2::util::RandGen const wobble(43);
            int const b = static_cast<int>(wobble.get_ui32(static_cast<unsigned>(l.index)) & 1u);
            int y = 261;
            if (Deck const* d = pile_of(tableau, l.pile)) {
                size_t const below = std::min<size_t>(static_cast<size_t>(std::max(l.index, 0)), d->size());
                for (size_t j = 0; j < below; ++j) y += (*d)[j] && (*d)[j]->face_up ? 26 : 2;
            }
            return {120 * l.pile + 103 + b, y};
        }
        case Loc::STOCK: {
            int const s = 2 * (std::max(l.pile, 0) / 3);
            return {104 - s, 80 - s};
        }
        case Loc::WASTE: {
            int const w = static_cast<int>(waste.size());
            int const d = opt_flip_1 ? 1 : 3;
            return waste_slot(static_cast<unsigned>(std::max(0, l.pile - (w - std::min(d, w)))));
        }
        case Loc::FOUNDATION:
            if (l.pile >= 0 && l.pile < static_cast<int>(foundation_count)) return foundation_pos[l.pile];
            return {0, 0};
        default:
            return {0, 0};
    }
}

Loc KlondikeRules::back_of(Loc const& l) const {
    auto top_of = [](Deck const* d) { return d && !d->empty() ? static_cast<int>(d->size() - 1) : 0; };
    switch (l.kind) {
        case Loc::TABLEAU: return Loc(Loc::TABLEAU, l.pile, top_of(pile_of(tableau, l.pile)));
        case Loc::FOUNDATION: return Loc(Loc::FOUNDATION, l.pile, top_of(pile_of(foundations, l.pile)));
        case Loc::STOCK: return Loc(Loc::STOCK, top_of(&stock), 0);
        case Loc::WASTE: return Loc(Loc::WASTE, top_of(&waste), 0);
        default: return Loc();
    }
}

void KlondikeRules::undrag() {
    bool const from_waste = !blob.origins.empty() && blob.origins.back().kind == Loc::WASTE;
    SolitaireRules::undrag();
    if (from_waste) reposition_waste();
}

void KlondikeRules::flip_tableau() {
    anim.start = anim.end;
    for (unsigned p = 0; p < piles; ++p) {
        Deck& d = tableau[p];
        if (!d.empty() && !d.back()->face_up)
            flip_at(d.back(), Loc(Loc::TABLEAU, static_cast<int>(p), static_cast<int>(d.size() - 1)), false);
    }
}

void KlondikeRules::undo() {
    SolitaireRules::undo();
    reposition_waste();
}

void KlondikeRules::load() {
    SolitaireRules::load();
    if (overlays.empty()) overlays.push_back(new Sprite(loader.get_surface(".i/game/o/overlay_klondike.png"), {98, 74}));
    for (Sprite* o : overlays)
        if (o) o->load();
    Surf* over = loader.get_surface(".i/game/reset_over.png");
    reset_button.set_images(loader.get_surface(".i/game/reset.png"), over, over);
    reset_button.set_pos(reset_button_pos());
    reset_button.set_state(ButtonSprite::normal);
    reset_button.register_listener(this);
}

void KlondikeRules::display(SDL_Surface* s) const {
    display_bg_stuff(s);
    if (reset_available()) reset_button.display(s);
    display_cards(s);
}

void KlondikeRules::tick(unsigned now, unsigned dt) {
    SolitaireRules::tick(now, dt);
    if (reset_available()) reset_button.tick(now, dt);
}

bool KlondikeRules::proc_event(SDL_Event* e) {
    SolitaireRules::proc_event(e);
    // A carry that passes over the button neither presses it nor lets it fire on release.
    return reset_available() && !in_drag() && reset_button.proc_event(e);
}

bool KlondikeRules::has_any_move() const {
    if (!stock.empty() || reset_available()) return true;
    auto movable = [this](CardSprite const& c, Loc const& from, bool single) {
        if (single && from.kind != Loc::FOUNDATION && may_move_to_foundation(c, nullptr)) return true;
        return may_move_to_any_tableau(c, from).kind != Loc::NONE;
    };
    if (!waste.empty() && movable(*waste.back(), Loc(Loc::WASTE, static_cast<int>(waste.size() - 1), 0), true)) return true;
    for (unsigned p = 0; p < piles; ++p) {
        Deck const& d = tableau[p];
        for (size_t i = d.size(); i-- > 0 && d[i]->face_up;) {
            // A King at the bottom of a pile gains nothing on another empty pile.
            if (i == 0 && d[i]->no() == 13) continue;
            if (movable(*d[i], Loc(Loc::TABLEAU, static_cast<int>(p), static_cast<int>(i)), i + 1 == d.size()))
                return true;
        }
    }
    return false;
}

void KlondikeRules::cheat_near_win() {
    if (in_drag()) undrag();
    std::vector<CardSprite*> all;
    auto take_all = [&all](Deck& d) {
        for (CardSprite* c : d) all.push_back(c);
        d.clear();
    };
    take_all(stock);
    take_all(waste);
    for (Deck& d : tableau) take_all(d);
    for (Deck& d : foundations) take_all(d);
    std::sort(all.begin(), all.end(), Card::Comparator());
    std::vector<CardSprite*> queens;
    for (CardSprite* c : all) {
        c->clear_effs();
        c->set_face_up(true);
        unsigned const s = (c->suit() + 3u) % foundation_count;
        if (c->no() == 12)
            queens.push_back(c);
        else
            (c->no() == 13 ? tableau[s] : foundations[s]).push_back(c);
    }
    for (CardSprite* q : queens) tableau[(q->suit() + 3u) % foundation_count].push_back(q);
    for (UndoMove* m : undo_stack) delete m;
    undo_stack.clear();
    redeals = 0;
    anim = AnimProfile(AnimProfile::INSTANT, 0, 0);
    reposition_everything();
}

bool KlondikeRules::may_auto_complete() const {
    if (!stock.empty() || !waste.empty() || has_animation() || in_drag()) return false;
    bool any = false;
    for (Deck const& d : tableau) {
        for (size_t i = 0; i < d.size(); ++i) {
            if (!d[i]->face_up) return false;
            if (i > 0 && !other_colour_one_lower(*d[i], *d[i - 1])) return false;
        }
        any = any || !d.empty();
    }
    return any;
}

void KlondikeRules::auto_complete() {
    anim = AnimProfile(AnimProfile::AUTO_COMPLETE, 0, 0);
    int best = -1;
    for (unsigned p = 0; p < piles; ++p) {
        if (tableau[p].empty()) continue;
        if (best < 0 || tableau[p].back()->no() < tableau[static_cast<unsigned>(best)].back()->no()) best = static_cast<int>(p);
    }
    if (best < 0) return;
    Deck& d = tableau[static_cast<unsigned>(best)];
    Loc const from(Loc::TABLEAU, best, static_cast<int>(d.size() - 1));
    CardSprite* c = remove_card_from(from);
    std::vector<Loc> homes;
    if (!may_move_to_foundation(*c, &homes)) {
        d.push_back(c);  // cannot happen under may_auto_complete; the card stays
        return;
    }
    pending_score += score_if_dropped(*c, from, homes.front());
    move_to(c, from, homes.front(), false);
}
