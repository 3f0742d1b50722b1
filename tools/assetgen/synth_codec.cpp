#include "synth_codec.h"

#include "synth.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace assetgen::synth {

namespace {

// Wrapped samples around a loop's edges: longer than the codec's long block.
constexpr size_t kLoopPreroll = 4096;
constexpr size_t kLoopPostroll = 4096;

void put_u32(std::vector<uint8_t>& v, uint32_t x) {
    for (int i = 0; i < 4; ++i) v.push_back(uint8_t(x >> (8 * i)));
}
void put_u16(std::vector<uint8_t>& v, uint16_t x) {
    v.push_back(uint8_t(x));
    v.push_back(uint8_t(x >> 8));
}
void put_tag(std::vector<uint8_t>& v, const char* tag) { v.insert(v.end(), tag, tag + 4); }

struct Packet {
    std::vector<uint8_t> data;
    ogg_int64_t end;  // samples decoded up to and including this packet
};

// Feeds `frames` stereo frames (from `frame(i, lr)`) through the encoder and
// returns its audio packets.
template <typename Frame>
std::vector<Packet> analyse(vorbis_dsp_state& vd, vorbis_block& vb, size_t frames, Frame frame) {
    std::vector<Packet> packets;
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
            while (vorbis_bitrate_flushpacket(&vd, &op) == 1)
                packets.push_back({std::vector<uint8_t>(op.packet, op.packet + op.bytes), op.granulepos});
        }
        if (m == 0) return packets;
    }
}

void append_page(std::vector<uint8_t>& out, const ogg_page& pg) {
    out.insert(out.end(), pg.header, pg.header + pg.header_len);
    out.insert(out.end(), pg.body, pg.body + pg.body_len);
}

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

std::vector<uint8_t> encode_ogg(const std::vector<float>& l, const std::vector<float>& r, float quality,
                                int serial, bool loop) {
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
    ogg_stream_state os;
    ogg_stream_init(&os, serial);

    std::vector<uint8_t> out;
    ogg_packet head, comm, code;
    vorbis_analysis_headerout(&vd, &vc, &head, &comm, &code);
    ogg_stream_packetin(&os, &head);
    ogg_stream_packetin(&os, &comm);
    ogg_stream_packetin(&os, &code);
    ogg_page pg;
    while (ogg_stream_flush(&os, &pg) != 0) append_page(out, pg);

    // A loop is encoded with its own end before its start and its start after its end,
    // so the codec sees the same music on both sides of the seam. When the loop is a
    // whole number of long-block hops, the packets there come out identical, and the
    // decoder wrapping from the last packet to the first continues exactly as it would
    // within the stream.
    const size_t n = std::min(l.size(), r.size());
    const size_t pre = loop ? std::min(kLoopPreroll, n) : 0;
    const size_t post = loop ? std::min(kLoopPostroll, n) : 0;
    const std::vector<Packet> packets = analyse(vd, vb, pre + n + post, [&](size_t i, float* lr) {
        i = (i + n - pre) % n;
        lr[0] = l[i];
        lr[1] = r[i];
    });

    // The extras go again by dropping whole packets: decoding starts at `first`, which
    // only primes the decoder, and stops after `last`. The first audio page holds just
    // those two packets, so its granule position trims the rest of the preroll from the
    // single packet decoded on it; the last granule position trims the end to n.
    size_t first = 0, last = packets.size() - 1;
    if (loop) {
        while (first + 2 < packets.size() && packets[first + 1].end <= ogg_int64_t(pre)) ++first;
        last = first + 1;
        while (last + 1 < packets.size() && packets[last].end < ogg_int64_t(pre + n)) ++last;
    }
    for (size_t k = first; k <= last; ++k) {
        ogg_packet op{};
        op.packet = const_cast<unsigned char*>(packets[k].data.data());
        op.bytes = long(packets[k].data.size());
        op.e_o_s = k == last;
        op.granulepos = k == last ? ogg_int64_t(n) : packets[k].end - ogg_int64_t(pre);
        op.packetno = ogg_int64_t(3 + k - first);
        ogg_stream_packetin(&os, &op);
        if (loop && k == first + 1)
            while (ogg_stream_flush(&os, &pg) != 0) append_page(out, pg);
        while (ogg_stream_pageout(&os, &pg) != 0) append_page(out, pg);
    }
    while (ogg_stream_flush(&os, &pg) != 0) append_page(out, pg);

    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return out;
}

}  // namespace assetgen::synth
