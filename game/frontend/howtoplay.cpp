// The how-to-play panel: the controls as they are bound right now, the
// goal of a cave and what costs a life, each beside a picture of the thing
// itself. A new player meets it before the first game; the title and the
// options bring it back. Any press puts it away.
#include <cstdio>
#include <cstring>

#include "MyGame.h"

namespace {

// The fixed keys a player may reach for: the directions, the six action
// keys, Return and Escape (or a pad's Start and Back).
const int kPlayKeys[] = {bh::kPlayKeyUp,          bh::kPlayKeyLeft,        bh::kPlayKeyRight,
                         bh::kPlayKeyDown,        bh::kPlayKeyAction1,     bh::kPlayKeyAction1 + 1,
                         bh::kPlayKeyAction1 + 2, bh::kPlayKeyAction1 + 3, bh::kPlayKeyAction1 + 4,
                         bh::kPlayKeyAction1 + 5, bh::kPlayKeyReturn,      bh::kPlayKeyEscape};

const int kKeysShown = 3;  // more would not fit the line

// What a pad input is called on the panel. Every pad gets the same
// bindings, so the first pad's stand for all four.
void PadInputName(int code, char* out, size_t size) {
    int i = code % vell::kPadStride;
    if (i >= vell::kPadAxis) snprintf(out, size, "stick");
    else if (i >= vell::kPadDpadUp && i <= vell::kPadDpadLeft) snprintf(out, size, "d-pad");
    else snprintf(out, size, "button %i", i);
}

// The keys bound to a control, newest first, then its first pad input:
// "[ Z ] [ Space ]   pad: button 0". Played from a pad, that pad's own
// name for its input instead: "A", "D-pad Left".
void BoundTo(MyGame& g, int control, char* out, size_t size) {
    out[0] = 0;
    if (g.LastInputPad() >= 0) {
        const char* name = g.ControlPrompt(control);
        if (name) {
            snprintf(out, size, "%s", name);
            return;
        }
    }
    size_t used = 0;
    int keys = 0;
    int pad = 0;
    for (int slot = vell::kNewestBindingRow; slot >= vell::kFirstBindingRow; slot--) {
        int code = g.KeyValue(control, slot);
        if (code >= 1 && code < 350 && keys < kKeysShown) {
            const char* name = g.KeyName(code);
            if (strstr(name, "???")) continue;
            int n = snprintf(out + used, size - used, "%s%s", keys ? " " : "", name);
            if (n < 0 || (size_t)n >= size - used) return;
            used += (size_t)n;
            keys++;
        }
        if (code >= vell::kFirstPadCode && code < vell::kFirstPadCode + vell::kPadStride && pad == 0) pad = code;
    }
    if (pad) {
        char name[32];
        PadInputName(pad, name, sizeof name);
        snprintf(out + used, size - used, "%spad: %s", keys ? "   " : "", name);
    }
    if (!keys && !pad) snprintf(out, size, "not bound");
}

// The update: only the press that puts the panel away.
void CloseHowToPlay(MyGame& g) {
    g.Settings[bh::kSettingHowToPlaySeen] = 1;
    int back = g.HowToPlayReturn;
    g.OverlayScreen = back == bh::kScreenOptions ? bh::kScreenOptions : bh::kScreenNone;
    g.LockKeys();
    // A game may start right under the press that closed the panel; the
    // flap waits until the button is let go.
    g.KeyLock[bh::kLockFlap] = bh::kFlapLockHeld;
    g.PlaySFX(bh::kSfxConfirm);
}

void Line(MyGame& g, float x, float y, const char* text) {
    g.SetCol(255, 255, 255, 1.0f);
    g.SetSize(0.7f);
    g.Text(x, y, text, 0.0f);
}

void Label(MyGame& g, float x, float y, const char* text) {
    g.SetCol(255, 220, 140, 1.0f);
    g.SetSize(0.7f);
    g.Text(x, y, text, 0.0f);
}

void DrawControls(MyGame& g, float x, float y) {
    char keys[160];
    const struct {
        int control;
        const char* name;
    } rows[] = {{bh::kJoyButton1, "Flap"}, {bh::kJoyLeft, "Left"}, {bh::kJoyRight, "Right"}, {bh::kJoyStart, "Pause"}};
    for (const auto& r : rows) {
        Label(g, x, y, r.name);
        BoundTo(g, r.control, keys, sizeof keys);
        Line(g, x + 90, y, keys);
        y += 26;
    }
    Line(g, x + 90, y, "A stick steers too. Each press is one flap.");
}

// A waiting switch as it shows in a cave: the tile with its number.
void DrawSwitchPicture(MyGame& g, float x, float y, int number) {
    g.SetCol(255, 255, 255, 1.0f);
    g.SetSize(0.75f);
    g.DrawImg(bh::kImgTiles, x - 12, y, bh::kTileSwitchOnLeft - 1);
    g.DrawImg(bh::kImgTiles, x + 12, y, bh::kTileSwitchOnRight - 1);
    g.SetCol(0, 0, 0, 0.6f);
    g.Circle(x, y, 11);
    g.SetCol(255, 255, 255, 1.0f);
    g.SetSize(0.85f);
    g.Text(x, y, g.fstr("%i", number), 1.0f);
}

// Pictures beside the words, rows given from the panel's top.
void DrawPictures(MyGame& g, float cx, float top, bool calm) {
    int t = g.Mills();
    float left = cx - 300;
    // The bird, flapping unless motion is reduced.
    g.ResetDraw();
    g.SetSize(1.5f);
    g.DrawImg(bh::kImgPlayer, left, top + 95, calm ? 4 : 1 + (t / 120) % 4);

    // Switches 1 to 5, an arrow, the exit.
    float row = top + 206;
    float x = cx - 226;
    for (int i = 0; i < 5; i++) DrawSwitchPicture(g, x + 48.0f * i, row, i + 1);
    g.ResetDraw();
    g.SetCol(255, 255, 255, 0.8f);
    g.SetRot(90);
    g.Tri(x + 252, row, 14, 10);
    g.SetRot(0);
    g.SetSize(0.75f);
    g.SetCol(255, 255, 255, calm || (t / 250) % 2 == 0 ? 1.0f : 0.45f);
    for (int i = 0; i < 3; i++) g.DrawImg(bh::kImgTiles, x + 290 + 24.0f * i, row, bh::kTileExitTop - 1);

    // Chicks.
    float chicks = top + 323;
    g.SetCol(255, 255, 255, 1.0f);
    for (int i = 0; i < 3; i++) g.DrawImg(bh::kImgTiles, left - 24 + 24.0f * i, chicks, 11);

    // What costs a life: a bramble, a fireball, the red floor.
    float harm = top + 393;
    g.DrawImg(bh::kImgTiles, left - 24, harm, bh::kTileBramble - 1);
    g.SetSize(0.6f);
    g.DrawImg(bh::kImgFireballs, left + 4, harm, 0);
    g.ResetDraw();
    g.SetGradient(180, 0, 0, 0.75f, 0, 0, 0, 0.75f);
    g.Rect(left + 30, harm, 20, 20);
}

void DrawHowToPlay(MyGame& g) {
    float W = g.ScreenW, H = g.ScreenH, cx = W / 2;
    bool calm = g.Settings[bh::kSettingCalmMotion] == 1;
    g.AddPanel(760, 560);

    float top = H / 2 - 250;
    g.SetCol(255, 255, 255, 1.0f);
    g.SetSize(1.25f);
    g.Text(cx, top, "How to play", 1.0f);

    float x = cx - 250;
    DrawControls(g, x, top + 56);
    Line(g, x, top + 244, "Land on the switches 1 to 5 in order,");
    Line(g, x, top + 270, "then on the blinking exit on the right.");
    Line(g, x, top + 310, "Chicks follow you and multiply every score:");
    Line(g, x, top + 336, "x2, x3, x5 for one, two, three chicks.");
    Line(g, x, top + 380, "Brambles, fireballs and the floor cost a life.");
    Line(g, x, top + 406, "Standing on a ledge keeps you safe.");
    DrawPictures(g, cx, top, calm);

    g.ResetDraw();
    g.SetSize(0.8f);
    int t = g.Mills();
    g.SetCol(150, 255, 150, calm || (t / 500) % 2 == 0 ? 1.0f : 0.6f);
    g.Text(cx, top + 470, "Press any key", 1.0f);
    g.ResetDraw();
}

}  // namespace

bool MyGame::AnyFreshPress(int slot) {
    bool down = PointerDown > 0, held = down;
    for (int c = 0; c < bh::kControls; c++) {
        float v = Joy(c);
        if (v > bh::kPressed) down = true;
        if (!(v < bh::kReleased)) held = true;
    }
    for (int k : kPlayKeys)
        if (PlayKeyAll(k) != 0) down = held = true;
    LetGo(slot, !held);
    // Keys no control is bound to count too; GetKey ignores whatever was
    // held when the screen locked it.
    bool other = GetKey() > 0;
    return PressedOnce(slot, down, kTakeAll) || other;
}

void MyGame::OpenHowToPlay(int returnTo) {
    HowToPlayReturn = returnTo;
    OverlayScreen = bh::kScreenHowToPlay;
    LockKeys();
    LockForGet();
}

void MyGame::HowToPlay() {
    if (AnyFreshPress(bh::kLockConfirm)) CloseHowToPlay(*this);
    DrawHowToPlay(*this);
}
