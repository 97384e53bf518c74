// Sound effects: the WAV reader on good and hostile files, buffer reloads,
// the ring of effect sources and the clamps of PlayWAV.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <unistd.h>

#include "test_audio_fixtures.h"
#include "test_support.h"

namespace {

class AudioSfx : public ::testing::Test {
protected:
    LogCapture log;
    TempDir dir;
    AudioSession audio;

    std::string Write(const std::string& name, const std::vector<unsigned char>& bytes) {
        std::string path = dir.File(name);
        WriteBytes(path, bytes);
        return path;
    }
    int Count(const std::string& prefix) {
        int n = 0;
        for (const auto& l : log.Lines())
            if (l.rfind(prefix, 0) == 0) n++;
        return n;
    }
};

struct WavCase {
    const char* name;
    std::vector<unsigned char> bytes;
    bool loads;
    int data[5];            // expected SFXData[slot][0..4] when it loads
    const char* extraLine;  // another line that must be logged, or nullptr
};

std::vector<unsigned char> Truncated(std::vector<unsigned char> v, size_t n) {
    v.resize(n);
    return v;
}

// States the chunk's true size and adds the pad byte RIFF puts after it.
Chunk Padded(Chunk c) {
    c.statedSize = (long)c.bytes.size();
    c.bytes.push_back(0);
    return c;
}

std::vector<WavCase> WavCases() {
    const char* text = "hello, this is not a wave file at all";
    std::vector<unsigned char> notRiff(text, text + 37);
    return {
        {"16-bit stereo", Wav(2, 16, 44100, 176400), true, {176400, 44100, 2, 2, 44100}, nullptr},
        {"8-bit mono", Wav(1, 8, 22050, 1000), true, {1000, 1000, 1, 1, 22050}, nullptr},
        {"8-bit stereo", Wav(2, 8, 11025, 1000), true, {1000, 500, 2, 1, 11025}, nullptr},
        {"16-bit mono", Wav(1, 16, 8000, 1000), true, {1000, 500, 1, 2, 8000}, nullptr},
        {"18-byte fmt chunk",
         Riff({FmtChunk(1, 16, 44100, 2), DataChunk(800)}),
         true,
         {800, 400, 1, 2, 44100},
         nullptr},
        {"LIST chunk before data",
         Riff({FmtChunk(1, 8, 8000), Chunk{"LIST", -1, std::vector<unsigned char>(10, 7)}, DataChunk(600)}),
         true,
         {600, 600, 1, 1, 8000},
         nullptr},
        {"second data chunk replaces the first",
         Riff({FmtChunk(1, 8, 8000), DataChunk(100), DataChunk(300)}),
         true,
         {300, 300, 1, 1, 8000},
         nullptr},
        {"24-bit samples", Wav(1, 24, 44100, 600), true, {600, 200, 1, 3, 44100}, "Post Error 40962"},
        {"three channels", Wav(3, 16, 44100, 600), true, {600, 100, 3, 2, 44100}, "Post Error 40962"},
        {"4-bit samples", Wav(1, 4, 8000, 100), true, {100, 0, 1, 0, 8000}, "Post Error 40962"},
        {"data larger than the file",
         Riff({FmtChunk(1, 8, 8000), Chunk{"data", 1000, std::vector<unsigned char>(500, 1)}}),
         false,
         {},
         "Wave data chunk of 1000 bytes is larger than the file"},
        {"absurd data size",
         Riff({FmtChunk(1, 8, 8000), Chunk{"data", 0x7ffffff0, std::vector<unsigned char>(16, 1)}}),
         false,
         {},
         "Wave data chunk of 2147483632 bytes is larger than the file"},
        {"negative data size",
         Riff({FmtChunk(1, 8, 8000), Chunk{"data", 0xfffffff0L, std::vector<unsigned char>(16, 1)}}),
         false,
         {},
         "Wave data chunk of -16 bytes is larger than the file"},
        {"absurd size of another chunk",
         Riff({FmtChunk(1, 8, 8000), Chunk{"LIST", 0x7ffffff0, {}}, DataChunk(50)}),
         false,
         {},
         "No sound data in the Wave file"},
        // RIFF pads an odd-sized chunk with one byte its size leaves out.
        {"odd-sized chunk with a pad byte",
         Riff({FmtChunk(1, 8, 8000), Chunk{"LIST", 3, {1, 2, 3, 0}}, DataChunk(64)}),
         true,
         {64, 64, 1, 1, 8000},
         nullptr},
        {"odd-sized data chunk, then another",
         Riff({FmtChunk(1, 8, 8000), Padded(DataChunk(63, 9)), DataChunk(100)}),
         true,
         {100, 100, 1, 1, 8000},
         nullptr},
        {"odd-sized fmt chunk",
         Riff({Padded(FmtChunk(1, 16, 8000, 1)), DataChunk(64)}),
         true,
         {64, 32, 1, 2, 8000},
         nullptr},
        {"truncated in the header", Truncated(Wav(1, 16, 8000, 100), 30), false, {}, "Not a PCM Wave file"},
        {"truncated in the data tag",
         Truncated(Wav(1, 16, 8000, 100), 38),
         false,
         {},
         "No sound data in the Wave file"},
        {"not RIFF", notRiff, false, {}, "Not a PCM Wave file"},
        {"float format", Riff({FmtChunk(1, 32, 8000, 0, 3), DataChunk(64)}), false, {}, "Not a PCM Wave file"},
        {"fmt not the first chunk",
         Riff({Chunk{"LIST", -1, std::vector<unsigned char>(4, 0)}, FmtChunk(1, 8, 8000), DataChunk(64)}),
         false,
         {},
         "Not a PCM Wave file"},
        {"empty file", {}, false, {}, "Not a PCM Wave file"},
    };
}

TEST_F(AudioSfx, WavReaderTable) {
    ASSERT_TRUE(audio.Live());
    const int slot = 7;
    for (const WavCase& c : WavCases()) {
        SCOPED_TRACE(c.name);
        for (int& v : SFXData[slot]) v = 0;
        size_t before = log.Lines().size();
        ASys.GetWAV(slot, Write("case.wav", c.bytes).c_str());
        std::vector<std::string> lines = log.Lines();
        lines.erase(lines.begin(), lines.begin() + (long)before);
        auto logged = [&](const std::string& s) {
            for (const auto& l : lines)
                if (l == s) return true;
            return false;
        };
        EXPECT_EQ(ALbufferActive[slot], 1);
        if (c.loads) {
            for (int i = 0; i < 5; i++) EXPECT_EQ(SFXData[slot][i], c.data[i]) << "entry " << i;
            EXPECT_TRUE(logged("     Load " + std::to_string(c.data[0]) + " bytes"));
            if (!c.extraLine) {
                EXPECT_EQ(BufferSize(ALbuffer[slot]), c.data[0]);
            }
        } else {
            for (int i = 0; i < 5; i++) EXPECT_EQ(SFXData[slot][i], 0) << "entry " << i;
            for (const auto& l : lines) EXPECT_EQ(l.find("Load"), std::string::npos) << l;
            EXPECT_EQ(BufferSize(ALbuffer[slot]), 0);
        }
        if (c.extraLine) {
            EXPECT_TRUE(logged(c.extraLine));
        } else {
            for (const auto& l : lines) EXPECT_EQ(l.find("Error"), std::string::npos) << l;
        }
        for (int i = 5; i < 10; i++) EXPECT_EQ(SFXData[slot][i], 0);
    }
}

TEST_F(AudioSfx, MissingFileLeavesAnEmptyBufferThatPlaysSilently) {
    ASys.GetWAV(4, dir.File("nope.wav").c_str());
    EXPECT_TRUE(log.Has("Error Opening Wave"));
    EXPECT_EQ(ALbufferActive[4], 1);
    EXPECT_EQ(BufferSize(ALbuffer[4]), 0);
    ASys.PlayWAV(4, 1, 1, 0, 0);
    EXPECT_EQ(ALChannel, 1);
    EXPECT_EQ(ALsourcebuffer[1], 4);
}

TEST_F(AudioSfx, FirstLoadIntoSlotZeroFreesEverySource) {
    ASys.GetWAV(0, Write("a.wav", Wav(1, 8, 8000, 100)).c_str());
    std::vector<std::string> freed;
    for (const auto& l : log.Lines())
        if (l.rfind("Freeing Buffer", 0) == 0) freed.push_back(l);
    ASSERT_EQ(freed.size(), 32u);
    for (int i = 0; i < 32; i++) {
        EXPECT_EQ(freed[(size_t)i], "Freeing Buffer " + std::to_string(i));
        EXPECT_EQ(ALsourcebuffer[i], -1);
    }
    // A second load finds no source holding slot 0 any more.
    ASys.GetWAV(0, dir.File("a.wav").c_str());
    EXPECT_EQ(Count("Freeing Buffer"), 32);
    EXPECT_EQ(Count("Source->Buffer Error"), 0);
}

TEST_F(AudioSfx, ReloadWhilePlayingReleasesTheSourceFirst) {
    std::string path = Write("tone.wav", Riff({FmtChunk(1, 16, 22050), ToneChunk(22050, 1.0, 440)}));
    ASys.GetWAV(5, path.c_str());
    ASys.PlayWAV(5, 1, 1, 0, 1);
    ASSERT_EQ(SourceInt(1, AL_SOURCE_STATE), AL_PLAYING);
    ALuint old = ALbuffer[5];
    ASys.GetWAV(5, path.c_str());
    // The old samples are let go, not left behind at every reload; OpenAL
    // may hand the same name out again.
    EXPECT_TRUE(ALbuffer[5] == old || !alIsBuffer(old));
    EXPECT_TRUE(log.Has("Freeing Buffer 1"));
    EXPECT_EQ(Count("Delete Buffer Error"), 0);
    EXPECT_EQ(Count("Source->Buffer Error"), 0);
    EXPECT_EQ(ALsourcebuffer[1], -1);
    EXPECT_NE(SourceInt(1, AL_SOURCE_STATE), AL_PLAYING);
    EXPECT_EQ(BufferSize(ALbuffer[5]), 44100);
    // The reloaded sound plays again on the next source.
    ASys.PlayWAV(5, 1, 1, 0, 0);
    EXPECT_EQ(SourceInt(2, AL_SOURCE_STATE), AL_PLAYING);
    EXPECT_EQ(SourceInt(2, AL_BUFFER), (int)ALbuffer[5]);
}

TEST_F(AudioSfx, EffectsRingThroughSourcesOneToThirtyThenZero) {
    ASys.GetWAV(2, Write("s.wav", Wav(1, 8, 8000, 800)).c_str());
    for (int n = 1; n <= 62; n++) {
        ASys.PlayWAV(2, 1, 1, 0, 0);
        int expected = n % 31;
        ASSERT_EQ(ALChannel, expected) << "call " << n;
        EXPECT_EQ(ALsourcebuffer[expected], 2);
        EXPECT_EQ(SourceInt(expected, AL_BUFFER), (int)ALbuffer[2]);
    }
    EXPECT_EQ(ALsourcebuffer[31], 0);
    EXPECT_EQ(SourceInt(31, AL_BUFFER), 0);
}

TEST_F(AudioSfx, PlayWavClampsPitchVolumeAndPan) {
    ASys.GetWAV(3, Write("s.wav", Wav(1, 8, 8000, 800)).c_str());
    struct {
        float pitch, volume, pan;
        int loop;
        float wantPitch, wantGain, wantX;
        int wantLoop;
    } cases[] = {
        {0, 2, -3, 0, 0.25f, 1, 1, AL_FALSE},
        {20, -1, 3, 1, 16, 0, -1, AL_TRUE},
        {1.5f, 0.5f, 0.25f, 2, 1.5f, 0.5f, -0.25f, AL_FALSE},
        {NAN, NAN, NAN, -1, 0.25f, 0, 1, AL_FALSE},
    };
    for (auto& c : cases) {
        ASys.PlayWAV(3, c.pitch, c.volume, c.pan, c.loop);
        int s = ALChannel;
        float x, y, z;
        SourcePosition(s, x, y, z);
        EXPECT_FLOAT_EQ(SourceFloat(s, AL_PITCH), c.wantPitch);
        EXPECT_FLOAT_EQ(SourceFloat(s, AL_GAIN), c.wantGain);
        EXPECT_FLOAT_EQ(x, c.wantX);
        EXPECT_FLOAT_EQ(y, 0);
        EXPECT_FLOAT_EQ(z, 0);
        EXPECT_EQ(SourceInt(s, AL_LOOPING), c.wantLoop);
    }
}

TEST_F(AudioSfx, SlotsNeverLoadedOrOutOfRangeDoNothing) {
    ASys.PlayWAV(40, 1, 1, 0, 0);
    ASys.PlayWAV(-1, 1, 1, 0, 0);
    ASys.PlayWAV(105, 1, 1, 0, 0);
    EXPECT_EQ(ALChannel, 0);
    EXPECT_EQ(SourceInt(1, AL_BUFFER), 0);
    ASys.GetWAV(105, Write("s.wav", Wav(1, 8, 8000, 80)).c_str());
    ASys.GetWAV(-3, dir.File("s.wav").c_str());
    ASys.GetWAV(6, nullptr);
    EXPECT_TRUE(log.Has("Sound number out of bounds 105"));
    EXPECT_TRUE(log.Has("Sound number out of bounds -3"));
    EXPECT_TRUE(log.Has("Error Opening Wave"));
}

TEST_F(AudioSfx, StartUpAndShutdownLog) {
    EXPECT_TRUE(log.Has("OpenAL Audio Engaged!"));
    EXPECT_EQ(AudioEnabled, 1);
    ALfloat lp[3], ori[6];
    alGetListenerfv(AL_POSITION, lp);
    alGetListenerfv(AL_ORIENTATION, ori);
    EXPECT_FLOAT_EQ(lp[2], 1);
    EXPECT_FLOAT_EQ(ori[2], 1);
    EXPECT_FLOAT_EQ(ori[4], 1);
    ASys.GetWAV(9, Write("s.wav", Wav(1, 8, 8000, 80)).c_str());
    ASys.AudioClose();
    EXPECT_TRUE(log.Has("Closing OpenAL Audio"));
    EXPECT_EQ(ALbufferActive[9], 0);
    EXPECT_FALSE(AudioLive());
    // Nothing breaks when the session closes audio once more.
}

// A machine without a sound device runs the game silent: every audio entry
// point still works on its tables and nothing reaches OpenAL.
void RunsSilentWithoutADevice() {
    setenv("ALSOFT_DRIVERS", "no-such-driver", 1);
    LogCapture log;
    TempDir dir;
    ASys.AudioStart();
    EXPECT_EQ(ALdev, nullptr) << "OpenAL found a device all the same";
    EXPECT_TRUE(log.Has("Audio Device Error"));
    EXPECT_FALSE(log.Has("OpenAL Audio Engaged!"));
    EXPECT_EQ(AudioEnabled, 0);
    std::string wav = dir.File("a.wav");
    WriteBytes(wav, Wav(1, 16, 8000, 400));
    ASys.GetWAV(1, wav.c_str());
    EXPECT_TRUE(log.Has("     Load 400 bytes"));
    EXPECT_EQ(SFXData[1][1], 200);
    ASys.PlayWAV(1, 1, 1, 0, 1);
    EXPECT_EQ(ALChannel, 1);
    std::string ogg = dir.File("m.ogg");
    ASSERT_TRUE(WriteOgg(ogg, 1, 22050, 0.5, 440));
    ASys.PlayMusic_Ogg_Sys(ogg.c_str(), 1);
    EXPECT_EQ(ASys.StreamType, 2);
    for (int i = 0; i < 10; i++) ASys.HandleMusicSys();
    ASys.PlayMusic_Wav_Sys(wav.c_str(), 0);
    ASys.HandleMusicSys();
    ASys.AudioClose();
    EXPECT_TRUE(log.Has("Closing OpenAL Audio"));
    for (const auto& l : log.Lines()) EXPECT_EQ(l.find("Error "), std::string::npos) << l;
    fflush(stdout);
    _exit(::testing::Test::HasFailure() ? 1 : 0);
}

// OpenAL picks its driver once per process, at its first use: the check
// runs in a fresh process of its own, whatever ran before it in this one.
TEST(AudioNoDevice, RunsSilentWithoutCrashing) {
    std::string style = GTEST_FLAG_GET(death_test_style);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(RunsSilentWithoutADevice(), ::testing::ExitedWithCode(0), "");
    GTEST_FLAG_SET(death_test_style, style.c_str());
}

}  // namespace
