// The stages of the play step run alone: the pictures change nothing in
// play, the touches and the movement draw nothing, and each touch rule
// holds without a picture being recorded.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

#include "gameplay/play_steps.h"
#include "test_play_support.h"

using namespace playtest;

namespace {

// Cell (x, y) is drawn centred at (8 + 16 x, 108 + 16 y) on the 800 x 600
// test screen.
class PlayStages : public HoveringBird {
protected:
    // Something of everything around a bird flying between cells 19 and
    // 20: a bramble and a waiting chick on either side of it, a lit and an
    // unlit switch, an arm sweeping through it, two followers on a trail,
    // and the exit blinking.
    static void BusyCave() {
        MyGame& g = G();
        PlayRecord& p = g.Play;
        Bird(19.5f, 10);
        g.Put(19, 10, 1);
        g.Put(20, 10, 20);
        g.Put(10, 15, 16);
        g.Put(11, 15, 17);
        g.Put(30, 15, 6);
        g.Put(23, 10, 11);
        Cell(23, 10)[5] = 270;
        Cell(23, 10)[6] = 2;
        Cell(23, 10)[7] = 5;
        g.Put(48, 22, 5);
        p.SwitchesOn = 5;
        for (int i = 0; i < 100; i++) {
            g.TrailX[i] = 300.0f + i;
            g.TrailY[i] = 260;
        }
        p.FollowerKind[0] = 2;
        p.FollowerKind[1] = 3;
        p.FollowerCount = 2;
        p.ChickX[1] = p.ChickX[2] = 290;
        p.ChickY[1] = p.ChickY[2] = 268;
        p.SpeedX = 0.5f;
        p.SpeedY = 1;
        p.SpeedFactor = 0.9f;
        p.Gravity = 0.15f;
        p.FlapFrame = 2;
    }
};

// Everything a stage could change in play: the record, the live, old and
// next levels, the trail, and the particles (score risers among them).
struct PlayState {
    PlayRecord record;
    std::vector<float> map, trail, particles;
    explicit PlayState(MyGame& g) : record(g.Play) {
        map.assign(g.TileMap, g.TileMap + 125 * 60 * 10);
        trail.assign(g.TrailX, g.TrailX + 100);
        trail.insert(trail.end(), g.TrailY, g.TrailY + 100);
        particles.assign(g.Particles, g.Particles + 260 * 10);
    }
    bool operator==(const PlayState& o) const {
        return memcmp(&record, &o.record, sizeof record) == 0 && map == o.map && trail == o.trail &&
               particles == o.particles;
    }
};

TEST_F(PlayStages, PicturesChangeNothingInPlay) {
    MyGame& g = G();
    BusyCave();
    PlayStep s = BeginStep(g);
    // The arm and the bramble are on the bird: only a touch may say so.
    const std::vector<std::pair<const char*, std::function<void()>>> pictures = {
        {"backdrop", [&] { DrawBackdrop(g); }},    {"trail", [&] { DrawTrail(g, s); }},
        {"tiles", [&] { DrawTiles(g, s); }},       {"chicks", [&] { DrawChicks(g); }},
        {"followers", [&] { DrawFollowers(g); }},  {"bird", [&] { DrawBird(g, s); }},
        {"spinners", [&] { DrawSpinners(g, s); }}, {"surroundings", [&] { DrawSurroundings(g, s); }},
    };
    for (const auto& picture : pictures) {
        SCOPED_TRACE(picture.first);
        PlayState before(g);
        SoundLog heard;
        ASys.DrawTo = 0;
        picture.second();
        EXPECT_GT(ASys.DrawTo, 0);
        EXPECT_TRUE(PlayState(g) == before);
        EXPECT_EQ(s.dead, 0);
        EXPECT_TRUE(heard.effects.empty());
    }
}

// Solid black hides what lies above and below the cave (rows 0 to 24, from
// y = 100 to 500) out to the screen's edges, and none of the cave itself.
TEST_F(PlayStages, BlackBandsHideAboveAndBelowTheCaveOnly) {
    MyGame& g = G();
    PlayStep s = BeginStep(g);
    ASys.DrawTo = 0;
    DrawSurroundings(g, s);
    bool above = false, below = false;
    for (int i = 0; i < ASys.DrawTo; i++) {
        const double* r = &ASys.Draw[vell::kRecordSize * i];
        if (r[vell::kRecKind] != vell::kDrawRect || r[vell::kRecHighAlpha] != 255 || r[vell::kRecHighRed] != 0 ||
            r[vell::kRecHighGreen] != 0 || r[vell::kRecHighBlue] != 0)
            continue;
        double y = r[vell::kRecY] + rh2, half = std::fabs(r[vell::kRecH]) / 2;
        SCOPED_TRACE(testing::Message() << "band from " << y - half << " to " << y + half);
        EXPECT_TRUE(y + half <= 100 || y - half >= 500);
        above = above || (y + half >= 100 && y - half <= 0);
        below = below || (y - half <= 500 && y + half >= 600);
    }
    EXPECT_TRUE(above);
    EXPECT_TRUE(below);
}

TEST_F(PlayStages, MovementAndTouchesDrawNothing) {
    MyGame& g = G();
    BusyCave();
    PlayStep s = BeginStep(g);
    const std::vector<std::pair<const char*, std::function<void()>>> stages = {
        {"trail", [&] { AdvanceTrail(g, s); }},
        {"chicks bob", [&] { BobChicks(g, s); }},
        {"followers", [&] { ChaseFollowers(g); }},
        {"bird", [&] { MoveBird(g); }},
        {"steering", [&] { Steer(g); }},
        {"flap", [&] { Flap(g); }},
        {"lost chicks", [&] { LostChicksFall(g); }},
        {"spinners turn", [&] { TurnSpinners(g, s); }},
        {"tiles", [&] { TouchTiles(g, s); }},
        {"here", [&] { PickUpHere(g, s); }},
        {"map", [&] { TouchMap(g, s); }},
        {"fall", [&] { FallOut(g, s); }},
        {"spinners", [&] { TouchSpinners(g, s); }},
        {"hit", [&] { TakeHit(g, s); }},
    };
    for (const auto& stage : stages) {
        SCOPED_TRACE(stage.first);
        ASys.DrawTo = 0;
        stage.second();
        EXPECT_EQ(ASys.DrawTo, 0);
    }
    // The bramble and the arm touched the bird, the chick beside it was
    // picked up for its ten points, and the hit cost a life.
    EXPECT_EQ(s.dead, 1);
    EXPECT_EQ(Code(20, 10), 0);
    EXPECT_EQ(g.Play.Score, 10);
    EXPECT_EQ(g.Play.Lives, 2);
}

TEST_F(PlayStages, MovementFollowsTheSpeedsAlone) {
    MyGame& g = G();
    PlayRecord& p = g.Play;
    p.SpeedX = 1;
    p.SpeedY = 1;
    p.SpeedFactor = 0.9f;
    p.Gravity = 0.15f;
    ASys.DrawTo = 0;
    MoveBird(g);
    EXPECT_FLOAT_EQ(p.PlayerX, 20 + 0.15f * 0.9f);
    EXPECT_FLOAT_EQ(p.PlayerY, 10 + 0.08f * 0.9f);
    EXPECT_FLOAT_EQ(p.SpeedY, 1 + 0.15f * 0.9f);
    // Frozen while the next cave scrolls in or the bird waits to respawn.
    p.ScrollLeft = 3;
    MoveBird(g);
    EXPECT_FLOAT_EQ(p.PlayerX, 20 + 0.15f * 0.9f);
    EXPECT_EQ(ASys.DrawTo, 0);
}

// A bramble kills within 0.7 of a tile sideways and 0.85 up or down of the
// bird's centre; the picture of the same cave decides nothing.
TEST_F(PlayStages, BrambleReachIsDecidedByTheTouchAlone) {
    MyGame& g = G();
    const struct {
        float dx, dy;
        bool dead;
    } cases[] = {
        {0, 0, true},    {0.65f, 0, true}, {-0.65f, 0, true}, {0.75f, 0, false},
        {0, 0.8f, true}, {0, -0.8f, true}, {0, 0.9f, false},  {0.65f, 0.8f, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dx << ", " << c.dy);
        SetUp();
        g.Put(20, 10, 1);
        Bird(20 + c.dx, 10 + c.dy);
        PlayStep s = BeginStep(g);
        ASys.DrawTo = 0;
        DrawTiles(g, s);
        EXPECT_EQ(CountImages(1, 0), 1);
        EXPECT_EQ(s.dead, 0);
        ASys.DrawTo = 0;
        TouchTiles(g, s);
        EXPECT_EQ(s.dead, c.dead);
        EXPECT_EQ(ASys.DrawTo, 0);
    }
}

// A touch kills only a bird in the air that is neither waiting to respawn
// nor just back, and only while it has lives.
TEST_F(PlayStages, HitCostsALifeOnlyWhenTheBirdCanBeHurt) {
    MyGame& g = G();
    const struct {
        const char* what;
        int dead;
        float ground, hold, grace, lives;
        bool dies;
    } cases[] = {
        {"touched in the air", 1, 0, 0, 0, 3, true},
        {"untouched", 0, 0, 0, 0, 3, false},
        {"touched while standing", 1, 1, 0, 0, 3, false},
        {"touched while waiting to respawn", 1, 0, 1, 0, 3, false},
        {"touched just after a respawn", 1, 0, 0, 5, 3, false},
        {"touched on the last life", 1, 0, 0, 0, 0, true},
        {"touched with no lives left", 1, 0, 0, 0, -1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        PlayRecord& p = g.Play;
        p.GroundTimer = c.ground;
        p.RespawnHold = c.hold;
        p.RespawnGrace = c.grace;
        p.Lives = c.lives;
        PlayStep s = BeginStep(g);
        s.dead = c.dead;
        SoundLog heard;
        TakeHit(g, s);
        EXPECT_EQ(p.Lives, c.dies ? c.lives - 1 : c.lives);
        EXPECT_EQ(heard.effects.size(), c.dies ? 1u : 0u);
    }
}

}  // namespace
