#pragma once
// A card on the table: a sprite that shows its face or its back and can glow. Its three
// images come from one cache shared by all card sprites and belong to the loader.

#include <map>
#include <string>

#include "card.h"
#include "sprite.h"

class Loader;

class CardSprite : public Sprite, public Card {
public:
    // Cache keys: faces no + 13 * suit (14 to 65), the glow, backs 67 + n.
    static constexpr unsigned glow_key = 66;
    static constexpr unsigned back_key0 = 67;
    static constexpr unsigned back_count = 16;
    static constexpr unsigned key_count = back_key0 + back_count;  // 83

    static unsigned face_key(unsigned short no, Card::Suit suit) { return no + 13u * suit; }
    static unsigned back_key(unsigned n) { return back_key0 + n; }
    // ".i/game/cards/c0.png" for the Ace of clubs ... "s12.png" for the King of spades.
    static std::string face_name(unsigned short no, Card::Suit suit);
    static std::string back_name(unsigned n);
    static std::string glow_name();

    // Clears every key, then schedules the 52 faces, the glow and the 16 backs.
    static void schedule_surface(Loader* l);

    // Face down, not glowing; takes its images from the cache.
    CardSprite();
    CardSprite(unsigned short no, Card::Suit suit);

    void tick(unsigned now, unsigned dt) override;
    // The card, then its glow.
    void display(SDL_Surface* s) const override;
    using Sprite::load;
    // Fetches each missing image from the cache (the back of the current player's card
    // back), loads it at once and shows the side that is up.
    void load() override;
    // The glow image 4 pixels up and left of the card, while glow is set.
    virtual void display_glow(SDL_Surface* s) const;

    Card::Suit suit() const override;
    unsigned short no() const override;
    // Sets the value and fetches the new face.
    void suit(Card::Suit s) override;
    void no(unsigned short n) override;

    // Turns the card over and shows the new side.
    void flip() { set_face_up(!face_up); }
    void set_face_up(bool up);

    Surf* back = nullptr;       // not owned
    Surf* face = nullptr;       // not owned
    Surf* glow_surf = nullptr;  // not owned
    bool face_up = false;
    bool glow = false;

    // The image cache; a key looked up that is absent holds a null image.
    static std::map<unsigned, Surf*> _surfs;
};

// A marker that lights an empty place: only its glow is drawn.
class CardGlowSprite : public CardSprite {
public:
    void display(SDL_Surface* s) const override { display_glow(s); }
};
