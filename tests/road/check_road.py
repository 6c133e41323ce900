#!/usr/bin/python3
"""Runs `vorta road` on the stair from STEP and on the example plant, then reads what it left with
readers of its own: the summary against the files on disk, the workbook with openpyxl, every sheet
with ezdxf and as XML. Bad models must end with status 2 and a `file:line: message`.
  check_road.py VORTA SOURCE_DIR"""
import json, os, re, subprocess, sys, tempfile
import xml.etree.ElementTree as ET

import ezdxf
import openpyxl

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


def whole_road(label, model, out, *extra, written=0):
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
    accounted = summary["attributed"] + len(summary["unclassified"]) + written
    if accounted != summary["bodies"]:
        fail(f"{label}: {summary['bodies']} bodies, but {summary['attributed']} given attributes + "
             f"{len(summary['unclassified'])} unclassified + {written} written in the model = {accounted}")
    for key in ("top", "workbook", "log"):
        if not os.path.isfile(summary[key]):
            fail(f"{label}: the {key} {summary[key]} is not there")

    for path in dxfs:
        try:
            auditor = ezdxf.readfile(path).audit()
            if auditor.has_errors:
                fail(f"{label}: {os.path.basename(path)}: audit errors {[str(e.message) for e in auditor.errors][:3]}")
        except Exception as e:
            fail(f"{label}: {os.path.basename(path)} does not read: {type(e).__name__}: {e}")
    for path in svgs:
        try:
            if not ET.parse(path).getroot().tag.endswith("svg"):
                fail(f"{label}: {os.path.basename(path)} is no SVG")
        except ET.ParseError as e:
            fail(f"{label}: {os.path.basename(path)} is not XML: {e}")

    rows = body_rows(summary["workbook"])
    if len(rows) != summary["rows"] or not rows:
        fail(f"{label}: the summary says {summary['rows']} rows, the workbook has {len(rows)}")
    for b, c, d, e, g in rows:
        if not isinstance(d, str) or not d.strip():
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
