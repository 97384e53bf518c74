// Name entry: twelve boxes, each a wheel of 64 characters turned with
// Up/Down. The name is packed two characters to a Settings slot.
#include "MyGame.h"

namespace {

const int kNameSlot = bh::kSettingName;
const int kNameLength = bh::kNameLength;

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
    int& wait = NameRepeatWait();
    int& gap = NameRepeatGap();
    // The options list shares this member; never edit outside the name.
    if (pos < 0 || pos >= kNameLength) pos = 0;

    for (int k = 0; k < kNameLength; k++) {
        int q = NameCode(*this, k);
        float x = k * 40 + (W / 2 - 220);
        if (k == pos) SetCol(0, 128, 0, 0.5f);
        else SetCol(0, 0, 0, 0.5f);
        Rect(x, y0, 36, 64);
        SetCol(255, 255, 255, 1.0f);
        Text(x, y0, Char64b(q), 1.0f);
        SetAlpha(0.7f);
        if (k != pos) continue;

        for (int d = -4; d <= 4; d++) Text(x, y0 + d * 64, Char64b((q + d + 64) % 64), 1.0f);
        if (Joy(bh::kJoyUp) > 0.3f && wait < 1) {
            q = (q + 63) % 64;
            wait = gap;
            gap -= 8;
            PlaySFX(bh::kSfxMove, 0.5f);
        }
        if (Joy(bh::kJoyDown) > 0.3f && wait < 1) {
            q = (q + 1) % 64;
            wait = gap;
            gap -= 8;
            PlaySFX(bh::kSfxMove, 0.6f);
        }
        SetNameCode(*this, k, q);
    }

    // A held direction steps at once, then after 30, 22, 14, 6 and then
    // every 2 updates.
    if (wait > 0) wait -= 1;
    if (gap < 2) gap = 2;
    if (Joy(bh::kJoyUp) < 0.3f && Joy(bh::kJoyDown) < 0.3f) {
        wait = 0;
        gap = 30;
    }

    if (Joy(bh::kJoyLeft) < 0.3f && Joy(bh::kJoyRight) < 0.3f) KeyLock[bh::kLockNameMove] = 0;
    if (Joy(bh::kJoyRight) > 0.4f && KeyLock[bh::kLockNameMove] == 0) {
        KeyLock[bh::kLockNameMove] = 1;
        pos = (pos + 1) % kNameLength;
        PlaySFX(bh::kSfxConfirm, 1.2f);
    }
    if (Joy(bh::kJoyLeft) > 0.4f && KeyLock[bh::kLockNameMove] == 0) {
        KeyLock[bh::kLockNameMove] = 1;
        pos = (pos + kNameLength - 1) % kNameLength;
        PlaySFX(bh::kSfxConfirm, 0.8f);
    }

    if (Joy(bh::kJoyButton1) < 0.3f && Joy(bh::kJoyButton2) < 0.3f &&
        PlayKey(bh::kPlayKeyEscape) == 0 && PlayKey(bh::kPlayKeyReturn) == 0)
        KeyLock[bh::kLockNameAction] = 0;
    // Return is bound to "Button 1" by default; it is kept for finishing.
    if (Joy(bh::kJoyButton1) > 0.4f && PlayKey(bh::kPlayKeyReturn) == 0 &&
        KeyLock[bh::kLockNameAction] == 0 && pos <= 10) {
        KeyLock[bh::kLockNameAction] = 1;
        pos += 1;
        SetNameCode(*this, pos, NameCode(*this, pos - 1));
        PlaySFX(bh::kSfxConfirm, 1.5f);
    }
    if (Joy(bh::kJoyButton2) > 0.4f && KeyLock[bh::kLockNameAction] == 0) {
        SetNameCode(*this, pos, 0);
        if (pos > 0) pos = (pos + kNameLength - 1) % kNameLength;
        KeyLock[bh::kLockNameAction] = 1;
        PlaySFX(bh::kSfxConfirm, 0.5f);
    }
    if ((Joy(bh::kJoyButton3) > 0.4f || Joy(bh::kJoyButton4) > 0.4f ||
         PlayKey(bh::kPlayKeyEscape) != 0 || PlayKey(bh::kPlayKeyReturn) != 0) &&
        KeyLock[bh::kLockNameAction] == 0) {
        pos = 0;
        OverlayScreen = bh::kScreenOptions;
        LockKeys();
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
