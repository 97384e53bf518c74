// Music streaming: the block sequence of WAV and Ogg streams, looping, the
// end of a stream, starvation, parameters and files that must not stream.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <thread>

#include "test_audio_fixtures.h"
#include "test_support.h"

namespace {

class MusicStream : public ::testing::Test {
protected:
    LogCapture log;
    TempDir dir;
    AudioSession audio;

    void SetUp() override { ASSERT_TRUE(audio.Live()); }

    std::string Write(const std::string& name, const std::vector<unsigned char>& bytes) {
        std::string path = dir.File(name);
        WriteBytes(path, bytes);
        return path;
    }
    long FilePos() { return MusicFile ? ftell(MusicFile) : -1; }
    int Queued() { return SourceInt(31, AL_BUFFERS_QUEUED); }
    // Waits (at most 5 s) until OpenAL reports what `done` checks for.
    template <class F>
    bool WaitFor(F done) {
        for (int i = 0; i < 500; i++) {
            if (done()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
};

// 40,000 data bytes behind a 44-byte header, 8-bit mono at 8 kHz, so one
// block lasts two seconds and nothing finishes while the test runs.
TEST_F(MusicStream, WavPlaysWholeBlocksFromTheFirstByteAndLoops) {
    std::vector<unsigned char> wav = Wav(1, 8, 8000, 40000);
    ASSERT_EQ(wav.size(), 40044u);
    ASys.PlayMusic_Wav_Sys(Write("song.wav", wav).c_str(), 1);
    ASSERT_EQ(ASys.StreamType, 1);
    EXPECT_EQ(MusicBufferStats[1], AL_FORMAT_MONO8);
    EXPECT_EQ(MusicBufferStats[3], 1024);
    EXPECT_EQ(MusicBufferStats[4], 8000);
    EXPECT_EQ(SourceInt(31, AL_SOURCE_STATE), AL_PLAYING);
    struct Step {
        long pos;
        int tick, index, queued;
    } steps[] = {
        {16384, -2, 1, 1},  // the start: bytes 0..16383, header included
        {32768, -1, 2, 2},  // bytes 16384..32767
        {0, -1, 2, 2},      // the 7,276-byte tail is dropped, the file rewinds
        {16384, 0, 3, 3},   // from byte 0 again
        {32768, 1, 0, 4},   // the fourth fill; the queue is full
        {32768, 1, 0, 4},   // nothing has finished, so nothing is added
    };
    for (size_t i = 0; i < sizeof steps / sizeof steps[0]; i++) {
        SCOPED_TRACE("top-up " + std::to_string(i));
        if (i > 0) ASys.HandleMusicSys();
        EXPECT_EQ(FilePos(), steps[i].pos);
        EXPECT_EQ(MusicBufferTick, steps[i].tick);
        EXPECT_EQ(ASys.StreamIndex, steps[i].index);
        EXPECT_EQ(Queued(), steps[i].queued);
    }
    for (int b = 0; b < 4; b++) EXPECT_EQ(BufferSize(MusicBuffer[b]), 16384);
    EXPECT_EQ(ASys.StreamType, 1);
    for (const auto& l : log.Lines()) EXPECT_EQ(l.find("Error"), std::string::npos) << l;
}

TEST_F(MusicStream, NonLoopingWavEndsAndLetsTheQueuePlayOut) {
    ASys.PlayMusic_Wav_Sys(Write("song.wav", Wav(1, 8, 8000, 40000)).c_str(), 0);
    ASys.HandleMusicSys();
    ASys.HandleMusicSys();
    EXPECT_EQ(ASys.StreamType, 0);
    EXPECT_EQ(MusicFile, nullptr);
    EXPECT_EQ(Queued(), 2);
    EXPECT_EQ(SourceInt(31, AL_SOURCE_STATE), AL_PLAYING);
}

// From the fifth top-up on, a block goes in only for one OpenAL finished,
// and it goes into the buffer that finished.
TEST_F(MusicStream, AfterTheFirstFourFillsABlockWaitsForAFinishedOne) {
    // 16-bit mono at 22,050 Hz: 371 ms per block.
    ASys.PlayMusic_Wav_Sys(Write("song.wav", Wav(1, 16, 22050, 16384 * 12)).c_str(), 1);
    for (int i = 0; i < 4; i++) ASys.HandleMusicSys();
    EXPECT_EQ(MusicBufferTick, 1);
    EXPECT_EQ(Queued(), 4);
    ASSERT_TRUE(WaitFor([&] { return SourceInt(31, AL_BUFFERS_PROCESSED) > 0; }));
    ASys.HandleMusicSys();
    EXPECT_EQ(MusicBufferTick, 2);
    EXPECT_EQ(ASys.StreamIndex, 1);
    EXPECT_EQ(Queued(), 4);
    EXPECT_EQ(SourceInt(31, AL_SOURCE_STATE), AL_PLAYING);
    for (const auto& l : log.Lines()) EXPECT_EQ(l.find("Buffer Error"), std::string::npos) << l;
}

// A stream nobody fed (the game paused) runs dry; the next top-up starts it
// again with new blocks instead of replaying the finished ones.
TEST_F(MusicStream, StarvedStreamRestartsWithFreshBlocks) {
    // 16-bit stereo at 48 kHz: 85 ms per block.
    ASys.PlayMusic_Wav_Sys(Write("song.wav", Wav(2, 16, 48000, 16384 * 12)).c_str(), 1);
    for (int i = 0; i < 3; i++) ASys.HandleMusicSys();
    ASSERT_TRUE(WaitFor([&] { return SourceInt(31, AL_SOURCE_STATE) == AL_STOPPED; }));
    long pos = FilePos();
    ASys.HandleMusicSys();
    EXPECT_EQ(SourceInt(31, AL_SOURCE_STATE), AL_PLAYING);
    EXPECT_EQ(Queued(), 1);
    EXPECT_EQ(FilePos(), pos + 16384);
    for (int i = 0; i < 3; i++) ASys.HandleMusicSys();
    EXPECT_EQ(Queued(), 4);
    for (const auto& l : log.Lines()) EXPECT_EQ(l.find("Buffer Error"), std::string::npos) << l;
}

TEST_F(MusicStream, OggBlocksCarryWhatWasDecoded) {
    std::string stereo = dir.File("stereo.ogg"), mono = dir.File("mono.ogg");
    ASSERT_TRUE(WriteOgg(stereo, 2, 44100, 1.0, 440));
    ASSERT_TRUE(WriteOgg(mono, 1, 22050, 1.0, 440));

    ASys.PlayMusic_Ogg_Sys(stereo.c_str(), 1);
    ASSERT_EQ(ASys.StreamType, 2);
    EXPECT_EQ(MusicBufferStats[1], AL_FORMAT_STEREO16);
    EXPECT_EQ(MusicBufferStats[3], 2048);
    EXPECT_EQ(MusicBufferStats[4], 44100);
    EXPECT_EQ(MusicBufferStats[5], 2);
    EXPECT_EQ(BufferSize(MusicBuffer[0]), 32768);  // 8,192 frames of two channels
    EXPECT_EQ(SourceInt(31, AL_SOURCE_STATE), AL_PLAYING);

    ASys.PlayMusic_Ogg_Sys(mono.c_str(), 1);
    ASSERT_EQ(ASys.StreamType, 2);
    EXPECT_EQ(MusicBufferStats[1], AL_FORMAT_MONO16);
    EXPECT_EQ(MusicBufferStats[3], 4096);
    EXPECT_EQ(BufferSize(MusicBuffer[0]), 32768);  // 16,384 frames of one channel
    EXPECT_EQ(Queued(), 1);
    for (const auto& l : log.Lines()) EXPECT_EQ(l.find("Error"), std::string::npos) << l;
}

// A short Ogg file (about 0.6 blocks) ends within the first four fills.
TEST_F(MusicStream, OggEndsOrLoopsAtTheEndOfTheFile) {
    std::string path = dir.File("short.ogg");
    ASSERT_TRUE(WriteOgg(path, 1, 22050, 0.45, 300));

    ASys.PlayMusic_Ogg_Sys(path.c_str(), 0);
    EXPECT_EQ(MusicBufferTick, -2);
    ASys.HandleMusicSys();
    EXPECT_EQ(ASys.StreamType, 0);
    EXPECT_EQ(OggFile, nullptr);
    EXPECT_EQ(MusicFile, nullptr);
    EXPECT_EQ(Queued(), 1);

    ASys.PlayMusic_Ogg_Sys(path.c_str(), 1);
    int sizes[3];
    ASys.HandleMusicSys();  // the end: rewind
    EXPECT_EQ(ASys.StreamType, 2);
    EXPECT_EQ(MusicBufferTick, -2);
    ASys.HandleMusicSys();  // the same samples again
    EXPECT_EQ(MusicBufferTick, -1);
    for (int b = 0; b < 2; b++) sizes[b] = BufferSize(MusicBuffer[b]);
    EXPECT_GT(sizes[0], 0);
    EXPECT_EQ(sizes[0], sizes[1]);
    EXPECT_EQ(Queued(), 2);
}

// Decoding that breaks off mid-file (a cut download) ends the stream, or
// loops what could be decoded.
TEST_F(MusicStream, OggCutShortEndsOrLoopsCleanly) {
    std::string full = dir.File("full.ogg");
    ASSERT_TRUE(WriteOgg(full, 1, 8000, 4.0, 300, 0.3f));
    std::vector<unsigned char> bytes = ReadBytes(full);
    // Cut within the audio pages, behind the headers (granule position 0).
    size_t audio = 0;
    for (size_t i = 0; i + 14 <= bytes.size() && !audio; i++)
        if (memcmp(&bytes[i], "OggS", 4) == 0 && bytes[i + 6] + bytes[i + 7] != 0) audio = i;
    ASSERT_GT(audio, 0u);
    bytes.resize(audio + (bytes.size() - audio) * 6 / 10);
    std::string cut = Write("cut.ogg", bytes);
    for (int loop = 0; loop <= 1; loop++) {
        SCOPED_TRACE(loop);
        ASys.PlayMusic_Ogg_Sys(cut.c_str(), loop);
        ASSERT_EQ(ASys.StreamType, 2);
        for (int i = 0; i < 8; i++) ASys.HandleMusicSys();
        EXPECT_EQ(ASys.StreamType, loop == 1 ? 2 : 0);
        EXPECT_GE(Queued(), 1);
    }
}

// Damaged bytes never reach the decoder: a stream plays up to its first
// damaged page, and one damaged from the start does not play at all.
TEST_F(MusicStream, DamagedOggPagesStopTheStreamThere) {
    std::string full = dir.File("full.ogg");
    ASSERT_TRUE(WriteOgg(full, 1, 8000, 4.0, 300, 0.3f));
    const std::vector<unsigned char> bytes = ReadBytes(full);
    const long size = (long)bytes.size();
    EXPECT_EQ(CheckedOggLength(bytes.data(), size), size);

    std::vector<unsigned char> late = bytes;
    late[late.size() * 2 / 3] ^= 0x20;
    long good = CheckedOggLength(late.data(), size);
    EXPECT_GT(good, 0);
    EXPECT_LT(good, size * 2 / 3);
    std::string path = Write("late.ogg", late);
    ASys.PlayMusic_Ogg_Sys(path.c_str(), 0);
    EXPECT_EQ(ASys.StreamType, 2);
    EXPECT_TRUE(log.Has("Ogg stream damaged at byte " + std::to_string(good) + ", played up to there - " + path));
    for (int i = 0; i < 40 && ASys.StreamType == 2; i++) ASys.HandleMusicSys();
    EXPECT_EQ(ASys.StreamType, 0) << "the stream ends at the damage";

    std::vector<unsigned char> early = bytes;
    early[10] ^= 1;  // inside the first page
    EXPECT_EQ(CheckedOggLength(early.data(), size), 0);
    std::vector<unsigned char> shortPage(bytes.begin(), bytes.begin() + 40);
    EXPECT_EQ(CheckedOggLength(shortPage.data(), 40), 0);
    path = Write("early.ogg", early);
    ASys.PlayMusic_Ogg_Sys(path.c_str(), 1);
    EXPECT_EQ(ASys.StreamType, 0);
    EXPECT_EQ(OggFile, nullptr);
    EXPECT_TRUE(log.Has("Not an Ogg Vorbis stream - " + path + " (damaged at byte 0)"));
}

// Real music often carries cover art in its comments. However large the
// comment header, the stream plays; a stream the decoder's memory cannot
// hold is refused with a line that says so, not blamed on the file.
TEST_F(MusicStream, LargeCommentHeadersPlay) {
    const struct {
        const char* name;
        std::vector<std::string> comments;
    } cases[] = {
        {"900 KB of cover art", {"METADATA_BLOCK_PICTURE=" + std::string(900000, 'Q')}},
        {"3 MB of cover art", {"METADATA_BLOCK_PICTURE=" + std::string(3000000, 'Q')}},
        {"100,000 short comments", std::vector<std::string>(100000, "A=b")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = dir.File("art.ogg");
        ASSERT_TRUE(WriteOgg(path, 2, 22050, 2.0, 440, 0, c.comments));
        ASys.PlayMusic_Ogg_Sys(path.c_str(), 0);
        ASSERT_EQ(ASys.StreamType, 2);
        ASSERT_NE(OggFile, nullptr);
        for (int i = 0; i < 3; i++) ASys.HandleMusicSys();
        EXPECT_EQ(Queued(), 4);
        EXPECT_EQ(MusicBufferStats[4], 22050);
    }
    for (const auto& l : log.Lines()) EXPECT_EQ(l.find("Not an Ogg"), std::string::npos) << l;

    std::string path = dir.File("plain.ogg");
    ASSERT_TRUE(WriteOgg(path, 2, 22050, 1.0, 440));
    long spare = OggDecoderSpare;
    OggDecoderSpare = 4096;  // too little for any decoder
    ASys.PlayMusic_Ogg_Sys(path.c_str(), 0);
    OggDecoderSpare = spare;
    EXPECT_EQ(ASys.StreamType, 0);
    EXPECT_EQ(OggFile, nullptr);
    bool said = false;
    for (const auto& l : log.Lines()) said = said || l.rfind("Not enough memory for Ogg stream - " + path, 0) == 0;
    EXPECT_TRUE(said);
}

// Files the fuzzer found, with their page checksums intact so they reach
// the header checks: a comment length that pointed outside the packet (the
// decoder wrote before its memory) and a broken sparse codebook (it failed
// half-way and lost what it had allocated). Both are refused; the sanitizer
// build shows any overflow or leak.
TEST_F(MusicStream, FuzzerFindsAreRefusedSafely) {
    for (const char* name : {"ogg_comment_overflow.ogg", "ogg_setup_leak.ogg"}) {
        SCOPED_TRACE(name);
        std::string path = std::string(BRAMBLEHOP_SOURCE_DIR) + "/tests/data/" + name;
        ASSERT_FALSE(ReadBytes(path).empty());
        for (int i = 0; i < 3; i++) {
            ASys.PlayMusic_Ogg_Sys(path.c_str(), 1);
            for (int k = 0; k < 6; k++) ASys.HandleMusicSys();
        }
        EXPECT_EQ(OggFile, nullptr);
        EXPECT_EQ(ASys.StreamType, 0);
    }
}

// Rewrites every page's checksum, so a changed header field gets past the
// page check and only the header check stands in its way.
void RepairOggPages(std::vector<unsigned char>& b) {
    size_t at = 0;
    while (b.size() - at >= 27 && memcmp(&b[at], "OggS", 4) == 0) {
        size_t length = 27 + b[at + 26];
        for (size_t i = 0; i < b[at + 26]; i++) length += b[at + 27 + i];
        uint32_t crc = OggPageCrc(&b[at], (long)length);
        for (int i = 0; i < 4; i++) b[at + kOggCrcAt + i] = (unsigned char)(crc >> (8 * i));
        at += length;
    }
}

TEST_F(MusicStream, InconsistentVorbisHeadersNeverReachTheDecoder) {
    std::string good = dir.File("good.ogg");
    ASSERT_TRUE(WriteOgg(good, 2, 22050, 0.5, 440));
    const std::vector<unsigned char> bytes = ReadBytes(good);
    // The identification packet fills the first page; the comments open the second.
    const size_t id = 27 + bytes[26];
    const size_t page2 = id + 30;
    ASSERT_EQ(memcmp(&bytes[page2], "OggS", 4), 0);
    const size_t comments = page2 + 27 + bytes[page2 + 26];
    ASSERT_EQ(bytes[comments], 3);
    struct Case {
        const char* name;
        size_t at;
        std::vector<unsigned char> put;
    } cases[] = {
        {"no channels", id + 11, {0}},
        {"no sample rate", id + 12, {0, 0, 0, 0}},
        {"short blocks too small", id + 28, {0x85}},
        {"long blocks too large", id + 28, {0xE8}},
        {"short blocks longer than long", id + 28, {0x8B}},
        {"no framing bit", id + 29, {0}},
        {"vendor longer than the packet", comments + 7, {0xff, 0xff, 0xff, 0x7f}},
        {"a billion comments", comments + 11 + bytes[comments + 7], {0, 0, 0, 0x40}},
    };
    std::vector<unsigned char> same = bytes;
    RepairOggPages(same);
    ASSERT_EQ(same, bytes) << "the repair must agree with the encoder's checksums";
    EXPECT_TRUE(VorbisHeadersSound(bytes.data(), (long)bytes.size()));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<unsigned char> b = bytes;
        std::copy(c.put.begin(), c.put.end(), b.begin() + (long)c.at);
        RepairOggPages(b);
        ASSERT_EQ(CheckedOggLength(b.data(), (long)b.size()), (long)b.size());
        EXPECT_FALSE(VorbisHeadersSound(b.data(), (long)b.size()));
        std::string path = Write("bad.ogg", b);
        ASys.PlayMusic_Ogg_Sys(path.c_str(), 1);
        EXPECT_EQ(ASys.StreamType, 0);
        EXPECT_TRUE(log.Has("Not an Ogg Vorbis stream - " + path + " (damaged headers)"));
    }
}

TEST_F(MusicStream, FilesThatCannotStreamStartNothing) {
    std::string good = dir.File("good.ogg");
    ASSERT_TRUE(WriteOgg(good, 1, 22050, 1.0, 440));
    std::string wavBytes = dir.File("x.wav");
    WriteBytes(wavBytes, Wav(1, 16, 8000, 20000));
    const char* text = "not music";
    struct Case {
        const char* name;
        bool ogg;
        std::string path;
        std::string line;  // logged, by its start
    } cases[] = {
        {"missing ogg", true, dir.File("none.ogg"), "Error Opening Ogg"},
        {"empty ogg", true, Write("empty.ogg", {}), "Not an Ogg Vorbis stream"},
        {"text as ogg", true, Write("text.ogg", {text, text + 9}), "Not an Ogg Vorbis stream"},
        {"wav as ogg", true, wavBytes, "Not an Ogg Vorbis stream"},
        {"missing wav", false, dir.File("none.wav"), "Error Opening Wave - " + dir.File("none.wav")},
        {"empty wav", false, Write("empty.wav", {}), "Not a PCM Wave"},
        {"text as wav", false, Write("text.wav", {text, text + 9}), "Not a PCM Wave"},
        {"24-bit wav", false, Write("deep.wav", Wav(1, 24, 8000, 30000)), "Not a PCM Wave"},
        {"ogg as wav", false, good, "Not a PCM Wave"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASys.PlayMusic_Ogg_Sys(good.c_str(), 1);
        ASSERT_EQ(ASys.StreamType, 2);
        size_t before = log.Lines().size();
        if (c.ogg) ASys.PlayMusic_Ogg_Sys(c.path.c_str(), 1);
        else ASys.PlayMusic_Wav_Sys(c.path.c_str(), 1);
        EXPECT_EQ(ASys.StreamType, 0);
        EXPECT_EQ(MusicFile, nullptr);
        EXPECT_EQ(OggFile, nullptr);
        EXPECT_EQ(Queued(), 0);
        EXPECT_NE(SourceInt(31, AL_SOURCE_STATE), AL_PLAYING);
        std::vector<std::string> lines = log.Lines();
        ASSERT_EQ(lines.size(), before + 1);
        EXPECT_EQ(lines.back().rfind(c.line, 0), 0u) << lines.back();
        ASys.HandleMusicSys();  // the engine would not call it; harmless anyway
    }
}

TEST_F(MusicStream, EachNewStreamClosesThePreviousFileAndDecoder) {
    std::string ogg = dir.File("a.ogg");
    ASSERT_TRUE(WriteOgg(ogg, 2, 22050, 0.5, 440));
    std::string wav = Write("b.wav", Wav(1, 16, 8000, 40000));
    int before = OpenFileCount();
    for (int i = 0; i < 20; i++) {
        ASys.PlayMusic_Ogg_Sys(ogg.c_str(), 1);
        ASys.PlayMusic_Ogg_Sys(ogg.c_str(), 0);
        ASys.PlayMusic_Wav_Sys(wav.c_str(), 1);
        EXPECT_EQ(OggFile, nullptr);
    }
    EXPECT_EQ(OpenFileCount(), before + 1);  // the WAV stream now playing
    ASys.StopMusicSys();
    EXPECT_EQ(OpenFileCount(), before);
    EXPECT_EQ(ASys.StreamType, 0);
    EXPECT_EQ(ASys.StreamIndex, 0);
    // Stopping lets what is queued play out.
    EXPECT_EQ(SourceInt(31, AL_SOURCE_STATE), AL_PLAYING);
}

TEST_F(MusicStream, ParametersReachTheSourceAndResetWithEachStream) {
    std::string wav = Write("b.wav", Wav(1, 8, 8000, 40000));
    ASys.PlayMusic_Wav_Sys(wav.c_str(), 1);
    ASys.StreamPitch = 2.0f;
    ASys.StreamVolume = 0.5f;
    ASys.StreamMasterVolume = 0.8f;
    ASys.StreamPan = 0.5f;
    ASys.HandleMusicSys();
    float x, y, z;
    SourcePosition(31, x, y, z);
    EXPECT_FLOAT_EQ(SourceFloat(31, AL_PITCH), 2.0f);
    EXPECT_FLOAT_EQ(SourceFloat(31, AL_GAIN), 0.4f);
    EXPECT_FLOAT_EQ(x, -0.5f);
    ASys.PlayMusic_Wav_Sys(wav.c_str(), 1);
    EXPECT_FLOAT_EQ(ASys.StreamPitch, 1.0f);
    EXPECT_FLOAT_EQ(ASys.StreamVolume, 1.0f);
    EXPECT_FLOAT_EQ(ASys.StreamPan, 0.0f);
    SourcePosition(31, x, y, z);
    EXPECT_FLOAT_EQ(x, 0.0f);
    EXPECT_FLOAT_EQ(SourceFloat(31, AL_GAIN), 0.8f);
}

}  // namespace
