// The pause menu: quit, resume and options in a row that sinks out of the
// way when left alone, and snaps back at the first sign of life.
#include "MyGame.h"

namespace {

const int kQuit = 0, kResume = 1, kOptions = 2;

void Activate(MyGame& g, int b) {
    if (b == kQuit) {
        g.Paused = 0;
        g.PlaySFX(bh::kSfxConfirm, 1.0f);
        g.LockKeys();
        g.EndGame(-1);
    } else if (b == kResume) {
        g.Paused = 0;
        g.PlaySFX(bh::kSfxConfirm, 1.0f);
        g.LockKeys();
    } else {
        // Paused stays set, so closing the options lands here again.
        g.OverlayScreen = bh::kScreenOptions;
        g.PlaySFX(bh::kSfxConfirm, 1.0f);
        g.LockKeys();
    }
}

}  // namespace

void MyGame::PauseMenu() {
    float W = ScreenW, H = ScreenH;
    ResetDraw();
    // Less Motion: no colour cycle, no spinning cog, no sinking row.
    bool calm = Settings[bh::kSettingCalmMotion] == 1;
    SetCLSRot(calm ? 0.0f : Mills() / 32.0f, 0, 40);
    Text(100, 100, "Paused!", 0.0f);

    float y = (float)PauseSlide + (H - 128);

    PauseIdle -= 1;
    // Any count past 360 idle updates behaves the same; stop well before
    // the counter could wrap.
    if (PauseIdle < -1000000) PauseIdle = -1000000;
    if (PauseIdle >= -359) PauseSlide -= 64;
    else PauseSlide += 4;
    if (PauseSlide < 0) PauseSlide = 0;
    if (PauseSlide > 480) PauseSlide = 480;
    if (calm) PauseSlide = 0;
    if (PointerDown > 0) PauseIdle = 0;

    const auto buttons = {bh::kJoyButton1, bh::kJoyButton2, bh::kJoyBackSelect, bh::kJoyStart};
    LetGo(bh::kLockConfirm, AllBelow(buttons));

    const int order[3] = {kResume, kQuit, kOptions};
    for (int b : order) {
        bool lit = PauseCursor == b;
        SetSize(lit ? 1.5f : 1.0f);
        int result;
        if (b == kOptions) {
            if (!calm) CogAngle = (CogAngle + 1) % 360;
            SetRot((float)-CogAngle);
            result = Button(bh::kImgIcons, 3 * W / 4, y, 3);
            SetRot((float)CogAngle);
            DrawImg(bh::kImgIcons, 3 * W / 4, y, 4);
        } else if (b == kQuit) {
            result = Button(bh::kImgIcons, W / 4, y, 1);
        } else {
            result = Button(bh::kImgIcons, W / 2, y, 0);
        }

        // The chosen action locks everything itself.
        if (PauseCursor == b && PressedOnce(bh::kLockConfirm, AnyAbove(buttons), kTakeNone)) {
            result = 1;
            PauseIdle = 0;
        }
        // Only the mouse (pointer 0) acts; it needs no release in between.
        if (result == 1) Activate(*this, b);
    }

    if (PressedOnce(bh::kLockPauseMove, Joy(bh::kJoyRight) > bh::kPressed)) {
        PauseCursor += 1;
        PlaySFX(bh::kSfxMove, 1.0f);
        PauseIdle = 0;
    }
    if (PressedOnce(bh::kLockPauseMove, Joy(bh::kJoyLeft) > bh::kPressed)) {
        PauseCursor -= 1;
        PlaySFX(bh::kSfxMove, 1.0f);
        PauseIdle = 0;
    }
    if (PauseCursor < 0) PauseCursor = 2;
    if (PauseCursor > 2) PauseCursor = 0;
    LetGo(bh::kLockPauseMove, AllBelow({bh::kJoyRight, bh::kJoyLeft}));
}
