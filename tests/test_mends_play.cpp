// Deaths and the end of a game, played through the input poll: a respawn
// inside harm's way costs one life, and a game without lives scores nothing.
#include "test_mends_support.h"

using namespace mends;
using playtest::Cell;

namespace {

class MendsPlay : public PlayerTest {};

TEST_F(MendsPlay, RespawnInHarmsWayCostsOneLifeThenASecondOfGrace) {
    Playing();
    PlayRecord& p = g.Play;
    // Brambles right where a lost bird comes back, and the bird in them,
    // flapping: no ledge under the respawn point to stand on.
    for (int x = 0; x < 50; x++) Cell(x, 20)[0] = 0;
    Cell(2, 19)[0] = 1;
    p.PlayerX = 2;
    p.PlayerY = 19;
    p.GroundTimer = 0;
    Hands().control[10] = 1;
    Update(20);
    EXPECT_EQ(p.Lives, 2) << "one death, one life";
    EXPECT_EQ(p.RespawnHold, 1);
    EXPECT_EQ(g.GameEnding, 0);

    // Let go: the bird falls through the brambles and out of the cave, and
    // is safe for about a second (60 frames of 1/60 s).
    LetGo();
    Update(60);
    EXPECT_EQ(p.Lives, 2);
    Update(20);
    EXPECT_EQ(p.Lives, 1) << "the grace ends";
}

TEST_F(MendsPlay, WithoutLivesNothingIsLandedOnPickedUpOrScored) {
    struct Case {
        const char* what;
        int code, x, y;  // a tile placed at (x, y); the bird falls at (10, 19)
    } cases[] = {
        {"the open exit", 4, 10, 20},
        {"the active switch", 16, 10, 20},
        {"a chick", 20, 10, 19},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        Playing();
        PlayRecord& p = g.Play;
        for (int x = 0; x < 50; x++) Cell(x, 20)[0] = 0;
        Cell(c.x, c.y)[0] = (float)c.code;
        p.SwitchesOn = c.code == 4 ? 5 : 0;
        float switches = p.SwitchesOn;
        p.GroundTimer = 0;
        p.SpeedY = 1;
        // As the last death leaves it.
        p.Lives = -1;
        g.EndGame(1);
        Update(3);
        EXPECT_EQ(p.Score, 0);
        EXPECT_EQ(p.LevelNumber, 0);
        EXPECT_EQ(p.ScrollLeft, 0);
        EXPECT_EQ(p.SwitchesOn, switches);
        EXPECT_EQ(p.FollowerCount, 0);
        EXPECT_EQ(playtest::Code(c.x, c.y), c.code);
        TearDown();
    }
}

}  // namespace
