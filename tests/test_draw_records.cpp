// The drawing settings and the records the draw calls append; no window.
#include <cmath>
#include <functional>

#include <gtest/gtest.h>

#include "test_support.h"

namespace {

class DrawRec : public ::testing::Test {
protected:
    void SetUp() override {
        RecordAt800x600();
        ASys.DrawTo = 0;
        ASys.CurBlend = 1;
        ThisGame.ResetDraw();
    }
    void TearDown() override {
        ASys.DrawTo = 0;
        ASys.CurBlend = 1;
    }
    static const double* Rec(int n) { return &ASys.Draw[30 * n]; }
    static const float* D() { return ASys.DrawSet; }
};

void ExpectLower(float a, float r, float g, float b) {
    EXPECT_FLOAT_EQ(ASys.DrawSet[0], a);
    EXPECT_FLOAT_EQ(ASys.DrawSet[1], r);
    EXPECT_FLOAT_EQ(ASys.DrawSet[2], g);
    EXPECT_FLOAT_EQ(ASys.DrawSet[3], b);
}
void ExpectUpper(float a, float r, float g, float b) {
    EXPECT_FLOAT_EQ(ASys.DrawSet[4], a);
    EXPECT_FLOAT_EQ(ASys.DrawSet[5], r);
    EXPECT_FLOAT_EQ(ASys.DrawSet[6], g);
    EXPECT_FLOAT_EQ(ASys.DrawSet[7], b);
}

TEST_F(DrawRec, ResetDrawRestoresDefaultsButKeepsClearColourSmoothAndBlend) {
    ThisGame.CLS(1, 2, 3);
    ThisGame.Smooth(1);
    ThisGame.SetBlend(2);
    ThisGame.SetCol(1, 2, 3, 0.1f);
    ThisGame.SetRot(45);
    ThisGame.SetSize(3, 4);
    ThisGame.SetLineThickness(8);
    ThisGame.ResetDraw();
    ExpectLower(255, 255, 255, 255);
    ExpectUpper(255, 255, 255, 255);
    EXPECT_EQ(D()[8], 0);
    EXPECT_EQ(D()[9], 0.5f);
    EXPECT_FLOAT_EQ(D()[11], 400);
    EXPECT_FLOAT_EQ(D()[12], -400);
    EXPECT_EQ(D()[21], 1);
    EXPECT_EQ(D()[49], 1);
    EXPECT_EQ(ASys.CurBlend, 2);
}

TEST_F(DrawRec, ColoursAreClampedAndAlphasScaled) {
    ThisGame.SetAlpha(0.25f);
    ThisGame.SetCol(300, -5, 128);
    ExpectLower(63.75f, 255, 0, 128);
    ExpectUpper(63.75f, 255, 0, 128);
    ThisGame.SetAlpha(0.5f);
    EXPECT_FLOAT_EQ(D()[0], 127.5f);
    EXPECT_FLOAT_EQ(D()[4], 127.5f);
    ThisGame.SetCol(1, 2, 3, 2);
    ExpectLower(255, 1, 2, 3);
    ThisGame.Alpha(-1);
    EXPECT_EQ(D()[0], 0);
    ThisGame.SetCol(NAN, 10, 10);
    EXPECT_EQ(D()[1], 0);

    // The first colour is the upper one (top edge), the second the lower.
    ThisGame.SetGradient(10, 20, 30, 0.5f, 400, -1, 50, 2);
    ExpectUpper(127.5f, 10, 20, 30);
    ExpectLower(255, 255, 0, 50);
}

TEST_F(DrawRec, InkAndHueColoursAreOpaque) {
    struct Case {
        const char* what;
        std::function<void()> call;
        float r, g, b;
    } cases[] = {
        {"Ink(13) yellow", [] { ThisGame.Ink(13); }, 255, 255, 0},
        {"Ink(7) violet", [] { ThisGame.Ink(7); }, 180, 0, 255},
        {"Ink(-3) black", [] { ThisGame.Ink(-3); }, 0, 0, 0},
        {"Ink(-13) black", [] { ThisGame.Ink(-13); }, 0, 0, 0},
        {"InkRot(0) red", [] { ThisGame.InkRot(0); }, 255, 0, 0},
        {"InkRot(120) green", [] { ThisGame.InkRot(120); }, 0, 255, 0},
        {"InkRot(240) blue", [] { ThisGame.InkRot(240); }, 0, 0, 255},
        {"InkRot(360) red", [] { ThisGame.InkRot(360); }, 255, 0, 0},
        {"InkRot(60) yellow", [] { ThisGame.InkRot(60); }, 255, 255, 0},
        {"InkRot(300) magenta", [] { ThisGame.InkRot(300); }, 255, 0, 255},
        {"InkRot(h,0,0.5) grey", [] { ThisGame.InkRot(77, 0, 0.5f); }, 127.5f, 127.5f, 127.5f},
        {"InkRot(0,0.5) pale red", [] { ThisGame.InkRot(0, 0.5f); }, 255, 127.5f, 127.5f},
        // Below -60 the sector index is negative and falls into the last row.
        {"InkRot(-90)", [] { ThisGame.InkRot(-90); }, 255, 0, 255},
        {"InkRot(-30)", [] { ThisGame.InkRot(-30); }, 255, 0, 0},
    };
    for (const auto& c : cases) {
        ThisGame.SetAlpha(0.1f);
        c.call();
        SCOPED_TRACE(c.what);
        ExpectLower(255, c.r, c.g, c.b);
        ExpectUpper(255, c.r, c.g, c.b);
    }
}

TEST_F(DrawRec, SizeRotationThicknessAndSmoothing) {
    ThisGame.SetSize(2);
    EXPECT_FLOAT_EQ(D()[11], 800);
    EXPECT_FLOAT_EQ(D()[12], -800);
    ThisGame.SetSize(0.5f, 3);
    EXPECT_FLOAT_EQ(D()[11], 200);
    EXPECT_FLOAT_EQ(D()[12], -1200);
    ThisGame.SetRot(-30);
    EXPECT_EQ(D()[8], -30);
    ThisGame.SetLineThickness(0);
    EXPECT_FLOAT_EQ(D()[9], 0.025f);
    ThisGame.Width(4);
    EXPECT_EQ(D()[9], 2);
    ThisGame.Thick(6);
    EXPECT_EQ(D()[9], 3);
    ThisGame.SetLineWidth(2);
    EXPECT_EQ(D()[9], 1);
    ThisGame.SetLineThick(-9);
    EXPECT_FLOAT_EQ(D()[9], 0.025f);
    ThisGame.SetSmooth(2);
    EXPECT_EQ(D()[49], 2);
    ThisGame.Smooth(0);
    EXPECT_EQ(D()[49], 0);
}

TEST_F(DrawRec, ClearColourCommands) {
    ThisGame.CLS(300, -4, 77);
    for (int i : {21, 24}) {
        EXPECT_EQ(D()[i], 255);
        EXPECT_EQ(D()[i + 1], 0);
        EXPECT_EQ(D()[i + 2], 77);
    }
    EXPECT_EQ(D()[27], 1);
    // A fade moves only the target; the colour shown is left to the renderer.
    ThisGame.FadeCLS(10, 20, 400, 0.5f);
    EXPECT_EQ(D()[21], 255);
    EXPECT_EQ(D()[24], 10);
    EXPECT_EQ(D()[26], 255);
    EXPECT_EQ(D()[27], 0.5f);
    ThisGame.SetCLS(1, 2, 3);
    EXPECT_EQ(D()[21], 1);
    EXPECT_EQ(D()[27], 1);

    // Hue 90: red at its peak (clamped), green and blue below the centre.
    ThisGame.SetCLSRot(90, 100, 200);
    EXPECT_FLOAT_EQ(D()[21], 255);
    EXPECT_NEAR(D()[22], 200 + 100 * sin(210 * M_PI / 180), 1e-3);
    EXPECT_NEAR(D()[23], 200 + 100 * sin(330 * M_PI / 180), 1e-3);
    EXPECT_EQ(D()[24], D()[21]);
    EXPECT_EQ(D()[27], 1);
    ThisGame.SetCLSRot(0, 300, -20);  // lo and hi clamped: 255 and 0
    EXPECT_EQ(D()[21], 0);
}

TEST_F(DrawRec, RectRecordsCentreSizeAndSettings) {
    ThisGame.SetGradient(1, 2, 3, 0.5f, 4, 5, 6, 1);
    ThisGame.SetRot(12);
    ThisGame.SetLineThickness(3);
    ThisGame.Rect(400, 300, 10, 20);
    ASSERT_EQ(ASys.DrawTo, 1);
    const double* r = Rec(0);
    EXPECT_EQ(r[0], 1);
    EXPECT_EQ(r[1], 0);
    EXPECT_EQ(r[2], 0);
    EXPECT_FLOAT_EQ(r[3], 10);
    EXPECT_FLOAT_EQ(r[4], -20);
    for (int i = 0; i < 16; i++) EXPECT_EQ(r[10 + i], D()[i]) << "slot " << 10 + i;
    EXPECT_EQ(r[14], 127.5);
    EXPECT_EQ(r[11], 4);
    EXPECT_EQ(r[18], 12);
    EXPECT_EQ(r[19], 1.5);
}

TEST_F(DrawRec, ShapeVariantsRecordTheirCentreAndSize) {
    struct Case {
        const char* what;
        std::function<void()> call;
        int kind;
        double x, y, w, h;
    } cases[] = {
        {"Rect s", [] { ThisGame.Rect(100, 50, 8); }, 1, -300, -250, 8, -8},
        {"Plot", [] { ThisGame.Plot(401, 299); }, 1, 1, -1, 1, -1},
        {"Rect_UL s", [] { ThisGame.Rect_UL(0, 0, 10); }, 1, -395, -295, 10, -10},
        {"Rect_UL w h", [] { ThisGame.Rect_UL(0, 0, 10, 20); }, 1, -395, -290, 10, -20},
        {"Oval", [] { ThisGame.Oval(400, 300, 6, 4); }, 3, 0, 0, 6, -4},
        {"Oval r", [] { ThisGame.Oval(400, 300, 5); }, 3, 0, 0, 10, -10},
        {"Circle", [] { ThisGame.Circle(410, 300, 5); }, 3, 10, 0, 10, -10},
        {"Oval_UL", [] { ThisGame.Oval_UL(0, 0, 6, 4); }, 3, -397, -298, 6, -4},
        {"Oval_UL r", [] { ThisGame.Oval_UL(0, 0, 5); }, 3, -395, -295, 10, -10},
        {"Circle_UL", [] { ThisGame.Circle_UL(10, 10, 5); }, 3, -385, -285, 10, -10},
        {"Fan", [] { ThisGame.Fan(0, 600, 7); }, 5, -400, 300, 14, -14},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASys.DrawTo = 0;
        ThisGame.SetSize(1);
        c.call();
        ASSERT_EQ(ASys.DrawTo, 1);
        EXPECT_EQ(Rec(0)[0], c.kind);
        EXPECT_FLOAT_EQ(Rec(0)[1], c.x);
        EXPECT_FLOAT_EQ(Rec(0)[2], c.y);
        EXPECT_FLOAT_EQ(Rec(0)[3], c.w);
        EXPECT_FLOAT_EQ(Rec(0)[4], c.h);
        // The size factor scales every one of them.
        ASys.DrawTo = 0;
        ThisGame.SetSize(2, 3);
        c.call();
        EXPECT_FLOAT_EQ(Rec(0)[3], 2 * c.w);
        EXPECT_FLOAT_EQ(Rec(0)[4], 3 * c.h);
    }
}

TEST_F(DrawRec, CornerShapes) {
    ThisGame.SetSize(5);
    ThisGame.SetRot(33);
    ThisGame.Quad(0, 0, 10, 0, 10, 10, 0, 10);
    const double q[9] = {2, -400, -300, -390, -300, -390, -290, -400, -290};
    for (int i = 0; i < 9; i++) EXPECT_EQ(Rec(0)[i], q[i]) << "Quad slot " << i;

    ThisGame.FullTri(400, 300, 401, 302, 403, 304);
    const double t[7] = {6, 0, 0, 1, 2, 3, 4};
    for (int i = 0; i < 7; i++) EXPECT_EQ(Rec(1)[i], t[i]) << "FullTri slot " << i;
}

TEST_F(DrawRec, TriangleCornersCarryRotationAndSize) {
    ThisGame.Tri(400, 300, 20, 10);
    const double* r = Rec(0);
    EXPECT_EQ(r[0], 6);
    EXPECT_NEAR(r[1], 0, 1e-4);  // apex straight above at distance h
    EXPECT_NEAR(r[2], -10, 1e-4);
    EXPECT_NEAR(r[3], 20 * 0.866025, 1e-3);
    EXPECT_NEAR(r[4], 5, 1e-3);
    EXPECT_NEAR(r[5], -20 * 0.866025, 1e-3);
    EXPECT_NEAR(r[6], 5, 1e-3);

    ThisGame.SetRot(90);
    ThisGame.SetSize(2);
    ThisGame.Tri(400, 300, 20, 10);
    EXPECT_NEAR(Rec(1)[1], 40, 1e-3);  // apex now points right
    EXPECT_NEAR(Rec(1)[2], 0, 1e-3);

    // Tri_Fix moves the centre down by half the size times h times f.
    ThisGame.SetRot(0);
    ThisGame.SetSize(2);
    ThisGame.Tri_Fix(400, 300, 20, 10, 0.5f);
    EXPECT_NEAR(Rec(2)[1], 0, 1e-3);
    EXPECT_NEAR(Rec(2)[2], -20 + 5, 1e-3);
}

TEST_F(DrawRec, LineIsAQuadAsThickAsAsked) {
    ThisGame.SetLineThickness(4);
    ThisGame.SetSize(3);  // no effect on lines
    ThisGame.Line(100, 100, 200, 100);
    const double* r = Rec(0);
    ASSERT_EQ(r[0], 2);
    const double want[8] = {100, 102, 200, 102, 200, 98, 100, 98};
    for (int i = 0; i < 8; i++) EXPECT_NEAR(r[1 + i], want[i] - (i % 2 ? 300 : 400), 1e-3) << i;

    ThisGame.SetLineThickness(0);
    ThisGame.Line(400, 300, 400, 400);
    EXPECT_NEAR(Rec(1)[7] - Rec(1)[1], 0.05, 1e-4);  // minimum total width
}

TEST_F(DrawRec, BlendRecordsOnlyChangesAndTouchesOnlySlotOne) {
    ThisGame.SetBlend(1);
    EXPECT_EQ(ASys.DrawTo, 0);
    for (int i = 0; i < 30; i++) ASys.Draw[i] = -7;
    ThisGame.SetBlend(3);
    ThisGame.SetBlend(3);
    ASSERT_EQ(ASys.DrawTo, 1);
    EXPECT_EQ(Rec(0)[0], 50);
    EXPECT_EQ(Rec(0)[1], 3);
    for (int i = 2; i < 30; i++) EXPECT_EQ(Rec(0)[i], -7) << "slot " << i;
    ThisGame.SetBlend(9);  // unknown modes are still recorded
    EXPECT_EQ(ASys.DrawTo, 2);

    // The hand-over makes mode 1 current again.
    ThisGame.DebugMode = 0;
    ThisGame.BufferGame();
    EXPECT_EQ(ASys.CurBlend, 1);
    ThisGame.SetBlend(1);
    EXPECT_EQ(ASys.DrawTo, 0);
}

TEST_F(DrawRec, ImageCommandsNeedALoadedSlot) {
    LogCapture log;
    ThisGame.DrawImg(5, 10, 10);
    ThisGame.DrawBlur(5, 10, 10, 2);
    ThisGame.QuadImg(5, 0, 0, 1, 0, 1, 1, 0, 1, 0);
    ThisGame.DrawImg(-1, 0, 0);
    ThisGame.DrawImg(4000, 0, 0);
    ThisGame.DrawBuffer();
    EXPECT_EQ(ASys.DrawTo, 0);
    std::vector<std::string> want = {"Missing Image 5",  "Missing Image 5",    "Missing Image 5",
                                     "Missing Image -1", "Missing Image 4000", "Previous Buffer Missing"};
    EXPECT_EQ(log.Lines(), want);
}

// A missing picture drawn every frame must not flood the log, yet a slot
// that comes back and goes missing again is reported afresh.
TEST_F(DrawRec, MissingImageLinesAreCappedPerSlot) {
    ASys.ImageFrames[6] = 1;
    ThisGame.DrawImg(6, 0, 0);  // a successful draw starts the count afresh
    ASys.ImageFrames[6] = -1;
    LogCapture log;
    for (int i = 0; i < 100; i++) ThisGame.DrawImg(6, 0, 0);
    std::vector<std::string> lines = log.Lines();
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[0], "Missing Image 6");
    EXPECT_EQ(lines[15], "Missing Image 6");
    EXPECT_EQ(lines[16], "Missing Image 6, not logged again until it is loaded");

    ASys.ImageFrames[6] = 1;
    ThisGame.DrawImg(6, 0, 0);
    ASys.ImageFrames[6] = -1;
    ThisGame.DrawImg(6, 0, 0);
    ASSERT_EQ(log.Lines().size(), 18u);
    EXPECT_EQ(log.Lines().back(), "Missing Image 6");

    // Slots outside the table can never be loaded; they go quiet for good.
    for (int i = 0; i < 100; i++) ThisGame.DrawImg(-3, 0, 0);
    EXPECT_LE(log.Lines().size(), 18u + 17u);
}

TEST_F(DrawRec, ImageRecordsCarrySlotFrameAndScale) {
    ASys.ImageFrames[7] = 3;
    ASys.ImageFrames[102] = 1;
    ASys.ImageScale = 1.5625f;
    ThisGame.SetSize(2);
    ThisGame.DrawImg(7, 410, 290, 2);
    ThisGame.DrawBlur(7, 400, 300);
    ThisGame.QuadImg(7, 0, 0, 1, 0, 1, 1, 0, 1, 1);
    ThisGame.DrawBuffer();
    ASys.ImageFrames[7] = -1;
    ASys.ImageFrames[102] = -1;
    ASSERT_EQ(ASys.DrawTo, 4);

    const double* img = Rec(0);
    EXPECT_EQ(img[0], 11);
    EXPECT_EQ(img[1], 10);
    EXPECT_EQ(img[2], -10);
    EXPECT_FLOAT_EQ(img[3], 1.5625f * 800);
    EXPECT_FLOAT_EQ(img[4], -1.5625f * 800);
    EXPECT_EQ(img[28], 7);
    EXPECT_EQ(img[29], 2);
    EXPECT_EQ(Rec(1)[0], 13);
    EXPECT_EQ(Rec(1)[29], 0);
    EXPECT_EQ(Rec(2)[0], 12);
    EXPECT_EQ(Rec(2)[3], -399);
    EXPECT_EQ(Rec(2)[29], 1);
    // The screen copy sits on the centre and ignores the narrow-screen scale.
    const double* buf = Rec(3);
    EXPECT_EQ(buf[0], 11);
    EXPECT_EQ(buf[1], 0);
    EXPECT_EQ(buf[2], 0);
    EXPECT_FLOAT_EQ(buf[3], 800);
    EXPECT_FLOAT_EQ(buf[4], -800);
    EXPECT_EQ(buf[28], 102);
}

TEST_F(DrawRec, AFullListDropsTheSurplusAndSaysSoOnce) {
    LogCapture log;
    for (int i = 0; i < 17000; i++) ThisGame.Plot(1, 1);
    ThisGame.SetBlend(2);
    ThisGame.Line(0, 0, 5, 5);
    // DrawTo lies right after the list: a write past the end would show here.
    EXPECT_EQ(ASys.DrawTo, 16666);
    EXPECT_EQ(ASys.Draw[30 * 16665], 1);
    EXPECT_EQ(log.Lines(), std::vector<std::string>{"Draw list full, commands dropped"});

    // The next frame records again and reports its own overflow.
    ThisGame.DebugMode = 0;
    ThisGame.BufferGame();
    EXPECT_EQ(DrawToRT, 16666);
    ThisGame.Plot(1, 1);
    EXPECT_EQ(ASys.DrawTo, 1);
}

}  // namespace
