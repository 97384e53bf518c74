// Drawing settings and the draw-command list. Nothing here touches OpenGL:
// every call appends a 30-double record that the renderer replays later.
#include <cmath>

#include <cstring>

#include "Vell_glfw3.h"
#include "VellCore.h"
#include "VellHooks.h"
#include "VellMaths.h"
#include "VellNumbers.h"

namespace {

using namespace vell;

// Set when a frame's surplus commands were reported, so a runaway loop logs
// once per frame instead of once per dropped command.
bool overflowLogged = false;

double RelX(float x) { return (double)(x - (float)rw2); }
double RelY(float y) { return (double)(y - (float)rh2); }

bool ImagePresent(int slot) {
    // Slots outside the table count as missing rather than reading past it.
    return slot >= 0 && slot < kImageSlots && ASys.ImageFrames[slot] != -1;
}

// A missing picture is asked for every frame, and text asks once per
// character: unchecked, a game without its Data folder writes thousands of
// lines a second. Each slot gets a few lines, then one saying it goes quiet,
// until it is drawn successfully again. Slots outside the table share a row.
const int kMissingLogLimit = 16;
int MissingLogged[kImageSlots + 1];

int MissingRow(int slot) { return slot >= 0 && slot < kImageSlots ? slot : kImageSlots; }

bool ImageUsable(VellCore& core, int slot) {
    int& logged = MissingLogged[MissingRow(slot)];
    if (ImagePresent(slot)) {
        logged = 0;
        return true;
    }
    if (logged < kMissingLogLimit) {
        core.Debuglog(core.fstr("Missing Image %i", slot));
    } else if (logged == kMissingLogLimit) {
        core.Debuglog(core.fstr("Missing Image %i, not logged again until it is loaded", slot));
    }
    if (logged <= kMissingLogLimit) logged++;
    return false;
}

}  // namespace

void ForgetMissingImages() {
    for (int& n : MissingLogged) n = 0;
}

// Starts a record of the given kind, or returns null when the list is full.
static double* BeginRecord(VellCore& core, int kind) {
    if (ASys.DrawTo < 0) ASys.DrawTo = 0;
    if (ASys.DrawTo == 0) overflowLogged = false;
    if (ASys.DrawTo >= kMaxRecords) {
        if (!overflowLogged) core.Debuglog("Draw list full, commands dropped");
        overflowLogged = true;
        return nullptr;
    }
    double* r = &ASys.Draw[kRecordSize * ASys.DrawTo];
    r[kRecKind] = kind;
    return r;
}

static void EndRecord(VellCore& core) {
    core.Getdef(kRecordSize * ASys.DrawTo);
    ASys.DrawTo++;
}

void VellCore::Getdef(int index) {
    if (index < 0 || index + kRecordSize > kDrawValues) return;
    for (int i = 0; i < kRecSettingsCount; i++) ASys.Draw[index + kRecSettings + i] = ASys.DrawSet[i];
}

// A list the recorder never made (a count below zero or past the table)
// copies as empty rather than past either end.
static int RecordsKept(int n) { return n < 0 || n > kMaxRecords ? 0 : n; }

int VellCore::TakeDrawList(double* out) {
    int n = RecordsKept(ASys.DrawTo);
    memcpy(out, ASys.Draw, sizeof(double) * kRecordSize * (size_t)n);
    return n;
}

void VellCore::GiveDrawList(const double* records, int count) {
    count = RecordsKept(count);
    ASys.DrawTo = count;
    memcpy(ASys.Draw, records, sizeof(double) * kRecordSize * (size_t)count);
}

// ---- settings ----

void VellCore::TakeBackground(float* out) {
    memcpy(out, &ASys.DrawSet[kSetClearRed], sizeof(float) * kBackgroundValues);
}

void VellCore::GiveBackground(const float* in) {
    memcpy(&ASys.DrawSet[kSetClearRed], in, sizeof(float) * kBackgroundValues);
}

void VellCore::ResetDraw() {
    float* d = ASys.DrawSet;
    for (int i = kSetLowAlpha; i <= kSetHighBlue; i++) d[i] = 255;
    d[kSetRotation] = 0;
    d[kSetHalfThick] = 0.5f;
    d[kSetSizeX] = 1.0f / ViewScale;
    d[kSetSizeY] = (float)(-1.0 / (double)ViewScale);
}

void VellCore::SetCol(float r, float g, float b) {
    float* d = ASys.DrawSet;
    d[kSetLowRed] = d[kSetHighRed] = Clamp255(r);
    d[kSetLowGreen] = d[kSetHighGreen] = Clamp255(g);
    d[kSetLowBlue] = d[kSetHighBlue] = Clamp255(b);
}

void VellCore::SetCol(float r, float g, float b, float a) {
    SetCol(r, g, b);
    SetAlpha(a);
}

void VellCore::SetAlpha(float a) { ASys.DrawSet[kSetLowAlpha] = ASys.DrawSet[kSetHighAlpha] = Clamp255(255 * a); }
void VellCore::Alpha(float a) { SetAlpha(a); }

void VellCore::SetGradient(float r1, float g1, float b1, float a1, float r2, float g2, float b2, float a2) {
    float* d = ASys.DrawSet;
    d[kSetHighAlpha] = Clamp255(255 * a1);
    d[kSetHighRed] = Clamp255(r1);
    d[kSetHighGreen] = Clamp255(g1);
    d[kSetHighBlue] = Clamp255(b1);
    d[kSetLowAlpha] = Clamp255(255 * a2);
    d[kSetLowRed] = Clamp255(r2);
    d[kSetLowGreen] = Clamp255(g2);
    d[kSetLowBlue] = Clamp255(b2);
}

void VellCore::Ink(int n) {
    static const unsigned char palette[10][3] = {{0, 0, 0},     {255, 0, 0},    {255, 128, 0}, {255, 255, 0},
                                                 {0, 255, 0},   {0, 255, 255},  {0, 0, 255},   {180, 0, 255},
                                                 {255, 0, 180}, {255, 255, 255}};
    int i = n % 10;
    if (i < 0) {
        SetCol(0, 0, 0, 1);
        return;
    }
    SetCol(palette[i][0], palette[i][1], palette[i][2], 1);
}

void VellCore::InkRot(float hue) { HSV2RGB(hue, 1, 1); }
void VellCore::InkRot(float hue, float s) { HSV2RGB(hue, s, 1); }
void VellCore::InkRot(float hue, float s, float v) { HSV2RGB(hue, s, v); }

void VellCore::HSV2RGB(double hue, double s, double v) {
    double h = fmod(hue, 360.0);
    if (!(h < 360)) h = 0;  // also catches a NaN hue
    if (s <= 0) {
        SetCol((float)(255 * v), (float)(255 * v), (float)(255 * v), 1);
        return;
    }
    h /= 60;
    int i = (int)h;
    double f = h - i;
    double p = v * (1 - s);
    double q = v * (1 - s * f);
    double t = v * (1 - s * (1 - f));
    double r, g, b;
    switch (i) {
    case 0: r = v, g = t, b = p; break;
    case 1: r = q, g = v, b = p; break;
    case 2: r = p, g = v, b = t; break;
    case 3: r = p, g = q, b = v; break;
    case 4: r = t, g = p, b = v; break;
    default: r = v, g = p, b = q; break;
    }
    SetCol((float)(255 * r), (float)(255 * g), (float)(255 * b), 1);
}

void VellCore::SetSize(float s) { SetSize(s, s); }
void VellCore::SetSize(float sx, float sy) {
    ASys.DrawSet[kSetSizeX] = sx / ViewScale;
    ASys.DrawSet[kSetSizeY] = -sy / ViewScale;
}

void VellCore::SetRot(float degrees) { ASys.DrawSet[kSetRotation] = degrees; }

void VellCore::SetLineThickness(float t) { ASys.DrawSet[kSetHalfThick] = 0.5f * (t > 0.05f ? t : 0.05f); }
void VellCore::Width(float t) { SetLineThickness(t); }
void VellCore::Thick(float t) { SetLineThickness(t); }
void VellCore::SetLineWidth(float t) { SetLineThickness(t); }
void VellCore::SetLineThick(float t) { SetLineThickness(t); }

void VellCore::Smooth(int n) { ASys.DrawSet[kSetSmooth] = (float)n; }
void VellCore::SetSmooth(int n) { Smooth(n); }

void VellCore::SetBlend(int mode) {
    if (mode == ASys.CurBlend) return;
    // Only the mode is written: the renderer reads nothing else of a blend row.
    double* r = BeginRecord(*this, kDrawBlend);
    if (r) {
        r[kRecBlendMode] = mode;
        ASys.DrawTo++;
    }
    ASys.CurBlend = mode;
}

void VellCore::CLS(float r, float g, float b) {
    float* d = ASys.DrawSet;
    d[kSetClearRed] = d[kSetClearToRed] = Clamp255(r);
    d[kSetClearGreen] = d[kSetClearToGreen] = Clamp255(g);
    d[kSetClearBlue] = d[kSetClearToBlue] = Clamp255(b);
    d[kSetClearFade] = 1;
}
void VellCore::SetCLS(float r, float g, float b) { CLS(r, g, b); }

void VellCore::FadeCLS(float r, float g, float b, float rate) {
    float* d = ASys.DrawSet;
    d[kSetClearToRed] = Clamp255(r);
    d[kSetClearToGreen] = Clamp255(g);
    d[kSetClearToBlue] = Clamp255(b);
    d[kSetClearFade] = rate;
}

void VellCore::SetCLSRot(float hue, float lo, float hi) {
    lo = Clamp255(lo);
    hi = Clamp255(hi);
    float a = hi - lo;
    CLS(hi + a * DegSin(hue), hi + a * DegSin(hue + 120), hi + a * DegSin(hue + 240));
}

// ---- shapes ----

// Rectangles and ovals: a centre and a size in virtual pixels.
static void BoxRecord(VellCore& core, int kind, float x, float y, float w, float h) {
    double* r = BeginRecord(core, kind);
    if (!r) return;
    r[kRecX] = RelX(x);
    r[kRecY] = RelY(y);
    r[kRecW] = ViewScale * ASys.DrawSet[kSetSizeX] * w;
    r[kRecH] = ViewScale * ASys.DrawSet[kSetSizeY] * h;
    EndRecord(core);
}

void VellCore::Rect(float x, float y, float w, float h) { BoxRecord(*this, kDrawRect, x, y, w, h); }
void VellCore::Rect(float x, float y, float s) { Rect(x, y, s, s); }
void VellCore::Plot(float x, float y) { Rect(x, y, 1, 1); }
void VellCore::Rect_UL(float x, float y, float s) { Rect(x + s / 2, y + s / 2, s, s); }
void VellCore::Rect_UL(float x, float y, float w, float h) { Rect(x + w / 2, y + h / 2, w, h); }

void VellCore::Oval(float x, float y, float w, float h) { BoxRecord(*this, kDrawOval, x, y, w, h); }
void VellCore::Oval(float x, float y, float r) { Oval(x, y, 2 * r, 2 * r); }
void VellCore::Circle(float x, float y, float r) { Oval(x, y, 2 * r, 2 * r); }
void VellCore::Oval_UL(float x, float y, float w, float h) { Oval(x + w / 2, y + h / 2, w, h); }
void VellCore::Oval_UL(float x, float y, float r) { Oval(x + r, y + r, 2 * r, 2 * r); }
void VellCore::Circle_UL(float x, float y, float r) { Oval(x + r, y + r, 2 * r, 2 * r); }

void VellCore::Quad(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4) {
    double* r = BeginRecord(*this, kDrawQuad);
    if (!r) return;
    r[kRecX] = RelX(x1), r[kRecY] = RelY(y1);
    r[kRecX2] = RelX(x2), r[kRecY2] = RelY(y2);
    r[kRecX3] = RelX(x3), r[kRecY3] = RelY(y3);
    r[kRecX4] = RelX(x4), r[kRecY4] = RelY(y4);
    EndRecord(*this);
}

void VellCore::FullTri(float x1, float y1, float x2, float y2, float x3, float y3) {
    double* r = BeginRecord(*this, kDrawTri);
    if (!r) return;
    r[kRecX] = RelX(x1), r[kRecY] = RelY(y1);
    r[kRecX2] = RelX(x2), r[kRecY2] = RelY(y2);
    r[kRecX3] = RelX(x3), r[kRecY3] = RelY(y3);
    EndRecord(*this);
}

void VellCore::Tri(float x, float y, float w, float h) {
    double* r = BeginRecord(*this, kDrawTri);
    if (!r) return;
    float rot = ASys.DrawSet[kSetRotation];
    float sx = ViewScale * ASys.DrawSet[kSetSizeX];
    float sy = ViewScale * ASys.DrawSet[kSetSizeY];
    // The rotation is baked into the corners; the renderer does not turn
    // triangles again.
    for (int k = 0; k < 3; k++) {
        r[kRecX + 2 * k] = (double)(x - (float)rw2 + sx * w * DegSin(rot + 120 * k));
        r[kRecY + 2 * k] = (double)(y - (float)rh2 + sy * h * DegCos(rot + 120 * k));
    }
    EndRecord(*this);
}

void VellCore::Tri_Fix(float x, float y, float w, float h, float f) {
    float rot = ASys.DrawSet[kSetRotation];
    float sy = ViewScale * ASys.DrawSet[kSetSizeY];
    float k = sy * h * (DegCos(60) - DegCos(0)) * f;
    Tri(x + DegSin(rot + 180) * k, y - DegCos(rot + 180) * k, w, h);
}

void VellCore::Fan(float x, float y, float rad) {
    double* r = BeginRecord(*this, kDrawFan);
    if (!r) return;
    r[kRecX] = RelX(x);
    r[kRecY] = RelY(y);
    r[kRecW] = (double)(ViewScale * ASys.DrawSet[kSetSizeX]) * (2.0 * rad);
    r[kRecH] = (double)(ViewScale * ASys.DrawSet[kSetSizeY]) * (2.0 * rad);
    EndRecord(*this);
}

void VellCore::Line(float x1, float y1, float x2, float y2) {
    float t = ASys.DrawSet[kSetHalfThick];
    // The divisor is 0.017453 on purpose, not the exact radian factor, so
    // line ends land where they always have.
    float a = (float)(atan2((double)(x2 - x1), (double)(y1 - y2)) / 0.017453);
    float u = a + 90, d = a - 90;
    Quad(x1 + t * DegSin(u), y1 - t * DegCos(u), x2 + t * DegSin(u), y2 - t * DegCos(u), x2 + t * DegSin(d),
         y2 - t * DegCos(d), x1 + t * DegSin(d), y1 - t * DegCos(d));
}

// ---- images ----

static void ImageRecord(VellCore& core, int kind, int slot, float x, float y, int frame) {
    if (!ImageUsable(core, slot)) return;
    double* r = BeginRecord(core, kind);
    if (!r) return;
    r[kRecX] = RelX(x);
    r[kRecY] = RelY(y);
    r[kRecW] = ASys.ImageScale * ASys.DrawSet[kSetSizeX];
    r[kRecH] = ASys.ImageScale * ASys.DrawSet[kSetSizeY];
    r[kRecImageSlot] = slot;
    r[kRecFrame] = frame;
    EndRecord(core);
}

void VellCore::DrawImg(int slot, float x, float y) { ImageRecord(*this, kDrawImage, slot, x, y, 0); }
void VellCore::DrawImg(int slot, float x, float y, int frame) { ImageRecord(*this, kDrawImage, slot, x, y, frame); }
void VellCore::DrawBlur(int slot, float x, float y) { ImageRecord(*this, kDrawImageBlur, slot, x, y, 0); }
void VellCore::DrawBlur(int slot, float x, float y, int frame) {
    ImageRecord(*this, kDrawImageBlur, slot, x, y, frame);
}

void VellCore::QuadImg(int slot, float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4,
                       int frame) {
    if (!ImageUsable(*this, slot)) return;
    double* r = BeginRecord(*this, kDrawQuadImage);
    if (!r) return;
    r[kRecX] = RelX(x1), r[kRecY] = RelY(y1);
    r[kRecX2] = RelX(x2), r[kRecY2] = RelY(y2);
    r[kRecX3] = RelX(x3), r[kRecY3] = RelY(y3);
    r[kRecX4] = RelX(x4), r[kRecY4] = RelY(y4);
    r[kRecImageSlot] = slot;
    r[kRecFrame] = frame;
    EndRecord(*this);
}

void VellCore::DrawBuffer() {
    if (!ImagePresent(kScreenCopyImage)) {
        Debuglog("Previous Buffer Missing");
        return;
    }
    double* r = BeginRecord(*this, kDrawImage);
    if (!r) return;
    // The copy covers the whole window, so it sits on the screen centre and
    // is not scaled for the narrow virtual screen.
    r[kRecX] = 0;
    r[kRecY] = 0;
    r[kRecW] = ASys.DrawSet[kSetSizeX];
    r[kRecH] = ASys.DrawSet[kSetSizeY];
    r[kRecImageSlot] = kScreenCopyImage;
    r[kRecFrame] = 0;
    EndRecord(*this);
}
