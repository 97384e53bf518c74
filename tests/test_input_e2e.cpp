// Real keys through a real window under Xvfb: xdotool holds keys down and
// the poll must see them in the controls, the hot keys and the window.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <unistd.h>

#include "Vell_glfw3_internal.h"
#include "test_private_display.h"
#include "test_support.h"

namespace {

std::string WindowId() { return WindowTitled("Bramblehop", 60); }

void Send(const std::string& action, const std::string& keys) {
    std::string cmd = "xdotool " + action + " --window " + WindowId() + " " + keys + " 2>/dev/null";
    ASSERT_EQ(system(cmd.c_str()), 0) << cmd;
}

// Polls like the game's update until the condition holds; the ceiling is
// only there for a fault, a busy machine stays well inside it.
bool PollUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 6000; i++) {
        glfwPollEvents();
        ThisGame.PollInput(0);
        if (done()) return true;
        usleep(10000);
    }
    return false;
}

void PollFor(int ms) {
    for (int t = 0; t < ms; t += 10) {
        glfwPollEvents();
        ThisGame.PollInput(0);
        usleep(10000);
    }
}

// Points DISPLAY at a server of the test's own while it lives; closes the
// window before that server goes.
class OwnDisplay {
public:
    OwnDisplay() {
        if (const char* d = getenv("DISPLAY")) saved_ = d;
        if (server_.Start()) setenv("DISPLAY", server_.Name().c_str(), 1);
    }
    ~OwnDisplay() {
        if (ASys.HasWindow()) ASys.Close();
        if (saved_.empty()) unsetenv("DISPLAY");
        else setenv("DISPLAY", saved_.c_str(), 1);
    }
    bool Ok() const { return !server_.Name().empty(); }

private:
    PrivateDisplay server_;
    std::string saved_;
};

TEST(InputE2ETest, HeldKeysReachControlsHotKeysAndTheWindow) {
    if (system("command -v Xvfb >/dev/null 2>&1 && command -v xdotool >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "needs Xvfb and xdotool";
    OwnDisplay display;
    ASSERT_TRUE(display.Ok()) << "Xvfb did not start";
    ASys.SysInit("Bramblehop");
    ASSERT_TRUE(ASys.HasWindow());
    ThisGame.FlushKeys();
    ThisGame.KeyDefaults();
    ThisGame.GameBreak = 0;
    ASSERT_FALSE(WindowId().empty());

    // Z is Button 1 (control 10) and raw action key 10.
    Send("keydown", "z");
    EXPECT_TRUE(PollUntil([] { return ThisGame.Joy(10) == 1.0f && ThisGame.PlayKey(10) == 1; }));
    EXPECT_EQ(ThisGame.Joy(11), 0.0f);
    EXPECT_EQ(ThisGame.Active, 1) << "the window has the focus";
    EXPECT_EQ(ThisGame.GameBreak, 0);
    Send("keyup", "z");
    EXPECT_TRUE(PollUntil([] { return ThisGame.Joy(10) == 0.0f; }));

    // F1 held over many polls flips the statistics line once.
    int debug = ThisGame.DebugMode;
    Send("keydown", "F1");
    EXPECT_TRUE(PollUntil([] { return ASys.Button[68] == 1; }));
    PollFor(100);
    EXPECT_EQ(ThisGame.DebugMode, 1 - debug);
    Send("keyup", "F1");
    EXPECT_TRUE(PollUntil([] { return ASys.Button[68] == 0; }));
    Send("keydown", "F1");
    EXPECT_TRUE(PollUntil([] { return ASys.Button[68] == 1; }));
    EXPECT_EQ(ThisGame.DebugMode, debug);
    Send("keyup", "F1");

    // A key held while the redefinition screen opens is reported only after
    // it has been released and pressed again.
    Send("keydown", "space");
    EXPECT_TRUE(PollUntil([] { return ASys.Button[10] == 1; }));
    ThisGame.LockForGet();
    for (int i = 0; i < 5; i++) {
        glfwPollEvents();
        EXPECT_EQ(ThisGame.GetKey(), -1);
        usleep(10000);
    }
    Send("keyup", "space");
    EXPECT_TRUE(PollUntil([] { return ThisGame.GetKey() == -1 && ASys.Button[10] == 0; }));
    Send("keydown", "space");
    EXPECT_TRUE(PollUntil([] { return ThisGame.GetKey() == 32; }));
    Send("keyup", "space");

    // Q + 2 reshapes the window to 16:9 of the monitor height less 128.
    const GLFWvidmode* mode = glfwGetVideoMode(glfwGetPrimaryMonitor());
    ASSERT_NE(mode, nullptr);
    int h = mode->height - 128;
    int w = (int)(h * (double)1.77777f);
    Send("keydown", "q 2");
    EXPECT_TRUE(PollUntil([&] { return ASys.WindowWidth == w && ASys.WindowHeight == h; }))
        << ASys.WindowWidth << " x " << ASys.WindowHeight;
    Send("keyup", "q 2");
    PollFor(50);

    // F11 goes full screen and back to an 800 x 600 window.
    Send("keydown", "F11");
    EXPECT_TRUE(PollUntil([] { return isFullscreen == 1; }));
    // F11 acts once per press, and the full-screen window it made never
    // saw it go down: press and let go on the display itself, as a
    // keyboard does, so that window sees both.
    Send("keyup", "F11");
    ASSERT_EQ(system("xdotool keyup F11"), 0);
    EXPECT_TRUE(PollUntil([] { return ASys.Button[65] == 0; }));
    PollFor(1100);
    ASSERT_EQ(system("xdotool keydown F11"), 0);
    EXPECT_TRUE(PollUntil([] { return isFullscreen == 0; }));
    ASSERT_EQ(system("xdotool keyup F11"), 0);
    PollFor(50);
    EXPECT_EQ(ASys.WindowWidth, 800);
    EXPECT_EQ(ASys.WindowHeight, 600);
    ASys.Close();
}

}  // namespace
