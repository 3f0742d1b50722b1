#pragma once
// A change applied to every job of a frame before the dirty comparison.

class BlitJob;

class BlitJobEffect {
public:
    virtual ~BlitJobEffect() = default;
    virtual void operator()(BlitJob& job) = 0;
    virtual void tick(unsigned now, unsigned dt) = 0;
    // An inactive effect is dropped by the display list's next tick.
    virtual bool is_active() const = 0;
};

// Tweens every job's intensity linearly from `from` to `to` over ms; inactive after.
class BlitJobTweenAiEffect : public BlitJobEffect {
public:
    BlitJobTweenAiEffect(unsigned char from, unsigned char to, unsigned ms);
    void operator()(BlitJob& job) override;
    void tick(unsigned now, unsigned dt) override;
    bool is_active() const override;
    unsigned char current() const;

private:
    unsigned char from_, to_;
    unsigned duration_ms_;
    unsigned elapsed_ms_ = 0;
};
