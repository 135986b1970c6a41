#!/usr/bin/env python3
"""Draws the preview picture (151 x 119 pixels): a small stack of slides, the front one a
landscape at sunrise. Writes resources/preview.gif with a stdlib-only GIF encoder.

Usage: python3 scripts/make_preview_art.py [output.gif]
"""
import math
import os
import struct
import sys

WIDTH, HEIGHT = 151, 119


def lerp(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def quantize(colour, step=8):
    # Few enough distinct colours for one 256-entry palette, smooth enough for the gradients.
    return tuple(min(255, (c // step) * step + step // 2) for c in colour)


def draw():
    img = [[(0, 0, 0)] * WIDTH for _ in range(HEIGHT)]

    def put(x, y, c):
        if 0 <= x < WIDTH and 0 <= y < HEIGHT:
            img[y][x] = c

    def rect(x0, y0, x1, y1, c):
        for y in range(y0, y1):
            for x in range(x0, x1):
                put(x, y, c)

    # Backdrop: a deep slate gradient, like a dim room behind the slides.
    for y in range(HEIGHT):
        c = quantize(lerp((38, 48, 74), (20, 26, 44), y / (HEIGHT - 1)))
        for x in range(WIDTH):
            img[y][x] = c

    # The slide behind, offset up and right, with a soft shadow.
    rect(22, 8, 146, 100, (14, 18, 30))
    rect(19, 5, 143, 97, (226, 222, 210))
    rect(23, 9, 139, 93, quantize((120, 150, 190)))
    for y in range(9, 93):
        for x in range(23, 139):
            t = (y - 9) / 84
            put(x, y, quantize(lerp((150, 120, 170), (90, 110, 160), t)))

    # The front slide: shadow, white border, then the landscape.
    fx0, fy0, fx1, fy1 = 5, 18, 131, 114
    rect(fx0 + 4, fy0 + 4, fx1 + 4, fy1 + 4, (10, 12, 22))
    rect(fx0, fy0, fx1, fy1, (246, 244, 238))
    px0, py0, px1, py1 = fx0 + 4, fy0 + 4, fx1 - 4, fy1 - 4
    pw, ph = px1 - px0, py1 - py0
    horizon = py0 + int(ph * 0.58)
    sun_x, sun_y, sun_r = px0 + int(pw * 0.68), py0 + int(ph * 0.36), 9

    for y in range(py0, py1):
        for x in range(px0, px1):
            u, v = (x - px0) / pw, (y - py0) / ph
            if y < horizon:
                c = lerp((92, 150, 214), (250, 196, 140), (y - py0) / (horizon - py0))
                d = math.hypot(x - sun_x, y - sun_y)
                if d <= sun_r:
                    c = (255, 236, 150)
                elif d <= sun_r + 7:
                    c = lerp((255, 220, 150), c, (d - sun_r) / 7)
            else:
                # Lake: the sky mirrored and darkened, with a streak of sunlight.
                mirror = horizon - (y - horizon)
                c = lerp((92, 150, 214), (250, 196, 140),
                         max(0.0, (mirror - py0) / (horizon - py0)))
                c = lerp(c, (40, 70, 110), 0.45)
                if abs(x - sun_x) < 5 - (y - horizon) * 0.08 and (y + x // 3) % 3:
                    c = lerp(c, (255, 230, 160), 0.6)
            # Far hills: blue-green ridge.
            far = horizon - 10 - 6 * math.sin(u * 5.0 + 0.6) - 3 * math.sin(u * 13.0)
            if far <= y < horizon:
                c = lerp((78, 118, 132), (60, 96, 110), (y - far) / max(1.0, horizon - far))
            # Near hill on the left, coming down to the shore.
            near = horizon - 14 + 12 * u + max(0.0, u - 0.33) * 420 * max(0.0, u - 0.33)
            if y >= near:
                shade = 0.5 + 0.5 * math.sin((x * 0.7) + (y * 0.4))
                c = lerp((62, 128, 62), (84, 150, 72), shade * 0.5 + v * 0.2)
            put(x, y, quantize(c))

    # A pine tree on the hill.
    tx, ty = px0 + 18, horizon - 8
    for row in range(18):
        half = 1 + row // 3
        for dx in range(-half, half + 1):
            put(tx + dx, ty - 18 + row, (34, 84, 46) if (dx + row) % 4 else (44, 98, 54))
    rect(tx - 1, ty, tx + 2, ty + 4, (92, 64, 40))

    # Birds over the lake.
    for bx, by in ((px0 + 52, py0 + 20), (px0 + 62, py0 + 15), (px0 + 45, py0 + 12)):
        for dx in range(-3, 4):
            put(bx + dx, by + abs(dx) // 2 - 1, (40, 44, 60))

    # Slide-show dots under the front slide: one lit, as on a projector's counter.
    for i in range(4):
        cx, cy = 58 + i * 7, fy1 - 2
        put(cx, cy, (70, 170, 230) if i == 1 else (200, 200, 196))
    return img


def lzw_encode(indices, min_code_size=8):
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    out, bitbuf, bitcount = bytearray(), 0, 0

    def emit(code, size):
        nonlocal bitbuf, bitcount
        bitbuf |= code << bitcount
        bitcount += size
        while bitcount >= 8:
            out.append(bitbuf & 0xFF)
            bitbuf >>= 8
            bitcount -= 8

    def reset():
        return {bytes([i]): i for i in range(clear)}, end + 1, min_code_size + 1

    table, next_code, size = reset()
    emit(clear, size)
    prefix = b""
    for index in indices:
        candidate = prefix + bytes([index])
        if candidate in table:
            prefix = candidate
            continue
        emit(table[prefix], size)
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            if next_code > (1 << size) and size < 12:
                size += 1
        else:
            emit(clear, size)
            table, next_code, size = reset()
        prefix = bytes([index])
    if prefix:
        emit(table[prefix], size)
    emit(end, size)
    if bitcount:
        out.append(bitbuf & 0xFF)
    return bytes(out)


def write_gif(path, img):
    palette, indices = {}, []
    for row in img:
        for c in row:
            if c not in palette:
                palette[c] = len(palette)
            indices.append(palette[c])
    if len(palette) > 256:
        raise SystemExit(f"too many colours: {len(palette)}")
    colours = sorted(palette, key=palette.get) + [(0, 0, 0)] * (256 - len(palette))
    data = lzw_encode(indices)
    with open(path, "wb") as f:
        f.write(b"GIF89a" + struct.pack("<HHBBB", WIDTH, HEIGHT, 0xF7, 0, 0))
        f.write(b"".join(bytes(c) for c in colours))
        f.write(b"," + struct.pack("<HHHHB", 0, 0, WIDTH, HEIGHT, 0) + b"\x08")
        for i in range(0, len(data), 255):
            chunk = data[i:i + 255]
            f.write(bytes([len(chunk)]) + chunk)
        f.write(b"\x00;")


if __name__ == "__main__":
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "resources", "preview.gif")
    write_gif(target, draw())
    print(target)
