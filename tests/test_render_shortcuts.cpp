// The renderer's shortcuts (no blending for opaque draws, nothing for
// invisible ones, nearest texels where linear filtering cannot differ, one
// array call per batch) must leave the picture exactly as it was: real
// screens of the game drawn both ways, compared byte for byte.
#include <cstring>
#include <string>

#include "bench_scenes.h"
#include "test_render_support.h"

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
        for (int i = 0; i < 200; i++) g.Settings[i] = 0;
        g.Settings[0] = g.Settings[1] = 7;
        g.Settings[101] = 2;
        g.KeyDefaults();
        g.AddDefaultCredits();
        ASSERT_TRUE(LoadGameAssets(GameFolder().c_str())) << "assets not built";
    }
    LogCapture quiet;  // the loader's lines stay out of the test output
    void TearDown() override {
        RenderShortcuts = true;
        MillsFrozen = false;
        ThisGame.OverlayScreen = 0;
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
        EXPECT_EQ(differ, 0u) << scene << ": first difference at pixel (" << first / 4 % W()
                              << ", " << H() - 1 - (int)(first / 4 / W()) << ")";
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
        g.OverlayScreen = 1;
        g.OptionsCursor = 0;
        g.OptionsScroll = 0;
        g.Update();
        ExpectSamePicture("options");

        g.OverlayScreen = 2;
        g.Update();
        ExpectSamePicture("credits");

        g.OverlayScreen = 0;
        g.GameMode = 0;
        g.MenuPage = 0;
        g.TitleCursor = 0;
        g.LogoZoom = 1;
        g.Update();
        ExpectSamePicture("title");
    }
}

}  // namespace
