// The renderer on a real (virtual-display) window: pixels read back from
// the frame before it is presented.
#include <cmath>

#include "test_render_support.h"

namespace {

using RenderPix = RenderFixture;

const Rgba kBlack{0, 0, 0, 255};
const Rgba kWhite{255, 255, 255, 255};

TEST(RenderNoWindow, StillTracksTheWindowShapeAndTheFade) {
    ASSERT_FALSE(ASys.HasWindow());
    ASys.WindowWidth = 1280;
    ASys.WindowHeight = 720;
    ThisGame.CLS(0, 0, 0);
    ThisGame.FadeCLS(100, 0, 0, 0);  // a divisor below 1 jumps instead of dividing by zero
    ASys.RenderSys(0.1f);
    EXPECT_FLOAT_EQ(ASys.Aspect, 1280.0f / 720);
    EXPECT_FLOAT_EQ(OverscanScaleX, 1 / 0.95f);
    EXPECT_FLOAT_EQ(OverscanScaleY, 1 / (1 - (1280.0f / 720) * 0.05f));
    EXPECT_EQ(ASys.DrawSet[21], 100);
    ASys.WindowHeight = 0;  // a minimised window keeps the last shape
    ASys.RenderSys(0);
    EXPECT_FLOAT_EQ(ASys.Aspect, 1280.0f / 720);
    ASys.WindowWidth = 800;
    ASys.WindowHeight = 600;
}

TEST_F(RenderPix, EmptyListShowsTheFadingClearColour) {
    ThisGame.FadeCLS(100, 200, 40, 2);
    int frames = Frames;
    Frame();
    EXPECT_EQ(Frames, frames + 1);
    EXPECT_EQ(ASys.PolyCount, 0);
    EXPECT_FLOAT_EQ(ASys.Aspect, 800.0f / 600);
    EXPECT_TRUE(Near(Px(400, 300), {50, 100, 20, 255}, 1));
    Frame();
    EXPECT_TRUE(Near(Px(0, 0), {75, 150, 30, 255}, 1));
    for (int i = 0; i < 8; i++) Frame();
    // Within two of the target it snaps there exactly.
    EXPECT_EQ(ASys.DrawSet[21], 100);
    EXPECT_EQ(ASys.DrawSet[22], 200);
    EXPECT_EQ(ASys.DrawSet[23], 40);
    EXPECT_EQ(Px(799, 599), (Rgba{100, 200, 40, 255}));
}

TEST_F(RenderPix, RectangleGradientRunsFromUpperToLowerColour) {
    ThisGame.SetGradient(255, 0, 0, 1, 0, 0, 255, 1);
    ThisGame.Rect(400, 300, 200, 100);
    Frame();
    EXPECT_EQ(ASys.PolyCount, 2);
    EXPECT_EQ(ASys.ObjCount, 1);
    EXPECT_TRUE(Near(Px(400, 251), {255, 0, 0, 255}, 6));
    EXPECT_TRUE(Near(Px(400, 348), {0, 0, 255, 255}, 6));
    EXPECT_TRUE(Near(Px(400, 300), {127, 0, 127, 255}, 4));
    EXPECT_EQ(Px(400, 248), kBlack);
    EXPECT_EQ(Px(298, 300), kBlack);
    EXPECT_EQ(Px(301, 270), Px(498, 270));  // the gradient is vertical only
    EXPECT_EQ(Px(301, 330), Px(498, 330));
}

TEST_F(RenderPix, BlendModesLastUntilTheFrameEnds) {
    ThisGame.CLS(100, 100, 100);
    ThisGame.SetCol(50, 50, 50, 0.5f);
    ThisGame.Rect(100, 300, 40);  // normal blending
    ThisGame.SetBlend(2);
    ThisGame.Rect(300, 300, 40);  // additive, by source alpha
    ThisGame.SetCol(50, 50, 50, 1);
    ThisGame.SetBlend(3);
    ThisGame.Rect(500, 300, 40);  // inverse colour, added
    ThisGame.Rect(700, 300, 40);  // still mode 3
    Frame();
    EXPECT_TRUE(Near(Px(100, 300), {75, 75, 75, 255}, 1));
    EXPECT_TRUE(Near(Px(300, 300), {125, 125, 125, 255}, 1));
    EXPECT_TRUE(Near(Px(500, 300), {140, 140, 140, 255}, 1));
    EXPECT_TRUE(Near(Px(700, 300), {140, 140, 140, 255}, 1));

    // The next frame starts in normal blending again.
    ThisGame.SetCol(50, 50, 50, 1);
    ThisGame.Rect(500, 300, 40);
    Frame();
    EXPECT_TRUE(Near(Px(500, 300), {50, 50, 50, 255}, 1));
}

TEST_F(RenderPix, OverscanLeavesAnEqualBorderOnEverySide) {
    ThisGame.Rect(400, 300, 800, 600);
    Frame(0);
    EXPECT_EQ(Px(0, 0), kWhite);
    EXPECT_EQ(Px(799, 599), kWhite);
    ThisGame.Rect(400, 300, 800, 600);
    Frame(0.1f);  // a border of 0.1 x 800 / 4 = 20 pixels
    EXPECT_FLOAT_EQ(OverscanScaleX, 1 / 0.95f);
    for (auto p : std::vector<std::pair<int, int>>{{18, 300}, {781, 300}, {400, 18}, {400, 581}})
        EXPECT_EQ(Px(p.first, p.second), kBlack) << p.first << "," << p.second;
    for (auto p : std::vector<std::pair<int, int>>{{21, 300}, {778, 300}, {400, 21}, {400, 578}})
        EXPECT_EQ(Px(p.first, p.second), kWhite) << p.first << "," << p.second;
}

TEST_F(RenderPix, RotationTurnsRectanglesAboutTheirCentre) {
    ThisGame.SetRot(90);
    ThisGame.Rect(400, 300, 200, 10);
    ThisGame.SetRot(45);
    ThisGame.Rect(100, 100, 100, 4);
    Frame();
    EXPECT_EQ(Px(400, 220), kWhite);
    EXPECT_EQ(Px(400, 380), kWhite);
    EXPECT_EQ(Px(480, 300), kBlack);
    // Positive angles turn clockwise on screen (y runs down).
    EXPECT_EQ(Px(130, 130), kWhite);
    EXPECT_EQ(Px(130, 70), kBlack);
}

TEST_F(RenderPix, ShapesOfEveryKind) {
    ThisGame.Oval(100, 100, 60, 40);
    ThisGame.Fan(300, 100, 30);
    ThisGame.FullTri(500, 50, 550, 150, 450, 150);
    ThisGame.Quad(600, 50, 700, 50, 700, 150, 600, 150);
    ThisGame.SetLineThickness(6);
    ThisGame.Line(100, 300, 300, 300);
    // A kind-4 record, which the engine never makes, is drawn as a quad; an
    // unknown kind is skipped.
    double* r = &ASys.Draw[30 * ASys.DrawTo];
    for (int i = 0; i < 30; i++) r[i] = ASys.Draw[30 * (ASys.DrawTo - 1) + i];
    r[0] = 4;
    r[2] = r[4] = 100, r[6] = r[8] = 110;
    r[30] = 99;
    ASys.DrawTo += 2;
    Frame();
    EXPECT_EQ(ASys.ObjCount, 6);
    EXPECT_EQ(ASys.PolyCount, 36 + 36 + 1 + 2 + 2 + 2);
    EXPECT_EQ(Px(100, 100), kWhite);
    EXPECT_EQ(Px(128, 100), kWhite);  // the oval is 60 wide...
    EXPECT_EQ(Px(100, 123), kBlack);  // ...and 40 high
    EXPECT_EQ(Px(300, 100), kWhite);
    EXPECT_EQ(Px(500, 140), kWhite);
    EXPECT_EQ(Px(460, 60), kBlack);
    EXPECT_EQ(Px(650, 100), kWhite);
    EXPECT_EQ(Px(200, 302), kWhite);
    EXPECT_EQ(Px(200, 305), kBlack);
    EXPECT_EQ(Px(200, 405), kWhite);
}

TEST_F(RenderPix, FanSlicesAlternateColours) {
    ThisGame.SetGradient(255, 0, 0, 1, 0, 0, 255, 1);
    ThisGame.Fan(400, 300, 100);
    Frame();
    // Slice 0 (upper colour) starts straight below the centre (the height is
    // stored negated) and runs clockwise; slice 1 takes the lower colour.
    float a0 = 5 * 0.017453f, a1 = 15 * 0.017453f;
    EXPECT_EQ(Px(400 + (int)(60 * sin(a0)), 300 + (int)(60 * cos(a0))), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(Px(400 + (int)(60 * sin(a1)), 300 + (int)(60 * cos(a1))), (Rgba{0, 0, 255, 255}));
    // Turning the fan by 10 degrees swaps them.
    ThisGame.SetRot(10);
    ThisGame.Fan(400, 300, 100);
    Frame();
    EXPECT_EQ(Px(400 + (int)(60 * sin(a0)), 300 + (int)(60 * cos(a0))), (Rgba{0, 0, 255, 255}));
}

TEST_F(RenderPix, WireframeDrawsOnlyTriangleEdges) {
    ThisGame.Rect(400, 300, 200, 200);
    Wireframe = 1;
    Frame();
    EXPECT_EQ(Px(350, 300), kBlack);
    EXPECT_EQ(Px(300, 350)[0] + Px(301, 350)[0] + Px(299, 350)[0], 255);  // the left edge
    Wireframe = 0;
    ThisGame.Rect(400, 300, 200, 200);
    Frame();
    EXPECT_EQ(Px(350, 300), kWhite);
}

TEST_F(RenderPix, LoadingScreenShowsItsFans) {
    auto& g = ThisGame;
    g.ScreenW = 800;
    g.ScreenH = 600;
    g.LoadTo = 3;
    g.LoadingScreen();
    g.LoadTo = 0;
    Frame();
    const Rgba bg{40, 0, 80, 255};
    EXPECT_EQ(Px(400, 5), bg);  // beyond both fans' reach
    int tinted = 0, samples = 0;
    for (int y = 420; y < 600; y += 6)
        for (int x = 0; x < 800; x += 6, samples++)
            if (!Near(Px(x, y), bg, 3)) tinted++;
    EXPECT_GT(tinted, samples / 4);
}

}  // namespace
