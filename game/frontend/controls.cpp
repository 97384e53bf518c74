// The default bindings of the sixteen controls. Each SetKey takes its code
// off every other control (and, for a pad code, takes that pad's other code
// off this control), so the call order decides where a code ends up and
// the order in which a control lists its codes.
#include <algorithm>
#include <cstring>
#include <vector>

#include "MyGame.h"

void MyGame::KeyDefaults() {
    static const int arrows[4] = {265, 262, 264, 263};      // Up, Right, Down, Left
    static const int keypad[4] = {328, 326, 325, 324};      // Num 8, 6, 5, 4
    static const int wasd[4] = {87, 68, 83, 65};            // W, D, S, A
    static const int zxcvbn[6] = {90, 88, 67, 86, 66, 78};  // Z, X, C, V, B, N
    static const int klji[6] = {75, 76, 74, 73, 85, 79};    // K, L, J, I, U, O
    for (int i = 0; i < 4; i++) SetKey(bh::kJoyUp + i, arrows[i]);
    for (int i = 0; i < 4; i++) SetKey(bh::kJoyUp + i, keypad[i]);
    for (int i = 0; i < 6; i++) SetKey(bh::kJoyButton1 + i, zxcvbn[i]);
    for (int i = 0; i < 4; i++) SetKey(bh::kJoyUp + i, wasd[i]);
    for (int i = 0; i < 6; i++) SetKey(bh::kJoyButton1 + i, klji[i]);
    SetKey(bh::kJoyButton1, 32);      // Space
    SetKey(bh::kJoyButton1, 257);     // Return
    SetKey(bh::kJoyButton1, 335);     // Num Enter
    SetKey(bh::kJoyButton2, 341);     // Left Ctrl
    SetKey(bh::kJoyButton2, 345);     // Right Ctrl
    SetKey(bh::kJoyButton3, 342);     // Left Alt
    SetKey(bh::kJoyButton3, 346);     // Right Alt
    SetKey(bh::kJoyButton4, 340);     // Left Shift
    SetKey(bh::kJoyButton4, 344);     // Right Shift
    SetKey(bh::kJoyStart, 256);       // Escape
    SetKey(bh::kJoyBackSelect, 259);  // Backspace
    // Pads: d-pad on the directions, face buttons on buttons 1 to 4 and the
    // shoulders, then start and back. Pad p's codes are (p + 4) * 100 plus
    // the button number, its d-pad at + 10 to + 13.
    for (int h = 500; h <= 800; h += 100) {
        for (int i = 0; i < 4; i++) SetKey(bh::kJoyUp + i, h + 10 + i);
        SetKey(bh::kJoyButton1, h);
        for (int i = 1; i <= 5; i++) SetKey(bh::kJoyButton1 + i, h + i);
        SetKey(bh::kJoyStart, h + 7);
        SetKey(bh::kJoyBackSelect, h + 6);
    }
}

namespace {

// The pad codes bound to each control, as a sorted list per control.
void PadCodes(MyGame& g, std::vector<int> (&out)[bh::kControls]) {
    for (int k = 0; k < bh::kControls; k++) {
        out[k].clear();
        for (int slot = 0; slot < vell::kBindingRows; slot++) {
            int code = g.KeyValue(k, slot);
            if (code >= vell::kFirstPadCode) out[k].push_back(code);
        }
        std::sort(out[k].begin(), out[k].end());
    }
}

// Whether the pads are bound just as the defaults bind them. The table is
// put back as it was, every slot oldest first, gaps included, the way
// loading builds it: the file saved next is then the same file.
bool PadBindingsAreDefaults(MyGame& g) {
    int kept[bh::kControls][vell::kBindingRows];
    for (int k = 0; k < bh::kControls; k++)
        for (int slot = 0; slot < vell::kBindingRows; slot++) kept[k][slot] = g.KeyValue(k, slot);
    std::vector<int> now[bh::kControls], defaults[bh::kControls];
    PadCodes(g, now);
    g.FlushKeys();
    g.KeyDefaults();
    PadCodes(g, defaults);
    g.FlushKeys();
    for (int k = 0; k < bh::kControls; k++)
        for (int slot = 0; slot < vell::kBindingRows; slot++) g.SetKey(k, kept[k][slot]);
    for (int k = 0; k < bh::kControls; k++)
        if (now[k] != defaults[k]) return false;
    return true;
}

}  // namespace

// Pad bindings saved before pads were read in the standard layout name a
// pad's raw buttons. Left as the defaults made them they mean the same
// controls in the standard layout; made by the player, they keep their
// raw meaning, so an old file's pad acts as it did, until the bindings are
// reset to the defaults.
void MyGame::SetUpPads() {
    LoadPadMappings();
    int& layout = Settings[bh::kSettingPadLayout];
    if (layout != 1) layout = PadBindingsAreDefaults(*this) ? 1 : 0;
    StandardPadLayout(layout);
}

const char* MyGame::ControlPrompt(int control, bool heldOnly) {
    int pad = LastInputPad();
    auto name = [&](int code) { return pad < 0 ? KeyName(code) : PadInputName(code); };
    int first = 0;
    for (int slot = vell::kNewestBindingRow; slot >= vell::kFirstBindingRow; slot--) {
        int code = KeyValue(control, slot);
        bool mine = pad < 0 ? code >= 1 && code < 350 && !strstr(KeyName(code), "???") : code / 100 - 5 == pad;
        if (!mine) continue;
        if (InputDown(code)) return name(code);
        if (!first) first = code;
    }
    return first && !heldOnly ? name(first) : nullptr;
}
