// The numbers that carry this game's meaning: where each setting lives in
// the saved table, and the values of the mode and overlay switches. The
// saved files and the tests pin these numbers, so they never move.
#pragma once

namespace bh {

// Slots of MyGame::Settings. 0 to 99 are saved in "Settings.sav",
// 100 to 199 in the score file.
constexpr int kSettingSlots = 200;
constexpr int kFirstScoreFileSetting = 100;
constexpr int kSettingSfxVolume = 0;     // 0 to 10
constexpr int kSettingMusicVolume = 1;    // 0 to 10
constexpr int kSettingInvertStickY = 10;  // 0 or 1
constexpr int kSettingSwapConfirm = 13;   // swap confirm and back on the title page
constexpr int kSettingOverscan = 20;      // 0 to 10
constexpr int kSettingDebugStats = 22;    // mirrors the engine's DebugMode
constexpr int kSettingCalmMotion = 23;    // motion reduction, 0 or 1
constexpr int kSettingUserDate = 24;      // user ID: creation date
constexpr int kSettingUserTime = 25;      // user ID: creation time
constexpr int kSettingUserRandom = 26;    // user ID: random part
constexpr int kSettingUserCheck = 27;     // check value of the user ID
constexpr int kSettingName = 50;          // 50 to 55: the player's name, two characters a slot
constexpr int kNameLength = 12;
constexpr int kSettingGamesPlayed = 100;
constexpr int kSettingDifficultyCursor = 101;
constexpr int kSettingUserCopyDate = 124;  // the score file's copy of the user ID
constexpr int kSettingUserCopyTime = 125;
constexpr int kSettingUserCopyRandom = 126;
constexpr int kSettingUserCopyCheck = 127;

// Values of MyGame::GameMode.
constexpr int kModeTitle = 0;
constexpr int kModeBackToTitle = 1;  // runs LoadMenu once
constexpr int kModePlaying = 10;
constexpr int kModeNewGame = 11;     // runs LoadGame once

// Values of MyGame::OverlayScreen: the screen shown instead of the mode.
constexpr int kScreenNone = 0;
constexpr int kScreenOptions = 1;
constexpr int kScreenCredits = 2;
constexpr int kScreenRedefine = 3;
constexpr int kScreenNameEntry = 4;

}  // namespace bh
