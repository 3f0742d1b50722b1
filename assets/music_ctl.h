#pragma once
// The queue of timed music jobs: the front job runs until its own clock says it is over, then
// the next one starts.

#include <deque>

class Mus;

class MusicCtl {
public:
    // Passed as a fade time: the controller's default.
    static constexpr unsigned default_ms = 0xFFFFFFFFu;

    class MusJob {
    public:
        virtual ~MusJob() = default;
        // Starts the job.
        virtual void operator()() = 0;
        virtual bool alive() const = 0;
        virtual void tick(unsigned now, unsigned dt) = 0;
    };
    class PlayMusJob;
    class FadeOutMusJob;

    // The single controller.
    static MusicCtl* ctl();

    MusicCtl() = default;
    ~MusicCtl();
    MusicCtl(MusicCtl const&) = delete;
    MusicCtl& operator=(MusicCtl const&) = delete;

    // Appends the job (null is ignored) and starts it when it is the only one.
    void q_push(MusJob* job);
    void play(Mus* mus, int loops, unsigned fade_in_ms, unsigned pos_ms);
    void play_loop(Mus* mus, unsigned fade_in_ms);
    // Drops every queued job and fades the music out over ms.
    void fade_out(unsigned ms);
    // Drops every queued job; what plays goes on.
    void clear();
    void tick(unsigned now, unsigned dt);

    void set_master_volume(float v);
    float master_volume() const { return master_volume_ / 128.0f; }
    int master_volume_raw() const { return master_volume_; }

    std::deque<MusJob*> const& queue() const { return queue_; }

private:
    int master_volume_ = 128;
    unsigned default_fade_out_ms_ = 500;
    unsigned default_fade_in_ms_ = 1000;
    std::deque<MusJob*> queue_;
};

// Plays a track; lives for loops passes of its length (forever for loops -1).
class MusicCtl::PlayMusJob : public MusJob {
public:
    PlayMusJob(MusicCtl const& ctl, Mus* mus, int loops, unsigned fade_in_ms, unsigned pos_ms);
    void operator()() override;
    bool alive() const override { return remaining_ms_ != 0; }
    void tick(unsigned now, unsigned dt) override;
    unsigned remaining_ms() const { return remaining_ms_; }

private:
    MusicCtl const& ctl_;
    Mus* mus_;
    int loops_;
    unsigned fade_in_ms_;
    unsigned pos_ms_;
    unsigned remaining_ms_;
};

// Fades the music out; lives for the fade time.
class MusicCtl::FadeOutMusJob : public MusJob {
public:
    explicit FadeOutMusJob(unsigned ms) : remaining_ms_(ms) {}
    void operator()() override;
    bool alive() const override { return remaining_ms_ != 0; }
    void tick(unsigned now, unsigned dt) override;
    unsigned remaining_ms() const { return remaining_ms_; }

private:
    unsigned remaining_ms_;
};
