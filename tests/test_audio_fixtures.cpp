#include "test_audio_fixtures.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <dirent.h>

#include "vorbis_writer.h"

static void Put32(std::vector<unsigned char>& out, uint32_t v) {
    for (int i = 0; i < 4; i++) out.push_back((unsigned char)(v >> (8 * i)));
}
static void Put16(std::vector<unsigned char>& out, uint32_t v) {
    out.push_back((unsigned char)v);
    out.push_back((unsigned char)(v >> 8));
}

Chunk FmtChunk(int channels, int bits, int rate, int extra, int formatTag) {
    Chunk c{"fmt ", -1, {}};
    int block = channels * bits / 8;
    Put16(c.bytes, (uint32_t)formatTag);
    Put16(c.bytes, (uint32_t)channels);
    Put32(c.bytes, (uint32_t)rate);
    Put32(c.bytes, (uint32_t)(rate * block));
    Put16(c.bytes, (uint32_t)block);
    Put16(c.bytes, (uint32_t)bits);
    for (int i = 0; i < extra; i++) c.bytes.push_back(0);
    return c;
}

Chunk DataChunk(size_t bytes, unsigned char fill) { return Chunk{"data", -1, std::vector<unsigned char>(bytes, fill)}; }

Chunk ToneChunk(int rate, double seconds, double hz, double amplitude) {
    Chunk c{"data", -1, {}};
    int n = (int)(rate * seconds);
    for (int i = 0; i < n; i++) {
        int v = (int)(32767 * amplitude * sin(2 * M_PI * hz * i / rate));
        Put16(c.bytes, (uint32_t)(uint16_t)(int16_t)v);
    }
    return c;
}

std::vector<unsigned char> Riff(const std::vector<Chunk>& chunks) {
    std::vector<unsigned char> body;
    for (const char* p = "WAVE"; *p; p++) body.push_back((unsigned char)*p);
    for (const Chunk& c : chunks) {
        for (int i = 0; i < 4; i++) body.push_back((unsigned char)c.tag[i]);
        Put32(body, (uint32_t)(c.statedSize < 0 ? (long)c.bytes.size() : c.statedSize));
        body.insert(body.end(), c.bytes.begin(), c.bytes.end());
    }
    std::vector<unsigned char> out = {'R', 'I', 'F', 'F'};
    Put32(out, (uint32_t)body.size());
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

std::vector<unsigned char> Wav(int channels, int bits, int rate, size_t bytes) {
    return Riff({FmtChunk(channels, bits, rate), DataChunk(bytes)});
}

bool WriteOgg(const std::string& path, int channels, int rate, double seconds, double hz, float noise,
              const std::vector<std::string>& comments) {
    VorbisFile spec;
    spec.channels = channels;
    spec.rate = rate;
    spec.serial = 1234;
    spec.frames = (long)(rate * seconds);
    if (!comments.empty()) {
        std::vector<unsigned char>& own = spec.commentPacket;
        own = {3, 'v', 'o', 'r', 'b', 'i', 's'};
        const std::string vendor = "Bramblehop tests";
        Put32(own, (uint32_t)vendor.size());
        own.insert(own.end(), vendor.begin(), vendor.end());
        Put32(own, (uint32_t)comments.size());
        for (const std::string& c : comments) {
            Put32(own, (uint32_t)c.size());
            own.insert(own.end(), c.begin(), c.end());
        }
        own.push_back(1);
    }
    return WriteVorbis(path, spec, [&](float** buf, long first, long n) {
        for (long i = 0; i < n; i++)
            for (int c = 0; c < channels; c++)
                buf[c][i] = 0.5f * (float)sin(2 * M_PI * hz * (double)(first + i) / rate) +
                            noise * ((float)(rand() % 2001) / 1000.0f - 1.0f);
    });
}

AudioSession::AudioSession() {
    ASys.StopMusicSys();
    ASys.StreamMasterVolume = 1.0f;
    for (auto& slot : SFXData)
        for (int& v : slot) v = 0;
    ASys.AudioStart();
}

AudioSession::~AudioSession() { ASys.AudioClose(); }

float SourceFloat(int source, ALenum what) {
    ALfloat v = -1;
    alGetSourcef(ALsource[source], what, &v);
    return v;
}

int SourceInt(int source, ALenum what) {
    ALint v = -1;
    alGetSourcei(ALsource[source], what, &v);
    return v;
}

void SourcePosition(int source, float& x, float& y, float& z) {
    x = y = z = -99;
    alGetSource3f(ALsource[source], AL_POSITION, &x, &y, &z);
}

int BufferSize(ALuint buffer) {
    ALint v = -1;
    alGetBufferi(buffer, AL_SIZE, &v);
    return v;
}

int OpenFileCount() {
    int n = 0;
    DIR* d = opendir("/proc/self/fd");
    if (!d) return -1;
    while (readdir(d)) n++;
    closedir(d);
    return n;
}
