#!/usr/bin/python3
"""What every sheet must be, read from its file with readers of its own (ezdxf, XML): no text under
2.5 mm, the scale as a ratio and the sheet's place among the part's sheets in the title block, and
every line of its views inside the frame and off the title block.
  sheet_checks.py FOLDER...   checks every .svg and .dxf under the folders"""
import os, re, sys
import xml.etree.ElementTree as ET

import ezdxf


def title_block(texts):
    small = [(h, t) for h, t in texts if h < 2.5 - 1e-9]
    if small:
        yield f"texts under 2.5 mm: {small[:3]}"
    words = [t for _, t in texts]
    if not any(re.fullmatch(r"1:\d+(\.\d)?|\d+(\.\d)?:1", t) for t in words):
        yield f"no scale in the title block: {words[:20]}"
    if not any(re.fullmatch(r"共 \d+ 张", t) for t in words) or not any(re.fullmatch(r"第 \d+ 张", t) for t in words):
        yield "no sheet count in the title block"


def views_on_sheet(width, points):
    """The templates' frame runs 25 mm in from the left and 5 mm in elsewhere; the title block is in the
    bottom right corner of an A3 sheet and across the bottom of an A4 one."""
    block = (235, 5, 415, 45) if width > 300 else (25, 5, 205, 45)
    eps = 0.01
    off = [(round(x, 2), round(y, 2)) for x, y in points
           if not (25 - eps <= x <= width - 5 + eps and 5 - eps <= y <= 292 + eps)
           or (block[0] + eps < x < block[2] - eps and block[1] + eps < y < block[3] - eps)]
    if off:
        yield f"view lines outside the frame or on the title block, at {off[:4]}"
    if not points:
        yield "no view draws anything"


def dxf_sheet(path):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    if auditor.has_errors:
        yield f"audit errors {[str(e.message) for e in auditor.errors][:3]}"
    msp = doc.modelspace()
    yield from title_block([(t.dxf.height, t.dxf.text) for t in msp.query("TEXT")])
    width = max((p[0] for e in msp.query('LINE[layer=="FRAME"]') for p in (e.dxf.start, e.dxf.end)), default=0)
    points = []
    for e in msp.query('*[layer=="VISIBLE" | layer=="HIDDEN"]'):
        if e.dxftype() == "LINE":
            points += [(e.dxf.start[0], e.dxf.start[1]), (e.dxf.end[0], e.dxf.end[1])]
        elif e.dxftype() == "LWPOLYLINE":
            points += [(x, y) for x, y, *_ in e.get_points()]
        elif e.dxftype() == "CIRCLE":
            c, r = e.dxf.center, e.dxf.radius
            points += [(c[0] - r, c[1] - r), (c[0] + r, c[1] + r)]
        elif e.dxftype() == "ARC":
            points += [(p[0], p[1]) for p in (e.start_point, e.end_point)]
    yield from views_on_sheet(width, points)


def svg_sheet(path):
    root = ET.parse(path).getroot()
    if not root.tag.endswith("svg"):
        yield "no SVG"
        return
    yield from title_block([(float(t.get("font-size", "0")), "".join(t.itertext())) for t in root.iter() if t.tag.endswith("text")])
    # View lines are drawn 0.35 wide, hidden ones 0.18 and dashed, in sheet coordinates.
    width = float(root.get("viewBox").split()[2])
    points = []
    for e in root.iter():
        if e.get("stroke-width") not in ("0.35", "0.18"):
            continue
        tag = e.tag.split("}")[-1]
        if tag == "line":
            points += [(float(e.get("x1")), float(e.get("y1"))), (float(e.get("x2")), float(e.get("y2")))]
        elif tag == "polyline":
            xy = [float(v) for v in e.get("points").replace(",", " ").split()]
            points += list(zip(xy[0::2], xy[1::2]))
        elif tag == "circle":
            cx, cy, r = (float(e.get(k)) for k in ("cx", "cy", "r"))
            points += [(cx - r, cy - r), (cx + r, cy + r)]
        elif tag == "path":
            words = e.get("d").split()
            points += [(float(words[1]), float(words[2])), (float(words[-2]), float(words[-1]))]
    yield from views_on_sheet(width, points)


def check(path):
    """The problems of one sheet file, each a line naming the file."""
    name = os.path.basename(path)
    try:
        return [f"{name}: {p}" for p in (dxf_sheet(path) if path.endswith(".dxf") else svg_sheet(path))]
    except Exception as e:
        return [f"{name} does not read: {type(e).__name__}: {e}"]


if __name__ == "__main__":
    problems = [p for folder in sys.argv[1:] for d, _, names in os.walk(folder) for n in sorted(names)
                if n.endswith((".svg", ".dxf")) for p in check(os.path.join(d, n))]
    for p in problems:
        print(p)
    sys.exit(1 if problems else 0)
