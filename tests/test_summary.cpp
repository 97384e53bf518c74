// The summary after the last life: it follows the "Game Over" banner, says
// the score, the level reached and the place the score takes on its board
// (the place the board then gives it), and waits for a press before the
// difficulty list comes back.
#include <string>
#include <vector>

#include "test_menu_fixture.h"

namespace {

class GameSummary : public FrontScreen {
protected:
    const int best = bh::BoardBase(bh::kDifficultyNormal), newest = best + bh::kBoardNewest;
    void Loop(int updates = 1) {
        Run([&] { g.LoopTarget(); }, updates);
    }
    // A game just lost at the given score and level, on the Normal board
    // unless another difficulty is given.
    void Lost(float score, int level, int difficulty = bh::kDifficultyNormal) {
        g.GameMode = bh::kModePlaying;
        g.MenuPage = 1;
        g.DifficultyCursor = difficulty;
        g.Play.Score = g.Play.ShownScore = score;
        g.Play.LevelNumber = (float)level;
        g.Play.Lives = -1;
        g.OpenGameSummary();
    }
};

TEST_F(GameSummary, SaysScoreLevelAndThePlaceTheBoardGives) {
    const int board[5] = {500, 400, 300, 200, 100};
    struct Case {
        float score;
        int level;
        const char* place;  // nullptr: no place line
        bool best;
        int slot;  // where the board puts the score; -1 nowhere
    } cases[] = {
        {600, 4, "1st on the Normal board", true, 0},
        {350, 2, "3rd on the Normal board", false, 2},
        {101, 1, "5th on the Normal board", false, 4},
        {100, 1, "Not on the Normal board", false, -1},  // a tie does not beat its holder
        {0, 0, "Not on the Normal board", false, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.score);
        SetUp();
        for (int i = 0; i < 5; i++) g.ScoreTable[best + i] = board[i];
        Lost(c.score, c.level);
        Loop();
        EXPECT_TRUE(Drew("Game Over"));
        EXPECT_TRUE(
            Drew("Score " + std::string(8 - std::to_string((int)c.score).size(), '0') + std::to_string((int)c.score)));
        EXPECT_TRUE(Drew(c.level > 0 ? "Reached level " + std::to_string(c.level) : "Still in the intro room"));
        EXPECT_TRUE(Drew(c.place));
        EXPECT_EQ(Drew("New best!"), c.best);

        // The board, filled on the way back, agrees.
        g.LoadMenu();
        if (c.slot >= 0) {
            EXPECT_EQ(g.ScoreTable[best + c.slot], (int)c.score);
        } else {
            for (int i = 0; i < 5; i++) EXPECT_EQ(g.ScoreTable[best + i], board[i]) << i;
        }
    }

    // An empty board: any points at all are a new best.
    SetUp();
    Lost(5, 1);
    Loop();
    EXPECT_TRUE(Drew("1st on the Normal board"));
    EXPECT_TRUE(Drew("New best!"));
}

TEST_F(GameSummary, NamesTheBoardOfTheDifficultyPlayed) {
    const struct {
        int difficulty;
        const char* place;
    } cases[] = {{1, "1st on the Easy board"}, {2, "1st on the Normal board"}, {3, "1st on the Hard board"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.place);
        SetUp();
        Lost(5, 1, c.difficulty);
        Loop();
        EXPECT_TRUE(Drew(c.place));
    }
}

TEST_F(GameSummary, WaitsForAFreshPressThenReturnsToTheList) {
    Control(10);  // the flap that ended the game, still held
    Lost(250, 3);
    Loop(30);
    EXPECT_EQ(g.OverlayScreen, bh::kScreenGameOver);
    EXPECT_EQ(g.GameMode, bh::kModePlaying);
    ReleaseAll();
    Loop();
    EXPECT_EQ(g.OverlayScreen, bh::kScreenGameOver);
    Control(2);  // "Down" is a press too, but must not move the list
    Loop();
    EXPECT_EQ(g.OverlayScreen, bh::kScreenNone);
    EXPECT_EQ(g.GameMode, bh::kModeBackToTitle);
    Loop();  // the title takes the score
    EXPECT_EQ(g.GameMode, bh::kModeTitle);
    EXPECT_EQ(g.MenuPage, 1);
    EXPECT_EQ(g.ScoreTable[best], 250);
    int cursor = g.DifficultyCursor;
    Loop(10);  // "Down" still held
    EXPECT_EQ(g.DifficultyCursor, cursor);
}

TEST_F(GameSummary, ClosingTheGameOnTheSummaryKeepsTheScore) {
    Lost(321, 2);
    Loop();
    g.Finish();
    EXPECT_EQ(g.ScoreTable[best], 321);
    EXPECT_EQ(g.ScoreTable[newest], 321);                             // the newest of the last five
    EXPECT_EQ(SavedInt("Save_552_Bramblehop.sav", 100 + best), 321);  // after the file's 100 settings
}

}  // namespace
