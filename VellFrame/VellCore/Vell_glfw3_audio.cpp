#include "Vell_glfw3.h"

void VellSys::AudioStart() { }
void VellSys::AudioClose() { Debuglog("Closing OpenAL Audio"); }
void VellSys::GetWAV(int, const char* path) {  }
void VellSys::PlayWAV(int, float, float, float, int) {  }
