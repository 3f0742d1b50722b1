#include "solitaire_rules.h"

#include <algorithm>

#include "card_sprite.h"
#include "loader_global.h"
#include "undo.h"

SolitaireRules::SolitaireRules() : blob(this) {}

SolitaireRules::~SolitaireRules() {
    for (CardSprite* c : sprites) delete c;
    for (UndoMove* m : undo_stack) delete m;
    for (Sprite* s : overlays) delete s;
}

void SolitaireRules::tick(unsigned now, unsigned dt) {
    bool was_animating = has_animation();
    for (CardSprite* c : sprites)
        if (c) c->tick(now, dt);
    for (Sprite* s : overlays)
        if (s) s->tick(now, dt);
    bottombar.tick(now, dt);
    title.tick(now, dt);
    if (was_animating && !has_animation()) reposition_everything();
    if (!has_animation() && may_auto_complete()) auto_complete();
}

void SolitaireRules::display(SDL_Surface* s) const {
    display_bg_stuff(s);
    display_cards(s);
}

bool SolitaireRules::proc_event(SDL_Event* e) {
    for (CardSprite* c : sprites)
        if (c) c->proc_event(e);
    return false;
}

void SolitaireRules::load() {
    for (CardSprite* c : sprites)
        if (c) c->load();
    for (Sprite* s : overlays)
        if (s) s->load();
    bottombar.surface = loader.get_surface(".i/game/o/overlay_bottombar.png");
    bottombar.set_pos(0, 733);
    bottombar.Sprite::load();
    title.surface = loader.get_surface(".i/game/o/overlay_title_" + namecode() + ".png");
    title.set_pos(892, 733);
    title.Sprite::load();
}

bool SolitaireRules::in_drag() const { return !blob.cards.empty(); }

bool SolitaireRules::in_play() const { return Player::cur()->in_progress || has_animation(); }

bool SolitaireRules::has_animation() const {
    return std::any_of(sprites.begin(), sprites.end(), [](CardSprite const* c) { return c && !c->effectors().empty(); });
}

E2::Vec2<int> SolitaireRules::center_of(Loc const& l) const {
    E2::Vec2<int> p = pos_of(l), size = card_size();
    return {p.x + size.x / 2, p.y + size.y / 2};
}

E2::Vec2<int> SolitaireRules::card_size() const { return {99, 144}; }

bool SolitaireRules::tableau_is_empty() const {
    return std::all_of(tableau.begin(), tableau.end(), [](Deck const& d) { return d.empty(); });
}

bool SolitaireRules::foundation_contains_all_cards() const {
    if (in_drag() || has_animation()) return false;
    if (!stock.empty() || !waste.empty()) return false;
    if (std::any_of(cells.begin(), cells.end(), [](CardSprite const* c) { return c != nullptr; })) return false;
    return tableau_is_empty();
}

void SolitaireRules::cheat_near_win() {
    if (foundations.empty()) return;
    std::vector<CardSprite*> all;
    auto take_all = [&all](Deck& d) {
        for (CardSprite* c : d)
            if (c) all.push_back(c);
        d.clear();
    };
    take_all(stock);
    take_all(waste);
    for (CardSprite*& c : cells) {
        if (c) all.push_back(c);
        c = nullptr;
    }
    for (Deck& d : tableau) take_all(d);
    for (Deck& d : foundations) take_all(d);
    std::sort(all.begin(), all.end(), Card::Comparator());
    for (size_t i = 0; i < all.size(); ++i) {
        CardSprite* c = all[i];
        c->set_face_up(true);
        bool last_of_suit = i + 1 == all.size() || all[i + 1]->suit() != c->suit();
        unsigned s = c->suit() ? c->suit() - 1u : 0u;
        if (last_of_suit && !tableau.empty())
            tableau[s % tableau.size()].push_back(c);
        else
            foundations[s % foundations.size()].push_back(c);
    }
    reposition_everything();
}

bool SolitaireRules::may_auto_complete() const { return false; }

void SolitaireRules::auto_complete() {}

void SolitaireRules::display_bg_stuff(SDL_Surface* s) const {
    for (Sprite const* o : overlays)
        if (o) o->display(s);
    bottombar.display(s);
    title.display(s);
}

void SolitaireRules::display_cards(SDL_Surface* s) const {
    unsigned const nt = std::min<unsigned>(max_tableau(), static_cast<unsigned>(tableau.size()));
    unsigned const nf = std::min<unsigned>(max_foundation(), static_cast<unsigned>(foundations.size()));
    for (bool moving : {false, true}) {
        auto draw = [s, moving](CardSprite const* c) {
            if (c && c->effectors().empty() != moving) c->display(s);
        };
        for (CardSprite const* c : stock) draw(c);
        for (CardSprite const* c : waste) draw(c);
        for (CardSprite const* c : cells) draw(c);
        for (unsigned p = 0; p < nt; ++p)
            for (CardSprite const* c : tableau[p]) draw(c);
        for (unsigned f = 0; f < nf; ++f)
            for (CardSprite const* c : foundations[f]) draw(c);
        if (!moving)
            for (CardSprite const* g : glowslots) draw(g);
        for (CardSprite const* c : blob.cards) draw(c);
    }
}
