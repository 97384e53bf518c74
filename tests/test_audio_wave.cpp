// End to end through real OpenAL Soft: its wave-file backend records the
// mixed output, and a played effect and a streamed Ogg file must both be
// heard in it, told apart by their pitch.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <unistd.h>

#include "test_audio_fixtures.h"
#include "test_support.h"

namespace {

void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// The 16-bit mono samples of the captured file's "data" chunk.
std::vector<int16_t> CapturedSamples(const std::vector<unsigned char>& f) {
    std::vector<int16_t> out;
    size_t p = 12;
    while (p + 8 <= f.size()) {
        uint32_t size = f[p + 4] | f[p + 5] << 8 | f[p + 6] << 16 | (uint32_t)f[p + 7] << 24;
        if (memcmp(&f[p], "data", 4) == 0) {
            size_t end = std::min(f.size(), p + 8 + (size_t)size);
            for (size_t i = p + 8; i + 1 < end; i += 2) out.push_back((int16_t)(f[i] | f[i + 1] << 8));
            break;
        }
        p += 8 + size;
    }
    return out;
}

struct Window {
    double rms;
    int crossings;
};

// 20 ms windows: loudness and zero crossings (a tone of f Hz crosses zero
// about 2 f times a second, so 0.04 f times a window).
std::vector<Window> Windows(const std::vector<int16_t>& s, int rate) {
    std::vector<Window> out;
    size_t n = (size_t)rate / 50;
    for (size_t at = 0; at + n <= s.size(); at += n) {
        double sum = 0;
        int cross = 0;
        for (size_t i = at; i < at + n; i++) {
            sum += (double)s[i] * s[i];
            if (i > at && (s[i - 1] < 0) != (s[i] < 0)) cross++;
        }
        out.push_back({sqrt(sum / (double)n), cross});
    }
    return out;
}

TEST(AudioWave, EffectAndOggMusicReachTheMixedOutput) {
    TempDir dir;
    LogCapture log;
    // OpenAL reads its configuration once per process, so later tests run in
    // the same process open this backend again: the capture lives beside the
    // test folder, not in it, and goes when the process ends.
    static std::string captured = "/tmp/bramblehop-wave-" + std::to_string(getpid()) + ".wav";
    atexit([] { remove(captured.c_str()); });
    std::string conf = dir.File("alsoft.conf");
    std::string text =
        "[general]\ndrivers=wave\nsample-type=int16\nchannels=mono\nfrequency=44100\n"
        "[wave]\nfile=" +
        captured + "\n";
    WriteBytes(conf, std::vector<unsigned char>(text.begin(), text.end()));
    const char* oldDrivers = getenv("ALSOFT_DRIVERS");
    std::string savedDrivers = oldDrivers ? oldDrivers : "";
    setenv("ALSOFT_CONF", conf.c_str(), 1);
    unsetenv("ALSOFT_DRIVERS");
    ASys.AudioStart();
    unsetenv("ALSOFT_CONF");
    if (oldDrivers) setenv("ALSOFT_DRIVERS", savedDrivers.c_str(), 1);
    FILE* probe = fopen(captured.c_str(), "rb");
    if (!probe) {
        ASys.AudioClose();
        GTEST_SKIP() << "OpenAL chose its output earlier in this process";
    }
    fclose(probe);
    ASSERT_TRUE(AudioLive());

    // A 2 kHz effect first, then 300 Hz music once the effect is over.
    WriteBytes(dir.File("fx.wav"), Riff({FmtChunk(1, 16, 44100), ToneChunk(44100, 0.3, 2000)}));
    std::string song = dir.File("song.ogg");
    ASSERT_TRUE(WriteOgg(song, 2, 44100, 1.0, 300));
    ASys.GetWAV(1, dir.File("fx.wav").c_str());
    ASys.PlayWAV(1, 1, 1, 0, 0);
    Sleep(500);
    ASys.StreamMasterVolume = 1;
    ASys.PlayMusic_Ogg_Sys(song.c_str(), 0);
    for (int i = 0; i < 150 && ASys.StreamType > 0; i++) {
        ASys.HandleMusicSys();
        Sleep(10);
    }
    EXPECT_EQ(ASys.StreamType, 0);  // the whole file was streamed
    Sleep(900);                     // and its queue plays out
    ASys.AudioClose();

    std::vector<Window> w = Windows(CapturedSamples(ReadBytes(captured)), 44100);
    ASSERT_GT(w.size(), 50u);
    int effect = 0, music = 0;
    for (const Window& x : w) {
        if (x.rms < 1000) continue;
        if (x.crossings >= 64 && x.crossings <= 96) effect++;
        if (x.crossings >= 8 && x.crossings <= 16) music++;
    }
    EXPECT_GE(effect, 10) << "0.3 s of the effect is 15 windows";
    EXPECT_GE(music, 35) << "1 s of music is 50 windows";
    for (const auto& l : log.Lines()) EXPECT_EQ(l.find("Error"), std::string::npos) << l;
}

}  // namespace
