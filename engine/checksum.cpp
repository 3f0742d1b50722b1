#include "checksum.h"

#include <cstring>

namespace E2 {

namespace {

constexpr std::uint64_t p1 = 0x9E3779B185EBCA87ull;
constexpr std::uint64_t p2 = 0xC2B2AE3D27D4EB4Full;
constexpr std::uint64_t p3 = 0x165667B19E3779F9ull;
constexpr std::uint64_t p4 = 0x85EBCA77C2B2AE63ull;
constexpr std::uint64_t p5 = 0x27D4EB2F165667C5ull;

std::uint64_t rotl(std::uint64_t x, int r) { return (x << r) | (x >> (64 - r)); }

// Little-endian loads whatever the machine's byte order.
template <typename T>
T load(unsigned char const* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    T le = 0;
    for (size_t i = 0; i < sizeof v; ++i) le = T(le << 8) | p[sizeof v - 1 - i];
    v = le;
#endif
    return v;
}
std::uint64_t load64(unsigned char const* p) { return load<std::uint64_t>(p); }
std::uint32_t load32(unsigned char const* p) { return load<std::uint32_t>(p); }

std::uint64_t lane_round(std::uint64_t acc, std::uint64_t lane) { return rotl(acc + lane * p2, 31) * p1; }
std::uint64_t merge(std::uint64_t h, std::uint64_t acc) { return (h ^ lane_round(0, acc)) * p1 + p4; }

}  // namespace

std::uint64_t checksum64(void const* data, std::size_t n) {
    auto const* p = static_cast<unsigned char const*>(data);
    auto const* end = p + n;
    std::uint64_t h;
    if (n >= 32) {
        std::uint64_t a = p1 + p2, b = p2, c = 0, d = 0 - p1;
        for (; end - p >= 32; p += 32) {
            a = lane_round(a, load64(p));
            b = lane_round(b, load64(p + 8));
            c = lane_round(c, load64(p + 16));
            d = lane_round(d, load64(p + 24));
        }
        h = rotl(a, 1) + rotl(b, 7) + rotl(c, 12) + rotl(d, 18);
        h = merge(merge(merge(merge(h, a), b), c), d);
    } else {
        h = p5;
    }
    h += n;
    for (; end - p >= 8; p += 8) h = rotl(h ^ lane_round(0, load64(p)), 27) * p1 + p4;
    if (end - p >= 4) {
        h = rotl(h ^ (load32(p) * p1), 23) * p2 + p3;
        p += 4;
    }
    for (; p < end; ++p) h = rotl(h ^ (*p * p5), 11) * p1;
    h ^= h >> 33;
    h *= p2;
    h ^= h >> 29;
    h *= p3;
    return h ^ (h >> 32);
}

}  // namespace E2
