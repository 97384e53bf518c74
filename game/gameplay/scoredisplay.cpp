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
    long long board = (long long)DifficultyCursor * 20;
    if (board >= 0 && board + 4 < 22000) {
        int b = (int)board;
        int r = 5;
        for (int i = 4; i >= 0; i--)
            if (p.Score > ScoreTable[b + i]) r = i - 1;
        if (r < 1) r = 0;
        if (r == 5) r = 4;
        if (show) Text(ScreenW / 2 + 180, 16, fstr("%s %08d", nth(r + 1), ScoreTable[b + r]), 1);
    }

    int k = (int)std::floor(p.TimeLeft / 30);
    if (k < 0) k = 0;
    SetCol(255, 200, 150, 0.8f);
    if (show) Text(ScreenW - 48, 16, fstr("Bonus %d", k), 1);

    if (showLives == 1) {
        SetCol(255, 255, 255, 0.75f);
        float x0 = ScreenW / 2 - (p.Lives - 1) * 9;
        for (int i = 0; i < p.Lives; i++)
            if (show) DrawImg(bh::kImgOptions, 18.0f * i + x0, 36, 9);
    }
}
