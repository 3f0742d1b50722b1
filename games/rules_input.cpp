#include "rules_input.h"

#include <SDL/SDL.h>

namespace {

class SdlRulesInput : public RulesInput {
public:
    unsigned ticks() override { return SDL_GetTicks(); }
    E2::Vec2<int> mouse_pos() override {
        int x = 0, y = 0;
        SDL_GetMouseState(&x, &y);
        return {x, y};
    }
};

RulesInput* installed = nullptr;

}  // namespace

RulesInput& rules_input() {
    static SdlRulesInput* sdl = new SdlRulesInput;
    return installed ? *installed : *sdl;
}

void set_rules_input(RulesInput* source) { installed = source; }
