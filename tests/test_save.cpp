// The settings and score files: exact layout, the checksum and user-ID
// guards that clear untrusted scores, and saves that never half-write.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "test_support.h"
#include "VellHooks.h"

namespace {

const char* const ScoreName = "Save_552_Bramblehop.sav";

// Slots no setting uses, one in each file: they are saved and loaded all
// the same.
constexpr int kSpareSetting = 3;
constexpr int kSpareScoreFileSetting = 150;

// The file layout written out by hand, so a mistake shared by Save and Load
// cannot pass unnoticed.
void PutInt(std::vector<unsigned char>& out, int32_t v) {
    uint32_t u = (uint32_t)v;
    for (int i = 0; i < 4; i++) out.push_back((unsigned char)(u >> (8 * i)));
}

int32_t GetInt(const std::vector<unsigned char>& in, size_t offset) {
    uint32_t u = 0;
    for (int i = 0; i < 4; i++) u |= (uint32_t)in[offset + i] << (8 * i);
    return (int32_t)u;
}

int32_t Checksum(const int* settings, const int* scores) {
    const int32_t g = 552;
    uint32_t a = (uint32_t)(settings[24] % 5 + 3);
    uint32_t b = (uint32_t)(settings[25] % 4 + 4);
    uint32_t c = (uint32_t)(g % 6 + 2);
    int32_t s = 0;
    for (int i = 100; i < 200; i++) {
        uint32_t t = ((uint32_t)g + (uint32_t)settings[i]) * a + (b + (uint32_t)i) * c + (uint32_t)s;
        s = (int32_t)t % 371653;
    }
    for (int j = 0; j < 22000; j++) {
        uint32_t t = ((uint32_t)g + (uint32_t)scores[j]) * a + (c + (uint32_t)j) * b + (uint32_t)s;
        s = (int32_t)t % 371653;
    }
    return s;
}

std::vector<unsigned char> ExpectedScoreFile(const int* settings, const int* scores) {
    std::vector<unsigned char> out;
    for (int i = 100; i < 200; i++) PutInt(out, settings[i]);
    for (int j = 0; j < 22000; j++) PutInt(out, scores[j]);
    PutInt(out, Checksum(settings, scores));
    return out;
}

class SaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetClock();
        snprintf(game.home, sizeof game.home, "%s", dir.Path().c_str());
        game.GameNum = 552;
        snprintf(game.GameTitle, sizeof game.GameTitle, "Bramblehop");
        Defaults();
    }
    void TearDown() override { strcpy(game.home, "."); }

    // What start-up sets before loading.
    void Defaults() {
        game.SetDefaultSettings();
        for (int& s : game.ScoreTable) s = 0;
        game.FlushKeys();
        game.KeyDefaults();
    }
    // A fresh start of the program: defaults, then the files.
    std::vector<std::string> Restart() {
        Defaults();
        size_t before = log.Lines().size();
        testing::internal::CaptureStdout();
        game.Load();
        stdoutText = testing::internal::GetCapturedStdout();
        std::vector<std::string> lines = log.Lines();
        return std::vector<std::string>(lines.begin() + (long)before, lines.end());
    }
    std::string UserId() {
        return std::string("User ID '") +
               game.Strip(game.SixDigitString(game.Settings[bh::kSettingUserDate], game.Settings[bh::kSettingUserTime],
                                              game.Settings[bh::kSettingUserRandom])) +
               "'";
    }
    void FillScores() {
        game.ScoreTable[20] = 9100;
        game.ScoreTable[25] = 300;
        game.ScoreTable[69] = 77;
        game.ScoreTable[21999] = -4;
        game.Settings[bh::kSettingGamesPlayed] = 12;
        game.Settings[bh::kSettingDifficultyCursor] = 3;
        game.Settings[kSpareScoreFileSetting] = 2000000000;  // makes the checksum's 32-bit sums wrap
    }
    bool Cleared() {
        for (int i = 0; i < 22000; i++)
            if (game.ScoreTable[i]) return false;
        for (int i = 100; i < 124; i++)
            if (i != 101 && game.Settings[i]) return false;
        return game.Settings[bh::kSettingDifficultyCursor] == 2;
    }

    MyGame& game = ThisGame;
    TempDir dir;
    LogCapture log;
    std::string stdoutText;
};

TEST_F(SaveTest, FirstStartCreatesAUserAndBothFiles) {
    std::vector<std::string> lines = Restart();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "Load Settings");
    EXPECT_EQ(lines[1], "Load Scores");
    EXPECT_EQ(lines[2], "Reset User");
    EXPECT_EQ(lines[3], "Clearing Scoreboard");
    EXPECT_EQ(lines[4], UserId());
    EXPECT_EQ(stdoutText.find('A'), std::string::npos);

    EXPECT_EQ(ReadBytes(dir.File("Settings.sav")).size(), 4496u);
    EXPECT_EQ(ReadBytes(dir.File(ScoreName)).size(), 88404u);
    const int* s = game.Settings;
    EXPECT_EQ(s[24], game.Date_Year() * 10000 + game.Date_Month() * 100 + game.Date_Day());
    EXPECT_NE(s[26], 0);
    EXPECT_EQ(s[27], s[24] % 37171 + s[25] % 17021 + s[26] % 53496);
    for (int i = 24; i < 27; i++) EXPECT_EQ(s[100 + i], s[i]);
    EXPECT_EQ(s[127], s[124] % 53496 + s[125] % 37171 + s[126] % 17021);
    EXPECT_EQ(game.DifficultyCursor, 2) << "a first start offers Normal";
    EXPECT_EQ(s[0], 7);
}

TEST_F(SaveTest, FilesMatchAnIndependentEncoding) {
    Restart();
    FillScores();
    game.Settings[kSpareSetting] = -9;
    game.SetKey(4, 77);
    game.Save();

    std::vector<unsigned char> settings;
    for (int i = 0; i < 100; i++) PutInt(settings, game.Settings[i]);
    for (int k = 0; k < 16; k++)
        for (int slot = 0; slot < 64; slot++) PutInt(settings, ASys.redef[k + 16 * slot]);
    EXPECT_TRUE(ReadBytes(dir.File("Settings.sav")) == settings);
    std::vector<unsigned char> file = ReadBytes(dir.File("Settings.sav"));
    EXPECT_EQ(GetInt(file, 400 + (10 * 64 + 55) * 4), 90);  // Z, first of Button 1
    EXPECT_EQ(GetInt(file, 400 + (4 * 64 + 63) * 4), 77);

    std::vector<unsigned char> scores = ReadBytes(dir.File(ScoreName));
    EXPECT_TRUE(scores == ExpectedScoreFile(game.Settings, game.ScoreTable));
    EXPECT_EQ(GetInt(scores, 400 + 20 * 4), 9100);

    game.Save();
    EXPECT_TRUE(ReadBytes(dir.File("Settings.sav")) == settings) << "saving twice changes nothing";
    EXPECT_TRUE(ReadBytes(dir.File(ScoreName)) == scores);
}

TEST_F(SaveTest, EverythingSurvivesARestart) {
    Restart();
    int id[4] = {game.Settings[bh::kSettingUserDate], game.Settings[bh::kSettingUserTime],
                 game.Settings[bh::kSettingUserRandom], game.Settings[bh::kSettingUserCheck]};
    FillScores();
    game.Settings[bh::kSettingSfxVolume] = 3;
    game.Settings[bh::kSettingCalmMotion] = 1;
    game.Settings[bh::kSettingName] = 0x4142;
    game.SetKey(11, 90);  // Z moves to Button 2
    game.Save();
    std::vector<int> savedScores(game.ScoreTable, game.ScoreTable + 22000);

    std::vector<std::string> lines = Restart();
    EXPECT_EQ(lines, (std::vector<std::string>{"Load Settings", "Load Scores", UserId()}));
    for (int i = 0; i < 4; i++) EXPECT_EQ(game.Settings[bh::kSettingUserDate + i], id[i]);
    EXPECT_EQ(game.Settings[bh::kSettingSfxVolume], 3);
    EXPECT_EQ(game.Settings[bh::kSettingMusicVolume], 7);
    EXPECT_EQ(game.Settings[bh::kSettingCalmMotion], 1);
    EXPECT_EQ(game.Settings[bh::kSettingName], 0x4142);
    EXPECT_EQ(game.Settings[bh::kSettingGamesPlayed], 12);
    EXPECT_EQ(game.Settings[kSpareScoreFileSetting], 2000000000);
    EXPECT_EQ(game.DifficultyCursor, 3);
    EXPECT_TRUE(std::vector<int>(game.ScoreTable, game.ScoreTable + 22000) == savedScores);
    // Loading over the defaults moves Z off Button 1 for good.
    EXPECT_EQ(game.KeyValue(11, 63), 90);
    for (int slot = 0; slot < 64; slot++) EXPECT_NE(game.KeyValue(10, slot), 90);
    EXPECT_EQ(game.KeyValue(10, 63), 800);
}

// The list opens where the player left it, the day's caves included.
TEST_F(SaveTest, TheDailyEntryIsStillChosenAfterARestart) {
    Restart();
    game.DifficultyCursor = bh::kDifficultyDaily;
    game.Save();
    Restart();
    EXPECT_EQ(game.DifficultyCursor, bh::kDifficultyDaily);
}

TEST_F(SaveTest, AnyChangedByteClearsTheScores) {
    Restart();
    int id = game.Settings[bh::kSettingUserRandom];
    FillScores();
    game.Save();
    std::vector<unsigned char> good = ReadBytes(dir.File(ScoreName));
    // Games played, the difficulty, a top score, an unused slot, the checksum.
    for (size_t offset : {0ul, 4ul, 400ul + 20 * 4 + 1, 400ul + 5000 * 4 + 3, 88400ul, 88403ul}) {
        std::vector<unsigned char> bad = good;
        bad[offset] ^= 0x10;
        WriteBytes(dir.File(ScoreName), bad);
        std::vector<std::string> lines = Restart();
        EXPECT_TRUE(Cleared()) << "offset " << offset;
        EXPECT_EQ(game.Settings[bh::kSettingUserRandom], id) << "the user stays";
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "Clearing Scoreboard"), 1);
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "Reset User"), 0);
        // The cleared board is saved straight away under a valid checksum.
        EXPECT_TRUE(ReadBytes(dir.File(ScoreName)) == ExpectedScoreFile(game.Settings, game.ScoreTable));
    }
}

TEST_F(SaveTest, ShortOrMissingScoreFileClearsTheScores) {
    Restart();
    FillScores();
    game.Save();
    std::vector<unsigned char> good = ReadBytes(dir.File(ScoreName));
    for (size_t keep : {0ul, 3ul, 400ul, 88400ul, 88403ul}) {
        WriteBytes(dir.File(ScoreName), std::vector<unsigned char>(good.begin(), good.begin() + (long)keep));
        Restart();
        EXPECT_TRUE(Cleared()) << keep << " bytes";
        FillScores();
        game.Save();
    }
    remove(dir.File(ScoreName).c_str());
    std::vector<std::string> lines = Restart();
    EXPECT_TRUE(Cleared());
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Reset User"), 0);
    EXPECT_EQ(ReadBytes(dir.File(ScoreName)).size(), 88404u);
}

TEST_F(SaveTest, LosingTheSettingsFileStartsANewUserWithEmptyBoards) {
    Restart();
    FillScores();
    game.Save();
    int oldId[3] = {game.Settings[bh::kSettingUserDate], game.Settings[bh::kSettingUserTime],
                    game.Settings[bh::kSettingUserRandom]};
    remove(dir.File("Settings.sav").c_str());
    MillsOffset += 5555;  // a different moment makes a different third part
    std::vector<std::string> lines = Restart();
    EXPECT_EQ(lines, (std::vector<std::string>{"Load Settings", "Load Scores", "Reset User", "Clearing Scoreboard",
                                               UserId()}));
    EXPECT_TRUE(Cleared());
    EXPECT_FALSE(game.Settings[bh::kSettingUserDate] == oldId[0] && game.Settings[bh::kSettingUserTime] == oldId[1] &&
                 game.Settings[bh::kSettingUserRandom] == oldId[2]);
}

TEST_F(SaveTest, ScoreFileOfAnotherUserIsClearedEvenWithAValidChecksum) {
    Restart();
    // A well-formed file from another user: its own ID copy, a matching check
    // value and a correct checksum over everything.
    int settings[200], scores[22000] = {};
    memcpy(settings, game.Settings, sizeof settings);
    settings[100] = 40;
    settings[124] = 20240101;
    settings[125] = 120000;
    settings[126] = 4321;
    settings[127] = settings[124] % 53496 + settings[125] % 37171 + settings[126] % 17021;
    scores[20] = 50000;
    WriteBytes(dir.File(ScoreName), ExpectedScoreFile(settings, scores));

    std::vector<std::string> lines = Restart();
    EXPECT_TRUE(Cleared());
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Clearing Scoreboard"), 1);
    EXPECT_EQ(game.Settings[bh::kSettingUserCopyDate], game.Settings[bh::kSettingUserDate]);
}

// A stored checksum of 0 must be checked like any other value: a forged
// file of this user and a file of nothing but zeros are both refused.
TEST_F(SaveTest, ZeroChecksumIsNotTrusted) {
    Restart();
    int settings[200], scores[22000] = {};
    memcpy(settings, game.Settings, sizeof settings);
    settings[100] = 777;
    scores[40] = 99999999;  // Normal's top score
    std::vector<unsigned char> forged = ExpectedScoreFile(settings, scores);
    for (int i = 0; i < 4; i++) forged[88400 + i] = 0;
    ASSERT_NE(Checksum(settings, scores), 0);

    const struct {
        const char* name;
        std::vector<unsigned char> bytes;
    } cases[] = {{"forged scores, checksum 0", forged}, {"all zeros", std::vector<unsigned char>(88404, 0)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(dir.File(ScoreName), c.bytes);
        std::vector<std::string> lines = Restart();
        EXPECT_TRUE(Cleared());
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "Clearing Scoreboard"), 1);
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "Reset User"), 0);
    }
}

// A pair of files written by an earlier build of the game, after one game
// of Normal: they must keep loading to exactly what they hold.
TEST_F(SaveTest, FilesFromAnEarlierBuildLoadUnchanged) {
    const std::string from = std::string(BRAMBLEHOP_SOURCE_DIR) + "/tests/data/saves/";
    std::vector<unsigned char> settings = ReadBytes(from + "Settings.sav");
    std::vector<unsigned char> scores = ReadBytes(from + ScoreName);
    ASSERT_EQ(settings.size(), 4496u);
    ASSERT_EQ(scores.size(), 88404u);
    WriteBytes(dir.File("Settings.sav"), settings);
    WriteBytes(dir.File(ScoreName), scores);

    std::vector<std::string> lines = Restart();
    EXPECT_EQ(lines, (std::vector<std::string>{"Load Settings", "Load Scores", UserId()}));
    EXPECT_EQ(stdoutText.find('A'), std::string::npos);
    for (int i = 0; i < 100; i++) EXPECT_EQ(game.Settings[i], GetInt(settings, 4 * i)) << i;
    for (int i = 0; i < 100; i++)
        EXPECT_EQ(game.Settings[bh::kFirstScoreFileSetting + i], GetInt(scores, 4 * i))
            << bh::kFirstScoreFileSetting + i;
    for (int j = 0; j < 22000; j++) ASSERT_EQ(game.ScoreTable[j], GetInt(scores, 400 + 4 * j)) << j;
    EXPECT_GT(game.Settings[bh::kSettingGamesPlayed], 0) << "the fixture holds a played game";
    EXPECT_EQ(game.Settings[bh::kSettingRenderScale], 0) << "a file from before the render scale row: Auto";
    // Load ends with a save: the same values give the same bytes back.
    EXPECT_TRUE(ReadBytes(dir.File("Settings.sav")) == settings);
    EXPECT_TRUE(ReadBytes(dir.File(ScoreName)) == scores);
}

TEST_F(SaveTest, AlteredUserIdInSettingsStartsANewUser) {
    Restart();
    FillScores();
    game.Save();
    std::vector<unsigned char> bytes = ReadBytes(dir.File("Settings.sav"));
    bytes[26 * 4] ^= 1;  // third part of the user ID, slot 27 no longer matches
    WriteBytes(dir.File("Settings.sav"), bytes);
    std::vector<std::string> lines = Restart();
    EXPECT_NE(stdoutText.find('A'), std::string::npos);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Reset User"), 1);
    EXPECT_TRUE(Cleared());
}

TEST_F(SaveTest, ShortSettingsFileKeepsTheDefaultsPastItsEnd) {
    Restart();
    game.Settings[bh::kSettingSfxVolume] = 2;
    game.Settings[bh::kSettingMusicVolume] = 9;
    game.SetKey(11, 90);
    game.Save();
    std::vector<unsigned char> bytes = ReadBytes(dir.File("Settings.sav"));
    bytes.resize(4 + 2);  // slot 0 and half of slot 1
    WriteBytes(dir.File("Settings.sav"), bytes);
    Restart();
    EXPECT_EQ(game.Settings[bh::kSettingSfxVolume], 2);
    EXPECT_EQ(game.Settings[bh::kSettingMusicVolume], 7) << "a cut value is skipped";
    EXPECT_EQ(game.KeyValue(10, 55), 90) << "bindings past the end stay at their defaults";
    EXPECT_EQ(ReadBytes(dir.File("Settings.sav")).size(), 4496u);
}

// Values no options screen could write (a damaged or foreign file) fall
// back to their defaults; everything in range is believed.
TEST_F(SaveTest, OutOfRangeSettingsAndBindingsFallBackToDefaults) {
    Restart();
    game.Save();
    const std::vector<unsigned char> good = ReadBytes(dir.File("Settings.sav"));
    struct Case {
        int slot, written, loaded;
    } cases[] = {{0, 11, 7},  {0, -1, 7},    {1, 10, 10}, {1, 0, 0},  {10, 2, 0},       {13, 1, 1}, {20, 10, 10},
                 {20, 11, 0}, {20, 5000, 0}, {22, -3, 0}, {23, 1, 1}, {23, 1 << 30, 0}, {30, 0, 0}, {30, 1, 1},
                 {30, 2, 0},  {30, -1, 0},   {31, 0, 0},  {31, 1, 1}, {31, 2, 0},       {31, -7, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "slot " << c.slot << " = " << c.written);
        std::vector<unsigned char> bytes = good;
        for (int i = 0; i < 4; i++) bytes[4 * c.slot + i] = (unsigned char)((uint32_t)c.written >> (8 * i));
        WriteBytes(dir.File("Settings.sav"), bytes);
        Restart();
        EXPECT_EQ(game.Settings[c.slot], c.loaded);
    }

    // Bindings: codes that name no key, button or axis are skipped, so the
    // control keeps its default; a real pad button is taken.
    Defaults();
    int defaults[64];
    for (int slot = 0; slot < 64; slot++) defaults[slot] = game.KeyValue(3, slot);
    std::vector<unsigned char> bytes = good;
    const int junk[] = {123456789, -5, 31, 349, 499, 598, 999, 4000};
    for (int slot = 0; slot < 64; slot++) {
        int v = junk[slot % 8];
        for (int i = 0; i < 4; i++) bytes[400 + (3 * 64 + slot) * 4 + i] = (unsigned char)((uint32_t)v >> (8 * i));
    }
    for (int i = 0; i < 4; i++) bytes[400 + (4 * 64 + 63) * 4 + i] = (unsigned char)(712u >> (8 * i));
    // A control whose every slot says "nothing" keeps its defaults too.
    int confirm[64];
    for (int slot = 0; slot < 64; slot++) confirm[slot] = game.KeyValue(10, slot);
    for (int slot = 0; slot < 64 * 4; slot++) bytes[400 + 10 * 64 * 4 + slot] = 0;
    WriteBytes(dir.File("Settings.sav"), bytes);
    Restart();
    for (int slot = 0; slot < 64; slot++) EXPECT_EQ(game.KeyValue(3, slot), defaults[slot]) << slot;
    EXPECT_EQ(game.KeyValue(4, 63), 712);  // pad 2, button 12
    for (int slot = 0; slot < 64; slot++) EXPECT_EQ(game.KeyValue(10, slot), confirm[slot]) << slot;
    EXPECT_TRUE(log.Has("Control 10 had nothing bound, its defaults are back"));
}

// A save cut off by a crash leaves its temporary beside the files; the
// next start clears away ours and touches nothing else in the folder.
TEST_F(SaveTest, StartRemovesStaleTemporariesOfOurSaves) {
    const std::vector<std::string> stale = {"Settings.sav.tmp-Ab12Cd", "Settings.sav.tmp-zzzzzz",
                                            std::string(ScoreName) + ".tmp-09azAZ"};
    const std::vector<std::string> others = {"Settings.sav.tmp-short", "Settings.sav.tmp-Ab12Cd7",
                                             "Other.sav.tmp-Ab12Cd", "Settings.sav.bak", "notes.txt"};
    for (const std::string& name : stale) WriteBytes(dir.File(name), {1, 2, 3});
    for (const std::string& name : others) WriteBytes(dir.File(name), {4, 5});
    mkdir(dir.File("Settings.sav.tmp-Folder").c_str(), 0755);

    Restart();
    for (const std::string& name : stale) EXPECT_NE(access(dir.File(name).c_str(), F_OK), 0) << name << " was left";
    for (const std::string& name : others)
        EXPECT_TRUE(ReadBytes(dir.File(name)) == (std::vector<unsigned char>{4, 5})) << name;
    EXPECT_EQ(access(dir.File("Settings.sav.tmp-Folder").c_str(), F_OK), 0);
    EXPECT_EQ(ReadBytes(dir.File("Settings.sav")).size(), 4496u);
    EXPECT_EQ(ReadBytes(dir.File(ScoreName)).size(), 88404u);
}

TEST_F(SaveTest, FailedSavesKeepThePreviousFiles) {
    Restart();
    FillScores();
    game.Save();
    std::vector<unsigned char> settings = ReadBytes(dir.File("Settings.sav"));
    std::vector<unsigned char> scores = ReadBytes(dir.File(ScoreName));

    // A disk that fills up part way through the score file.
    game.ScoreTable[30] = 123;
    game.Settings[bh::kSettingSfxVolume] = 1;
    struct rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    struct rlimit small = old;
    small.rlim_cur = 20000;
    void (*oldHandler)(int) = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    size_t before = log.Lines().size();
    game.Save();
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(ReadBytes(dir.File(ScoreName)) == scores);
    EXPECT_NE(ReadBytes(dir.File("Settings.sav")), settings) << "the small file still fitted";
    std::vector<std::string> lines = log.Lines();
    EXPECT_EQ(lines.size(), before + 1);
    EXPECT_NE(lines.back().find("Save failed"), std::string::npos) << lines.back();

    // A folder that cannot be written at all (a file where it should be).
    std::string notDir = dir.File("Settings.sav");
    snprintf(game.home, sizeof game.home, "%s", notDir.c_str());
    before = log.Lines().size();
    testing::internal::CaptureStdout();
    game.Save();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(log.Lines().size(), before + 2);
    snprintf(game.home, sizeof game.home, "%s", dir.Path().c_str());
    EXPECT_TRUE(ReadBytes(dir.File(ScoreName)) == scores);
}

}  // namespace
