#include "io.h"

namespace E2 {
namespace io {

namespace {

std::size_t write_be(FILE* f, std::uint32_t v, int bytes) {
    unsigned char buf[4];
    for (int i = 0; i < bytes; ++i) buf[i] = static_cast<unsigned char>(v >> (8 * (bytes - 1 - i)));
    return std::fwrite(buf, 1, static_cast<std::size_t>(bytes), f);
}

// The big-endian value of `bytes` bytes, or 0 when fewer can be read.
std::uint32_t read_be(FILE* f, int bytes) {
    unsigned char buf[4];
    if (std::fread(buf, 1, static_cast<std::size_t>(bytes), f) != static_cast<std::size_t>(bytes))
        return 0;
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v = (v << 8) | buf[i];
    return v;
}

}  // namespace

std::size_t write_ui8(FILE* f, unsigned char v) { return write_be(f, v, 1); }
std::size_t write_i8(FILE* f, signed char v) { return write_be(f, static_cast<unsigned char>(v), 1); }
std::size_t write_ui16(FILE* f, unsigned short v) { return write_be(f, v, 2); }
std::size_t write_i16(FILE* f, short v) { return write_be(f, static_cast<unsigned short>(v), 2); }
std::size_t write_ui32(FILE* f, unsigned int v) { return write_be(f, v, 4); }
std::size_t write_i32(FILE* f, int v) { return write_be(f, static_cast<std::uint32_t>(v), 4); }

std::size_t write_string(FILE* f, std::string const& s) {
    if (s.empty()) return write_ui32(f, 0);
    write_ui32(f, static_cast<std::uint32_t>(s.size() + 1));
    std::fwrite(s.data(), 1, s.size(), f);
    return write_ui8(f, 0);
}

std::size_t write_vec2(FILE* f, Vec2<int> const& v) {
    write_i32(f, v.x);
    return write_i32(f, v.y);
}

unsigned char read_ui8(FILE* f) { return static_cast<unsigned char>(read_be(f, 1)); }
signed char read_i8(FILE* f) { return static_cast<signed char>(read_be(f, 1)); }
unsigned short read_ui16(FILE* f) { return static_cast<unsigned short>(read_be(f, 2)); }
short read_i16(FILE* f) { return static_cast<short>(read_be(f, 2)); }
unsigned int read_ui32(FILE* f) { return read_be(f, 4); }
int read_i32(FILE* f) { return static_cast<int>(read_be(f, 4)); }

std::string read_string(FILE* f) {
    unsigned char head[4];
    if (std::fread(head, 1, 4, f) != 4) return std::string();
    std::uint32_t count = (std::uint32_t(head[0]) << 24) | (std::uint32_t(head[1]) << 16) |
                          (std::uint32_t(head[2]) << 8) | head[3];
    if (count == 0) return std::string();
    if (count > max_string_count) {
        std::fseek(f, 0, SEEK_END);
        return std::string();
    }
    // A body cut short by the end of the file leaves zero bytes in its tail.
    std::string buf(count, '\0');
    std::size_t got = std::fread(&buf[0], 1, count, f);
    (void)got;
    buf.resize(count - 1);
    return buf;
}

void read_vec2(FILE* f, Vec2<int>& v) {
    v.x = read_i32(f);
    v.y = read_i32(f);
}

void padto64(FILE* f) {
    long pos = std::ftell(f);
    if (pos < 0) return;
    for (long n = (8 - pos % 8) % 8; n > 0; --n) write_ui8(f, 0);
}

void seek_next64(FILE* f) {
    long pos = std::ftell(f);
    if (pos < 0 || pos % 8 == 0) return;
    std::fseek(f, pos + (8 - pos % 8), SEEK_SET);
}

}  // namespace io
}  // namespace E2
