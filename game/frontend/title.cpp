// The title page: five round buttons in a row (Credits, Quit, Start,
// How to play, Options), moved between with Left/Right, tapped once to highlight and once
// more to activate.
#include "MyGame.h"

namespace {

const int kCredits = -2, kQuit = -1, kStart = 0, kOptions = 1, kHowTo = 2;

// Left and right neighbours, wrapping at both ends of the row.
int LeftOf(int b) {
    switch (b) {
    case kCredits: return kOptions;
    case kQuit: return kCredits;
    case kStart: return kQuit;
    case kHowTo: return kStart;
    default: return kHowTo;
    }
}

int RightOf(int b) {
    switch (b) {
    case kCredits: return kQuit;
    case kQuit: return kStart;
    case kStart: return kHowTo;
    case kHowTo: return kOptions;
    default: return kCredits;
    }
}

void Activate(MyGame& g, int b) {
    switch (b) {
    case kStart:
        g.MenuPage = 1;
        g.LockKeys();
        g.PlaySFX(bh::kSfxConfirm, 1.0f);
        break;
    case kQuit:
        // Asked once, answered by a second press after letting go.
        if (g.TitleQuitAsk == bh::kQuitAskNone) {
            g.TitleQuitAsk = bh::kQuitAskReady;
            g.LockKeys();
            g.PlaySFX(bh::kSfxMove, 0.8f);
        } else {
            g.GameBreak = 1;
        }
        break;
    case kOptions:
        g.OverlayScreen = bh::kScreenOptions;
        g.OptionsCursor = 0;
        g.OptionsScroll = 0;
        g.LockKeys();
        // F1 may have flipped the statistics line since the row last saw it.
        g.Settings[bh::kSettingDebugStats] = g.DebugMode;
        g.PlaySFX(bh::kSfxConfirm);
        break;
    case kHowTo:
        g.OpenHowToPlay(bh::kScreenNone);
        g.PlaySFX(bh::kSfxConfirm);
        break;
    case kCredits:
        g.OverlayScreen = bh::kScreenCredits;
        g.LockKeys();
        g.PlaySFX(bh::kSfxConfirm);
        break;
    }
}

// Narrower than this, the bottom row cannot hold its five labels side by
// side; two of its buttons then stand this much higher.
const float kNarrowRow = 640, kStepUp = 120;

void DrawLabel(MyGame& g, float x, float y, float r, float a, const char* label) {
    g.SetRot(0);
    g.SetSize(0.25f + a);
    g.Text(x, y + r, label, 1.0f);
}

}  // namespace

void MyGame::Menu_Start() {
    float W = ScreenW, H = ScreenH;
    float row = H - 96;
    TrackHover();

    // Escape never leaves at once: it goes to Quit, or takes back a quit
    // that was asked. LockKeys holds its lock, so an Escape still down from
    // another screen must be released first.
    bool escape = PlayKey(bh::kPlayKeyEscape) != 0;
    LetGo(bh::kLockEscape, !escape);
    if (PressedOnce(bh::kLockEscape, escape, kTakeNone)) {
        if (TitleCursor != kQuit) PlaySFX(bh::kSfxMove, 1.0f);
        if (TitleCursor == kQuit && TitleQuitAsk != bh::kQuitAskNone) PlaySFX(bh::kSfxMove, 0.8f);
        TitleCursor = kQuit;
        TitleQuitAsk = bh::kQuitAskNone;
    }
    if (TitleCursor != kQuit) TitleQuitAsk = bh::kQuitAskNone;

    // Escape is bound to "Start" as well; it must not confirm here.
    bool start = AnyAbove({bh::kJoyStart}) && !escape;
    bool confirm, back;
    if (Settings[bh::kSettingSwapConfirm] == 1) {
        confirm = AnyAbove({bh::kJoyButton2});
        back = AnyAbove({bh::kJoyButton1}) || start;
    } else {
        confirm = start || AnyAbove({bh::kJoyButton1});
        back = AnyAbove({bh::kJoyButton2});
    }

    const int order[5] = {kStart, kQuit, kOptions, kCredits, kHowTo};
    // In a window taller than wide the row is too narrow for five labels:
    // Quit and How to play step up above the others.
    bool narrow = W < kNarrowRow;
    for (int b : order) {
        bool lit = TitleCursor == b;
        float x, r, a = lit ? 0.75f : 0.5f;
        float y = row;
        if (narrow && (b == kQuit || b == kHowTo)) y = row - kStepUp;
        ResetDraw();
        switch (b) {
        case kStart:
            x = W / 2;
            r = lit ? 80.0f : 64.0f;
            SetGradient(100, 255, 100, a, 0, 150, 0, a);
            Circle(x, y, r);
            SetRot(90);
            SetGradient(120, 255, 120, a, 80, 180, 80, a);
            Tri_Fix(x, y, 0.85f * r, 0.85f * r, 0.25f);
            DrawLabel(*this, x, y, r, a, "Start");
            break;
        case kQuit:
            x = W / 2 - 160;
            if (x < 128) x = 128;
            r = lit ? 48.0f : 32.0f;
            SetSize(lit ? 1.5f : 1.0f);
            DrawImg(bh::kImgIcons, x, y, bh::kIconQuit);
            if (TitleQuitAsk != bh::kQuitAskNone) {
                // Dark bands keep the question readable over the busy backdrop.
                ResetDraw();
                SetCol(0, 0, 0, 0.6f);
                Rect(x, y - 80, 220, 30);
                Rect(x, y + 52, 200, 24);
                ResetDraw();
                SetSize(0.6f);
                SetCol(255, 220, 120, 1.0f);
                Text(x, y - 80, "Quit Bramblehop?", 1.0f);
                SetSize(0.5f);
                SetCol(255, 255, 255, 1.0f);
                Text(x, y + 52, "Press again to quit", 1.0f);
            }
            break;
        case kOptions:
            x = W - 52;
            r = lit ? 48.0f : 32.0f;
            if (lit && Settings[bh::kSettingCalmMotion] != 1) CogAngle = (CogAngle + 1) % 360;
            SetSize(r / 32);
            SetCol(255, 255, 255, 1.0f);
            SetRot((float)-CogAngle);
            DrawImg(bh::kImgIcons, x, y, bh::kIconCog);
            SetRot((float)CogAngle);
            DrawImg(bh::kImgIcons, x, y, bh::kIconCogInner);
            DrawLabel(*this, x, y, r, a, "Options");
            break;
        case kHowTo:
            // Across from Quit, kept clear of Options on a narrow screen.
            x = W / 2 + 160;
            if (x > W - 128) x = W - 128;
            r = lit ? 48.0f : 32.0f;
            SetSize(r / 32);
            DrawImg(bh::kImgIcons, x, y, bh::kIconBird);
            DrawLabel(*this, x, y, r, a, "How to play");
            break;
        default:
            x = 52;
            r = lit ? 48.0f : 32.0f;
            SetSize(r / 32);
            DrawImg(bh::kImgIcons, x, y, bh::kIconCredits);
            DrawLabel(*this, x, y, r, a, "Credits");
            break;
        }

        if (TitleCursor == b) {
            if (PressedOnce(bh::kLockHorizontal, Joy(bh::kJoyLeft) > bh::kPressed, kTakeAll)) {
                TitleCursor = LeftOf(b);
                PlaySFX(bh::kSfxMove, 1.0f);
            }
            if (PressedOnce(bh::kLockHorizontal, Joy(bh::kJoyRight) > bh::kPressed, kTakeAll)) {
                TitleCursor = RightOf(b);
                PlaySFX(bh::kSfxMove, 1.0f);
            }
            // Quit locks nothing; the others lock everything themselves.
            if (PressedOnce(bh::kLockConfirm, confirm, kTakeNone)) Activate(*this, b);
        }

        // Hovering highlights; one click acts, whatever was highlighted.
        int t = MouseIn_Radius(x, y, r + 16);
        if (t > 0 && HoverMoved && TitleCursor != b) {
            TitleCursor = b;
            PlaySFX(bh::kSfxMove, 1.0f);
        }
        if (t > 0 && TouchedOnce(t, TouchDown(t - 1) > 0, kTakeNone)) {
            TitleCursor = b;
            Activate(*this, b);
        }
    }

    LetGo(bh::kLockConfirm, !confirm);
    LetGo(bh::kLockBack, !back);
    LetGo(bh::kLockHorizontal, AllBelow({bh::kJoyLeft, bh::kJoyRight}));
    for (int t = 0; t < bh::kPointers; t++) TouchLetGo(t + 1, TouchDown(t) == 0);
}
