// The virtual screen derived from the window at each render.
#include <gtest/gtest.h>

#include "test_support.h"

namespace {

struct Shape {
    int w, h;
    float width, height;
    int rw2, rh2, bump;
    float viewScale;
};

void Reset() {
    ASys.VirtualWidth = 800;
    ASys.ImageScale = 1;
}

float RenderAt(int w, int h, float& height) {
    ASys.WindowWidth = w;
    ASys.WindowHeight = h;
    float width = 0;
    ThisGame.RenderGame(width, height);
    return width;
}

TEST(FrameRender, VirtualScreenFollowsTheWindow) {
    const Shape cases[] = {
        {800, 600, 800, 600, 400, 300, 0, 0.0025f},
        {1280, 720, 800, 450, 400, 225, 0, 0.0025f},
        {2000, 500, 768, 200, 368, 100, 2, 0.0025f},
    };
    for (const auto& c : cases) {
        Reset();
        float height = 0;
        float width = RenderAt(c.w, c.h, height);
        EXPECT_FLOAT_EQ(width, c.width) << c.w << "x" << c.h;
        EXPECT_FLOAT_EQ(height, c.height) << c.w << "x" << c.h;
        EXPECT_EQ(rw2, c.rw2);
        EXPECT_EQ(rh2, c.rh2);
        EXPECT_EQ(iBump, c.bump);
        EXPECT_FLOAT_EQ(ViewScale, c.viewScale);
        EXPECT_EQ(ThisGame.RealW, c.w);
        EXPECT_EQ(ThisGame.RealH, c.h);
    }
}

TEST(FrameRender, PortraitTakesEffectOneRenderLate) {
    Reset();
    float height = 0;
    float width = RenderAt(720, 1280, height);
    EXPECT_FLOAT_EQ(width, 800);
    EXPECT_NEAR(height, 1422.2f, 0.1f);
    EXPECT_EQ(rw2, 400);
    EXPECT_EQ(iBump, 0);
    EXPECT_FLOAT_EQ(ASys.VirtualWidth, 512);
    EXPECT_FLOAT_EQ(ASys.ImageScale, 1.5625f);
    EXPECT_FLOAT_EQ(ViewScale, 0.00390625f);

    width = RenderAt(720, 1280, height);
    EXPECT_FLOAT_EQ(width, 512);
    EXPECT_NEAR(height, 910.2f, 0.1f);
    EXPECT_EQ(rw2, 256);
    Reset();
}

TEST(FrameRender, VeryTallWindowBumpsTheHeight) {
    Reset();
    float height = 0;
    RenderAt(500, 2000, height);  // switches to the 512 width
    RenderAt(500, 2000, height);
    EXPECT_EQ(iBump, 1);
    EXPECT_FLOAT_EQ(height, 512 * 4 - 32);
    EXPECT_EQ(rh2, 1024 - 32);
    Reset();
}

}  // namespace
