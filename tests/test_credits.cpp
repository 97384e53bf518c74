// The credit text, the inputs that close the credits, and the scroll.
#include <string>
#include <vector>

#include "test_menu_fixture.h"

namespace {

class FrontCredits : public FrontScreen {
protected:
    void SetUp() override {
        FrontScreen::SetUp();
        g.AddDefaultCredits();
        g.OverlayScreen = bh::kScreenCredits;
    }
    void TearDown() override { g.AddDefaultCredits(); }
    void Screen(int updates = 1) {
        Run([&] { g.Credits(); }, updates);
    }
};

TEST_F(FrontCredits, DefaultTextHasItsSectionsInOrder) {
    ASSERT_EQ(g.CreditCount, 71);
    EXPECT_EQ(g.CreditLines[0], "Another game by");
    EXPECT_EQ(g.CreditLines[71], "-=-=-");
    std::vector<std::string> headings;
    for (int i = 0; i <= g.CreditCount; i++) {
        const std::string& l = g.CreditLines[i];
        for (const char* h : {"Coded In", "Graphics", "Font", "Audio", "Music", "Special Thanks"})
            if (l == h) headings.push_back(l);
        for (char c : l) EXPECT_TRUE(c >= 32 && c < 127) << l;  // all in the font
        // Each heading follows a separator and an empty line.
        if (!headings.empty() && l == headings.back()) {
            EXPECT_EQ(g.CreditLines[i - 1], "");
            EXPECT_EQ(g.CreditLines[i - 2], "-=-=-");
        }
    }
    EXPECT_EQ(headings, (std::vector<std::string>{"Coded In", "Graphics", "Font", "Audio", "Music", "Special Thanks"}));
}

TEST_F(FrontCredits, AnyButtonEscapeReturnOrTapCloses) {
    struct Case {
        const char* what;
        int control, playKey;
        bool tap;
    } cases[] = {
        {"Start", 8, -1, false},     {"Back/Select", 9, -1, false}, {"Button 1", 10, -1, false},
        {"Button 2", 11, -1, false}, {"Escape", -1, 99, false},     {"Return", -1, 98, false},
        {"a tap", -1, -1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        Screen();
        if (c.control >= 0) Control(c.control);
        if (c.playKey >= 0) PlayKey(c.playKey);
        if (c.tap) Mouse(300, 200, true);
        Screen();
        EXPECT_EQ(g.OverlayScreen, bh::kScreenNone);
        EXPECT_EQ(g.KeyLock[bh::kLockEscape], 1);  // Escape cannot quit the title at once
    }
}

TEST_F(FrontCredits, HeldInputFromBeforeOpeningDoesNotClose) {
    g.LockKeys();  // as the title button left it
    Mouse(300, 200, true);
    Control(10);
    Screen(5);
    EXPECT_EQ(g.OverlayScreen, bh::kScreenCredits);
    ReleaseAll();
    Mouse(300, 200, false);
    Screen();
    Mouse(300, 200, true);
    Screen();
    EXPECT_EQ(g.OverlayScreen, bh::kScreenNone);
}

TEST_F(FrontCredits, ScrollSpeedsUpWhileADirectionIsHeldAndStartsOver) {
    Screen(4);
    EXPECT_FLOAT_EQ(g.CreditScroll, -3.0f);
    Control(3);
    Screen(4);
    EXPECT_FLOAT_EQ(g.CreditScroll, -12.0f);
    ReleaseAll();
    Screen();
    EXPECT_FLOAT_EQ(g.CreditScroll, -12.75f);

    // The last line has left the top: the text comes in from below again.
    g.CreditScroll = -36.0f * (71 + 8) + 0.5f;
    Screen();
    EXPECT_EQ(g.CreditScroll, 0.0f);
}

TEST_F(FrontCredits, LinesPastTheTableAreCountedNotStored) {
    g.CreditCount = -1;
    for (int i = 0; i < 1030; i++) g.AddCredits(g.fstr("line %i", i));
    EXPECT_EQ(g.CreditCount, 1029);
    EXPECT_EQ(g.CreditLines[1023], "line 1023");
    g.CreditScroll = -36.0f * 1020;  // the last stored lines in view
    Screen(3);
    EXPECT_EQ(g.OverlayScreen, bh::kScreenCredits);

    g.CreditCount = -1;  // no lines: background and status only
    Screen(3);
    EXPECT_EQ(g.OverlayScreen, bh::kScreenCredits);
}

}  // namespace
