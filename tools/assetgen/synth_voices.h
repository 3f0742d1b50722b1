#pragma once
// The instruments: each adds one note to a Bus.

#include "synth.h"

namespace assetgen::synth {

struct Note {
    double start = 0;  // seconds
    float dur = 1;     // seconds until release
    float key = 60;    // MIDI note number
    float vel = 1;     // linear level
    Placement at;
};

// Detuned, filtered sawtooth pad with slow envelopes.
struct PadTone {
    float detune = 0.09f;  // semitones between the outer oscillators
    float cutoff = 1000;   // Hz at full envelope, for middle C
    float q = 0.75f;
    float attack = 1.6f, release = 2.8f;
    float lfo_hz = 0.13f, lfo_depth = 0.25f;
    float warmth = 0.5f;  // level of a plain sine under the saws
};

// Two-operator FM pluck: from electric-piano (ratio 1) to bell (non-integer ratio).
struct PluckTone {
    float ratio = 1.0f;
    float index = 1.2f;        // modulation index at the attack
    float index_decay = 0.3f;  // seconds
    float decay = 1.2f;        // amplitude time constant at middle C
    float release = 0.3f;
    float attack = 0.004f;
    float shimmer = 0.0f;  // level of an extra sine an octave up with a faster decay
};

// Soft sustained lead with delayed vibrato.
struct LeadTone {
    float ratio = 1.0f, index = 0.6f;
    float attack = 0.09f, release = 0.6f;
    float vibrato = 0.09f;  // semitones
    float vibrato_hz = 4.6f;
};

// Round sine bass.
struct BassTone {
    float attack = 0.06f, release = 0.9f;
    float second = 0.22f;  // level of the second harmonic
};

void add_pad(Bus& bus, const Note& n, const PadTone& t, uint32_t seed);
void add_pluck(Bus& bus, const Note& n, const PluckTone& t);
void add_lead(Bus& bus, const Note& n, const LeadTone& t);
void add_bass(Bus& bus, const Note& n, const BassTone& t);

}  // namespace assetgen::synth
