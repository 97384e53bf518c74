// The engine's test seams: switches, counters and listeners that let the
// tests, the soak driver, the benchmarks and the fuzzers watch the engine or
// stand in for the clock, the display and the player. The game itself never
// includes this header, so it cannot come to lean on any of them.
#pragma once

#include <cstdio>

#include "VellNumbers.h"

// ---- clocks ----
// Added to every Mills() reading. Tests move the clock through it (jumps
// back, stalls) without sleeping; the game never touches it.
extern int MillsOffset;
// While set, the clock stands still at MillsOffset (tests only).
extern bool MillsFrozen;
// Starts Mills() again from 0; Begin does it once.
void RestartClock();
// Tests only: while set, the engine reads these (milliseconds) instead of
// the system's clocks: the steady clock that paces the game and the wall
// clock that dates and file names come from. Either can then be stepped.
extern bool FakeClocks;
extern long long FakeSteadyMs;
extern long long FakeWallMs;

// ---- drawing and the renderer ----
// Lets every missing image be reported afresh, as at start-up (tests only).
void ForgetMissingImages();
// Pixel uploads made by the renderer since start-up; the benchmarks read it.
extern long TexUploads;
// Batches the renderer has opened since start-up, each with a texture bound.
extern long TexBinds;
// Frames painted and presented since start-up; a frame the window already
// shows is not painted again.
extern long FramesPainted;
// Called after a frame is drawn and before it is presented, while the back
// buffer still holds it (tests read the picture back here); null normally.
extern void (*RenderBeforeSwap)();
// Lets the renderer skip work that cannot change the picture. Only tests
// turn it off, to compare the picture drawn both ways.
extern bool RenderShortcuts;
// How the renderer takes the GL it runs on: -1 as GL names it, 0 as a
// hardware renderer, 1 as a software one (tests only).
extern int RendererKindOverride;
// 1 once F10's screenshot of this press is taken; the input poll clears
// it when F10 is let go.
extern int ScreenshotTaken;
// Bumped whenever a slot's pixels (or its blur pixels) change; the renderer
// keeps each slot's texture until its number moves.
extern unsigned ImageVersion[vell::kImageSlots];

// ---- sound ----
// Told of every sound effect and song the game asks for, before the platform
// plays it (or finds nothing to play); null normally. Tests listen through
// them to hear what an update asked for without a sound device.
extern void (*SoundAsked)(int slot, float pitch);
extern void (*MusicAsked)(const char* name);

// ---- input, log and network ----
// Called at the end of every input poll when set. The soak driver and the
// tests stand in for a player through it; the game never sets it.
extern void (*PollInputHook)();
// Stand in for the window's events, as GLFW would report them between two
// polls: a key's press or release (GLFW key code and action), a typed
// character, a mouse button's press or release.
void FeedKey(int key, int action);
// The window that Q with digit 1 + d (d = 0..6) asks for on a screen of
// that size.
void TestShape(int screenW, int screenH, int digit, int& w, int& h);
void FeedTyped(unsigned codepoint);
void FeedClick(int button, int action);
// A pad's sample as GLFW's gamepad state holds it: buttons A, B, X, Y,
// the shoulders, Back, Start, Guide, the stick presses, the d-pad's up,
// right, down, left; axes left x, y, right x, y, the triggers (-1 at rest).
struct PadSample {
    unsigned char buttons[vell::kStandardButtons];
    float axes[vell::kStandardAxes];
};
// One pad's reading in a poll, as GLFW gave it: mapped is its gamepad state
// when GLFW has a mapping for it (else null), axes and buttons its raw
// state. Which of the two goes into the tables is the engine's choice.
void ReadPad(int p, const char* name, const PadSample* mapped, const float* axes, int na,
             const unsigned char* buttons, int nb, int flipY);
// A pad plugged in or pulled out, as GLFW's joystick callback reports it;
// the next poll acts on it.
void FeedJoystick(int pad, bool connected);
// Debug-log sink. Normally standard output; tests point it at a file to
// read back what was logged.
extern FILE* DebuglogOut;
// Port of the HTTP fetch; always 80 in the game, moved by tests.
extern int URLPort;
