// Writes a short two-tone Ogg Vorbis stream for the Ogg fuzzer's seeds:
//   tone_ogg OUT CHANNELS RATE SECONDS QUALITY
// Low rates and qualities give small set-up headers, which the decoder
// opens quickly.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "vorbis_writer.h"

int main(int argc, char** argv) {
    if (argc != 6) {
        fprintf(stderr, "usage: tone_ogg OUT CHANNELS RATE SECONDS QUALITY\n");
        return 2;
    }
    VorbisFile spec;
    spec.channels = atoi(argv[2]);
    spec.rate = atoi(argv[3]);
    spec.quality = (float)atof(argv[5]);
    spec.serial = 552;
    spec.frames = (long)(spec.rate * atof(argv[4]));
    spec.chunk = 256;
    const int rate = spec.rate, channels = spec.channels;
    bool ok = WriteVorbis(argv[1], spec, [&](float** buf, long first, long n) {
        for (long i = 0; i < n; i++)
            for (int c = 0; c < channels; c++) {
                double t = (double)(first + i) / rate;
                buf[c][i] = (float)(0.4 * sin(2 * M_PI * 440 * t) + 0.1 * sin(2 * M_PI * 3000 * t));
            }
    });
    if (!ok) fprintf(stderr, "tone_ogg: the encoder refused those settings or the file could not be written\n");
    return ok ? 0 : 1;
}
