// Sound building blocks: oscillators, envelopes, filters and the file
// writers for the game's effects (PCM WAV) and music (Ogg Vorbis).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int kRate = 44100;

using Wave = std::vector<float>;

float MidiHz(float note);

// Band-limited oscillators driven by a phase in cycles (0..1).
struct Osc {
    double phase = 0;
    // Advances by hz / kRate and returns the phase before the step.
    double step(double hz);
};
float Sine(double phase);
float Tri(double phase);
// Pulse with duty d, smoothed at its edges by polyBLEP for increment dt.
float Pulse(double phase, double dt, double d);
float Saw(double phase, double dt);

// White noise from our own generator, so every run sounds the same.
struct Noise {
    uint32_t s;
    explicit Noise(uint32_t seed) : s(seed ? seed : 1) {}
    float next();
};

// One-pole filters and a resonant state-variable filter.
struct OnePole {
    float z = 0;
    float lp(float x, float hz);
    float hp(float x, float hz);
};
struct Svf {
    float low = 0, band = 0;
    // Returns the band-pass output; low-pass stays in `low`.
    float run(float x, float hz, float q);
};

// Attack-decay envelope: linear rise over a seconds, then exponential decay
// with time constant d seconds.
float AD(float t, float a, float d);

// Scales a sound so that its loudest 50 ms sit at a common level, keeps the
// peak below `peak`, and fades the first and last few milliseconds so it
// starts and stops without a click.
void Normalise(Wave& w, float loudness, float peak);
bool WriteWav(const std::string& path, const Wave& w);
// Encodes interleaved stereo at kRate with a fixed stream serial number.
bool WriteOgg(const std::string& path, const Wave& left, const Wave& right, float quality, const char* title = "Pages");

// The sound effects and music of the game, into the audio folder.
bool WriteSounds(const std::string& audioDir);
bool WriteMusic(const std::string& path);
// The menu music, its loudest sample at `peak`.
bool WriteMenuMusic(const std::string& path, float peak);
