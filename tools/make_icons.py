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


def transparency_mask(canvas):
    """The AND mask: one bit a pixel, set where the picture is transparent."""
    mask_row = ((canvas.size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(canvas.pixels):
        bits = bytearray(mask_row)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return bytes(mask)


def ico_image(canvas):
    size = canvas.size
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    for row in reversed(canvas.pixels):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    return header + bytes(xor) + transparency_mask(canvas)


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
GREY_LIGHT = (205, 212, 220)
GREY_SHINE = (232, 236, 240)
GREEN = (20, 140, 60)


def inside_polygon(points, px, py):
    inside = False
    for i in range(len(points)):
        (ax, ay), (bx, by) = points[i], points[i - 1]
        if (ay > py) != (by > py) and px < (bx - ax) * (py - ay) / (by - ay) + ax:
            inside = not inside
    return inside


def near_polyline(points, px, py, half_width):
    for (ax, ay), (bx, by) in zip(points, points[1:]):
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
        if (px - ax - t * dx) ** 2 + (py - ay - t * dy) ** 2 <= half_width * half_width:
            return True
    return False


def recycle_arrows(cx, cy, radius, stroke, head):
    """Three arrows chasing each other clockwise round a triangle, each bent
    round one corner; returns the shapes as (kind, points) pairs."""
    import math
    corners = [(cx + radius * math.cos(math.radians(-90 + 120 * k)),
                cy + radius * math.sin(math.radians(-90 + 120 * k))) for k in range(3)]

    def along(k, t):
        (ax, ay), (bx, by) = corners[k % 3], corners[(k + 1) % 3]
        return (ax + (bx - ax) * t, ay + (by - ay) * t)

    shapes = []
    for k in range(3):
        # the body comes along the previous side, turns at corner k, and ends in a head on side k
        shapes.append(("stroke", [along(k - 1, 0.62), corners[k], along(k, 0.25)]))
        (ax, ay), (bx, by) = corners[k], corners[(k + 1) % 3]
        length = math.hypot(bx - ax, by - ay)
        nx, ny = -(by - ay) / length * head, (bx - ax) / length * head
        base_x, base_y = along(k, 0.22)
        shapes.append(("fill", [(base_x + nx, base_y + ny), along(k, 0.52), (base_x - nx, base_y - ny)]))
    return shapes, stroke / 2


def recycle_bin_icon(size=32):
    """A waste basket marked with recycling arrows, drawn in a 32-unit square
    at eight samples a side per pixel, at any size from the same shapes."""
    samples = 8
    unit = 32 / size
    lid_outline = [(4, 3), (28, 3), (28, 7), (4, 7)]
    lid_inside = [(5, 4), (27, 4), (27, 6), (5, 6)]
    handle = [(12, 1), (20, 1), (20, 3), (12, 3)]
    body_outline = [(6, 7), (26, 7), (24, 31), (8, 31)]
    body_inside = [(7.3, 8), (24.7, 8), (22.9, 30), (9.1, 30)]
    shine = [(8.6, 9), (10.4, 9), (11.2, 29), (10.0, 29)]
    arrows, half_stroke = recycle_arrows(16, 19.6, 7.4, 2.1, 2.8)

    def colour_at(px, py):
        """The colour of one sample, or None outside the basket."""
        if inside_polygon(handle, px, py) or inside_polygon(lid_outline, px, py):
            return GREY_LIGHT if inside_polygon(lid_inside, px, py) else GREY_DARK
        if not inside_polygon(body_outline, px, py):
            return None
        if not inside_polygon(body_inside, px, py):
            return GREY_DARK
        for kind, points in arrows:
            if (kind == "stroke" and near_polyline(points, px, py, half_stroke)) or \
                    (kind == "fill" and inside_polygon(points, px, py)):
                return GREEN
        return GREY_SHINE if inside_polygon(shine, px, py) else GREY_LIGHT

    c = Canvas(size)
    for y in range(size):
        for x in range(size):
            colours = [colour_at((x + (i + 0.5) / samples) * unit, (y + (j + 0.5) / samples) * unit)
                       for j in range(samples) for i in range(samples)]
            solid = [col for col in colours if col is not None]
            # a pixel is part of the icon when the basket covers most of it
            if len(solid) * 2 < len(colours):
                continue
            c.put(x, y, tuple(round(sum(col[ch] for col in solid) / len(solid)) for ch in range(3)))
    return c


def ico_image_256(canvas):
    """The canvas as an 8-bit palette image with a transparency mask."""
    size = canvas.size
    # Index 0 is black: transparent pixels point at it, since the screen is
    # XORed with their colour after the mask has cleared it.
    used = {(r, g, b) for row in canvas.pixels for r, g, b, a in row if a}
    palette = [(0, 0, 0)] + sorted(used - {(0, 0, 0)})
    if len(palette) > 256:
        raise ValueError("more than 256 colours: %d" % len(palette))
    index = {colour: i for i, colour in enumerate(palette)}
    palette += [(0, 0, 0)] * (256 - len(palette))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    row_bytes = (size + 3) // 4 * 4
    xor = bytearray()
    for row in reversed(canvas.pixels):
        line = bytes(index[(r, g, b)] if a else 0 for r, g, b, a in row)
        xor += line + bytes(row_bytes - len(line))
    return header + colours + bytes(xor) + transparency_mask(canvas)


def write_ico_mixed(path, canvas_256, larger):
    """The first canvas kept to 256 colours, the larger ones (whose blended
    edges need more) in full colour."""
    images = [(canvas_256, 8, ico_image_256(canvas_256))] + [(c, 32, ico_image(c)) for c in larger]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for canvas, bits, image in images:
        data += struct.pack("<BBBBHHII", canvas.size % 256, canvas.size % 256, 0, 0, 1, bits, len(image), offset)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(data + b"".join(image for _, _, image in images))


if __name__ == "__main__":
    # 32 pixels at 96 dpi, and the tile's sizes at 144 and 192 dpi.
    write_ico_mixed(os.path.join(OUT, "recyclebin.ico"), recycle_bin_icon(32), [recycle_bin_icon(48), recycle_bin_icon(64)])
    write_ico(os.path.join(OUT, "yomorina.ico"), [program_icon(32), program_icon(16), program_icon(48)])
    write_ico(os.path.join(OUT, "tray.ico"), [tray_icon(16), tray_icon(32), tray_icon(24)])
