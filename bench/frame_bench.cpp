// Whole frames on the real renderer (run under Xvfb with Mesa's llvmpipe):
// first frame, empty / busy play / options / title frames, uploads, peak
// memory, the busy, options and empty frames again in a 1920 x 1080 window
// at both render scales, and the fill floor (at both sizes): what one
// full-screen, blended, linearly filtered textured quad costs on this
// machine. Frames are also given as
// multiples of the floor, so figures from different machines compare.
// Usage: bramblehop_frame_bench <folder holding Data/552> <launch-ns> [shots]
//        bramblehop_frame_bench <folder holding Data/552> <launch-ns> --first
// where launch-ns is CLOCK_REALTIME in ns just before this process started.
// With a shots folder, the busy, options, title and credits frames are also
// saved as PNG files, so two builds can be compared pixel for pixel.
// With --first only the start-up is timed, so it can be repeated cheaply.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <sys/resource.h>
#include <vector>

#include "bench_scenes.h"
#include "Vell_glfw3.h"
#include "VellHooks.h"

namespace {

double CpuMs() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void PaintAnyway() {}

// Renders the list handed over last, `frames` times; returns the median CPU
// time per frame and the texture uploads per frame. The renderer leaves a
// frame it has just shown unpainted; unless `still`, someone reading the
// frame before the swap makes it paint every one, which is the cost a
// changing picture pays.
void TimeFrames(int frames, double& ms, double& uploads, bool still = false) {
    std::vector<double> t;
    long before = TexUploads;
    float w, h;
    RenderBeforeSwap = still ? nullptr : PaintAnyway;
    for (int i = 0; i < frames; i++) {
        double a = CpuMs();
        ThisGame.RenderGame(w, h);
        t.push_back(CpuMs() - a);
    }
    RenderBeforeSwap = nullptr;
    ms = Median(t);
    uploads = (double)(TexUploads - before) / frames;
}

void SaveShot(int argc, char** argv, const char* name) {
    if (argc < 4 || strcmp(argv[3], "--first") == 0) return;
    snprintf(ASys.ScreenshotName, sizeof ASys.ScreenshotName, "%s/%s.png", argv[3], name);
    ASys.Screenshot();
}

// The floor: `layers` copies of a small half-transparent picture, each
// stretched over the whole screen with linear filtering, so nothing can
// spare the blend or the filter. Returns the cost of one layer above an
// empty frame.
double FillFloor(double emptyMs, int slot) {
    MyGame& g = ThisGame;
    const int layers = 8;
    g.CreateBuffer(slot, 256);
    g.BufferFill(slot, 200, 120, 60, 128);
    ASys.DrawTo = 0;
    g.ResetDraw();
    g.Smooth(1);
    g.SetSize(std::max(g.ScreenW, g.ScreenH) / 256);
    for (int i = 0; i < layers; i++) g.DrawImg(slot, g.ScreenW / 2, g.ScreenH / 2, 0);
    g.ResetDraw();
    g.BufferGame();
    double ms, uploads;
    TimeFrames(120, ms, uploads);
    g.Smooth(0);
    return (ms - emptyMs) / layers;
}

struct BigFrames {
    double empty, floor, busy, menu;
};

// The busy play frame, the options frame and the floor again in the window
// as it is now, each screen laid out for the window's shape first, as the
// game's own render does before the update that draws it.
BigFrames TimeBigWindow() {
    MyGame& g = ThisGame;
    BigFrames f;
    double uploads;
    g.GameMode = 0;
    g.OverlayScreen = 0;
    g.Render();
    ASys.DrawTo = 0;
    g.BufferGame();
    TimeFrames(120, f.empty, uploads);
    f.floor = FillFloor(f.empty, 99);
    BuildBusyLevel();
    g.Render();
    g.Update();
    TimeFrames(120, f.busy, uploads);
    memset(g.Particles, 0, sizeof g.Particles);
    g.OverlayScreen = 1;
    g.OptionsCursor = 0;
    g.OptionsScroll = 0;
    g.Render();
    g.Update();
    TimeFrames(120, f.menu, uploads);
    g.OverlayScreen = 0;
    MillsFrozen = false;
    return f;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: %s <game folder> <launch-ns>\n", argv[0]);
        return 2;
    }
    MyGame& g = ThisGame;
    FILE* sink = fopen("/dev/null", "w");
    DebuglogOut = sink;
    snprintf(g.home, sizeof g.home, "%s", argv[1]);

    // Start-up exactly as the game does it, up to the first presented frame.
    g.Begin(552, "Bramblehop");
    if (!ASys.HasWindow()) {
        fprintf(stderr, "no window\n");
        return 1;
    }
    g.SetKeyword("Bramblehop keeps every chick close to a wing.");
    g.Smooth(0);
    g.SetDefaultSettings();
    g.KeyDefaults();
    g.AddDefaultCredits();
    g.LoadTo = 1;
    g.Update();
    g.Render();
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    double firstFrame = ((double)now.tv_sec * 1e9 + now.tv_nsec - atof(argv[2])) / 1e6;
    if (argc > 3 && strcmp(argv[3], "--first") == 0) {
        printf("first_frame_ms %.1f ms\n", firstFrame);
        g.Terminate();
        return 0;
    }

    // Load everything as the loading screen does.
    while (g.LoadTo > 0) {
        g.Update();
        g.Render();
    }
    g.DebugMode = 0;
    // What the memory figure is made of: the slots' pixels and blur pixels.
    size_t imageBytes = 0;
    fprintf(stderr, "slots (slot:side):");
    for (int s = 0; s < 105; s++) {
        imageBytes += Image[s].capacity() + ImageBlur[s].capacity();
        if (!Image[s].empty()) fprintf(stderr, " %d:%d", s, iSize[s]);
    }
    fprintf(stderr, "; pixels held %.1f MiB\n", imageBytes / 1048576.0);

    double emptyMs, emptyUp, busyMs, busyUp, menuMs, menuUp, titleMs, titleUp;
    ASys.DrawTo = 0;
    g.BufferGame();
    TimeFrames(240, emptyMs, emptyUp);
    // Slot 99 is free: the game's pictures live in lower slots.
    double floorMs = FillFloor(emptyMs, 99);

    // The clock stays frozen for the two scenes, so every run (and every
    // build) records the same lists.
    BuildBusyLevel();
    g.Update();
    char scene[160];
    DescribeBusyLevel(scene, sizeof scene);
    int records, changes;
    DescribeDrawList(records, changes);
    fprintf(stderr, "busy play: %s; %d records, %d image changes\n", scene, records, changes);
    TimeFrames(240, busyMs, busyUp);
    SaveShot(argc, argv, "busy");

    // The options screen on its own, as opened from the title: no sparks
    // left over from the play scene above.
    memset(g.Particles, 0, sizeof g.Particles);
    g.OverlayScreen = 1;
    g.OptionsCursor = 0;
    g.OptionsScroll = 0;
    g.Update();
    DescribeDrawList(records, changes);
    fprintf(stderr, "options: overlay %d; %d records, %d image changes\n", g.OverlayScreen, records, changes);
    TimeFrames(240, menuMs, menuUp);
    SaveShot(argc, argv, "options");
    g.OverlayScreen = 0;

    // The title page at rest, as the game idles on it: the cursor on Start
    // and the logo fully zoomed in.
    g.GameMode = 0;
    g.MenuPage = 0;
    g.TitleCursor = 0;
    g.LogoZoom = 1;
    g.Update();
    DescribeDrawList(records, changes);
    fprintf(stderr, "title: page %d; %d records, %d image changes\n", g.MenuPage, records, changes);
    TimeFrames(240, titleMs, titleUp);
    SaveShot(argc, argv, "title");
    // The same title left to itself: what a frame costs when nothing moved.
    double stillMs, stillUp;
    TimeFrames(240, stillMs, stillUp, true);
    // The credits, for the pictures only.
    g.OverlayScreen = 2;
    g.Update();
    double creditsMs, creditsUp;
    TimeFrames(3, creditsMs, creditsUp);
    SaveShot(argc, argv, "credits");
    g.OverlayScreen = 0;
    MillsFrozen = false;

    // Play 600 updates for the memory figure.
    g.LoadGame();
    for (int i = 0; i < 600; i++) {
        g.Update();
        if (i % 4 == 0) g.Render();
    }
    rusage ru;
    getrusage(RUSAGE_SELF, &ru);

    // A full-screen window on a 1080p monitor, at each render scale: Auto
    // (the player's default, reduced on a software renderer) and Full.
    ASys.SetScreen(1920, 1080);
    BigFrames big = TimeBigWindow();
    g.SetRenderFull(true);
    BigFrames bigFull = TimeBigWindow();
    g.SetRenderFull(false);

    printf("first_frame_ms %.1f ms\n", firstFrame);
    printf("frame_empty_ms %.3f ms\n", emptyMs);
    printf("frame_busy_ms %.3f ms\n", busyMs);
    printf("frame_busy_ratio %.2f x\n", busyMs / emptyMs);
    printf("frame_menu_ms %.3f ms\n", menuMs);
    printf("frame_title_ms %.3f ms\n", titleMs);
    printf("frame_still_ms %.3f ms\n", stillMs);
    printf("fill_floor_ms %.3f ms\n", floorMs);
    // A floor too small to measure would make the ratios meaningless.
    if (floorMs > 0.01) {
        printf("frame_busy_floors %.2f floors\n", busyMs / floorMs);
        printf("frame_menu_floors %.2f floors\n", menuMs / floorMs);
        printf("frame_title_floors %.2f floors\n", titleMs / floorMs);
    }
    printf("texture_uploads_per_frame_play %.1f uploads\n", busyUp);
    printf("texture_uploads_per_frame_options %.1f uploads\n", menuUp);
    printf("texture_uploads_per_frame_title %.1f uploads\n", titleUp);
    printf("peak_rss_mib %.1f MiB\n", ru.ru_maxrss / 1024.0);
    printf("frame_empty_1080_ms %.3f ms\n", big.empty);
    printf("frame_busy_1080_ms %.3f ms\n", big.busy);
    printf("frame_menu_1080_ms %.3f ms\n", big.menu);
    printf("fill_floor_1080_ms %.3f ms\n", big.floor);
    printf("frame_busy_1080_full_ms %.3f ms\n", bigFull.busy);
    printf("frame_menu_1080_full_ms %.3f ms\n", bigFull.menu);
    printf("fill_floor_1080_full_ms %.3f ms\n", bigFull.floor);
    g.Terminate();
    return 0;
}
