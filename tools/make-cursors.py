#!/usr/bin/env python3
"""Draws the image view's tool cursors (32 x 32, black with a white halo)
and writes them as .cur files into src/res. Run once; the files are
committed. Usage: tools/make-cursors.py"""
import math
import os
import struct

N = 32
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "res")


def blank():
    return [[0] * N for _ in range(N)]


def dot(img, x, y):
    if 0 <= x < N and 0 <= y < N:
        img[y][x] = 1


def line(img, x0, y0, x1, y1):
    steps = max(abs(x1 - x0), abs(y1 - y0), 1)
    for i in range(steps + 1):
        dot(img, round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps))


def circle(img, cx, cy, r):
    for a in range(0, 360, 3):
        dot(img, round(cx + r * math.cos(math.radians(a))), round(cy + r * math.sin(math.radians(a))))


def rect(img, x0, y0, x1, y1, dotted=False):
    for x in range(x0, x1 + 1):
        if not dotted or x % 2 == 0:
            dot(img, x, y0), dot(img, x, y1)
    for y in range(y0, y1 + 1):
        if not dotted or y % 2 == 0:
            dot(img, x0, y), dot(img, x1, y)


def magnifier(img):
    circle(img, 11, 11, 8)
    for d in range(3):
        line(img, 17 + d, 17, 27 + d, 27)


def arrow_heads(img, cx, cy, r):
    line(img, cx - r, cy, cx + r, cy), line(img, cx, cy - r, cx, cy + r)
    for s in (-1, 1):
        line(img, cx + s * r, cy, cx + s * (r - 3), cy - 3), line(img, cx + s * r, cy, cx + s * (r - 3), cy + 3)
        line(img, cx, cy + s * r, cx - 3, cy + s * (r - 3)), line(img, cx, cy + s * r, cx + 3, cy + s * (r - 3))


def hand(img, open_):
    rect(img, 8, 14, 22, 26)
    fingers = [(9, 4), (13, 2), (17, 3), (21, 6)] if open_ else [(9, 11), (13, 10), (17, 10), (21, 11)]
    for x, top in fingers:
        line(img, x, top, x, 14), line(img, x + 3, top, x + 3, 14), line(img, x, top, x + 3, top)
    line(img, 8, 18, 4, 14 if open_ else 17)


def make(name, hot, draw):
    img = blank()
    draw(img)
    halo = blank()
    for y in range(N):
        for x in range(N):
            if not img[y][x] and any(0 <= x + dx < N and 0 <= y + dy < N and img[y + dy][x + dx]
                                     for dx in (-1, 0, 1) for dy in (-1, 0, 1)):
                halo[y][x] = 1
    xor_rows, and_rows = [], []
    for y in reversed(range(N)):  # bottom-up
        xb, ab = bytearray(4), bytearray(4)
        for x in range(N):
            bit = 0x80 >> (x % 8)
            if halo[y][x]:
                xb[x // 8] |= bit  # white
            elif not img[y][x]:
                ab[x // 8] |= bit  # transparent
        xor_rows.append(bytes(xb)), and_rows.append(bytes(ab))
    header = struct.pack("<IiiHHIIiiII", 40, N, 2 * N, 1, 1, 0, 0, 0, 0, 2, 0)
    body = header + struct.pack("<II", 0x000000, 0xFFFFFF) + b"".join(xor_rows) + b"".join(and_rows)
    data = struct.pack("<HHH", 0, 2, 1) + struct.pack("<BBBBHHII", N, N, 0, 0, hot[0], hot[1], len(body), 22) + body
    with open(os.path.join(OUT, name + ".cur"), "wb") as f:
        f.write(data)


make("CrPointXY", (15, 15), lambda i: (line(i, 15, 2, 15, 28), line(i, 2, 15, 28, 15)))
make("CrCentering", (15, 15), lambda i: (line(i, 15, 2, 15, 28), line(i, 2, 15, 28, 15), circle(i, 15, 15, 7)))
make("CrPostIt", (2, 2), lambda i: (line(i, 2, 2, 9, 9), rect(i, 9, 9, 25, 25), line(i, 12, 14, 22, 14),
                                    line(i, 12, 18, 22, 18)))
make("CrZoomIn", (11, 11), lambda i: (magnifier(i), line(i, 7, 11, 15, 11), line(i, 11, 7, 11, 15)))
make("CrZoomOut", (11, 11), lambda i: (magnifier(i), line(i, 7, 11, 15, 11)))
make("CrZoomRect", (11, 11), lambda i: (magnifier(i), rect(i, 7, 7, 15, 15, dotted=True)))
make("CrOpenHand", (15, 15), lambda i: hand(i, True))
make("CrCloseHand", (15, 15), lambda i: hand(i, False))
make("CrMoving", (15, 15), lambda i: arrow_heads(i, 15, 15, 12))
make("CrMeasure", (3, 3), lambda i: (line(i, 3, 3, 27, 27), line(i, 3, 3, 3, 10), line(i, 3, 3, 10, 3),
                                     [line(i, 6 + k, 10 + k, 10 + k, 6 + k) for k in range(0, 18, 6)]))
