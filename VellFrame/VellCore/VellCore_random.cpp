// The engine's own table-driven generator, so a seed replays the same
// sequence on every machine.
#include "VellCore_random.h"

#include <climits>
#include <cmath>
#include <cstdint>

#include "VellCore.h"

int jRand_Seed = 0;
int jRand_Count = 0;
int jRand_Bit = 0;
int jRand_Plus = 0;
int jRand_Out = 0;
int jRand_tSeed = 0;

// 256 bytes, each 48..112, then a terminator.
const signed char jRand_Txt[257] = {
    0x34, 0x67, 0x4e, 0x35, 0x47, 0x4e, 0x47, 0x55, 0x48, 0x4f, 0x3c, 0x30, 0x64, 0x56, 0x57, 0x4e, 0x5e, 0x6c, 0x5e,
    0x38, 0x33, 0x6b, 0x34, 0x6b, 0x3a, 0x32, 0x44, 0x65, 0x51, 0x53, 0x56, 0x6d, 0x35, 0x4a, 0x31, 0x3d, 0x30, 0x48,
    0x58, 0x41, 0x54, 0x69, 0x5b, 0x58, 0x4b, 0x60, 0x52, 0x59, 0x4c, 0x51, 0x6f, 0x46, 0x62, 0x5e, 0x4f, 0x6a, 0x6f,
    0x6f, 0x4d, 0x37, 0x49, 0x5b, 0x3b, 0x45, 0x3e, 0x3d, 0x51, 0x6e, 0x55, 0x4c, 0x3d, 0x6d, 0x47, 0x56, 0x48, 0x6a,
    0x5a, 0x4e, 0x31, 0x63, 0x44, 0x5f, 0x41, 0x67, 0x59, 0x43, 0x5d, 0x68, 0x3d, 0x42, 0x5a, 0x4d, 0x63, 0x6e, 0x49,
    0x52, 0x61, 0x3f, 0x55, 0x32, 0x54, 0x33, 0x41, 0x5d, 0x63, 0x4d, 0x47, 0x45, 0x6e, 0x30, 0x56, 0x66, 0x35, 0x42,
    0x3e, 0x38, 0x5f, 0x55, 0x64, 0x6c, 0x5b, 0x45, 0x54, 0x64, 0x3e, 0x38, 0x59, 0x4b, 0x44, 0x67, 0x5b, 0x39, 0x52,
    0x57, 0x4d, 0x40, 0x6c, 0x5e, 0x32, 0x3a, 0x69, 0x42, 0x46, 0x51, 0x3a, 0x3c, 0x6b, 0x37, 0x3b, 0x4a, 0x53, 0x61,
    0x6b, 0x6c, 0x40, 0x40, 0x6d, 0x3b, 0x70, 0x5f, 0x50, 0x35, 0x59, 0x61, 0x50, 0x68, 0x49, 0x52, 0x44, 0x53, 0x62,
    0x3a, 0x30, 0x34, 0x66, 0x58, 0x48, 0x69, 0x68, 0x64, 0x6a, 0x43, 0x3f, 0x4b, 0x66, 0x34, 0x62, 0x45, 0x43, 0x4c,
    0x33, 0x46, 0x40, 0x42, 0x37, 0x5f, 0x6e, 0x49, 0x5a, 0x3f, 0x60, 0x4c, 0x3c, 0x4a, 0x67, 0x50, 0x58, 0x6f, 0x5a,
    0x61, 0x33, 0x57, 0x50, 0x4f, 0x31, 0x60, 0x53, 0x43, 0x60, 0x4b, 0x3e, 0x32, 0x36, 0x51, 0x39, 0x67, 0x65, 0x63,
    0x6a, 0x39, 0x46, 0x67, 0x5d, 0x65, 0x3b, 0x3c, 0x36, 0x36, 0x41, 0x54, 0x38, 0x4a, 0x37, 0x6d, 0x69, 0x5d, 0x65,
    0x31, 0x57, 0x68, 0x3f, 0x62, 0x66, 0x36, 0x4f, 0x39, 0};

// The generator's fixed spans, shared by the seeded draw and the clock's:
// a replay on any machine depends on every one of them.
const int kTable = 256;           // bytes in jRand_Txt
const int kPlusSpan = 13817278;   // the running sum, first step
const int kPlusSpan2 = 15215178;  // the running sum, second step
const int kMixSpan = 371716;      // the output before it is spread
const int kOutputSpan = 1310725;  // a draw is out / kOutputSpan, in [0, 1)

// The generator's sums wrap at 32 bits and its remainders never go
// negative. For the seeds the game uses (clock times) every intermediate is
// non-negative and far from the int limits, so this is plain arithmetic;
// it only matters for negative seeds and for hundreds of millions of draws
// without a reseed, where a negative or overflowed value would otherwise
// index outside the table.
static int Wrap(int64_t x) { return (int)(uint32_t)(uint64_t)x; }
static int Rem(int64_t x, int m) {
    int r = (int)(Wrap(x) % m);
    return r < 0 ? r + m : r;
}
static int T(int64_t i) { return jRand_Txt[Rem(i, kTable)]; }

// Whole-number results of float draws, kept inside the int range.
static int FloorToInt(double v) {
    double f = floor(v);
    if (!(f > (double)INT_MIN)) return INT_MIN;  // also catches NaN
    if (f >= (double)INT_MAX) return INT_MAX;
    return (int)f;
}

void VellCore::SeedRnd(int seed) {
    jRand_Seed = seed;
    jRand_Bit = Rem(seed, kTable);
    double plus = (double)GameNum + (double)(seed / kTable);
    if (plus > (double)INT_MAX) plus = INT_MAX;
    if (plus < (double)INT_MIN) plus = INT_MIN;
    jRand_Plus = (int)plus;
    jRand_Count = 0;
    jRand_Out = 0;
}

void VellCore::SeedRnd() { SeedRnd(Mills()); }

float VellCore::Rnd(float lo, float hi) {
    jRand_Count = jRand_Count > INT_MAX - 7 ? 0 : jRand_Count + 7;
    int64_t count = jRand_Count;
    jRand_Bit = Rem((int64_t)jRand_Bit + jRand_Plus, kTable);
    jRand_Plus = Rem((int64_t)T(jRand_Bit) + count + jRand_Plus, kPlusSpan);
    jRand_Bit = Rem((int64_t)jRand_Bit + jRand_Plus, kTable);
    jRand_Plus = Rem((int64_t)T(jRand_Bit) + jRand_Plus + jRand_Seed, kPlusSpan2);
    jRand_Bit = Rem((int64_t)jRand_Bit + jRand_Plus + count, kTable);
    jRand_Out = T(count) + T(jRand_Bit);
    jRand_Out = Rem((int64_t)jRand_Out * 16 + jRand_Bit + count, kMixSpan);
    jRand_Out = Rem((int64_t)jRand_Out * 1024 + jRand_Plus, kOutputSpan);
    float f = (float)(jRand_Out / (double)kOutputSpan);
    return (hi - lo) * f + lo;
}

float VellCore::Rnd(float hi) { return Rnd(0, hi); }

int VellCore::Rand(float lo, float hi) { return FloorToInt(Rnd(lo, (float)(hi + 0.9999))); }
int VellCore::Rand(float hi) { return FloorToInt(Rnd(0, (float)(hi + 0.9999))); }

float VellCore::tRnd(float lo, float hi) {
    jRand_tSeed = jRand_tSeed == INT_MAX ? 0 : jRand_tSeed + 1;
    int64_t m = Mills();
    int64_t m2 = (int64_t)Mills() + 37171;
    int64_t ts = jRand_tSeed;
    int p = jRand_Plus;
    int b = Rem(m + m2 + p + p, kTable);
    p = Rem((int64_t)T(b) + m + p, kPlusSpan);
    b = Rem((int64_t)b + p, kTable);
    p = Rem((int64_t)T(b) + p + ts, kPlusSpan2);
    b = Rem((int64_t)b + p + m, kTable);
    int o = Wrap((int64_t)T(b) + ts + T(m));
    o = Rem((int64_t)o * 16 + b + m, kMixSpan);
    o = Rem((int64_t)o * 1024 + p + 7 * ts, kOutputSpan);
    float f = (float)(o / (double)kOutputSpan);
    return (hi - lo) * f + lo;
}

float VellCore::tRnd(float hi) { return tRnd(0, hi); }

int VellCore::tRand(float lo, float hi) { return FloorToInt(tRnd(lo, (float)(hi + 0.9999))); }
int VellCore::tRand(float hi) { return FloorToInt(tRnd(0, (float)(hi + 0.9999))); }
