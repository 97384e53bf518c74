// The summary after the last life: the score, how far the game got and
// where the score lands on its board, held until the player presses
// something. The board itself takes the score on the way back to the list.
#include "MyGame.h"

namespace {

const char* const kBoardNames[4] = {"", "Easy", "Normal", "Hard"};

// The place among the five best that the score will take (1 to 5), 0 when
// it stays off the board, -1 when there is no board for this game. A
// score takes the first place whose holder it beats, as the board keeps it.
int BoardPlace(MyGame& g) {
    if (g.DailyDate != 0) return -1;  // the day's board keeps each day's best alone
    int b = bh::BoardBase(g.DifficultyCursor);
    if (b < 0) return -1;
    float score = (float)ReplayScore(g.Play);
    for (int p = 0; p < bh::kBoardPlaces; p++)
        if ((float)g.ScoreTable[b + p] < score) return p + 1;
    return 0;
}

void DrawSummary(MyGame& g) {
    float W = g.ScreenW, H = g.ScreenH, cx = W / 2;
    PlayRecord& p = g.Play;
    bool calm = g.Settings[bh::kSettingCalmMotion] == 1;
    int t = g.Mills();
    int place = BoardPlace(g);

    g.AddPanel(480, 360);

    float y = H / 2 - 140;
    g.SetCol(255, 255, 255, 1.0f);
    g.SetSize(1.5f);
    g.Text(cx, y, "Game Over", 1.0f);

    g.SetSize(1.0f);
    g.SetCol(150, 255, 150, 1.0f);
    g.Text(cx, y + 70, g.fstr("Score %08d", ReplayScore(p)), 1.0f);

    g.SetSize(0.8f);
    g.SetCol(255, 255, 255, 1.0f);
    int level = (int)p.LevelNumber;
    g.Text(cx, y + 120, level > 0 ? g.fstr("Reached level %i", level) : "Still in the intro room", 1.0f);

    int d = g.DifficultyCursor;
    const char* board = d >= 1 && d <= 3 ? kBoardNames[d] : "this";
    if (place > 0) g.Text(cx, y + 160, g.fstr("%s on the %s board", g.nth(place), board), 1.0f);
    else if (place == 0) g.Text(cx, y + 160, g.fstr("Not on the %s board", board), 1.0f);

    if (place == 1) {
        g.SetSize(1.2f);
        g.SetCol(255, 220, 100, calm || (t / 300) % 2 == 0 ? 1.0f : 0.6f);
        g.Text(cx, y + 212, "New best!", 1.0f);
    }

    g.SetSize(0.7f);
    g.SetCol(150, 255, 150, calm || (t / 500) % 2 == 0 ? 1.0f : 0.6f);
    g.Text(cx, y + 270, "Press any key", 1.0f);
    g.ResetDraw();
}

}  // namespace

void MyGame::OpenGameSummary() {
    OverlayScreen = bh::kScreenGameOver;
    // The banner has done its work; the summary takes the screen at once.
    GameEnding = bh::kEndNone;
    EndTimer = 0;
    LockKeys();
    LockForGet();
}

void MyGame::GameSummary() {
    if (AnyFreshPress(bh::kLockConfirm)) {
        OverlayScreen = bh::kScreenNone;
        GameMode = bh::kModeBackToTitle;
        LockKeys();
        // A direction still held from the press must not race down the list.
        RepeatWait() = bh::kRepeatWaitAfterGame;
    }
    DrawSummary(*this);
}
