#include "VellCore.h"

void VellCore::ResetDraw() { }
void VellCore::SetCol(float, float, float) {  }
void VellCore::SetCol(float, float, float, float) {  }
void VellCore::SetAlpha(float) {  }
void VellCore::Alpha(float) {  }
void VellCore::SetGradient(float, float, float, float, float, float, float, float) {  }
void VellCore::Ink(int) {  }
void VellCore::InkRot(float) {  }
void VellCore::InkRot(float, float) {  }
void VellCore::InkRot(float, float, float) {  }
void VellCore::HSV2RGB(double, double, double) {  }
void VellCore::SetSize(float) {  }
void VellCore::SetSize(float, float) {  }
void VellCore::SetRot(float) {  }
void VellCore::SetLineThickness(float) {  }
void VellCore::Width(float) {  }
void VellCore::Thick(float) {  }
void VellCore::SetLineWidth(float) {  }
void VellCore::SetLineThick(float) {  }
void VellCore::Smooth(int) {  }
void VellCore::SetSmooth(int) {  }
void VellCore::SetBlend(int) {  }
void VellCore::CLS(float, float, float) {  }
void VellCore::SetCLS(float, float, float) {  }
void VellCore::FadeCLS(float, float, float, float) {  }
void VellCore::SetCLSRot(float, float, float) {  }
void VellCore::Rect(float, float, float, float) {  }
void VellCore::Rect(float, float, float) {  }
void VellCore::Plot(float, float) {  }
void VellCore::Rect_UL(float, float, float) {  }
void VellCore::Rect_UL(float, float, float, float) {  }
void VellCore::Oval(float, float, float, float) {  }
void VellCore::Oval(float, float, float) {  }
void VellCore::Circle(float, float, float) {  }
void VellCore::Oval_UL(float, float, float, float) {  }
void VellCore::Oval_UL(float, float, float) {  }
void VellCore::Circle_UL(float, float, float) {  }
void VellCore::Quad(float, float, float, float, float, float, float, float) {  }
void VellCore::FullTri(float, float, float, float, float, float) {  }
void VellCore::Tri(float, float, float, float) {  }
void VellCore::Tri_Fix(float, float, float, float, float) {  }
void VellCore::Fan(float, float, float) {  }
void VellCore::Line(float, float, float, float) {  }
void VellCore::DrawImg(int, float, float) {  }
void VellCore::DrawImg(int, float, float, int) {  }
void VellCore::DrawBlur(int, float, float) {  }
void VellCore::DrawBlur(int, float, float, int) {  }
void VellCore::QuadImg(int, float, float, float, float, float, float, float, float, int) {  }
void VellCore::DrawBuffer() {  }
void VellCore::Getdef(int) {  }
