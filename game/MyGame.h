// Bramblehop: the game object. One global instance (ThisGame) holds every
// table of the game as fixed-size members, so play allocates nothing.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>

#include "GameNumbers.h"
#include "VellCore.h"

// The play state: plain floats, cleared as one block at every new game.
struct PlayRecord {
    float PlayerX, PlayerY;
    float SpeedX, SpeedY;
    float Facing;
    float GroundTimer;
    float FlapFrame;
    float FlapSpeed, Gravity, FlapLockTime, SpeedFactor;
    float Score, ShownScore;
    float Lives;
    float SwitchesOn;
    float ScrollLeft;
    float RespawnHold;
    float LevelNumber, TimeLeft;
    float MapWidth, MapHeight;
    float TileSize, TileScale;
    float FollowerCount;
    float FollowerKind[3];
    float ChickX[3], ChickY[3];
    float WalkCounter;
    float BackdropScroll;
    float RespawnGrace;  // frames of safety left after a respawn hold ends
};

class MyGame : public VellCore {
public:
    MyGame();
    ~MyGame();

    // ---- frame: start-up, loop, dispatch (game/frame) ----
    float ScreenW, ScreenH;
    int GameMode;
    int OverlayScreen;
    int Paused;
    int PauseCursor;
    int PrevMillis, CurMillis;
    float FrameFactor;
    int PointerDown;
    int GameEnding;
    int EndBanner;
    int EndTimer;
    int MusicTrack;   // the song asked for last, by kTrack; kTrackNone when silent
    float MusicFade;  // its gain while the songs change over, 0 to 1
    void KeepMusic();
    void PauseGame();       // stops play for the pause menu
    void PauseOnLostPad();  // after each poll

    int Launch(const char* path);  // Start, GameLoop, Finish; the exit status
    bool Start(const char* path);
    void StartState();
    void SetDefaultSettings();
    void Finish();
    void FlushGame();
    void GameLoop();
    void KeepAlive();
    void Update();
    void Render();
    void FitScreen();  // the part of the screen the next update needs in view
    void LoopTarget();
    void Ingame();
    void EndGame(int kind);
    void LockKeys();
    void DrawEndBanner();
    void Loader();
    void LoadingScreen();

    // ---- replays (game/frame/tape.cpp, game/persistence/replayfiles.cpp) ----
    int Watching;  // kWatchNone, or kWatchReplay or kWatchDemo while one plays back
    int WatchPaused;
    int WatchEnded;      // the replay has run out: its last picture waits for a press
    int WatchMatched;    // once ended: 1 it played back exactly, 0 it did not
    int DailyDate;       // yyyymmdd while the day's caves are played, else 0
    int IdleSince;       // the clock reading of the title's last press or pointer move
    int NoBestRunTimer;  // updates left of the board's "No best run yet"
    // Play was paused from outside the update (the window lost the focus,
    // a pad went away) since the last one; the replay keeps it, so that
    // playing back pauses at the same update.
    int OutsidePause;
    void TapeReset();   // nothing recorded or watched
    void TapeStart();   // before the update reads anything
    bool TapeInputs();  // after the poll; false when a watched replay stands still
    void TapeEnd();     // after the update
    void WatchStill();
    void DrawWatchLabel();
    bool WatchReplay(const unsigned char* data, size_t size, int kind, const char*& why);
    void StopWatching();
    bool WatchBestRun(int difficulty, int kind = bh::kWatchReplay);
    void KeepBestReplay(const unsigned char* data, size_t size, int difficulty, int daily, int score);

    // The day's board (game/persistence/dailyboard.cpp): date and best
    // score pairs, newest first.
    int DailyBoard[2 * bh::kDailyDays];
    void LoadDailyBoard();
    void SaveDailyBoard();
    void EnterDailyScore(int date, int score);
    int Today();  // yyyymmdd

    // ---- settings and scores (game/persistence) ----
    int Settings[bh::kSettingSlots];
    int ScoreTable[bh::kScoreTableSize];
    void Save();
    void Load();

    // ---- front end (game/frontend) ----
    int KeyLock[bh::kKeyLockSlots];
    int TouchLock[bh::kTouchLockSlots];
    int MenuPage;
    int& DifficultyCursor;  // lives in Settings[bh::kSettingDifficultyCursor] so it is saved with the scores
    int Difficulty;
    int PointerPlay;
    float MenuScroll;
    float LogoZoom;
    int BoardTimer, BoardSlide, BoardPage;
    int TitleCursor;
    int CogAngle;
    int PauseSlide, PauseIdle;
    int PauseQuitAsk, TitleQuitAsk;  // a quit pressed once waits for a second press
    int OptionsCursor, OptionsScroll, OptionsY, OptionsCount;
    int RedefRow, RedefCol, RedefDelay, RedefTimeout, TestTimer;
    std::string CreditLines[1024];
    int CreditCount;
    float CreditScroll;
    // Where the pointer was at the last look, and whether it had moved
    // since: only a moving pointer highlights what it is over, so a
    // pointer left resting does not undo the keys' choices.
    float HoverX, HoverY;
    int HoverMoved;
    void TrackHover();
    // The bindings as the key screen found them, for leaving it unchanged.
    int RedefKept[16 * 64];
    int RedefKeptSet;
    int RedefKeptPadLayout;  // the pad-layout setting as the key screen found it
    void KeepBindings();
    void RestoreBindings();

    // Lock slots and a cursor that double as something else.
    int& RepeatWait() { return KeyLock[bh::kLockRepeatWait]; }  // difficulty list
    int& RepeatGap() { return KeyLock[bh::kLockRepeatGap]; }
    int& NameRepeatWait() { return KeyLock[bh::kLockNameRepeatWait]; }
    int& NameRepeatGap() { return KeyLock[bh::kLockNameRepeatGap]; }
    int& NamePosition() { return OptionsCursor; }  // the options list is closed meanwhile
    int& RedefineCapture() { return KeyLock[bh::kLockRedefineCapture]; }

    // Presses (game/frontend/presses.cpp). A press is "down" above a level
    // and let go below a lower one, so a value in between keeps its lock.
    enum PressLock {
        kTakeSlot,  // lock only the slot that guarded the press
        kTakeAll,   // LockKeys: nothing acts again until everything is let go
        kTakeNone,  // the action decides for itself
    };
    bool AnyAbove(std::initializer_list<int> controls, float level = bh::kPressed);
    bool AllBelow(std::initializer_list<int> controls, float level = bh::kReleased);
    // True once per press: when down while KeyLock[slot] is 0; then locks as
    // take says.
    bool PressedOnce(int slot, bool down, PressLock take = kTakeSlot);
    void LetGo(int slot, bool up);  // KeyLock[slot] = 0 once up
    // The same for pointers, on TouchLock.
    bool TouchedOnce(int slot, bool down, PressLock take = kTakeSlot);
    void TouchLetGo(int slot, bool up);

    // A held direction that steps at once, then after first updates, each
    // wait shrink shorter, down to one step every fastest updates. wait and
    // gap are the lock slots that keep the count.
    struct Repeat {
        int& wait;
        int& gap;
        int first, shrink, fastest;
    };
    void RepeatCountdown(Repeat r, bool letGo);  // once per update
    bool RepeatStep(Repeat r, bool held);        // true when the held direction steps now

    void DoMenu();
    void LoadMenu();
    void Menu_Background();
    void Menu_Default(const char* items, const char* descriptions);
    void Menu_Start();
    void PauseMenu();
    void Options();
    void OptionsList();
    void AddOptionLabel(const char* label);
    int AddLinearOption(int slot, int frame, const char* label, int maximum);
    int AddToggleOption(int slot, int frame, const char* label, const char* text0, const char* text1);
    void RedefineKeys();
    void EnterYourName();
    const char* ShowName();
    void HandleDefaultScoreboards();
    void DisplayScoreboard();
    void AddCredits(const char* line);
    void AddDefaultCredits();
    void Credits();
    void KeyDefaults();
    // Mappings for the pads, and which way their bindings read (standard
    // layout or raw); once the settings are loaded.
    void SetUpPads();
    // What a prompt calls a control: the pad's name for its input when the
    // newest press came from a pad, else a key bound to it; an input held
    // right now comes first. Null when nothing of that kind is bound (or,
    // with heldOnly, held).
    const char* ControlPrompt(int control, bool heldOnly = false);
    int HowToPlayReturn;  // the overlay the how-to-play panel gives back to
    void OpenHowToPlay(int returnTo);
    void HowToPlay();
    bool AnyFreshPress(int slot);  // any key, control or click, after all were let go
    void OpenGameSummary();
    void GameSummary();

    // ---- gameplay (game/gameplay) ----
    static const int TileCells = 1210000;
    float TileMap[TileCells * 10];
    PlayRecord Play;
    float TrailX[100], TrailY[100];
    float Particles[260 * 10];
    float SwitchX[5], SwitchY[5], SwitchOrder[5];

    int Solid(int x, int y);
    int Solid2(int x, int y);
    int isAt(int x, int y);
    void Put(int x, int y, float code);
    void Clearing(int x, int y);
    void GetLev();
    void DoGame();
    void ThrowParticle(float x, float y, float hue, int row, int kind, float angle, float speed);
    void Gimme(int points, float x, float y);
    void Gimme(int points, float x, float y, float hue);
    void DoParticles();
    void LoadGame();
    void BramblehopScoreDisplay(int showLives);
    void AddPlatBG();
    // The backdrop under a dark w x h panel in the middle of the screen.
    void AddPanel(float w, float h);
    void NoTrail();
};

extern MyGame ThisGame;

// The score a board takes from a play state, kept inside the int range.
int ReplayScore(const PlayRecord& p);
// The last game recorded to its end, as a replay file's bytes, and how many
// were finished since start-up (two runs can make the same bytes).
const unsigned char* LastRecording(size_t& size, int* count = nullptr);

void Heartbeat();

// Sets the base directory from the program's own path (launch.cpp).
void SetBaseDirectory(MyGame& game, const char* path);
std::string OwnBinary();  // the running binary's real path, or ""
// Sets home to the folder holding Data: the program's own folder when it was
// started by a path (as SetBaseDirectory), the real binary's when it was
// found on PATH, or the share/games/bramblehop folder of an installed copy.
// exe is the binary's resolved path. False only for an installed copy.
bool FindDataFolder(MyGame& game, const char* path, const char* exe);
// Points saves and screenshots at the user's data folder unless the game's
// own folder can take them.
void ChooseSaveFolder(MyGame& game, bool besideBinary);
