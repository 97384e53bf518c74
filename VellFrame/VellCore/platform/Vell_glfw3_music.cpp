// Music streaming: a WAV or Ogg Vorbis file read in blocks into kMusicBuffers
// OpenAL buffers queued on its own source, topped up by polling from the game loop.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "Vell_glfw3_audio.h"

#define STB_VORBIS_HEADER_ONLY
#include <stb/stb_vorbis.h>

FILE* MusicFile = nullptr;
stb_vorbis* OggFile = nullptr;
fpos_t MusicFileBegin;
int MusicBufferTick = 0;
int MusicBufferStats[10];

static const int BlockBytes = 16384;
static const int OggBlockSamples = 16384;

// Fixed block areas: the stream reads into these every top-up, so playing
// music allocates nothing per frame.
static unsigned char WavBlock[BlockBytes];
static short OggBlock[OggBlockSamples];

static ALuint MusicSource() { return ALsource[vell::kMusicSource]; }

// The Ogg stream's checked pages, decoded from memory so the decoder can
// never read past them.
static unsigned char* OggBytes = nullptr;
static const long MaxOggBytes = 64L << 20;

// The decoder works inside one area of our own instead of the heap: some
// of its error paths forget to free what they took, and freeing the area
// takes everything back. The area is sized per stream: a fixed part for the
// codebooks and working buffers, plus whatever the comments hold (cover art
// in a comment can be megabytes).
// The decoder's working area outlives each stream: every song needs about
// the same, and a fresh megabyte per song would cost the system calls and
// page faults of a new mapping each time.
static char* OggArena = nullptr;
static long long OggArenaBytes = 0;
long OggDecoderSpare = 1L << 20;

static void CloseStreamFiles() {
    if (OggFile) stb_vorbis_close(OggFile);
    OggFile = nullptr;
    free(OggBytes);
    OggBytes = nullptr;
    if (MusicFile) fclose(MusicFile);
    MusicFile = nullptr;
}

// Common first steps of a new stream: silence and empty the queue, drop the
// previous file and decoder.
static void BeginStream(VellSys& sys, int loop) {
    if (AudioLive()) {
        alSourceStop(MusicSource());
        alSourcei(MusicSource(), AL_BUFFER, 0);
        alGetError();
    }
    CloseStreamFiles();
    sys.StreamType = 0;
    sys.StreamIndex = 0;
    sys.StreamLoop = loop;
}

static void ResetStream(VellSys& sys, int type) {
    sys.StreamPitch = 1.0f;
    sys.StreamVolume = 1.0f;
    sys.StreamPan = 0.0f;
    MusicBufferTick = -3;
    sys.StreamIndex = 0;
    sys.StreamType = type;
}

static void ApplyMusicParams(VellSys& sys) {
    if (!AudioLive()) return;
    alSourcef(MusicSource(), AL_PITCH, sys.StreamPitch);
    alSourcef(MusicSource(), AL_GAIN, sys.StreamMasterVolume * sys.StreamVolume);
    alSource3f(MusicSource(), AL_POSITION, -sys.StreamPan, 0, 0);
}

// Steps 1 and 2 of a top-up: false when the queue is full. A source that
// starved is emptied and refilled four blocks at once, so it resumes with
// new music rather than replaying the blocks it already played.
static bool RoomForBlock(int& processed) {
    processed = 0;
    if (AudioLive()) {
        alGetError();
        ALint state = 0;
        alGetSourcei(MusicSource(), AL_BUFFERS_PROCESSED, &processed);
        alGetSourcei(MusicSource(), AL_SOURCE_STATE, &state);
        if (state == AL_STOPPED && MusicBufferTick > 0 && processed > 0) {
            ALuint gone[kMusicBuffers];
            alSourceUnqueueBuffers(MusicSource(), processed > kMusicBuffers ? kMusicBuffers : processed, gone);
            alGetError();
            processed = 0;
            MusicBufferTick = -3;
        }
    }
    return !(processed == 0 && MusicBufferTick > 0);
}

static void QueueBlock(VellSys& sys, const void* data, int bytes, int processed) {
    ALuint buf = MusicBuffer[sys.StreamIndex];
    if (AudioLive()) {
        // Refill the buffer OpenAL just finished; in the normal rotation it
        // is MusicBuffer[StreamIndex] anyway.
        if (MusicBufferTick > 0 && processed > 0) alSourceUnqueueBuffers(MusicSource(), 1, &buf);
        alBufferData(buf, MusicBufferStats[1], data, bytes, MusicBufferStats[4]);
        alSourceQueueBuffers(MusicSource(), 1, &buf);
    }
    sys.StreamIndex = (sys.StreamIndex + 1) % kMusicBuffers;
    MusicBufferTick += 1;
    if (AudioLive()) {
        ALenum e = alGetError();
        if (e != AL_NO_ERROR) sys.Debuglog(sys.fstrSys("Buffer Error %i", e));
    }
}

// A finished stream lets its queue play out and gives up its file.
static void EndStream(VellSys& sys) {
    sys.StreamType = 0;
    CloseStreamFiles();
}

static void FinishTopUp(VellSys& sys) {
    ApplyMusicParams(sys);
    if (!AudioLive()) return;
    ALint state = 0;
    alGetSourcei(MusicSource(), AL_SOURCE_STATE, &state);
    if (state != AL_PLAYING) alSourcePlay(MusicSource());
}

void VellSys::PlayMusic_Wav_Sys(const char* path, int loop) {
    BeginStream(*this, loop);
    MusicFile = path ? fopen(path, "rb") : nullptr;
    if (!MusicFile) {
        Debuglog(fstrSys("Error Opening Wave - %s", path ? path : ""));
        return;
    }
    fgetpos(MusicFile, &MusicFileBegin);
    WavHeader h = {};
    ALenum format = 0;
    if (ReadWavHeader(MusicFile, h)) format = WavFormat(h.bits / 8, h.channels);
    if (format == 0 || h.rate <= 0) {
        // Streaming such a file would only queue noise or fail every block.
        Debuglog(fstrSys("Not a PCM Wave - %s", path));
        CloseStreamFiles();
        return;
    }
    fsetpos(MusicFile, &MusicFileBegin);
    MusicBufferStats[1] = format;
    MusicBufferStats[3] = 1024;
    MusicBufferStats[4] = h.rate;
    ResetStream(*this, 1);
    BufferMusic_Wav_Sys();
    if (AudioLive()) {
        alSourcePlay(MusicSource());
        if (alGetError() != AL_NO_ERROR) fputs("Error Opening WAV stream :(\n", stderr);
    }
}

// Reads the whole file; null (with the reason logged) when it cannot.
static unsigned char* ReadOggFile(VellSys& sys, FILE* f, const char* path, long& size) {
    size = -1;
    if (fseek(f, 0, SEEK_END) == 0) size = ftell(f);
    rewind(f);
    if (size < 0 || size > MaxOggBytes) {
        sys.Debuglog(sys.fstrSys("Ogg stream too large to play - %s", path));
        return nullptr;
    }
    unsigned char* bytes = (unsigned char*)malloc(size > 0 ? (size_t)size : 1);
    if (!bytes || fread(bytes, 1, (size_t)size, f) != (size_t)size) {
        sys.Debuglog(sys.fstrSys("Error Reading Ogg - %s", path));
        free(bytes);
        return nullptr;
    }
    return bytes;
}

void VellSys::PlayMusic_Ogg_Sys(const char* path, int loop) {
    BeginStream(*this, loop);
    FILE* f = path ? fopen(path, "rb") : nullptr;
    if (!f) {
        Debuglog("Error Opening Ogg");
        return;
    }
    long size;
    OggBytes = ReadOggFile(*this, f, path, size);
    fclose(f);
    if (!OggBytes) return;
    long good = CheckedOggLength(OggBytes, size);
    if (good == 0) {
        Debuglog(fstrSys("Not an Ogg Vorbis stream - %s (damaged at byte 0)", path));
        CloseStreamFiles();
        return;
    }
    long long commentMemory = 0;
    if (!VorbisHeadersSound(OggBytes, good, &commentMemory)) {
        Debuglog(fstrSys("Not an Ogg Vorbis stream - %s (damaged headers)", path));
        CloseStreamFiles();
        return;
    }
    if (good < size) Debuglog(fstrSys("Ogg stream damaged at byte %li, played up to there - %s", good, path));
    int err = 0;
    long long areaBytes = OggDecoderSpare + commentMemory;
    if (areaBytes > OggArenaBytes) {
        free(OggArena);
        OggArena = nullptr;
        OggArenaBytes = 0;
        if (areaBytes <= INT32_MAX) OggArena = (char*)malloc((size_t)areaBytes);
        if (OggArena) OggArenaBytes = areaBytes;
    }
    if (!OggArena) {
        Debuglog(fstrSys("Not enough memory for Ogg stream - %s (%lli bytes)", path, areaBytes));
        CloseStreamFiles();
        return;
    }
    stb_vorbis_alloc arena = {OggArena, (int)areaBytes};
    OggFile = stb_vorbis_open_memory(OggBytes, (int)good, &err, &arena);
    if (!OggFile && err == VORBIS_outofmem) {
        Debuglog(fstrSys("Not enough memory for Ogg stream - %s (%lli bytes)", path, areaBytes));
        CloseStreamFiles();
        return;
    }
    if (!OggFile) {
        Debuglog(fstrSys("Not an Ogg Vorbis stream - %s (%i)", path, err));
        CloseStreamFiles();
        return;
    }
    stb_vorbis_info info = stb_vorbis_get_info(OggFile);
    int ch = info.channels;
    ALenum format = ch == 1 ? AL_FORMAT_MONO16 : ch == 2 ? AL_FORMAT_STEREO16 : 0;
    MusicBufferStats[1] = format;
    MusicBufferStats[5] = ch;
    MusicBufferStats[3] = ch > 0 ? 4096 / ch : 0;
    MusicBufferStats[4] = (int)info.sample_rate;
    if (format == 0) {
        Debuglog(fstrSys("Ogg stream with %i channels not played", ch));
        CloseStreamFiles();
        return;
    }
    ResetStream(*this, 2);
    BufferMusic_Ogg_Sys();
    if (AudioLive()) {
        alSourcePlay(MusicSource());
        if (alGetError() != AL_NO_ERROR) fputs("Error Opening OGG stream :(\n", stderr);
    }
}

// Without a device nothing is read: the stream stays where the sound went,
// and a device that comes back picks it up there.
void VellSys::BufferMusic_Wav_Sys() {
    if (StreamType != 1 || !MusicFile || !AudioLive()) return;
    int processed;
    if (!RoomForBlock(processed)) return;
    // Only whole blocks are played; a shorter tail is dropped.
    if (fread(WavBlock, 1, BlockBytes, MusicFile) == (size_t)BlockBytes)
        QueueBlock(*this, WavBlock, BlockBytes, processed);
    if (feof(MusicFile) || ferror(MusicFile)) {
        if (StreamLoop == 1 && !ferror(MusicFile)) {
            clearerr(MusicFile);
            fsetpos(MusicFile, &MusicFileBegin);
        } else {
            EndStream(*this);
        }
    }
    FinishTopUp(*this);
}

void VellSys::BufferMusic_Ogg_Sys() {
    if (StreamType != 2 || !OggFile || !AudioLive()) return;
    int processed;
    if (!RoomForBlock(processed)) return;
    int ch = MusicBufferStats[5];
    int frames = stb_vorbis_get_samples_short_interleaved(OggFile, ch, OggBlock, OggBlockSamples);
    if (frames > 0) {
        // Exactly what was decoded; a mono block is half the area.
        QueueBlock(*this, OggBlock, frames * ch * 2, processed);
    } else if (StreamLoop == 1 && stb_vorbis_seek_start(OggFile)) {
        // The next top-up decodes from the beginning again.
    } else {
        // The end, or a decoding error that rewinding cannot get past.
        EndStream(*this);
    }
    FinishTopUp(*this);
}

void VellSys::HandleMusicSys() {
    if (StreamType == 1) BufferMusic_Wav_Sys();
    if (StreamType == 2) BufferMusic_Ogg_Sys();
    ApplyMusicParams(*this);
}

void ResumeMusicStream(VellSys& sys) {
    if (sys.StreamType == 0) return;
    // The new source starts with an empty queue: fill it from the start.
    sys.StreamIndex = 0;
    MusicBufferTick = -3;
    sys.HandleMusicSys();
}

void VellSys::StopMusicSys() {
    StreamType = 0;
    StreamIndex = 0;
    CloseStreamFiles();
}
