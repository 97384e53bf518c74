// Images through the renderer: frames from packed sheets, filtering, pixel
// uploads and batching, screenshots and the screen copy.
#include <cstring>
#include <functional>

#include "test_render_support.h"
#include "VellHooks.h"

namespace {

const int kSheet = 20, kPic = 21, kPic2 = 22;

class RenderImg : public RenderFixture {
protected:
    void SetUp() override {
        RenderFixture::SetUp();
        if (IsSkipped()) return;
        // 256 x 64 sheet of 32-pixel frames, each a solid colour.
        std::string sheet = dir.File("sheet.png");
        ASSERT_TRUE(WriteTestPNG(sheet, 256, 64, [](int x, int y) { return FrameColour(x / 32 + 8 * (y / 32)); }));
        ASys.GetPNG(kSheet, sheet.c_str(), 32);
        // A picture red on its top half, blue below.
        std::string pic = dir.File("pic.png");
        ASSERT_TRUE(WriteTestPNG(pic, 32, 32, [](int, int y) -> Rgba {
            return y < 16 ? Rgba{255, 0, 0, 255} : Rgba{0, 0, 255, 255};
        }));
        ASys.GetPNG(kPic, pic.c_str(), 32);
        ASys.GetPNG(kPic2, pic.c_str(), 32);
    }
    void TearDown() override {
        for (int s : {kSheet, kPic, kPic2}) ASys.ImageFrames[s] = -1;
        RenderFixture::TearDown();
    }
    TempDir dir;
};

TEST_F(RenderImg, FramesComeFromTheirCellsOfThePackedSheet) {
    ThisGame.DrawImg(kSheet, 400, 300, 12);
    ThisGame.DrawImg(kSheet, 100, 100, 3);
    ThisGame.DrawImg(kSheet, 700, 100, 99);  // no such frame: drawn as frame 0
    ThisGame.DrawImg(kSheet, 700, 500, -4);
    Frame();
    EXPECT_EQ(Px(400, 300), FrameColour(12));
    EXPECT_EQ(Px(385, 285), FrameColour(12));
    EXPECT_EQ(Px(414, 314), FrameColour(12));
    EXPECT_EQ(Px(382, 300), (Rgba{0, 0, 0, 255}));  // the cell's transparent margin
    EXPECT_EQ(Px(100, 100), FrameColour(3));
    EXPECT_EQ(Px(700, 100), FrameColour(0));
    EXPECT_EQ(Px(700, 500), FrameColour(0));
    // The renderer's copy of the record now names frame 0.
    EXPECT_EQ(DrawR[30 * 2 + 29], 0);
    EXPECT_EQ(DrawR[30 * 0 + 29], 12);
}

TEST_F(RenderImg, PicturesStandUprightAndFollowSizeRotationAndColour) {
    ThisGame.DrawImg(kPic, 100, 100);
    ThisGame.SetSize(2);
    ThisGame.DrawImg(kPic, 300, 100);
    ThisGame.SetSize(1);
    ThisGame.SetRot(180);
    ThisGame.DrawImg(kPic, 500, 100);
    ThisGame.SetRot(0);
    ThisGame.SetCol(255, 255, 255, 0.5f);
    ThisGame.DrawImg(kPic, 700, 100);
    ThisGame.SetAlpha(1);
    ThisGame.QuadImg(kPic, 50, 300, 150, 300, 150, 400, 50, 400, 0);
    Frame();
    EXPECT_EQ(Px(100, 90), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(Px(100, 110), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(Px(300, 72), (Rgba{255, 0, 0, 255}));  // 64 pixels high at size 2
    EXPECT_EQ(Px(300, 128), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(Px(500, 90), (Rgba{0, 0, 255, 255}));  // upside down
    EXPECT_TRUE(Near(Px(700, 90), {127, 0, 0, 255}, 1));
    // A textured quad maps the frame's top onto its first two corners.
    EXPECT_EQ(Px(100, 310), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(Px(100, 390), (Rgba{0, 0, 255, 255}));
}

TEST_F(RenderImg, SmoothingOneFiltersLinearlyAnythingElseByNearestTexel) {
    // A 2 x 2 buffer, black on the left and white on the right, drawn 100 wide.
    ASys.Buffer_Create(kPic2, 2);
    ASys.Buffer_Fill(kPic2, 0, 0, 0, 255);
    ASys.Buffer_Plot(kPic2, 1, 0, 255, 255, 255, 255);
    ASys.Buffer_Plot(kPic2, 1, 1, 255, 255, 255, 255);
    struct Case {
        int smooth;
        bool linear;
    } cases[] = {{1, true}, {0, false}, {2, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.smooth);
        ThisGame.SetSize(50);
        ThisGame.DrawImg(kPic2, 400, 300);
        ThisGame.Smooth(c.smooth);
        Frame();
        int v = Px(398, 300)[0];
        if (c.linear) {
            EXPECT_GT(v, 60);
            EXPECT_LT(v, 200);
        } else {
            EXPECT_EQ(v, 0);
            EXPECT_EQ(Px(402, 300)[0], 255);
        }
    }
}

TEST_F(RenderImg, ABatchStartsOnlyWhenThePixelsChange) {
    struct Case {
        const char* what;
        std::vector<int> slots;  // -1: a rectangle, -2: a blend switch
        long batches;
    } cases[] = {
        {"A B A B", {kPic, kPic2, kPic, kPic2}, 4},
        {"A A B B", {kPic, kPic, kPic2, kPic2}, 2},
        {"shapes share the white block", {-1, -1, -1}, 1},
        {"A rect A", {kPic, -1, kPic}, 3},
        {"blend switch closes the batch", {kPic, -2, kPic}, 2},
        {"sheet frames share one upload", {kSheet, kSheet, kSheet}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        int blend = 2;
        for (int s : c.slots) {
            if (s == -1) ThisGame.Rect(10, 10, 4);
            else if (s == -2) ThisGame.SetBlend(blend++);
            else ThisGame.DrawImg(s, 200, 200, 1);
        }
        long before = TexBinds;
        Frame();
        EXPECT_EQ(TexBinds - before, c.batches);
    }
    // A batch that passes 50,000 primitives is closed and reopened.
    for (int i = 0; i < 1400; i++) ThisGame.Oval(100, 100, 4, 4);  // 36 each
    long before = TexBinds;
    Frame();
    EXPECT_EQ(TexBinds - before, 2);
    EXPECT_EQ(ASys.PolyCount, 1400 * 36);
}

// Each slot keeps its texture between frames: its pixels go to GL again
// after any writer changed them, and never for frames that only repeat.
TEST_F(RenderImg, SlotTexturesAreSentAgainOnlyAfterTheirPixelsChange) {
    const std::string pic = dir.File("pic.png");
    ASys.Buffer_Create(kPic2, 4);
    ASys.Buffer_Fill(kPic2, 255, 0, 0, 255);
    // kPic2 spans 380..420 x 280..320 at size 10 (4 texels of 10 pixels).
    auto frame = [] {
        ThisGame.ResetDraw();
        ThisGame.SetSize(10);
        ThisGame.DrawImg(kPic2, 400, 300);
        ThisGame.SetSize(1);
        ThisGame.DrawImg(kPic, 100, 100);
        ThisGame.Rect(700, 500, 10);
        ThisGame.SetSize(10);
        ThisGame.DrawImg(kPic2, 600, 300);
        long uploads = TexUploads;
        Frame();
        return TexUploads - uploads;
    };
    EXPECT_EQ(frame(), 3);  // kPic2, kPic and the white block
    long binds = TexBinds;
    for (int i = 0; i < 3; i++) EXPECT_EQ(frame(), 0);
    EXPECT_EQ(TexBinds - binds, 3 * 4);
    EXPECT_EQ(Px(400, 300), (Rgba{255, 0, 0, 255}));

    struct Case {
        const char* what;
        std::function<void()> write;
        int x, y;
        Rgba seen;
    } cases[] = {
        {"fill", [] { ASys.Buffer_Fill(kPic2, 0, 255, 0, 255); }, 400, 300, {0, 255, 0, 255}},
        {"plot", [] { ASys.Buffer_Plot(kPic2, 1, 1, 0, 0, 255, 255); }, 395, 295, {0, 0, 255, 255}},
        {"line", [] { ASys.Buffer_Line(kPic2, 0, 2, 4, 2, 9, 9, 9, 255); }, 385, 305, {9, 9, 9, 255}},
        {"tile", [] { ASys.Buffer_Tile(kPic2, kSheet, 0, 0, 5); }, 400, 300, FrameColour(5)},
        {"created at another size",
         [] {
             ASys.Buffer_Create(kPic2, 8);
             ASys.Buffer_Fill(kPic2, 10, 20, 30, 255);
         },
         435,
         335,
         {10, 20, 30, 255}},
        {"emptied, drawn empty, created again",
         [] {
             ASys.ImageFrames[kPic2] = -1;
             Frame();
             ASys.Buffer_Create(kPic2, 4);
             ASys.Buffer_Fill(kPic2, 40, 50, 60, 255);
         },
         400,
         300,
         {40, 50, 60, 255}},
        {"reloaded from a file", [&] { ASys.GetPNG(kPic2, pic.c_str(), 32); }, 400, 250, {255, 0, 0, 255}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.write();
        EXPECT_EQ(frame(), 1);
        EXPECT_EQ(Px(c.x, c.y), c.seen);
        EXPECT_EQ(frame(), 0);
    }

    // A new window is a new GL context: every texture is made again.
    ASys.SetScreen(800, 600);
    EXPECT_EQ(frame(), 3);
    EXPECT_EQ(Px(400, 250), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(Px(100, 90), (Rgba{255, 0, 0, 255}));
}

TEST_F(RenderImg, EmptyOrForeignSlotsAreSkippedQuietly) {
    ThisGame.DrawImg(kPic, 100, 100);
    ThisGame.DrawImg(kPic, 200, 100);
    ThisGame.BufferGame();
    DrawR[28] = 150;  // out of the table
    DrawR[30 + 28] = kPic2;
    ASys.ImageFrames[kPic2] = -1;  // emptied after recording
    LogCapture log;
    ASys.RenderSys(0);
    EXPECT_EQ(ASys.ObjCount, 0);
    EXPECT_TRUE(log.Lines().empty());
}

TEST_F(RenderImg, ScreenshotSavesTheWindowUpright) {
    ThisGame.CLS(10, 20, 30);
    ThisGame.SetCol(0, 255, 0);
    ThisGame.Rect(50, 40, 20);
    std::string path = dir.File("shot.png");
    snprintf(ASys.ScreenshotName, sizeof ASys.ScreenshotName, "%s", path.c_str());
    ASys.Button[66] = 1;
    LogCapture log;
    Frame();
    EXPECT_TRUE(log.Has("Saving Image - 800x600  ~ " + path));
    std::vector<unsigned char> px;
    unsigned w = 0, h = 0;
    ASSERT_EQ(lodepng::decode(px, w, h, path), 0u);
    EXPECT_EQ(w, 800u);
    EXPECT_EQ(h, 600u);
    auto at = [&](int x, int y) {
        const unsigned char* p = &px[((size_t)y * w + x) * 4];
        return Rgba{p[0], p[1], p[2], p[3]};
    };
    EXPECT_EQ(at(50, 40), (Rgba{0, 255, 0, 255}));
    EXPECT_EQ(at(799, 599), (Rgba{10, 20, 30, 255}));

    // A name that fills the whole buffer without an end is read no further
    // (too long for any folder, so nothing is written).
    memset(ASys.ScreenshotName, 'n', sizeof ASys.ScreenshotName);
    ASys.Screenshot();
    auto lines = log.Lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2].rfind("Saving Image - 800x600  ~ nnnnnnnn", 0), 0u);
}

TEST_F(RenderImg, ScreenCopyIsDrawnBackWhereItWasTaken) {
    ThisGame.CLS(0, 0, 200);
    ThisGame.SetCol(0, 255, 0);
    ThisGame.Rect(100, 80, 20);
    Frame();
    ASys.GrabBuffer();  // after the frame, as the game's update does
    EXPECT_EQ(iSize[102], 1024);
    EXPECT_FLOAT_EQ(ASys.ImageUnit[102], 1024.0f / 800);

    ThisGame.CLS(0, 0, 0);
    ThisGame.ResetDraw();
    ThisGame.DrawBuffer();
    Frame();
    EXPECT_EQ(Px(100, 80), (Rgba{0, 255, 0, 255}));
    EXPECT_EQ(Px(100, 95), (Rgba{0, 0, 200, 255}));
    EXPECT_EQ(Px(799, 599), (Rgba{0, 0, 200, 255}));
    EXPECT_EQ(Px(0, 0), (Rgba{0, 0, 200, 255}));

    // A later copy replaces the first on screen, not the texture drawn before.
    ThisGame.CLS(200, 0, 0);
    Frame();
    ASys.GrabBuffer();
    ThisGame.CLS(0, 0, 0);
    ThisGame.DrawBuffer();
    Frame();
    EXPECT_EQ(Px(100, 80), (Rgba{200, 0, 0, 255}));
    ASys.ImageFrames[102] = -1;
}

}  // namespace
