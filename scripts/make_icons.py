#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the three icons of the resource collection with the standard library only.

Run from the project root: python3 scripts/make_icons.py
Each pixel is supersampled 4 x 4 so that the strokes come out smooth.
"""
import math
import struct
import zlib

SUPER = 4


def write_png(path, size, pixel):
    rows = []
    for y in range(size):
        row = bytearray([0])
        for x in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SUPER):
                for sx in range(SUPER):
                    r, g, b, a = pixel(x + (sx + 0.5) / SUPER, y + (sy + 0.5) / SUPER)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = SUPER * SUPER
            alpha = acc[3] / n
            if alpha > 0:
                colour = [int(round(c / acc[3])) for c in acc[:3]]
            else:
                colour = [0, 0, 0]
            row += bytes(colour + [int(round(alpha * 255))])
        rows.append(bytes(row))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", header))
        f.write(chunk(b"IDAT", zlib.compress(b"".join(rows), 9)))
        f.write(chunk(b"IEND", b""))


def near_segment(px, py, ax, ay, bx, by, width):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    qx, qy = ax + t * dx, ay + t * dy
    return math.hypot(px - qx, py - qy) <= width / 2


def bend(u, v):
    """The deflected grid of the application icon, in its 64-pixel coordinates."""
    s = (u - 10) / 44.0
    t = (54 - v) / 44.0
    return u - 7 * s * t * t, v - 5 * s * t


def deflected_segments():
    """The red grid's segments, filed by the unit cells they come near, so that a pixel is
    tested against a few segments instead of all 400."""
    cells = {}
    for k in range(5):
        c = 10 + k * 11
        for i in range(40):
            a0, a1 = 10 + i * 44 / 40.0, 10 + (i + 1) * 44 / 40.0
            for segment in ((*bend(a0, c), *bend(a1, c)), (*bend(c, a0), *bend(c, a1))):
                ax, ay, bx, by = segment
                for cx in range(int(min(ax, bx) - 1), int(max(ax, bx) + 2)):
                    for cy in range(int(min(ay, by) - 1), int(max(ay, by) + 2)):
                        cells.setdefault((cx, cy), []).append(segment)
    return cells


DEFLECTED = deflected_segments()


def app_icon(x, y):
    """A grey nominal grid and a red grid bent by deflection, on a white rounded square."""
    if x < 2 or y < 2 or x > 62 or y > 62:
        return (0, 0, 0, 0)
    colour = (255, 255, 255, 1.0)
    # Nominal grid from 10 to 54, five lines each way.
    for k in range(5):
        c = 10 + k * 11
        if (abs(x - c) <= 0.6 and 10 <= y <= 54) or (abs(y - c) <= 0.6 and 10 <= x <= 54):
            colour = (164, 164, 164, 1.0)

    # Deflected grid: the tower leans with height, more towards the top right.
    for segment in DEFLECTED.get((int(x), int(y)), ()):
        if near_segment(x, y, *segment, 1.8):
            colour = (196, 0, 0, 1.0)
            break
    if x < 3.2 or y < 3.2 or x > 60.8 or y > 60.8:
        colour = (90, 90, 110, 1.0)
    return colour


def new_icon(x, y):
    """An empty sheet with a folded corner."""
    left, right, top, bottom, fold = 7, 25, 3, 29, 6
    if not (left <= x <= right and top <= y <= bottom):
        return (0, 0, 0, 0)
    if x > right - fold and y < top + fold:
        if (x - (right - fold)) > (y - top):
            return (0, 0, 0, 0)
        if near_segment(x, y, right - fold, top, right, top + fold, 1.2):
            return (60, 60, 60, 1.0)
        return (210, 210, 220, 1.0)
    edge = x < left + 1.2 or x > right - 1.2 or y < top + 1.2 or y > bottom - 1.2
    if edge:
        return (60, 60, 60, 1.0)
    return (255, 255, 255, 1.0)


def init_icon(x, y):
    """A reset arrow: three quarters of a circle ending in an arrow head."""
    cx, cy, radius = 16.0, 17.0, 9.5
    r = math.hypot(x - cx, y - cy)
    angle = math.degrees(math.atan2(-(y - cy), x - cx)) % 360
    blue = (30, 90, 170, 1.0)
    # The arc runs from 120 degrees round the bottom to 60 degrees; the gap is at the top.
    if abs(r - radius) <= 1.6 and not (60 < angle < 120):
        return blue
    # Arrow head at the arc's end at 120 degrees, pointing along the direction of travel.
    ex = cx + radius * math.cos(math.radians(120))
    ey = cy - radius * math.sin(math.radians(120))
    tip = (ex + 7.0, ey - 1.0)
    wing1 = (ex - 1.5, ey - 6.0)
    wing2 = (ex - 1.0, ey + 5.5)

    def side(p, q, r_):
        return (q[0] - p[0]) * (r_[1] - p[1]) - (q[1] - p[1]) * (r_[0] - p[0])

    p = (x, y)
    d1, d2, d3 = side(tip, wing1, p), side(wing1, wing2, p), side(wing2, tip, p)
    if (d1 >= 0 and d2 >= 0 and d3 >= 0) or (d1 <= 0 and d2 <= 0 and d3 <= 0):
        return blue
    return (0, 0, 0, 0)


def scaled2(pixel):
    """A 32-pixel design drawn at twice the size."""
    return lambda x, y: pixel(x / 2.0, y / 2.0)


def scaled(pixel, size):
    """The 64-pixel design drawn at another size."""
    factor = 64.0 / size
    return lambda x, y: pixel(x * factor, y * factor)


def write_svg(path):
    """The application icon as a scalable drawing of the same design."""
    lines = []
    for k in range(5):
        c = 10 + k * 11
        lines.append('<path d="M%g 10V54M10 %gH54" stroke="#a4a4a4" stroke-width="1.2"/>' % (c, c))
    for k in range(5):
        c = 10 + k * 11
        for points in ([bend(10 + i * 44 / 40.0, c) for i in range(41)],
                       [bend(c, 10 + i * 44 / 40.0) for i in range(41)]):
            d = "M" + " L".join("%.2f %.2f" % p for p in points)
            lines.append('<path d="%s" fill="none" stroke="#c40000" stroke-width="1.8" '
                         'stroke-linecap="round"/>' % d)
    with open(path, "w") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n'
                '<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" '
                'viewBox="0 0 64 64">\n'
                '<rect x="2.6" y="2.6" width="58.8" height="58.8" fill="#ffffff" '
                'stroke="#5a5a6e" stroke-width="1.2"/>\n'
                + "\n".join(lines) + "\n</svg>\n")


if __name__ == "__main__":
    write_png("icons/curvalo.png", 64, app_icon)
    for size in (16, 32, 48, 64, 128, 256):
        write_png("icons/hicolor/%dx%d/curvalo.png" % (size, size), size,
                  scaled(app_icon, size))
    write_svg("icons/hicolor/scalable/curvalo.svg")
    write_png("menu/file_new.png", 32, new_icon)
    write_png("menu/file_init.png", 32, init_icon)
    # For screens of twice the density; Qt picks them by their names.
    write_png("menu/file_new@2x.png", 64, scaled2(new_icon))
    write_png("menu/file_init@2x.png", 64, scaled2(init_icon))
