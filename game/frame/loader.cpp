// Start-up loading: one asset per logic step behind an animated screen, so
// the window stays responsive while the files are read.
#include "GameAssets.h"
#include "MyGame.h"

namespace {

enum class Do { Font, Image, Buffer, Sound, Play };

// What each step of loading does, in order; a step may do more than one
// thing. The front end's assets come first, so the title can show as soon
// as the screen ends. A sound in the game's list that no step names is
// loaded on a step of its own after the last one here.
struct LoadStep {
    int step;
    Do what;
    int slot;     // image or sound slot
    int picture;  // a bh::Picture, for the font and images
    int cell;     // an image's frame size, a buffer's size
};
constexpr LoadStep kLoadSteps[] = {
    {1, Do::Font, bh::kImgFont, bh::kPicFont, 0},
    {2, Do::Image, bh::kImgVellLogo, bh::kPicVellLogo, 32},
    {3, Do::Image, bh::kImgIcons, bh::kPicIcons, 64},
    {4, Do::Image, bh::kImgParticles, bh::kPicParticles, 32},
    {5, Do::Sound, bh::kSfxBackToTitle, 0, 0},
    // The first sign of life, one step after it was loaded.
    {6, Do::Play, bh::kSfxBackToTitle, 0, 0},
    {6, Do::Sound, bh::kSfxFlap, 0, 0},
    {7, Do::Image, bh::kImgOptions, bh::kPicOptions, 32},
    {8, Do::Sound, bh::kSfxMove, 0, 0},
    {9, Do::Sound, bh::kSfxConfirm, 0, 0},
    {10, Do::Image, bh::kImgMenu, bh::kPicMenu, 504},
    {11, Do::Image, bh::kImgLogo, bh::kPicLogo, 1024},
    {20, Do::Image, bh::kImgPlayer, bh::kPicPlayer, 32},
    {21, Do::Image, bh::kImgTiles, bh::kPicTiles, 32},
    {22, Do::Sound, bh::kSfxFlap, 0, 0},
    {23, Do::Sound, bh::kSfxSwitchOn, 0, 0},
    {24, Do::Sound, bh::kSfxLevelDone, 0, 0},
    {25, Do::Sound, bh::kSfxDeath, 0, 0},
    {26, Do::Image, bh::kImgBackdropTiles, bh::kPicBackdrop, 32},
    {27, Do::Sound, bh::kSfxChick, 0, 0},
    {28, Do::Buffer, bh::kImgBackdrop, 0, bh::kBackdropSize},
    {29, Do::Image, bh::kImgFireballs, bh::kPicObjects, 32},
    {30, Do::Sound, bh::kSfxKnockedOff, 0, 0},
    {31, Do::Sound, bh::kSfxPause, 0, 0},
};
constexpr int kLastNamedStep = kLoadSteps[sizeof kLoadSteps / sizeof kLoadSteps[0] - 1].step;
// Loading takes this many steps however the files fare, so the screen
// shows just as long on every start.
constexpr int kLoadingSteps = 120;
static_assert(kLastNamedStep + bh::kSoundCount <= kLoadingSteps, "loading runs out of steps");

bool NamedStep(int slot) {
    for (const LoadStep& l : kLoadSteps)
        if (l.what == Do::Sound && l.slot == slot) return true;
    return false;
}

// The listed sound that the n-th step after the named ones loads, or -1.
int UnnamedSound(int n) {
    for (const bh::SoundEffect& e : bh::kSoundEffects)
        if (!NamedStep(e.slot) && n-- == 0) return e.slot;
    return -1;
}

}  // namespace

void MyGame::Loader() {
    int loaded = 0;
    for (const LoadStep& l : kLoadSteps) {
        if (l.step != LoadTo) continue;
        loaded = 1;
        const char* name = bh::kPictureNames[l.picture];
        switch (l.what) {
        case Do::Font: LoadFont(l.slot, fstr("%s.png", name)); break;
        case Do::Image: LoadImg(l.slot, name, l.cell); break;
        case Do::Buffer: CreateBuffer(l.slot, l.cell); break;
        case Do::Sound: LoadSFX(l.slot); break;
        case Do::Play: PlaySFX(l.slot, 1.0f); break;
        }
    }
    int extra = LoadTo > kLastNamedStep ? UnnamedSound(LoadTo - kLastNamedStep - 1) : -1;
    if (extra >= 0) {
        LoadSFX(extra);
        loaded = 1;
    }
    LoadTo += 1;
    LoadingScreen();
    if (LoadTo > kLoadingSteps && loaded == 0) LoadTo = 0;
}

void MyGame::LoadingScreen() {
    int n = LoadTo;
    float W = ScreenW, H = ScreenH;
    CLS(40, 0, 80);
    ResetDraw();
    SetRot(n / 4.0f);
    SetGradient(120, 0, 80, 0.35f, 0, 0, 0, 0);
    Fan(W, H, 0.85f * W);
    SetRot(-(n / 3.0f));
    SetGradient(40, 0, 120, 0.35f, 0, 0, 0, 0);
    Fan(0, H, 0.85f * W);
    ResetDraw();
    if (n > 5) {
        // The logo drops in tile by tile along a diagonal wave.
        int k = 0;
        for (int i = 0; i < 25; i++) {
            for (int j = 0; j < 25; j++) {
                float s = Sin((float)(6 * n - (i + j)));
                if (s < 0.5f) s = 0;
                SetBlend((3 * n - i) * 4 <= 200 ? 3 : 1);
                if (6 * n - (i + j) > 135) s = 0.5f;
                float x = 16.0f * j + (W / 2 - 200);
                float y = 16.0f * i + (H / 2 - 400 * s);
                if (s >= 0.5f) {
                    SetSize(s);
                    DrawImg(bh::kImgVellLogo, x, y, k);
                }
                k += 1;
            }
        }
    }
    SetBlend(1);
    ResetDraw();
    SetAlpha(1.5f - n / 60.0f);
    Text(W / 2, H - 32, "Loading...", 1, 1.0f);
}
