// The game's view of input: the per-update poll with the engine's own hot
// keys, and queries over the tables the platform layer samples.
#include <cstdio>
#include <cstring>

#include "Vell_glfw3.h"
#include "VellCore.h"
#include "Vell_glfw3_hooks.h"

using namespace vell;

static void CountUpdate(VellCore& core) {
    UpdateCountLive++;
    int since = MillsDiff(core.Mills(), core.UpdateSec);
    if (since >= 1000 || since <= -1000) {
        core.UpdateSec = core.Mills();
        core.UpdateCount = UpdateCountLive;
        UpdateCountLive = 0;
    }
}

// A key held over many polls flips its switch once.
static void Latch(int key, int& held, int& value) {
    if (key == 0) held = 0;
    if (key == 1 && held == 0) {
        held = 1;
        value = 1 - value;
    }
}

void VellCore::PollInput(int invert) {
    CountUpdate(*this);
    ASys.PollInputB(invert);
    Latch(ASys.Button[kButtonStats], DebugToggle, DebugMode);
    Latch(ASys.Button[kButtonShotMode], ScreenshotToggle, ScreenshotMode);
    // One screenshot per press of F10, however many frames it is held for.
    if (ASys.Button[kButtonScreenshot] == 0) ScreenshotTaken = 0;
    if (ASys.Button[kButtonQuit] == 1) GameBreak = 1;
    Active = ASys.Button[kButtonFocus];
    // The buffer holds any base directory; should a name still not fit, a
    // cut path would point somewhere else, so the current directory is
    // used instead.
    char* stamp = DateTime_fileb();
    int n = snprintf(ASys.ScreenshotName, sizeof ASys.ScreenshotName, "%s/Screenshot_%i_%s.png", SaveFolder(), GameNum,
                     stamp);
    if (n < 0 || n >= (int)sizeof ASys.ScreenshotName)
        snprintf(ASys.ScreenshotName, sizeof ASys.ScreenshotName, "Screenshot_%i_%.80s.png", GameNum, stamp);
}

// Whether a counted pad holds the raw key down as well.
static bool PadMix(int index) {
    for (int p = 0; p < kPads; p++) {
        if (!ASys.PadCounted(p)) continue;
        const float* j = ASys.Joy + kPadStride * p;
        bool down = false;
        switch (index) {
        case kButtonUp: down = j[kPadDpadUp] > kPadPushed || j[kPadStickY] < -kPadPushed; break;
        case kButtonLeft: down = j[kPadDpadLeft] > kPadPushed || j[kPadStickX] < -kPadPushed; break;
        case kButtonRight: down = j[kPadDpadRight] > kPadPushed || j[kPadStickX] > kPadPushed; break;
        case kButtonDown: down = j[kPadDpadDown] > kPadPushed || j[kPadStickY] > kPadPushed; break;
        case kButtonReturn: down = j[kPadStart] > kPadPushed; break;
        case kButtonEscape: down = j[kPadBack] > kPadPushed; break;
        default:
            // The six action keys match the pad's first six buttons.
            if (index >= kButtonAction1 && index < kButtonAction1 + kButtonActions)
                down = j[index - kButtonAction1] > kPadPushed;
            break;
        }
        if (down) return true;
    }
    return false;
}

int VellCore::PlayKey(int index) {
    if (index < 0 || index >= kButtonSlots) return 0;
    if (MixJoy == 1 && PadMix(index)) return 1;
    return ASys.Button[index];
}

int VellCore::PlayKeyAll(int index) { return PlayKey(index); }

float VellCore::Joy(int vkey) { return vkey >= 0 && vkey < kVirtualKeySlots ? ASys.Keyv[vkey] : 0; }

float VellCore::StickX() {
    float s = 0;
    for (int p = 0; p < kPads; p++)
        if (ASys.PadCounted(p)) s += ASys.Joy[kPadStride * p + kPadStickX];
    return s;
}

float VellCore::StickY() {
    float s = 0;
    for (int p = 0; p < kPads; p++)
        if (ASys.PadCounted(p)) s += ASys.Joy[kPadStride * p + kPadStickY];
    return s;
}

int VellCore::JoyDown(int button) { return JoyDown(button, 0); }

int VellCore::JoyDown(int button, int pad) {
    if (button < 0 || button >= kPadStride || !ASys.PadCounted(pad)) return 0;
    return ASys.Joy[kPadStride * pad + button] > kPadPushed ? 1 : 0;
}

float VellCore::JoyAxis(int axis) { return JoyAxis(axis, 0); }

float VellCore::JoyAxis(int axis, int pad) {
    if (axis < 0 || axis >= kPadStride - kPadAxis || !ASys.PadCounted(pad)) return 0;
    return ASys.Joy[kPadStride * pad + kPadAxis + axis];
}

const char* VellCore::KeyName(int code) { return ASys.ButtonName(code); }

void VellCore::SetKey(int vkey, int code) { ASys.DefineKey(vkey, code); }

int VellCore::KeyValue(int vkey, int slot) {
    if (vkey < 0 || vkey >= kControls || slot < 0 || slot >= kBindingRows) return 0;
    return ASys.redef[vkey + kControls * slot];
}

void VellCore::LockForGet() { ASys.LockAll(); }
int VellCore::GetKey() { return ASys.AnyKey(); }
void VellCore::FlushKeys() { ASys.ClearKeys(); }
void VellCore::TextInput() { ASys.TextEntry = 1; }
int VellCore::TakeTyped(unsigned* out, int room) { return ASys.TakeTyped(out, room); }

int VellCore::mdall() {
    for (int t = 0; t < kPointers; t++)
        if (ASys.Touch[kTouchStride * t + kTouchDown] != 0) return 1;
    return 0;
}

// One entry of pointer t, 0 for a pointer that does not exist.
static float Pointer(int t, int entry) { return t >= 0 && t < kPointers ? ASys.Touch[kTouchStride * t + entry] : 0; }

float VellCore::MouseX() { return Pointer(0, kTouchX); }
float VellCore::MouseX(int t) { return Pointer(t, kTouchX); }
float VellCore::MouseY() { return Pointer(0, kTouchY); }
float VellCore::MouseY(int t) { return Pointer(t, kTouchY); }
int VellCore::MouseDown() { return (int)Pointer(0, kTouchDown); }
int VellCore::MouseDown(int t) { return (int)Pointer(t, kTouchDown); }
int VellCore::MouseDown_Alt() { return (int)Pointer(0, kTouchDownAlt); }
int VellCore::MouseDown_Alt(int t) { return (int)Pointer(t, kTouchDownAlt); }
int VellCore::MouseHeld() { return (int)Pointer(0, kTouchHeld); }
int VellCore::MouseHeld(int t) { return (int)Pointer(t, kTouchHeld); }
float VellCore::TouchX() { return MouseX(); }
float VellCore::TouchX(int t) { return MouseX(t); }
float VellCore::TouchY() { return MouseY(); }
float VellCore::TouchY(int t) { return MouseY(t); }
int VellCore::TouchDown() { return MouseDown(); }
int VellCore::TouchDown(int t) { return MouseDown(t); }
int VellCore::TouchDown_Alt() { return MouseDown_Alt(); }
int VellCore::TouchDown_Alt(int t) { return MouseDown_Alt(t); }
int VellCore::TouchHeld() { return MouseHeld(); }
int VellCore::TouchHeld(int t) { return MouseHeld(t); }

// A pointer resting exactly at (0, 0) is taken for one that is not there.
static bool PointerPresent(int t) { return Pointer(t, kTouchX) > 0 || Pointer(t, kTouchY) > 0; }

int VellCore::MouseIn(float x, float y, float w, float h) {
    for (int t = 0; t < kPointers; t++) {
        if (!PointerPresent(t)) continue;
        float px = Pointer(t, kTouchX), py = Pointer(t, kTouchY);
        if (x <= px && px <= x + w && y <= py && py <= y + h) return t + 1;
    }
    return 0;
}

int VellCore::MouseIn_Centered(float cx, float cy, float w, float h) { return MouseIn(cx - w / 2, cy - h / 2, w, h); }

int VellCore::MouseIn_Radius(float x, float y, float r) {
    for (int t = 0; t < kPointers; t++) {
        if (!PointerPresent(t)) continue;
        float dx = Pointer(t, kTouchX) - x, dy = Pointer(t, kTouchY) - y;
        if (dx * dx + dy * dy <= r * r) return t + 1;
    }
    return 0;
}

int VellCore::Button(int slot, float x, float y, int frame) {
    if (slot < 0 || slot > kLastGameImage) return 0;
    float s = ViewScale * ASys.DrawSet[kSetSizeX] * (float)ASys.ImageFrameSize[slot];
    DrawImg(slot, x, y, frame);
    int t = MouseIn(x - s / 2, y - s / 2, s, s);
    if (t == 0) return 0;
    if (Pointer(t - 1, kTouchDown) == 0) return 0;
    return t;
}

int VellCore::PolledKey(int slot) { return slot >= 0 && slot < kButtonSlots ? ASys.Button[slot] : 0; }

void VellCore::TakeInputs(float* out) {
    int at = 0;
    for (int i = 0; i < kButtonSlots; i++) out[at++] = (float)ASys.Button[i];
    for (int i = 0; i < kTouchSlots; i++) out[at++] = ASys.Touch[i];
    for (int i = 0; i < kJoySlots; i++) out[at++] = ASys.Joy[i];
    for (int i = 0; i < kVirtualKeySlots; i++) out[at++] = ASys.Keyv[i];
}

void VellCore::GiveInputs(const float* in, bool (*keep)(int slot)) {
    int at = 0;
    for (int i = 0; i < kButtonSlots; i++, at++)
        if (!keep || !keep(i)) ASys.Button[i] = (int)in[at];
    for (int i = 0; i < kTouchSlots; i++) ASys.Touch[i] = in[at++];
    for (int i = 0; i < kJoySlots; i++) ASys.Joy[i] = in[at++];
    for (int i = 0; i < kVirtualKeySlots; i++) ASys.Keyv[i] = in[at++];
}

void VellCore::TakeBindings(int* out) { memcpy(out, ASys.redef, sizeof ASys.redef); }
void VellCore::GiveBindings(const int* in) { memcpy(ASys.redef, in, sizeof ASys.redef); }

void VellCore::LoadPadMappings() { ASys.LoadPadMappings(SaveFolder()); }

void VellCore::StandardPadLayout(int on) { ASys.StandardPads = on != 0; }

int VellCore::PadLost() { return ASys.TakePadLost() ? 1 : 0; }

// A pad that no longer counts has nothing left to name.
int VellCore::LastInputPad() { return ASys.PadCounted(ASys.LastInput) ? ASys.LastInput : -1; }

int VellCore::InputDown(int code) { return ASys.CodeDown(code) ? 1 : 0; }

const char* VellCore::PadInputName(int code) { return ASys.PadInputName(code); }
