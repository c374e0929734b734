#!/usr/bin/env python3
"""Draws Sentrix Explorer's own pictures and writes them as resource files.

    python3 tools/art/make_art.py [--preview sheet.png]

Writes, relative to the repository root:
  res/icons/*.ico      32-bit icons with alpha, 16x16 and 32x32 (and 48x48 for the program icon)
  res/bitmaps/*.bmp    24-bit pictures for the static image controls, drawn over the dialog face colour
  res/sounds/open.wav  the Open chime (22050 Hz, mono, 16-bit)

Only the standard library is used: every picture is a set of flat shapes (circles, rounded rectangles,
polygons, strokes) rasterised with 4 x 4 supersampling, so edges are smooth at every size. The output is
deterministic; rerun the script after changing a design and commit the files it writes.
"""

import math
import struct
import sys
import zlib
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
ICON_DIR = ROOT / "res" / "icons"
BITMAP_DIR = ROOT / "res" / "bitmaps"
SOUND_DIR = ROOT / "res" / "sounds"

# The dialog face colour the 24-bit pictures are drawn over (COLOR_3DFACE of current Windows and Wine).
FACE = (240, 240, 240)

BLUE = (0x1F, 0x6F, 0xD1)
BLUE_DARK = (0x16, 0x50, 0x9C)
BLUE_LIGHT = (0x4E, 0x93, 0xE6)
BLUE_PALE = (0xC9, 0xDF, 0xFA)
GREEN = (0x2E, 0xA0, 0x5C)
GREEN_DARK = (0x1E, 0x7A, 0x44)
ORANGE = (0xF2, 0x9B, 0x30)
ORANGE_DARK = (0xC2, 0x71, 0x12)
RED = (0xD9, 0x4A, 0x3D)
AMBER = (0xF2, 0xB1, 0x1E)
AMBER_DARK = (0xB9, 0x80, 0x08)
SLATE = (0x6A, 0x7A, 0x8C)
SLATE_DARK = (0x3B, 0x48, 0x57)
SLATE_LIGHT = (0xA4, 0xB0, 0xBD)
PAPER = (0xFF, 0xFF, 0xFF)
PAPER_SHADE = (0xE3, 0xE8, 0xEE)
INK = (0x22, 0x2B, 0x35)

SUPERSAMPLE = 4


# ---------------------------------------------------------------------------------------------
# Shapes: functions (x, y) -> bool in design units, where the picture spans 0..1 in both directions
# (y grows downwards). Each carries a bounding box so that only the pixels it can touch are sampled.
# ---------------------------------------------------------------------------------------------

class Shape:
    def __init__(self, test, box):
        self.test = test
        self.box = box  # (x0, y0, x1, y1) in design units

    def __or__(self, other):
        a, b = self, other
        box = (min(a.box[0], b.box[0]), min(a.box[1], b.box[1]), max(a.box[2], b.box[2]), max(a.box[3], b.box[3]))
        return Shape(lambda x, y: a.test(x, y) or b.test(x, y), box)

    def __sub__(self, other):
        a, b = self, other
        return Shape(lambda x, y: a.test(x, y) and not b.test(x, y), a.box)

    def __and__(self, other):
        a, b = self, other
        box = (max(a.box[0], b.box[0]), max(a.box[1], b.box[1]), min(a.box[2], b.box[2]), min(a.box[3], b.box[3]))
        return Shape(lambda x, y: a.test(x, y) and b.test(x, y), box)


def union(*shapes):
    result = shapes[0]
    for s in shapes[1:]:
        result = result | s
    return result


def circle(cx, cy, r):
    r2 = r * r
    return Shape(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r2, (cx - r, cy - r, cx + r, cy + r))


def ring(cx, cy, r_out, r_in):
    return circle(cx, cy, r_out) - circle(cx, cy, r_in)


def rect(x0, y0, x1, y1):
    return Shape(lambda x, y: x0 <= x <= x1 and y0 <= y <= y1, (x0, y0, x1, y1))


def rrect(x0, y0, x1, y1, r):
    r = max(0.0, min(r, (x1 - x0) / 2, (y1 - y0) / 2))

    def test(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        dx = max(x0 + r - x, 0.0, x - (x1 - r))
        dy = max(y0 + r - y, 0.0, y - (y1 - r))
        return dx * dx + dy * dy <= r * r

    return Shape(test, (x0, y0, x1, y1))


def polygon(points):
    pts = list(points)
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]

    def test(x, y):
        inside = False
        j = len(pts) - 1
        for i in range(len(pts)):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                inside = not inside
            j = i
        return inside

    return Shape(test, (min(xs), min(ys), max(xs), max(ys)))


def segment(x0, y0, x1, y1, width):
    """A stroke with round caps."""
    h = width / 2
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def test(x, y):
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        px, py = x0 + t * dx - x, y0 + t * dy - y
        return px * px + py * py <= h * h

    return Shape(test, (min(x0, x1) - h, min(y0, y1) - h, max(x0, x1) + h, max(y0, y1) + h))


def polyline(points, width):
    return union(*[segment(*points[i], *points[i + 1], width) for i in range(len(points) - 1)])


def arc(cx, cy, r, width, start_deg, end_deg):
    """A stroke along a circle from start to end angle (degrees, clockwise from east since y grows
    downwards), with round caps."""
    h = width / 2
    span = (end_deg - start_deg) % 360 or 360

    def on_arc(x, y):
        d = math.hypot(x - cx, y - cy)
        if abs(d - r) > h:
            return False
        angle = math.degrees(math.atan2(y - cy, x - cx))
        return (angle - start_deg) % 360 <= span

    caps = []
    for a in (start_deg, start_deg + span):
        caps.append(circle(cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a)), h))
    body = Shape(on_arc, (cx - r - h, cy - r - h, cx + r + h, cy + r + h))
    return union(body, *caps)


def ellipse(cx, cy, rx, ry):
    return Shape(lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0, (cx - rx, cy - ry, cx + rx, cy + ry))


def bezier(p0, p1, p2, p3, steps=24):
    pts = []
    for i in range(steps + 1):
        t = i / steps
        u = 1 - t
        pts.append((u ** 3 * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t ** 3 * p3[0],
                    u ** 3 * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t ** 3 * p3[1]))
    return pts


# ---------------------------------------------------------------------------------------------
# Canvas: straight RGBA floats, shapes painted over each other with their coverage as opacity.
# ---------------------------------------------------------------------------------------------

class Canvas:
    def __init__(self, size, background=None):
        self.size = size
        self.px = 1.0 / size  # one pixel in design units
        fill = (background[0] / 255, background[1] / 255, background[2] / 255, 1.0) if background else (0.0, 0.0, 0.0, 0.0)
        self.pixels = [list(fill) for _ in range(size * size)]

    def coverage(self, shape, ix, iy):
        n = SUPERSAMPLE
        hits = 0
        for sy in range(n):
            y = (iy + (sy + 0.5) / n) / self.size
            for sx in range(n):
                if shape.test((ix + (sx + 0.5) / n) / self.size, y):
                    hits += 1
        return hits / (n * n)

    def _pixels_of(self, shape):
        x0, y0, x1, y1 = shape.box
        ix0 = max(0, int(math.floor(x0 * self.size)))
        iy0 = max(0, int(math.floor(y0 * self.size)))
        ix1 = min(self.size - 1, int(math.ceil(x1 * self.size)))
        iy1 = min(self.size - 1, int(math.ceil(y1 * self.size)))
        for iy in range(iy0, iy1 + 1):
            for ix in range(ix0, ix1 + 1):
                yield ix, iy

    def paint(self, shape, colour, opacity=1.0):
        cr, cg, cb = (c / 255 for c in colour)
        for ix, iy in self._pixels_of(shape):
            a = self.coverage(shape, ix, iy) * opacity
            if a <= 0:
                continue
            p = self.pixels[iy * self.size + ix]
            out_a = a + p[3] * (1 - a)
            if out_a <= 0:
                continue
            for k, c in enumerate((cr, cg, cb)):
                p[k] = (c * a + p[k] * p[3] * (1 - a)) / out_a
            p[3] = out_a

    def erase(self, shape):
        """Cuts the shape out of what is painted (a transparent gap between overlapping parts)."""
        for ix, iy in self._pixels_of(shape):
            a = self.coverage(shape, ix, iy)
            if a > 0:
                self.pixels[iy * self.size + ix][3] *= (1 - a)

    def rgba(self):
        """Rows top to bottom of (r, g, b, a) bytes."""
        out = []
        for iy in range(self.size):
            row = []
            for ix in range(self.size):
                r, g, b, a = self.pixels[iy * self.size + ix]
                row.append(tuple(int(round(max(0.0, min(1.0, v)) * 255)) for v in (r, g, b, a)))
            out.append(row)
        return out

    def over(self, background):
        """Rows of (r, g, b) with the picture composed over a solid colour."""
        rows = []
        for row in self.rgba():
            rows.append([tuple(int(round((c * a + bg * (255 - a)) / 255)) for c, bg in zip(p[:3], background))
                         for p in row for a in (p[3],)])
        return rows


def snap(canvas, v):
    """The pixel edge nearest to a design coordinate, so that straight edges stay crisp."""
    return round(v * canvas.size) / canvas.size


def stroke_width(canvas, design, minimum_px):
    """A stroke width in design units that never gets thinner than minimum_px pixels."""
    return max(design, minimum_px * canvas.px)


# ---------------------------------------------------------------------------------------------
# Designs. Each draws onto a canvas of any size; small sizes get thicker strokes where needed.
# ---------------------------------------------------------------------------------------------

def shield_outline(inset):
    left, right, top, peak = 0.14 + inset, 0.86 - inset, 0.17 + inset * 0.6, 0.06 + inset
    bottom = 0.95 - inset * 1.3
    pts = [(0.5, peak), (right, top), (right, 0.47)]
    pts += bezier((right, 0.47), (right, 0.72), (0.66, 0.86), (0.5, bottom))[1:]
    pts += bezier((0.5, bottom), (0.34, 0.86), (left, 0.72), (left, 0.47))[1:]
    pts += [(left, top)]
    return polygon(pts)


def draw_app(c):
    edge = stroke_width(c, 0.05, 1.0)
    c.paint(shield_outline(0.0), BLUE_DARK)
    inner = shield_outline(edge)
    c.paint(inner, BLUE)
    c.paint(inner & rect(0.5, 0.0, 1.0, 1.0), BLUE_LIGHT)
    r = 0.17 if c.size >= 32 else 0.19
    w = stroke_width(c, 0.07, 1.7)
    cx, cy = 0.46, 0.44
    c.paint(ring(cx, cy, r + w / 2, r - w / 2), PAPER)
    c.paint(circle(cx, cy, r - w / 2), BLUE_PALE, 0.35)
    d = (r + w / 2) / math.sqrt(2)
    c.paint(segment(cx + d, cy + d, cx + d + 0.15, cy + d + 0.15, stroke_width(c, 0.09, 2.0)), PAPER)


def window_frame(c, title_colour):
    b = snap(c, stroke_width(c, 0.045, 1.0))
    x0, y0, x1, y1 = (snap(c, v) for v in (0.07, 0.14, 0.93, 0.88))
    c.paint(rrect(x0, y0, x1, y1, 0.07), SLATE_DARK)
    c.paint(rrect(x0 + b, y0 + b, x1 - b, y1 - b, 0.05), PAPER)
    bar = snap(c, max(0.16, 3 * c.px))
    c.paint(rrect(x0 + b, y0 + b, x1 - b, y0 + b + bar, 0.05) | rect(x0 + b, y0 + b + bar / 2, x1 - b, y0 + b + bar), title_colour)
    return x0 + b, y0 + b + bar, x1 - b, y1 - b


def draw_program_file(c):
    x0, y0, x1, y1 = window_frame(c, BLUE)
    if c.size >= 32:
        dot = 0.035
        for i in range(3):
            c.paint(circle(x1 - 0.07 - i * 0.09, 0.14 + 0.045 + 0.08, dot), PAPER)
        for i, width in enumerate((0.5, 0.36, 0.44)):
            y = y0 + 0.12 + i * 0.13
            c.paint(segment(x0 + 0.1, y, x0 + 0.1 + width, y, 0.05), PAPER_SHADE)
    else:
        c.paint(rect(x0 + 2 * c.px, y0 + 2 * c.px, x1 - 2 * c.px, y0 + 3 * c.px), PAPER_SHADE)


def draw_startup(c):
    c.paint(circle(0.5, 0.5, 0.47), GREEN_DARK)
    c.paint(circle(0.5, 0.5, 0.47 - stroke_width(c, 0.045, 1.0)), GREEN)
    w = stroke_width(c, 0.085, 1.8)
    c.paint(arc(0.5, 0.53, 0.22, w, -50, 230), PAPER)
    c.paint(segment(0.5, 0.2, 0.5, 0.48, w), PAPER)


def puzzle_piece(grow):
    body = rect(0.12 - grow, 0.3 - grow, 0.7 + grow, 0.88 + grow)
    knobs = circle(0.41, 0.23, 0.125 + grow) | circle(0.77, 0.59, 0.125 + grow)
    notches = circle(0.12, 0.59, 0.1 - grow) | circle(0.41, 0.88, 0.1 - grow)
    return (body | knobs) - notches


def draw_activex(c):
    edge = stroke_width(c, 0.045, 1.0)
    c.paint(puzzle_piece(0.0), ORANGE_DARK)
    c.paint(puzzle_piece(-edge), ORANGE)
    if c.size >= 32:
        c.paint(puzzle_piece(-edge) & rect(0.0, 0.0, 1.0, 0.42), (0xF7, 0xB8, 0x5C))


def draw_ie_helpers(c):
    cx, cy, r = 0.43, 0.43, 0.37
    c.paint(circle(cx, cy, r), BLUE_DARK)
    c.paint(circle(cx, cy, r - stroke_width(c, 0.04, 1.0)), BLUE)
    w = stroke_width(c, 0.04, 1.0)
    meridian = ellipse(cx, cy, r * 0.45 + w / 2, r) - ellipse(cx, cy, r * 0.45 - w / 2, r - w)
    lines = union(meridian, rect(cx - w / 2, cy - r, cx + w / 2, cy + r), rect(cx - r, cy - w / 2, cx + r, cy + w / 2))
    if c.size >= 32:
        for dy in (-0.17, 0.17):
            lines = lines | rect(cx - r, cy + dy - w / 2, cx + r, cy + dy + w / 2)
    c.paint(lines & circle(cx, cy, r - w), BLUE_PALE)
    # The plug, cut free of the globe by a thin gap.
    if c.size >= 32:
        body = rrect(0.6, 0.6, 0.86, 0.86, 0.05)
        prongs = rect(0.5, 0.64, 0.6, 0.68) | rect(0.5, 0.78, 0.6, 0.82)
        cable = segment(0.86, 0.73, 0.97, 0.73, stroke_width(c, 0.06, 1.3))
        gap = stroke_width(c, 0.05, 1.0)
        c.erase(rrect(0.6 - gap, 0.6 - gap, 0.86 + gap, 0.86 + gap, 0.08) | rect(0.5 - gap, 0.62 - gap, 0.6, 0.84 + gap))
        c.paint(body | prongs | cable, SLATE_DARK)
        c.paint(rrect(0.6 + gap, 0.6 + gap, 0.86 - gap, 0.7, 0.03), SLATE)
    else:
        p = c.px  # drawn on the pixel grid: a 4 x 4 plug, two prongs and its cable
        c.erase(rect(8 * p, 9 * p, 16 * p, 16 * p))
        c.paint(rect(10 * p, 10 * p, 14 * p, 15 * p) | rect(8 * p, 11 * p, 10 * p, 12 * p)
                | rect(8 * p, 13 * p, 10 * p, 14 * p) | rect(14 * p, 12 * p, 16 * p, 13 * p), SLATE_DARK)


def draw_scheduled_tasks(c):
    edge = snap(c, stroke_width(c, 0.04, 1.0))
    x0, y0, x1, y1 = (snap(c, v) for v in (0.06, 0.14, 0.8, 0.86))
    c.paint(rrect(x0, y0, x1, y1, 0.06), SLATE_DARK)
    c.paint(rrect(x0 + edge, y0 + edge, x1 - edge, y1 - edge, 0.04), PAPER)
    head = snap(c, 0.2)
    c.paint(rrect(x0 + edge, y0 + edge, x1 - edge, y0 + head, 0.04) | rect(x0 + edge, y0 + 0.1, x1 - edge, y0 + head), RED)
    ring_w = stroke_width(c, 0.06, 1.2)
    for x in (0.26, 0.6):
        c.paint(segment(x, 0.07, x, 0.2, ring_w), SLATE_DARK)
    if c.size >= 32:
        for row in range(2):
            for col in range(3):
                gx, gy = 0.16 + col * 0.14, 0.44 + row * 0.14
                c.paint(rect(gx, gy, gx + 0.08, gy + 0.08), SLATE_LIGHT)
    # Clock badge.
    cx, cy, r = 0.7, 0.7, 0.27 if c.size >= 32 else 0.3
    c.erase(circle(cx, cy, r + stroke_width(c, 0.05, 1.0)))
    c.paint(circle(cx, cy, r), BLUE_DARK)
    c.paint(circle(cx, cy, r - stroke_width(c, 0.035, 1.0)), BLUE)
    hand = stroke_width(c, 0.055, 1.3)
    c.paint(segment(cx, cy, cx, cy - r * 0.62, hand) | segment(cx, cy, cx + r * 0.5, cy, hand), PAPER)


def gear(cx, cy, r_body, r_teeth, teeth, tooth_share):
    def test(x, y):
        d = math.hypot(x - cx, y - cy)
        if d <= r_body:
            return True
        if d > r_teeth:
            return False
        turn = (math.atan2(y - cy, x - cx) / (2 * math.pi) * teeth + 0.25) % 1.0
        # Teeth narrow towards their tips.
        share = tooth_share * (1.0 - 0.35 * (d - r_body) / (r_teeth - r_body))
        return abs(turn - 0.5) <= share / 2

    return Shape(test, (cx - r_teeth, cy - r_teeth, cx + r_teeth, cy + r_teeth))


def draw_services(c):
    teeth = 8 if c.size >= 32 else 6
    c.paint(gear(0.5, 0.5, 0.34, 0.47, teeth, 0.5), SLATE_DARK)
    edge = stroke_width(c, 0.045, 1.0)
    c.paint(gear(0.5, 0.5, 0.34 - edge, 0.47 - edge, teeth, 0.42), SLATE)
    c.paint(circle(0.5, 0.5, 0.2), SLATE_LIGHT)
    c.erase(circle(0.5, 0.5, 0.11 if c.size >= 32 else 0.13))


def draw_active_tasks(c):
    x0, y0, x1, y1 = window_frame(c, BLUE)
    w = stroke_width(c, 0.06, 1.4)
    mid = (y0 + y1) / 2 + 0.02
    pts = [(x0 + 0.06, mid), (0.34, mid), (0.42, mid - 0.17), (0.52, mid + 0.15), (0.6, mid - 0.07),
           (0.66, mid), (x1 - 0.06, mid)]
    c.paint(polyline(pts, w), GREEN)


def draw_hidden_files(c):
    edge = snap(c, stroke_width(c, 0.04, 1.0))
    left, right, top, bottom = (snap(c, v) for v in (0.16, 0.84, 0.05, 0.95))
    page = [(left, top), (0.6, top), (right, 0.29), (right, bottom), (left, bottom)]
    c.paint(polygon(page), SLATE_DARK)
    inner = [(left + edge, top + edge), (0.6 - edge * 0.4, top + edge), (right - edge, 0.29 + edge * 0.4),
             (right - edge, bottom - edge), (left + edge, bottom - edge)]
    c.paint(polygon(inner), PAPER)
    c.paint(polygon([(0.6, top), (0.6, 0.29), (right, 0.29)]), SLATE_LIGHT)
    if c.size >= 32:
        for i, width in enumerate((0.34, 0.26)):
            y = 0.2 + i * 0.1
            c.paint(segment(0.27, y, 0.27 + width, y, 0.045), PAPER_SHADE)
    # The eye: an almond of two circle arcs.
    cx, cy, half = 0.5, 0.64, 0.34 if c.size >= 32 else 0.38
    bulge = 0.17 if c.size >= 32 else 0.2
    big_r = (half * half + bulge * bulge) / (2 * bulge)
    almond = circle(cx, cy - bulge + big_r, big_r) & circle(cx, cy + bulge - big_r, big_r)
    c.paint(almond, SLATE_DARK)
    line = stroke_width(c, 0.045, 1.0)
    big_in = big_r - line
    c.paint(circle(cx, cy - bulge + big_r, big_in) & circle(cx, cy + bulge - big_r, big_in), PAPER)
    c.paint(circle(cx, cy, 0.11 if c.size >= 32 else 0.14), BLUE)
    c.paint(circle(cx, cy, 0.05 if c.size >= 32 else 0.06), INK)


def draw_options(c):
    track = 0.07 if c.size >= 32 else 2 * c.px
    knob = 0.11 if c.size >= 32 else 0.15
    border = stroke_width(c, 0.035, 1.0)
    rows = (0.22, 0.5, 0.78) if c.size >= 32 else (0.25, 0.5, 0.75)
    for y, kx in zip(rows, (0.34, 0.68, 0.46)):
        c.paint(segment(0.1, y, 0.9, y, track), SLATE)
        c.paint(segment(0.1, y, kx, y, track), BLUE_LIGHT)
        c.paint(circle(kx, y, knob), SLATE_DARK)
        c.paint(circle(kx, y, knob - border), PAPER)
        c.paint(circle(kx, y, knob - border - stroke_width(c, 0.035, 0.9)), BLUE)


def question_mark(c, ox=0.0, oy=0.0, colour=PAPER):
    w = stroke_width(c, 0.1, 2.0)
    cx, cy, r = 0.5 + ox, 0.38 + oy, 0.14
    end = 70
    ex, ey = cx + r * math.cos(math.radians(end)), cy + r * math.sin(math.radians(end))
    c.paint(arc(cx, cy, r, w, 180, end) | segment(ex, ey, cx, 0.58 + oy, w), colour)
    c.paint(circle(cx, 0.76 + oy, w * 0.62), colour)


def draw_help(fill, edge, offset_px=0.0):
    def draw(c):
        c.paint(circle(0.5, 0.5, 0.47), edge)
        c.paint(circle(0.5, 0.5, 0.47 - stroke_width(c, 0.04, 1.0)), fill)
        question_mark(c, 0.0, offset_px * c.px)
    return draw


def draw_monitor_on(c):
    c.paint(circle(0.5, 0.5, 0.46), GREEN_DARK)
    c.paint(circle(0.5, 0.5, 0.46 - stroke_width(c, 0.04, 1.0)), GREEN)
    c.paint(polyline([(0.29, 0.52), (0.44, 0.67), (0.72, 0.37)], stroke_width(c, 0.1, 2.0)), PAPER)


def draw_monitor_off(c):
    c.paint(circle(0.5, 0.5, 0.46), SLATE_DARK)
    c.paint(circle(0.5, 0.5, 0.46 - stroke_width(c, 0.04, 1.0)), SLATE)
    c.paint(segment(0.3, 0.5, 0.7, 0.5, stroke_width(c, 0.11, 2.2)), PAPER)


def rounded_triangle(corners, round_width):
    a, b, c = corners
    return polygon(corners) | segment(*a, *b, round_width) | segment(*b, *c, round_width) | segment(*c, *a, round_width)


def draw_monitor_warning(c):
    corners = [(0.5, 0.1), (0.93, 0.86), (0.07, 0.86)]
    c.paint(rounded_triangle(corners, 0.12), AMBER_DARK)
    e = stroke_width(c, 0.05, 1.0)
    cx, cy = 0.5, (0.1 + 0.86 + 0.86) / 3
    shrink = [(cx + (x - cx) * (1 - 2.2 * e / 0.5), cy + (y - cy) * (1 - 2.2 * e / 0.5)) for x, y in corners]
    c.paint(rounded_triangle(shrink, 0.1), AMBER)
    w = stroke_width(c, 0.1, 2.0)
    c.paint(segment(0.5, 0.38, 0.5, 0.6, w), INK)
    c.paint(circle(0.5, 0.75, w * 0.6), INK)


def draw_monitor_unknown(c):
    c.paint(circle(0.5, 0.5, 0.46), SLATE)
    c.paint(circle(0.5, 0.5, 0.46 - stroke_width(c, 0.04, 1.0)), SLATE_LIGHT)
    question_mark(c)


# ---------------------------------------------------------------------------------------------
# File writers.
# ---------------------------------------------------------------------------------------------

def ico_bytes(canvases):
    """An .ico of 32-bit BGRA images, each with its AND mask (set where fully transparent)."""
    images = []
    for c in canvases:
        n = c.size
        rows = c.rgba()
        xor = bytearray()
        for row in reversed(rows):
            for r, g, b, a in row:
                xor += bytes((b, g, r, a))
        mask_stride = ((n + 31) // 32) * 4
        mask = bytearray()
        for row in reversed(rows):
            bits = bytearray(mask_stride)
            for x, p in enumerate(row):
                if p[3] == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        images.append((n, header + bytes(xor) + bytes(mask)))
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for n, data in images:
        out += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    return bytes(out)


def bmp_bytes(rows):
    """A 24-bit bottom-up .bmp of rows of (r, g, b)."""
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        pixels += line
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + bytes(pixels)


def chime_wav_bytes():
    """A soft two-tone chime: two bell-like notes a fourth apart, each with a quick attack and an
    exponential fade, a quarter of a second in all."""
    rate = 22050
    total = int(rate * 0.25)
    notes = ((0.0, 783.99), (0.085, 1046.50))  # G5, then C6
    samples = []
    for i in range(total):
        t = i / rate
        v = 0.0
        for start, freq in notes:
            u = t - start
            if u < 0:
                continue
            envelope = min(1.0, u / 0.004) * math.exp(-u / 0.065)
            v += envelope * (math.sin(2 * math.pi * freq * u) + 0.22 * math.sin(4 * math.pi * freq * u)
                             + 0.08 * math.sin(6 * math.pi * freq * u))
        samples.append(v)
    fade = int(rate * 0.012)
    for k in range(fade):
        samples[total - 1 - k] *= k / fade
    peak = max(abs(s) for s in samples)
    scale = 0.42 * 32767 / peak
    data = b"".join(struct.pack("<h", int(round(s * scale))) for s in samples)
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate * 2, 2, 16)
    return (b"RIFF" + struct.pack("<I", 4 + 8 + len(fmt) + 8 + len(data)) + b"WAVE"
            + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data)


def png_bytes(rows):
    """A PNG of rows of (r, g, b): only for the preview sheet."""
    raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    ihdr = struct.pack(">IIBBBBB", len(rows[0]), len(rows), 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


# ---------------------------------------------------------------------------------------------
# The program's pictures, by resource number.
# ---------------------------------------------------------------------------------------------

ICONS = [  # (resource number, file name, design, sizes)
    (101, "app_101.ico", draw_app, (16, 32, 48)),
    (115, "program_115.ico", draw_program_file, (16, 32)),
    (174, "startup_174.ico", draw_startup, (16, 32)),
    (212, "activex_212.ico", draw_activex, (16, 32)),
    (180, "ie_helpers_180.ico", draw_ie_helpers, (16, 32)),
    (182, "scheduled_tasks_182.ico", draw_scheduled_tasks, (16, 32)),
    (173, "services_173.ico", draw_services, (16, 32)),
    (176, "active_tasks_176.ico", draw_active_tasks, (16, 32)),
    (198, "hidden_files_198.ico", draw_hidden_files, (16, 32)),
    (181, "options_181.ico", draw_options, (16, 32)),
]

BITMAPS = [  # (resource number, file name, design, size)
    (133, "help_normal_133.bmp", draw_help(BLUE, BLUE_DARK), 24),
    (134, "help_pressed_134.bmp", draw_help(BLUE_DARK, (0x0F, 0x3A, 0x73), 1.0), 24),
    (135, "help_hover_135.bmp", draw_help((0x3F, 0x8E, 0xF0), BLUE), 24),
    (154, "monitor_on_154.bmp", draw_monitor_on, 24),
    (155, "monitor_off_155.bmp", draw_monitor_off, 24),
    (156, "monitor_warning_156.bmp", draw_monitor_warning, 24),
    (193, "monitor_unknown_193.bmp", draw_monitor_unknown, 24),
    (240, "page_startup_240.bmp", draw_startup, 48),
    (241, "page_activex_241.bmp", draw_activex, 48),
    (242, "page_ie_helpers_242.bmp", draw_ie_helpers, 48),
    (243, "page_scheduled_tasks_243.bmp", draw_scheduled_tasks, 48),
    (244, "page_services_244.bmp", draw_services, 48),
    (245, "page_active_tasks_245.bmp", draw_active_tasks, 48),
    (246, "page_hidden_files_246.bmp", draw_hidden_files, 48),
    (247, "page_options_247.bmp", draw_options, 48),
]

SOUND_FILE = "open.wav"


def render(design, size, background=None):
    c = Canvas(size, background)
    design(c)
    return c


def write(path, data):
    path.parent.mkdir(parents=True, exist_ok=True)
    if not path.exists() or path.read_bytes() != data:
        path.write_bytes(data)
        print("wrote", path.relative_to(ROOT))


def preview(path):
    """A contact sheet of every icon size and bitmap, enlarged 4 times, on the face colour (left) and
    on white (right)."""
    zoom, cell, columns = 4, 48 * 4 + 8, 6
    tiles = []
    for _, _, design, sizes in ICONS:
        tiles += [render(design, s) for s in sizes]
    tiles += [render(design, s, FACE) for _, _, design, s in BITMAPS]
    grid_rows = (len(tiles) + columns - 1) // columns
    half = columns * cell
    rows = [[FACE] * half + [(255, 255, 255)] * half for _ in range(grid_rows * cell)]
    for i, t in enumerate(tiles):
        for side, bg in enumerate((FACE, (255, 255, 255))):
            img = t.over(bg)
            x0 = side * half + (i % columns) * cell + 4
            y0 = (i // columns) * cell + 4
            for y in range(t.size * zoom):
                for x in range(t.size * zoom):
                    rows[y0 + y][x0 + x] = img[y // zoom][x // zoom]
    Path(path).write_bytes(png_bytes(rows))
    print("wrote", path)


def main(argv):
    if len(argv) == 3 and argv[1] == "--preview":
        preview(argv[2])
        return 0
    if len(argv) != 1:
        print(__doc__)
        return 2
    for _, name, design, sizes in ICONS:
        write(ICON_DIR / name, ico_bytes([render(design, s) for s in sizes]))
    for _, name, design, size in BITMAPS:
        write(BITMAP_DIR / name, bmp_bytes(render(design, size, FACE).over(FACE)))
    write(SOUND_DIR / SOUND_FILE, chime_wav_bytes())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
