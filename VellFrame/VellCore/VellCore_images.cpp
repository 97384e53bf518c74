// Pictures and sprite sheets loaded from the data folder, the off-screen
// buffers the game draws into pixel by pixel, and screenshots.
#include "Vell_glfw3.h"
#include "VellCore.h"
#include "VellCore_assets.h"

void VellCore::LoadImg(int slot, const char* name, int frameSize) {
    Debuglog(fstr("Load Image : %s ", name ? name : ""));
    ASys.GetPNG(slot, ImagePath(*this, name), frameSize < 0 ? 0u : (unsigned)frameSize);
}

void VellCore::CreateBuffer(int slot, int size) { ASys.Buffer_Create(slot, size); }
void VellCore::BufferCLS(int slot) { ASys.Buffer_Fill(slot, 0, 0, 0, 0); }
void VellCore::BufferFill(int slot, int r, int g, int b, int a) { ASys.Buffer_Fill(slot, r, g, b, a); }

void VellCore::BufferLine(int slot, float x1, float y1, float x2, float y2) {
    const float* d = ASys.DrawSet;
    ASys.Buffer_Line(slot, x1, y1, x2, y2, d[vell::kSetLowRed], d[vell::kSetLowGreen], d[vell::kSetLowBlue],
                     d[vell::kSetLowAlpha]);
}
void VellCore::BufferPlot(int slot, float x, float y) {
    const float* d = ASys.DrawSet;
    ASys.Buffer_Plot(slot, x, y, d[vell::kSetLowRed], d[vell::kSetLowGreen], d[vell::kSetLowBlue],
                     d[vell::kSetLowAlpha]);
}
void VellCore::BufferTile(int slot, int source, float x, float y, int frame) {
    ASys.Buffer_Tile(slot, source, x, y, frame);
}

void VellCore::TakeScreenshot() { ASys.Screenshot(); }
void VellCore::CopyBuffer() { ASys.GrabBuffer(); }
