// The deal, the stock, the fanned waste and the reset.

#include <algorithm>

#include "card_sprite.h"
#include "klondike.h"
#include "sprite_effectors.h"

namespace {

// Where a sprite will stand once its pending move has run: the target of the move that
// is still to finish, else its position.
bool move_target(SpriteEffector const* e, E2::Vec2<int>& out) {
    if (e->is_done()) return false;
    if (auto const* m = dynamic_cast<MoveToEffector const*>(e)) {
        out = m->target;
        return true;
    }
    if (auto const* chain = dynamic_cast<ChainedEffector const*>(e)) {
        bool found = false;
        for (SpriteEffector const* member : chain->members()) found = move_target(member, out) || found;
        return found;
    }
    return false;
}

E2::Vec2<int> destination(Sprite const& s) {
    E2::Vec2<int> out = s.pos();
    for (SpriteEffector const* e : s.effectors()) move_target(e, out);
    return out;
}

}  // namespace

void UndoNRedeals::operator()() {
    if (owner && owner->redeals > 0) --owner->redeals;
}

void KlondikeRules::deal() {
    Deck::append_std_deck52(sprites);
    Deck work(sprites);
    work.shuffle();
    for (CardSprite* c : work) {
        c->set_face_up(false);
        c->set_pos(deal_start());
    }
    anim = AnimProfile(AnimProfile::DEAL, 0, 0);
    for (unsigned r = 0; r < piles; ++r) {
        for (unsigned p = r; p < piles; ++p) {
            CardSprite* c = work.back();
            work.pop_back();
            if (p == r) c->set_face_up(true);
            move_to(c, Loc(), Loc(Loc::TABLEAU, static_cast<int>(p), 0), true);
        }
    }
    anim.style = AnimProfile::DEAL_TO_STOCK;
    while (!work.empty()) {
        CardSprite* c = work.back();
        work.pop_back();
        move_to(c, Loc(), Loc(Loc::STOCK, 0, 0), true);
    }
}

void KlondikeRules::deal_from_stock() {
    if (stock.empty()) return;
    anim = AnimProfile(AnimProfile::DRAW, 0, 0);
    unsigned const k = std::min<unsigned>(static_cast<unsigned>(stock.size()), opt_flip_1 ? 1u : 3u);
    // Room in the fan: the second card from the top to the first slot, the top card
    // where the new ones leave space.
    if (waste.size() >= 2) {
        animate_to(waste[waste.size() - 2], waste_slot(0), false);
        ++anim;
    }
    if (!waste.empty()) {
        animate_to(waste.back(), waste_slot(k >= 2 ? 0 : 2 - k), false);
        ++anim;
    }
    initiate_move_sequence();
    for (unsigned j = 0; j < k; ++j) {
        CardSprite* c = stock.back();
        stock.pop_back();
        waste.push_back(c);
        Loc const to(Loc::WASTE, static_cast<int>(waste.size() - 1), 0);
        animate_to(c, waste_slot(3 - k + j), true);
        report_move_step(Loc(Loc::STOCK, static_cast<int>(stock.size()), 0), to);
        flip_at(c, to, false);
        ++anim;
    }
    finalize_move_sequence();
    pending_moves += 1;
}

void KlondikeRules::reposition_waste() {
    for (size_t i = 0; i < waste.size(); ++i) {
        CardSprite* c = waste[i];
        if (!c) continue;
        E2::Vec2<int> const at = pos_of(Loc(Loc::WASTE, static_cast<int>(i), 0));
        if (destination(*c) != at) animate_to(c, at, false);
    }
}

bool KlondikeRules::reset_available() const {
    return in_play() && stock.empty() && !waste.empty() && (opt_unlimited_redeals || redeals <= 1);
}

bool KlondikeRules::on_click(ButtonSprite* b) {
    if (b != &reset_button) return false;
    // The carried card's place in the waste must stay where it was taken from.
    if (!reset_available() || in_drag()) return true;
    initiate_move_sequence();
    anim = AnimProfile(AnimProfile::DEAL, 0, 0);
    // Face down in the flag too: undo turns the cards by inverting it.
    for (size_t i = 0; i < waste.size(); ++i) {
        waste[i]->set_face_up(false);
        report_flip_step(Loc(Loc::WASTE, static_cast<int>(i), 0));
    }
    // The waste's top card becomes the stock's bottom card: the draws come again in order.
    while (!waste.empty()) {
        CardSprite* c = waste.back();
        waste.pop_back();
        move_to(c, Loc(Loc::WASTE, static_cast<int>(waste.size()), 0), Loc(Loc::STOCK, static_cast<int>(stock.size()), 0),
                false);
    }
    ++redeals;
    if (!undo_stack.empty()) undo_stack.back()->add_special(new UndoNRedeals(this));
    finalize_move_sequence();
    return true;
}
