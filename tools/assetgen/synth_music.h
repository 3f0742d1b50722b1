#pragma once
// Generative music: a track is a key, a chord progression, a form and a set of
// instruments; compose() turns it into notes and render_track() into audio.

#include "synth_voices.h"

#include <string>
#include <vector>

namespace assetgen::synth {

// A chord in semitones above the key's root; lasts `bars` bars.
struct Chord {
    int bass;
    std::vector<int> tones;
    int bars;
};

// A stretch of the form with the level (0 = silent) of each layer.
struct Section {
    int bars;
    float pad, arp, bass, lead, bell;
};

struct Track {
    uint64_t seed = 1;
    double seconds = 180;
    bool loop = false;     // the end flows into the start; otherwise ends on the tonic
    double ending = 12;    // seconds after the last bar for the final chord (not looped)
    int key = 60;          // MIDI note of the root
    std::vector<int> scale = {0, 2, 4, 5, 7, 9, 11};
    int beats_per_bar = 4;
    int steps_per_beat = 2;  // arpeggio subdivision
    std::vector<Chord> progression;  // cycles through the form
    std::vector<Section> form;

    PadTone pad;
    PluckTone arp, bell;
    LeadTone lead;
    BassTone bass;
    float pad_level = 0.5f, arp_level = 0.5f, bell_level = 0.3f, lead_level = 0.4f,
          bass_level = 0.4f;
    float pad_center = 62, arp_center = 72, lead_center = 76, bass_low = 40;
    float arp_density = 0.7f;  // share of arpeggio steps that play
    float lead_density = 0.7f; // share of phrases that are played
    float echo_beats = 0.75f, echo_feedback = 0.4f;
    float rt60 = 3.0f;
};

struct Score {
    std::vector<Note> pad, arp, bell, lead, bass;
};

// Length of one bar in seconds.
double bar_seconds(const Track& t);
Score compose(const Track& t);

struct Stereo {
    std::vector<float> l, r;
};
// Frames of the finished track: round(seconds * kRate), or for a loop the nearest
// whole number of the codec's long-block hops (512 frames at this rate), so that its
// encoding repeats exactly from one pass to the next and the seam decodes cleanly.
size_t track_frames(const Track& t);
// The finished audio, normalised to -3.4 dBFS peak, track_frames(t) frames long.
Stereo render_track(const Track& t);

// The game's tracks by member name ("a/menu.ogg", "a/game-0.ogg", ...); false if unknown.
bool find_track(const std::string& name, Track& out);

}  // namespace assetgen::synth
