// The generated art and sounds: every file the loader asks for exists,
// decodes, has its frame layout, and the generator repeats itself exactly.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <lodepng.h>
#define STB_VORBIS_HEADER_ONLY
#include <stb/stb_vorbis.h>

#include "GameAssets.h"
#include "VellFontWidths.h"
#include "test_support.h"

namespace {

std::string BuildDir() {
    std::string bin = BRAMBLEHOP_GAME_BIN;  // <build>/game/Bramblehop
    return bin.substr(0, bin.rfind('/', bin.rfind('/') - 1));
}
std::string DataDir() { return BuildDir() + "/game/Data/552"; }
std::string Generator() { return BuildDir() + "/tools/bramblehop-assets"; }

struct Png {
    unsigned w = 0, h = 0;
    std::vector<unsigned char> px;
    bool rgba8 = false;
    unsigned char alpha(unsigned x, unsigned y) const { return px[(size_t(y) * w + x) * 4 + 3]; }
    const unsigned char* at(unsigned x, unsigned y) const { return &px[(size_t(y) * w + x) * 4]; }
};

Png LoadPng(const std::string& path) {
    Png p;
    std::vector<unsigned char> file = ReadBytes(path);
    if (file.empty()) return p;
    lodepng::State state;
    unsigned w, h;
    if (lodepng_inspect(&w, &h, &state, file.data(), file.size()) == 0)
        p.rgba8 = state.info_png.color.colortype == LCT_RGBA && state.info_png.color.bitdepth == 8;
    if (lodepng::decode(p.px, p.w, p.h, file) != 0) p.w = p.h = 0;
    return p;
}

// Ink of frame f (fs-pixel squares, row by row): alpha > 0 anywhere.
bool FrameHasInk(const Png& p, unsigned fs, unsigned f, unsigned* minX = nullptr, unsigned* maxX = nullptr) {
    unsigned cols = p.w / fs, ox = (f % cols) * fs, oy = (f / cols) * fs;
    bool ink = false;
    for (unsigned y = 0; y < fs; y++)
        for (unsigned x = 0; x < fs; x++)
            if (p.alpha(ox + x, oy + y) > 0) {
                if (minX && (!ink || x < *minX)) *minX = x;
                if (maxX && (!ink || x > *maxX)) *maxX = x;
                ink = true;
            }
    return ink;
}

TEST(AssetsImages, EveryImageDecodesWithItsSizeAndFitsTheLoadersTexture) {
    const struct {
        const char* file;
        unsigned w, h, fs, minFrames;
    } table[] = {
        {"entplain.png", 0, 0, 32, 95},       {"VellLogo.png", 800, 800, 32, 625}, {"icons.png", 0, 0, 64, 9},
        {"particles.png", 384, 384, 32, 144}, {"options.png", 0, 0, 32, 12},       {"menu.png", 504, 504, 504, 1},
        {"logo.png", 1024, 1024, 1024, 1},    {"plr-32.png", 0, 0, 32, 6},         {"tiles-32.png", 0, 0, 32, 57},
        {"bg-32.png", 0, 0, 32, 12},          {"obj-32.png", 0, 0, 32, 12},
    };
    for (const auto& t : table) {
        SCOPED_TRACE(t.file);
        Png p = LoadPng(DataDir() + "/" + t.file);
        ASSERT_GT(p.w, 0u) << "missing or undecodable";
        EXPECT_TRUE(p.rgba8);
        if (t.w) {
            EXPECT_EQ(p.w, t.w);
            EXPECT_EQ(p.h, t.h);
        }
        EXPECT_EQ(p.w % t.fs, 0u);
        EXPECT_EQ(p.h % t.fs, 0u);
        unsigned cols = p.w / t.fs, rows = p.h / t.fs;
        EXPECT_GE(cols * rows, t.minFrames);
        if (p.w <= t.fs) continue;
        // The loader re-packs frames into a square power-of-two texture and
        // does not guard against running out of rows.
        unsigned cell = t.fs + 8, side = 64;
        while (side < cols * cell) side *= 2;
        unsigned perRow = side / cell, texRows = (cols * rows + perRow - 1) / perRow;
        EXPECT_LE(texRows * cell, side);
    }
}

TEST(AssetsImages, FramesTheGameDrawsAreNotEmpty) {
    const struct {
        const char* file;
        unsigned fs;
        std::vector<unsigned> frames;
    } table[] = {
        {"plr-32.png", 32, {0, 1, 2, 3, 4, 5}},
        {"tiles-32.png", 32, {0, 1, 2, 3, 4, 5, 6, 10, 11, 25, 26, 35, 36, 45, 46, 55, 56}},
        {"obj-32.png", 32, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
        {"bg-32.png", 32, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
        {"icons.png", 64, {0, 1, 3, 4, 5, 8}},
        {"options.png", 32, {0, 1, 2, 3, 6, 7, 8, 9, 10, 11}},
    };
    for (const auto& t : table) {
        Png p = LoadPng(DataDir() + "/" + t.file);
        ASSERT_GT(p.w, 0u) << t.file;
        for (unsigned f : t.frames) EXPECT_TRUE(FrameHasInk(p, t.fs, f)) << t.file << " frame " << f;
    }
    // A particle takes a random frame of its row: every frame of a used row counts.
    Png parts = LoadPng(DataDir() + "/particles.png");
    ASSERT_GT(parts.w, 0u);
    for (unsigned row : {1u, 3u, 7u, 8u, 10u})
        for (unsigned i = 0; i < 12; i++) EXPECT_TRUE(FrameHasInk(parts, 32, row * 12 + i)) << "particle row " << row;
}

TEST(AssetsImages, TitleLogoStaysInItsBandAndTheBackdropIsOpaque) {
    // The title screen places the logo by its middle band, rows 256 to 767.
    Png logo = LoadPng(DataDir() + "/logo.png");
    ASSERT_EQ(logo.h, 1024u);
    unsigned inkRows = 0;
    for (unsigned y = 0; y < logo.h; y++)
        for (unsigned x = 0; x < logo.w; x++)
            if (logo.alpha(x, y) > 0) {
                EXPECT_TRUE(y >= 256 && y <= 767) << "ink at row " << y;
                if (y >= 256 && y <= 767) inkRows++;
                break;
            }
    EXPECT_GT(inkRows, 200u);
    Png menu = LoadPng(DataDir() + "/menu.png");
    ASSERT_EQ(menu.w, 504u);
    for (unsigned y = 0; y < menu.h; y++)
        for (unsigned x = 0; x < menu.w; x++) ASSERT_EQ(menu.alpha(x, y), 255) << x << "," << y;
}

TEST(AssetsFont, GlyphInkStaysInsideItsAdvance) {
    Png p = LoadPng(DataDir() + "/entplain.png");
    ASSERT_GT(p.w, 0u);
    // Space (frame 0) doubles as the blank the renderer shows for unknown frames.
    EXPECT_FALSE(FrameHasInk(p, 32, 0));
    for (unsigned f = 1; f < 95; f++) {
        unsigned lo = 0, hi = 0;
        ASSERT_TRUE(FrameHasInk(p, 32, f, &lo, &hi)) << "character '" << char(32 + f) << "' has no glyph";
        // The pen sits 14 pixels into a text and the cell is centred on it,
        // so a glyph's advance begins at column 2 of its cell.
        EXPECT_GE(lo, 2u) << "character '" << char(32 + f) << "'";
        EXPECT_LT(hi, 2u + unsigned(fontw[f] - 1)) << "character '" << char(32 + f) << "'";
    }
}

// Mean colour step across a wrap edge against the steps inside the picture.
void ExpectTilesSeamlessly(const Png& p, unsigned ox, unsigned oy, unsigned fs, bool across, bool down) {
    auto diff = [&](unsigned x0, unsigned y0, unsigned x1, unsigned y1) {
        const unsigned char *a = p.at(ox + x0, oy + y0), *b = p.at(ox + x1, oy + y1);
        int d = 0;
        for (int c = 0; c < 4; c++) d += std::abs(a[c] - b[c]);
        return d;
    };
    double inner = 0, wrapX = 0, wrapY = 0;
    for (unsigned i = 0; i < fs; i++) {
        for (unsigned j = 0; j + 1 < fs; j++) inner += diff(j, i, j + 1, i) + diff(i, j, i, j + 1);
        wrapX += diff(fs - 1, i, 0, i);
        wrapY += diff(i, fs - 1, i, 0);
    }
    inner /= 2.0 * fs * (fs - 1);
    if (across) {
        EXPECT_LE(wrapX / fs, 2.5 * inner + 8) << "left and right edges do not meet";
    }
    if (down) {
        EXPECT_LE(wrapY / fs, 2.5 * inner + 8) << "top and bottom edges do not meet";
    }
}

TEST(AssetsImages, RepeatingTilesMeetWithoutSeams) {
    Png tiles = LoadPng(DataDir() + "/tiles-32.png"), icons = LoadPng(DataDir() + "/icons.png"),
        bg = LoadPng(DataDir() + "/bg-32.png");
    ASSERT_GT(tiles.w, 0u);
    ASSERT_GT(icons.w, 0u);
    ASSERT_GT(bg.w, 0u);
    // Ledge tops run along a floor; ledge bodies fill in both directions.
    for (unsigned f : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE("tile frame " + std::to_string(f));
        ExpectTilesSeamlessly(tiles, (f % 12) * 32, (f / 12) * 32, 32, true, f == 2 || f == 4);
    }
    SCOPED_TRACE("icons frame 8, the front-end pattern");
    ExpectTilesSeamlessly(icons, (8 % (icons.w / 64)) * 64, (8 / (icons.w / 64)) * 64, 64, true, true);
    // Backdrop tiles are placed at random: every edge must equal every other.
    unsigned cols = bg.w / 32;
    for (unsigned f = 1; f < 12; f++)
        for (unsigned i = 0; i < 32; i++)
            for (unsigned e = 0; e < 4; e++) {
                unsigned x = e == 0 ? 0 : e == 1 ? 31 : i, y = e == 2 ? 0 : e == 3 ? 31 : i;
                const unsigned char* a = bg.at(x, y);
                const unsigned char* b = bg.at((f % cols) * 32 + x, (f / cols) * 32 + y);
                for (int c = 0; c < 4; c++) ASSERT_NEAR(a[c], b[c], 6) << "bg frame " << f;
            }
}

struct WavInfo {
    bool pcm16mono = false;
    unsigned rate = 0;
    std::vector<int16_t> s;
};

WavInfo ReadWav(const std::string& path) {
    WavInfo w;
    std::vector<unsigned char> b = ReadBytes(path);
    auto u32 = [&](size_t o) { return b[o] | b[o + 1] << 8 | b[o + 2] << 16 | unsigned(b[o + 3]) << 24; };
    auto u16 = [&](size_t o) { return unsigned(b[o] | b[o + 1] << 8); };
    if (b.size() < 44 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
        std::string(b.begin() + 8, b.begin() + 16) != "WAVEfmt ")
        return w;
    w.pcm16mono = u16(20) == 1 && u16(22) == 1 && u16(34) == 16;
    w.rate = u32(24);
    size_t at = 20 + u32(16);
    while (at + 8 <= b.size()) {
        size_t len = u32(at + 4);
        if (std::string(b.begin() + at, b.begin() + at + 4) == "data") {
            for (size_t i = at + 8; i + 1 < at + 8 + len && i + 1 < b.size(); i += 2) w.s.push_back(int16_t(u16(i)));
            break;
        }
        at += 8 + len;
    }
    return w;
}

TEST(AssetsSounds, EveryEffectIsShortCleanAndEquallyLoud) {
    double quietest = 1e9, loudest = -1e9;
    for (int slot : bh::kSoundSlots) {
        SCOPED_TRACE(slot);
        char name[16];
        snprintf(name, sizeof name, "/audio/%02d.wav", slot);
        WavInfo w = ReadWav(DataDir() + name);
        ASSERT_TRUE(w.pcm16mono);
        EXPECT_EQ(w.rate, 44100u);
        ASSERT_GT(w.s.size(), 44100u / 50);
        EXPECT_LT(w.s.size(), 44100u * 2);
        int peak = 0;
        for (int16_t v : w.s) peak = std::max(peak, std::abs(int(v)));
        EXPECT_LT(peak, 32000) << "clipped";
        // Starting and stopping at rest: no click at either end.
        EXPECT_LT(std::abs(w.s.front()), 300);
        EXPECT_LT(std::abs(w.s.back()), 300);
        // Loudness: the loudest 50 ms.
        const size_t win = 2205;
        double best = 0, sum = 0;
        for (size_t i = 0; i < w.s.size(); i++) {
            sum += double(w.s[i]) * w.s[i];
            if (i >= win) sum -= double(w.s[i - win]) * w.s[i - win];
            best = std::max(best, sum / double(std::min(i + 1, win)));
        }
        double db = 20 * std::log10(std::sqrt(best) / 32768.0);
        EXPECT_GT(db, -30.0) << "nearly silent";
        quietest = std::min(quietest, db);
        loudest = std::max(loudest, db);
    }
    EXPECT_LT(loudest - quietest, 6.0) << "effects differ too much in loudness";
}

TEST(AssetsMusic, DecodesToMoreThanAMinuteThatLoopsWithoutAJump) {
    for (const char* song : {bh::kMusicTitle, bh::kMusicMenu}) {
        SCOPED_TRACE(song);
        int channels = 0, rate = 0;
        short* out = nullptr;
        int frames = stb_vorbis_decode_filename((DataDir() + "/audio/" + song).c_str(), &channels, &rate, &out);
        ASSERT_GT(frames, 0);
        EXPECT_EQ(channels, 2);
        EXPECT_EQ(rate, 44100);
        EXPECT_GE(frames / rate, 60);
        // The player queues blocks of 16,384 samples; a loop of whole blocks
        // leaves no stale tail before it rewinds.
        EXPECT_EQ(frames % 16384, 0);
        double step = 0;
        int peak = 0;
        for (int i = 1; i < frames; i++) {
            step += std::abs(out[i * 2] - out[(i - 1) * 2]);
            peak = std::max(peak, std::abs(int(out[i * 2])));
        }
        step /= frames;
        EXPECT_GT(peak, 8000) << "too quiet";
        for (int c = 0; c < 2; c++)
            EXPECT_LT(std::abs(out[c] - out[(frames - 1) * 2 + c]), 6 * step + 200) << "jump at the loop point";
        free(out);
    }
}

// At the default volumes (both 7 of 10) every effect must cut through
// either song: its peak at least 6 dB over the song's loudness in its
// loudest half second, so wherever it plays. A mono output adds the two
// sides of the song and plays a centred effect at its own level, which is
// the harder case (on two speakers the effect is 3 dB further ahead).
TEST(AssetsMusic, EveryEffectStandsAboveTheMusic) {
    const double sfxVol = 0.7, musicVol = 0.7;
    double loudest = 0;
    for (const char* song : {bh::kMusicTitle, bh::kMusicMenu}) {
        int channels = 0, rate = 0;
        short* out = nullptr;
        int frames = stb_vorbis_decode_filename((DataDir() + "/audio/" + song).c_str(), &channels, &rate, &out);
        ASSERT_GT(frames, 0) << song;
        ASSERT_EQ(channels, 2);
        const int half = rate / 2;
        double songLoudest = 0;
        for (int at = 0; at + half <= frames; at += half / 4) {
            double sum = 0;
            for (int i = at; i < at + half; i++) {
                double m = (out[2 * i] + out[2 * i + 1]) / 32768.0;
                sum += m * m;
            }
            songLoudest = std::max(songLoudest, std::sqrt(sum / half));
        }
        free(out);
        printf("[ levels   ] %s: loudest half second %.1f dBFS at the default volume\n", song,
               20 * std::log10(songLoudest * musicVol));
        loudest = std::max(loudest, songLoudest * musicVol);
    }
    for (int slot : bh::kSoundSlots) {
        char name[16];
        snprintf(name, sizeof name, "/audio/%02d.wav", slot);
        WavInfo w = ReadWav(DataDir() + name);
        int peak = 0;
        for (int16_t v : w.s) peak = std::max(peak, std::abs(int(v)));
        double margin = 20 * std::log10(peak / 32768.0 * sfxVol / loudest);
        printf("[ levels   ] effect %02d: peak %.1f dBFS, %.1f dB over the music\n", slot,
               20 * std::log10(peak / 32768.0 * sfxVol), margin);
        EXPECT_GE(margin, 6.0) << "effect " << slot;
    }
}

TEST(AssetsGenerator, ASecondRunWritesTheSameBytesAndThePreviewDraws) {
    TempDir tmp;
    std::string cmd = "'" + Generator() + "' '" + tmp.Path() + "/data' > /dev/null";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    for (const std::string& f : bh::DataFiles()) {
        std::vector<unsigned char> a = ReadBytes(DataDir() + "/" + f), b = ReadBytes(tmp.Path() + "/data/" + f);
        EXPECT_FALSE(b.empty()) << f;
        EXPECT_TRUE(a == b) << f << " differs between two runs";
    }
    std::string preview = tmp.Path() + "/sheet.png";
    cmd = "'" + Generator() + "' --preview '" + tmp.Path() + "/data' '" + preview + "' > /dev/null";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    Png sheet = LoadPng(preview);
    EXPECT_GT(sheet.w, 0u);
    EXPECT_GT(sheet.h, sheet.w);
}

TEST(AssetsGenerator, RefusesAFolderItCannotWrite) {
    TempDir tmp;
    WriteBytes(tmp.File("file"), {1});
    std::string cmd = "'" + Generator() + "' '" + tmp.File("file") + "/data' > /dev/null 2>&1";
    EXPECT_NE(std::system(cmd.c_str()), 0);
}

}  // namespace
