// The registry of games and the option section of the player files.

#include "rule_options.h"
#include "rules_creator.h"

SolitaireRules::Creator::Registry& SolitaireRules::Creator::get_registry() {
    static Registry* registry = new Registry;
    return *registry;
}

int SolitaireRules::Creator::register_creator(SolitaireRules::Creator* c) {
    if (!c) return -1;
    get_registry()[c->game_type()] = c;
    return 0;
}

SolitaireRules* SolitaireRules::create(Player::Game_Type type) {
    Creator::Registry& r = Creator::get_registry();
    auto it = r.find(type);
    return it != r.end() && it->second ? it->second->create() : nullptr;
}

void save_game_options(Player::Game_Type type, FILE* f) {
    switch (type) {
        case Player::KLONDIKE: KlondikeOptions::save(f); break;
        case Player::FREECELL: FreeCellOptions::save(f); break;
        case Player::SPIDER: SpiderOptions::save(f); break;
        case Player::TRIPEAKS: TriPeaksOptions::save(f); break;
        case Player::YUKON: YukonOptions::save(f); break;
        case Player::GOLF: GolfOptions::save(f); break;
    }
}

void read_game_options(Player::Game_Type type, FILE* f) {
    switch (type) {
        case Player::KLONDIKE: KlondikeOptions::read(f); break;
        case Player::FREECELL: FreeCellOptions::read(f); break;
        case Player::SPIDER: SpiderOptions::read(f); break;
        case Player::TRIPEAKS: TriPeaksOptions::read(f); break;
        case Player::YUKON: YukonOptions::read(f); break;
        case Player::GOLF: GolfOptions::read(f); break;
    }
}

void SolitaireRules::save_options(FILE* f) {
    Creator::Registry& r = Creator::get_registry();
    for (unsigned t = 0; t < Player::game_count; ++t) {
        auto type = static_cast<Player::Game_Type>(t);
        auto it = r.find(type);
        if (it != r.end() && it->second)
            it->second->save_options(f);
        else
            save_game_options(type, f);
    }
}

void SolitaireRules::read_options(FILE* f) {
    Creator::Registry& r = Creator::get_registry();
    for (unsigned t = 0; t < Player::game_count; ++t) {
        auto type = static_cast<Player::Game_Type>(t);
        auto it = r.find(type);
        if (it != r.end() && it->second)
            it->second->read_options(f);
        else
            read_game_options(type, f);
    }
}
