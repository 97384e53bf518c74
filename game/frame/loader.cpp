// Start-up loading: one asset per logic step behind an animated screen, so
// the window stays responsive while the files are read.
#include "GameAssets.h"
#include "MyGame.h"

void MyGame::Loader() {
    int loaded = 1;
    switch (LoadTo) {
    case 1: LoadFont(bh::kImgFont, fstr("%s.png", bh::kPictureNames[bh::kPicFont])); break;
    case 2: LoadImg(bh::kImgVellLogo, bh::kPictureNames[bh::kPicVellLogo], 32); break;
    case 3: LoadImg(bh::kImgIcons, bh::kPictureNames[bh::kPicIcons], 64); break;
    case 4: LoadImg(bh::kImgParticles, bh::kPictureNames[bh::kPicParticles], 32); break;
    case 5: LoadSFX(bh::kSfxBackToTitle); break;
    case 6:
        // The first sign of life, one step after it was loaded.
        PlaySFX(bh::kSfxBackToTitle, 1.0f);
        LoadSFX(bh::kSfxFlap);
        break;
    case 7: LoadImg(bh::kImgOptions, bh::kPictureNames[bh::kPicOptions], 32); break;
    case 8: LoadSFX(bh::kSfxMove); break;
    case 9: LoadSFX(bh::kSfxConfirm); break;
    case 10: LoadImg(bh::kImgMenu, bh::kPictureNames[bh::kPicMenu], 504); break;
    case 11: LoadImg(bh::kImgLogo, bh::kPictureNames[bh::kPicLogo], 1024); break;
    case 20: LoadImg(bh::kImgPlayer, bh::kPictureNames[bh::kPicPlayer], 32); break;
    case 21: LoadImg(bh::kImgTiles, bh::kPictureNames[bh::kPicTiles], 32); break;
    case 22: LoadSFX(bh::kSfxFlap); break;
    case 23: LoadSFX(bh::kSfxSwitchOn); break;
    case 24: LoadSFX(bh::kSfxLevelDone); break;
    case 25: LoadSFX(bh::kSfxDeath); break;
    case 26: LoadImg(bh::kImgBackdropTiles, bh::kPictureNames[bh::kPicBackdrop], 32); break;
    case 27: LoadSFX(bh::kSfxChick); break;
    case 28: CreateBuffer(bh::kImgBackdrop, bh::kBackdropSize); break;
    case 29: LoadImg(bh::kImgFireballs, bh::kPictureNames[bh::kPicObjects], 32); break;
    case 30: LoadSFX(bh::kSfxKnockedOff); break;
    case 31: LoadSFX(bh::kSfxPause); break;
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
