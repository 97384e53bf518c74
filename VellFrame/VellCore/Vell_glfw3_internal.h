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

// True when every texel of slot s's pixels is fully opaque, so drawing it
// at full alpha with normal blending only ever replaces what is below.
bool SlotOpaque(int s);
