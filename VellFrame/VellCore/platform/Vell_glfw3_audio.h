// Shared by the sound-effect and music files (and the audio tests): the
// OpenAL handles and tables, the little RIFF reader, the stream's file state.
#pragma once

#include <AL/al.h>
#include <AL/alc.h>
#include <cstdint>
#include <cstdio>
#include <string>

#include "Vell_glfw3.h"

struct stb_vorbis;

extern ALCdevice* ALdev;
extern ALCcontext* ALctx;
extern int AudioEnabled;
// The effects' sources come first, then vell::kMusicSource.
extern ALuint ALsource[vell::kSoundSources];
extern int ALsourcebuffer[vell::kSoundSources];
extern int ALChannel;
extern ALuint ALbuffer[vell::kSoundSlots];
extern int ALbufferActive[vell::kSoundSlots];
// Per slot: data bytes, sample frames, channels, bytes per sample, rate.
extern int SFXData[vell::kSoundSlots][10];
// The music stream's buffers, queued in turn.
constexpr int kMusicBuffers = 4;
extern ALuint MusicBuffer[kMusicBuffers];

// Music stream state.
extern FILE* MusicFile;
extern stb_vorbis* OggFile;
extern fpos_t MusicFileBegin;
extern int MusicBufferTick;
extern int MusicBufferStats[10];

// An Ogg page's checksum, as stored little-endian at kOggCrcAt; the bytes
// there are read as zero, so a page can be checked or repaired in place.
constexpr long kOggCrcAt = 22;
uint32_t OggPageCrc(const unsigned char* page, long length);
// How many bytes from the start of an Ogg file are whole pages whose
// checksums hold; only those reach the decoder.
long CheckedOggLength(const unsigned char* data, long size);
// Whether the identification and comment headers at the start of checked
// pages are consistent enough to hand to the decoder; if so, and asked for,
// how many bytes of decoder memory the comments will take.
bool VorbisHeadersSound(const unsigned char* data, long size, long long* commentMemory = nullptr);
// Decoder memory given to an Ogg stream on top of what its comments need
// (tests lower it to see a stream refused for memory).
extern long OggDecoderSpare;

// Returned by readInt and readShort when the bytes are not there.
const int ReadFailed = vell::kReadPastEnd;

std::string readTag(FILE* f);
int readInt(FILE* f);
int readShort(FILE* f);
void skipBytes(long count, FILE* f);

// The fields of a WAV header up to the end of its "fmt " chunk.
struct WavHeader {
    int formatTag, channels, rate, byteRate, blockAlign, bits;
};
// Reads "RIFF", size, "WAVE" and the "fmt " chunk (skipping its extra bytes);
// false as soon as a required part is missing or the format is not PCM.
bool ReadWavHeader(FILE* f, WavHeader& h);
// AL_FORMAT_* for bytes per sample and channels, 0 for anything else.
ALenum WavFormat(int bytesPerSample, int channels);

// True while there is a current OpenAL context to talk to. Without one the
// game runs silent and every AL call is skipped.
inline bool AudioLive() { return ALctx != nullptr; }

// How a device is opened and asked whether it is still there. Tests stand
// in for a device that goes away or turns up late.
extern ALCdevice* (*AudioOpenDevice)();
extern bool (*AudioDeviceConnected)(ALCdevice* device);

// After a device came back: the stream that was playing carries on from
// where its file stood when the sound went.
void ResumeMusicStream(VellSys& sys);
