// The frame's state outside the VellCore object: the update and render
// counters, the virtual screen's layout and the clock's readings, all
// defined in VellCore_frame.cpp.
#pragma once

#include <sys/time.h>

extern int UpdateCountLive;
extern int RenderCountLive;
extern int rw2;
extern int rh2;
extern int iBump;
// The box the game wants in view (virtual pixels, set by FitView); 0 leaves
// the virtual width at vell::kBaseScreenW, or vell::kTallScreenW in a window
// taller than wide.
extern float ViewFitW, ViewFitH;
// The screen held by HoldView, 0 when the window decides.
extern float ViewHeldW, ViewHeldH;
extern float ViewScale;
extern int DebugToggle;
extern int ScreenshotToggle;
extern struct timeval starttick;
extern struct timeval curtick;
extern int GameStartTime;

// Mills() wraps round after 24.8 days, so readings are compared and moved
// only through these, which wrap with it.
inline int MillsDiff(int later, int earlier) { return (int)((unsigned)later - (unsigned)earlier); }
inline int MillsAdd(int t, int ms) { return (int)((unsigned)t + (unsigned)ms); }
