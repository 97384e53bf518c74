// Shared by the platform files only: the GLFW window handle and GL headers.
#pragma once

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <GL/gl.h>

#include "Vell_glfw3.h"

extern GLFWwindow* window;

void error_callback(int code, const char* description);

// Fills the printable key-name table (input module).
void FillKeyNames();
// Points the window's key, character and mouse-button events at the input
// module, which latches presses too quick for the poll to see.
void InstallInputCallbacks();
// Points GLFW's joystick events at the pad module.
void InstallPadCallback();

// Forgets every texture object the renderer made. Called whenever the GL
// context goes away (window closed or re-created): its objects went with it.
void ForgetTextures();

// True when this frame would paint just what the window shows already (the
// same records, clear colour, window and pixels as the last frame drawn);
// otherwise remembers it as the frame about to be drawn.
bool StillFrame(float overscan);
// The next frame is drawn whatever it holds: the window lost its picture.
void ForceRedraw();
void WindowDamaged(GLFWwindow* w);

// What a slot's pixels hold: whether every texel is fully opaque (drawn at
// full alpha with normal blending it then only replaces what is below),
// and the box of texels that are not fully transparent (outside it a draw
// cannot change a pixel). Boxed is false when the pixels are not the plain
// side x side square, and the box is then unknown.
struct SlotCoverage {
    bool opaque, empty, boxed;
    int x0, y0, x1, y1;  // inclusive texel bounds of the ink
};
const SlotCoverage& SlotPixels(int s);

// The ink of frame f of slot s: its texels that are not fully transparent,
// as an inclusive box (x0, y0, x1, y1) counted from the frame cell's top-left
// texel. Returns 1 with the box, 0 when the frame has no ink, -1 when it is
// not known.
int FrameInk(int s, int f, int* box);

// The frame's mapping from record units to window pixels (GL's, y upwards).
struct PixelMap {
    double perUnitX, perUnitY, originX, originY;
    int width, height;
    double X(double x) const { return x * perUnitX + originX; }
    double Y(double y) const { return y * perUnitY + originY; }
};

// Whether corners c1..c4 make an unturned box on whole pixels, one texel
// per pixel either way: every pixel then samples a texel at its centre.
bool TexelForPixel(const PixelMap& m, const float* x, const float* y, double texels);

// Cuts a texel-for-pixel quad of frame `frame` (cell at uL, vT) down to
// the frame's ink; false when the frame has no ink at all.
bool TrimToInk(int slot, int frame, float uL, float vT, double texels, float* x, float* y, double* u, double* v);

enum class Ink { kAll, kNone, kBox };
// For an unturned single picture under normal or additive blending: kNone
// when it cannot change a pixel on screen, kBox with the window rectangle
// (x, y, w, h) outside which it cannot (when that spares much), else kAll.
Ink InkScissor(const PixelMap& m, int slot, const float* x, const float* y, int* box);

// The size a frame is drawn at: the window's own, or on a software renderer
// a window too big for it divided by a whole number, each drawn pixel then
// shown as a divisor x divisor block.
struct RenderSize {
    int width, height, divisor;
};
// full is the player's "Full" choice; software says the renderer draws on
// the CPU.
RenderSize ChooseRenderSize(int windowW, int windowH, bool software, bool full);
// Whether GL's renderer name is one of the CPU renderers.
bool SoftwareRendererName(const char* name);
// Takes note of the renderer of the context just made current.
void NoteRenderer();
// Chooses this frame's size (once per frame, before it is drawn) and
// readies what showing it takes; FrameSize gives the choice afterwards.
const RenderSize& ChooseFrameSize();
const RenderSize& FrameSize();
// After the frame is drawn: takes the screenshot asked for, calls the
// test's reader, and puts the frame on the window.
void PresentFrame();
// What the window shows (the last frame presented, or the back buffer when
// that was drawn at full size), as RGBA rows bottom first, as glReadPixels
// gives them; rgba holds WindowWidth x WindowHeight pixels.
void ReadShownFrame(unsigned char* rgba);
// Lets go of what showing reduced frames took. Called before the window or
// the display goes away.
void ForgetPresenter();
