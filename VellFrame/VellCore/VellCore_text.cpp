#include "VellCore.h"

void VellCore::LoadFont(int, const char*) { }
void VellCore::SetFont(int) {  }
void VellCore::Text(float, float, const char*) {  }
void VellCore::Text(float, float, const char*, float) {  }
void VellCore::Text(float, float, const char*, float, float) {  }
void VellCore::Text(float, float, char) {  }
void VellCore::Text(float, float, char, float) {  }
void VellCore::Text(float, float, char, float, float) {  }
float VellCore::StringWidth(const char*) { return 0; }
float VellCore::StringWidth(char) { return 0; }
float VellCore::CharWidth(char) { return 0; }
