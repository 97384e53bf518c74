// Sound and music requests, asset naming under the data folder, and the
// forwards for off-screen buffers and screenshots.
#include "VellCore_sound.h"
#include "VellHooks.h"
#include "VellMaths.h"

#include <cstring>

// The name with every backslash turned into a slash, so names written with
// Windows separators find the same files.
static char* Slashed(VellCore& core, const char* name) {
    char* out = core.fstr("%s", name ? name : "");
    for (char* p = out; *p; p++)
        if (*p == '\\') *p = '/';
    return out;
}

// Only these exact spellings count; "obj.pNg" has no extension.
static bool HasExtension(VellCore& core, const char* name, const char* lower, const char* title,
                         const char* upper) {
    const char* last = core.Right(name, 4);
    return strcmp(last, lower) == 0 || strcmp(last, title) == 0 || strcmp(last, upper) == 0;
}

static bool IsPng(VellCore& core, const char* n) { return HasExtension(core, n, ".png", ".Png", ".PNG"); }
static bool IsWav(VellCore& core, const char* n) { return HasExtension(core, n, ".wav", ".Wav", ".WAV"); }
static bool IsOgg(VellCore& core, const char* n) { return HasExtension(core, n, ".ogg", ".Ogg", ".OGG"); }

char* ImagePath(VellCore& core, const char* name) {
    char* n = Slashed(core, name);
    if (IsPng(core, n)) return core.fstr("%s/Data/%i/%s", core.home, core.GameNum, n);
    return core.fstr("%s/Data/%i/%s.png", core.home, core.GameNum, n);
}

char* SoundSlotPath(VellCore& core, int slot) {
    return core.fstr("%s/Data/%i/audio/%02i.wav", core.home, core.GameNum, slot);
}

char* SoundNamePath(VellCore& core, const char* name) {
    char* n = Slashed(core, name);
    if (IsWav(core, n)) return core.fstr("%s/Data/%i/audio/%s", core.home, core.GameNum, n);
    return core.fstr("%s/Data/%i/audio/%s.wav", core.home, core.GameNum, n);
}

char* MusicPath(VellCore& core, const char* name) {
    return core.fstr("%s/Data/%i/audio/%s", core.home, core.GameNum, Slashed(core, name));
}

void VellCore::LoadImg(int slot, const char* name, int frameSize) {
    Debuglog(fstr("Load Image : %s ", name ? name : ""));
    ASys.GetPNG(slot, ImagePath(*this, name), frameSize < 0 ? 0u : (unsigned)frameSize);
}

void VellCore::LoadSFX(int slot) {
    Debuglog(fstr("Load SFX   : %i", slot));
    ASys.GetWAV(slot, SoundSlotPath(*this, slot));
}

void VellCore::LoadSFX(int slot, const char* name) {
    Debuglog(fstr("Load Wave %s to %i", name ? name : "", slot));
    ASys.GetWAV(slot, SoundNamePath(*this, name));
}

void (*SoundAsked)(int slot, float pitch) = nullptr;
void (*MusicAsked)(const char* name) = nullptr;

static void Play(int slot, float pitch, float volume, float pan, int loop) {
    if (SoundAsked) SoundAsked(slot, pitch);
    ASys.PlayWAV(slot, pitch, volume, pan, loop);
}

// Clock-driven pitch, so repeated effects vary without touching the seeded
// sequence the game logic replays.
void VellCore::PlaySFX(int slot) { Play(slot, tRnd(0.8f, 1.2f), SFXVol, 0, 0); }
void VellCore::PlaySFX(int slot, float pitch) { Play(slot, pitch, SFXVol, 0, 0); }
void VellCore::PlaySFX(int slot, float pitch, float volume) {
    Play(slot, pitch, SFXVol * volume, 0, 0);
}
void VellCore::PlaySFX(int slot, float pitch, float volume, float pan) {
    Play(slot, pitch, SFXVol * volume, pan, 0);
}
void VellCore::PlaySFX(int slot, float pitch, float volume, float pan, int loop) {
    Play(slot, pitch, SFXVol * volume, pan, loop);
}

void VellCore::PlayMusic(const char* name) { PlayMusic(name, 1); }

void VellCore::PlayMusic(const char* name, int loop) {
    if (MusicAsked) MusicAsked(name ? name : "");
    char* n = Slashed(*this, name);
    if (IsOgg(*this, n)) ASys.PlayMusic_Ogg_Sys(MusicPath(*this, n), loop);
    if (IsWav(*this, n)) ASys.PlayMusic_Wav_Sys(MusicPath(*this, n), loop);
}

void VellCore::StopMusic() { ASys.StreamType = 0; }

void VellCore::MusicHandler() {
    ASys.StreamMasterVolume = MusicVol;
    ASys.AudioWatch(Mills());
    if (ASys.StreamType > 0) ASys.HandleMusicSys();
}

void VellCore::MusicPitch(float p) { ASys.StreamPitch = vell::Clamp(p, 0.25f, 4.0f); }
void VellCore::MusicPan(float p) { ASys.StreamPan = vell::Clamp(p, -1.0f, 1.0f); }
void VellCore::MusicVolume(float v) { ASys.StreamVolume = vell::Clamp(v, 0.0f, 1.0f); }

void VellCore::CreateBuffer(int slot, int size) { ASys.Buffer_Create(slot, size); }
void VellCore::BufferCLS(int slot) { ASys.Buffer_Fill(slot, 0, 0, 0, 0); }
void VellCore::BufferFill(int slot, int r, int g, int b, int a) { ASys.Buffer_Fill(slot, r, g, b, a); }

void VellCore::BufferLine(int slot, float x1, float y1, float x2, float y2) {
    const float* d = ASys.DrawSet;
    ASys.Buffer_Line(slot, x1, y1, x2, y2, d[vell::kSetLowRed], d[vell::kSetLowGreen],
                     d[vell::kSetLowBlue], d[vell::kSetLowAlpha]);
}
void VellCore::BufferPlot(int slot, float x, float y) {
    const float* d = ASys.DrawSet;
    ASys.Buffer_Plot(slot, x, y, d[vell::kSetLowRed], d[vell::kSetLowGreen], d[vell::kSetLowBlue],
                     d[vell::kSetLowAlpha]);
}
void VellCore::BufferTile(int slot, int source, float x, float y, int frame) {
    ASys.Buffer_Tile(slot, source, x, y, frame);
}

void VellCore::TakeScreenshot() { ASys.Screenshot(); }
void VellCore::CopyBuffer() { ASys.GrabBuffer(); }
