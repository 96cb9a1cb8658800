#!/usr/bin/env python3
"""Draws the program's icons and writes them as .ico files into resources/.

Run it after changing a drawing; the .ico files it writes are committed.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "resources")


class Canvas:
    def __init__(self, size):
        self.size = size
        self.pixels = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def put(self, x, y, color):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.pixels[y][x] = color if len(color) == 4 else color + (255,)

    def rect(self, x0, y0, x1, y1, color):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, color)

    def frame(self, x0, y0, x1, y1, color):
        for x in range(x0, x1 + 1):
            self.put(x, y0, color)
            self.put(x, y1, color)
        for y in range(y0, y1 + 1):
            self.put(x0, y, color)
            self.put(x1, y, color)

    def polygon(self, points, color):
        """Fills a polygon by testing pixel centres (even-odd rule)."""
        for y in range(self.size):
            for x in range(self.size):
                px, py = x + 0.5, y + 0.5
                inside = False
                for i in range(len(points)):
                    (ax, ay), (bx, by) = points[i], points[i - 1]
                    if (ay > py) != (by > py) and px < (bx - ax) * (py - ay) / (by - ay) + ax:
                        inside = not inside
                if inside:
                    self.put(x, y, color)


def ico_image(canvas):
    size = canvas.size
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    for row in reversed(canvas.pixels):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(canvas.pixels):
        bits = bytearray(mask_row)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(xor) + bytes(mask)


def write_ico(path, canvases):
    images = [ico_image(c) for c in canvases]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for canvas, image in zip(canvases, images):
        size = canvas.size % 256
        data += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    for image in images:
        data += image
    with open(path, "wb") as f:
        f.write(data)


YELLOW = (255, 255, 192)
ORANGE = (255, 160, 64)
BROWN = (150, 80, 20)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
TILES = [(40, 110, 220), (40, 170, 70), (220, 60, 60)]


def arrow(canvas, x, y, scale):
    """The mouse pointer, its tip at (x, y)."""
    shape = [(0, 0), (0, 11), (3, 8), (5, 13), (7, 12), (5, 7), (9, 7)]
    outline = [(x + px * scale, y + py * scale) for px, py in shape]
    canvas.polygon(outline, BLACK)
    inner = [(x + (px * 0.72 + 0.9) * scale, y + (py * 0.72 + 1.9) * scale) for px, py in shape]
    canvas.polygon(inner, WHITE)


def program_icon(size):
    """A sheet with entries scattered behind a shaking pointer."""
    c = Canvas(size)
    s = size / 32
    c.rect(int(1 * s), int(1 * s), int(30 * s), int(30 * s), YELLOW)
    c.frame(int(1 * s), int(1 * s), int(30 * s), int(30 * s), ORANGE)
    if size >= 32:
        c.frame(int(2 * s), int(2 * s), int(29 * s), int(29 * s), ORANGE)
    tiles = [(4, 4), (4, 17), (16, 5)] if size >= 32 else [(3, 3), (3, 17), (17, 3)]
    tile = int(9 * s)
    for (tx, ty), color in zip(tiles, TILES):
        x0, y0 = int(tx * s), int(ty * s)
        c.rect(x0, y0, x0 + tile - 1, y0 + tile - 1, color)
        if size >= 32:
            c.frame(x0, y0, x0 + tile - 1, y0 + tile - 1, BROWN)
    if size >= 32:
        for i in range(3):  # motion marks
            c.rect(int((14 + i * 3) * s), int((24 - i * 3) * s), int((15 + i * 3) * s), int((24 - i * 3) * s), BROWN)
    arrow(c, int(17 * s), int(12 * s), 1.45 * s)
    return c


def tray_icon(size):
    """The notification-area icon: the same idea, bold enough for 16 pixels."""
    c = Canvas(size)
    s = size / 16
    c.rect(0, 0, size - 1, size - 1, ORANGE)
    c.rect(int(1 * s), int(1 * s), int(14 * s), int(14 * s), YELLOW)
    for (tx, ty), color in zip([(2, 2), (2, 9), (8, 2)], TILES):
        c.rect(int(tx * s), int(ty * s), int((tx + 4) * s) - 1, int((ty + 4) * s) - 1, color)
    arrow(c, int(8 * s), int(6 * s), 0.72 * s)
    return c


GREY_DARK = (70, 80, 90)
GREY = (150, 160, 170)
GREY_LIGHT = (205, 212, 220)
GREEN = (30, 150, 60)
GREEN_DARK = (10, 90, 30)


def recycle_mark(c, cx, cy):
    """Three arrows chasing each other round a triangle."""
    import math
    def corner(radius, k):
        a = math.radians(-90 + 120 * k)
        return (cx + radius * math.cos(a), cy + radius * math.sin(a))
    outer = [corner(8.6, k) for k in range(3)]
    inner = [corner(4.0, k) for k in range(3)]
    c.polygon(outer, GREEN)
    c.polygon(inner, GREY_LIGHT)
    for k in range(3):
        # a gap in the middle of each side, with an arrowhead pointing across it
        (ax, ay), (bx, by) = outer[k], outer[(k + 1) % 3]
        mx, my = (ax + bx) / 2, (ay + by) / 2
        dx, dy = (bx - ax) / 8.6 / 1.732, (by - ay) / 8.6 / 1.732
        nx, ny = -dy, dx
        gap = [(mx - dx * 0.2 + nx * 3, my - dy * 0.2 + ny * 3), (mx + dx * 1.2 + nx * 3, my + dy * 1.2 + ny * 3),
               (mx + dx * 1.2 - nx * 4, my + dy * 1.2 - ny * 4), (mx - dx * 0.2 - nx * 4, my - dy * 0.2 - ny * 4)]
        c.polygon(gap, GREY_LIGHT)
        head = [(mx - dx * 0.4 + nx * 2.6, my - dy * 0.4 + ny * 2.6), (mx - dx * 0.4 - nx * 3.4, my - dy * 0.4 - ny * 3.4),
                (mx + dx * 1.0, my + dy * 1.0)]
        c.polygon(head, GREEN_DARK)


def recycle_bin_icon():
    """A waste basket marked with recycling arrows."""
    c = Canvas(32)
    # lid and handle
    c.rect(12, 1, 19, 2, GREY_DARK)
    c.rect(4, 3, 27, 6, GREY_DARK)
    c.rect(5, 4, 26, 5, GREY_LIGHT)
    # body, narrowing towards the bottom
    c.polygon([(6, 7), (26, 7), (24, 31), (8, 31)], GREY_DARK)
    c.polygon([(7.2, 7.8), (24.8, 7.8), (22.9, 30), (9.1, 30)], GREY_LIGHT)
    for x in (10, 22):
        c.polygon([(x - 0.5, 9), (x + 0.5, 9), (x + (0.3 if x > 16 else -0.3) * 1 + 0.5 - (1.4 if x > 16 else -1.4) * 0, 29), (x - 0.5, 29)], GREY)
    recycle_mark(c, 16, 19)
    return c


if __name__ == "__main__":
    write_ico(os.path.join(OUT, "recyclebin.ico"), [recycle_bin_icon()])
    write_ico(os.path.join(OUT, "yomorina.ico"), [program_icon(32), program_icon(16), program_icon(48)])
    write_ico(os.path.join(OUT, "tray.ico"), [tray_icon(16), tray_icon(32), tray_icon(24)])
