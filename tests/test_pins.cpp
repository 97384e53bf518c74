// The numbers that files on the players' disks hold: the slots of the
// settings and score files, the key bindings, the score table, and what a
// saved best run carries (its format, the lock slots and their values, the
// settings, and the modes and screens its check folds in after every
// update). Everywhere else the tests use the names; here each name meets
// its number once, so a renumbering that would leave the players' files
// unreadable fails here, and only here.
#include <gtest/gtest.h>

#include "GameNumbers.h"
#include "MyGame.h"
#include "gameplay/replay.h"

namespace {

struct Pin {
    const char* name;
    long long value, pinned;
};

#define PIN(name, pinned) \
    { #name, (long long)(name), (long long)(pinned) }

void Check(const Pin* pins, size_t count) {
    for (size_t i = 0; i < count; i++) EXPECT_EQ(pins[i].value, pins[i].pinned) << pins[i].name;
}

TEST(Pins, SettingsSlotsOfBothFilesAndTheirSizes) {
    const Pin pins[] = {
        PIN(bh::kSettingSlots, 200),
        PIN(bh::kFirstScoreFileSetting, 100),
        // "Settings.sav": the first hundred slots.
        PIN(bh::kSettingSfxVolume, 0),
        PIN(bh::kSettingMusicVolume, 1),
        PIN(bh::kSettingInvertStickY, 10),
        PIN(bh::kSettingSwapConfirm, 13),
        PIN(bh::kSettingOverscan, 20),
        PIN(bh::kSettingDebugStats, 22),
        PIN(bh::kSettingCalmMotion, 23),
        PIN(bh::kSettingUserDate, 24),
        PIN(bh::kSettingUserTime, 25),
        PIN(bh::kSettingUserRandom, 26),
        PIN(bh::kSettingUserCheck, 27),
        PIN(bh::kSettingHowToPlaySeen, 30),
        PIN(bh::kSettingRenderScale, 31),
        PIN(bh::kSettingPadLayout, 41),
        PIN(bh::kSettingName, 50),
        PIN(bh::kNameLength, 12),  // two characters a slot: 50 to 55
        // The score file: the next hundred.
        PIN(bh::kSettingGamesPlayed, 100),
        PIN(bh::kSettingDifficultyCursor, 101),
        PIN(bh::kSettingUserCopyDate, 124),
        PIN(bh::kSettingUserCopyTime, 125),
        PIN(bh::kSettingUserCopyRandom, 126),
        PIN(bh::kSettingUserCopyCheck, 127),
        // The game's number names the score file and the data folder.
        PIN(bh::kGameNumber, 552),
        PIN(sizeof ThisGame.Settings / sizeof(int), 200),
        PIN(sizeof ThisGame.ScoreTable / sizeof(int), 22000),
        // Settings, then every control's binding rows.
        PIN((bh::kFirstScoreFileSetting + vell::kBindingSlots) * 4, 4496),
        // Settings, the score table, the checksum.
        PIN((bh::kSettingSlots - bh::kFirstScoreFileSetting + sizeof ThisGame.ScoreTable / sizeof(int) + 1) * 4, 88404),
    };
    Check(pins, sizeof pins / sizeof pins[0]);
}

// The score file holds the score table whole: each difficulty's board
// where its number puts it, its best scores first, then its newest.
TEST(Pins, ScoreTableLayout) {
    const Pin pins[] = {
        PIN(bh::kScoreTableSize, 22000),
        PIN(bh::kBoardStride, 20),
        PIN(bh::kBoardPlaces, 5),
        PIN(bh::kBoardNewest, 5),
        PIN(bh::BoardBase(bh::kDifficultyEasy), 20),
        PIN(bh::BoardBase(bh::kDifficultyNormal), 40),
        PIN(bh::BoardBase(bh::kDifficultyHard), 60),
    };
    Check(pins, sizeof pins / sizeof pins[0]);
}

// The bindings in "Settings.sav" are saved by control and row.
TEST(Pins, ControlsAndBindingRows) {
    const Pin pins[] = {
        PIN(bh::kControls, 16),
        PIN(vell::kBindingRows, 64),
        PIN(vell::kBindingSlots, 16 * 64),
        PIN(bh::kJoyUp, 0),
        PIN(bh::kJoyRight, 1),
        PIN(bh::kJoyDown, 2),
        PIN(bh::kJoyLeft, 3),
        PIN(bh::kJoyStick2Up, 4),
        PIN(bh::kJoyStick2Right, 5),
        PIN(bh::kJoyStick2Down, 6),
        PIN(bh::kJoyStick2Left, 7),
        PIN(bh::kJoyStart, 8),
        PIN(bh::kJoyBackSelect, 9),
        PIN(bh::kJoyButton1, 10),
        PIN(bh::kJoyButton2, 11),
        PIN(bh::kJoyButton3, 12),
        PIN(bh::kJoyButton4, 13),
        PIN(bh::kJoyLeftShoulder, 14),
        PIN(bh::kJoyRightShoulder, 15),
    };
    Check(pins, sizeof pins / sizeof pins[0]);
}

// A saved best run starts from the game's own tables as they stood, and is
// checked against the play state, modes and screens after every update.
TEST(Pins, WhatASavedRunHolds) {
    const Pin pins[] = {
        PIN(tape::kFormat, 2),
        PIN(tape::kButtons, 128),
        PIN(tape::kTouches, 100),
        PIN(tape::kPadValues, 400),
        PIN(tape::kControlValues, 128),
        PIN(tape::kViewValues, 2),
        PIN(tape::kMisc, 15),
        PIN(tape::kSettings, bh::kSettingSlots),
        PIN(tape::kLocks, bh::kKeyLockSlots),
        PIN(tape::kLocks, bh::kTouchLockSlots),
        PIN(bh::kKeyLockSlots, 100),
        // Lock slots and the values they hold.
        PIN(bh::kTouchLockClick, 0),
        PIN(bh::kLockVertical, 0),
        PIN(bh::kLockRedefineMove, 0),
        PIN(bh::kLockNameRepeatWait, 0),
        PIN(bh::kLockPauseMove, 1),
        PIN(bh::kLockNameMove, 1),
        PIN(bh::kLockActivate, 2),
        PIN(bh::kLockNameRepeatGap, 2),
        PIN(bh::kLockHorizontal, 5),
        PIN(bh::kLockRepeatWait, 5),
        PIN(bh::kLockRepeatGap, 6),
        PIN(bh::kLockConfirm, 10),
        PIN(bh::kLockFlap, 10),
        PIN(bh::kLockBack, 11),
        PIN(bh::kLockNameAction, 11),
        PIN(bh::kLockBoardPage, 13),
        PIN(bh::kLockWatch, 14),
        PIN(bh::kLockOptionsBack, 15),
        PIN(bh::kLockCreditsClose, 15),
        PIN(bh::kLockRedefineCapture, 66),
        PIN(bh::kLockPauseKey, 98),
        PIN(bh::kLockEscape, 99),
        PIN(bh::kCaptureIdle, 0),
        PIN(bh::kCaptureRelease, 1),
        PIN(bh::kCaptureWaiting, 2),
        PIN(bh::kRepeatWaitAfterGame, 50),
        PIN(bh::kFlapLockRespawn, 50),
        PIN(bh::kFlapLockHeld, 1000),
        // The head's difficulty and song.
        PIN(bh::kDifficultyEasy, 1),
        PIN(bh::kDifficultyNormal, 2),
        PIN(bh::kDifficultyHard, 3),
        PIN(bh::kDifficultyDaily, 4),
        PIN(bh::kTrackNone, 0),
        PIN(bh::kTrackMenu, 1),
        PIN(bh::kTrackPlay, 2),
        // Folded into the check after every update.
        PIN(bh::kModeTitle, 0),
        PIN(bh::kModeBackToTitle, 1),
        PIN(bh::kModePlaying, 10),
        PIN(bh::kModeNewGame, 11),
        PIN(bh::kScreenNone, 0),
        PIN(bh::kScreenOptions, 1),
        PIN(bh::kScreenCredits, 2),
        PIN(bh::kScreenRedefine, 3),
        PIN(bh::kScreenNameEntry, 4),
        PIN(bh::kScreenHowToPlay, 5),
        PIN(bh::kScreenGameOver, 6),
    };
    Check(pins, sizeof pins / sizeof pins[0]);
}

}  // namespace
