// Every game is recorded as it is played, and a replay plays back through
// the same update. The seam is what an update takes from outside: the
// clock reading (held for the whole update) and the input tables after the
// poll. Recording starts as a game is set up, from the state the first
// updates read, and ends when the game leaves play.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "MyGame.h"
#include "gameplay/replay.h"

static_assert(tape::kSettings == bh::kSettingSlots, "a replay keeps every setting");
static_assert(vell::kBackgroundValues == 7, "a replay keeps the background's colours and fade");
static_assert(tape::kButtons == vell::kButtonSlots && tape::kTouches == vell::kTouchSlots &&
                  tape::kPadValues == vell::kJoySlots && tape::kControlValues == vell::kVirtualKeySlots,
              "a replay keeps the input tables whole");

bool tape::LabelShown = true;

namespace {

tape::Writer Recorder;
tape::Head RecHead;
bool Recording = false;
uint8_t Finished[tape::kMaxBytes + 65536];
size_t FinishedSize = 0;
int FinishedCount = 0;  // recordings finished since start-up

tape::Reader Player;
uint8_t Loaded[tape::kMaxBytes + 65536];
float Inputs[tape::kInputs];

int TapeAt = 0;  // the clock reading of the last recorded or played update
uint64_t Digest = 0;

// What watching a replay must give back untouched.
int KeptSettings[bh::kSettingSlots];
int KeptBindings[vell::kBindingSlots];
int KeptDifficulty, KeptMenuPage;
bool Starting = false;
float PointerX = 0,
      PointerY = 0;  // where the title last saw the pointer  // a replay chosen in this update begins with the next
bool PressWasDown = false, BackWasDown = false, PauseWasDown = false;

// The last picture of the replay, shown again while it is paused or over.
double KeptDraw[vell::kDrawValues];
int KeptDrawTo = 0;

const uint64_t kDigestStart = 1469598103934665603ull;

// The last value of an update's tables holds whether the pointer is down,
// and this bit when play was paused from outside before the update.
const int kPausedFromOutside = 2;

void TakeTables(MyGame& g, float* v) {
    g.TakeInputs(v);
    int at = vell::kInputValues;
    v[at++] = g.ScreenW;
    v[at++] = g.ScreenH;
    v[at] = (float)(g.PointerDown | (g.OutsidePause ? kPausedFromOutside : 0));
}

// The engine's own keys (focus, F1 to F11, closing) stay the watcher's.
bool WatcherOwns(int button) {
    return button >= vell::kButtonFocus && button != vell::kButtonReturn && button != vell::kButtonEscape;
}

void PutTables(MyGame& g, const float* v) {
    g.GiveInputs(v, WatcherOwns);
    int at = vell::kInputValues;
    // The play step places the cave, and so the bird's every touch, on the
    // screen: a replay is played on the one it was recorded on.
    float w = v[at++], h = v[at++];
    if (w > 0 && h > 0) {
        g.HoldView(w, h);
        g.ScreenW = w;
        g.ScreenH = h;
    }
    int last = (int)v[at];
    g.PointerDown = last & 1;
    if ((last & kPausedFromOutside) && g.Paused == 0) g.PauseGame();
}

// What a run is checked by: the play state after every update.
uint64_t Fold(MyGame& g, uint64_t h) {
    h = tape::Fnv(&g.Play, sizeof g.Play, h);
    int screens[3] = {g.GameMode, g.Paused, g.OverlayScreen};
    return tape::Fnv(screens, sizeof screens, h);
}

// Any key, control, pad button or click of the watcher's.
bool AnyPress(MyGame& g) {
    for (int i = 0; i < vell::kButtonFocus; i++)
        if (g.PolledKey(i) != 0) return true;
    if (g.PolledKey(vell::kButtonReturn) || g.PolledKey(vell::kButtonEscape)) return true;
    for (int c = 0; c < vell::kControls; c++)
        if (g.Joy(c) > bh::kPressed) return true;
    for (int p = 0; p < vell::kPads; p++)
        for (int b = 0; b < vell::kPadButtons; b++)
            if (g.JoyDown(b, p)) return true;
    return g.mdall() != 0;
}

// The state the recorded game started from, at the start of an update.
void StartPlayback(MyGame& g) {
    const tape::Head& h = Player.head();
    g.Difficulty = h.difficulty;
    g.DailyDate = h.daily;
    // The settings as the recorded game had them (the options screen it
    // may open shows them); the watcher's come back at the end.
    memcpy(g.Settings, h.settings, sizeof h.settings);
    jRand_Seed = h.rng[0];
    jRand_Count = h.rng[1];
    jRand_Bit = h.rng[2];
    jRand_Plus = h.rng[3];
    jRand_Out = h.rng[4];
    jRand_tSeed = h.rng[5];
    memcpy(g.KeyLock, h.keyLock, sizeof h.keyLock);
    memcpy(g.TouchLock, h.touchLock, sizeof h.touchLock);
    g.PointerPlay = h.misc[0];
    g.PauseSlide = h.misc[1];
    g.PauseIdle = h.misc[2];
    g.CogAngle = h.misc[3];
    g.HoverMoved = h.misc[4];
    g.PauseCursor = h.misc[5];
    g.PauseQuitAsk = h.misc[6];
    g.EndBanner = h.misc[7];
    g.OptionsCursor = h.misc[8];
    g.OptionsScroll = h.misc[9];
    g.RedefRow = h.misc[10];
    g.RedefCol = h.misc[11];
    g.RedefDelay = h.misc[12];
    g.RedefTimeout = h.misc[13];
    g.TestTimer = h.misc[14];
    g.GiveBackground(h.clear);
    g.HoverX = h.hover[0];
    g.HoverY = h.hover[1];
    g.MusicTrack = h.musicTrack;
    g.MusicFade = h.musicFade;
    g.CurMillis = h.clock;
    g.GameMode = bh::kModeNewGame;
    g.OverlayScreen = bh::kScreenNone;
    g.Paused = 0;
    g.GameEnding = bh::kEndNone;
    g.EndTimer = 0;
    TapeAt = h.clock;
    Digest = kDigestStart;
}

}  // namespace

int ReplayScore(const PlayRecord& p) {
    float score = p.Score;
    if (score != score) score = 0;
    if (score > 2147483520.0f) score = 2147483520.0f;
    if (score < -2147483520.0f) score = -2147483520.0f;
    return (int)score;
}

const uint8_t* LastRecording(size_t& size, int* count) {
    size = FinishedSize;
    if (count) *count = FinishedCount;
    return Finished;
}

void MyGame::TapeReset() {
    Recording = false;
    Starting = false;
    Watching = WatchPaused = WatchEnded = 0;
    WatchMatched = -1;
    DailyDate = 0;
    IdleSince = CurMillis;
    NoBestRunTimer = 0;
}

void MyGame::TapeStart() {
    if (Starting) {
        Starting = false;
        StartPlayback(*this);
        return;
    }
    // The title left alone plays the best run on its difficulty as a demo.
    bool title =
        Watching == 0 && LoadTo == 0 && GameMode == bh::kModeTitle && MenuPage == 0 && OverlayScreen == bh::kScreenNone;
    bool moved = MouseX() != PointerX || MouseY() != PointerY;
    PointerX = MouseX();
    PointerY = MouseY();
    if (!title || moved || AnyPress(*this)) {
        IdleSince = CurMillis;
    } else if (MillsDiff(CurMillis, IdleSince) >= bh::kDemoAfterIdleMs) {
        IdleSince = CurMillis;
        if (WatchBestRun(DifficultyCursor, bh::kWatchDemo)) {
            Starting = false;
            StartPlayback(*this);
            return;
        }
    }
    if (Watching || Recording || LoadTo > 0) return;
    if (GameMode != bh::kModeNewGame || OverlayScreen != bh::kScreenNone) return;
    if (Difficulty < bh::kDifficultyEasy || Difficulty > bh::kDifficultyHard) return;
    tape::Head& h = RecHead;
    memset(&h, 0, sizeof h);
    snprintf(h.version, sizeof h.version, "%s", BRAMBLEHOP_VERSION);
    h.difficulty = Difficulty;
    h.daily = DailyDate;
    memcpy(h.settings, Settings, sizeof h.settings);
    h.clock = CurMillis;
    h.musicTrack = MusicTrack;
    h.musicFade = MusicFade;
    int rng[6] = {jRand_Seed, jRand_Count, jRand_Bit, jRand_Plus, jRand_Out, jRand_tSeed};
    memcpy(h.rng, rng, sizeof rng);
    memcpy(h.keyLock, KeyLock, sizeof h.keyLock);
    memcpy(h.touchLock, TouchLock, sizeof h.touchLock);
    int misc[tape::kMisc] = {PointerPlay, PauseSlide,   PauseIdle,  CogAngle,      HoverMoved,
                             PauseCursor, PauseQuitAsk, EndBanner,  OptionsCursor, OptionsScroll,
                             RedefRow,    RedefCol,     RedefDelay, RedefTimeout,  TestTimer};
    memcpy(h.misc, misc, sizeof misc);
    TakeBackground(h.clear);
    h.hover[0] = HoverX;
    h.hover[1] = HoverY;
    OutsidePause = 0;
    TakeTables(*this, h.inputs);
    Recorder.Begin(h);
    Recording = true;
    TapeAt = CurMillis;
    Digest = kDigestStart;
}

bool MyGame::TapeInputs() {
    if (Recording) {
        static float now[tape::kInputs];
        TakeTables(*this, now);
        OutsidePause = 0;
        int step = MillsDiff(CurMillis, TapeAt);
        TapeAt = CurMillis;
        if (!Recorder.Add(step, now)) {
            Recording = false;
            Debuglog("This game is too long to keep as a replay");
        }
        return true;
    }
    OutsidePause = 0;
    if (Watching == 0) return true;

    // The watcher's presses: only leaving and pausing act.
    // Each acts as it goes down, so nothing held from before does.
    bool down = AnyPress(*this), back = PlayKey(bh::kPlayKeyEscape) != 0, pause = PlayKey(bh::kPlayKeyReturn) != 0;
    bool fresh = down && !PressWasDown, freshBack = back && !BackWasDown, freshPause = pause && !PauseWasDown;
    PressWasDown = down;
    BackWasDown = back;
    PauseWasDown = pause;
    if ((Watching == bh::kWatchDemo && down) || freshBack || (WatchEnded && fresh)) {
        StopWatching();
        return false;
    }
    // A demo nobody watches goes back to the title by itself.
    if (Watching == bh::kWatchDemo && WatchEnded) {
        StopWatching();
        return false;
    }
    if (freshPause) WatchPaused = 1 - WatchPaused;
    if (WatchPaused || WatchEnded) return false;

    int step;
    if (!Player.Next(step, Inputs)) {
        WatchEnded = 1;
        return false;
    }
    PutTables(*this, Inputs);
    PrevMillis = TapeAt;
    TapeAt = MillsAdd(TapeAt, step);
    CurMillis = TapeAt;
    return true;
}

void MyGame::TapeEnd() {
    if (Recording) {
        Digest = Fold(*this, Digest);
        bool over = OverlayScreen == bh::kScreenGameOver;
        if (!over && (GameMode == bh::kModePlaying || GameMode == bh::kModeNewGame)) return;
        Recording = false;
        RecHead.score = ReplayScore(Play);
        RecHead.date = Today();
        RecHead.digest = Digest;
        FinishedSize = Recorder.Finish(RecHead, Finished, sizeof Finished);
        FinishedCount += 1;
        if (FinishedSize == 0) Debuglog("This game is too long to keep as a replay");
        // Only a game played to its end puts a score on the boards.
        else if (over) KeepBestReplay(Finished, FinishedSize, RecHead.difficulty, RecHead.daily, RecHead.score);
        return;
    }
    if (Watching == 0 || Starting) return;
    Digest = Fold(*this, Digest);
    // A replay that leaves play before its last update has gone astray.
    bool left = OverlayScreen == bh::kScreenGameOver || (GameMode != bh::kModePlaying && GameMode != bh::kModeNewGame);
    if (Player.Done() || left) {
        // The replay's own game over must not open the summary: its score
        // is on the boards already.
        OverlayScreen = bh::kScreenNone;
        GameMode = bh::kModePlaying;
        WatchEnded = 1;
        const tape::Head& h = Player.head();
        WatchMatched = Player.Done() && ReplayScore(Play) == h.score && Digest == h.digest;
        if (!WatchMatched)
            Debuglog(fstr("This replay does not match this version (recorded by %s, score %i, played back %i)",
                          h.version, h.score, ReplayScore(Play)));
        else Debuglog(fstr("The replay played back exactly, score %i", h.score));
    }
    KeptDrawTo = TakeDrawList(KeptDraw);
    DrawWatchLabel();
}

// A paused or finished replay holds its last picture.
void MyGame::WatchStill() {
    GiveDrawList(KeptDraw, KeptDrawTo);
    DrawWatchLabel();
}

// A replay keeps the screen it was recorded on; in a window of another
// shape it sits in the middle, and whatever the cave's backdrop would draw
// beyond it on one side only is covered, so the bands match.
static void DrawHeldBands(MyGame& g) {
    if (g.RealW <= 0 || g.RealH <= 0) return;
    float shape = (float)g.RealW / (float)g.RealH;
    float w = std::max(g.ScreenW, g.ScreenH * shape), h = w / shape;
    float side = (w - g.ScreenW) / 2, top = (h - g.ScreenH) / 2;
    if (side < 1 && top < 1) return;
    g.ResetDraw();
    g.SetCol(0, 0, 0, 1.0f);
    if (side >= 1) {
        g.Rect_UL(-side - 1, -top - 1, side + 1, h + 2);
        g.Rect_UL(g.ScreenW, -top - 1, side + 1, h + 2);
    }
    if (top >= 1) {
        g.Rect_UL(-side - 1, -top - 1, w + 2, top + 1);
        g.Rect_UL(-side - 1, g.ScreenH, w + 2, top + 1);
    }
}

void MyGame::DrawWatchLabel() {
    DrawHeldBands(*this);
    if (!tape::LabelShown) return;
    ResetDraw();
    SetSize(0.7f);
    SetCol(255, 230, 120, 1.0f);
    Text(16, ScreenH - 28, Watching == bh::kWatchDemo ? "Demo" : "Replay", 0.0f);
    SetSize(0.5f);
    SetCol(255, 255, 255, 1.0f);
    if (Watching == bh::kWatchReplay) {
        const char* hint = WatchEnded    ? "Press any key"
                           : WatchPaused ? "Paused - Return goes on, Escape leaves"
                                         : "Escape leaves, Return pauses";
        Text(ScreenW - 16, ScreenH - 24, hint, 2.0f);
    }
    if (WatchEnded && WatchMatched == 0) {
        SetSize(0.7f);
        SetCol(255, 120, 120, 1.0f);
        Text(ScreenW / 2, ScreenH / 2, "This replay does not match this version", 1.0f);
    }
    ResetDraw();
}

bool MyGame::WatchReplay(const uint8_t* data, size_t size, int kind, const char*& why) {
    if (size > sizeof Loaded) {
        why = "it is too large";
        return false;
    }
    memcpy(Loaded, data, size);
    if (!Player.Open(Loaded, size, why)) return false;
    memcpy(KeptSettings, Settings, sizeof KeptSettings);
    TakeBindings(KeptBindings);
    KeptDifficulty = Difficulty;
    KeptMenuPage = MenuPage;
    Recording = false;
    // The recorded game began with an update of its own, after a render
    // that laid the screen out for the cave: the replay begins the same way,
    // whatever the rest of this update does.
    Starting = true;
    GameMode = bh::kModeNewGame;
    OverlayScreen = bh::kScreenNone;
    Paused = 0;
    Watching = kind;
    WatchPaused = 0;
    WatchEnded = 0;
    WatchMatched = -1;
    KeptDrawTo = 0;
    // The press that chose the replay must be let go first.
    PressWasDown = BackWasDown = PauseWasDown = true;
    return true;
}

void MyGame::StopWatching() {
    if (Watching == 0) return;
    int kind = Watching;
    Watching = 0;
    HoldView(0, 0);
    Starting = false;
    memcpy(Settings, KeptSettings, sizeof KeptSettings);
    GiveBindings(KeptBindings);
    Difficulty = KeptDifficulty;
    DailyDate = 0;
    FlushGame();
    OverlayScreen = bh::kScreenNone;
    GameMode = bh::kModeTitle;
    MenuPage = kind == bh::kWatchDemo ? 0 : KeptMenuPage;
    IdleSince = CurMillis;
    LockKeys();
    RepeatWait() = bh::kRepeatWaitAfterGame;
}
