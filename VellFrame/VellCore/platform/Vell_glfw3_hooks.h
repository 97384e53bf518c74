// The platform layer's test seams: the renderer's counters and switches,
// the stand-ins for the window's events and the pads, the debug log's sink
// and the web fetch's port. VellHooks.h brings them to the tests with the
// core's own; the platform's files take them from here alone.
#pragma once

#include <cstdio>

#include "VellNumbers.h"

// ---- drawing and the renderer ----
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
void ReadPad(int p, const char* name, const PadSample* mapped, const float* axes, int na, const unsigned char* buttons,
             int nb, int flipY);
// A pad plugged in or pulled out, as GLFW's joystick callback reports it;
// the next poll acts on it.
void FeedJoystick(int pad, bool connected);
// Debug-log sink. Normally standard output; tests point it at a file to
// read back what was logged.
extern FILE* DebuglogOut;
// Port of the HTTP fetch; always 80 in the game, moved by tests.
extern int URLPort;
