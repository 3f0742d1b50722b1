#pragma once
// Pieces of the damaged-file tests: files written anew, big-endian fields overwritten,
// random damage, a capped address space and failures counted after the first few.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>

#include "engine/temp_dir.h"

namespace file_damage {

// A new file each time: ext4 writes a file that is cut and written again out to the disk
// as it is closed, which would make each read slow.
inline void put_file(std::string const& path, std::string const& bytes) {
    std::remove(path.c_str());
    write_file(path, bytes);
}

inline void put_u32(std::string& bytes, std::size_t at, std::uint32_t v) {
    for (int k = 0; k < 4; ++k) bytes[at + k] = static_cast<char>(v >> (24 - 8 * k));
}

// Kinds of damage: a flipped bit, 1 to 8 random bytes, a field overwritten by
// overwrite(bytes, pos) (pos(room) draws an offset with room bytes behind it), and several
// of these with a cut after them.
template <typename Overwrite>
std::string damaged(std::string bytes, std::mt19937& rng, Overwrite overwrite) {
    auto pos = [&](std::size_t room) {
        return std::uniform_int_distribution<std::size_t>(0, bytes.size() - room)(rng);
    };
    auto one = [&](unsigned kind) {
        if (kind == 0) {
            bytes[pos(1)] ^= static_cast<char>(1u << (rng() % 8));
        } else if (kind == 1) {
            std::size_t n = 1 + rng() % 8, at = pos(n);
            for (std::size_t k = 0; k < n; ++k) bytes[at + k] = static_cast<char>(rng());
        } else {
            overwrite(bytes, pos);
        }
    };
    unsigned kind = rng() % 4;
    if (kind < 3) {
        one(kind);
    } else {
        for (unsigned n = 2 + rng() % 4; n > 0; --n) one(rng() % 3);
        if (rng() % 2) bytes.resize(pos(0));
    }
    return bytes;
}

#if !defined(__SANITIZE_ADDRESS__)
// From here on the address space may grow by `room` bytes: a larger allocation fails.
inline void cap_address_space(std::size_t room) {
    std::ifstream statm("/proc/self/statm");
    unsigned long pages = 0;
    statm >> pages;
    rlimit r;
    r.rlim_cur = r.rlim_max = pages * static_cast<unsigned long>(sysconf(_SC_PAGESIZE)) + room;
    setrlimit(RLIMIT_AS, &r);
}
#endif

// Failures reported one by one before the rest are only counted.
constexpr int reported_failures = 8;

// Counts failed checks, reporting the first few one by one.
class Notes {
protected:
    void note(::testing::AssertionResult const& r, std::string const& what) {
        if (r) return;
        if (++failures <= reported_failures) ADD_FAILURE() << what << ": " << r.message();
    }
    int failures = 0;
};

}  // namespace file_damage
