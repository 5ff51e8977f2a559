#!/usr/bin/env python3
# Draws the program's own pictures, a cup anemometer and a wind vane, into kx205.ico (16 colours, 32x32 and
# 16x16), logo.bmp (86x49) and picture.bmp (131x123, both 256 colours). Run by hand; the outputs are kept.
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# ---------------------------------------------------------------- shapes, in pixels (x right, y down)


def inside_polygon(px, py, points):
    hit = False
    j = len(points) - 1
    for i, (xi, yi) in enumerate(points):
        xj, yj = points[j]
        if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
            hit = not hit
        j = i
    return hit


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


class Scene:
    """Shapes painted in order; each is a test (x, y) -> bool and a colour function (x, y) -> rgb."""

    def __init__(self, background):
        self.background = background
        self.shapes = []

    def add(self, test, colour, box):
        fill = colour if callable(colour) else (lambda x, y, c=colour: c)
        self.shapes.append((test, fill, box))

    def ellipse(self, cx, cy, rx, ry, colour):
        self.add(lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0, colour,
                 (cx - rx, cy - ry, cx + rx, cy + ry))

    def half_ellipse(self, cx, cy, rx, ry, angle, colour):
        """The half of an ellipse on the side the angle (radians) points to: a cup's opening seen edge-on."""
        ux, uy = math.cos(angle), math.sin(angle)
        def test(x, y):
            return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0 and (x - cx) * ux + (y - cy) * uy >= 0
        self.add(test, colour, (cx - rx, cy - ry, cx + rx, cy + ry))

    def line(self, ax, ay, bx, by, width, colour):
        r = width / 2.0
        self.add(lambda x, y: segment_distance(x, y, ax, ay, bx, by) <= r, colour,
                 (min(ax, bx) - r, min(ay, by) - r, max(ax, bx) + r, max(ay, by) + r))

    def polygon(self, points, colour):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        self.add(lambda x, y: inside_polygon(x, y, points), colour, (min(xs), min(ys), max(xs), max(ys)))

    def rect(self, x0, y0, x1, y1, colour):
        self.add(lambda x, y: x0 <= x < x1 and y0 <= y < y1, colour, (x0, y0, x1, y1))

    def sample(self, x, y):
        colour = self.background(x, y) if self.background else None
        for test, fill, (x0, y0, x1, y1) in self.shapes:
            if x0 <= x <= x1 and y0 <= y <= y1 and test(x, y):
                colour = fill(x, y)
        return colour

    def render(self, width, height, grid):
        """rgb rows (None where nothing is drawn), each pixel the mean of grid x grid samples."""
        rows = []
        for py in range(height):
            row = []
            for px in range(width):
                samples = [self.sample(px + (i + 0.5) / grid, py + (j + 0.5) / grid)
                           for j in range(grid) for i in range(grid)]
                drawn = [s for s in samples if s is not None]
                if len(drawn) * 2 < len(samples):
                    row.append(None)
                else:
                    row.append(tuple(sum(c[k] for c in drawn) / len(drawn) for k in range(3)))
            rows.append(row)
        return rows


def shade(colour, factor):
    return tuple(max(0.0, min(255.0, c * factor)) for c in colour)


def mix(a, b, t):
    return tuple(a[k] + (b[k] - a[k]) * t for k in range(3))


# ---------------------------------------------------------------- the motifs

STEEL = (150, 156, 166)
DARK_STEEL = (70, 74, 84)
CUP = (200, 40, 30)
CUP_INSIDE = (110, 18, 12)
SKY_TOP = (40, 96, 190)
SKY_LOW = (176, 214, 246)


def anemometer(scene, cx, cy, arm, cup, mast_bottom, mast_width, tilt=0.42, dark=DARK_STEEL):
    """A three-cup anemometer on a mast, its rotor seen from slightly above; hub at (cx, cy)."""
    scene.rect(cx - mast_width / 2, cy, cx + mast_width / 2, mast_bottom,
               lambda x, y: mix(dark, STEEL, 1 - abs(x - cx) / (mast_width / 2 + 0.01)))
    angles = [math.radians(a) for a in (100, 220, 340)]
    ends = [(cx + arm * math.cos(a), cy + arm * tilt * math.sin(a)) for a in angles]
    # Cups behind the hub first, so the nearer ones cover them.
    for (ex, ey), a in sorted(zip(ends, angles), key=lambda e: e[0][1]):
        scene.line(cx, cy, ex, ey, max(1.0, cup * 0.28), dark)
        opening = a + math.pi / 2  # the cups all open the same way round, so the rotor turns
        scene.ellipse(ex, ey, cup, cup * 0.8, lambda x, y, ey=ey: shade(CUP, 1.15 - 0.35 * (y - ey) / cup))
        scene.half_ellipse(ex, ey, cup * 0.72, cup * 0.55, opening, CUP_INSIDE)
    scene.ellipse(cx, cy, cup * 0.55, cup * 0.45, STEEL)
    scene.ellipse(cx - cup * 0.15, cy - cup * 0.12, cup * 0.2, cup * 0.16, (235, 238, 242))


def wind_vane(scene, cx, cy, length, mast_bottom, mast_width):
    """A vane on its own mast: arrow head into the wind, tail fin behind."""
    scene.rect(cx - mast_width / 2, cy, cx + mast_width / 2, mast_bottom, DARK_STEEL)
    scene.line(cx - length * 0.55, cy, cx + length * 0.45, cy, max(1.0, mast_width * 0.6), DARK_STEEL)
    head = cx - length * 0.55
    scene.polygon([(head - length * 0.16, cy), (head + length * 0.06, cy - length * 0.1),
                   (head + length * 0.06, cy + length * 0.1)], DARK_STEEL)
    tail = cx + length * 0.45
    scene.polygon([(tail - length * 0.2, cy), (tail, cy - length * 0.2),
                   (tail + length * 0.04, cy - length * 0.2), (tail + length * 0.04, cy + length * 0.1),
                   (tail, cy + length * 0.1)], (230, 180, 30))
    scene.ellipse(cx, cy, mast_width * 0.9, mast_width * 0.9, STEEL)


def wind_streak(scene, x0, y, length, amplitude, width, colour):
    steps = 12
    points = [(x0 + length * i / steps, y + amplitude * math.sin(math.pi * 2 * i / steps))
              for i in range(steps + 1)]
    for (ax, ay), (bx, by) in zip(points, points[1:]):
        scene.line(ax, ay, bx, by, width, colour)


# A 5x7 font for the model name.
GLYPHS = {
    "K": ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    "X": ["10001", "10001", "01010", "00100", "01010", "10001", "10001"],
    "-": ["00000", "00000", "00000", "11111", "00000", "00000", "00000"],
    "2": ["01110", "10001", "00001", "00010", "00100", "01000", "11111"],
    "0": ["01110", "10001", "10011", "10101", "11001", "10001", "01110"],
    "5": ["11111", "10000", "11110", "00001", "00001", "10001", "01110"],
}


def text(scene, x, y, string, scale, colour):
    for ch in string:
        for row, bits in enumerate(GLYPHS[ch]):
            for col, bit in enumerate(bits):
                if bit == "1":
                    scene.rect(x + col * scale, y + row * scale, x + (col + 1) * scale, y + (row + 1) * scale,
                               colour)
        x += 6 * scale


def sky(top, low, height):
    return lambda x, y: mix(top, low, min(1.0, max(0.0, y / height)))


def picture_scene():
    s = Scene(sky(SKY_TOP, SKY_LOW, 100))
    s.ellipse(104, 22, 11, 11, (255, 214, 60))
    s.ellipse(104, 22, 8, 8, (255, 240, 150))
    for cx, cy, r in ((22, 26, 9), (33, 21, 11), (45, 27, 8), (66, 13, 4), (73, 10, 5), (80, 13, 4)):
        s.ellipse(cx, cy, r * 1.2, r,
                  lambda x, y, cy=cy, r=r: mix((255, 255, 255), (205, 214, 228), (y - cy + r) / (2 * r)))
    s.ellipse(40, 150, 110, 52, lambda x, y: mix((96, 170, 70), (40, 110, 40), (y - 98) / 25))
    s.ellipse(125, 140, 60, 34, lambda x, y: mix((80, 150, 60), (30, 95, 35), (y - 106) / 25))
    for i, y in enumerate((58, 70, 82)):
        wind_streak(s, 6 + i * 4, y, 30, 2.5, 1.3, (236, 244, 252))
    wind_vane(s, 101, 64, 30, 111, 2.4)
    anemometer(s, 62, 52, 25, 7.5, 117, 3.4)
    s.rect(56, 114, 68, 118, DARK_STEEL)
    return s


def logo_scene():
    s = Scene(lambda x, y: mix((232, 240, 250), (186, 208, 236), y / 49))
    s.rect(0, 0, 86, 1, (120, 140, 170))
    s.rect(0, 48, 86, 49, (120, 140, 170))
    anemometer(s, 20, 18, 14, 4.6, 46, 2.2)
    text(s, 52, 7, "KX", 2, (24, 44, 110))
    text(s, 46, 29, "205", 2, (24, 44, 110))
    s.rect(44, 24, 82, 26, CUP)
    return s


def icon_scene(size):
    k = size / 32.0
    s = Scene(None)
    s.ellipse(16 * k, 16 * k, 15.5 * k, 15.5 * k, (0, 0, 128))
    s.ellipse(16 * k, 16 * k, 14.2 * k, 14.2 * k, (0, 255, 255))
    s.rect(12 * k, 28 * k, 20 * k, 30.5 * k, (0, 0, 0))
    anemometer(s, 16 * k, 12 * k, 11 * k, 4.2 * k, 29 * k, 2.6 * k, tilt=0.45, dark=(0, 0, 0))
    return s


# ---------------------------------------------------------------- palettes and files

VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
         (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
         (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def nearest(palette, colour):
    return min(range(len(palette)), key=lambda i: sum((palette[i][k] - colour[k]) ** 2 for k in range(3)))


def median_cut(colours, count):
    """A palette of at most count colours for the given rgb samples."""
    boxes = [list(colours)]
    while len(boxes) < count:
        spans = [max((max(c[k] for c in box) - min(c[k] for c in box), k) for k in range(3)) for box in boxes]
        widest = max(range(len(boxes)), key=lambda i: spans[i][0])
        if spans[widest][0] == 0:
            break
        box = sorted(boxes.pop(widest), key=lambda c: c[spans[widest][1]])
        half = len(box) // 2
        boxes += [box[:half], box[half:]]
    return [tuple(round(sum(c[k] for c in box) / len(box)) for k in range(3)) for box in boxes]


def palette_entries(palette, total):
    padded = list(palette) + [(0, 0, 0)] * (total - len(palette))
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in padded)


def write_bmp8(path, rows):
    height, width = len(rows), len(rows[0])
    flat = [c for row in rows for c in row]
    palette = median_cut(flat, 256)
    cache = {}

    def index(c):
        key = tuple(round(v) for v in c)
        if key not in cache:
            cache[key] = nearest(palette, key)
        return cache[key]

    stride = (width + 3) & ~3
    pixels = b"".join(bytes(index(c) for c in row) + b"\0" * (stride - width) for row in reversed(rows))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    offset = 14 + len(info) + 256 * 4
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(header + info + palette_entries(palette, 256) + pixels)


def icon_image(rows):
    """One 4-bit icon image: header (double height for colour and mask), palette, colour bits, mask bits."""
    size = len(rows)
    colour_stride = ((size * 4 + 31) // 32) * 4
    mask_stride = ((size + 31) // 32) * 4
    colour, mask = b"", b""
    for row in reversed(rows):
        nibbles = [0 if c is None else nearest(VGA16, c) for c in row]
        packed = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        colour += packed + b"\0" * (colour_stride - len(packed))
        bits = 0
        for c in row:
            bits = (bits << 1) | (1 if c is None else 0)
        maskbytes = bits.to_bytes(size // 8, "big")
        mask += maskbytes + b"\0" * (mask_stride - len(maskbytes))
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(colour) + len(mask), 0, 0, 16, 0)
    return info + palette_entries(VGA16, 16) + colour + mask


def write_ico(path, images):
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries, data = b"", b""
    for size, image in images:
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset + len(data))
        data += image
    with open(path, "wb") as f:
        f.write(header + entries + data)


def main():
    write_ico(os.path.join(HERE, "kx205.ico"),
              [(size, icon_image(icon_scene(size).render(size, size, 3))) for size in (32, 16)])
    write_bmp8(os.path.join(HERE, "logo.bmp"), logo_scene().render(86, 49, 3))
    write_bmp8(os.path.join(HERE, "picture.bmp"), picture_scene().render(131, 123, 3))


if __name__ == "__main__":
    main()
