#include "Vell_glfw3_internal.h"

int ignorePress[1024];
std::string KeyName[350];
int UpdateFrames = 0;

void FillKeyNames() {}

void VellSys::PollInputB(int) {
    FlushKeys();
    // Without a window nothing can ever ask to quit, so treat it as closed.
    if (!window) Button[100] = 1;
    if (window) {
        if (glfwGetKey(window, GLFW_KEY_F4) || glfwWindowShouldClose(window)) Button[100] = 1;
        Button[63] = glfwGetWindowAttrib(window, GLFW_FOCUSED) ? 1 : -1;
    }
}
void VellSys::FlushKeys() {
    for (int i = 0; i < 127; i++) Button[i] = 0;
}
int VellSys::IsBut(int) { return 0; }
float VellSys::vKey(int) { return 0; }
float VellSys::vKey(int, int) { return 0; }
void VellSys::ClearKeys() {  }
void VellSys::DefineKey(int, int) {  }
void VellSys::LockAll() {  }
int VellSys::AnyKey() { return 0; }
void VellSys::PollRedef() {  }
const char* VellSys::ButtonName(int) { return nullptr; }
