#include "VellCore.h"

void VellCore::SeedRnd(int) { }
void VellCore::SeedRnd() {  }
float VellCore::Rnd(float, float) { return 0; }
float VellCore::Rnd(float) { return 0; }
int VellCore::Rand(float, float) { return 0; }
int VellCore::Rand(float) { return 0; }
float VellCore::tRnd(float, float) { return 0; }
float VellCore::tRnd(float) { return 0; }
int VellCore::tRand(float, float) { return 0; }
int VellCore::tRand(float) { return 0; }
float VellCore::Sin(float) { return 0; }
float VellCore::Cos(float) { return 0; }
float VellCore::Mod(float, float) { return 0; }
float VellCore::Abs(float) { return 0; }
int VellCore::Abs(int) { return 0; }
float VellCore::WhichWayDoIGo(float, float) { return 0; }
float VellCore::WhichWayDoIGo(float, float, float, float) { return 0; }
float VellCore::Dist(float, float, float, float) { return 0; }
float VellCore::Pyth(float, float) { return 0; }
int VellCore::Collide_Point_Circle(float, float, float, float, float) { return 0; }
int VellCore::Collide_Circle_Circle(float, float, float, float, float, float) { return 0; }
int VellCore::Collide_Line_Line(float, float, float, float, float, float, float, float) { return 0; }
int VellCore::Collide_Rect_Rect(float, float, float, float, float, float, float, float) { return 0; }
int VellCore::Collide_Rect_Rect_Complex(float, float, float, float, float, float, float, float) { return 0; }
