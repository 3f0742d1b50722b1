#include "mixer_input.h"

#include <climits>
#include <cstring>

#include "audio_state.h"
#include "qdata.h"

namespace {

Uint32 le(Uint8 const* p, int bytes) {
    Uint32 v = 0;
    for (int i = bytes; i-- > 0;) v = v << 8 | p[i];
    return v;
}

bool read_exactly(SDL_RWops* src, void* buf, int n) { return SDL_RWread(src, buf, 1, n) == n; }

bool is(Uint8 const* p, char const* tag) { return std::memcmp(p, tag, 4) == 0; }

// Where the media layer's WAV reader looks for the chunks of what the mixer reads as a WAV
// (data starting "RIFF" or "WAVE"), or 0 when there are none or the reader refuses the data
// by its header alone.
int wav_chunks_at(Uint8 const* head, int got) {
    if (got < 8 || !(is(head, "RIFF") || is(head, "WAVE"))) return 0;
    if (is(head + 4, "WAVE")) return 8;  // taken for the old layout without a length
    return got >= 12 && is(head, "RIFF") && is(head + 8, "WAVE") ? 12 : 0;
}

// Where the chunks of a WAV may lie: the stream ends at `end`, and the data chunk's header
// must start before `riff_end` (from the RIFF length; unbounded without one or when it is 0).
struct Bounds {
    int end;
    long long riff_end;
};

// Every chunk from the stream's position up to and including the first data chunk is whole
// within the stream, and the data chunk is not empty and starts within the RIFF length. WAV
// readers differ on files that break this: one refuses a file cut short or with empty data,
// another plays it; one ignores the RIFF length, another looks for the data only within it;
// they disagree on the pad byte after a chunk of odd length. Such files are refused.
bool whole_up_to_data(SDL_RWops* src, Bounds const& b) {
    Uint8 chunk[8];
    while (read_exactly(src, chunk, 8)) {
        Uint32 length = le(chunk + 4, 4);
        int at = SDL_RWtell(src);
        if (at < 0 || length > static_cast<Uint32>(b.end - at)) return false;
        if (is(chunk, "data")) return length > 0 && at - 8 < b.riff_end;
        if (length & 1) return false;
        if (SDL_RWseek(src, at + static_cast<int>(length), RW_SEEK_SET) < 0) return false;
    }
    return false;
}

// The chunks from the stream's position start with a format block of PCM at a rate, channel
// count and sample size that sound devices play, and run whole up to the data (above). The
// reader takes the block on trust: with no channels, or a rate of zero or a few hertz, its
// converter writes past its filter table; a block shorter than its fields is read past its
// end; the ADPCM decoders divide by its fields.
bool pcm_format_first(SDL_RWops* src, Bounds const& b) {
    Uint8 chunk[8];
    while (read_exactly(src, chunk, 8)) {
        Uint32 length = le(chunk + 4, 4);
        if (length & 1) return false;
        if (is(chunk, "fact") || is(chunk, "LIST")) {  // skipped by the reader too
            if (length > INT_MAX) return false;
            if (SDL_RWseek(src, static_cast<int>(length), RW_SEEK_CUR) < 0) return false;
            continue;
        }
        Uint8 fmt[16];
        if (!is(chunk, "fmt ") || length < sizeof fmt) return false;
        int at = SDL_RWtell(src);
        if (at < 0 || length > static_cast<Uint32>(b.end - at)) return false;
        if (!read_exactly(src, fmt, sizeof fmt)) return false;
        Uint32 tag = le(fmt, 2);
        Uint32 channels = le(fmt + 2, 2);
        Uint32 rate = le(fmt + 4, 4);
        Uint32 bits = le(fmt + 14, 2);
        if (!(tag == 1 && channels >= 1 && channels <= 8 && rate >= 4000 && rate <= 192000 &&
              (bits == 8 || bits == 16)))
            return false;
        if (SDL_RWseek(src, at + static_cast<int>(length), RW_SEEK_SET) < 0) return false;
        return whole_up_to_data(src, b);
    }
    return false;
}

}  // namespace

bool is_safe_for_mixer(SDL_RWops* src) {
    int start = SDL_RWtell(src);
    Uint8 head[12] = {};
    int got = SDL_RWread(src, head, 1, sizeof head);
    bool ok = got >= 4;  // with less the mixer takes stray memory for the file type
    if (int chunks = wav_chunks_at(head, got)) {
        Uint32 riff_length = chunks == 12 ? le(head + 4, 4) : 0;
        Bounds b{SDL_RWseek(src, 0, RW_SEEK_END),
                 riff_length ? start + 8LL + riff_length : static_cast<long long>(INT_MAX)};
        SDL_RWseek(src, start + chunks, RW_SEEK_SET);
        ok = b.end >= 0 && pcm_format_first(src, b);
    }
    SDL_RWseek(src, start, RW_SEEK_SET);
    return ok;
}


SDL_RWops* open_for_mixer(std::string const& name) {
    if (audio_state::disabled()) return nullptr;
    SDL_RWops* src = qdata_find(name);
    if (!src || is_safe_for_mixer(src)) return src;
    SDL_RWclose(src);
    return nullptr;
}
