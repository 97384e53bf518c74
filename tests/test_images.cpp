// Loading pictures and sprite sheets into slots, and hostile files; no window.
#include <cstring>

#include <gtest/gtest.h>

#include "test_images_support.h"
#include "test_support.h"

namespace {

const int kSlot = 20;

class ImageLoad : public ::testing::Test {
protected:
    void SetUp() override { ASys.VirtualWidth = 800; }
    void TearDown() override { ASys.ImageFrames[kSlot] = -1; }
    TempDir dir;
};

TEST_F(ImageLoad, SheetIsRepackedIntoPowerOfTwoCellsWithMargins) {
    // 256 x 64 with 32-pixel frames: 8 x 2 frames, each one solid colour.
    std::string path = dir.File("sheet.png");
    ASSERT_TRUE(WriteTestPNG(path, 256, 64, [](int x, int y) { return FrameColour(x / 32 + 8 * (y / 32)); }));
    LogCapture log;
    ASys.GetPNG(kSlot, path.c_str(), 32);
    EXPECT_EQ(log.Lines(), std::vector<std::string>{"    Loaded Spritesheet of 16 x 32x32 sprites"});
    EXPECT_EQ(ASys.ImageFrames[kSlot], 16);
    EXPECT_EQ(iSize[kSlot], 512);  // 8 x 40 = 320, raised to 512
    EXPECT_EQ(iFramesW[kSlot], 12);
    EXPECT_FLOAT_EQ(iFramesWz[kSlot], 40.0f / 512);
    EXPECT_EQ(ASys.ImageFrameSize[kSlot], 32);
    EXPECT_FLOAT_EQ(ASys.ImageUnit[kSlot], 40.0f / 800);
    EXPECT_EQ(Image[kSlot].size(), 512u * 512 * 4);
    EXPECT_EQ(std::vector<unsigned char>(ImageBlur[kSlot].begin(), ImageBlur[kSlot].end()),
              std::vector<unsigned char>(512 * 512 * 4, 0));

    for (int n = 0; n < 16; n++) {
        SCOPED_TRACE(n);
        int cx = 40 * (n % 12), cy = 40 * (n / 12);
        EXPECT_EQ(TexPixel(kSlot, cx + 4, cy + 4), FrameColour(n));
        EXPECT_EQ(TexPixel(kSlot, cx + 35, cy + 35), FrameColour(n));
        // The texel beside the frame is transparent but carries its colour;
        // further out the margin is transparent black.
        Rgba bled = FrameColour(n);
        bled[3] = 0;
        EXPECT_EQ(TexPixel(kSlot, cx + 3, cy + 20), bled);
        EXPECT_EQ(TexPixel(kSlot, cx + 1, cy + 20), (Rgba{0, 0, 0, 0}));
    }
    // Frame 12 starts the second cell row.
    EXPECT_EQ(TexPixel(kSlot, 4, 44), FrameColour(12));
}

TEST_F(ImageLoad, ColourKeysBecomeTransparent) {
    // Single picture: keyed pixels turn fully transparent black.
    std::string pic = dir.File("pic.png");
    ASSERT_TRUE(WriteTestPNG(pic, 32, 32, [](int x, int y) -> Rgba {
        if (x == 1 && y == 0) return {255, 0, 255, 255};
        if (x == 2 && y == 0) return {0, 255, 255, 255};
        if (x == 3 && y == 0) return {251, 4, 251, 255};
        if (x == 4 && y == 0) return {250, 0, 255, 255};  // not quite magenta
        return {9, 8, 7, 255};
    }));
    LogCapture log;
    ASys.GetPNG(kSlot, pic.c_str(), 32);
    EXPECT_EQ(log.Lines(), std::vector<std::string>{"    Loaded 32x32 Image"});
    EXPECT_EQ(ASys.ImageFrames[kSlot], 1);
    EXPECT_EQ(iSize[kSlot], 32);
    EXPECT_EQ(iFramesW[kSlot], 32);
    EXPECT_EQ(iFramesWz[kSlot], 1);
    EXPECT_FLOAT_EQ(ASys.ImageUnit[kSlot], 32.0f / 800);
    for (int x = 1; x <= 3; x++) EXPECT_EQ(TexPixel(kSlot, x, 0), (Rgba{0, 0, 0, 0})) << x;
    EXPECT_EQ(TexPixel(kSlot, 4, 0), (Rgba{250, 0, 255, 255}));
    EXPECT_EQ(TexPixel(kSlot, 0, 0), (Rgba{9, 8, 7, 255}));

    // Sheet: the keyed pixel keeps alpha 0 and takes its neighbours' average.
    std::string sheet = dir.File("sheet.png");
    ASSERT_TRUE(WriteTestPNG(sheet, 64, 32, [](int x, int y) -> Rgba {
        if (x == 5 && y == 5) return {255, 0, 255, 255};
        if (x == 6 && y == 5) return {100, 50, 0, 255};
        if (x == 40 && y == 9) return {0, 255, 255, 255};
        return {200, 10, 20, 255};
    }));
    ASys.GetPNG(kSlot, sheet.c_str(), 32);
    ASSERT_EQ(ASys.ImageFrames[kSlot], 2);
    EXPECT_EQ(TexPixel(kSlot, 9, 9), (Rgba{187, 15, 17, 0}));
    EXPECT_EQ(TexPixel(kSlot, 40 + 4 + 8, 4 + 9), (Rgba{200, 10, 20, 0}));
}

TEST_F(ImageLoad, PictureSmallerThanItsFrameIsCopiedAsFarAsItGoes) {
    std::string path = dir.File("small.png");
    ASSERT_TRUE(WriteTestPNG(path, 20, 10, [](int x, int y) { return Rgba{x, y, 1, 255}; }));
    ASys.GetPNG(kSlot, path.c_str(), 32);
    ASSERT_EQ(ASys.ImageFrames[kSlot], 1);
    EXPECT_EQ(iSize[kSlot], 32);
    EXPECT_EQ(TexPixel(kSlot, 19, 9), (Rgba{19, 9, 1, 255}));
    EXPECT_EQ(TexPixel(kSlot, 3, 7), (Rgba{3, 7, 1, 255}));
    EXPECT_EQ(TexPixel(kSlot, 20, 0), (Rgba{0, 0, 0, 0}));
    EXPECT_EQ(TexPixel(kSlot, 0, 10), (Rgba{0, 0, 0, 0}));

    // Taller than the frame: only the frame's rows are kept.
    ASSERT_TRUE(WriteTestPNG(path, 16, 90, [](int x, int y) { return Rgba{x, y, 2, 255}; }));
    ASys.GetPNG(kSlot, path.c_str(), 32);
    EXPECT_EQ(Image[kSlot].size(), 32u * 32 * 4);
    EXPECT_EQ(TexPixel(kSlot, 15, 31), (Rgba{15, 31, 2, 255}));
}

TEST_F(ImageLoad, TallSheetGrowsItsTextureSoEveryFrameFits) {
    // One column of ten frames (and a strip too narrow for a second one):
    // the first side, 64, holds a single cell.
    std::string path = dir.File("tall.png");
    ASSERT_TRUE(WriteTestPNG(path, 40, 320, [](int, int y) { return FrameColour(y / 32); }));
    ASys.GetPNG(kSlot, path.c_str(), 32);
    ASSERT_EQ(ASys.ImageFrames[kSlot], 10);
    int side = iSize[kSlot], per = iFramesW[kSlot];
    EXPECT_EQ(Image[kSlot].size(), (size_t)side * side * 4);
    EXPECT_GE(per * per, 10);
    EXPECT_FLOAT_EQ(iFramesWz[kSlot], 40.0f / side);
    for (int n = 0; n < 10; n++)
        EXPECT_EQ(TexPixel(kSlot, 40 * (n % per) + 20, 40 * (n / per) + 20), FrameColour(n)) << n;
}

TEST_F(ImageLoad, SheetBeyondTheLargestTextureKeepsWhatFits) {
    // 1-pixel frames, 4096 x 60 of them: a 4096 texture holds 455 x 455 cells.
    std::string path = dir.File("wide.png");
    ASSERT_TRUE(WriteTestPNG(path, 4096, 60, [](int x, int y) { return Rgba{x & 255, y, 1, 255}; }));
    LogCapture log;
    ASys.GetPNG(kSlot, path.c_str(), 1);
    EXPECT_EQ(iSize[kSlot], 4096);
    EXPECT_EQ(iFramesW[kSlot], 455);
    EXPECT_EQ(ASys.ImageFrames[kSlot], 455 * 455);
    EXPECT_TRUE(log.Has("    Sheet too large, kept 207025 of 245760 sprites"));
    // The last frame kept is sheet pixel (2224, 50), in the last cell.
    EXPECT_EQ(TexPixel(kSlot, 454 * 9 + 4, 454 * 9 + 4), (Rgba{2224 & 255, 50, 1, 255}));
}

TEST_F(ImageLoad, RefusedFilesLeaveTheSlotEmpty) {
    std::string good = dir.File("good.png");
    ASSERT_TRUE(WriteTestPNG(good, 2, 2, [](int, int) { return Rgba{1, 2, 3, 255}; }));
    std::vector<unsigned char> png = ReadBytes(good);
    ASSERT_GT(png.size(), 33u);
    // IHDR starts at byte 8: length, "IHDR", width, height, depth, colour type...
    auto patched = [&](std::function<void(unsigned char*)> edit) {
        std::vector<unsigned char> p = png;
        edit(&p[8 + 8]);
        lodepng_chunk_generate_crc(&p[8]);
        return p;
    };
    auto put32 = [](unsigned char* p, unsigned v) { p[0] = v >> 24, p[1] = v >> 16, p[2] = v >> 8, p[3] = v; };
    struct Case {
        const char* what;
        std::vector<unsigned char> bytes;
    } cases[] = {
        {"not a PNG", std::vector<unsigned char>{'h', 'e', 'l', 'l', 'o', '\n'}},
        {"empty", {}},
        {"truncated", std::vector<unsigned char>(png.begin(), png.begin() + png.size() / 2)},
        {"header only", std::vector<unsigned char>(png.begin(), png.begin() + 33)},
        {"huge IHDR", patched([&](unsigned char* d) { put32(d, 100000), put32(d + 4, 100000); })},
        {"too wide", patched([&](unsigned char* d) { put32(d, 4097); })},
        {"zero width", patched([&](unsigned char* d) { put32(d, 0); })},
        {"zero height", patched([&](unsigned char* d) { put32(d + 4, 0); })},
        {"colour type 5", patched([](unsigned char* d) { d[9] = 5; })},
        {"bit depth 7", patched([](unsigned char* d) { d[8] = 7; })},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string path = dir.File("bad.png");
        WriteBytes(path, c.bytes);
        ASys.GetPNG(kSlot, good.c_str(), 32);
        ASSERT_EQ(ASys.ImageFrames[kSlot], 1);
        LogCapture log;
        ASys.GetPNG(kSlot, path.c_str(), 32);
        EXPECT_EQ(ASys.ImageFrames[kSlot], -1);
        EXPECT_EQ(log.Lines(), std::vector<std::string>{"OMGERRORZ"});
    }
    for (std::string path : {dir.File("missing.png"), dir.Path()}) {
        LogCapture log;
        ASys.GetPNG(kSlot, path.c_str(), 32);
        EXPECT_EQ(log.Lines(), std::vector<std::string>{"OMGERRORZ"}) << path;
    }
    LogCapture log;
    ASys.GetPNG(kSlot, nullptr, 32);
    ASys.GetPNG(kSlot, good.c_str(), 0);
    ASys.GetPNG(kSlot, good.c_str(), (unsigned)-1);
    EXPECT_EQ(ASys.ImageFrames[kSlot], -1);
    EXPECT_EQ(log.Lines().size(), 3u);
}

TEST_F(ImageLoad, SlotsOutsideTheGamesRangeAreRefused) {
    std::string good = dir.File("good.png");
    ASSERT_TRUE(WriteTestPNG(good, 2, 2, [](int, int) { return Rgba{1, 2, 3, 255}; }));
    int before = ASys.ImageFrames[100];
    for (int slot : {100, -1, 104}) {
        testing::internal::CaptureStdout();
        ASys.GetPNG(slot, good.c_str(), 32);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "Image number out of bounds");
    }
    EXPECT_EQ(ASys.ImageFrames[100], before);
}

}  // namespace
