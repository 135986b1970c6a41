#!/usr/bin/env python3
"""Draws the toolbar button pictures of the configuration dialog.

Each button is a few shapes (rounded boxes, circles, strokes, polygons) given as signed distance
functions on a unit square, rendered with 4 x 4 supersampling at 16, 24 and 32 pixels so they stay
sharp at 100, 150 and 200 % display scaling; the theme strip's larger buttons also at 36 and 48. Every strip is one row of square pictures in a 32-bit
BMP with straight (not premultiplied) alpha, as the system's image lists take them. Only the
standard library is needed; the results are committed and the build does not run this script:

    python3 scripts/make-toolbar-art.py
"""

import math
import os
import struct

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "resources", "toolbars")
SIZES = (16, 24, 32)
# The theme strip's buttons are drawn at 24 pixels at 96 dpi: 36 and 48 are its 150 and 200 %.
STRIP_SIZES = {"theme": SIZES + (36, 48)}
SS = 4  # samples per pixel along each axis

# Palette (r, g, b)
INK = (40, 44, 52)
PAPER = (252, 252, 250)
PAPER_SHADE = (214, 220, 228)
FOLDER = (240, 192, 72)
FOLDER_DARK = (176, 124, 28)
RED = (214, 48, 48)
RED_DARK = (140, 24, 24)
GREEN = (52, 168, 72)
GREEN_DARK = (24, 104, 40)
BLUE = (52, 116, 214)
BLUE_DARK = (24, 64, 140)
GREY = (200, 204, 210)
GREY_DARK = (96, 100, 110)
GOLD = (250, 204, 40)


# ---------------------------------------------------------------------------------------------
# Signed distance functions on the unit square (negative inside)


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def box(x0, y0, x1, y1, radius=0.0):
    cx, cy, hw, hh = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2

    def f(x, y):
        qx = abs(x - cx) - hw + radius
        qy = abs(y - cy) - hh + radius
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius

    return f


def stroke(ax, ay, bx, by, width):
    def f(x, y):
        px, py, dx, dy = x - ax, y - ay, bx - ax, by - ay
        t = max(0.0, min(1.0, (px * dx + py * dy) / (dx * dx + dy * dy)))
        return math.hypot(px - dx * t, py - dy * t) - width / 2

    return f


def polygon(points):
    def f(x, y):
        d = float("inf")
        inside = False
        n = len(points)
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            ex, ey, wx, wy = bx - ax, by - ay, x - ax, y - ay
            t = max(0.0, min(1.0, (wx * ex + wy * ey) / (ex * ex + ey * ey)))
            d = min(d, math.hypot(wx - ex * t, wy - ey * t))
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                inside = not inside
        return -d if inside else d

    return f


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def subtract(a, b):
    return lambda x, y: max(a(x, y), -b(x, y))


# ---------------------------------------------------------------------------------------------
# Pictures: lists of (shape, fill, outline colour or None), painted in order


def outlined(shape, fill, edge):
    return [(shape, fill, edge)]


def page(x0=0.2, y0=0.08, x1=0.8, y1=0.92):
    fold = 0.2
    body = polygon([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)])
    corner = polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)])
    return [(body, PAPER, INK), (corner, PAPER_SHADE, INK)]


def text_lines(x0, x1, ys, colour=GREY_DARK, width=0.06):
    return [(stroke(x0, y, x1, y, width), colour, None) for y in ys]


def red_cross(cx, cy, r, width=0.16):
    shape = union(stroke(cx - r, cy - r, cx + r, cy + r, width),
                  stroke(cx - r, cy + r, cx + r, cy - r, width))
    return outlined(shape, RED, RED_DARK)


def plus(cx, cy, r, width, fill, edge):
    shape = union(box(cx - r, cy - width / 2, cx + r, cy + width / 2, 0.02),
                  box(cx - width / 2, cy - r, cx + width / 2, cy + r, 0.02))
    return outlined(shape, fill, edge)


def arrow(up):
    pts = [(0.5, 0.1), (0.88, 0.5), (0.64, 0.5), (0.64, 0.9), (0.36, 0.9), (0.36, 0.5),
           (0.12, 0.5)]
    if not up:
        pts = [(x, 1.0 - y) for x, y in pts]
    return outlined(polygon(pts), BLUE, BLUE_DARK)


def star(cx, cy, r):
    pts = []
    for k in range(10):
        a = -math.pi / 2 + k * math.pi / 5
        rr = r if k % 2 == 0 else r * 0.45
        pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
    return outlined(polygon(pts), GOLD, FOLDER_DARK)


def picture_new():
    return page(0.14, 0.12, 0.72, 0.94) + text_lines(0.24, 0.6, (0.5, 0.64, 0.78)) + \
        star(0.72, 0.28, 0.27)


def picture_load():
    back = polygon([(0.06, 0.22), (0.38, 0.22), (0.46, 0.32), (0.9, 0.32), (0.9, 0.86),
                    (0.06, 0.86)])
    front = polygon([(0.06, 0.86), (0.2, 0.46), (0.98, 0.46), (0.86, 0.86)])
    sheet = box(0.18, 0.12, 0.74, 0.6, 0.02)
    return [(back, FOLDER_DARK, INK), (sheet, PAPER, INK), (front, FOLDER, FOLDER_DARK)]


def picture_theme_delete():
    return page(0.14, 0.06, 0.74, 0.9) + text_lines(0.24, 0.62, (0.4, 0.54)) + \
        red_cross(0.7, 0.7, 0.2, 0.15)


def picture_mouse():
    body = box(0.26, 0.26, 0.74, 0.94, 0.24)
    split = stroke(0.5, 0.28, 0.5, 0.54, 0.05)
    wheel = box(0.46, 0.36, 0.54, 0.5, 0.04)
    cable = union(stroke(0.5, 0.26, 0.5, 0.16, 0.06), stroke(0.5, 0.16, 0.66, 0.06, 0.06))
    return [(cable, GREY_DARK, None), (body, GREY, INK), (split, GREY_DARK, None),
            (wheel, BLUE, BLUE_DARK)]


def picture_add():
    return plus(0.5, 0.5, 0.4, 0.24, GREEN, GREEN_DARK)


def picture_delete():
    return red_cross(0.5, 0.5, 0.32, 0.2)


def picture_delete_all():
    rows = []
    for y in (0.2, 0.42, 0.64):
        rows.append((box(0.08, y - 0.07, 0.7, y + 0.07, 0.02), PAPER, INK))
    return rows + red_cross(0.68, 0.7, 0.22, 0.15)


def picture_clear_caption():
    bar = box(0.06, 0.2, 0.94, 0.62, 0.06)
    return [(bar, PAPER, INK)] + text_lines(0.18, 0.72, (0.41,), INK, 0.08) + \
        red_cross(0.7, 0.72, 0.2, 0.15)


def picture_font():
    letter = union(stroke(0.2, 0.74, 0.5, 0.1, 0.14), stroke(0.5, 0.1, 0.8, 0.74, 0.14),
                   stroke(0.32, 0.52, 0.68, 0.52, 0.11))
    swatch = box(0.08, 0.8, 0.92, 0.96, 0.02)
    return [(letter, INK, None), (swatch, RED, RED_DARK)]


def picture_enlarge():
    handle = stroke(0.62, 0.62, 0.9, 0.9, 0.16)
    ring = subtract(circle(0.42, 0.42, 0.34), circle(0.42, 0.42, 0.24))
    glass = circle(0.42, 0.42, 0.25)
    return [(handle, GREY_DARK, INK), (glass, (226, 238, 252), None), (ring, GREY, INK)] + \
        plus(0.42, 0.42, 0.15, 0.07, INK, None)


STRIPS = {
    "theme": [picture_new, picture_load, picture_theme_delete, picture_mouse],
    "list": [picture_add, picture_delete, picture_delete_all,
             lambda: arrow(True), lambda: arrow(False)],
    "caption": [picture_clear_caption, picture_font, picture_enlarge],
}


# ---------------------------------------------------------------------------------------------
# Rendering and BMP writing


def over(dst, colour, alpha):
    """Composites a straight-alpha source over a straight-alpha destination pixel."""
    r, g, b, a = dst
    out_a = alpha + a * (1 - alpha)
    if out_a <= 0:
        return (0.0, 0.0, 0.0, 0.0)
    mix = [(c * alpha + d * a * (1 - alpha)) / out_a for c, d in zip(colour, (r, g, b))]
    return (mix[0], mix[1], mix[2], out_a)


def coverage(shape, px, py, size, grow):
    """Share of the pixel's samples inside the shape grown by `grow` pixels."""
    hits = 0
    for j in range(SS):
        for i in range(SS):
            x = (px + (i + 0.5) / SS) / size
            y = (py + (j + 0.5) / SS) / size
            if shape(x, y) * size <= grow:
                hits += 1
    return hits / (SS * SS)


def render(layers, size):
    edge_px = max(1.0, size / 16.0)
    pixels = [[(0.0, 0.0, 0.0, 0.0)] * size for _ in range(size)]
    for shape, fill, edge in layers:
        for py in range(size):
            for px in range(size):
                if edge is not None:
                    c = coverage(shape, px, py, size, 0.0)
                    if c > 0:
                        pixels[py][px] = over(pixels[py][px], edge, c)
                    c = coverage(shape, px, py, size, -edge_px)
                else:
                    c = coverage(shape, px, py, size, 0.0)
                if c > 0:
                    pixels[py][px] = over(pixels[py][px], fill, c)
    return pixels


def write_bmp(path, pictures, size):
    width, height = size * len(pictures), size
    rows = []
    for y in range(height - 1, -1, -1):  # bottom-up
        row = bytearray()
        for picture in pictures:
            for r, g, b, a in picture[y]:
                alpha = round(a * 255)
                row += bytes((round(b) if alpha else 0, round(g) if alpha else 0,
                              round(r) if alpha else 0, alpha))
        rows.append(bytes(row))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 32, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, makers in STRIPS.items():
        for size in STRIP_SIZES.get(name, SIZES):
            pictures = [render(make(), size) for make in makers]
            path = os.path.join(OUT, "%s_%d.bmp" % (name, size))
            write_bmp(path, pictures, size)
            print(os.path.relpath(path, ROOT))


if __name__ == "__main__":
    main()
