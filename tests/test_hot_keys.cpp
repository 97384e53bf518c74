// The engine's hot keys on a real window under the test display: key
// capture leaves them alone, F10 takes one screenshot per press from the
// frame just drawn, and deep base folders get their screenshots. (F11 and
// Q + digit under auto-repeat are held on the whole display, so they are
// shown on the real game, where nothing else shares the display.)
#include <gtest/gtest.h>

#include <dirent.h>
#include <lodepng.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <unistd.h>

#include "Vell_glfw3_internal.h"
#include "test_player_support.h"
#include "test_private_display.h"
#include "VellHooks.h"

namespace {

const char* const kTitle = "Bramblehop keys under test";

std::string WindowId() { return WindowTitled(kTitle, 5); }

// Key events go to whichever window is the game's now: keys act on a
// window that the key's own action may just have re-created.
void Send(const std::string& action, const std::string& keys) {
    std::string cmd = "xdotool " + action + " --window " + WindowId() + " " + keys + " 2>/dev/null";
    ASSERT_EQ(system(cmd.c_str()), 0) << cmd;
}

std::vector<std::string> Files(const std::string& dir) {
    std::vector<std::string> out;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d))
            if (std::string(e->d_name).rfind("Screenshot_", 0) == 0) out.push_back(e->d_name);
        closedir(d);
    }
    return out;
}

int Count(LogCapture& log, const std::string& start) {
    int n = 0;
    for (const std::string& l : log.Lines()) n += l.rfind(start, 0) == 0;
    return n;
}

class HotKeysOnWindow : public ::testing::Test {
protected:
    MyGame& g = ThisGame;
    TempDir dir;
    // Keys sent to a window of our own display reach no other test's
    // window, and no other test's window takes the focus from ours.
    PrivateDisplay display;
    std::string savedDisplay;

    void SetUp() override {
        if (!getenv("DISPLAY")) GTEST_SKIP() << "needs a display (make test provides one)";
        if (system("command -v xdotool >/dev/null 2>&1 && command -v Xvfb >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "needs xdotool and Xvfb";
        savedDisplay = getenv("DISPLAY");
        ASSERT_TRUE(display.Start()) << "Xvfb did not start";
        setenv("DISPLAY", display.Name().c_str(), 1);
        ResetClock();
        isFullscreen = 0;
        ASys.SysInit(kTitle);
        if (!ASys.HasWindow()) GTEST_SKIP() << "no window";
        g.FlushKeys();
        g.KeyDefaults();
        g.GameNum = 552;
        g.DebugMode = 0;
        g.GameBreak = 0;
        snprintf(g.home, sizeof g.home, "%s", dir.Path().c_str());
        ASSERT_FALSE(WindowId().empty());
    }
    void TearDown() override {
        // A key whose release went to a window since closed is still held
        // on the display.
        if (system("xdotool keyup F1 F2 F4 F9 F10 F11 q 2 m 2>/dev/null") != 0) {
        }
        PollInputHook = nullptr;
        RenderBeforeSwap = nullptr;
        memset(&player::Hands(), 0, sizeof(player::Held));
        if (ASys.HasWindow()) ASys.Close();
        isFullscreen = 0;
        g.OverlayScreen = bh::kScreenNone;
        g.DebugMode = 0;
        g.GameBreak = 0;
        memset(g.KeyLock, 0, sizeof g.KeyLock);
        snprintf(g.home, sizeof g.home, ".");
        if (!savedDisplay.empty()) setenv("DISPLAY", savedDisplay.c_str(), 1);
    }

    // An update's poll and a presented frame, as the main loop pairs them.
    void Frame(const std::function<void()>& screen = nullptr) {
        glfwPollEvents();
        g.PollInput(0);
        g.ResetDraw();
        if (screen) screen();
        g.BufferGame();
        float w, h;
        g.RenderGame(w, h);
        usleep(10000);
    }
    // The ceiling is time, not frames: on a busy machine a key sent to the
    // display can take seconds to arrive, while frames run on.
    bool FrameUntil(const std::function<bool()>& done, const std::function<void()>& screen = nullptr,
                    int seconds = 30) {
        auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (std::chrono::steady_clock::now() < until) {
            Frame(screen);
            if (done()) return true;
        }
        return false;
    }
};

TEST_F(HotKeysOnWindow, KeyCaptureLeavesTheHotKeysAlone) {
    // Waiting for a new key for "Button 1".
    // The screen gives up waiting after 360 frames. That countdown is not
    // under test, and slow key delivery on a busy display must not run it
    // out while the test waits, so it is kept full.
    auto screen = [&] {
        if (g.KeyLock[bh::kLockRedefineCapture] == bh::kCaptureWaiting) g.RedefTimeout = 359;
        g.RedefineKeys();
    };
    memset(g.KeyLock, 0, sizeof g.KeyLock);
    g.OverlayScreen = bh::kScreenRedefine;
    g.RedefRow = 3;
    g.RedefCol = 1;
    g.KeyLock[bh::kLockRedefineCapture] = bh::kCaptureWaiting;
    g.RedefDelay = 0;
    g.RedefTimeout = 359;
    g.TestTimer = 0;
    const struct {
        const char* key;
        int raw;
    } hot[] = {{"F1", 68}, {"F2", 64}, {"F4", 100}, {"F9", 67}, {"F10", 66}, {"F11", 65}};
    for (const auto& k : hot) {
        SCOPED_TRACE(k.key);
        Send("keydown", k.key);
        EXPECT_TRUE(FrameUntil([&] { return ASys.Button[k.raw] == 1 || isFullscreen == 1; }, screen));
        Send("keydown", k.key);  // auto-repeat, to the window F11 made
        for (int i = 0; i < 5; i++) Frame(screen);
        EXPECT_EQ(g.KeyLock[bh::kLockRedefineCapture], bh::kCaptureWaiting) << "still waiting";
        Send("keyup", k.key);
        for (int i = 0; i < 3; i++) Frame(screen);
    }
    g.RedefTimeout = 359;
    // On a busy machine the last F11's new window can come up after M went
    // down, and a key already down as a window opens only counts once it is
    // pressed again; so M is pressed afresh until the screen has caught it.
    bool caught = false;
    for (int press = 0; press < 10 && !caught; press++) {
        Send("keydown", "m");
        caught = FrameUntil([&] { return g.KeyLock[bh::kLockRedefineCapture] == bh::kCaptureIdle; }, screen, 5);
        Send("keyup", "m");
    }
    EXPECT_TRUE(caught);
    EXPECT_EQ(g.KeyValue(10, 63), 77) << "M caught for Button 1";
    for (int code : {290, 291, 293, 298, 299, 300})
        for (int k = 0; k < 16; k++)
            for (int slot = 0; slot < 64; slot++) EXPECT_NE(g.KeyValue(k, slot), code);
}

std::string ShotDir;
bool ShotBeforeSwap;

TEST_F(HotKeysOnWindow, F10TakesOneScreenshotPerPressOfTheFrameJustDrawn) {
    LogCapture log;
    ShotDir = dir.Path();
    ShotBeforeSwap = false;
    RenderBeforeSwap = [] {
        if (!Files(ShotDir).empty()) ShotBeforeSwap = true;
    };
    PollInputHook = player::PlayerHook;
    auto green = [&] {
        g.CLS(0, 200, 0);
        g.SetCol(255, 0, 0);
        g.Rect(400, 300, 40);
    };
    Frame(green);

    // Held for a dozen frames, then pressed again within the same second.
    player::Hands().key[66] = 1;
    for (int i = 0; i < 12; i++) Frame(green);
    EXPECT_TRUE(ShotBeforeSwap) << "read before the frame was presented";
    EXPECT_EQ(Count(log, "Saving Image"), 1);
    player::LetGo();
    Frame(green);
    player::Hands().key[66] = 1;
    Frame(green);
    player::LetGo();
    Frame(green);
    EXPECT_EQ(Count(log, "Saving Image"), 2);
    auto shots = Files(dir.Path());
    ASSERT_EQ(shots.size(), 2u) << "the second does not replace the first";
    for (const std::string& name : shots) {
        std::vector<unsigned char> px;
        unsigned w = 0, h = 0;
        ASSERT_EQ(lodepng::decode(px, w, h, dir.File(name)), 0u) << name;
        ASSERT_EQ(w, 800u);
        const unsigned char* mid = &px[(300 * w + 400) * 4];
        const unsigned char* corner = &px[(10 * w + 10) * 4];
        EXPECT_EQ(mid[0], 255) << name;
        EXPECT_EQ(corner[1], 200) << name;
    }
}

TEST_F(HotKeysOnWindow, DeepBaseFolderGetsItsScreenshot) {
    // A base folder path of about 300 characters.
    std::string deep = dir.Path();
    for (int i = 0; i < 10; i++) {
        deep += "/a_rather_long_folder_name_" + std::to_string(i);
        ASSERT_EQ(system(("mkdir -p '" + deep + "'").c_str()), 0);
    }
    snprintf(g.home, sizeof g.home, "%s", deep.c_str());
    PollInputHook = player::PlayerHook;
    player::Hands().key[66] = 1;
    Frame();
    EXPECT_EQ(Files(deep).size(), 1u);
}

}  // namespace
