// Title mode: the page switch between the title buttons and the difficulty
// list, the backdrop with its zooming logo, and the vertical list itself.
#include <cmath>

#include "MyGame.h"

void MyGame::LoadMenu() {
    HandleDefaultScoreboards();
    Save();
    PlaySFX(bh::kSfxBackToTitle, 1.0f);
    GameEnding = bh::kEndNone;
    // The title never runs paused, however the game was left.
    Paused = 0;
    GameMode = bh::kModeTitle;
}

void MyGame::DoMenu() {
    Menu_Background();
    bool calm = Settings[bh::kSettingCalmMotion] == 1;
    if (MenuPage == 0) {
        LogoZoom -= 0.1f;
        if (calm) LogoZoom -= 5.0f;
        Menu_Start();
        BoardSlide = 0;
        BoardTimer = 0;
        BoardPage = 0;
    }
    // Tested again so that "Start" on the title shows the list at once.
    if (MenuPage == 1) {
        LogoZoom += 0.1f;
        if (calm) LogoZoom += 5.0f;
        Menu_Default("Easy|Normal|Hard|Daily",
                     "For learning the ropes|Just right|When you feel like a "
                     "challenge|Today's caves, the same for everyone");
        DisplayScoreboard();
    }
}

// The menu picture's side in pixels, as it is loaded, and the strip a
// very wide window keeps beside the screen's own width.
const float kMenuPictureSide = 504, kWideStrip = 32;

void MyGame::Menu_Background() {
    float W = ScreenW, H = ScreenH;
    FadeCLS(0, 0, 140, 8);
    ResetDraw();
    // A window wider than the picture at its usual size (21:9) gets it
    // zoomed in to fill the width rather than bands beside it. Such a
    // window also keeps a 32-pixel strip left of x = 0, which the picture
    // must reach too.
    float cover = (W + 2 * kWideStrip + 2) / kMenuPictureSide;
    SetSize(cover > 2.25f ? cover : 2.25f);
    DrawImg(bh::kImgMenu, W / 2, H / 2, 0);
    if (LogoZoom < 1.0f) LogoZoom = 1.0f;
    if (LogoZoom > 2.0f) LogoZoom = 2.0f;
    float s = (W - 32) / 1024;
    if (s * 512 > H - 196) s = (H - 196) / 512;
    // A window too flat to hold the logo would give a mirrored one.
    if (s < 0) s = 0;
    s = s / LogoZoom;
    SetSize(s);
    SetRot(0);
    DrawImg(bh::kImgLogo, W / 2, s * 256 + 16, 0);
    ResetDraw();
}

const float kBarLeft = 100;            // left edge of an item's bar
const double kDescriptionSize = 0.45;  // of the label's size

// Hue of list item i: the three difficulties get blue, green and red.
static float ItemHue(int i) {
    if (i == 0) return 220;
    if (i == 1) return 120;
    if (i == 2) return 0;
    return (float)((i + 4) * 50);
}

void MyGame::Menu_Default(const char* items, const char* descriptions) {
    if (!items) items = "";
    if (!descriptions) descriptions = "";
    float W = ScreenW, H = ScreenH;
    int n = SplitCount(items, '|');

    double spacing, target, z, top;
    if (H <= W) {
        spacing = 46;
        target = H - 128;
        z = 1.0;
        top = (H - 128) - (DifficultyCursor - 1) * 46.0;
    } else {
        spacing = 58;
        target = H - 180;
        z = 1.2;
        top = (H - 192) - (DifficultyCursor - 1) * 46.0;
    }

    TouchLetGo(bh::kTouchLockClick, PointerDown == 0);
    TrackHover();
    MenuScroll = (float)(MenuScroll - (MenuScroll - top) / 4.0);

    bool chosen = false;
    for (int i = 0; i < n; i++) {
        SetSize((float)z);
        float tx = 100;
        float y = (float)(int)(i * spacing) + MenuScroll;
        float h = ItemHue(i);
        double d = std::fabs(target - y);
        double f = 1.0;
        if (d > 1.2 * spacing) f = 1.0 - (d - 1.2 * spacing) / (1.2 * spacing);
        if (d >= 2.4 * spacing) continue;

        InkRot(h, 0.5f, 0.5f);
        SetAlpha(i + 1 == DifficultyCursor ? 0.7f : (float)(0.3 * f));
        Rect(228, y, 256, 32);

        // Hovering highlights; one click chooses the item under it.
        bool over = MouseIn_Centered(228, y, 256, 32) > 0;
        if (over && HoverMoved && i + 1 != DifficultyCursor) {
            PlaySFX(bh::kSfxMove, 1.0f);
            DifficultyCursor = i + 1;
            BoardTimer = 0;
            BoardPage = 0;
        }
        if (over && TouchedOnce(bh::kTouchLockClick, PointerDown > 0)) {
            DifficultyCursor = i + 1;
            chosen = true;
        }

        SetRot(90);
        InkRot(h, 0.5f, 1.0f);
        SetAlpha((float)(0.3 * f));
        Tri(116, y, 32, 16);

        if (i + 1 == DifficultyCursor) {
            tx = 132;
            SetSize((float)(z * 1.3));
        }
        SetRot(0);
        InkRot(h, 0.8f, 1.5f);
        SetAlpha((float)f);
        Text(tx, y, Trim(Split(items, '|', i + 1)));

        // The description fits in the gap under the bar, clear of the next.
        SetSize((float)(z * kDescriptionSize));
        InkRot(h, 0.3f, 1.5f);
        SetAlpha((float)(0.9 * f));
        Text(kBarLeft, (float)(y + spacing * 0.52), Trim(Split(descriptions, '|', i + 1)), 0);
    }

    // Escape is bound to "Start" by default but must only ever go back.
    LetGo(bh::kLockConfirm, AllBelow({bh::kJoyButton1, bh::kJoyStart}));
    bool confirm = AnyAbove({bh::kJoyButton1, bh::kJoyStart}) && PlayKey(bh::kPlayKeyEscape) == 0;
    if (PressedOnce(bh::kLockConfirm, confirm, kTakeAll)) chosen = true;

    // Held directions repeat after 24, 18, 12, 6 and then every 3 updates.
    Repeat list{RepeatWait(), RepeatGap(), 24, 6, 3};
    RepeatCountdown(list, AllBelow({bh::kJoyUp, bh::kJoyRight, bh::kJoyDown, bh::kJoyLeft}, 0.25f));
    if (RepeatStep(list, AnyAbove({bh::kJoyUp, bh::kJoyLeft}))) {
        DifficultyCursor -= 1;
        PlaySFX(bh::kSfxMove, 1.2f);
        BoardTimer = 0;
        BoardPage = 0;
    }
    if (RepeatStep(list, AnyAbove({bh::kJoyDown, bh::kJoyRight}))) {
        DifficultyCursor += 1;
        PlaySFX(bh::kSfxMove, 0.8f);
        BoardTimer = 0;
        BoardPage = 0;
    }
    if (DifficultyCursor < 1) DifficultyCursor = n;
    if (DifficultyCursor > n) DifficultyCursor = 1;

    if (chosen) {
        PlaySFX(bh::kSfxConfirm);
        GameMode = bh::kModeNewGame;
        Difficulty = DifficultyCursor;
        DailyDate = 0;
        if (DifficultyCursor == bh::kDifficultyDaily) {
            Difficulty = bh::kDifficultyNormal;
            DailyDate = Today();
        }
        PointerPlay = AnyAbove({bh::kJoyButton1, bh::kJoyStart}) ? 0 : 1;
        // A new player is shown how to play before the first game; the game
        // is set up once the panel is put away.
        if (Settings[bh::kSettingHowToPlaySeen] == 0) OpenHowToPlay(bh::kScreenNone);
    }

    ResetDraw();
    SetSize(2.0f);
    SetCol(255, 200, 200, 0.75f);
    DrawImg(bh::kImgOptions, 32, 32, bh::kOptionBack);
    if (MouseIn_Centered(32, 32, 64, 64) > 0 && TouchedOnce(bh::kTouchLockClick, PointerDown > 0, kTakeAll)) {
        MenuPage = 0;
        PlaySFX(bh::kSfxConfirm);
    }

    // A pad's Start confirmed above and locked this; Escape cannot confirm,
    // so it reaches here and goes back.
    LetGo(bh::kLockBack, AllBelow({bh::kJoyButton2, bh::kJoyStart}));
    if (PressedOnce(bh::kLockBack, AnyAbove({bh::kJoyButton2, bh::kJoyStart}), kTakeAll)) {
        MenuPage = 0;
        PlaySFX(bh::kSfxConfirm);
    }
}
