#include "blit_job_effect.h"

#include "blit_job.h"

BlitJobTweenAiEffect::BlitJobTweenAiEffect(unsigned char from, unsigned char to, unsigned ms)
    : from_(from), to_(to), duration_ms_(ms) {}

void BlitJobTweenAiEffect::operator()(BlitJob& job) { job.ai = current(); }

void BlitJobTweenAiEffect::tick(unsigned, unsigned dt) { elapsed_ms_ += dt; }

bool BlitJobTweenAiEffect::is_active() const { return elapsed_ms_ <= duration_ms_; }

unsigned char BlitJobTweenAiEffect::current() const {
    if (duration_ms_ == 0 || elapsed_ms_ >= duration_ms_) return to_;
    float t = static_cast<float>(elapsed_ms_) / static_cast<float>(duration_ms_);
    return static_cast<unsigned char>(static_cast<float>(from_) + (static_cast<float>(to_) - from_) * t);
}
