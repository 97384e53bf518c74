// The heartbeat: fixed-rate updates and renders against the millisecond
// clock, the per-step screen dispatch, pause handling and the end banner.
#include <cstring>

#include "GameAssets.h"
#include "MyGame.h"

void MyGame::GameLoop() {
    GameBreak = 0;
    while (GameBreak == 0) KeepAlive();
    Terminate();
}

// Runs a fixed-rate job when its due time has come and moves that time one
// step on: from now while playing, from the last due time while inactive
// (keepPace), where a late wake-up must not drift the slow schedule. A clock
// set back by more than 10 s would stall the job until it caught up, so the
// job runs at once and counts from now again. Says whether the job ran.
template <class Job>
static bool RunWhenDue(MyGame& g, int& due, int step, bool keepPace, Job job) {
    bool ran = false;
    if (keepPace ? MillsDiff(g.Mills(), due) > 0 : MillsDiff(g.Mills(), due) >= 0) {
        due = MillsAdd(keepPace ? due : g.Mills(), step);
        job();
        ran = true;
    }
    if (MillsDiff(g.Mills(), due) < -10000) {
        due = MillsAdd(g.Mills(), step);
        job();
        ran = true;
    }
    return ran;
}

void MyGame::KeepAlive() {
    SFXVol = Settings[bh::kSettingSfxVolume] / 10.0f;
    // The demo plays to a room nobody may be in: its effects stay low.
    if (Watching == bh::kWatchDemo) SFXVol *= 0.3f;
    MusicVol = Settings[bh::kSettingMusicVolume] / 10.0f;
    Overscan = Settings[bh::kSettingOverscan] / 50.0f;
    SetRenderFull(Settings[bh::kSettingRenderScale] == 1);
    if (Active == 1) {
        // Only the pause menu itself runs slow; the screens it opens do not.
        int step = Paused == 1 && OverlayScreen == bh::kScreenNone ? 32 : 16;
        bool worked = RunWhenDue(*this, NextUpdate, step, false, [this] { Update(); });
        if (RunWhenDue(*this, NextRender, step, false, [this] { Render(); })) worked = true;
        // The options screen opened from the pause menu feeds it too, so
        // the music volume can be heard while it is set.
        if (Paused == 0 || OverlayScreen != bh::kScreenNone) MusicHandler();
        // Nothing was due: doze a millisecond rather than spin a whole core
        // (nothing paces the loop when vsync does not block). The due times
        // are untouched, so the schedule is the same.
        if (!worked) {
            int next = MillsDiff(NextUpdate, NextRender) < 0 ? NextUpdate : NextRender;
            if (MillsDiff(next, Mills()) > 0) Rest(1);
        }
    }
    if (Active < 1) {
        // A game left behind (another window took the keys, or the window
        // was minimised) waits in the pause menu, and stays there when the
        // player comes back.
        // A replay being watched must play on as recorded: it holds still instead.
        if (Watching != 0) WatchPaused = 1;
        else if (LoadTo == 0 && GameMode == bh::kModePlaying && Paused == 0 && GameEnding == bh::kEndNone &&
                 OverlayScreen == bh::kScreenNone) {
            PauseGame();
            OutsidePause = 1;
            Debuglog("The window lost the focus: the game waits in the pause menu");
        }
        RunWhenDue(*this, NextUpdate, 150, true, [this] { PollInput(Settings[bh::kSettingInvertStickY]); });
        RunWhenDue(*this, NextRender, 150, true, [this] { Render(); });
        Rest(150);
    }
}

// One log line whenever the screen, a cursor, a setting or the set of held
// controls changes: a script driving the game waits for the state it needs
// (and for its key presses to be seen) instead of guessing at timings.
static void LogScreenChange(MyGame& g) {
    static int last[12];
    static bool logged = false;
    unsigned settings = 0;
    for (int i = 0; i < bh::kSettingSlots; i++) settings = settings * 31u + (unsigned)g.Settings[i];
    int held = 0;
    for (int c = 0; c < bh::kControls; c++)
        if (g.Joy(c) > bh::kPressed) held |= 1 << c;
    int now[12] = {g.GameMode,
                   g.MenuPage,
                   g.OverlayScreen,
                   g.Paused,
                   g.GameEnding != bh::kEndNone || g.EndTimer > 0,
                   (int)g.Play.LevelNumber,
                   g.TitleCursor,
                   g.DifficultyCursor,
                   g.PauseCursor,
                   g.OptionsCursor,
                   (int)settings,
                   held};
    if (logged && memcmp(now, last, sizeof now) == 0) return;
    memcpy(last, now, sizeof now);
    logged = true;
    g.Debuglog(
        g.fstr("Screen mode %i page %i overlay %i paused %i banner %i level %i cursors %i %i %i %i "
               "settings %08x controls %04x",
               now[0], now[1], now[2], now[3], now[4], now[5], now[6], now[7], now[8], now[9], (unsigned)now[10],
               (unsigned)now[11]));
}

void MyGame::Update() {
    TapeStart();
    PointerDown = mdall();
    PrevMillis = CurMillis;
    CurMillis = Mills();
    PollInput(Settings[bh::kSettingInvertStickY]);
    // A pad pulled out is the watcher's business, never the replay's.
    if (Watching == 0) PauseOnLostPad();
    // A replay gives back the recorded readings here; every later look at
    // the clock in this update sees the same one.
    bool still = !TapeInputs();
    HoldClock(CurMillis);
    float d = (float)MillsDiff(CurMillis, PrevMillis);
    if (d > 128) d = 128;
    if (d < 5) d = 5;
    FrameFactor = (float)(d / 16.666666666666668);
    // F1 flips the statistics line anywhere; the options row and the next
    // start read the setting.
    Settings[bh::kSettingDebugStats] = DebugMode;
    ResetDraw();
    if (LoadTo > 0 || still) {
        if (LoadTo > 0) Loader();
        else if (Watching) WatchStill();
        BufferGame();
        ReleaseClock();
        return;
    }
    LoopTarget();
    LogScreenChange(*this);
    if (GameEnding != bh::kEndNone) {
        EndTimer += 1;
        if (EndTimer > 120) {
            if (GameEnding == bh::kEndLivesLost) OpenGameSummary();
            else GameMode = bh::kModeBackToTitle;
        }
    }
    if (GameEnding == bh::kEndNone && EndTimer > 0) {
        EndTimer -= 3;
        if (EndTimer < 0) EndTimer = 0;
    }
    if (EndTimer > 0) DrawEndBanner();
    TapeEnd();
    BufferGame();
    ReleaseClock();
}

void MyGame::Render() {
    FitScreen();
    RenderGame(ScreenW, ScreenH);
}

void MyGame::DrawEndBanner() {
    ResetDraw();
    int t = EndTimer;
    float W = ScreenW, H = ScreenH;
    float size = 2.0f * t;
    if (size > 120) size = 120;
    float spin = 3.0f * t;
    float alpha = t / 80.0f + 0.1f;
    if (alpha > 0.4f) alpha = 0.4f;
    bool calm = Settings[bh::kSettingCalmMotion] == 1;
    if (calm) {
        size = 240;
        spin = 360;
        alpha = 0.4f;
    }
    const char* first = EndBanner == bh::kEndQuit ? "Quit" : "Game";
    const char* second = EndBanner == bh::kEndQuit ? "Game" : "Over";
    LockKeys();
    RepeatWait() = bh::kRepeatWaitAfterGame;
    // The squares unwind while the banner shrinks.
    float turn = GameEnding != bh::kEndNone ? spin : 360 - spin;
    SetCol(128, 128, 0, alpha);
    SetRot(turn);
    Rect(W / 2, H / 2, size * 12);
    SetCol(128, 64, 0, alpha);
    SetRot(-turn);
    Rect(W / 2, H / 2, size * 10);
    SetCol(0, 0, 0, alpha);
    SetRot(0);
    Rect(W / 2, H / 2, size * 8);
    ResetDraw();
    SetSize(1.5f);
    float slide = (t - 20) * 32.0f;
    if (slide > 0) slide = 0;
    if (calm) slide = 0;
    Text(0.4f * W - slide, H / 2 - 24, first, 1);
    Text(0.6f * W + slide, H / 2 + 24, second, 1);
}

void MyGame::EndGame(int kind) {
    if (GameEnding != bh::kEndNone) return;
    GameEnding = kind;
    EndBanner = kind;
    EndTimer = 0;
}

void MyGame::LoopTarget() {
    if (OverlayScreen == bh::kScreenNone) {
        switch (GameMode) {
        case bh::kModeTitle: DoMenu(); break;
        case bh::kModeBackToTitle: LoadMenu(); break;
        case bh::kModePlaying:
            if (Paused == 0) {
                DoGame();
                Ingame();
            }
            if (Paused == 1) PauseMenu();
            break;
        case bh::kModeNewGame: LoadGame(); break;
        default: break;
        }
    }
    if (OverlayScreen == bh::kScreenOptions) Options();
    else if (OverlayScreen == bh::kScreenCredits) Credits();
    else if (OverlayScreen == bh::kScreenRedefine) RedefineKeys();
    else if (OverlayScreen == bh::kScreenNameEntry) EnterYourName();
    else if (OverlayScreen == bh::kScreenHowToPlay) HowToPlay();
    else if (OverlayScreen == bh::kScreenGameOver) GameSummary();
    DoParticles();
    KeepMusic();
}

// The play song while a game runs, paused or not; the menu song on every
// other screen. A change fades the old song out before the new one starts
// and fades that in, so neither is cut off mid-note.
void MyGame::KeepMusic() {
    int want = GameMode == bh::kModePlaying || GameMode == bh::kModeNewGame ? bh::kTrackPlay : bh::kTrackMenu;
    if (want != MusicTrack && MusicTrack != bh::kTrackNone && MusicFade > 0) {
        MusicFade -= bh::kMusicFadeStep;
        if (MusicFade < 0) MusicFade = 0;
        MusicVolume(MusicFade);
        return;
    }
    if (want != MusicTrack) {
        MusicTrack = want;
        MusicFade = 0;
        PlayMusic(want == bh::kTrackPlay ? bh::kMusicTitle : bh::kMusicMenu);
        MusicVolume(0);
        return;
    }
    if (MusicFade < 1) {
        MusicFade += bh::kMusicFadeStep;
        if (MusicFade > 1) MusicFade = 1;
        MusicVolume(MusicFade);
    }
}

// A pad pulled out mid-game has left its player with no controls: the
// game waits in the pause menu until they are back.
void MyGame::PauseOnLostPad() {
    bool lost = PadLost() == 1;
    if (lost && LoadTo == 0 && GameMode == bh::kModePlaying && Paused == 0 && GameEnding == bh::kEndNone &&
        OverlayScreen == bh::kScreenNone) {
        PauseGame();
        OutsidePause = 1;
        Debuglog("A pad went away: the game waits in the pause menu");
    }
}

void MyGame::PauseGame() {
    Paused = 1;
    PauseCursor = 1;
    PauseQuitAsk = bh::kQuitAskNone;
    LockKeys();
    PlaySFX(bh::kSfxPause, 1.0f);
}

void MyGame::Ingame() {
    ResetDraw();
    SetSize(1.0f);
    SetCol(255, 255, 255, PointerPlay == 0 ? 0.0f : 0.4f);
    bool button = Button(bh::kImgIcons, 32, 32, bh::kIconPlayPause) > 0;
    bool key = PlayKey(bh::kPlayKeyEscape) != 0 || Joy(bh::kJoyStart) > bh::kPressed;
    // Whatever left the pause menu may still be held (Escape, Start, a
    // pad's Back, the mouse): nothing pauses again until all are let go.
    LetGo(bh::kLockPauseKey, !button && !key && PlayKey(bh::kPlayKeyReturn) == 0 && Joy(bh::kJoyStart) < bh::kReleased);
    // A game that is ending has nothing left to pause.
    if (GameEnding == bh::kEndNone && PressedOnce(bh::kLockPauseKey, button || key, kTakeNone)) PauseGame();
}

void MyGame::LockKeys() {
    static_assert(bh::kKeyLockSlots == bh::kTouchLockSlots, "one loop locks both tables");
    for (int i = 0; i < bh::kKeyLockSlots; i++) {
        KeyLock[i] = 1;
        TouchLock[i] = 1;
    }
}
