// The replay file: a checked header, then per update the clock step and
// only the inputs that changed, with runs of unchanged updates folded into
// one count. Layout, all numbers as little-endian base-128 varints unless
// said otherwise:
//   "BHRP", format (1 byte), version length (1 byte) and text,
//   score, date, updates, difficulty, daily, clock, music track,
//   music fade (float bits), digest (8 bytes), settings (200), generator
//   state (6),
//   key locks (100), touch locks (100), pause, options and key screen state
//   (15), the background colour (7 float bits), the pointer's place (two
//   float bits), the first inputs as changes,
//   stream length, stream, FNV-1a of everything before (4 bytes).
// A stream token t: even, t / 2 more updates like the last one; odd, an
// update with t / 2 changes: its clock step, then per change the gap to
// its index and its value.
#include "gameplay/replay.h"

#include <cmath>
#include <cstring>
#include <initializer_list>

namespace tape {

namespace {

const uint8_t kMagic[4] = {'B', 'H', 'R', 'P'};

// Volumes, the switches and the difficulty cursor (the day's caves last).
const struct {
    int slot, lo, hi;
} kSettingRanges[] = {{0, 0, 10}, {1, 0, 10}, {10, 0, 1}, {13, 0, 1}, {20, 0, 10},
                      {22, 0, 1}, {23, 0, 1}, {30, 0, 1}, {101, 1, 4}};

uint64_t Zig(int64_t v) { return ((uint64_t)v << 1) ^ (uint64_t)(v >> 63); }
int64_t Unzig(uint64_t u) { return (int64_t)(u >> 1) ^ -(int64_t)(u & 1); }

bool SameBits(float a, float b) { return memcmp(&a, &b, sizeof a) == 0; }

// Whole numbers (buttons, held counts, most controls) take a byte or two;
// anything else keeps its exact bits.
uint64_t ValueCode(float v) {
    if (std::isfinite(v) && std::fabs(v) < 16777216.0f && v == std::floor(v) && !(v == 0 && std::signbit(v)))
        return Zig((int64_t)v) << 1;
    uint32_t bits;
    memcpy(&bits, &v, sizeof bits);
    return ((uint64_t)bits << 1) | 1;
}

bool ValueFrom(uint64_t code, float& v) {
    if (code & 1) {
        uint64_t bits = code >> 1;
        if (bits > 0xffffffffull) return false;
        uint32_t b = (uint32_t)bits;
        memcpy(&v, &b, sizeof v);
    } else {
        int64_t i = Unzig(code >> 1);
        if (i < -16777216 || i > 16777216) return false;
        v = (float)i;
    }
    return std::isfinite(v) && std::fabs(v) <= kLargestInput;
}

// The file is assembled in a buffer that knows its room.
struct Out {
    uint8_t* p;
    size_t room, n = 0;
    bool ok = true;
    void Byte(uint8_t b) {
        if (n < room) p[n++] = b;
        else ok = false;
    }
    void Var(uint64_t v) {
        while (v >= 0x80) {
            Byte((uint8_t)(v | 0x80));
            v >>= 7;
        }
        Byte((uint8_t)v);
    }
    void Int(int v) { Var(Zig(v)); }
};

struct In {
    const uint8_t* p;
    size_t size, at = 0;
    bool Byte(uint8_t& b) {
        if (at >= size) return false;
        b = p[at++];
        return true;
    }
    bool Var(uint64_t& v) {
        v = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            uint8_t b;
            if (!Byte(b)) return false;
            if (shift == 63 && b > 1) return false;
            v |= (uint64_t)(b & 0x7f) << shift;
            if (!(b & 0x80)) return true;
        }
        return false;
    }
    bool Int(int& v, int lo, int hi) {
        uint64_t u;
        if (!Var(u)) return false;
        int64_t s = Unzig(u);
        if (s < lo || s > hi) return false;
        v = (int)s;
        return true;
    }
};

bool GetFloat(In& in, float& v) {
    uint64_t bits;
    if (!in.Var(bits) || bits > 0xffffffffull) return false;
    uint32_t b = (uint32_t)bits;
    memcpy(&v, &b, sizeof v);
    return std::isfinite(v);
}

// Changes from one set of inputs to the next: count, then gap and value each.
void PutChanges(Out& o, const float* from, const float* to) {
    int n = 0;
    for (int i = 0; i < kInputs; i++) n += !SameBits(from[i], to[i]);
    o.Var((uint64_t)n);
    int next = 0;
    for (int i = 0; i < kInputs; i++)
        if (!SameBits(from[i], to[i])) {
            o.Var((uint64_t)(i - next));
            o.Var(ValueCode(to[i]));
            next = i + 1;
        }
}

bool GetChanges(In& in, uint64_t n, float* values) {
    if (n > (uint64_t)kInputs) return false;
    uint64_t next = 0;
    for (uint64_t k = 0; k < n; k++) {
        uint64_t gap, code;
        if (!in.Var(gap) || !in.Var(code)) return false;
        if (gap >= (uint64_t)kInputs - next) return false;
        next += gap;
        if (!ValueFrom(code, values[next])) return false;
        next += 1;
    }
    return true;
}

}  // namespace

uint64_t Fnv(const void* data, size_t n, uint64_t h) {
    const unsigned char* p = (const unsigned char*)data;
    for (size_t i = 0; i < n; i++) h = (h ^ p[i]) * 1099511628211ull;
    return h;
}

void Writer::Begin(const Head& head) {
    memcpy(last_, head.inputs, sizeof last_);
    size_ = 0;
    full_ = false;
    lastStep_ = run_ = updates_ = 0;
}

void Writer::Put(uint64_t v) {
    while (v >= 0x80) {
        stream_[size_++] = (uint8_t)(v | 0x80);
        v >>= 7;
    }
    stream_[size_++] = (uint8_t)v;
}

void Writer::FlushRun() {
    if (run_ > 0) Put((uint64_t)run_ << 1);
    run_ = 0;
}

bool Writer::Add(int step, const float* inputs) {
    if (full_ || updates_ >= kMaxUpdates) {
        full_ = true;
        return false;
    }
    int changes = 0;
    for (int i = 0; i < kInputs; i++) changes += !SameBits(last_[i], inputs[i]);
    // The worst an update can take: a run, its token and step, and ten
    // bytes for each gap and value.
    if (size_ + 40 + 20 * (size_t)changes > kMaxBytes) {
        full_ = true;
        return false;
    }
    updates_ += 1;
    if (changes == 0 && step == lastStep_ && updates_ > 1) {
        run_ += 1;
        return true;
    }
    FlushRun();
    Put(((uint64_t)changes << 1) | 1);
    Put(Zig(step));
    int next = 0;
    for (int i = 0; i < kInputs; i++)
        if (!SameBits(last_[i], inputs[i])) {
            Put((uint64_t)(i - next));
            Put(ValueCode(inputs[i]));
            next = i + 1;
            last_[i] = inputs[i];
        }
    lastStep_ = step;
    return true;
}

size_t Writer::Finish(Head& head, uint8_t* out, size_t room) {
    FlushRun();
    head.updates = updates_;
    if (full_) return 0;
    Out o{out, room};
    for (uint8_t b : kMagic) o.Byte(b);
    o.Byte((uint8_t)kFormat);
    size_t vlen = strnlen(head.version, sizeof head.version - 1);
    o.Byte((uint8_t)vlen);
    for (size_t i = 0; i < vlen; i++) o.Byte((uint8_t)head.version[i]);
    for (int v : {head.score, head.date, head.updates, head.difficulty, head.daily, head.clock, head.musicTrack})
        o.Int(v);
    uint32_t fade;
    memcpy(&fade, &head.musicFade, sizeof fade);
    o.Var(fade);
    for (int i = 0; i < 8; i++) o.Byte((uint8_t)(head.digest >> (8 * i)));
    for (int v : head.settings) o.Int(v);
    for (int v : head.rng) o.Int(v);
    for (int v : head.keyLock) o.Int(v);
    for (int v : head.touchLock) o.Int(v);
    for (int v : head.misc) o.Int(v);
    for (float v : head.clear) {
        uint32_t bits;
        memcpy(&bits, &v, sizeof bits);
        o.Var(bits);
    }
    for (float v : head.hover) {
        uint32_t bits;
        memcpy(&bits, &v, sizeof bits);
        o.Var(bits);
    }
    static const float zero[kInputs] = {};
    PutChanges(o, zero, head.inputs);
    o.Var(size_);
    for (size_t i = 0; i < size_; i++) o.Byte(stream_[i]);
    uint32_t sum = (uint32_t)Fnv(out, o.n);
    for (int i = 0; i < 4; i++) o.Byte((uint8_t)(sum >> (8 * i)));
    return o.ok ? o.n : 0;
}

bool Reader::Open(const uint8_t* data, size_t size, const char*& why) {
    stream_ = nullptr;
    why = "it is too short";
    if (size < 4 + 2 + 4) return false;
    why = "it is not a replay";
    if (memcmp(data, kMagic, 4) != 0) return false;
    why = "it is from another version of the replay format";
    if (data[4] != kFormat) return false;
    why = "it is too large";
    if (size > kMaxBytes + 65536) return false;
    size_t body = size - 4;
    uint32_t sum = (uint32_t)data[body] | ((uint32_t)data[body + 1] << 8) | ((uint32_t)data[body + 2] << 16) |
                   ((uint32_t)data[body + 3] << 24);
    why = "its checksum does not hold (damaged or cut short)";
    if ((uint32_t)Fnv(data, body) != sum) return false;

    why = "its header is damaged";
    In in{data, body, 5};
    Head& h = head_;
    memset(&h, 0, sizeof h);
    uint8_t vlen;
    if (!in.Byte(vlen) || vlen >= sizeof h.version) return false;
    for (int i = 0; i < vlen; i++) {
        uint8_t c;
        if (!in.Byte(c) || c < 32 || c > 126) return false;
        h.version[i] = (char)c;
    }
    const int big = 2147483647, low = -big - 1;
    if (!in.Int(h.score, low, big) || !in.Int(h.date, 0, 99991231) || !in.Int(h.updates, 1, kMaxUpdates) ||
        !in.Int(h.difficulty, 1, 3) || !in.Int(h.daily, 0, 99991231) || !in.Int(h.clock, low, big) ||
        !in.Int(h.musicTrack, -1, 8))
        return false;
    uint64_t fade;
    if (!in.Var(fade) || fade > 0xffffffffull) return false;
    uint32_t f = (uint32_t)fade;
    memcpy(&h.musicFade, &f, sizeof f);
    if (!(h.musicFade >= 0 && h.musicFade <= 1)) return false;
    for (int i = 0; i < 8; i++) {
        uint8_t b;
        if (!in.Byte(b)) return false;
        h.digest |= (uint64_t)b << (8 * i);
    }
    for (int& v : h.settings)
        if (!in.Int(v, low, big)) return false;
    // The settings a watched replay takes over must be ones the options
    // screen could have written.
    for (const auto& r : kSettingRanges)
        if (h.settings[r.slot] < r.lo || h.settings[r.slot] > r.hi) return false;
    for (int& v : h.rng)
        if (!in.Int(v, low, big)) return false;
    // Lock counters only ever count a few seconds of updates.
    for (int& v : h.keyLock)
        if (!in.Int(v, -100000, 100000)) return false;
    for (int& v : h.touchLock)
        if (!in.Int(v, -100000, 100000)) return false;
    for (int& v : h.misc)
        if (!in.Int(v, -1000000, 1000000)) return false;
    for (float& v : h.clear) {
        if (!GetFloat(in, v) || v < 0 || v > 255) return false;
    }
    for (float& v : h.hover) {
        if (!GetFloat(in, v) || std::fabs(v) > kLargestInput) return false;
    }
    uint64_t n, length;
    if (!in.Var(n) || !GetChanges(in, n, h.inputs)) return false;
    why = "its updates are damaged";
    if (!in.Var(length) || length != body - in.at) return false;
    stream_ = data + in.at;
    size_ = (size_t)length;

    // Every update is decoded once before any is played, so a bad one
    // cannot surface halfway through.
    at_ = 0;
    run_ = lastStep_ = done_ = 0;
    memcpy(last_, h.inputs, sizeof last_);
    int step;
    static float scratch[kInputs];
    for (int u = 0; u < h.updates; u++)
        if (!Decode(step, scratch, why)) {
            stream_ = nullptr;
            return false;
        }
    if (run_ != 0 || at_ != size_) {
        why = "its updates do not end where it says";
        stream_ = nullptr;
        return false;
    }
    at_ = 0;
    run_ = lastStep_ = done_ = 0;
    memcpy(last_, h.inputs, sizeof last_);
    why = "";
    return true;
}

bool Reader::Get(uint64_t& v) {
    In in{stream_, size_, at_};
    bool ok = in.Var(v);
    at_ = in.at;
    return ok;
}

bool Reader::Decode(int& step, float* inputs, const char*& why) {
    why = "its updates are damaged";
    if (run_ > 0) {
        run_ -= 1;
    } else {
        uint64_t t;
        if (!Get(t)) return false;
        if ((t & 1) == 0) {
            // A run repeats an update, so it never comes first, and it
            // cannot claim more updates than the file has.
            if (t == 0 || done_ == 0 || (t >> 1) > (uint64_t)(head_.updates - done_)) return false;
            run_ = (int)(t >> 1) - 1;
        } else {
            uint64_t s;
            if (!Get(s)) return false;
            int64_t v = Unzig(s);
            if (v < -2147483647 - 1 || v > 2147483647) return false;
            In in{stream_, size_, at_};
            if (!GetChanges(in, t >> 1, last_)) return false;
            at_ = in.at;
            lastStep_ = (int)v;
        }
    }
    done_ += 1;
    step = lastStep_;
    memcpy(inputs, last_, sizeof last_);
    return true;
}

bool Reader::Next(int& step, float* inputs) {
    if (!stream_ || done_ >= head_.updates) return false;
    const char* why;
    return Decode(step, inputs, why);
}

}  // namespace tape
