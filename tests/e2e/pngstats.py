#!/usr/bin/env python3
"""Colour statistics of an 8-bit RGB/RGBA PNG (non-interlaced), no libraries.

Usage: pngstats.py FILE  ->  prints "width height mean_r mean_g mean_b spread"
where spread is the mean absolute deviation of the brightness.
"""
import struct
import sys
import zlib


def read_png(path):
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG")
    pos, idat, width = 8, b"", 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, ctype = struct.unpack(">IIBB", body[:10])
            if depth != 8 or ctype not in (2, 6):
                raise ValueError("unsupported PNG")
            channels = 4 if ctype == 6 else 3
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, prev = [], bytearray(stride)
    for y in range(height):
        f = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = prev[i]
            c = prev[i - channels] if i >= channels else 0
            if f == 1:
                line[i] = (line[i] + a) & 255
            elif f == 2:
                line[i] = (line[i] + b) & 255
            elif f == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 255
        rows.append(line)
        prev = line
    return width, height, channels, rows


def main():
    w, h, ch, rows = read_png(sys.argv[1])
    n, sr, sg, sb, lum = 0, 0, 0, 0, []
    for row in rows[::4]:
        for x in range(0, w * ch, ch * 4):
            r, g, b = row[x], row[x + 1], row[x + 2]
            sr += r
            sg += g
            sb += b
            lum.append((r + g + b) / 3)
            n += 1
    mean = sum(lum) / n
    spread = sum(abs(v - mean) for v in lum) / n
    print(w, h, round(sr / n, 1), round(sg / n, 1), round(sb / n, 1), round(spread, 1))


if __name__ == "__main__":
    main()
