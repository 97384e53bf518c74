// A sound device that goes away during play or turns up after start-up:
// when the loss is noticed, what is kept while silent, how often a device
// is looked for, and what a device that comes back gets again.
#include <gtest/gtest.h>

#include <climits>

#include "VellHooks.h"
#include "test_audio_fixtures.h"
#include "test_support.h"

namespace {

int OpenAttempts = 0;
bool DeviceThere = true;
bool DeviceConnected = true;
ALCdevice* (*RealOpen)() = nullptr;

ALCdevice* CountedOpen() {
    OpenAttempts++;
    return DeviceThere ? RealOpen() : nullptr;
}
bool StandInConnected(ALCdevice*) { return DeviceConnected; }

// A WAV stream's position says exactly how much of it was handed to
// OpenAL: 16,384 bytes a block.
constexpr long kBlock = 16384;

class AudioDevice : public ::testing::Test {
protected:
    LogCapture log;
    TempDir dir;
    ALCdevice* (*savedOpen)() = AudioOpenDevice;
    bool (*savedConnected)(ALCdevice*) = AudioDeviceConnected;
    std::string sfx, song;

    void SetUp() override {
        RealOpen = savedOpen;
        OpenAttempts = 0;
        DeviceThere = true;
        DeviceConnected = true;
        AudioOpenDevice = CountedOpen;
        AudioDeviceConnected = StandInConnected;
        ASys.StopMusicSys();
        ASys.StreamMasterVolume = 1.0f;
        sfx = dir.File("fx.wav");
        WriteBytes(sfx, Wav(1, 16, 22050, 4000));
        song = dir.File("song.wav");
        WriteBytes(song, Wav(2, 16, 44100, 40 * kBlock));
    }
    void TearDown() override {
        ASys.AudioClose();
        AudioOpenDevice = savedOpen;
        AudioDeviceConnected = savedConnected;
    }
    int Count(const std::string& line) {
        int n = 0;
        for (const auto& l : log.Lines()) n += l == line;
        return n;
    }
    long SongPos() { return MusicFile ? ftell(MusicFile) : -1; }
    // What a device that is back must hold: the effect's samples in its
    // slot, effects that play, and the song queued and playing.
    void ExpectEverythingBack() {
        ASSERT_TRUE(AudioLive());
        EXPECT_EQ(AudioEnabled, 1);
        EXPECT_TRUE(alIsBuffer(ALbuffer[1]));
        EXPECT_EQ(BufferSize(ALbuffer[1]), 4000);
        EXPECT_EQ(SourceInt(31, AL_SOURCE_STATE), AL_PLAYING);
        EXPECT_GE(SourceInt(31, AL_BUFFERS_QUEUED), 1);
        int c = ALChannel;
        ASys.PlayWAV(1, 1, 1, 0, 0);
        int used = (c + 1) % 31;
        EXPECT_EQ(SourceInt(used, AL_BUFFER), (int)ALbuffer[1]);
        EXPECT_EQ(SourceInt(used, AL_SOURCE_STATE), AL_PLAYING);
    }
};

// Starts near the point where the millisecond clock wraps round, so the
// intervals are measured across it.
TEST_F(AudioDevice, LostDeviceComesBackWhereTheMusicWas) {
    ASys.AudioStart();
    ASSERT_TRUE(AudioLive());
    ASys.GetWAV(1, sfx.c_str());
    ASys.PlayMusic_Wav_Sys(song.c_str(), 1);
    for (int i = 0; i < 3; i++) ASys.HandleMusicSys();
    ASSERT_EQ(SongPos(), 4 * kBlock);

    // Milliseconds after a reading 100 ms before the clock wraps round.
    auto at = [](int ms) { return (int)((unsigned)(INT_MAX - 100) + (unsigned)ms); };
    ASys.AudioWatch(at(0));  // the first look is one check interval away
    DeviceConnected = false;
    ASys.AudioWatch(at(vell::kAudioCheckMs - 1));
    EXPECT_TRUE(AudioLive()) << "looked at the device before its time";
    const int lost = vell::kAudioCheckMs;
    ASys.AudioWatch(at(lost));
    EXPECT_FALSE(AudioLive());
    EXPECT_EQ(Count("Audio Device Lost"), 1);
    EXPECT_EQ(AudioEnabled, 0);

    // Silent: effects are dropped, the song stands still, nothing is
    // reopened before its time and a failed attempt says nothing.
    DeviceThere = false;
    for (int i = 0; i < 50; i++) {
        ASys.PlayWAV(1, 1, 1, 0, 1);
        ASys.HandleMusicSys();
        ASys.AudioWatch(at(lost + i * (vell::kAudioRetryMs - 1) / 50));
    }
    EXPECT_EQ(OpenAttempts, 1) << "only start-up opened a device";
    EXPECT_EQ(SongPos(), 4 * kBlock);
    ASys.AudioWatch(at(lost + vell::kAudioRetryMs));
    EXPECT_EQ(OpenAttempts, 2);
    ASys.AudioWatch(at(lost + 2 * vell::kAudioRetryMs - 1));
    EXPECT_EQ(OpenAttempts, 2);
    EXPECT_FALSE(AudioLive());

    DeviceThere = true;
    DeviceConnected = true;
    ASys.AudioWatch(at(lost + 2 * vell::kAudioRetryMs));
    EXPECT_EQ(OpenAttempts, 3);
    EXPECT_EQ(SongPos(), 5 * kBlock) << "the song went on from where it stood";
    ExpectEverythingBack();
    // Of the 50 effects asked for while silent, none plays now: only the
    // one just played and no looping one.
    int playing = 0;
    for (int i = 0; i < 31; i++) playing += SourceInt(i, AL_SOURCE_STATE) == AL_PLAYING;
    EXPECT_EQ(playing, 1);
    EXPECT_EQ(Count("Audio Device Lost"), 1);
    EXPECT_EQ(Count("OpenAL Audio Engaged!"), 2);
    EXPECT_FALSE(log.Has("Audio Device Error"));
}

TEST_F(AudioDevice, DeviceThatTurnsUpLaterGetsWhatWasLoaded) {
    DeviceThere = false;
    ASys.AudioStart();
    EXPECT_FALSE(AudioLive());
    EXPECT_EQ(Count("Audio Device Error"), 1);
    ASys.GetWAV(1, sfx.c_str());
    ASys.PlayMusic_Wav_Sys(song.c_str(), 1);
    for (int i = 0; i < 10; i++) ASys.HandleMusicSys();
    EXPECT_EQ(SongPos(), 0) << "nothing of the song was used up while silent";

    ASys.AudioWatch(5000);
    for (int t = 5000; t < 5000 + 3 * vell::kAudioRetryMs; t += 100) ASys.AudioWatch(t);
    EXPECT_EQ(OpenAttempts, 3) << "start-up and one attempt every retry interval";
    EXPECT_EQ(Count("Audio Device Error"), 1);

    DeviceThere = true;
    ASys.AudioWatch(5000 + 3 * vell::kAudioRetryMs);
    EXPECT_EQ(OpenAttempts, 4);
    EXPECT_EQ(SongPos(), kBlock) << "the song starts from its beginning";
    ExpectEverythingBack();
}

// The game's music handler is what keeps the watch going.
TEST_F(AudioDevice, MusicHandlerWatchesTheDevice) {
    ASys.AudioStart();
    VellCore& core = ThisGame;
    ResetClock();
    MillsFrozen = true;
    core.MusicHandler();
    DeviceConnected = false;
    MillsOffset = vell::kAudioCheckMs;
    core.MusicHandler();
    MillsFrozen = false;
    EXPECT_FALSE(AudioLive());
    EXPECT_TRUE(log.Has("Audio Device Lost"));
}

}  // namespace
