#include "soak_driver.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <unistd.h>

#include "MyGame.h"
#include "Vell_glfw3.h"
#include "VellHooks.h"

namespace {

std::mt19937 rng;

int Roll(int n) { return (int)(rng() % (unsigned)n); }

// Each control keeps its state for a few updates, like a hand would.
float held[16];
int holdLeft[16];
float pointerX = 400, pointerY = 300;
int pointerDown = 0, pointerLeft = 0;
int escLeft = 0, enterLeft = 0;

void PressLikeAPlayer() {
    MyGame& g = ThisGame;
    for (int k = 0; k < 16; k++) {
        if (--holdLeft[k] > 0) continue;
        holdLeft[k] = 2 + Roll(30);
        // Confirm and flap a lot, so menus are passed and games started.
        int chance = (k == 10) ? 45 : (k == 8 || k == 9 || k == 11) ? 6 : (k < 4) ? 25 : 8;
        if (g.GameMode == bh::kModePlaying && k == 8) chance = 2;
        held[k] = Roll(100) < chance ? (Roll(10) == 0 ? 0.4f : 1.0f) : 0.0f;
        if (k < 8 && Roll(20) == 0) held[k] = -1.0f;  // a bound axis pushed the other way
    }
    for (int k = 0; k < 16; k++) ASys.Keyv[k] = held[k];

    if (--pointerLeft <= 0) {
        pointerLeft = 1 + Roll(20);
        pointerDown = Roll(100) < 20;
        if (Roll(3) == 0) {
            pointerX = (float)Roll(900) - 50;
            pointerY = (float)Roll(700) - 50;
        }
    }
    ASys.Touch[1] = pointerX;
    ASys.Touch[2] = pointerY;
    ASys.Touch[5] = (float)pointerDown;
    ASys.Touch[7] = pointerDown ? ASys.Touch[7] + 1 : 0;

    // Pausing is rarer in play, or most games would end in the pause menu.
    if (--escLeft <= 0) escLeft = Roll(g.GameMode == bh::kModePlaying ? 1500 : 400) == 0 ? 4 : 0;
    if (--enterLeft <= 0) enterLeft = Roll(60) == 0 ? 4 : 0;
    ASys.Button[99] = escLeft > 0;
    ASys.Button[98] = enterLeft > 0;
    for (int i : {0, 3, 5, 8, 10, 11, 12}) ASys.Button[i] = Roll(100) < 10;
}

// Random play rarely lights five switches in order, so now and then a
// guiding hand drops the bird just above the next switch or, with all five
// lit, the exit, and sometimes gives back its lives. The landing itself is
// the game's own; the run then also reaches later, harder levels.
void GuideTheBird() {
    MyGame& g = ThisGame;
    PlayRecord& p = g.Play;
    if (g.GameMode != bh::kModePlaying || g.Paused || p.Lives < 0 || p.ScrollLeft >= 1 || Roll(90) != 0) return;
    bool exit = p.SwitchesOn == 5;
    for (int y = 1; y < (int)p.MapHeight; y++)
        for (int x = 1; x < (int)p.MapWidth - 1; x++) {
            int c = g.isAt(x, y);
            bool target = exit ? c == 4 : (c == 16 || c == 17);
            if (!target || g.isAt(x, y - 1) != 0) continue;
            p.PlayerX = (float)x;
            p.PlayerY = (float)(y - 1);
            p.SpeedX = 0;
            p.SpeedY = 0.5f;
            if (Roll(2) == 0) p.Lives = 3;
            return;
        }
}

// What one update asked of the speakers, for the trace.
char heard[512];
size_t heardLen = 0;
void Heard(const char* text) {
    size_t n = strlen(text);
    if (heardLen + n + 1 >= sizeof heard) return;
    memcpy(heard + heardLen, text, n + 1);
    heardLen += n;
}
void SoundHeard(int slot, float pitch) {
    char b[48];
    snprintf(b, sizeof b, " s%d@%.6g", slot, pitch);
    Heard(b);
}
void MusicHeard(const char* name) {
    char b[96];
    snprintf(b, sizeof b, " m:%.80s", name ? name : "-");
    Heard(b);
}

uint64_t Fnv(const void* data, size_t n, uint64_t h = 1469598103934665603ull) {
    const unsigned char* p = (const unsigned char*)data;
    for (size_t i = 0; i < n; i++) h = (h ^ p[i]) * 1099511628211ull;
    return h;
}

void TraceFile(FILE* trace, const std::string& path, const char* name) {
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) {
        fprintf(trace, "save %s missing\n", name);
        return;
    }
    uint64_t h = 1469598103934665603ull;
    size_t total = 0, n;
    unsigned char b[65536];
    while ((n = fread(b, 1, sizeof b, f)) > 0) h = Fnv(b, n, h), total += n;
    fclose(f);
    fprintf(trace, "save %s %zu %016llx\n", name, total, (unsigned long long)h);
}

bool Finite(float v) { return std::isfinite(v); }

std::string Check(long step) {
    MyGame& g = ThisGame;
    char buf[256];
    auto fail = [&](const char* what, double v) {
        snprintf(buf, sizeof buf, "update %ld: %s (%g)", step, what, v);
        return std::string(buf);
    };
    const PlayRecord& p = g.Play;
    if (!Finite(p.PlayerX) || !Finite(p.PlayerY)) return fail("player position not finite", p.PlayerX);
    if (!Finite(p.SpeedX) || !Finite(p.SpeedY)) return fail("player speed not finite", p.SpeedY);
    if (!Finite(p.Score) || !Finite(p.ShownScore)) return fail("score not finite", p.Score);
    if (p.Lives < -1 || p.Lives > 3) return fail("lives out of range", p.Lives);
    if (p.FollowerCount < 0 || p.FollowerCount > 3) return fail("follower count", p.FollowerCount);
    for (int i = 0; i < 3; i++)
        if (!Finite(p.ChickX[i]) || !Finite(p.ChickY[i])) return fail("chick position", i);
    for (int i = 0; i < 256; i++) {
        const float* q = &g.Particles[i * 10];
        int kind = (int)q[0];
        if (kind != 0 && kind != 1 && kind != 2 && kind != 3 && kind != 99) return fail("particle kind", kind);
        if (kind && (!Finite(q[1]) || !Finite(q[2]))) return fail("particle position", i);
    }
    for (int i = 256; i < 260; i++)
        if (g.Particles[i * 10] != 0) return fail("particle beyond the pool", i);
    if (DrawToRT < 0 || DrawToRT > 16666) return fail("draw list beyond capacity", DrawToRT);
    if (g.GameMode != bh::kModeTitle && g.GameMode != bh::kModeBackToTitle && g.GameMode != bh::kModePlaying &&
        g.GameMode != bh::kModeNewGame)
        return fail("game mode", g.GameMode);
    if (g.OverlayScreen < bh::kScreenNone || g.OverlayScreen > bh::kScreenGameOver)
        return fail("overlay", g.OverlayScreen);
    // The how-to-play panel goes back to the title, the list or the options.
    if (g.OverlayScreen == bh::kScreenHowToPlay && g.HowToPlayReturn != bh::kScreenNone &&
        g.HowToPlayReturn != bh::kScreenOptions)
        return fail("how to play returns to", g.HowToPlayReturn);
    if (g.OverlayScreen == bh::kScreenGameOver && (g.GameMode != bh::kModePlaying || g.Play.Lives >= 0))
        return fail("summary of a game still going", g.GameMode);
    if (g.Paused != 0 && g.Paused != 1) return fail("paused", g.Paused);
    if (g.PauseCursor < 0 || g.PauseCursor > 2) return fail("pause cursor", g.PauseCursor);
    if (g.TitleCursor < -2 || g.TitleCursor > 2) return fail("title cursor", g.TitleCursor);
    if (g.GameMode == bh::kModeTitle && g.MenuPage == 1 && (g.DifficultyCursor < 1 || g.DifficultyCursor > 4))
        return fail("difficulty cursor", g.DifficultyCursor);
    if (g.OverlayScreen == bh::kScreenNameEntry && (g.OptionsCursor < 0 || g.OptionsCursor > 11))
        return fail("name position", g.OptionsCursor);
    // The pick is normalised at the start of the next update.
    if (g.RedefRow < -3 || g.RedefRow > 5) return fail("redefine row", g.RedefRow);
    if (!Finite(g.MenuScroll) || !Finite(g.LogoZoom) || !Finite(g.CreditScroll))
        return fail("menu position not finite", g.MenuScroll);
    if (g.LogoZoom < -5 || g.LogoZoom > 8) return fail("logo zoom", g.LogoZoom);
    if (!Finite(g.FrameFactor) || g.FrameFactor < 0.29f || g.FrameFactor > 7.69f)
        return fail("frame factor", g.FrameFactor);
    int w = (int)p.MapWidth, h = (int)p.MapHeight;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            float code = g.TileMap[(y * 60 + x) * 10];
            if (!Finite(code) || code < 0 || code > 62) return fail("tile code", code);
        }
    return "";
}

void StartLikeLaunch(const std::string& home) {
    MyGame& g = ThisGame;
    snprintf(g.home, sizeof g.home, "%s", home.c_str());
    g.GameNum = 552;
    snprintf(g.GameTitle, sizeof g.GameTitle, "Bramblehop");
    g.StartState();
}

}  // namespace

PollHook MonkeyHand(unsigned seed) {
    rng.seed(seed);
    for (int k = 0; k < 16; k++) held[k] = 0, holdLeft[k] = 0;
    pointerX = 400, pointerY = 300;
    pointerDown = pointerLeft = escLeft = enterLeft = 0;
    return PressLikeAPlayer;
}

SoakResult RunSoak(long updates, unsigned seed, const std::string& dataDir, FILE* trace) {
    SoakResult result;
    rng.seed(seed);
    // In memory: the menus save often, and a disk would make the run crawl.
    char pattern[] = "/dev/shm/bramblehop-soak-XXXXXX";
    std::string home = mkdtemp(pattern) ? pattern : "/tmp";
    if (!dataDir.empty()) {
        std::string link = home + "/Data";
        if (symlink((dataDir + "/Data").c_str(), link.c_str()) != 0) {
        }
    }
    FILE* quiet = fopen("/dev/null", "w");
    DebuglogOut = quiet;
    MillsFrozen = true;
    MillsOffset = 1000;
    if (trace) {
        // Dates and the player's new ID go into the saves: fixed clocks keep
        // traces comparable.
        FakeClocks = true;
        FakeWallMs = 1796774400000LL;  // 2026-12-10
        FakeSteadyMs = 0;
    }
    StartLikeLaunch(home);
    PollInputHook = PressLikeAPlayer;
    if (trace) {
        SoundAsked = SoundHeard;
        MusicAsked = MusicHeard;
    }

    static const int shapes[][2] = {{800, 600}, {1280, 720}, {720, 1280}, {2000, 500}, {500, 2000}};
    int lastGames = ThisGame.Settings[bh::kSettingGamesPlayed];
    for (long step = 0; step < updates; step++) {
        // Mostly steady 16 ms steps, with the odd stall or burst.
        int r = Roll(100);
        MillsOffset += r < 90 ? 16 : r < 95 ? Roll(5) : Roll(400);
        if (step % 5000 == 4999) {
            const int* s = shapes[Roll(5)];
            ASys.WindowWidth = s[0];
            ASys.WindowHeight = s[1];
        }
        ThisGame.GameBreak = 0;
        GuideTheBird();
        heardLen = 0;
        heard[0] = 0;
        ThisGame.Update();
        ThisGame.Render();
        if (trace) {
            uint64_t drawn = Fnv(DrawR + DrawToR, sizeof(double) * 30 * (size_t)DrawToRT);
            drawn = Fnv(ASys.DrawSet, sizeof ASys.DrawSet, drawn);
            fprintf(trace, "%ld %d %016llx%s\n", step, DrawToRT, (unsigned long long)drawn, heard);
        }
        if (ThisGame.Settings[bh::kSettingGamesPlayed] != lastGames) {
            result.gamesStarted++;
            lastGames = ThisGame.Settings[bh::kSettingGamesPlayed];
        }
        if ((int)ThisGame.Play.LevelNumber > result.levelsReached)
            result.levelsReached = (int)ThisGame.Play.LevelNumber;
        std::string broken = Check(step);
        result.updates = step + 1;
        if (!broken.empty()) {
            result.ok = false;
            result.failure = broken;
            break;
        }
    }
    PollInputHook = nullptr;
    SoundAsked = nullptr;
    MusicAsked = nullptr;
    FakeClocks = false;
    if (trace) {
        TraceFile(trace, home + "/Settings.sav", "Settings.sav");
        TraceFile(trace, home + "/Save_552_Bramblehop.sav", "Save_552_Bramblehop.sav");
    }
    MillsFrozen = false;
    MillsOffset = 0;
    DebuglogOut = nullptr;
    fclose(quiet);
    std::string cmd = "rm -rf '" + home + "'";
    if (system(cmd.c_str()) != 0) {
    }
    return result;
}
