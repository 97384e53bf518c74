#!/usr/bin/env python3
"""Writes the fuzzers' seed corpus into fuzz/corpus: small, valid examples
of every input kind, so the fuzzers start from files the game really reads.

Usage: make_seeds.py PATH/TO/pages.ogg [TONE.ogg ...]
  pages.ogg: the generated music; TONE.ogg: short streams from
  build-fuzz/fuzz/tone_ogg OUT CHANNELS RATE SECONDS QUALITY
"""
import os
import struct
import sys
import zlib

here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")


def put(kind, name, data):
    os.makedirs(os.path.join(here, kind), exist_ok=True)
    with open(os.path.join(here, kind, name), "wb") as f:
        f.write(data)


# ---- PNG ----
def chunk(tag, body):
    return struct.pack(">I", len(body)) + tag + body + struct.pack(">I", zlib.crc32(tag + body))


def png(width, height, colour, depth, rows, extra=b""):
    head = struct.pack(">IIBBBBB", width, height, depth, colour, 0, 0, 0)
    raw = b"".join(b"\0" + r for r in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", head) + extra +
            chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


put("png", "rgba_16", png(16, 16, 6, 8, [b"".join(bytes((x * 16, y * 16, 99, 255 - x)) for x in range(16))
                                          for y in range(16)]))
put("png", "rgb_8", png(8, 8, 2, 8, [b"".join(bytes((x * 30, y * 30, 200)) for x in range(8)) for y in range(8)]))
put("png", "grey16_4", png(4, 4, 0, 16, [b"".join(struct.pack(">H", (x + y) * 8000) for x in range(4))
                                         for y in range(4)]))
put("png", "palette_4", png(4, 4, 3, 8, [bytes((x + y) % 3 for x in range(4)) for y in range(4)],
                            chunk(b"PLTE", bytes((255, 0, 0, 0, 255, 0, 0, 0, 255))) +
                            chunk(b"tRNS", bytes((255, 128, 0)))))
put("png", "sheet_64x32", png(64, 32, 6, 8, [b"".join(bytes((x * 4, y * 8, (x // 32) * 200, 255))
                                                      for x in range(64)) for y in range(32)]))


# ---- WAV ----
def wav(channels, bits, rate, samples, extra=b""):
    data = bytes((i * 37) & 255 for i in range(samples * channels * bits // 8))
    fmt = struct.pack("<HHIIHH", 1, channels, rate, rate * channels * bits // 8, channels * bits // 8, bits)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + extra + b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


put("wav", "mono8", wav(1, 8, 8000, 200))
put("wav", "stereo16", wav(2, 16, 22050, 300))
put("wav", "list_chunk", wav(1, 16, 11025, 100, b"LIST" + struct.pack("<I", 4) + b"INFO"))


# ---- Ogg: the headers and the first audio pages of the game's own music ----
def ogg_prefix(path, audio_pages):
    data = open(path, "rb").read()
    at, pages = 0, 0
    while at + 27 <= len(data) and data[at:at + 4] == b"OggS":
        segments = data[at + 26]
        length = 27 + segments + sum(data[at + 27:at + 27 + segments])
        granule = struct.unpack("<q", data[at + 6:at + 14])[0]
        at += length
        if granule > 0:
            pages += 1
            if pages == audio_pages:
                break
    return data[:at]


if len(sys.argv) > 1:
    put("ogg", "music_start", ogg_prefix(sys.argv[1], 2))
# Short quiet streams open and decode in a fraction of the music's time, so
# most of the fuzzing happens on them (tone_ogg, built with the fuzzers).
for path in sys.argv[2:]:
    put("ogg", "tone_" + os.path.splitext(os.path.basename(path))[0], open(path, "rb").read())


# ---- Save files: a valid pair, joined as the load fuzzer splits them ----
def i32(v):
    v &= 0xffffffff
    return v - (1 << 32) if v >= 1 << 31 else v


def cmod(a, b):  # C's remainder, which keeps the sign of a
    r = abs(a) % b
    return -r if a < 0 else r


settings = [0] * 200
settings[0], settings[1], settings[101], settings[100] = 8, 7, 3, 4
settings[24], settings[25], settings[26] = 20261210, 123456, 4321
settings[27] = settings[24] % 37171 + settings[25] % 17021 + settings[26] % 53496
for i in range(24, 27):
    settings[100 + i] = settings[i]
settings[127] = settings[124] % 53496 + settings[125] % 37171 + settings[126] % 17021
scores = [0] * 22000
scores[40], scores[41], scores[45] = 5000, 4000, 1200
a, b, c, s = settings[24] % 5 + 3, settings[25] % 4 + 4, 552 % 6 + 2, 0
for i in range(100, 200):
    s = cmod(i32(i32(552 + settings[i]) * a + (b + i) * c + s), 371653)
for j in range(22000):
    s = cmod(i32(i32(552 + scores[j]) * a + (c + j) * b + s), 371653)
keys = [0] * 1024
settings_file = struct.pack("<100i", *settings[:100]) + struct.pack("<1024i", *keys)
score_file = struct.pack("<100i", *settings[100:]) + struct.pack("<22000i", *scores) + struct.pack("<i", s)
# The load target's input: a mode byte, the settings file's length, then
# the settings file and the score file (see fuzz_load.cpp).
def load_input(mode, settings_bytes, score_bytes):
    return bytes((mode,)) + struct.pack("<H", len(settings_bytes)) + settings_bytes + score_bytes


# A few keys and pad inputs bound, newest in each control's last slot.
bound = list(keys)
for control, codes in ((0, (265, 87)), (1, (262,)), (2, (551,)), (3, (505,)), (8, (256,)), (10, (90, 32))):
    for n, code in enumerate(codes):
        bound[control * 64 + 63 - n] = code
bindings = struct.pack("<100i", *settings[:100]) + struct.pack("<1024i", *bound)
# Most seeds stop after the first controls' bindings: a full table costs
# the loader a thousand bindings per input, so one seed is enough of those.
put("load", "valid_pair", load_input(5, settings_file, score_file))
put("load", "repaired_scores", load_input(6, bindings[:400 + 4 * 64 * 4], score_file[:400]))
put("load", "settings_only", load_input(0, bindings[:400 + 4 * 64 * 3], b""))
put("load", "short", load_input(5, settings_file[:64], score_file[:64]))


# ---- Replays: the game's own layout (see game/gameplay/replay.cpp) ----
def var(v):
    out = bytearray()
    while v >= 0x80:
        out.append((v & 0x7f) | 0x80)
        v >>= 7
    out.append(v)
    return bytes(out)


def zig(v):
    return v * 2 if v >= 0 else -v * 2 - 1


def fbits(f):
    return struct.unpack("<I", struct.pack("<f", f))[0]


def value_code(f):
    return zig(int(f)) << 1 if f == int(f) else (fbits(f) << 1) | 1


def changes(old, new):
    idx = [i for i in range(len(new)) if old[i] != new[i]]
    out, nxt = var(len(idx)), 0
    for i in idx:
        out += var(i - nxt) + var(value_code(new[i]))
        nxt = i + 1
    return out


# Buttons, pointers, pads, controls, the screen's width and height, and
# the pointer-down value; a zero screen leaves the watcher's as it is.
INPUTS = 128 + 100 + 400 + 128 + 2 + 1


def replay(updates, seed, score):
    import random
    rnd = random.Random(seed)
    first = [0.0] * INPUTS
    first[63] = 1.0  # focused
    stream, last, last_step, run = bytearray(), list(first), None, 0
    now = list(first)
    for _ in range(updates):
        if rnd.random() < 0.2:
            k = rnd.randrange(16)
            now[k] = now[128 + 100 + 400 + k] = 1.0 - now[k]
        if rnd.random() < 0.05:
            now[128 + 1], now[128 + 2] = rnd.randrange(800) + 0.5, float(rnd.randrange(600))
        step = 16 if rnd.random() < 0.95 else rnd.randrange(300)
        if now == last and step == last_step:
            run += 1
            continue
        if run:
            stream += var(run << 1)
            run = 0
        n = sum(1 for i in range(INPUTS) if now[i] != last[i])
        stream += var((n << 1) | 1) + var(zig(step)) + changes(last, now)[len(var(n)):]
        last, last_step = list(now), step
    if run:
        stream += var(run << 1)
    settings = [0] * 200
    settings[0] = settings[1] = 7
    settings[101] = 2
    body = b"BHRP" + bytes((2, 5)) + b"1.0.0"
    for v in (score, 20261210, updates, 2, 0, 5000, 2):
        body += var(zig(v))
    body += var(fbits(1.0)) + bytes(8)
    for v in settings + [0] * 6 + [0] * 200 + [0] * 15:
        body += var(zig(v))
    for f in [0.0] * 7 + [400.0, 300.0]:
        body += var(fbits(f))
    body += changes([0.0] * INPUTS, first) + var(len(stream)) + bytes(stream)
    h = 1469598103934665603
    for byte in body:
        h = ((h ^ byte) * 1099511628211) & 0xffffffffffffffff
    return body, struct.pack("<I", h & 0xffffffff)


# The replay target's first byte: odd seals the rest with its checksum.
body, sum32 = replay(600, 1, 4200)
put("replay", "short_game", b"\x00" + body + sum32)
put("replay", "short_game_sealed", b"\x01" + body)
body, sum32 = replay(3, 2, 0)
put("replay", "three_updates_sealed", b"\x01" + body)
