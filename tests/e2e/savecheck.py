#!/usr/bin/env python3
"""Checks the two save files in a folder the way the game's loader would
trust them: sizes, the user ID's check value, the score file's checksum and
its copy of the user ID. Prints one line per file with a digest of its
bytes, so callers can tell which version of a file they are looking at.

Usage: savecheck.py DIR   (exit 0 when both files are whole and valid,
                           1 when either is missing or damaged)
"""
import hashlib
import os
import struct
import sys

GAME = 552
SETTINGS = "Settings.sav"
SCORES = "Save_552_Bramblehop.sav"


def rem(a, b):  # C's remainder, which keeps the sign of a
    r = abs(a) % b
    return -r if a < 0 else r


def i32(v):
    v &= 0xFFFFFFFF
    return v - (1 << 32) if v >= 1 << 31 else v


def user_check(s):
    return i32(rem(s[0], 37171) + rem(s[1], 17021) + rem(s[2], 53496))


def copy_check(s):
    return i32(rem(s[0], 53496) + rem(s[1], 37171) + rem(s[2], 17021))


def score_sum(user, values):
    a, b, c, s = rem(user[0], 5) + 3, rem(user[1], 4) + 4, GAME % 6 + 2, 0
    for i in range(100):
        s = rem(i32(i32(GAME + values[i]) * a + (b + 100 + i) * c + s), 371653)
    for j in range(22000):
        s = rem(i32(i32(GAME + values[100 + j]) * a + (c + j) * b + s), 371653)
    return s


def check(folder):
    problems = []
    paths = [os.path.join(folder, n) for n in (SETTINGS, SCORES)]
    data = []
    for path in paths:
        try:
            data.append(open(path, "rb").read())
        except OSError as e:
            problems.append(f"{os.path.basename(path)}: {e.strerror}")
            data.append(None)
    settings, scores = data
    if settings is not None and len(settings) != 4496:
        problems.append(f"{SETTINGS}: {len(settings)} bytes, not 4496")
        settings = None
    if scores is not None and len(scores) != 88404:
        problems.append(f"{SCORES}: {len(scores)} bytes, not 88404")
        scores = None
    if settings is not None:
        s = struct.unpack("<1124i", settings)
        if s[27] != user_check(s[24:27]):
            problems.append(f"{SETTINGS}: user ID check value does not hold")
    if scores is not None:
        v = struct.unpack("<22101i", scores)
        user = s[24:27] if settings is not None else v[24:27]
        if v[22100] != score_sum(user, v):
            problems.append(f"{SCORES}: checksum does not hold")
        if v[27] != copy_check(v[24:27]):
            problems.append(f"{SCORES}: user ID copy check value does not hold")
        if settings is not None and tuple(v[24:27]) != tuple(s[24:27]):
            problems.append(f"{SCORES}: belongs to another user ID")
    for name, d in zip((SETTINGS, SCORES), data):
        if d is not None:
            print(f"{name} {len(d)} {hashlib.sha1(d).hexdigest()[:12]}")
    for p in problems:
        print("BAD " + p)
    return not problems


if __name__ == "__main__":
    sys.exit(0 if check(sys.argv[1] if len(sys.argv) > 1 else ".") else 1)
