// The demo the title plays when no best run has been kept yet: a game
// flown by a simple pilot through the real updates, without a window,
// recorded as any game is and checked by playing it back before it is
// written. Made at build time, so it always matches the game beside it.
//   bramblehop-demo <folder holding Data/552> <output file>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "MyGame.h"
#include "Vell_glfw3.h"
#include "VellHooks.h"

namespace {

// Long enough to show the cave, short enough to loop back to the title.
const int kCruiseUpdates = 2400;
const int kMaxUpdates = 20000;

struct Target {
    bool found;
    float x, y;  // where the bird should be: just above the tile
};

Target Find(MyGame& g, bool wanted(int)) {
    PlayRecord& p = g.Play;
    Target best{false, 0, 0};
    float bestD = 1e9f;
    for (int y = 1; y < (int)p.MapHeight; y++)
        for (int x = 0; x < (int)p.MapWidth; x++) {
            if (!wanted(g.isAt(x, y))) continue;
            float tx = (float)x + 0.5f, ty = (float)y - 1.0f;
            float d = std::fabs(tx - p.PlayerX) + std::fabs(ty - p.PlayerY);
            if (d < bestD) bestD = d, best = {true, tx, ty};
        }
    return best;
}

bool NextGoal(int c) { return c == bh::kTileActiveSwitchLeft || (c >= bh::kTileChick1 && c <= bh::kTileChick3); }
bool Exit(int c) { return c == bh::kTileExitTop; }
bool Hurtful(int c) { return c == bh::kTileBramble || c == bh::kTileSpinner; }

int Updates = 0;
float LastX = 0;
int StuckFor = 0, Climb = 0;
float BestY = 0;
int NoRiseFor = 0, Detour = 0, Side = 1;
int Finished = 0;  // recordings finished before the demo's game

// Steers at the next switch or a chick (the exit once every switch is
// lit), climbing out when a wall holds it; after a minute or so it flies
// into the nearest bramble until the lives are gone, so the demo ends.
void Pilot() {
    MyGame& g = ThisGame;
    PlayRecord& p = g.Play;
    for (int k = 0; k < bh::kControls; k++) ASys.Keyv[k] = 0;
    // A respawned bird waits until every control is let go.
    if (g.GameMode != bh::kModePlaying || g.Paused || p.Lives < 0 || p.ScrollLeft >= 1 || p.RespawnHold > 0) return;
    Updates++;
    Target t = Updates > kCruiseUpdates ? Find(g, Hurtful) : p.SwitchesOn >= 5 ? Find(g, Exit) : Find(g, NextGoal);
    if (!t.found) t = {true, p.MapWidth / 2, p.MapHeight / 2};
    float dx = t.x - p.PlayerX;
    if (std::fabs(dx) > 0.3f && std::fabs(p.PlayerX - LastX) < 0.02f) StuckFor++;
    else StuckFor = 0;
    LastX = p.PlayerX;
    if (StuckFor > 40) Climb = 60, StuckFor = 0;
    if (Climb > 0) Climb--;
    // Under a ledge it cannot rise through, it goes round: sideways a while,
    // the other way the next time.
    if (t.y < p.PlayerY - 0.5f && p.PlayerY > BestY - 0.1f) NoRiseFor++;
    else NoRiseFor = 0, BestY = p.PlayerY;
    if (p.PlayerY < BestY) BestY = p.PlayerY;
    if (NoRiseFor > 60 && Detour == 0) Detour = 90, Side = -Side, NoRiseFor = 0;
    if (Detour > 0) {
        Detour--;
        t = {true, p.PlayerX + 3.0f * (float)Side, p.PlayerY - 0.5f};
        dx = t.x - p.PlayerX;
    }

    if (getenv("DEMO_TRACE") && Updates % 100 == 0)
        fprintf(stderr, "%d: at %.1f,%.1f v %.2f,%.2f target %.1f,%.1f lives %g switches %g score %g hold %g\n",
                Updates, p.PlayerX, p.PlayerY, p.SpeedX, p.SpeedY, t.x, t.y, p.Lives, p.SwitchesOn, p.Score,
                p.RespawnHold);
    if (dx > 0.3f) ASys.Keyv[bh::kJoyRight] = 1;
    if (dx < -0.3f) ASys.Keyv[bh::kJoyLeft] = 1;
    // Flaps keep it a little above its goal and let it sink onto it.
    bool low = p.PlayerY > t.y - (std::fabs(dx) > 1.5f ? 1.2f : 0.2f);
    if ((low && p.SpeedY > -0.5f) || Climb > 0) ASys.Keyv[bh::kJoyButton1] = 1;
    // Released now and then, so each flap is a press of its own.
    if ((Updates & 7) == 0) ASys.Keyv[bh::kJoyButton1] = 0;
}

bool Run(int& updates, bool until(MyGame&)) {
    for (; updates < kMaxUpdates; updates++) {
        MillsOffset += 16;
        ThisGame.Update();
        ThisGame.Render();
        if (until(ThisGame)) return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: bramblehop-demo <folder holding Data/552> <output file>\n");
        return 2;
    }
    char pattern[] = "/tmp/bramblehop-demo-XXXXXX";
    if (!mkdtemp(pattern)) {
        perror("mkdtemp");
        return 1;
    }
    std::string home = pattern, data = std::string(argv[1]) + "/Data";
    if (symlink(data.c_str(), (home + "/Data").c_str()) != 0) perror(data.c_str());
    FILE* quiet = fopen("/dev/null", "w");
    DebuglogOut = quiet;
    MillsFrozen = true;
    MillsOffset = 1000;
    // A fixed date and player, so two builds make the same file.
    FakeClocks = true;
    FakeWallMs = 1796774400000LL;
    FakeSteadyMs = 0;

    MyGame& g = ThisGame;
    snprintf(g.home, sizeof g.home, "%s", home.c_str());
    g.GameNum = 552;
    snprintf(g.GameTitle, sizeof g.GameTitle, "Bramblehop");
    g.StartState();
    g.Settings[bh::kSettingHowToPlaySeen] = 1;

    int updates = 0;
    bool ok = Run(updates, [](MyGame& m) { return m.LoadTo == 0 && m.GameMode == bh::kModeTitle; });
    // Chosen from the list with the keys, as a player at the keyboard would.
    g.MenuPage = 1;
    g.DifficultyCursor = g.Difficulty = bh::kDifficultyNormal;
    g.DailyDate = 0;
    g.PointerPlay = 0;
    g.GameMode = bh::kModeNewGame;
    PollInputHook = Pilot;
    size_t size = 0;
    LastRecording(size, &Finished);
    ok = ok && Run(updates, [](MyGame&) {
             size_t n;
             int count;
             LastRecording(n, &count);
             return count != Finished;
         });
    PollInputHook = nullptr;
    const unsigned char* bytes = LastRecording(size);
    int score = ReplayScore(g.Play), reached = (int)g.Play.LevelNumber;

    // Played back here first: a demo that would not match is never shipped.
    const char* why = "";
    ok = ok && size > 0 && g.WatchReplay(bytes, size, bh::kWatchReplay, why);
    int watched = 0;
    ok = ok && Run(watched, [](MyGame& m) { return m.WatchEnded != 0; }) && g.WatchMatched == 1;
    std::string cmd = "rm -rf '" + home + "'";
    if (system(cmd.c_str()) != 0) {
    }
    if (!ok) {
        fprintf(stderr,
                "bramblehop-demo: could not record a demo that plays back (%s; %d updates, %zu bytes, mode %d, lives "
                "%g, match %d)\n",
                why, updates, size, g.GameMode, g.Play.Lives, g.WatchMatched);
        return 1;
    }
    FILE* out = fopen(argv[2], "wb");
    if (!out || fwrite(bytes, 1, size, out) != size || fclose(out) != 0) {
        perror(argv[2]);
        return 1;
    }
    printf("bramblehop-demo: %zu bytes, %d updates, score %d, level %d\n", size, updates, score, reached);
    return 0;
}
