# Builds the stock catalogue and the small machine that the shape tests read
# as if another CAD system had written them.
# Run from the repository root:  freecadcmd tests/shapes/make_shapes.py
# Output folder: $SHAPES_OUT, default tests/shapes.  Units: millimetres,
# except frame_inch.step, which is written in inches.
import math
import os
import re
import sys
import traceback

import FreeCAD as App

# The schema is read when the Part module loads, so it must be set first.
_step = App.ParamGet("User parameter:BaseApp/Preferences/Mod/Part/STEP")
_step.SetString("Scheme", "AP214IS")
_step.SetString("Unit", "MM")
# Without pcurves the files are about half the size; importers rebuild them.
App.ParamGet("User parameter:BaseApp/Preferences/Mod/Part/General") \
    .SetInt("WriteSurfaceCurveMode", 0)
_imp = App.ParamGet("User parameter:BaseApp/Preferences/Mod/Import")
_imp.SetBool("ExportLegacy", False)   # keep App::Part nesting as assemblies
# The machine has two products called Lager20, two called "housing plate"
# and two called "angle"; without this the document renames the second.
App.ParamGet("User parameter:BaseApp/Preferences/Document") \
    .SetBool("DuplicateLabels", True)

import Part    # noqa: E402
import Import  # noqa: E402

Part.setStaticValue("write.surfacecurve.mode", 0)

V = App.Vector
BIG = 6000.0         # larger than any part: the half-space of a saw cut


def rot(axis, deg):
    return App.Rotation(axis, deg)


def place(x=0.0, y=0.0, z=0.0, r=None):
    return App.Placement(V(x, y, z), r if r is not None else App.Rotation())


def at(r, local, target):
    """Turned by r with the part's point `local` brought to `target`."""
    return App.Placement(target - r.multVec(local), r)


# ---- outlines --------------------------------------------------------------

def outline(pts, radii=None, to3d=lambda u, v: V(0, u, v)):
    """Closed wire through the 2D points, each corner rounded by its radius
    (0 leaves it sharp).  Works for convex and re-entrant corners alike; the
    arc is tangent to both sides, so roots and toes come out as rolled."""
    n = len(pts)
    radii = radii or [0.0] * n
    corners = []                        # (start, mid, end) or a single point
    for i in range(n):
        p, r = pts[i], radii[i]
        if r <= 0:
            corners.append((p,))
            continue
        a, c = pts[i - 1], pts[(i + 1) % n]
        u1 = _unit((a[0] - p[0], a[1] - p[1]))
        u2 = _unit((c[0] - p[0], c[1] - p[1]))
        half = math.acos(max(-1.0, min(1.0, u1[0] * u2[0] + u1[1] * u2[1]))) / 2
        d = r / math.tan(half)
        b = _unit((u1[0] + u2[0], u1[1] + u2[1]))
        k = r / math.sin(half)
        centre = (p[0] + b[0] * k, p[1] + b[1] * k)
        corners.append(((p[0] + u1[0] * d, p[1] + u1[1] * d),
                        (centre[0] - b[0] * r, centre[1] - b[1] * r),
                        (p[0] + u2[0] * d, p[1] + u2[1] * d)))
    edges = []
    for i in range(n):
        cur, nxt = corners[i], corners[(i + 1) % n]
        if len(cur) == 3:
            edges.append(Part.Arc(to3d(*cur[0]), to3d(*cur[1]),
                                  to3d(*cur[2])).toShape())
        a, b = cur[-1], nxt[0]
        if math.hypot(b[0] - a[0], b[1] - a[1]) > 1e-9:
            edges.append(Part.LineSegment(to3d(*a), to3d(*b)).toShape())
    wire = Part.Wire(edges)
    if not wire.isClosed():
        raise RuntimeError("outline is not closed")
    return wire


def _unit(v):
    ln = math.hypot(v[0], v[1])
    return (v[0] / ln, v[1] / ln)


def rect(w, h, r=0.0):
    """Rectangle w (Y) by h (Z) centred on the origin, corner radius r."""
    pts = [(-w / 2, -h / 2), (w / 2, -h / 2), (w / 2, h / 2), (-w / 2, h / 2)]
    return outline(pts, [r] * 4)


def prism(wires, length):
    """Section in the YZ plane (outer wire first, then holes) along +X."""
    face = Part.Face(wires[0])
    for hole in wires[1:]:
        face = face.cut(Part.Face(hole)).Faces[0]
    return solid_of(face.extrude(V(length, 0, 0)))


def revolved(pts, radii=None):
    """Half section (radius, axial) in the XZ plane turned about Z."""
    wire = outline(pts, radii, lambda u, v: V(u, 0, v))
    return solid_of(Part.Face(wire).revolve(V(0, 0, 0), V(0, 0, 1), 360))


def solid_of(shape):
    solids = shape.Solids
    if len(solids) != 1:
        raise RuntimeError("%d solids where one was meant" % len(solids))
    return solids[0]


def clean(shape):
    """Boolean results come back with faces split along old seams; a part
    received from a CAD system has them whole."""
    return solid_of(shape.removeSplitter())


def saw(shape, point, normal):
    """Cut away everything on the side of `normal` of the plane."""
    box = Part.makeBox(BIG, BIG, BIG, V(-BIG / 2, -BIG / 2, 0))
    box.Placement = App.Placement(point, App.Rotation(V(0, 0, 1), normal))
    return solid_of(shape.cut(box))


def drill(shape, dia, points, axis, through=100.0):
    """Plain holes through, centred on each point along axis."""
    ax = V(axis).normalize()
    tools = [Part.makeCylinder(dia / 2.0, through, V(p) - ax * (through / 2), ax)
             for p in points]
    return clean(shape.cut(_fuse(tools)))


def countersink(shape, dia, sink, points, face_z):
    """Holes along Z with a 90 degree countersink to `sink` on the face at
    height face_z (material below it)."""
    tools = []
    for x, y in points:
        tools.append(Part.makeCylinder(dia / 2.0, 200.0, V(x, y, face_z - 100)))
        depth = (sink - dia) / 2.0
        # The cone runs 1 mm past the face so no face of it lies on the face.
        tools.append(Part.makeCone(dia / 2.0, sink / 2.0 + 1.0, depth + 1.0,
                                   V(x, y, face_z - depth)))
    return clean(shape.cut(_fuse(tools)))


def _fuse(shapes):
    return shapes[0] if len(shapes) == 1 else shapes[0].multiFuse(shapes[1:])


def stadium(length, width, centre, to3d):
    """Slot outline, long side along u."""
    a, r = (length - width) / 2.0, width / 2.0
    cu, cv = centre
    pts = [(cu - a - r, cv - r), (cu + a + r, cv - r),
           (cu + a + r, cv + r), (cu - a - r, cv + r)]
    return outline(pts, [r] * 4, to3d)


# ---- stock sections (length along +X, section in YZ) ----------------------

def tube(w, h, t, r_out, length):
    """Hollow section; the inner corners are concentric with the outer."""
    r_in = max(r_out - t, 0.0)
    return prism([rect(w, h, r_out), rect(w - 2 * t, h - 2 * t, r_in)], length)


def angle(leg_y, leg_z, t, length, root=0.0, toe=0.0):
    """Heel on the X axis, one leg along +Y, the other along +Z."""
    pts = [(0, 0), (leg_y, 0), (leg_y, t), (t, t), (t, leg_z), (0, leg_z)]
    return prism([outline(pts, [0, 0, toe, root, toe, 0])], length)


def channel(web, flange, t, root, length):
    """Web along Z at y 0..t, flanges along +Y; outer corners sharp."""
    pts = [(0, 0), (flange, 0), (flange, t), (t, t), (t, web - t),
           (flange, web - t), (flange, web), (0, web)]
    return prism([outline(pts, [0, 0, 0, root, root, 0, 0, 0])], length)


def ibeam(h, b, tw, tf, root, length):
    """Section centred on the X axis, web along Z."""
    y, z, w, f = b / 2, h / 2, tw / 2, h / 2 - tf
    pts = [(-y, -z), (y, -z), (y, -f), (w, -f), (w, f), (y, f), (y, z),
           (-y, z), (-y, f), (-w, f), (-w, -f), (-y, -f)]
    radii = [0, 0, 0, root, root, 0, 0, 0, 0, root, root, 0]
    return prism([outline(pts, radii)], length)


def plate(length, width, thick):
    """Length along X, width along Y, thickness along Z from 0."""
    return Part.makeBox(length, width, thick)


def round_bar(dia, length):
    """Axis along Z from the origin."""
    return Part.makeCylinder(dia / 2.0, length)


def pipe(od, wall, length):
    """Axis along Z from the origin."""
    outer = Part.Wire(Part.makeCircle(od / 2.0))
    inner = Part.Wire(Part.makeCircle(od / 2.0 - wall))
    face = Part.Face(outer).cut(Part.Face(inner)).Faces[0]
    return solid_of(face.extrude(V(0, 0, length)))


def mitre_frame(shape, length, depth, both=True):
    """Picture-frame mitres at 45 degrees, turning about Z: the face at
    y = +depth/2 keeps the full length, the one at -depth/2 is 2*depth
    shorter.  The section must be centred on y = 0."""
    d = depth / 2.0
    s = 1.0 / math.sqrt(2.0)
    shape = saw(shape, V(0, d, 0), V(-s, -s, 0))
    if both:
        shape = saw(shape, V(length, d, 0), V(s, -s, 0))
    return shape


def bent_sheet(mold, thick, radius, width):
    """Sheet folded along the polyline `mold` (points (x, z)), which is the
    face the dimensions refer to; the material lies to the right of the
    direction of travel.  Each bend gets concentric arcs: inner `radius`,
    outer `radius + thick`.  The profile is extruded along +Y by `width`.
    The same construction as data/step/make_step.py, which cannot be
    imported without running it."""
    n = len(mold) - 1
    dirs, nrm = [], []
    for i in range(n):
        dx = mold[i + 1][0] - mold[i][0]
        dz = mold[i + 1][1] - mold[i][1]
        ln = math.hypot(dx, dz)
        dirs.append((dx / ln, dz / ln))
        nrm.append((dz / ln, -dx / ln))

    # Signed offset of each bend centre from the mold face, measured along
    # the right-hand normal: outside of the bend when turning right.
    centre, off = {}, {}
    for k in range(1, n):
        d1, d2 = dirs[k - 1], dirs[k]
        n1, n2 = nrm[k - 1], nrm[k]
        turn = d1[0] * d2[1] - d1[1] * d2[0]
        if abs(turn) < 1e-9:
            raise ValueError("collinear legs at vertex %d" % k)
        s = radius + thick if turn < 0 else -radius
        det = n1[0] * n2[1] - n1[1] * n2[0]
        cx = (s * n2[1] - n1[1] * s) / det
        cz = (n1[0] * s - s * n2[0]) / det
        centre[k] = (mold[k][0] + cx, mold[k][1] + cz)
        off[k] = s

    def pt(p, nv, d):
        return (p[0] - d * nv[0], p[1] - d * nv[1])

    def ends(i, t):
        a = (pt(mold[0], nrm[0], -t) if i == 0
             else pt(centre[i], nrm[i], off[i] - t))
        b = (pt(mold[n], nrm[n - 1], -t) if i == n - 1
             else pt(centre[i + 1], nrm[i], off[i + 1] - t))
        return a, b

    def arc(k, t):
        c, s = centre[k], off[k] - t
        m = (nrm[k - 1][0] + nrm[k][0], nrm[k - 1][1] + nrm[k][1])
        lm = math.hypot(*m)
        m = (m[0] / lm, m[1] / lm)
        return (pt(c, nrm[k - 1], s), pt(c, m, s), pt(c, nrm[k], s))

    def v3(p):
        return V(p[0], 0, p[1])

    edges = []
    for i in range(n):                       # mold face, forward
        a, b = ends(i, 0.0)
        edges.append(Part.LineSegment(v3(a), v3(b)).toShape())
        if i < n - 1:
            p, q, r = arc(i + 1, 0.0)
            edges.append(Part.Arc(v3(p), v3(q), v3(r)).toShape())
    edges.append(Part.LineSegment(v3(mold[n]),
                                  v3(ends(n - 1, thick)[1])).toShape())
    for i in reversed(range(n)):             # opposite face, backward
        a, b = ends(i, thick)
        edges.append(Part.LineSegment(v3(b), v3(a)).toShape())
        if i > 0:
            p, q, r = arc(i, thick)
            edges.append(Part.Arc(v3(r), v3(q), v3(p)).toShape())
    edges.append(Part.LineSegment(v3(ends(0, thick)[0]),
                                  v3(mold[0])).toShape())
    wire = Part.Wire(edges)
    if not wire.isClosed():
        raise RuntimeError("bent sheet profile is not closed")
    return solid_of(Part.Face(wire).extrude(V(0, width, 0)))


# ---- the catalogue's parts -------------------------------------------------

def square_tube_holes():
    t = tube(30, 30, 2, 4, 500)
    return drill(t, 8, [V(100, 0, 0), V(400, 0, 0)], V(0, 0, 1))


def rect_tube_mitred(length):
    # 80 along Y so that the mitres turn about the axis along the 40 side.
    return mitre_frame(tube(80, 40, 4, 8, length), length, 80)


def angle_60x40_mitred():
    a = angle(60, 40, 6, 750, root=6, toe=3)
    s = 1.0 / math.sqrt(2.0)
    # Across the 60 leg: the heel keeps 750, the leg's tip is 690.
    return saw(a, V(750, 0, 0), V(s, s, 0))


def angle_40_holes(length=300.0):
    a = angle(40, 40, 4, length)
    # Holes on the usual 22 mm back mark of a 40 leg.
    return drill(a, 9, [V(50, 22, 0), V(length - 50, 22, 0)], V(0, 0, 1))


def plate_holes_340():
    p = plate(340, 340, 6)
    corners = [V(x, y, 3) for x in (30, 310) for y in (30, 310)]
    p = drill(p, 12, corners, V(0, 0, 1))
    return drill(p, 60, [V(170, 170, 3)], V(0, 0, 1))


def plate_countersunk():
    p = plate(200, 100, 8)
    top = [e for e in p.Edges
           if abs(e.Vertexes[0].Z - 8) < 1e-9 and abs(e.Vertexes[1].Z - 8) < 1e-9]
    p = solid_of(p.makeChamfer(1.0, top))
    holes = [(25, 25), (175, 25), (25, 75), (175, 75)]
    return countersink(p, 9, 18, holes, 8)


def gusset():
    # The square notch at the right angle leaves room for the weld of the
    # two members the gusset joins.
    pts = [(20, 0), (150, 0), (0, 150), (0, 20), (20, 20)]
    return prism([outline(pts)], 8)


def plate_notched():
    p = plate(400, 200, 12)
    return clean(p.cut(Part.makeBox(80, 50, 14, V(160, 150, -1))))


def flat_holes():
    f = plate(80, 30, 3)
    return drill(f, 6.5, [V(20, 15, 0), V(60, 15, 0)], V(0, 0, 1))


def flat_mitred():
    # Width along Y, centred, so the mitres lie in the plane of the width.
    f = Part.makeBox(500, 40, 5, V(0, -20, 0))
    return mitre_frame(f, 500, 40)


def round_bar_chamfered(dia=16.0, length=200.0, c=1.5):
    r = dia / 2.0
    return revolved([(0, 0), (r - c, 0), (r, c), (r, length - c),
                     (r - c, length), (0, length)])


def pipe_hole():
    p = pipe(33.7, 3.2, 600)
    # From the bore outward: through the one wall only.
    return clean(p.cut(Part.makeCylinder(5, 30, V(0, 0, 300), V(1, 0, 0))))


def washer():
    return pipe(32, (32 - 20.2) / 2, 6)


def l_block():
    pts = [(0, 0), (100, 0), (100, 60), (60, 60), (60, 100), (0, 100)]
    return prism([outline(pts)], 300)


def bent_channel():
    return bent_sheet([(0, -30), (0, 0), (250, 0), (250, -30)], 2.0, 3.0, 500)


def bent_z():
    # Over the outside: flange 40, web 120, flange 40.  The mold face is the
    # outside of the lower bend and the inside of the upper one.
    t = 3.0
    z = bent_sheet([(40, 0), (0, 0), (0, 120 - t), (t - 40, 120 - t)],
                   t, 3.0, 300)
    web = lambda u, v: V(-5, u, v)           # noqa: E731
    slots = [Part.Face(stadium(30, 10, (y, 60), web)).extrude(V(15, 0, 0))
             for y in (75, 225)]
    z = clean(z.cut(_fuse(slots)))
    # M5 flat head in the lower flange: 5.5 through, sunk to 10.4.
    return countersink(z, 5.5, 10.4, [(24, 150)], t)


def bent_bracket():
    b = bent_sheet([(80, 0), (0, 0), (0, 60)], 3.0, 3.0, 100)
    b = drill(b, 11, [V(45, 25, 1.5), V(45, 75, 1.5)], V(0, 0, 1), 20)
    return drill(b, 11, [V(1.5, 25, 35), V(1.5, 75, 35)], V(1, 0, 0), 20)


def plywood_shelf():
    p = plate(600, 300, 12)
    return drill(p, 35, [V(100, 150, 6), V(500, 150, 6)], V(0, 0, 1))


def motor():
    """Body axis along X, shaft end at +X, foot underneath."""
    parts = [Part.makeCylinder(12, 50, V(250, 0, 0), V(1, 0, 0)),
             Part.makeBox(200, 160, 40, V(25, -80, -100))]
    for k in range(12):
        # Fins reach 5 mm into the body so they fuse through a clean seam.
        fin = Part.makeBox(200, 18, 3, V(25, 70, -1.5))
        fin.rotate(V(0, 0, 0), V(1, 0, 0), 15 + 30 * k)
        parts.append(fin)
    body = Part.makeCylinder(75, 250, V(0, 0, 0), V(1, 0, 0))
    return clean(body.multiFuse(parts))


def bolt():
    """Head under z = 0, shank along +Z."""
    r = 16.0 / math.sqrt(3.0)        # across corners of 16 across flats
    hexagon = Part.makePolygon([V(r * math.cos(math.radians(a)),
                                  r * math.sin(math.radians(a)), -6.4)
                                for a in range(0, 361, 60)])
    head = Part.Face(hexagon).extrude(V(0, 0, 6.4))
    return clean(head.fuse(Part.makeCylinder(5, 40)))


def bearing():
    # 6204: bore 20, outside 47, width 14; 1 mm rounds on the ring corners
    # and the gap between the rings shown as a groove on both faces.  The
    # rounds are filleted rather than turned with the section: the writer
    # keeps a revolved arc as a general surface of revolution, a fillet on a
    # circular edge as a torus.
    ring = pipe(47, 13.5, 14)
    grooves = [pipe(36, 2, 1.51).translated(V(0, 0, z)) for z in (-0.01, 12.5)]
    ring = clean(ring.cut(_fuse(grooves)))
    corners = [e for e in ring.Edges
               if any(_circle_at(e, r, z) for r in (10, 23.5) for z in (0, 14))]
    if len(corners) != 4:
        raise RuntimeError("bearing: %d ring corners" % len(corners))
    return solid_of(ring.makeFillet(1.0, corners))


def turned_shaft():
    return revolved([(0, 0), (19, 0), (20, 1), (20, 100), (15, 100),
                     (15, 300), (12.5, 300), (12.5, 359), (11.5, 360),
                     (0, 360)])


def casting():
    box = Part.makeBox(120, 80, 60)
    box = solid_of(box.makeFillet(10, box.Edges))
    boss = Part.makeCylinder(20, 25, V(60, 40, 55))
    body = clean(box.fuse(boss))
    foot = [e for e in body.Edges if _circle_at(e, 20, 60)]
    body = solid_of(body.makeFillet(5, foot))
    rim = [e for e in body.Edges if _circle_at(e, 20, 80)]
    return solid_of(body.makeFillet(3, rim))


def _circle_at(edge, radius, z):
    try:
        c = edge.Curve
    except TypeError:                # fillet seams: not a circle anyway
        return False
    return (isinstance(c, Part.Circle) and abs(c.Radius - radius) < 1e-6
            and abs(c.Center.z - z) < 1e-6)


def catalogue():
    """(name, shape) in the order they are laid out."""
    return [
        ("square tube 40x40x3 r6", tube(40, 40, 3, 6, 1000)),
        ("rect tube 80x40x4 r8 mitred", rect_tube_mitred(600)),
        ("square tube 30x30x2 r4 holes", square_tube_holes()),
        ("square tube 50x50x5 sharp", tube(50, 50, 5, 0, 800)),
        ("angle 50x50x5 r7", angle(50, 50, 5, 1200, root=7, toe=3.5)),
        ("angle 60x40x6 mitred", angle_60x40_mitred()),
        ("angle 40x40x4 holes", angle_40_holes()),
        ("channel 100x50x5 r8", channel(100, 50, 5, 8, 1500)),
        ("beam IPE200", ibeam(200, 100, 5.6, 8.5, 12, 2000)),
        ("beam HEB200", ibeam(200, 200, 9, 15, 18, 1000)),
        ("plate 300x200x10", plate(300, 200, 10)),
        ("plate 340x340x6 holes", plate_holes_340()),
        ("plate 200x100x8 countersunk", plate_countersunk()),
        ("gusset 150x150x8", gusset()),
        ("plate 400x200x12 notched", plate_notched()),
        ("flat 50x6", plate(400, 50, 6)),
        ("flat 30x3 holes", flat_holes()),
        ("flat 40x5 mitred", flat_mitred()),
        ("round bar d20", round_bar(20, 300)),
        ("round bar d16 chamfered", round_bar_chamfered()),
        ("pipe 60.3x3.6", pipe(60.3, 3.6, 1000)),
        ("pipe 33.7x3.2 holes", pipe_hole()),
        ("pipe ring 60.3x3.6x20", pipe(60.3, 3.6, 20)),
        ("disc d164x50", round_bar(164, 50)),
        ("washer 32/20.2x6", washer()),
        ("square bar 20x20", plate(300, 20, 20)),
        ("spacer d30x20", round_bar(30, 20)),
        ("L block 100x100x60", l_block()),
        ("bent channel 2mm", bent_channel()),
        ("bent z 3mm slots", bent_z()),
        ("bent bracket 3mm holes", bent_bracket()),
        ("wood panel 18x540x1440", Part.makeBox(18, 540, 1440)),
        ("plywood shelf", plywood_shelf()),
        ("rubber pad", Part.makeBox(10, 80, 80)),
        ("motor", motor()),
        ("bolt M10x40", bolt()),
        ("bearing 6204", bearing()),
        ("turned shaft", turned_shaft()),
        ("casting", casting()),
    ]


# Turns that leave no axis of a part on an axis of the file.
TURNS = [rot(V(1, 2, 3), 37), rot(V(-2, 1, 1), 71), rot(V(1, -1, 2), 53),
         rot(V(3, 1, -1), 113), rot(V(1, 3, -2), 29), rot(V(-1, 2, -3), 151)]
# Every third part also has its own geometry turned, for a reader that looks
# at a product before its placement.
SKEW = rot(V(1, 2, 2), 30)


def skewed(rotation):
    m = rotation.toMatrix()
    cells = [m.A11, m.A12, m.A13, m.A21, m.A22, m.A23, m.A31, m.A32, m.A33]
    return max(abs(c) for c in cells) < 0.99


# ---- document helpers ------------------------------------------------------

class Builder:
    def __init__(self, doc):
        self.doc = doc
        self.count = 0

    def _name(self, kind):
        self.count += 1
        return "%s%d" % (kind, self.count)

    def assy(self, label, parent=None, pl=None):
        obj = self.doc.addObject("App::Part", self._name("Asm"))
        obj.Label = label
        if pl is not None:
            obj.Placement = pl
        if parent is not None:
            parent.addObject(obj)
        return obj

    def solid(self, label, shape):
        """A product not yet placed anywhere; place it with instance()."""
        s = solid_of(shape)
        if not s.isValid() or not s.isClosed():
            raise RuntimeError("%s is not a valid closed solid" % label)
        if not s.Placement.isIdentity():
            # The feature's placement would take over the shape's own.
            raise RuntimeError("%s is built with a location" % label)
        obj = self.doc.addObject("Part::Feature", self._name("Solid"))
        obj.Label = label
        obj.Shape = s
        return obj

    def part(self, parent, label, shape, pl=None):
        obj = self.solid(label, shape)
        if pl is not None:
            obj.Placement = pl
        parent.addObject(obj)
        return obj

    def instance(self, parent, product, pl):
        """One more use of the same product: the writer makes every link to
        one object an occurrence of one product."""
        link = self.doc.addObject("App::Link", self._name("Link"))
        link.LinkedObject = product
        link.Label = product.Label
        link.Placement = pl
        parent.addObject(link)
        return link


# ---- stock.step ------------------------------------------------------------

def build_stock(b):
    top = b.assy("stock catalogue")
    x, boxes = 0.0, []
    for i, (name, shape) in enumerate(catalogue()):
        if i % 3 == 2:
            shape = shape.copy()
            shape.transformShape(SKEW.toMatrix(), True)
            if not shape.Placement.isIdentity():
                raise RuntimeError("%s: turn kept as a location" % name)
        turn = TURNS[i % len(TURNS)]
        if not skewed(turn.multiply(SKEW) if i % 3 == 2 else turn):
            raise RuntimeError("%s: placed along an axis" % name)
        probe = shape.copy()
        probe.Placement = App.Placement(V(), turn)
        bb = probe.BoundBox
        pl = App.Placement(V(x - bb.XMin, -bb.Center.y, -bb.Center.z), turn)
        b.part(top, name, shape, pl)
        boxes.append((name, x, x + bb.XLength))
        x += bb.XLength + 200.0
    return top, boxes


# ---- frame.step ------------------------------------------------------------

UP = rot(V(0, 1, 0), -90)            # a part's +X turned to +Z


def build_frame(b):
    top = b.assy("Machine frame")
    W, D, H = 1200.0, 600.0, 800.0    # over the legs; legs stand on z = 0

    # -- Frame: legs, rails at the top along X, lower rails along Y.
    frame = b.assy("Frame", top)
    leg = b.solid("leg", tube(40, 40, 3, 6, H))
    for x in (20, W - 20):
        for y in (20, D - 20):
            b.instance(frame, leg, place(x, y, 0, UP))
    # Rails on the legs, 80 upright; the mitred top face keeps 1200.
    rail_long = b.solid("rail long", rect_tube_mitred(W))
    for y in (20, D - 20):
        b.instance(frame, rail_long, place(0, y, H + 40, rot(V(1, 0, 0), 90)))
    rail_short = b.solid("rail short", tube(80, 40, 4, 8, 600))
    for x in (20, W - 20):
        b.instance(frame, rail_short,
                   place(x, 0, 150, rot(V(0, 0, 1), 90)))
    # Gussets under the rail, against the inner face of each leg.
    g = b.solid("gusset", gusset())
    base = App.Placement(App.Matrix(0, 1, 0, 0,
                                    1, 0, 0, 0,
                                    0, 0, -1, 0,
                                    0, 0, 0, 1))   # thickness along Y
    for x, turn in ((40, 0), (W - 40, 180)):
        for y in (20, D - 20):
            pl = place(x, y, H, rot(V(0, 0, 1), turn)) \
                .multiply(place(0, -4, 0)).multiply(base)
            b.instance(frame, g, pl)
    # Lying on its web, flanges up, carrying the base plate.
    b.part(frame, "channel", channel(100, 50, 5, 8, 1000),
           place(100, D / 2 + 50, 160, rot(V(1, 0, 0), 90)))
    b.part(frame, "pad", round_bar(164, 50), place(W / 2, D / 2, -50))

    # -- Loose parts of the machine itself.
    bp = drill(plate(600, 400, 12),
               18, [V(x, y, 6) for x in (40, 560) for y in (40, 360)],
               V(0, 0, 1))
    b.part(top, "base plate", bp, place(300, 100, 210))
    b.part(top, "wood top", plate(W, D, 18), place(0, 0, H + 80))
    b.part(top, "motor", motor(), place(450, D / 2, 222 + 100))
    screw = b.solid("bolt M10x40", bolt())
    for x in (340, 860):
        for y in (140, 460):
            # Head on the plate, shank down through it.
            b.instance(top, screw, place(x, y, 222, rot(V(1, 0, 0), 180)))
    b.part(top, "beam IPE200", ibeam(200, 100, 5.6, 8.5, 12, 1200),
           place(0, D / 2, 1400))

    # -- Two bearing housings, both called Lager20, built differently:
    # plates upright against the ends of the frame, bore along X.
    upright = rot(V(0, 1, 0), -90)             # thickness to -X
    along_x = rot(V(0, 1, 0), 90)              # a part's +Z to +X
    l1 = b.assy("Lager20", top, place(-10, D / 2, 500))
    hp = drill(plate(200, 150, 10), 52, [V(100, 75, 5)], V(0, 0, 1))
    b.part(l1, "housing plate", hp, at(upright, V(100, 75, 5), V(0, 0, 0)))
    b.part(l1, "ring", washer(), place(5, 0, 0, along_x))
    l2 = b.assy("Lager20", top, place(W + 16, D / 2, 500))
    hp2 = drill(plate(240, 160, 12), 14, [V(30, 80, 6), V(210, 80, 6)],
                V(0, 0, 1))
    b.part(l2, "housing plate", hp2,
           at(upright, V(120, 80, 6), V(0, 0, 0)))
    b.part(l2, "sleeve", pipe(60.3, 3.6, 20), place(6, 0, 0, along_x))

    # -- Guard along the front, with two doors of one make.
    guard = b.assy("Guard", top, place(100, -60, 0))
    a50 = b.solid("angle", angle(50, 50, 5, 1000, root=7, toe=3.5))
    b.instance(guard, a50, place(0, 0, 0))
    b.instance(guard, a50, place(0, 0, 700, rot(V(1, 0, 0), -90)))
    b.part(guard, "angle", angle_40_holes(300),
           place(850, 0, 0, UP))
    door = b.assy("Door")
    b.part(door, "door sheet", bent_z())
    holder = b.solid("handle holder", flat_holes())
    for z in (20, 100):
        b.instance(door, holder, place(-80, 140, z))
    # Upright through the holes of both holders, in front of the web.
    b.part(door, "handle", round_bar_chamfered(), place(-60, 155, -40))
    for x in (50, 500):
        b.instance(guard, door, place(x, 0, 100, rot(V(0, 0, 1), 90)))
    return top


# ---- export and read-back --------------------------------------------------

def tree(obj):
    """Labels of the assemblies and of the solid occurrences under obj, and
    the shapes of those occurrences in the frame of obj."""
    asms, parts = [obj.Label], []
    for c in obj.Group:
        target = c.LinkedObject if c.isDerivedFrom("App::Link") else c
        if target.isDerivedFrom("App::Part"):
            a, p = tree(target)
            asms += a
            for label, shape in p:
                s = shape.copy()
                s.Placement = c.Placement.multiply(s.Placement)
                parts.append((label, s))
        else:
            # A feature's shape already carries its placement; a link's
            # placement stands in for that of the unplaced product.
            s = target.Shape.copy()
            if c is not target:
                s.Placement = c.Placement
            parts.append((target.Label, s))
    return asms, parts


def structure(top):
    """How many products and assembly occurrences the writer should make:
    every object once, however often it is linked."""
    seen, uses, todo = {top.Name}, 0, [top]
    while todo:
        asm = todo.pop()
        for c in asm.Group:
            uses += 1
            target = c.LinkedObject if c.isDerivedFrom("App::Link") else c
            if target.Name not in seen:
                seen.add(target.Name)
                if target.isDerivedFrom("App::Part"):
                    todo.append(target)
    return len(seen), uses


def check(path, top, asms, parts, unit="MILLI"):
    with open(path, "rb") as f:
        # The writer puts labels in as raw UTF-8 rather than \X2\ escapes.
        text = f.read().decode("utf-8")
    if "AUTOMOTIVE_DESIGN" not in text:
        raise RuntimeError("%s: not written as AP214" % path)
    if unit == "INCH":
        if "CONVERSION_BASED_UNIT('INCH'" not in text:
            raise RuntimeError("%s: not written in inches" % path)
    elif "SI_UNIT(.MILLI.,.METRE.)" not in text \
            or "CONVERSION_BASED_UNIT" in text:
        raise RuntimeError("%s: not written in millimetres" % path)
    products = re.findall(r"PRODUCT\('((?:[^']|'')*)'", text)
    decoded = [decode_step_string(p) for p in products]
    names = [n for n, _ in parts]
    missing = [n for n in set(asms + names) if n not in decoded]
    if missing:
        raise RuntimeError("%s: products missing: %s" % (path, missing))
    # A repeated part must stay one product used several times, and two
    # products of one name must stay two.
    n_products, n_uses = structure(top)
    uses = len(re.findall(r"NEXT_ASSEMBLY_USAGE_OCCURRENCE\(", text))
    if len(products) != n_products or uses != n_uses:
        raise RuntimeError("%s: %d products, %d occurrences; %d, %d expected"
                           % (path, len(products), uses, n_products, n_uses))
    if "PCURVE" in text or "SURFACE_CURVE" in text:
        raise RuntimeError("%s: written with pcurves" % path)
    shape = Part.read(path)
    solids = shape.Solids
    bad = [i for i, s in enumerate(solids) if not s.isValid()]
    if len(solids) != len(parts) or bad:
        raise RuntimeError("%s: %d solids read, %d expected, invalid %s"
                           % (path, len(solids), len(parts), bad))
    # The reader keeps the order of the occurrences: each read solid must be
    # the one written, in size and in place.
    for (name, want), got in zip(parts, solids):
        if abs(got.Volume - want.Volume) > 1e-6 * want.Volume \
                or not _same_box(got.BoundBox, want.BoundBox):
            raise RuntimeError("%s: %s read back as another solid"
                               % (path, name))
    # Two uses of one product in one place would read as one solid.
    for i, (a, sa) in enumerate(zip(names, solids)):
        for b, sb in zip(names[i + 1:], solids[i + 1:]):
            if a == b and _same_box(sa.BoundBox, sb.BoundBox):
                raise RuntimeError("%s: two %s in one place" % (path, a))
    return decoded, solids


def _same_box(a, b, tol=1e-3):
    return all(abs(p - q) < tol for p, q in
               zip((a.XMin, a.YMin, a.ZMin, a.XMax, a.YMax, a.ZMax),
                   (b.XMin, b.YMin, b.ZMin, b.XMax, b.YMax, b.ZMax)))


def decode_step_string(s):
    """Undo ISO 10303-21 escapes (\\X2\\..\\X0\\, \\X\\hh, '')."""
    out, i = [], 0
    s = s.replace("''", "'")
    while i < len(s):
        if s.startswith("\\X2\\", i):
            j = s.index("\\X0\\", i)
            hexs = s[i + 4:j]
            out += [chr(int(hexs[k:k + 4], 16)) for k in range(0, len(hexs), 4)]
            i = j + 4
        elif s.startswith("\\X\\", i):
            out.append(chr(int(s[i + 3:i + 5], 16)))
            i += 5
        else:
            out.append(s[i])
            i += 1
    return "".join(out)


def write(top, path, unit="MM"):
    # The unit preference is only read when Part loads; set the writer's own
    # value so both files come out of one run.
    Part.setStaticValue("write.step.unit", unit)
    try:
        Import.export([top], path)
    finally:
        Part.setStaticValue("write.step.unit", "MM")


def main():
    out = os.environ.get("SHAPES_OUT", "tests/shapes")
    os.makedirs(out, exist_ok=True)

    doc = App.newDocument("stock")
    top, boxes = build_stock(Builder(doc))
    doc.recompute()
    path = os.path.join(out, "stock.step")
    write(top, path)
    asms, parts = tree(top)
    names = [n for n, _ in parts]
    if len(set(names)) != len(names):
        raise RuntimeError("two catalogue entries share a name")
    _, solids = check(path, top, asms, parts)
    for (a, sa), (b, sb) in zip(zip(names, solids), zip(names[1:], solids[1:])):
        if sb.BoundBox.XMin - sa.BoundBox.XMax < 199.0:
            raise RuntimeError("%s: %s comes too close to %s" % (path, b, a))
    for (name, x0, x1), s in zip(boxes, solids):
        print("  %-30s %12.1f mm3  x %7.1f .. %7.1f"
              % (name, s.Volume, x0, x1))
    print("%s: %d bytes, %d solids" % (path, os.path.getsize(path), len(parts)))
    App.closeDocument(doc.Name)

    doc = App.newDocument("frame")
    top = build_frame(Builder(doc))
    doc.recompute()
    asms, parts = tree(top)
    for fname, unit, tag in (("frame.step", "MM", "MILLI"),
                             ("frame_inch.step", "INCH", "INCH")):
        path = os.path.join(out, fname)
        write(top, path, unit)
        products, _ = check(path, top, asms, parts, tag)
        print("%s: %d bytes, %d solids, %d products"
              % (path, os.path.getsize(path), len(parts), len(products)))
    App.closeDocument(doc.Name)


# freecadcmd reports success even when a script raises, so exit explicitly.
try:
    main()
except Exception:
    traceback.print_exc()
    sys.exit(1)
sys.exit(0)
