// Writes a short two-tone Ogg Vorbis stream for the Ogg fuzzer's seeds:
//   tone_ogg OUT CHANNELS RATE SECONDS QUALITY
// Low rates and qualities give small set-up headers, which the decoder
// opens quickly.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vorbis/vorbisenc.h>

static void WritePage(FILE* out, const ogg_page& og) {
    fwrite(og.header, 1, (size_t)og.header_len, out);
    fwrite(og.body, 1, (size_t)og.body_len, out);
}

int main(int argc, char** argv) {
    if (argc != 6) {
        fprintf(stderr, "usage: tone_ogg OUT CHANNELS RATE SECONDS QUALITY\n");
        return 2;
    }
    int channels = atoi(argv[2]), rate = atoi(argv[3]);
    double seconds = atof(argv[4]);
    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, channels, rate, (float)atof(argv[5])) != 0) {
        fprintf(stderr, "tone_ogg: the encoder refused those settings\n");
        return 1;
    }
    FILE* out = fopen(argv[1], "wb");
    if (!out) return 1;
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_dsp_state vd;
    vorbis_block vb;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, 552);
    ogg_packet head, comment, setup;
    vorbis_analysis_headerout(&vd, &vc, &head, &comment, &setup);
    ogg_stream_packetin(&os, &head);
    ogg_stream_packetin(&os, &comment);
    ogg_stream_packetin(&os, &setup);
    ogg_page og;
    while (ogg_stream_flush(&os, &og)) WritePage(out, og);
    long total = (long)(rate * seconds), done = 0;
    for (;;) {
        long n = total - done < 256 ? total - done : 256;
        if (n > 0) {
            float** buf = vorbis_analysis_buffer(&vd, (int)n);
            for (long i = 0; i < n; i++)
                for (int c = 0; c < channels; c++) {
                    double t = (double)(done + i) / rate;
                    buf[c][i] = (float)(0.4 * sin(2 * M_PI * 440 * t) + 0.1 * sin(2 * M_PI * 3000 * t));
                }
            done += n;
        }
        vorbis_analysis_wrote(&vd, (int)n);
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet op;
            while (vorbis_bitrate_flushpacket(&vd, &op)) {
                ogg_stream_packetin(&os, &op);
                while (ogg_stream_pageout(&os, &og)) WritePage(out, og);
            }
        }
        if (n == 0) break;
    }
    while (ogg_stream_flush(&os, &og)) WritePage(out, og);
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return fclose(out) == 0 ? 0 : 1;
}
