// The key redefinition screen. The controls themselves are being changed
// here, so it is driven by the fixed play keys only: pick a part of the pad
// picture, press fire, then press the new key or pad button.
#include <cstdio>
#include <cstring>

#include "MyGame.h"

namespace {

const char* const kControlNames[16] = {
    "Up",    "Right",       "Down",     "Left",     "Stick 2 Up", "Stick 2 Right", "Stick 2 Down",  "Stick 2 Left",
    "Start", "Back/Select", "Button 1", "Button 2", "Button 3",   "Button 4",      "Left Shoulder", "Right Shoulder"};

const int kTest = -1, kSave = -2, kReset = -3;
const int kSaveRow = -2, kLastRow = 4;

// "Reset to defaults" sits beside "Save", one step to its right.
int LastColumn(int row) {
    if (row == 2) return 3;
    if (row == kSaveRow) return 1;
    return row < 0 ? 0 : 1;
}

// The picked row and column laid over the pad picture.
int Target(int row, int col) {
    static const int rows[5][4] = {{14, 15, 0, 0}, {0, 13, 0, 0}, {3, 1, 12, 11}, {2, 10, 0, 0}, {9, 8, 0, 0}};
    if (row == kSaveRow) return col == 1 ? kReset : kSave;
    if (row == -1) return kTest;
    return rows[row][col];
}

// Bar widths and where the two bars of the bottom row sit beside the centre.
const float kBarW = 200, kResetBarW = 228, kSaveRowGap = 118;

struct PadColours {
    float r, g, b;
};

void Ink(MyGame& g, PadColours c) { g.SetCol(c.r, c.g, c.b, 1.0f); }

void DrawPad(MyGame& g, float cx, float cy, int target) {
    const PadColours lit = {40, 140, 200}, litShoulder = {40, 120, 200};
    const PadColours grey40 = {40, 40, 40}, grey140 = {140, 140, 140}, grey170 = {170, 170, 170};
    auto pressed = [&](int c) { return g.Joy(c) > bh::kPressed; };

    for (int side = 0; side < 2; side++) {
        int c = side == 0 ? 14 : 15;
        float r = target == c ? 102.0f : pressed(c) ? 100.0f : 96.0f;
        Ink(g, target == c ? litShoulder : grey140);
        g.Circle(side == 0 ? cx - 153 : cx + 153, cy - 16, r);
    }

    Ink(g, grey170);
    g.Rect(cx, cy - 5, 290, 190);
    g.Circle(cx - 150, cy, 100);
    g.Circle(cx + 150, cy, 100);
    Ink(g, grey40);
    g.Rect(cx - 150, cy, 40, 40);

    const struct {
        int control;
        float dx, dy;
    } dirs[4] = {{0, -150, -40}, {1, -110, 0}, {2, -150, 40}, {3, -190, 0}};
    for (const auto& d : dirs) {
        float side = pressed(d.control) ? 50.0f : 40.0f;
        Ink(g, target == d.control ? lit : grey40);
        g.Rect(cx + d.dx, cy + d.dy, side, side);
    }

    const struct {
        int control;
        float dx, dy;
        PadColours normal, picked, label;
        const char* text;
    } buttons[4] = {
        {10, 150, 40, {0, 40, 0}, {0, 140, 0}, {0, 60, 0}, "1"},
        {11, 190, 0, {40, 0, 0}, {140, 0, 0}, {60, 0, 0}, "2"},
        {12, 110, 0, {40, 40, 0}, {140, 140, 0}, {60, 60, 0}, "3"},
        {13, 150, -40, {0, 40, 40}, {0, 140, 140}, {0, 60, 60}, "4"},
    };
    // Played from a pad, the discs carry the names of that pad's buttons
    // bound to them ("A", or a raw pad's number); otherwise their numbers.
    int pad = g.LastInputPad();
    for (const auto& b : buttons) {
        bool picked = target == b.control;
        float x = cx + b.dx, y = cy + b.dy;
        Ink(g, picked ? b.picked : b.normal);
        g.Circle(x, y, pressed(b.control) ? 32.0f : 24.0f);
        Ink(g, picked ? lit : b.label);
        const char* text = b.text;
        if (pad >= 0) {
            const char* name = g.ControlPrompt(b.control);
            if (name && strncmp(name, "Button ", 7) == 0) name += 7;
            if (name) text = name;
        }
        g.SetSize(strlen(text) > 2 ? 0.6f : 1.0f);
        g.Text(x - 2, y + 2, text, 1.0f);
        g.SetSize(1.0f);
    }

    for (int side = 0; side < 2; side++) {
        int c = side == 0 ? 8 : 9;
        float w = pressed(c) ? 32.0f : 24.0f;
        Ink(g, target == c ? lit : grey40);
        g.SetRot(side == 0 ? 90.0f : -90.0f);
        g.Tri(side == 0 ? cx + 26 : cx - 26, cy + 52, w, w * 0.667f);
    }
    g.SetRot(0);
}

void DrawBar(MyGame& g, float cx, float y, const char* text, bool picked, float g2, float w = kBarW,
             float size = 1.0f) {
    if (picked) g.SetCol(0, 100, 200, 1.0f);
    else g.SetGradient(0, 120, 120, 1.0f, 0, 60, 120, 1.0f);
    g.Rect(cx, y, w, 32);
    g.SetGradient(255, 255, 0, 1.0f, 255, g2, 0, 1.0f);
    g.SetSize(size);
    g.Text(cx, y, text, 1.0f);
    g.SetSize(1.0f);
}

// The control being set, named above everything else on the screen.
void DrawCaption(MyGame& g, float cx, int target, bool waiting) {
    g.ResetDraw();
    g.SetSize(1.2f);
    g.SetCol(40, 140, 200, 1.0f);
    g.Text(cx, 36, kControlNames[target], 1.0f);
    g.SetSize(0.6f);
    g.SetCol(255, 255, 255, 0.8f);
    // The screen is worked with the fixed play keys, and on a pad with its
    // first button and Back (button 6 of a raw pad).
    int pad = g.LastInputPad();
    const char* hint = "Fire sets it - Escape leaves unchanged";
    if (pad >= 0) {
        int first = vell::kFirstPadCode + vell::kPadStride * pad;
        char fire[32];
        snprintf(fire, sizeof fire, "%s", g.PadInputName(first));
        hint = g.fstr("%s sets it - %s leaves unchanged", fire, g.PadInputName(first + vell::kPadBack));
    }
    g.Text(cx, 72, waiting ? "Press the new key or button" : hint, 1.0f);
    g.ResetDraw();
}

void DrawCountdown(MyGame& g, float cx, float H, int timer) {
    g.ResetDraw();
    g.SetSize(2.0f);
    int s = timer / 60;
    if (s < 0) s = 0;
    float a = (float)((timer % 60) * 6);
    g.SetCol(100, 255, 100, 1.0f);
    g.Circle(cx + 48 * g.Sin(a), H / 2 - 48 * g.Cos(a), 6);
    g.SetCol(255, 100, 100, 1.0f);
    g.Text(cx, H / 2, g.fstr("%i", s), 1.0f);
}

}  // namespace

void MyGame::RedefineKeys() {
    float W = ScreenW, H = ScreenH;
    float cx = W / 2, cy = H - 112;
    AddPlatBG();
    ResetDraw();

    if (RedefRow < kSaveRow) RedefRow = kLastRow;
    if (RedefRow > kLastRow) RedefRow = kSaveRow;
    if (RedefCol < 0) RedefCol = 0;
    if (RedefCol > LastColumn(RedefRow)) RedefCol = LastColumn(RedefRow);
    int target = Target(RedefRow, RedefCol);

    DrawPad(*this, cx, cy, target);

    int& capture = RedefineCapture();
    // An Escape that was caught as a new binding, or held through a test
    // or a wait, must be let go before it can leave.
    bool wasIdle = capture == bh::kCaptureIdle && TestTimer == 0 && RedefTimeout == 0;
    if (!wasIdle) KeyLock[bh::kLockEscape] = 1;
    if (capture == bh::kCaptureRelease && PlayKeyAll(bh::kPlayKeyAction1) == 0) capture = bh::kCaptureIdle;
    // Only a control can be waited for; anything else is a stale state.
    if (capture == bh::kCaptureWaiting && target < 0) capture = bh::kCaptureIdle;

    if (capture == bh::kCaptureWaiting) {
        int code = GetKey();
        // Whatever is held during the first two updates (the fire key that
        // made the pick) only counts once released and pressed again.
        RedefDelay -= 1;
        if (RedefDelay >= 0) LockForGet();
        if (code > 0 && RedefDelay < 0) {
            capture = bh::kCaptureIdle;
            printf("Button Caught %i\n", code);
            fflush(stdout);
            SetKey(target, code);
        }
        RedefTimeout -= 1;
        if (RedefTimeout < 0) capture = bh::kCaptureIdle;
        ResetDraw();
        SetSize(2.0f);
        Text(cx, H / 2 - 48, "Hit button for", 1.0f);
        Text(cx, H / 2 + 48, kControlNames[target], 1.0f);
    }
    if (capture == bh::kCaptureIdle) RedefTimeout = 0;
    if (target >= 0) DrawCaption(*this, cx, target, capture == bh::kCaptureWaiting);

    // Escape (or a pad's Back) leaves with the bindings the screen opened
    // with; one held as the screen opened must be let go first.
    LetGo(bh::kLockEscape, PlayKey(bh::kPlayKeyEscape) == 0);
    bool idle = wasIdle && capture == bh::kCaptureIdle && TestTimer == 0 && RedefTimeout == 0;
    if (idle && PressedOnce(bh::kLockEscape, PlayKey(bh::kPlayKeyEscape) != 0, kTakeAll)) {
        RestoreBindings();
        OverlayScreen = bh::kScreenOptions;
        return;
    }

    if (capture == bh::kCaptureIdle && TestTimer == 0 && RedefTimeout == 0) {
        int row = RedefRow;
        bool held = PlayKeyAll(bh::kPlayKeyUp) || PlayKeyAll(bh::kPlayKeyLeft) || PlayKeyAll(bh::kPlayKeyRight) ||
                    PlayKeyAll(bh::kPlayKeyDown) || PlayKeyAll(bh::kPlayKeyAction1);
        LetGo(bh::kLockRedefineMove, !held);
        // Up or down onto the bottom row lands on "Save", never on the reset.
        if (PressedOnce(bh::kLockRedefineMove, PlayKeyAll(bh::kPlayKeyUp) != 0)) RedefRow -= 1;
        if (PressedOnce(bh::kLockRedefineMove, PlayKeyAll(bh::kPlayKeyDown) != 0)) RedefRow += 1;
        if (RedefRow != row && (RedefRow == kSaveRow || RedefRow == kLastRow + 1)) RedefCol = 0;
        if (PressedOnce(bh::kLockRedefineMove, PlayKeyAll(bh::kPlayKeyLeft) != 0)) RedefCol -= 1;
        if (PressedOnce(bh::kLockRedefineMove, PlayKeyAll(bh::kPlayKeyRight) != 0)) RedefCol += 1;
        if (PressedOnce(bh::kLockRedefineMove, PlayKeyAll(bh::kPlayKeyAction1) != 0)) {
            if (target >= 0) {
                RedefDelay = 2;
                capture = bh::kCaptureWaiting;
                RedefTimeout = 359;
            } else if (target == kTest) {
                TestTimer = 359;
            } else if (target == kReset) {
                FlushKeys();
                KeyDefaults();
                // The defaults name the standard layout's buttons.
                Settings[bh::kSettingPadLayout] = 1;
                StandardPadLayout(1);
            } else {
                OverlayScreen = bh::kScreenOptions;
                Save();
                LockKeys();
            }
        }
        ResetDraw();
        DrawBar(*this, cx, H - 272, "Test", target == kTest, 0);
        ResetDraw();
        DrawBar(*this, cx - kSaveRowGap, H - 312, "Save", target == kSave, 128);
        ResetDraw();
        DrawBar(*this, cx + kSaveRowGap, H - 312, "Reset to defaults", target == kReset, 128, kResetBarW, 0.75f);
    }

    ResetDraw();
    SetSize(0.8f);
    if (target >= 0) {
        float y = H - 240;
        for (int slot = 63; slot >= 0; slot--) {
            int code = KeyValue(target, slot);
            if (code <= 0) continue;
            const char* name = KeyName(code);
            if (!name || strcmp(name, "N/A") == 0) continue;
            Text(8, y, name, 0.0f);
            y -= 24;
        }
    }

    TestTimer -= 1;
    if (TestTimer > 0) DrawCountdown(*this, cx, H, TestTimer);
    if (RedefTimeout > 0) DrawCountdown(*this, cx, H, RedefTimeout);
    if (TestTimer < 0) TestTimer = 0;
    if (RedefTimeout < 0) RedefTimeout = 0;

    ResetDraw();
    SetCol(255, 255, 255, 0.15f);
    for (int side = -1; side <= 1; side += 2) {
        Circle(cx + 160 * side, H - 272, 32);
        Rect(cx + 160 * side, H - 272, 64, 64);
    }
    SetCol(255, 100, 100, 1.0f);
    Rect(cx - 160 + 32 * (Joy(bh::kJoyRight) - Joy(bh::kJoyLeft)), H - 272 + 32 * (Joy(bh::kJoyDown) - Joy(bh::kJoyUp)),
         6, 6);
    Rect(cx + 160 + 32 * (Joy(bh::kJoyStick2Right) - Joy(bh::kJoyStick2Left)),
         H - 272 + 32 * (Joy(bh::kJoyStick2Down) - Joy(bh::kJoyStick2Up)), 6, 6);
    SetRot(0);
}

void MyGame::KeepBindings() {
    for (int k = 0; k < bh::kControls; k++)
        for (int slot = 0; slot < vell::kBindingRows; slot++)
            RedefKept[k * vell::kBindingRows + slot] = KeyValue(k, slot);
    RedefKeptSet = 1;
    RedefKeptPadLayout = Settings[bh::kSettingPadLayout];
}

// Binding the kept codes oldest first rebuilds every control's list as it
// was, the way loading the settings does.
void MyGame::RestoreBindings() {
    if (RedefKeptSet != 1) return;
    Settings[bh::kSettingPadLayout] = RedefKeptPadLayout;
    StandardPadLayout(RedefKeptPadLayout == 1);
    FlushKeys();
    for (int k = 0; k < bh::kControls; k++)
        for (int slot = 0; slot < vell::kBindingRows; slot++) {
            int code = RedefKept[k * vell::kBindingRows + slot];
            if (code > 0) SetKey(k, code);
        }
}
