#include "test_hooks.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "card_sprite.h"
#include "play_screen.h"
#include "rule_options.h"

namespace test_hooks {

namespace {

unsigned deals = 0;
unsigned reports = 0;

void cards_of(std::ostringstream& out, char const* kind, int pile, Deck const& d) {
    for (size_t i = 0; i < d.size(); ++i) {
        CardSprite const* c = d[i];
        out << "card " << kind << ' ' << pile << ' ' << i << ' ' << c->no() << ' ' << int(c->suit()) << ' '
            << (c->face_up ? 1 : 0) << ' ' << c->x << ' ' << c->y << '\n';
    }
}

void write_board(PlayScreen const& screen) {
    std::string const path = folder() + "/board.txt", tmp = path + ".tmp";
    if (FILE* f = std::fopen(tmp.c_str(), "w")) {
        std::string const text = board_text(screen);
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
        std::rename(tmp.c_str(), path.c_str());
    }
}

}  // namespace

void before_deal() {
    if (!folder().empty()) std::srand(++deals);
}

bool on_event(SDL_Event const* e, PlayScreen& screen) {
    if (folder().empty() || !e || (e->type != SDL_KEYDOWN && e->type != SDL_KEYUP)) return false;
    SDLKey const k = e->key.keysym.sym;
    if (k != SDLK_F11 && k != SDLK_F12) return false;
    // The release is swallowed too: it would close the won dialog.
    if (e->type == SDL_KEYUP) return true;
    if (k == SDLK_F11)
        write_board(screen);
    else if (SolitaireRules* r = screen.rules())
        r->cheat_near_win();
    return true;
}

std::string board_text(PlayScreen const& screen) {
    std::ostringstream out;
    SolitaireRules const* r = screen.rules();
    Player const* p = Player::cur();
    out << "report " << ++reports << " score " << p->score << " moves " << (r ? r->moves : 0) << " animating "
        << (r && r->has_animation() ? 1 : 0) << " undo " << (r && !r->undo_stack.empty() ? 1 : 0)
        << " in_progress " << (p->in_progress ? 1 : 0) << " won_dialog " << (screen.won.shown ? 1 : 0)
        << " counting " << (screen.score.pending != 0 ? 1 : 0) << " popup " << (screen.has_dlg() ? 1 : 0)
        << " draw_one " << KlondikeOptions::opt_flip_1 << '\n';
    if (!r) return out.str();
    cards_of(out, "stock", 0, r->stock);
    cards_of(out, "waste", 0, r->waste);
    for (size_t t = 0; t < r->tableau.size(); ++t) cards_of(out, "tableau", static_cast<int>(t), r->tableau[t]);
    for (size_t f = 0; f < r->foundations.size(); ++f)
        cards_of(out, "foundation", static_cast<int>(f), r->foundations[f]);
    return out.str();
}

}  // namespace test_hooks
