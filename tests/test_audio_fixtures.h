// Sound fixtures made in code (WAV bytes, Ogg Vorbis files) and an OpenAL
// session for the audio, music, sound-request and loader tests.
#pragma once

#include <string>
#include <vector>

#include "Vell_glfw3_audio.h"

// One RIFF chunk: a 4-character tag, a stated size (may lie) and its bytes.
struct Chunk {
    std::string tag;
    long statedSize;  // -1: the size of the bytes
    std::vector<unsigned char> bytes;
};

// A PCM "fmt " chunk; extra > 0 makes it 16 + extra bytes long.
Chunk FmtChunk(int channels, int bits, int rate, int extra = 0, int formatTag = 1);
Chunk DataChunk(size_t bytes, unsigned char fill = 0x40);
// A sine tone of the given frequency, 16-bit mono.
Chunk ToneChunk(int rate, double seconds, double hz, double amplitude = 0.5);
// "RIFF", size, "WAVE", then the chunks.
std::vector<unsigned char> Riff(const std::vector<Chunk>& chunks);
// The common case: a PCM WAV of the given format with `bytes` data bytes.
std::vector<unsigned char> Wav(int channels, int bits, int rate, size_t bytes);

// Encodes a sine tone as Ogg Vorbis, with some white noise mixed in when
// the file should be large, and the given comments ("TAG=value") in its
// comment header; false when the encoder refuses.
bool WriteOgg(const std::string& path, int channels, int rate, double seconds, double hz, float noise = 0,
              const std::vector<std::string>& comments = {});

// Starts OpenAL for one test and closes it again; also resets the stream
// state a previous test in the same process may have left.
class AudioSession {
public:
    AudioSession();
    ~AudioSession();
    bool Live() const { return AudioLive(); }
};

// Reads back what a source was given.
float SourceFloat(int source, ALenum what);
int SourceInt(int source, ALenum what);
void SourcePosition(int source, float& x, float& y, float& z);
int BufferSize(ALuint buffer);

// Open file descriptors of this process, to catch files left open.
int OpenFileCount();
