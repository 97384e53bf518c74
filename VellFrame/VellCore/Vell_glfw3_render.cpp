#include <cstring>

#include "Vell_glfw3_internal.h"

double DrawR[1500000];
int DrawToRT = 0;
int DrawToR = 0;
int TexUse = -1;
int TriCount = 0;
int RenderMode = GL_NEAREST;
int Wireframe = 0;
float OverscanScaleX = 1.0f;
float OverscanScaleY = 1.0f;
float ThickUse = 1.0f;
int Frames = 0;
int RenderFrames = 0;
double GLtime = 0;
long TexUploads = 0;
std::vector<unsigned char> WhiteBlock;

void VellSys::RenderBuffer() { }
void VellSys::RenderSys(float) {
    Frames++;
    RenderFrames++;
    if (window) glfwGetFramebufferSize(window, &WindowWidth, &WindowHeight);
    if (WindowWidth > 0 && WindowHeight > 0) Aspect = (float)(WindowWidth * (1.0 / WindowHeight));
    if (!window) return;
    glViewport(0, 0, WindowWidth, WindowHeight);
    glClearColor(DrawSet[21] / 255.0f, DrawSet[22] / 255.0f, DrawSet[23] / 255.0f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glfwSwapInterval(1);
    glfwSwapBuffers(window);
    glfwPollEvents();
}
void VellSys::RenderRect(int) {  }
void VellSys::RenderQuad(int) {  }
void VellSys::RenderOval(int) {  }
void VellSys::RenderLine(int) {  }
void VellSys::RenderFan(int) {  }
void VellSys::RenderTri(int) {  }
void VellSys::RenderImage(int) {  }
void VellSys::RenderQuadImage(int) {  }
void VellSys::RenderImageBlur(int) {  }
