#include "music_ctl.h"

#include "audio_state.h"
#include "mixer_seam.h"
#include "mus.h"

MusicCtl* MusicCtl::ctl() {
    static MusicCtl* c = new MusicCtl;
    return c;
}

MusicCtl::~MusicCtl() { clear(); }

void MusicCtl::q_push(MusJob* job) {
    if (!job) return;
    queue_.push_back(job);
    if (queue_.size() == 1) (*job)();
}

void MusicCtl::play(Mus* mus, int loops, unsigned fade_in_ms, unsigned pos_ms) {
    if (fade_in_ms == default_ms) fade_in_ms = default_fade_in_ms_;
    q_push(new PlayMusJob(*this, mus, loops, fade_in_ms, pos_ms));
}

void MusicCtl::play_loop(Mus* mus, unsigned fade_in_ms) { play(mus, -1, fade_in_ms, 0); }

void MusicCtl::fade_out(unsigned ms) {
    if (ms == default_ms) ms = default_fade_out_ms_;
    clear();
    q_push(new FadeOutMusJob(ms));
}

void MusicCtl::clear() {
    for (MusJob* job : queue_) delete job;
    queue_.clear();
}

void MusicCtl::tick(unsigned now, unsigned dt) {
    if (queue_.empty()) return;
    MusJob* front = queue_.front();
    if (front->alive()) front->tick(now, dt);
    if (front->alive()) return;
    queue_.pop_front();
    delete front;
    if (!queue_.empty()) (*queue_.front())();
}

void MusicCtl::set_master_volume(float v) {
    int m = static_cast<int>(v * 128.0f);
    master_volume_ = m < 0 ? 0 : (m > 128 ? 128 : m);
    if (!audio_state::disabled()) Mixer::get()->volume_music(master_volume_);
}

MusicCtl::PlayMusJob::PlayMusJob(MusicCtl const& ctl, Mus* mus, int loops, unsigned fade_in_ms,
                                 unsigned pos_ms)
    : ctl_(ctl),
      mus_(mus),
      loops_(loops),
      fade_in_ms_(fade_in_ms),
      pos_ms_(pos_ms),
      remaining_ms_(Mus::ok(mus) ? mus->length_ms() : 0) {}

void MusicCtl::PlayMusJob::operator()() {
    if (audio_state::disabled() || !mus_) return;
    if (!mus_->load()) return;

    Mixer* m = Mixer::get();
    m->volume_music(audio_state::mixer_volume(ctl_.master_volume_raw(), mus_->volume()));
    if (fade_in_ms_ == 0 && pos_ms_ == 0)
        m->play_music(mus_->music(), loops_);
    else if (pos_ms_ != 0)
        m->fade_in_music_pos(mus_->music(), loops_, static_cast<int>(fade_in_ms_),
                             pos_ms_ / 1000.0);
    else
        m->fade_in_music(mus_->music(), loops_, static_cast<int>(fade_in_ms_));

    if (loops_ < 0) {
        remaining_ms_ = 0xFFFFFFFFu;
        return;
    }
    // Saturates: a start position past the end leaves nothing to play.
    unsigned long long total = static_cast<unsigned long long>(loops_) * mus_->length_ms();
    if (total <= pos_ms_)
        remaining_ms_ = 0;
    else if (total - pos_ms_ > 0xFFFFFFFFull)
        remaining_ms_ = 0xFFFFFFFFu;
    else
        remaining_ms_ = static_cast<unsigned>(total - pos_ms_);
}

void MusicCtl::PlayMusJob::tick(unsigned, unsigned dt) {
    remaining_ms_ -= remaining_ms_ < dt ? remaining_ms_ : dt;
}

void MusicCtl::FadeOutMusJob::operator()() {
    if (audio_state::disabled()) {
        remaining_ms_ = 0;
        return;
    }
    Mixer::get()->fade_out_music(static_cast<int>(remaining_ms_));
}

void MusicCtl::FadeOutMusJob::tick(unsigned, unsigned dt) {
    remaining_ms_ -= remaining_ms_ < dt ? remaining_ms_ : dt;
}
