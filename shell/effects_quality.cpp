#include "effects_quality.h"

#include <algorithm>

#include "app_options.h"

namespace {

float quality() { return app_options().effects_quality; }

}  // namespace

bool _screen_fade_enabled() { return quality() >= 0.1f; }
bool _button_glow_enabled() { return quality() >= 0.15f; }
bool _message_fade_enabled() { return quality() >= 0.4f; }
bool _particles_enabled() { return quality() >= 0.5f; }

float _particles_weight() {
    float w = quality() + -0.5f;
    w = w + w;
    w = std::max(0.0f, w);
    return std::min(1.0f, w);
}
