#include "player_clock.h"

#include "player.h"

void PlayerClock::set_time(unsigned ms) {
    ClockSprite::set_time(ms);
    Player::cur()->game_ms = time();
}
