#!/usr/bin/python3
"""Draws every picture that ships with Tolvik, from scratch and deterministically.

Run with Debian's /usr/bin/python3 and its Pillow (apt-get install -y
python3-pil).  Writes, relative to the repository root:

    data/Textures/BackgroundDialog.jpg    dialog background, dark leather
    data/Textures/BackgroundButton.jpg    button texture, mid-dark leather
    data/Textures/BackgroundMap.jpg       backdrop around maps: grid, contours
    data/Zones/MissingMap.jpg             stand-by picture (white text goes on
                                          its middle, which is kept dark and calm)
    data/demo/Zones/Greater Faydark.jpg   demo raster map of the invented zone
                                          of demo_world.py
    data/demo/Zones/Greater Faydark.ini   its calibration
    src/res/tolvik.ico                    program icon, 32x32 and 16x16, 32-bit

Demo raster calibration (picture 1200 x 900, 0.3 pixels per game unit,
north up, game X growing to the left as in the game):

    [Physical]  X1=150   Y1=150   X2=1050   Y2=750
    [Logical]   X1=1500.0000  Y1=1000.0000  X2=-1500.0000  Y2=-1000.0000

    picture x = (2000 - X) * 0.3      picture y = (1500 - Y) * 0.3

so the picture covers game X from 2000 (left edge) to -2000 (right edge) and
game Y from 1500 (top edge) to -1500 (bottom edge).  The game's /loc prints
Y first: "Your Location is 1000.00, 1500.00, 5.00" is reference point 1.

Options:  --out ROOT   write below ROOT instead of the repository root.
"""

import math
import os
import random
import struct
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont, ImageMath, ImageOps

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import demo_world as world  # noqa: E402

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
JPEG_QUALITY = 85

# Demo raster geometry.
DEMO_W, DEMO_H = 1200, 900
DEMO_SCALE = 0.3  # pixels per game unit
CAL_PHYSICAL = (150, 150, 1050, 750)
CAL_LOGICAL = (1500.0, 1000.0, -1500.0, -1000.0)


# --------------------------------------------------------------------------
# Noise


def value_noise(rng, w, h, cells_x, cells_y):
    """Smooth random field (mode F, values 0..255) from a coarse random grid."""
    cells_x = max(2, int(cells_x))
    cells_y = max(2, int(cells_y))
    small = Image.frombytes("L", (cells_x, cells_y), rng.randbytes(cells_x * cells_y))
    return small.convert("F").resize((w, h), Image.BICUBIC)


def fractal(rng, w, h, base_cells, octaves, persistence=0.5, aspect=1.0):
    """Sum of value-noise octaves, normalised to mode F values 0..1."""
    acc = None
    amp = 1.0
    for o in range(octaves):
        cx = base_cells * (2 ** o) * aspect
        cy = base_cells * (2 ** o)
        layer = value_noise(rng, w, h, min(cx, w), min(cy, h))
        if acc is None:
            acc = ImageMath.eval("a*k", a=layer, k=amp)
        else:
            acc = ImageMath.eval("a+b*k", a=acc, b=layer, k=amp)
        amp *= persistence
    lo, hi = acc.getextrema()
    span = (hi - lo) or 1.0
    return ImageMath.eval("(a-lo)/span", a=acc, lo=lo, span=span)


def to_l(field, lo=0.0, hi=1.0):
    """Mode F field -> mode L image, mapping lo..hi to 0..255."""
    span = (hi - lo) or 1.0
    return ImageMath.eval("(a-lo)*k", a=field, lo=lo, k=255.0 / span).convert("L")


def contrast(img_l, gamma=1.0, lo=0, hi=255):
    """Stretch lo..hi to 0..255 with an optional gamma."""
    lut = []
    for v in range(256):
        t = min(1.0, max(0.0, (v - lo) / float(hi - lo)))
        lut.append(int(round(255 * t ** gamma)))
    return img_l.point(lut)


def colorize(img_l, dark, light, mid=None):
    if mid is None:
        return ImageOps.colorize(img_l, dark, light)
    return ImageOps.colorize(img_l, dark, light, mid)


def contour_mask(field, w, h, levels, line_px=1.0, index_every=5, minor=0.55):
    """Anti-aliased contour lines of a mode F field (0..1) as a mode L mask.

    Lines keep an even width in pixels by dividing the distance to the next
    level by the local gradient."""
    hv = list(field.getdata())
    out = bytearray(w * h)
    for y in range(h):
        row = y * w
        up = (y - 1 if y > 0 else y) * w
        dn = (y + 1 if y < h - 1 else y) * w
        for x in range(w):
            v = hv[row + x] * levels
            k = math.floor(v + 0.5)
            d = abs(v - k)
            xl = x - 1 if x > 0 else x
            xr = x + 1 if x < w - 1 else x
            gx = (hv[row + xr] - hv[row + xl]) * levels / max(1, xr - xl)
            gy = (hv[dn + x] - hv[up + x]) * levels / 2.0
            g = math.sqrt(gx * gx + gy * gy)
            if g < 1e-6:
                continue
            dist = d / g
            a = 1.0 - max(0.0, dist - line_px * 0.5)
            if a <= 0.0:
                continue
            if index_every and k % index_every != 0:
                a *= minor
            out[row + x] = int(255 * min(1.0, a))
    return Image.frombytes("L", (w, h), bytes(out))


def vignette(w, h, strength):
    """Mode L multiplier: 255 in the middle, darker towards the corners."""
    g = Image.radial_gradient("L").resize((w, h), Image.BICUBIC)
    lut = [int(255 * (1.0 - strength * min(1.0, (v / 255.0) ** 2 * 1.15))) for v in range(256)]
    return g.point(lut)


def multiply_l(img, mask_l):
    return ImageChops.multiply(img, Image.merge("RGB", (mask_l, mask_l, mask_l)))


def blend_colour(img, colour, mask_l, opacity=1.0):
    """Paint a flat colour through a mask (mode L) with an overall opacity."""
    if opacity < 1.0:
        mask_l = mask_l.point(lambda v: int(v * opacity))
    flat = Image.new("RGB", img.size, colour)
    return Image.composite(flat, img, mask_l)


def grain(rng, w, h, amount):
    """Fine per-pixel grain as a mode L image centred on 128."""
    raw = Image.frombytes("L", (w, h), rng.randbytes(w * h))
    lo = 128 - amount
    lut = [int(lo + v * (2 * amount) / 255.0) for v in range(256)]
    return raw.filter(ImageFilter.GaussianBlur(0.6)).point(lut)


def apply_grain(img, g):
    """Overlay-style grain: lighten/darken around mid grey."""
    return ImageChops.subtract(img, Image.merge("RGB", (g, g, g)), 1.0, 128)


# --------------------------------------------------------------------------
# Text with the built-in bitmap font


FONT = ImageFont.load_default()


def text_mask(text, scale):
    """The text as a mode L mask, enlarged by an integer scale and smoothed."""
    x0, y0, x1, y1 = FONT.getbbox(text)
    tw, th = x1 - x0 + 2, y1 - y0 + 2
    m = Image.new("L", (tw, th), 0)
    ImageDraw.Draw(m).text((1 - x0, 1 - y0), text, font=FONT, fill=255)
    if scale > 1:
        big = m.resize((tw * scale * 2, th * scale * 2), Image.NEAREST)
        m = big.resize((tw * scale, th * scale), Image.LANCZOS)
    return m


def draw_text(img, xy, text, scale=1, fill=(255, 255, 255), outline=(0, 0, 0),
              outline_px=1, anchor="mm"):
    """Draw text centred (anchor "mm"), left-top ("lt") or right-top ("rt")."""
    m = text_mask(text, scale)
    pad = outline_px + 1
    canvas = Image.new("L", (m.width + 2 * pad, m.height + 2 * pad), 0)
    canvas.paste(m, (pad, pad))
    x, y = xy
    if anchor == "mm":
        x -= canvas.width // 2
        y -= canvas.height // 2
    elif anchor == "rt":
        x -= canvas.width
    x, y = int(round(x)), int(round(y))
    if outline is not None and outline_px > 0:
        ring = canvas.filter(ImageFilter.MaxFilter(2 * outline_px + 1))
        ring = ring.filter(ImageFilter.GaussianBlur(0.5))
        img.paste(Image.new("RGB", canvas.size, outline), (x, y), ring)
    img.paste(Image.new("RGB", canvas.size, fill), (x, y), canvas)


# --------------------------------------------------------------------------
# Textures


def make_dialog_background(rng):
    """Dark, worn leather: broad mottling, fine pores, a few creases."""
    w, h = 640, 640
    broad = to_l(fractal(rng, w, h, 3, 6, 0.55))
    broad = contrast(broad, 1.0, 40, 215)
    img = colorize(broad, (22, 16, 12), (72, 56, 42), (44, 34, 26))
    # Pores: tiny dark specks.
    pores = Image.new("L", (w, h), 0)
    d = ImageDraw.Draw(pores)
    for _ in range(9000):
        x, y = rng.uniform(0, w), rng.uniform(0, h)
        r = rng.uniform(0.4, 1.3)
        d.ellipse((x - r, y - r, x + r, y + r), fill=rng.randint(60, 140))
    pores = pores.filter(ImageFilter.GaussianBlur(0.7))
    img = blend_colour(img, (12, 9, 7), pores, 0.55)
    # Creases: a few long, soft, slightly lighter lines with a dark shadow.
    light = Image.new("L", (w, h), 0)
    dark = Image.new("L", (w, h), 0)
    dl, dd = ImageDraw.Draw(light), ImageDraw.Draw(dark)
    for _ in range(14):
        x, y = rng.uniform(0, w), rng.uniform(0, h)
        a = rng.uniform(0, 2 * math.pi)
        pts = []
        for _ in range(rng.randint(8, 20)):
            pts.append((x, y))
            a += rng.uniform(-0.35, 0.35)
            step = rng.uniform(8, 20)
            x += step * math.cos(a)
            y += step * math.sin(a)
        strength = rng.randint(60, 150)
        dl.line(pts, fill=strength, width=1)
        dd.line([(px + 1, py + 1) for px, py in pts], fill=strength, width=2)
    img = blend_colour(img, (8, 6, 4), dark.filter(ImageFilter.GaussianBlur(1.0)), 0.5)
    img = blend_colour(img, (96, 78, 60), light.filter(ImageFilter.GaussianBlur(0.6)), 0.35)
    img = apply_grain(img, grain(rng, w, h, 6))
    img = multiply_l(img, vignette(w, h, 0.45))
    return img


def make_button_texture(rng):
    """Mid-dark leather, even all over (buttons show its top-left part)."""
    w, h = 320, 64
    broad = to_l(fractal(rng, w, h, 2, 5, 0.5, aspect=3.0))
    broad = contrast(broad, 1.0, 30, 225)
    img = colorize(broad, (60, 44, 30), (112, 86, 60), (84, 63, 44))
    streaks = to_l(fractal(rng, w, h, 3, 3, 0.6, aspect=0.15))
    img = blend_colour(img, (40, 29, 20), contrast(streaks, 2.0, 120, 255), 0.35)
    img = apply_grain(img, grain(rng, w, h, 8))
    return img


def make_map_backdrop(rng):
    """Dark, calm, map-like: contour lines over a soft relief and a faint grid."""
    w, h = 1024, 1024
    relief = fractal(rng, w, h, 3, 4, 0.5)
    tone = contrast(to_l(fractal(rng, w, h, 4, 5, 0.55)), 1.0, 30, 225)
    img = colorize(tone, (14, 18, 22), (38, 46, 50), (24, 30, 34))
    lines = contour_mask(relief, w, h, 16, line_px=1.4)
    img = blend_colour(img, (86, 100, 92), lines, 0.55)
    grid = Image.new("L", (w, h), 0)
    d = ImageDraw.Draw(grid)
    for i in range(0, w + 1, 64):
        strength = 150 if i % 256 == 0 else 80
        d.line((i, 0, i, h), fill=strength, width=2 if i % 256 == 0 else 1)
        d.line((0, i, w, i), fill=strength, width=2 if i % 256 == 0 else 1)
    img = blend_colour(img, (78, 92, 104), grid, 0.6)
    img = apply_grain(img, grain(rng, w, h, 3))
    return img


# --------------------------------------------------------------------------
# Stand-by picture


def compass_rose(img, cx, cy, r, colour, dim):
    """A simple eight-point compass rose with an N."""
    layer = Image.new("RGB", img.size, (0, 0, 0))
    mask = Image.new("L", img.size, 0)
    d = ImageDraw.Draw(layer)
    dm = ImageDraw.Draw(mask)
    for k in range(8):
        a = -math.pi / 2 + k * math.pi / 4
        length = r if k % 2 == 0 else r * 0.55
        tip = (cx + length * math.cos(a), cy + length * math.sin(a))
        left = (cx + r * 0.14 * math.cos(a - math.pi / 2), cy + r * 0.14 * math.sin(a - math.pi / 2))
        right = (cx + r * 0.14 * math.cos(a + math.pi / 2), cy + r * 0.14 * math.sin(a + math.pi / 2))
        d.polygon([tip, left, (cx, cy)], fill=colour)
        d.polygon([tip, right, (cx, cy)], fill=dim)
        dm.polygon([tip, left, (cx, cy), right], fill=255)
    for rr, wdt in ((r * 0.72, 2), (r * 0.8, 1)):
        d.ellipse((cx - rr, cy - rr, cx + rr, cy + rr), outline=colour, width=wdt)
        dm.ellipse((cx - rr, cy - rr, cx + rr, cy + rr), outline=255, width=wdt)
    img.paste(layer, (0, 0), mask)


def make_missing_map(rng):
    """Dark parchment-slate map; its text area (middle two thirds across,
    from a sixth of the height down to the bottom) is darker and calmer."""
    w, h = 800, 600
    s = 2  # drawn at twice the size, then reduced for smooth lines
    W, H = w * s, h * s
    tone = contrast(to_l(fractal(rng, w, h, 3, 5, 0.55)), 1.0, 30, 225)
    img = colorize(tone, (18, 20, 24), (46, 48, 50), (30, 32, 36))
    relief = fractal(rng, w, h, 3, 4, 0.5)
    lines = contour_mask(relief, w, h, 14, line_px=1.2)
    # Text area mask: soft-edged rectangle, quieted strongly.
    calm = Image.new("L", (w, h), 0)
    ImageDraw.Draw(calm).rounded_rectangle((w // 6 - 14, h // 6 - 14, w - w // 6 + 14, h + 40),
                                          radius=30, fill=255)
    calm = calm.filter(ImageFilter.GaussianBlur(18))
    lines = ImageChops.subtract(lines, calm.point(lambda v: int(v * 0.85)))
    img = blend_colour(img, (110, 104, 84), lines, 0.5)
    img = blend_colour(img, (16, 17, 20), calm, 0.7)
    img = img.resize((W, H), Image.BICUBIC)

    d = ImageDraw.Draw(img)
    gold = (150, 128, 80)
    dimgold = (90, 76, 48)
    # Double frame with tick marks like a map border.
    m = 10 * s
    d.rectangle((m, m, W - m - 1, H - m - 1), outline=gold, width=2 * s)
    m2 = 18 * s
    d.rectangle((m2, m2, W - m2 - 1, H - m2 - 1), outline=dimgold, width=s)
    for i in range(m2, W - m2, 40 * s):
        d.line((i, m, i, m2), fill=dimgold, width=s)
        d.line((i, H - m2, i, H - m), fill=dimgold, width=s)
    for j in range(m2, H - m2, 40 * s):
        d.line((m, j, m2, j), fill=dimgold, width=s)
        d.line((W - m2, j, W - m, j), fill=dimgold, width=s)
    # Compass rose in the upper left, clear of the text area.
    compass_rose(img, 70 * s, 78 * s, 46 * s, gold, dimgold)
    # A dotted route winding down the right margin, ending in a cross.
    route = world.catmull_rom([(700, 70), (730, 160), (700, 260), (742, 360),
                               (712, 460), (736, 540)], 12)
    for i, (x, y) in enumerate(route[::3]):
        if i % 2 == 0:
            d.ellipse((x * s - 3 * s, y * s - 3 * s, x * s + 3 * s, y * s + 3 * s), fill=dimgold)
    x, y = 736 * s, 548 * s
    d.line((x - 8 * s, y - 8 * s, x + 8 * s, y + 8 * s), fill=(150, 60, 40), width=3 * s)
    d.line((x - 8 * s, y + 8 * s, x + 8 * s, y - 8 * s), fill=(150, 60, 40), width=3 * s)
    img = img.resize((w, h), Image.LANCZOS)
    img = multiply_l(img, vignette(w, h, 0.35))
    img = apply_grain(img, grain(rng, w, h, 3))
    return img


# --------------------------------------------------------------------------
# Demo raster map


def demo_px(e, n, s=1):
    """Map coordinates -> demo picture pixel (at supersampling s)."""
    x, y = world.to_game(e, n)
    return ((2000.0 - x) * DEMO_SCALE * s, (1500.0 - y) * DEMO_SCALE * s)


def make_demo_map(rng):
    s = 2
    W, H = DEMO_W * s, DEMO_H * s

    def P(pts):
        return [demo_px(e, n, s) for e, n in pts]

    # Rock beyond the zone's edge.
    rock = contrast(to_l(fractal(rng, W, H, 6, 6, 0.6)), 1.0, 40, 220)
    img = colorize(rock, (52, 46, 40), (118, 106, 92), (82, 74, 64))

    # Forest floor inside the outline.
    land = Image.new("L", (W, H), 0)
    ImageDraw.Draw(land).polygon(P(world.zone_outline()), fill=255)
    land_soft = land.filter(ImageFilter.GaussianBlur(3 * s))
    forest_tone = contrast(to_l(fractal(rng, W, H, 5, 6, 0.55)), 1.0, 30, 225)
    forest = colorize(forest_tone, (22, 62, 28), (70, 118, 58), (40, 88, 40))

    # Relief: lighter on the hills, from the ground height sampled coarsely.
    gw, gh = 160, 120
    hb = bytearray(gw * gh)
    for j in range(gh):
        for i in range(gw):
            e = world.E_MIN + (i + 0.5) * (world.E_MAX - world.E_MIN) / gw
            n = world.N_MAX - (j + 0.5) * (world.N_MAX - world.N_MIN) / gh
            z = world.ground_height(e, n)
            hb[j * gw + i] = max(0, min(255, int((z + 5) * 3.2)))
    relief = Image.frombytes("L", (gw, gh), bytes(hb)).resize((W, H), Image.BICUBIC)
    forest = blend_colour(forest, (120, 140, 80), relief, 0.35)

    # Tree canopies.
    canopy = ImageDraw.Draw(forest)
    for _ in range(16000):
        x, y = rng.uniform(0, W), rng.uniform(0, H)
        r = rng.uniform(2.5, 7.5) * s
        g = rng.randint(0, 3)
        colour = [(18, 52, 24), (30, 74, 32), (48, 96, 44), (64, 112, 52)][g]
        canopy.ellipse((x - r, y - r, x + r, y + r), fill=colour)
        if g >= 2:
            canopy.ellipse((x - r * 0.5, y - r * 0.7, x + r * 0.1, y - r * 0.1),
                           fill=(86, 130, 64))
    forest = forest.filter(ImageFilter.GaussianBlur(0.6 * s))

    # Clearings around places.
    clear = Image.new("L", (W, H), 0)
    dc = ImageDraw.Draw(clear)
    for label, e, n, kind in world.PLACES:
        if kind == "lake":
            continue
        r = {"city": 330, "camp": 150, "ruins": 190, "ring": 120, "mill": 140}.get(kind, 80)
        x, y = demo_px(e, n, s)
        rr = r * DEMO_SCALE * s
        dc.ellipse((x - rr, y - rr, x + rr, y + rr), fill=255)
    clear = clear.filter(ImageFilter.GaussianBlur(8 * s))
    forest = blend_colour(forest, (104, 132, 72), clear, 0.75)

    img = Image.composite(forest, img, land_soft)
    d = ImageDraw.Draw(img)

    # Hill contours.
    for zc, ring in world.hill_contours():
        pts = P(ring)
        d.line(pts + pts[:1], fill=(104, 116, 60), width=int(1.5 * s), joint="curve")

    # Lake: sandy shore, water getting deeper towards the middle, an island.
    shore = world.lake_shore()
    ce, cn = world.LAKE_CENTRE

    def scaled(poly, f):
        return [(ce + (e - ce) * f, cn + (n - cn) * f) for e, n in poly]

    d.polygon(P(scaled(shore, 1.06)), fill=(150, 140, 98))
    for f, colour in ((1.0, (58, 104, 140)), (0.8, (48, 92, 130)),
                      (0.6, (40, 80, 120)), (0.4, (34, 70, 110))):
        d.polygon(P(scaled(shore, f)), fill=colour)
    d.polygon(P(world.lake_island()), fill=(60, 104, 50), outline=(150, 140, 98))

    # Rivers.
    for river in world.rivers():
        pts = P(river)
        d.line(pts, fill=(120, 112, 80), width=int(12 * s), joint="curve")
        d.line(pts, fill=(58, 104, 140), width=int(8 * s), joint="curve")

    # Roads with darker edges; bridges where they cross the rivers.
    roads = world.roads()
    for road in roads.values():
        d.line(P(road), fill=(84, 66, 40), width=int(7 * s), joint="curve")
    for road in roads.values():
        d.line(P(road), fill=(198, 172, 120), width=int(4 * s), joint="curve")

    for e, n, angle in world.bridges():
        d.polygon(P(world.rect(e, n, 60, 26, angle)), fill=(150, 112, 66), outline=(50, 34, 18))
        for k in (-1, 1):
            c, sn = math.cos(angle), math.sin(angle)
            ox, oy = -sn * 13 * k, c * 13 * k
            d.line(P([(e - c * 30 + ox, n - sn * 30 + oy), (e + c * 30 + ox, n + sn * 30 + oy)]),
                   fill=(50, 34, 18), width=s)

    # Tree town: trunks, platforms, bridges.
    for (e1, n1, z1), (e2, n2, z2) in world.city_bridges():
        d.line(P([(e1, n1), (e2, n2)]), fill=(70, 48, 26), width=int(4 * s))
        d.line(P([(e1, n1), (e2, n2)]), fill=(170, 130, 80), width=int(2 * s))
    for e, n, r, z, ring in world.city_platforms():
        x, y = demo_px(e, n, s)
        rr = r * DEMO_SCALE * s
        d.ellipse((x - rr, y - rr, x + rr, y + rr), fill=(140, 100, 58), outline=(60, 40, 20),
                  width=s)
        tr = rr * 0.35
        d.ellipse((x - tr, y - tr, x + tr, y + tr), fill=(70, 46, 24))

    # Buildings and standing stones.
    for label, pts, z in world.buildings():
        d.polygon(P(pts), fill=(150, 126, 100), outline=(60, 46, 34))
    for stone in world.druid_stones():
        d.polygon(P(stone), fill=(190, 190, 180), outline=(70, 70, 70))

    # Cave mouth of Wisp Hollow.
    x, y = demo_px(-1420, 640, s)
    d.ellipse((x - 9 * s, y - 6 * s, x + 9 * s, y + 6 * s), fill=(20, 18, 16),
              outline=(110, 100, 80), width=s)

    # Grid every 500 game units.
    grid = Image.new("L", (W, H), 0)
    dg = ImageDraw.Draw(grid)
    for gx in range(-1500, 1501, 500):
        x = (2000 - gx) * DEMO_SCALE * s
        dg.line((x, 0, x, H), fill=255, width=s)
    for gy in range(-1000, 1001, 500):
        y = (1500 - gy) * DEMO_SCALE * s
        dg.line((0, y, W, y), fill=255, width=s)
    img = blend_colour(img, (235, 235, 220), grid, 0.22)

    img = img.resize((DEMO_W, DEMO_H), Image.LANCZOS)

    # Labels and marks at the final size.
    for gx in range(-1500, 1501, 500):
        x = (2000 - gx) * DEMO_SCALE
        draw_text(img, (x + 3, 3), "X %d" % gx, 1, (235, 235, 220), (0, 0, 0), 1, "lt")
        draw_text(img, (x + 3, DEMO_H - 16), "X %d" % gx, 1, (235, 235, 220), (0, 0, 0), 1, "lt")
    for gy in range(-1000, 1001, 500):
        y = (1500 - gy) * DEMO_SCALE
        draw_text(img, (4, y + 3), "Y %d" % gy, 1, (235, 235, 220), (0, 0, 0), 1, "lt")
        draw_text(img, (DEMO_W - 4, y + 3), "Y %d" % gy, 1, (235, 235, 220), (0, 0, 0), 1, "rt")

    d = ImageDraw.Draw(img)
    for (px, py), (lx, ly), side in (
            ((CAL_PHYSICAL[0], CAL_PHYSICAL[1]), (CAL_LOGICAL[0], CAL_LOGICAL[1]), 1),
            ((CAL_PHYSICAL[2], CAL_PHYSICAL[3]), (CAL_LOGICAL[2], CAL_LOGICAL[3]), -1)):
        d.ellipse((px - 7, py - 7, px + 7, py + 7), outline=(255, 230, 120), width=2)
        d.line((px - 11, py, px + 11, py), fill=(255, 230, 120), width=1)
        d.line((px, py - 11, px, py + 11), fill=(255, 230, 120), width=1)
        draw_text(img, (px + 12 * side, py + 6), "X %d, Y %d" % (lx, ly), 1, (255, 230, 120),
                  (0, 0, 0), 1, "lt" if side > 0 else "rt")

    for label, e, n, kind in world.PLACES:
        x, y = demo_px(e, n)
        if kind == "city":
            draw_text(img, (x, y - 95), label, 2, (255, 255, 255), (40, 24, 8), 2)
        elif kind == "lake":
            draw_text(img, (x - 20, y + 10), label, 2, (210, 230, 255), (10, 30, 60), 2)
        else:
            draw_text(img, (x, y - 22), label, 1, (255, 255, 240), (0, 0, 0), 1)
    for label, e, n in world.GATES:
        x, y = demo_px(e, n)
        x = min(max(x, 80), DEMO_W - 80)
        y = min(max(y, 26), DEMO_H - 30)
        d.polygon([(x - 6, y + 8), (x + 6, y + 8), (x, y - 4)], fill=(200, 60, 40),
                  outline=(0, 0, 0))
        draw_text(img, (x, y + 18), label, 1, (255, 210, 190), (0, 0, 0), 1)

    # Title cartouche and a north arrow.
    d.rectangle((40, 40, 262, 92), fill=(34, 28, 20), outline=(200, 170, 110), width=2)
    d.rectangle((45, 45, 257, 87), outline=(120, 100, 64), width=1)
    draw_text(img, (151, 60), "GREATER FAYDARK", 2, (240, 220, 170), None, 0)
    draw_text(img, (151, 79), "demo map - grid every 500", 1, (200, 185, 150), None, 0)
    nx, ny = DEMO_W - 60, 80
    d.polygon([(nx, ny - 30), (nx - 12, ny + 10), (nx, ny + 2)], fill=(240, 230, 200),
              outline=(0, 0, 0))
    d.polygon([(nx, ny - 30), (nx + 12, ny + 10), (nx, ny + 2)], fill=(120, 110, 90),
              outline=(0, 0, 0))
    draw_text(img, (nx, ny - 42), "N", 2, (240, 230, 200), (0, 0, 0), 2)
    return img


def write_calibration(path):
    """The calibration file, laid out as the program writes it."""
    px1, py1, px2, py2 = CAL_PHYSICAL
    lx1, ly1, lx2, ly2 = CAL_LOGICAL
    lines = ["[Physical]", "X1=%d" % px1, "Y1=%d" % py1, "X2=%d" % px2, "Y2=%d" % py2,
             "[Logical]", "X1=%.4f" % lx1, "Y1=%.4f" % ly1, "X2=%.4f" % lx2, "Y2=%.4f" % ly2]
    with open(path, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("ascii"))


# --------------------------------------------------------------------------
# Icon


def draw_icon(size):
    """A bold red map pin over a small folded map, drawn large and reduced."""
    big = 256
    img = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    u = big / 32.0
    if size >= 32:
        # Folded map in the background (three panels).
        panels = [
            [(2 * u, 12 * u), (11 * u, 9 * u), (11 * u, 29 * u), (2 * u, 31 * u)],
            [(11 * u, 9 * u), (20 * u, 12 * u), (20 * u, 31 * u), (11 * u, 29 * u)],
            [(20 * u, 12 * u), (29 * u, 9 * u), (29 * u, 29 * u), (20 * u, 31 * u)],
        ]
        fills = [(206, 190, 140, 255), (176, 160, 112, 255), (206, 190, 140, 255)]
        for poly, fill in zip(panels, fills):
            d.polygon(poly, fill=fill, outline=(70, 54, 30, 255))
        # A green wood and a blue river on the map.
        d.ellipse((4 * u, 18 * u, 12 * u, 26 * u), fill=(60, 130, 60, 255))
        d.line([(15 * u, 30 * u), (19 * u, 24 * u), (24 * u, 22 * u), (28 * u, 15 * u)],
               fill=(50, 100, 190, 255), width=int(1.6 * u))
        for poly in panels:
            d.line(poly + poly[:1], fill=(70, 54, 30, 255), width=int(0.9 * u))
        head_c, head_r, tip = (16 * u, 10 * u), 8.5 * u, (16 * u, 27 * u)
    else:
        head_c, head_r, tip = (16 * u, 11 * u), 10.5 * u, (16 * u, 31 * u)
    cx, cy = head_c

    def pin(offset, fill):
        ox, oy = offset
        # Tangent points from the tip to the head circle.
        dist = tip[1] - cy
        a = math.asin(head_r / dist)
        t = math.sqrt(dist * dist - head_r * head_r)
        lx = tip[0] - t * math.sin(a) + ox
        ly = tip[1] - t * math.cos(a) + oy
        rx = tip[0] + t * math.sin(a) + ox
        d.polygon([(tip[0] + ox, tip[1] + oy), (lx, ly), (rx, ly)], fill=fill)
        d.ellipse((cx - head_r + ox, cy - head_r + oy, cx + head_r + ox, cy + head_r + oy),
                  fill=fill)

    outline = 1.6 * u if size >= 32 else 2.2 * u
    # Shadow, dark outline, red body, highlight.
    pin((0.9 * u, 0.9 * u), (0, 0, 0, 110))
    saved = head_r
    head_r = saved + outline
    tip_save = tip
    tip = (tip[0], tip[1] + outline * 1.2)
    pin((0, 0), (50, 8, 8, 255))
    head_r, tip = saved, tip_save
    pin((0, 0), (214, 44, 36, 255))
    d.ellipse((cx - head_r * 0.72, cy - head_r * 0.8, cx - head_r * 0.05, cy - head_r * 0.2),
              fill=(240, 110, 96, 255))
    hole = head_r * 0.4
    d.ellipse((cx - hole, cy - hole, cx + hole, cy + hole), fill=(255, 248, 230, 255),
              outline=(60, 10, 10, 255), width=int(0.7 * u))
    return img.resize((size, size), Image.LANCZOS)


def ico_bytes(images):
    """A Windows icon file with 32-bit (alpha) device-independent images."""
    blobs = []
    for im in images:
        w, h = im.size
        px = im.convert("RGBA").load()
        header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
        xor = bytearray()
        for y in range(h - 1, -1, -1):
            for x in range(w):
                r, g, b, a = px[x, y]
                xor += bytes((b, g, r, a))
        row_bytes = ((w + 31) // 32) * 4
        andmask = bytearray()
        for y in range(h - 1, -1, -1):
            row = bytearray(row_bytes)
            for x in range(w):
                if px[x, y][3] == 0:
                    row[x // 8] |= 0x80 >> (x % 8)
            andmask += row
        blobs.append(header + bytes(xor) + bytes(andmask))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for im, blob in zip(images, blobs):
        w, h = im.size
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    return out


# --------------------------------------------------------------------------


def save_jpeg(img, path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    img.convert("RGB").save(path, "JPEG", quality=JPEG_QUALITY, optimize=True, subsampling=0)
    print("%-40s %dx%d %7d bytes" % (os.path.relpath(path, ROOT), img.width, img.height,
                                     os.path.getsize(path)))


ROOT = REPO


def main(argv):
    global ROOT
    if len(argv) == 2 and argv[0] == "--out":
        ROOT = os.path.abspath(argv[1])
    elif argv:
        print("usage: make_art.py [--out ROOT]", file=sys.stderr)
        return 2

    save_jpeg(make_dialog_background(random.Random(101)),
              os.path.join(ROOT, "data", "Textures", "BackgroundDialog.jpg"))
    save_jpeg(make_button_texture(random.Random(202)),
              os.path.join(ROOT, "data", "Textures", "BackgroundButton.jpg"))
    save_jpeg(make_map_backdrop(random.Random(303)),
              os.path.join(ROOT, "data", "Textures", "BackgroundMap.jpg"))
    save_jpeg(make_missing_map(random.Random(404)),
              os.path.join(ROOT, "data", "Zones", "MissingMap.jpg"))
    zones = os.path.join(ROOT, "data", "demo", "Zones")
    save_jpeg(make_demo_map(random.Random(505)), os.path.join(zones, "Greater Faydark.jpg"))
    write_calibration(os.path.join(zones, "Greater Faydark.ini"))

    icon_path = os.path.join(ROOT, "src", "res", "tolvik.ico")
    os.makedirs(os.path.dirname(icon_path), exist_ok=True)
    with open(icon_path, "wb") as f:
        f.write(ico_bytes([draw_icon(32), draw_icon(16)]))
    print("%-40s %7d bytes" % (os.path.relpath(icon_path, ROOT), os.path.getsize(icon_path)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
