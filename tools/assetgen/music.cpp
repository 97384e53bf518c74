// "Pages", the play music: a bouncy 32-bar loop in F major at about 108
// beats a minute. Everything is rendered into circular buffers one loop
// long, so note tails and echoes wrap round and the loop has no seam.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "loop_mix.h"
#include "synth.h"

namespace {

constexpr long kStep = 6144;  // a sixteenth note, in frames
constexpr int kBars = 32;
using loopmix::Bus;
using loopmix::kLoop;
static_assert(kBars * 16 * kStep == kLoop, "the song fills the loop");  // 71.3 s

// Chords by bar: root pitch class and quality.
enum Quality { Maj, Min, Dom7, Min7 };
struct Chord {
    int root;
    Quality q;
};
const Chord kF{5, Maj}, kDm{2, Min}, kBb{10, Maj}, kC{0, Maj}, kGm{7, Min7}, kAm{9, Min}, kC7{0, Dom7};
const Chord kSong[kBars] = {kF,  kDm, kBb, kC,                       // intro
                            kF,  kDm, kBb, kC,  kF,  kDm, kGm, kC7,  // A
                            kBb, kC,  kAm, kDm, kGm, kC,  kF,  kC7,  // B
                            kF,  kDm, kBb, kC,  kF,  kDm, kGm, kC7,  // A again
                            kF,  kBb, kGm, kC7};                     // turn back to the top

std::vector<int> Tones(const Chord& c) {
    std::vector<int> t{0, c.q == Min || c.q == Min7 ? 3 : 4, 7};
    if (c.q == Dom7 || c.q == Min7) t.push_back(10);
    for (int& v : t) v += c.root;
    return t;
}

// Chord tones from `low` upwards, n of them.
std::vector<int> Voicing(const Chord& c, int low, int n) {
    std::vector<int> out, pcs = Tones(c);
    for (int p = low; (int)out.size() < n; p++)
        for (int pc : pcs)
            if (((p % 12) + 12) % 12 == pc % 12) out.push_back(p);
    return out;
}

// Melodies: "name:sixteenths" tokens, bar lines are just spaces.
const char* kLeadA =
    "C5:2 A4:2 C5:2 F5:4 E5:2 D5:2 C5:2  D5:6 A4:2 F4:4 A4:4  Bb4:2 D5:2 F5:2 D5:2 C5:4 Bb4:2 A4:2 "
    "G4:6 A4:2 Bb4:4 C5:4  C5:2 A4:2 C5:2 F5:4 G5:2 A5:4  G5:2 F5:2 E5:2 D5:6 r:4 "
    "Bb4:2 D5:2 G5:2 F5:2 D5:4 Bb4:2 D5:2  C5:6 Bb4:2 G4:4 E4:4";
const char* kLeadB =
    "F5:6 D5:2 Bb4:4 D5:4  E5:6 C5:2 G4:4 C5:4  E5:4 A5:4 G5:4 E5:4  F5:8 r:4 D5:2 E5:2 "
    "F5:4 G5:2 F5:2 D5:4 Bb4:4  C5:4 E5:2 G5:2 Bb5:4 A5:2 G5:2  A5:6 G5:2 F5:4 C5:4  G5:4 E5:2 F5:2 G5:4 C5:4";
const char* kLeadA2 =
    "C5:2 A4:2 C5:2 F5:4 E5:2 D5:2 C5:2  D5:6 A4:2 F4:4 A4:4  Bb4:2 D5:2 F5:2 D5:2 C5:4 Bb4:2 A4:2 "
    "G4:6 A4:2 Bb4:4 C5:4  C5:2 A4:2 C5:2 F5:4 G5:2 A5:4  G5:2 F5:2 E5:2 D5:6 r:4 "
    "Bb4:2 D5:2 G5:2 F5:2 D5:4 Bb4:2 D5:2  G4:2 A4:2 Bb4:2 C5:2 D5:2 E5:2 F5:2 G5:2 "
    "A5:8 r:8  r:8 D5:2 F5:2 Bb5:4  A5:4 G5:4 F5:4 D5:4  E5:8 r:8";
const char* kBells = "r:8 C6:4 A5:4  D6:8 r:8  r:8 F6:4 D6:4  C6:8 r:8";

struct Note {
    long start, len;  // in sixteenths
    float pitch;
};

std::vector<Note> Parse(const char* s, long startStep) {
    static const int kPc[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    std::vector<Note> out;
    long at = startStep;
    while (*s) {
        if (*s == ' ') {
            s++;
            continue;
        }
        int pitch = -1;
        if (*s != 'r') {
            pitch = kPc[*s - 'A'];
            s++;
            if (*s == 'b') pitch--, s++;
            if (*s == '#') pitch++, s++;
            pitch += (*s - '0' + 1) * 12;
            s++;
        } else {
            s++;
        }
        char* end = nullptr;
        long len = std::strtol(s + 1, &end, 10);
        s = end;
        if (pitch >= 0) out.push_back({at, len, float(pitch)});
        at += len;
    }
    return out;
}

// ---------------------------------------------------------------- voices

void Lead(Bus& dry, Bus& send, const Note& n) {
    float hz = MidiHz(n.pitch);
    long gate = n.len * kStep - 400, total = gate + kRate / 8;
    Osc o, vib;
    OnePole lp;
    for (long i = 0; i < total; i++) {
        float t = float(i) / kRate;
        float depth = 0.012f * std::min(1.0f, std::max(0.0f, (t - 0.15f) / 0.2f));
        float f = hz * (1 + depth * Sine(vib.step(5.5)));
        double p = o.step(f);
        float env = std::min(1.0f, t / 0.01f) * (0.72f + 0.28f * std::exp(-t / 0.12f));
        if (i > gate) env *= std::exp(-float(i - gate) / (kRate * 0.035f));
        float v = lp.lp(0.7f * Pulse(p, f / kRate, 0.25) + 0.4f * Tri(p), 2600) * env * 0.39f;
        dry.add(n.start * kStep + i, v, 0.1f);
        send.add(n.start * kStep + i, v, 0.1f);
    }
}

void Marimba(Bus& dry, const Note& n, float vel, float pan) {
    float hz = MidiHz(n.pitch);
    long total = long(kRate * 0.5f);
    Osc a, b;
    for (long i = 0; i < total; i++) {
        float t = float(i) / kRate;
        float v = Sine(a.step(hz)) * AD(t, 0.002f, 0.16f) + 0.25f * Sine(b.step(hz * 4)) * AD(t, 0.001f, 0.025f);
        dry.add(n.start * kStep + i, v * vel, pan);
    }
}

void Bell(Bus& dry, const Note& n) {
    float hz = MidiHz(n.pitch);
    long total = long(kRate * 1.2f);
    for (long i = 0; i < total; i++) {
        float t = float(i) / kRate;
        float v = std::sin(6.2831853f * hz * t) * AD(t, 0.002f, 0.45f) +
                  0.3f * std::sin(6.2831853f * hz * 2.756f * t) * AD(t, 0.002f, 0.1f);
        dry.add(n.start * kStep + i, v * 0.11f, -0.3f);
    }
}

void BassNote(Bus& dry, const Note& n) {
    float hz = MidiHz(n.pitch);
    long gate = n.len * kStep - 300, total = gate + kRate / 20;
    Osc o;
    OnePole lp;
    for (long i = 0; i < total; i++) {
        float t = float(i) / kRate;
        double p = o.step(hz);
        float env = std::min(1.0f, t / 0.004f) * (0.55f + 0.45f * std::exp(-t / 0.09f));
        if (i > gate) env *= std::exp(-float(i - gate) / (kRate * 0.012f));
        float v = lp.lp(0.8f * Tri(p) + 0.35f * Pulse(p, hz / kRate, 0.5), 1400) * env * 0.25f;
        dry.add(n.start * kStep + i, v, 0.0f);
    }
}

void Pad(Bus& dry, const Chord& c, long bar) {
    std::vector<int> v = Voicing(c, 57, 4);
    long gate = 16 * kStep, total = gate + long(kRate * 0.4f);
    for (size_t k = 0; k < v.size(); k++) {
        float hz = MidiHz(float(v[k]));
        Osc a, b;
        OnePole lpa, lpb;
        for (long i = 0; i < total; i++) {
            float t = float(i) / kRate;
            float env = std::min(1.0f, t / 0.25f);
            if (i > gate) env *= std::exp(-float(i - gate) / (kRate * 0.12f));
            float l = lpa.lp(Saw(a.step(hz * 1.003), hz / kRate), 1100) * env * 0.026f;
            float r = lpb.lp(Saw(b.step(hz * 0.997), hz / kRate), 1100) * env * 0.026f;
            dry.add(bar * 16 * kStep + i, l, -0.8f);
            dry.add(bar * 16 * kStep + i, r, 0.8f);
        }
    }
}

void Kick(Bus& dry, long step) {
    Osc o;
    for (long i = 0; i < kRate / 5; i++) {
        float t = float(i) / kRate;
        float hz = 48 + 110 * std::exp(-t / 0.03f);
        dry.add(step * kStep + i, Sine(o.step(hz)) * AD(t, 0.001f, 0.11f) * 0.45f, 0);
    }
}

void Snare(Bus& dry, Noise& n, long step, float vel) {
    Svf f;
    Osc o;
    for (long i = 0; i < kRate / 6; i++) {
        float t = float(i) / kRate;
        float v = f.run(n.next(), 2000, 0.9f) * AD(t, 0.001f, 0.07f) + 0.5f * Sine(o.step(185)) * AD(t, 0.001f, 0.04f);
        dry.add(step * kStep + i, v * vel * 0.6f, -0.1f);
    }
}

void Hat(Bus& dry, Noise& n, long step, float vel) {
    OnePole hp;
    for (long i = 0; i < kRate / 14; i++) {
        float t = float(i) / kRate;
        dry.add(step * kStep + i, hp.hp(n.next(), 7000) * AD(t, 0.001f, 0.018f) * vel * 0.4f, 0.3f);
    }
}

}  // namespace

bool WriteMusic(const std::string& path) {
    Bus dry, leadSend, verbSend, mix;
    for (const Note& n : Parse(kLeadA, 4 * 16)) Lead(dry, leadSend, n);
    for (const Note& n : Parse(kLeadB, 12 * 16)) Lead(dry, leadSend, n);
    for (const Note& n : Parse(kLeadA2, 20 * 16)) Lead(dry, leadSend, n);
    for (const Note& n : Parse(kBells, 0)) Bell(dry, n);
    const int arp[16] = {0, 1, 2, 3, 2, 1, 2, 3, 0, 1, 2, 3, 4, 3, 2, 1};
    const struct {
        int step, len, interval;
    } bass[] = {{0, 3, 0}, {3, 2, 0}, {6, 2, 7}, {8, 3, 12}, {11, 2, 7}, {14, 2, 0}};
    Noise noise(1234);
    for (int bar = 0; bar < kBars; bar++) {
        const Chord& c = kSong[bar];
        long at = bar * 16L;
        std::vector<int> tones = Voicing(c, 65, 5);
        bool intro = bar < 4, full = bar >= 4;
        for (int s = 0; s < 16; s++)
            Marimba(dry, {at + s, 1, float(tones[arp[s]])}, (s % 4 == 0 ? 0.13f : 0.09f) * (intro ? 1.2f : 1.0f),
                    s % 2 ? -0.35f : -0.15f);
        int root = 36 + c.root;
        for (const auto& b : bass) BassNote(dry, {at + b.step, b.len, float(root + b.interval)});
        Pad(dry, c, bar);
        Kick(dry, at);
        if (full) Kick(dry, at + 8);
        if (full && bar % 4 == 3) Kick(dry, at + 14);
        if (full) Snare(dry, noise, at + 4, 1.0f), Snare(dry, noise, at + 12, 1.0f);
        if (bar % 8 == 7) Snare(dry, noise, at + 15, 0.5f);
        for (int s = 0; s < 16; s += 2) Hat(dry, noise, at + s, s % 4 == 2 ? 1.0f : 0.55f);
        if (full)
            for (int s = 1; s < 16; s += 2) Hat(dry, noise, at + s, 0.25f);
    }
    // Echo on the lead: three sixteenths, bouncing between the sides.
    loopmix::PingPong(leadSend, mix, 3 * kStep, 0.38f, 0.3f);
    for (long i = 0; i < kLoop; i++) {
        mix.l[i] += dry.l[i];
        mix.r[i] += dry.r[i];
        verbSend.l[i] = (dry.l[i] + mix.l[i]) * 0.5f;
        verbSend.r[i] = (dry.r[i] + mix.r[i]) * 0.5f;
    }
    // A small cave.
    Bus wet;
    loopmix::Reverb(verbSend, wet, {{1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617}, 4, 23, 0.8f, 0.3f});
    // Well under full scale, so every effect stands out over the music.
    return loopmix::Finish(mix, wet, 0.6f, 0.45f, path, "Pages");
}
