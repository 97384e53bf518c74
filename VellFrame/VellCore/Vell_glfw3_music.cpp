#include "Vell_glfw3.h"

void VellSys::PlayMusic_Wav_Sys(const char* path, int) { }
void VellSys::PlayMusic_Ogg_Sys(const char* path, int) {  }
void VellSys::BufferMusic_Wav_Sys() {  }
void VellSys::BufferMusic_Ogg_Sys() {  }
void VellSys::HandleMusicSys() {  }
void VellSys::StopMusicSys() {  }
