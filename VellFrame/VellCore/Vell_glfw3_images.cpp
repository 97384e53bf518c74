#include "Vell_glfw3_internal.h"

std::vector<unsigned char> Image[105];
std::vector<unsigned char> ImageBlur[105];
int iSize[105];
int iFramesW[105];
float iFramesWz[105];

void VellSys::GetPNG(int, const char* path, unsigned) { }
void VellSys::Buffer_Create(int, int) {  }
void VellSys::Buffer_Fill(int, int, int, int, int) {  }
void VellSys::Buffer_Plot(int, float, float, float, float, float, float) {  }
void VellSys::Buffer_Line(int, float, float, float, float, float, float, float, float) {  }
void VellSys::Buffer_Tile(int, int, float, float, int) {  }
void VellSys::GrabBuffer() {  }
void VellSys::Screenshot() {  }
void VellSys::SavePNG(const char* path, int, int, int) {  }
