#pragma once
// The media layer's clock and pointer as the rules read them directly, when cards are
// picked up. The media layer by default; tests install a scripted source.

#include "geom.h"

class RulesInput {
public:
    virtual ~RulesInput() = default;
    // Milliseconds since start.
    virtual unsigned ticks() = 0;
    // The pointer in screen pixels.
    virtual E2::Vec2<int> mouse_pos() = 0;
};

// The installed source.
RulesInput& rules_input();
// Installs a source (not owned); null puts the media layer back.
void set_rules_input(RulesInput* source);
