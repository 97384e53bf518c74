// "Hedgerow", the menu music: a slow, dreamy 24-bar loop in C major at
// about 81 beats a minute, for the title, the lists, the options and the
// credits. Electric-piano chords rock in eighths under a sparse music-box
// tune; a brushed shaker and a round bass keep it moving without a drum
// kit, so it sits apart from the bouncy play music. Rendered into circular
// buffers one loop long like the play music, so the loop has no seam.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "loop_mix.h"
#include "synth.h"

namespace {

constexpr long kStep = 8192;  // a sixteenth note, in frames
constexpr int kBars = 24;
using loopmix::Bus;
using loopmix::kLoop;
static_assert(kBars * 16 * kStep == kLoop, "the song fills the loop");  // 71.3 s

// Chords: root pitch class and the intervals above it.
struct Chord {
    int root;
    std::vector<int> tones;
};
const std::vector<int> kMaj7{0, 4, 7, 11}, kMin7{0, 3, 7, 10}, kDom7{0, 4, 7, 10}, kSix{0, 4, 7, 9}, kSus{0, 5, 7, 10};
const Chord kSong[kBars] = {
    {0, kMaj7}, {9, kMin7}, {5, kMaj7}, {7, kSix},   // C  Am  F  G
    {0, kMaj7}, {9, kMin7}, {5, kMaj7}, {7, kSus},   // C  Am  F  Gsus
    {4, kMin7}, {9, kMin7}, {2, kMin7}, {7, kDom7},  // Em Am  Dm G7
    {5, kMaj7}, {4, kMin7}, {2, kMin7}, {7, kSus},   // F  Em  Dm Gsus
    {0, kMaj7}, {9, kMin7}, {5, kMaj7}, {7, kSix},   // C  Am  F  G
    {5, kMaj7}, {7, kSix},  {5, kMaj7}, {7, kSus},   // F  G   F  Gsus, back to the top
};

// Chord tones from `low` upwards, n of them.
std::vector<int> Voicing(const Chord& c, int low, int n) {
    std::vector<int> out;
    for (int p = low; (int)out.size() < n; p++)
        for (int t : c.tones)
            if (((p % 12) + 12) % 12 == (c.root + t) % 12) out.push_back(p);
    return out;
}

// The tune, one entry per bar: up to four notes (MIDI, 0 = rest) on the
// beats, each ringing until the next.
const int kTune[kBars][4] = {
    {0, 76, 0, 79},   {81, 0, 79, 76}, {77, 0, 76, 72},  {74, 0, 0, 0},   {0, 76, 0, 79},   {84, 0, 83, 81},
    {81, 79, 77, 76}, {74, 0, 0, 0},   {0, 79, 0, 76},   {72, 0, 76, 79}, {77, 0, 74, 72},  {71, 0, 74, 0},
    {76, 0, 72, 69},  {71, 0, 67, 0},  {69, 72, 77, 76}, {74, 0, 0, 0},   {0, 76, 0, 79},   {81, 0, 84, 83},
    {81, 0, 79, 77},  {79, 0, 0, 0},   {0, 81, 0, 77},   {79, 0, 74, 0},  {77, 76, 74, 72}, {74, 0, 0, 0},
};

// A soft two-operator electric piano.
void Piano(Bus& dry, long at, float note, float vel, float pan, long len) {
    float hz = MidiHz(note);
    long total = len + long(kRate * 0.6f);
    Osc car, mod;
    for (long i = 0; i < total; i++) {
        float t = float(i) / kRate;
        float index = 1.2f * std::exp(-t / 0.25f);
        float v = Sine(car.step(hz) + index * Sine(mod.step(hz * 1.0f)) / 6.2831853);
        float env = std::min(1.0f, t / 0.006f) * std::exp(-t / 1.1f);
        if (i > len) env *= std::exp(-float(i - len) / (kRate * 0.12f));
        dry.add(at + i, v * env * vel, pan);
    }
}

// A music box: a bright sine with a quickly fading metallic overtone.
void MusicBox(Bus& dry, Bus& send, long at, float note, long len) {
    float hz = MidiHz(note);
    long total = len + long(kRate * 0.8f);
    for (long i = 0; i < total; i++) {
        float t = float(i) / kRate;
        float v = std::sin(6.2831853f * hz * t) * AD(t, 0.003f, 0.7f) +
                  0.25f * std::sin(6.2831853f * hz * 3.01f * t) * AD(t, 0.002f, 0.08f);
        if (i > len) v *= std::exp(-float(i - len) / (kRate * 0.2f));
        dry.add(at + i, v * 0.16f, 0.25f);
        send.add(at + i, v * 0.16f, 0.25f);
    }
}

void Bass(Bus& dry, long at, float note, long len) {
    float hz = MidiHz(note);
    long total = len + kRate / 10;
    Osc o;
    OnePole lp;
    for (long i = 0; i < total; i++) {
        float t = float(i) / kRate;
        float env = std::min(1.0f, t / 0.01f) * (0.6f + 0.4f * std::exp(-t / 0.2f));
        if (i > len) env *= std::exp(-float(i - len) / (kRate * 0.03f));
        dry.add(at + i, lp.lp(Tri(o.step(hz)), 600) * env * 0.32f, 0.0f);
    }
}

void Pad(Bus& dry, const Chord& c, long bar) {
    std::vector<int> v = Voicing(c, 55, 4);
    long gate = 16 * kStep, total = gate + long(kRate * 0.6f);
    for (size_t k = 0; k < v.size(); k++) {
        float hz = MidiHz(float(v[k]));
        Osc a, b;
        OnePole lpa, lpb;
        for (long i = 0; i < total; i++) {
            float t = float(i) / kRate;
            float env = std::min(1.0f, t / 0.6f);
            if (i > gate) env *= std::exp(-float(i - gate) / (kRate * 0.2f));
            float l = lpa.lp(Saw(a.step(hz * 1.004), hz / kRate), 800) * env * 0.022f;
            float r = lpb.lp(Saw(b.step(hz * 0.996), hz / kRate), 800) * env * 0.022f;
            dry.add(bar * 16 * kStep + i, l, -0.7f);
            dry.add(bar * 16 * kStep + i, r, 0.7f);
        }
    }
}

void Shaker(Bus& dry, Noise& n, long at, float vel) {
    Svf f;
    for (long i = 0; i < kRate / 12; i++) {
        float t = float(i) / kRate;
        dry.add(at + i, f.run(n.next(), 6500, 0.7f) * AD(t, 0.012f, 0.025f) * vel * 0.22f, -0.35f);
    }
}

}  // namespace

bool WriteMenuMusic(const std::string& path, float peak) {
    Bus dry, boxSend, mix;
    Noise noise(5150);
    // The piano rocks between the low and high halves of the chord.
    const int rock[8] = {0, 2, 1, 3, 0, 2, 1, 3};
    for (int bar = 0; bar < kBars; bar++) {
        const Chord& c = kSong[bar];
        long at = bar * 16L * kStep;
        std::vector<int> v = Voicing(c, 60, 4);
        for (int e = 0; e < 8; e++)
            Piano(dry, at + e * 2 * kStep, float(v[rock[e]]), e % 4 == 0 ? 0.1f : 0.075f, e % 2 ? 0.3f : -0.2f,
                  2 * kStep);
        int root = 36 + c.root;
        Bass(dry, at, float(root), 7 * kStep);
        Bass(dry, at + 8 * kStep, float(root + (bar % 2 ? 7 : 12)), 6 * kStep);
        Pad(dry, c, bar);
        for (int s = 2; s < 16; s += 4) Shaker(dry, noise, at + s * kStep, 1.0f);
        for (int s = 0; s < 16; s += 4) Shaker(dry, noise, at + s * kStep + kStep, 0.4f);
        for (int b = 0; b < 4; b++) {
            if (!kTune[bar][b]) continue;
            int len = 1;
            while (b + len < 4 && !kTune[bar][b + len]) len++;
            MusicBox(dry, boxSend, at + b * 4 * kStep, float(kTune[bar][b]), len * 4 * kStep);
        }
    }
    // A long echo on the music box, dotted-eighth apart.
    loopmix::PingPong(boxSend, mix, 3 * kStep, 0.45f, 0.35f);
    Bus verbSend;
    for (long i = 0; i < kLoop; i++) {
        mix.l[i] += dry.l[i];
        mix.r[i] += dry.r[i];
        verbSend.l[i] = mix.l[i];
        verbSend.r[i] = mix.r[i];
    }
    // A wide hall: longer combs and more feedback than the play music's cave.
    Bus wet;
    loopmix::Reverb(verbSend, wet, {{1557, 1617, 1491, 1422, 1277, 1356, 1188, 1116}, 5, 29, 0.86f, 0.35f});
    return loopmix::Finish(mix, wet, 0.8f, peak, path, "Hedgerow");
}
