#include "synth_music.h"

namespace assetgen::synth {

namespace {

const std::vector<int> kMajor = {0, 2, 4, 5, 7, 9, 11};
const std::vector<int> kLydian = {0, 2, 4, 6, 7, 9, 11};

// Menu: D lydian, unhurried eighths, celesta over a wide pad; loops seamlessly.
Track menu() {
    Track t;
    t.seed = 0x3E01;
    t.seconds = 184;
    t.loop = true;
    t.key = 62;
    t.scale = kLydian;
    t.beats_per_bar = 4;
    t.steps_per_beat = 2;
    t.progression = {
        {0, {0, 4, 7, 11, 2}, 2},  // Dmaj9
        {0, {2, 6, 9}, 2},         // E/D
        {9, {9, 0, 4, 7, 11}, 2},  // Bm9
        {4, {4, 7, 11, 2}, 1},     // F#m7
        {7, {7, 11, 2, 4}, 1},     // A6sus2
        {4, {4, 7, 11, 2}, 2},     // F#m7
        {9, {9, 0, 4, 7}, 2},      // Bm7
        {2, {2, 6, 9, 0}, 2},      // E7
        {7, {7, 11, 2, 4}, 2},     // A6sus2
    };
    t.form = {
        {16, 1.0f, 0.8f, 0.7f, 0.0f, 0.6f},
        {16, 1.0f, 1.0f, 1.0f, 1.0f, 0.4f},
        {16, 1.0f, 0.6f, 0.7f, 0.8f, 0.8f},
        {16, 1.0f, 0.9f, 0.8f, 0.0f, 0.6f},
    };
    t.pad = {0.10f, 1100, 0.7f, 1.8f, 2.8f, 0.11f, 0.25f, 0.5f};
    t.arp = {1.0f, 1.0f, 0.25f, 1.0f, 0.35f, 0.004f, 0.15f};
    t.bell = {3.5f, 1.3f, 0.5f, 1.6f, 0.8f, 0.003f, 0.0f};
    t.lead = {1.0f, 0.5f, 0.09f, 0.7f, 0.08f, 4.6f};
    t.pad_center = 62, t.arp_center = 74, t.lead_center = 78, t.bass_low = 40;
    t.arp_density = 0.6f;
    t.lead_density = 0.75f;
    t.echo_beats = 0.75f;
    t.rt60 = 3.2f;
    return t;
}

// Game 0: F major waltz, electric-piano arpeggios.
Track game0() {
    Track t;
    t.seed = 0x6A00;
    t.seconds = 276;
    t.ending = 12;
    t.key = 65;
    t.scale = kMajor;
    t.beats_per_bar = 3;
    t.steps_per_beat = 2;
    t.progression = {
        {0, {0, 4, 7, 11}, 2},     // Fmaj7
        {9, {9, 0, 4, 7, 11}, 2},  // Dm9
        {5, {5, 9, 0, 4}, 2},      // Bbmaj7
        {7, {7, 0, 2, 5}, 2},      // C9sus
        {4, {4, 7, 11, 2}, 2},     // Am7
        {5, {5, 9, 0, 4, 7}, 2},   // Bbmaj9
        {2, {2, 5, 9, 0}, 2},      // Gm7
        {7, {7, 0, 2, 5}, 2},      // C9sus
    };
    t.form = {
        {8, 1.4f, 0.0f, 0.0f, 0.0f, 1.0f},  {16, 1.0f, 0.8f, 0.7f, 0.0f, 0.4f},
        {16, 1.0f, 1.0f, 1.0f, 1.0f, 0.3f}, {16, 1.0f, 0.5f, 0.6f, 0.7f, 0.7f},
        {16, 1.0f, 1.0f, 1.0f, 1.0f, 0.3f}, {16, 1.0f, 0.9f, 0.8f, 0.6f, 0.5f},
        {8, 1.1f, 0.5f, 0.5f, 0.0f, 0.8f},
    };
    t.pad = {0.08f, 900, 0.7f, 1.5f, 2.6f, 0.09f, 0.2f, 0.6f};
    t.arp = {1.0f, 1.5f, 0.35f, 1.4f, 0.4f, 0.005f, 0.08f};
    t.bell = {3.5f, 1.2f, 0.6f, 1.8f, 0.9f, 0.003f, 0.0f};
    t.lead = {1.0f, 0.45f, 0.1f, 0.7f, 0.1f, 4.8f};
    t.pad_center = 60, t.arp_center = 70, t.lead_center = 77, t.bass_low = 41;
    t.arp_density = 0.75f;
    t.lead_density = 0.7f;
    t.echo_beats = 1.0f;
    t.echo_feedback = 0.35f;
    t.rt60 = 2.8f;
    return t;
}

// Game 1: B-flat major, lilting 12/8 with soft mallets.
Track game1() {
    Track t;
    t.seed = 0x6A01;
    t.seconds = 231;
    t.ending = 11;
    t.key = 58;
    t.scale = kMajor;
    t.beats_per_bar = 4;
    t.steps_per_beat = 3;
    t.progression = {
        {0, {0, 4, 7, 2}, 1},     // Bb(add9)
        {9, {9, 0, 4, 7}, 1},     // Gm7
        {5, {5, 9, 0, 4}, 1},     // Ebmaj7
        {7, {7, 0, 2}, 1},        // Fsus4
        {4, {4, 7, 11, 2}, 1},    // Dm7
        {5, {5, 9, 0, 4, 7}, 1},  // Ebmaj9
        {2, {2, 5, 9, 0}, 1},     // Cm7
        {7, {7, 0, 2, 5}, 1},     // F9sus
    };
    t.form = {
        {8, 1.1f, 0.8f, 0.0f, 0.0f, 0.6f},  {16, 0.9f, 1.0f, 0.8f, 0.0f, 0.3f},
        {16, 0.9f, 1.0f, 1.0f, 1.0f, 0.2f}, {8, 1.0f, 0.3f, 0.5f, 0.6f, 1.0f},
        {16, 0.9f, 1.0f, 1.0f, 1.0f, 0.3f}, {8, 0.9f, 0.9f, 0.7f, 0.0f, 0.6f},
        {8, 1.0f, 0.6f, 0.4f, 0.0f, 0.6f},
    };
    t.pad = {0.12f, 1300, 0.7f, 1.2f, 2.2f, 0.17f, 0.3f, 0.4f};
    t.arp = {2.0f, 1.6f, 0.06f, 0.5f, 0.25f, 0.003f, 0.0f};
    t.bell = {1.4f, 1.0f, 0.5f, 1.4f, 0.8f, 0.003f, 0.1f};
    t.lead = {2.0f, 0.35f, 0.07f, 0.5f, 0.07f, 5.0f};
    t.pad_center = 62, t.arp_center = 70, t.lead_center = 75, t.bass_low = 38;
    t.arp_density = 0.65f;
    t.lead_density = 0.8f;
    t.echo_beats = 1.5f;
    t.echo_feedback = 0.3f;
    t.rt60 = 2.4f;
    return t;
}

// Game 2: E-flat lydian, slow and spacious, glassy bells over a dark pad.
Track game2() {
    Track t;
    t.seed = 0x6A02;
    t.seconds = 239;
    t.ending = 14;
    t.key = 63;
    t.scale = kLydian;
    t.beats_per_bar = 4;
    t.steps_per_beat = 2;
    t.progression = {
        {0, {0, 4, 7, 11}, 2},     // Ebmaj7
        {0, {2, 6, 9}, 2},         // F/Eb
        {9, {9, 0, 4, 7, 11}, 2},  // Cm9
        {4, {4, 7, 11, 2}, 1},     // Gm7
        {7, {7, 9, 2}, 1},         // Bbsus2
        {9, {9, 0, 4, 7, 11}, 2},  // Cm9
        {4, {4, 7, 11, 2}, 2},     // Gm7
        {6, {2, 6, 9}, 2},         // F/A
        {7, {7, 0, 2}, 2},         // Bbsus4
    };
    t.form = {
        {8, 1.4f, 0.0f, 0.0f, 0.0f, 1.0f},  {16, 1.1f, 0.8f, 0.6f, 0.0f, 0.5f},
        {16, 1.0f, 0.7f, 0.8f, 1.0f, 0.3f}, {16, 1.0f, 1.0f, 1.0f, 0.7f, 0.6f},
        {8, 1.2f, 0.5f, 0.5f, 0.0f, 0.8f},
    };
    t.pad = {0.07f, 750, 0.8f, 2.2f, 3.2f, 0.07f, 0.3f, 0.7f};
    t.arp = {3.0f, 0.8f, 0.4f, 1.8f, 0.5f, 0.004f, 0.0f};
    t.bell = {3.5f, 1.1f, 0.7f, 2.0f, 1.0f, 0.003f, 0.0f};
    t.lead = {1.0f, 0.3f, 0.12f, 0.8f, 0.07f, 4.2f};
    t.pad_center = 60, t.arp_center = 72, t.lead_center = 75, t.bass_low = 39;
    t.arp_density = 0.45f;
    t.lead_density = 0.65f;
    t.echo_beats = 1.5f;
    t.echo_feedback = 0.45f;
    t.rt60 = 3.8f;
    return t;
}

}  // namespace

bool find_track(const std::string& name, Track& out) {
    if (name == "a/menu.ogg") out = menu();
    else if (name == "a/game-0.ogg") out = game0();
    else if (name == "a/game-1.ogg") out = game1();
    else if (name == "a/game-2.ogg") out = game2();
    else return false;
    return true;
}

}  // namespace assetgen::synth
