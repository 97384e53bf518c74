// Drawing the play screen, back to front. These only record the scene:
// they move nothing, score nothing and decide no deaths, so the play step
// can place each picture where the state it shows is current.
#include <cmath>

#include "play_steps.h"

// The chick's picture in the tile sheet.
static const int ChickFrame = 11;
// The opacity of a blinking tile held still for Less Motion: the middle of
// the range it blinks through.
static const float kSteadyBlink = 0.65f;
// Steps the bird spends faint, then whole, while its respawn grace runs.
static const int GraceBlinkFrames = 8;

void DrawBackdrop(MyGame& g) {
    for (int i = 0; i < 3; i++) {
        int b = (int)(i * bh::kBackdropSize + g.Play.BackdropScroll) % (3 * bh::kBackdropSize);
        if (b < 0) b += 3 * bh::kBackdropSize;
        g.DrawImg(bh::kImgBackdrop, (float)(b - bh::kBackdropSize / 2), g.ScreenH / 2, 0);
    }
}

void DrawTrail(MyGame& g, const PlayStep& s) {
    for (int i = 0; i < 99; i++) {
        g.Alpha(i * 0.0025f);
        g.Circle(g.TrailX[i], g.TrailY[i], 2 * s.SC);
    }
}

void DrawTiles(MyGame& g, const PlayStep& s) {
    g.SetCol(255, 255, 255, 1);
    g.SetSize(s.SC);
    // One seed per 120 ms: every blinking tile changes together, and only
    // that often.
    g.SeedRnd(g.Mills() / 120);
    bool calm = g.Settings[bh::kSettingCalmMotion] == 1;
    for (int x = 0; x < s.W; x++)
        for (int y = 0; y < s.H; y++) {
            int c = g.isAt(x, y);
            int f = c - 1;  // a tile's picture is the frame before its code
            bool exit = c == bh::kTileExitTop || c == bh::kTileExitBody;
            bool blink = exit && g.Play.SwitchesOn == SwitchCount;
            // The active switch shows as a lit one, blinking.
            if (IsActiveSwitch(c)) {
                blink = true;
                f = c - bh::kSwitchStep - 1;
            }
            // Less Motion shows what blinks at one steady, dimmer level.
            if (blink) g.Alpha(calm ? kSteadyBlink : g.Rnd(0.4f, 0.9f));
            // Chicks are drawn from their play record.
            if (f >= 0 && !IsChick(c) && c != bh::kTileHidden)
                g.DrawImg(bh::kImgTiles, (float)CellX(s, x), (float)CellY(s, y), f);
            if (blink) g.Alpha(1);
        }
}

void DrawChicks(MyGame& g) {
    for (int k = 0; k < 3; k++) g.DrawImg(bh::kImgTiles, g.Play.ChickX[k], g.Play.ChickY[k], ChickFrame);
}

void DrawFollowers(MyGame& g) {
    PlayRecord& p = g.Play;
    for (int j = 0; j < 3; j++) {
        if (p.FollowerKind[j] <= 0) continue;
        int k = (int)p.FollowerKind[j] - 1;
        if (k > 2) continue;
        g.DrawImg(bh::kImgTiles, p.ChickX[k], p.ChickY[k], ChickFrame);
    }
}

void DrawBird(MyGame& g, const PlayStep& s) {
    PlayRecord& p = g.Play;
    int f = (int)std::floor(p.FlapFrame);
    if (f < 0) f = 0;
    if (f > 4) f = 4;
    if (f == 0 && p.WalkCounter > 8) f = 5;
    g.SetSize(p.Facing * s.SC, s.SC);
    // Blinking while the grace after a respawn keeps it safe.
    bool faint = p.RespawnHold == 0 && p.RespawnGrace > 0 && (int)(p.RespawnGrace / GraceBlinkFrames) % 2 == 1;
    if (faint) g.Alpha(0.25f);
    if (BirdInPlay(p)) g.DrawImg(bh::kImgPlayer, s.px, s.py, f);
    if (faint) g.Alpha(1);
    g.SetSize(s.SC);
}

void DrawSpinners(MyGame& g, const PlayStep& s) {
    for (int x = 0; x < s.W; x++)
        for (int y = 0; y < s.H; y++) {
            if (g.isAt(x, y) != bh::kTileSpinner) continue;
            float* cell = TileCell(g, x, y);
            float a = cell[bh::kCellSpinAngle];
            int n = (int)cell[bh::kCellSpinArm];
            for (int i = 0; i < n; i++) {
                float bx, by;
                SpinnerArm(g, s, x, y, i, bx, by);
                g.SetRot(-a);
                g.Alpha(0.5f);
                g.SetSize(1.5f * s.SC);
                g.DrawImg(bh::kImgFireballs, bx, by, (x + y) % 12);
                g.SetRot(2 * a);
                g.Alpha(0.9f);
                g.SetSize(0.75f * s.SC);
                g.DrawImg(bh::kImgFireballs, bx, by, (i + x + y) % 12);
            }
        }
}

void DrawSurroundings(MyGame& g, const PlayStep& s) {
    PlayRecord& p = g.Play;
    // Less Motion holds the lava and the ring round a standing bird still,
    // in the shape they have at the start of the clock.
    int t = g.Settings[bh::kSettingCalmMotion] == 1 ? 0 : g.Mills();
    g.ResetDraw();
    if (p.GroundTimer > 0)
        for (int i = 0; i < 64; i++) {
            g.InkRot((float)(5 * i + t / 6), 1.0f, 1.5f);
            g.Alpha(0.5f);
            g.Rect(s.px + g.Sin((float)(15 * i + t / 2)) * s.TS * 0.5f,
                   s.py - g.Cos((float)(4 * i + t / 4)) * s.TS * 0.5f, 4 * s.SC);
        }
    float half = s.H * s.TS * 0.5f;
    g.ResetDraw();
    g.SetGradient(180, 0, 0, 0.75f, 0, 0, 0, 0.75f);
    int b = (int)(g.ScreenH / 2 + (half - s.TS * 0.5f) + 52);
    for (int x = -128; x < g.ScreenW + 128; x += 16) {
        float wave = g.Sin((float)(t / 3.8 + 2 * x)) * g.Cos((float)((x + t) / 4.5)) * 6;
        g.Rect((float)x, (float)((int)(wave + b) - 32), 16, 64);
    }
    g.SetCol(0, 0, 0, 1);
    g.Rect(g.ScreenW / 2, (float)((int)(g.ScreenH / 2 + half) + 256), g.ScreenW + 512, 512);
    g.Rect(g.ScreenW / 2, (float)((int)(g.ScreenH / 2 - half) - 256), g.ScreenW + 512, 512);
}

// ---- guides: what the player needs to read off the cave ----

// Tiles draw their digits too small to read, and lit and waiting switches
// share one gold, so each switch gets a mark of its own: a tick once lit,
// its number on a bright plate while it is the next one, on a dim plate
// while it waits. Digits are 16 of the font's 32 rows tall.
static const float SwitchDigitSize = 0.85f;

static void DrawTick(MyGame& g, float x, float y) {
    g.SetCol(0, 0, 0, 0.6f);
    g.Circle(x, y, 8);
    g.SetCol(255, 255, 255, 1.0f);
    g.SetLineThickness(1.5f);
    g.Line(x - 5, y, x - 1.5f, y + 4);
    g.Line(x - 1.5f, y + 4, x + 5, y - 4);
    g.SetLineThickness(0);
}

static void DrawSwitchNumber(MyGame& g, float x, float y, int number, bool next) {
    if (next) g.SetCol(255, 255, 255, 0.95f);
    else g.SetCol(0, 0, 0, 0.55f);
    g.Circle(x, y, 10);
    if (next) g.SetCol(0, 0, 0, 1.0f);
    else g.SetCol(190, 190, 190, 0.9f);
    g.SetSize(SwitchDigitSize);
    g.Text(x, y, g.fstr("%i", number), 1.0f);
}

static void DrawSwitchMarks(MyGame& g, const PlayStep& s) {
    int on = (int)g.Play.SwitchesOn;
    for (int x = 0; x < s.W; x++)
        for (int y = 0; y < s.H; y++) {
            int c = g.isAt(x, y);
            // Marked once per switch, on its left half.
            if (c % bh::kSwitchStep != bh::kTileSwitchOnLeft) continue;
            float cx = CellX(s, x) + s.TS / 2, cy = (float)CellY(s, y);
            g.ResetDraw();
            if (c == bh::kTileSwitchOnLeft) {
                DrawTick(g, cx, cy);
                continue;
            }
            int number = on + c / bh::kSwitchStep;
            if (number >= 1 && number <= SwitchCount) DrawSwitchNumber(g, cx, cy, number, IsActiveSwitch(c));
        }
}

// The active switch's centre, or the top of the open exit.
static bool NextTarget(MyGame& g, const PlayStep& s, float& tx, float& ty) {
    bool exit = g.Play.SwitchesOn >= SwitchCount;
    int left = -1, right = -1, top = -1;
    for (int x = 0; x < s.W; x++)
        for (int y = 0; y < s.H; y++) {
            int c = g.isAt(x, y);
            if (!exit && c == bh::kTileActiveSwitchLeft) {
                tx = CellX(s, x) + s.TS / 2;
                ty = (float)CellY(s, y);
                return true;
            }
            if (exit && c == bh::kTileExitTop) {
                if (left < 0) left = x;
                right = x;
                if (top < 0 || y < top) top = y;
            }
        }
    if (left < 0) return false;
    tx = (CellX(s, left) + CellX(s, right)) / 2.0f;
    ty = (float)CellY(s, top);
    return true;
}

// An arrow bobbing above where the bird should go next, so the next switch
// is found at a glance; in the first room, a word on where to go.
static void DrawNextMarker(MyGame& g, const PlayStep& s) {
    PlayRecord& p = g.Play;
    float tx, ty;
    if (p.ScrollLeft >= 1 || OutOfLives(p) || !NextTarget(g, s, tx, ty)) return;
    bool calm = g.Settings[bh::kSettingCalmMotion] == 1;
    float bob = calm ? 0 : g.Abs(g.Sin(g.Mills() / 4.0f)) * 5;
    float tip = ty - s.TS - bob, base = tip - 12;
    g.ResetDraw();
    g.SetCol(0, 0, 0, 0.8f);
    g.FullTri(tx - 10, base - 2, tx + 10, base - 2, tx, tip + 3);
    g.SetCol(255, 255, 120, 1.0f);
    g.FullTri(tx - 7, base, tx + 7, base, tx, tip);
    if (p.LevelNumber == 0) {
        g.SetSize(0.7f);
        g.SetCol(255, 255, 255, 1.0f);
        g.Text(tx - 20, base, "Land on the blinking exit", 2.0f);
    }
}

// A respawned bird stays put while flap, left or right is held; say so,
// beside the bird, for as long as that is what keeps it.
static void DrawRespawnPrompt(MyGame& g, const PlayStep& s) {
    PlayRecord& p = g.Play;
    int control = g.Joy(bh::kJoyButton1) != 0    ? bh::kJoyButton1
                  : g.Joy(bh::kJoyRight) >= 0.5f ? bh::kJoyRight
                  : g.Joy(bh::kJoyLeft) >= 0.5f  ? bh::kJoyLeft
                                                 : -1;
    if (p.RespawnHold <= 0 || OutOfLives(p) || control < 0) return;
    // What is held, by the name on the key or pad button the player is
    // pressing; a stick that holds a direction has no name of its own.
    const char* name = g.ControlPrompt(control, true);
    bool calm = g.Settings[bh::kSettingCalmMotion] == 1;
    g.ResetDraw();
    g.SetCol(255, 255, 255, calm ? 0.3f : 0.2f + 0.15f * g.Abs(g.Sin(g.Mills() / 3.0f)));
    g.Circle(s.px, s.py, s.TS * 1.25f);
    g.SetCol(0, 0, 0, 0.6f);
    if (name) g.Rect(s.px + 96, s.py - 41, 168, 52);
    else g.Rect(s.px + 96, s.py - 28, 168, 26);
    g.SetSize(0.8f);
    g.SetCol(255, 255, 255, 1.0f);
    if (name) g.Text(s.px + 96, s.py - 54, g.fstr("Holding %s", name), 1.0f);
    g.Text(s.px + 96, s.py - 28, "Let go to fly", 1.0f);
}

void DrawGuides(MyGame& g, const PlayStep& s) {
    DrawSwitchMarks(g, s);
    DrawNextMarker(g, s);
    DrawRespawnPrompt(g, s);
    g.ResetDraw();
}
