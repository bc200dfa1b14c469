"""The invented geography of the demo zone, shared by the demo generators.

make_art.py paints it as the raster demo map, make_vector_demo.py writes it
as a vector map and simulate_log.py walks along its roads, so the same
simulated walk lands on the same places in both kinds of map.

Everything here is plain Python (no third-party modules) and deterministic.

Coordinates: features are described in map coordinates (E, N): E grows to
the east (rightwards on every map), N grows to the north (upwards).  The game
itself uses X growing to the west and Y growing to the north, and the vector
map files store x = -X, y = -Y.  So:

    game X = -E          game Y = N
    file x =  E          file y = -N

The zone covers E in [-2000, 2000] and N in [-1500, 1500], that is game X in
[-2000, 2000] and game Y in [-1500, 1500].
"""

import math
import random

E_MIN, E_MAX = -2000.0, 2000.0
N_MIN, N_MAX = -1500.0, 1500.0

# --------------------------------------------------------------------------
# Coordinate helpers


def to_game(e, n):
    """Map coordinates -> game (X, Y)."""
    return -e, n


def from_game(x, y):
    """Game (X, Y) -> map coordinates."""
    return -x, y


def to_file(e, n):
    """Map coordinates -> vector map file (x, y)."""
    return e, -n


# --------------------------------------------------------------------------
# Small geometry helpers


def jittered_ring(cx, cy, rx, ry, count, jitter, rng, exponent=2.0, phase=0.0):
    """A closed, irregular ring (list of points, first not repeated).

    exponent > 2 gives a rounded rectangle (superellipse)."""
    pts = []
    # Smooth jitter: a few low-frequency sine terms instead of white noise.
    terms = [(k, rng.uniform(0, 2 * math.pi), rng.uniform(0.3, 1.0) / k)
             for k in (2, 3, 5, 7)]
    norm = sum(t[2] for t in terms)
    for i in range(count):
        a = phase + 2 * math.pi * i / count
        c, s = math.cos(a), math.sin(a)
        # Superellipse radius scaling.
        p = exponent
        sx = abs(c) ** (2.0 / p) * (1 if c >= 0 else -1)
        sy = abs(s) ** (2.0 / p) * (1 if s >= 0 else -1)
        wobble = sum(amp * math.sin(k * a + ph) for k, ph, amp in terms) / norm
        f = 1.0 + jitter * wobble
        pts.append((cx + rx * sx * f, cy + ry * sy * f))
    return pts


def circle(cx, cy, r, count=16):
    return [(cx + r * math.cos(2 * math.pi * i / count),
             cy + r * math.sin(2 * math.pi * i / count)) for i in range(count)]


def rect(cx, cy, w, h, angle=0.0):
    c, s = math.cos(angle), math.sin(angle)
    pts = []
    for dx, dy in ((-w / 2, -h / 2), (w / 2, -h / 2), (w / 2, h / 2), (-w / 2, h / 2)):
        pts.append((cx + dx * c - dy * s, cy + dx * s + dy * c))
    return pts


def catmull_rom(points, samples_per_segment=12, closed=False):
    """Smooth a polyline through its points (centripetal-free, uniform)."""
    if len(points) < 3:
        return list(points)
    pts = list(points)
    n = len(pts)
    out = []
    seg_count = n if closed else n - 1
    for i in range(seg_count):
        if closed:
            p0, p1, p2, p3 = pts[(i - 1) % n], pts[i], pts[(i + 1) % n], pts[(i + 2) % n]
        else:
            p0 = pts[max(i - 1, 0)]
            p1 = pts[i]
            p2 = pts[i + 1]
            p3 = pts[min(i + 2, n - 1)]
        for k in range(samples_per_segment):
            t = k / samples_per_segment
            t2, t3 = t * t, t * t * t
            out.append(tuple(
                0.5 * ((2 * p1[j]) + (-p0[j] + p2[j]) * t
                       + (2 * p0[j] - 5 * p1[j] + 4 * p2[j] - p3[j]) * t2
                       + (-p0[j] + 3 * p1[j] - 3 * p2[j] + p3[j]) * t3)
                for j in range(2)))
    if not closed:
        out.append(pts[-1])
    return out


def polyline_length(pts, closed=False):
    total = 0.0
    n = len(pts)
    for i in range(n if closed else n - 1):
        a, b = pts[i], pts[(i + 1) % n]
        total += math.hypot(b[0] - a[0], b[1] - a[1])
    return total


def point_along(pts, dist, closed=True):
    """The point at arc length dist along the polyline (wrapping when closed)."""
    n = len(pts)
    total = polyline_length(pts, closed)
    if closed:
        dist %= total
    else:
        dist = max(0.0, min(dist, total))
    for i in range(n if closed else n - 1):
        a, b = pts[i], pts[(i + 1) % n]
        seg = math.hypot(b[0] - a[0], b[1] - a[1])
        if dist <= seg and seg > 0:
            t = dist / seg
            return (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t)
        dist -= seg
    return pts[-1] if not closed else pts[0]


def point_in_polygon(x, y, poly):
    inside = False
    n = len(poly)
    j = n - 1
    for i in range(n):
        xi, yi = poly[i]
        xj, yj = poly[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


# --------------------------------------------------------------------------
# The zone

SEED = 1999

# Hills: centre E, N, peak height, spread.  Ground height is the sum of
# Gaussian bumps; contour rings are drawn at the radii where one hill alone
# reaches a contour height.
HILLS = [
    (-1400.0, 950.0, 60.0, 380.0),
    (1450.0, 1050.0, 55.0, 330.0),
    (-150.0, -1050.0, 45.0, 300.0),
    (1350.0, -1100.0, 50.0, 280.0),
    (-1650.0, -350.0, 35.0, 250.0),
]
CONTOUR_HEIGHTS = (10.0, 25.0, 40.0, 52.0)

LAKE_CENTRE = (800.0, -500.0)
LAKE_SURFACE_Z = -20.0

CITY_CENTRE = (-350.0, 250.0)
CITY_NAME = "Canopy Town"


def ground_height(e, n):
    z = 2.0
    for he, hn, h, s in HILLS:
        d2 = (e - he) ** 2 + (n - hn) ** 2
        z += h * math.exp(-d2 / (s * s))
    # The lake basin.
    le, ln = LAKE_CENTRE
    d2 = ((e - le) / 430.0) ** 2 + ((n - ln) / 300.0) ** 2
    z -= 22.0 * math.exp(-d2 * 2.0)
    return z


def hill_contours():
    """[(height, ring points)] for every hill and contour height it reaches."""
    rng = random.Random(SEED + 1)
    out = []
    for he, hn, h, s in HILLS:
        for zc in CONTOUR_HEIGHTS:
            if zc >= h:
                continue
            r = s * math.sqrt(math.log(h / zc))
            ring = jittered_ring(he, hn, r, r * rng.uniform(0.8, 1.0), 40, 0.12, rng,
                                 phase=rng.uniform(0, 6.28))
            out.append((zc, ring))
    return out


def zone_outline():
    rng = random.Random(SEED + 2)
    return jittered_ring(0.0, 0.0, 1890.0, 1410.0, 72, 0.035, rng, exponent=5.0)


def lake_shore():
    rng = random.Random(SEED + 3)
    return jittered_ring(LAKE_CENTRE[0], LAKE_CENTRE[1], 400.0, 270.0, 48, 0.18, rng,
                         phase=0.3)


def lake_island():
    rng = random.Random(SEED + 4)
    return jittered_ring(LAKE_CENTRE[0] + 90, LAKE_CENTRE[1] - 30, 70.0, 45.0, 16, 0.2, rng)


def rivers():
    """Two rivers as smooth polylines: the inflow from the north and the outflow."""
    inflow = catmull_rom([(1150, 1460), (1080, 1150), (1180, 850), (1020, 560),
                          (1060, 300), (900, 40), (830, -235)], 10)
    outflow = catmull_rom([(1195, -560), (1400, -620), (1550, -850),
                           (1700, -1000), (1930, -1180)], 10)
    return [inflow, outflow]


# Gates: (label, E, N) where roads leave the zone.
GATES = [
    ("to Lesser Faydark", -1850.0, 80.0),
    ("to Butcherblock Mountains", 1850.0, -210.0),
    ("to Northern Felwithe", -520.0, 1380.0),
    ("to Crushbone", -1120.0, -1375.0),
]


def roads():
    """Named roads as smooth polylines (map coordinates)."""
    raw = {
        "West Road": [(-1850, 80), (-1500, 120), (-1250, 160), (-950, 210),
                      (-700, 230), (-520, 245)],
        "East Road": [(-180, 240), (150, 200), (520, 190), (860, 150),
                      (1150, 60), (1450, -60), (1850, -210)],
        "North Road": [(-350, 420), (-390, 650), (-470, 900), (-480, 1150),
                       (-520, 1380)],
        "South Road": [(-950, 210), (-960, -150), (-1030, -500), (-1090, -850),
                       (-1120, -1375)],
        "Ring Path": [(-1500, 120), (-1560, 500), (-1480, 800), (-1200, 700),
                      (-900, 650), (-470, 900)],
        "Druid Trail": [(860, 150), (980, 420), (1120, 650), (1300, 850),
                        (1420, 900)],
        "Ruins Track": [(-1030, -500), (-1220, -700), (-1400, -820)],
        "Camp Path": [(520, 190), (430, -150), (350, -500), (230, -880)],
        "Lakeside Walk": [(430, -150), (600, -200), (820, -180), (1050, -250),
                          (1230, -430), (1250, -620), (1080, -790), (800, -830),
                          (540, -760), (350, -500)],
    }
    return {name: catmull_rom(pts, 8) for name, pts in raw.items()}


# Places: (label, E, N, kind)
PLACES = [
    (CITY_NAME, CITY_CENTRE[0], CITY_CENTRE[1], "city"),
    ("Mirror Lake", LAKE_CENTRE[0], LAKE_CENTRE[1], "lake"),
    ("Old Mill", 1110.0, 680.0, "mill"),
    ("Druid Ring", 1420.0, 900.0, "ring"),
    ("Ranger Camp", 230.0, -900.0, "camp"),
    ("Mossy Ruins", -1420.0, -830.0, "ruins"),
    ("Wisp Hollow", -1420.0, 640.0, "cave"),
    ("Fisher's Hut", 560.0, -300.0, "hut"),
    ("Watch Post", -1500.0, 140.0, "post"),
    ("Wayshrine", 1250.0, 0.0, "shrine"),
]


def city_platforms():
    """Tree platforms of the tree town: (E, N, radius, z, ring index)."""
    cx, cy = CITY_CENTRE
    plats = [(cx, cy, 46.0, 140.0, 0)]
    for ring, (radius, count, z, pr) in enumerate(((150.0, 8, 115.0, 30.0),
                                                    (270.0, 12, 95.0, 26.0)), start=1):
        for i in range(count):
            a = 2 * math.pi * i / count + (0.2 if ring == 2 else 0.0)
            plats.append((cx + radius * math.cos(a), cy + radius * math.sin(a), pr, z, ring))
    return plats


def city_bridges():
    """Bridges between platforms: list of ((E, N, z), (E, N, z))."""
    plats = city_platforms()
    bridges = []
    rings = {}
    for p in plats:
        rings.setdefault(p[4], []).append(p)
    for ring in (1, 2):
        ps = rings[ring]
        for i in range(len(ps)):
            a, b = ps[i], ps[(i + 1) % len(ps)]
            bridges.append(((a[0], a[1], a[3]), (b[0], b[1], b[3])))
    centre = rings[0][0]
    for i, p in enumerate(rings[1]):
        if i % 2 == 0:
            bridges.append(((centre[0], centre[1], centre[3]), (p[0], p[1], p[3])))
    for i, p in enumerate(rings[2]):
        if i % 3 == 0:
            # Link to the nearest inner platform.
            q = min(rings[1], key=lambda r: (r[0] - p[0]) ** 2 + (r[1] - p[1]) ** 2)
            bridges.append(((q[0], q[1], q[3]), (p[0], p[1], p[3])))
    return bridges


def buildings():
    """Ground buildings: (label or None, rectangle points, z)."""
    rng = random.Random(SEED + 5)
    out = []
    mill_e, mill_n = 1110.0, 680.0
    out.append(("Mill House", rect(mill_e + 40, mill_n + 10, 60, 40, 0.3), ground_height(mill_e, mill_n)))
    out.append(("Granary", rect(mill_e - 30, mill_n + 60, 36, 30, 0.3), ground_height(mill_e, mill_n)))
    out.append(("Waterwheel", rect(mill_e - 60, mill_n - 20, 14, 36, 0.3), ground_height(mill_e, mill_n)))
    ce, cn = 230.0, -900.0
    for i in range(6):
        a = 2 * math.pi * i / 6
        out.append((None, rect(ce + 70 * math.cos(a), cn + 55 * math.sin(a), 22, 18, a),
                    ground_height(ce, cn)))
    re_, rn = -1420.0, -830.0
    for i in range(9):
        e = re_ + rng.uniform(-140, 140)
        n = rn + rng.uniform(-110, 110)
        out.append((None, rect(e, n, rng.uniform(25, 60), rng.uniform(20, 45),
                               rng.uniform(0, 1.5)), ground_height(e, n)))
    out.append(("Fisher's Hut", rect(560, -300, 34, 26, -0.2), ground_height(560, -300)))
    out.append(("Watch Post", rect(-1500, 140, 30, 30, 0.1), ground_height(-1500, 140)))
    for label, ge, gn in GATES:
        for side in (-1, 1):
            # Gate towers either side of the road.
            if abs(ge) > abs(gn):
                e, n = ge + (40 if ge < 0 else -40), gn + side * 45
            else:
                e, n = ge + side * 45, gn + (40 if gn < 0 else -40)
            out.append((None, rect(e, n, 22, 22), ground_height(e, n)))
    return out


def druid_stones():
    cx, cy = 1420.0, 900.0
    return [rect(cx + 70 * math.cos(2 * math.pi * i / 12),
                 cy + 70 * math.sin(2 * math.pi * i / 12), 12, 12,
                 2 * math.pi * i / 12) for i in range(12)]


# The cave under Wisp Hollow: a second level of the zone, far below the
# ground, reached by a spiral stair from the cave mouth.
CAVE_FLOOR_Z = -240.0
CAVE_MOUTH = (-1420.0, 640.0)
STAIR_CENTRE = (-1436.0, 628.0)


def cave_floor_height(e, n):
    return CAVE_FLOOR_Z + 4.0 * math.sin(e / 90.0)


def cave_stair(points_per_turn=48):
    """The spiral stair: one turn down from the cave mouth (ground height)
    to the cave floor, ending below the mouth. List of (E, N, z)."""
    ce, cn = STAIR_CENTRE
    me, mn = CAVE_MOUTH
    radius = math.hypot(me - ce, mn - cn)
    start = math.atan2(mn - cn, me - ce)
    top = ground_height(me, mn)
    bottom = cave_floor_height(me, mn)
    out = []
    for i in range(points_per_turn + 1):
        t = i / points_per_turn
        a = start - 2 * math.pi * t
        out.append((ce + radius * math.cos(a), cn + radius * math.sin(a), top + (bottom - top) * t))
    return out


def cave_tunnels():
    """Tunnels of the cave, starting below the mouth: list of polylines."""
    main = catmull_rom([CAVE_MOUTH, (-1480, 520), (-1620, 450), (-1700, 300),
                        (-1640, 150)], 8)
    branch1 = catmull_rom([(-1620, 450), (-1500, 380), (-1380, 420), (-1300, 520)], 8)
    branch2 = catmull_rom([(-1700, 300), (-1780, 380), (-1800, 520)], 8)
    return [main, branch1, branch2]


def cave_chambers():
    return [(-1640, 150, 60.0, "Glow Chamber"), (-1300, 520, 45.0, "Wisp Nest"),
            (-1800, 520, 40.0, "Dripping Cave")]


# --------------------------------------------------------------------------
# Names for labels

_FIRST_A = ["Ae", "Bri", "Cal", "Dae", "El", "Fae", "Gal", "Ili", "Lor", "Mae",
            "Nyl", "Ori", "Sae", "Tha", "Vel", "Yse", "Ara", "Cel", "Ith", "Ren"]
_FIRST_B = ["lin", "dor", "wen", "ric", "ith", "ara", "iel", "os", "anth", "ys",
            "ael", "mir", "nor", "via"]
_LAST_A = ["Leaf", "Bough", "Moss", "Fern", "Bark", "Thorn", "Dew", "Star",
           "Wind", "Glen", "Brook", "Ash"]
_LAST_B = ["walker", "song", "shade", "whisper", "runner", "light", "weaver",
           "keeper", "dancer"]


def person_name(rng):
    return (rng.choice(_FIRST_A) + rng.choice(_FIRST_B) + " "
            + rng.choice(_LAST_A) + rng.choice(_LAST_B))


# --------------------------------------------------------------------------
# The demo walk


def walk_route():
    """The closed loop the simulated player walks (map coordinates, smoothed)."""
    waypoints = [
        (-1800, 90), (-1500, 125), (-1250, 160), (-950, 210), (-700, 230),
        (-470, 110), (-300, 90), (-150, 180), (150, 200), (520, 190),
        (860, 150), (980, 420), (1120, 650), (1300, 850), (1380, 950),
        (1150, 760), (900, 430), (700, 260), (600, -200), (820, -180),
        (1050, -250), (1230, -430), (1250, -620), (1080, -790), (800, -830),
        (540, -760), (230, -880), (-100, -760), (-450, -620), (-800, -560),
        (-1030, -500), (-1220, -700), (-1400, -820), (-1560, -600),
        (-1620, -200), (-1560, 200), (-1560, 500), (-1480, 800), (-1200, 700),
        (-900, 650), (-470, 900), (-420, 700), (-560, 420), (-800, 260),
        (-1250, 150), (-1550, 40),
    ]
    return catmull_rom(waypoints, 16, closed=True)


def walk_position(dist):
    """Game (X, Y, Z) after walking dist game units along the loop."""
    route = _route_cache()
    e, n = point_along(route, dist, closed=True)
    x, y = to_game(e, n)
    z = ground_height(e, n) + 1.5
    return x, y, z


_ROUTE = None


def _route_cache():
    global _ROUTE
    if _ROUTE is None:
        _ROUTE = walk_route()
    return _ROUTE


def walk_length():
    return polyline_length(_route_cache(), closed=True)


# The slain line as the game writes it, and where the player is bound.
DEATH_LINE = "You have been slain by a cave lurker!"
BIND_POINT = (-1480.0, 170.0)


def _on_ground(pts):
    return [(e, n, ground_height(e, n)) for e, n in pts]


def _on_cave_floor(pts):
    return [(e, n, cave_floor_height(e, n)) for e, n in pts]


def _part_of(pts, length):
    """The first `length` units of a polyline (E, N)."""
    out = [pts[0]]
    left = length
    for a, b in zip(pts, pts[1:]):
        seg = math.hypot(b[0] - a[0], b[1] - a[1])
        if seg >= left:
            t = left / seg if seg else 0.0
            out.append((a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t))
            return out
        out.append(b)
        left -= seg
    return out


def _story_start():
    """The loop's point nearest the cave mouth: where the story leaves and
    rejoins the loop."""
    route = _route_cache()
    me, mn = CAVE_MOUTH
    best = min(range(len(route)), key=lambda i: (route[i][0] - me) ** 2 + (route[i][1] - mn) ** 2)
    return best, route[best]


def walk_story():
    """The demo walk before it settles on the loop, as legs: ("walk", points
    (E, N, floor z)), ("after", texts) written after the last position, or
    ("lines", texts) written in an interval without a position; and the
    death point (E, N).

    The player comes from the loop to the cave mouth, takes the stair down
    into the cave, is slain there, comes back into the zone at the bind point,
    runs back to the corpse, climbs out and rejoins the loop."""
    index, start = _story_start()
    stair = cave_stair()
    tunnel = cave_tunnels()[0]
    to_death = _part_of(tunnel, 230.0)
    death = to_death[-1]
    near_corpse = _part_of(tunnel, 222.0)
    run_back = catmull_rom([BIND_POINT, (-1520, 420), (-1450, 600), CAVE_MOUTH], 8)
    return [
        ("walk", _on_ground([start, CAVE_MOUTH])),
        ("walk", stair),
        ("walk", _on_cave_floor(to_death)),
        ("after", ["A cave lurker bites YOU for 38 points of damage.",
                   "A cave lurker bites YOU for 41 points of damage.", DEATH_LINE]),
        ("lines", ["LOADING, PLEASE WAIT...", "You have entered Greater Faydark."]),
        ("walk", _on_ground(run_back)),
        ("walk", stair),
        ("walk", _on_cave_floor(near_corpse)),
        ("walk", _on_cave_floor(list(reversed(near_corpse)))),
        ("walk", list(reversed(stair))),
        ("walk", _on_ground([CAVE_MOUTH, start])),
    ], death


def story_steps(step):
    """The story as one entry per interval: [game (X, Y, Z) or None, lines
    written after it], a position every `step` units of each walk."""
    legs, _ = walk_story()
    steps = []
    for kind, data in legs:
        if kind == "after":
            steps[-1][1].extend(data)
        elif kind == "lines":
            steps.append([None, list(data)])
        else:
            flat = [(e, n) for e, n, z in data]
            length = polyline_length(flat)
            count = max(1, int(math.ceil(length / step - 0.25)))
            # After a zone change the walk starts where the player appears.
            first = 0 if steps and steps[-1][0] is None else 1
            for k in range(first, count + 1):
                d = length * k / count
                e, n = point_along(flat, d, closed=False)
                x, y = to_game(e, n)
                steps.append([(x, y, _height_along(data, d) + 1.5), []])
    return steps


def walk_steps(step):
    """Yields, one per interval, (game (X, Y, Z) or None, lines written after
    it): the story first, then the loop for ever."""
    for position, lines in story_steps(step):
        yield position, lines
    index, _ = _story_start()
    dist = polyline_length(_route_cache()[:index + 1])
    while True:
        dist += step
        yield walk_position(dist), []


def _height_along(pts, dist):
    """z of the polyline (E, N, z) at horizontal length dist."""
    for a, b in zip(pts, pts[1:]):
        seg = math.hypot(b[0] - a[0], b[1] - a[1])
        if dist <= seg and seg > 0:
            return a[2] + (b[2] - a[2]) * dist / seg
        dist -= seg
    return pts[-1][2]


def _segment_cross(a, b, c, d):
    """Intersection point of segments ab and cd, or None."""
    r = (b[0] - a[0], b[1] - a[1])
    s = (d[0] - c[0], d[1] - c[1])
    den = r[0] * s[1] - r[1] * s[0]
    if abs(den) < 1e-12:
        return None
    t = ((c[0] - a[0]) * s[1] - (c[1] - a[1]) * s[0]) / den
    u = ((c[0] - a[0]) * r[1] - (c[1] - a[1]) * r[0]) / den
    if 0.0 <= t <= 1.0 and 0.0 <= u <= 1.0:
        return (a[0] + r[0] * t, a[1] + r[1] * t)
    return None


def bridges():
    """Where roads cross rivers: list of (E, N, road direction in radians)."""
    out = []
    for road in roads().values():
        for river in rivers():
            for i in range(len(road) - 1):
                for j in range(len(river) - 1):
                    p = _segment_cross(road[i], road[i + 1], river[j], river[j + 1])
                    if p is not None:
                        angle = math.atan2(road[i + 1][1] - road[i][1],
                                           road[i + 1][0] - road[i][0])
                        out.append((p[0], p[1], angle))
    return out
