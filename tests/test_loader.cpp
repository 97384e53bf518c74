// The start-up loader: one asset per step, always the same number of steps,
// the first sound at step 6, missing files logged and passed over; and its
// loading screen.
//
// LoadTo runs 1, 2, ..., 121 and then 0: the step that counts it up to 121
// (step 120, drawing the screen with n = 121) also ends loading, so the
// loader runs 120 times and the 121st update shows the title.
#include <gtest/gtest.h>

#include <lodepng.h>
#include <map>
#include <set>
#include <sys/stat.h>

#include "test_audio_fixtures.h"
#include "test_support.h"

namespace {

class LoaderSteps : public ::testing::Test {
protected:
    LogCapture log;
    TempDir dir;
    AudioSession audio;
    MyGame& game = ThisGame;

    void SetUp() override {
        snprintf(game.home, sizeof game.home, "%s", dir.Path().c_str());
        game.GameNum = 552;
        game.SFXVol = 0.7f;
        game.ScreenW = 800;
        game.ScreenH = 600;
        game.LoadTo = 1;
        for (int s = 0; s < 100; s++) ASys.ImageFrames[s] = -1;
        for (const char* d : {"/Data", "/Data/552", "/Data/552/audio"}) mkdir((dir.Path() + d).c_str(), 0755);
    }
    std::string DataFile(const std::string& rel) { return dir.Path() + "/Data/552/" + rel; }
};

TEST_F(LoaderSteps, LoadsTheTableOneAssetPerStepUntilStep120) {
    WriteBytes(DataFile("audio/95.wav"), Riff({FmtChunk(1, 16, 22050), ToneChunk(22050, 0.5, 660)}));
    std::vector<unsigned char> pixels(64 * 64 * 4, 200);
    ASSERT_EQ(lodepng::encode(DataFile("obj-32.png"), pixels, 64, 64), 0u);
    // The logo and the font too, or every step logs each missing tile.
    std::vector<unsigned char> big(800 * 800 * 4, 200);
    ASSERT_EQ(lodepng::encode(DataFile("VellLogo.png"), big, 800, 800), 0u);
    ASSERT_EQ(lodepng::encode(DataFile("entplain.png"), big, 512, 512), 0u);

    std::map<int, std::vector<std::string>> expected = {
        {1, {"Load Font  : entplain.png "}},
        {2, {"Load Image : VellLogo "}},
        {3, {"Load Image : icons "}},
        {4, {"Load Image : particles "}},
        {5, {"Load SFX   : 95"}},
        {6, {"Load SFX   : 1"}},
        {7, {"Load Image : options "}},
        {8, {"Load SFX   : 99"}},
        {9, {"Load SFX   : 98"}},
        {10, {"Load Image : menu "}},
        {11, {"Load Image : logo "}},
        {20, {"Load Image : plr-32 "}},
        {21, {"Load Image : tiles-32 "}},
        {22, {"Load SFX   : 1"}},
        {23, {"Load SFX   : 2"}},
        {24, {"Load SFX   : 3"}},
        {25, {"Load SFX   : 4"}},
        {26, {"Load Image : bg-32 "}},
        {27, {"Load SFX   : 5"}},
        {29, {"Load Image : obj-32 "}},
        {30, {"Load SFX   : 6"}},
        {31, {"Load SFX   : 97"}},
    };
    // A listed sound that none of these steps loads takes a step of its own
    // after them, in the list's order.
    std::set<std::string> named;
    for (const auto& step : expected) named.insert(step.second.begin(), step.second.end());
    int next = 32;
    for (int slot : bh::kSoundSlots) {
        std::string load = "Load SFX   : " + std::to_string(slot);
        if (!named.count(load)) expected[next++] = {load};
    }
    int soundLoads = 0;
    for (const auto& step : expected)
        for (const std::string& l : step.second) soundLoads += l.rfind("Load SFX", 0) == 0;
    int steps = 0;
    while (game.LoadTo > 0 && steps < 500) {
        int step = game.LoadTo;
        int channel = ALChannel;
        size_t before = log.Lines().size();
        game.Loader();
        steps++;
        std::vector<std::string> lines = log.Lines();
        std::vector<std::string> loads;
        for (size_t i = before; i < lines.size(); i++)
            if (lines[i].rfind("Load ", 0) == 0) loads.push_back(lines[i]);
        auto want = expected.find(step);
        EXPECT_EQ(loads, want == expected.end() ? std::vector<std::string>{} : want->second) << "step " << step;
        if (step == 6) {
            // Sound 95, loaded one step earlier, is the first sign of life.
            ASSERT_EQ(ALChannel, 1);
            EXPECT_EQ(ALsourcebuffer[1], 95);
            EXPECT_EQ(SourceInt(1, AL_BUFFER), (int)ALbuffer[95]);
            EXPECT_EQ(SourceInt(1, AL_SOURCE_STATE), AL_PLAYING);
            EXPECT_FLOAT_EQ(SourceFloat(1, AL_PITCH), 1.0f);
            EXPECT_FLOAT_EQ(SourceFloat(1, AL_GAIN), 0.7f);
        } else {
            EXPECT_EQ(ALChannel, channel) << "no other step plays a sound, step " << step;
        }
        EXPECT_EQ(game.LoadTo, step < 120 ? step + 1 : 0);
        if (step == 28) {
            EXPECT_EQ(iSize[5], 1024);
        }
    }
    EXPECT_EQ(steps, 120);
    EXPECT_EQ(game.LoadTo, 0);
    EXPECT_EQ(SFXData[95][0], 22050);
    EXPECT_NE(ASys.ImageFrames[3], -1);  // found at home/Data/552/obj-32.png
    EXPECT_EQ(ASys.FontImage, 51);
    // Every other sound is missing here: each is reported, none stops loading.
    int missing = 0;
    for (const auto& l : log.Lines()) missing += l == "Error Opening Wave";
    EXPECT_EQ(missing, soundLoads - 1);  // all but sound 95
}

// The screen stays up just as long however the assets fare: an empty data
// folder loads nothing and takes exactly as many steps.
TEST_F(LoaderSteps, NothingToLoadStillTakesAllTheSteps) {
    snprintf(game.home, sizeof game.home, "%s/nowhere", dir.Path().c_str());
    int steps = 0;
    while (game.LoadTo > 0 && steps < 500) {
        game.Loader();
        steps++;
    }
    EXPECT_EQ(steps, 120);
    // Setting it to 1 again loads the whole table again.
    game.LoadTo = 1;
    steps = 0;
    while (game.LoadTo > 0 && steps < 500) {
        game.Loader();
        steps++;
    }
    EXPECT_EQ(steps, 120);
}

class LoadingScreenDraw : public ::testing::Test {
protected:
    LogCapture log;  // the font is not loaded here
    MyGame& game = ThisGame;
    void SetUp() override {
        rw2 = 400;
        rh2 = 300;
        ViewScale = 2.0f / 800.0f;
        game.ScreenW = 800;
        game.ScreenH = 600;
        ASys.ImageFrames[60] = 625;
    }
    void TearDown() override {
        ASys.ImageFrames[60] = -1;
        ASys.DrawTo = 0;
    }
    // Draws the screen for step n and returns the logo tiles it recorded.
    std::vector<const double*> Tiles(int n) {
        ASys.DrawTo = 0;
        ASys.CurBlend = 1;
        game.LoadTo = n;
        game.LoadingScreen();
        std::vector<const double*> tiles;
        for (int i = 0; i < ASys.DrawTo; i++) {
            const double* r = &ASys.Draw[30 * i];
            if (r[0] == 11 && r[28] == 60) tiles.push_back(r);
        }
        return tiles;
    }
};

TEST_F(LoadingScreenDraw, LogoTilesDropInAlongTheDiagonalAndSettle) {
    // Tile (i, j) shows while sin(6n - (i + j)) >= 0.5 and for good once
    // 6n - (i + j) > 135.
    struct {
        int n;
        size_t tiles;
    } cases[] = {{5, 0}, {6, 28}, {7, 91}, {10, 454}, {20, 625}, {31, 625}, {120, 625}};
    for (auto& c : cases) EXPECT_EQ(Tiles(c.n).size(), c.tiles) << "step " << c.n;

    std::vector<const double*> early = Tiles(6);
    ASSERT_EQ(early.size(), 28u);
    // At step 6 only the top-left corner (i + j <= 6) has risen; frames
    // count rows of 25 whether a tile is drawn or not.
    for (const double* r : early) {
        int k = (int)r[29], i = k / 25, j = k % 25;
        EXPECT_LE(i + j, 6);
        float s = game.Sin((float)(36 - (i + j)));
        EXPECT_NEAR(r[1], 16.0 * j + 200 - 400, 1e-3);
        EXPECT_NEAR(r[2], 16.0 * i + (300 - 400 * s) - 300, 1e-2);
    }

    std::vector<const double*> settled = Tiles(40);
    for (const double* r : settled) {
        int k = (int)r[29], i = k / 25, j = k % 25;
        EXPECT_NEAR(r[1], 16.0 * j - 200, 1e-3);
        EXPECT_NEAR(r[2], 16.0 * i - 200, 1e-3);  // 400 x 400, centred
        EXPECT_NEAR(r[3], 0.5 / ViewScale, 1e-3);
    }
}

TEST_F(LoadingScreenDraw, FansRiseFromTheBottomCorners) {
    Tiles(30);
    std::vector<const double*> fans;
    for (int i = 0; i < ASys.DrawTo; i++)
        if (ASys.Draw[30 * i] == 5) fans.push_back(&ASys.Draw[30 * i]);
    ASSERT_EQ(fans.size(), 2u);
    EXPECT_DOUBLE_EQ(fans[0][1], 400);  // (W, H)
    EXPECT_DOUBLE_EQ(fans[0][2], 300);
    EXPECT_DOUBLE_EQ(fans[1][1], -400);  // (0, H)
    EXPECT_DOUBLE_EQ(fans[1][2], 300);
    EXPECT_NEAR(fans[0][3], 2 * 0.85 * 800, 1e-2);
    EXPECT_FLOAT_EQ(ASys.DrawSet[21], 40);  // the purple background
    EXPECT_FLOAT_EQ(ASys.DrawSet[23], 80);
}

}  // namespace
