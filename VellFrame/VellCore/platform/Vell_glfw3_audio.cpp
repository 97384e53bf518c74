// Sound effects: OpenAL start-up and shutdown, the RIFF/WAV reader shared
// with the music stream, loading effects into buffers and playing them on a
// ring of vell::kEffectSources sources.
#include "Vell_glfw3_audio.h"

#include <AL/alext.h>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "VellMaths.h"

ALCdevice* ALdev = nullptr;
ALCcontext* ALctx = nullptr;
int AudioEnabled = 0;
ALuint ALsource[vell::kSoundSources];
int ALsourcebuffer[vell::kSoundSources];
int ALChannel = 0;
ALuint ALbuffer[vell::kSoundSlots];
int ALbufferActive[vell::kSoundSlots];
int SFXData[vell::kSoundSlots][10];
ALuint MusicBuffer[kMusicBuffers];

std::string readTag(FILE* f) {
    char tag[4];
    if (fread(tag, 1, 4, f) != 4) return "";
    return std::string(tag, 4);
}

int readInt(FILE* f) {
    unsigned char b[4];
    if (fread(b, 1, 4, f) != 4) return ReadFailed;
    uint32_t v = (uint32_t)b[0] | (uint32_t)b[1] << 8 | (uint32_t)b[2] << 16 | (uint32_t)b[3] << 24;
    return (int)v;
}

int readShort(FILE* f) {
    unsigned char b[2];
    if (fread(b, 1, 2, f) != 2) return ReadFailed;
    return b[0] | b[1] << 8;
}

void skipBytes(long count, FILE* f) {
    unsigned char scrap[4096];
    while (count > 0) {
        size_t want = count < (long)sizeof scrap ? (size_t)count : sizeof scrap;
        size_t got = fread(scrap, 1, want, f);
        if (got == 0) return;  // the file ended first
        count -= (long)got;
    }
}

bool ReadWavHeader(FILE* f, WavHeader& h) {
    if (readTag(f) != "RIFF") return false;
    readInt(f);
    if (readTag(f) != "WAVE") return false;
    if (readTag(f) != "fmt ") return false;
    int n = readInt(f);
    h.formatTag = readShort(f);
    if (h.formatTag != 1) return false;
    h.channels = readShort(f);
    h.rate = readInt(f);
    h.byteRate = readInt(f);
    h.blockAlign = readShort(f);
    h.bits = readShort(f);
    if (h.bits == ReadFailed) return false;  // the header itself is cut short
    if (n > 16) skipBytes((long)n - 16 + (n & 1), f);
    return true;
}

ALenum WavFormat(int bytesPerSample, int channels) {
    if (bytesPerSample == 1 && channels == 1) return AL_FORMAT_MONO8;
    if (bytesPerSample == 1 && channels == 2) return AL_FORMAT_STEREO8;
    if (bytesPerSample == 2 && channels == 1) return AL_FORMAT_MONO16;
    if (bytesPerSample == 2 && channels == 2) return AL_FORMAT_STEREO16;
    return 0;
}

// Each slot's samples as loaded, so a device that comes back (or turns up
// after start-up) gets every sound again without reading the files anew.
static unsigned char* SoundBytes[vell::kSoundSlots];

// Set from AudioStart to AudioClose: only then is a device looked for.
static bool AudioWanted = false;
// When the next look at the device is due; unset until the first watch.
static bool AudioDueSet = false;
static int AudioDue = 0;
// Whether this device can say that it went away at all.
static bool AudioCanTellLoss = false;

// The game's millisecond clock wraps round; readings are compared by their
// difference.
static int MillsSince(int later, int earlier) { return (int)((unsigned)later - (unsigned)earlier); }
static int MillsAfter(int t, int ms) { return (int)((unsigned)t + (unsigned)ms); }

static ALCdevice* OpenDefaultDevice() { return alcOpenDevice(nullptr); }

static bool DefaultDeviceConnected(ALCdevice* device) {
    if (!AudioCanTellLoss) return true;
    ALCint connected = 1;
    alcGetIntegerv(device, ALC_CONNECTED, 1, &connected);
    return connected != 0;
}

ALCdevice* (*AudioOpenDevice)() = OpenDefaultDevice;
bool (*AudioDeviceConnected)(ALCdevice* device) = DefaultDeviceConnected;

// The sound libraries write a few lines to the error output for every
// device they fail to open; a machine without sound would collect them
// every 2 s for the whole run. The retries send those to /dev/null.
static ALCdevice* OpenWithoutNoise() {
    fflush(stderr);
    int saved = dup(STDERR_FILENO);
    int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    bool hushed = saved >= 0 && null >= 0 && dup2(null, STDERR_FILENO) >= 0;
    ALCdevice* device = AudioOpenDevice();
    if (hushed) {
        fflush(stderr);
        dup2(saved, STDERR_FILENO);
    }
    if (null >= 0) close(null);
    if (saved >= 0) close(saved);
    return device;
}

// Opens the default device with a context, sources, music buffers and the
// listener. A quiet attempt (the retries while silent) says nothing when no
// device is there yet, so a machine without sound gets no line every 2 s.
static bool OpenAudio(VellSys& sys, bool quiet) {
    ALdev = quiet ? OpenWithoutNoise() : AudioOpenDevice();
    if (!ALdev) {
        if (!quiet) sys.Debuglog("Audio Device Error");
        return false;
    }
    ALctx = alcCreateContext(ALdev, nullptr);
    if (ALctx && !alcMakeContextCurrent(ALctx)) {
        alcDestroyContext(ALctx);
        ALctx = nullptr;
    }
    if (!ALctx) {
        if (!quiet) sys.Debuglog("Audio Context Issue");
        alcCloseDevice(ALdev);
        ALdev = nullptr;
        return false;
    }
    AudioCanTellLoss = alcIsExtensionPresent(ALdev, "ALC_EXT_disconnect") == ALC_TRUE;
    sys.Debuglog("OpenAL Audio Engaged!");
    AudioEnabled = 1;
    alGenSources(vell::kSoundSources, ALsource);
    alGenBuffers(kMusicBuffers, MusicBuffer);
    if (alGetError() != AL_NO_ERROR) {
        sys.Debuglog("Error with Audio Buffers");
        AudioEnabled = 0;
    }
    ALfloat at_up[6] = {0, 0, 1, 0, 1, 0};
    alListener3f(AL_POSITION, 0, 0, 1);
    alListener3f(AL_VELOCITY, 0, 0, 0);
    alListenerfv(AL_ORIENTATION, at_up);
    return true;
}

// Lets go of the context and the device. The slots stay loaded: their
// samples are kept, and a device that comes back gets them again.
static void DropAudio() {
    if (AudioLive()) {
        alDeleteSources(vell::kSoundSources, ALsource);
        alDeleteBuffers(kMusicBuffers, MusicBuffer);
        for (int i = 0; i < vell::kSoundSlots; i++)
            if (ALbufferActive[i] == 1) alDeleteBuffers(1, &ALbuffer[i]);
        alGetError();
    }
    for (int i = 0; i < vell::kSoundSlots; i++) ALbuffer[i] = 0;
    if (ALdev) alcMakeContextCurrent(nullptr);
    if (ALctx) alcDestroyContext(ALctx);
    if (ALdev) alcCloseDevice(ALdev);
    ALctx = nullptr;
    ALdev = nullptr;
    AudioEnabled = 0;
}

// A new device starts with no sources playing and every loaded slot's
// sound in a buffer of its own again.
static void RefillBuffers() {
    for (int i = 0; i < vell::kSoundSources; i++) ALsourcebuffer[i] = -1;
    for (int s = 0; s < vell::kSoundSlots; s++) {
        if (ALbufferActive[s] != 1) continue;
        alGenBuffers(1, &ALbuffer[s]);
        ALenum format = WavFormat(SFXData[s][3], SFXData[s][2]);
        if (SoundBytes[s] && format != 0)
            alBufferData(ALbuffer[s], format, SoundBytes[s], SFXData[s][0], SFXData[s][4]);
    }
    alGetError();
}

void VellSys::AudioStart() {
    AudioEnabled = 0;
    ALChannel = 0;
    for (int i = 0; i < vell::kSoundSources; i++) ALsourcebuffer[i] = 0;
    for (int i = 0; i < vell::kSoundSlots; i++) ALbufferActive[i] = 0;
    AudioWanted = true;
    AudioDueSet = false;
    OpenAudio(*this, false);
}

void VellSys::AudioWatch(int mills) {
    if (!AudioWanted) return;
    if (AudioDueSet && MillsSince(mills, AudioDue) < 0) return;
    bool live = AudioLive();
    if (!AudioDueSet) {
        // The first look comes one interval after start-up.
        AudioDueSet = true;
        AudioDue = MillsAfter(mills, live ? vell::kAudioCheckMs : vell::kAudioRetryMs);
        return;
    }
    if (live) {
        AudioDue = MillsAfter(mills, vell::kAudioCheckMs);
        if (AudioDeviceConnected(ALdev)) return;
        Debuglog("Audio Device Lost");
        DropAudio();
        AudioDue = MillsAfter(mills, vell::kAudioRetryMs);
        return;
    }
    AudioDue = MillsAfter(mills, vell::kAudioRetryMs);
    if (!OpenAudio(*this, true)) return;
    RefillBuffers();
    ResumeMusicStream(*this);
}

void VellSys::AudioClose() {
    Debuglog("Closing OpenAL Audio");
    StopMusicSys();
    DropAudio();
    for (int i = 0; i < vell::kSoundSlots; i++) {
        ALbufferActive[i] = 0;
        free(SoundBytes[i]);
        SoundBytes[i] = nullptr;
    }
    AudioWanted = false;
}

// Lets go of whatever buffer a source holds, so the buffer can be deleted.
// Effect sources hold one static buffer; the music source holds a queue.
static void ReleaseSource(ALuint source) {
    alSourceStop(source);
    ALint type = 0;
    alGetSourcei(source, AL_SOURCE_TYPE, &type);
    if (type == AL_STATIC) {
        alSourcei(source, AL_BUFFER, 0);
    } else if (type == AL_STREAMING) {
        ALint processed = 0;
        alGetSourcei(source, AL_BUFFERS_PROCESSED, &processed);
        ALuint gone;
        if (processed > 0) alSourceUnqueueBuffers(source, 1, &gone);
    }
}

// Reads the chunks after the header; the first complete "data" chunk goes
// into the slot's buffer, and a later one replaces it. False when the file
// ended without any sound and nothing was said about it yet.
static bool LoadWavChunks(VellSys& sys, int s, FILE* f, const WavHeader& h, long fileSize) {
    bool said = false;
    for (;;) {
        std::string tag = readTag(f);
        if (feof(f) || ferror(f)) break;
        int size = readInt(f);
        // RIFF keeps chunks at even offsets: an odd-sized chunk is followed
        // by one pad byte that its size does not count.
        long pad = size > 0 ? (size & 1) : 0;
        if (tag != "data") {
            skipBytes((long)size + pad, f);
            continue;
        }
        long left = fileSize - ftell(f);
        if (size < 0 || (long)size > left) {
            // A lying size must not decide how much memory we take.
            sys.Debuglog(sys.fstrSys("Wave data chunk of %i bytes is larger than the file", size));
            return true;
        }
        unsigned char* bytes = (unsigned char*)malloc(size > 0 ? (size_t)size : 1);
        if (!bytes) {
            sys.Debuglog(sys.fstrSys("No memory for %i bytes of wave data", size));
            return true;
        }
        if (fread(bytes, 1, (size_t)size, f) == (size_t)size) {
            int bps = h.bits / 8;
            int frameBytes = h.channels * bps;
            SFXData[s][0] = size;
            SFXData[s][1] = frameBytes > 0 ? size / frameBytes : 0;
            SFXData[s][2] = h.channels;
            SFXData[s][3] = bps;
            SFXData[s][4] = h.rate;
            if (AudioLive()) alBufferData(ALbuffer[s], WavFormat(bps, h.channels), bytes, size, h.rate);
            sys.Debuglog(sys.fstrSys("     Load %i bytes", size));
            said = true;
            if (AudioLive()) {
                ALenum e = alGetError();
                if (e != AL_NO_ERROR) sys.Debuglog(sys.fstrSys("Post Error %i", e));
            }
            free(SoundBytes[s]);
            SoundBytes[s] = bytes;
        } else {
            free(bytes);
        }
        skipBytes(pad, f);
    }
    return said;
}

void VellSys::GetWAV(int s, const char* path) {
    if (s < 0 || s >= vell::kSoundSlots) {
        Debuglog(fstrSys("Sound number out of bounds %i", s));
        return;
    }
    bool live = AudioLive();
    if (live) alGetError();
    for (int i = 0; i < vell::kSoundSources; i++) {
        if (ALsourcebuffer[i] != s) continue;
        Debuglog(fstrSys("Freeing Buffer %i", i));
        ALsourcebuffer[i] = -1;
        if (!live) continue;
        ReleaseSource(ALsource[i]);
        ALenum e = alGetError();
        if (e != AL_NO_ERROR) Debuglog(fstrSys("Source->Buffer Error %i", e));
    }
    if (ALbufferActive[s] == 1) {
        ALbufferActive[s] = 0;
        if (live) {
            alDeleteBuffers(1, &ALbuffer[s]);
            ALenum e = alGetError();
            if (e != AL_NO_ERROR) Debuglog(fstrSys("Delete Buffer Error %i", e));
        }
    }
    ALbuffer[s] = 0;
    free(SoundBytes[s]);
    SoundBytes[s] = nullptr;
    if (live) {
        alGenBuffers(1, &ALbuffer[s]);
        ALenum e = alGetError();
        if (e != AL_NO_ERROR) Debuglog(fstrSys("Generate Buffer Error %i", e));
    }
    ALbufferActive[s] = 1;

    FILE* f = path ? fopen(path, "rb") : nullptr;
    if (!f) {
        Debuglog("Error Opening Wave");
        return;
    }
    long fileSize = -1;
    if (fseek(f, 0, SEEK_END) == 0) fileSize = ftell(f);
    rewind(f);
    WavHeader h = {};
    // A damaged or foreign file leaves the slot silent, and the log says so.
    if (fileSize < 0 || !ReadWavHeader(f, h)) Debuglog("Not a PCM Wave file");
    else if (!LoadWavChunks(*this, s, f, h, fileSize)) Debuglog("No sound data in the Wave file");
    fclose(f);
}

void VellSys::PlayWAV(int s, float pitch, float volume, float pan, int loop) {
    if (s < 0 || s >= vell::kSoundSlots || ALbufferActive[s] != 1) return;
    ALChannel = (ALChannel + 1) % vell::kEffectSources;
    int c = ALChannel;
    ALsourcebuffer[c] = s;
    if (!AudioLive()) return;
    ALuint src = ALsource[c];
    alSourceStop(src);
    alSourcei(src, AL_BUFFER, (ALint)ALbuffer[s]);
    alSourcef(src, AL_PITCH, vell::Clamp(pitch, 0.25f, 16.0f));
    alSourcef(src, AL_GAIN, vell::Clamp(volume, 0.0f, 1.0f));
    alSource3f(src, AL_POSITION, -vell::Clamp(pan, -1.0f, 1.0f), 0, 0);
    alSourcei(src, AL_LOOPING, loop == 1 ? AL_TRUE : AL_FALSE);
    alSourcePlay(src);
}
