// What both songs are mixed with: stereo buses one loop long, effects run
// round the loop so their tails wrap into its start, an echo, a reverb and
// the final level and write. Each song writes its own notes into a Bus.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "synth.h"

namespace loopmix {

// Both songs last 192 of the music player's 16,384-frame blocks, so the
// player never splits the seam.
constexpr long kLoop = 192L * 16384;

struct Bus {
    Wave l = Wave(kLoop, 0.0f), r = Wave(kLoop, 0.0f);
    void add(long at, float v, float pan) {  // pan -1 left .. 1 right
        long i = ((at % kLoop) + kLoop) % kLoop;
        l[i] += v * (1 - pan) * 0.5f;
        r[i] += v * (1 + pan) * 0.5f;
    }
};

// Runs an effect twice round the loop and keeps the second lap, so its tail
// from the end of the loop is already ringing at the start.
template <class F>
void Circular(const Bus& in, Bus& out, F fx) {
    for (long i = 0; i < 2 * kLoop; i++) {
        float l, r;
        fx(in.l[i % kLoop], in.r[i % kLoop], l, r);
        if (i >= kLoop) {
            out.l[i - kLoop] += l;
            out.r[i - kLoop] += r;
        }
    }
}

struct Comb {
    Wave buf;
    size_t pos = 0;
    float store = 0;
    explicit Comb(size_t n) : buf(n, 0.0f) {}
    float run(float x, float fb, float damp) {
        float y = buf[pos];
        store = y * (1 - damp) + store * damp;
        buf[pos] = x + store * fb;
        pos = (pos + 1) % buf.size();
        return y;
    }
};
struct AllPass {
    Wave buf;
    size_t pos = 0;
    explicit AllPass(size_t n) : buf(n, 0.0f) {}
    float run(float x) {
        float b = buf[pos], y = b - x;
        buf[pos] = x + b * 0.5f;
        pos = (pos + 1) % buf.size();
        return y;
    }
};

// An echo `delay` frames apart that bounces between the sides, added to out.
inline void PingPong(const Bus& send, Bus& out, long delay, float feedback, float level) {
    Wave dl(delay, 0.0f), dr(delay, 0.0f);
    size_t dp = 0;
    Circular(send, out, [&](float l, float r, float& ol, float& orr) {
        float el = dl[dp], er = dr[dp];
        dl[dp] = (l + r) * 0.5f + er * feedback;
        dr[dp] = el * feedback;
        dp = (dp + 1) % dl.size();
        ol = el * level;
        orr = er * level;
    });
}

// How a room sounds: eight combs and two all-passes per side, the combs
// summed in the order given. Their lengths are stretched by stretch/4 (a bigger room), and the right side's
// are `spread` frames longer so the two sides never ring together.
struct Room {
    size_t comb[8];
    int stretch;
    size_t spread;
    float feedback, damp;
};

// The room's answer to send, added to wet.
inline void Reverb(const Bus& send, Bus& wet, const Room& room) {
    std::vector<Comb> cl, cr;
    for (size_t n : room.comb)
        cl.emplace_back(n * room.stretch / 4), cr.emplace_back(n * room.stretch / 4 + room.spread);
    AllPass al1(556), al2(441), ar1(579), ar2(464);
    Circular(send, wet, [&](float l, float r, float& ol, float& orr) {
        float in = (l + r) * 0.015f, sl = 0, sr = 0;
        for (size_t k = 0; k < cl.size(); k++)
            sl += cl[k].run(in, room.feedback, room.damp), sr += cr[k].run(in, room.feedback, room.damp);
        ol = al2.run(al1.run(sl));
        orr = ar2.run(ar1.run(sr));
    });
}

// Adds the wet signal, brings the loudest sample to `peak` and writes the
// song as Ogg Vorbis.
inline bool Finish(Bus& mix, const Bus& wet, float wetLevel, float peak, const std::string& path, const char* title) {
    float top = 0;
    for (long i = 0; i < kLoop; i++) {
        mix.l[i] += wet.l[i] * wetLevel;
        mix.r[i] += wet.r[i] * wetLevel;
        top = std::max({top, std::fabs(mix.l[i]), std::fabs(mix.r[i])});
    }
    float gain = top > 0 ? peak / top : 1.0f;
    for (long i = 0; i < kLoop; i++) mix.l[i] *= gain, mix.r[i] *= gain;
    bool ok = WriteOgg(path, mix.l, mix.r, 0.35f, title);
    if (!ok) std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return ok;
}

}  // namespace loopmix
