// Pads read in the standard layout, raw pads, bindings kept from earlier
// files, gamepad mappings, pads plugged in and pulled out, and the names
// the screens give pad buttons. No pad exists here: readings go in through
// the poll's own seam, shaped as GLFW gives them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "VellHooks.h"
#include "test_support.h"

namespace {

// GLFW's gamepad buttons and axes, by the standard layout's names.
enum { A, B, X, Y, LB, RB, Back, Start, Guide, LS, RS, Up, Right, Down, Left };
enum { LeftX, LeftY, RightX, RightY, LT, RT };

PadSample AtRest() {
    PadSample s = {};
    s.axes[LT] = s.axes[RT] = -1;
    return s;
}

class PadTest : public ::testing::Test {
protected:
    void SetUp() override {
        memset(ASys.redef, 0, sizeof ASys.redef);
        memset(ASys.Joy, 0, sizeof ASys.Joy);
        memset(ASys.Keyv, 0, sizeof ASys.Keyv);
        memset(ignorePress, 0, sizeof ignorePress);
        memset(ASys.PadLayout, 0, sizeof ASys.PadLayout);
        ASys.StandardPads = true;
        ASys.LastInput = -1;
        game.MixJoy = 1;
        game.FlushKeys();
        game.KeyDefaults();
        game.PadLost();  // nothing left over from another test
    }
    void TearDown() override { ASys.StandardPads = true; }

    // A poll with pad p reading s (mapped) or raw buttons; the pad is first
    // seen at rest, as a pad is when it is picked up.
    void Mapped(int p, const PadSample& s) {
        PadSample rest = AtRest();
        ReadPad(p, "Test Pad", &rest, nullptr, 0, nullptr, 0, 0);
        ReadPad(p, "Test Pad", &s, nullptr, 0, nullptr, 0, 0);
        game.PollInput(0);
    }
    void Raw(int p, const PadSample* mapped, const std::vector<unsigned char>& buttons) {
        std::vector<unsigned char> rest(buttons.size(), 0);
        float axes[4] = {};
        PadSample idle = AtRest();
        ReadPad(p, "Raw Pad", mapped ? &idle : nullptr, axes, 4, rest.data(), (int)rest.size(), 0);
        ReadPad(p, "Raw Pad", mapped, axes, 4, buttons.data(), (int)buttons.size(), 0);
        game.PollInput(0);
    }
    // The controls above half way, as a bit set.
    static int Held() {
        int held = 0;
        for (int c = 0; c < 16; c++)
            if (ASys.Keyv[c] > 0.5f) held |= 1 << c;
        return held;
    }
    MyGame& game = ThisGame;
};

TEST_F(PadTest, StandardLayoutDrivesTheDefaultControlsOnEveryPad) {
    struct Case {
        const char* what;
        int button, axis;
        float value;
        int control, playKey;  // -1: none
    } cases[] = {
        {"south flaps and confirms", A, -1, 0, 10, 10},
        {"east backs", B, -1, 0, 11, 11},
        {"west", X, -1, 0, 12, 12},
        {"north", Y, -1, 0, 13, 13},
        {"left shoulder", LB, -1, 0, 14, 14},
        {"right shoulder", RB, -1, 0, 15, 15},
        {"Start pauses", Start, -1, 0, 8, 98},
        {"Back is Back/Select", Back, -1, 0, 9, 99},
        {"d-pad up", Up, -1, 0, 0, 0},
        {"d-pad right", Right, -1, 0, 1, 5},
        {"d-pad down", Down, -1, 0, 2, 8},
        {"d-pad left", Left, -1, 0, 3, 3},
        {"left stick left", -1, LeftX, -1, 3, 3},
        {"left stick up", -1, LeftY, -1, 0, 0},
        {"right stick right", -1, RightX, 1, 5, -1},
        {"guide drives nothing", Guide, -1, 0, -1, -1},
        {"a trigger drives nothing", -1, LT, 1, -1, -1},
    };
    for (int p = 0; p < 4; p++)
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.what << ", pad " << p);
            memset(ASys.Joy, 0, sizeof ASys.Joy);
            PadSample s = AtRest();
            if (c.button >= 0) s.buttons[c.button] = 1;
            if (c.axis >= 0) s.axes[c.axis] = c.value;
            Mapped(p, s);
            EXPECT_EQ(Held(), c.control < 0 ? 0 : 1 << c.control);
            EXPECT_EQ(ASys.PadLayout[p], 1);
            for (int k : {0, 3, 5, 8, 10, 11, 12, 13, 14, 15, 98, 99})
                EXPECT_EQ(game.PlayKey(k), k == c.playKey ? 1 : 0) << k;
        }
}

TEST_F(PadTest, APadWithoutMappingOrWithTheLayoutOffReadsRaw) {
    // A pad whose own numbering differs from the standard one: its south
    // button is raw 1, its d-pad up raw 11 (the defaults' d-pad right).
    PadSample south = AtRest();
    south.buttons[A] = 1;
    std::vector<unsigned char> raw(16, 0);
    raw[1] = 1;
    struct Case {
        bool mapped, standard;
        int held, layout;
        const char* name;
    } cases[] = {
        {true, true, 1 << 10, 1, "Joy 1 A"},
        {false, true, 1 << 11, 0, "Joy 1 Button 0"},
        {true, false, 1 << 11, 0, "Joy 1 Button 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mapped << " " << c.standard);
        memset(ASys.Joy, 0, sizeof ASys.Joy);
        ASys.StandardPads = c.standard;
        Raw(0, c.mapped ? &south : nullptr, raw);
        EXPECT_EQ(Held(), c.held);
        EXPECT_EQ(ASys.PadLayout[0], c.layout);
        EXPECT_STREQ(game.KeyName(500), c.name);
    }

    // Switching layouts leaves nothing of the other one held.
    ASys.StandardPads = true;
    Raw(0, &south, raw);
    EXPECT_EQ(ASys.Joy[1], 0.0f) << "raw button 1 is the standard east button, not pressed";
}

TEST_F(PadTest, PadInputNamesFollowTheLayout) {
    Mapped(1, AtRest());
    struct Case {
        int code;
        const char* prompt;
        const char* listed;
    } cases[] = {
        {600, "A", "Joy 2 A"},
        {603, "Y", "Joy 2 Y"},
        {606, "Back", "Joy 2 Back"},
        {607, "Start", "Joy 2 Start"},
        {610, "D-pad Up", "Joy 2 D-pad Up"},
        {613, "D-pad Left", "Joy 2 D-pad Left"},
        {614, "RS", "Joy 2 RS"},
        {654, "LT", "Joy 2 LT"},
        {620, "Button 20", "Joy 2 Button 20"},
        {500, "Button 0", "N/A"},  // pad 1 is not there
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(game.PadInputName(c.code), c.prompt) << c.code;
        EXPECT_STREQ(game.KeyName(c.code), c.listed) << c.code;
    }
}

class OldBindings : public PadTest {
protected:
    void SetUp() override {
        PadTest::SetUp();
        snprintf(game.home, sizeof game.home, "%s", dir.Path().c_str());
        game.GameNum = 552;
        snprintf(game.GameTitle, sizeof game.GameTitle, "Bramblehop");
    }
    void TearDown() override {
        strcpy(game.home, ".");
        PadTest::TearDown();
    }
    void Start() {
        game.SetDefaultSettings();
        game.FlushKeys();
        game.KeyDefaults();
        game.Load();
        game.SetUpPads();
    }
    TempDir dir;
    LogCapture log;
};

// A player of an earlier build made their pad's d-pad work by binding its
// raw buttons 11 to 14 (the hat) to the directions; another left the pads
// as the defaults bound them.
TEST_F(OldBindings, LoadUnchangedAndActAsBefore) {
    PadSample hatUp = AtRest();
    hatUp.buttons[Up] = 1;
    std::vector<unsigned char> raw(16, 0);
    raw[11] = 1;  // the same press in the pad's own numbering
    struct Case {
        bool ownPadBindings;
        int layout, held;
    } cases[] = {
        {true, 0, 1 << 0},   // raw 11 is still Up, as bound
        {false, 1, 1 << 0},  // the standard d-pad up is Up
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ownPadBindings);
        Start();  // a user ID, as any earlier start made
        game.FlushKeys();
        game.KeyDefaults();
        if (c.ownPadBindings)
            for (int i = 0; i < 4; i++) game.SetKey(i, 511 + i);
        game.SetKey(10, 81);  // and Q flaps
        int before[16][64];
        for (int k = 0; k < 16; k++)
            for (int s = 0; s < 64; s++) before[k][s] = game.KeyValue(k, s);
        // An earlier build wrote exactly this: the slots (41 unused), then
        // the table.
        game.Settings[bh::kSettingPadLayout] = 0;
        game.Save();
        std::vector<unsigned char> written = ReadBytes(dir.File("Settings.sav"));
        ASSERT_EQ(written.size(), 4496u);

        Start();
        for (int k = 0; k < 16; k++)
            for (int s = 0; s < 64; s++) ASSERT_EQ(game.KeyValue(k, s), before[k][s]) << k << " " << s;
        EXPECT_EQ(game.Settings[bh::kSettingPadLayout], c.layout);
        EXPECT_EQ(ASys.StandardPads, c.layout == 1);
        memset(ASys.Joy, 0, sizeof ASys.Joy);
        Raw(0, &hatUp, raw);
        EXPECT_EQ(Held(), c.held);
        // Saved again, the player's own file is the same file.
        game.Save();
        if (c.ownPadBindings) {
            EXPECT_TRUE(ReadBytes(dir.File("Settings.sav")) == written);
        }
    }
}

TEST_F(OldBindings, AFileFromAnEarlierBuildWithDefaultPadsTakesTheStandardLayout) {
    const std::string from = std::string(BRAMBLEHOP_SOURCE_DIR) + "/tests/data/saves/";
    std::vector<unsigned char> settings = ReadBytes(from + "Settings.sav");
    WriteBytes(dir.File("Settings.sav"), settings);
    Start();
    EXPECT_EQ(game.Settings[bh::kSettingPadLayout], 1);
    EXPECT_TRUE(ASys.StandardPads);
    // Everything else the file held is as it was.
    game.Save();
    std::vector<unsigned char> after = ReadBytes(dir.File("Settings.sav"));
    ASSERT_EQ(after.size(), settings.size());
    for (size_t i = 0; i < settings.size(); i++)
        if (i / 4 != 41) {
            ASSERT_EQ(after[i], settings[i]) << i;
        }
}

// Real calls into GLFW's mapping database, which needs GLFW started.
class Mappings : public ::testing::Test {
protected:
    void SetUp() override {
        ASys.SysInit("test");
        if (!ASys.HasWindow()) GTEST_SKIP() << "no display";
    }
    void TearDown() override {
        unsetenv("SDL_GAMECONTROLLERCONFIG");
        if (ASys.HasWindow()) ASys.Close();
    }
    std::vector<std::string> Skipped() {
        std::vector<std::string> out;
        for (const std::string& l : log.Lines())
            if (l.rfind("Skipped a bad pad mapping", 0) == 0) out.push_back(l);
        return out;
    }
    LogCapture log;
};

const char* const kGood =
    "03000000aa1200003412000011010000,Bramble Test Pad,a:b1,b:b2,x:b0,y:b3,back:b8,start:b9,"
    "leftshoulder:b4,rightshoulder:b5,dpup:h0.1,dpright:h0.2,dpdown:h0.4,dpleft:h0.8,leftx:a0,"
    "lefty:a1,rightx:a2,righty:a3,lefttrigger:b6,righttrigger:b7,platform:Linux,";

TEST_F(Mappings, GoodLinesAreTakenAndEachBadLineIsLoggedAndSkipped) {
    const std::string good = kGood;
    struct Case {
        std::string text;
        int taken;
        std::vector<std::string> skipped;  // the start of each logged line
    } cases[] = {
        {good, 1, {}},
        {good + "\r\n# a comment\n\n   \n" + good, 2, {}},
        {"03000000aa12,Short Id,a:b0,\n" + good, 1, {"Skipped a bad pad mapping, src line 1"}},
        {good + "\n03000000aa1200003412000011010000\n" + good, 2, {"Skipped a bad pad mapping, src line 2"}},
        {"Bramble Test Pad,a:b0\n" + good + "\nzz\n",
         1,
         {"Skipped a bad pad mapping, src line 1", "Skipped a bad pad mapping, src line 3"}},
        // Another system's mapping is no fault of the file.
        {"03000000aa1200003412000011010000,Pad,a:b0,platform:Windows,", 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        size_t before = Skipped().size();
        EXPECT_EQ(ASys.AddPadMappings(c.text.c_str(), "src"), c.taken);
        std::vector<std::string> now = Skipped();
        ASSERT_EQ(now.size() - before, c.skipped.size());
        for (size_t i = 0; i < c.skipped.size(); i++)
            EXPECT_EQ(now[before + i].rfind(c.skipped[i], 0), 0u) << now[before + i];
    }

    // A file of nothing but bad lines is reported in a few lines, not one
    // per line.
    std::string junk;
    for (int i = 0; i < 40; i++) junk += "0123,not a mapping\n";
    size_t before = Skipped().size();
    EXPECT_EQ(ASys.AddPadMappings(junk.c_str(), "junk"), 0);
    EXPECT_EQ(Skipped().size() - before, 5u);
    EXPECT_TRUE(log.Has("Skipped 35 more bad pad mappings in junk"));
}

TEST_F(Mappings, StartUpReadsTheVariableAndTheSaveFolderFile) {
    TempDir dir;
    // Neither there: nothing to say.
    ASys.LoadPadMappings(dir.Path().c_str());
    EXPECT_FALSE(log.Has("Pad mappings from"));

    setenv("SDL_GAMECONTROLLERCONFIG", (std::string(kGood) + "\nbroken line\n").c_str(), 1);
    std::string file = std::string(kGood) + "\n" + kGood + "\n";
    WriteBytes(dir.File("gamecontrollerdb.txt"), std::vector<unsigned char>(file.begin(), file.end()));
    ASys.LoadPadMappings(dir.Path().c_str());
    EXPECT_TRUE(log.Has("Pad mappings from SDL_GAMECONTROLLERCONFIG: 1 read"));
    EXPECT_TRUE(log.Has("Skipped a bad pad mapping, SDL_GAMECONTROLLERCONFIG line 2: broken line"));
    EXPECT_TRUE(log.Has("Pad mappings from gamecontrollerdb.txt: 2 read"));
}

TEST_F(PadTest, APadPluggedInWorksAtOnceAndOnePulledOutLetsGo) {
    LogCapture log;
    FeedJoystick(1, true);
    game.PollInput(0);
    EXPECT_TRUE(log.Has("Pad 2 connected"));
    PadSample flap = AtRest();
    flap.buttons[A] = 1;
    flap.axes[LeftX] = 1;
    Mapped(1, flap);
    EXPECT_EQ(Held(), 1 << 10 | 1 << 1);

    FeedJoystick(1, false);
    game.PollInput(0);
    EXPECT_EQ(Held(), 0) << "nothing flies on the last values read";
    for (int i = 100; i < 200; i++) ASSERT_EQ(ASys.Joy[i], 0.0f) << i;
    EXPECT_TRUE(log.Has("Pad 2 went away"));
    EXPECT_EQ(game.PadLost(), 1);
    EXPECT_EQ(game.PadLost(), 0) << "told once";

    // Back in: it must be seen at rest again before it counts.
    FeedJoystick(1, true);
    game.PollInput(0);
    PadSample held = flap;
    ReadPad(1, "Test Pad", &held, nullptr, 0, nullptr, 0, 0);
    game.PollInput(0);
    EXPECT_EQ(Held(), 0);

    // A pad that never counted (never seen at rest) goes without a pause.
    FeedJoystick(1, false);
    game.PollInput(0);
    EXPECT_EQ(game.PadLost(), 0);
}

TEST_F(PadTest, LosingAPadMidGamePausesOnlyARunningGame) {
    struct Case {
        int mode, paused, ending, overlay, load;
        bool pauses;
    } cases[] = {
        {bh::kModePlaying, 0, 0, bh::kScreenNone, 0, true},
        {bh::kModePlaying, 1, 0, bh::kScreenNone, 0, false},  // already paused
        {bh::kModePlaying, 0, 1, bh::kScreenNone, 0, false},  // ending
        {bh::kModeTitle, 0, 0, bh::kScreenNone, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode * 10 + c.paused);
        LogCapture log;
        Mapped(2, AtRest());
        game.GameMode = c.mode;
        game.Paused = c.paused;
        game.GameEnding = c.ending;
        game.OverlayScreen = c.overlay;
        game.LoadTo = c.load;
        FeedJoystick(2, false);
        game.PollInput(0);
        game.PauseOnLostPad();
        EXPECT_EQ(game.Paused == 1 && c.paused == 0, c.pauses);
        EXPECT_EQ(log.Has("A pad went away: the game waits in the pause menu"), c.pauses);
        EXPECT_EQ(game.PadLost(), 0) << "the news is used up either way";
    }
    game.GameMode = bh::kModeTitle;
    game.Paused = 0;
    game.GameEnding = 0;
}

TEST_F(PadTest, PromptsNameWhatTheNewestPressCameFrom) {
    Mapped(0, AtRest());
    EXPECT_EQ(game.LastInputPad(), -1);
    EXPECT_STREQ(game.ControlPrompt(10), "[ Num Enter ]") << "the newest key bound";

    PadSample a = AtRest();
    a.buttons[A] = 1;
    Mapped(0, a);
    EXPECT_EQ(game.LastInputPad(), 0);
    struct Case {
        int control;
        const char* name;
    } pad[] = {{10, "A"}, {11, "B"}, {8, "Start"}, {9, "Back"}, {3, "D-pad Left"}, {4, nullptr}};
    for (const Case& c : pad) {
        const char* name = game.ControlPrompt(c.control);
        EXPECT_STREQ(name ? name : "none", c.name ? c.name : "none") << c.control;
    }
    EXPECT_STREQ(game.ControlPrompt(10, true), "A") << "held";
    EXPECT_EQ(game.ControlPrompt(11, true), nullptr) << "not held";

    // A key pressed while the pad's button stays down takes over.
    FeedKey(32, 1);
    ReadPad(0, "Test Pad", &a, nullptr, 0, nullptr, 0, 0);
    game.PollInput(0);
    EXPECT_EQ(game.LastInputPad(), -1);
    game.PollInput(0);  // the tap is over
    EXPECT_EQ(game.LastInputPad(), -1) << "a button still held is no new press";

    // A raw pad's buttons go by number.
    memset(ASys.Joy, 0, sizeof ASys.Joy);
    std::vector<unsigned char> raw(12, 0);
    raw[0] = 1;
    Raw(3, nullptr, raw);
    EXPECT_EQ(game.LastInputPad(), 3);
    EXPECT_STREQ(game.ControlPrompt(10), "Button 0");
    // Gone, it names nothing any more: keys again.
    FeedJoystick(3, false);
    game.PollInput(0);
    game.PadLost();
    EXPECT_EQ(game.LastInputPad(), -1);
}

}  // namespace
