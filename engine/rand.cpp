#include "rand.h"

#include <cstdlib>

#include "tables.h"

namespace E2 {
namespace util {

namespace {
constexpr unsigned int mask = 511;
}

RandGen::RandGen(unsigned seed) : start_(seed & mask), idx_(seed & mask) {}

RandGen::RandGen() : RandGen(static_cast<unsigned>(std::rand())) {}

unsigned int RandGen::next_ui32() {
    unsigned int v = rand_ui32_table[idx_];
    idx_ = (idx_ + 1) & mask;
    return v;
}

float RandGen::next_f() {
    float v = rand_f_table[idx_];
    idx_ = (idx_ + 1) & mask;
    return v;
}

unsigned int RandGen::get_ui32(unsigned k) const { return rand_ui32_table[(start_ + k) & mask]; }

float RandGen::get_f(unsigned k) const { return rand_f_table[(start_ + k) & mask]; }

}  // namespace util
}  // namespace E2
