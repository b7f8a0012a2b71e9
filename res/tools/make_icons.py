#!/usr/bin/env python3
"""Draws Huewright's icons and grab cursor and writes them as .ico/.cur files into res/icons.

Standard library only. Every image is a 32-bit BGRA bitmap with an AND mask (the classic
BMP-in-ICO layout), anti-aliased by supersampling simple shapes. The output is deterministic,
so running the script again reproduces the committed files byte for byte.
"""

import struct
from pathlib import Path

ICON_DIR = Path(__file__).resolve().parent.parent / "icons"
SUBSAMPLES = 4

# Palette motif colors, the four boxes of a palette.
BOX1 = (0x2F, 0x6F, 0xD0)
BOX2 = (0xE8, 0xA3, 0x3D)
BOX3 = (0x3E, 0x9E, 0x5A)
BOX4 = (0xF4, 0xD9, 0x4C)
INK = (0x2E, 0x33, 0x3B)
WHITE = (0xFF, 0xFF, 0xFF)
FRAME = (0x5A, 0x62, 0x70)
MARK = (0x1F, 0x4F, 0xA0)
GLASS = (0xE4, 0xF0, 0xF8)
RED = (0xD0, 0x2C, 0x2C)
HOVER_FILL = (0xD6, 0xE4, 0xFF)
HOVER_EDGE = (0x6F, 0x93, 0xD8)


class Canvas:
    """Square RGBA image with straight alpha; shapes are composited with the 'over' operator."""

    def __init__(self, size, design=None):
        """design: the size the shapes' coordinates are drawn for; the image is size pixels square."""
        self.size = size
        self.scale = (design or size) / size
        self.pixels = [[(0.0, 0.0, 0.0, 0.0)] * size for _ in range(size)]

    def fill(self, shape, color, alpha=1.0):
        """Paints shape (a predicate on continuous coordinates) in color; color may be a
        function of (x, y) for gradients."""
        step = 1.0 / SUBSAMPLES
        for y in range(self.size):
            for x in range(self.size):
                hits = 0
                for sy in range(SUBSAMPLES):
                    for sx in range(SUBSAMPLES):
                        if shape((x + (sx + 0.5) * step) * self.scale, (y + (sy + 0.5) * step) * self.scale):
                            hits += 1
                if hits:
                    rgb = color((x + 0.5) * self.scale, (y + 0.5) * self.scale) if callable(color) else color
                    self._blend(x, y, rgb, alpha * hits / (SUBSAMPLES * SUBSAMPLES))

    def _blend(self, x, y, rgb, a):
        dr, dg, db, da = self.pixels[y][x]
        outA = a + da * (1.0 - a)
        if outA <= 0.0:
            return
        mix = [(s * a + d * da * (1.0 - a)) / outA for s, d in zip(rgb, (dr, dg, db))]
        self.pixels[y][x] = (mix[0], mix[1], mix[2], outA)


# Shapes: predicates on continuous pixel coordinates (pixel (i, j) covers [i, i+1) x [j, j+1)).

def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def round_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r

    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def capsule(ax, ay, bx, by, r):
    """A thick line from (ax, ay) to (bx, by) with round ends."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        px, py = ax + t * dx - x, ay + t * dy - y
        return px * px + py * py <= r * r

    return inside


def minus(shape, hole):
    return lambda x, y: shape(x, y) and not hole(x, y)


def vertical_gradient(top, bottom, y0, y1):
    def color(x, y):
        t = min(max((y - y0) / (y1 - y0), 0.0), 1.0)
        return tuple(a + (b - a) * t for a, b in zip(top, bottom))

    return color


def lighter(rgb, amount):
    return tuple(c + (255 - c) * amount for c in rgb)


def darker(rgb, amount):
    return tuple(c * (1.0 - amount) for c in rgb)


def shaded(rgb, y0, y1):
    return vertical_gradient(lighter(rgb, 0.25), rgb, y0, y1)


# Artwork.

def palette_motif(canvas, x0, y0, x1, y1):
    """Box 1 across the top, box 2 below left, box 3 below right with box 4 nested in it, like the
    boxes of the main dialog. Boxes are separated by one pixel of ink."""
    mid_y = y0 + round((y1 - y0) * 0.45)
    mid_x = x0 + round((x1 - x0) * 0.36)
    canvas.fill(round_rect(x0, y0, x1, y1, 1.5), INK)
    canvas.fill(rect(x0 + 1, y0 + 1, x1 - 1, mid_y), shaded(BOX1, y0 + 1, mid_y))
    canvas.fill(rect(x0 + 1, mid_y + 1, mid_x, y1 - 1), shaded(BOX2, mid_y + 1, y1 - 1))
    canvas.fill(rect(mid_x + 1, mid_y + 1, x1 - 1, y1 - 1), shaded(BOX3, mid_y + 1, y1 - 1))
    inner_x0 = mid_x + 1 + (x1 - mid_x - 2) * 0.25
    inner_x1 = x1 - 1 - (x1 - mid_x - 2) * 0.2
    inner_y0 = mid_y + 1 + (y1 - mid_y - 2) * 0.28
    inner_y1 = y1 - 1 - (y1 - mid_y - 2) * 0.28
    canvas.fill(rect(round(inner_x0), round(inner_y0), round(inner_x1), round(inner_y1)), BOX4)


def app_icon(size):
    canvas = Canvas(size)
    if size >= 32:
        palette_motif(canvas, 1, 2, 31, 30)
    else:
        palette_motif(canvas, 0, 1, 16, 15)
    return canvas


def check_box(checked, size=16):
    canvas = Canvas(size, 16)
    canvas.fill(round_rect(2, 2, 15, 15, 1.0), FRAME)
    face = vertical_gradient((0xEE, 0xF3, 0xFB), WHITE, 3, 14) if checked else WHITE
    canvas.fill(rect(3, 3, 14, 14), face)
    if checked:
        canvas.fill(capsule(5.2, 8.6, 7.6, 11.0, 1.1), MARK)
        canvas.fill(capsule(7.6, 11.0, 11.8, 5.4, 1.1), MARK)
    return canvas


def radio_button(checked, size=16):
    canvas = Canvas(size, 16)
    canvas.fill(circle(8.5, 8.5, 6.5), FRAME)
    canvas.fill(circle(8.5, 8.5, 5.5), vertical_gradient((0xEE, 0xF3, 0xFB), WHITE, 3, 14))
    if checked:
        canvas.fill(circle(8.5, 8.5, 2.8), MARK)
    return canvas


def hover_backing(canvas):
    """The light plate behind the pressed/hover variants of the tool button images."""
    canvas.fill(round_rect(0, 0, 21, 19, 2.5), HOVER_EDGE)
    canvas.fill(round_rect(1, 1, 20, 18, 1.8), vertical_gradient(WHITE, HOVER_FILL, 1, 18))


def eyedropper(canvas, tip_x, tip_y, top_x, top_y, liquid):
    """A dropper lying from its rubber bulb at (top_x, top_y) down to its tip at (tip_x, tip_y)."""
    dx, dy = tip_x - top_x, tip_y - top_y

    def at(t):
        return top_x + dx * t, top_y + dy * t

    bulb_end, collar, glass_end = at(0.22), at(0.32), at(0.78)
    canvas.fill(capsule(*at(0.0), *bulb_end, 2.6), INK)
    canvas.fill(capsule(*bulb_end, *collar, 3.0), darker(INK, 0.2))
    canvas.fill(capsule(*collar, *glass_end, 2.0), INK)
    canvas.fill(capsule(*collar, *glass_end, 1.2), GLASS)
    canvas.fill(capsule(*at(0.5), *glass_end, 1.2), liquid)
    canvas.fill(capsule(*glass_end, tip_x, tip_y, 0.8), INK)
    canvas.fill(circle(tip_x - 0.4, tip_y + 1.4, 1.1), liquid)


# The tool buttons are only about 13 x 10 dialog units, and the button draws its 32x32 icon from its
# top-left corner when the icon is larger than the button, so the artwork keeps to the top-left
# 21 x 19 pixels.

def box_pick_icon(pressed, size=32):
    canvas = Canvas(size, 32)
    if pressed:
        hover_backing(canvas)
    palette_motif(canvas, 2, 6, 15, 18)
    eyedropper(canvas, 8.5, 9.5, 17.6, 3.0, lighter(BOX1, 0.25) if pressed else BOX1)
    return canvas


def crosshair(canvas, cx, cy, radius, color, outline=None):
    """A ring with four ticks; with outline, each stroke gets a halo so it shows on any background."""
    strokes = [
        minus(circle(cx, cy, radius + 0.5), circle(cx, cy, radius - 0.5)),
        capsule(cx, cy - radius - 3.5, cx, cy - radius + 1.5, 0.5),
        capsule(cx, cy + radius - 1.5, cx, cy + radius + 3.5, 0.5),
        capsule(cx - radius - 3.5, cy, cx - radius + 1.5, cy, 0.5),
        capsule(cx + radius - 1.5, cy, cx + radius + 3.5, cy, 0.5),
    ]
    if outline is not None:
        halos = [
            minus(circle(cx, cy, radius + 1.5), circle(cx, cy, radius - 1.5)),
            capsule(cx, cy - radius - 3.5, cx, cy - radius + 1.5, 1.5),
            capsule(cx, cy + radius - 1.5, cx, cy + radius + 3.5, 1.5),
            capsule(cx - radius - 3.5, cy, cx - radius + 1.5, cy, 1.5),
            capsule(cx + radius - 1.5, cy, cx + radius + 3.5, cy, 1.5),
        ]
        for halo in halos:
            canvas.fill(halo, outline)
    for stroke in strokes:
        canvas.fill(stroke, color)
    canvas.fill(rect(cx - 0.5, cy - 0.5, cx + 0.5, cy + 0.5), color)


def grab_icon(pressed, size=32):
    canvas = Canvas(size, 32)
    if pressed:
        hover_backing(canvas)
    # A monitor whose screen shows a little desktop, with the crosshair over it.
    canvas.fill(round_rect(2, 2, 19, 14, 1.2), INK)
    canvas.fill(rect(3, 3, 18, 13), vertical_gradient((0x9C, 0xC8, 0xF0), (0x3E, 0x7C, 0xC4), 3, 13))
    canvas.fill(rect(3, 10, 18, 13), (0x5E, 0xA8, 0x5A))
    canvas.fill(rect(9, 14, 12, 16), INK)
    canvas.fill(round_rect(6, 16, 15, 17.5, 0.6), INK)
    crosshair(canvas, 10.5, 7.5, 3.5, RED if pressed else darker(RED, 0.15))
    return canvas


def grab_cursor():
    """A crosshair whose centre pixel (15, 15) is the hot spot, with a small dropper beside it."""
    canvas = Canvas(32)
    crosshair(canvas, 15.5, 15.5, 5.0, (0, 0, 0), WHITE)
    canvas.fill(capsule(28.2, 28.2, 23.0, 23.0, 2.6), WHITE)
    canvas.fill(capsule(23.0, 23.0, 20.0, 20.0, 1.6), WHITE)
    eyedropper(canvas, 20.6, 20.6, 28.0, 28.0, RED)
    return canvas


# File writing.

def dib_bytes(canvas):
    """BITMAPINFOHEADER, bottom-up BGRA rows, then the 1-bit AND mask (1 = transparent)."""
    size = canvas.size
    mask_stride = (size + 31) // 32 * 4
    color_rows = []
    mask_rows = []
    for y in reversed(range(size)):
        row = bytearray()
        mask = bytearray(mask_stride)
        for x in range(size):
            r, g, b, a = canvas.pixels[y][x]
            alpha = round(a * 255)
            if alpha == 0:
                row += bytes(4)
                mask[x // 8] |= 0x80 >> (x % 8)
            else:
                row += bytes((round(b), round(g), round(r), alpha))
        color_rows.append(bytes(row))
        mask_rows.append(bytes(mask))
    pixels = b"".join(color_rows) + b"".join(mask_rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels), 0, 0, 0, 0)
    return header + pixels


def icon_file_bytes(canvases, hotspot=None):
    """An .ico file, or a .cur file when hotspot (x, y) is given."""
    kind = 2 if hotspot else 1
    out = struct.pack("<HHH", 0, kind, len(canvases))
    images = [dib_bytes(c) for c in canvases]
    offset = 6 + 16 * len(canvases)
    for canvas, image in zip(canvases, images):
        first, second = hotspot if hotspot else (1, 32)
        out += struct.pack("<BBBBHHII", canvas.size, canvas.size, 0, 0, first, second, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


# The button icons at 96 DPI first, the size the program asks for there, then at 144 and 192 DPI.
SMALL_SIZES = (16, 24, 32)
TOOL_SIZES = (32, 48, 64)


def main():
    ICON_DIR.mkdir(parents=True, exist_ok=True)
    files = {
        "app_small.ico": icon_file_bytes([app_icon(16), app_icon(32)]),
        "app_big.ico": icon_file_bytes([app_icon(32)]),
        "check_on.ico": icon_file_bytes([check_box(True, size) for size in SMALL_SIZES]),
        "check_off.ico": icon_file_bytes([check_box(False, size) for size in SMALL_SIZES]),
        "radio_off.ico": icon_file_bytes([radio_button(False, size) for size in SMALL_SIZES]),
        "radio_on.ico": icon_file_bytes([radio_button(True, size) for size in SMALL_SIZES]),
        "box_pick.ico": icon_file_bytes([box_pick_icon(False, size) for size in TOOL_SIZES]),
        "box_pick_pressed.ico": icon_file_bytes([box_pick_icon(True, size) for size in TOOL_SIZES]),
        "grab.ico": icon_file_bytes([grab_icon(False, size) for size in TOOL_SIZES]),
        "grab_pressed.ico": icon_file_bytes([grab_icon(True, size) for size in TOOL_SIZES]),
        "grab.cur": icon_file_bytes([grab_cursor()], hotspot=(15, 15)),
    }
    for name, data in files.items():
        (ICON_DIR / name).write_bytes(data)
        print(f"wrote {ICON_DIR / name} ({len(data)} bytes)")


if __name__ == "__main__":
    main()
