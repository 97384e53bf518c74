// The local scoreboards: five best and five newest scores per difficulty,
// and the panel that slides in beside the difficulty list.
#include <cmath>

#include "MyGame.h"

void MyGame::HandleDefaultScoreboards() {
    // The day's score goes on the day's board alone.
    if (DailyDate != 0) {
        EnterDailyScore(DailyDate, ReplayScore(Play));
        DailyDate = 0;
        SaveDailyBoard();
        return;
    }
    int b = bh::BoardBase(DifficultyCursor);
    if (b < 0) {
        Debuglog(fstr("No scoreboard for difficulty %i, score not kept", DifficultyCursor));
        return;
    }
    // Keep the conversion defined whatever the play step left behind.
    float score = Play.Score;
    if (score != score) score = 0;
    if (score > 2147483520.0f) score = 2147483520.0f;
    if (score < -2147483520.0f) score = -2147483520.0f;
    int s = (int)score;

    int* top = &ScoreTable[b];
    for (int p = 0; p < bh::kBoardPlaces; p++) {
        if ((float)top[p] < score) {
            for (int k = bh::kBoardPlaces - 1; k > p; k--) top[k] = top[k - 1];
            top[p] = s;
            break;
        }
    }
    int* last = &ScoreTable[b + bh::kBoardNewest];
    for (int k = bh::kBoardPlaces - 1; k > 0; k--) last[k] = last[k - 1];
    last[0] = s;
}

// Today's best, then the best of each of the seven days before.
static void DrawDailyBoard(MyGame& g, float x, float H) {
    int today = g.Today();
    g.Text(x, H / 2 - 170, "Daily", 1.0f);
    int best = 0;
    for (int i = 0; i < bh::kDailyDays; i++)
        if (g.DailyBoard[2 * i] == today) best = g.DailyBoard[2 * i + 1];
    g.SetSize(0.6f);
    g.Text(x, H / 2 - 125, g.fstr("Today %08d", best), 1.0f);
    int row = 0;
    for (int i = 0; i < bh::kDailyDays; i++) {
        int d = g.DailyBoard[2 * i];
        if (d == 0 || d == today) continue;
        g.Text(x, H / 2 - 80 + 34 * row++, g.fstr("%02d-%02d %08d", d / 100 % 100, d % 100, g.DailyBoard[2 * i + 1]),
               1.0f);
    }
    g.ResetDraw();
}

void MyGame::DisplayScoreboard() {
    const int w = 180;
    float W = ScreenW, H = ScreenH;

    BoardTimer += 1;
    if (BoardTimer < 0 || BoardTimer > 300) {
        BoardTimer = 0;
        BoardPage += 1;
    }
    if (BoardTimer <= 29) BoardSlide -= 16;
    if (BoardTimer > 270) BoardSlide += 16;
    if (BoardSlide < -180) BoardSlide = -180;
    if (BoardSlide > 64) BoardSlide = 64;

    float x = (float)BoardSlide + (w / 2 + W - 8);
    if (Settings[bh::kSettingCalmMotion] == 1) x = W + 82 - 180;

    ResetDraw();
    SetCol(0, 0, 0, 0.5f);
    Rect(x, H / 2, w, 360);
    ResetDraw();
    SetCol(255, 255, 255, 1.0f);
    SetSize(1.0f);
    if (BoardPage > 1) BoardPage = 0;

    if (DifficultyCursor == bh::kDifficultyDaily) {
        DrawDailyBoard(*this, x, H);
        return;
    }
    int b = bh::BoardBase(DifficultyCursor);
    if (b >= 0 && BoardPage == 1) {
        Text(x, H / 2 - 170, "Last 5", 1.0f);
        for (int i = 0; i < bh::kBoardPlaces; i++)
            Text(x + 90, H / 2 - 139.5f + 67 * i + 30, fstr("%08d", ScoreTable[b + bh::kBoardNewest + i]), 2.0f);
    }
    if (b >= 0 && BoardPage == 0) {
        Text(x, H / 2 - 170, "Top 5", 1.0f);
        int newest = ScoreTable[b + bh::kBoardNewest];
        for (int i = 0; i < bh::kBoardPlaces; i++) {
            int v = ScoreTable[b + i];
            float dx = 0, dy = 0;
            // The last game's place wobbles.
            if (v > 0 && v == newest && Settings[bh::kSettingCalmMotion] != 1) {
                float m = (float)Mills();
                dx = 4 * Sin(m * 0.25f);
                dy = -3 * Cos(m * 0.4f);
            }
            Text(x + 90 + dx, H / 2 - 139.5f + 67 * i + dy + 30, fstr("%08d", v), 2.0f);
        }
    }

    // A held pointer keeps the timer at 270, so the page turns on release.
    if (PointerDown > 0) {
        KeyLock[bh::kLockBoardPage] = 1;
        BoardTimer = 270;
    }
    LetGo(bh::kLockBoardPage, Joy(bh::kJoyButton4) < bh::kReleased && PointerDown == 0);
    if (PressedOnce(bh::kLockBoardPage, Joy(bh::kJoyButton4) > bh::kPressed)) BoardTimer = 270;

    // The best run on this board, watched again: button 3 or a click.
    float wy = H / 2 + 200;
    bool missing = NoBestRunTimer > 0;
    if (missing) NoBestRunTimer -= 1;
    SetSize(0.5f);
    SetCol(255, 230, 120, 1.0f);
    Text(x, wy, missing ? "No best run yet" : "Watch best run [C]", 1.0f);
    ResetDraw();
    bool clicked = MouseIn_Centered(x, wy, (float)w, 28) > 0 && TouchedOnce(bh::kTouchLockClick, PointerDown > 0);
    LetGo(bh::kLockWatch, Joy(bh::kJoyButton3) < bh::kReleased);
    bool pressed = PressedOnce(bh::kLockWatch, Joy(bh::kJoyButton3) > bh::kPressed);
    if ((clicked || pressed) && GameMode == bh::kModeTitle) {
        if (WatchBestRun(DifficultyCursor)) PlaySFX(bh::kSfxConfirm);
        else NoBestRunTimer = 120;
    }
}
