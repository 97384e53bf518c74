// Name entry: the character wheel, the two-per-slot storage, moving,
// advancing, deleting and finishing, and the name shown in the options.
#include <cmath>
#include <string>
#include <vector>

#include "VellFontWidths.h"
#include "VellHooks.h"
#include "test_menu_fixture.h"

namespace {

class FrontName : public FrontScreen {
protected:
    void SetUp() override {
        FrontScreen::SetUp();
        g.OverlayScreen = bh::kScreenNameEntry;
        g.OptionsCursor = 0;
    }
    void Screen(int updates = 1) {
        Run([&] { g.EnterYourName(); }, updates);
    }
    void Tap(int control, int playKey = -1) {
        if (control >= 0) Control(control);
        if (playKey >= 0) PlayKey(playKey);
        Screen();
        ReleaseAll();
        Screen();
    }
    std::string Name() { return g.ShowName(); }
    // Keys typed between two updates, handed over by the next poll (the
    // screen asked for typed text in the update before).
    void Type(const std::vector<unsigned>& typed) {
        // Nothing left over from earlier tests' polls.
        ASys.PollInputB(0);
        ASys.PollInputB(0);
        Screen();
        for (unsigned c : typed) FeedTyped(c);
        ASys.PollInputB(0);
        Screen();
    }
};

TEST_F(FrontName, TypedCharactersFillTheBoxesAndBackspaceClears) {
    const unsigned bs = vell::kTypedBackspace;
    struct Case {
        const char* what;
        std::vector<unsigned> typed;
        const char* shown;
        int cursor;
    } cases[] = {
        {"letters, a digit and a space", {'A', 'b', ' ', '1', '-'}, "Ab 1-       ", 5},
        {"what the name cannot hold is skipped", {'*', 0xe9, 'Z', '\t'}, "Z           ", 1},
        {"Backspace clears the last one typed", {'A', 'b', bs}, "A           ", 1},
        {"Backspace at the first box", {bs, bs}, "Enter Your Name", 0},
        {"the last box takes every further key",
         {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j', 'k', 'l', 'm'},
         "abcdefghijkm",
         11},
        {"Backspace on the filled last box",
         {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j', 'k', 'l', bs, bs},
         "abcdefghij  ",
         10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        Type(c.typed);
        EXPECT_EQ(Name(), c.shown);
        EXPECT_EQ(g.OptionsCursor, c.cursor);
        EXPECT_EQ(g.OverlayScreen, bh::kScreenNameEntry);
    }

    // Typing only counts on a poll the screen asked for.
    SetUp();
    FeedTyped('Q');
    ASys.PollInputB(0);
    ASys.PollInputB(0);
    unsigned typed[4];
    EXPECT_EQ(g.TakeTyped(typed, 4), 0);
}

TEST_F(FrontName, AKeyHeldAsTheScreenOpensTypesOnlyOncePressedAgain) {
    // GLFW's key codes and actions, as its callbacks report them.
    const int kKeyZ = 90, kKeyBackspace = 259;
    const int kRelease = 0, kPress = 1, kRepeat = 2;
    Type({'A', 'b'});
    // Z and Backspace go down while another screen is up (the flap key
    // as the game ends), then repeat while the name is typed.
    g.OverlayScreen = bh::kScreenNone;
    ASys.PollInputB(0);
    ASys.PollInputB(0);
    FeedKey(kKeyZ, kPress);
    FeedTyped('z');
    FeedKey(kKeyBackspace, kPress);
    ASys.PollInputB(0);
    g.OverlayScreen = bh::kScreenNameEntry;
    Screen();
    for (int i = 0; i < 3; i++) {
        FeedKey(kKeyBackspace, kRepeat);
        FeedKey(kKeyZ, kRepeat);
        FeedTyped('z');
        ASys.PollInputB(0);
        Screen();
    }
    EXPECT_EQ(Name(), "Ab          ") << "nothing typed by keys held from before";
    // Let go and pressed again, Z types; its own repeats type too.
    FeedKey(kKeyZ, kRelease);
    FeedKey(kKeyZ, kPress);
    FeedTyped('z');
    FeedKey(kKeyZ, kRepeat);
    FeedTyped('z');
    ASys.PollInputB(0);
    Screen();
    EXPECT_EQ(Name(), "Abzz        ");
    FeedKey(kKeyZ, kRelease);
    FeedKey(kKeyBackspace, kRelease);
}

TEST_F(FrontName, ATypedNameIsSavedWithTheSettings) {
    Type({'B', 'r', 'a', 'm', 'b', 'l', 'e'});
    PlayKey(98);  // Return finishes
    Screen();
    ReleaseAll();
    EXPECT_EQ(g.OverlayScreen, bh::kScreenOptions);
    // The options screen saves as it closes.
    memset(g.KeyLock, 0, sizeof g.KeyLock);
    PlayKey(99);
    Run([&] { g.Options(); });
    ASSERT_EQ(g.OverlayScreen, bh::kScreenNone);
    EXPECT_EQ(SavedInt("Settings.sav", 50), 13 | (55 << 8));  // "B" and "r"
    for (int i = 50; i < 56; i++) g.Settings[i] = 0;
    g.Load();
    EXPECT_EQ(Name(), "Bramble     ");
}

TEST_F(FrontName, LettersSitCentredInTheirBoxes) {
    const char* name = "MiW-0 zzAAil";
    for (int k = 0; k < 12; k++) {
        int q = 0;
        for (int c = 0; c < 64; c++)
            if (g.Char64b(c) == name[k]) q = c;
        int& slot = g.Settings[bh::kSettingName + k / 2];
        slot |= k % 2 == 0 ? q : q << 8;
    }
    Screen();
    int found = 0;
    for (const ShownText& t : TextsDrawn()) {
        if (std::fabs(t.y - 300) > 0.01f || t.text.size() != 1 || t.text == " ") continue;
        // A glyph's ink starts 2 pixels into its 32-pixel cell and is its
        // advance wide.
        int f = t.text[0] - 32;
        float ink = t.x - 16 + 2 + (fontw[f] - 1) / 2.0f;
        float box = (float)std::lround((ink - (400 - 220)) / 40.0) * 40 + (400 - 220);
        EXPECT_NEAR(ink, box, 2.0f) << t.text;
        found++;
    }
    EXPECT_GE(found, 11);  // the space draws nothing to check
}

TEST_F(FrontName, UpOnABlankBoxGivesZAndDownWrapsBack) {
    Tap(0);
    EXPECT_EQ(Name(), "z           ");
    EXPECT_EQ(g.Settings[bh::kSettingName], 63);
    Tap(2);
    EXPECT_EQ(Name(), "Enter Your Name");
    Tap(2);
    EXPECT_EQ(Name(), "-           ");
}

TEST_F(FrontName, TwoCharactersShareASlot) {
    struct Case {
        int s50, s55;
        const char* shown;
    } cases[] = {
        {0, 0, "Enter Your Name"},
        {12, 0, "A           "},
        {12 | (38 << 8), 0, "Aa          "},
        {0, 2 | (11 << 8), "          09"},
        {0, 0x40 | (0x40 << 8), "Enter Your Name"},  // stray bits are no letter
    };
    for (const Case& c : cases) {
        g.Settings[bh::kSettingName] = c.s50;
        g.Settings[bh::kSettingName + 5] = c.s55;
        EXPECT_EQ(Name(), c.shown);
    }

    // Editing one character leaves its neighbour alone.
    g.Settings[bh::kSettingName] = 12 | (38 << 8);
    g.Settings[bh::kSettingName + 5] = 0;
    g.OptionsCursor = 1;
    Tap(0);
    EXPECT_EQ(g.Settings[bh::kSettingName], 12 | (37 << 8));
}

TEST_F(FrontName, HeldWheelRepeatsAfterShrinkingGaps) {
    Screen();  // nothing held: the first gap is armed
    Control(2);
    std::vector<int> steps;
    int code = 0;
    for (int u = 1; u <= 80; u++) {
        Screen();
        if ((g.Settings[bh::kSettingName] & 63) != code) {
            code = g.Settings[bh::kSettingName] & 63;
            steps.push_back(u);
        }
    }
    EXPECT_EQ(std::vector<int>(steps.begin(), steps.begin() + 7), (std::vector<int>{1, 31, 53, 67, 73, 75, 77}));
}

TEST_F(FrontName, MovingAdvancingAndDeletingAtTheEnds) {
    Tap(3);
    EXPECT_EQ(g.OptionsCursor, 11);  // left from the first box wraps
    Tap(10);
    EXPECT_EQ(g.OptionsCursor, 11);  // no box after the last
    Tap(1);
    EXPECT_EQ(g.OptionsCursor, 0);

    g.Settings[bh::kSettingName] = 12;  // "A"
    Tap(11);
    EXPECT_EQ(g.OptionsCursor, 0);
    EXPECT_EQ(Name(), "Enter Your Name");

    g.Settings[bh::kSettingName] = 12;
    Tap(10);  // Z: advance and copy the letter
    EXPECT_EQ(g.OptionsCursor, 1);
    EXPECT_EQ(Name(), "AA          ");
    Tap(11);
    EXPECT_EQ(g.OptionsCursor, 0);
    EXPECT_EQ(Name(), "A           ");
}

TEST_F(FrontName, ReturnEscapeButton3And4Finish) {
    struct Case {
        const char* what;
        int control, playKey;
    } cases[] = {
        {"Return (also Button 1)", 10, 98},
        {"Escape", -1, 99},
        {"Button 3", 12, -1},
        {"Button 4", 13, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        g.Settings[bh::kSettingName] = 12;
        if (c.control >= 0) Control(c.control);
        if (c.playKey >= 0) PlayKey(c.playKey);
        Screen();
        EXPECT_EQ(g.OverlayScreen, bh::kScreenOptions);
        EXPECT_EQ(g.OptionsCursor, 0);
        EXPECT_EQ(Name(), "A           ");  // nothing advanced or copied
        EXPECT_EQ(g.KeyLock[bh::kLockNameAction], 1);
    }
}

}  // namespace
