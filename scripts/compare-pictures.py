#!/usr/bin/env python3
"""Compares two of the program's BMP pictures (the same graph drawn by two builds) pixel by pixel.

The pictures may differ only where a text is written: the Windows build draws the graphs' texts
with the fonts Windows has, so the letters (black on their own white cell) may differ in shape
and width. Every other pixel (axes, grid, the three curves, the background) must be the same.
A group of touching differing pixels counts as text when it is no taller than a line of text,
no wider than the longest label, and holds the texts' black in one of the two pictures;
anything else is a real difference. And the letters must be the same font's: under Wine the
Windows build finds the system's DejaVu Sans, as Linux does, and its letters move a pixel here
and there (under a tenth of the picture's black pixels differ); empty boxes for glyphs that were
not found, or another font, change a third of them or more.
  compare-pictures.py A.bmp B.bmp   exit 0 when equal outside the texts; prints what differs
"""
import struct
import sys

TEXT_HEIGHT = 20  # the texts are 11 pixels high, their cell a few more
TEXT_WIDTH = 320  # the longest label of a graph
BLACK = (0, 0, 0)
SAME_FONT = 0.2  # at most this share of the first picture's black pixels may differ


def read_bmp(path):
    data = open(path, "rb").read()
    if data[:2] != b"BM":
        raise SystemExit(f"{path}: not a BMP picture")
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bpp, compression = struct.unpack_from("<iiHHI", data, 18)
    if bpp not in (24, 32) or compression not in (0, 3):
        raise SystemExit(f"{path}: {bpp} bits per pixel, compression {compression}: not read here")
    stride = (width * bpp // 8 + 3) & ~3
    rows = abs(height)
    pixels = []
    for y in range(rows):
        row = y if height < 0 else rows - 1 - y
        start = offset + row * stride
        line = []
        for x in range(width):
            b, g, r = data[start + x * bpp // 8:start + x * bpp // 8 + 3]
            line.append((r, g, b))
        pixels.append(line)
    return width, rows, pixels


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    wa, ha, a = read_bmp(sys.argv[1])
    wb, hb, b = read_bmp(sys.argv[2])
    if (wa, ha) != (wb, hb):
        print(f"sizes differ: {wa}x{ha} and {wb}x{hb}")
        return 1
    differing = {(x, y) for y in range(ha) for x in range(wa) if a[y][x] != b[y][x]}
    if not differing:
        print("identical")
        return 0
    # Groups of differing pixels touching each other (8 neighbours, up to 2 pixels apart, so
    # that the letters of one word make one group).
    seen, groups = set(), []
    for start in sorted(differing):
        if start in seen:
            continue
        stack, group = [start], []
        seen.add(start)
        while stack:
            x, y = stack.pop()
            group.append((x, y))
            for dx in range(-2, 3):
                for dy in range(-2, 3):
                    n = (x + dx, y + dy)
                    if n in differing and n not in seen:
                        seen.add(n)
                        stack.append(n)
        groups.append(group)
    bad = []
    for group in groups:
        xs = [p[0] for p in group]
        ys = [p[1] for p in group]
        w, h = max(xs) - min(xs) + 1, max(ys) - min(ys) + 1
        inked = any(a[y][x] == BLACK or b[y][x] == BLACK for x, y in group)
        if h > TEXT_HEIGHT or w > TEXT_WIDTH or not inked:
            bad.append(f"{len(group)} pixels in {w}x{h} at ({min(xs)},{min(ys)})" + ("" if inked else ", no text black"))
    ink = sum(1 for row in a for pixel in row if pixel == BLACK)
    if len(differing) > SAME_FONT * ink:
        bad.append(f"the texts are other letters: {len(differing)} of {ink} black pixels differ")
    print(f"{len(differing)} pixels differ in {len(groups)} text-sized groups" if not bad else
          f"{len(differing)} pixels differ, not only in the texts: " + "; ".join(bad[:5]))
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
