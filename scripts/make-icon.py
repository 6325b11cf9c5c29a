#!/usr/bin/env python3
"""Draws the program's icon and writes src/app/res/marrowpad.ico (sizes 16 to 256).

The drawing: a green rounded square holding a white note sheet with ruled lines, and an amber speech
bubble over its lower right corner: remarks and quick replies beside a chat. It is described once on
a 256-unit grid and rendered at each size natively (not scaled down from 256), with edges snapped to
whole pixels at the small sizes so that they stay crisp; below 32 pixels the sheet keeps two lines.

Needs ImageMagick's `convert`. The .ico is committed, so a build does not need ImageMagick; run this
again only after changing the drawing. The same drawing gives the same file bytes.
"""
import os
import subprocess
import sys
import tempfile

SIZES = [16, 20, 24, 32, 40, 48, 64, 256]
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUTPUT = os.path.join(ROOT, "src", "app", "res", "marrowpad.ico")

GREEN = "#2E7D5B"
SHEET = "#FFFFFF"
RULE = "#8FB3A3"
BUBBLE = "#F2B233"
BUBBLE_DOT = "#7A4E00"


class Canvas:
    """Turns boxes on the 256-unit grid into ImageMagick draw primitives at one pixel size."""

    def __init__(self, size):
        self.size = size
        self.scale = size / 256.0
        self.primitives = []

    def edge(self, units):
        # Pixel-edge coordinate of a grid line; whole pixels below 64 px keep small renderings sharp.
        value = units * self.scale
        return round(value) if self.size < 64 else value

    def box(self, x0, y0, x1, y1):
        # ImageMagick's rectangles name the first and the last pixel they fill: a box from edge 2 to
        # edge 6 is "2,2 5,5". At least one pixel, so that thin rules survive the small sizes.
        left, top = self.edge(x0), self.edge(y0)
        right, bottom = max(self.edge(x1), left + 1), max(self.edge(y1), top + 1)
        return left, top, right - 1, bottom - 1

    def round_rect(self, colour, x0, y0, x1, y1, radius):
        left, top, right, bottom = self.box(x0, y0, x1, y1)
        r = max(radius * self.scale, 0.0)
        self.primitives += ["-fill", colour, "-draw",
                            f"roundrectangle {left:g},{top:g} {right:g},{bottom:g} {r:g},{r:g}"]

    def rect(self, colour, x0, y0, x1, y1):
        left, top, right, bottom = self.box(x0, y0, x1, y1)
        self.primitives += ["-fill", colour, "-draw", f"rectangle {left:g},{top:g} {right:g},{bottom:g}"]

    # Points and centres: pixel centres are on whole numbers, half a pixel before the edge coordinate.
    def polygon(self, colour, *points):
        coords = " ".join(f"{x * self.scale - 0.5:g},{y * self.scale - 0.5:g}" for x, y in points)
        self.primitives += ["-fill", colour, "-draw", f"polygon {coords}"]

    def circle(self, colour, cx, cy, radius):
        x, y = cx * self.scale - 0.5, cy * self.scale - 0.5
        r = max(radius * self.scale, 0.5)
        self.primitives += ["-fill", colour, "-draw", f"circle {x:g},{y:g} {x + r:g},{y:g}"]


def draw(size):
    c = Canvas(size)
    c.round_rect(GREEN, 8, 8, 248, 248, 44)
    c.round_rect(SHEET, 48, 36, 176, 212, 12)
    rules = [84, 124] if size < 32 else [76, 108, 140, 172]
    for y in rules:
        c.rect(RULE, 72, y, 152, y + max(12, 256 / size * 1.0))
    # The bubble: a rounded box with a tail pointing down to the left.
    c.round_rect(BUBBLE, 120, 132, 232, 208, 30)
    c.polygon(BUBBLE, (140, 196), (176, 206), (128, 236))
    if size >= 32:
        for x in (148, 176, 204):
            c.circle(BUBBLE_DOT, x, 170, 10)
    return c.primitives


def main():
    with tempfile.TemporaryDirectory() as work:
        layers = []
        for size in SIZES:
            layer = os.path.join(work, f"{size}.png")
            subprocess.run(["convert", "-size", f"{size}x{size}", "xc:none", "-stroke", "none", *draw(size),
                            "-strip", f"PNG32:{layer}"], check=True)
            layers.append(layer)
        # -strip and no date chunks: the file depends on the drawing only.
        subprocess.run(["convert", *layers, "-strip", "-define", "png:exclude-chunks=date,time", OUTPUT],
                       check=True)
    print(f"wrote {os.path.relpath(OUTPUT, ROOT)} ({os.path.getsize(OUTPUT)} bytes, sizes {SIZES})")


if __name__ == "__main__":
    sys.exit(main())
