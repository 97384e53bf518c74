// The credits: lines rolling up over a field of moving coloured lines,
// spreading apart and fading as they leave the middle of the screen.
#include "MyGame.h"

namespace {

const char* const kCreditText[] = {
    "Another game by",
    "the Bramblehop developers",
    "",
    "Bramblehop",
    "Flap, land on the switches",
    "and bring the chicks home",
    "",
    "-=-=-",
    "",
    "Coded In",
    "C++",
    "by the Bramblehop developers",
    "",
    "Window, keys and pads: GLFW",
    "Drawing: OpenGL",
    "Sound: OpenAL",
    "Music decoding: stb_vorbis",
    "Picture decoding: LodePNG",
    "Built with CMake",
    "Tested with GoogleTest",
    "",
    "-=-=-",
    "",
    "Graphics",
    "Every picture is generated",
    "by our own asset generator",
    "in the tools folder",
    "",
    "-=-=-",
    "",
    "Font",
    "Drawn in code",
    "by our own asset generator",
    "No typeface was used",
    "",
    "-=-=-",
    "",
    "Audio",
    "Every sound effect is synthesised",
    "by our own generator program",
    "in the tools folder",
    "",
    "-=-=-",
    "",
    "Music",
    "Composed and synthesised",
    "by our own generator program",
    "Encoded with libvorbis",
    "",
    "-=-=-",
    "",
    "Special Thanks",
    "",
    "The GLFW developers",
    "The OpenAL Soft developers",
    "The Mesa developers",
    "The authors of stb_vorbis",
    "The author of LodePNG",
    "The Xiph.Org Foundation",
    "for Ogg and Vorbis",
    "",
    "Everyone who keeps",
    "free software free",
    "",
    "And you, for playing",
    "",
    "-=-=-",
    "",
    "Thanks for watching",
    "Press any button",
    "",
    "-=-=-",
};

const int kLead = 4;    // lines of empty space before the first one
const int kPitch = 36;  // pixels from line to line

}  // namespace

void MyGame::AddCredits(const char* line) {
    CreditCount += 1;
    CreditScroll = 0;
    if (CreditCount >= 0 && CreditCount < 1024) CreditLines[CreditCount] = line ? line : "";
}

void MyGame::AddDefaultCredits() {
    CreditCount = -1;
    for (const char* line : kCreditText) AddCredits(line);
}

void MyGame::Credits() {
    float W = ScreenW, H = ScreenH;
    AddPlatBG();
    ResetDraw();

    const auto buttons = {bh::kJoyStart, bh::kJoyButton1, bh::kJoyBackSelect, bh::kJoyButton2};
    LetGo(bh::kLockCreditsClose, AllBelow(buttons));
    bool close = AnyAbove(buttons) || PlayKey(bh::kPlayKeyEscape) != 0 || PlayKey(bh::kPlayKeyReturn) != 0;
    if (PressedOnce(bh::kLockCreditsClose, close, kTakeAll)) {
        OverlayScreen = bh::kScreenNone;
        PlaySFX(bh::kSfxConfirm);
    }
    for (int t = 0; t < bh::kPointers; t++) {
        TouchLetGo(t + 1, TouchDown(t) == 0);
        if (TouchedOnce(t + 1, TouchDown(t) != 0, kTakeAll)) {
            OverlayScreen = bh::kScreenNone;
            PlaySFX(bh::kSfxConfirm);
        }
    }

    // With Less Motion nothing rolls by itself: Down and Right roll the
    // lines on, Up and Left back, and the lines in the back stand still.
    bool calm = Settings[bh::kSettingCalmMotion] == 1;
    if (calm) {
        if (AnyAbove({bh::kJoyDown, bh::kJoyRight})) CreditScroll -= 2.25f;
        if (AnyAbove({bh::kJoyUp, bh::kJoyLeft})) CreditScroll += 2.25f;
        if (CreditScroll > 0) CreditScroll = 0;
    } else {
        CreditScroll -= 0.75f;
        if (AnyAbove({bh::kJoyUp, bh::kJoyRight, bh::kJoyDown, bh::kJoyLeft})) CreditScroll -= 1.5f;
    }
    if (CreditScroll < -(float)kPitch * (CreditCount + 8)) CreditScroll = 0;

    SetSize(1.4f);
    Thick(2.0f);

    double m = calm ? 0.0 : Mills(), f = 0.025;
    for (int i = 0; i < 80; i += 2) {
        float x1 = W / 2 + 400 * Sin((float)(f * (m + 30 * i)));
        float y1 = H / 2 + 400 * Cos((float)(f * 1.6 * (m + 30 * i)));
        float x2 = W / 2 + 400 * Sin((float)(f * 2 * (m + 60 * i)));
        float y2 = H / 2 + 400 * Cos((float)(f * 1.3 * (m + 60 * i)));
        InkRot((float)(5 * i));
        Line(x1, y1, x2, y2);
    }

    // Lines past the 1,024th are counted but were never stored.
    int last = CreditCount < 1023 ? CreditCount : 1023;
    for (int i = 0; i <= last; i++) {
        float y = (float)(kPitch * (i + kLead)) + CreditScroll;
        float a = y < 0 ? 3.0f + 0.0225f * y : 3.0f - 0.0225f * y;
        if (a <= 0) continue;
        if (a > 1) a = 1;
        float k = 0.01f * y;
        if (k > -0.5f && k < 0.5f) k = 0.5f;
        if (k < 0) k = -k;
        float shown = 2 * k * y + H / 2;
        float p = 20.0f * i, q = 30.0f * i;
        SetGradient(150 * Sin(p) + 190, 150 * Sin(120 + p) + 190, 150 * Sin(240 + p) + 190, a, 150 * Sin(q) + 255,
                    150 * Sin(120 + q) + 255, 150 * Sin(240 + q) + 255, a);
        Text(W / 2, shown, CreditLines[i].c_str(), 1.0f);
    }

    ResetDraw();
    SetSize(0.75f);
    Text(W - 24, 24, fstr("Plays %i", Settings[bh::kSettingGamesPlayed]), 2.0f);
    Text(W - 24, H - 48, fstr("Real %ix%i", RealW, RealH), 2.0f);
    Text(W - 24, H - 24, fstr("Virtual %ix%i", (int)W, (int)H), 2.0f);
}
