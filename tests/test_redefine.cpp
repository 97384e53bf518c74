// The key redefinition screen, driven by the fixed play keys and by pad
// buttons (the only inputs a test can press without a window).
#include <cstring>
#include <functional>
#include <string>

#include "test_menu_fixture.h"

namespace {

class FrontRedefine : public FrontScreen {
protected:
    void SetUp() override {
        FrontScreen::SetUp();
        g.OverlayScreen = bh::kScreenRedefine;
        g.RedefRow = -1;
        g.RedefCol = 0;
        g.RedefDelay = g.RedefTimeout = g.TestTimer = 0;
        ASys.Joy[98] = ASys.Joy[99] = 1;  // pad 0 connected and seen at rest
    }
    void Screen(int updates = 1) {
        Run([&] { g.RedefineKeys(); }, updates);
    }
    void Tap(int playKey) {
        PlayKey(playKey);
        Screen();
        PlayKey(playKey, 0);
        Screen();
    }
    bool Bound(int control, int code) {
        for (int slot = 0; slot < 64; slot++)
            if (g.KeyValue(control, slot) == code) return true;
        return false;
    }
};

TEST_F(FrontRedefine, PicksWrapByRowAndClampByColumn) {
    struct Case {
        int row, col, key, toRow, toCol;
    } cases[] = {
        {-2, 0, 0, 4, 0},   // up from "Save" to Back/Select
        {4, 1, 8, -2, 0},   // down from Start to "Save"
        {2, 3, 0, 1, 1},    // up from Button 2 lands on Button 4
        {3, 1, 5, 3, 1},    // right at the end of a row stays
        {-1, 0, 5, -1, 0},  // "Test" is a row of one
        {2, 0, 3, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.row << "," << c.col << " key " << c.key);
        g.RedefRow = c.row;
        g.RedefCol = c.col;
        PlayKey(c.key);
        Screen(3);  // held: one move
        PlayKey(c.key, 0);
        Screen();
        EXPECT_EQ(g.RedefRow, c.toRow);
        EXPECT_EQ(g.RedefCol, c.toCol);
    }
}

TEST_F(FrontRedefine, CatchesANewButtonButNotTheOneThatPicked) {
    g.SetKey(13, 503);  // pad button 3 drives "Button 4" for now
    g.RedefRow = 3;     // "Down"
    g.RedefCol = 0;

    // The pad's button 0 is the fire key that makes the pick.
    PlayKey(10);
    ASys.Joy[0] = 1;
    Screen();
    EXPECT_EQ(g.KeyLock[bh::kLockRedefineCapture], bh::kCaptureWaiting);
    Screen(10);
    EXPECT_FALSE(Bound(2, 500));
    PlayKey(10, 0);
    ASys.Joy[0] = 0;
    Screen();

    testing::internal::CaptureStdout();
    ASys.Joy[3] = 1;
    Screen();
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(g.KeyLock[bh::kLockRedefineCapture], bh::kCaptureIdle);
    EXPECT_EQ(g.KeyValue(2, 63), 503);
    EXPECT_FALSE(Bound(13, 503));
    EXPECT_NE(out.find("Button Caught 503\n"), std::string::npos);
}

TEST_F(FrontRedefine, NothingIsCaughtBeforeTheThirdWaitingUpdate) {
    g.RedefRow = 1;   // "Up"
    Tap(10);          // pick, and the second update of the wait
    ASys.Joy[5] = 1;  // a fresh button pressed during the wait
    Screen();
    EXPECT_EQ(g.KeyLock[bh::kLockRedefineCapture], bh::kCaptureWaiting);  // locked by the delay, must be pressed again
    ASys.Joy[5] = 0;
    Screen();
    ASys.Joy[5] = 1;
    Screen();
    EXPECT_EQ(g.KeyValue(0, 63), 505);
}

TEST_F(FrontRedefine, WaitGivesUpAfter359UpdatesLeavingBindingsAlone) {
    g.SetKey(2, 264);
    int before[1024];
    memcpy(before, ASys.redef, sizeof before);
    g.RedefRow = 3;
    Tap(10);  // pick, then the first waiting update
    Screen(358);
    EXPECT_EQ(g.KeyLock[bh::kLockRedefineCapture], bh::kCaptureWaiting);
    EXPECT_EQ(g.RedefTimeout, 0);
    Screen();
    EXPECT_EQ(g.KeyLock[bh::kLockRedefineCapture], bh::kCaptureIdle);
    EXPECT_EQ(memcmp(before, ASys.redef, sizeof before), 0);
    Tap(8);  // navigation is back
    EXPECT_EQ(g.RedefRow, 4);
}

TEST_F(FrontRedefine, TestModeBlocksNavigationThenSaveReturnsToOptions) {
    // Opened with fire still held: nothing until it is released.
    g.LockKeys();
    PlayKey(10);
    Screen(3);
    EXPECT_EQ(g.TestTimer, 0);
    PlayKey(10, 0);
    Screen();
    Tap(10);
    EXPECT_GT(g.TestTimer, 350);
    Tap(0);
    EXPECT_EQ(g.RedefRow, -1);
    Screen(360);
    EXPECT_EQ(g.TestTimer, 0);
    Tap(0);
    ASSERT_EQ(g.RedefRow, -2);
    g.SetKey(10, 90);
    Tap(10);
    EXPECT_EQ(g.OverlayScreen, bh::kScreenOptions);
    EXPECT_EQ(SavedInt("Settings.sav", 100 + 64 * 10 + 63), 90);
}

TEST_F(FrontRedefine, EscapeOrPadBackLeavesWithTheBindingsItOpenedWith) {
    struct Case {
        const char* what;
        int mixJoy;
        std::function<void(bool)> back;
    } cases[] = {
        {"Escape", 0, [](bool down) { ASys.Button[99] = down; }},
        {"a pad's Back", 1, [](bool down) { ASys.Joy[6] = down; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        g.MixJoy = c.mixJoy;
        g.KeyDefaults();
        int before[1024];
        memcpy(before, ASys.redef, sizeof before);
        // Opened from the options' "Controller" row, which keeps the bindings.
        g.OverlayScreen = bh::kScreenOptions;
        g.OptionsCursor = OptionsRow("Controller");
        Control(10);
        Run([&] { g.Options(); });
        ASSERT_EQ(g.OverlayScreen, bh::kScreenRedefine);
        ReleaseAll();
        Screen();

        g.RedefRow = 3;  // "Down" gets pad button 3
        Tap(10);
        Screen(2);
        ASys.Joy[3] = 1;
        Screen();
        ASys.Joy[3] = 0;
        ASSERT_TRUE(Bound(2, 503));
        // A reset on the way, which also reads the pads in the standard
        // layout, is undone as well.
        g.Settings[bh::kSettingPadLayout] = 0;
        g.RedefKeptPadLayout = 0;
        ASys.StandardPads = false;
        g.RedefRow = -2;
        g.RedefCol = 1;
        Tap(10);
        ASSERT_TRUE(ASys.StandardPads);
        c.back(true);
        Screen(3);
        c.back(false);
        EXPECT_EQ(g.OverlayScreen, bh::kScreenOptions);
        EXPECT_EQ(memcmp(before, ASys.redef, sizeof before), 0);
        EXPECT_EQ(g.Settings[bh::kSettingPadLayout], 0);
        EXPECT_FALSE(ASys.StandardPads);
        ASys.StandardPads = true;
        EXPECT_EQ(g.KeyLock[bh::kLockEscape], 1);  // the options' Escape waits for a release
    }
}

TEST_F(FrontRedefine, EscapeWhileWaitingForAKeyIsCaughtNotLeft) {
    g.RedefRow = 4;  // "Back/Select"
    Tap(10);
    Screen(2);
    testing::internal::CaptureStdout();
    PlayKey(99);
    ASys.Joy[7] = 1;  // the pad's Start stands in for the key caught
    Screen();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(g.OverlayScreen, bh::kScreenRedefine);
    EXPECT_TRUE(Bound(9, 507));
    // Held on, it still does not leave; let go and pressed again, it does.
    ASys.Joy[7] = 0;
    Screen(3);
    EXPECT_EQ(g.OverlayScreen, bh::kScreenRedefine);
    PlayKey(99, 0);
    Screen();
    PlayKey(99);
    Screen();
    EXPECT_EQ(g.OverlayScreen, bh::kScreenOptions);
}

TEST_F(FrontRedefine, ResetToDefaultsSitsBesideSaveAndRestoresTheDefaults) {
    g.FlushKeys();
    g.KeyDefaults();
    int defaults[1024];
    memcpy(defaults, ASys.redef, sizeof defaults);
    g.FlushKeys();
    g.SetKey(10, 90);
    // Bindings of an earlier build's player, read raw.
    g.Settings[bh::kSettingPadLayout] = 0;
    ASys.StandardPads = false;

    g.RedefRow = -2;
    Tap(5);  // right of "Save"
    EXPECT_EQ(g.RedefCol, 1);
    EXPECT_TRUE(Drew("Reset to defaults"));
    Tap(10);
    EXPECT_EQ(memcmp(defaults, ASys.redef, sizeof defaults), 0);
    EXPECT_EQ(g.Settings[bh::kSettingPadLayout], 1) << "the defaults name the standard layout";
    EXPECT_TRUE(ASys.StandardPads);
    EXPECT_EQ(g.OverlayScreen, bh::kScreenRedefine);  // still here, to save or leave

    // Up from the reset goes to Start, down from Start comes back to "Save".
    Tap(0);
    EXPECT_EQ(g.RedefRow, 4);
    EXPECT_EQ(g.RedefCol, 1);
    Tap(8);
    EXPECT_EQ(g.RedefRow, -2);
    EXPECT_EQ(g.RedefCol, 0);
}

TEST_F(FrontRedefine, TheControlBeingSetIsNamedOnScreen) {
    g.RedefRow = 2;
    g.RedefCol = 3;
    Screen();
    EXPECT_TRUE(Drew("Button 2"));
    EXPECT_FALSE(Drew("Press the new key or button"));
    Tap(10);
    EXPECT_TRUE(Drew("Button 2"));
    EXPECT_TRUE(Drew("Press the new key or button"));
}

// The control being set stands out on the pad picture in its own place,
// and nothing else there wears its colour.
TEST_F(FrontRedefine, ThePickedControlStandsOutInItsPlaceOnThePad) {
    struct Case {
        const char* what;
        int row, col, kind;
        float dx, dy;  // from the middle of the pad picture
        float r, gr, b;
    } cases[] = {
        {"Up", 1, 0, vell::kDrawRect, -150, -40, 40, 140, 200},
        {"Right", 2, 1, vell::kDrawRect, -110, 0, 40, 140, 200},
        {"Down", 3, 0, vell::kDrawRect, -150, 40, 40, 140, 200},
        {"Left", 2, 0, vell::kDrawRect, -190, 0, 40, 140, 200},
        {"Button 1", 3, 1, vell::kDrawOval, 150, 40, 0, 140, 0},
        {"Button 2", 2, 3, vell::kDrawOval, 190, 0, 140, 0, 0},
        {"Button 3", 2, 2, vell::kDrawOval, 110, 0, 140, 140, 0},
        {"Button 4", 1, 1, vell::kDrawOval, 150, -40, 0, 140, 140},
        {"Back", 4, 0, vell::kDrawTri, -26, 52, 40, 140, 200},
        {"Start", 4, 1, vell::kDrawTri, 26, 52, 40, 140, 200},
        {"Left Shoulder", 0, 0, vell::kDrawOval, -153, -16, 40, 120, 200},
        {"Right Shoulder", 0, 1, vell::kDrawOval, 153, -16, 40, 120, 200},
    };
    const float cx = g.ScreenW / 2.0f, cy = g.ScreenH - 112.0f;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        g.RedefRow = c.row;
        g.RedefCol = c.col;
        Screen();
        int worn = 0;
        for (int i = 0; i < ASys.DrawTo; i++) {
            const double* r = &ASys.Draw[vell::kRecordSize * i];
            int kind = (int)r[vell::kRecKind];
            if (kind != vell::kDrawRect && kind != vell::kDrawOval && kind != vell::kDrawTri) continue;
            if (r[vell::kRecHighRed] != c.r || r[vell::kRecHighGreen] != c.gr || r[vell::kRecHighBlue] != c.b) continue;
            worn++;
            EXPECT_EQ(kind, c.kind);
            // A triangle's corners are centred on the point it was drawn at.
            double x = r[vell::kRecX], y = r[vell::kRecY];
            if (kind == vell::kDrawTri) {
                x = (r[vell::kRecX] + r[vell::kRecX + 2] + r[vell::kRecX + 4]) / 3;
                y = (r[vell::kRecY] + r[vell::kRecY + 2] + r[vell::kRecY + 4]) / 3;
            }
            EXPECT_NEAR(x, cx + c.dx - rw2, 0.01);
            EXPECT_NEAR(y, cy + c.dy - rh2, 0.01);
        }
        EXPECT_EQ(worn, 1);
    }
}

TEST_F(FrontRedefine, PlayedFromAPadTheScreenNamesThatPadsButtons) {
    g.KeyDefaults();
    PadSample rest = {}, south = {};
    rest.axes[4] = rest.axes[5] = south.axes[4] = south.axes[5] = -1;
    south.buttons[0] = 1;
    std::vector<unsigned char> up(16, 0), down(16, 0);
    down[0] = 1;
    float axes[4] = {};
    struct Case {
        const char* what;
        int source;  // 0 keys, 1 a pad GLFW knows, 2 one it does not
        const char* hint;
        std::vector<std::string> labels;  // on Button 1 to 4
    } cases[] = {
        {"keys", 0, "Fire sets it - Escape leaves unchanged", {"1", "2", "3", "4"}},
        {"a pad GLFW knows", 1, "A sets it - Back leaves unchanged", {"A", "B", "X", "Y"}},
        {"a pad it does not", 2, "Button 0 sets it - Button 6 leaves unchanged", {"0", "1", "2", "3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        memset(ASys.Joy, 0, sizeof ASys.Joy);
        if (c.source) {
            ReadPad(0, "Pad", c.source == 1 ? &rest : nullptr, axes, 4, up.data(), 16, 0);
            ReadPad(0, "Pad", c.source == 1 ? &south : nullptr, axes, 4, down.data(), 16, 0);
        }
        g.PollInput(0);
        g.RedefRow = 2;  // a control picked, so the hint shows
        g.RedefCol = 0;
        Screen();
        EXPECT_TRUE(Drew(c.hint));
        for (const std::string& label : c.labels) EXPECT_TRUE(Drew(label)) << label;
    }
    g.GameBreak = 0;
}

}  // namespace
