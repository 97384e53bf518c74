// The default bindings: which control each key and pad button lands on, and
// the order each control lists them in.
#include <gtest/gtest.h>

#include "test_support.h"

namespace {

std::vector<int> Column(int k) {
    std::vector<int> out;
    for (int slot = 0; slot < 64; slot++)
        if (ThisGame.KeyValue(k, slot)) out.push_back(ThisGame.KeyValue(k, slot));
    return out;
}

// Each pad's codes for one control, pads 1 to 4 in turn.
std::vector<int> WithPads(std::vector<int> keys, int button) {
    for (int h = 500; h <= 800; h += 100) keys.push_back(h + button);
    return keys;
}

TEST(ControlsTest, DefaultsBindEveryControlInCallOrder) {
    ThisGame.FlushKeys();
    ThisGame.KeyDefaults();
    const std::vector<int> want[16] = {
        WithPads({265, 328, 87}, 10),  // Up: arrow, Num 8, W, d-pad
        WithPads({262, 326, 68}, 11),
        WithPads({264, 325, 83}, 12),
        WithPads({263, 324, 65}, 13),
        {},
        {},
        {},
        {},
        WithPads({256}, 7),                   // Start: Escape
        WithPads({259}, 6),                   // Back: Backspace
        WithPads({90, 75, 32, 257, 335}, 0),  // Button 1: Z, K, Space, Return, Num Enter
        WithPads({88, 76, 341, 345}, 1),
        WithPads({67, 74, 342, 346}, 2),
        WithPads({86, 73, 340, 344}, 3),
        WithPads({66, 85}, 4),
        WithPads({78, 79}, 5),
    };
    for (int k = 0; k < 16; k++) EXPECT_EQ(Column(k), want[k]) << "control " << k;
    // Everything sits in the newest rows; the older ones are never used.
    for (int k = 0; k < 16; k++)
        for (int slot = 0; slot < 48; slot++) EXPECT_EQ(ThisGame.KeyValue(k, slot), 0);
    EXPECT_EQ(ThisGame.KeyValue(10, 63), 800);
    EXPECT_EQ(ThisGame.KeyValue(10, 55), 90);
}

TEST(ControlsTest, DefaultsMakeAPadPlayable) {
    ThisGame.FlushKeys();
    ThisGame.KeyDefaults();
    for (int i = 0; i < 400; i++) ASys.Joy[i] = 0;
    ASys.Joy[298] = ASys.Joy[299] = 1;  // pad 3 connected and seen idle
    ASys.Joy[200] = 1;                  // its button 0
    ASys.Joy[213] = 1;                  // its d-pad left
    ASys.PollRedef();
    EXPECT_EQ(ThisGame.Joy(10), 1.0f);
    EXPECT_EQ(ThisGame.Joy(3), 1.0f);
    EXPECT_EQ(ThisGame.Joy(11), 0.0f);
    for (int i = 0; i < 400; i++) ASys.Joy[i] = 0;
}

}  // namespace
