// Start-up loading: one asset per logic step behind an animated screen, so
// the window stays responsive while the files are read.
#include "GameAssets.h"
#include "MyGame.h"

void MyGame::Loader() {
    int loaded = 1;
    switch (LoadTo) {
    case 1: LoadFont(51, fstr("%s.png", bh::kPictureNames[bh::kPicFont])); break;
    case 2: LoadImg(60, bh::kPictureNames[bh::kPicVellLogo], 32); break;
    case 3: LoadImg(50, bh::kPictureNames[bh::kPicIcons], 64); break;
    case 4: LoadImg(55, bh::kPictureNames[bh::kPicParticles], 32); break;
    case 5: LoadSFX(95); break;
    case 6:
        // The first sign of life, one step after it was loaded.
        PlaySFX(95, 1.0f);
        LoadSFX(1);
        break;
    case 7: LoadImg(52, bh::kPictureNames[bh::kPicOptions], 32); break;
    case 8: LoadSFX(99); break;
    case 9: LoadSFX(98); break;
    case 10: LoadImg(53, bh::kPictureNames[bh::kPicMenu], 504); break;
    case 11: LoadImg(54, bh::kPictureNames[bh::kPicLogo], 1024); break;
    case 20: LoadImg(0, bh::kPictureNames[bh::kPicPlayer], 32); break;
    case 21: LoadImg(1, bh::kPictureNames[bh::kPicTiles], 32); break;
    case 22: LoadSFX(1); break;
    case 23: LoadSFX(2); break;
    case 24: LoadSFX(3); break;
    case 25: LoadSFX(4); break;
    case 26: LoadImg(2, bh::kPictureNames[bh::kPicBackdrop], 32); break;
    case 27: LoadSFX(5); break;
    case 28: CreateBuffer(5, 1024); break;
    case 29: LoadImg(3, bh::kPictureNames[bh::kPicObjects], 32); break;
    case 30: LoadSFX(6); break;
    default: loaded = 0; break;
    }
    LoadTo += 1;
    LoadingScreen();
    if (LoadTo > 120 && loaded == 0) LoadTo = 0;
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
                    DrawImg(60, x, y, k);
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
