// The difficulty list, the logo zoom and the return from a finished game.
#include <vector>

#include "test_menu_fixture.h"

namespace {

class FrontMenu : public FrontScreen {
protected:
    void List() { g.Menu_Default("Easy|Normal|Hard", "a|b|c"); }
    // Lets the list ease into place with no input.
    void Settle() {
        Run([&] { List(); }, 80);
    }
};

TEST_F(FrontMenu, HeldDirectionRepeatsAfterShrinkingGapsAndWraps) {
    g.MenuPage = 1;
    g.DifficultyCursor = 1;
    Run([&] { List(); });  // nothing held yet: the long first gap is armed
    Control(2);
    std::vector<int> when, where;
    for (int u = 1; u <= 80; u++) {
        int before = g.DifficultyCursor;
        Run([&] { List(); });
        if (g.DifficultyCursor != before) {
            when.push_back(u);
            where.push_back(g.DifficultyCursor);
        }
    }
    std::vector<int> gaps;
    for (size_t i = 1; i < when.size(); i++) gaps.push_back(when[i] - when[i - 1]);
    EXPECT_EQ(when.front(), 1);
    EXPECT_EQ(gaps, (std::vector<int>{24, 18, 12, 6, 3, 3, 3, 3, 3, 3}));
    EXPECT_EQ(std::vector<int>(where.begin(), where.begin() + 5), (std::vector<int>{2, 3, 1, 2, 3}));

    // Releasing all four directions restores the long first gap; "Up" wraps
    // the other way.
    ReleaseAll();
    Run([&] { List(); });
    g.DifficultyCursor = 1;
    Control(0);
    Run([&] { List(); });
    EXPECT_EQ(g.DifficultyCursor, 3);
    Run([&] { List(); }, 23);
    EXPECT_EQ(g.DifficultyCursor, 3);
    Run([&] { List(); });
    EXPECT_EQ(g.DifficultyCursor, 2);
}

TEST_F(FrontMenu, HoverHighlightsAndOneClickStartsWithPointerPlay) {
    g.MenuPage = 1;
    Settle();
    // Landscape 800 x 600: the highlighted item sits on y = 472, 46 apart.
    Mouse(228, 518, false);
    Run([&] { List(); });
    EXPECT_EQ(g.DifficultyCursor, 3);
    EXPECT_EQ(g.GameMode, bh::kModeTitle);
    // Resting there, the pointer leaves the keys' choice alone.
    Control(0);
    Run([&] { List(); });
    ReleaseAll();
    Settle();
    EXPECT_EQ(g.DifficultyCursor, 2);

    // One click on an item that is not highlighted starts that one.
    Mouse(228, 518, true);
    Run([&] { List(); });
    EXPECT_EQ(g.GameMode, bh::kModeNewGame);
    EXPECT_EQ(g.Difficulty, 3);
    EXPECT_EQ(g.PointerPlay, 1);
    EXPECT_EQ(g.MenuPage, 1);  // the list reopens here after the game
}

TEST_F(FrontMenu, ControlsConfirmOrGoBack) {
    struct Case {
        const char* what;
        int control, playKey;
        int page, mode;
    } cases[] = {
        {"Escape goes back and never starts", 8, 99, 0, bh::kModeTitle},
        {"Button 2 goes back", 11, -1, 0, bh::kModeTitle},
        {"Button 1 starts", 10, -1, 1, bh::kModeNewGame},
        {"a pad's Start starts", 8, -1, 1, bh::kModeNewGame},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        g.MenuPage = 1;
        g.PointerPlay = 1;
        Control(c.control);
        if (c.playKey >= 0) PlayKey(c.playKey);
        Run([&] { List(); }, 3);
        EXPECT_EQ(g.MenuPage, c.page);
        EXPECT_EQ(g.GameMode, c.mode);
        if (c.mode == bh::kModeNewGame) {
            EXPECT_EQ(g.PointerPlay, 0);
            EXPECT_EQ(g.Difficulty, 2);
        }
    }
}

TEST_F(FrontMenu, BackArrowReturnsToTitle) {
    g.MenuPage = 1;
    Mouse(20, 40, true);
    Run([&] { List(); });
    EXPECT_EQ(g.MenuPage, 0);
    EXPECT_EQ(g.GameMode, bh::kModeTitle);
}

TEST_F(FrontMenu, PortraitHidesItemsFarFromTheTargetLine) {
    // Portrait 512 x 800: target line 620, spacing 58, list top 562 for the
    // second item highlighted, so items sit at 562, 620, 678, 736, 794.
    g.ScreenW = 512;
    g.ScreenH = 800;
    g.MenuPage = 1;
    auto list = [&] { g.Menu_Default("A|B|C|D|E", ""); };
    Run(list, 80);
    Mouse(228, 794, true);  // 174 away: past 2.4 x 58
    Run(list);
    EXPECT_EQ(g.DifficultyCursor, 2);
    Mouse(228, 794, false);
    Run(list);
    Mouse(228, 736, true);  // 116 away: hidden in landscape, shown here
    Run(list);
    EXPECT_EQ(g.DifficultyCursor, 4);
}

TEST_F(FrontMenu, EachItemShowsItsDescriptionInTheGapUnderItsBar) {
    struct Case {
        float w, h, spacing;
    } cases[] = {{800, 600, 46}, {512, 910, 58}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.h);
        SetUp();
        g.ScreenW = c.w;
        g.ScreenH = c.h;
        g.MenuPage = 1;
        auto list = [&] {
            g.Menu_Default("Easy|Normal|Hard", "For learning the ropes|Just right|When you feel like a challenge");
        };
        Run(list, 80);
        const char* items[] = {"Easy", "Normal", "Hard"};
        const char* said[] = {"For learning the ropes", "Just right", "When you feel like a challenge"};
        std::vector<ShownText> shown = TextsDrawn();
        for (int i = 0; i < 3; i++) {
            const ShownText *label = nullptr, *text = nullptr;
            for (const ShownText& t : shown) {
                if (t.text == items[i]) label = &t;
                if (t.text == said[i]) text = &t;
            }
            ASSERT_TRUE(label && text) << said[i];
            // Below the item's 32-high bar and above the next one's.
            EXPECT_GT(text->y, label->y + 16) << said[i];
            EXPECT_LT(text->y, label->y + c.spacing - 16) << said[i];
        }
    }
}

TEST_F(FrontMenu, TheItemUnderTheCursorStandsOutToTheRight) {
    g.MenuPage = 1;
    const char* items[] = {"Easy", "Normal", "Hard"};
    for (int cursor = 1; cursor <= 3; cursor++) {
        SCOPED_TRACE(cursor);
        g.DifficultyCursor = cursor;
        Run([&] { g.Menu_Default("Easy|Normal|Hard", ""); }, 80);
        float x[3] = {0, 0, 0};
        for (const ShownText& t : TextsDrawn()) {
            for (int i = 0; i < 3; i++)
                if (t.text == items[i]) x[i] = t.x;
        }
        for (int i = 0; i < 3; i++) {
            ASSERT_GT(x[i], 0) << items[i];
            if (i + 1 == cursor) continue;
            EXPECT_GT(x[cursor - 1], x[i] + 24) << items[i];
        }
    }
}

// The 1024 x 512 logo hangs 16 pixels below the top, as large as fits in
// the width less 32 and the height less the 196 the list needs.
TEST_F(FrontMenu, LogoFitsTheWidthOrTheHeightLeftByTheList) {
    struct Case {
        float w, h, scale;
    } cases[] = {{800, 600, 0.75f}, {1056, 600, 0.7890625f}, {1600, 500, 0.59375f}, {1056, 708, 1.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
        g.ScreenW = c.w;
        g.ScreenH = c.h;
        g.LogoZoom = 1.0f;
        Run([&] { g.Menu_Background(); });
        int logos = 0;
        for (const ShownImage& i : ImagesDrawn()) {
            if (i.slot != bh::kImgLogo) continue;
            logos++;
            EXPECT_FLOAT_EQ(i.x, c.w / 2);
            EXPECT_FLOAT_EQ(i.y, 16 + 256 * c.scale);
        }
        EXPECT_EQ(logos, 1);
    }
}

TEST_F(FrontMenu, LogoZoomsInTenUpdatesOrOneWithMotionReduction) {
    auto menu = [&] { g.DoMenu(); };
    g.MenuPage = 1;
    Run(menu, 9);
    EXPECT_LT(g.LogoZoom, 1.95f);
    Run(menu);
    EXPECT_GT(g.LogoZoom, 1.99f);

    g.LogoZoom = 1.0f;
    g.Settings[bh::kSettingCalmMotion] = 1;
    Run(menu);
    Run([&] { g.Menu_Background(); });
    EXPECT_EQ(g.LogoZoom, 2.0f);
    g.MenuPage = 0;
    Run(menu);
    Run([&] { g.Menu_Background(); });
    EXPECT_EQ(g.LogoZoom, 1.0f);
}

TEST_F(FrontMenu, FinishedGameEntersScoreSavesAndReturnsToTheList) {
    g.MenuPage = 1;
    g.GameMode = bh::kModeBackToTitle;
    g.GameEnding = -1;
    g.Play.Score = 1234.9f;
    Run([&] { g.LoopTarget(); });
    EXPECT_EQ(g.GameMode, bh::kModeTitle);
    EXPECT_EQ(g.GameEnding, 0);
    EXPECT_EQ(g.MenuPage, 1);
    const int board = bh::BoardBase(g.DifficultyCursor);
    ASSERT_GE(board, 0);
    EXPECT_EQ(g.ScoreTable[board], 1234);
    EXPECT_EQ(g.ScoreTable[board + bh::kBoardNewest], 1234);
    EXPECT_EQ(ReadBytes(dir.File("Save_552_Bramblehop.sav")).size(), 88404u);
}

}  // namespace
