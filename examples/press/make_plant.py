#!/usr/bin/env python3
"""Writes the example plant of the press job: the frame of a hydraulic press with the platforms
around its crown, their handrails, the guards behind it and the hood over it, as model descriptions
for `vorta build`.

    python3 examples/press/make_plant.py [--out DIR] [--no-step]

Writes plant.json (press-1.prt) and one description per sub-assembly into DIR (by default the
folder of this script). --no-step leaves out the three parts that come as STEP files.

World axes: x across the press (left to right seen by the operator), y from the operator to the
back, z up; the shop floor is z = 0, the press stands centred on x = 0, y = 0. Lengths in mm.
"""
import argparse
import json
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
STEP_DIR = os.path.join(REPO, "data", "step")

X, Y, Z = (1, 0, 0), (0, 1, 0), (0, 0, 1)

STRUCTURE, YELLOW = 87, 6


def add(a, b):
    return tuple(p + q for p, q in zip(a, b))


def sub(a, b):
    return tuple(p - q for p, q in zip(a, b))


def mul(a, k):
    return tuple(p * k for p in a)


def neg(a):
    return mul(a, -1)


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def unit(a):
    n = math.sqrt(sum(p * p for p in a))
    return mul(a, 1 / n)


def axes(x, z):
    """The body's axes in the parent, as the builder makes them: z is made square to x, y = z x x."""
    x = unit(x)
    z = unit(sub(z, mul(x, sum(p * q for p, q in zip(x, z)))))
    return x, cross(z, x), z


def bent_profile_box(flanges, angles, t, r):
    """Extent of a bent plate's profile in its x-z plane, walked as the kernel walks it."""
    h, R = t / 2, r + t / 2
    pts = []
    u = v = th = 0.0
    for i, length in enumerate(flanges):
        cu, cv = math.cos(th), math.sin(th)
        nu, nv = -cv, cu
        for s in (h, -h):
            pts.append((u + nu * s, v + nv * s))
            pts.append((u + length * cu + nu * s, v + length * cv + nv * s))
        u += length * cu
        v += length * cv
        if i == len(angles):
            break
        a = math.radians(angles[i])
        sg = 1.0 if a > 0 else -1.0
        ou, ov = u + sg * R * nu, v + sg * R * nv
        for radius in (R - sg * h, R + sg * h):
            for k in range(65):
                ang = th + a * k / 64
                pts.append((ou + sg * radius * math.sin(ang), ov - sg * radius * math.cos(ang)))
        th += a
        u, v = ou + sg * R * math.sin(th), ov - sg * R * math.cos(th)
    us = [p[0] for p in pts]
    vs = [p[1] for p in pts]
    return min(us), max(us), min(vs), max(vs)


def local_box(stock, size):
    """The stock's extent in its own axes, as the host makes it."""
    if stock in ("plate", "flat"):
        return (0, 0, 0), tuple(size)
    if stock == "square_tube":
        a, _, length = size
        return (0, 0, 0), (length, a, a)
    if stock == "rect_tube":
        a, b, _, length = size
        return (0, 0, 0), (length, a, b)
    if stock == "angle":
        a, b, _, length = size
        return (0, 0, 0), (length, a, b)
    if stock in ("round_bar", "pipe"):
        d, length = size[0], size[-1]
        return (0, -d / 2, -d / 2), (length, d / 2, d / 2)
    if stock == "bent_plate":
        u0, u1, v0, v1 = bent_profile_box(size["flanges"], size["angles"], size["t"], size["r"])
        return (u0, 0, v0), (u1, size["w"], v1)
    raise ValueError(stock)


def corners(lo, hi):
    return [(a, b, c) for a in (lo[0], hi[0]) for b in (lo[1], hi[1]) for c in (lo[2], hi[2])]


def placed_box(stock, size, at, x, z):
    """The box of the body's own box once placed; for members along the axes the body's box."""
    ex, ey, ez = axes(x, z)
    pts = [add(at, add(mul(ex, p[0]), add(mul(ey, p[1]), mul(ez, p[2])))) for p in corners(*local_box(stock, size))]
    return tuple(min(p[i] for p in pts) for i in range(3)), tuple(max(p[i] for p in pts) for i in range(3))


class Frame:
    """A plane of work inside an assembly: its origin and axes u, v, w in world terms."""

    def __init__(self, origin=(0, 0, 0), u=X, v=Y, w=Z):
        self.origin, self.u, self.v, self.w = origin, u, v, w

    def vec(self, a):
        return add(mul(self.u, a[0]), add(mul(self.v, a[1]), mul(self.w, a[2])))

    def point(self, p):
        return add(self.origin, self.vec(p))


WORLD = Frame()


class Assembly:
    """One sub-assembly: bodies kept in world terms, written relative to the assembly's origin."""

    def __init__(self, stem, part_name, origin, layer):
        self.stem, self.part_name, self.origin, self.layer = stem, part_name, origin, layer
        self.bodies = []

    def put(self, name, stock, size, at, x=X, z=Z, marked=False, color=STRUCTURE):
        self.bodies.append({"name": name, "stock": stock, "size": size, "at": at, "x": x, "z": z,
                            "marked": marked, "color": color})

    def fit(self, name, stock, size, lo, x=X, z=Z, frame=WORLD, **kw):
        """Places the body so that its box starts at `lo` (in the frame's terms)."""
        low = placed_box(stock, size, (0, 0, 0), x, z)[0]
        self.put(name, stock, size, frame.point(sub(lo, low)), frame.vec(x), frame.vec(z), **kw)

    def box(self, name, lo, hi, stock="plate", marked=True, frame=WORLD, **kw):
        """A plate or flat filling the box lo-hi: the longest side its length, the shortest its thickness."""
        ext = [hi[i] - lo[i] for i in range(3)]
        order = sorted(range(3), key=lambda i: (-ext[i], i))
        dirs = (X, Y, Z)
        size = [ext[i] for i in order]
        self.fit(name, stock, size, lo, dirs[order[0]], dirs[order[2]], frame, marked=marked, **kw)

    def rod(self, name, stock, size, start, direction, **kw):
        """A bar, pipe or tube whose axis starts at `start`."""
        z = (0, 0, 1) if abs(direction[2]) < 0.9 else (1, 0, 0)
        self.put(name, stock, size, start, direction, z, **kw)


def mirror_x(lo, hi, s):
    """The x range lo-hi on the side s (+1 right, -1 left) of the press."""
    return (lo, hi) if s > 0 else (-hi, -lo)


def span(x, y, z):
    return (x[0], y[0], z[0]), (x[1], y[1], z[1])


# --- The press frame -------------------------------------------------------------------------------

BED_TOP, HOUSING_TOP, CROWN_TOP = 700, 2300, 3100
HALF_X, HALF_Y = 1300, 650


def frame():
    a = Assembly("frame-2", "机架", (0, 0, 0), 1)

    def plate(name, xs, ys, zs, **kw):
        a.box(name, *span(xs, ys, zs), **kw)

    # Bed: a box of plates, its diaphragms square to the run of the press.
    plate("底座底板", (-HALF_X, HALF_X), (-HALF_Y, HALF_Y), (0, 40))
    plate("底座面板", (-HALF_X, HALF_X), (-HALF_Y, HALF_Y), (620, BED_TOP))
    for s in (-1, 1):
        plate("底座立板", (-HALF_X, HALF_X), sorted((s * 620, s * 650)), (40, 620))
        plate("底座端板", mirror_x(1270, 1300, s), (-620, 620), (40, 620))
    for c in (-900, -450, 0, 450, 900):
        plate("底座筋板", (c - 12.5, c + 12.5), (-620, 620), (40, 620))
    for s in (-1, 1):
        for c in (-250, 250):
            plate("地脚板", mirror_x(1300, 1600, s), (c - 150, c + 150), (0, 30))
            for e in (c - 150, c + 130):
                plate("地脚筋板", mirror_x(1300, 1580, s), (e, e + 20), (30, 280))
    plate("工作台板", (-850, 850), (-550, 550), (BED_TOP, 800))

    # Side housings: closed boxes between bed and crown, ribbed outside, the slide guided inside.
    for s in (-1, 1):
        for zs in ((BED_TOP, 740), (2260, HOUSING_TOP)):
            plate("立柱法兰板", mirror_x(900, 1300, s), (-HALF_Y, HALF_Y), zs)
        for xs in ((900, 950), (1250, 1300)):
            plate("立柱侧板", mirror_x(*xs, s), (-HALF_Y, HALF_Y), (740, 2260))
        for t in (-1, 1):
            plate("立柱腹板", mirror_x(950, 1250, s), sorted((t * 620, t * 650)), (740, 2260))
        for c in (1120, 1500, 1880):
            plate("立柱隔板", mirror_x(950, 1250, s), (-620, 620), (c - 12.5, c + 12.5))
        for c in (-400, 0, 400):
            plate("立柱外筋板", mirror_x(1300, 1450, s), (c - 15, c + 15), (740, 2260))
            plate("封边扁钢", mirror_x(1450, 1470, s), (c - 60, c + 60), (740, 2260), stock="flat", marked=False)
        for t in (-1, 1):
            plate("导轨板", mirror_x(875, 900, s), sorted((t * 400, t * 550)), (800, 2250), stock="flat")

    # Crown: the cylinder sits in the middle bay, closed by the short diaphragms and the long ribs.
    plate("上梁底板", (-HALF_X, HALF_X), (-HALF_Y, HALF_Y), (HOUSING_TOP, 2360))
    plate("上梁顶板", (-HALF_X, HALF_X), (-HALF_Y, HALF_Y), (3050, CROWN_TOP))
    for s in (-1, 1):
        plate("上梁立板", (-HALF_X, HALF_X), sorted((s * 620, s * 650)), (2360, 3050))
        plate("上梁端板", mirror_x(1270, 1300, s), (-620, 620), (2360, 3050))
        plate("上梁纵筋板", (-887.5, 887.5), sorted((s * 330, s * 355)), (2360, 3050))
        plate("上梁筋板1", mirror_x(887.5, 912.5, s), (-620, 620), (2360, 3050))
        plate("上梁筋板2", mirror_x(437.5, 462.5, s), (-330, 330), (2360, 3050))
    a.rod("缸座管", "pipe", [630, 40, 690], (0, 0, 2360), Z)
    plate("油缸安装板", (-500, 500), (-500, 500), (CROWN_TOP, 3220))
    for s in (-1, 1):
        plate("回程缸座板", mirror_x(550, 850, s), (-150, 150), (CROWN_TOP, 3140))
        for t in (-1, 1):
            plate("吊耳板", mirror_x(1000, 1250, s), sorted((t * 150, t * 190)), (CROWN_TOP, 3300))

    # Tie bars through bed, housings and crown, nutted on the crown.
    for s in (-1, 1):
        for t in (-1, 1):
            a.rod("拉杆", "round_bar", [140, 3300], (s * 1100, t * 450, 0), Z)
            a.rod("拉杆螺母", "round_bar", [240, 120], (s * 1100, t * 450, CROWN_TOP), Z)

    # Slide at its top position, guided on the housings' guide strips.
    plate("滑块底板", (-840, 840), (-550, 550), (1500, 1560))
    plate("滑块顶板", (-840, 840), (-550, 550), (2060, 2100))
    for s in (-1, 1):
        plate("滑块立板", (-840, 840), sorted((s * 520, s * 550)), (1560, 2060))
        plate("滑块端板", mirror_x(810, 840, s), (-520, 520), (1560, 2060))
    for c in (-400, 0, 400):
        plate("滑块筋板", (c - 12.5, c + 12.5), (-520, 520), (1560, 2060))
    for s in (-1, 1):
        for t in (-1, 1):
            plate("滑块导板", mirror_x(840, 860, s), sorted((t * 400, t * 550)), (1550, 2050), stock="flat")
    a.rod("柱塞", "round_bar", [400, 900], (0, 0, 2100), Z)
    return a


# --- Platforms ---------------------------------------------------------------------------------------

DECK = 1980                      # top of the floor plates, one stair rise above its top tread
CHANNEL_DEPTH, CHANNEL_WIDTH, CHANNEL_T, CHANNEL_R = 160, 60, 6, 6
BEAM_TOP = DECK - 6
BEAM_BOTTOM = BEAM_TOP - CHANNEL_DEPTH
POST_BOTTOM, POST_TOP = 20, BEAM_BOTTOM - 16


def channel(length):
    """A pressed channel: web CHANNEL_DEPTH, flanges CHANNEL_WIDTH, both outside sizes."""
    edge = CHANNEL_R + CHANNEL_T
    return {"flanges": [CHANNEL_WIDTH - edge, CHANNEL_DEPTH - 2 * edge, CHANNEL_WIDTH - edge],
            "angles": [90, 90], "t": CHANNEL_T, "r": CHANNEL_R, "w": length}


def beam(a, name, opens, lo, length):
    """A level channel, web upright, its flanges toward `opens` (it runs square to that)."""
    a.fit(name, "bent_plate", channel(length), lo, neg(opens), Z, marked=True)


def post_with_plates(a, stock, size, centre, base):
    cx, cy = centre
    a.box("柱脚板", (cx - base / 2, cy - base / 2, 0), (cx + base / 2, cy + base / 2, POST_BOTTOM), marked=False)
    if stock == "pipe":
        a.rod("平台立柱", stock, size, (cx, cy, POST_BOTTOM), Z)
    else:
        a.fit("平台立柱", stock, size, (cx - size[0] / 2, cy - size[0] / 2, POST_BOTTOM), Z, X)
    a.box("柱顶板", (cx - 100, cy - 100, POST_TOP), (cx + 100, cy + 100, BEAM_BOTTOM), marked=False)


def knee_brace(a, centre, d, radius, reach=250):
    """A 45-degree angle from a post's face up to the beam above it, its heel upward."""
    start = (centre[0] + d[0] * radius, centre[1] + d[1] * radius, BEAM_BOTTOM - reach)
    along = unit(add(d, Z))
    across = cross(Z, d)
    a.put("隅撑", "angle", [50, 50, 5, round(reach * math.sqrt(2), 1)], add(start, mul(across, -25)), along, across)


def toe_board(a, lo, hi):
    a.box("踢脚板", lo, hi, stock="flat", marked=False, color=YELLOW)


def brace(a, start, end, leg_dir):
    """A diagonal angle from start to end, one leg flat against the posts, the other along `leg_dir`."""
    d = sub(end, start)
    length = math.sqrt(sum(p * p for p in d))
    a.put("斜撑", "angle", [63, 63, 6, round(length, 1)], start, unit(d), leg_dir)


# Left platform: beside the crown, the stair comes up at its front.
P3_X, P3_Y = (-2900, -1500), (-650, 2200)
STAIR_X = (-2900, -2060)      # the opening in the front edge


def platform_left():
    a = Assembly("platform-3", "左平台", (P3_X[0], P3_Y[0], 0), 10)
    (x0, x1), (y0, y1) = P3_X, P3_Y
    lo_z = BEAM_BOTTOM
    beam(a, "左平台纵梁", X, (x0, y0, lo_z), y1 - y0)
    beam(a, "左平台纵梁", neg(X), (x1 - CHANNEL_WIDTH, y0, lo_z), y1 - y0)
    inner = x1 - x0 - 2 * CHANNEL_WIDTH
    beam(a, "左平台横梁", Y, (x0 + CHANNEL_WIDTH, y0, lo_z), inner)
    beam(a, "左平台横梁", neg(Y), (x0 + CHANNEL_WIDTH, y1 - CHANNEL_WIDTH, lo_z), inner)
    bays = [y0 + (y1 - y0) * k / 3 for k in range(4)]
    for yc in bays[1:3]:
        a.fit("平台次梁", "rect_tube", [100, 50, 4, inner], (x0 + CHANNEL_WIDTH, yc - 25, BEAM_TOP - 100),
              X, neg(Y))
    for k in range(3):
        a.box("左平台花纹板", (x0, bays[k], BEAM_TOP), (x1, bays[k + 1], DECK))
    post_len = POST_TOP - POST_BOTTOM
    rows = (y0 + 75, 775, y1 - 75)
    for xc in (x0 + 75, x1 - 75):
        for yc in rows:
            post_with_plates(a, "square_tube", [150, 6, post_len], (xc, yc), 300)
    # Bracing on the outer side and across the front and back bays; at a corner post one brace ends
    # low and the other high, so they do not meet.
    lo, hi = 300, 1700
    outer = x0 + 150
    brace(a, (outer, rows[0] + 75, lo), (outer, rows[1] - 75, hi), X)
    brace(a, (outer, rows[2] - 75, lo), (outer, rows[1] + 75, hi), X)
    brace(a, (x1 - 150, rows[0] + 75, lo), (outer, rows[0] + 75, hi), Y)
    brace(a, (x1 - 150, rows[2] - 75, lo), (outer, rows[2] - 75, hi), neg(Y))
    toe_board(a, (STAIR_X[1], y0, DECK), (x1, y0 + 5, DECK + 100))
    # The stair's top tread stops short of the landing: a plate between its stringers closes the gap.
    clear = (STAIR_X[1] - 20 - 800, STAIR_X[1] - 20)
    a.box("过渡板", (clear[0], y0 - 200, BEAM_TOP), (clear[1], y0, DECK))
    a.fit("过渡板托架", "angle", [50, 50, 5, 800], (clear[0], y0 - 200, BEAM_TOP - 50), X, neg(Z))
    toe_board(a, (x0, y0, DECK), (x0 + 5, y1, DECK + 100))
    toe_board(a, (x0 + 5, y1 - 5, DECK), (x1, y1, DECK + 100))
    toe_board(a, (x1 - 5, y0 + 5, DECK), (x1, P4_Y[0], DECK + 100))
    return a


# Back platform: behind the crown, joining the left one; the hydraulic unit stands under it.
P4_X, P4_Y = (-1500, 1500), (700, 2200)
P4_POSTS = ((-590, 2170), (400, 2170), (1400, 2170), (1400, 780))


def platform_back():
    a = Assembly("platform-4", "后平台", (P4_X[0], P4_Y[0], 0), 10)
    (x0, x1), (y0, y1) = P4_X, P4_Y
    lo_z = BEAM_BOTTOM
    beam(a, "后平台纵梁", Y, (x0, y0, lo_z), x1 - x0)
    beam(a, "后平台纵梁", neg(Y), (x0, y1 - CHANNEL_WIDTH, lo_z), x1 - x0)
    inner = y1 - y0 - 2 * CHANNEL_WIDTH
    beam(a, "后平台横梁", X, (x0, y0 + CHANNEL_WIDTH, lo_z), inner)
    beam(a, "后平台横梁", neg(X), (x1 - CHANNEL_WIDTH, y0 + CHANNEL_WIDTH, lo_z), inner)
    for xc in (-750, 0, 750):
        a.fit("平台次梁", "rect_tube", [100, 50, 4, inner], (xc - 25, y0 + CHANNEL_WIDTH, BEAM_TOP - 100), Y, X)
    for k in range(4):
        a.box("后平台花纹板", (x0 + 750 * k, y0, BEAM_TOP), (x0 + 750 * (k + 1), y1, DECK))
    for centre in P4_POSTS:
        post_with_plates(a, "pipe", [159, 6, POST_TOP - POST_BOTTOM], centre, 250)
    # Knee braces from the posts up to the beams; the bays below them are closed by the guards.
    for (cx, cy), dirs in zip(P4_POSTS, ((X, neg(X)), (X, neg(X)), (neg(X), neg(Y)), (Y, neg(X)))):
        for d in dirs:
            knee_brace(a, (cx, cy), d, 80)
    toe_board(a, (x0, y1 - 5, DECK), (x1, y1, DECK + 100))
    toe_board(a, (x1 - 5, y0 + 5, DECK), (x1, y1 - 5, DECK + 100))
    toe_board(a, (x0, y0, DECK), (x1, y0 + 5, DECK + 100))
    return a


# --- Handrails ---------------------------------------------------------------------------------------

RAIL, KNEE = [33.7, 3.2], [26.9, 2.8]
RAIL_TOP, KNEE_HEIGHT, INSET = 1100, 550, 65


def handrail():
    a = Assembly("handrail-5", "平台栏杆", (0, 0, DECK), 20)
    top_axis = DECK + RAIL_TOP - RAIL[0] / 2
    post_top = top_axis - RAIL[0] / 2      # the rail sits on the posts
    px0, px1 = P3_X[0] + INSET, P4_X[1] - INSET
    py0, py1 = P3_Y[0] + INSET, P4_Y[1] - INSET
    # Runs of rail: from post to post, how many posts, whether the first is another run's last.
    runs = (((STAIR_X[1] + INSET, py0), (P3_X[1] - INSET, py0), 2, False),
            ((px0, py0), (px0, py1), 4, False),
            ((px0, py1), (px1, py1), 6, True),
            ((px1, py1), (px1, P4_Y[0] + INSET), 3, True))
    for start, end, posts, shared in runs:
        d = sub(end, start)
        length = math.hypot(*d)
        direction = (d[0] / length, d[1] / length, 0)
        step = length / (posts - 1)
        for k in range(posts):
            cx, cy = start[0] + direction[0] * step * k, start[1] + direction[1] * step * k
            if not (shared and k == 0):
                a.box("栏杆底板", (cx - 50, cy - 50, DECK), (cx + 50, cy + 50, DECK + 10), marked=False,
                      color=YELLOW)
                a.rod("栏杆立柱", "pipe", RAIL + [round(post_top - DECK - 10, 1)], (cx, cy, DECK + 10), Z,
                      color=YELLOW)
            if k + 1 < posts:
                gap = RAIL[0] / 2
                knee_start = (cx + direction[0] * gap, cy + direction[1] * gap, DECK + KNEE_HEIGHT)
                a.rod("横杆", "pipe", KNEE + [round(step - RAIL[0], 1)], knee_start, direction, color=YELLOW)
        a.rod("扶手", "pipe", RAIL + [round(length, 1)], (start[0], start[1], top_axis), direction, color=YELLOW)
    return a


# --- Guards ------------------------------------------------------------------------------------------

FRAME_ANGLE = [40, 40, 4]


def guard_panel(a, frame, width, height):
    """An angle frame with a sheet on its outside; the frame's legs point into w, the sheet lies at w < 0."""
    u, v, w = X, Y, Z          # the panel's own axes, mapped to the world by `frame`
    leg = FRAME_ANGLE[0]
    a.fit("横框角钢", "angle", FRAME_ANGLE + [width], (0, 0, 0), u, w, frame, color=YELLOW)
    a.fit("横框角钢", "angle", FRAME_ANGLE + [width], (0, height - leg, 0), neg(u), w, frame, color=YELLOW)
    a.fit("竖框角钢", "angle", FRAME_ANGLE + [height - 2 * leg], (0, leg, 0), v, u, frame, color=YELLOW)
    a.fit("竖框角钢", "angle", FRAME_ANGLE + [height - 2 * leg], (width - leg, leg, 0), neg(v), neg(u), frame,
          color=YELLOW)
    if height > 1200:
        a.fit("横撑角钢", "angle", FRAME_ANGLE + [width - 2 * leg], (leg, height / 2 - leg / 2, 0), u, w, frame,
              color=YELLOW)
    a.box("护板", (0, 0, -2), (width, height, 0), marked=False, frame=frame, color=YELLOW)


GUARD9_Y = (875, 2075)
FENCE_TOP = 1500               # below the platform's knee braces
RIGHT_FENCE = 1422             # outside of the frames at the right end, between the posts


def guards():
    a = Assembly("guard-6", "防护栏", (0, HALF_Y, 0), 30)
    # Behind the press window, on the housings' back faces; the sheet outside, toward the platform.
    for x0 in (-950, 10):
        guard_panel(a, Frame((x0, 702, 800), X, Z, neg(Y)), 940, 980)
    # Round the hydraulic unit under the back platform, between its posts.
    for x0 in (-1485, -495, 500):
        guard_panel(a, Frame((x0, 2192, 100), X, Z, neg(Y)), 800, FENCE_TOP - 100)
    guard_panel(a, Frame((-1577, 870, 100), Y, Z, X), 1160, FENCE_TOP - 100)
    # On the right the lower part is the door that comes as a STEP part.
    guard_panel(a, Frame((RIGHT_FENCE, GUARD9_Y[1], 1050), neg(Y), Z, neg(X)), GUARD9_Y[1] - GUARD9_Y[0],
                FENCE_TOP - 1050)
    return a


# --- Hood --------------------------------------------------------------------------------------------

HOOD_T, HOOD_R = 2, 2


def hood():
    a = Assembly("hood-7", "顶罩", (0, 0, CROWN_TOP), 40)
    base = CROWN_TOP
    # Frame of angles along the edges of its box, the legs turned inward.
    fx, fy, fz = 930, 570, 498
    leg = 50

    def size(length):
        return [leg, leg, 5, length]

    for sy in (-1, 1):
        for sz in (0, 1):
            lo = (-fx, fy - leg if sy > 0 else -fy, base + (fz - leg if sz else 0))
            a.fit("罩架横梁", "angle", size(2 * fx), lo, cross(mul(Y, -sy), Z if sz == 0 else neg(Z)),
                  Z if sz == 0 else neg(Z), marked=False)
    for sx in (-1, 1):
        for sz in (0, 1):
            lo = (fx - leg if sx > 0 else -fx, -fy + leg, base + (fz - leg if sz else 0))
            a.fit("罩架端梁", "angle", size(2 * fy - 2 * leg), lo, cross(mul(X, -sx), Z if sz == 0 else neg(Z)),
                  Z if sz == 0 else neg(Z), marked=False)
    for sx in (-1, 1):
        for sy in (-1, 1):
            lo = (fx - leg if sx > 0 else -fx, fy - leg if sy > 0 else -fy, base + leg)
            a.fit("罩架立柱", "angle", size(fz - 2 * leg), lo, cross(mul(X, -sx), mul(Y, -sy)), mul(Y, -sy),
                  marked=False)

    # Covers: lipped U sections across the crown, three side by side.
    edge = HOOD_R + HOOD_T
    width, height, lip = 1200, 500, 25
    cover = {"flanges": [lip - edge, height - 2 * edge, width - 2 * edge, height - 2 * edge, lip - edge],
             "angles": [-90, -90, -90, -90], "t": HOOD_T, "r": HOOD_R, "w": 640}
    for x0 in (-960, -320, 320):
        a.fit("顶罩板", "bent_plate", cover, (x0, -width / 2, base), Y, neg(Z), marked=True)
    end = {"flanges": [30 - edge, width - 4 - 2 * edge, 30 - edge], "angles": [90, 90], "t": HOOD_T, "r": HOOD_R,
           "w": fz - HOOD_T}
    a.fit("端罩板", "bent_plate", end, (-960, -598, base + HOOD_T), neg(X), Y, marked=True)
    a.fit("端罩板", "bent_plate", end, (930, -598, base + HOOD_T), X, neg(Y), marked=True)
    # Hat stiffeners under the top at the covers' joints.
    hat = {"flanges": [20, 22, 40, 22, 20], "angles": [90, -90, -90, 90], "t": HOOD_T, "r": HOOD_R, "w": 2 * (fy - leg)}
    hu0, hu1, hv0, hv1 = bent_profile_box(hat["flanges"], hat["angles"], hat["t"], hat["r"])
    for xc in (-320, 320):
        a.fit("顶罩加强槽", "bent_plate", hat, (xc - (hu1 - hu0) / 2, -fy + leg, base + fz - (hv1 - hv0)),
              X, neg(Z), marked=True)
    # Bent flat handles to lift each cover off.
    handle = {"flanges": [34, 168, 34], "angles": [90, 90], "t": 6, "r": 6, "w": 30}
    su0, su1, sv0, sv1 = bent_profile_box(handle["flanges"], handle["angles"], handle["t"], handle["r"])
    for xc in (-640, 0, 640):
        for yc in (-300, 300):
            a.fit("罩板拉手", "bent_plate", handle, (xc - (sv1 - sv0) / 2, yc - 15, base + height), Z, X)
    return a


# --- Parts from STEP files, and the plant ------------------------------------------------------------

# Where the STEP parts have their origins (as data/step/make_step.py builds them):
# - stair: the foot of the flight's left stringer, x up the run, y across its 800 clear width (the
#   stringers and rails lie outside it), z up; eleven rises of 180 up to 1980. The stringers' upper
#   ends reach 1980 up the run, where they butt against the landing's front beam.
# - guard: a corner of the 1200 x 900 frame, which lies in x-y; z is the side its handles are on.
# - hood: the roof's upper face is z = 0 and one side's outer face x = 0; the sides hang 402 below,
#   their flanges turned outward, and it is 700 long in y.
STAIR_LANDING = 1980


def step_components(out_dir):
    rel = os.path.relpath(STEP_DIR, out_dir).replace(os.sep, "/")
    return [
        # Running up toward the back; its width then lies toward -x.
        {"file": "stair-8.prt", "name": "stair-8", "part": rel + "/stair.step",
         "at": [STAIR_X[1] - 20, P3_Y[0] - STAIR_LANDING, 0], "x": list(Y), "z": list(Z)},
        # A door at the right end of the enclosure under the back platform, handles outward.
        {"file": "guard-9.prt", "name": "guard-9", "part": rel + "/guard.step",
         "at": [RIGHT_FENCE - 40, GUARD9_Y[0], 100], "x": list(Y), "z": list(X)},
        # Over the hydraulic unit's valves on the back platform.
        {"file": "hood-10.prt", "name": "hood-10", "part": rel + "/hood.step",
         "at": [-300, 1350, DECK + 402], "x": list(X), "z": list(Z)},
    ]


def assemblies():
    return [frame(), platform_left(), platform_back(), handrail(), guards(), hood()]


def num(v, places=2):
    v = round(v, places)
    if v == 0:
        return 0
    return int(v) if v == int(v) else v


def vec(v):
    return [num(p) for p in v]


def body_json(b, origin, layer):
    out = {"name": b["name"], "stock": b["stock"]}
    if b["stock"] == "bent_plate":
        out["size"] = {k: (vec(v) if isinstance(v, list) else num(v)) for k, v in b["size"].items()}
    else:
        out["size"] = vec(b["size"])
    at = vec(sub(b["at"], origin))
    if any(at):
        out["at"] = at
    x, _, z = axes(b["x"], b["z"])
    if vec(x) != list(X) or vec(z) != list(Z):
        out["x"] = [num(p, 6) for p in x]
        out["z"] = [num(p, 6) for p in z]
    if layer != 1:
        out["layer"] = layer
    if b["color"] != STRUCTURE:
        out["color"] = b["color"]
    attrs = {"DB_PART_NAME": b["name"]}
    if b["marked"]:
        # Any drawing number marks the body for a part of its own; the job numbers them all.
        attrs["DB_PART_NO"] = "X"
    out["attributes"] = attrs
    return out


def description(head, rows, key):
    """A description as a person lays one out: one body or component a line."""
    text = "{ " + ",\n  ".join(json.dumps({k: v}, ensure_ascii=False)[1:-1] for k, v in head.items())
    if rows:
        lines = ",\n    ".join(json.dumps(r, ensure_ascii=False, separators=(", ", ": ")) for r in rows)
        text += ",\n  \"%s\": [\n    %s ]" % (key, lines)
    return text + " }\n"


def check(parts):
    """Stops on what the job downstream would trip over: one name for two different marked pieces (the
    component batch makes one part per name), two names for one shape in a part (the attribute command
    writes identical bodies alike), or two bodies on the same place in a part."""
    owner = {}
    for a in parts:
        names, places = {}, {}
        for b in a.bodies:
            shape = (b["stock"], json.dumps(b["size"], sort_keys=True))
            if b["stock"] in ("plate", "flat"):
                shape = ("box", json.dumps(sorted(b["size"])))
            if names.setdefault(shape, b["name"]) != b["name"]:
                sys.exit("%s: %s and %s are the same shape" % (a.stem, names[shape], b["name"]))
            box = placed_box(b["stock"], b["size"], b["at"], b["x"], b["z"])
            key = tuple(round(p, 1) for p in box[0] + box[1])
            if key in places:
                sys.exit("%s: %s lies where %s does" % (a.stem, b["name"], places[key]))
            places[key] = b["name"]
            if b["marked"]:
                seen = owner.setdefault(b["name"], (a.stem, shape))
                if seen != (a.stem, shape):
                    sys.exit("%s: marked name %s is taken by another piece in %s" % (a.stem, b["name"], seen[0]))


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--out", default=HERE, help="folder for plant.json and its sub-assemblies")
    ap.add_argument("--no-step", action="store_true", help="leave out the parts that come as STEP files")
    args = ap.parse_args()
    out_dir = os.path.abspath(args.out)
    os.makedirs(out_dir, exist_ok=True)

    parts = assemblies()
    check(parts)
    components = []
    for a in parts:
        rows = [body_json(b, a.origin, a.layer) for b in a.bodies]
        head = {"file": a.stem + ".prt", "attributes": {"DB_PART_NAME": a.part_name}}
        with open(os.path.join(out_dir, a.stem + ".json"), "w", encoding="utf-8") as f:
            f.write(description(head, rows, "bodies"))
        entry = {"file": a.stem + ".prt", "name": a.stem, "part": a.stem + ".json"}
        if any(a.origin):
            entry["at"] = vec(a.origin)
        components.append(entry)
    if not args.no_step:
        components += step_components(out_dir)
    with open(os.path.join(out_dir, "plant.json"), "w", encoding="utf-8") as f:
        f.write(description({"file": "press-1.prt", "attributes": {"DB_PART_NAME": "液压机架"}}, components,
                            "components"))
    print("%s: %d bodies in %d components%s" % (os.path.join(out_dir, "plant.json"), sum(len(a.bodies) for a in parts),
                                                len(components), "" if args.no_step else " (3 from STEP files)"))


if __name__ == "__main__":
    main()
