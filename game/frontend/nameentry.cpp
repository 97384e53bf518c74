// Name entry: twelve boxes, each a wheel of 64 characters turned with
// Up/Down. The name is packed two characters to a Settings slot.
#include "MyGame.h"

namespace {

const int kNameSlot = bh::kSettingName;
const int kNameLength = bh::kNameLength;
// Name entry answers a lighter touch than the menus.
const float kLightPress = 0.4f;

int NameCode(const MyGame& g, int k) {
    int v = g.Settings[kNameSlot + k / 2];
    return (k % 2 == 0 ? v : v >> 8) & 63;
}

// Stores one character and keeps its neighbour; stray bits are dropped.
void SetNameCode(MyGame& g, int k, int q) {
    int& v = g.Settings[kNameSlot + k / 2];
    int even = v & 63, odd = (v >> 8) & 63;
    if (k % 2 == 0) even = q & 63;
    else odd = q & 63;
    v = even | (odd << 8);
}

// The wheel code of a typed character, or -1 for one the name cannot hold.
int TypedCode(unsigned c) {
    if (c == ' ') return 0;
    if (c == '-') return 1;
    if (c >= '0' && c <= '9') return (int)(c - '0') + 2;
    if (c >= 'A' && c <= 'Z') return (int)(c - 'A') + 12;
    if (c >= 'a' && c <= 'z') return (int)(c - 'a') + 38;
    return -1;
}

// Typing fills the box under the cursor and moves on, staying on the last
// box; Backspace clears the box under the cursor, or when that is blank
// the one before it, as in any text field.
void TypeIntoName(MyGame& g, int& pos) {
    unsigned typed[vell::kTypedChars];
    int n = g.TakeTyped(typed, vell::kTypedChars);
    for (int i = 0; i < n; i++) {
        unsigned c = typed[i];
        if (c == vell::kTypedBackspace) {
            if (NameCode(g, pos) == 0 && pos > 0) pos -= 1;
            SetNameCode(g, pos, 0);
            g.PlaySFX(bh::kSfxConfirm, 0.5f);
            continue;
        }
        int q = TypedCode(c);
        if (q < 0) continue;
        SetNameCode(g, pos, q);
        if (pos < kNameLength - 1) pos += 1;
        g.PlaySFX(bh::kSfxMove, 1.5f);
    }
}

// One character centred on (x, y): a glyph is placed by its ink, which the
// one-character text call would put half a glyph to the left.
void Letter(MyGame& g, float x, float y, int q) {
    char text[2] = {g.Char64b(q), 0};
    g.Text(x, y, text, 1.0f);
}

}  // namespace

void MyGame::EnterYourName() {
    float W = ScreenW, H = ScreenH;
    float y0 = H / 2;
    AddPlatBG();
    ResetDraw();
    SetGradient(255, 255, 64, 1.0f, 255, 128, 64, 1.0f);
    SetSize(1.5f);
    Text(W / 2, 32, "Enter Your Name", 1.0f);
    ResetDraw();

    int& pos = NamePosition();
    // The wheel turns at a lighter touch still. A held direction steps at
    // once, then after 30, 22, 14, 6 and then every 2 updates.
    Repeat wheel{NameRepeatWait(), NameRepeatGap(), 30, 8, 2};
    // The options list shares this member; never edit outside the name.
    if (pos < 0 || pos >= kNameLength) pos = 0;
    // The keyboard types here; its letter keys drive no control meanwhile.
    TextInput();
    TypeIntoName(*this, pos);

    for (int k = 0; k < kNameLength; k++) {
        int q = NameCode(*this, k);
        float x = k * 40 + (W / 2 - 220);
        if (k == pos) SetCol(0, 128, 0, 0.5f);
        else SetCol(0, 0, 0, 0.5f);
        Rect(x, y0, 36, 64);
        SetCol(255, 255, 255, 1.0f);
        Letter(*this, x, y0, q);
        SetAlpha(0.7f);
        if (k != pos) continue;

        for (int d = -4; d <= 4; d++) Letter(*this, x, y0 + d * 64, (q + d + 64) % 64);
        if (RepeatStep(wheel, Joy(bh::kJoyUp) > 0.3f)) {
            q = (q + 63) % 64;
            PlaySFX(bh::kSfxMove, 0.5f);
        }
        if (RepeatStep(wheel, Joy(bh::kJoyDown) > 0.3f)) {
            q = (q + 1) % 64;
            PlaySFX(bh::kSfxMove, 0.6f);
        }
        SetNameCode(*this, k, q);
    }

    RepeatCountdown(wheel, AllBelow({bh::kJoyUp, bh::kJoyDown}));

    LetGo(bh::kLockNameMove, AllBelow({bh::kJoyLeft, bh::kJoyRight}));
    if (PressedOnce(bh::kLockNameMove, Joy(bh::kJoyRight) > kLightPress)) {
        pos = (pos + 1) % kNameLength;
        PlaySFX(bh::kSfxConfirm, 1.2f);
    }
    if (PressedOnce(bh::kLockNameMove, Joy(bh::kJoyLeft) > kLightPress)) {
        pos = (pos + kNameLength - 1) % kNameLength;
        PlaySFX(bh::kSfxConfirm, 0.8f);
    }

    LetGo(bh::kLockNameAction, AllBelow({bh::kJoyButton1, bh::kJoyButton2}) && PlayKey(bh::kPlayKeyEscape) == 0 &&
                                   PlayKey(bh::kPlayKeyReturn) == 0);
    // Return is bound to "Button 1" by default; it is kept for finishing.
    if (pos <= 10 &&
        PressedOnce(bh::kLockNameAction, Joy(bh::kJoyButton1) > kLightPress && PlayKey(bh::kPlayKeyReturn) == 0)) {
        pos += 1;
        SetNameCode(*this, pos, NameCode(*this, pos - 1));
        PlaySFX(bh::kSfxConfirm, 1.5f);
    }
    if (PressedOnce(bh::kLockNameAction, Joy(bh::kJoyButton2) > kLightPress)) {
        SetNameCode(*this, pos, 0);
        if (pos > 0) pos = (pos + kNameLength - 1) % kNameLength;
        PlaySFX(bh::kSfxConfirm, 0.5f);
    }
    bool done = AnyAbove({bh::kJoyButton3, bh::kJoyButton4}, kLightPress) || PlayKey(bh::kPlayKeyEscape) != 0 ||
                PlayKey(bh::kPlayKeyReturn) != 0;
    if (PressedOnce(bh::kLockNameAction, done, kTakeAll)) {
        pos = 0;
        OverlayScreen = bh::kScreenOptions;
    }
}

const char* MyGame::ShowName() {
    static char name[kNameLength + 1];
    int used = 0;
    for (int k = 0; k < kNameLength; k++) {
        int q = NameCode(*this, k);
        name[k] = Char64b(q);
        if (q > 0) used++;
    }
    name[kNameLength] = 0;
    return used == 0 ? "Enter Your Name" : name;
}
