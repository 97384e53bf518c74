// Paintable buffers, the screen-copy slot's shape and PNG saving; no window.
#include <cmath>
#include <set>
#include <utility>

#include <gtest/gtest.h>

#include "test_images_support.h"
#include "test_support.h"

namespace {

const int kBuf = 30;

class ImageBuffer : public ::testing::Test {
protected:
    void SetUp() override { ASys.VirtualWidth = 800; }
    void TearDown() override {
        for (int s : {kBuf, kBuf + 1}) ASys.ImageFrames[s] = -1;
    }
    // Pixels of the buffer that are not transparent black.
    static std::set<std::pair<int, int>> Painted(int slot) {
        std::set<std::pair<int, int>> out;
        for (int y = 0; y < iSize[slot]; y++)
            for (int x = 0; x < iSize[slot]; x++)
                if (TexPixel(slot, x, y) != Rgba{0, 0, 0, 0}) out.insert({x, y});
        return out;
    }
};

TEST_F(ImageBuffer, CreateMakesABlankSingleFrameSlot) {
    Image[kBuf].assign(16, 9);
    ASys.Buffer_Create(kBuf, 16);
    EXPECT_EQ(ASys.ImageFrames[kBuf], 1);
    EXPECT_EQ(iSize[kBuf], 16);
    EXPECT_EQ(iFramesW[kBuf], 16);
    EXPECT_EQ(iFramesWz[kBuf], 1);
    EXPECT_EQ(ASys.ImageFrameSize[kBuf], 16);
    EXPECT_FLOAT_EQ(ASys.ImageUnit[kBuf], 16.0f / 800);
    EXPECT_EQ(Image[kBuf], std::vector<unsigned char>(16 * 16 * 4, 0));
    EXPECT_EQ(ImageBlur[kBuf].size(), 16u * 16 * 4);

    LogCapture log;
    int frames101 = ASys.ImageFrames[101];
    ASys.Buffer_Create(101, 8);
    ASys.Buffer_Create(kBuf, -1);
    ASys.Buffer_Create(kBuf, 100000);
    EXPECT_EQ(ASys.ImageFrames[101], frames101);
    EXPECT_EQ(iSize[kBuf], 16);
    EXPECT_EQ(log.Lines().size(), 3u);
}

TEST_F(ImageBuffer, FillAndPlotClampAndStayInside) {
    ASys.Buffer_Create(kBuf, 16);
    ASys.Buffer_Fill(kBuf, 300, -1, 7, 128);
    EXPECT_EQ(TexPixel(kBuf, 0, 0), (Rgba{255, 0, 7, 128}));
    EXPECT_EQ(TexPixel(kBuf, 15, 15), (Rgba{255, 0, 7, 128}));
    ASys.Buffer_Fill(kBuf, 0, 0, 0, 0);

    ASys.Buffer_Plot(kBuf, 3.7f, 2.2f, 300, -1, 12.9f, 255);
    ASys.Buffer_Plot(kBuf, 15.99f, 15.99f, 1, 1, 1, 1);
    for (auto p : std::vector<std::pair<float, float>>{
             {-0.5f, 3}, {3, -0.01f}, {16, 0}, {0, 16}, {NAN, 1}, {1e30f, 1}, {-1e30f, -1e30f}})
        ASys.Buffer_Plot(kBuf, p.first, p.second, 5, 5, 5, 5);
    EXPECT_EQ(Painted(kBuf), (std::set<std::pair<int, int>>{{3, 2}, {15, 15}}));
    EXPECT_EQ(TexPixel(kBuf, 3, 2), (Rgba{255, 0, 12, 255}));
}

TEST_F(ImageBuffer, LinesStepAlongBothAxesAndStopShortOfTheFarEnd) {
    using Pixels = std::set<std::pair<int, int>>;
    struct Case {
        const char* what;
        float x1, y1, x2, y2;
        Pixels want;
    } cases[] = {
        {"vertical",
         10,
         10,
         10,
         20,
         {{10, 10}, {10, 11}, {10, 12}, {10, 13}, {10, 14}, {10, 15}, {10, 16}, {10, 17}, {10, 18}, {10, 19}}},
        {"horizontal", 2, 3, 6, 3, {{2, 3}, {3, 3}, {4, 3}, {5, 3}}},
        {"horizontal reversed", 6, 3, 2, 3, {{2, 3}, {3, 3}, {4, 3}, {5, 3}}},
        {"shallow", 0, 0, 4, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
        {"steep", 0, 0, 2, 4, {{0, 0}, {0, 1}, {1, 2}, {1, 3}}},
        {"a point", 5, 5, 5, 5, {}},
        {"clipped", -3, 1, 2, 1, {{0, 1}, {1, 1}}},
        {"far outside", 40, 40, 80, 90, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASys.Buffer_Create(kBuf, 32);
        ASys.Buffer_Line(kBuf, c.x1, c.y1, c.x2, c.y2, 255, 255, 255, 255);
        EXPECT_EQ(Painted(kBuf), c.want);
    }
    // Ends a billion pixels apart fill the one row they cross, promptly.
    ASys.Buffer_Create(kBuf, 16);
    ASys.Buffer_Line(kBuf, -1e9f, 5, 1e9f, 5, 1, 2, 3, 4);
    EXPECT_EQ(Painted(kBuf).size(), 16u);
    EXPECT_EQ(TexPixel(kBuf, 15, 5), (Rgba{1, 2, 3, 4}));
    ASys.Buffer_Line(kBuf, NAN, 0, 5, NAN, 1, 1, 1, 1);
}

TEST_F(ImageBuffer, TileCopiesOpaqueTexelsOfOneFrame) {
    // Two 32-pixel frames; frame 1 is opaque on its left half only.
    TempDir dir;
    std::string path = dir.File("tiles.png");
    ASSERT_TRUE(WriteTestPNG(path, 64, 32, [](int x, int y) -> Rgba {
        if (x < 32) return {9, 9, 9, 255};
        return {x - 32, y, 77, (x - 32) < 16 ? 255 : 0};
    }));
    ASys.GetPNG(kBuf + 1, path.c_str(), 32);
    ASSERT_EQ(ASys.ImageFrames[kBuf + 1], 2);

    ASys.Buffer_Create(kBuf, 40);
    ASys.Buffer_Fill(kBuf, 1, 2, 3, 4);
    ASys.Buffer_Tile(kBuf, kBuf + 1, 20.9f, -5, 1);
    EXPECT_EQ(TexPixel(kBuf, 20, 0), (Rgba{0, 5, 77, 255}));
    EXPECT_EQ(TexPixel(kBuf, 35, 26), (Rgba{15, 31, 77, 255}));
    EXPECT_EQ(TexPixel(kBuf, 36, 10), (Rgba{1, 2, 3, 4}));  // transparent texel
    EXPECT_EQ(TexPixel(kBuf, 25, 27), (Rgba{1, 2, 3, 4}));  // below the frame
    EXPECT_EQ(TexPixel(kBuf, 19, 0), (Rgba{1, 2, 3, 4}));

    std::vector<unsigned char> before = Image[kBuf];
    ASys.Buffer_Tile(kBuf, kBuf + 1, 0, 0, 2);
    ASys.Buffer_Tile(kBuf, kBuf + 1, 0, 0, -1);
    ASys.Buffer_Tile(kBuf, 77, 0, 0, 0);
    ASys.Buffer_Tile(kBuf, kBuf + 1, 1e30f, -1e30f, 0);
    EXPECT_EQ(Image[kBuf], before);
}

TEST_F(ImageBuffer, OperationsOnSlotsWithoutMatchingPixelsDoNothing) {
    iSize[kBuf] = 0;
    ASys.Buffer_Fill(kBuf, 1, 1, 1, 1);
    // Tables claiming more pixels than the array holds (a screenshot reuses
    // slot 100's array) must not be painted through.
    iSize[kBuf] = 64;
    Image[kBuf].assign(16, 0);
    ASys.Buffer_Fill(kBuf, 1, 1, 1, 1);
    ASys.Buffer_Plot(kBuf, 60, 60, 1, 1, 1, 1);
    ASys.Buffer_Line(kBuf, 0, 0, 60, 60, 1, 1, 1, 1);
    EXPECT_EQ(Image[kBuf], std::vector<unsigned char>(16, 0));
    for (int s : {-1, 105, 1000}) {
        ASys.Buffer_Fill(s, 1, 1, 1, 1);
        ASys.Buffer_Plot(s, 0, 0, 1, 1, 1, 1);
        ASys.Buffer_Line(s, 0, 0, 1, 1, 1, 1, 1, 1);
        ASys.Buffer_Tile(s, s, 0, 0, 0);
    }
}

TEST_F(ImageBuffer, ScreenCopySlotIsSizedFromTheWindow) {
    ASSERT_FALSE(ASys.HasWindow());
    int w0 = ASys.WindowWidth, h0 = ASys.WindowHeight;
    struct Case {
        int w, h, side;
    } cases[] = {{1024, 768, 1024}, {1280, 720, 2048}, {800, 600, 1024}, {40, 30, 64},
                 {300, 600, 1024},  {3000, 100, 4096}, {5000, 10, 4096}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.w);
        ASys.WindowWidth = c.w;
        ASys.WindowHeight = c.h;
        ASys.GrabBuffer();
        EXPECT_EQ(ASys.ImageFrames[102], 1);
        EXPECT_EQ(iSize[102], c.side);
        EXPECT_EQ(iFramesW[102], c.side);
        EXPECT_EQ(iFramesWz[102], 1);
        EXPECT_FLOAT_EQ(ASys.ImageUnit[102], (float)c.side / c.w);
        EXPECT_EQ(Image[102].size(), (size_t)c.side * c.side * 4);
        EXPECT_EQ(Image[101].size(), (size_t)c.w * c.h * 4);
        EXPECT_EQ(TexPixel(102, c.side / 2, c.side / 2)[3], 255);  // copied texels are opaque
    }
    ASys.WindowWidth = w0;
    ASys.WindowHeight = h0;
    ASys.ImageFrames[102] = -1;
}

TEST_F(ImageBuffer, SavePNGWritesTheSlotAndReportsEncoderErrors) {
    TempDir dir;
    ASys.Buffer_Create(kBuf, 8);
    ASys.Buffer_Plot(kBuf, 2, 1, 10, 20, 30, 40);
    std::string path = dir.File("out.png");
    LogCapture log;
    ASys.SavePNG(path.c_str(), kBuf, 8, 4);
    EXPECT_EQ(log.Lines(), std::vector<std::string>{"Saving Image - 8x4  ~ " + path});
    std::vector<unsigned char> px;
    unsigned w = 0, h = 0;
    ASSERT_EQ(lodepng::decode(px, w, h, path), 0u);
    EXPECT_EQ(w, 8u);
    EXPECT_EQ(h, 4u);
    EXPECT_EQ(px, std::vector<unsigned char>(Image[kBuf].begin(), Image[kBuf].begin() + 8 * 4 * 4));

    struct Case {
        std::string path;
        int slot, w, h;
        int code;
    } cases[] = {{dir.File("no/such/dir.png"), kBuf, 8, 8, 79},
                 {dir.File("big.png"), kBuf, 100, 100, 84},
                 {dir.File("neg.png"), kBuf, -5, 8, -1},
                 {dir.File("slot.png"), 500, 8, 8, -1}};
    for (const auto& c : cases) {
        LogCapture fail;
        ASys.SavePNG(c.path.c_str(), c.slot, c.w, c.h);
        auto lines = fail.Lines();
        ASSERT_EQ(lines.size(), 2u) << c.path;
        std::string prefix = "The image save didn't work.  All the images are unsaved!! ";
        EXPECT_EQ(lines[1].rfind(prefix, 0), 0u) << lines[1];
        if (c.code >= 0) {
            EXPECT_EQ(lines[1], prefix + std::to_string(c.code));
        }
    }
}

TEST_F(ImageBuffer, ScreenshotWithoutAWindowWritesNothing) {
    TempDir dir;
    snprintf(ASys.ScreenshotName, sizeof ASys.ScreenshotName, "%s/shot.png", dir.Path().c_str());
    LogCapture log;
    ASys.Screenshot();
    EXPECT_EQ(log.Lines().size(), 1u);
    EXPECT_TRUE(ReadBytes(dir.File("shot.png")).empty());
}

}  // namespace
