// The pause menu: quit, resume and options in a row that sinks out of the
// way when left alone, and snaps back at the first sign of life. Escape and
// a pad's Start or Back always resume, so the key that paused can never end
// the game; quitting takes a second press on quit.
#include "MyGame.h"

namespace {

const int kQuit = 0, kResume = 1, kOptions = 2;
// The square a button answers a hovering pointer in: the size it is drawn
// at when highlighted, so the highlight never grows out from under it.
const float kHoverReach = 96.0f;

void Activate(MyGame& g, int b) {
    if (b == kQuit) {
        // The mouse acts while held: the press that asked must be let go
        // before one can answer.
        if (g.PauseQuitAsk == bh::kQuitAskHeld) return;
        if (g.PauseQuitAsk == bh::kQuitAskNone) {
            g.PauseQuitAsk = bh::kQuitAskHeld;
            g.PlaySFX(bh::kSfxMove, 0.8f);
            g.LockKeys();
            return;
        }
        g.PauseQuitAsk = bh::kQuitAskNone;
        g.Paused = 0;
        g.PlaySFX(bh::kSfxConfirm, 1.0f);
        g.LockKeys();
        g.EndGame(bh::kEndQuit);
        return;
    }
    g.PauseQuitAsk = bh::kQuitAskNone;
    if (b == kResume) {
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

// Escape, or a pad's Start or Back (or whatever the player bound to them).
bool ResumeHeld(MyGame& g) {
    return g.PlayKey(bh::kPlayKeyEscape) != 0 || g.AnyAbove({bh::kJoyStart, bh::kJoyBackSelect});
}

void DrawQuitQuestion(MyGame& g, float x, float y) {
    g.ResetDraw();
    g.SetSize(0.6f);
    g.SetCol(255, 220, 120, 1.0f);
    g.Text(x, y - 72, "Quit this game?", 1.0f);
    g.SetSize(0.5f);
    g.SetCol(255, 255, 255, 1.0f);
    g.Text(x, y + 56, "Press again to quit", 1.0f);
    g.ResetDraw();
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
    TrackHover();

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

    const auto confirm = {bh::kJoyButton1, bh::kJoyButton2};
    LetGo(bh::kLockConfirm, AllBelow({bh::kJoyButton1, bh::kJoyButton2, bh::kJoyBackSelect, bh::kJoyStart}) &&
                                PlayKey(bh::kPlayKeyEscape) == 0);
    if (PauseQuitAsk == bh::kQuitAskHeld && KeyLock[bh::kLockConfirm] == 0 && PointerDown == 0)
        PauseQuitAsk = bh::kQuitAskReady;

    // The chosen action locks everything itself.
    if (PressedOnce(bh::kLockConfirm, ResumeHeld(*this), kTakeNone)) {
        PauseIdle = 0;
        Activate(*this, kResume);
    }

    const int order[3] = {kResume, kQuit, kOptions};
    for (int b : order) {
        // Hovering highlights, as on the title; a click still acts at once.
        float bx = b == kQuit ? W / 4 : b == kResume ? W / 2 : 3 * W / 4;
        if (HoverMoved && PauseCursor != b && MouseIn_Centered(bx, y, kHoverReach, kHoverReach) > 0) {
            PauseCursor = b;
            PlaySFX(bh::kSfxMove, 1.0f);
            PauseIdle = 0;
        }
        bool lit = PauseCursor == b;
        SetSize(lit ? 1.5f : 1.0f);
        int result;
        if (b == kOptions) {
            if (!calm) CogAngle = (CogAngle + 1) % 360;
            SetRot((float)-CogAngle);
            result = Button(bh::kImgIcons, bx, y, bh::kIconCog);
            SetRot((float)CogAngle);
            DrawImg(bh::kImgIcons, bx, y, bh::kIconCogInner);
        } else {
            result = Button(bh::kImgIcons, bx, y, b == kQuit ? bh::kIconQuit : bh::kIconPlayPause);
        }

        if (Paused == 1 && PauseCursor == b && PressedOnce(bh::kLockConfirm, AnyAbove(confirm), kTakeNone)) {
            result = 1;
            PauseIdle = 0;
        }
        // Only the mouse (pointer 0) acts; it needs no release in between.
        if (result == 1 && Paused == 1 && OverlayScreen == bh::kScreenNone) Activate(*this, b);
        if (b == kQuit && PauseQuitAsk != bh::kQuitAskNone) DrawQuitQuestion(*this, W / 4, y);
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
    // Moving away from quit takes the question back.
    if (PauseCursor != kQuit) PauseQuitAsk = bh::kQuitAskNone;
    LetGo(bh::kLockPauseMove, AllBelow({bh::kJoyRight, bh::kJoyLeft}));
}
