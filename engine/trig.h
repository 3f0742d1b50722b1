#pragma once

namespace E2 {

// Sine and cosine of whole degrees from 360-entry tables; any int is
// reduced into 0..359 first.
float sin_deg(int deg);
float cos_deg(int deg);

// A fast arctangent approximation, in radians.
float atan2_rad(float y, float x);

}  // namespace E2
