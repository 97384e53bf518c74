// What the front-end screens put in front of the player, read back from
// the draw list of one update: the scoreboard pages, the option rows, the
// name boxes, the credits and the list of bindings.
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "test_menu_fixture.h"

namespace {

using Lines = std::vector<std::string>;

// The screen's texts, with each row of value dots ("." per step, "|" on
// the value) joined into one word such as "....|......".
Lines Compact() {
    Lines out;
    bool dots = false;
    for (const std::string& t : LinesDrawn()) {
        bool isDot = t == "." || t == "|";
        if (isDot && dots) out.back() += t;
        else out.push_back(t);
        dots = isDot;
    }
    return out;
}

// The texts shown, less the rows of every setting but those in slots (a
// row is its label and the one word of its value). A setting added since
// shows in a row of its own, which the settings table's tests hold.
Lines WithoutOtherSettings(Lines shown, std::initializer_list<int> slots) {
    for (const bh::Setting& s : bh::kSettings) {
        if (!s.section || std::find(slots.begin(), slots.end(), s.slot) != slots.end()) continue;
        auto at = std::find(shown.begin(), shown.end(), s.label);
        if (at != shown.end() && at + 1 != shown.end()) shown.erase(at, at + 2);
    }
    return shown;
}

class FrontDrawn : public FrontScreen {};

TEST_F(FrontDrawn, ScoreboardPagesShowTheirOwnBoards) {
    const int top[5] = {900, 800, 700, 600, 500}, last[5] = {11, 22, 33, 44, 55};
    const int normal = bh::BoardBase(bh::kDifficultyNormal);
    const int easy = bh::BoardBase(bh::kDifficultyEasy), hard = bh::BoardBase(bh::kDifficultyHard);
    for (int i = 0; i < 5; i++) {
        g.ScoreTable[normal + i] = top[i];
        g.ScoreTable[normal + bh::kBoardNewest + i] = last[i];
        g.ScoreTable[easy + i] = g.ScoreTable[hard + i] = 7;  // the other difficulties
    }
    struct Case {
        int page;
        Lines want;
    } cases[] = {
        {0, {"Top 5", "00000900", "00000800", "00000700", "00000600", "00000500", "Watch best run [C]"}},
        {1, {"Last 5", "00000011", "00000022", "00000033", "00000044", "00000055", "Watch best run [C]"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        g.BoardTimer = 100;
        g.BoardPage = c.page;
        Run([&] { g.DisplayScoreboard(); });
        std::vector<ShownText> shown = TextsDrawn();
        ASSERT_EQ(LinesDrawn(), c.want);
        // Title at the top of the panel, then a row every 67 pixels.
        EXPECT_FLOAT_EQ(shown[0].y, 300 - 170);
        for (int i = 0; i < 5; i++) EXPECT_FLOAT_EQ(shown[1 + i].y, 300 - 139.5f + 67 * i + 30);
    }
}

TEST_F(FrontDrawn, OptionRowsShowTheirLabelsAndValues) {
    struct Case {
        int sfx, music, overscan, calm, invert, stats, name, scale;
        Lines want;
    } cases[] = {
        {7,
         3,
         2,
         1,
         0,
         1,
         0,
         0,
         {"Back",
          "Return",
          "Sound",
          "SFX Volume",
          "........|...",
          "Music Volume",
          "....|.......",
          "Player",
          "Online Name",
          "Enter Your Name",
          "Screen",
          "Fullscreen [F11]",
          "Switch",
          "Motion Reduction",
          "Less Motion",
          "Overscan",
          "...|........",
          "Render scale",
          "Auto",
          "Input",
          "Controller",
          "Define",
          "Invert Thumbstick Y",
          "Normal",
          "System",
          "Debug Stats [F1]",
          "On",
          "Help",
          "How to Play",
          "Show"}},
        // "AB" and ten blanks: codes 12 and 13 share the name's first slot.
        {0,
         10,
         10,
         0,
         1,
         0,
         12 | 13 << 8,
         1,
         {"Back",
          "Return",
          "Sound",
          "SFX Volume",
          ".|..........",
          "Music Volume",
          "...........|",
          "Player",
          "Online Name",
          "AB          ",
          "Screen",
          "Fullscreen [F11]",
          "Switch",
          "Motion Reduction",
          "Normal",
          "Overscan",
          "...........|",
          "Render scale",
          "Full",
          "Input",
          "Controller",
          "Define",
          "Invert Thumbstick Y",
          "Inverted",
          "System",
          "Debug Stats [F1]",
          "Off",
          "Help",
          "How to Play",
          "Show"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sfx);
        g.Settings[bh::kSettingSfxVolume] = c.sfx;
        g.Settings[bh::kSettingMusicVolume] = c.music;
        g.Settings[bh::kSettingOverscan] = c.overscan;
        g.Settings[bh::kSettingCalmMotion] = c.calm;
        g.Settings[bh::kSettingInvertStickY] = c.invert;
        g.Settings[bh::kSettingDebugStats] = c.stats;
        g.Settings[bh::kSettingName] = c.name;
        g.Settings[bh::kSettingRenderScale] = c.scale;
        g.OverlayScreen = bh::kScreenOptions;
        g.OptionsCursor = 0;
        g.OptionsScroll = 0;
        Run([&] { g.Options(); });
        EXPECT_EQ(WithoutOtherSettings(Compact(), {bh::kSettingSfxVolume, bh::kSettingMusicVolume, bh::kSettingOverscan,
                                                   bh::kSettingCalmMotion, bh::kSettingInvertStickY,
                                                   bh::kSettingDebugStats, bh::kSettingRenderScale}),
                  c.want);
    }
}

TEST_F(FrontDrawn, NameBoxesShowTheNameAndTheWheelOfTheEditedOne) {
    g.Settings[bh::kSettingName] = 12 | 13 << 8;  // "AB"
    g.OverlayScreen = bh::kScreenNameEntry;
    g.OptionsCursor = 1;
    Run([&] { g.EnterYourName(); });
    // The edited box, then the wheel of the four codes either side of it.
    Lines want = {"Enter Your Name", "A", "B", "7", "8", "9", "A", "B", "C", "D", "E", "F"};
    for (int k = 2; k < 12; k++) want.push_back(" ");
    EXPECT_EQ(LinesDrawn(), want);
    // Boxes 40 pixels apart along the middle row, the wheel 64 apart.
    std::vector<ShownText> shown = TextsDrawn();
    ASSERT_EQ(shown.size(), want.size());
    float first = shown[1].x;
    EXPECT_FLOAT_EQ(shown[2].x, first + 40);
    EXPECT_FLOAT_EQ(shown[12].x, first + 80);
    for (int d = -4; d <= 4; d++) EXPECT_FLOAT_EQ(shown[7 + d].y, shown[2].y + 64 * d) << d;
}

TEST_F(FrontDrawn, CreditsShowTheirLinesAndTheThreeStatusLines) {
    g.CreditCount = -1;
    for (const char* line : {"alpha", "beta", "gamma"}) g.AddCredits(line);
    // One update on, lines 0 to 2 sit 36 pixels above, on and below the
    // middle, within the band that neither spreads nor fades them out.
    g.CreditScroll = -179.25f;
    g.Settings[bh::kSettingGamesPlayed] = 17;
    g.RealW = 1024;
    g.RealH = 768;
    g.OverlayScreen = bh::kScreenCredits;
    Run([&] { g.Credits(); });
    EXPECT_EQ(LinesDrawn(), (Lines{"alpha", "beta", "gamma", "Plays 17", "Real 1024x768", "Virtual 800x600"}));
    std::vector<ShownText> shown = TextsDrawn();
    ASSERT_EQ(shown.size(), 6u);
    const float y[6] = {264, 300, 336, 24, 552, 576};
    for (int i = 0; i < 6; i++) EXPECT_FLOAT_EQ(shown[i].y, y[i]) << shown[i].text;
    // Centred, to within a glyph: "alpha" starts and ends with the same one.
    EXPECT_NEAR((shown[0].x + shown[0].lastX) / 2, 400, 16);
}

TEST_F(FrontDrawn, BindingListNamesEveryInputOfThePickedControl) {
    ASys.Joy[98] = ASys.Joy[99] = 1;  // pad 1 connected; pad 2 is not
    for (int code : {90, 257, 500, 603}) g.SetKey(10, code);
    g.OverlayScreen = bh::kScreenRedefine;
    g.RedefRow = 3;  // "Button 1"
    g.RedefCol = 1;
    g.RedefDelay = g.RedefTimeout = g.TestTimer = 0;
    Run([&] { g.RedefineKeys(); });
    // Newest binding first; the absent pad's button has no name to show.
    Lines names;
    std::vector<float> ys;
    for (const ShownText& t : TextsDrawn())
        if (std::fabs(t.x - (8 + 14 * 0.8f)) < 0.01f) {
            names.push_back(t.text);
            ys.push_back(t.y);
        }
    Lines want;
    for (int slot = 63; slot >= 0; slot--) {
        int code = g.KeyValue(10, slot);
        if (code == 90) want.push_back("[ Z ]");
        if (code == 257) want.push_back("[ Return ]");
        if (code == 500) want.push_back("Joy 1 Button 0");
    }
    ASSERT_EQ(want.size(), 3u);
    EXPECT_EQ(names, want);
    EXPECT_EQ(ys, (std::vector<float>{360, 336, 312}));
}

}  // namespace
