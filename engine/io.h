#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "geom.h"

namespace E2 {
namespace io {

// Save-file primitives on a caller-opened stream. Integers are big-endian;
// a string is a u32 count of its bytes plus one, the bytes and a zero byte
// (the empty string is a bare count of 0). Writers return fwrite's count;
// readers yield zero values on a short read and never stop the caller.

// The largest string count a reader trusts; a larger one marks the file
// as damaged.
constexpr std::uint32_t max_string_count = 1u << 20;

std::size_t write_ui8(FILE* f, unsigned char v);
std::size_t write_i8(FILE* f, signed char v);
std::size_t write_ui16(FILE* f, unsigned short v);
std::size_t write_i16(FILE* f, short v);
std::size_t write_ui32(FILE* f, unsigned int v);
std::size_t write_i32(FILE* f, int v);
std::size_t write_string(FILE* f, std::string const& s);
std::size_t write_vec2(FILE* f, Vec2<int> const& v);

unsigned char read_ui8(FILE* f);
signed char read_i8(FILE* f);
unsigned short read_ui16(FILE* f);
short read_i16(FILE* f);
unsigned int read_ui32(FILE* f);
int read_i32(FILE* f);
// A count above max_string_count yields the empty string and leaves the
// stream at its end, so every later read yields zero values.
std::string read_string(FILE* f);
void read_vec2(FILE* f, Vec2<int>& v);

// Zero bytes up to the next multiple of 8 of ftell.
void padto64(FILE* f);
// Seeks forward to the next multiple of 8; nothing when already aligned.
void seek_next64(FILE* f);

}  // namespace io
}  // namespace E2
