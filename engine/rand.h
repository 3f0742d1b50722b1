#pragma once

namespace E2 {
namespace util {

// Repeatable pseudo-random values read from two fixed 512-entry tables.
// The seed's low nine bits choose where reading starts.
class RandGen {
public:
    explicit RandGen(unsigned seed);
    // Seeded from rand().
    RandGen();

    unsigned int next_ui32();
    float next_f();
    // Entries at offset k from the start; no state changes.
    unsigned int get_ui32(unsigned k) const;
    float get_f(unsigned k) const;

private:
    unsigned int start_;  // base of get_*
    unsigned int idx_;    // position of next_*
};

}  // namespace util
}  // namespace E2
