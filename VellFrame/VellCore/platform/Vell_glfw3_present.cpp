// Putting the finished frame on the window, and drawing big windows at a
// reduced size on a software renderer.
//
// On a software renderer every pass over the window costs in proportion to
// its pixels: at 1920 x 1080 one full-window textured pass alone takes
// 8-10 ms of CPU, so no GL way of scaling a smaller picture up (textured
// quad, framebuffer blit, zoomed pixel copy) leaves room for the scene. The
// software drivers present a frame by handing its pixels to the X server
// anyway; so a reduced frame is read back, each pixel widened into a d x d
// block on the CPU (about half a millisecond) and handed to the server the
// same way, through shared memory when the server offers it. Hardware
// renderers and the "Full" setting always draw at the window's size.
#include <algorithm>
#include <cstring>
#include <dlfcn.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include "Vell_glfw3_internal.h"
#include "Vell_glfw3_hooks.h"
// After our own headers: Xlib's macros would clash with their names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

// Tests only: how the current renderer is taken, whatever it calls itself.
int RendererKindOverride = -1;

namespace {

// A software renderer draws this many pixels a frame at most. Measured on
// two llvmpipe threads, a busy cave takes 16 ms at 1366 x 768, 21 ms at
// 1280 x 1024 and 26 ms at 1920 x 1080 drawn whole, 11 ms at 1600 x 900
// and 13 ms at 1920 x 1080 drawn halved. Windows up to 1280 x 1024 stay
// whole: halved they would have fewer pixels than the 800 x 600 the art
// is drawn for, and lose detail rather than sharpness.
const long kSoftwareMostPixels = 1280L * 1024;

bool SoftwareGL = false;
RenderSize Chosen = {vell::kBaseScreenW, vell::kBaseScreenH, 1};
// Whether the frame painted last went to the window through the reduced
// path, so what the window shows is the widened image, not the back buffer.
bool ShownReduced = false;

// GLFW's native accessors, looked up at run time: a GLFW built for Wayland
// only has none, and this path then simply stays off.
typedef Display* (*GetDisplayFn)();
typedef Window (*GetWindowFn)(GLFWwindow*);

struct Presenter {
    Display* display = nullptr;
    Window win = 0;
    GC gc = nullptr;
    XImage* image = nullptr;
    XShmSegmentInfo shm = {};
    bool shared = false;
    bool unusable = false;  // this window takes no image of ours: draw at full size
    int width = 0, height = 0;
};
Presenter P;
std::vector<unsigned char> Reduced;

bool AttachFailed = false;
int NoteAttachError(Display*, XErrorEvent*) {
    AttachFailed = true;
    return 0;
}

void DropImage() {
    if (!P.image) return;
    if (P.shared) {
        XShmDetach(P.display, &P.shm);
        XSync(P.display, False);
        shmdt(P.shm.shmaddr);
        P.image->data = nullptr;  // not ours to free: it was the shared segment
    }
    XDestroyImage(P.image);
    P.image = nullptr;
    P.shared = false;
}

// The server's side of a shared segment; false when it cannot take one (a
// display on another machine), which is only known once the server answers.
bool ShareImage(Visual* visual, int depth, int w, int h) {
    if (!XShmQueryExtension(P.display)) return false;
    XImage* img =
        XShmCreateImage(P.display, visual, (unsigned)depth, ZPixmap, nullptr, &P.shm, (unsigned)w, (unsigned)h);
    if (!img) return false;
    P.shm.shmid = shmget(IPC_PRIVATE, (size_t)img->bytes_per_line * h, IPC_CREAT | 0600);
    if (P.shm.shmid < 0) {
        XDestroyImage(img);
        return false;
    }
    P.shm.shmaddr = img->data = (char*)shmat(P.shm.shmid, nullptr, 0);
    if (P.shm.shmaddr == (char*)-1) {
        shmctl(P.shm.shmid, IPC_RMID, nullptr);
        img->data = nullptr;
        XDestroyImage(img);
        return false;
    }
    P.shm.readOnly = False;
    XSync(P.display, False);
    AttachFailed = false;
    int (*before)(Display*, XErrorEvent*) = XSetErrorHandler(NoteAttachError);
    Status ok = XShmAttach(P.display, &P.shm);
    XSync(P.display, False);
    XSetErrorHandler(before);
    // Once the server holds it, the segment is marked for removal: it goes
    // when the last user lets go, however the process ends.
    shmctl(P.shm.shmid, IPC_RMID, nullptr);
    if (!ok || AttachFailed) {
        shmdt(P.shm.shmaddr);
        img->data = nullptr;
        XDestroyImage(img);
        return false;
    }
    P.image = img;
    P.shared = true;
    return true;
}

// Readies an image the size of the window in the window's own pixel
// layout. Only the common layout is taken (24-bit true colour, 32 bits a
// pixel, blue in the lowest byte), which is what GL's BGRA read gives.
bool ReadyImage(int w, int h) {
    if (P.unusable) return false;
    if (P.image && P.width == w && P.height == h) return true;
    if (!P.display) {
        GetDisplayFn getDisplay = (GetDisplayFn)dlsym(RTLD_DEFAULT, "glfwGetX11Display");
        GetWindowFn getWindow = (GetWindowFn)dlsym(RTLD_DEFAULT, "glfwGetX11Window");
        P.display = getDisplay ? getDisplay() : nullptr;
        P.win = P.display && getWindow ? getWindow(window) : 0;
        if (!P.win) {
            P.unusable = true;
            ASys.Debuglog("Big windows drawn at full size: no X window to hand frames to");
            return false;
        }
        P.gc = XCreateGC(P.display, P.win, 0, nullptr);
    }
    DropImage();
    XWindowAttributes a;
    bool layout = XGetWindowAttributes(P.display, P.win, &a) && a.depth == 24 && a.visual &&
                  a.visual->c_class == TrueColor && a.visual->red_mask == 0xff0000 && a.visual->green_mask == 0xff00 &&
                  a.visual->blue_mask == 0xff;
    if (layout && !ShareImage(a.visual, a.depth, w, h)) {
        char* pixels = (char*)calloc((size_t)w * h, 4);
        P.image = pixels ? XCreateImage(P.display, a.visual, (unsigned)a.depth, ZPixmap, 0, pixels, (unsigned)w,
                                        (unsigned)h, 32, 0)
                         : nullptr;
        if (!P.image) free(pixels);
    }
    if (P.image &&
        (P.image->bits_per_pixel != 32 || P.image->byte_order != LSBFirst || P.image->bytes_per_line != w * 4)) {
        DropImage();
    }
    if (!P.image) {
        P.unusable = true;
        ASys.Debuglog("Big windows drawn at full size: the window's pixels are laid out otherwise");
        return false;
    }
    P.width = w;
    P.height = h;
    return true;
}

// Widens the reduced frame (GL's rows, bottom first) into the window image
// (top row first): every reduced pixel becomes a d x d block, cut at the
// window's right and top edges.
void Widen(const RenderSize& s, int w, int h) {
    unsigned* out = (unsigned*)(void*)P.image->data;
    const unsigned* in = (const unsigned*)(const void*)Reduced.data();
    int d = s.divisor, lastRow = -1;
    for (int y = 0; y < h; y++) {
        unsigned* row = out + (size_t)y * w;
        int from = (h - 1 - y) / d;
        if (from == lastRow) {
            memcpy(row, row - w, (size_t)w * 4);
            continue;
        }
        lastRow = from;
        const unsigned* src = in + (size_t)from * s.width;
        for (int x = 0, k = 0; x < w; k++) {
            unsigned p = src[k] | 0xff000000u;
            for (int n = 0; n < d && x < w; n++) row[x++] = p;
        }
    }
}

}  // namespace

bool SoftwareRendererName(const char* name) {
    if (!name) return false;
    const char* marks[] = {"llvmpipe", "softpipe", "Software", "swrast", "Basic Render"};
    for (const char* m : marks)
        if (strstr(name, m)) return true;
    return false;
}

RenderSize ChooseRenderSize(int w, int h, bool software, bool full) {
    RenderSize s = {w, h, 1};
    if (!software || full || w <= 0 || h <= 0 || (long)w * h <= kSoftwareMostPixels) return s;
    for (int d = 2;; d++) {
        int rw = (w + d - 1) / d, rh = (h + d - 1) / d;
        if ((long)rw * rh <= kSoftwareMostPixels || (rw <= 1 && rh <= 1)) return RenderSize{rw, rh, d};
    }
}

void NoteRenderer() {
    const char* name = (const char*)glGetString(GL_RENDERER);
    SoftwareGL = SoftwareRendererName(name);
}

const RenderSize& ChooseFrameSize() {
    bool software = RendererKindOverride >= 0 ? RendererKindOverride == 1 : SoftwareGL;
    RenderSize s = ChooseRenderSize(ASys.WindowWidth, ASys.WindowHeight, software, ASys.RenderFull != 0);
    if (s.divisor > 1 && !ReadyImage(ASys.WindowWidth, ASys.WindowHeight))
        s = RenderSize{ASys.WindowWidth, ASys.WindowHeight, 1};
    if (s.width != Chosen.width || s.height != Chosen.height || s.divisor != Chosen.divisor) {
        if (s.divisor > 1 || Chosen.divisor > 1)
            ASys.Debuglog(ASys.fstrSys("Drawing at %i x %i for the %i x %i window", s.width, s.height, ASys.WindowWidth,
                                       ASys.WindowHeight));
        Chosen = s;
    }
    return Chosen;
}

const RenderSize& FrameSize() { return Chosen; }

void PresentFrame() {
    int w = ASys.WindowWidth, h = ASys.WindowHeight;
    ShownReduced = Chosen.divisor > 1 && P.image && P.width == w && P.height == h;
    if (ShownReduced) {
        Reduced.resize((size_t)Chosen.width * Chosen.height * 4);
        glReadPixels(0, 0, Chosen.width, Chosen.height, GL_BGRA, GL_UNSIGNED_BYTE, Reduced.data());
        Widen(Chosen, w, h);
    }
    // The back buffer (or the widened image) is only sure to hold the frame
    // until it is presented: read it first.
    if (ASys.Button[vell::kButtonScreenshot] && !ScreenshotTaken) {
        ScreenshotTaken = 1;
        ASys.Screenshot();
    }
    if (RenderBeforeSwap) RenderBeforeSwap();
    if (ShownReduced) {
        if (P.shared) XShmPutImage(P.display, P.win, P.gc, P.image, 0, 0, 0, 0, (unsigned)w, (unsigned)h, False);
        else XPutImage(P.display, P.win, P.gc, P.image, 0, 0, 0, 0, (unsigned)w, (unsigned)h);
        // The server reads the shared pixels when it gets to the request;
        // they are not touched again before it has.
        XSync(P.display, False);
        return;
    }
    glfwSwapInterval(1);
    glfwSwapBuffers(window);
}

void ReadShownFrame(unsigned char* rgba) {
    int w = ASys.WindowWidth, h = ASys.WindowHeight;
    if (!(ShownReduced && P.image && P.width == w && P.height == h)) {
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return;
    }
    // GL's order, bottom row first, as a read of the back buffer gives.
    for (int y = 0; y < h; y++) {
        const unsigned char* src = (const unsigned char*)P.image->data + (size_t)(h - 1 - y) * w * 4;
        unsigned char* dst = rgba + (size_t)y * w * 4;
        for (int x = 0; x < w; x++) {
            dst[x * 4] = src[x * 4 + 2];
            dst[x * 4 + 1] = src[x * 4 + 1];
            dst[x * 4 + 2] = src[x * 4];
            dst[x * 4 + 3] = 255;
        }
    }
}

void ForgetPresenter() {
    if (P.display) {
        DropImage();
        if (P.gc) XFreeGC(P.display, P.gc);
    }
    P = Presenter{};
    ShownReduced = false;
    Chosen = RenderSize{ASys.WindowWidth, ASys.WindowHeight, 1};
}
