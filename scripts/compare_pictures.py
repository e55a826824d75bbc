#!/usr/bin/env python3
"""Compares two 8-bit PNG pictures with a tolerance for rounding.

Usage: compare_pictures.py A.png B.png [--channel N] [--share S]
The pictures must have the same size and pixel format. A pixel differs when any channel
differs by more than N (default 2); at most the share S (default 0.005) of the pixels may
differ. Exit status 0 when they match, 1 when not, 2 on unreadable input.
"""
import argparse
import struct
import sys
import zlib

CHANNELS = {0: 1, 2: 3, 4: 2, 6: 4}


def read_png(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(f"{path}: not a PNG file")
    pos, header, idat = 8, None, []
    while pos + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat.append(body)
        elif kind == b"IEND":
            break
        pos += 12 + length
    if header is None:
        raise ValueError(f"{path}: no IHDR chunk")
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in CHANNELS or interlace != 0:
        raise ValueError(f"{path}: only 8-bit, non-interlaced grey, RGB and RGBA pictures")
    bpp = CHANNELS[colour]
    raw = zlib.decompress(b"".join(idat))
    stride = width * bpp
    rows, prev = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 255
            elif kind != 0:
                raise ValueError(f"{path}: unknown row filter {kind}")
        rows.append(bytes(line))
        prev = line
    return width, height, bpp, rows


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("first")
    parser.add_argument("second")
    parser.add_argument("--channel", type=int, default=2)
    parser.add_argument("--share", type=float, default=0.005)
    args = parser.parse_args()
    try:
        w1, h1, c1, rows1 = read_png(args.first)
        w2, h2, c2, rows2 = read_png(args.second)
    except (OSError, ValueError, zlib.error) as error:
        print(error, file=sys.stderr)
        return 2
    if (w1, h1, c1) != (w2, h2, c2):
        print(f"{args.first} is {w1}x{h1}x{c1}, {args.second} is {w2}x{h2}x{c2}")
        return 1
    differing, largest = 0, 0
    for r1, r2 in zip(rows1, rows2):
        if r1 == r2:
            continue
        for x in range(0, len(r1), c1):
            d = max(abs(r1[x + k] - r2[x + k]) for k in range(c1))
            largest = max(largest, d)
            differing += d > args.channel
    share = differing / float(w1 * h1)
    verdict = "match" if share <= args.share else "differ"
    print(f"{args.first} vs {args.second}: {differing} of {w1 * h1} pixels differ by more than "
          f"{args.channel} (largest difference {largest}): {verdict}")
    return 0 if share <= args.share else 1


if __name__ == "__main__":
    sys.exit(main())
