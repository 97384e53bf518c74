// Name entry: the character wheel, the two-per-slot storage, moving,
// advancing, deleting and finishing, and the name shown in the options.
#include <string>
#include <vector>

#include "test_menu_fixture.h"

namespace {

class FrontName : public FrontScreen {
protected:
    void SetUp() override {
        FrontScreen::SetUp();
        g.OverlayScreen = 4;
        g.OptionsCursor = 0;
    }
    void Screen(int updates = 1) { Run([&] { g.EnterYourName(); }, updates); }
    void Tap(int control, int playKey = -1) {
        if (control >= 0) Control(control);
        if (playKey >= 0) PlayKey(playKey);
        Screen();
        ReleaseAll();
        Screen();
    }
    std::string Name() { return g.ShowName(); }
};

TEST_F(FrontName, UpOnABlankBoxGivesZAndDownWrapsBack) {
    Tap(0);
    EXPECT_EQ(Name(), "z           ");
    EXPECT_EQ(g.Settings[50], 63);
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
        g.Settings[50] = c.s50;
        g.Settings[55] = c.s55;
        EXPECT_EQ(Name(), c.shown);
    }

    // Editing one character leaves its neighbour alone.
    g.Settings[50] = 12 | (38 << 8);
    g.Settings[55] = 0;
    g.OptionsCursor = 1;
    Tap(0);
    EXPECT_EQ(g.Settings[50], 12 | (37 << 8));
}

TEST_F(FrontName, HeldWheelRepeatsAfterShrinkingGaps) {
    Screen();  // nothing held: the first gap is armed
    Control(2);
    std::vector<int> steps;
    int code = 0;
    for (int u = 1; u <= 80; u++) {
        Screen();
        if ((g.Settings[50] & 63) != code) {
            code = g.Settings[50] & 63;
            steps.push_back(u);
        }
    }
    EXPECT_EQ(std::vector<int>(steps.begin(), steps.begin() + 7),
              (std::vector<int>{1, 31, 53, 67, 73, 75, 77}));
}

TEST_F(FrontName, MovingAdvancingAndDeletingAtTheEnds) {
    Tap(3);
    EXPECT_EQ(g.OptionsCursor, 11);  // left from the first box wraps
    Tap(10);
    EXPECT_EQ(g.OptionsCursor, 11);  // no box after the last
    Tap(1);
    EXPECT_EQ(g.OptionsCursor, 0);

    g.Settings[50] = 12;  // "A"
    Tap(11);
    EXPECT_EQ(g.OptionsCursor, 0);
    EXPECT_EQ(Name(), "Enter Your Name");

    g.Settings[50] = 12;
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
        g.Settings[50] = 12;
        if (c.control >= 0) Control(c.control);
        if (c.playKey >= 0) PlayKey(c.playKey);
        Screen();
        EXPECT_EQ(g.OverlayScreen, 1);
        EXPECT_EQ(g.OptionsCursor, 0);
        EXPECT_EQ(Name(), "A           ");  // nothing advanced or copied
        EXPECT_EQ(g.KeyLock[11], 1);
    }
}

}  // namespace
