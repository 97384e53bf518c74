// Bitmap text: widths, and the image records a line of text becomes.
#include <cmath>

#include <gtest/gtest.h>
#include <lodepng.h>

#include "test_support.h"

namespace {

class TextRec : public ::testing::Test {
protected:
    void SetUp() override {
        RecordAt800x600();
        ASys.DrawTo = 0;
        ASys.FontImage = 51;
        ASys.ImageFrames[51] = 95;  // recording only checks that the slot is loaded
        ThisGame.ResetDraw();
    }
    void TearDown() override {
        ASys.ImageFrames[51] = -1;
        ASys.DrawTo = 0;
    }
    // Record n's position in screen coordinates, and its frame.
    static double X(int n) { return ASys.Draw[30 * n + 1] + 400; }
    static double Y(int n) { return ASys.Draw[30 * n + 2] + 300; }
    static double Frame(int n) { return ASys.Draw[30 * n + 29]; }
};

TEST(TextFont, WidthTable) {
    struct Case {
        const char* chars;
        int width;
    } cases[] = {
        {" ", 15},
        {"!',.:;`il|", 5},
        {"\"^}", 12},
        {"#", 19},
        {"$&*+-/<=>?\\ABCDEFGHIJKLNOPQRSTUXYZabcdefghknopqrstuvxyz", 15},
        {"%MWw", 22},
        {"()[]j", 10},
        {"0123456789V_", 16},
        {"@m~", 25},
        {"{", 11},
    };
    int seen = 0;
    for (const auto& c : cases)
        for (const char* p = c.chars; *p; p++, seen++) EXPECT_EQ(fontw[*p - 32], c.width) << "'" << *p << "'";
    EXPECT_EQ(seen, 95);  // every printable character is in the table
    for (int i = 95; i < 136; i++) EXPECT_EQ(fontw[i], 0) << i;
}

TEST_F(TextRec, StringWidthSumsAdvancesAtTheCurrentSize) {
    EXPECT_FLOAT_EQ(ThisGame.StringWidth("Hi"), 18);
    EXPECT_FLOAT_EQ(ThisGame.StringWidth("MW"), 42);
    EXPECT_FLOAT_EQ(ThisGame.StringWidth(""), 0);
    EXPECT_FLOAT_EQ(ThisGame.StringWidth("a\nb\x80"), 28);  // control and high bytes take no room
    EXPECT_FLOAT_EQ(ThisGame.StringWidth("\x7f"), -1);      // DEL's zero entry
    EXPECT_FLOAT_EQ(ThisGame.StringWidth('M'), 21);
    EXPECT_FLOAT_EQ(ThisGame.CharWidth('i'), 4);
    EXPECT_FLOAT_EQ(ThisGame.StringWidth('\t'), 0);
    EXPECT_FLOAT_EQ(ThisGame.StringWidth(nullptr), 0);
    ThisGame.SetSize(0.5f);
    EXPECT_FLOAT_EQ(ThisGame.StringWidth("Hi"), 9);
}

TEST_F(TextRec, CentredLetterLandsWhereItsCellCentreIs) {
    ThisGame.Text(100, 50, "A", 1);
    ASSERT_EQ(ASys.DrawTo, 1);
    EXPECT_EQ(ASys.Draw[0], 11);
    EXPECT_NEAR(X(0), 107, 1e-3);
    EXPECT_NEAR(Y(0), 50, 1e-3);
    EXPECT_EQ(Frame(0), 33);
    EXPECT_EQ(ASys.Draw[28], 51);
}

TEST_F(TextRec, PenAdvancesByWidthAndAlignmentShiftsTheStart) {
    struct Case {
        float align;
        double startX;
    } cases[] = {{0, 114}, {1, 105}, {2, 96}};  // width 14 + 0 + 4 = 18
    for (const auto& c : cases) {
        SCOPED_TRACE(c.align);
        ASys.DrawTo = 0;
        ThisGame.Text(100, 50, "H\ni", c.align);
        ASSERT_EQ(ASys.DrawTo, 3);
        EXPECT_NEAR(X(0), c.startX, 1e-3);
        // The line feed is recorded as a blank frame and does not move the pen.
        EXPECT_EQ(Frame(1), -22);
        EXPECT_NEAR(X(1), X(0) + 14, 1e-3);
        EXPECT_NEAR(X(2), X(1), 1e-3);
        EXPECT_EQ(Frame(2), 'i' - 32);
    }
}

TEST_F(TextRec, HalfSizeHalvesStepsAndRotationTurnsTheLine) {
    ThisGame.SetSize(0.5f);
    ThisGame.Text(100, 50, "HH");
    EXPECT_NEAR(X(0), 107, 1e-3);
    EXPECT_NEAR(X(1), 114, 1e-3);

    ASys.DrawTo = 0;
    ThisGame.ResetDraw();
    ThisGame.SetRot(90);
    ThisGame.Text(100, 50, "HH");
    EXPECT_NEAR(X(0), 100, 1e-3);
    EXPECT_NEAR(Y(0), 64, 1e-3);
    EXPECT_NEAR(Y(1), 78, 1e-3);
    EXPECT_EQ(ASys.Draw[18], 90);  // glyphs turn with the line
}

TEST_F(TextRec, EmptyTextRecordsNothing) {
    ThisGame.Text(1, 2, "");
    ThisGame.Text(1, 2, (const char*)nullptr);
    EXPECT_EQ(ASys.DrawTo, 0);
}

TEST_F(TextRec, SingleCharacterForms) {
    // Default alignment 1: shifted left by the width less half a pixel.
    ThisGame.Text(100, 50, 'A');
    EXPECT_NEAR(X(0), 100 - 14.5 + 7, 1e-3);
    EXPECT_EQ(Frame(0), 33);
    ThisGame.Text(100, 50, 'A', 0);
    EXPECT_NEAR(X(1), 107, 1e-3);
    ThisGame.SetSize(2);
    ThisGame.Text(100, 50, 'A', 2, 1);  // the shift is not scaled, the half step is
    EXPECT_NEAR(X(2), 100 - 29 + 14, 1e-3);
    ThisGame.Text(100, 50, '\n', 1);
    EXPECT_NEAR(X(3), 114, 1e-3);
    EXPECT_EQ(Frame(3), -22);
}

TEST_F(TextRec, MissingFontIsLoggedPerCharacter) {
    LogCapture log;
    ThisGame.SetFont(9);
    ThisGame.Text(0, 0, "ab");
    EXPECT_EQ(ASys.DrawTo, 0);
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{"Missing Image 9", "Missing Image 9"}));
    EXPECT_EQ(ASys.FontImage, 9);
}

TEST_F(TextRec, LoadFontReadsTheDataFolderAndSelectsTheSlot) {
    TempDir dir;
    snprintf(ThisGame.home, sizeof ThisGame.home, "%s", dir.Path().c_str());
    ThisGame.GameNum = 552;
    ASSERT_EQ(system(("mkdir -p " + dir.File("Data/552/fonts")).c_str()), 0);
    std::vector<unsigned char> px(64 * 32 * 4, 200);
    ASSERT_EQ(lodepng::encode(dir.File("Data/552/fonts/f.png"), px, 64, 32), 0u);
    ASSERT_EQ(lodepng::encode(dir.File("Data/552/fonts/g.PNG"), px, 32, 32), 0u);

    LogCapture log;
    ThisGame.LoadFont(44, "fonts\\f");
    EXPECT_EQ(ASys.FontImage, 44);
    EXPECT_EQ(ASys.ImageFrames[44], 2);
    EXPECT_EQ(ASys.ImageFrameSize[44], 32);
    ThisGame.LoadFont(45, "fonts/g.PNG");
    EXPECT_EQ(ASys.ImageFrames[45], 1);
    ThisGame.LoadFont(46, "fonts/none");
    EXPECT_EQ(ASys.FontImage, 46);
    EXPECT_EQ(ASys.ImageFrames[46], -1);  // no such file: the slot stays empty
    EXPECT_TRUE(log.Has("Load Font  : fonts\\f "));
    EXPECT_TRUE(log.Has("    Loaded Spritesheet of 2 x 32x32 sprites"));
    EXPECT_EQ(log.Lines().back(), "OMGERRORZ");
    snprintf(ThisGame.home, sizeof ThisGame.home, ".");
    for (int s : {44, 45, 46}) ASys.ImageFrames[s] = -1;
}

}  // namespace
