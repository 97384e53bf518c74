// The one way the screens read a press: a held input acts once, and its
// lock frees only when the input is let go. A lock slot that holds a count
// instead (the repeat timers) goes through the repeat rule below.
#include "MyGame.h"

namespace {

bool Take(MyGame& g, int& lock, bool down, MyGame::PressLock take) {
    if (!down || lock != 0) return false;
    if (take == MyGame::kTakeSlot) lock = 1;
    if (take == MyGame::kTakeAll) g.LockKeys();
    return true;
}

}  // namespace

void MyGame::TrackHover() {
    float x = MouseX(), y = MouseY();
    HoverMoved = x != HoverX || y != HoverY;
    HoverX = x;
    HoverY = y;
}

bool MyGame::AnyAbove(std::initializer_list<int> controls, float level) {
    for (int c : controls)
        if (Joy(c) > level) return true;
    return false;
}

bool MyGame::AllBelow(std::initializer_list<int> controls, float level) {
    for (int c : controls)
        if (!(Joy(c) < level)) return false;
    return true;
}

bool MyGame::PressedOnce(int slot, bool down, PressLock take) { return Take(*this, KeyLock[slot], down, take); }

void MyGame::LetGo(int slot, bool up) {
    if (up) KeyLock[slot] = 0;
}

bool MyGame::TouchedOnce(int slot, bool down, PressLock take) { return Take(*this, TouchLock[slot], down, take); }

void MyGame::TouchLetGo(int slot, bool up) {
    if (up) TouchLock[slot] = 0;
}

void MyGame::RepeatCountdown(Repeat r, bool letGo) {
    if (r.wait > 0) r.wait -= 1;
    if (r.wait < 0) r.wait = 0;
    if (r.gap < r.fastest) r.gap = r.fastest;
    if (letGo) {
        r.wait = 0;
        r.gap = r.first;
    }
}

bool MyGame::RepeatStep(Repeat r, bool held) {
    if (!held || r.wait > 0) return false;
    r.wait = r.gap;
    r.gap -= r.shrink;
    return true;
}
