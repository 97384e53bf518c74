// The options screen: a list of rows rebuilt every update under section
// headings. Value rows show a row of dots, toggle rows flip a setting, and
// action rows (no setting) open other screens.
#include <cstring>

#include "MyGame.h"

namespace {

// The frame every selectable row shares: shadow, panel, icon and label.
struct OptionRow {
    int index;
    float x, y;
    bool pointerOn;
};

OptionRow BeginRow(MyGame& g, int frame, const char* label) {
    OptionRow r;
    r.index = g.OptionsCount;
    bool lit = g.OptionsCursor == r.index;
    float H = g.ScreenH;
    r.y = (float)(g.OptionsY + g.OptionsScroll);
    r.x = (float)(int)(g.ScreenW / 2);
    float grow = 0, value = 0.15f;

    if (lit && r.y < 80) g.OptionsScroll += 16;
    if (lit && r.y > H - 80) g.OptionsScroll -= 16;

    g.SetCol(0, 0, 0, 0.5f);
    g.Rect(r.x + 1, r.y + 1, 404, 36);
    g.SetAlpha(1.0f);
    if (lit) {
        r.x -= 8;
        r.y -= 8;
        grow = 6;
        value = 0.35f;
    }
    r.pointerOn = g.MouseIn_Centered(r.x, r.y, 400, 32) > 0 && g.TouchDown() > 0;

    g.InkRot((float)g.OptionsY);
    g.Rect(r.x, r.y, 404 + grow, 36 + grow);
    g.InkRot((float)g.OptionsY, 1.0f, value);
    g.Rect(r.x, r.y, 400, 32);

    g.SetCol(255, 255, 255);
    g.DrawImg(bh::kImgOptions, r.x - 182, r.y, frame);
    g.SetSize(0.75f);
    g.Text(r.x - 196, r.y - 28, label ? label : "", 0.0f);
    g.SetSize(1.0f);
    return r;
}

void EndRow(MyGame& g) {
    g.OptionsY += 86;
    g.OptionsCount += 1;
}

bool Lit(MyGame& g, const OptionRow& r) { return g.OptionsCursor == r.index; }

// A pointer moving over a row highlights it, and a click on a row that is
// not highlighted highlights it at once, so the same click acts on it.
void PointerHighlight(MyGame& g, const OptionRow& r) {
    bool over = g.MouseIn_Centered(r.x, r.y, 400, 32) > 0;
    if (!Lit(g, r) && (r.pointerOn || (over && g.HoverMoved))) {
        g.OptionsCursor = r.index;
        g.PlaySFX(bh::kSfxMove, 1.5f);
    }
}

void ReleaseActivation(MyGame& g) {
    g.LetGo(bh::kLockActivate, !g.AnyAbove({bh::kJoyButton1}) && g.PlayKeyAll(bh::kPlayKeyReturn) == 0 &&
                                   g.AllBelow({bh::kJoyButton2}) && g.MouseDown() == 0);
}

bool ValidSlot(int slot) { return slot >= 0 && slot < bh::kSettingSlots; }

void Close(MyGame& g) {
    g.OverlayScreen = bh::kScreenNone;
    g.LockKeys();
    g.Save();
}

// The section's settings, in the order of the settings table: a toggle
// where the table gives words for 0 and 1, a row of dots otherwise.
// Returns the slot of a toggle flipped this update, or -1.
int SettingRows(MyGame& g, const char* section) {
    int flipped = -1;
    for (const bh::Setting& s : bh::kSettings) {
        if (!s.section || std::strcmp(s.section, section) != 0) continue;
        if (s.off) {
            if (g.AddToggleOption(s.slot, s.icon, s.label, s.off, s.on) == 1) flipped = s.slot;
        } else {
            g.AddLinearOption(s.slot, s.icon, s.label, s.highest);
        }
    }
    return flipped;
}

}  // namespace

void MyGame::Options() {
    AddPlatBG();
    ResetDraw();
    OptionsY = 64;
    OptionsCount = 0;
    TrackHover();
    OptionsList();
    ResetDraw();

    LetGo(bh::kLockVertical, AllBelow({bh::kJoyUp, bh::kJoyDown}));
    LetGo(bh::kLockHorizontal, AllBelow({bh::kJoyLeft, bh::kJoyRight}));
    if (PressedOnce(bh::kLockVertical, Joy(bh::kJoyUp) > bh::kPressed)) {
        OptionsCursor -= 1;
        PlaySFX(bh::kSfxMove, 1.5f);
    }
    if (PressedOnce(bh::kLockVertical, Joy(bh::kJoyDown) > bh::kPressed)) {
        OptionsCursor += 1;
        PlaySFX(bh::kSfxMove, 1.5f);
    }
    if (OptionsCursor > OptionsCount - 1) OptionsCursor = OptionsCount - 1;
    if (OptionsCursor < 0) OptionsCursor = 0;

    LetGo(bh::kLockOptionsBack, Joy(bh::kJoyBackSelect) < bh::kReleased);
    // Close locks everything.
    if (PressedOnce(bh::kLockOptionsBack, Joy(bh::kJoyBackSelect) > bh::kPressed, kTakeNone)) {
        Close(*this);
        PlaySFX(bh::kSfxConfirm);
    }
    for (int t = 0; t < bh::kPointers; t++) TouchLetGo(t + 1, TouchDown(t) == 0);
}

void MyGame::OptionsList() {
    float W = ScreenW, H = ScreenH;
    // The rest of the list is still built this update, closed or not. The
    // Escape that opened this screen (or left name entry) must be let go
    // before Escape closes it.
    LetGo(bh::kLockEscape, PlayKey(bh::kPlayKeyEscape) == 0);
    if (PressedOnce(bh::kLockEscape, PlayKey(bh::kPlayKeyEscape) != 0, kTakeNone)) Close(*this);

    if (AddToggleOption(-1, bh::kOptionBack, "Back", "Return", "Return") == 1) Close(*this);

    AddOptionLabel("Sound");
    SettingRows(*this, "Sound");

    AddOptionLabel("Player");
    const char* name = ShowName();
    if (AddToggleOption(-1, bh::kOptionNameTag, "Online Name", name, name) == 1) {
        OverlayScreen = bh::kScreenNameEntry;
        LockKeys();
        Save();
        OptionsCursor = 0;
    }

    AddOptionLabel("Screen");
    if (AddToggleOption(-1, bh::kOptionScreen, "Fullscreen [F11]", "Switch", "Switch") == 1) {
        FlipFullscreen();
        LockKeys();
        Save();
    }
    SettingRows(*this, "Screen");

    AddOptionLabel("Input");
    if (AddToggleOption(-1, bh::kOptionController, "Controller", "Define", "Define") == 1) {
        OverlayScreen = bh::kScreenRedefine;
        KeepBindings();
        RedefRow = -1;
        RedefCol = 0;
        LockKeys();
        Save();
    }
    SettingRows(*this, "Input");

    AddOptionLabel("System");
    if (SettingRows(*this, "System") == bh::kSettingDebugStats) DebugMode = Settings[bh::kSettingDebugStats];

    AddOptionLabel("Help");
    if (AddToggleOption(-1, bh::kOptionLife, "How to Play", "Show", "Show") == 1) OpenHowToPlay(bh::kScreenOptions);

    // Corner squares, to judge the overscan margin against the real edges.
    ResetDraw();
    Rect(0, 0, 8, 8);
    Rect(0, H, 8, 8);
    Rect(W, 0, 8, 8);
    Rect(W, H, 8, 8);
}

void MyGame::AddOptionLabel(const char* label) {
    float y = (float)(OptionsY + OptionsScroll);
    OptionsY += 28;
    SetSize(0.7f);
    Text((float)(int)(ScreenW / 2 - 224), y, label ? label : "", 0.0f);
    SetSize(1.0f);
    OptionsY += 28;
}

int MyGame::AddLinearOption(int slot, int frame, const char* label, int maximum) {
    OptionRow r = BeginRow(*this, frame, label);
    int m = maximum < 0 ? 0 : maximum;
    int spare = 0;
    int& v = ValidSlot(slot) ? Settings[slot] : spare;
    PointerHighlight(*this, r);

    float step = 320.0f / (m + 1);
    for (int k = 0; k <= m; k++) {
        float px = (r.x - 160) + step + k * step;
        Text(px, r.y, ".", 1.0f);
        // No lock is taken here, so dragging along the dots keeps setting.
        if (Lit(*this, r) && MouseIn_Centered(px, r.y, step, 32) > 0 &&
            PressedOnce(bh::kLockActivate, r.pointerOn, kTakeNone)) {
            if (v != k) PlaySFX(bh::kSfxMove, 1.0f);
            v = k;
        }
        if (v == k) Text(px, r.y, "|", 1.0f);
    }

    bool activate = AnyAbove({bh::kJoyButton1, bh::kJoyButton2}) || PlayKeyAll(bh::kPlayKeyReturn) != 0;
    // Confirm steps like Right and wraps from the top back to 0, so a level
    // once set is never thrown away by a press.
    if (Lit(*this, r) && PressedOnce(bh::kLockActivate, activate)) {
        v = v >= 0 && v < m ? v + 1 : 0;
        PlaySFX(bh::kSfxMove, 1.0f);
    }
    if (Lit(*this, r) && v > 0 && PressedOnce(bh::kLockHorizontal, Joy(bh::kJoyLeft) > bh::kPressed)) {
        v -= 1;
        PlaySFX(bh::kSfxMove, 1.0f);
    }
    if (Lit(*this, r) && v < m && PressedOnce(bh::kLockHorizontal, Joy(bh::kJoyRight) > bh::kPressed)) {
        v += 1;
        PlaySFX(bh::kSfxMove, 1.0f);
    }
    ReleaseActivation(*this);
    EndRow(*this);
    return -1;
}

int MyGame::AddToggleOption(int slot, int frame, const char* label, const char* text0, const char* text1) {
    OptionRow r = BeginRow(*this, frame, label);
    bool toggle = ValidSlot(slot);
    if (!text0) text0 = "";
    if (!text1) text1 = "";

    if (!toggle) Text(r.x, r.y, text0, 1.0f);
    else if (Settings[slot] == 0) Text(r.x, r.y, text0, 1.0f);
    else if (Settings[slot] == 1) Text(r.x, r.y, text1, 1.0f);

    PointerHighlight(*this, r);
    ReleaseActivation(*this);

    int result = -1;
    bool activate = AnyAbove({bh::kJoyButton1, bh::kJoyButton2}) || PlayKeyAll(bh::kPlayKeyReturn) != 0 || r.pointerOn;
    if (Lit(*this, r) && PressedOnce(bh::kLockActivate, activate)) {
        KeyLock[bh::kLockHorizontal] = 1;
        // Unsigned so that a wild value from a hand-edited file cannot overflow.
        if (toggle) Settings[slot] = (int)(1u - (unsigned)Settings[slot]);
        PlaySFX(bh::kSfxConfirm);
        result = 1;
    }
    EndRow(*this);
    return result;
}
