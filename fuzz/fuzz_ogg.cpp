// Any bytes as the Ogg Vorbis music: the start and the first top-ups. Each
// input is played twice: as it is, which mostly meets the page checks, and
// with every page's checksum repaired, so the decoder behind them is
// exercised too.
#include "fuzz_common.h"

#include <cstring>
#include <vector>

namespace {

uint32_t Crc(const uint8_t* p, size_t n) {
    uint32_t crc = 0;
    for (size_t i = 0; i < n; i++) {
        crc ^= (uint32_t)p[i] << 24;
        for (int k = 0; k < 8; k++) crc = (crc & 0x80000000u) ? (crc << 1) ^ 0x04c11db7u : crc << 1;
    }
    return crc;
}

void RepairPages(std::vector<uint8_t>& b) {
    size_t at = 0;
    while (b.size() - at >= 27 && memcmp(&b[at], "OggS", 4) == 0) {
        size_t segments = b[at + 26];
        if (b.size() - at < 27 + segments) return;
        size_t length = 27 + segments;
        for (size_t i = 0; i < segments; i++) length += b[at + 27 + i];
        if (b.size() - at < length) return;
        for (int i = 22; i < 26; i++) b[at + i] = 0;
        uint32_t crc = Crc(&b[at], length);
        for (int i = 0; i < 4; i++) b[at + 22 + i] = (uint8_t)(crc >> (8 * i));
        at += length;
    }
}

void Play(const uint8_t* data, size_t size) {
    std::string path = FuzzWrite("in.ogg", data, size);
    ASys.PlayMusic_Ogg_Sys(path.c_str(), 1);
    for (int i = 0; i < 6; i++) ASys.HandleMusicSys();
    ASys.StopMusicSys();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzQuiet();
    Play(data, size);
    std::vector<uint8_t> repaired(data, data + size);
    RepairPages(repaired);
    Play(repaired.data(), repaired.size());
    return 0;
}
