// The line across the top of the play screen: score, the next place to
// beat, the bonus still on offer and the lives.
#include <cmath>

#include "play_steps.h"

void MyGame::BramblehopScoreDisplay(int showLives) {
    PlayRecord& p = Play;
    bool show = ScreenshotMode == 0;
    ResetDraw();
    SetSize(1.0f);
    SetCol(150, 255, 150, 0.8f);
    if (std::fabs(p.ShownScore - p.Score) < 1) p.ShownScore = p.Score;
    p.ShownScore = (float)(p.ShownScore - ((double)p.ShownScore - p.Score) / 4);
    if (show) Text(ScreenW / 2, 16, fstr("%08d", (int)p.ShownScore), 1);

    SetSize(0.5f);
    SetCol(150, 150, 255, 0.8f);
    // The cursor comes from the score file; a value that points outside
    // the table has no board to show.
    int b = bh::BoardBase(DifficultyCursor);
    if (DailyDate == 0 && b >= 0) {
        int r = bh::kBoardPlaces;
        for (int i = bh::kBoardPlaces - 1; i >= 0; i--)
            if (p.Score > ScoreTable[b + i]) r = i - 1;
        if (r < 1) r = 0;
        if (r == bh::kBoardPlaces) r = bh::kBoardPlaces - 1;
        if (show) Text(ScreenW / 2 + 180, 16, fstr("%s %08d", nth(r + 1), ScoreTable[b + r]), 1);
    }

    int k = bh::BonusPointsLeft(p.TimeLeft);
    SetCol(255, 200, 150, 0.8f);
    if (show) Text(ScreenW - 48, 16, fstr("Bonus %d", k), 1);

    if (showLives == 1) {
        SetCol(255, 255, 255, 0.75f);
        float x0 = ScreenW / 2 - (p.Lives - 1) * 9;
        for (int i = 0; i < p.Lives; i++)
            if (show) DrawImg(bh::kImgOptions, 18.0f * i + x0, 36, bh::kOptionLife);
    }
}

// Beside the score line, left of it: how far the game has got, and what
// the chicks following the bird multiply every score by. Placed clear of
// the score, the target, the bonus and the lives, which keep their places.

void DrawProgress(MyGame& g, const PlayStep& s) {
    PlayRecord& p = g.Play;
    if (g.ScreenshotMode != 0) return;
    float W = g.ScreenW;
    g.ResetDraw();
    g.SetSize(0.5f);
    g.SetCol(255, 255, 255, 0.8f);
    int level = (int)p.LevelNumber;
    g.Text(48, 16, level > 0 ? g.fstr("Level %d", level) : "Intro room", 1);
    if (level > 0) {
        int on = (int)p.SwitchesOn;
        if (on < 0) on = 0;
        if (on > SwitchCount) on = SwitchCount;
        g.SetCol(255, 230, 120, 0.8f);
        g.Text(W / 2 - 180, 16, g.fstr("Switches %d/%d", on, SwitchCount), 1);
    }
    if (s.m > 1) {
        g.SetCol(255, 255, 255, 0.9f);
        g.SetSize(0.3f);
        g.DrawImg(bh::kImgIcons, W / 2 - 206, 38, bh::kIconChick);
        g.SetSize(0.6f);
        g.SetCol(255, 230, 120, 0.9f);
        g.Text(W / 2 - 172, 38, g.fstr("x%d", s.m), 1);
    }
}
