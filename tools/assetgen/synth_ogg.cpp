#include "synth_codec.h"

#include "synth.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <stdexcept>

namespace assetgen::synth {

namespace {

struct Packet {
    std::vector<uint8_t> data;
    ogg_int64_t end = 0;  // samples decoded up to and including this packet
};

Packet copy(const ogg_packet& op) { return {std::vector<uint8_t>(op.packet, op.packet + op.bytes), op.granulepos}; }

struct Encoded {
    Packet head, comm, code;
    std::vector<Packet> audio;
};

// Runs a fresh encoder over `frames` stereo frames taken from `frame(i, lr)`.
template <typename Frame>
Encoded run_encoder(float quality, size_t frames, Frame frame) {
    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, 2, kRate, quality) != 0) {
        vorbis_info_clear(&vi);
        throw std::runtime_error("vorbis encoder setup failed");
    }
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_dsp_state vd;
    vorbis_block vb;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);

    Encoded e;
    ogg_packet head, comm, code;
    vorbis_analysis_headerout(&vd, &vc, &head, &comm, &code);
    e.head = copy(head);
    e.comm = copy(comm);
    e.code = copy(code);
    constexpr size_t kChunk = 4096;
    for (size_t pos = 0;;) {
        const size_t m = std::min(kChunk, frames - pos);
        if (m > 0) {
            float** buf = vorbis_analysis_buffer(&vd, int(m));
            float lr[2];
            for (size_t k = 0; k < m; ++k) {
                frame(pos + k, lr);
                buf[0][k] = lr[0];
                buf[1][k] = lr[1];
            }
        }
        vorbis_analysis_wrote(&vd, int(m));  // 0 marks the end of the stream
        pos += m;
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet op;
            while (vorbis_bitrate_flushpacket(&vd, &op) == 1) e.audio.push_back(copy(op));
        }
        if (m == 0) break;
    }
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return e;
}

// The packets kept of a loop encoded with `pre` frames before it: decoding starts at
// `first`, which only primes the decoder, and stops after `last`.
struct Cut {
    size_t first = 0, last = 0;
    bool repeats = false;  // the packets at the end are exact copies of those at the start
};

Cut cut_loop(const std::vector<Packet>& p, size_t pre, size_t n) {
    Cut c;
    const ogg_int64_t start = ogg_int64_t(pre), end = ogg_int64_t(pre + n);
    while (c.first + 2 < p.size() && p[c.first + 1].end <= start) ++c.first;
    c.last = c.first + 1;
    while (c.last + 1 < p.size() && p[c.last].end < end) ++c.last;
    for (size_t b = c.first + 1; b + 1 < p.size(); ++b)
        if (p[b].end == p[c.first].end + ogg_int64_t(n)) {
            c.repeats = p[b].data == p[c.first].data && p[b + 1].data == p[c.first + 1].data;
            break;
        }
    return c;
}

void append_page(std::vector<uint8_t>& out, const ogg_page& pg) {
    out.insert(out.end(), pg.header, pg.header + pg.header_len);
    out.insert(out.end(), pg.body, pg.body + pg.body_len);
}

void packet_in(ogg_stream_state& os, const Packet& p, ogg_int64_t granule, bool bos, bool eos, ogg_int64_t no) {
    ogg_packet op{};
    op.packet = const_cast<unsigned char*>(p.data.data());
    op.bytes = long(p.data.size());
    op.b_o_s = bos;
    op.e_o_s = eos;
    op.granulepos = granule;
    op.packetno = no;
    ogg_stream_packetin(&os, &op);
}

// Frames wrapped round the loop on each side of it: several codec blocks.
constexpr size_t kLoopPreroll = 4096;
constexpr size_t kLoopPostroll = 4096;
// Preroll lengths tried (in steps of the codec's 128-frame block grid) to find an
// encoding whose block pattern repeats exactly across the seam.
constexpr int kLoopTries = 8;

}  // namespace

std::vector<uint8_t> encode_ogg(const std::vector<float>& l, const std::vector<float>& r, float quality,
                                int serial, bool loop) {
    const size_t n = std::min(l.size(), r.size());
    Encoded e;
    Cut cut;
    size_t pre = 0;
    if (!loop) {
        e = run_encoder(quality, n, [&](size_t i, float* lr) {
            lr[0] = l[i];
            lr[1] = r[i];
        });
        cut.last = e.audio.size() - 1;
    } else {
        // The loop is encoded with its own end before its start and its start after its
        // end, so the codec sees the same music on both sides of the seam. When the
        // block pattern there also repeats, the packets at the end are copies of those
        // at the start, and a decoder wrapping round continues exactly as it would
        // within the stream. Otherwise the first attempt is kept: the seam then only
        // differs by the codec's own error.
        for (int k = 0; k < kLoopTries && !cut.repeats; ++k) {
            const size_t p = std::min(kLoopPreroll + 128 * size_t(k), n);
            Encoded ek = run_encoder(quality, p + n + std::min(kLoopPostroll, n), [&](size_t i, float* lr) {
                i = (i + n - p) % n;
                lr[0] = l[i];
                lr[1] = r[i];
            });
            Cut ck = cut_loop(ek.audio, p, n);
            if (k == 0 || ck.repeats) e = std::move(ek), cut = ck, pre = p;
        }
    }

    std::vector<uint8_t> out;
    ogg_stream_state os;
    ogg_stream_init(&os, serial);
    packet_in(os, e.head, 0, true, false, 0);
    packet_in(os, e.comm, 0, false, false, 1);
    packet_in(os, e.code, 0, false, false, 2);
    ogg_page pg;
    while (ogg_stream_flush(&os, &pg) != 0) append_page(out, pg);
    // Granule positions count from the loop's start. The first audio page holds only
    // the priming packet and the next one, so its position trims the rest of the
    // preroll from that single decoded packet; the last position trims the end to n.
    for (size_t k = cut.first; k <= cut.last; ++k) {
        const bool last = k == cut.last;
        const ogg_int64_t granule = last ? ogg_int64_t(n) : e.audio[k].end - ogg_int64_t(pre);
        packet_in(os, e.audio[k], granule, false, last, ogg_int64_t(3 + k - cut.first));
        if (loop && k == cut.first + 1)
            while (ogg_stream_flush(&os, &pg) != 0) append_page(out, pg);
        while (ogg_stream_pageout(&os, &pg) != 0) append_page(out, pg);
    }
    while (ogg_stream_flush(&os, &pg) != 0) append_page(out, pg);
    ogg_stream_clear(&os);
    return out;
}

}  // namespace assetgen::synth
