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

// Forgets every texture object the renderer made. Called whenever the GL
// context goes away (window closed or re-created): its objects went with it.
void ForgetTextures();

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
