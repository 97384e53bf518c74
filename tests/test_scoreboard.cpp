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
    // A difficulty's five best and its five newest scores.
    std::vector<int> Best(int difficulty) { return Five(bh::BoardBase(difficulty)); }
    std::vector<int> Newest(int difficulty) { return Five(bh::BoardBase(difficulty) + bh::kBoardNewest); }
    std::vector<int> Five(int first) { return std::vector<int>(g.ScoreTable + first, g.ScoreTable + first + 5); }
    void Panel(int updates = 1) {
        Run([&] { g.DisplayScoreboard(); }, updates);
    }
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
    const int normal = bh::kDifficultyNormal;
    g.DifficultyCursor = normal;
    for (float s : {500.0f, 300.0f, 300.0f, 0.0f}) Enter(s);
    EXPECT_EQ(Best(normal), (Scores{500, 300, 300, 0, 0}));
    EXPECT_EQ(Newest(normal), (Scores{0, 300, 300, 500, 0}));

    // Better scores push the lowest out; Last 5 keeps the five newest.
    for (float s : {100.0f, 200.0f, 600.7f}) Enter(s);
    EXPECT_EQ(Best(normal), (Scores{600, 500, 300, 300, 200}));
    EXPECT_EQ(Newest(normal), (Scores{600, 200, 100, 0, 300}));

    // Only the highlighted difficulty's boards change.
    for (int other : {bh::kDifficultyEasy, bh::kDifficultyHard}) {
        EXPECT_EQ(Best(other), (Scores{0, 0, 0, 0, 0}));
        EXPECT_EQ(Newest(other), (Scores{0, 0, 0, 0, 0}));
    }
}

TEST_F(FrontScoreboard, CursorOutsideTheTableIsRefused) {
    g.DifficultyCursor = 5000;
    Enter(700);
    g.DifficultyCursor = -3;
    Enter(700);
    EXPECT_TRUE(log.Has("No scoreboard for difficulty 5000, score not kept"));
    for (int i = 0; i < bh::kScoreTableSize; i++) ASSERT_EQ(g.ScoreTable[i], 0) << i;
}

TEST_F(FrontScoreboard, PanelSlidesInStaysAndTurnsEvery301Updates) {
    for (int calm : {0, 1}) {
        SCOPED_TRACE(calm);
        SetUp();
        g.Settings[bh::kSettingCalmMotion] = calm;
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

namespace {

class DailyBoard : public FrontScoreboard {
protected:
    void SetUp() override {
        FrontScoreboard::SetUp();
        for (int& v : g.DailyBoard) v = 0;
        g.DailyDate = 0;
    }
    void TearDown() override { g.DailyDate = 0; }
    void EnterDaily(int date, float score) {
        g.DailyDate = date;
        Enter(score);
    }
    std::vector<int> Days() { return std::vector<int>(g.DailyBoard, g.DailyBoard + 2 * bh::kDailyDays); }
};

TEST_F(DailyBoard, TheDaysScoreStaysOffTheOtherBoardsAndIsSavedApart) {
    std::vector<unsigned char> scoresBefore = ReadBytes(dir.File("Save_552_Bramblehop.sav"));
    EnterDaily(20261211, 700);
    EXPECT_EQ(g.DailyDate, 0) << "the next game is an ordinary one";
    for (int i = 0; i < bh::kScoreTableSize; i++) ASSERT_EQ(g.ScoreTable[i], 0) << "slot " << i;
    EXPECT_EQ(ReadBytes(dir.File("Save_552_Bramblehop.sav")), scoresBefore);
    std::vector<int> want(2 * bh::kDailyDays, 0);
    want[0] = 20261211;
    want[1] = 700;
    EXPECT_EQ(Days(), want);
    for (int& v : g.DailyBoard) v = 0;
    g.LoadDailyBoard();
    EXPECT_EQ(Days(), want) << "read back from Daily.sav";
}

TEST_F(DailyBoard, KeepsEachDaysBestForAWeek) {
    const struct {
        int date, score;
    } games[] = {{20261225, 300}, {20261225, 900}, {20261225, 500}, {20261228, 40},
                 {20261231, 70},  {20270101, 10},  {20270102, 20}};
    for (const auto& game : games) EnterDaily(game.date, (float)game.score);
    // On 1 January: the 25th is eight days back and drops off.
    std::vector<int> want = {20270102, 20, 20270101, 10, 20261231, 70, 20261228, 40, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(Days(), want);
}

TEST_F(DailyBoard, ADamagedFileGivesAnEmptyBoardWithOneLine) {
    EnterDaily(20261211, 700);
    std::vector<unsigned char> b = ReadBytes(dir.File("Daily.sav"));
    ASSERT_EQ(b.size(), 4u * (2 * bh::kDailyDays + 1));
    b[4] ^= 1;
    FILE* f = fopen(dir.File("Daily.sav").c_str(), "wb");
    fwrite(b.data(), 1, b.size(), f);
    fclose(f);
    g.LoadDailyBoard();
    EXPECT_EQ(Days(), std::vector<int>(2 * bh::kDailyDays, 0));
    EXPECT_TRUE(log.Has("Daily.sav does not hold together, the day's board starts empty"));
}

TEST_F(DailyBoard, DailyOnTheListPlaysTodaysCavesAtNormal) {
    g.MenuPage = 1;
    g.DifficultyCursor = bh::kDifficultyDaily;
    g.Settings[bh::kSettingHowToPlaySeen] = 1;
    ASys.Keyv[bh::kJoyButton1] = 1;
    Run([&] { g.DoMenu(); });
    EXPECT_EQ(g.GameMode, bh::kModeNewGame);
    EXPECT_EQ(g.Difficulty, bh::kDifficultyNormal);
    EXPECT_EQ(g.DailyDate, g.Today());
}

}  // namespace
