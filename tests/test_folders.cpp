// Where the game finds its data and puts its saves: a portable build folder
// keeps everything beside the binary, an installed copy reads from
// share/games/ and writes to the user's data folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "test_support.h"

namespace {

void MakeDirs(const std::string& path) { ASSERT_EQ(system(("mkdir -p '" + path + "'").c_str()), 0) << path; }

bool Exists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

// Sets or clears an environment variable for one test, then puts it back.
class EnvVar {
public:
    EnvVar(const char* name, const char* value) : name_(name) {
        const char* old = getenv(name);
        had_ = old != nullptr;
        if (had_) old_ = old;
        if (value) setenv(name, value, 1);
        else unsetenv(name);
    }
    ~EnvVar() {
        if (had_) setenv(name_, old_.c_str(), 1);
        else unsetenv(name_);
    }

private:
    const char* name_;
    bool had_;
    std::string old_;
};

class Folders : public ::testing::Test {
protected:
    MyGame& game = ThisGame;
    TempDir dir;
    std::string portable, prefix, shared, bare;

    void SetUp() override {
        game.GameNum = 552;
        portable = dir.File("build/game");
        prefix = dir.File("prefix");
        shared = prefix + "/share/games/bramblehop";
        bare = dir.File("nodata/bin");
        MakeDirs(portable + "/Data/552");
        MakeDirs(prefix + "/bin");
        MakeDirs(shared + "/Data/552");
        MakeDirs(bare);
        MakeDirs(dir.File("elsewhere"));
    }
    void TearDown() override {
        strcpy(game.home, ".");
        game.savehome[0] = 0;
    }
};

TEST_F(Folders, DataIsFoundBesideTheBinaryOrInTheInstalledShare) {
    const struct {
        std::string path, exe, home;
        bool beside;
    } cases[] = {
        // The build folder started as today: the path as given is kept.
        {portable + "/Bramblehop", portable + "/Bramblehop", portable, true},
        // Found on PATH (a bare name): the real binary decides, whatever
        // the current directory holds.
        {"bramblehop", prefix + "/bin/bramblehop", shared, false},
        {"bramblehop", portable + "/Bramblehop", portable, true},
        // Started by a full path to the installed binary.
        {prefix + "/bin/bramblehop", prefix + "/bin/bramblehop", shared, false},
        // A link to the build folder's binary in a folder without data
        // runs without data, beside the link; a link to an installed
        // binary still finds the installed data.
        {dir.File("elsewhere/Bramblehop"), portable + "/Bramblehop", dir.File("elsewhere"), true},
        {dir.File("elsewhere/bramblehop"), prefix + "/bin/bramblehop", shared, false},
        // No data anywhere: the folder it was started from, as before.
        {bare + "/Bramblehop", bare + "/Bramblehop", bare, true},
        // No resolvable binary at all.
        {"Bramblehop", "", ".", true},
    };
    for (const auto& c : cases) {
        bool beside = FindDataFolder(game, c.path.c_str(), c.exe.c_str());
        EXPECT_EQ(std::string(game.home), c.home) << c.path << " / " << c.exe;
        EXPECT_EQ(beside, c.beside) << c.path << " / " << c.exe;
    }
}

TEST_F(Folders, WritableBuildFolderKeepsSavesAndScreenshotsBesideTheBinary) {
    LogCapture log;
    EnvVar xdg("XDG_DATA_HOME", dir.File("xdg").c_str());
    FindDataFolder(game, (portable + "/Bramblehop").c_str(), (portable + "/Bramblehop").c_str());
    ChooseSaveFolder(game, true);
    EXPECT_STREQ(game.savehome, "");
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_FALSE(Exists(dir.File("xdg")));
    ASSERT_EQ(game.WriteFile("Settings.sav"), 1);
    game.WriteInt(1);
    game.CloseFile();
    EXPECT_TRUE(Exists(portable + "/Settings.sav"));
}

TEST_F(Folders, InstalledCopyWritesToTheUserDataFolderOnly) {
    const std::string home = dir.File("home");
    const struct {
        bool set;
        std::string xdg, expect;
    } cases[] = {
        {false, "", home + "/.local/share/bramblehop"},
        // Empty and relative values count as unset.
        {true, "", home + "/.local/share/bramblehop"},
        {true, "relative/data", home + "/.local/share/bramblehop"},
        // Several levels that do not exist yet.
        {true, dir.File("xdg/deeper"), dir.File("xdg/deeper") + "/bramblehop"},
    };
    EnvVar homeVar("HOME", home.c_str());
    for (const auto& c : cases) {
        EnvVar xdg("XDG_DATA_HOME", c.set ? c.xdg.c_str() : nullptr);
        LogCapture log;
        FindDataFolder(game, "bramblehop", (prefix + "/bin/bramblehop").c_str());
        ChooseSaveFolder(game, false);
        EXPECT_EQ(std::string(game.savehome), c.expect);
        EXPECT_TRUE(Exists(c.expect)) << "created on first use";
        auto lines = log.Lines();
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0], "Saves and screenshots go to " + c.expect);

        ASSERT_EQ(game.WriteFile("Settings.sav"), 1);
        game.WriteInt(7);
        game.CloseFile();
        EXPECT_TRUE(Exists(c.expect + "/Settings.sav"));
        game.PollInput(0);
        std::string shot = ASys.ScreenshotName;
        EXPECT_EQ(shot.rfind(c.expect + "/Screenshot_552_", 0), 0u) << shot;
        EXPECT_FALSE(Exists(shared + "/Settings.sav"));
        EXPECT_EQ(game.ReadFile("Settings.sav"), 1);
        EXPECT_EQ(game.ReadInt(), 7);
        game.CloseFile();
        // The next case starts from nothing; a leftover would only fail it.
        if (system(("rm -rf '" + home + "' '" + dir.File("xdg") + "'").c_str())) {
        }
    }
    game.GameBreak = 0;
}

TEST_F(Folders, UncreatableUserFolderFailsTheSaveRatherThanWritingBesideTheData) {
    LogCapture log;
    WriteBytes(dir.File("afile"), {1});
    EnvVar xdg("XDG_DATA_HOME", dir.File("afile").c_str());
    FindDataFolder(game, "bramblehop", (prefix + "/bin/bramblehop").c_str());
    ChooseSaveFolder(game, false);
    auto lines = log.Lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "Could not create " + dir.File("afile") + "/bramblehop for saves and screenshots");
    EXPECT_EQ(game.WriteFile("Settings.sav"), 0);
    EXPECT_FALSE(Exists(shared + "/Settings.sav"));
}

}  // namespace
