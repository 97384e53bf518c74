#include "synth.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "vorbis_writer.h"

namespace {
constexpr double kTau = 6.283185307179586;

double Blep(double t, double dt) {
    if (dt <= 0) return 0;
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}
}  // namespace

float MidiHz(float note) { return 440.0f * std::pow(2.0f, (note - 69.0f) / 12.0f); }

double Osc::step(double hz) {
    double p = phase;
    phase += hz / kRate;
    phase -= std::floor(phase);
    return p;
}

float Sine(double phase) { return float(std::sin(kTau * phase)); }
float Tri(double phase) { return float(phase < 0.5 ? 4 * phase - 1 : 3 - 4 * phase); }
float Saw(double phase, double dt) { return float(2 * phase - 1 - Blep(phase, dt)); }
float Pulse(double phase, double dt, double d) {
    double v = phase < d ? 1.0 : -1.0;
    double shifted = phase + 1.0 - d;
    shifted -= std::floor(shifted);
    // Minus the mean, so narrow pulses carry no DC offset.
    return float(v + Blep(phase, dt) - Blep(shifted, dt) - (2.0 * d - 1.0));
}

float Noise::next() {
    s ^= s << 13;
    s ^= s >> 17;
    s ^= s << 5;
    return (s & 0xFFFFFF) / float(0x7FFFFF) - 1.0f;
}

float OnePole::lp(float x, float hz) {
    float a = 1.0f - std::exp(float(-kTau) * hz / kRate);
    z += a * (x - z);
    return z;
}
float OnePole::hp(float x, float hz) { return x - lp(x, hz); }

float Svf::run(float x, float hz, float q) {
    float f = 2.0f * std::sin(float(kTau * 0.5) * std::min(hz, kRate * 0.2f) / kRate);
    low += f * band;
    float high = x - low - q * band;
    band += f * high;
    return band;
}

float AD(float t, float a, float d) {
    if (t < 0) return 0;
    if (t < a) return t / a;
    return std::exp(-(t - a) / d);
}

void Normalise(Wave& w, float loudness, float peak) {
    if (w.empty()) return;
    const size_t win = kRate / 20;
    double best = 0, sum = 0;
    for (size_t i = 0; i < w.size(); i++) {
        sum += double(w[i]) * w[i];
        if (i >= win) sum -= double(w[i - win]) * w[i - win];
        best = std::max(best, sum / double(std::min(i + 1, win)));
    }
    float gain = best > 0 ? loudness / float(std::sqrt(best)) : 1.0f;
    float top = 0;
    for (float v : w) top = std::max(top, std::fabs(v * gain));
    if (top > peak) gain *= peak / top;
    const size_t in = kRate * 3 / 1000, out = kRate * 12 / 1000;
    for (size_t i = 0; i < w.size(); i++) {
        float g = gain;
        if (i < in) g *= float(i) / in;
        if (w.size() - 1 - i < out) g *= float(w.size() - 1 - i) / out;
        w[i] *= g;
    }
}

static void Put32(std::vector<unsigned char>& b, uint32_t v) {
    for (int i = 0; i < 4; i++) b.push_back((v >> (8 * i)) & 0xFF);
}
static void Put16(std::vector<unsigned char>& b, uint16_t v) {
    b.push_back(v & 0xFF);
    b.push_back(v >> 8);
}

bool WriteWav(const std::string& path, const Wave& w) {
    std::vector<unsigned char> b;
    uint32_t data = uint32_t(w.size() * 2);
    b.insert(b.end(), {'R', 'I', 'F', 'F'});
    Put32(b, 36 + data);
    b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    Put32(b, 16);
    Put16(b, 1);  // PCM
    Put16(b, 1);  // mono
    Put32(b, kRate);
    Put32(b, kRate * 2);
    Put16(b, 2);
    Put16(b, 16);
    b.insert(b.end(), {'d', 'a', 't', 'a'});
    Put32(b, data);
    for (float v : w) Put16(b, uint16_t(int16_t(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f))));
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(b.data(), 1, b.size(), f) == b.size();
    return std::fclose(f) == 0 && ok;
}

bool WriteOgg(const std::string& path, const Wave& left, const Wave& right, float quality, const char* title) {
    VorbisFile spec;
    spec.channels = 2;
    spec.rate = kRate;
    spec.quality = quality;
    spec.serial = 0x42484F50;
    spec.frames = (long)std::min(left.size(), right.size());
    spec.chunk = 4096;
    spec.tags = {{"TITLE", title}, {"ARTIST", "Bramblehop asset generator"}};
    return WriteVorbis(path, spec, [&](float** buf, long first, long n) {
        std::copy_n(left.data() + first, n, buf[0]);
        std::copy_n(right.data() + first, n, buf[1]);
    });
}
