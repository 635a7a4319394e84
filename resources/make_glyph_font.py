#!/usr/bin/python3
"""Builds resources/glyphter.ttf, the two-glyph tray font "Glyphter".

"C": three letters Z rising diagonally from the lower left to the upper right
(the sign for sleep); "D": the same struck through from the upper left to the
lower right. 1024 units per em, ascent 1024 (1025 in the Windows metrics),
descent 0, both glyphs 1024 units wide and resting on the baseline.

Run with Debian's python3-fonttools:  /usr/bin/python3 resources/make_glyph_font.py
"""
import math
import os
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.misc.timeTools import timestampFromString
from fontTools.pens.ttGlyphPen import TTGlyphPen

UNITS_PER_EM = 1024
ADVANCE = 1024
STROKE = 70


def z_letter(pen, x, y, w, h, t=STROKE):
    """A Z in the box (x, y, w, h), one clockwise contour."""
    d = t * 1.4  # horizontal width of the diagonal stroke
    pts = [(x, y + h), (x + w, y + h), (x + w, y + h - t), (x + d, y + t), (x + w, y + t),
           (x + w, y), (x, y), (x, y + t), (x + w - d, y + h - t), (x, y + h - t)]
    polygon(pen, pts)


def polygon(pen, pts):
    pen.moveTo(tuple(round(v) for v in pts[0]))
    for p in pts[1:]:
        pen.lineTo(tuple(round(v) for v in p))
    pen.closePath()


def three_zs(pen):
    # Growing towards the upper right; the tallest ends at 886 units.
    z_letter(pen, 0, 0, 280, 280)
    z_letter(pen, 300, 255, 320, 300)
    z_letter(pen, 640, 500, 384, 386)


def strike(pen):
    # A band from the upper left to the lower right, 90 units thick.
    (x0, y0), (x1, y1), half = (45, 900), (985, 45), 45
    length = math.hypot(x1 - x0, y1 - y0)
    nx, ny = (y0 - y1) / length * half, (x1 - x0) / length * half
    polygon(pen, [(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)])


def glyph(*parts):
    pen = TTGlyphPen(None)
    for part in parts:
        part(pen)
    return pen.glyph()


def build(path):
    fb = FontBuilder(UNITS_PER_EM, isTTF=True)
    order = [".notdef", "C", "D"]
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap({ord("C"): "C", ord("D"): "D"})
    fb.setupGlyf({".notdef": TTGlyphPen(None).glyph(), "C": glyph(three_zs),
                  "D": glyph(three_zs, strike)})
    fb.setupHorizontalMetrics({name: (ADVANCE, 0) for name in order})
    fb.setupHorizontalHeader(ascent=1024, descent=0)
    fb.setupNameTable({"familyName": "Glyphter", "styleName": "Regular",
                       "uniqueFontIdentifier": "Glyphter Regular", "fullName": "Glyphter",
                       "psName": "Glyphter-Regular", "version": "Version 1.0"})
    fb.setupOS2(sTypoAscender=1024, sTypoDescender=0, sTypoLineGap=0, usWinAscent=1025,
                usWinDescent=0, achVendID="NONE", fsType=0)
    fb.setupPost()
    stamp = timestampFromString("Thu Jan  1 00:00:00 2026")  # reproducible output
    fb.font["head"].created = fb.font["head"].modified = stamp
    fb.save(path)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "glyphter.ttf")
    build(out)
    print(out, os.path.getsize(out), "bytes")
