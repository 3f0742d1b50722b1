#include "tableau_support.h"

#include <algorithm>
#include <cstdio>

#include "rules_creator.h"
#include "spider.h"

namespace tableau_test {

void clear_table(SolitaireRules& g) {
    g.blob.reset();
    g.stock.clear();
    g.waste.clear();
    std::fill(g.cells.begin(), g.cells.end(), nullptr);
    for (Deck& d : g.tableau) d.clear();
    for (Deck& d : g.foundations) d.clear();
    for (CardSprite* c : g.sprites) delete c;
    g.sprites.clear();
    g.glowslots.clear();
}

CardSprite* lay(SolitaireRules& g, Loc const& where, unsigned short no, Card::Suit suit, bool face_up) {
    auto* c = new CardSprite(no, suit);
    c->set_face_up(face_up);
    g.sprites.push_back(c);
    Loc at = g.append_to_loc(c, where);
    c->set_pos(g.pos_of(at));
    return c;
}

E2::Vec2<int> on_card(SolitaireRules const& g, CardSprite const* c) {
    for (Deck const& d : g.tableau) {
        auto it = std::find(d.begin(), d.end(), c);
        if (it == d.end() || it + 1 == d.end()) continue;
        int strip = (*(it + 1))->y - c->y;
        return {c->x + 50, c->y + std::max(0, strip / 2)};
    }
    return {c->x + 50, c->y + 72};
}

void settle(SolitaireRules& g, int* score) {
    static unsigned now = 0;
    int guard = 0;
    do {
        now += 16;
        g.tick(now, 16);
        if (!score) continue;
        *score += g.pending_score;
        g.pending_score = 0;
        g.moves += g.pending_moves;
        g.pending_moves = 0;
    } while (g.has_animation() && ++guard < 100000);
}

std::string option_bytes(Player::Game_Type type) {
    auto& r = SolitaireRules::Creator::get_registry();
    auto it = r.find(type);
    if (it == r.end()) return "not registered";
    FILE* f = std::tmpfile();
    if (!f) return "no file";
    it->second->save_options(f);
    std::rewind(f);
    std::string out;
    for (int c; (c = std::fgetc(f)) != EOF;) out += static_cast<char>('0' + c);
    std::fclose(f);
    return out;
}

bool Pointer::press(E2::Vec2<int> p, unsigned gap_ms) {
    in.input.now += gap_ms;
    in.input.mouse = p;
    at = p;
    return g_.on_mouse_down(p.x, p.y);
}

bool Pointer::drop_on(Loc const& target) {
    E2::Vec2<int> to = g_.center_of(target);
    g_.on_mouse_motion(to, {to.x - at.x, to.y - at.y}, false);
    in.input.mouse = at = to;
    return g_.on_mouse_up(to.x, to.y);
}

bool Pointer::move(CardSprite const* c, Loc const& target) {
    if (!press_on(c) || !g_.in_drag()) return false;
    bool ok = std::find(g_.blob.targets.begin(), g_.blob.targets.end(), target) != g_.blob.targets.end();
    drop_on(target);
    settle(g_);
    return ok;
}

void Pointer::double_click(CardSprite const* c) {
    E2::Vec2<int> p = on_card(g_, c);
    press(p);
    g_.on_mouse_up(p.x, p.y);
    settle(g_);
    press(p, 100);
    g_.on_mouse_up(p.x, p.y);
    settle(g_);
}

int spider_points(SolitaireRules& g) {
    int runs = 0;
    for (Deck const& d : g.foundations) runs += static_cast<int>(d.size() / SpiderRules::run_length);
    return runs * SpiderRules::run_score;
}

std::string spider_check(SolitaireRules& g) {
    for (Deck const& d : g.foundations) {
        if (d.empty()) continue;
        if (d.size() != SpiderRules::run_length) return "a foundation of " + std::to_string(d.size()) + " cards";
        for (unsigned j = 0; j < SpiderRules::run_length; ++j)
            if (d[j]->no() != 13 - j || d[j]->suit() != d[0]->suit()) return "a foundation that is not one run";
    }
    if (g.stock.size() % SpiderRules::piles) return "a stock of " + std::to_string(g.stock.size()) + " cards";
    return "";
}

std::vector<CardSprite*> gather(SolitaireRules& g) {
    std::vector<CardSprite*> all;
    auto take = [&all](Deck& d) {
        all.insert(all.end(), d.begin(), d.end());
        d.clear();
    };
    take(g.stock);
    take(g.waste);
    for (CardSprite*& c : g.cells) {
        if (c) all.push_back(c);
        c = nullptr;
    }
    for (Deck& d : g.tableau) take(d);
    for (Deck& d : g.foundations) take(d);
    return all;
}

std::vector<std::vector<CardSprite*>> take_whole_runs(CardsByValue& by_value) {
    std::vector<std::vector<CardSprite*>> runs;
    for (int set = 0; runs.size() < 8 && set < 16; ++set) {
        int const suit = 1 + set % 4;
        bool whole = true;
        for (int no = 1; no <= 13; ++no) whole = whole && !by_value[{suit, no}].empty();
        if (!whole) continue;
        std::vector<CardSprite*> run;
        for (int no = 1; no <= 13; ++no) {
            run.push_back(by_value[{suit, no}].back());
            by_value[{suit, no}].pop_back();
        }
        runs.push_back(run);
    }
    return runs;
}

}  // namespace tableau_test
