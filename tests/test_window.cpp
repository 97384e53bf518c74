// The real window under the test display, and the program without one.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include <unistd.h>

#include "test_support.h"

namespace {

TEST(Window, StartUpOpensTwoWindowsAroundTheAudio) {
    if (!getenv("DISPLAY")) GTEST_SKIP() << "needs a display (make test provides one)";
    LogCapture log;
    ResetClock();
    ThisGame.Begin(552, "Bramblehop");
    ASSERT_TRUE(ASys.HasWindow());
    EXPECT_EQ(ASys.WindowWidth, 800);
    EXPECT_EQ(ASys.WindowHeight, 600);
    auto lines = log.Lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines.front(), "Opened Window");
    EXPECT_EQ(lines.back(), "Opened Window");

    // A couple of presented frames, then shut down with the farewell.
    float w, h;
    ThisGame.BufferGame();
    ThisGame.RenderGame(w, h);
    EXPECT_FLOAT_EQ(w, 800);
    EXPECT_FLOAT_EQ(h, 600);
    ASys.FlipFull();
    ASys.FlipFull();
    EXPECT_TRUE(ASys.HasWindow());
    testing::internal::CaptureStdout();
    ThisGame.Terminate();
    std::string out = testing::internal::GetCapturedStdout();
    // Minutes and seconds; how many says only how busy the machine was.
    EXPECT_TRUE(std::regex_search(out, std::regex("Runtime : [0-9]+:[0-9][0-9]\n"))) << out;
    EXPECT_NE(out.find("Farewell happy gamer"), std::string::npos);
    EXPECT_TRUE(log.Has("Closing OpenGL Window"));
}

// With nothing loaded there is nothing to keep: a save then would write
// defaults where the player had none, or rewrite what was there.
TEST(Window, WithoutADisplayTheGameEndsWithAFailureAndSavesNothing) {
    const std::vector<unsigned char> earlier = {'o', 'l', 'd'};
    for (bool hadSaves : {false, true}) {
        SCOPED_TRACE(hadSaves ? "saves from an earlier game" : "a first start");
        TempDir dir;
        const std::string saves[] = {dir.File("Settings.sav"), dir.File("Save_552_Bramblehop.sav")};
        if (hadSaves)
            for (const std::string& f : saves) WriteBytes(f, earlier);
        std::string cmd = "cp '" BRAMBLEHOP_GAME_BIN "' '" + dir.Path() + "/Bramblehop' && cd '" + dir.Path() +
                          "' && env -u DISPLAY -u WAYLAND_DISPLAY XDG_DATA_HOME=xdg timeout 120 ./Bramblehop > "
                          "out.txt 2>&1";
        int rc = system(cmd.c_str());
        ASSERT_TRUE(WIFEXITED(rc));
        EXPECT_EQ(WEXITSTATUS(rc), 1) << "exit code 124 would mean it never ended";
        auto out = ReadBytes(dir.File("out.txt"));
        std::string text(out.begin(), out.end());
        EXPECT_NE(text.find("Initialisation Failed"), std::string::npos) << text;
        EXPECT_NE(text.find("no window could be opened"), std::string::npos);
        EXPECT_NE(text.find("Farewell happy gamer"), std::string::npos);
        for (const std::string& f : saves) {
            if (hadSaves) EXPECT_EQ(ReadBytes(f), earlier) << f;
            else EXPECT_NE(access(f.c_str(), F_OK), 0) << f << " was written";
        }
        EXPECT_NE(access(dir.File("xdg").c_str(), F_OK), 0) << "a save folder was made";
    }
}

}  // namespace
