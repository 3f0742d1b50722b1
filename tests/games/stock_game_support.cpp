#include "stock_game_support.h"

#include "card_sprite.h"

namespace rules_test {

CardSprite* place(SolitaireRules& g, Loc const& where, unsigned short no, Card::Suit suit, bool face_up) {
    auto* c = new CardSprite(no, suit);
    c->set_face_up(face_up);
    g.sprites.push_back(c);
    c->set_pos(g.pos_of(g.append_to_loc(c, where)));
    return c;
}

E2::Vec2<int> centre(SolitaireRules& g, Loc const& l) {
    CardSprite* c = g.card_at(l);
    return c ? E2::Vec2<int>(c->x + 49, c->y + 72) : g.center_of(l);
}

bool Hand::press(E2::Vec2<int> p, unsigned gap_ms) {
    in.input.now += gap_ms;
    in.input.mouse = p;
    at = p;
    return g_.on_mouse_down(p.x, p.y);
}

void Hand::carry(E2::Vec2<int> to) {
    g_.on_mouse_motion(to, {to.x - at.x, to.y - at.y}, false);
    at = to;
}

bool Hand::release() { return g_.on_mouse_up(at.x, at.y); }

bool Hand::click(E2::Vec2<int> p, unsigned gap_ms) {
    bool took = press(p, gap_ms);
    release();
    run_animations(g_);
    return took;
}

void play_onto_discard(SolitaireRules& g, Loc const& l, bool single_click) {
    E2::Vec2<int> const a = centre(g, l);
    if (auto* in = dynamic_cast<FakeInput*>(&rules_input())) in->mouse = a;
    g.on_mouse_down(a.x, a.y);
    E2::Vec2<int> const b = single_click ? a : g.center_of(g.back_of(Loc(Loc::FOUNDATION, 0, 0)));
    g.on_mouse_motion(b, {b.x - a.x, b.y - a.y}, false);
    g.on_mouse_up(b.x, b.y);
}

void lost_release(SolitaireRules& g, Loc const& a, Loc const& b) {
    E2::Vec2<int> const pa = centre(g, a), pb = centre(g, b);
    auto* in = dynamic_cast<FakeInput*>(&rules_input());
    if (in) in->mouse = pa;
    g.on_mouse_down(pa.x, pa.y);
    if (in) in->mouse = pb;
    g.on_mouse_down(pb.x, pb.y);
    g.on_mouse_up(pb.x, pb.y);
}

}  // namespace rules_test
