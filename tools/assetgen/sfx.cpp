// The game's sound effects, each a few lines of synthesis.
#include <cmath>
#include <cstdio>

#include "GameAssets.h"
#include "synth.h"

namespace {

Wave Make(float seconds) { return Wave(size_t(seconds * kRate), 0.0f); }

float Rise(float x) {
    x = x < 0 ? 0 : (x > 1 ? 1 : x);
    return x * x * (3 - 2 * x);
}

// A glockenspiel-like strike: three inharmonic partials, the upper ones
// dying first.
float Glock(float t, float hz) {
    if (t < 0) return 0;
    const float ratio[3] = {1.0f, 2.756f, 5.404f}, amp[3] = {1.0f, 0.4f, 0.15f}, decay[3] = {0.32f, 0.11f, 0.05f};
    float v = 0;
    for (int k = 0; k < 3; k++) v += amp[k] * AD(t, 0.002f, decay[k]) * std::sin(6.2831853f * hz * ratio[k] * t);
    return v;
}

// Adds an echo in place: delay in seconds, feedback and wet level.
void Echo(Wave& w, float delay, float feedback, float wet) {
    size_t d = size_t(delay * kRate);
    Wave out = w;
    for (size_t i = d; i < w.size(); i++) out[i] += out[i - d] * feedback;
    for (size_t i = 0; i < w.size(); i++) w[i] = w[i] * (1 - wet) + out[i] * wet;
}

Wave Flap() {  // a soft rising whoosh
    Wave w = Make(0.2f);
    Noise n(11);
    Svf f;
    Osc o;
    for (size_t i = 0; i < w.size(); i++) {
        float t = float(i) / kRate;
        float air = f.run(n.next(), 500 + 2600 * t / 0.2f, 0.8f) * AD(t, 0.012f, 0.05f);
        float thump = Sine(o.step(220 + 500 * t / 0.2f)) * AD(t, 0.006f, 0.03f);
        w[i] = 0.9f * air + 0.4f * thump;
    }
    return w;
}

Wave SwitchOn() {  // two bright chimes a fifth apart
    Wave w = Make(0.8f);
    for (size_t i = 0; i < w.size(); i++) {
        float t = float(i) / kRate;
        w[i] = 0.6f * Glock(t, MidiHz(88)) + 0.55f * Glock(t - 0.075f, MidiHz(95));
    }
    Echo(w, 0.11f, 0.3f, 0.25f);
    return w;
}

Wave LevelComplete() {  // an arpeggio up to a held major chord
    Wave w = Make(1.5f);
    const float notes[4] = {72, 76, 79, 84};
    Osc osc[7];
    OnePole lp;
    for (size_t i = 0; i < w.size(); i++) {
        float t = float(i) / kRate, v = 0;
        for (int k = 0; k < 4; k++) {
            float s = t - k * 0.09f, hz = MidiHz(notes[k]);
            if (s < 0) continue;
            v += 0.35f * Pulse(osc[k].step(hz), hz / kRate, 0.25) * AD(s, 0.004f, 0.12f);
            v += 0.35f * Glock(s, hz * 2);
        }
        float s = t - 0.4f;
        if (s > 0) {
            const float chord[3] = {84, 88, 91};
            float env = std::min(1.0f, s / 0.02f) * std::exp(-s / 0.45f);
            for (int k = 0; k < 3; k++) {
                float hz = MidiHz(chord[k]) * (1 + 0.004f * std::sin(6.2831853f * 5.5f * s));
                v += 0.22f * env * Pulse(osc[4 + k].step(hz), hz / kRate, 0.5);
            }
        }
        w[i] = lp.lp(v, 5000);
    }
    Echo(w, 0.13f, 0.3f, 0.25f);
    return w;
}

Wave Death() {  // a falling wail over a soft poof
    Wave w = Make(0.8f);
    Osc o;
    Noise n(4);
    OnePole lp, nlp;
    for (size_t i = 0; i < w.size(); i++) {
        float t = float(i) / kRate;
        float hz = 700 * std::exp(-t * 2.6f) * (1 + 0.04f * std::sin(6.2831853f * 11 * t));
        double p = o.step(hz);
        float tone = 0.6f * Tri(p) + 0.3f * Pulse(p, hz / kRate, 0.5);
        float env = std::min(1.0f, t / 0.006f) * (t < 0.45f ? 1.0f : std::exp(-(t - 0.45f) / 0.09f));
        float poof = nlp.lp(n.next(), 1400) * AD(t, 0.004f, 0.12f);
        w[i] = lp.lp(tone, 3500) * env * 0.8f + poof * 1.6f;
    }
    return w;
}

Wave ChickCollected() {  // peep-peep
    Wave w = Make(0.32f);
    Osc o;
    for (size_t i = 0; i < w.size(); i++) {
        float t = float(i) / kRate, v = 0;
        for (int k = 0; k < 2; k++) {
            float s = t - k * 0.12f;
            if (s < 0 || s > 0.16f) continue;
            float hz = 1500 + 900 * std::min(1.0f, s / 0.05f) + k * 250;
            double p = o.step(hz);
            v += (0.8f * Sine(p) + 0.2f * Tri(p)) * AD(s, 0.005f, 0.035f);
        }
        w[i] = v;
    }
    return w;
}

Wave FollowerLost() {  // a pop and a sad falling boing
    Wave w = Make(0.55f);
    Osc o;
    Noise n(6);
    OnePole lp;
    for (size_t i = 0; i < w.size(); i++) {
        float t = float(i) / kRate;
        float hz = 950 * std::exp(-t * 3.2f) * (1 + 0.06f * std::sin(6.2831853f * 17 * t));
        float tone = Sine(o.step(hz)) * AD(t, 0.004f, 0.16f);
        float pop = lp.lp(n.next(), 2500) * AD(t, 0.0015f, 0.012f);
        w[i] = 0.8f * tone + 1.2f * pop;
    }
    return w;
}

Wave BackToTitle() {  // a welcoming rise of bells over a warm chord
    Wave w = Make(1.5f);
    const float bells[4] = {79, 83, 86, 91}, pad[3] = {67, 71, 74};
    Osc osc[3];
    for (size_t i = 0; i < w.size(); i++) {
        float t = float(i) / kRate, v = 0;
        for (int k = 0; k < 4; k++) v += 0.35f * Glock(t - k * 0.085f, MidiHz(bells[k]));
        float swell = Rise(t / 0.25f) * std::exp(-std::max(0.0f, t - 0.25f) / 0.4f);
        for (int k = 0; k < 3; k++) v += 0.12f * swell * Sine(osc[k].step(MidiHz(pad[k]) * (1 + 0.002f * k)));
        w[i] = v;
    }
    Echo(w, 0.12f, 0.35f, 0.3f);
    return w;
}

Wave Confirm() {  // a quick upward two-note blip
    Wave w = Make(0.22f);
    Osc o;
    OnePole lp;
    for (size_t i = 0; i < w.size(); i++) {
        float t = float(i) / kRate;
        int k = t < 0.06f ? 0 : 1;
        float s = t - k * 0.06f, hz = MidiHz(k ? 88.0f : 81.0f);
        double p = o.step(hz);
        w[i] = lp.lp(0.5f * Pulse(p, hz / kRate, 0.5) + 0.5f * Sine(p), 4000) * AD(s, 0.003f, k ? 0.06f : 0.03f);
    }
    return w;
}

Wave MenuMove() {  // a short soft tick, played at many pitches
    Wave w = Make(0.09f);
    Osc a, b;
    for (size_t i = 0; i < w.size(); i++) {
        float t = float(i) / kRate;
        w[i] = (Sine(a.step(1050)) + 0.25f * Sine(b.step(2100))) * AD(t, 0.002f, 0.02f);
    }
    return w;
}

Wave Pause() {  // two soft notes stepping down, the game holding its breath
    Wave w = Make(0.42f);
    OnePole lp;
    for (size_t i = 0; i < w.size(); i++) {
        float t = float(i) / kRate, v = 0;
        const float notes[2] = {83, 76};
        for (int k = 0; k < 2; k++) {
            float s = t - k * 0.11f;
            if (s < 0) continue;
            float hz = MidiHz(notes[k]);
            v += (std::sin(6.2831853f * hz * s) + 0.3f * std::sin(6.2831853f * 2 * hz * s)) *
                 AD(s, 0.004f, k ? 0.11f : 0.06f);
        }
        w[i] = lp.lp(v, 3000);
    }
    return w;
}

// Every sound the game lists, by its slot. The order is free; the build
// fails while a listed sound has no synthesis here, or one here is unlisted.
constexpr struct {
    int slot;
    Wave (*make)();
} kSynthesis[] = {
    {bh::kSfxFlap, Flap},
    {bh::kSfxSwitchOn, SwitchOn},
    {bh::kSfxLevelDone, LevelComplete},
    {bh::kSfxDeath, Death},
    {bh::kSfxChick, ChickCollected},
    {bh::kSfxKnockedOff, FollowerLost},
    {bh::kSfxBackToTitle, BackToTitle},
    {bh::kSfxPause, Pause},
    {bh::kSfxConfirm, Confirm},
    {bh::kSfxMove, MenuMove},
};

constexpr bool OneSynthesisPerSound() {
    if ((int)(sizeof kSynthesis / sizeof kSynthesis[0]) != bh::kSoundCount) return false;
    for (const bh::SoundEffect& e : bh::kSoundEffects) {
        int found = 0;
        for (const auto& s : kSynthesis) found += s.slot == e.slot;
        if (found != 1) return false;
    }
    return true;
}
static_assert(OneSynthesisPerSound(), "every sound in the game's list needs one synthesis here, and only those");

Wave (*SynthesisOf(int slot))() {
    for (const auto& s : kSynthesis)
        if (s.slot == slot) return s.make;
    return nullptr;
}

}  // namespace

bool WriteSounds(const std::string& dir) {
    for (const bh::SoundEffect& e : bh::kSoundEffects) {
        Wave w = SynthesisOf(e.slot)();
        Normalise(w, 0.36f, 0.89f);
        char name[16];
        std::snprintf(name, sizeof name, "%02d.wav", e.slot);
        std::string path = dir + "/" + name;
        if (!WriteWav(path, w)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return false;
        }
    }
    return true;
}
