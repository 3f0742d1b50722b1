#pragma once
// On/off decisions and the particle weight derived from the effects-quality option.
// Each call reads the option afresh.

bool _screen_fade_enabled();   // quality >= 0.1
bool _button_glow_enabled();   // quality >= 0.15
bool _message_fade_enabled();  // quality >= 0.4
bool _particles_enabled();     // quality >= 0.5
// 0 up to quality 0.5, rising linearly to 1 at quality 1.
float _particles_weight();
