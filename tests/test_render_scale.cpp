// Big windows on a software renderer: which size a frame is drawn at, and
// that a frame drawn reduced still fills the whole window with the picture
// the player would see at full size, screenshots included.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <lodepng.h>

#include "bench_scenes.h"
#include "test_render_support.h"
#include "VellHooks.h"

namespace {

TEST(RenderScale, SizeForEachWindowRendererAndSetting) {
    struct Case {
        int w, h;
        bool software, full;
        RenderSize want;
    } cases[] = {
        // Up to 1280 x 1024 every renderer draws the window as it is.
        {800, 600, true, false, {800, 600, 1}},
        {1280, 1024, true, false, {1280, 1024, 1}},
        {1366, 768, true, false, {1366, 768, 1}},
        {672, 896, true, false, {672, 896, 1}},
        // Bigger, software in Auto: the smallest whole divisor that fits.
        {1920, 1080, true, false, {960, 540, 2}},
        {1080, 1920, true, false, {540, 960, 2}},
        {1600, 900, true, false, {800, 450, 2}},
        {1281, 1024, true, false, {641, 512, 2}},  // odd sizes round up, never leave a gap
        {2560, 1080, true, false, {1280, 540, 2}},
        {2560, 1440, true, false, {1280, 720, 2}},
        {3840, 2160, true, false, {1280, 720, 3}},
        {7680, 4320, true, false, {1280, 720, 6}},
        // Full, or a hardware renderer: always the window's own size.
        {1920, 1080, true, true, {1920, 1080, 1}},
        {1920, 1080, false, false, {1920, 1080, 1}},
        {3840, 2160, false, true, {3840, 2160, 1}},
        // A minimised window reports nothing to divide.
        {0, 0, true, false, {0, 0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << " x " << c.h << (c.software ? " software" : " hardware")
                                        << (c.full ? " Full" : " Auto"));
        RenderSize s = ChooseRenderSize(c.w, c.h, c.software, c.full);
        EXPECT_EQ(s.width, c.want.width);
        EXPECT_EQ(s.height, c.want.height);
        EXPECT_EQ(s.divisor, c.want.divisor);
        // Widened back, the drawing covers the window with less than one
        // block to spare.
        EXPECT_GE(s.width * s.divisor, c.w);
        EXPECT_LT(s.width * s.divisor - c.w, s.divisor);
    }
}

TEST(RenderScale, SoftwareRenderersAreKnownByName) {
    struct Case {
        const char* name;
        bool software;
    } cases[] = {
        {"llvmpipe (LLVM 15.0.6, 256 bits)", true},
        {"softpipe", true},
        {"Software Rasterizer", true},
        {"Apple Software Renderer", true},
        {"zink (llvmpipe (LLVM 15.0.6, 256 bits))", true},
        {"D3D12 (Microsoft Basic Render Driver)", true},
        {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", false},
        {"AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49, 6.1.0-13-amd64)", false},
        {"NVIDIA GeForce GTX 1060 6GB/PCIe/SSE2", false},
        {"", false},
        {nullptr, false},
    };
    for (const Case& c : cases) EXPECT_EQ(SoftwareRendererName(c.name), c.software) << (c.name ? c.name : "null");
}

std::string GameFolder() {
    std::string bin = BRAMBLEHOP_GAME_BIN;  // <build>/game/Bramblehop
    return bin.substr(0, bin.rfind('/'));
}

// A window bigger than the software renderer draws whole, on this
// machine's llvmpipe.
class BigWindow : public RenderFixture {
protected:
    void SetUp() override {
        RenderFixture::SetUp();
        if (IsSkipped()) return;
        RenderBeforeSwap = nullptr;
    }
    void TearDown() override {
        ASys.RenderFull = 0;
        RendererKindOverride = -1;
        MillsFrozen = false;
        ThisGame.FitView(0, 0);
        RenderFixture::TearDown();
    }
    LogCapture log;
    // Opens a w x h window and lets the engine take its shape; returns the
    // virtual screen's size.
    void Open(int w, int h, float& vw, float& vh) {
        ASys.SetScreen(w, h);
        ASSERT_TRUE(ASys.HasWindow());
        ASSERT_EQ(ASys.WindowWidth, w);
        ThisGame.RenderGame(vw, vh);
    }
    // Draws the list recorded last and gives back what the window shows.
    static std::vector<unsigned char> Shown() {
        float w, h;
        RenderBeforeSwap = [] {};  // every frame painted, as a changing picture is
        ThisGame.RenderGame(w, h);
        RenderBeforeSwap = nullptr;
        std::vector<unsigned char> px((size_t)ASys.WindowWidth * ASys.WindowHeight * 4);
        ReadShownFrame(px.data());
        return px;
    }
};

// The screen in one colour with a square of another at each corner, and in
// the middle a big picture that is transparent but for a small box (drawn
// through a scissor round its ink): every window pixel must come out one of
// those six colours (never the clear colour, never unwritten black), each
// window corner its own square's, and the picture as the full-size one but
// for a block's width at each edge.
TEST_F(BigWindow, ReducedFrameFillsTheWholeWindow) {
    const unsigned char colours[6][3] = {{200, 100, 50}, {255, 0, 0},   {0, 255, 0},
                                         {0, 0, 255},    {255, 255, 0}, {0, 255, 255}};
    const int slot = 99, side = 64;
    ThisGame.CreateBuffer(slot, side);
    ThisGame.BufferFill(slot, 0, 0, 0, 0);
    for (int y = 24; y < 40; y++)
        for (int x = 24; x < 40; x++) {
            unsigned char* p = &Image[slot][((size_t)y * side + x) * 4];
            p[0] = colours[5][0], p[1] = colours[5][1], p[2] = colours[5][2], p[3] = 255;
        }
    ImageChanged(slot);
    struct Case {
        int w, h, divisor;
    } cases[] = {{1920, 1080, 2}, {1601, 1001, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << " x " << c.h);
        float vw, vh;
        Open(c.w, c.h, vw, vh);
        MyGame& g = ThisGame;
        g.ResetDraw();
        g.CLS(10, 20, 30);
        g.SetCol(colours[0][0], colours[0][1], colours[0][2]);
        g.Rect(vw / 2, vh / 2, vw, vh);
        const float corner[4][2] = {{0, 0}, {vw, 0}, {0, vh}, {vw, vh}};
        for (int k = 0; k < 4; k++) {
            g.SetCol(colours[k + 1][0], colours[k + 1][1], colours[k + 1][2]);
            g.Rect(corner[k][0], corner[k][1], 64, 64);
        }
        g.SetCol(255, 255, 255);
        g.SetSize(4);
        g.DrawImg(slot, vw / 2, vh / 2, 0);
        g.ResetDraw();
        g.BufferGame();
        float drawSet[vell::kDrawSetSize];
        memcpy(drawSet, ASys.DrawSet, sizeof drawSet);
        std::vector<unsigned char> reduced = Shown();
        EXPECT_EQ(FrameSize().divisor, c.divisor);
        EXPECT_TRUE(log.Has(std::string("Drawing at ") + std::to_string((c.w + 1) / 2) + " x " +
                            std::to_string((c.h + 1) / 2) + " for the " + std::to_string(c.w) + " x " +
                            std::to_string(c.h) + " window"));
        memcpy(ASys.DrawSet, drawSet, sizeof drawSet);
        ASys.RenderFull = 1;
        std::vector<unsigned char> full = Shown();
        ASys.RenderFull = 0;
        EXPECT_EQ(FrameSize().divisor, 1);
        ASSERT_EQ(reduced.size(), full.size());

        size_t foreign = 0, differ = 0;
        for (size_t i = 0; i < reduced.size(); i += 4) {
            bool known = false;
            for (const auto& col : colours)
                known |= reduced[i] == col[0] && reduced[i + 1] == col[1] && reduced[i + 2] == col[2];
            if (!known) foreign++;
            if (memcmp(&reduced[i], &full[i], 3) != 0) differ++;
        }
        EXPECT_EQ(foreign, 0u) << "pixels of none of the colours drawn";
        // Rows bottom first: (0, 0) is the window's lower left corner.
        const size_t at[4] = {(size_t)(c.h - 1) * c.w, (size_t)c.h * c.w - 1, 0, (size_t)c.w - 1};
        for (int k = 0; k < 4; k++) EXPECT_EQ(0, memcmp(&reduced[at[k] * 4], colours[k + 1], 3)) << "corner " << k;
        // Each square's two inner edges, and the box's four, may move by
        // less than a block.
        size_t edges = 8 * 2 * (size_t)(32 * c.w / vw + 2) * (size_t)c.divisor;
        EXPECT_LE(differ, edges);
    }
}

// The game's own busy cave, sprites and all (some cut to their ink by a
// scissor worked out in drawn pixels), and the screenshot key on it.
TEST_F(BigWindow, ReducedCaveLooksLikeTheFullOneAndScreenshotsWhatIsShown) {
    MyGame& g = ThisGame;
    g.SetDefaultSettings();
    g.KeyDefaults();
    ASSERT_TRUE(LoadGameAssets(GameFolder().c_str())) << "assets not built";
    float vw, vh;
    Open(1920, 1080, vw, vh);
    BuildBusyLevel();
    g.Render();  // lays the cave out for the window's shape
    g.Update();
    float drawSet[vell::kDrawSetSize];
    memcpy(drawSet, ASys.DrawSet, sizeof drawSet);

    TempDir dir;
    std::string shot = dir.File("shot.png");
    snprintf(ASys.ScreenshotName, sizeof ASys.ScreenshotName, "%s", shot.c_str());
    ScreenshotTaken = 0;
    ASys.Button[vell::kButtonScreenshot] = 1;
    std::vector<unsigned char> reduced = Shown();
    ASys.Button[vell::kButtonScreenshot] = 0;
    ASSERT_EQ(FrameSize().divisor, 2);

    std::vector<unsigned char> png;
    unsigned pw = 0, ph = 0;
    ASSERT_EQ(lodepng::decode(png, pw, ph, shot), 0u);
    ASSERT_EQ(pw, 1920u);
    ASSERT_EQ(ph, 1080u);
    size_t unlike = 0;
    for (unsigned y = 0; y < ph; y++)
        unlike += memcmp(&png[(size_t)y * pw * 4], &reduced[(size_t)(ph - 1 - y) * pw * 4], (size_t)pw * 4) != 0;
    EXPECT_EQ(unlike, 0u) << "rows of the screenshot unlike the window";

    memcpy(ASys.DrawSet, drawSet, sizeof drawSet);
    ASys.RenderFull = 1;
    std::vector<unsigned char> full = Shown();
    // Averaged over 24 x 24 blocks the two pictures agree: a piece of the
    // picture missing, moved or cut would change whole blocks.
    const int b = 24;
    int worst = 0, blocks = 0, off = 0;
    for (int by = 0; by < 1080 / b; by++)
        for (int bx = 0; bx < 1920 / b; bx++) {
            for (int ch = 0; ch < 3; ch++) {
                long sr = 0, sf = 0;
                for (int y = by * b; y < (by + 1) * b; y++)
                    for (int x = bx * b; x < (bx + 1) * b; x++) {
                        sr += reduced[((size_t)y * 1920 + x) * 4 + ch];
                        sf += full[((size_t)y * 1920 + x) * 4 + ch];
                    }
                int d = (int)std::labs(sr - sf) / (b * b);
                if (d > worst) worst = d;
                if (d > 24) off++;
            }
            blocks++;
        }
    EXPECT_LE(off, blocks / 100) << "worst block differs by " << worst;
}

// A renderer taken as hardware draws the big window at its own size, in
// Auto too.
TEST_F(BigWindow, HardwareRendererDrawsAtTheWindowsSize) {
    RendererKindOverride = 0;
    float vw, vh;
    Open(1920, 1080, vw, vh);
    ThisGame.ResetDraw();
    ThisGame.BufferGame();
    Shown();
    EXPECT_EQ(FrameSize().divisor, 1);
    EXPECT_EQ(FrameSize().width, 1920);
}

}  // namespace
