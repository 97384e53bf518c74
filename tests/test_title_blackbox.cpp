// The real program, played from the keyboard with xdotool: a game started
// and quit through the pause menu, and the options changed; both checked in
// the save files the program leaves behind. Each run gets an X server of its
// own: without a window manager the newest window takes the focus, and a
// game that has lost it stops updating.
#include <gtest/gtest.h>

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

#include "test_private_display.h"
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

// The ceiling of any one wait: far longer than anything takes, so a loaded
// machine makes the test slow but never makes it fail.
const int kCeilingMs = 180000;

// Software rendering and a busy machine pace the game; wait for what it
// reports rather than for a fixed time.
bool WaitFor(const std::function<bool()>& done, int ms = kCeilingMs) {
    for (int t = 0; t < ms; t += 20) {
        if (done()) return true;
        usleep(20000);
    }
    return done();
}

// The control bit the game reports in its "Screen" lines for a default key.
int KeyBit(const std::string& key) {
    if (key == "Up") return 1;
    if (key == "Right") return 2;
    if (key == "Down") return 4;
    if (key == "Left") return 8;
    if (key == "Escape") return 256;
    if (key == "z" || key == "Return") return 1024;
    if (key == "x") return 2048;
    return 0;
}

// One run of the game in its own scratch folder, so its saves land there,
// on an X server of its own.
class GameRun {
public:
    explicit GameRun(const TempDir& dir) : dir_(dir) {}
    ~GameRun() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }

    // Starts the game and returns once its title page takes keys.
    bool Start() {
        if (!display_.Start()) {
            ADD_FAILURE() << "Xvfb did not start";
            return false;
        }
        xdo_ = "DISPLAY=" + display_.Name() + " xdotool ";
        fs::path bin(BRAMBLEHOP_GAME_BIN);
        std::error_code ec;
        // A later run in the same folder finds its saves, and the program.
        fs::copy_file(bin, dir_.File("Bramblehop"), fs::copy_options::overwrite_existing, ec);
        if (ec) return false;
        // A run before this one left its log here; waits must read this run's.
        fs::remove(dir_.File("out.txt"), ec);
        fs::remove(dir_.File("err.txt"), ec);
        if (fs::exists(bin.parent_path() / "Data"))
            fs::create_directory_symlink(bin.parent_path() / "Data", dir_.File("Data"), ec);
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
        // The first window makes way for the full-size one once audio is up.
        bool second = WaitFor([&] {
            std::string log = Log();
            size_t first = log.find("Opened Window");
            return first != std::string::npos && log.find("Opened Window", first + 1) != std::string::npos;
        });
        std::string find = xdo_ + "search --name '^Bramblehop$' 2>/dev/null | tail -1";
        if (second) WaitFor([&] { return !(window_ = Shell(find)).empty(); });
        if (window_.empty() || !WaitScreen("mode 0 page 0 overlay 0 ")) {
            ADD_FAILURE() << "no title page; stderr: " << Shell("tail -c 2000 '" + dir_.File("err.txt") + "'")
                          << "\nstdout: " << Shell("tail -c 1000 '" + dir_.File("out.txt") + "'");
            return false;
        }
        return true;
    }

    // The game's latest "Screen" line: what it shows and which controls it
    // sees held.
    std::string Screen() const {
        std::string log = Log();
        size_t at = log.rfind("> Screen ");
        if (at == std::string::npos) return "";
        size_t end = log.find('\n', at);
        return log.substr(at + 2, end == std::string::npos ? std::string::npos : end - at - 2);
    }

    // Waits until the latest "Screen" line contains the text.
    bool WaitScreen(const std::string& text) {
        bool ok = WaitFor([&] { return Screen().find(text) != std::string::npos; });
        EXPECT_TRUE(ok) << "waited for \"" << text << "\"; the game shows \"" << Screen() << "\"";
        return ok;
    }

    // Holds a key until the game has seen it held, then lets go and waits
    // until it has seen it released, so the next press counts as its own.
    // A quick tap of a key that types; waits for the settings it edits.
    void Type(const char* key) {
        size_t mark = LogMark();
        // Typed into the focused window through XTest, as a keyboard types.
        EXPECT_EQ(system((xdo_ + "windowfocus " + window_ + " 2>/dev/null").c_str()), 0);
        EXPECT_EQ(system((xdo_ + "key --delay 0 " + key + " 2>/dev/null").c_str()), 0);
        EXPECT_TRUE(WaitFor([&] { return SettingsChanges(mark) > 0 || Ended(); })) << key << " never typed";
    }

    void Press(const char* key) {
        int bit = KeyBit(key);
        ASSERT_NE(bit, 0) << key;
        EXPECT_EQ(system((xdo_ + "keydown --window " + window_ + " " + key + " 2>/dev/null").c_str()), 0) << key;
        usleep(60000);
        EXPECT_TRUE(WaitFor([&] { return (Held() & bit) != 0 || Ended(); })) << key << " never seen held";
        // The window may be gone once a key has quit the game.
        if (system((xdo_ + "keyup --window " + window_ + " " + key + " 2>/dev/null").c_str()) != 0 &&
            system((xdo_ + "keyup " + key + " 2>/dev/null").c_str()) != 0) {
        }
        EXPECT_TRUE(WaitFor([&] { return (Held() & bit) == 0 || Ended(); })) << key << " never seen released";
    }

    // Whether the game has ever logged the text.
    bool Logged(const std::string& text) const { return Log().find(text) != std::string::npos; }

    // Gives the keyboard focus away to the root window, as another program
    // taking it would, or back to the game. False when it cannot.
    bool Focus(bool game) {
        std::string to = window_;
        if (!game)
            to = Shell("DISPLAY=" + display_.Name() + " xwininfo -root 2>/dev/null | awk '/Window id/{print $4}'");
        return !to.empty() && system((xdo_ + "windowfocus " + to + " 2>/dev/null").c_str()) == 0;
    }

    // Waits until the game has logged a line containing the text.
    bool WaitLog(const std::string& text) {
        bool ok = WaitFor([&] { return Log().find(text) != std::string::npos; });
        EXPECT_TRUE(ok) << "waited for the log line \"" << text << "\"";
        return ok;
    }

    // How much the game has logged so far: a mark for SettingsChanges.
    size_t LogMark() const { return Log().size(); }

    // How many times the settings changed in the "Screen" lines logged
    // since the mark: one a step of the name wheel, which edits them live.
    int SettingsChanges(size_t mark) const {
        std::string log = Log();
        std::string last;
        int changes = 0;
        for (size_t at = log.find("> Screen "); at != std::string::npos; at = log.find("> Screen ", at + 1)) {
            size_t s = log.find(" settings ", at);
            if (s == std::string::npos) break;
            std::string value = log.substr(s + 10, 8);
            if (at >= mark && !last.empty() && value != last) changes++;
            last = value;
        }
        return changes;
    }

    // Waits for the program to end by itself; its exit status, or -1.
    int WaitExit() {
        WaitFor([&] { return Ended(); });
        if (status_ == -2) return -1;
        return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
    }

private:
    std::string Log() const {
        std::vector<unsigned char> b = ReadBytes(dir_.File("out.txt"));
        return std::string(b.begin(), b.end());
    }
    int Held() const {
        std::string s = Screen();
        size_t at = s.rfind(" controls ");
        return at == std::string::npos ? 0 : (int)strtol(s.c_str() + at + 10, nullptr, 16);
    }
    bool Ended() {
        if (pid_ > 0 && waitpid(pid_, &status_, WNOHANG) == pid_) pid_ = -1;
        return pid_ < 0;
    }

    PrivateDisplay display_;  // outlives the game, which is ended first
    std::string xdo_;
    const TempDir& dir_;
    pid_t pid_ = -1;
    int status_ = -2;
    std::string window_;
};

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
    game.WaitScreen("mode 0 page 1 overlay 0 ");
    game.Press("z");  // "Normal": how to play comes first on fresh settings
    ASSERT_TRUE(game.WaitScreen("mode 11 page 1 overlay 5 "));
    game.Press("z");
    ASSERT_TRUE(game.WaitScreen("mode 10 "));
    game.Press("Escape");  // pause
    game.WaitScreen("paused 1 ");
    game.Press("Left");  // to "quit"
    game.Press("z");     // asks
    game.Press("z");

    // Saved on the way back to the difficulty list, before the program ends.
    std::string scores = dir.File("Save_552_Bramblehop.sav");
    EXPECT_TRUE(WaitFor([&] { return SavedInt(scores, 0) == 1; }));  // games started
    EXPECT_EQ(ReadBytes(scores).size(), 88404u);
    EXPECT_EQ(SavedInt(scores, 1), 2);  // "Normal" still highlighted

    // Once the end banner has shrunk away, Escape goes back from the
    // difficulty list, then to Quit on the title, which asks once.
    game.WaitScreen("mode 0 page 1 overlay 0 paused 0 banner 0 ");
    game.Press("Escape");
    game.WaitScreen("mode 0 page 0 overlay 0 ");
    game.Press("Escape");
    game.WaitScreen("cursors -1 ");
    game.Press("z");
    game.Press("z");
    EXPECT_EQ(game.WaitExit(), 0);
    EXPECT_EQ(SavedInt(scores, 0), 1);
    EXPECT_EQ(SavedInt(dir.File("Settings.sav"), 30), 1);  // how to play was seen

    // The next start goes straight into the game.
    GameRun again(dir);
    ASSERT_TRUE(again.Start());
    again.Press("z");
    again.WaitScreen("mode 0 page 1 overlay 0 ");
    again.Press("z");
    ASSERT_TRUE(again.WaitScreen("mode 10 page 1 overlay 0 "));
    EXPECT_FALSE(again.Logged("overlay 5 "));
    again.Press("Escape");
    again.WaitScreen("paused 1 ");
    again.Press("Left");
    again.Press("z");
    again.Press("z");
    again.WaitScreen("mode 0 page 1 overlay 0 paused 0 banner 0 ");
    again.Press("Escape");
    again.WaitScreen("mode 0 page 0 overlay 0 ");
    again.Press("Escape");
    again.WaitScreen("cursors -1 ");
    again.Press("z");
    again.Press("z");
    EXPECT_EQ(again.WaitExit(), 0);
}

TEST_F(FrontBlackBox, VolumeAndNameChangedFromTheKeyboardAreSaved) {
    GameRun game(dir);
    ASSERT_TRUE(game.Start());
    game.Press("Right");  // past "How to play" to "Options"
    game.Press("Right");
    game.Press("z");
    ASSERT_TRUE(game.WaitScreen("overlay 1 "));
    game.Press("Down");  // "SFX Volume"
    game.Press("Left");  // 7 -> 6
    game.Press("Down");
    game.Press("Down");  // "Online Name"
    // Held on past the opening of name entry, a letter would type there.
    game.Press("Return");
    ASSERT_TRUE(game.WaitScreen("overlay 4 "));
    // A blank box turns to "z", the last of the wheel's 64 characters. On
    // a very busy machine the key can stay down past the wheel's repeat
    // delay and step it again: count the steps the game logged.
    size_t mark = game.LogMark();
    game.Press("Up");
    int steps = game.SettingsChanges(mark);
    EXPECT_GE(steps, 1);
    int q = (64 - steps % 64) % 64;
    game.Press("Right");   // the next box
    game.Type("z");        // typed letters drive no control here
    game.Press("Return");  // finish
    game.WaitScreen("overlay 1 ");
    game.Press("Escape");  // close the options, which saves
    game.WaitScreen("mode 0 page 0 overlay 0 ");

    std::string settings = dir.File("Settings.sav");
    EXPECT_TRUE(WaitFor([&] { return SavedInt(settings, 0) == 6; }));
    EXPECT_EQ(ReadBytes(settings).size(), 4496u);
    EXPECT_EQ(SavedInt(settings, 50), q | (63 << 8));

    game.Press("Escape");  // to Quit
    game.Press("z");       // asks
    game.Press("z");
    EXPECT_EQ(game.WaitExit(), 0);
    EXPECT_EQ(SavedInt(settings, 0), 6);
    EXPECT_EQ(SavedInt(settings, 50), q | (63 << 8));
}

// A game left for another window waits in the pause menu, and is still
// there on coming back; Escape there, even on the quit button, resumes.
TEST_F(FrontBlackBox, FocusLostPausesAndEscapeOnQuitResumes) {
    GameRun game(dir);
    ASSERT_TRUE(game.Start());
    game.Press("z");
    game.WaitScreen("mode 0 page 1 overlay 0 ");
    game.Press("z");  // fresh settings: how to play first
    ASSERT_TRUE(game.WaitScreen("overlay 5 "));
    game.Press("z");
    ASSERT_TRUE(game.WaitScreen("mode 10 page 1 overlay 0 paused 0 "));
    if (!game.Focus(false)) GTEST_SKIP() << "cannot move the focus (needs xwininfo)";
    // An unfocused game runs no updates, so it says so once in its log.
    ASSERT_TRUE(game.WaitLog("lost the focus"));
    ASSERT_TRUE(game.Focus(true));
    ASSERT_TRUE(game.WaitScreen("mode 10 page 1 overlay 0 paused 1 "));
    game.Press("Left");  // to "quit": the menu runs, still paused
    ASSERT_TRUE(game.WaitScreen("paused 1 banner 0 level 0 cursors 0 2 0 "));
    game.Press("Escape");
    EXPECT_TRUE(game.WaitScreen("mode 10 page 1 overlay 0 paused 0 banner 0 "));
}

}  // namespace
