// Any bytes as the Ogg Vorbis music: the start and one top-up. Each input is
// played as it is, which mostly meets the page checks, and again with every
// page's checksum repaired, so the decoder behind them is exercised too.
// The start decodes a whole block and one top-up reaches the next block or
// the rewind of a short stream; more top-ups only decode more of the same.
#include "fuzz_common.h"
#include "Vell_glfw3_audio.h"

#include <cstring>
#include <vector>

namespace {

// True when some page's checksum had to change.
bool RepairPages(std::vector<uint8_t>& b) {
    size_t at = 0;
    bool changed = false;
    while (b.size() - at >= 27 && memcmp(&b[at], "OggS", 4) == 0) {
        size_t segments = b[at + 26];
        if (b.size() - at < 27 + segments) return changed;
        size_t length = 27 + segments;
        for (size_t i = 0; i < segments; i++) length += b[at + 27 + i];
        if (b.size() - at < length) return changed;
        uint8_t was[4];
        memcpy(was, &b[at + kOggCrcAt], 4);
        uint32_t crc = OggPageCrc(&b[at], (long)length);
        for (int i = 0; i < 4; i++) b[at + kOggCrcAt + i] = (uint8_t)(crc >> (8 * i));
        changed |= memcmp(was, &b[at + kOggCrcAt], 4) != 0;
        at += length;
    }
    return changed;
}

void Play(const uint8_t* data, size_t size) {
    std::string path = FuzzWrite("in.ogg", data, size);
    ASys.PlayMusic_Ogg_Sys(path.c_str(), 1);
    ASys.HandleMusicSys();
    ASys.StopMusicSys();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzQuiet();
    Play(data, size);
    std::vector<uint8_t> repaired(data, data + size);
    // Pages whose checksums already held were played just now.
    if (RepairPages(repaired)) Play(repaired.data(), repaired.size());
    return 0;
}
