#include "audio_state.h"

namespace {
bool _audio_disabled = false;
}

namespace audio_state {

bool disabled() { return _audio_disabled; }
void set_disabled(bool off) { _audio_disabled = off; }

int mixer_volume(int master, float volume) {
    int v = static_cast<int>(float(master) * 0.0078125f * volume * 128.0f);
    if (v < 0) return 0;
    if (v > 128) return 128;
    return v;
}

}  // namespace audio_state
