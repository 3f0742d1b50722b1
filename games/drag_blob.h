#pragma once
// The cards the player carries: where each came from, where they may go, what each drop
// would score, which target is nearest the pointer, and when and where the cards were
// picked up (the last two times, for the double click).

#include <cstdint>
#include <vector>

#include "geom.h"
#include "loc.h"

class CardSprite;
class SolitaireRules;

class DragBlob {
public:
    // Press marks that match no real press.
    static constexpr int no_press = -9999;
    static constexpr unsigned double_click_ms = 400;
    static constexpr int double_click_dist_sqr = 50;

    explicit DragBlob(SolitaireRules* owner_ = nullptr) : owner(owner_) {}
    DragBlob(DragBlob const&) = delete;
    DragBlob& operator=(DragBlob const&) = delete;

    // Empties the cards, origins, targets and scores and clears the choice; the press
    // marks stay.
    void reset();
    void append(Loc const& origin, CardSprite* c);
    void append_target(Loc const& target, int score);
    // Remembers the previous pick-up, takes the time and the pointer's world position
    // now, and lights the carried cards.
    void initiate_drag();
    // Carries the cards by rel and lights the target nearest pos once it is near enough.
    void on_mouse_drag(E2::Vec2<int> const& pos, E2::Vec2<int> const& rel);
    // Puts the cards on `chosen`, adds the score of that target once and one move, and
    // forgets the drag and the press marks.
    void drag_drop();
    // Sends the cards back to their origins with the owner's current animation; the press
    // marks stay, so this pick-up may start a double click.
    void undrag();
    // The last two pick-ups were at most 400 ms apart and pos is within 7 pixels of the
    // first of them.
    bool is_double_click(E2::Vec2<int> const& pos) const;
    // The owner's is_proximal for the chosen target.
    bool is_proximal(E2::Vec2<int> const& pos) const;

    bool empty() const { return cards.empty(); }
    // Clears the carried cards' choice and lists, keeping the press marks.
    void clear_carry();

    SolitaireRules* owner;
    std::vector<CardSprite*> cards;  // bottom card first
    std::vector<Loc> origins;        // one per card
    std::vector<Loc> targets;        // in the order the game listed them
    std::vector<int> scores;         // one per target
    Loc chosen;
    bool chosen_glowing = false;
    E2::Vec2<int> press_pos{no_press, no_press};
    std::uint32_t press_ms = 0;
    E2::Vec2<int> prev_press_pos{no_press, no_press};
    std::uint32_t prev_press_ms = 0;
};

// Squared distance between two points.
inline int dist_sqr(E2::Vec2<int> const& a, E2::Vec2<int> const& b) {
    int dx = a.x - b.x, dy = a.y - b.y;
    return dx * dx + dy * dy;
}
