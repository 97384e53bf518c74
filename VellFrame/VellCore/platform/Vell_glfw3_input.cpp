// Input polling (keyboard, mouse, up to four pads), the key bindings that
// turn them into sixteen virtual controls, and the printable input names.
//
// Every GLFW call is made only while a window exists. Without one, keys read
// as up and the pads keep whatever is in the tables, which is how the tests
// drive the pad and binding logic.
#include <cstdlib>
#include <cstring>

#include "Vell_glfw3_internal.h"
#include "Vell_glfw3_hooks.h"

using namespace vell;

int ignorePress[kBindingSlots];
std::string KeyName[350];
int UpdateFrames = 0;

// One pad's sample for a poll; split from the GLFW reads so it can be fed
// recorded values.
void ReadPadState(int p, const char* name, const float* axes, int na, const unsigned char* buttons, int nb, int flipY);

static const int PadStride = kPadStride;
static const int PadInputs = kPadButtons;  // buttons and axes read per pad

// Presses seen by the window's callbacks since the last poll. A key or
// button pressed and let go between two polls (a quick tap, a touchpad's
// tap-to-click) is gone from the key state by the time the poll looks, so
// each press is latched here and reads as down for the one poll that
// follows it.
static unsigned char PressSeen[GLFW_KEY_LAST + 1], PressLatched[GLFW_KEY_LAST + 1];
static unsigned char ClickSeen[2], ClickLatched[2];
// Characters typed since the last poll, and those handed to this poll.
static unsigned TypedSeen[vell::kTypedChars], TypedNow[vell::kTypedChars];
static int TypedSeenCount = 0, TypedNowCount = 0;

// Whether a screen wants typed text: asked for in this update, or in the
// one the last poll served.
static bool TypingWanted();
// Keys pressed while typing was wanted. A key already held when a name
// screen opens (the flap key at the end of a game) auto-repeats, and its
// repeats must not type a row of letters the player never pressed.
static unsigned char PressedToType[GLFW_KEY_LAST + 1];
// The character that follows this key event comes from such a stale key.
static bool StaleRepeat = false;

static void KeyEvent(GLFWwindow*, int key, int, int action, int) {
    if (key < 0 || key > GLFW_KEY_LAST) return;
    if (action == GLFW_PRESS) PressSeen[key] = 1;
    if (action == GLFW_PRESS) PressedToType[key] = TypingWanted() ? 1 : 0;
    StaleRepeat = action == GLFW_REPEAT && !PressedToType[key];
    if (action == GLFW_RELEASE) PressedToType[key] = 0;
    // Backspace repeats while held, as it does in any text field.
    if (key == GLFW_KEY_BACKSPACE && action != GLFW_RELEASE && TypingWanted() && !StaleRepeat &&
        TypedSeenCount < vell::kTypedChars)
        TypedSeen[TypedSeenCount++] = vell::kTypedBackspace;
}

static void CharEvent(GLFWwindow*, unsigned codepoint) {
    if (!TypingWanted() || StaleRepeat) return;
    if (TypedSeenCount < vell::kTypedChars) TypedSeen[TypedSeenCount++] = codepoint;
}

static void ClickEvent(GLFWwindow*, int button, int action, int) {
    if (button >= 0 && button < 2 && action == GLFW_PRESS) ClickSeen[button] = 1;
}

void FeedKey(int key, int action) { KeyEvent(nullptr, key, 0, action, 0); }
void FeedTyped(unsigned codepoint) { CharEvent(nullptr, codepoint); }
void FeedClick(int button, int action) { ClickEvent(nullptr, button, action, 0); }

void InstallInputCallbacks() {
    if (!window) return;
    glfwSetKeyCallback(window, KeyEvent);
    glfwSetCharCallback(window, CharEvent);
    glfwSetMouseButtonCallback(window, ClickEvent);
}

// Hands what the callbacks saw to this poll, and starts collecting afresh.
static void TakeLatches() {
    memcpy(PressLatched, PressSeen, sizeof PressSeen);
    memset(PressSeen, 0, sizeof PressSeen);
    memcpy(ClickLatched, ClickSeen, sizeof ClickSeen);
    memset(ClickSeen, 0, sizeof ClickSeen);
    memcpy(TypedNow, TypedSeen, sizeof TypedSeen);
    TypedNowCount = TypedSeenCount;
    TypedSeenCount = 0;
}

static bool AnyPressLatched() {
    for (unsigned char seen : PressLatched)
        if (seen) return true;
    return ClickLatched[0] || ClickLatched[1];
}

static bool KeyDown(int code) {
    if (!window || code < GLFW_KEY_SPACE || code > GLFW_KEY_LAST) return false;
    return glfwGetKey(window, code) != GLFW_RELEASE || PressLatched[code];
}

static bool ClickDown(int button) { return glfwGetMouseButton(window, button) == GLFW_PRESS || ClickLatched[button]; }

// While a name is typed, the keys that type keep to typing: only the
// arrows, Return, Escape, Tab and the keypad's Enter still drive controls.
static bool TextEntryPoll = false;

static bool TypingKey(int code) {
    switch (code) {
    case GLFW_KEY_ESCAPE:
    case GLFW_KEY_ENTER:
    case GLFW_KEY_TAB:
    case GLFW_KEY_RIGHT:
    case GLFW_KEY_LEFT:
    case GLFW_KEY_DOWN:
    case GLFW_KEY_UP:
    case GLFW_KEY_KP_ENTER: return false;
    default: return true;
    }
}

static bool TypingWanted() { return TextEntryPoll || ASys.TextEntry > 0; }

static bool ControlKeyDown(int code) {
    if (TextEntryPoll && TypingKey(code)) return false;
    return KeyDown(code);
}

int VellSys::TakeTyped(unsigned* out, int room) {
    int n = TextEntryPoll ? TypedNowCount : 0;
    if (n > room) n = room;
    for (int i = 0; i < n; i++) out[i] = TypedNow[i];
    // Taken once: a screen run twice on one poll must not type twice.
    TypedNowCount = 0;
    return n;
}

bool VellSys::PadCounted(int p) const {
    return p >= 0 && p < kPads && Joy[PadStride * p + kPadSeenIdle] == 1.0f && Joy[PadStride * p + kPadPresent] == 1.0f;
}

void FillKeyNames() {
    for (int i = 0; i < 350; i++) KeyName[i] = "???";
    KeyName[32] = "Space";
    KeyName[39] = "'";
    KeyName[44] = ",";
    KeyName[45] = "-";
    KeyName[46] = ".";
    KeyName[47] = "/";
    for (int i = 0; i <= 9; i++) KeyName[48 + i] = std::string(1, (char)('0' + i));
    KeyName[59] = ";";
    KeyName[61] = "=";
    for (int i = 0; i < 26; i++) KeyName[65 + i] = std::string(1, (char)('A' + i));
    KeyName[91] = "[";
    KeyName[92] = "\\";
    KeyName[93] = "]";
    KeyName[96] = "`";
    static const struct {
        int code;
        const char* name;
    } named[] = {
        {256, "Escape"},      {257, "Return"},     {258, "Tab"},          {259, "Backspace"},   {260, "Insert"},
        {261, "Delete"},      {262, "Right"},      {263, "Left"},         {264, "Down"},        {265, "Up"},
        {266, "Page Up"},     {267, "Page Down"},  {268, "Home"},         {269, "End"},         {280, "Caps Lock"},
        {281, "Scroll Lock"}, {282, "Num Lock"},   {283, "Print Screen"}, {284, "Pause"},       {330, "Num ."},
        {331, "Num /"},       {332, "Num *"},      {333, "Num -"},        {334, "Num +"},       {335, "Num Enter"},
        {336, "Num ="},       {340, "Left Shift"}, {341, "Left Ctrl"},    {342, "Left Alt"},    {343, "Left Super"},
        {344, "Right Shift"}, {345, "Right Ctrl"}, {346, "Right Alt"},    {347, "Right Super"}, {348, "Menu"}};
    for (const auto& n : named) KeyName[n.code] = n.name;
    for (int i = 1; i <= 25; i++) KeyName[289 + i] = "F" + std::to_string(i);
    for (int i = 0; i <= 9; i++) KeyName[320 + i] = "Num " + std::to_string(i);
}

// Fixed keys: each raw index and the keys that set it (0 ends a list).
struct FixedKey {
    int index;
    int keys[6];
};
static const FixedKey FixedKeys[] = {
    {kButtonUp, {GLFW_KEY_UP, GLFW_KEY_W, GLFW_KEY_KP_8}},
    {kButtonLeft, {GLFW_KEY_LEFT, GLFW_KEY_A, GLFW_KEY_KP_4}},
    {kButtonRight, {GLFW_KEY_RIGHT, GLFW_KEY_D, GLFW_KEY_KP_6}},
    {kButtonDown, {GLFW_KEY_DOWN, GLFW_KEY_S, GLFW_KEY_KP_5, GLFW_KEY_KP_2}},
    // The six action keys, kButtonAction1 onwards.
    {10, {GLFW_KEY_Z, GLFW_KEY_J, GLFW_KEY_SPACE, GLFW_KEY_ENTER, GLFW_KEY_KP_7}},
    {11, {GLFW_KEY_X, GLFW_KEY_K, GLFW_KEY_LEFT_CONTROL, GLFW_KEY_RIGHT_CONTROL, GLFW_KEY_KP_9}},
    {12, {GLFW_KEY_C, GLFW_KEY_L, GLFW_KEY_LEFT_SHIFT, GLFW_KEY_RIGHT_SHIFT}},
    {13, {GLFW_KEY_V, GLFW_KEY_I, GLFW_KEY_LEFT_ALT, GLFW_KEY_RIGHT_ALT}},
    {14, {GLFW_KEY_B, GLFW_KEY_U}},
    {15, {GLFW_KEY_N, GLFW_KEY_O}},
    {kButtonReturn, {GLFW_KEY_ENTER}},
    {kButtonEscape, {GLFW_KEY_ESCAPE}},
    {kButtonQuit, {GLFW_KEY_F4}},
};

// A window key acts once per press. Acting re-creates the window, and the
// new window never saw the key go down: it reads as up at first, then as
// freshly pressed when the keyboard's auto-repeat reaches it. So after
// acting the key re-arms only once it has been seen down and let go again,
// or has read as up for a whole second.
struct WindowKey {
    bool armed = true;
    bool sawDown = false;
    double since = 0;
};

static bool Acts(WindowKey& k, bool down) {
    double now = glfwGetTime();
    if (k.armed) {
        if (!down) return false;
        k.armed = false;
        k.sawDown = false;
        k.since = now;
        return true;
    }
    if (down) k.sawDown = true;
    else if (k.sawDown || now - k.since >= 1.0 || now < k.since) k.armed = true;
    return false;
}

static WindowKey FullKey, ShapeKey;

static const float ShapeFactors[7] = {1.3333f, 1.77777f, 0.75f, 1.775f, 0.5633f, 2.16f, 0.4618f};

void TestShape(int screenW, int screenH, int digit, int& w, int& h) {
    if (digit < 0 || digit > 6) digit = 0;
    double factor = ShapeFactors[digit];
    h = screenH - 128;
    if (digit == 5 && h * factor > screenW) h -= 64;
    w = (int)(h * factor);
    // A shape wider than the screen would put its edges, and the buttons
    // there, out of reach: keep the shape, narrowed to the screen.
    if (w > screenW) {
        w = screenW;
        h = (int)(w / factor);
    }
}

// Q held with a digit 1..7 reshapes the window to a test aspect ratio.
static void WindowSizeKeys(VellSys& sys) {
    int digit = -1;
    if (ControlKeyDown(GLFW_KEY_Q))
        for (int d = 0; d < 7 && digit < 0; d++)
            if (ControlKeyDown(GLFW_KEY_1 + d)) digit = d;
    if (!Acts(ShapeKey, digit >= 0)) return;
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
    if (!mode) return;
    int w = 0, h = 0;
    TestShape(mode->width, mode->height, digit, w, h);
    isFullscreen = 0;
    sys.SetScreen(w, h);
}

void ReadPadState(int p, const char* name, const float* axes, int na, const unsigned char* buttons, int nb, int flipY) {
    if (p < 0 || p >= kPads) return;
    float* joy = ASys.Joy + PadStride * p;
    joy[kPadPresent] = 1;
    if (!axes) na = 0;
    if (!buttons) nb = 0;
    if (na > PadInputs) na = PadInputs;
    if (nb > PadInputs) nb = PadInputs;
    if (na < 0) na = 0;
    if (nb < 0) nb = 0;
    bool idle = true;
    for (int a = 0; a < na; a++) {
        joy[kPadAxis + a] = axes[a];
        if (a < 4 && (axes[a] > 0.3f || axes[a] < -0.3f)) idle = false;
    }
    // Only the sticks read in this poll are flipped; a stale value would
    // otherwise change sign on every poll.
    if (flipY == 1) {
        if (na > 1) joy[kPadStickY] = -joy[kPadStickY];
        if (na > 3) joy[kPadStick2Y] = -joy[kPadStick2Y];
    }
    for (int b = 0; b < nb; b++) {
        joy[b] = buttons[b] ? 1.0f : 0.0f;
        if (buttons[b]) idle = false;
    }
    if (idle && joy[kPadSeenIdle] == 0) {
        printf("\n\n--=--\nController ID '%s'\n--=--\n\n", name ? name : "");
        fflush(stdout);
    }
    if (idle) joy[kPadSeenIdle] = 1;
    // A pad only counts from the first poll that saw it at rest, so a stick
    // resting off-centre cannot steer the menus.
    if (joy[kPadSeenIdle] == 0) {
        for (int b = 0; b < nb; b++) joy[b] = 0;
        int n = na > nb ? na : nb;
        for (int a = 0; a < n; a++) joy[kPadAxis + a] = 0;
    }
}

void VellSys::PollInputB(int flipY) {
    UpdateFrames++;
    FlushKeys();
    TakeLatches();
    // Asked for by the screen the last update ran, so it holds for this
    // poll only unless that screen asks again.
    TextEntryPoll = TextEntry > 0;
    TextEntry = 0;
    if (window) {
        float r = VirtualWidth / (float)(WindowWidth > 0 ? WindowWidth : 1);
        Touch[kTouchDown] = ClickDown(GLFW_MOUSE_BUTTON_LEFT) ? 1.0f : 0.0f;
        Touch[kTouchDownAlt] = ClickDown(GLFW_MOUSE_BUTTON_RIGHT) ? 1.0f : 0.0f;
        Touch[kTouchLastX] = Touch[kTouchX];
        Touch[kTouchLastY] = Touch[kTouchY];
        Touch[kTouchHeld] += 1;
        if (Touch[kTouchDown] == 0) {
            Touch[kTouchHeld] = 0;
            Touch[kTouchLastX] = -100;
            Touch[kTouchLastY] = -100;
        }
        double cx = 0, cy = 0;
        glfwGetCursorPos(window, &cx, &cy);
        Touch[kTouchX] = (float)(VirtualHalfW + (cx - WindowWidth / 2) * OverscanScaleX * r);
        Touch[kTouchY] = (float)(VirtualHalfH + (cy - WindowHeight / 2) * OverscanScaleY * r);
        Touch[kTouchMoveX] = Touch[kTouchX] - Touch[kTouchLastX];
        Touch[kTouchMoveY] = Touch[kTouchY] - Touch[kTouchLastY];
        if (Touch[kTouchLastX] < 0) {
            Touch[kTouchMoveX] = 0;
            Touch[kTouchMoveY] = 0;
        }
        for (const FixedKey& f : FixedKeys)
            for (int k : f.keys)
                if (k && ControlKeyDown(k)) Button[f.index] = 1;
        if (glfwWindowShouldClose(window)) Button[kButtonQuit] = 1;
    } else {
        // Nothing can ever ask a missing window to close: quit rather than
        // run blind.
        Button[kButtonQuit] = 1;
    }

    if (KeyDown(GLFW_KEY_F10)) Button[kButtonScreenshot] = 1;
    if (KeyDown(GLFW_KEY_F11)) Button[kButtonFullScreen] = 1;
    if (window && Acts(FullKey, Button[kButtonFullScreen] == 1)) FlipFull();
    Wireframe = 0;
    if (KeyDown(GLFW_KEY_F9)) {
        Button[kButtonWireframe] = 1;
        Wireframe = 1;
    }
    if (KeyDown(GLFW_KEY_F1)) Button[kButtonStats] = 1;
    if (KeyDown(GLFW_KEY_F2)) Button[kButtonShotMode] = 1;

    Button[kButtonFocus] -= 1;
    if (window && glfwGetWindowAttrib(window, GLFW_FOCUSED)) Button[kButtonFocus] = 1;

    if (window) WindowSizeKeys(*this);

    PollPads(flipY, AnyPressLatched());

    PollRedef();
    if (PollInputHook) PollInputHook();
}

void VellSys::FlushKeys() {
    // The last entry is not a key of the poll and is left alone.
    for (int i = 0; i < kButtonSlots - 1; i++) Button[i] = 0;
}

int VellSys::IsBut(int i) { return i >= 0 && i < kButtonSlots ? Button[i] : 0; }

float VellSys::vKey(int i) { return i >= 0 && i < kVirtualKeySlots ? Keyv[i] : 0; }

float VellSys::vKey(int key, int player) {
    long long i = (long long)kControls * player + key;
    return i >= 0 && i < kVirtualKeySlots ? Keyv[i] : 0;
}

void VellSys::ClearKeys() {
    for (int i = 0; i < kBindingSlots; i++) redef[i] = 0;
}

// Unbinds code wherever it is bound. Loading a settings file makes a
// thousand of these scans of the whole table: written without a branch so
// it runs several slots at a time, and left out of the sanitizer and
// fuzzing builds' checks, which would multiply its cost and can find
// nothing in a fixed pass over a fixed table.
#if defined(__clang__)
__attribute__((no_sanitize("address", "undefined", "coverage")))
#else
__attribute__((no_sanitize("address", "undefined")))
#endif
static void
Unbind(int (&slots)[kBindingSlots], int code) {
    for (int i = 0; i < kBindingSlots; i++) slots[i] = slots[i] == code ? 0 : slots[i];
}

void VellSys::DefineKey(int key, int code) {
    if (key < 0 || key >= kControls) return;
    Unbind(redef, code);
    bool pad = code >= kFirstPadCode;
    for (int row = kFirstBindingRow; row < kNewestBindingRow; row++) {
        int& slot = redef[kControls * row + key];
        slot = redef[kControls * (row + 1) + key];
        if (pad && slot / 100 == code / 100) slot = 0;
    }
    redef[kControls * kNewestBindingRow + key] = code;
}

void VellSys::LockAll() {
    for (int i = 0; i < 1000; i++) ignorePress[i] = 1;
}

// The engine's own keys keep their jobs; binding one to a control would
// make it do both.
static bool HotKey(int code) {
    switch (code) {
    case GLFW_KEY_F1:
    case GLFW_KEY_F2:
    case GLFW_KEY_F4:
    case GLFW_KEY_F9:
    case GLFW_KEY_F10:
    case GLFW_KEY_F11: return true;
    default: return false;
    }
}

int VellSys::AnyKey() {
    for (int code = GLFW_KEY_SPACE; code <= GLFW_KEY_LAST; code++) {
        if (HotKey(code)) continue;
        if (!KeyDown(code)) ignorePress[code] = 0;
        else if (ignorePress[code] == 0) return code;
    }
    for (int p = 0; p < kPads; p++) {
        if (!PadCounted(p)) continue;
        for (int i = 0; i < kPadAxis; i++) {
            int code = kFirstPadCode + kPadStride * p + i;
            float x = Joy[PadStride * p + i];
            if (x > -0.25f && x < 0.25f) ignorePress[code] = 0;
            else if ((x > 0.25f || x < -0.25f) && ignorePress[code] == 0) return code;
        }
    }
    return -1;
}

bool VellSys::CodeDown(int code) {
    if (code >= 1 && code < kFirstPadCode) return ControlKeyDown(code);
    int p = code / 100 - 5, i = code % 100;
    if (p < 0 || p >= kPads || i >= kPadSeenIdle || !PadCounted(p)) return false;
    float x = Joy[PadStride * p + i];
    return x > kPadPushed || x < -kPadPushed;
}

void VellSys::PollRedef() {
    for (int k = 0; k < kControls; k++) {
        float v = 0;
        for (int row = kFirstBindingRow; row < kBindingRows; row++) {
            int c = redef[kControls * row + k];
            if (c >= 1 && c < kFirstPadCode && ControlKeyDown(c)) v = 1.0f;
            if (c >= kFirstPadCode && c % 100 < kPadSeenIdle) {
                int p = (c - kFirstPadCode) / kPadStride;
                if (!PadCounted(p)) continue;
                float x = Joy[PadStride * p + c % 100];
                // Truncation makes a bound axis count only at full deflection.
                if ((x > 0.25f || x < -0.25f) && std::abs((int)x) > std::abs((int)v)) v = x;
            }
        }
        for (int p = 0; p < kPads; p++) {
            if (!PadCounted(p)) continue;
            const float* j = Joy + PadStride * p;
            if (k < 4) {
                float x1 = j[kPadStickX], y1 = j[kPadStickY];
                if (!(y1 > 0.25f || y1 < -0.25f || x1 > 0.25f || x1 < -0.25f)) continue;
                float s = k == 0 ? -y1 : k == 1 ? x1 : k == 2 ? y1 : -x1;
                if (s > v) v = s;
            } else if (k < 8) {
                float x2 = j[kPadStick2X], y2 = j[kPadStick2Y];
                if (!(y2 > 0.25f || y2 < -0.25f || x2 > 0.25f || x2 < -0.25f)) continue;
                float s = k == 4 ? -y2 : k == 5 ? x2 : k == 6 ? y2 : -x2;
                if (s > v) v = s;
            }
        }
        Keyv[k] = v;
    }
}

const char* VellSys::ButtonName(int code) {
    // A few rotating buffers, so two names can be used in one expression.
    static char names[8][48];
    static int next = 0;
    char* out = names[next];
    next = (next + 1) % 8;
    int pad = code / 100;
    // Names are asked for before start-up in tools and tests.
    if (KeyName[32].empty()) FillKeyNames();
    if (code >= 1 && code < 350) {
        snprintf(out, sizeof names[0], "[ %s ]", KeyName[code].c_str());
    } else if (pad > 4 && PadCounted(pad - 5)) {
        int i = code % 100;
        // A pad read in the standard layout has the same button names
        // whatever its make; its own numbers would mislead.
        if (PadLayout[pad - 5] == 1) snprintf(out, sizeof names[0], "Joy %i %s", pad - 4, PadInputName(code));
        else if (i < kPadAxis) snprintf(out, sizeof names[0], "Joy %i Button %i", pad - 4, i);
        else snprintf(out, sizeof names[0], "Joy %i Axis %i", pad - 4, i - kPadAxis);
    } else {
        snprintf(out, sizeof names[0], "N/A");
    }
    return out;
}
