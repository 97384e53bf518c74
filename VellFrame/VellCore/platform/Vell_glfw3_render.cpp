// The OpenGL renderer: replays the frame's draw-command list with the
// fixed-function pipeline in immediate mode, then presents it.
//
// Consecutive commands on the same pixels share one glBegin/glEnd; a change
// of pixels binds another texture. Each image slot (and its blur pixels,
// and the white block for plain shapes) has its own texture object, whose
// pixels are sent again only when the slot's version has moved, so a frame
// that alternates images costs binds rather than uploads.
//
// On a software renderer every blended or filtered pixel costs, so the
// renderer spares what cannot change the picture: draws at alpha 0 are
// dropped, fully opaque draws are not blended, linear filtering that would
// sample texel centres only becomes nearest, and a batch's vertices go to
// GL in one array call. RenderShortcuts turns all of that off, so tests can
// check the picture is the same byte for byte.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "Vell_glfw3_internal.h"
#include "Vell_glfw3_hooks.h"

double DrawR[vell::kRenderValues];
int DrawToRT = 0;
int DrawToR = 0;
int TexUse = -1;
int TriCount = 0;
int RenderMode = GL_NEAREST;
int Wireframe = 0;
float OverscanScaleX = 1.0f;
float OverscanScaleY = 1.0f;
float ThickUse = 1.0f;
int Frames = 0;
int RenderFrames = 0;
double GLtime = 0;
long TexUploads = 0;
long TexBinds = 0;
long FramesPainted = 0;
std::vector<unsigned char> WhiteBlock;
void (*RenderBeforeSwap)() = nullptr;
bool RenderShortcuts = true;

namespace {

using namespace vell;

const int kMaxRecordsR = kRenderValues / kRecordSize;
const int kBatchLimit = 50000;
const double kDegToRad = 0.017453;

// This frame's choices: whether the shortcuts apply, the blend function in
// force (the mode number, 1 to 3) and whether GL_BLEND is on.
bool Shortcuts = false;
int BlendMode = 1;
bool BlendOn = true;
// What the open batch was opened with besides its pixels.
bool BatchOpaque = false;
int BatchFilter = GL_NEAREST;
// The frame's scale from record units to window pixels, for spotting draws
// that land texel for pixel.
PixelMap Pixels;

// A batch's vertices, handed to GL in one call when the batch closes (or
// the array fills: its size is a whole number of triangles, and triangles
// are added whole, so a full array always ends on a triangle).
struct ArrayVertex {
    float u, v, r, g, b, a, x, y;
};
const int kArrayVertices = 3 * 4096;
ArrayVertex Vertices[kArrayVertices];
int VertexCount = 0;
// Colours as immediate mode turns bytes into floats, so both paths feed GL
// the same numbers.
float ByteToFloat[256];

struct Colour {
    GLubyte r, g, b, a;
};

// Truncated and cut to the low 8 bits; values no int can hold become 0
// instead of undefined behaviour.
GLubyte Channel(double d) {
    if (!(d > -2147483648.0 && d < 2147483648.0)) return 0;
    return (GLubyte)((int)d & 255);
}

Colour Lower(const double* c) {
    return Colour{Channel(c[kRecLowRed]), Channel(c[kRecLowGreen]), Channel(c[kRecLowBlue]), Channel(c[kRecLowAlpha])};
}
Colour Upper(const double* c) {
    return Colour{Channel(c[kRecHighRed]), Channel(c[kRecHighGreen]), Channel(c[kRecHighBlue]),
                  Channel(c[kRecHighAlpha])};
}

void FlushVertices() {
    if (VertexCount > 0) glDrawArrays(GL_TRIANGLES, 0, VertexCount);
    VertexCount = 0;
}

inline void Vertex(double u, double v, const Colour& c, float x, float y) {
    if (!Shortcuts) {
        glTexCoord2d(u, v);
        glColor4ub(c.r, c.g, c.b, c.a);
        glVertex2f(x, y);
        return;
    }
    if (VertexCount == kArrayVertices) FlushVertices();
    Vertices[VertexCount++] =
        ArrayVertex{(float)u, (float)v, ByteToFloat[c.r], ByteToFloat[c.g], ByteToFloat[c.b], ByteToFloat[c.a], x, y};
}

// Alpha 0 under normal or additive blending leaves every pixel as it was.
bool Invisible(const Colour& lower, const Colour& upper) {
    return Shortcuts && lower.a == 0 && upper.a == 0 && (BlendMode == 1 || BlendMode == 2);
}

// A draw left out still counts in the frame's statistics, as if drawn.
void CountSkipped(int polys) {
    ASys.PolyCount += polys;
    ASys.ObjCount += 1;
}

// Full alpha on opaque pixels under normal blending only replaces.
bool Opaque(const Colour& lower, const Colour& upper, bool pixelsOpaque) {
    return Shortcuts && pixelsOpaque && BlendMode == 1 && lower.a == 255 && upper.a == 255;
}

// Corners c1..c4 as the two triangles (c1, c2, c3) and (c1, c3, c4); the
// first two corners take the lower colour, the last two the upper.
void EmitQuad(const float* x, const float* y, const double* u, const double* v, Colour lower, Colour upper) {
    Vertex(u[0], v[0], lower, x[0], y[0]);
    Vertex(u[1], v[1], lower, x[1], y[1]);
    Vertex(u[2], v[2], upper, x[2], y[2]);
    Vertex(u[0], v[0], lower, x[0], y[0]);
    Vertex(u[2], v[2], upper, x[2], y[2]);
    Vertex(u[3], v[3], upper, x[3], y[3]);
}

// Corners of a box of half-size (hw, hh) around (cx, cy), turned by rot
// degrees; a rotation of exactly 0 skips the trigonometry.
void BoxCorners(double cx, double cy, float hw, float hh, double rot, float* x, float* y) {
    const float dx[4] = {-hw, hw, hw, -hw};
    const float dy[4] = {-hh, -hh, hh, hh};
    if (rot == 0) {
        for (int k = 0; k < 4; k++) {
            x[k] = (float)(cx + dx[k]);
            y[k] = (float)(cy + dy[k]);
        }
        return;
    }
    float a = (float)(rot * kDegToRad);
    double ca = cos(a), sa = sin(a);
    for (int k = 0; k < 4; k++) {
        x[k] = (float)(cx + dx[k] * ca - dy[k] * sa);
        y[k] = (float)(cy + dx[k] * sa + dy[k] * ca);
    }
}

void CloseBatch() {
    if (TexUse != -1) {
        if (Shortcuts) FlushVertices();
        else glEnd();
    }
    TexUse = -1;
}

// What a texture object holds. A name of 0 means none yet in this context.
struct SlotTexture {
    GLuint name;
    int side;
    unsigned version;
    const unsigned char* data;  // the array uploaded; a new one means new pixels
    size_t bytes;
    int filter;  // 0 until set: a fresh object's filter is not ours
};

SlotTexture SlotTex[kImageSlots];
SlotTexture BlurTex[kImageSlots];
SlotTexture WhiteTex;

void DropTexture(SlotTexture& t) {
    if (t.name) glDeleteTextures(1, &t.name);
    t = SlotTexture{};
}

// Binds t, creating it or sending its pixels again when they are not the
// ones it holds. The filter is kept per object.
void BindTexture(SlotTexture& t, int side, const unsigned char* pixels, size_t bytes, unsigned version, int filter) {
    if (!t.name) {
        t = SlotTexture{};
        glGenTextures(1, &t.name);
    }
    glBindTexture(GL_TEXTURE_2D, t.name);
    if (t.filter != filter) {
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, (GLfloat)filter);
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, (GLfloat)filter);
        t.filter = filter;
    }
    if (t.side == side && t.version == version && t.data == pixels && t.bytes == bytes) return;
    if (t.side == side) glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, side, side, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    else glTexImage2D(GL_TEXTURE_2D, 0, 4, side, side, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    t.side = side;
    t.version = version;
    t.data = pixels;
    t.bytes = bytes;
    TexUploads++;
}

// Keeps the open batch when it already draws from pixels p the same way
// (blended or not, same filter), otherwise closes it, binds p's texture and
// opens a new one.
void UsePixels(int p, SlotTexture& t, int side, const unsigned char* pixels, size_t bytes, unsigned version,
               bool opaque = false, int filter = RenderMode) {
    if (TexUse == p && TriCount <= kBatchLimit && BatchOpaque == opaque && BatchFilter == filter) return;
    CloseBatch();
    TexUse = p;
    BatchOpaque = opaque;
    BatchFilter = filter;
    if (BlendOn == opaque) {
        BlendOn = !opaque;
        if (BlendOn) glEnable(GL_BLEND);
        else glDisable(GL_BLEND);
    }
    BindTexture(t, side, pixels, bytes, version, filter);
    TexBinds++;
    if (!Shortcuts) glBegin(GL_TRIANGLES);
    TriCount = 0;
}

// The white block is opaque: a shape is as opaque as its colours.
void UseWhite(const Colour& lower, const Colour& upper) {
    UsePixels(-2, WhiteTex, 8, WhiteBlock.data(), WhiteBlock.size(), 0, Opaque(lower, upper, true));
}

// Textures of slots emptied since the last frame are given back, so a
// freed or failed slot holds no texture memory.
void DropEmptySlots() {
    for (int s = 0; s < kImageSlots; s++) {
        if (ASys.ImageFrames[s] != -1) continue;
        if (SlotTex[s].name) DropTexture(SlotTex[s]);
        if (BlurTex[s].name) DropTexture(BlurTex[s]);
    }
}

const double kUnitU[4] = {0, 1, 1, 0};
const double kUnitV[4] = {0, 0, 1, 1};

// Where an image command's frame lies in its texture. Returns false when
// the command must be skipped; otherwise the batch is ready for it.
struct FrameBox {
    int slot;
    float uL, uR, vT, vB;
};

// Linear filtering that only ever samples texel centres picks the same
// colours as nearest.
int FilterFor(bool texelForPixel) { return Shortcuts && texelForPixel ? GL_NEAREST : RenderMode; }

// Finds the slot and frame of an image command; false when it must be
// skipped. Rewrites an out-of-range frame as 0, as drawing does.
bool FindFrame(double* c, bool blur, bool quad, FrameBox& box) {
    if (!(c[kRecImageSlot] >= 0 && c[kRecImageSlot] < kImageSlots)) return false;
    int s = (int)c[kRecImageSlot];
    if (s > kLastGameImage && (quad || s != kScreenCopyImage)) return false;
    int frames = ASys.ImageFrames[s];
    if (frames == -1) return false;
    if (!(c[kRecFrame] >= 0) || c[kRecFrame] > frames - 1) c[kRecFrame] = 0;
    int f = (int)c[kRecFrame];
    int side = iSize[s];
    size_t bytes = blur ? ImageBlur[s].size() : Image[s].size();
    // A slot whose tables disagree with its pixels is never handed to GL.
    if (side <= 0 || iFramesW[s] <= 0 || bytes < (size_t)side * side * 4) return false;
    float wz = iFramesWz[s];
    box.slot = s;
    box.uL = wz * (float)(f % iFramesW[s]);
    box.vT = wz * (float)(f / iFramesW[s]);
    box.uR = box.uL + wz;
    box.vB = box.vT + wz;
    return true;
}

// Readies the batch for the frame found above.
void UseImage(const FrameBox& b, bool blur, const Colour& lower, const Colour& upper, int filter) {
    int s = b.slot;
    const unsigned char* pixels = blur ? ImageBlur[s].data() : Image[s].data();
    size_t bytes = blur ? ImageBlur[s].size() : Image[s].size();
    bool opaque = !blur && Opaque(lower, upper, true) && SlotPixels(s).opaque;
    UsePixels(blur ? 200 + s : s, blur ? BlurTex[s] : SlotTex[s], iSize[s], pixels, bytes, ImageVersion[s], opaque,
              filter);
}

void CountQuad() {
    TriCount += 1;
    ASys.PolyCount += 2;
    ASys.ObjCount += 1;
}

void DrawImageBox(double* c, bool blur) {
    FrameBox b;
    if (!FindFrame(c, blur, false, b)) return;
    Colour lower = Lower(c), upper = Upper(c);
    if (Invisible(lower, upper)) return CountSkipped(2);
    float unit = ASys.ImageUnit[b.slot];
    float x[4], y[4];
    BoxCorners(c[kRecX], c[kRecY], (float)(unit * c[kRecW]), (float)(unit * c[kRecH]), c[kRecRotation], x, y);
    int box[4];
    Ink ink = Ink::kAll;
    if (Shortcuts && !blur && c[kRecRotation] == 0 && (BlendMode == 1 || BlendMode == 2))
        ink = InkScissor(Pixels, b.slot, x, y, box);
    if (ink == Ink::kNone) return CountSkipped(2);
    if (ink == Ink::kBox) {
        CloseBatch();
        glEnable(GL_SCISSOR_TEST);
        glScissor(box[0], box[1], box[2], box[3]);
    }
    double texels = (double)iFramesWz[b.slot] * iSize[b.slot];
    bool exact = Shortcuts && TexelForPixel(Pixels, x, y, texels);
    // Image heights are negative, so c1 and c2 are the lower corners on
    // screen and take the frame's bottom row.
    double u[4] = {b.uL, b.uR, b.uR, b.uL};
    double v[4] = {b.vB, b.vB, b.vT, b.vT};
    // A plain colour keeps every remaining pixel's colour when the quad is
    // cut down to the frame's ink.
    bool plain = memcmp(&lower, &upper, sizeof lower) == 0;
    if (exact && plain && ink == Ink::kAll && !blur && (BlendMode == 1 || BlendMode == 2) &&
        !TrimToInk(b.slot, (int)c[kRecFrame], b.uL, b.vT, texels, x, y, u, v)) {
        return CountSkipped(2);
    }
    UseImage(b, blur, lower, upper, FilterFor(exact));
    EmitQuad(x, y, u, v, lower, upper);
    CountQuad();
    if (ink == Ink::kBox) {
        CloseBatch();
        glDisable(GL_SCISSOR_TEST);
    }
}

// Ovals and fans: 36 slices around the centre, slice k spanning the angles
// 10k - turn to 10(k+1) - turn degrees.
void DrawSlices(const double* c, double turn, bool alternate) {
    Colour lower = Lower(c), upper = Upper(c);
    if (Invisible(lower, upper)) return CountSkipped(36);
    UseWhite(lower, upper);
    float hw = (float)(c[kRecW] / 2), hh = (float)(c[kRecH] / 2);
    float cx = (float)c[kRecX], cy = (float)c[kRecY];
    float rx[37], ry[37];
    for (int k = 0; k <= 36; k++) {
        float a = (float)((10.0 * k - turn) * kDegToRad);
        rx[k] = (float)(cx + hw * sin(a));
        ry[k] = (float)(cy - hh * cos(a));
    }
    for (int k = 0; k < 36; k++) {
        Colour centre = lower, rim = upper;
        if (alternate) centre = rim = (k % 2 == 1) ? lower : upper;
        Vertex(0, 0, centre, cx, cy);
        Vertex(1, 0, rim, rx[k], ry[k]);
        Vertex(1, 1, rim, rx[k + 1], ry[k + 1]);
    }
    TriCount += 36;
    ASys.PolyCount += 36;
    ASys.ObjCount += 1;
}

void SwitchBlend(double mode) {
    CloseBatch();
    if (mode == 1.0) glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    else if (mode == 2.0) glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    else if (mode == 3.0) glBlendFunc(GL_ONE_MINUS_SRC_COLOR, GL_ONE);
    else return;
    BlendMode = (int)mode;
}

// One step of the clear colour towards its target; snaps when within 2.
void FadeClearColour(float* d) {
    float div = d[kSetClearFade];
    // A divisor below 1 would overshoot or divide by zero: jump instead.
    if (!(div >= 1)) div = 1;
    for (int i = 0; i < 3; i++) {
        float& now = d[kSetClearRed + i];
        float target = d[kSetClearToRed + i];
        now = now - (now - target) / div;
        float diff = now - target;
        // Truncated to an int the difference lies strictly inside (-2, 2)
        // exactly when the float does; a NaN snaps too.
        if (!(diff <= -2 || diff >= 2)) now = target;
    }
}

void StartArrays() {
    if (ByteToFloat[255] == 0)
        for (int i = 0; i < 256; i++) ByteToFloat[i] = (float)i / 255.0f;
    VertexCount = 0;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, sizeof(ArrayVertex), &Vertices[0].u);
    glColorPointer(4, GL_FLOAT, sizeof(ArrayVertex), &Vertices[0].r);
    glVertexPointer(2, GL_FLOAT, sizeof(ArrayVertex), &Vertices[0].x);
}

void StopArrays() {
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    // Whatever follows the frame (a screen grab, a test's read-back) sees
    // blending as the frame began.
    if (!BlendOn) glEnable(GL_BLEND);
    BlendOn = true;
}

}  // namespace

void ForgetTextures() {
    ForceRedraw();
    for (int s = 0; s < kImageSlots; s++) SlotTex[s] = BlurTex[s] = SlotTexture{};
    WhiteTex = SlotTexture{};
}

void VellSys::RenderBuffer() {
    DrawToR = 0;
    int n = DrawTo;
    if (n < 0) n = 0;
    if (n > kMaxRecordsR) n = kMaxRecordsR;
    DrawToRT = n;
    memcpy(DrawR, Draw, sizeof(double) * kRecordSize * (size_t)n);
}

void VellSys::RenderSys(float overscan) {
    Frames++;
    RenderFrames++;
    RenderMode = DrawSet[kSetSmooth] == 1.0f ? GL_LINEAR : GL_NEAREST;
    if (window) {
        GLtime = glfwGetTime();
        glfwGetFramebufferSize(window, &WindowWidth, &WindowHeight);
    }
    // A minimised window reports 0 x 0; keep the last shape rather than
    // dividing by zero.
    if (WindowWidth > 0 && WindowHeight > 0) Aspect = (float)(WindowWidth * (1.0 / WindowHeight));
    FadeClearColour(DrawSet);
    float o = overscan, A = Aspect, V = VirtualWidth;
    OverscanScaleX = 1.0f / (1.0f - o / 2);
    OverscanScaleY = 1.0f / (1.0f - A * o / 2);
    if (!window) {
        TexUse = -1;
        ThickUse = 1.0f;
        TriCount = 0;
        PolyCount = 0;
        ObjCount = 0;
        return;
    }
    // A frame the window already shows is not painted again; the counts of
    // what it holds stay those of the frame that painted it. A screenshot
    // or a test reading the frame needs it drawn.
    bool wantsPixels = RenderBeforeSwap || (Button[kButtonScreenshot] && !ScreenshotTaken);
    const RenderSize& size = ChooseFrameSize();
    if (RenderShortcuts && Wireframe == 0 && !wantsPixels && StillFrame(o)) {
        glfwPollEvents();
        return;
    }
    if (!RenderShortcuts || Wireframe || wantsPixels) ForceRedraw();
    TexUse = -1;
    ThickUse = 1.0f;
    TriCount = 0;
    PolyCount = 0;
    ObjCount = 0;

    // A reduced frame is drawn in the window's lower left corner, the whole
    // picture squeezed into it; presenting widens it to the window.
    glViewport(0, 0, size.width, size.height);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    if (Wireframe == 1) glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glClearColor(DrawSet[kSetClearRed] / 255, DrawSet[kSetClearGreen] / 255, DrawSet[kSetClearBlue] / 255, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    if (Wireframe) glDisable(GL_TEXTURE_2D);
    else glEnable(GL_TEXTURE_2D);
    if (WhiteBlock.size() < 256) WhiteBlock.assign(256, 255);
    DropEmptySlots();
    BlendMode = 1;
    BlendOn = true;
    // Wireframe drawing is a debugging view: drawn the plain way.
    Shortcuts = RenderShortcuts && Wireframe == 0;
    if (Shortcuts) StartArrays();

    glPushMatrix();
    // Records are already centred on the screen with y downwards, so a
    // scale alone maps them onto the window.
    float scaleX = (float)((2.0 - o) / V);
    float scaleY = (float)(-(double)A * (2.0 - (double)A * o) / V);
    glScalef(scaleX, scaleY, 1.0f);
    Pixels = PixelMap{(double)scaleX * size.width / 2,
                      (double)scaleY * size.height / 2,
                      size.width / 2.0,
                      size.height / 2.0,
                      size.width,
                      size.height};

    for (int n = 0; n < DrawToRT; n++) {
        int i = DrawToR + kRecordSize * n;
        double kind = DrawR[i + kRecKind];
        if (!(kind > -1e9 && kind < 1e9)) continue;
        switch ((int)kind) {
        case kDrawRect: RenderRect(i); break;
        case kDrawQuad: RenderQuad(i); break;
        case kDrawOval: RenderOval(i); break;
        case kDrawLine: RenderLine(i); break;
        case kDrawFan: RenderFan(i); break;
        case kDrawTri: RenderTri(i); break;
        case kDrawImage: RenderImage(i); break;
        case kDrawQuadImage: RenderQuadImage(i); break;
        case kDrawImageBlur: RenderImageBlur(i); break;
        case kDrawBlend: SwitchBlend(DrawR[i + kRecBlendMode]); break;
        default: break;
        }
    }
    CloseBatch();
    if (Shortcuts) StopArrays();
    glPopMatrix();

    PresentFrame();
    FramesPainted++;
    glfwPollEvents();
}

void VellSys::RenderRect(int i) {
    const double* c = &DrawR[i];
    Colour lower = Lower(c), upper = Upper(c);
    if (Invisible(lower, upper)) return CountSkipped(2);
    UseWhite(lower, upper);
    float x[4], y[4];
    BoxCorners(c[kRecX], c[kRecY], (float)(c[kRecW] / 2), (float)(c[kRecH] / 2), c[kRecRotation], x, y);
    EmitQuad(x, y, kUnitU, kUnitV, lower, upper);
    CountQuad();
}

void VellSys::RenderQuad(int i) {
    const double* c = &DrawR[i];
    Colour lower = Lower(c), upper = Upper(c);
    if (Invisible(lower, upper)) return CountSkipped(2);
    UseWhite(lower, upper);
    const float x[4] = {(float)c[kRecX], (float)c[kRecX2], (float)c[kRecX3], (float)c[kRecX4]};
    const float y[4] = {(float)c[kRecY], (float)c[kRecY2], (float)c[kRecY3], (float)c[kRecY4]};
    EmitQuad(x, y, kUnitU, kUnitV, lower, upper);
    CountQuad();
}

void VellSys::RenderLine(int i) { RenderQuad(i); }

void VellSys::RenderOval(int i) { DrawSlices(&DrawR[i], 0, false); }

void VellSys::RenderFan(int i) { DrawSlices(&DrawR[i], DrawR[i + kRecRotation], true); }

void VellSys::RenderTri(int i) {
    const double* c = &DrawR[i];
    Colour lower = Lower(c), upper = Upper(c);
    if (Invisible(lower, upper)) return CountSkipped(1);
    UseWhite(lower, upper);
    Vertex(0, 0, upper, (float)c[kRecX], (float)c[kRecY]);
    Vertex(1, 0, lower, (float)c[kRecX2], (float)c[kRecY2]);
    Vertex(1, 1, lower, (float)c[kRecX3], (float)c[kRecY3]);
    TriCount += 1;
    PolyCount += 1;
    ObjCount += 1;
}

void VellSys::RenderImage(int i) { DrawImageBox(&DrawR[i], false); }

void VellSys::RenderImageBlur(int i) { DrawImageBox(&DrawR[i], true); }

void VellSys::RenderQuadImage(int i) {
    double* c = &DrawR[i];
    FrameBox b;
    if (!FindFrame(c, false, true, b)) return;
    Colour lower = Lower(c), upper = Upper(c);
    if (Invisible(lower, upper)) return CountSkipped(2);
    UseImage(b, false, lower, upper, RenderMode);
    const float x[4] = {(float)c[kRecX], (float)c[kRecX2], (float)c[kRecX3], (float)c[kRecX4]};
    const float y[4] = {(float)c[kRecY], (float)c[kRecY2], (float)c[kRecY3], (float)c[kRecY4]};
    const double u[4] = {b.uL, b.uR, b.uR, b.uL};
    const double v[4] = {b.vT, b.vT, b.vB, b.vB};
    EmitQuad(x, y, u, v, lower, upper);
    CountQuad();
}
