#include "VellCore.h"

void VellCore::LoadImg(int, const char* name, int) { }
void VellCore::LoadSFX(int) {  }
void VellCore::LoadSFX(int, const char*) {  }
void VellCore::PlaySFX(int) {  }
void VellCore::PlaySFX(int, float) {  }
void VellCore::PlaySFX(int, float, float) {  }
void VellCore::PlaySFX(int, float, float, float) {  }
void VellCore::PlaySFX(int, float, float, float, int) {  }
void VellCore::PlayMusic(const char*) {  }
void VellCore::PlayMusic(const char*, int) {  }
void VellCore::StopMusic() {  }
void VellCore::MusicHandler() {  }
void VellCore::MusicPitch(float) {  }
void VellCore::MusicPan(float) {  }
void VellCore::MusicVolume(float) {  }
void VellCore::CreateBuffer(int, int) {  }
void VellCore::BufferCLS(int) {  }
void VellCore::BufferFill(int, int, int, int, int) {  }
void VellCore::BufferLine(int, float, float, float, float) {  }
void VellCore::BufferPlot(int, float, float) {  }
void VellCore::BufferTile(int, int, float, float, int) {  }
void VellCore::TakeScreenshot() {  }
void VellCore::CopyBuffer() {  }
