// Gameplay internals shared by the files of this folder: cell access, the
// stages of the play step and one phase of building a cave. Each stage of
// the step does one kind of work: the simulation moves things, the touches
// decide what the bird and its chicks run into, and the drawing records the
// scene without changing play.
#pragma once

#include "MyGame.h"

// Row stride of the tile map, fixed whatever the level's width.
const int MapStride = 60;
// Switches in a cave; the exit opens once they are all on.
const int SwitchCount = 5;
// Rows the storage can hold; rows 0-124 are the only ones in use.
const int MapRows = MyGame::TileCells / MapStride;

// Lives counts the birds to spare: the last bird flies at 0. Below that the
// game is lost, and the bird is only a memory that touches nothing.
inline bool BirdInPlay(const PlayRecord& p) { return p.Lives > -1; }
inline bool OutOfLives(const PlayRecord& p) { return p.Lives < 0; }

// Tile codes that several stages test for.
inline bool IsActiveSwitch(int c) { return c == bh::kTileActiveSwitchLeft || c == bh::kTileActiveSwitchRight; }
inline bool IsChick(int c) { return c >= bh::kTileChick1 && c <= bh::kTileChick3; }

// The ten floats of cell (x, y), or nullptr when (x, y) is outside the
// storage. Any row is reachable, so the previous and next levels too.
float* TileCell(MyGame& g, int x, int y);

// Values fixed at the start of a play step and shared by its stages.
struct PlayStep {
    int W, H;      // level size in cells
    float TS, SC;  // tile size in pixels, sprite scale
    int ox, oy;    // screen centre of cell (0, 0)
    float px, py;  // the bird on screen
    int m;         // score multiplier
    int t;         // the clock the waiting chicks bob to
    int dead;      // something touched the bird this step
};

// Sizes the step from the play record; nothing is drawn or moved.
PlayStep BeginStep(MyGame& g);
int CellX(const PlayStep& s, int x);
int CellY(const PlayStep& s, int y);

// Simulation (play.cpp, followers.cpp).
void AdvanceTrail(MyGame& g, const PlayStep& s);
void BobChicks(MyGame& g, const PlayStep& s);
void ChaseFollowers(MyGame& g);
void MoveBird(MyGame& g);
void Steer(MyGame& g);
void Flap(MyGame& g);
void ScrollIn(MyGame& g, const PlayStep& s);
void LostChicksFall(MyGame& g);
void TurnSpinners(MyGame& g, const PlayStep& s);
// Where a waiting chick shows this step, and arm i of the spinner at (x, y).
void ChickBob(MyGame& g, const PlayStep& s, int x, int y, int& bx, int& by);
void SpinnerArm(MyGame& g, const PlayStep& s, int x, int y, int i, float& bx, float& by);

// Touches (play_touch.cpp): they set s.dead, collect, land and score.
void TouchTiles(MyGame& g, PlayStep& s);
void PickUpHere(MyGame& g, const PlayStep& s);
void TouchMap(MyGame& g, const PlayStep& s);
void FallOut(MyGame& g, PlayStep& s);
void TouchSpinners(MyGame& g, PlayStep& s);
void TakeHit(MyGame& g, const PlayStep& s);
void CollectChick(MyGame& g, const PlayStep& s, int x, int y);

// Drawing (play_draw.cpp).
void DrawBackdrop(MyGame& g);
void DrawTrail(MyGame& g, const PlayStep& s);
void DrawTiles(MyGame& g, const PlayStep& s);
void DrawChicks(MyGame& g);
void DrawFollowers(MyGame& g);
void DrawBird(MyGame& g, const PlayStep& s);
void DrawSpinners(MyGame& g, const PlayStep& s);
void DrawSurroundings(MyGame& g, const PlayStep& s);
// Switch numbers, the arrow to the next goal, the respawn prompt.
void DrawGuides(MyGame& g, const PlayStep& s);
// Level, switches lit and the chick multiplier (scoredisplay.cpp).
void DrawProgress(MyGame& g, const PlayStep& s);

// One phase of building a cave (levelgen.cpp): a corridor from the left
// margin to the right one, marked on the live rows, that bends to meet
// every switch when asked to.
void DigCorridor(MyGame& g, int half, bool toSwitches);

// Twenty sparks in a ring (a switch coming alive, the exit opening).
void SparkRing(MyGame& g, float x, float y);
