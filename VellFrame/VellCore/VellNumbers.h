// The engine's fixed table sizes, reserved values and record layouts, named
// once so the recorder, the renderer, the platform layer and the loaders
// cannot drift apart. Saved files, the game and the tests rely on these
// numbers, so they never move.
#pragma once

namespace vell {

// Image slots: 0 to 99 hold the game's pictures and fonts; the engine keeps
// the last screenshot, a read-back scratch copy and the screen copy above.
constexpr int kImageSlots = 105;
constexpr int kLastGameImage = 99;
constexpr int kScreenshotImage = 100;
constexpr int kScratchImage = 101;
constexpr int kScreenCopyImage = 102;

// Sound slots, one OpenAL buffer each.
constexpr int kSoundSlots = 105;

// OpenAL sources: effects take turns on the first kEffectSources, and the
// last one streams the music.
constexpr int kSoundSources = 32;
constexpr int kEffectSources = kSoundSources - 1;
constexpr int kMusicSource = kSoundSources - 1;

// How often, in milliseconds, the sound device is asked whether it is still
// there, and how often a missing or lost one is looked for again.
constexpr int kAudioCheckMs = 250;
constexpr int kAudioRetryMs = 2000;

// What ReadInt gives once a file has no four bytes left; a value read
// above it is one the file holds.
constexpr int kReadPastEnd = -37171;

// ---- the draw-command list ----

// Draw holds whole 30-double records; the renderer's copy is three times
// larger so a frame's list always fits with room to spare.
constexpr int kDrawValues = 500000;
constexpr int kRecordSize = 30;
constexpr int kMaxRecords = kDrawValues / kRecordSize;  // 16,666
constexpr int kRenderValues = 1500000;

// Record kinds: what the renderer does with a record.
constexpr int kDrawRect = 1;
constexpr int kDrawQuad = 2;
constexpr int kDrawOval = 3;
constexpr int kDrawLine = 4;  // replayed, though nothing records it
constexpr int kDrawFan = 5;
constexpr int kDrawTri = 6;
constexpr int kDrawImage = 11;
constexpr int kDrawQuadImage = 12;
constexpr int kDrawImageBlur = 13;
constexpr int kDrawBlend = 50;

// Fields of a record. Shapes and images keep a centre and a size (images:
// a scale); quads and triangles keep their corners in the same places.
constexpr int kRecKind = 0;
constexpr int kRecX = 1, kRecY = 2;    // centre, or the first corner
constexpr int kRecW = 3, kRecH = 4;    // size or scale, height negated
constexpr int kRecX2 = 3, kRecY2 = 4;  // second corner
constexpr int kRecX3 = 5, kRecY3 = 6;  // third corner
constexpr int kRecX4 = 7, kRecY4 = 8;  // fourth corner
constexpr int kRecBlendMode = 1;       // a blend record's only field
constexpr int kRecSettings = 10;       // DrawSet[0..15] as they were when recorded
constexpr int kRecSettingsCount = 16;
constexpr int kRecImageSlot = 28;
constexpr int kRecFrame = 29;  // the renderer may rewrite it in its copy

// ---- the drawing settings (DrawSet) ----

// Colours are 0 to 255. The lower colour goes to the bottom edge of an
// unturned rectangle, the upper to its top; a plain colour sets both.
constexpr int kDrawSetSize = 50;
constexpr int kSetLowAlpha = 0;
constexpr int kSetLowRed = 1, kSetLowGreen = 2, kSetLowBlue = 3;
constexpr int kSetHighAlpha = 4;
constexpr int kSetHighRed = 5, kSetHighGreen = 6, kSetHighBlue = 7;
constexpr int kSetRotation = 8;                                                  // degrees
constexpr int kSetHalfThick = 9;                                                 // half the line thickness
constexpr int kSetSizeX = 11;                                                    // size factor over ViewScale
constexpr int kSetSizeY = 12;                                                    // minus the size factor over ViewScale
constexpr int kSetClearRed = 21, kSetClearGreen = 22, kSetClearBlue = 23;        // shown now
constexpr int kSetClearToRed = 24, kSetClearToGreen = 25, kSetClearToBlue = 26;  // fading to
constexpr int kSetClearFade = 27;                                                // the fade's divisor; 1 jumps
constexpr int kBackgroundValues = kSetClearFade - kSetClearRed + 1;              // shown, fading to, fade
constexpr int kSetSmooth = 49;                                                   // 1 filters images linearly

// The settings the renderer reads back from a record.
constexpr int kRecLowAlpha = kRecSettings + kSetLowAlpha;
constexpr int kRecLowRed = kRecSettings + kSetLowRed;
constexpr int kRecLowGreen = kRecSettings + kSetLowGreen;
constexpr int kRecLowBlue = kRecSettings + kSetLowBlue;
constexpr int kRecHighAlpha = kRecSettings + kSetHighAlpha;
constexpr int kRecHighRed = kRecSettings + kSetHighRed;
constexpr int kRecHighGreen = kRecSettings + kSetHighGreen;
constexpr int kRecHighBlue = kRecSettings + kSetHighBlue;
constexpr int kRecRotation = kRecSettings + kSetRotation;

// ---- raw input tables ----

// Button: the fixed keys of this poll, 1 while down. 0 to 15 are the play
// keys the game may read directly; the others belong to the engine.
constexpr int kButtonSlots = 128;
constexpr int kButtonUp = 0;
constexpr int kButtonLeft = 3;
constexpr int kButtonRight = 5;
constexpr int kButtonDown = 8;
constexpr int kButtonAction1 = 10;  // 10 to 15: the six action keys
constexpr int kButtonActions = 6;
constexpr int kButtonFocus = 63;       // 1 while focused, -1 otherwise
constexpr int kButtonShotMode = 64;    // F2
constexpr int kButtonFullScreen = 65;  // F11
constexpr int kButtonScreenshot = 66;  // F10
constexpr int kButtonWireframe = 67;   // F9
constexpr int kButtonStats = 68;       // F1
constexpr int kButtonReturn = 98;
constexpr int kButtonEscape = 99;
constexpr int kButtonQuit = 100;  // F4 or the window's close button

// Touch: ten floats a pointer; only pointer 0, the mouse, is filled.
constexpr int kTouchSlots = 100;
constexpr int kPointers = 10;
constexpr int kTouchStride = 10;
constexpr int kTouchX = 1, kTouchY = 2;
constexpr int kTouchLastX = 3, kTouchLastY = 4;  // -100 while the button is up
constexpr int kTouchDown = 5;
constexpr int kTouchDownAlt = 6;  // the right button
constexpr int kTouchHeld = 7;     // polls held, 0 while up
constexpr int kTouchMoveX = 8, kTouchMoveY = 9;

// Joy: a hundred floats a pad, for four pads.
constexpr int kPads = 4;
constexpr int kJoySlots = 400;
constexpr int kPadStride = 100;
constexpr int kPadButtons = 45;  // 0 to 44, 1.0 pressed
constexpr int kPadBack = 6, kPadStart = 7;
constexpr int kPadDpadUp = 10, kPadDpadRight = 11, kPadDpadDown = 12, kPadDpadLeft = 13;
constexpr int kPadAxis = 50;  // 50 to 94, -1 to 1
constexpr int kPadStickX = 50, kPadStickY = 51;
constexpr int kPadStick2X = 52, kPadStick2Y = 53;
constexpr int kPadSeenIdle = 98;  // 1.0 once the pad was seen at rest
constexpr int kPadPresent = 99;   // 1.0 while connected
// A pad's button counts as down, and an axis as pushed, beyond this either
// way.
constexpr float kPadPushed = 0.5f;
// GLFW's gamepad state: the standard layout's buttons and axes.
constexpr int kStandardButtons = 15;
constexpr int kStandardAxes = 6;

// The sixteen controls and their bindings: redef is a grid of 64 rows of
// 16 controls, of which rows 48 to 63 hold the codes bound (63 the newest).
// A code below 500 is a key; pad p's inputs are (p + 5) * 100 + n.
constexpr int kControls = 16;
constexpr int kBindingSlots = 1024;
constexpr int kBindingRows = 64;
constexpr int kFirstBindingRow = 48;
constexpr int kNewestBindingRow = 63;
constexpr int kVirtualKeySlots = 128;  // Keyv; only the controls are ever set
constexpr int kFirstPadCode = 500;

// Everything a poll leaves for an update, as a replay keeps it: the four
// tables above end to end.
constexpr int kInputValues = kButtonSlots + kTouchSlots + kJoySlots + kVirtualKeySlots;

// The screen the game is laid out for: the window opens this size, and
// the virtual screen is this wide unless the game asks to fit or hold a
// box; in a window taller than wide it is kTallScreenW across instead.
constexpr int kBaseScreenW = 800, kBaseScreenH = 600;
constexpr int kTallScreenW = 512;

// Pictures are measured against a virtual screen this wide: drawn at size
// 1 a frame covers its own width in virtual pixels whatever the screen.
constexpr float kImageBaseWidth = (float)kBaseScreenW;

// LastColPointX and LastColPointY after a collision test that found no
// single point of contact.
constexpr float kNoCollisionPoint = -3717.0f;

// The font sheet: square frames of kFontCell pixels, frame n holding
// character kFirstGlyph + n, kFontGlyphs of them.
constexpr int kFontCell = 32;
constexpr int kFirstGlyph = 32;
constexpr int kFontGlyphs = 136;

// Typed text: the characters typed between two polls (more are dropped),
// and the code that stands for Backspace among them.
constexpr int kTypedChars = 32;
constexpr unsigned kTypedBackspace = 8;

}  // namespace vell
