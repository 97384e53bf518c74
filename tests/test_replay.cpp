// Replays: the file format's checks, and games recorded as they are played
// then played back through the same update, which must draw, sound and
// score exactly as the game did.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "MyGame.h"
#include "Vell_glfw3.h"
#include "VellHooks.h"
#include "gameplay/replay.h"
#include "soak/soak_driver.h"

namespace {

// What one update drew and asked the speakers for.
std::string heard;
void SoundHeard(int slot, float pitch) { heard += "s" + std::to_string(slot) + "@" + std::to_string(pitch); }
void MusicHeard(const char* name) { heard += std::string("m:") + (name ? name : "-"); }

struct Seen {
    int records;
    uint64_t digest;
    bool operator==(const Seen& o) const { return records == o.records && digest == o.digest; }
};

// The draw records as the game made them (the renderer's copy also holds
// what its caches rewrote) and the sounds.
uint64_t PictureAndSound(int records) {
    uint64_t h = tape::Fnv(ASys.Draw, sizeof(double) * vell::kRecordSize * (size_t)records);
    return tape::Fnv(heard.data(), heard.size(), h);
}

// A replay made without the game: `updates` updates of held controls and a
// wandering pointer, on a steady clock with the odd stall.
std::vector<uint8_t> MadeReplay(int updates, unsigned seed = 7, int score = 1234) {
    static tape::Writer w;
    static tape::Head h;
    memset(&h, 0, sizeof h);
    snprintf(h.version, sizeof h.version, "test");
    h.difficulty = 2;
    h.settings[101] = 2;
    h.clock = 5000;
    h.musicTrack = 2;
    h.musicFade = 1;
    h.inputs[vell::kButtonFocus] = 1;
    w.Begin(h);
    std::mt19937 rng(seed);
    float in[tape::kInputs];
    memcpy(in, h.inputs, sizeof in);
    int hold[16] = {};
    for (int u = 0; u < updates; u++) {
        for (int k = 0; k < 16; k++)
            if (--hold[k] <= 0) {
                hold[k] = 2 + (int)(rng() % 30);
                float v = rng() % 4 == 0 ? 1.0f : 0.0f;
                in[tape::kButtons + tape::kTouches + tape::kPadValues + k] = v;  // the control
                if (k < 13) in[k] = v;                                           // and its key
            }
        if (rng() % 20 == 0) {
            in[tape::kButtons + vell::kTouchX] = (float)(rng() % 800) + 0.5f;
            in[tape::kButtons + vell::kTouchY] = (float)(rng() % 600);
        }
        int step = rng() % 50 == 0 ? (int)(rng() % 300) : 16;
        EXPECT_TRUE(w.Add(step, in));
    }
    h.score = score;
    h.date = 20261210;
    static uint8_t out[tape::kMaxBytes + 65536];
    size_t n = w.Finish(h, out, sizeof out);
    return std::vector<uint8_t>(out, out + n);
}

// Writes the checksum a file would carry, so a change reaches the checks
// behind it.
void Reseal(std::vector<uint8_t>& b) {
    size_t body = b.size() - 4;
    uint32_t sum = (uint32_t)tape::Fnv(b.data(), body);
    for (int i = 0; i < 4; i++) b[body + i] = (uint8_t)(sum >> (8 * i));
}

std::string FileText(const std::string& path) {
    std::string text;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return "(none)";
    char b[65536];
    size_t n;
    while ((n = fread(b, 1, sizeof b, f)) > 0) text.append(b, n);
    fclose(f);
    return text;
}

bool Opens(const std::vector<uint8_t>& b, const char** reason = nullptr) {
    static tape::Reader r;
    const char* why = "";
    bool ok = r.Open(b.data(), b.size(), why);
    if (reason) *reason = why;
    return ok;
}

TEST(ReplayFormat, GivesBackEveryUpdateExactly) {
    std::vector<uint8_t> b = MadeReplay(3000);
    tape::Reader r;
    const char* why;
    ASSERT_TRUE(r.Open(b.data(), b.size(), why)) << why;
    EXPECT_EQ(r.head().updates, 3000);
    EXPECT_EQ(r.head().score, 1234);
    EXPECT_STREQ(r.head().version, "test");
    // The same updates again, compared with what the reader gives.
    std::mt19937 rng(7);
    float in[tape::kInputs] = {};
    in[vell::kButtonFocus] = 1;
    int hold[16] = {};
    float got[tape::kInputs];
    int step;
    for (int u = 0; u < 3000; u++) {
        for (int k = 0; k < 16; k++)
            if (--hold[k] <= 0) {
                hold[k] = 2 + (int)(rng() % 30);
                float v = rng() % 4 == 0 ? 1.0f : 0.0f;
                in[tape::kButtons + tape::kTouches + tape::kPadValues + k] = v;
                if (k < 13) in[k] = v;
            }
        if (rng() % 20 == 0) {
            in[tape::kButtons + vell::kTouchX] = (float)(rng() % 800) + 0.5f;
            in[tape::kButtons + vell::kTouchY] = (float)(rng() % 600);
        }
        int want = rng() % 50 == 0 ? (int)(rng() % 300) : 16;
        ASSERT_TRUE(r.Next(step, got)) << "update " << u;
        ASSERT_EQ(step, want) << "update " << u;
        ASSERT_EQ(memcmp(got, in, sizeof in), 0) << "update " << u;
    }
    EXPECT_FALSE(r.Next(step, got));
}

// Ten minutes at 60 updates a second, the controls changing as often as a
// busy player's: well under a megabyte.
TEST(ReplayFormat, TenMinutesTakeFarLessThanAMegabyte) {
    std::vector<uint8_t> b = MadeReplay(36000);
    printf("A ten-minute replay takes %zu bytes\n", b.size());
    RecordProperty("ten_minute_bytes", (int)b.size());
    EXPECT_LT(b.size(), 1000000u);
    EXPECT_TRUE(Opens(b));
}

TEST(ReplayFormat, RefusesDamagedCutShortAndForeignFiles) {
    std::vector<uint8_t> good = MadeReplay(400);
    ASSERT_TRUE(Opens(good));
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    std::vector<Case> cases = {
        {"empty", {}},
        {"a few bytes", {'B', 'H', 'R'}},
        {"a picture", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'}},
        {"the settings file's start", std::vector<uint8_t>(800, 0)},
    };
    std::vector<uint8_t> later = good;
    later[4] = tape::kFormat + 1;
    Reseal(later);
    cases.push_back({"a later format", later});
    for (const Case& c : cases) EXPECT_FALSE(Opens(c.bytes)) << c.name;

    // Cut anywhere, or any byte changed: refused by the checksum or the
    // checks behind it.
    for (size_t n = 0; n < good.size(); n++)
        EXPECT_FALSE(Opens(std::vector<uint8_t>(good.begin(), good.begin() + n))) << "cut to " << n;
    for (size_t i = 0; i < good.size(); i++) {
        std::vector<uint8_t> b = good;
        b[i] ^= 0x10;
        EXPECT_FALSE(Opens(b)) << "byte " << i;
    }
}

// Changes a file's maker could seal with a checksum that holds: each is
// either refused or gives exactly the updates it claims, never more.
TEST(ReplayFormat, HostileFilesAreRefusedOrStayInBounds) {
    std::vector<uint8_t> good = MadeReplay(300);
    std::mt19937 rng(552);
    int refused = 0;
    for (int round = 0; round < 3000; round++) {
        std::vector<uint8_t> b = good;
        int edits = 1 + (int)(rng() % 4);
        for (int e = 0; e < edits; e++) {
            size_t at = rng() % (b.size() - 4);
            switch (rng() % 4) {
            case 0: b[at] = (uint8_t)rng(); break;
            case 1: b[at] = 0xff; break;  // a number that goes on and on
            case 2: b.erase(b.begin() + (long)at); break;
            default: b.insert(b.begin() + (long)at, (uint8_t)rng()); break;
            }
        }
        Reseal(b);
        tape::Reader r;
        const char* why;
        if (!r.Open(b.data(), b.size(), why)) {
            EXPECT_NE(why[0], 0);
            refused++;
            continue;
        }
        int updates = 0, step;
        static float in[tape::kInputs];
        while (r.Next(step, in)) {
            for (float v : in) ASSERT_TRUE(std::isfinite(v) && std::fabs(v) <= tape::kLargestInput);
            ASSERT_LE(++updates, r.head().updates);
        }
        EXPECT_EQ(updates, r.head().updates);
    }
    EXPECT_GT(refused, 1000) << "most blind changes should be caught";
}

// One update after a head that spoil changed; the file's checksum holds.
std::vector<uint8_t> MadeWith(void (*spoil)(tape::Head&)) {
    static tape::Head h;
    memset(&h, 0, sizeof h);
    h.difficulty = 2;
    h.settings[101] = 2;
    if (spoil) spoil(h);
    static tape::Writer w;
    w.Begin(h);
    w.Add(16, h.inputs);
    static uint8_t out[1 << 16];
    return std::vector<uint8_t>(out, out + w.Finish(h, out, sizeof out));
}

TEST(ReplayFormat, RefusesFieldsNoGameWrites) {
    ASSERT_TRUE(Opens(MadeWith(nullptr)));
    struct Case {
        const char* name;
        void (*spoil)(tape::Head&);
    };
    const Case cases[] = {
        {"difficulty 7", [](tape::Head& h) { h.difficulty = 7; }},
        {"a sound volume of 99", [](tape::Head& h) { h.settings[0] = 99; }},
        {"a difficulty cursor of 0", [](tape::Head& h) { h.settings[101] = 0; }},
        {"a lock counted for days", [](tape::Head& h) { h.keyLock[10] = 50000000; }},
        {"a pointer at infinity", [](tape::Head& h) { h.hover[0] = INFINITY; }},
        {"a first input that is not a number", [](tape::Head& h) { h.inputs[300] = NAN; }},
        {"a background brighter than white", [](tape::Head& h) { h.clear[0] = 300; }},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> b = MadeWith(c.spoil);
        ASSERT_FALSE(b.empty()) << c.name;
        EXPECT_FALSE(Opens(b)) << c.name;
    }
}

class Replays : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/dev/shm/bramblehop-replay-XXXXXX";
        home = mkdtemp(pattern) ? pattern : "/tmp";
        std::string bin = BRAMBLEHOP_GAME_BIN;
        std::string data = bin.substr(0, bin.rfind('/')) + "/Data";
        if (symlink(data.c_str(), (home + "/Data").c_str()) != 0) {
        }
        log = fopen((home + "/log.txt").c_str(), "w+");
        DebuglogOut = log;
        MillsFrozen = true;
        MillsOffset = 1000;
        FakeClocks = true;
        FakeWallMs = 1796774400000LL;  // 2026-12-10
        FakeSteadyMs = 0;
        SoundAsked = SoundHeard;
        tape::LabelShown = false;
        MusicAsked = MusicHeard;
        MyGame& g = ThisGame;
        // Nothing another test left behind reaches the recorded games: no
        // held screen, no pause from outside, no input still held.
        g.HoldView(0, 0);
        g.Active = 1;
        g.OutsidePause = 0;
        g.MixJoy = 1;
        g.StandardPadLayout(1);
        memset(ASys.Joy, 0, sizeof ASys.Joy);
        memset(ASys.Keyv, 0, sizeof ASys.Keyv);
        memset(ASys.Button, 0, sizeof ASys.Button);
        g.PadLost();
        snprintf(g.home, sizeof g.home, "%s", home.c_str());
        g.savehome[0] = 0;
        g.GameNum = 552;
        snprintf(g.GameTitle, sizeof g.GameTitle, "Bramblehop");
        g.StartState();
        ASys.WindowWidth = 800;
        ASys.WindowHeight = 600;
    }
    void TearDown() override {
        ThisGame.StopWatching();
        tape::LabelShown = true;
        PollInputHook = nullptr;
        SoundAsked = nullptr;
        MusicAsked = nullptr;
        FakeClocks = false;
        MillsFrozen = false;
        MillsOffset = 0;
        DebuglogOut = nullptr;
        fclose(log);
        std::string cmd = "rm -rf '" + home + "'";
        if (system(cmd.c_str()) != 0) {
        }
    }

    // One update as the loop runs it, with what it drew and heard.
    Seen Step() {
        heard.clear();
        // The statistics line (which the options can switch on) shows rates
        // measured against the real loop: held steady, it reads the same in
        // both runs.
        MyGame& g = ThisGame;
        g.UpdateSec = g.RenderSec = g.Mills();
        UpdateCountLive = RenderCountLive = 0;
        g.UpdateCount = g.RenderCount = 60;
        g.PolyCountR = 0;
        // A record keeps whatever its slot held in the fields its kind does
        // not use; cleared, those compare equal.
        memset(ASys.Draw, 0, sizeof(double) * vell::kRecordSize * (size_t)drawn);
        drawn = std::max(drawn, DrawToRT + 64);
        if (drawn > vell::kMaxRecords) drawn = vell::kMaxRecords;
        ThisGame.GameBreak = 0;
        ThisGame.Update();
        ThisGame.Render();
        return {DrawToRT, PictureAndSound(DrawToRT)};
    }

    std::string Logged() {
        fflush(log);
        std::string text;
        rewind(log);
        char b[4096];
        size_t n;
        while ((n = fread(b, 1, sizeof b, log)) > 0) text.append(b, n);
        fseek(log, 0, SEEK_END);
        return text;
    }

    // Plays the monkey until it finishes a game; the recording's bytes and
    // what each recorded update drew and heard.
    bool MonkeyGame(unsigned seed, std::vector<uint8_t>& bytes, std::vector<Seen>& seen,
                    const std::function<void()>& between = nullptr) {
        MyGame& g = ThisGame;
        PollInputHook = MonkeyHand(seed);
        std::mt19937 clock(seed);
        size_t n = 0;
        int finished = 0;
        LastRecording(n, &finished);
        bool inGame = false;
        for (int u = 0; u < 80000; u++) {
            int r = (int)(clock() % 100);
            MillsOffset += r < 90 ? 16 : r < 95 ? (int)(clock() % 5) : (int)(clock() % 400);
            // A demo the idle title plays is no game of the monkey's.
            if (g.GameMode == bh::kModeNewGame && g.OverlayScreen == bh::kScreenNone && g.LoadTo == 0 &&
                g.Watching == 0 && !inGame) {
                seen.clear();
                memcpy(boards, g.ScoreTable, sizeof boards);
                statsShown = g.DebugMode;
                inGame = true;
            }
            if (inGame && between) between();
            Seen s = Step();
            if (inGame) seen.push_back(s);
            int now = 0;
            const uint8_t* last = LastRecording(n, &now);
            if (now != finished && n != 0) {
                bytes.assign(last, last + n);
                PollInputHook = nullptr;
                return true;
            }
        }
        PollInputHook = nullptr;
        return false;
    }

    // Plays bytes back as a watched replay; what each update drew and heard.
    std::vector<Seen> PlayBack(const std::vector<uint8_t>& bytes) {
        MyGame& g = ThisGame;
        // The board as the recorded game saw it: the score line ranks against it.
        memcpy(g.ScoreTable, boards, sizeof boards);
        // The statistics line is the watcher's, as the recorded game had it.
        g.DebugMode = statsShown;
        const char* why = "";
        std::vector<Seen> seen;
        // Chosen from a menu, a replay starts within an update: the render
        // after it lays the screen out for the cave, as after a new game.
        EXPECT_TRUE(g.WatchReplay(bytes.data(), bytes.size(), bh::kWatchReplay, why)) << why;
        g.Render();
        for (size_t u = 0; u < 100000 && !g.WatchEnded; u++) {
            MillsOffset += 16;
            seen.push_back(Step());
        }
        return seen;
    }

    // Seeded monkey games, each recorded as it is played, then played back.
    void MonkeyGamesPlayBack(unsigned first, unsigned last) {
        for (unsigned seed = first; seed <= last; seed++) {
            SCOPED_TRACE("seed " + std::to_string(seed));
            std::vector<uint8_t> bytes;
            std::vector<Seen> recorded;
            ASSERT_TRUE(MonkeyGame(seed, bytes, recorded)) << "the monkey should finish a game";
            tape::Reader r;
            const char* why;
            ASSERT_TRUE(r.Open(bytes.data(), bytes.size(), why)) << why;
            int score = r.head().score;
            ASSERT_EQ((size_t)r.head().updates, recorded.size());

            std::vector<Seen> played = PlayBack(bytes);
            ASSERT_EQ(played.size(), recorded.size());
            for (size_t u = 0; u < played.size(); u++) {
                ASSERT_EQ(played[u].records, recorded[u].records) << "update " << u;
                ASSERT_EQ(recorded[u].digest, played[u].digest) << "update " << u;
            }
            EXPECT_EQ(ThisGame.WatchMatched, 1);
            EXPECT_EQ(ReplayScore(ThisGame.Play), score);
            ThisGame.StopWatching();
        }
    }

    // A monkey game kept as the best run on its difficulty, opened in r,
    // and the game back on the menu's page with that difficulty chosen;
    // the file's path, empty when no game was kept.
    std::string KeptMonkeyRun(unsigned seed, int page, tape::Reader& r) {
        MyGame& g = ThisGame;
        const char* why = "";
        if (!MonkeyGame(seed, kept, keptSeen) || !r.Open(kept.data(), kept.size(), why)) {
            ADD_FAILURE() << "no game to keep " << why;
            return "";
        }
        static const char* const names[4] = {"", "Easy", "Normal", "Hard"};
        std::string file = home + "/Best_" + names[r.head().difficulty] + ".replay";
        FILE* f = fopen(file.c_str(), "wb");
        fwrite(kept.data(), 1, kept.size(), f);
        fclose(f);
        g.StopWatching();
        g.FlushGame();
        g.GameMode = bh::kModeTitle;
        g.OverlayScreen = bh::kScreenNone;
        g.MenuPage = page;
        g.DifficultyCursor = r.head().difficulty;
        return file;
    }

    std::string home;
    std::vector<uint8_t> kept;
    std::vector<Seen> keptSeen;
    FILE* log = nullptr;
    int drawn = vell::kMaxRecords;
    int boards[bh::kScoreTableSize];
    int statsShown = 0;
};

TEST_F(Replays, MonkeyGamesPlayBackExactly) { MonkeyGamesPlayBack(1, 3); }

// The cave is placed on the screen the window's shape makes, and every
// touch with it: a run recorded in one window plays back exactly in any
// other, laid out as it was, and the window has its own screen again after.
TEST_F(Replays, ARunPlaysBackExactlyInAWindowOfAnotherShape) {
    MyGame& g = ThisGame;
    std::vector<uint8_t> bytes;
    std::vector<Seen> recorded;
    ASSERT_TRUE(MonkeyGame(3, bytes, recorded));
    const struct { int w, h; } windows[] = {{1080, 1920}, {2560, 1080}};
    for (const auto& win : windows) {
        SCOPED_TRACE(testing::Message() << win.w << " x " << win.h);
        ASys.WindowWidth = win.w;
        ASys.WindowHeight = win.h;
        g.Render();
        std::vector<Seen> played = PlayBack(bytes);
        EXPECT_EQ(g.WatchMatched, 1);
        EXPECT_EQ(g.ScreenW, 800.0f) << "laid out as recorded";
        g.StopWatching();
        g.Render();
        EXPECT_NE(g.ScreenW, 800.0f) << "the window's own screen again";
    }
    ASys.WindowWidth = 800;
    ASys.WindowHeight = 600;
}

// The window loses the focus once, mid-flight: the loop pauses the game
// between two updates, and the replay must pause at the same update.
TEST_F(Replays, APauseFromOutsideThePlayBackKeepsItsPlace) {
    MyGame& g = ThisGame;
    bool lost = false;
    int inGame = 0, pausedAt = -1;
    auto focusLost = [&] {
        bool flying = g.GameMode == bh::kModePlaying && g.Paused == 0 && g.GameEnding == 0 &&
                      g.OverlayScreen == bh::kScreenNone && g.LoadTo == 0;
        ++inGame;
        if (lost || !flying || inGame < 60) return;
        lost = true;
        pausedAt = inGame - 1;
        g.Active = -1;
        g.KeepAlive();
        g.Active = 1;
        EXPECT_EQ(g.Paused, 1);
    };
    std::vector<uint8_t> bytes;
    std::vector<Seen> recorded;
    ASSERT_TRUE(MonkeyGame(2, bytes, recorded, focusLost));
    ASSERT_TRUE(lost);
    std::vector<Seen> played = PlayBack(bytes);
    ASSERT_EQ(played.size(), recorded.size());
    // Every update looks and sounds the same, but the one the pause came
    // before: played back, it pauses there and its pause sound is heard in
    // it, where the recorded game heard it just before.
    for (size_t u = 0; u < played.size(); u++) {
        if ((int)u == pausedAt) continue;
        ASSERT_EQ(recorded[u].digest, played[u].digest) << "update " << u;
    }
    EXPECT_EQ(g.WatchMatched, 1);
}

// The watcher's hand: the monkey's presses, but never Escape or Return,
// which leave and pause.
PollHook watcherMonkey;
void WatcherPresses() {
    watcherMonkey();
    ASys.Button[vell::kButtonEscape] = 0;
    ASys.Button[vell::kButtonReturn] = 0;
}
bool pressReturn = false, pressEscape = false;
void OnlyThese() {
    for (int& b : ASys.Button) b = 0;
    for (float& k : ASys.Keyv) k = 0;
    ASys.Touch[vell::kTouchDown] = 0;
    ASys.Button[vell::kButtonFocus] = 1;
    ASys.Button[vell::kButtonReturn] = pressReturn;
    ASys.Button[vell::kButtonEscape] = pressEscape;
}

TEST_F(Replays, WatchedFromTheBoardIgnoresControlsPausesAndLeavesNothingBehind) {
    MyGame& g = ThisGame;
    tape::Reader r;
    // Back on the difficulty list, its board's entry is chosen with button 3.
    std::string file = KeptMonkeyRun(1, 1, r);
    ASSERT_FALSE(file.empty());
    int score = r.head().score;
    memcpy(boards, g.ScoreTable, sizeof boards);
    statsShown = g.DebugMode;
    int settings[bh::kSettingSlots];
    memcpy(settings, g.Settings, sizeof settings);
    std::string saved = FileText(home + "/Settings.sav") + FileText(home + "/Save_552_Bramblehop.sav");
    PollInputHook = OnlyThese;
    Step();
    ASys.Keyv[bh::kJoyButton3] = 1;
    PollInputHook = [] {
        OnlyThese();
        ASys.Keyv[bh::kJoyButton3] = 1;
    };
    Step();
    ASSERT_EQ(g.Watching, bh::kWatchReplay) << Logged();
    EXPECT_NE(Logged().find("Watching Best_"), std::string::npos);

    // The watcher presses everything but Escape and Return: the run goes on
    // as recorded.
    watcherMonkey = MonkeyHand(99);
    PollInputHook = WatcherPresses;
    std::vector<Seen> played;
    while (!g.WatchEnded && played.size() < keptSeen.size() / 2) played.push_back(Step());

    // Return pauses: the game stands still however long, and Return again
    // goes on.
    PollInputHook = OnlyThese;
    pressReturn = true;
    Step();
    pressReturn = false;
    ASSERT_EQ(g.WatchPaused, 1);
    PlayRecord before = g.Play;
    for (int i = 0; i < 50; i++) Step();
    EXPECT_EQ(memcmp(&before, &g.Play, sizeof before), 0) << "a paused replay stands still";
    pressReturn = true;
    Step();
    pressReturn = false;
    EXPECT_EQ(g.WatchPaused, 0);
    PollInputHook = WatcherPresses;
    while (!g.WatchEnded && played.size() < keptSeen.size() + 10) played.push_back(Step());
    ASSERT_TRUE(g.WatchEnded);
    EXPECT_EQ(g.WatchMatched, 1);
    EXPECT_EQ(ReplayScore(g.Play), score);

    // Escape leaves for the list, with the settings and boards as they were.
    PollInputHook = OnlyThese;
    pressEscape = true;
    Step();
    pressEscape = false;
    EXPECT_EQ(g.Watching, 0);
    EXPECT_EQ(g.GameMode, bh::kModeTitle);
    EXPECT_EQ(g.MenuPage, 1);
    for (int i = 0; i < bh::kSettingSlots; i++) {
        if (i == bh::kSettingDebugStats) continue;
        EXPECT_EQ(g.Settings[i], settings[i]) << "setting " << i;
    }
    EXPECT_EQ(memcmp(g.ScoreTable, boards, sizeof boards), 0);
    EXPECT_EQ(FileText(home + "/Settings.sav") + FileText(home + "/Save_552_Bramblehop.sav"), saved)
        << "nothing is saved";
}

TEST_F(Replays, TheTitleLeftAloneHalfAMinutePlaysADemoThatAnyPressEnds) {
    MyGame& g = ThisGame;
    tape::Reader r;
    std::string file = KeptMonkeyRun(3, 0, r);
    ASSERT_FALSE(file.empty());
    int settings[bh::kSettingSlots];
    memcpy(settings, g.Settings, sizeof settings);
    memcpy(boards, g.ScoreTable, sizeof boards);
    std::string saved = FileText(home + "/Settings.sav") + FileText(home + "/Save_552_Bramblehop.sav") + FileText(file);
    PollInputHook = OnlyThese;
    Step();  // the monkey's last press is let go

    // A press at 20 s starts the count again; 30 s after it, the demo.
    int start = g.Mills();
    int pressedAt = 0;
    for (int u = 0; u < 10000 && !g.Watching; u++) {
        MillsOffset += 16;
        pressReturn = u == 1250;
        if (pressReturn) pressedAt = g.Mills();
        Step();
    }
    pressReturn = false;
    ASSERT_EQ(g.Watching, bh::kWatchDemo);
    EXPECT_GE(MillsDiff(g.Mills(), start), 50000);
    EXPECT_LE(MillsDiff(g.Mills(), pressedAt), 30000 + 16 * 3);
    EXPECT_NE(Logged().find("Demo of Best_"), std::string::npos);

    // It plays the game (its label on top), until any press at all.
    for (int u = 0; u < 200; u++) Step();
    EXPECT_EQ(g.Watching, bh::kWatchDemo);
    EXPECT_EQ(g.GameMode, bh::kModePlaying);
    PollInputHook = [] {
        OnlyThese();
        ASys.Keyv[bh::kJoyRight] = 1;
    };
    Step();
    EXPECT_EQ(g.Watching, 0);
    EXPECT_EQ(g.GameMode, bh::kModeTitle);
    EXPECT_EQ(g.MenuPage, 0);

    // Nothing it did stays: settings, boards, save files and replays.
    PollInputHook = OnlyThese;
    for (int u = 0; u < 10; u++) Step();
    for (int i = 0; i < bh::kSettingSlots; i++) {
        if (i == bh::kSettingDebugStats) continue;
        EXPECT_EQ(g.Settings[i], settings[i]) << "setting " << i;
    }
    EXPECT_EQ(memcmp(g.ScoreTable, boards, sizeof boards), 0);
    EXPECT_EQ(FileText(home + "/Settings.sav") + FileText(home + "/Save_552_Bramblehop.sav") + FileText(file), saved);
}

// Before any best run is kept, the idle title plays the demo made with the
// game's data; it must reproduce in this version and go back by itself.
TEST_F(Replays, WithNoBestRunTheTitlePlaysTheShippedDemoThroughToItsEnd) {
    MyGame& g = ThisGame;
    PollInputHook = OnlyThese;
    for (int u = 0; u < 10000 && !(g.LoadTo == 0 && g.GameMode == bh::kModeTitle); u++) {
        MillsOffset += 16;
        Step();
    }
    std::string saved = FileText(home + "/Settings.sav") + FileText(home + "/Save_552_Bramblehop.sav");
    for (int u = 0; u < 3000 && !g.Watching; u++) {
        MillsOffset += 16;
        Step();
    }
    ASSERT_EQ(g.Watching, bh::kWatchDemo);
    EXPECT_NE(Logged().find("Demo of demo.replay"), std::string::npos);
    int updates = 0;
    for (; updates < 40000 && g.Watching; updates++) {
        MillsOffset += 16;
        Step();
    }
    EXPECT_EQ(g.Watching, 0);
    EXPECT_GT(updates, 600) << "a demo shows more than a glimpse";
    EXPECT_NE(Logged().find("The replay played back exactly"), std::string::npos) << Logged();
    EXPECT_EQ(g.GameMode, bh::kModeTitle);
    EXPECT_EQ(FileText(home + "/Settings.sav") + FileText(home + "/Save_552_Bramblehop.sav"), saved);
    EXPECT_EQ(FileText(home + "/Best_Normal.replay"), "(none)");
}

TEST_F(Replays, ARunThatDoesNotReproduceIsReported) {
    MyGame& g = ThisGame;
    std::vector<uint8_t> bytes;
    std::vector<Seen> recorded;
    ASSERT_TRUE(MonkeyGame(2, bytes, recorded));
    // Another score under a checksum that holds: as if this version played
    // the run differently.
    tape::Reader r;
    const char* why;
    ASSERT_TRUE(r.Open(bytes.data(), bytes.size(), why));
    tape::Head h = r.head();
    h.score += 1000;
    static tape::Writer w;
    w.Begin(h);
    int step;
    static float in[tape::kInputs];
    while (r.Next(step, in)) w.Add(step, in);
    static uint8_t out[tape::kMaxBytes + 65536];
    size_t n = w.Finish(h, out, sizeof out);
    ASSERT_GT(n, 0u);
    ASSERT_TRUE(g.WatchReplay(out, n, bh::kWatchReplay, why)) << why;
    PollInputHook = OnlyThese;
    for (size_t u = 0; u < recorded.size() + 5 && !g.WatchEnded; u++) Step();
    ASSERT_TRUE(g.WatchEnded);
    EXPECT_EQ(g.WatchMatched, 0);
    EXPECT_NE(Logged().find("This replay does not match this version"), std::string::npos);
}

TEST_F(Replays, ABestRunFileThatIsNoReplayIsRefusedWithOneLine) {
    MyGame& g = ThisGame;
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"text", "this is not a replay\n"},
        {"cut short", std::string("BHRP\x01\x05"
                                  "1.0.0\x02",
                                  11)},
    };
    for (const Case& c : cases) {
        FILE* f = fopen((home + "/Best_Normal.replay").c_str(), "wb");
        fwrite(c.bytes.data(), 1, c.bytes.size(), f);
        fclose(f);
        size_t before = Logged().size();
        EXPECT_FALSE(g.WatchBestRun(bh::kDifficultyNormal)) << c.name;
        std::string said = Logged().substr(before);
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << c.name << ": " << said;
        EXPECT_NE(said.find("Best_Normal.replay refused"), std::string::npos) << c.name << ": " << said;
        EXPECT_EQ(g.Watching, 0);
    }
    unlink((home + "/Best_Normal.replay").c_str());
    EXPECT_FALSE(g.WatchBestRun(bh::kDifficultyNormal));
    EXPECT_NE(Logged().find("No best run to watch yet"), std::string::npos);
}

TEST_F(Replays, OnlyABetterRunReplacesTheKeptOne) {
    MyGame& g = ThisGame;
    std::string file = home + "/Best_Hard.replay";
    auto keptScore = [&] {
        FILE* f = fopen(file.c_str(), "rb");
        if (!f) return -1;
        static uint8_t b[1 << 16];
        size_t n = fread(b, 1, sizeof b, f);
        fclose(f);
        tape::Reader r;
        const char* why;
        return r.Open(b, n, why) ? r.head().score : -2;
    };
    const struct { int score, kept; } runs[] = {{500, 500}, {300, 500}, {500, 500}, {900, 900}};
    for (const auto& run : runs) {
        std::vector<uint8_t> b = MadeReplay(50, 7, run.score);
        g.KeepBestReplay(b.data(), b.size(), bh::kDifficultyHard, 0, run.score);
        EXPECT_EQ(keptScore(), run.kept) << "after a run of " << run.score;
    }
    // A damaged kept file gives way to any run.
    FILE* f = fopen(file.c_str(), "r+b");
    fputc('X', f);
    fclose(f);
    std::vector<uint8_t> b = MadeReplay(50, 7, 10);
    g.KeepBestReplay(b.data(), b.size(), bh::kDifficultyHard, 0, 10);
    EXPECT_EQ(keptScore(), 10);
}

// The long run, with the soak: fifty games take minutes.
using ReplaySoak = Replays;
TEST_F(ReplaySoak, FiftyMonkeyGamesPlayBackExactly) { MonkeyGamesPlayBack(1, 50); }

}  // namespace
