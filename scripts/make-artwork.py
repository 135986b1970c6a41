#!/usr/bin/env python3
"""Draws the pictures that ship in the program folder, and the program icon.

Everything is procedural: Python works out the shapes (hill profiles, star fields, aurora
rays, glass cells) with fixed random seeds and hands them to ImageMagick's `convert` as MVG
drawings, so a run always gives the same pictures. The results are committed; the build does
not run this script. Run it again after changing a picture:

    python3 scripts/make-artwork.py          # everything
    python3 scripts/make-artwork.py icon     # only the program icon

Needs ImageMagick 6 (`convert`) and the DejaVu fonts (Debian: imagemagick fonts-dejavu-core).
"""

import math
import os
import random
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PROGRAM = os.path.join(ROOT, "program")
SAMPLES = os.path.join(PROGRAM, "samples")
ICON = os.path.join(ROOT, "resources", "orvelle.ico")

WORK = ""  # scratch folder, set in main()
_counter = [0]


# ---------------------------------------------------------------------------------------------
# Small helpers around `convert`


def convert(*args):
    subprocess.run(["convert", *[str(a) for a in args]], check=True)


def scratch(ext):
    _counter[0] += 1
    return os.path.join(WORK, "t%03d.%s" % (_counter[0], ext))


def rgba(c, a=1.0):
    return "rgba(%d,%d,%d,%.3f)" % (c[0], c[1], c[2], a)


def layer(w, h, body, blur=0.0, extra=(), tint=None):
    """Renders MVG primitives on a transparent canvas and returns the PNG's path.

    tint: the colour the transparent canvas carries; blurred edges fade towards it, so a layer
    of one colour gets no dark fringe from the transparent black around it."""
    mvg = scratch("mvg")
    with open(mvg, "w") as f:
        # Without "fill none" a line is also filled: opaque, ignoring its stroke's alpha.
        f.write("viewbox 0 0 %d %d\nfill none\n" % (w, h))
        f.write(body)
    out = scratch("png")
    args = ["-background", "none", "mvg:" + mvg]
    if tint:
        args += ["-background", rgba(tint, 0.0), "-alpha", "background"]
    if blur:
        args += ["-channel", "RGBA", "-blur", "0x%g" % blur, "+channel"]
    convert(*args, *extra, out)
    return out


def stack(base, layers, out=None):
    """Composites layers over base; each entry is a path or (path, compose-mode)."""
    out = out or scratch("png")
    args = [base]
    for item in layers:
        path, mode = (item, "over") if isinstance(item, str) else item
        args += [path, "-compose", mode, "-composite"]
    convert(*args, out)
    return out


def lerp(a, b, t):
    return a + (b - a) * t


def mix(c1, c2, t):
    return tuple(int(round(lerp(x, y, t))) for x, y in zip(c1, c2))


def vertical_gradient(w, h, stops):
    """A top-to-bottom gradient through several colour stops [(0..1, (r, g, b)), ...]."""
    rows = bytearray()
    for y in range(h):
        t = y / max(1, h - 1)
        for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
            if p0 <= t <= p1:
                rows += bytes(mix(c0, c1, (t - p0) / (p1 - p0 or 1)))
                break
        else:
            rows += bytes(stops[-1][1])
    ppm = scratch("ppm")
    with open(ppm, "wb") as f:
        f.write(b"P6\n1 %d\n255\n" % h + rows)
    out = scratch("png")
    convert(ppm, "-scale", "%dx%d!" % (w, h), out)
    return out


def corner_gradient(w, h, tl, tr, bl, br):
    """A smooth gradient between four corner colours."""
    gw, gh = 64, 40
    data = bytearray()
    for j in range(gh):
        v = j / (gh - 1)
        for i in range(gw):
            u = i / (gw - 1)
            data += bytes(mix(mix(tl, tr, u), mix(bl, br, u), v))
    ppm = scratch("ppm")
    with open(ppm, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (gw, gh) + data)
    out = scratch("png")
    convert(ppm, "-filter", "Triangle", "-resize", "%dx%d!" % (w, h), out)
    return out


def midpoint_ridge(n_log2, amplitude, roughness, rng):
    """Midpoint displacement: 2**n_log2 + 1 values, jagged like a mountain ridge."""
    n = 2**n_log2
    v = [0.0] * (n + 1)
    v[0], v[n] = rng.uniform(-1, 1) * amplitude, rng.uniform(-1, 1) * amplitude
    step, amp = n, amplitude
    while step > 1:
        half = step // 2
        for i in range(half, n, step):
            v[i] = (v[i - half] + v[i + half]) / 2 + rng.uniform(-1, 1) * amp
        step, amp = half, amp * roughness
    return v


def ridge_points(w, base, waves, rng, jag=0.0, jag_rough=0.55, step=4):
    """Points of a skyline: a sum of slow sine waves plus optional midpoint jaggedness."""
    waves = [(a, f, rng.uniform(0, 2 * math.pi)) for a, f in waves]
    jagged = midpoint_ridge(9, jag, jag_rough, rng) if jag else None
    pts = []
    for x in range(0, w + step, step):
        y = base + sum(a * math.sin(2 * math.pi * f * x / w + p) for a, f, p in waves)
        if jagged:
            y += jagged[min(len(jagged) - 1, int(x / w * (len(jagged) - 1)))]
        pts.append((x, y))
    return pts


def peak_ridge(w, base, count, height, rng, step=4):
    """A mountain skyline: the highest of several triangular peaks, roughened a little."""
    peaks = [(rng.uniform(-0.05, 1.05) * w, height * rng.uniform(0.45, 1.0),
              rng.uniform(0.7, 1.3)) for _ in range(count)]
    rough = midpoint_ridge(9, height * 0.05, 0.6, rng)
    phase = rng.uniform(0, 2 * math.pi)
    pts = []
    for x in range(0, w + step, step):
        foothills = height * 0.2 * (1.2 + math.sin(2 * math.pi * 2.3 * x / w + phase))
        lift = max(foothills, max(ph - abs(x - px) * slope for px, ph, slope in peaks))
        y = base - lift + rough[min(len(rough) - 1, int(x / w * (len(rough) - 1)))]
        pts.append((x, y))
    return pts


def polygon_below(pts, h, color, alpha=1.0):
    ring = pts + [(pts[-1][0], h + 2), (pts[0][0], h + 2)]
    return "fill %s polygon %s\n" % (
        rgba(color, alpha),
        " ".join("%.1f,%.1f" % p for p in ring),
    )


def y_at(pts, x):
    for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
        if x0 <= x <= x1:
            return lerp(y0, y1, (x - x0) / (x1 - x0))
    return pts[-1][1]


def pine(x, ground, height, color):
    """A pine tree silhouette of three stacked tiers."""
    body = ""
    width = height * 0.42
    for k in range(3):
        top = ground - height + k * height * 0.26
        bottom = top + height * 0.46
        half = width * (0.55 + 0.22 * k)
        body += "fill %s polygon %.1f,%.1f %.1f,%.1f %.1f,%.1f\n" % (
            rgba(color), x, top, x - half, bottom, x + half, bottom)
    body += "fill %s rectangle %.1f,%.1f %.1f,%.1f\n" % (
        rgba(color), x - height * 0.04, ground - height * 0.2, x + height * 0.04, ground + 4)
    return body


def glow(w, h, cx, cy, r, color, alpha, blur):
    return layer(w, h, "fill %s circle %d,%d %d,%d\n" % (rgba(color, alpha), cx, cy, cx, cy + r),
                 blur=blur, tint=color)


def save_jpeg(src, name, quality=86):
    out = os.path.join(SAMPLES, name)
    convert(src, "-strip", "-interlace", "none", "-sampling-factor", "2x2", "-quality", quality,
            out)
    return out


def save_gif(src, path, colors, dither=True):
    convert(src, "-strip", "-dither", "FloydSteinberg" if dither else "None", "-colors", colors,
            "-interlace", "none", path)
    return path


# ---------------------------------------------------------------------------------------------
# The sample pictures


def sunset_hills():
    w, h = 1280, 800
    rng = random.Random(11)
    sky = vertical_gradient(w, h, [
        (0.0, (44, 32, 86)), (0.30, (112, 58, 118)), (0.52, (222, 112, 96)),
        (0.66, (252, 178, 112)), (1.0, (255, 214, 150))])

    clouds = ""
    for _ in range(9):
        cx, cy = rng.uniform(0, w), rng.uniform(120, 380)
        clouds += "fill %s ellipse %.0f,%.0f %.0f,%.0f 0,360\n" % (
            rgba((255, 168, 158), rng.uniform(0.18, 0.38)), cx, cy, rng.uniform(120, 300),
            rng.uniform(5, 14))
    sun_x, sun_y = 820, 500
    sun = "fill %s circle %d,%d %d,%d\n" % (rgba((255, 246, 214)), sun_x, sun_y, sun_x, sun_y + 46)

    hills = []
    layers = [  # base, waves, colour, blur
        (540, [(26, 1.3), (12, 3.1)], (196, 116, 142), 1.6),
        (585, [(30, 1.7), (10, 4.3)], (156, 84, 128), 1.2),
        (640, [(34, 1.1), (14, 3.7)], (110, 58, 108), 0.8),
        (700, [(40, 0.9), (12, 2.9)], (70, 38, 82), 0.5),
        (760, [(30, 1.4), (10, 3.3)], (36, 20, 50), 0.0),
    ]
    near = None
    for base, waves, color, blur in layers:
        pts = ridge_points(w, base, waves, rng, jag=4)
        near = pts
        hills.append(layer(w, h, polygon_below(pts, h, color), blur=blur, tint=color))

    trees = ""
    for x in (70, 98, 122, 1010, 1046, 1071, 1102, 1190):
        trees += pine(x, y_at(near, x) + 6, rng.uniform(40, 78), (28, 14, 40))
    birds = ""
    for bx, by, s in ((520, 300, 1.0), (548, 318, 0.8), (575, 296, 0.9)):
        birds += ("fill none stroke %s stroke-width 2 path 'M %d,%d q %.1f,%.1f %.1f,0 "
                  "q %.1f,%.1f %.1f,0'\n") % (rgba((60, 30, 60), 0.8), bx, by, 7 * s, -7 * s,
                                              14 * s, 7 * s, -7 * s, 14 * s)

    img = stack(sky, [
        (glow(w, h, sun_x, sun_y, 190, (255, 206, 140), 0.6, 70), "screen"),
        layer(w, h, clouds, blur=6, tint=(255, 168, 158)),
        layer(w, h, sun, blur=1.5, tint=(255, 246, 214)),
        hills[0], hills[1], hills[2], hills[3], hills[4],
        layer(w, h, trees + birds, blur=0.4, tint=(28, 14, 40)),
    ])
    save_jpeg(img, "sunset-hills.jpg")


def aurora():
    w, h = 1280, 800
    shore = 560
    rng = random.Random(23)
    sky = vertical_gradient(w, h, [(0.0, (2, 5, 16)), (0.5, (8, 22, 46)), (0.70, (22, 50, 74)),
                                   (1.0, (22, 50, 74))])
    stars = ""
    for _ in range(520):
        x, y = rng.uniform(0, w), rng.uniform(0, shore - 30)
        r = rng.choice((0.6, 0.7, 0.8, 1.0, 1.2, 1.6))
        tint = rng.choice(((255, 255, 255), (210, 225, 255), (255, 240, 215)))
        stars += "fill %s circle %.1f,%.1f %.1f,%.1f\n" % (
            rgba(tint, rng.uniform(0.35, 1.0)), x, y, x, y + r)

    # Curtains of light: vertical rays standing on a wavy lower edge, green below, violet on top,
    # brighter and fainter stretches along each curtain.
    rays, tops = "", ""
    for base, amp, wavelength, strength in ((290, 46, 1500, 1.0), (370, 30, 900, 0.65)):
        phase, phase2 = rng.uniform(0, 2 * math.pi), rng.uniform(0, 2 * math.pi)
        for x in range(-20, w + 20, 3):
            y = base + amp * math.sin(2 * math.pi * x / wavelength + phase) \
                + 10 * math.sin(2 * math.pi * x / 230 + phase2)
            envelope = (0.5 + 0.5 * math.sin(2 * math.pi * x / 700 + phase2)) ** 1.4
            height = (70 + 150 * (0.5 + 0.5 * math.sin(2 * math.pi * x / 420 + phase))) \
                * rng.uniform(0.75, 1.05)
            a = strength * (0.15 + 0.85 * envelope) * rng.uniform(0.35, 0.6)
            rays += "stroke %s stroke-width 3 line %d,%.0f %d,%.0f\n" % (
                rgba((80, 255, 160), a), x, y, x, y - height)
            tops += "stroke %s stroke-width 3 line %d,%.0f %d,%.0f\n" % (
                rgba((170, 90, 230), a * 0.5), x, y - height, x, y - height - 60)
    lights = layer(w, h, tops + rays, blur=4, extra=("-motion-blur", "0x30+270"),
                   tint=(80, 255, 160))
    haze = layer(w, h, rays, blur=30, tint=(80, 255, 160),
                 extra=("-channel", "A", "-evaluate", "multiply", "0.6", "+channel"))

    far = ridge_points(w, shore - 120, [(40, 1.3), (18, 3.1)], rng, jag=55, jag_rough=0.55)
    near = ridge_points(w, shore - 50, [(26, 2.2)], rng, jag=32, jag_rough=0.6)
    far_l = layer(w, h, polygon_below(far, shore, (14, 26, 42)), blur=0.8, tint=(14, 26, 42))
    near_l = layer(w, h, polygon_below(near, shore, (5, 9, 16)), blur=0.4, tint=(5, 9, 16))

    scene = stack(sky, [layer(w, h, stars, blur=0.4, tint=(255, 255, 255)), (haze, "screen"),
                        (lights, "screen"), far_l, near_l])
    # The lake mirrors the sky above the shore, darker and a little smeared.
    reflection = scratch("png")
    depth = h - shore
    convert(scene, "-crop", "%dx%d+0+%d" % (w, depth, shore - depth), "+repage", "-flip",
            "-modulate", "55,85,100", "-motion-blur", "0x6+0", "-fill", "rgb(4,12,24)",
            "-colorize", "15", reflection)
    shore_line = "fill %s rectangle 0,%d %d,%d\n" % (rgba((3, 6, 10)), shore - 2, w, shore + 3)
    out = scratch("png")
    convert(scene, reflection, "-geometry", "+0+%d" % shore, "-compose", "over", "-composite",
            out)
    img = stack(out, [layer(w, h, shore_line, blur=1, tint=(3, 6, 10))])
    save_jpeg(img, "aurora.jpg")


def sea_horizon():
    w, h = 1280, 800
    horizon = 448
    rng = random.Random(37)
    top = vertical_gradient(w, horizon, [
        (0.0, (52, 96, 160)), (0.45, (128, 168, 210)), (0.82, (240, 198, 172)),
        (1.0, (255, 216, 176))])
    sea = vertical_gradient(w, h - horizon, [
        (0.0, (126, 146, 170)), (0.12, (72, 108, 142)), (1.0, (12, 40, 70))])
    base = scratch("png")
    convert(top, sea, "-append", base)

    sun_x, sun_y = 640, 372
    clouds = ""
    for _ in range(16):
        cx, cy = rng.uniform(-50, w + 50), rng.uniform(60, 300)
        for _ in range(5):
            clouds += "fill %s ellipse %.0f,%.0f %.0f,%.0f 0,360\n" % (
                rgba((255, 236, 232), rng.uniform(0.10, 0.22)), cx + rng.uniform(-90, 90),
                cy + rng.uniform(-10, 10), rng.uniform(60, 160), rng.uniform(10, 26))
    sun = "fill %s circle %d,%d %d,%d\n" % (rgba((255, 248, 226)), sun_x, sun_y, sun_x, sun_y + 40)

    glitter = ""
    for y in range(horizon + 2, h, 2):
        d = y - horizon
        spread = 10 + d * 0.42
        for _ in range(3 + d // 60):
            x = rng.gauss(sun_x, spread)
            near_column = math.exp(-((x - sun_x) / (spread * 1.4)) ** 2)
            length = 3 + d * 0.10 * rng.uniform(0.4, 1.3)
            glitter += "stroke %s stroke-width %.1f line %.0f,%d %.0f,%d\n" % (
                rgba((255, 232, 186), rng.uniform(0.35, 0.9) * near_column), 1 + d / 220,
                x - length / 2, y, x + length / 2, y)
    crests, troughs = "", ""
    for _ in range(1400):
        y = rng.uniform(horizon + 3, h)
        d = y - horizon
        x = rng.uniform(0, w)
        length = 6 + d * rng.uniform(0.08, 0.3)
        line = "stroke %s stroke-width %.1f line %.0f,%.0f %.0f,%.0f\n"
        if rng.random() < 0.5:
            crests += line % (rgba((200, 220, 240), rng.uniform(0.04, 0.10)), 0.8 + d / 260, x,
                              y, x + length, y)
        else:
            troughs += line % (rgba((6, 24, 44), rng.uniform(0.05, 0.12)), 0.8 + d / 260, x, y,
                               x + length, y)
    horizon_haze = "fill %s rectangle 0,%d %d,%d\n" % (
        rgba((255, 226, 196), 0.5), horizon - 6, w, horizon + 3)
    boat = ("fill %s polygon 318,447 352,447 346,452 324,452\n"
            "fill %s polygon 336,446 336,414 352,445\n"
            "fill %s polygon 334,446 334,420 321,445\n") % (
        rgba((40, 44, 60)), rgba((250, 240, 228)), rgba((232, 222, 212)))

    img = stack(base, [
        (glow(w, h, sun_x, sun_y, 200, (255, 214, 160), 0.65, 70), "screen"),
        layer(w, h, clouds, blur=10, tint=(255, 236, 232)),
        layer(w, h, sun, blur=1.2, tint=(255, 248, 226)),
        layer(w, h, horizon_haze, blur=3, tint=(255, 226, 196)),
        layer(w, h, troughs, blur=1.0, tint=(6, 24, 44)),
        layer(w, h, crests, blur=1.0, tint=(200, 220, 240)),
        (layer(w, h, glitter, blur=0.8), "screen"),
        layer(w, h, boat, blur=0.5),
    ])
    save_jpeg(img, "sea-horizon.jpg")


def soft_circles():
    w, h = 1280, 800
    rng = random.Random(53)
    base = corner_gradient(w, h, (22, 60, 98), (74, 40, 112), (26, 104, 112), (132, 54, 96))
    palette = [(255, 190, 140), (255, 150, 176), (130, 222, 232), (250, 228, 160),
               (190, 160, 255)]
    depths = []
    for count, rmin, rmax, amin, amax, blur in ((14, 110, 220, 0.10, 0.22, 22),
                                                (18, 40, 120, 0.16, 0.32, 6),
                                                (16, 14, 60, 0.25, 0.5, 0.8)):
        body = ""
        for _ in range(count):
            x, y, r = rng.uniform(0, w), rng.uniform(0, h), rng.uniform(rmin, rmax)
            c = rng.choice(palette)
            body += "fill %s stroke %s stroke-width %.1f circle %.0f,%.0f %.0f,%.0f\n" % (
                rgba(c, rng.uniform(amin, amax)), rgba(c, 0.35), max(1.0, r / 40), x, y, x,
                y + r)
        depths.append((layer(w, h, body, blur=blur), "screen"))
    arcs = ""
    for _ in range(5):
        x, y, r = rng.uniform(100, w - 100), rng.uniform(100, h - 100), rng.uniform(150, 420)
        arcs += "fill none stroke %s stroke-width 2 circle %.0f,%.0f %.0f,%.0f\n" % (
            rgba((255, 255, 255), 0.10), x, y, x, y + r)
    img = stack(base, depths + [layer(w, h, arcs, blur=1.5, tint=(255, 255, 255))])
    grained = scratch("png")
    convert(img, "-attenuate", "0.12", "+noise", "Gaussian", grained)
    save_jpeg(grained, "soft-circles.jpg", quality=84)


def moonlit_peaks():
    """Flat colours with hard steps: a poster-like picture that suits GIF."""
    w, h = 1024, 640
    rng = random.Random(71)
    bands = [(0, (16, 20, 50)), (90, (20, 26, 60)), (170, (26, 33, 72)), (240, (33, 42, 86)),
             (300, (42, 52, 100)), (350, (54, 64, 114)), (390, (68, 78, 128))]
    body = ""
    for (y0, c), (y1, _) in zip(bands, bands[1:] + [(h, None)]):
        body += "fill %s rectangle 0,%d %d,%d\n" % (rgba(c), y0, w, y1)
    mx, my = 742, 150
    for r, c in ((112, (30, 38, 80)), (76, (44, 54, 100))):
        body += "fill %s circle %d,%d %d,%d\n" % (rgba(c), mx, my, mx, my + r)
    body += "fill %s circle %d,%d %d,%d\n" % (rgba((246, 240, 216)), mx, my, mx, my + 40)
    body += "fill %s circle %d,%d %d,%d\n" % (rgba((226, 220, 198)), mx - 12, my + 8, mx - 12,
                                                my + 16)
    body += "fill %s circle %d,%d %d,%d\n" % (rgba((226, 220, 198)), mx + 14, my - 12, mx + 14,
                                                my - 5)
    for _ in range(140):
        x, y = rng.randrange(w), rng.randrange(330)
        if math.hypot(x - mx, y - my) < 120:
            continue
        s = rng.choice((0, 0, 0, 1))
        body += "fill %s rectangle %d,%d %d,%d\n" % (rgba((236, 236, 250)), x, y, x + s, y + s)
    ranges = [(400, 7, 150, (78, 88, 140)), (460, 6, 120, (58, 66, 118)),
              (520, 5, 80, (40, 46, 90))]
    for k, (base, count, height, color) in enumerate(ranges):
        pts = peak_ridge(w, base, count, height, rng)
        body += polygon_below(pts, h, color)
        if k < 2:  # snow on the highest peaks of the two far ranges
            snowline = base - height * 0.55
            lower = [(x, max(y, snowline + 6 * math.sin(x / 13.0))) for x, y in pts]
            body += "fill %s polygon %s\n" % (
                rgba((176, 184, 222) if k == 0 else (150, 158, 204)),
                " ".join("%.0f,%.0f" % p for p in pts + lower[::-1]))
    nearest = ridge_points(w, 575, [(16, 1.6), (6, 4.2)], rng)
    body += polygon_below(nearest, h, (24, 28, 62))
    for _ in range(46):
        x = rng.uniform(0, w)
        body += pine(x, y_at(nearest, x) + 24, rng.uniform(40, 90), (12, 14, 36))
    img = layer(w, h, body)
    save_gif(img, os.path.join(SAMPLES, "moonlit-peaks.gif"), 48, dither=False)


def stained_glass():
    """A rose window in a stone wall; an 8-bit palette BMP."""
    w, h = 640, 480
    cx, cy, radius = 320, 240, 222
    rng = random.Random(89)
    ruby, amber, gold = (176, 24, 40), (222, 132, 26), (240, 196, 60)
    emerald, sapphire, violet = (20, 128, 84), (26, 62, 170), (104, 44, 150)
    rings = [(0, 1, [gold]), (52, 8, [ruby]), (104, 12, [sapphire, emerald]),
             (158, 20, [amber, violet, sapphire, ruby]), (208, 28, [sapphire, emerald, ruby])]
    seeds = []
    for k, (r, n, colors) in enumerate(rings):
        for i in range(n):
            a = 2 * math.pi * (i + 0.5 * (k % 2)) / n
            c = colors[i % len(colors)]
            shade = rng.uniform(0.82, 1.12)
            seeds.append((cx + r * math.cos(a), cy + r * math.sin(a),
                          tuple(max(0, min(255, int(v * shade))) for v in c)))
    sparse = " ".join("%.1f,%.1f rgb(%d,%d,%d)" % (x, y, *c) for x, y, c in seeds)
    glass = scratch("png")
    convert("-size", "%dx%d" % (w, h), "xc:black", "-sparse-color", "Voronoi", sparse, glass)
    leads = scratch("png")
    convert(glass, "-morphology", "EdgeIn", "Diamond:1", "-separate", "-evaluate-sequence",
            "max", "-threshold", "0", "-morphology", "Dilate", "Disk:1", leads)
    lit = scratch("png")
    light = "radial-gradient:rgb(255,250,235)-rgb(95,90,90)"
    convert(glass, "(", "-size", "%dx%d" % (w, h), light, ")", "-compose", "multiply",
            "-composite", "-attenuate", "0.5", "+noise", "Multiplicative", lit)
    leaded = scratch("png")
    convert(lit, "(", "-size", "%dx%d" % (w, h), "xc:rgb(30,26,24)", ")", leads, "-compose",
            "over", "-composite", leaded)

    wall = ""
    for row, y in enumerate(range(0, h, 40)):
        offset = 0 if row % 2 else 60
        wall += "stroke %s stroke-width 2 line 0,%d %d,%d\n" % (rgba((86, 76, 66)), y, w, y)
        for x in range(-offset, w, 120):
            wall += "stroke %s stroke-width 2 line %d,%d %d,%d\n" % (
                rgba((86, 76, 66)), x, y, x, y + 40)
    stone = scratch("png")
    convert("-size", "%dx%d" % (w, h), "xc:rgb(150,138,120)", "-attenuate", "0.35", "+noise",
            "Gaussian", "-blur", "0x0.6", layer(w, h, wall, blur=0.7, tint=(86, 76, 66)),
            "-compose", "over", "-composite", stone)
    mask = layer(w, h, "fill white circle %d,%d %d,%d\n" % (cx, cy, cx, cy + radius))
    frame = layer(w, h, ("fill none stroke %s stroke-width 14 circle %d,%d %d,%d\n"
                         "fill none stroke %s stroke-width 4 circle %d,%d %d,%d\n") % (
        rgba((112, 100, 86)), cx, cy, cx, cy + radius + 7, rgba((30, 26, 24)), cx, cy, cx,
        cy + radius), blur=0.5)
    window = scratch("png")
    convert(leaded, mask, "-alpha", "off", "-compose", "copy-opacity", "-composite", window)
    img = stack(stone, [window, frame])
    # Drawn at 640 x 480 and shrunk: the program folder is meant to stay small, and an
    # uncompressed 8-bit BMP costs a byte a pixel.
    convert(img, "-resize", "512x384", "-dither", "FloydSteinberg", "-colors", "200", "-type",
            "Palette",
            "-compress", "None", "BMP3:" + os.path.join(SAMPLES, "stained-glass.bmp"))


# ---------------------------------------------------------------------------------------------
# The welcome picture, the not-found card and the icon


def text_layer(w, h, lines):
    """lines: (text, font, pointsize, colour, alpha, y of the baseline), centred across."""
    body = ""
    for text, font, size, color, alpha, y in lines:
        body += ("font '%s' font-size %d fill %s text-antialias true gravity North "
                 "text 0,%d '%s'\n") % (font, size, rgba(color, alpha), y, text)
    return body


def tovak():
    w, h = 640, 480
    rng = random.Random(97)
    sky = vertical_gradient(w, h, [(0.0, (70, 92, 170)), (0.45, (160, 128, 190)),
                                   (0.72, (246, 176, 160)), (1.0, (255, 210, 170))])
    bokeh = ""
    for _ in range(16):
        x, y, r = rng.uniform(0, w), rng.uniform(0, 300), rng.uniform(10, 46)
        bokeh += "fill %s circle %.0f,%.0f %.0f,%.0f\n" % (
            rgba((255, 240, 250), rng.uniform(0.06, 0.16)), x, y, x, y + r)
    sun_x, sun_y = 452, 372
    hills = []
    for base, color in ((370, (170, 120, 176)), (400, (128, 92, 156)), (436, (86, 64, 124))):
        pts = ridge_points(w, base, [(18, 1.2), (7, 3.3)], rng, step=2)
        hills.append(layer(w, h, polygon_below(pts, h, color), blur=0.5, tint=color))
    title = [("Welcome to", "DejaVu-Sans", 22, (255, 255, 255), 0.92, 112),
             ("Orvelle Screen Saver", "DejaVu-Sans-Bold", 42, (255, 255, 255), 1.0, 146),
             ("Sit back while your pictures drift by.", "DejaVu-Sans-Oblique", 17,
              (255, 250, 240), 0.95, 214)]
    shadow_lines = [(t, f, s, (40, 20, 60), 0.55, y + 2) for t, f, s, _, _, y in title]
    rule = "stroke %s stroke-width 2 line 220,200 420,200\n" % rgba((255, 255, 255), 0.7)
    img = stack(sky, [
        layer(w, h, bokeh, blur=3, tint=(255, 240, 250)),
        (glow(w, h, sun_x, sun_y, 120, (255, 226, 180), 0.75, 40), "screen"),
        layer(w, h, "fill %s circle %d,%d %d,%d\n" % (rgba((255, 244, 220)), sun_x, sun_y,
                                                      sun_x, sun_y + 34),
              blur=1, tint=(255, 244, 220)),
        *hills,
        layer(w, h, text_layer(w, h, shadow_lines), blur=2.5, tint=(40, 20, 60)),
        layer(w, h, text_layer(w, h, title) + rule),
    ])
    save_gif(img, os.path.join(PROGRAM, "tovak.gif"), 128)


def not_found():
    w, h = 400, 300
    body = ("fill %s rectangle 0,0 %d,%d\n" % (rgba((226, 232, 238)), w, h) +
            "fill %s stroke %s stroke-width 2 roundrectangle 14,14 %d,%d 14,14\n" % (
                rgba((240, 244, 248)), rgba((188, 198, 210)), w - 15, h - 15))
    # A picture frame with an empty landscape in it.
    fx, fy, fw, fh = 150, 52, 100, 76
    body += "fill %s stroke %s stroke-width 4 roundrectangle %d,%d %d,%d 6,6\n" % (
        rgba((250, 252, 253)), rgba((150, 162, 178)), fx, fy, fx + fw, fy + fh)
    body += "fill %s stroke none polygon %d,%d %d,%d %d,%d %d,%d %d,%d\n" % (
        rgba((196, 206, 218)), fx + 6, fy + fh - 6, fx + 36, fy + 36, fx + 56, fy + 54,
        fx + 72, fy + 42, fx + fw - 6, fy + fh - 6)
    body += "fill %s circle %d,%d %d,%d\n" % (rgba((214, 222, 232)), fx + 74, fy + 22, fx + 74,
                                              fy + 32)
    body += "fill %s stroke %s stroke-width 3 circle %d,%d %d,%d\n" % (
        rgba((250, 252, 253)), rgba((150, 162, 178)), fx + fw, fy + fh, fx + fw, fy + fh + 18)
    body += ("font 'DejaVu-Sans-Bold' font-size 19 fill %s text-antialias true "
             "text %d,%d '?'\n") % (rgba((110, 124, 142)), fx + fw - 6, fy + fh + 7)
    body += text_layer(w, h, [
        ("Picture not found", "DejaVu-Sans-Bold", 21, (74, 85, 99), 1.0, 168),
        ("The file may have been moved, renamed", "DejaVu-Sans", 13, (104, 116, 132), 1.0, 206),
        ("or removed.", "DejaVu-Sans", 13, (104, 116, 132), 1.0, 226),
    ])
    img = layer(w, h, body)
    save_gif(img, os.path.join(PROGRAM, "orvellenotfound.gif"), 32, dither=False)


def icon():
    s = 256
    sky = vertical_gradient(s, s, [(0.0, (60, 48, 130)), (0.5, (200, 96, 120)),
                                   (0.8, (255, 176, 100)), (1.0, (255, 200, 120))])
    rng = random.Random(5)
    far = ridge_points(s, 170, [(12, 1.0)], rng, step=2)
    near = ridge_points(s, 200, [(16, 0.8)], rng, step=2)
    scene = stack(sky, [
        (glow(s, s, 150, 150, 70, (255, 220, 160), 0.7, 20), "screen"),
        layer(s, s, "fill %s circle 150,150 150,186\n" % rgba((255, 244, 214))),
        layer(s, s, polygon_below(far, s, (130, 60, 110))),
        layer(s, s, polygon_below(near, s, (52, 26, 66))),
    ])
    mask = layer(s, s, "fill white roundrectangle 8,8 247,247 36,36\n")
    shaped = scratch("png")
    convert(scene, mask, "-alpha", "off", "-compose", "copy-opacity", "-composite", shaped)
    master = stack(shaped, [icon_border(s)])
    # Every size Windows asks for. Below 256 the scene is scaled down but the white frame is
    # drawn again at the size, so it stays a crisp line instead of a grey blur.
    frames = []
    for n in ICON_SIZES:
        if n == s:
            frames.append(master)
            continue
        small = scratch("png")
        sharpen = ["-unsharp", "0x%.1f" % (0.5 + 8.0 / n)] if n <= 48 else []
        convert(shaped, "-filter", "Lanczos", "-resize", "%dx%d" % (n, n), *sharpen, small)
        frames.append(stack(small, [icon_border(n)]))
    # ImageMagick stores the 256 px frame as PNG inside the icon, as Windows expects.
    convert(*reversed(frames), ICON)
    return master


ICON_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)


def icon_border(n):
    """The white frame around the icon at n pixels: 14 px wide at 256, never under 1 px, its
    outer edge on the edge of the rounded shape."""
    k = n / 256.0
    width = max(1, int(round(14 * k)))
    # The frame covers whole pixels: from pixel `first` inwards; ImageMagick puts pixel centres
    # on whole coordinates.
    first = int(round(8 * k))
    near = first + (width - 1) / 2.0
    far = n - 1 - near
    radius = max(1.0, 36 * k - width / 2.0)
    return layer(n, n, "fill none stroke %s stroke-width %d roundrectangle %.2f,%.2f %.2f,%.2f "
                 "%.2f,%.2f\n" % (rgba((255, 255, 255), 0.95), width, near, near, far, far,
                                   radius, radius))


def main():
    global WORK
    if not shutil.which("convert"):
        sys.exit("make-artwork: ImageMagick's convert is missing (apt-get install imagemagick)")
    fonts = subprocess.run(["convert", "-list", "font"], capture_output=True, text=True).stdout
    if "DejaVu-Sans-Bold" not in fonts:
        sys.exit("make-artwork: the DejaVu fonts are missing (apt-get install fonts-dejavu-core)")
    os.makedirs(SAMPLES, exist_ok=True)
    WORK = tempfile.mkdtemp(prefix="orvelle-art-")
    try:
        drawings = (sunset_hills, aurora, sea_horizon, soft_circles, moonlit_peaks,
                    stained_glass, tovak, not_found, icon)
        # Names on the command line draw only those, e.g. `make-artwork.py icon`.
        wanted = sys.argv[1:]
        for draw in drawings:
            if wanted and draw.__name__ not in wanted:
                continue
            print("drawing", draw.__name__)
            draw()
    finally:
        shutil.rmtree(WORK, ignore_errors=True)


if __name__ == "__main__":
    main()
