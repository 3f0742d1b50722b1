#include "painters.h"
#include "synth_codec.h"
#include "synth_music.h"
#include "synth_sfx.h"

namespace assetgen {

std::vector<uint8_t> make_sound(const std::string& name) {
    std::vector<float> pcm = synth::render_sfx(name);
    if (!pcm.empty()) return synth::encode_wav(pcm);
    synth::Track track;
    if (!synth::find_track(name, track)) return {};
    synth::Stereo s = synth::render_track(track);
    // A fixed serial per track keeps the files byte-identical between runs.
    return synth::encode_ogg(s.l, s.r, 0.35f, int(0x4C554E00u + uint32_t(track.seed & 0xFF)),
                             track.loop);
}

}  // namespace assetgen
