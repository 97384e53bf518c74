// Still frames. A frame that would paint exactly what the window already
// shows (the title at rest, a menu nobody touches) is neither drawn nor
// swapped: on software rendering that is most of an idle game's CPU. Every
// input that can change a pixel is compared; the window system's own
// requests for a repaint (exposure, a new window) always draw.
#include <cstring>

#include "Vell_glfw3_internal.h"
#include "Vell_glfw3_hooks.h"

namespace {

using namespace vell;

const int kMaxValues = kRenderValues;

// Everything besides the records that decides the picture.
struct FrameInputs {
    int records;
    int width, height, mode, wireframe, divisor;
    float overscan, aspect, virtualWidth;
    double clear[3];
    unsigned version[kImageSlots];
    const unsigned char* pixels[kImageSlots];
    const unsigned char* blur[kImageSlots];
    size_t bytes[kImageSlots], blurBytes[kImageSlots];
    int frames[kImageSlots], frameSize[kImageSlots], side[kImageSlots], framesW[kImageSlots];
    float unit[kImageSlots], framesWz[kImageSlots];
};

FrameInputs Shown, Now;
double ShownRecords[kMaxValues];
bool ShownValid = false;

void Gather(FrameInputs& f, float overscan) {
    // Whole-struct compares: the padding must compare equal too.
    memset(&f, 0, sizeof f);
    f.records = DrawToRT;
    f.width = ASys.WindowWidth;
    f.height = ASys.WindowHeight;
    f.mode = RenderMode;
    f.wireframe = Wireframe;
    f.divisor = FrameSize().divisor;
    f.overscan = overscan;
    f.aspect = ASys.Aspect;
    f.virtualWidth = ASys.VirtualWidth;
    for (int c = 0; c < 3; c++) f.clear[c] = ASys.DrawSet[kSetClearRed + c];
    for (int s = 0; s < kImageSlots; s++) {
        f.version[s] = ImageVersion[s];
        f.pixels[s] = Image[s].data();
        f.bytes[s] = Image[s].size();
        f.blur[s] = ImageBlur[s].data();
        f.blurBytes[s] = ImageBlur[s].size();
        f.frames[s] = ASys.ImageFrames[s];
        f.frameSize[s] = ASys.ImageFrameSize[s];
        f.unit[s] = ASys.ImageUnit[s];
        f.side[s] = iSize[s];
        f.framesW[s] = iFramesW[s];
        f.framesWz[s] = iFramesWz[s];
    }
}

}  // namespace

bool StillFrame(float overscan) {
    Gather(Now, overscan);
    size_t values = (size_t)DrawToRT * kRecordSize;
    if (values > (size_t)kMaxValues) values = kMaxValues;
    bool same = ShownValid && memcmp(&Now, &Shown, sizeof Now) == 0 &&
                memcmp(DrawR + DrawToR, ShownRecords, values * sizeof(double)) == 0;
    if (same) return true;
    // Drawing may rewrite a record (a frame number out of range becomes 0),
    // so the copy is the list as it came in.
    Shown = Now;
    memcpy(ShownRecords, DrawR + DrawToR, values * sizeof(double));
    ShownValid = true;
    return false;
}

void ForceRedraw() { ShownValid = false; }

void WindowDamaged(GLFWwindow*) { ForceRedraw(); }
