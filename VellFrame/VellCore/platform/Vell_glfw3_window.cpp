// Platform start-up, the window and its video modes, shutdown.
#include <cctype>
#include <cstring>
#include <lodepng.h>
#include <vector>

#include "Vell_glfw3_internal.h"
#include "Vell_glfw3_hooks.h"
// After our own headers: Xlib's macros would clash with their names.
#include <X11/Xlib.h>

VellSys ASys;
GLFWwindow* window = nullptr;
int isFullscreen = 0;
char GameTitleSys[1024];
void (*PollInputHook)() = nullptr;

VellSys::VellSys() : WebReply() {
    // Sane values before SysInit, so logic run without a window (tests,
    // tools) sees the base virtual screen and no images.
    VirtualWidth = (float)vell::kBaseScreenW;
    ImageScale = 1.0f;
    WindowWidth = vell::kBaseScreenW;
    WindowHeight = vell::kBaseScreenH;
    Aspect = (float)vell::kBaseScreenW / (float)vell::kBaseScreenH;
    VirtualHalfW = vell::kBaseScreenW / 2.0f;
    VirtualHalfH = vell::kBaseScreenH / 2.0f;
    CurBlend = 1;
    for (int i = 0; i < vell::kImageSlots; i++) ImageFrames[i] = -1;
    Button[vell::kButtonFocus] = 1;
}
VellSys::~VellSys() {}

bool VellSys::HasWindow() const { return window != nullptr; }

// Kept for the program's life: every re-created window needs it again.
static std::vector<unsigned char> IconPixels;
static unsigned IconW = 0, IconH = 0;

static void ApplyIcon() {
    if (!window || IconPixels.empty()) return;
    GLFWimage icon = {(int)IconW, (int)IconH, IconPixels.data()};
    glfwSetWindowIcon(window, 1, &icon);
}

void VellSys::SetWindowIcon(const char* path) {
    std::vector<unsigned char> pixels;
    unsigned w = 0, h = 0;
    if (lodepng::decode(pixels, w, h, std::string(path)) != 0 || w == 0 || h == 0) {
        Debuglog(fstrSys("No window icon: %s", path));
        return;
    }
    IconPixels.swap(pixels);
    IconW = w;
    IconH = h;
    ApplyIcon();
}

void error_callback(int, const char* description) { fprintf(stderr, "Error: %s\n", description); }

// A closed display ends the process inside Xlib, which only lets a handler
// run first; without one the settings and scores since the last save go.
static int DisplayGone(Display*) {
    static int once = 0;
    if (once++ == 0) {
        ASys.Debuglog("Lost the display, saving before the end");
        if (ASys.DisplayLost) ASys.DisplayLost();
    }
    return 0;
}

void VellSys::SysInit(const char* title) {
    snprintf(GameTitleSys, sizeof GameTitleSys, "%s", title);
    FlushKeys();
    VirtualWidth = (float)vell::kBaseScreenW;
    ImageScale = 1.0f;
    bool started = glfwInit();
    if (!started) Debuglog("Initialisation Failed");
    glfwSetErrorCallback(error_callback);
    if (started) InstallPadCallback();
    XSetIOErrorHandler(DisplayGone);
    WhiteBlock.assign(256, 255);
    for (int i = 0; i < vell::kButtonSlots; i++) Button[i] = 0;
    for (int i = 0; i < vell::kTouchSlots; i++) Touch[i] = 0;
    for (int i = 0; i < vell::kJoySlots; i++) Joy[i] = 0;
    for (int i = 0; i <= vell::kLastGameImage; i++) ImageFrames[i] = -1;
    isFullscreen = 0;
    SetScreen(256, 128);
    AudioStart();
    SetScreen(vell::kBaseScreenW, vell::kBaseScreenH);
    FillKeyNames();
}

// Docks match a window to its menu entry by WM_CLASS, which GLFW would
// otherwise take from the title: the class is the title ("StartupWMClass"
// in the desktop file), the instance the command's lower-case name.
static void NameWindowClass(const char* title) {
    char instance[sizeof GameTitleSys];
    size_t i = 0;
    for (; title[i] && i + 1 < sizeof instance; i++) instance[i] = (char)tolower((unsigned char)title[i]);
    instance[i] = 0;
    glfwWindowHintString(GLFW_X11_CLASS_NAME, title);
    glfwWindowHintString(GLFW_X11_INSTANCE_NAME, instance);
}

void VellSys::SetScreen(int w, int h) {
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 2);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 0);
    NameWindowClass(GameTitleSys);
    ForgetPresenter();
    if (window) {
        glfwDestroyWindow(window);
        window = nullptr;
    }
    ForgetTextures();
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
    if (isFullscreen == 0) {
        window = glfwCreateWindow(w, h, GameTitleSys, nullptr, nullptr);
        if (window && mode) glfwSetWindowPos(window, mode->width / 2 - w / 2, mode->height / 2 - h / 2);
        if (window) Debuglog("Opened Window");
    } else if (mode) {
        window = glfwCreateWindow(mode->width, mode->height, GameTitleSys, monitor, nullptr);
        if (window) Debuglog("Opened Fullscreen");
    }
    WindowWidth = w;
    WindowHeight = h;
    if (!window) {
        Debuglog("ERRORRZ");
        return;
    }
    glfwMakeContextCurrent(window);
    NoteRenderer();
    glfwSetWindowRefreshCallback(window, WindowDamaged);
    InstallInputCallbacks();
    glViewport(0, 0, w, h);
    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_NORMAL);
    glfwSetInputMode(window, GLFW_STICKY_KEYS, GLFW_FALSE);
    glfwSetInputMode(window, GLFW_STICKY_MOUSE_BUTTONS, GLFW_FALSE);
    ApplyIcon();
}

void VellSys::FlipFull() {
    isFullscreen = 1 - isFullscreen;
    SetScreen(vell::kBaseScreenW, vell::kBaseScreenH);
}

void VellSys::Close() {
    AudioClose();
    Debuglog("Closing OpenGL Window");
    ForgetPresenter();
    if (window) glfwDestroyWindow(window);
    window = nullptr;
    ForgetTextures();
    glfwTerminate();
}

void VellSys::HiResRender() {
    if (window) glfwMakeContextCurrent(window);
}

void VellSys::Force1920() {}
