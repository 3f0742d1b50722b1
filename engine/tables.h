#pragma once

// Constant tables behind RandGen and sin_deg/cos_deg (generated, see gen_tables.py).
namespace E2 {
namespace util {
extern unsigned int const rand_ui32_table[512];
extern float const rand_f_table[512];
}  // namespace util

extern float const cos_table[360];
extern float const sin_table[360];
}  // namespace E2
