// Checks an Ogg Vorbis file before the decoder sees it. The decoder trusts
// what it reads: a damaged download or disk, or a hostile file, must not be
// able to crash the game through it. Only whole pages whose checksums hold
// are passed on, and the first two headers (identification and comments,
// where the decoder's own length checks are weakest) must be consistent.
#include <cstdint>
#include <cstring>

#include "Vell_glfw3_audio.h"

namespace {

// Reads one packet at a time from pages already checked, across page
// boundaries, the way the decoder will.
struct PacketReader {
    const unsigned char* data;
    long size;
    long page = 0;      // start of the current page
    int segment = 0;    // next lacing value of the current page
    long body = 0;      // where that segment's bytes start
    int left = 0;       // bytes left in the current segment
    bool last = false;  // the current segment ends the packet

    bool OpenSegment() {
        for (;;) {
            if (page >= size) return false;
            const unsigned char* p = data + page;
            int segments = p[26];
            if (segment == 0) body = page + 27 + segments;
            if (segment < segments) {
                left = p[27 + segment];
                last = left < 255;
                segment++;
                return true;
            }
            page = body;  // the end of this page's last segment
            segment = 0;
        }
    }
    // The next byte of the current packet; false at its end.
    bool Byte(unsigned char& out) {
        while (left == 0) {
            if (last) return false;
            if (!OpenSegment()) return false;
        }
        out = data[body++];
        left--;
        return true;
    }
    bool Word(uint32_t& out) {
        unsigned char b[4];
        for (unsigned char& x : b)
            if (!Byte(x)) return false;
        out = (uint32_t)b[0] | (uint32_t)b[1] << 8 | (uint32_t)b[2] << 16 | (uint32_t)b[3] << 24;
        return true;
    }
    bool Skip(uint32_t n) {
        unsigned char x;
        for (uint32_t i = 0; i < n; i++)
            if (!Byte(x)) return false;
        return true;
    }
    // Moves to the start of the next packet.
    bool NextPacket() {
        unsigned char x;
        while (Byte(x)) {
        }
        last = false;
        left = 0;
        return OpenSegment();
    }
    bool Header(int type) {
        unsigned char b[7];
        for (unsigned char& x : b)
            if (!Byte(x)) return false;
        return b[0] == type && memcmp(b + 1, "vorbis", 6) == 0;
    }
};

}  // namespace

// CRC-32 with polynomial 0x04c11db7, no reflection, over the page with its
// own checksum field taken as zero.
uint32_t OggPageCrc(const unsigned char* page, long length) {
    static uint32_t table[256];
    if (!table[1])
        for (uint32_t i = 0; i < 256; i++) {
            uint32_t r = i << 24;
            for (int k = 0; k < 8; k++) r = (r & 0x80000000u) ? (r << 1) ^ 0x04c11db7u : r << 1;
            table[i] = r;
        }
    uint32_t crc = 0;
    for (long i = 0; i < length; i++) {
        unsigned char b = (i >= kOggCrcAt && i < kOggCrcAt + 4) ? 0 : page[i];
        crc = (crc << 8) ^ table[((crc >> 24) ^ b) & 255];
    }
    return crc;
}

long CheckedOggLength(const unsigned char* data, long size) {
    long at = 0;
    while (size - at >= 27) {
        const unsigned char* page = data + at;
        if (memcmp(page, "OggS", 4) != 0 || page[4] != 0) break;
        long segments = page[26];
        if (size - at < 27 + segments) break;
        long length = 27 + segments;
        for (long i = 0; i < segments; i++) length += page[27 + i];
        if (size - at < length) break;
        uint32_t stored =
            (uint32_t)page[22] | (uint32_t)page[23] << 8 | (uint32_t)page[24] << 16 | (uint32_t)page[25] << 24;
        if (OggPageCrc(page, length) != stored) break;
        at += length;
    }
    return at;
}

// The decoder keeps every comment it reads, each piece rounded up to 8
// bytes: the vendor text, one pointer per comment, and each comment text.
static long long Rounded(long long n) { return (n + 7) & ~7LL; }

bool VorbisHeadersSound(const unsigned char* data, long size, long long* commentMemory) {
    PacketReader r{data, size};
    if (!r.OpenSegment()) return false;

    // Identification: version 0, 1 to 255 channels, a rate, block sizes
    // of 64 to 8192 samples with the short one no longer than the long one.
    uint32_t version, rate, skip;
    unsigned char channels, blocks, framing;
    if (!r.Header(1) || !r.Word(version) || !r.Byte(channels) || !r.Word(rate)) return false;
    if (!r.Word(skip) || !r.Word(skip) || !r.Word(skip) || !r.Byte(blocks) || !r.Byte(framing)) return false;
    int small = blocks & 15, large = blocks >> 4;
    if (version != 0 || channels == 0 || rate == 0 || small < 6 || large > 13 || small > large || !(framing & 1))
        return false;

    // Comments: every length must fit inside the packet.
    if (!r.NextPacket() || !r.Header(3)) return false;
    uint32_t vendor, count, length;
    if (!r.Word(vendor) || !r.Skip(vendor) || !r.Word(count)) return false;
    long long memory = Rounded((long long)vendor + 1) + Rounded(8LL * count);
    for (uint32_t i = 0; i < count; i++) {
        if (!r.Word(length) || !r.Skip(length)) return false;
        memory += Rounded((long long)length + 1);
    }
    unsigned char end;
    if (!r.Byte(end) || !(end & 1)) return false;
    if (commentMemory) *commentMemory = memory;
    return true;
}
