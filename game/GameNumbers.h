// The numbers that carry this game's meaning: where each setting lives in
// the saved table, the rules of play, the values of the mode and overlay
// switches, the controls, lock slots, pictures and tile codes. The saved
// files, the asset files and the tests pin these numbers, so they never move.
#pragma once

#include <cmath>

#include "GameAssets.h"
#include "VellNumbers.h"

namespace bh {

// The game's number in the engine: its data folder is Data/552, and its
// saves and screenshots carry the number in their names.
constexpr int kGameNumber = 552;

// Slots of MyGame::Settings. 0 to 99 are saved in "Settings.sav",
// 100 to 199 in the score file.
constexpr int kSettingSlots = 200;
constexpr int kFirstScoreFileSetting = 100;

// The settings the player chooses, one line each: the name and its slot,
// the lowest and highest value, the default (also what a value out of range
// in a loaded file becomes), and the row on the options screen: section,
// label, icon and, for a toggle, the words shown for 0 and 1 (a row of dots
// has none). A setting with no section has no row. Slots 0 to 99 are saved
// in "Settings.sav", so a slot once given never moves.
#define BH_SETTINGS(SET)                                                                                             \
    SET(kSettingSfxVolume, 0, 0, 10, 7, "Sound", "SFX Volume", kOptionSound, nullptr, nullptr)                       \
    SET(kSettingMusicVolume, 1, 0, 10, 7, "Sound", "Music Volume", kOptionMusic, nullptr, nullptr)                   \
    SET(kSettingCalmMotion, 23, 0, 1, 0, "Screen", "Motion Reduction", kOptionMotion, "Normal", "Less Motion")       \
    SET(kSettingOverscan, 20, 0, 10, 0, "Screen", "Overscan", kOptionScreen, nullptr, nullptr)                       \
    /* Auto reduces the resolution only where the CPU draws the picture. */                                          \
    SET(kSettingRenderScale, 31, 0, 1, 0, "Screen", "Render scale", kOptionScreen, "Auto", "Full")                   \
    SET(kSettingInvertStickY, 10, 0, 1, 0, "Input", "Invert Thumbstick Y", kOptionInvertStick, "Normal", "Inverted") \
    /* Mirrors the engine's DebugMode, which F1 flips too. */                                                        \
    SET(kSettingDebugStats, 22, 0, 1, 0, "System", "Debug Stats [F1]", kOptionStats, "Off", "On")                    \
    /* Swaps confirm and back on the title page. */                                                                  \
    SET(kSettingSwapConfirm, 13, 0, 1, 0, nullptr, nullptr, kOptionBack, nullptr, nullptr)                           \
    /* 1 once the how-to-play panel has been dismissed. */                                                           \
    SET(kSettingHowToPlaySeen, 30, 0, 1, 0, nullptr, nullptr, kOptionBack, nullptr, nullptr)                         \
    /* Kept in the score file; a first start opens the list on Normal, 4 is Daily. */                                \
    SET(kSettingDifficultyCursor, 101, 1, 4, 2, nullptr, nullptr, kOptionBack, nullptr, nullptr)

struct Setting {
    int slot, lowest, highest, initial;
    const char* section;
    const char* label;
    OptionFrame icon;
    const char* off;
    const char* on;
};

#define BH_SETTING_NAME(name, slot, lowest, highest, initial, section, label, icon, off, on) constexpr int name = slot;
BH_SETTINGS(BH_SETTING_NAME)
#undef BH_SETTING_NAME

#define BH_SETTING_ENTRY(name, slot, lowest, highest, initial, section, label, icon, off, on) \
    {slot, lowest, highest, initial, section, label, icon, off, on},
inline constexpr Setting kSettings[] = {BH_SETTINGS(BH_SETTING_ENTRY)};
#undef BH_SETTING_ENTRY

constexpr bool SettingsAreWellFormed() {
    for (const Setting& a : kSettings) {
        if (a.slot < 0 || a.slot >= kSettingSlots) return false;
        if (a.initial < a.lowest || a.initial > a.highest) return false;
        // A toggle flips between 0 and 1 and a row of dots starts at 0.
        if (a.section && (a.lowest != 0 || (a.off && a.highest != 1) || !a.label)) return false;
        int same = 0;
        for (const Setting& b : kSettings) same += b.slot == a.slot;
        if (same != 1) return false;
    }
    return true;
}
static_assert(SettingsAreWellFormed(),
              "a setting needs a slot of its own, a default in its range and a row it can show");

constexpr int kSettingUserDate = 24;    // user ID: creation date
constexpr int kSettingUserTime = 25;    // user ID: creation time
constexpr int kSettingUserRandom = 26;  // user ID: random part
constexpr int kSettingUserCheck = 27;   // check value of the user ID
// 1: pad codes in the bindings name the standard layout's buttons on pads
// that have a mapping. Files from before that read every pad raw (0 here),
// and so do their own pad bindings until they are reset to the defaults.
constexpr int kSettingPadLayout = 41;
constexpr int kSettingName = 50;  // 50 to 55: the player's name, two characters a slot
constexpr int kNameLength = 12;
constexpr int kSettingGamesPlayed = 100;
constexpr int kSettingUserCopyDate = 124;  // the score file's copy of the user ID
constexpr int kSettingUserCopyTime = 125;
constexpr int kSettingUserCopyRandom = 126;
constexpr int kSettingUserCopyCheck = 127;

// The rules of play. A new game starts with kStartingLives birds to spare.
// Every cave is kCaveWidth by kCaveHeight cells, and its clock starts at
// kCaveClock updates; what is left of it when the bird reaches the open
// exit pays a bonus of one point a kClockPerBonusPoint updates plus
// kExitBonusBase, times the multiplier. A chick pays kChickPoints, a
// switch kSwitchPoints times the multiplier, and the multiplier grows with
// the chicks following the bird (kFollowerMultiplier, by their number).
constexpr int kStartingLives = 3;
constexpr int kCaveWidth = 50;
constexpr int kCaveHeight = 25;
constexpr int kCaveClock = 3629;
constexpr int kClockPerBonusPoint = 30;
constexpr int kExitBonusBase = 5;
constexpr int kChickPoints = 10;
constexpr int kSwitchPoints = 25;
constexpr int kMaxFollowers = 3;
constexpr int kFollowerMultiplier[kMaxFollowers + 1] = {1, 2, 3, 5};

// The bonus points the clock still holds, as the score line shows them.
inline int BonusPointsLeft(float timeLeft) {
    int k = (int)std::floor(timeLeft / kClockPerBonusPoint);
    return k < 0 ? 0 : k;
}
// What reaching the open exit pays, the clock at timeLeft (not below 0).
inline int ExitBonus(float timeLeft, int multiplier) {
    return (int)(multiplier * (std::floor(timeLeft / kClockPerBonusPoint) + kExitBonusBase));
}

// Values of MyGame::GameEnding (and EndBanner): how a game ended.
constexpr int kEndNone = 0;
constexpr int kEndLivesLost = 1;  // the summary follows
constexpr int kEndQuit = -1;      // from the pause menu, straight back to the title

// The score table (MyGame::ScoreTable, saved in the score file): a board
// of kBoardStride slots per difficulty, at the difficulty's number times
// the stride. A board holds the kBoardPlaces best scores, then from
// kBoardNewest the same number of newest ones.
constexpr int kScoreTableSize = 22000;
constexpr int kBoardStride = 20;
constexpr int kBoardPlaces = 5;
constexpr int kBoardNewest = 5;

// The first slot of difficulty's board, or -1 when no board of the table
// belongs to it (a cursor from a hand-edited score file).
inline int BoardBase(long long difficulty) {
    long long b = difficulty * kBoardStride;
    if (b < 0 || b + kBoardStride > kScoreTableSize) return -1;
    return (int)b;
}

// Values of MyGame::GameMode.
constexpr int kModeTitle = 0;
constexpr int kModeBackToTitle = 1;  // runs LoadMenu once
constexpr int kModePlaying = 10;
constexpr int kModeNewGame = 11;  // runs LoadGame once

// Values of MyGame::OverlayScreen: the screen shown instead of the mode.
constexpr int kScreenNone = 0;
constexpr int kScreenOptions = 1;
constexpr int kScreenCredits = 2;
constexpr int kScreenRedefine = 3;
constexpr int kScreenNameEntry = 4;
constexpr int kScreenHowToPlay = 5;
constexpr int kScreenGameOver = 6;  // the summary after the last life

// What a replay is being watched as.
constexpr int kWatchNone = 0;
constexpr int kWatchReplay = 1;
constexpr int kWatchDemo = 2;
constexpr int kDemoAfterIdleMs = 30000;  // the title left alone this long plays a demo

// Controls read with Joy(): the player binds keys and pad buttons to these
// sixteen, and the bindings are saved by number.
constexpr int kControls = 16;
constexpr int kJoyUp = 0;
constexpr int kJoyRight = 1;  // also down in vertical lists
constexpr int kJoyDown = 2;
constexpr int kJoyLeft = 3;      // also up in vertical lists
constexpr int kJoyStick2Up = 4;  // 4 to 7: the second stick, no default keys
constexpr int kJoyStick2Right = 5;
constexpr int kJoyStick2Down = 6;
constexpr int kJoyStick2Left = 7;
constexpr int kJoyStart = 8;  // Escape by default: confirms, and also goes back
constexpr int kJoyBackSelect = 9;
constexpr int kJoyButton1 = 10;  // confirm, and the flap
constexpr int kJoyButton2 = 11;  // back
constexpr int kJoyButton3 = 12;
constexpr int kJoyButton4 = 13;  // turns the scoreboard page
constexpr int kJoyLeftShoulder = 14;
constexpr int kJoyRightShoulder = 15;

// A control counts as pressed above kPressed and as released below kReleased;
// in between the lock keeps its state, so a wobbling stick acts once.
constexpr float kPressed = 0.5f;
constexpr float kReleased = 0.3f;

// Fixed keys read with PlayKey()/PlayKeyAll(): raw key indexes that no
// rebinding can move, so the redefinition screen and Escape always work.
constexpr int kPlayKeyUp = vell::kButtonUp;
constexpr int kPlayKeyLeft = vell::kButtonLeft;
constexpr int kPlayKeyRight = vell::kButtonRight;
constexpr int kPlayKeyDown = vell::kButtonDown;
constexpr int kPlayKeyAction1 = vell::kButtonAction1;  // 10 to 15: the six action keys
constexpr int kPlayKeyReturn = vell::kButtonReturn;    // or a pad's Start button
constexpr int kPlayKeyEscape = vell::kButtonEscape;    // or a pad's Back button

// Slots of MyGame::KeyLock. A slot is 1 while the input it guards must first
// be let go; some slots double as counters, so one slot may have two names.
constexpr int kKeyLockSlots = 100;
constexpr int kTouchLockSlots = 100;  // kTouchLockClick, then pointer t at t + 1
constexpr int kTouchLockClick = 0;
constexpr int kPointers = vell::kPointers;
constexpr int kLockVertical = 0;        // options list up and down
constexpr int kLockRedefineMove = 0;    // redefinition screen's picks
constexpr int kLockNameRepeatWait = 0;  // name entry: updates until the next step
constexpr int kLockPauseMove = 1;       // pause menu left and right
constexpr int kLockNameMove = 1;        // name entry's box left and right
constexpr int kLockActivate = 2;        // options row activation
constexpr int kLockNameRepeatGap = 2;   // name entry: the next wait, shrinking
constexpr int kLockHorizontal = 5;      // title and options left and right
constexpr int kLockRepeatWait = 5;      // difficulty list: updates until the next step
constexpr int kLockRepeatGap = 6;       // difficulty list: the next wait, shrinking
constexpr int kLockConfirm = 10;
constexpr int kLockFlap = 10;  // play: a flap acts only at 0 or below
constexpr int kLockBack = 11;
constexpr int kLockNameAction = 11;  // name entry's action buttons
constexpr int kLockBoardPage = 13;
constexpr int kLockWatch = 14;        // the board's "Watch best run"
constexpr int kLockOptionsBack = 15;  // "Back/Select" on the options screen
constexpr int kLockCreditsClose = 15;
constexpr int kLockRedefineCapture = 66;  // a state, see below
constexpr int kLockPauseKey = 98;
constexpr int kLockEscape = 99;  // Escape on the title page and the options screen

// A quit asked for once: the question is up while the press that asked is
// still held, then a second press answers it.
constexpr int kQuitAskNone = 0;
constexpr int kQuitAskHeld = 1;
constexpr int kQuitAskReady = 2;

// Values of the redefinition screen's capture slot. LockKeys leaves it at 1,
// so the fire key that opened the screen must be let go first.
constexpr int kCaptureIdle = 0;
constexpr int kCaptureRelease = 1;
constexpr int kCaptureWaiting = 2;  // the next new key is bound to the picked control

// Lock values that are waits rather than flags.
constexpr int kRepeatWaitAfterGame = 50;  // a move held through the game's end waits this long
constexpr int kFlapLockRespawn = 50;      // no flap while the bird waits to respawn or is gone
constexpr int kFlapLockHeld = 1000;       // a flap holds the lock until the button is let go

// Sound slots: named in the list of sound effects (GameAssets.h).

// The songs: one for the screens around the game, one for play.
constexpr int kTrackNone = 0;
constexpr int kTrackMenu = 1;
constexpr int kTrackPlay = 2;
constexpr float kMusicFadeStep = 1.0f / 16;  // a song fades out or in over 16 updates

// Image slots. The front end's pictures sit at 50 and up, away from the
// play pictures, and the font at 51.
constexpr int kImgPlayer = 0;         // "plr-32"
constexpr int kImgTiles = 1;          // "tiles-32": tiles and chicks
constexpr int kImgBackdropTiles = 2;  // "bg-32": copied into the backdrop buffer
constexpr int kImgFireballs = 3;      // "obj-32"
constexpr int kImgBackdrop = 5;       // a buffer the game paints its backdrop into
constexpr int kBackdropSize = 1024;
constexpr int kImgIcons = 50;
constexpr int kImgFont = 51;
constexpr int kImgOptions = 52;  // also the back arrow and the life icons
constexpr int kImgMenu = 53;     // the title backdrop
constexpr int kImgLogo = 54;     // the title logo
constexpr int kImgParticles = 55;
constexpr int kImgVellLogo = 60;  // the loading screen's logo

// Difficulties, as chosen in the list (DifficultyCursor is 1-based too).
constexpr int kDifficultyEasy = 1;
constexpr int kDifficultyNormal = 2;
constexpr int kDifficultyHard = 3;
// The day's caves: played at Normal, on a board of their own.
constexpr int kDifficultyDaily = 4;
constexpr int kDailyDays = 8;  // today and the seven days before

// Tile codes, field 0 of a map cell. A switch's code drops by
// kSwitchStep each time the active one is switched on, so the next one in
// line becomes active.
constexpr int kTileEmpty = 0;
constexpr int kTileBramble = 1;   // kills on contact
constexpr int kTileStartTop = 2;  // the start ledge on the left edge
constexpr int kTileStartBody = 3;
constexpr int kTileExitTop = 4;  // the exit once every switch is on
constexpr int kTileExitBody = 5;
constexpr int kTileSwitchOnLeft = 6;  // a switch already on
constexpr int kTileSwitchOnRight = 7;
constexpr int kTileSpinner = 11;  // a fireball arm; angle, speed and length in the cell
constexpr int kTileHidden = 12;   // never drawn
constexpr int kTileActiveSwitchLeft = 16;
constexpr int kTileActiveSwitchRight = 17;
constexpr int kTileChick1 = 20;  // 20 to 22: a chick of kind 1 to 3
constexpr int kTileChick2 = 21;
constexpr int kTileChick3 = 22;
constexpr int kTileSwitch2Left = 26;  // switches 2 to 5 wait at 26/27 .. 56/57
constexpr int kTileSwitch2Right = 27;
constexpr int kSwitchStep = 10;
constexpr int kTileFirstTaken = 21;  // the generator treats every code from here on as taken
constexpr int kTileKeepClear = 60;   // generator markers, gone from a finished level
constexpr int kTileClearing = 62;

// A map cell: kCellFloats floats, the code first, a spinner's state after.
constexpr int kCellFloats = 10;
constexpr int kCellCode = 0;
constexpr int kCellSpinAngle = 5;
constexpr int kCellSpinSpeed = 6;
constexpr int kCellSpinArm = 7;
// Rows of the map table: the live level at 0, its copy at 50, the next
// level waiting to scroll in at 100.
constexpr int kLevelCopyRow = 50;
constexpr int kNextLevelRow = 100;
// Where a cave's bird takes off: the start ledge (columns 0 to
// kStartAreaRight, from row 20 down) and the shaft above it from
// kStartAreaTop. No bramble and no fireball comes within kStartGuard cells
// of it, so a bird that leaves the ledge is never hurt at once.
constexpr int kStartAreaRight = 4;
constexpr int kStartAreaTop = 11;
constexpr int kStartGuard = 2;
// Fireballs sit this many cells apart along a spinner's arm, the first on
// the hub; an arm holds kSpinnerArmMin to kSpinnerArmMax of them.
constexpr double kSpinnerBallSpacing = 0.75;
constexpr int kSpinnerArmMin = 4;
constexpr int kSpinnerArmMax = 9;

}  // namespace bh
