// Real keys through a real window under Xvfb: xdotool holds keys down and
// the poll must see them in the controls, the hot keys and the window.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

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

// The game's window with the default keys, on a display of the test's own.
class InputE2ETest : public ::testing::Test {
protected:
    OwnDisplay display;
    std::string id;

    void SetUp() override {
        if (system("command -v Xvfb >/dev/null 2>&1 && command -v xdotool >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "needs Xvfb and xdotool";
        ASSERT_TRUE(display.Ok()) << "Xvfb did not start";
        ASys.SysInit("Bramblehop");
        ASSERT_TRUE(ASys.HasWindow());
        ThisGame.FlushKeys();
        ThisGame.KeyDefaults();
        id = WindowId();
        ASSERT_FALSE(id.empty());
    }
};

TEST_F(InputE2ETest, HeldKeysReachControlsHotKeysAndTheWindow) {
    ThisGame.GameBreak = 0;

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
    int w = 0, h = 0;
    TestShape(mode->width, mode->height, 1, w, h);
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

// Press and release sent back to back, as a quick finger or a touchpad's
// tap-to-click makes them: both reach the window before the next poll,
// which must still see the press once.
TEST_F(InputE2ETest, BackToBackTapsAndClicksAreNeverLost) {
    ASSERT_EQ(system(("xdotool windowfocus " + id + " 2>/dev/null").c_str()), 0);

    struct Case {
        const char* sent;
        std::function<bool()> down;
    } cases[] = {
        {"key --delay 0 Left", [] { return ThisGame.Joy(3) == 1.0f && ThisGame.PlayKey(3) == 1; }},
        {"mousemove --window %s 200 150 click 1", [] { return ThisGame.MouseDown() == 1; }},
    };
    for (const Case& c : cases) {
        int seen = 0;
        for (int i = 0; i < 10; i++) {
            std::string sent = c.sent;
            size_t at = sent.find("%s");
            if (at != std::string::npos) sent.replace(at, 2, id);
            else sent = sent.substr(0, 3) + " --window " + id + sent.substr(3);
            ASSERT_EQ(system(("xdotool " + sent + " 2>/dev/null").c_str()), 0) << sent;
            // The ceiling only matters when the tap was lost.
            bool once = false;
            for (int t = 0; t < 150 && !once; t++) {
                glfwPollEvents();
                ThisGame.PollInput(0);
                once = c.down();
                if (!once) usleep(10000);
            }
            if (once) seen++;
            // Read as down for one poll only: the next sees it let go.
            glfwPollEvents();
            ThisGame.PollInput(0);
            EXPECT_TRUE(PollUntil([&] { return !c.down(); }));
        }
        EXPECT_EQ(seen, 10) << c.sent;
    }

    // While a screen asks for typed text, A types an "a" and is no longer
    // Left; the arrow still is.
    auto typing = [] {
        ThisGame.TextInput();
        glfwPollEvents();
        ThisGame.PollInput(0);
    };
    ASSERT_EQ(system(("xdotool key --window " + id + " --delay 0 a BackSpace 2>/dev/null").c_str()), 0);
    std::vector<unsigned> typed;
    bool wasLeft = false;
    for (int t = 0; t < 300 && typed.size() < 2; t++) {
        typing();
        unsigned got[vell::kTypedChars];
        int n = ThisGame.TakeTyped(got, vell::kTypedChars);
        typed.insert(typed.end(), got, got + n);
        if (ThisGame.Joy(3) > 0 || ThisGame.PlayKey(3)) wasLeft = true;
        usleep(10000);
    }
    EXPECT_EQ(typed, (std::vector<unsigned>{'a', vell::kTypedBackspace}));
    EXPECT_FALSE(wasLeft);
    Send("keydown", "Left");
    EXPECT_TRUE(PollUntil([&] {
        ThisGame.TextInput();
        unsigned got[vell::kTypedChars];
        return ThisGame.Joy(3) == 1.0f && ThisGame.TakeTyped(got, vell::kTypedChars) == 0;
    }));
    Send("keyup", "Left");
    ASys.Close();
}

}  // namespace
