// The title page: Escape and its lock, moving between the four buttons,
// activating them by control or by two taps, and the swapped confirm.
#include "test_menu_fixture.h"

namespace {

class FrontTitle : public FrontScreen {
protected:
    void Title(int updates = 1) {
        Run([&] { g.Menu_Start(); }, updates);
    }
};

// Escape (also bound to "Start") never leaves: it goes to Quit, and only
// after its lock is released.
TEST_F(FrontTitle, EscapeGoesToQuitOnlyAfterItsLockIsReleased) {
    // As after returning from another screen with Escape still held.
    g.LockKeys();
    PlayKey(99);
    Control(8);
    Title(5);
    EXPECT_EQ(g.TitleCursor, 0);
    ReleaseAll();
    Title();
    for (int press = 0; press < 3; press++) {
        PlayKey(99);
        Control(8);
        Title(4);
        EXPECT_EQ(g.TitleCursor, -1);
        EXPECT_EQ(g.GameBreak, 0);
        EXPECT_EQ(g.MenuPage, 0) << "not taken as a confirm";
        EXPECT_FALSE(Drew("Quit Bramblehop?"));
        ReleaseAll();
        Title();
    }
}

// Quit asks first; a second press after letting go leaves, Escape or a
// move takes the question back.
TEST_F(FrontTitle, QuitAsksAndASecondPressLeaves) {
    g.TitleCursor = -1;
    Control(10);
    Title(10);
    EXPECT_EQ(g.GameBreak, 0);
    EXPECT_TRUE(Drew("Quit Bramblehop?"));
    EXPECT_TRUE(Drew("Press again to quit"));
    ReleaseAll();
    Title();
    PlayKey(99);
    Title();
    EXPECT_FALSE(Drew("Quit Bramblehop?")) << "Escape takes it back";
    EXPECT_EQ(g.TitleCursor, -1);
    ReleaseAll();
    Title();
    Control(10);
    Title();
    ReleaseAll();
    Title();
    Control(1);  // to Start
    Title();
    ReleaseAll();
    Title();
    Control(3);
    Title();
    ReleaseAll();
    Title();
    EXPECT_FALSE(Drew("Quit Bramblehop?")) << "moving away takes it back";
    Control(10);
    Title();
    ReleaseAll();
    Title();
    Control(10);
    Title();
    EXPECT_EQ(g.GameBreak, 1);
}

TEST_F(FrontTitle, LeftAndRightWrapRoundTheRowOneStepPerPress) {
    struct Case {
        int control;
        int visits[5];
    } cases[] = {{1, {2, 1, -2, -1, 0}}, {3, {-1, -2, 1, 2, 0}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control);
        g.TitleCursor = 0;
        for (int expected : c.visits) {
            Control(c.control);
            Title(8);  // held: one move only
            EXPECT_EQ(g.TitleCursor, expected);
            ReleaseAll();
            Title();
        }
    }
    // A value between the thresholds keeps the lock.
    Control(1);
    Title();
    Control(1, 0.4f);
    Title();
    Control(1);
    Title();
    EXPECT_EQ(g.TitleCursor, 2);
}

TEST_F(FrontTitle, ConfirmActivatesTheHighlightedButton) {
    struct Case {
        int cursor;
        int page, overlay, quit;
    } cases[] = {
        {0, 1, bh::kScreenNone, 0},
        {1, 0, bh::kScreenOptions, 0},
        {-2, 0, bh::kScreenCredits, 0},
        {-1, 0, bh::kScreenNone, 0},  // Quit asks first
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cursor);
        SetUp();
        g.TitleCursor = c.cursor;
        g.OptionsCursor = 5;
        g.OptionsScroll = -100;
        g.DebugMode = 1;  // flipped with F1 during play
        Control(10);
        Title();
        EXPECT_EQ(g.MenuPage, c.page);
        EXPECT_EQ(g.OverlayScreen, c.overlay);
        EXPECT_EQ(g.GameBreak, c.quit);
        EXPECT_EQ(g.TitleCursor, c.cursor);
        if (c.overlay == bh::kScreenOptions) {
            EXPECT_EQ(g.OptionsCursor, 0);
            EXPECT_EQ(g.OptionsScroll, 0);
            EXPECT_EQ(g.Settings[bh::kSettingDebugStats], 1);
        }
    }
}

TEST_F(FrontTitle, HoverHighlightsAndOneClickActivates) {
    // Options sits at (W - 52, H - 96), Credits at (52, H - 96).
    Mouse(748, 504, false);
    Title();
    EXPECT_EQ(g.TitleCursor, 1);
    EXPECT_EQ(g.OverlayScreen, bh::kScreenNone);
    // A pointer left resting does not take the highlight back from the keys.
    Control(3);
    Title();
    ReleaseAll();
    Title(3);
    EXPECT_EQ(g.TitleCursor, 2);  // How to play, Options' left neighbour

    // One click acts at once, on a button that was not highlighted too.
    Mouse(52, 504, true);
    Title();
    EXPECT_EQ(g.TitleCursor, -2);
    EXPECT_EQ(g.OverlayScreen, bh::kScreenCredits);

    SetUp();
    Mouse(748, 504, true);
    Title(4);  // held: acts once
    EXPECT_EQ(g.OverlayScreen, bh::kScreenOptions);
}

TEST_F(FrontTitle, SwappedRolesLetButton2ConfirmInstead) {
    g.Settings[bh::kSettingSwapConfirm] = 1;
    Control(10);
    Title();
    EXPECT_EQ(g.MenuPage, 0);
    ReleaseAll();
    Title();
    Control(11);
    Title();
    EXPECT_EQ(g.MenuPage, 1);
}

}  // namespace
