#include "rules_support.h"

#include <unistd.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <memory>

#include "options_popup.h"
#include "surf.h"

namespace rules_test {

void LooseFiles::SetUp() {
    char cwd[PATH_MAX];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    old_cwd_ = cwd;
    ASSERT_EQ(chdir(dir_.path().c_str()), 0);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
    ASSERT_NE(SDL_SetVideoMode(1024, 768, 32, SDL_SWSURFACE), nullptr);
}

void LooseFiles::TearDown() {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    EXPECT_EQ(chdir(old_cwd_.c_str()), 0);
}

void LooseFiles::blank(std::string const& name) {
    std::filesystem::create_directories(std::filesystem::path(name).parent_path());
    std::ofstream(name, std::ios::binary).put('\0');
}

void LooseFiles::image(std::string const& name, int w, int h) {
    std::filesystem::create_directories(std::filesystem::path(name).parent_path());
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xFF0000u, 0xFF00u, 0xFFu, 0);
    ASSERT_EQ(SDL_SaveBMP(s, name.c_str()), 0);
    SDL_FreeSurface(s);
}

void install_card_images() {
    static std::vector<Surf*>* images = nullptr;
    if (!images) {
        images = new std::vector<Surf*>;
        for (unsigned k = 0; k < CardSprite::key_count; ++k) {
            SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0xFF000000u, 0x00FF0000u, 0x0000FF00u,
                                                  0x000000FFu);
            auto* surf = new Surf("card image " + std::to_string(k), s);
            surf->set_world_wh(k == CardSprite::glow_key ? E2::Vec2<int>(107, 152) : E2::Vec2<int>(99, 144));
            images->push_back(surf);
        }
    }
    for (unsigned k = 0; k < CardSprite::key_count; ++k) CardSprite::_surfs[k] = k < 14 ? nullptr : (*images)[k];
}

TestGame::TestGame() {
    tableau.resize(tableau_piles);
    foundations.resize(foundation_piles);
    cells.resize(2, nullptr);
}

SolitaireRules::OptionsPopup* TestGame::options_popup() {
    auto* p = new OptionsPopup(*this);
    for (size_t i = 0; i < options.size(); ++i)
        p->add_cb(OptionsPopup::box_pos(static_cast<unsigned>(i)), OptionsPopup::box_area(), options[i]);
    return p;
}

void TestGame::notify_options_changed(std::vector<bool> const& values) {
    notified.push_back(values);
    options = values;
    if (store_options) store_options(values);
}

void TestGame::deal() {
    Deck::append_std_deck52(sprites);
    Deck work = sprites;
    work.shuffle();
    for (CardSprite* c : work) c->set_pos(deal_start());
    anim = AnimProfile(AnimProfile::DEAL, 0, 0);
    for (unsigned p = 0; p < tableau_piles; ++p) {
        CardSprite* c = work.back();
        work.pop_back();
        c->set_face_up(true);
        move_to(c, Loc(), Loc(Loc::TABLEAU, static_cast<int>(p), 0), true);
    }
    anim.style = AnimProfile::DEAL_TO_STOCK;
    while (!work.empty()) {
        move_to(work.back(), Loc(), Loc(Loc::STOCK, 0, 0), true);
        work.pop_back();
    }
}

bool TestGame::on_mouse_down(int x, int y) {
    blob.reset();
    if (!stock.empty() && stock.back()->is_inside(x, y)) {
        perform_basic_action();
        return true;
    }
    if (!waste.empty() && waste.back()->is_inside(x, y)) {
        blob.append(Loc(Loc::WASTE, static_cast<int>(waste.size() - 1), 0), waste.back());
        waste.pop_back();
    }
    for (unsigned f = 0; blob.empty() && f < foundation_piles; ++f) {
        Deck& d = foundations[f];
        if (!d.empty() && d.back()->is_inside(x, y)) {
            blob.append(Loc(Loc::FOUNDATION, static_cast<int>(f), static_cast<int>(d.size() - 1)), d.back());
            d.pop_back();
        }
    }
    for (unsigned p = 0; blob.empty() && p < tableau_piles; ++p) {
        Deck& d = tableau[p];
        for (size_t i = d.size(); i-- > 0 && d[i]->face_up;) {
            if (d[i]->is_inside(x, y)) {
                carry_from_tableau(p, static_cast<unsigned>(i));
                break;
            }
        }
    }
    return start_carrying();
}

E2::Vec2<int> TestGame::pos_of(Loc const& l) const {
    switch (l.kind) {
        case Loc::TABLEAU: return {100 + 200 * l.pile, 300 + 30 * l.index};
        case Loc::FOUNDATION: return {600 + 150 * l.pile, 50};
        case Loc::STOCK: return {50, 50};
        case Loc::WASTE: return {200, 50};
        case Loc::CELLS: return {100 + 150 * l.pile, 600};
        default: return {0, 0};
    }
}

Loc TestGame::back_of(Loc const& l) const {
    auto top_of = [&l](size_t size) { return size ? static_cast<int>(size) - 1 : 0; };
    switch (l.kind) {
        case Loc::TABLEAU: return Loc(l.kind, l.pile, top_of(tableau[static_cast<size_t>(l.pile)].size()));
        case Loc::FOUNDATION: return Loc(l.kind, l.pile, top_of(foundations[static_cast<size_t>(l.pile)].size()));
        case Loc::STOCK: return Loc(l.kind, top_of(stock.size()), 0);
        case Loc::WASTE: return Loc(l.kind, top_of(waste.size()), 0);
        default: return Loc();
    }
}

Loc TestGame::top(std::int32_t kind, int pile) { return back_of(Loc(kind, pile, 0)); }

void TestGame::identify_drag_targets(CardSprite const& c, Loc const& origin) {
    if (targets_rule) {
        targets_rule(*this, c, origin);
        return;
    }
    for (unsigned t = 0; t < tableau_piles; ++t) {
        if (origin.kind == Loc::TABLEAU && origin.pile == static_cast<int>(t)) continue;
        Loc place = top(Loc::TABLEAU, static_cast<int>(t));
        blob.append_target(place, score_if_dropped(c, origin, place));
    }
    if (blob.cards.size() != 1) return;
    for (unsigned f = 0; f < foundation_piles; ++f) {
        if (origin.kind == Loc::FOUNDATION && origin.pile == static_cast<int>(f)) continue;
        Loc place = top(Loc::FOUNDATION, static_cast<int>(f));
        blob.append_target(place, score_if_dropped(c, origin, place));
    }
}

void TestGame::flip_tableau() {
    anim.start = anim.end;
    for (unsigned p = 0; p < tableau_piles; ++p) {
        Deck& d = tableau[p];
        if (!d.empty() && !d.back()->face_up)
            flip_at(d.back(), Loc(Loc::TABLEAU, static_cast<int>(p), static_cast<int>(d.size() - 1)), false);
    }
}

CardSprite* TestGame::put(Loc const& where, unsigned short no, Card::Suit suit, bool face_up) {
    auto* c = new CardSprite(no, suit);
    c->set_face_up(face_up);
    sprites.push_back(c);
    Loc at = append_to_loc(c, where);
    c->set_pos(pos_of(at));
    return c;
}

ScopedCreator::ScopedCreator(SolitaireRules::Creator* c) : type_(c->game_type()) {
    auto& r = SolitaireRules::Creator::get_registry();
    auto it = r.find(type_);
    if (it != r.end()) {
        had_ = true;
        old_ = it->second;
    }
    SolitaireRules::Creator::register_creator(c);
}

ScopedCreator::~ScopedCreator() {
    auto& r = SolitaireRules::Creator::get_registry();
    if (had_)
        r[type_] = old_;
    else
        r.erase(type_);
}

int run_animations(SolitaireRules& g, unsigned dt, int limit) {
    int n = 0;
    unsigned now = 0;
    while (g.has_animation() && n < limit) {
        now += dt;
        g.tick(now, dt);
        ++n;
    }
    return n;
}

std::string pile_text(Deck const& d) {
    static char const suits[] = "?cdhs";
    std::string out;
    for (CardSprite const* c : d) {
        if (!out.empty()) out += ' ';
        out += c ? std::to_string(c->no()) + suits[c->suit() < 5 ? c->suit() : 0] : "null";
    }
    return out;
}

}  // namespace rules_test
