// What the play screen tells the player beyond the cave itself, read back
// from one step's draw list: each switch's number or tick, the arrow to the
// next goal, the prompt while a respawn waits, the blink of the grace after
// it, and the level, switches and multiplier beside the score.
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "test_play_support.h"

using namespace playtest;

namespace {

// Cell centres on the 800 x 600 screen of a 50 x 25 cave of 16-pixel cells.
float CX(int x) { return 8.0f + 16 * x; }
float CY(int y) { return 108.0f + 16 * y; }

const double* Record(int i) { return &ASys.Draw[30 * i]; }

// Records of a kind whose centre (or first corner) lies near (x, y).
std::vector<const double*> Near(int kind, float x, float y, float reach) {
    std::vector<const double*> out;
    for (int i = 0; i < ASys.DrawTo; i++) {
        const double* r = Record(i);
        if (r[0] == kind && std::fabs(r[1] + rw2 - x) < reach && std::fabs(r[2] + rh2 - y) < reach) out.push_back(r);
    }
    return out;
}

// The text drawn centred near (x, y), or "".
std::string TextNear(float x, float y, float reach = 12) {
    for (const ShownText& t : TextsDrawn())
        if (std::fabs(t.x - x) < reach && std::fabs(t.y - y) < 1) return t.text;
    return "";
}

float Brightness(const double* r) {
    return (float)((r[vell::kRecLowRed] + r[vell::kRecLowGreen] + r[vell::kRecLowBlue]) / 3 * r[vell::kRecLowAlpha] /
                   255);
}

class PlayGuides : public HoveringBird {
protected:
    static void Switch(int x, int y, int code) {
        Cell(x, y)[0] = (float)code;
        Cell(x + 1, y)[0] = (float)(code + 1);
    }
};

TEST_F(PlayGuides, SwitchesShowTheirNumberOrATick) {
    PlayRecord& p = G().Play;
    p.LevelNumber = 2;
    p.SwitchesOn = 1;
    Switch(5, 15, 6);    // lit
    Switch(10, 15, 16);  // next: number 2
    Switch(20, 15, 26);
    Switch(30, 15, 36);
    Switch(40, 15, 46);
    Step();

    const int at[4] = {10, 20, 30, 40};
    for (int i = 0; i < 4; i++) {
        float x = CX(at[i]) + 8;
        EXPECT_EQ(TextNear(x, CY(15)), std::to_string(i + 2)) << "switch at column " << at[i];
    }
    EXPECT_EQ(TextNear(CX(5) + 8, CY(15)), "") << "a lit switch shows no number";
    EXPECT_GE(Near(vell::kDrawQuad, CX(5) + 8, CY(15), 8).size(), 2u) << "but a tick";
    EXPECT_TRUE(Near(vell::kDrawQuad, CX(20) + 8, CY(15), 8).empty());

    // Digits fill 16 of the font's 32 rows: at least 12 pixels tall here.
    for (int i = 0; i < ASys.DrawTo; i++) {
        const double* r = Record(i);
        int c = (int)r[29] + 32;
        if (r[0] == 11 && r[28] == FontSlot && c >= '2' && c <= '5' && std::fabs(r[2] + rh2 - CY(15)) < 1) {
            EXPECT_GE(16 * std::fabs(r[3]), 12.0) << (char)c;
        }
    }

    // The next switch's plate is bright, a waiting one's dim.
    auto plate = [](int column) {
        std::vector<const double*> found = Near(vell::kDrawOval, CX(column) + 8, CY(15), 1);
        return found.empty() ? -1.0f : Brightness(found.front());
    };
    ASSERT_GE(plate(10), 0);
    ASSERT_GE(plate(20), 0);
    EXPECT_GT(plate(10), plate(20) + 150);
}

TEST_F(PlayGuides, AnArrowPointsAtTheNextGoal) {
    PlayRecord& p = G().Play;
    for (int x = 45; x < 50; x++) Cell(x, 20)[0] = 4;
    Switch(10, 15, 16);
    struct Case {
        const char* what;
        int on, level, scroll;
        float x, top;  // where the arrow's tip must be: above the goal
        bool hint;
    } cases[] = {
        {"the active switch", 0, 2, 0, CX(10) + 8, CY(15), false},
        {"the open exit", 5, 2, 0, (CX(45) + CX(49)) / 2, CY(20), false},
        {"the first room's exit, with a word", 5, 0, 0, (CX(45) + CX(49)) / 2, CY(20), true},
        {"nothing while the next cave scrolls in", 0, 2, 10, -1, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        p.SwitchesOn = (float)c.on;
        p.LevelNumber = (float)c.level;
        p.ScrollLeft = (float)c.scroll;
        Bird(20, 10);
        ASys.DrawTo = 0;
        G().DoGame();
        std::vector<const double*> arrows;
        for (int i = 0; i < ASys.DrawTo; i++)
            if (Record(i)[0] == vell::kDrawTri) arrows.push_back(Record(i));
        if (c.x < 0) {
            EXPECT_TRUE(arrows.empty());
            continue;
        }
        ASSERT_FALSE(arrows.empty());
        for (const double* r : arrows) {
            EXPECT_NEAR(r[5] + rw2, c.x, 0.5);  // the tip
            EXPECT_LT(r[6] + rh2, c.top - 8);
            EXPECT_GT(r[6] + rh2, c.top - 40);
        }
        EXPECT_EQ(Drew("Land on the blinking exit"), c.hint);
    }
}

TEST_F(PlayGuides, APromptSaysToLetGoWhileTheRespawnWaits) {
    PlayRecord& p = G().Play;
    struct Case {
        float hold, flap, right, left;
        bool prompt;
    } cases[] = {
        {1, 1, 0, 0, true},     {1, 0, 1, 0, true},
        {1, 0, 0, 1, true},     {1, 0.2f, 0, 0, true},  // any flap at all keeps the bird waiting
        {1, 0, 0.4f, 0, false},                         // let go enough: the bird flies this step
        {0, 1, 1, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.hold << " " << c.flap << " " << c.right << " " << c.left);
        Bird(2, 19);
        p.RespawnHold = c.hold;
        Controls(c.flap, c.right, c.left);
        Step();
        EXPECT_EQ(Drew("Let go to fly"), c.prompt);
    }

    // Killed by a bramble while Right is held: the prompt comes at once and
    // stays until Right is let go.
    p.RespawnHold = 0;
    p.RespawnGrace = 0;
    Bird(20, 10);
    Cell(20, 10)[0] = 1;
    Controls(0, 1, 0);
    Step();
    ASSERT_EQ(p.Lives, 2);
    EXPECT_TRUE(Drew("Let go to fly"));
    for (int i = 0; i < 30; i++) Step();
    EXPECT_TRUE(Drew("Let go to fly"));
    EXPECT_EQ(p.PlayerX, 2);
    Controls(0, 0, 0);
    Step();
    EXPECT_FALSE(Drew("Let go to fly"));
}

TEST_F(PlayGuides, TheRespawnPromptNamesThePadButtonHeld) {
    PlayRecord& p = G().Play;
    // Pads in the standard layout, none known yet, whatever an earlier
    // test left behind.
    memset(ASys.PadLayout, 0, sizeof ASys.PadLayout);
    ASys.StandardPads = true;
    ASys.LastInput = -1;
    G().MixJoy = 1;
    memset(ignorePress, 0, sizeof ignorePress);
    G().PadLost();
    G().FlushKeys();
    G().KeyDefaults();
    PadSample rest = {};
    rest.axes[4] = rest.axes[5] = -1;
    struct Case {
        int button, axis;
        const char* named;  // null: the stick has no name of its own
    } cases[] = {{0, -1, "Holding A"}, {12, -1, "Holding D-pad Right"}, {-1, 0, nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        memset(ASys.Joy, 0, sizeof ASys.Joy);
        PadSample held = rest;
        if (c.button >= 0) held.buttons[c.button] = 1;
        if (c.axis >= 0) held.axes[c.axis] = 1;
        // Seen at rest first, then pressed: a fresh press from the pad.
        ReadPad(0, "Pad", &rest, nullptr, 0, nullptr, 0, 0);
        G().PollInput(0);
        ReadPad(0, "Pad", &held, nullptr, 0, nullptr, 0, 0);
        G().PollInput(0);
        G().GameBreak = 0;
        Bird(2, 19);
        p.RespawnHold = 1;
        Step();
        EXPECT_TRUE(Drew("Let go to fly"));
        bool named = false;
        for (const std::string& line : LinesDrawn()) named |= line.rfind("Holding", 0) == 0;
        if (c.named) {
            EXPECT_TRUE(Drew(c.named));
        } else {
            EXPECT_FALSE(named);
        }
    }
    memset(ASys.Joy, 0, sizeof ASys.Joy);
}

TEST_F(PlayGuides, TheBirdBlinksThroughTheGraceAndOnlyThen) {
    PlayRecord& p = G().Play;
    auto birdAlpha = [] {
        for (int i = 0; i < ASys.DrawTo; i++)
            if (Record(i)[0] == 11 && Record(i)[28] == 0) return Record(i)[vell::kRecLowAlpha] / 255;
        return -1.0;
    };
    // Held at the respawn: whole, however long the grace.
    p.RespawnHold = 1;
    p.RespawnGrace = 60;
    Controls(0, 1, 0);
    for (int i = 0; i < 20; i++) {
        Step();
        ASSERT_DOUBLE_EQ(birdAlpha(), 1.0) << i;
    }
    // Let go: faint and whole by turns while the grace runs, then whole.
    Controls(0, 0, 0);
    int faint = 0, whole = 0;
    for (int i = 0; i < 90; i++) {
        Bird(20, 10);  // out of harm's and gravity's way
        bool grace = p.RespawnHold == 0 && p.RespawnGrace > 0;
        Step();
        double a = birdAlpha();
        if (!grace) {
            EXPECT_DOUBLE_EQ(a, 1.0) << i;
            continue;
        }
        if (a < 0.5) faint++;
        else whole++;
    }
    EXPECT_GE(faint, 16);
    EXPECT_GE(whole, 16);
    EXPECT_LE(p.RespawnGrace, 0);
}

TEST_F(PlayGuides, TheScoreLineAddsLevelSwitchesAndMultiplier) {
    MyGame& g = G();
    PlayRecord& p = g.Play;
    // The score line as it was, for the places it must keep.
    ASys.DrawTo = 0;
    g.BramblehopScoreDisplay(1);
    std::vector<ShownText> before = TextsDrawn();
    ASSERT_EQ(before.size(), 3u);

    struct Case {
        int level, on, followers;
        std::vector<std::string> shown, hidden;
    } cases[] = {
        {0, 5, 0, {"Intro room"}, {"Switches 5/5", "x2"}},  {1, 0, 0, {"Level 1", "Switches 0/5"}, {"x2"}},
        {3, 2, 1, {"Level 3", "Switches 2/5", "x2"}, {}},   {3, 4, 2, {"Level 3", "Switches 4/5", "x3"}, {}},
        {12, 5, 3, {"Level 12", "Switches 5/5", "x5"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        p.LevelNumber = (float)c.level;
        p.SwitchesOn = (float)c.on;
        for (int j = 0; j < 3; j++) p.FollowerKind[j] = j < c.followers ? (float)(j + 1) : 0;
        p.FollowerCount = (float)c.followers;
        Bird(20, 10);
        Step();
        for (const std::string& t : c.shown) EXPECT_TRUE(Drew(t)) << t;
        for (const std::string& t : c.hidden) EXPECT_FALSE(Drew(t)) << t;
        // Score, target and bonus keep their places; the new words sit
        // apart from them on the left.
        std::vector<ShownText> now = TextsDrawn();
        for (const ShownText& b : before) {
            bool kept = false;
            for (const ShownText& t : now) kept |= t.text == b.text && t.x == b.x && t.y == b.y;
            EXPECT_TRUE(kept) << b.text;
        }
        for (const ShownText& t : now)
            if (t.text.rfind("Level", 0) == 0 || t.text.rfind("Switches", 0) == 0) {
                EXPECT_LT(t.x + g.StringWidth(t.text.c_str()), before[0].x - 40) << t.text;
                EXPECT_FLOAT_EQ(t.y, 16);
            }
    }
    g.ScreenshotMode = 1;
    Step();
    EXPECT_FALSE(Drew("Level 12"));
    EXPECT_FALSE(Drew("x5"));
}

}  // namespace
