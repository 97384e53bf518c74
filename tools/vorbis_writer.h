// Encodes samples to an Ogg Vorbis file. The asset generator's music, the
// tests' music fixtures and the fuzzer's seed tones all come from here, so
// they are framed the same way: the three header packets on pages of their
// own, then audio pages until the end-of-stream page.
#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>
#include <vorbis/vorbisenc.h>

struct VorbisFile {
    int channels = 1;
    int rate = 44100;
    float quality = 0.4f;  // -0.1 to 1, as the VBR encoder takes it
    int serial = 0;        // fixed, so the same samples give the same bytes
    long frames = 0;       // samples per channel
    // Frames handed to the encoder at a time. The encoder's output depends
    // on it, so a caller whose files must stay the same keeps its own.
    long chunk = 1024;
    std::vector<std::pair<std::string, std::string>> tags;
    // When not empty, written as it is in place of the encoder's comment
    // packet (the encoder grows comments a byte at a time, which makes
    // megabytes of them slow).
    std::vector<unsigned char> commentPacket;
};

// fill(buf, first, n) writes frames first to first + n - 1 of every channel c
// into buf[c][0] to buf[c][n - 1]; it is called in frame order. False when
// the encoder refuses the settings (no file is made) or the file cannot be
// written.
template <class Fill>
bool WriteVorbis(const std::string& path, const VorbisFile& spec, Fill fill) {
    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, spec.channels, spec.rate, spec.quality) != 0) {
        vorbis_info_clear(&vi);
        return false;
    }
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) {
        vorbis_info_clear(&vi);
        return false;
    }
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    for (const auto& tag : spec.tags) vorbis_comment_add_tag(&vc, tag.first.c_str(), tag.second.c_str());
    vorbis_dsp_state vd;
    vorbis_block vb;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, spec.serial);
    ogg_packet header, comm, code;
    vorbis_analysis_headerout(&vd, &vc, &header, &comm, &code);
    std::vector<unsigned char> own = spec.commentPacket;
    if (!own.empty()) {
        comm.packet = own.data();
        comm.bytes = (long)own.size();
    }
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &comm);
    ogg_stream_packetin(&os, &code);
    bool ok = true;
    auto write = [&](const ogg_page& p) {
        ok = ok && std::fwrite(p.header, 1, (size_t)p.header_len, out) == (size_t)p.header_len;
        ok = ok && std::fwrite(p.body, 1, (size_t)p.body_len, out) == (size_t)p.body_len;
    };
    ogg_page og;
    while (ogg_stream_flush(&os, &og)) write(og);
    long done = 0;
    bool eos = false;
    while (!eos) {
        long n = std::min(spec.chunk, spec.frames - done);
        if (n < 0) n = 0;
        if (n > 0) {
            fill(vorbis_analysis_buffer(&vd, (int)n), done, n);
            done += n;
        }
        // A count of 0 tells the encoder the stream has ended.
        vorbis_analysis_wrote(&vd, (int)n);
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet op;
            while (vorbis_bitrate_flushpacket(&vd, &op)) {
                ogg_stream_packetin(&os, &op);
                while (!eos && ogg_stream_pageout(&os, &og)) {
                    write(og);
                    if (ogg_page_eos(&og)) eos = true;
                }
            }
        }
        if (n == 0) break;
    }
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return std::fclose(out) == 0 && ok;
}
