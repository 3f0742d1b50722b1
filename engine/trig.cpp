#include "trig.h"

#include <cmath>

#include "tables.h"

namespace E2 {

namespace {

// The mathematical modulo; 64-bit so INT_MIN cannot overflow.
int reduce_deg(int deg) {
    long long r = static_cast<long long>(deg) % 360;
    return static_cast<int>(r < 0 ? r + 360 : r);
}

}  // namespace

float sin_deg(int deg) { return sin_table[reduce_deg(deg)]; }

float cos_deg(int deg) { return cos_table[reduce_deg(deg)]; }

float atan2_rad(float y, float x) {
    float const quarter = 0.7853982f;
    float const three_quarters = 2.3561945f;
    float a = std::fabs(y) + 1e-10f;
    float angle;
    if (x >= 0.0f) {
        float r = (x - a) / (x + a);
        angle = quarter - quarter * r;
    } else {
        float r = (x + a) / (a - x);
        angle = three_quarters - quarter * r;
    }
    return y < 0.0f ? -angle : angle;
}

}  // namespace E2
