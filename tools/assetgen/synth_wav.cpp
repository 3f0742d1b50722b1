#include "synth_codec.h"

#include "synth.h"

#include <algorithm>
#include <cmath>

namespace assetgen::synth {

namespace {

void put_u32(std::vector<uint8_t>& v, uint32_t x) {
    for (int i = 0; i < 4; ++i) v.push_back(uint8_t(x >> (8 * i)));
}
void put_u16(std::vector<uint8_t>& v, uint16_t x) {
    v.push_back(uint8_t(x));
    v.push_back(uint8_t(x >> 8));
}
void put_tag(std::vector<uint8_t>& v, const char* tag) { v.insert(v.end(), tag, tag + 4); }

}  // namespace

std::vector<uint8_t> encode_wav(const std::vector<float>& mono) {
    const uint32_t data = uint32_t(mono.size() * 2);
    std::vector<uint8_t> v;
    v.reserve(44 + data);
    put_tag(v, "RIFF");
    put_u32(v, 36 + data);
    put_tag(v, "WAVE");
    put_tag(v, "fmt ");
    put_u32(v, 16);
    put_u16(v, 1);  // PCM
    put_u16(v, 1);  // mono
    put_u32(v, kRate);
    put_u32(v, kRate * 2);
    put_u16(v, 2);
    put_u16(v, 16);
    put_tag(v, "data");
    put_u32(v, data);
    for (float s : mono) {
        long q = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
        put_u16(v, uint16_t(int16_t(q)));
    }
    return v;
}

}  // namespace assetgen::synth
