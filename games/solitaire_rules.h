#pragma once
// The rules object of one game in progress: it owns the cards and keeps them in piles,
// knows where each place lies through the game's pos_of, moves and turns cards in
// staggered animation batches, takes the mouse for drag and drop, records undo entries,
// and collects score and move changes for the play screen. Each game is a subclass.

#include <SDL/SDL.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "anim_profile.h"
#include "deck.h"
#include "drag_blob.h"
#include "geom.h"
#include "loc.h"
#include "player.h"
#include "sprite.h"

class CardSprite;
class UndoMove;

// A place choice ordered by its first number.
struct CardPosOpt {
    int pos = 0;
    int opt = 0;
    bool operator<(CardPosOpt const& o) const { return pos < o.pos; }
};

class SolitaireRules {
public:
    class Creator;       // rules_creator.h
    class OptionsPopup;  // options_popup.h

    static constexpr int proximity = 384;      // pixels: the farthest a target may light
    static constexpr int press_distance = 32;  // pixels the pointer travels before any target lights
    static E2::Vec2<int> deal_start() { return {(99 + 1024) / 2, 768}; }

    // A new rules object of the type's registered game (the caller owns it), or null when
    // no game of that type is registered.
    static SolitaireRules* create(Player::Game_Type type);
    // Every game's option section, in game-type order.
    static void save_options(FILE* f);
    static void read_options(FILE* f);

    SolitaireRules();
    // Deletes every sprite, every undo entry and every overlay.
    virtual ~SolitaireRules();
    SolitaireRules(SolitaireRules const&) = delete;
    SolitaireRules& operator=(SolitaireRules const&) = delete;

    // The game's short name, used in image names.
    virtual std::string namecode() const = 0;
    // A new popup with the game's options (the caller owns it).
    virtual OptionsPopup* options_popup() = 0;
    // The popup's check-box values, in box order.
    virtual void notify_options_changed(std::vector<bool> const& values) = 0;
    // Creates, shuffles and deals the cards.
    virtual void deal() = 0;
    // The stock action (Space key, stock click).
    virtual void perform_basic_action() = 0;
    // Plays the carried cards to the first foundation target, else the chosen or first target.
    virtual void perform_double_click_action();
    virtual int proximity_dist_sqr() const;
    // The pointer has left the pick-up point by more than 32 pixels and is within 384
    // pixels of the target's centre.
    virtual bool is_proximal(E2::Vec2<int> const& pos, Loc const& target) const;
    // Ticks every sprite; repositions the cards once a batch has ended, then runs the
    // automatic finish.
    virtual void tick(unsigned now, unsigned dt);
    virtual void display(SDL_Surface* s) const;
    // Offers the event to every card sprite; false.
    virtual bool proc_event(SDL_Event* e);
    // Picks up cards at a world point (see DragBlob); true when something happened.
    virtual bool on_mouse_down(int x, int y) = 0;
    // Carries the cards while a button is held; false.
    virtual bool on_mouse_motion(E2::Vec2<int> const& pos, E2::Vec2<int> const& rel, bool no_button);
    // Drops, plays a double click or sends the cards back; false when nothing is carried.
    virtual bool on_mouse_up(int x, int y);
    // Loads the cards, the overlays, the bottom bar and the title.
    virtual void load();
    virtual bool in_drag() const;
    // The game is in progress or a card is still moving.
    virtual bool in_play() const;
    virtual bool has_animation() const;
    virtual bool is_won() const = 0;
    // World position of a card's top-left corner at that place.
    virtual E2::Vec2<int> pos_of(Loc const& l) const = 0;
    // The place of the top card of the pile that l names.
    virtual Loc back_of(Loc const& l) const = 0;
    virtual E2::Vec2<int> center_of(Loc const& l) const;
    // Takes the card at l out of its pile; null for NONE or a place beyond the pile's end.
    virtual CardSprite* remove_card_from(Loc const& l);
    // The card at l; null for NONE or a place beyond the pile's end.
    virtual CardSprite* card_at(Loc const& l);
    // Puts the card on `to`, animates it to its position, records the move while a
    // sequence is open and advances the batch. A null card is skipped.
    virtual void move_to(CardSprite* c, Loc const& from, Loc const& to, bool sound);
    // Turns the card where it lies, records it and advances the batch. A null card is skipped.
    virtual void flip_at(CardSprite* c, Loc const& l, bool sound);
    virtual void animate_to(CardSprite* c, E2::Vec2<int> const& target, bool sound);
    virtual void animate_flip(CardSprite* c, bool sound);
    // Stores the card at the place `to` names and returns where it now lies. A place that
    // cannot take it (NONE, a pile that does not exist, an occupied cell) stores nothing
    // and gives NONE, or `to` itself for NONE.
    virtual Loc append_to_loc(CardSprite* c, Loc const& to);
    // Lists the legal drop places of the carried cards with their scores.
    virtual void identify_drag_targets(CardSprite const& c, Loc const& origin) = 0;
    // The target nearest pos; the first listed of equally near ones; NONE without targets.
    virtual Loc closest_target(E2::Vec2<int> const& pos) const;
    // Clears the glow of every card and glow sprite.
    virtual void cancel_glow();
    // Lights the card at l, or a glow sprite at an empty place.
    virtual void set_glow(Loc const& l);
    // Sends the carried cards back.
    virtual void undrag();
    // Drops the carried cards on the chosen target as one recorded, scored move.
    virtual void drag_drop();
    // Turns up the tableau's exposed face-down cards.
    virtual void flip_tableau() = 0;
    virtual bool may_undo();
    // Takes back the last recorded action as an animation.
    virtual void undo();
    virtual E2::Vec2<int> card_size() const;
    virtual unsigned max_tableau() const = 0;
    virtual unsigned max_foundation() const = 0;
    // Adds to the pending score and, while recording, to the open entry's score.
    virtual void report_score(int delta);
    // 11 x the number onto a foundation, -11 x the number off one, else 0.
    virtual int score_if_dropped(CardSprite const& c, Loc const& from, Loc const& to);
    virtual bool has_any_move() const = 0;
    virtual bool tableau_is_empty() const;
    // Nothing is carried or moving and every card lies on the foundations.
    virtual bool foundation_contains_all_cards() const;
    virtual void initiate_move_sequence();
    virtual void finalize_move_sequence();
    virtual void report_move_step(Loc const& from, Loc const& to);
    virtual void report_flip_step(Loc const& l);
    virtual void initiate_chunk();
    virtual void finalize_chunk();
    // Debugging: every card face up on the foundations in order, the last of each suit
    // left on the tableau.
    virtual void cheat_near_win();
    // Moves every card that stands away from its place back there, all at once.
    virtual void reposition_everything();
    virtual bool may_auto_complete() const;
    // One step of the automatic finish.
    virtual void auto_complete();
    // The overlays, the bottom bar and the title.
    virtual void display_bg_stuff(SDL_Surface* s) const;
    // Cards at rest, glow sprites and carried cards, then every moving card in the same order.
    virtual void display_cards(SDL_Surface* s) const;

    // A free glow sprite, a new one when all are lit.
    CardSprite* acquire_glowslot();
    // Takes the card at position `index` of tableau pile `pile` and every card on it into
    // the blob, each with its origin; false when there is no such card.
    bool carry_from_tableau(unsigned pile, unsigned index);
    // Lists the targets of the carried cards and starts the drag; false when nothing is carried.
    bool start_carrying();

    std::int32_t pending_score = 0;
    std::int32_t pending_moves = 0;
    std::int32_t moves = 0;
    Deck sprites;  // every card and glow sprite; owned
    std::vector<CardSprite*> glowslots;
    DragBlob blob;
    Deck stock;  // top card last
    Deck waste;
    std::vector<CardSprite*> cells;  // null = free
    std::vector<Deck> tableau;
    std::vector<Deck> foundations;
    std::vector<UndoMove*> undo_stack;  // owned, most recent last
    bool recording = false;
    AnimProfile anim;
    std::vector<Sprite*> overlays;  // owned
    Sprite bottombar;
    Sprite title;

protected:
    // Pile p of the vector, or null when it does not exist.
    static Deck* pile_of(std::vector<Deck>& piles, std::int32_t p);
    static Deck const* pile_of(std::vector<Deck> const& piles, std::int32_t p);
};
