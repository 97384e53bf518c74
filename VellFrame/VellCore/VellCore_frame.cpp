// Engine start-up and shutdown, the millisecond clock, and the frame
// hand-over between the update step and the renderer.
#include <cstdio>
#include <cstring>
#include <ctime>
#include <unistd.h>

#include "VellCore_frame.h"

#include "Vell_glfw3.h"
#include "VellCore.h"
#include "VellCore_assets.h"
#include "VellHooks.h"

using vell::kBaseScreenH;
using vell::kBaseScreenW;

int UpdateCountLive = 0;
int RenderCountLive = 0;
int rw2 = kBaseScreenW / 2;
int rh2 = kBaseScreenH / 2;
int iBump = 0;
float ViewScale = 2.0f / (float)kBaseScreenW;
float ViewFitW = 0, ViewFitH = 0;
float ViewHeldW = 0, ViewHeldH = 0;
int DebugToggle = 0;
int ScreenshotToggle = 0;
struct timeval starttick;
struct timeval curtick;
int GameStartTime = 0;
int MillsOffset = 0;
bool MillsFrozen = false;
bool FakeClocks = false;
long long FakeSteadyMs = 0;
long long FakeWallMs = 0;
static long long StartSteadyMs = 0;

// Paces the game: unlike the wall clock, it is never set back or forward.
static long long SteadyMs() {
    if (FakeClocks) return FakeSteadyMs;
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (long long)ts.tv_sec * 1000 + ts.tv_nsec / 1000000;
}

static long long WallMs() {
    if (FakeClocks) {
        curtick.tv_sec = (time_t)(FakeWallMs / 1000);
        curtick.tv_usec = (suseconds_t)(FakeWallMs % 1000 * 1000);
    } else {
        gettimeofday(&curtick, nullptr);
    }
    return (long long)curtick.tv_sec * 1000 + curtick.tv_usec / 1000;
}

void RestartClock() {
    WallMs();
    starttick = curtick;
    StartSteadyMs = SteadyMs();
}

void VellCore::Begin(int number, const char* title) {
    printf("\n-=-=-=-=-=-=-=-=-\n");
    printf("VellFrame engine, version 0.95\n");
    fflush(stdout);
    GameStartTime = (int)clock();
    RestartClock();
    Active = 1;
    GameNum = number;
    MixJoy = 1;
    DebugToggle = 0;
    DebugMode = 1;
    ScreenshotToggle = 0;
    ScreenshotMode = 0;
    snprintf(GameTitle, sizeof GameTitle, "%s", title);
    ASys.SysInit(title);
    SeedRnd();
}

void VellCore::Terminate() {
    ASys.Close();
    int s = Mills() / 1000;
    printf("Runtime : %d:%02d\n", s / 60, s % 60);
    printf("Farewell happy gamer\n");
    printf("-=-=-=-=-=-=-=-=-\n\n");
    fflush(stdout);
}

static bool ClockHeld = false;
static int HeldReading = 0;

void VellCore::HoldClock(int reading) {
    ClockHeld = true;
    HeldReading = reading;
}

void VellCore::ReleaseClock() { ClockHeld = false; }

int VellCore::Mills() {
    if (ClockHeld) return HeldReading;
    if (MillsFrozen) return MillsOffset;
    uint64_t ms = (uint64_t)(SteadyMs() - StartSteadyMs) + (uint64_t)(int64_t)MillsOffset;
    return (int)(uint32_t)ms;
}

void VellCore::Rest(int ms) {
    if (ms > 0) usleep((useconds_t)ms * 1000);
}

int VellCore::StartTick() { return GameStartTime; }

void VellCore::FlipFullscreen() { ASys.FlipFull(); }
void VellCore::SetRenderFull(bool full) { ASys.RenderFull = full ? 1 : 0; }
bool VellCore::HasWindow() { return ASys.HasWindow(); }
void VellCore::SetWindowIcon(const char* name) { ASys.SetWindowIcon(ImagePath(*this, name)); }
void VellCore::OnDisplayLost(void (*save)()) { ASys.DisplayLost = save; }

// Counts one event for the per-second rate shown on the statistics line.
static void CountRate(VellCore& core, int& live, int& sampleTime, int& perSecond) {
    live++;
    int since = MillsDiff(core.Mills(), sampleTime);
    if (since >= 1000 || since <= -1000) {
        sampleTime = core.Mills();
        perSecond = live;
        live = 0;
    }
}

void VellCore::FitView(float w, float h) {
    ViewFitW = w > 0 && h > 0 ? w : 0;
    ViewFitH = w > 0 && h > 0 ? h : 0;
}

void VellCore::HoldView(float w, float h) {
    ViewHeldW = w > 0 && h > 0 ? w : 0;
    ViewHeldH = w > 0 && h > 0 ? h : 0;
}

// The narrowest virtual width that holds a w x h box at the window's shape.
static float Covering(float w, float h) { return h * ASys.Aspect > w ? h * ASys.Aspect : w; }

// On a screen more than twice as tall as wide (or wide as tall) the game
// lays out on one this much shorter (or narrower).
const int kBump = 32;

void VellCore::RenderGame(float& width, float& height) {
    CountRate(*this, RenderCountLive, RenderSec, RenderCount);
    ASys.RenderSys(Overscan);
    bool held = ViewHeldW > 0;
    if (held) {
        // The virtual screen covers the held one at this window's shape;
        // the game lays out on the held one, centred in it.
        ASys.VirtualWidth = Covering(ViewHeldW, ViewHeldH);
        width = ViewHeldW;
        height = ViewHeldH;
    } else if (ViewFitW > 0) {
        // The narrowest virtual screen that holds the whole box at this
        // window's shape; the next update lays out on it and the next
        // render draws it, so both agree even when the box changes.
        ASys.VirtualWidth = Covering(ViewFitW, ViewFitH);
        width = ASys.VirtualWidth;
        height = ASys.VirtualWidth / ASys.Aspect;
    }
    if (held || ViewFitW > 0) {
        ASys.ImageScale = vell::kImageBaseWidth / ASys.VirtualWidth;
        rw2 = (int)(width / 2);
        rh2 = (int)(height / 2);
    } else {
        width = ASys.VirtualWidth;
        rw2 = (int)(width / 2);
        height = ASys.VirtualWidth / ASys.Aspect;
        rh2 = (int)(height / 2);
        ASys.VirtualWidth = kBaseScreenW;
        ASys.ImageScale = 1.0f;
        if (height > width) {
            ASys.VirtualWidth = vell::kTallScreenW;
            ASys.ImageScale = vell::kImageBaseWidth / vell::kTallScreenW;
        }
    }
    iBump = 0;
    // A held screen is laid out as it was recorded, bump and all.
    if (!held && height > 2 * width) {
        iBump = 1;
        height -= kBump;
        rh2 -= kBump;
    }
    if (!held && width > 2 * height) {
        iBump = 2;
        width -= kBump;
        rw2 -= kBump;
    }
    ASys.VirtualHalfW = (float)rw2;
    ASys.VirtualHalfH = (float)rh2;
    RealW = ASys.WindowWidth;
    RealH = ASys.WindowHeight;
    ViewScale = 2.0f / ASys.VirtualWidth;
}

void VellCore::BufferGame() {
    if (DebugMode == 1) {
        ResetDraw();
        SetSize(0.5f);
        // A measured 59 is the 60 Hz loop rounding down, not a dropped frame.
        if (UpdateCount == 59) UpdateCount = 60;
        if (RenderCount == 59) RenderCount = 60;
        float y = ASys.VirtualWidth / ASys.Aspect - 8;
        if (iBump == 1) y = ASys.VirtualWidth / ASys.Aspect - 40;
        Text(8, y, fstr("Update %ifps - Render %ifps - Polys %i", UpdateCount, RenderCount, PolyCountR), 0, 0);
    }
    ASys.RenderBuffer();
    PolyCountR = ASys.PolyCount;
    ASys.DrawTo = 0;
    ASys.CurBlend = 1;
}
