// The seeded generator's state, defined in VellCore_random.cpp. A replay
// saves and restores it to play a game's draws again.
#pragma once

extern int jRand_Seed;
extern int jRand_Count;
extern int jRand_Bit;
extern int jRand_Plus;
extern int jRand_Out;
extern int jRand_tSeed;
extern const signed char jRand_Txt[257];
