# Builds the foreign-made STEP samples of the press frame's access structure.
# Run from the repository root:  freecadcmd data/step/make_step.py
# Output folder: $STEP_OUT, default data/step.  Units: millimetres.
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

import Part    # noqa: E402
import Import  # noqa: E402

Part.setStaticValue("write.surfacecurve.mode", 0)

V = App.Vector
S2 = math.sqrt(2.0)


def rot(axis, deg):
    return App.Rotation(axis, deg)


def place(x=0.0, y=0.0, z=0.0, r=None):
    return App.Placement(V(x, y, z), r if r is not None else App.Rotation())


# ---- stock sections -------------------------------------------------------

def flat_bar(length, width, thick):
    """Length along X, width along Z, thickness along Y."""
    return Part.makeBox(length, thick, width)


def round_bar(dia, length):
    """Axis along Z from the origin."""
    return Part.makeCylinder(dia / 2.0, length)


def pipe(od, wall, length):
    """Axis along Z from the origin; annulus extruded so both walls are
    plain coaxial cylinders."""
    outer = Part.Wire(Part.makeCircle(od / 2.0))
    inner = Part.Wire(Part.makeCircle(od / 2.0 - wall))
    face = Part.Face(Part.Face(outer).cut(Part.Face(inner)).Faces[0])
    return face.extrude(V(0, 0, length))


def angle(leg_a, leg_b, thick, length):
    """Equal/unequal angle, heel on the X axis: leg_a along +Y, leg_b along
    +Z, extruded along +X."""
    pts = [(0, 0), (leg_a, 0), (leg_a, thick), (thick, thick),
           (thick, leg_b), (0, leg_b), (0, 0)]
    wire = Part.makePolygon([V(0, y, z) for y, z in pts])
    return Part.Face(wire).extrude(V(length, 0, 0))


def bent_sheet(mold, thick, radius, width):
    """Sheet folded along the polyline `mold` (points (x, z)), which is the
    face the dimensions refer to; the material lies to the right of the
    direction of travel.  Each bend gets concentric arcs: inner `radius`,
    outer `radius + thick`.  The profile is extruded along +Y by `width`."""
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
        """Start and end of leg i on the face offset t from the mold face."""
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
    return Part.Face(wire).extrude(V(0, width, 0))


# ---- document helpers -----------------------------------------------------

class Builder:
    def __init__(self, doc):
        self.doc = doc
        self.count = 0

    def assy(self, label, parent=None, pl=None):
        self.count += 1
        obj = self.doc.addObject("App::Part", "Asm%d" % self.count)
        obj.Label = label
        if pl is not None:
            obj.Placement = pl
        if parent is not None:
            parent.addObject(obj)
        return obj

    def part(self, parent, label, shape, pl=None):
        solids = shape.Solids
        if len(solids) != 1 or not solids[0].isValid() \
                or not solids[0].isClosed():
            raise RuntimeError("%s is not a single valid closed solid" % label)
        self.count += 1
        obj = self.doc.addObject("Part::Feature", "Solid%d" % self.count)
        obj.Label = label
        obj.Shape = solids[0]
        if pl is not None:
            obj.Placement = pl
        parent.addObject(obj)
        return obj


# ---- stair ----------------------------------------------------------------

def build_stair(b):
    L, H, T = 2800.0, 200.0, 10.0       # stringer: flat bar 200x10
    WIDTH = 800.0                       # clear width between stringers
    NT = 10
    rise = L / S2 / (NT + 1)            # 45 deg: going equals rise
    top = b.assy("楼梯")
    slope = rot(V(0, 1, 0), -45)        # +X tilted up into +Z
    b.part(top, "梯梁左", flat_bar(L, H, T), place(0, -T, 0, slope))
    b.part(top, "梯梁右", flat_bar(L, H, T), place(0, WIDTH, 0, slope))

    # Tread: 3 mm channel, 30+250+30 over the outside, opening down.
    tread = bent_sheet([(0, -30), (0, 0), (250, 0), (250, -30)],
                       3.0, 3.0, WIDTH)
    band = H * S2                       # horizontal depth of the stringer
    for k in range(1, NT + 1):
        z = k * rise
        # Bolted inside the stringers: the stringer's depth leaves 2.8 mm of
        # play between the nosing at the top and the back flange's foot.
        x = z - (band + 30.0 + 250.0) / 2.0
        b.part(top, "踏板%d" % k, tread.copy(), place(x, 0, z))

    # Handrails: pipe 33.7x3.2 posts bolted to the stringer's outer face.
    OD, WALL, POST = 33.7, 3.2, 1000.0
    post = pipe(OD, WALL, POST)
    stations = [300.0, 1033.3, 1766.7, 2500.0]   # along the stringer
    foot = 60.0                                   # above the lower edge
    # Rail rests on the downhill edge of each square-cut post top.
    lift = OD / 2.0 * S2 + OD / 2.0
    over = 150.0
    x0 = stations[0] / S2 - over / S2
    rail_len = (stations[-1] - stations[0]) + 2.0 * over
    rail = pipe(OD, WALL, rail_len)
    rail_pl = place(x0, 0, x0 + foot + POST + lift,
                    rot(V(0, 1, 0), 45))          # +Z turned onto the slope
    for side, y in (("左", -T - OD / 2.0), ("右", WIDTH + T + OD / 2.0)):
        hr = b.assy("扶手" + side, top, place(0, y, 0))
        for i, s in enumerate(stations, 1):
            x = s / S2
            b.part(hr, "扶手立柱%s%d" % (side, i), post.copy(),
                   place(x, 0, x + foot))
        b.part(hr, "扶手管" + side, rail.copy(), rail_pl)
    return top


# ---- guard ----------------------------------------------------------------

def build_guard(b):
    W, D, A, TA = 1200.0, 900.0, 40.0, 4.0      # angles 40x40x4
    top = b.assy("防护罩")
    # Long sides run full length; short sides are cut to fit between them.
    # Flat legs lie in the plane z 0..4 pointing inward, upright legs at
    # the outer edge.
    lng = angle(A, A, TA, W)
    sht = angle(A, A, TA, D - 2 * A)
    b.part(top, "角钢长边1", lng, place())
    b.part(top, "角钢长边2", lng.copy(),
           place(W, D, 0, rot(V(0, 0, 1), 180)))
    b.part(top, "角钢短边1", sht, place(0, D - A, 0, rot(V(0, 0, 1), -90)))
    b.part(top, "角钢短边2", sht.copy(), place(W, A, 0, rot(V(0, 0, 1), 90)))
    gap = 1.0
    b.part(top, "封板", Part.makeBox(W - 2 * (TA + gap), D - 2 * (TA + gap),
                                    2.0),
           place(TA + gap, TA + gap, TA))
    bar = round_bar(16.0, 200.0)
    for i, x in enumerate((150.0, W - 150.0), 1):
        # Lying on the infill, running across the short direction.
        b.part(top, "把手%d" % i, bar.copy(),
               place(x, D / 2.0 - 100.0, TA + 2.0 + 8.0,
                     rot(V(1, 0, 0), -90)))
    return top


# ---- hood -----------------------------------------------------------------

def build_hood(b):
    T, R, WIDTH = 2.0, 2.0, 700.0
    top = b.assy("护罩")
    # Outside dimensions 40 / 400 / 600 / 400 / 40, flanges turned outward.
    mold = [(-40, -400), (0, -400), (0, 0), (600, 0), (600, -400),
            (640, -400)]
    b.part(top, "罩板", bent_sheet(mold, T, R, WIDTH), place())
    # Flat bar 50x6 on edge under the roof, clear of the bend zones.
    clear = 5.0
    length = 600.0 - 2 * (T + R + clear)
    bar = flat_bar(length, 50.0, 6.0)
    for i, y in enumerate((WIDTH / 3.0, 2 * WIDTH / 3.0), 1):
        b.part(top, "加强筋%d" % i, bar.copy(),
               place(T + R + clear, y - 3.0, -T - 50.0))
    return top


# ---- export and read-back -------------------------------------------------

def tree(obj):
    """Labels of all assemblies and of the solids under obj."""
    asms, parts = [obj.Label], []
    for c in obj.Group:
        if c.isDerivedFrom("App::Part"):
            a, p = tree(c)
            asms += a
            parts += p
        else:
            parts.append(c.Label)
    return asms, parts


def check(path, asms, names):
    with open(path, "rb") as f:
        # The writer puts labels in as raw UTF-8 rather than \X2\ escapes.
        text = f.read().decode("utf-8")
    if "AUTOMOTIVE_DESIGN" not in text:
        raise RuntimeError("%s: not written as AP214" % path)
    products = re.findall(r"PRODUCT\('((?:[^']|'')*)'", text)
    decoded = [decode_step_string(p) for p in products]
    missing = [n for n in asms + names if n not in decoded]
    if missing:
        raise RuntimeError("%s: products missing: %s" % (path, missing))
    shape = Part.read(path)
    solids = shape.Solids
    bad = [i for i, s in enumerate(solids) if not s.isValid()]
    if len(solids) != len(names) or bad:
        raise RuntimeError("%s: %d solids read, %d expected, invalid %s"
                           % (path, len(solids), len(names), bad))
    return decoded


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


def main():
    out = os.environ.get("STEP_OUT", "data/step")
    os.makedirs(out, exist_ok=True)
    for fname, build in (("stair.step", build_stair),
                         ("guard.step", build_guard),
                         ("hood.step", build_hood)):
        doc = App.newDocument(fname.split(".")[0])
        top = build(Builder(doc))
        doc.recompute()
        path = os.path.join(out, fname)
        Import.export([top], path)
        asms, names = tree(top)
        products = check(path, asms, names)
        print("%s: %d bytes, %d solids, products %s"
              % (path, os.path.getsize(path), len(names), products))
        App.closeDocument(doc.Name)


# freecadcmd reports success even when a script raises, so exit explicitly.
try:
    main()
except Exception:
    traceback.print_exc()
    sys.exit(1)
sys.exit(0)
