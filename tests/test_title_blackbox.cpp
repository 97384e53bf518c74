// The real program, played from the keyboard with xdotool: a game started
// and quit through the pause menu, and the options changed; both checked in
// the save files the program leaves behind. Each run gets an X server of its
// own: without a window manager the newest window takes the focus, and a
// game that has lost it stops updating.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "test_support.h"

namespace {

namespace fs = std::filesystem;

// Reads one 32-bit value of a save file; -37171 when the file is short.
int SavedInt(const std::string& path, size_t index) {
    std::vector<unsigned char> b = ReadBytes(path);
    if (b.size() < 4 * index + 4) return -37171;
    uint32_t u = 0;
    for (int i = 0; i < 4; i++) u |= (uint32_t)b[4 * index + i] << (8 * i);
    return (int)u;
}

std::string Shell(const std::string& cmd) {
    std::string out;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return out;
    char buf[256];
    while (fgets(buf, sizeof buf, p)) out += buf;
    pclose(p);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    return out;
}

// A private Xvfb; Xvfb picks a free display number and reports it.
class PrivateDisplay {
public:
    ~PrivateDisplay() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    bool Start() {
        int fds[2];
        if (pipe(fds) != 0) return false;
        pid_ = fork();
        if (pid_ == 0) {
            close(fds[0]);
            if (!freopen("/dev/null", "w", stdout) || !freopen("/dev/null", "w", stderr)) _exit(127);
            std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
                   "-nolisten", "tcp", (char*)nullptr);
            _exit(127);
        }
        close(fds[1]);
        std::string number;
        pollfd p = {fds[0], POLLIN, 0};
        char c;
        while (poll(&p, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
        close(fds[0]);
        if (number.empty()) return false;
        name_ = ":" + number;
        return true;
    }
    const std::string& Name() const { return name_; }

private:
    pid_t pid_ = -1;
    std::string name_;
};

// One run of the game in its own scratch folder, so its saves land there.
class GameRun {
public:
    explicit GameRun(const TempDir& dir) : dir_(dir) {}
    ~GameRun() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }

    bool Start() {
        if (!display_.Start()) {
            ADD_FAILURE() << "Xvfb did not start";
            return false;
        }
        xdo_ = "DISPLAY=" + display_.Name() + " xdotool ";
        fs::path bin(BRAMBLEHOP_GAME_BIN);
        std::error_code ec;
        fs::copy_file(bin, dir_.File("Bramblehop"), ec);
        if (ec) return false;
        if (fs::exists(bin.parent_path() / "Data"))
            fs::create_directory_symlink(bin.parent_path() / "Data", dir_.File("Data"), ec);
        auto started = std::chrono::steady_clock::now();
        pid_ = fork();
        if (pid_ == 0) {
            if (chdir(dir_.Path().c_str()) != 0) _exit(127);
            if (!freopen("out.txt", "w", stdout) || !freopen("err.txt", "w", stderr)) _exit(127);
            setenv("ALSOFT_DRIVERS", "null", 1);
            setenv("DISPLAY", display_.Name().c_str(), 1);
#ifdef BRAMBLEHOP_SANITIZE
            // Mesa's software driver, unloaded at exit, shows up as a leak in
            // an unknown module that no suppression can name; every other
            // sanitizer finding still fails the run.
            setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
#endif
            execl("./Bramblehop", "./Bramblehop", (char*)nullptr);
            _exit(127);
        }
        std::string find = xdo_ + "search --name '^Bramblehop$' 2>/dev/null | tail -1";
        for (int i = 0; i < 200 && window_.empty(); i++) {
            usleep(50000);
            window_ = Shell(find);
        }
        if (window_.empty()) return false;
        usleep(500000);
        window_ = Shell(find);  // the full-size window replaces the first one
        if (window_.empty()) return false;

        // The loader logs its last load at step 30, then idles until step
        // 121. Its pace since the start (start-up included, so rather too
        // slow than too fast) tells how long this machine, or this sanitizer
        // build, takes per update, and when the title page is up.
        std::ifstream log(dir_.File("out.txt"), std::ios::binary);
        std::string seen;
        bool loaded = false;
        for (int t = 0; t < 6000 && !loaded; t++) {
            // Read on from where the last look stopped; the log can grow
            // large when pictures are missing.
            log.clear();
            char buf[65536];
            while (!loaded && (log.read(buf, sizeof buf), log.gcount() > 0)) {
                seen.append(buf, (size_t)log.gcount());
                loaded = seen.find("Load SFX   : 6") != std::string::npos;
                if (seen.size() > 64) seen.erase(0, seen.size() - 64);
            }
            if (!loaded) usleep(20000);
        }
        if (!loaded) {
            ADD_FAILURE() << "loading not seen in the log; stderr: "
                          << Shell("tail -c 2000 '" + dir_.File("err.txt") + "'")
                          << "\nstdout: " << Shell("tail -c 1000 '" + dir_.File("out.txt") + "'");
            return false;
        }
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now() - started).count();
        step_ = (int)(ms / 30);
        if (step_ < 16) step_ = 16;
        Wait(110);
        return true;
    }

    // Sleeps for about the given number of updates.
    void Wait(int updates) { usleep((useconds_t)(1000L * step_ * updates)); }
    int Step() const { return step_; }

    // Holds a key long enough for several updates, even paused ones, and
    // leaves it up long enough for its release to be seen.
    void Press(const char* key) {
        EXPECT_EQ(system(KeyCommand(key, " && ").c_str()), 0) << key;
        usleep(Gap());
    }

    // The last key of a run: the window may be gone before it is let go.
    void PressToQuit(const char* key) {
        if (system(KeyCommand(key, "; ").c_str()) != 0) {
        }
    }

    // Escape quits from the title page and goes back from the difficulty
    // list; a press lost to a lock (the end banner holds them all while it
    // shrinks) is simply made again.
    int QuitWithEscape() {
        for (int i = 0; i < 8; i++) {
            PressToQuit("Escape");
            int status = WaitExit(1000 + 20 * step_);
            if (status != -1 || pid_ < 0) return status;
        }
        return -1;
    }

    // Waits for the program to end by itself; its exit status, or -1.
    int WaitExit(int ms) {
        for (int t = 0; t < ms; t += 50) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            usleep(50000);
        }
        return -1;
    }

private:
    useconds_t Gap() const { return (useconds_t)(step_ * 4 > 250 ? step_ * 4 : 250) * 1000; }
    std::string KeyCommand(const char* key, const char* then) const {
        int hold = step_ * 3 > 150 ? step_ * 3 : 150;
        std::string w = " --window " + window_ + " ";
        return xdo_ + "keydown" + w + key + " 2>/dev/null" + then + "sleep " +
               std::to_string(hold / 1000.0) + then + xdo_ + "keyup" + w + key + " 2>/dev/null";
    }

    PrivateDisplay display_;  // outlives the game, which is ended first
    std::string xdo_;
    const TempDir& dir_;
    pid_t pid_ = -1;
    std::string window_;
    int step_ = 16;  // milliseconds per update, as measured while loading
};

// Software rendering paces the updates; wait for what a player would see
// rather than for a fixed time.
bool WaitFor(const std::function<bool()>& done, int ms) {
    for (int t = 0; t < ms; t += 50) {
        if (done()) return true;
        usleep(50000);
    }
    return done();
}

class FrontBlackBox : public ::testing::Test {
protected:
    void SetUp() override {
        if (system("command -v Xvfb >/dev/null 2>&1 && command -v xdotool >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "needs Xvfb and xdotool";
    }
    TempDir dir;
};

TEST_F(FrontBlackBox, GameStartedAndQuitFromTheKeyboardIsSaved) {
    GameRun game(dir);
    ASSERT_TRUE(game.Start());
    game.Press("z");  // "Start": the difficulty list
    game.Wait(20);
    game.Press("z");  // "Normal": a game
    game.Wait(60);
    game.Press("Escape");  // pause
    game.Press("Left");    // to "quit"
    game.Press("z");

    // Saved on the way back to the difficulty list, before the program ends.
    std::string scores = dir.File("Save_552_Bramblehop.sav");
    int banner = 250 * game.Step() > 15000 ? 250 * game.Step() : 15000;
    EXPECT_TRUE(WaitFor([&] { return SavedInt(scores, 0) == 1; }, banner));  // games started
    EXPECT_EQ(ReadBytes(scores).size(), 88404u);
    EXPECT_EQ(SavedInt(scores, 1), 2);  // "Normal" still highlighted

    EXPECT_EQ(game.QuitWithEscape(), 0);  // back to the title page, then quit
    EXPECT_EQ(SavedInt(scores, 0), 1);
}

TEST_F(FrontBlackBox, VolumeAndNameChangedFromTheKeyboardAreSaved) {
    GameRun game(dir);
    ASSERT_TRUE(game.Start());
    game.Press("Right");  // "Options"
    game.Press("z");
    game.Press("Down");  // "SFX Volume"
    game.Press("Left");  // 7 -> 6
    game.Press("Down");
    game.Press("Down");  // "Online Name"
    game.Press("z");
    game.Wait(12);
    game.Press("Up");      // a blank box turns to "z"
    game.Press("z");       // advance, copying it
    game.Press("Return");  // finish
    game.Wait(12);
    game.Press("Escape");  // close the options, which saves

    std::string settings = dir.File("Settings.sav");
    EXPECT_TRUE(WaitFor([&] { return SavedInt(settings, 0) == 6; }, 100 * game.Step()));
    EXPECT_EQ(ReadBytes(settings).size(), 4496u);
    EXPECT_EQ(SavedInt(settings, 50), 63 | (63 << 8));

    EXPECT_EQ(game.QuitWithEscape(), 0);
    EXPECT_EQ(SavedInt(settings, 0), 6);
    EXPECT_EQ(SavedInt(settings, 50), 63 | (63 << 8));
}

}  // namespace
