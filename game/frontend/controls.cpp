// The default bindings of the sixteen controls. Each SetKey takes its code
// off every other control (and, for a pad code, takes that pad's other code
// off this control), so the call order decides where a code ends up and
// the order in which a control lists its codes.
#include "MyGame.h"

void MyGame::KeyDefaults() {
    static const int arrows[4] = {265, 262, 264, 263};   // Up, Right, Down, Left
    static const int keypad[4] = {328, 326, 325, 324};   // Num 8, 6, 5, 4
    static const int wasd[4] = {87, 68, 83, 65};         // W, D, S, A
    static const int zxcvbn[6] = {90, 88, 67, 86, 66, 78};  // Z, X, C, V, B, N
    static const int klji[6] = {75, 76, 74, 73, 85, 79};  // K, L, J, I, U, O
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
