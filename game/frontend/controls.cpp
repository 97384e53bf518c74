// The default bindings of the sixteen controls. Each SetKey takes its code
// off every other control (and, for a pad code, takes that pad's other code
// off this control), so the call order decides where a code ends up and
// the order in which a control lists its codes.
#include "MyGame.h"

void MyGame::KeyDefaults() {
    static const int arrows[4] = {265, 262, 264, 263};   // Up, Right, Down, Left
    static const int keypad[4] = {328, 326, 325, 324};   // Num 8, 6, 5, 4
    static const int wasd[4] = {87, 68, 83, 65};         // W, D, S, A
    static const int zxcvbn[6] = {90, 88, 67, 86, 66, 78};
    static const int klji[6] = {75, 76, 74, 73, 85, 79};  // K, L, J, I, U, O
    for (int i = 0; i < 4; i++) SetKey(i, arrows[i]);
    for (int i = 0; i < 4; i++) SetKey(i, keypad[i]);
    for (int i = 0; i < 6; i++) SetKey(10 + i, zxcvbn[i]);
    for (int i = 0; i < 4; i++) SetKey(i, wasd[i]);
    for (int i = 0; i < 6; i++) SetKey(10 + i, klji[i]);
    SetKey(10, 32);   // Space
    SetKey(10, 257);  // Return
    SetKey(10, 335);  // Num Enter
    SetKey(11, 341);  // Left Ctrl
    SetKey(11, 345);  // Right Ctrl
    SetKey(12, 342);  // Left Alt
    SetKey(12, 346);  // Right Alt
    SetKey(13, 340);  // Left Shift
    SetKey(13, 344);  // Right Shift
    SetKey(8, 256);   // Escape
    SetKey(9, 259);   // Backspace
    // Pads: d-pad on the directions, face buttons on buttons 1 to 4 and the
    // shoulders, then start and back.
    for (int h = 500; h <= 800; h += 100) {
        for (int i = 0; i < 4; i++) SetKey(i, h + 10 + i);
        SetKey(10, h);
        for (int i = 1; i <= 5; i++) SetKey(10 + i, h + i);
        SetKey(8, h + 7);
        SetKey(9, h + 6);
    }
}
