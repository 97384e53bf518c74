// Pads beyond the raw reading: pads GLFW knows as gamepads read in one
// standard layout, extra mappings for GLFW's gamepad database, pads that
// are plugged in or pulled out while the game runs, and whether the last
// press came from a pad (the screens name pad buttons then).
//
// The standard layout is written into a pad's table at the numbers the
// default bindings and the fixed play keys already expect: face buttons
// south, east, west, north at 0 to 3, the shoulders at 4 and 5, Back at 6,
// Start at 7 and the d-pad at 10 to 13. A pad with a mapping thus plays
// with the defaults whatever order its own buttons come in.
#include <cstring>
#include <string>

#include "Vell_glfw3_internal.h"
#include "Vell_glfw3_hooks.h"

using namespace vell;

void ReadPadState(int p, const char* name, const float* axes, int na, const unsigned char* buttons, int nb, int flipY);

static_assert(sizeof(PadSample::buttons) == sizeof(GLFWgamepadstate::buttons), "GLFW's button list");
static_assert(sizeof(PadSample::axes) == sizeof(GLFWgamepadstate::axes), "GLFW's axis list");

namespace {

// Where each of GLFW's gamepad buttons goes in a pad's table.
const int kStandardButtonAt[kStandardButtons] = {0,
                                                 1,
                                                 2,
                                                 3,  // A, B, X, Y
                                                 4,
                                                 5,  // shoulders
                                                 kPadBack,
                                                 kPadStart,  // Back, Start
                                                 8,          // Guide
                                                 9,
                                                 14,  // stick presses, left and right
                                                 kPadDpadUp,
                                                 kPadDpadRight,
                                                 kPadDpadDown,
                                                 kPadDpadLeft};
const int kStandardSlots = 15;  // table entries 0 to 14 hold them

// Names of the table entries of a standard-layout pad, buttons then axes.
const char* const kStandardNames[kStandardSlots] = {"A",        "B",           "X",          "Y",          "LB",
                                                    "RB",       "Back",        "Start",      "Guide",      "LS",
                                                    "D-pad Up", "D-pad Right", "D-pad Down", "D-pad Left", "RS"};
const char* const kStandardAxisNames[kStandardAxes] = {"Left Stick X",  "Left Stick Y", "Right Stick X",
                                                       "Right Stick Y", "LT",           "RT"};

// Joystick events from GLFW's callback, handled at the next poll.
bool PadArrived[kPads], PadLeft[kPads];
// Whether each pad showed any input at the previous poll.
bool PadWasActive[kPads];
bool PadLostSeen = false;

void JoystickEvent(int jid, int event) {
    if (jid < 0 || jid >= kPads) return;
    if (event == GLFW_CONNECTED) PadArrived[jid] = true;
    if (event == GLFW_DISCONNECTED) PadLeft[jid] = true;
}

// A pad's values, flags and layout forgotten: what a slot holds once its
// pad has gone, or before a newly plugged one is read.
void ClearPad(VellSys& sys, int p) {
    float* joy = sys.Joy + kPadStride * p;
    for (int i = 0; i < kPadStride; i++) joy[i] = 0;
    sys.PadLayout[p] = 0;
    PadWasActive[p] = false;
}

// A pad that held a control when it went would otherwise leave the bird
// flying on its last values; the game hears of it through TakePadLost.
void PadGone(VellSys& sys, int p) {
    bool counted = sys.PadCounted(p);
    bool known = sys.Joy[kPadStride * p + kPadPresent] == 1.0f;
    ClearPad(sys, p);
    if (sys.LastInput == p) sys.LastInput = -1;
    if (counted) PadLostSeen = true;
    if (known) sys.Debuglog(sys.fstrSys("Pad %i went away", p + 1));
}

void TakeJoystickEvents(VellSys& sys) {
    for (int p = 0; p < kPads; p++) {
        if (PadLeft[p]) PadGone(sys, p);
        if (PadArrived[p]) {
            ClearPad(sys, p);
            sys.Debuglog(sys.fstrSys("Pad %i connected", p + 1));
        }
        PadLeft[p] = PadArrived[p] = false;
    }
}

// A layout change leaves the other layout's values behind; they must not
// read as held.
void SetLayout(VellSys& sys, int p, int layout) {
    if (sys.PadLayout[p] == layout) return;
    float* joy = sys.Joy + kPadStride * p;
    for (int i = 0; i < kPadSeenIdle; i++) joy[i] = 0;
    sys.PadLayout[p] = layout;
}

// The newest press decides which names the screens show: a key or a
// click names keys, a pad's first button or stick push names that pad.
void NoteLastInput(VellSys& sys, bool keyPressed) {
    for (int p = 0; p < kPads; p++) {
        bool active = false;
        if (sys.PadCounted(p)) {
            const float* joy = sys.Joy + kPadStride * p;
            for (int b = 0; b < kPadButtons && !active; b++) active = joy[b] > kPadPushed;
            for (int a = 0; a < 4 && !active; a++)
                active = joy[kPadAxis + a] > kPadPushed || joy[kPadAxis + a] < -kPadPushed;
        }
        if (active && !PadWasActive[p]) sys.LastInput = p;
        PadWasActive[p] = active;
    }
    if (keyPressed) sys.LastInput = -1;
}

bool IsHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

int MappingErrors = 0;
void MappingError(int, const char*) { MappingErrors++; }

}  // namespace

void InstallPadCallback() { glfwSetJoystickCallback(JoystickEvent); }

void FeedJoystick(int pad, bool connected) { JoystickEvent(pad, connected ? GLFW_CONNECTED : GLFW_DISCONNECTED); }

namespace {

void ReadGamepadState(int p, const char* name, const PadSample& s, int flipY) {
    SetLayout(ASys, p, 1);
    unsigned char buttons[kStandardSlots] = {};
    for (int b = 0; b < kStandardButtons; b++) buttons[kStandardButtonAt[b]] = s.buttons[b];
    float axes[kStandardAxes];
    for (int a = 0; a < 4; a++) axes[a] = s.axes[a];
    // Triggers rest at -1 in GLFW's gamepad state; read from 0 at rest to
    // 1 pressed they count as a bound input only when pulled.
    for (int a = 4; a < kStandardAxes; a++) axes[a] = (s.axes[a] + 1) / 2;
    ReadPadState(p, name, axes, kStandardAxes, buttons, kStandardSlots, flipY);
}

}  // namespace

void ReadPad(int p, const char* name, const PadSample* mapped, const float* axes, int na, const unsigned char* buttons,
             int nb, int flipY) {
    if (p < 0 || p >= kPads) return;
    if (mapped && ASys.StandardPads) {
        ReadGamepadState(p, name, *mapped, flipY);
        return;
    }
    SetLayout(ASys, p, 0);
    ReadPadState(p, name, axes, na, buttons, nb, flipY);
}

void VellSys::PollPads(int flipY, bool keyPressed) {
    TakeJoystickEvents(*this);
    if (window) {
        for (int p = 0; p < kPads; p++) {
            int jid = GLFW_JOYSTICK_1 + p;
            if (!glfwJoystickPresent(jid)) {
                // Gone without a word from the callback (it is only heard
                // when events are handled): the same as an unplugging.
                if (Joy[kPadStride * p + kPadPresent] == 1.0f) PadGone(*this, p);
                continue;
            }
            const char* name = glfwGetJoystickName(jid);
            GLFWgamepadstate state;
            PadSample s;
            bool mapped = glfwJoystickIsGamepad(jid) && glfwGetGamepadState(jid, &state);
            if (mapped) {
                memcpy(s.buttons, state.buttons, sizeof s.buttons);
                memcpy(s.axes, state.axes, sizeof s.axes);
            }
            int na = 0, nb = 0;
            const float* axes = glfwGetJoystickAxes(jid, &na);
            const unsigned char* buttons = glfwGetJoystickButtons(jid, &nb);
            ReadPad(p, name, mapped ? &s : nullptr, axes, na, buttons, nb, flipY);
        }
    }
    NoteLastInput(*this, keyPressed);
}

bool VellSys::TakePadLost() {
    bool lost = PadLostSeen;
    PadLostSeen = false;
    return lost;
}

const char* VellSys::PadInputName(int code) {
    static char names[4][32];
    static int next = 0;
    char* out = names[next];
    next = (next + 1) % 4;
    int p = code / 100 - 5, i = code % 100;
    bool standard = p >= 0 && p < kPads && PadLayout[p] == 1;
    if (code < kFirstPadCode || p >= kPads) snprintf(out, sizeof names[0], "?");
    else if (standard && i < kStandardSlots) snprintf(out, sizeof names[0], "%s", kStandardNames[i]);
    else if (standard && i >= kPadAxis && i < kPadAxis + kStandardAxes)
        snprintf(out, sizeof names[0], "%s", kStandardAxisNames[i - kPadAxis]);
    else if (i < kPadAxis) snprintf(out, sizeof names[0], "Button %i", i);
    else snprintf(out, sizeof names[0], "Axis %i", i - kPadAxis);
    return out;
}

int VellSys::AddPadMappings(const char* text, const char* source) {
    if (!text) return 0;
    // GLFW takes a whole list at once and only reports that some line in
    // it was wrong. One line at a time says which, and a wrong line costs
    // only itself.
    GLFWerrorfun before = glfwSetErrorCallback(MappingError);
    int taken = 0, bad = 0, lineNumber = 0;
    const char* c = text;
    std::string line;
    while (*c) {
        size_t length = strcspn(c, "\r\n");
        line.assign(c, length);
        c += length;
        if (*c == '\r' && c[1] == '\n') c++;
        if (*c) c++;
        lineNumber++;
        size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#') continue;
        line.erase(0, start);
        MappingErrors = 0;
        // GLFW passes over, without a word, a line that does not begin
        // with the pad's identifier or that is too long for it.
        bool ok = IsHex(line[0]) && line.size() < 1024;
        if (ok) ok = glfwUpdateGamepadMappings(line.c_str()) == GLFW_TRUE && MappingErrors == 0;
        if (ok) {
            taken++;
            continue;
        }
        if (++bad <= 5)
            Debuglog(fstrSys("Skipped a bad pad mapping, %.200s line %i: %.40s", source, lineNumber, line.c_str()));
    }
    glfwSetErrorCallback(before);
    if (bad > 5) Debuglog(fstrSys("Skipped %i more bad pad mappings in %.200s", bad - 5, source));
    if (taken || bad) Debuglog(fstrSys("Pad mappings from %.200s: %i read", source, taken));
    return taken;
}

void VellSys::LoadPadMappings(const char* folder) {
    // Without GLFW started there is nothing to give the mappings to.
    if (!window) return;
    // Steam and SDL games pass the player's own mappings through this.
    AddPadMappings(getenv("SDL_GAMECONTROLLERCONFIG"), "SDL_GAMECONTROLLERCONFIG");
    std::string path = std::string(folder ? folder : ".") + "/gamecontrollerdb.txt";
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return;
    std::string text;
    char chunk[8192];
    size_t n;
    // The community database is well under a megabyte; a file much larger
    // is not one.
    while ((n = fread(chunk, 1, sizeof chunk, f)) > 0 && text.size() < (8u << 20)) text.append(chunk, n);
    fclose(f);
    AddPadMappings(text.c_str(), "gamecontrollerdb.txt");
}
