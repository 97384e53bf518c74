// The five best and five newest scores of each difficulty, and the panel's
// slide, timer and page turns.
#include <vector>

#include "test_menu_fixture.h"

namespace {

class FrontScoreboard : public FrontScreen {
protected:
    void Enter(float score) {
        g.Play.Score = score;
        g.HandleDefaultScoreboards();
    }
    std::vector<int> Board(int first) {
        return std::vector<int>(g.ScoreTable + first, g.ScoreTable + first + 5);
    }
    void Panel(int updates = 1) { Run([&] { g.DisplayScoreboard(); }, updates); }
    // Updates until the page changes, at most limit.
    int UpdatesToNextPage(int limit = 1000) {
        int page = g.BoardPage;
        for (int u = 1; u <= limit; u++) {
            Panel();
            if (g.BoardPage != page) return u;
        }
        return -1;
    }
};

using Scores = std::vector<int>;

TEST_F(FrontScoreboard, ScoresEnterBothBoardsOfTheirDifficulty) {
    for (float s : {500.0f, 300.0f, 300.0f, 0.0f}) Enter(s);
    EXPECT_EQ(Board(40), (Scores{500, 300, 300, 0, 0}));
    EXPECT_EQ(Board(45), (Scores{0, 300, 300, 500, 0}));

    // Better scores push the lowest out; Last 5 keeps the five newest.
    for (float s : {100.0f, 200.0f, 600.7f}) Enter(s);
    EXPECT_EQ(Board(40), (Scores{600, 500, 300, 300, 200}));
    EXPECT_EQ(Board(45), (Scores{600, 200, 100, 0, 300}));

    // Only the highlighted difficulty's boards change.
    EXPECT_EQ(Board(20), (Scores{0, 0, 0, 0, 0}));
    EXPECT_EQ(Board(60), (Scores{0, 0, 0, 0, 0}));
}

TEST_F(FrontScoreboard, CursorOutsideTheTableIsRefused) {
    g.DifficultyCursor = 5000;
    Enter(700);
    g.DifficultyCursor = -3;
    Enter(700);
    EXPECT_TRUE(log.Has("No scoreboard for difficulty 5000, score not kept"));
    for (int i = 0; i < 22000; i++) ASSERT_EQ(g.ScoreTable[i], 0) << i;
}

TEST_F(FrontScoreboard, PanelSlidesInStaysAndTurnsEvery301Updates) {
    for (int calm : {0, 1}) {
        SCOPED_TRACE(calm);
        SetUp();
        g.Settings[23] = calm;
        Panel(12);
        EXPECT_EQ(g.BoardSlide, -180);
        Panel(259);
        EXPECT_EQ(g.BoardTimer, 271);
        EXPECT_EQ(g.BoardSlide, -164);  // sliding out
        EXPECT_EQ(g.BoardPage, 0);
        EXPECT_EQ(UpdatesToNextPage(), 30);
        EXPECT_EQ(g.BoardSlide, 64 - 16);  // off screen, already coming back
        EXPECT_EQ(UpdatesToNextPage(), 301);
        EXPECT_EQ(g.BoardPage, 0);  // back to "Top 5"
    }
}

TEST_F(FrontScoreboard, Button4OrAClickTurnsThePage) {
    Panel(50);
    Control(13);
    // The press sets the timer to 270; 301 comes 31 updates later. Held,
    // it acts only once.
    EXPECT_EQ(UpdatesToNextPage(), 32);
    ReleaseAll();
    Panel(50);

    // A held pointer keeps the panel waiting; the page turns after release.
    Mouse(700, 300, true);
    Panel(100);
    EXPECT_EQ(g.BoardTimer, 270);
    EXPECT_EQ(g.BoardPage, 1);
    Mouse(700, 300, false);
    EXPECT_EQ(UpdatesToNextPage(), 31);
}

TEST_F(FrontScoreboard, MovingTheHighlightRestartsOnTop5) {
    g.MenuPage = 1;
    Run([&] { g.DoMenu(); }, 400);
    EXPECT_EQ(g.BoardPage, 1);
    Control(2);
    Run([&] { g.DoMenu(); });
    EXPECT_EQ(g.DifficultyCursor, 3);
    EXPECT_EQ(g.BoardPage, 0);
    EXPECT_EQ(g.BoardTimer, 1);
}

}  // namespace
