// Any bytes as a replay, read by the game's own reader: refused, or played
// out to its last update with every input a device could give. A checksum
// that holds is out of reach of blind mutation, so the first byte chooses:
// odd, the rest is sealed with a checksum that holds (the reader's checks
// behind it get explored); even, the rest as it is.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "gameplay/replay.h"

namespace {

uint8_t file[tape::kMaxBytes + 65536];
float inputs[tape::kInputs];
tape::Reader reader;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size - 1 > sizeof file - 4) return 0;
    bool seal = data[0] & 1;
    size_t n = size - 1;
    memcpy(file, data + 1, n);
    if (seal) {
        uint32_t sum = (uint32_t)tape::Fnv(file, n);
        for (int i = 0; i < 4; i++) file[n + i] = (uint8_t)(sum >> (8 * i));
        n += 4;
    }
    const char* why;
    if (!reader.Open(file, n, why)) {
        if (!why || !why[0]) __builtin_trap();  // a refusal always says why
        return 0;
    }
    int updates = 0, step;
    while (reader.Next(step, inputs)) {
        if (++updates > reader.head().updates) __builtin_trap();
        for (float v : inputs)
            if (!std::isfinite(v) || std::fabs(v) > tape::kLargestInput) __builtin_trap();
    }
    if (updates != reader.head().updates) __builtin_trap();
    return 0;
}
