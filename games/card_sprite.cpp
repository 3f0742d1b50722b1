#include "card_sprite.h"

#include "blit_job_manager.h"
#include "loader.h"
#include "player.h"
#include "screen_hacks.h"

std::map<unsigned, Surf*> CardSprite::_surfs;

namespace {

char const* const cards_dir = ".i/game/cards/";

}  // namespace

std::string CardSprite::face_name(unsigned short no, Card::Suit suit) {
    static char const letters[] = {'?', 'c', 'd', 'h', 's'};
    char letter = suit < 5 ? letters[suit] : '?';
    return std::string(cards_dir) + letter + std::to_string(no - 1) + ".png";
}

std::string CardSprite::back_name(unsigned n) { return std::string(cards_dir) + "back" + std::to_string(n) + ".png"; }

std::string CardSprite::glow_name() { return std::string(cards_dir) + "glow.png"; }

void CardSprite::schedule_surface(Loader* l) {
    for (unsigned k = 0; k < key_count; ++k) _surfs[k] = nullptr;
    for (unsigned short no = 1; no <= 13; ++no) {
        for (unsigned s = CLUBS; s <= SPADES; ++s) {
            Suit suit = static_cast<Suit>(s);
            _surfs[face_key(no, suit)] = l->schedule_surface(face_name(no, suit));
        }
    }
    _surfs[glow_key] = l->schedule_surface(glow_name());
    for (unsigned n = 0; n < back_count; ++n) _surfs[back_key(n)] = l->schedule_surface(back_name(n));
}

CardSprite::CardSprite() { load(); }

CardSprite::CardSprite(unsigned short no_, Card::Suit suit_) : Card(no_, suit_) { load(); }

void CardSprite::tick(unsigned now, unsigned dt) { Sprite::tick(now, dt); }

void CardSprite::display(SDL_Surface* s) const {
    Sprite::display(s);
    display_glow(s);
}

void CardSprite::display_glow(SDL_Surface*) const {
    if (!glow || !Surf::ok(glow_surf)) return;
    E2::Vec2<int> at = ScreenHacks::world_to_screen_pos({static_cast<Sint16>(x - 4), static_cast<Sint16>(y - 4)});
    bjmgr.insert(BlitJob(E2::op_blit, E2::blend_alpha, glow_surf, E2::Rect<int>(at.x, at.y, 0, 0),
                         E2::Color(0x000000FFu), 255));
}

void CardSprite::load() {
    if (!back) back = _surfs[back_key(Player::cur()->card_back)];
    if (!glow_surf) glow_surf = _surfs[glow_key];
    if (!face) face = _surfs[face_key(no(), suit())];
    for (Surf* image : {back, glow_surf, face})
        if (image) image->load();
    surface = face_up ? face : back;
    Sprite::load();
}

Card::Suit CardSprite::suit() const { return Card::suit(); }

unsigned short CardSprite::no() const { return Card::no(); }

void CardSprite::suit(Card::Suit s) {
    Card::suit(s);
    face = nullptr;
    load();
}

void CardSprite::no(unsigned short n) {
    Card::no(n);
    face = nullptr;
    load();
}

void CardSprite::set_face_up(bool up) {
    face_up = up;
    surface = face_up ? face : back;
}
