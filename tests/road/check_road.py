#!/usr/bin/python3
"""Runs `vorta road` on the stair from STEP and on the example plant, then reads what it left with
readers of its own: the summary against the files on disk, the workbook with openpyxl, every sheet
with ezdxf and as XML. Bad models must end with status 2 and a `file:line: message`.
  check_road.py VORTA SOURCE_DIR"""
import json, os, re, subprocess, sys, tempfile
import xml.etree.ElementTree as ET

import openpyxl

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import sheet_checks

vorta, source = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
failures = []
TEMPORARY = re.compile(r"\.(writing|tmp|old)(\.[A-Za-z0-9_]{6})?$")


def fail(what):
    failures.append(what)


def road(model, out, *extra):
    return subprocess.run([vorta, "road", model, "-o", out, *extra], capture_output=True, text=True,
                          errors="replace", timeout=1800)


def files_under(folder, ext):
    return sorted(os.path.join(d, n) for d, _, names in os.walk(folder) for n in names if n.lower().endswith(ext))


def body_rows(path):
    """Rows under the three header rows that carry a serial number, as (B, C, D, E, G)."""
    wb = openpyxl.load_workbook(path)
    ws = wb.active
    rows = [(r[1], r[2], r[3], r[4], r[6]) for r in ws.iter_rows(min_row=4, max_col=10, values_only=True)
            if r[0] is not None]
    wb.close()
    return rows


def spec_rows(path, material=False):
    """Rows as (B, C, D, E, G) or with material F at the end."""
    wb = openpyxl.load_workbook(path)
    ws = wb.active
    rows = [(r[1], r[2], r[3], r[4], r[6]) + ((r[5],) if material else ())
            for r in ws.iter_rows(min_row=4, max_col=10, values_only=True) if r[0] is not None]
    wb.close()
    return rows


def whole_road(label, model, out, *extra, written=0, specified=True):
    """Runs the road to its end and checks every file against the summary, `written` the bodies whose
    specification the model gives; answers the summary and the workbook's rows."""
    r = road(model, out, *extra)
    if r.returncode != 0:
        fail(f"{label}: exit status {r.returncode}: {r.stderr.strip()[-600:]}")
        return None, []
    with open(os.path.join(out, "road.json"), encoding="utf-8") as f:
        summary = json.load(f)

    rendered = "--no-render" not in extra
    svgs = files_under(os.path.join(out, "sheets"), ".svg")
    dxfs = files_under(summary["exports"], ".dxf")
    counts = {"sheets": summary["sheets"], "exported": summary["exported"], "DXF files": len(dxfs)}
    if rendered:
        counts.update({"rendered": summary["rendered"], "SVG files": len(svgs)})
    elif summary["rendered"] or svgs:
        fail(f"{label}: sheets drawn despite --no-render: {summary['rendered']}, {len(svgs)} files")
    if len(set(counts.values())) != 1 or summary["sheets"] == 0:
        fail(f"{label}: sheets, exports and renders disagree: {counts}")
    # Every body is written, was written in the model already, or is listed as of no stock.
    accounted = summary["attributed"] + len(summary["unclassified"]) + summary["specified"]
    if summary["specified"] != written:
        fail(f"{label}: {summary['specified']} bodies specified in the model, not {written}")
    if accounted != summary["bodies"]:
        fail(f"{label}: {summary['bodies']} bodies, but {summary['attributed']} given attributes + "
             f"{len(summary['unclassified'])} unclassified + {written} written in the model = {accounted}")
    for key in ("top", "workbook", "log"):
        if not os.path.isfile(summary[key]):
            fail(f"{label}: the {key} {summary[key]} is not there")

    for path in dxfs + svgs:
        for problem in sheet_checks.check(path):
            fail(f"{label}: {problem}")

    rows = body_rows(summary["workbook"])
    if len(rows) != summary["rows"] or not rows:
        fail(f"{label}: the summary says {summary['rows']} rows, the workbook has {len(rows)}")
    for b, c, d, e, g in rows:
        if specified and (not isinstance(d, str) or not d.strip()):
            fail(f"{label}: row {c!r} has no specification: {d!r}")
        if not isinstance(g, (int, float)) or isinstance(g, bool) or not g > 0:
            fail(f"{label}: row {c!r} has a weight that is no number: {g!r}")
        if not isinstance(e, int) or e < 1:
            fail(f"{label}: row {c!r} has a quantity that is no count: {e!r}")

    left = [os.path.relpath(os.path.join(d, n), out) for d, _, names in os.walk(out) for n in names
            if TEMPORARY.search(n)]
    if left:
        fail(f"{label}: temporary files left: {left[:5]}")
    return summary, rows


def bad_road(label, model, out, line):
    """A model that cannot be built: status 2, one `file:line: message`, no trace of a crash."""
    r = road(model, out)
    err = r.stderr.strip()
    if r.returncode != 2:
        fail(f"{label}: exit status {r.returncode}, not 2 (stderr {err[-300:]!r})")
    m = re.fullmatch(r"(.+):(\d+): (.+)", err.splitlines()[-1] if err else "")
    if not m or m[1] != model or int(m[2]) != line:
        fail(f"{label}: stderr is not {model}:{line}: message but {err[-300:]!r}")
    for sign in ("Traceback", "terminate called", "Segmentation", "Aborted", "Standard_"):
        if sign in r.stderr + r.stdout:
            fail(f"{label}: {sign!r} in its output")


def bodies_of(desc):
    """The bodies of a model description and of the parts it describes inline."""
    out = list(desc.get("bodies", []))
    for c in desc.get("components", []):
        if isinstance(c.get("part"), dict):
            out += bodies_of(c["part"])
    return out


with tempfile.TemporaryDirectory() as tmp:
    # The stair: every body is stock, identical bodies merge into one row, the import's names reach
    # the workbook.
    summary, rows = whole_road("stair", os.path.join(source, "data", "step", "stair.step"), os.path.join(tmp, "stair"))
    if summary:
        if summary["bodies"] != 22 or summary["unclassified"]:
            fail(f"stair: {summary['bodies']} bodies, not 22, unclassified {summary['unclassified']}")
        if sum(e for _, _, _, e, _ in rows if isinstance(e, int)) != 22:
            fail(f"stair: the workbook's quantities do not add up to 22: {rows}")
        names = " ".join(str(c) for _, c, _, _, _ in rows)
        for name in ("梯梁", "踏板", "扶手立柱", "扶手管"):
            if name not in names:
                fail(f"stair: no row of {name} in the workbook: {names[:300]}")

    # Stock as another system sends it, each body askew: the specification a fabricator reads off
    # every steel row, to the millimetre; what is no stock or no steel is named, listed with why, and
    # carries no specification.
    summary, rows = whole_road("stock", os.path.join(source, "tests", "shapes", "stock.step"), os.path.join(tmp, "stock"),
                               "--no-render", specified=False)
    if summary:
        specs = {
            "square tube 40x40x3 r6": "方管(40X40X3.0-1000)", "rect tube 80x40x4 r8 mitred": "矩形管(80X40X4.0-600)",
            "square tube 30x30x2 r4 holes": "方管(30X30X2.0-500)", "square tube 50x50x5 sharp": "方管(50X50X5.0-800)",
            "angle 50x50x5 r7": "角钢(50X50X5.0-1200)", "angle 60x40x6 mitred": "角钢(60X40X6.0-750)",
            "angle 40x40x4 holes": "角钢(40X40X4.0-300)", "channel 100x50x5 r8": "槽钢(50X100X1500)",
            "beam IPE200": "工字钢(100X200X2000)", "beam HEB200": "H型钢(200X200X1000)",
            "plate 300x200x10": "钢板(10.0X200X300)", "plate 340x340x6 holes": "钢板(6.0X340X340)",
            "plate 200x100x8 countersunk": "钢板(8.0X100X200)", "gusset 150x150x8": "钢板(8.0X92X212)",
            "plate 400x200x12 notched": "钢板(12.0X200X400)", "flat 50x6": "扁钢(6.0X50-400)",
            "flat 30x3 holes": "扁钢(3.0X30-80)", "flat 40x5 mitred": "扁钢(5.0X40-500)",
            "round bar d20": "圆钢(Φ20-300)", "round bar d16 chamfered": "圆钢(Φ16-200)",
            "pipe 60.3x3.6": "无缝钢管(Φ60X3.6-1000)", "pipe 33.7x3.2 holes": "无缝钢管(Φ34X3.2-600)",
            "pipe ring 60.3x3.6x20": "无缝钢管(Φ60X3.6-20)", "disc d164x50": "钢板(50.0X164X164)",
            "washer 32_20.2x6": "钢板(6.0X32X32)", "square bar 20x20": "方钢(20X20X300)", "spacer d30x20": "圆钢(Φ30-20)",
            "bent channel 2mm": "钢板(2.0X303X500)", "bent z 3mm slots": "钢板(3.0X190X300)",
            "bent bracket 3mm holes": "钢板(3.0X100X135)",
        }
        got = {c: (d, m) for _, c, d, _, _, m in spec_rows(summary["workbook"], material=True)}
        for name, spec in specs.items():
            if got.get(name, (None,))[0] != spec:
                fail(f"stock: {name}: {got.get(name)} is not {spec}")
            elif got[name][1] != "Q235":
                fail(f"stock: {name}: material {got[name][1]!r}, not Q235")
        listed = {u["body"] for u in summary["unclassified"]}
        others = {"L block 100x100x60", "wood panel 18x540x1440", "plywood shelf", "rubber pad", "motor", "bolt M10x40",
                  "bearing 6204", "turned shaft", "casting"}
        if listed != others or any(not u["reason"] for u in summary["unclassified"]):
            fail(f"stock: listed {sorted(listed)} with reasons {[u['reason'] for u in summary['unclassified']]}")
        for name in others:
            if name not in got or got[name][0]:
                fail(f"stock: {name} is not named with an empty specification: {got.get(name)}")

    # A small machine as received: every body named, rows that never merge two shapes, the steel of the
    # workbook weighing what the model's steel weighs, a sheet for every part that needs one.
    summary, rows = whole_road("machine", os.path.join(source, "tests", "shapes", "frame.step"), os.path.join(tmp, "machine"),
                               specified=False)
    if summary:
        if summary["bodies"] != 33 or summary["failures"] or not summary["delivered"]:
            fail(f"machine: {summary['bodies']} bodies (not 33), failures {summary['failures']}")
        names = [c for _, c, _, _, _ in rows]
        if len(names) != len(set(names)) or "" in names or None in names:
            fail(f"machine: row names repeat or are empty: {names}")
        for twin in ("housing plate", "housing plate_2", "angle", "angle_2"):
            if twin not in names:
                fail(f"machine: no row of {twin}: {names}")
        steel = sum(e * g for _, _, _, e, g, m in spec_rows(summary["workbook"], material=True) if m == "Q235")
        model = 0.0
        top = json.loads(subprocess.run([vorta, "dump", summary["top"]], capture_output=True, text=True).stdout)
        for o in top["objects"]:
            if o.get("type") == 70 and o.get("name") not in ("wood top", "motor", "bolt M10x40"):
                model += o["mass"]
        if not model or abs(steel - model) > 0.02 * model:
            fail(f"machine: the workbook's steel weighs {steel:.2f} kg, the model's {model:.2f} kg")
        sheets = {os.path.basename(p)[:-4] for p in files_under(os.path.join(tmp, "machine", "sheets"), ".svg")}
        for sheet in ("000-0-总图", "2-0组件-Frame", "6-1-door sheet", "5-1-angle_2", "4-1-housing plate_2"):
            if sheet not in sheets:
                fail(f"machine: no sheet {sheet}: {sorted(sheets)}")

    # The example plant, numbered and named as the user asks: the bodies marked for a drawing of their
    # own carry the prefix, not the number the model gives the plant.
    plant = os.path.join(source, "examples", "plant.json")
    with open(plant, encoding="utf-8") as f:
        bodies = bodies_of(json.load(f))
    marked = {b["name"] for b in bodies if b.get("attributes", {}).get("REMARK") == "按图制作"}
    written = sum(1 for b in bodies if "suling" in b.get("attributes", {}))
    summary, rows = whole_road("plant", plant, os.path.join(tmp, "plant"), "--prefix", "QEL-9", "--name", "除尘器",
                               written=written)
    if summary:
        with open(summary["top"], encoding="utf-8") as f:
            titles = {a["title"]: a.get("value") for a in json.load(f)["attributes"]}
        if titles.get("DB_PART_NO") != "QEL-9" or titles.get("DB_PART_NAME") != "除尘器":
            fail(f"plant: the top part is not numbered and named as asked: {titles}")
        numbers = {c: str(b) for b, c, _, _, _ in rows if b}
        if not marked or not marked <= set(numbers):
            fail(f"plant: not every marked body {sorted(marked)} has a drawing number: {numbers}")
        wrong = {c: n for c, n in numbers.items() if not n.startswith("QEL-9-")}
        if wrong:
            fail(f"plant: drawing numbers not under the prefix QEL-9: {wrong}")
    # The example press: sub-assemblies, handrails longer than their sheets, a general arrangement of
    # more bodies than one exact hidden-line removal takes.
    press = os.path.join(source, "examples", "press", "plant.json")
    with open(press, encoding="utf-8") as f:
        press_written = sum(1 for b in bodies_of(json.load(f)) if "suling" in b.get("attributes", {}))
    whole_road("press", press, os.path.join(tmp, "press"), "--prefix", "QEL-200", "--name", "液压机架", written=press_written)
    # Without pictures: the same sheets, exported, none drawn.
    whole_road("plant unrendered", plant, os.path.join(tmp, "plant-bare"), "--no-render", written=written)

    # Bad models: a file that is not there, a stock no one rolls.
    bad_road("missing model", os.path.join(tmp, "nowhere.json"), os.path.join(tmp, "bad1"), 1)
    bad = os.path.join(tmp, "bad.json")
    with open(bad, "w", encoding="utf-8") as f:
        f.write('{ "file": "bad-1.prt",\n  "bodies": [\n'
                '    { "name": "底板", "stock": "plate", "size": [1000, 500, 10] },\n'
                '    { "name": "工字梁", "stock": "i_beam", "size": [200, 100, 1000] } ] }\n')
    bad_road("unknown stock", bad, os.path.join(tmp, "bad2"), 4)
    bad_road("missing STEP", os.path.join(tmp, "nowhere.step"), os.path.join(tmp, "bad3"), 1)

for f in failures:
    print(f)
sys.exit(1 if failures else 0)
