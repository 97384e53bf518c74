// Gameplay internals shared by the files of this folder: cell access and
// the per-step helpers that the play step calls at fixed places.
#pragma once

#include "MyGame.h"

// Row stride of the tile map, fixed whatever the level's width.
const int MapStride = 60;
// Rows the storage can hold; rows 0-124 are the only ones in use.
const int MapRows = MyGame::TileCells / MapStride;

// The ten floats of cell (x, y), or nullptr when (x, y) is outside the
// storage. Any row is reachable, so the previous and next levels too.
float* TileCell(MyGame& g, int x, int y);

// Values fixed at the start of a play step and shared by its parts.
struct PlayStep {
    int W, H;       // level size in cells
    float TS, SC;   // tile size in pixels, sprite scale
    int ox, oy;     // screen centre of cell (0, 0)
    float px, py;   // the bird on screen
    int m;          // score multiplier
    int dead;       // something touched the bird this step
};

// Trail, chicks, followers and spinners, in the order the play step runs them.
void TrailStep(MyGame& g, const PlayStep& s);
void ChickTile(MyGame& g, const PlayStep& s, int x, int y, int sx, int sy, int code);
void DrawChicks(MyGame& g);
void CollectChick(MyGame& g, const PlayStep& s, int x, int y);
void FollowersStep(MyGame& g);
void LostChicksFall(MyGame& g);
void SpinnersStep(MyGame& g, PlayStep& s);

// Twenty sparks in a ring (a switch coming alive, the exit opening).
void SparkRing(MyGame& g, float x, float y);
