#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace E2 {

// RFC 1321 message digest, fed incrementally.
class MD5 {
public:
    MD5();

    // Ignored once finish() has run.
    void append(void const* data, std::size_t n);
    void append(std::string const& s) { append(s.data(), s.size()); }
    // Pads and completes the digest; later calls do nothing.
    void finish();

    // Valid after finish().
    std::array<unsigned char, 16> const& digest() const { return out_; }
    std::string hex() const;

private:
    void block(unsigned char const* p);

    std::uint32_t state_[4];
    std::uint64_t length_ = 0;  // bytes appended
    unsigned char pending_[64];
    std::size_t used_ = 0;
    bool done_ = false;
    std::array<unsigned char, 16> out_{};
};

}  // namespace E2
