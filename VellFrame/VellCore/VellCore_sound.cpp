// Sound effect and music requests: the game's names and slots turned into
// files under the data folder and handed to the platform's players.
#include "Vell_glfw3.h"
#include "VellCore.h"
#include "VellCore_assets.h"
#include "VellHooks.h"
#include "VellMaths.h"

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
void VellCore::PlaySFX(int slot, float pitch, float volume) { Play(slot, pitch, SFXVol * volume, 0, 0); }
void VellCore::PlaySFX(int slot, float pitch, float volume, float pan) { Play(slot, pitch, SFXVol * volume, pan, 0); }
void VellCore::PlaySFX(int slot, float pitch, float volume, float pan, int loop) {
    Play(slot, pitch, SFXVol * volume, pan, loop);
}

void VellCore::PlayMusic(const char* name) { PlayMusic(name, 1); }

void VellCore::PlayMusic(const char* name, int loop) {
    if (MusicAsked) MusicAsked(name ? name : "");
    char* n = SlashedName(*this, name);
    if (IsOggName(*this, n)) ASys.PlayMusic_Ogg_Sys(MusicPath(*this, n), loop);
    if (IsWavName(*this, n)) ASys.PlayMusic_Wav_Sys(MusicPath(*this, n), loop);
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
