#!/usr/bin/env python3
"""Levels of a raw recording (16-bit little-endian mono, 44.1 kHz), no libraries.

Usage: soundlevels.py from FILE BYTES   ->  the RMS level from byte BYTES to
           the end, in dBFS ("-inf" for digital silence)
       soundlevels.py split FILE BYTES  ->  "first gap after" from byte BYTES
           on: the seconds until sound starts (-1 when it never does), the
           level until then and the level from there on, in dBFS.
Sound is a 50 ms window above -60 dBFS: a null sink's silence is all zeros,
so anything the game plays is far above it.
"""
import array
import math
import sys

RATE = 44100
WINDOW = RATE // 20
THRESHOLD_DB = -60.0


def samples(path):
    data = open(path, "rb").read()
    a = array.array("h")
    a.frombytes(data[: len(data) // 2 * 2])
    if sys.byteorder != "little":
        a.byteswap()
    return a


def level(part):
    if len(part) == 0:
        return float("-inf")
    mean = sum(s * s for s in part) / len(part)
    return 10 * math.log10(mean / (32768.0 * 32768.0)) if mean > 0 else float("-inf")


def main():
    mode, path, start = sys.argv[1], sys.argv[2], int(sys.argv[3]) // 2
    s = samples(path)[start:]
    if mode == "from":
        print("%.1f" % level(s))
        return
    first = -1
    for at in range(0, len(s) - WINDOW + 1, WINDOW):
        if level(s[at:at + WINDOW]) > THRESHOLD_DB:
            first = at
            break
    if first < 0:
        print("-1 %.1f -inf" % level(s))
        return
    print("%.2f %.1f %.1f" % (first / RATE, level(s[:first]), level(s[first:])))


if __name__ == "__main__":
    main()
