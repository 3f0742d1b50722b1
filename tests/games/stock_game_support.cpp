#include "stock_game_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <set>

#include "card_sprite.h"
#include "tripeaks.h"

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

namespace {

// The stock face down, the discard pile face up.
std::string stock_and_discard_faces(SolitaireRules& g) {
    for (CardSprite const* c : g.stock)
        if (c->face_up) return "a face-up card in the stock";
    for (CardSprite const* c : g.foundations[0])
        if (!c->face_up) return "a face-down card on the discard pile";
    return "";
}

Loc any_of(std::vector<Loc> const& v) { return v[static_cast<size_t>(std::rand()) % v.size()]; }

}  // namespace

std::string peak_faces(SolitaireRules& s) {
    auto& g = static_cast<TriPeaksRules&>(s);
    std::string const ends = stock_and_discard_faces(g);
    if (!ends.empty()) return ends;
    for (unsigned i = 0; i < TriPeaksRules::pile_count; ++i) {
        Deck const& d = g.tableau[i];
        if (d.size() > 1) return "pile " + std::to_string(i) + " holds " + std::to_string(d.size()) + " cards";
        if (!d.empty() && d[0]->face_up != g.t_is_exposed(i))
            return "pile " + std::to_string(i) + (d[0]->face_up ? " is face up though covered" : " is face down though exposed");
    }
    return "";
}

std::string golf_faces(SolitaireRules& g) {
    std::string const ends = stock_and_discard_faces(g);
    if (!ends.empty()) return ends;
    for (size_t p = 0; p < g.tableau.size(); ++p)
        for (CardSprite const* c : g.tableau[p])
            if (!c->face_up) return "a face-down card on pile " + std::to_string(p);
    return "";
}

void score_dealt_cards(RandomPlayConfig& cfg) {
    auto dealt = std::make_shared<std::set<CardSprite const*>>();
    cfg.setup = [dealt](SolitaireRules& s, unsigned) {
        for (Deck const& d : s.tableau) dealt->insert(d.begin(), d.end());
    };
    cfg.expected_score = [dealt](SolitaireRules& s) {
        int sum = 0;
        for (CardSprite const* c : s.foundations[0])
            if (dealt->count(c)) sum += 11 * c->no();
        return sum;
    };
}

RandomPlayConfig discard_play_config(std::function<std::string(SolitaireRules&)> faces,
                                     std::function<std::vector<Loc>(SolitaireRules&, bool)> tops, bool single_click) {
    RandomPlayConfig cfg;
    cfg.face_check = std::move(faces);
    cfg.actions = 250;
    cfg.w_undo = 6;
    cfg.w_basic = 4;
    score_dealt_cards(cfg);
    cfg.extra_actions.push_back({"lost release", [tops](SolitaireRules& s) {
                                     std::vector<Loc> t = tops(s, false);
                                     if (!t.empty()) lost_release(s, any_of(t), any_of(t));
                                 }});
    cfg.extra_actions.push_back({"a playable card", [tops, single_click](SolitaireRules& s) {
                                     std::vector<Loc> t = tops(s, true);
                                     if (!t.empty()) play_onto_discard(s, any_of(t), single_click);
                                 }});
    cfg.w_extra = 40;
    // A press and release on the spot plays the card at once: no second click to make.
    if (single_click) cfg.w_double_click = 0;
    return cfg;
}

void DiscardPlayTotals::add(RandomPlayResult const& r) {
    drops += r.drops;
    turns += r.stock_actions;
    undos += r.undos;
    doubles += r.double_clicks;
}

void DiscardPlayTotals::expect_reached(int games) const {
    EXPECT_GT(drops, games);
    EXPECT_GT(turns, games);
    EXPECT_GT(undos, games);
    EXPECT_GT(doubles, 0);
}

}  // namespace rules_test
