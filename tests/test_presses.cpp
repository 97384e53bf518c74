// The pressed-once rule every screen reads input by: a press acts once, a
// value between the two thresholds changes nothing, and what an accepted
// press locks.
#include <vector>

#include "test_menu_fixture.h"

namespace {

class FrontPresses : public FrontScreen {};

TEST_F(FrontPresses, HeldInputActsOnceAndAgainOnlyAfterItIsLetGo) {
    // Values of "Button 1" update by update, and whether the press acted.
    // 0.4 lies between the thresholds: it neither presses nor lets go.
    const struct {
        float value;
        bool acts;
    } steps[] = {{1.0f, true},  {1.0f, false}, {0.4f, false}, {0.6f, false},
                 {0.2f, false}, {0.4f, false}, {0.6f, true},  {0.5f, false}};
    std::vector<bool> acted, expected;
    for (const auto& s : steps) {
        Control(bh::kJoyButton1, s.value);
        g.LetGo(bh::kLockConfirm, g.AllBelow({bh::kJoyButton1}));
        acted.push_back(g.PressedOnce(bh::kLockConfirm, g.AnyAbove({bh::kJoyButton1})));
        expected.push_back(s.acts);
    }
    EXPECT_EQ(acted, expected);
}

TEST_F(FrontPresses, AnAcceptedPressLocksTheSlotEverythingOrNothing) {
    const struct {
        MyGame::PressLock take;
        int slot, other, touch;  // the guarding slot, another slot, a pointer's lock
    } cases[] = {{MyGame::kTakeSlot, 1, 0, 0}, {MyGame::kTakeAll, 1, 1, 1}, {MyGame::kTakeNone, 0, 0, 0}};
    for (const auto& c : cases) {
        memset(g.KeyLock, 0, sizeof g.KeyLock);
        memset(g.TouchLock, 0, sizeof g.TouchLock);
        EXPECT_TRUE(g.PressedOnce(bh::kLockBack, true, c.take));
        EXPECT_EQ(g.KeyLock[bh::kLockBack], c.slot) << c.take;
        EXPECT_EQ(g.KeyLock[bh::kLockEscape], c.other) << c.take;
        EXPECT_EQ(g.TouchLock[bh::kTouchLockClick], c.touch) << c.take;

        // A held slot refuses the press and changes nothing, whatever the kind.
        g.KeyLock[bh::kLockBack] = 1;
        g.KeyLock[bh::kLockEscape] = 0;
        EXPECT_FALSE(g.PressedOnce(bh::kLockBack, true, c.take)) << c.take;
        EXPECT_EQ(g.KeyLock[bh::kLockEscape], 0) << c.take;
    }
}

}  // namespace
