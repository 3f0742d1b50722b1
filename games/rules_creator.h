#pragma once
// How each game makes itself known: one creator per game builds its rules object and
// writes and reads its option bytes. The registry keys the creators by game type; it
// does not own them (each game registers one for the whole run).

#include <cstdio>
#include <map>

#include "player.h"
#include "solitaire_rules.h"

class SolitaireRules::Creator {
public:
    using Registry = std::map<Player::Game_Type, SolitaireRules::Creator*>;

    Creator() = default;
    virtual ~Creator() = default;
    Creator(Creator const&) = delete;
    Creator& operator=(Creator const&) = delete;

    virtual void save_options(FILE* f) = 0;
    virtual void read_options(FILE* f) = 0;
    virtual Player::Game_Type game_type() const = 0;
    // A new rules object; the caller owns it.
    virtual SolitaireRules* create() = 0;

    // Built on first use, never destroyed.
    static Registry& get_registry();
    // Stores c under its game type, replacing any creator of that type; 0, or -1 for null.
    static int register_creator(SolitaireRules::Creator* c);
};

// The option bytes of one game type without its creator: the section stays whole while a
// game is not registered.
void save_game_options(Player::Game_Type type, FILE* f);
void read_game_options(Player::Game_Type type, FILE* f);
