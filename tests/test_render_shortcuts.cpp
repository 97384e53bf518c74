// The renderer's shortcuts (no blending for opaque draws, nothing for
// invisible ones, nearest texels where linear filtering cannot differ, one
// array call per batch) must leave the picture exactly as it was: real
// screens of the game drawn both ways, compared byte for byte.
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "bench_scenes.h"
#include "test_render_support.h"
#include "VellHooks.h"

namespace {

std::string GameFolder() {
    std::string bin = BRAMBLEHOP_GAME_BIN;  // <build>/game/Bramblehop
    return bin.substr(0, bin.rfind('/'));
}

class RenderShortcutPixels : public RenderFixture {
protected:
    void SetUp() override {
        RenderFixture::SetUp();
        if (IsSkipped()) return;
        MyGame& g = ThisGame;
        g.SetDefaultSettings();
        g.KeyDefaults();
        g.AddDefaultCredits();
        ASSERT_TRUE(LoadGameAssets(GameFolder().c_str())) << "assets not built";
    }
    LogCapture quiet;  // the loader's lines stay out of the test output
    void TearDown() override {
        RenderShortcuts = true;
        MillsFrozen = false;
        ThisGame.OverlayScreen = bh::kScreenNone;
        ThisGame.Smooth(0);
        RenderFixture::TearDown();
    }

    // Draws the list recorded last with the shortcuts on and off, from the
    // same clear colour, and expects the same bytes.
    static void ExpectSamePicture(const char* scene) {
        float drawSet[50];
        memcpy(drawSet, ASys.DrawSet, sizeof drawSet);
        float w, h;
        RenderShortcuts = true;
        ThisGame.RenderGame(w, h);
        std::vector<unsigned char> fast = Pixels();
        memcpy(ASys.DrawSet, drawSet, sizeof drawSet);
        RenderShortcuts = false;
        ThisGame.RenderGame(w, h);
        RenderShortcuts = true;
        const std::vector<unsigned char>& plain = Pixels();
        ASSERT_EQ(fast.size(), plain.size());
        ASSERT_GT(plain.size(), 0u);
        size_t differ = 0, first = 0;
        for (size_t i = 0; i < plain.size(); i++)
            if (fast[i] != plain[i] && differ++ == 0) first = i;
        EXPECT_EQ(differ, 0u) << scene << ": first difference at pixel (" << first / 4 % W() << ", "
                              << H() - 1 - (int)(first / 4 / W()) << ")";
        // A blank screen would compare equal whatever the renderer did.
        size_t lit = 0;
        for (size_t i = 0; i < plain.size(); i += 4)
            lit += plain[i] != plain[0] || plain[i + 1] != plain[1] || plain[i + 2] != plain[2];
        EXPECT_GT(lit, plain.size() / 40) << scene << " drew almost nothing";
    }
};

TEST_F(RenderShortcutPixels, GameScreensAreByteIdenticalWithAndWithout) {
    MyGame& g = ThisGame;
    // Nearest texels (the game's own setting) and linear filtering, where
    // some draws land texel for pixel and may be sampled as nearest.
    for (int smooth : {0, 1}) {
        SCOPED_TRACE(smooth ? "linear" : "nearest");
        BuildBusyLevel();
        g.Smooth(smooth);
        g.Update();
        ExpectSamePicture("busy play");

        memset(g.Particles, 0, sizeof g.Particles);
        g.OverlayScreen = bh::kScreenOptions;
        g.OptionsCursor = 0;
        g.OptionsScroll = 0;
        g.Update();
        ExpectSamePicture("options");

        g.OverlayScreen = bh::kScreenCredits;
        g.Update();
        ExpectSamePicture("credits");

        g.OverlayScreen = bh::kScreenNone;
        g.GameMode = bh::kModeTitle;
        g.MenuPage = 0;
        g.TitleCursor = 0;
        g.LogoZoom = 1;
        g.Update();
        ExpectSamePicture("title");
    }
}

// A frame that would paint what the window already shows is skipped, so an
// idle title costs next to nothing; anything that changes a pixel, and
// anyone who needs the pixels, still gets a painted frame.
class StillFrames : public RenderFixture {};

TEST_F(StillFrames, OnlyAFrameThatChangesNothingIsSkipped) {
    MyGame& g = ThisGame;
    RenderBeforeSwap = nullptr;
    g.CreateBuffer(99, 64);
    g.BufferFill(99, 200, 120, 60, 255);
    float x = 0;
    int red = 0;
    float overscan = 0;
    auto record = [&] {
        ASys.DrawTo = 0;
        g.ResetDraw();
        g.CLS((float)red, 0, 0);
        g.DrawImg(99, x, 0);
        g.ResetDraw();
    };
    auto painted = [&] {
        long before = FramesPainted;
        ThisGame.BufferGame();
        ASys.RenderSys(overscan);
        return FramesPainted != before;
    };
    // The clear colour fades in over a few frames, each a new picture; then
    // nothing moves.
    auto settles = [&] {
        for (int i = 0; i < 120; i++)
            if (!painted()) return true;
        return false;
    };
    record();
    ASSERT_TRUE(painted());
    ASSERT_TRUE(settles());
    EXPECT_FALSE(painted()) << "the same frame again";

    std::string shot = ::testing::TempDir() + "still_frame.png";
    snprintf(ASys.ScreenshotName, sizeof ASys.ScreenshotName, "%s", shot.c_str());
    struct Case {
        const char* what;
        std::function<void()> change;
        bool whileSet;  // every frame is painted for as long as it holds
    } cases[] = {
        {"a record moved",
         [&] {
             x += 1;
             record();
         },
         false},
        {"the clear colour",
         [&] {
             red = 40;
             record();
         },
         false},
        {"the overscan", [&] { overscan = 0.04f; }, false},
        {"the picture's pixels", [&] { g.BufferFill(99, 10, 20, 30, 255); }, false},
        {"the window lost its picture", [&] { WindowDamaged(nullptr); }, false},
        {"a screenshot asked for",
         [&] {
             ASys.Button[66] = 1;
             ScreenshotTaken = 0;
         },
         false},
        {"a test reading the frame", [&] { RenderBeforeSwap = &Capture; }, true},
        {"the shortcuts turned off", [&] { RenderShortcuts = false; }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.change();
        EXPECT_TRUE(painted());
        if (c.whileSet) {
            EXPECT_TRUE(painted()) << "painted again while still set";
        }
        ASys.Button[66] = 0;
        RenderBeforeSwap = nullptr;
        RenderShortcuts = true;
        EXPECT_TRUE(settles());
    }
    remove(shot.c_str());
    ASys.ScreenshotName[0] = 0;
}

}  // namespace
