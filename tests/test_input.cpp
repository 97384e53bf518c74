// Bindings, pads, pointers and raw keys, driven through the input tables
// directly (no window, so every keyboard key reads as up).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "VellHooks.h"
#include "test_support.h"

void ReadPadState(int p, const char* name, const float* axes, int na, const unsigned char* buttons, int nb, int flipY);

namespace {

class InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        memset(ASys.redef, 0, sizeof ASys.redef);
        memset(ASys.Joy, 0, sizeof ASys.Joy);
        memset(ASys.Touch, 0, sizeof ASys.Touch);
        memset(ASys.Keyv, 0, sizeof ASys.Keyv);
        memset(ASys.Button, 0, sizeof ASys.Button);
        memset(ignorePress, 0, sizeof ignorePress);
        game.MixJoy = 1;
    }
    // A pad that is connected and has been seen at rest.
    static void Counted(int p) {
        ASys.Joy[100 * p + 98] = 1;
        ASys.Joy[100 * p + 99] = 1;
    }
    // Codes bound to a control, oldest first.
    static std::vector<int> Column(int k) {
        std::vector<int> out;
        for (int row = 48; row < 64; row++)
            if (ASys.redef[16 * row + k]) out.push_back(ASys.redef[16 * row + k]);
        return out;
    }
    MyGame& game = ThisGame;
};

using Codes = std::vector<int>;

TEST_F(InputTest, DefineKeyKeepsEachInputOnOneControl) {
    game.SetKey(1, 65);
    game.SetKey(2, 65);
    EXPECT_EQ(Column(1), Codes{});
    EXPECT_EQ(Column(2), Codes{65});
    EXPECT_EQ(ASys.redef[16 * 63 + 2], 65);

    // Keyboard keys pile up; a pad keeps only its newest code per control,
    // while other pads keep theirs.
    game.SetKey(3, 65);
    game.SetKey(3, 66);
    game.SetKey(3, 503);
    game.SetKey(3, 603);
    game.SetKey(3, 505);
    EXPECT_EQ(Column(3), (Codes{65, 66, 603, 505}));
    EXPECT_EQ(game.KeyValue(3, 63), 505);
    EXPECT_EQ(Column(2), Codes{});
}

TEST_F(InputTest, DefineKeyKeepsTheSixteenNewest) {
    for (int code = 65; code < 65 + 20; code++) game.SetKey(7, code);
    Codes want;
    for (int code = 69; code < 85; code++) want.push_back(code);
    EXPECT_EQ(Column(7), want);
    for (int row = 0; row < 48; row++) EXPECT_EQ(ASys.redef[16 * row + 7], 0);

    // Controls outside 0..15 and slots outside 0..63 are ignored.
    int before[1024];
    memcpy(before, ASys.redef, sizeof before);
    game.SetKey(16, 84);
    game.SetKey(-1, 84);
    game.SetKey(1000, 84);
    EXPECT_EQ(0, memcmp(before, ASys.redef, sizeof before));
    EXPECT_EQ(game.KeyValue(16, 0), 0);
    EXPECT_EQ(game.KeyValue(7, 64), 0);
    EXPECT_EQ(game.KeyValue(7, -1), 0);
    game.FlushKeys();
    EXPECT_EQ(Column(7), Codes{});
}

TEST_F(InputTest, PollRedefReadsBoundPadInputs) {
    game.SetKey(10, 500);  // pad 0 button 0
    game.SetKey(11, 551);  // pad 0 axis 1
    game.SetKey(12, 602);  // pad 1 button 2
    ASys.Joy[0] = 1;
    ASys.Joy[51] = 0.7f;
    ASys.Joy[102] = 1;
    ASys.PollRedef();
    EXPECT_EQ(game.Joy(10), 0.0f) << "pad 0 has not been seen idle";
    EXPECT_EQ(game.Joy(12), 0.0f);

    Counted(0);
    ASys.Joy[51] = 0;
    ASys.PollRedef();
    EXPECT_EQ(game.Joy(10), 1.0f);
    EXPECT_EQ(game.Joy(12), 0.0f) << "pad 1 is not connected";

    // A bound axis counts only at full deflection, and may go negative.
    ASys.Joy[51] = 0.7f;
    ASys.PollRedef();
    EXPECT_EQ(game.Joy(11), 0.0f);
    ASys.Joy[51] = -1.0f;
    ASys.PollRedef();
    EXPECT_EQ(game.Joy(11), -1.0f);

    ASys.Joy[99] = 0;  // unplugged: its last values stay but no longer count
    ASys.PollRedef();
    EXPECT_EQ(game.Joy(10), 0.0f);
    EXPECT_EQ(game.Joy(11), 0.0f);
}

TEST_F(InputTest, PollRedefAddsBothSticksOfEveryCountedPad) {
    Counted(0);
    Counted(2);
    ASys.Joy[50] = 0.6f;    // pad 0 stick 1 right
    ASys.Joy[51] = -0.8f;   // and up
    ASys.Joy[252] = -0.9f;  // pad 2 stick 2 left
    ASys.Joy[253] = 0.2f;
    ASys.PollRedef();
    EXPECT_FLOAT_EQ(game.Joy(0), 0.8f);
    EXPECT_FLOAT_EQ(game.Joy(1), 0.6f);
    EXPECT_EQ(game.Joy(2), 0.0f);
    EXPECT_EQ(game.Joy(3), 0.0f);
    EXPECT_EQ(game.Joy(4), 0.0f);
    EXPECT_EQ(game.Joy(5), 0.0f);
    EXPECT_FLOAT_EQ(game.Joy(6), 0.2f);  // the other axis beyond the dead zone carries it
    EXPECT_FLOAT_EQ(game.Joy(7), 0.9f);

    ASys.Joy[50] = 0.2f;  // both inside the dead zone
    ASys.Joy[51] = -0.2f;
    ASys.PollRedef();
    EXPECT_EQ(game.Joy(0), 0.0f);
    EXPECT_EQ(game.Joy(1), 0.0f);
}

TEST_F(InputTest, BindingCodesOutOfRangeAreIgnored) {
    Counted(0);
    for (int i = 0; i < 100; i++) ASys.Joy[i] = 1;
    const int odd[] = {-5, 350, 499, 950, 1234, 2000000000};
    ASys.redef[16 * 63 + 10] = 598;  // past the last axis
    for (int row = 0; row < 6; row++) ASys.redef[16 * (48 + row) + 10] = odd[row];
    ASys.PollRedef();
    EXPECT_EQ(game.Joy(10), 0.0f);
    for (int code : odd) EXPECT_STREQ(game.KeyName(code), "N/A") << code;
    EXPECT_EQ(game.Joy(-1), 0.0f);
    EXPECT_EQ(game.Joy(128), 0.0f);
    EXPECT_EQ(ASys.vKey(0, 1 << 28), 0.0f);
    EXPECT_EQ(ASys.IsBut(-1), 0);
}

TEST_F(InputTest, PadIsIgnoredUntilSeenAtRestAndAnnouncedOnce) {
    float axes[4] = {0.5f, 0, 0, 0};
    unsigned char buttons[12] = {};
    buttons[3] = 1;
    testing::internal::CaptureStdout();
    ReadPadState(1, "Test Pad", axes, 4, buttons, 12, 0);
    EXPECT_EQ(ASys.Joy[199], 1.0f);
    EXPECT_EQ(ASys.Joy[198], 0.0f);
    EXPECT_EQ(ASys.Joy[150], 0.0f);
    EXPECT_EQ(ASys.Joy[103], 0.0f);
    buttons[3] = 0;
    ReadPadState(1, "Test Pad", axes, 4, buttons, 12, 0);  // button up, stick still off-centre
    EXPECT_EQ(ASys.Joy[198], 0.0f);
    std::string quiet = testing::internal::GetCapturedStdout();
    EXPECT_EQ(quiet, "");

    testing::internal::CaptureStdout();
    axes[0] = 0.3f;  // within the rest zone
    ReadPadState(1, "Test Pad", axes, 4, buttons, 12, 0);
    EXPECT_EQ(ASys.Joy[198], 1.0f);
    EXPECT_FLOAT_EQ(ASys.Joy[150], 0.3f);
    axes[0] = 1;
    buttons[3] = 1;
    ReadPadState(1, "Test Pad", axes, 4, buttons, 12, 0);
    axes[0] = 0;
    buttons[3] = 0;
    ReadPadState(1, "Test Pad", axes, 4, buttons, 12, 0);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "\n\n--=--\nController ID 'Test Pad'\n--=--\n\n");
}

TEST_F(InputTest, PadReadsAtMost45InputsAndFlipsBothSticks) {
    float axes[60];
    unsigned char buttons[60];
    for (int i = 0; i < 60; i++) {
        axes[i] = i < 4 ? 0.1f * (i + 1) - 0.15f : 0.5f;
        buttons[i] = i >= 45;
    }
    ASys.Joy[345] = 7;  // just past the buttons read
    ASys.Joy[395] = 7;  // just past the axes read
    testing::internal::CaptureStdout();
    ReadPadState(3, nullptr, axes, 60, buttons, 60, 1);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(ASys.Joy[398], 1.0f) << "buttons past the 45th are not read";
    EXPECT_EQ(ASys.Joy[345], 7.0f);
    EXPECT_EQ(ASys.Joy[395], 7.0f);
    EXPECT_FLOAT_EQ(ASys.Joy[394], 0.5f);
    EXPECT_FLOAT_EQ(ASys.Joy[350], -0.05f);
    EXPECT_FLOAT_EQ(ASys.Joy[351], -0.05f);  // flipped
    EXPECT_FLOAT_EQ(ASys.Joy[352], 0.15f);
    EXPECT_FLOAT_EQ(ASys.Joy[353], -0.25f);  // flipped
    ReadPadState(4, "no such pad", axes, 60, buttons, 60, 0);
    ReadPadState(-1, "no such pad", axes, 60, buttons, 60, 0);
}

TEST_F(InputTest, AnyKeyWaitsForReleaseAfterLockAll) {
    Counted(0);
    ASys.Joy[2] = 1;  // button 2 held as the screen opens
    game.LockForGet();
    EXPECT_EQ(game.GetKey(), -1);
    EXPECT_EQ(game.GetKey(), -1);
    ASys.Joy[2] = 0;
    EXPECT_EQ(game.GetKey(), -1);
    ASys.Joy[2] = 1;
    EXPECT_EQ(game.GetKey(), 502);

    // Axes are never reported, and neither is an uncounted pad.
    ASys.Joy[2] = 0;
    ASys.Joy[50] = 1;
    ASys.Joy[101] = 1;
    EXPECT_EQ(game.GetKey(), -1);
    Counted(1);
    EXPECT_EQ(game.GetKey(), -1) << "still locked: never seen released";
    ASys.Joy[101] = 0;
    EXPECT_EQ(game.GetKey(), -1);
    ASys.Joy[101] = 1;
    EXPECT_EQ(game.GetKey(), 601);
}

TEST_F(InputTest, ButtonNames) {
    Counted(0);
    struct Case {
        int code;
        const char* name;
    } cases[] = {
        {65, "[ A ]"},           {162, "[ ??? ]"},  {32, "[ Space ]"},  {96, "[ ` ]"},      {257, "[ Return ]"},
        {290, "[ F1 ]"},         {314, "[ F25 ]"},  {320, "[ Num 0 ]"}, {329, "[ Num 9 ]"}, {335, "[ Num Enter ]"},
        {340, "[ Left Shift ]"}, {348, "[ Menu ]"}, {349, "[ ??? ]"},   {0, "N/A"},         {500, "Joy 1 Button 0"},
        {551, "Joy 1 Axis 1"},   {603, "N/A"}};
    for (const Case& c : cases) EXPECT_STREQ(game.KeyName(c.code), c.name) << c.code;
    Counted(1);
    EXPECT_STREQ(game.KeyName(603), "Joy 2 Button 3");
}

TEST_F(InputTest, PlayKeyMixesCountedPads) {
    struct Case {
        int index, joyEntry;
        float value;
    } cases[] = {{0, 10, 1}, {0, 51, -0.7f}, {3, 13, 1}, {3, 50, -0.7f}, {5, 11, 1}, {5, 50, 0.7f},
                 {8, 12, 1}, {8, 51, 0.7f},  {10, 0, 1}, {15, 5, 1},     {98, 7, 1}, {99, 6, 1}};
    for (const Case& c : cases) {
        memset(ASys.Joy, 0, sizeof ASys.Joy);
        ASys.Joy[200 + c.joyEntry] = c.value;  // pad 2
        EXPECT_EQ(game.PlayKey(c.index), 0) << "uncounted pad, index " << c.index;
        Counted(2);
        EXPECT_EQ(game.PlayKey(c.index), 1) << c.index;
        EXPECT_EQ(game.PlayKeyAll(c.index), 1) << c.index;
        game.MixJoy = 0;
        EXPECT_EQ(game.PlayKey(c.index), 0) << c.index;
        game.MixJoy = 1;
    }
    memset(ASys.Joy, 0, sizeof ASys.Joy);
    Counted(0);
    ASys.Joy[50] = 0.5f;  // not beyond the threshold
    EXPECT_EQ(game.PlayKey(5), 0);
    ASys.Button[14] = 1;
    EXPECT_EQ(game.PlayKey(14), 1);
    EXPECT_EQ(game.PlayKey(-1), 0);
    EXPECT_EQ(game.PlayKey(128), 0);
}

TEST_F(InputTest, PadQueries) {
    Counted(0);
    Counted(1);
    ASys.Joy[50] = 0.6f;
    ASys.Joy[150] = 0.7f;
    ASys.Joy[250] = 0.9f;  // pad 2 not counted
    ASys.Joy[51] = -0.25f;
    EXPECT_FLOAT_EQ(game.StickX(), 1.3f);
    EXPECT_FLOAT_EQ(game.StickY(), -0.25f);
    ASys.Joy[104] = 1;
    EXPECT_EQ(game.JoyDown(4), 0);
    EXPECT_EQ(game.JoyDown(4, 1), 1);
    EXPECT_EQ(game.JoyDown(4, 4), 0);
    EXPECT_EQ(game.JoyDown(-1, 0), 0);
    EXPECT_FLOAT_EQ(game.JoyAxis(0), 0.6f);
    EXPECT_FLOAT_EQ(game.JoyAxis(0, 1), 0.7f);
    EXPECT_EQ(game.JoyAxis(0, 2), 0.0f);
    EXPECT_EQ(game.JoyAxis(50, 0), 0.0f);
}

TEST_F(InputTest, PointerHitTests) {
    // Pointer 0 at the origin is taken as absent; pointer 3 is real.
    ASys.Touch[31] = 30;
    ASys.Touch[32] = 30;
    EXPECT_EQ(game.MouseIn(-5, -5, 10, 10), 0);
    EXPECT_EQ(game.MouseIn(10, 10, 20, 20), 4);  // inclusive far corner
    EXPECT_EQ(game.MouseIn(30, 30, 0, 0), 4);
    EXPECT_EQ(game.MouseIn(10, 10, 19.9f, 20), 0);
    EXPECT_EQ(game.MouseIn_Centered(20, 20, 20, 20), 4);
    EXPECT_EQ(game.MouseIn_Radius(33, 34, 5), 4);
    EXPECT_EQ(game.MouseIn_Radius(33, 34, 4.9f), 0);
    EXPECT_EQ(game.mdall(), 0);

    ASys.Touch[1] = 30;
    ASys.Touch[2] = 0;  // on the top edge but present
    EXPECT_EQ(game.MouseIn(10, -10, 20, 20), 1);
    EXPECT_EQ(game.MouseIn(10, 10, 20, 20), 4) << "the first pointer inside wins";

    ASys.Touch[35] = 1;
    ASys.Touch[37] = 12;
    EXPECT_EQ(game.mdall(), 1);
    EXPECT_EQ(game.MouseDown(3), 1);
    EXPECT_EQ(game.TouchHeld(3), 12);
    EXPECT_FLOAT_EQ(game.TouchX(3), 30);
    EXPECT_EQ(game.MouseDown(10), 0);
    EXPECT_EQ(game.MouseX(-1), 0.0f);
}

TEST_F(InputTest, ImageButtonNeedsAPress) {
    const int slot = 40;
    int oldSize = ASys.ImageFrameSize[slot];
    float oldSet = ASys.DrawSet[11];
    float oldScale = ViewScale;
    ViewScale = 2.0f / 800.0f;
    ASys.DrawSet[11] = 1.0f / ViewScale;  // size factor 1
    ASys.ImageFrameSize[slot] = 64;
    ASys.Touch[1] = 228;  // 28 px right of the centre: inside the 64 px square
    ASys.Touch[2] = 300;
    EXPECT_EQ(game.Button(slot, 200, 300, 0), 0) << "hovering";
    ASys.Touch[5] = 1;
    EXPECT_EQ(game.Button(slot, 200, 300, 0), 1);
    ASys.Touch[1] = 234;
    EXPECT_EQ(game.Button(slot, 200, 300, 0), 0) << "outside";
    EXPECT_EQ(game.Button(100, 200, 300, 0), 0);
    EXPECT_EQ(game.Button(-1, 200, 300, 0), 0);
    ASys.ImageFrameSize[slot] = oldSize;
    ASys.DrawSet[11] = oldSet;
    ViewScale = oldScale;
}

TEST_F(InputTest, PollWithoutWindowAsksToQuitAndNamesScreenshotSafely) {
    LogCapture log;
    game.GameBreak = 0;
    game.GameNum = 552;
    strcpy(game.home, "/tmp/short");
    game.PollInput(0);
    EXPECT_EQ(game.GameBreak, 1);
    EXPECT_EQ(game.Active, -1);
    std::string name = ASys.ScreenshotName;
    EXPECT_EQ(name.rfind("/tmp/short/Screenshot_552_", 0), 0u) << name;
    EXPECT_EQ(name.substr(name.size() - 4), ".png");

    // However deep the base folder, the screenshot goes there.
    memset(game.home, 'd', 4000);
    game.home[0] = '/';
    game.home[4000] = 0;
    game.PollInput(0);
    name = ASys.ScreenshotName;
    EXPECT_LT(name.size(), sizeof ASys.ScreenshotName);
    EXPECT_EQ(name.rfind(std::string(game.home) + "/Screenshot_552_", 0), 0u) << name;
    strcpy(game.home, ".");
}

}  // namespace

TEST(TestShapes, StayWithinTheScreenKeepingTheirShape) {
    struct Case {
        int screenW, screenH, digit, w, h;
    } cases[] = {
        // A 1920 x 1080 screen holds every shape as asked.
        {1920, 1080, 1, 1692, 952},
        {1920, 1080, 5, 1918, 888},
        {1920, 1080, 2, 714, 952},
        // On 1280 x 1024 the wide ones are narrowed to the screen.
        {1280, 1024, 0, 1194, 896},
        {1280, 1024, 1, 1280, 720},
        {1280, 1024, 3, 1280, 721},
        {1280, 1024, 5, 1280, 592},
        {1280, 1024, 6, 413, 896},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.screenW << "x" << c.screenH << " Q+" << c.digit + 1);
        int w = 0, h = 0;
        TestShape(c.screenW, c.screenH, c.digit, w, h);
        EXPECT_EQ(w, c.w);
        EXPECT_EQ(h, c.h);
        EXPECT_LE(w, c.screenW);
    }
}
