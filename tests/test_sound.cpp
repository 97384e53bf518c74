// Sound requests and asset naming: the path rules, loading and playing by
// slot and name, music requests and the clamps of the music parameters.
#include <gtest/gtest.h>

#include <algorithm>
#include <sys/stat.h>

#include "VellCore_assets.h"
#include "test_audio_fixtures.h"
#include "test_support.h"

namespace {

class SoundRequests : public ::testing::Test {
protected:
    LogCapture log;
    TempDir dir;
    AudioSession audio;
    VellCore& core = ThisGame;

    void SetUp() override {
        snprintf(core.home, sizeof core.home, "%s", dir.Path().c_str());
        core.GameNum = 552;
        core.SFXVol = 0.7f;
        ASSERT_TRUE(audio.Live());
    }
    // Writes a file under home/Data/552/, making its folders.
    std::string Asset(const std::string& rel, const std::vector<unsigned char>& bytes) {
        std::string path = dir.Path();
        for (std::string part : {std::string("/Data"), std::string("/552")}) {
            path += part;
            mkdir(path.c_str(), 0755);
        }
        size_t from = 0, slash;
        while ((slash = rel.find('/', from)) != std::string::npos) {
            mkdir((path + "/" + rel.substr(0, slash)).c_str(), 0755);
            from = slash + 1;
        }
        path += "/" + rel;
        WriteBytes(path, bytes);
        return path;
    }
};

TEST(SoundNaming, PathRules) {
    VellCore& core = ThisGame;
    core.GameNum = 552;
    snprintf(core.home, sizeof core.home, ".");
    struct {
        char* (*build)(VellCore&, const char*);
        const char* name;
        const char* path;
    } cases[] = {
        {ImagePath, "obj-32", "./Data/552/obj-32.png"},
        {ImagePath, "obj-32.PNG", "./Data/552/obj-32.PNG"},
        {ImagePath, "obj-32.Png", "./Data/552/obj-32.Png"},
        {ImagePath, "obj-32.png", "./Data/552/obj-32.png"},
        {ImagePath, "obj-32.pNg", "./Data/552/obj-32.pNg.png"},
        {ImagePath, "gfx\\obj", "./Data/552/gfx/obj.png"},
        {ImagePath, "png", "./Data/552/png.png"},
        {SoundNamePath, "boom", "./Data/552/audio/boom.wav"},
        {SoundNamePath, "boom.WAV", "./Data/552/audio/boom.WAV"},
        {SoundNamePath, "boom.Wav", "./Data/552/audio/boom.Wav"},
        {SoundNamePath, "boom.wAv", "./Data/552/audio/boom.wAv.wav"},
        {SoundNamePath, "fx\\boom.wav", "./Data/552/audio/fx/boom.wav"},
        {SoundNamePath, "boom.ogg", "./Data/552/audio/boom.ogg.wav"},
        {MusicPath, "pages.ogg", "./Data/552/audio/pages.ogg"},
        {MusicPath, "m\\theme", "./Data/552/audio/m/theme"},
    };
    for (auto& c : cases) EXPECT_STREQ(c.build(core, c.name), c.path) << c.name;
    EXPECT_STREQ(SoundSlotPath(core, 7), "./Data/552/audio/07.wav");
    EXPECT_STREQ(SoundSlotPath(core, 0), "./Data/552/audio/00.wav");
    EXPECT_STREQ(SoundSlotPath(core, 123), "./Data/552/audio/123.wav");
    snprintf(core.home, sizeof core.home, "/opt/games");
    EXPECT_STREQ(ImagePath(core, "logo"), "/opt/games/Data/552/logo.png");
}

TEST_F(SoundRequests, EffectsLoadFromTheirSlotAndNamedFiles) {
    Asset("audio/07.wav", Wav(1, 8, 8000, 70));
    Asset("audio/123.wav", Wav(1, 8, 8000, 123));
    Asset("audio/fx/boom.wav", Wav(1, 16, 11025, 200));
    core.LoadSFX(7);
    core.LoadSFX(104);  // no such file
    core.LoadSFX(8, "fx\\boom");
    EXPECT_EQ(SFXData[7][0], 70);
    EXPECT_EQ(SFXData[8][4], 11025);
    EXPECT_TRUE(log.Has("Load SFX   : 7"));
    EXPECT_TRUE(log.Has("Load SFX   : 104"));
    EXPECT_TRUE(log.Has("Error Opening Wave"));
    EXPECT_TRUE(log.Has("Load Wave fx\\boom to 8"));
    // 123.wav exists but 123 is no sound slot: refused before any file is read.
    core.LoadSFX(123);
    EXPECT_TRUE(log.Has("Sound number out of bounds 123"));
}

TEST_F(SoundRequests, PlaySfxScalesVolumeAndPassesItsArguments) {
    Asset("audio/01.wav", Wav(1, 8, 8000, 800));
    core.LoadSFX(1);
    struct {
        void (*play)(VellCore&);
        float pitch, gain, x;
        int loop;
    } cases[] = {
        {[](VellCore& c) { c.PlaySFX(1, 1, 0.5f); }, 1, 0.35f, 0, AL_FALSE},
        {[](VellCore& c) { c.PlaySFX(1, 1.3f); }, 1.3f, 0.7f, 0, AL_FALSE},
        {[](VellCore& c) { c.PlaySFX(1, 0.9f, 2, 0.5f); }, 0.9f, 1, -0.5f, AL_FALSE},
        {[](VellCore& c) { c.PlaySFX(1, 2, 1, -0.25f, 1); }, 2, 0.7f, 0.25f, AL_TRUE},
    };
    for (auto& c : cases) {
        c.play(core);
        float x, y, z;
        SourcePosition(ALChannel, x, y, z);
        EXPECT_FLOAT_EQ(SourceFloat(ALChannel, AL_PITCH), c.pitch);
        EXPECT_FLOAT_EQ(SourceFloat(ALChannel, AL_GAIN), c.gain);
        EXPECT_FLOAT_EQ(x, c.x);
        EXPECT_EQ(SourceInt(ALChannel, AL_LOOPING), c.loop);
    }
    // The one-argument form varies its pitch, always within 0.8 to 1.2.
    float lo = 2, hi = 0;
    for (int i = 0; i < 200; i++) {
        core.PlaySFX(1);
        float p = SourceFloat(ALChannel, AL_PITCH);
        lo = std::min(lo, p);
        hi = std::max(hi, p);
        EXPECT_FLOAT_EQ(SourceFloat(ALChannel, AL_GAIN), 0.7f);
    }
    EXPECT_GE(lo, 0.8f);
    EXPECT_LE(hi, 1.2f);
    EXPECT_GT(hi - lo, 0.1f);
}

TEST_F(SoundRequests, PlayMusicPicksTheFormatByExtension) {
    ASSERT_TRUE(WriteOgg(Asset("audio/pages.ogg", {}), 1, 22050, 0.5, 440));
    ASSERT_TRUE(WriteOgg(Asset("audio/sub/pages.OGG", {}), 1, 22050, 0.5, 440));
    Asset("audio/song.WAV", Wav(1, 8, 8000, 40000));
    size_t before = log.Lines().size();
    core.PlayMusic("theme");
    core.PlayMusic("theme.oGG");
    EXPECT_EQ(ASys.StreamType, 0);
    EXPECT_EQ(log.Lines().size(), before);  // ignored without a word

    core.PlayMusic("pages.ogg");
    EXPECT_EQ(ASys.StreamType, 2);
    EXPECT_EQ(ASys.StreamLoop, 1);
    core.PlayMusic("song.WAV", 0);
    EXPECT_EQ(ASys.StreamType, 1);
    EXPECT_EQ(ASys.StreamLoop, 0);
    core.PlayMusic("sub\\pages.OGG", 0);
    EXPECT_EQ(ASys.StreamType, 2);
    core.PlayMusic("missing.ogg");
    EXPECT_EQ(ASys.StreamType, 0);
    EXPECT_TRUE(log.Has("Error Opening Ogg"));
}

TEST_F(SoundRequests, MusicHandlerFeedsOnlyARunningStream) {
    Asset("audio/song.wav", Wav(1, 8, 8000, 100000));
    core.MusicVol = 0.6f;
    core.MusicHandler();
    EXPECT_FLOAT_EQ(ASys.StreamMasterVolume, 0.6f);
    core.PlayMusic("song.wav");
    core.MusicHandler();
    EXPECT_EQ(MusicBufferTick, -1);
    EXPECT_FLOAT_EQ(SourceFloat(31, AL_GAIN), 0.6f);
    core.StopMusic();
    EXPECT_EQ(ASys.StreamType, 0);
    core.MusicHandler();
    EXPECT_EQ(MusicBufferTick, -1);
    EXPECT_EQ(SourceInt(31, AL_SOURCE_STATE), AL_PLAYING);  // the queue plays out
}

TEST(SoundNaming, MusicParametersAreClamped) {
    VellCore& core = ThisGame;
    struct {
        void (VellCore::*set)(float);
        float* field;
        float in, out;
    } cases[] = {
        {&VellCore::MusicPitch, &ASys.StreamPitch, 10, 4},
        {&VellCore::MusicPitch, &ASys.StreamPitch, 0.1f, 0.25f},
        {&VellCore::MusicPitch, &ASys.StreamPitch, 1.5f, 1.5f},
        {&VellCore::MusicPan, &ASys.StreamPan, -3, -1},
        {&VellCore::MusicPan, &ASys.StreamPan, 2, 1},
        {&VellCore::MusicPan, &ASys.StreamPan, 0.5f, 0.5f},
        {&VellCore::MusicVolume, &ASys.StreamVolume, -0.5f, 0},
        {&VellCore::MusicVolume, &ASys.StreamVolume, 7, 1},
        {&VellCore::MusicVolume, &ASys.StreamVolume, 0.3f, 0.3f},
    };
    for (auto& c : cases) {
        (core.*c.set)(c.in);
        EXPECT_FLOAT_EQ(*c.field, c.out) << c.in;
    }
}

}  // namespace

namespace {

// Painting into a buffer uses the lower drawing colour with its alpha.
TEST(SoundNaming, BufferPaintingForwardsTheLowerColour) {
    VellCore& core = ThisGame;
    core.CreateBuffer(6, 16);
    ASSERT_EQ(iSize[6], 16);
    core.BufferFill(6, 1, 2, 3, 4);
    EXPECT_EQ(Image[6][0], 1);
    EXPECT_EQ(Image[6][3], 4);
    core.ResetDraw();
    core.SetGradient(200, 200, 200, 1, 10, 20, 30, 0.5f);  // upper, then lower
    core.BufferPlot(6, 3, 4);
    core.BufferLine(6, 0, 10, 5, 10);
    for (size_t at : {(size_t)(4 * 16 + 3) * 4, (size_t)(10 * 16 + 2) * 4}) {
        EXPECT_EQ(Image[6][at], 10);
        EXPECT_EQ(Image[6][at + 1], 20);
        EXPECT_EQ(Image[6][at + 2], 30);
        EXPECT_EQ(Image[6][at + 3], 127);
    }
    core.BufferCLS(6);
    EXPECT_EQ(Image[6][(4 * 16 + 3) * 4 + 3], 0);
}

}  // namespace
