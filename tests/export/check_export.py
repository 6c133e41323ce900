#!/usr/bin/python3
"""Plays tests/journals/export.vj, then audits every exported sheet with ezdxf, an independent reader:
no audit errors, the title block's Chinese texts, and as many view edges as the SVG render draws."""
import glob, os, re, subprocess, sys, tempfile
import ezdxf

vorta = sys.argv[1]
here = os.path.dirname(os.path.abspath(__file__))
failures = []

with tempfile.TemporaryDirectory() as out:
    journal = os.path.join(here, "..", "journals", "export.vj")
    subprocess.run([vorta, "run", journal, "--out", out], check=True, stdout=subprocess.DEVNULL)
    # The exports were made from plant-1.prt before the backup renamed it; its copy is in the backup.
    subprocess.run([vorta, "render", os.path.join(out, "plant-1(备份)", "plant-1.prt"), "-o", os.path.join(out, "svg")],
                   check=True, stdout=subprocess.DEVNULL)
    files = sorted(glob.glob(os.path.join(out, "plant-1CAD工程图", "*.dxf")))
    if len(files) != 5:
        failures.append(f"expected 5 exported sheets, found {len(files)}")
    for f in files:
        name = os.path.basename(f)[:-4]
        doc = ezdxf.readfile(f)
        auditor = doc.audit()
        if auditor.has_errors:
            failures.append(f"{name}: audit errors: {[str(e.message) for e in auditor.errors][:5]}")
        msp = doc.modelspace()
        texts = [t.dxf.text for t in msp.query("TEXT")]
        for label in ("名称", "图号", "材料"):
            if label not in texts:
                failures.append(f"{name}: no text {label}")
        layers = {e.dxf.layer for e in msp}
        if not {"FRAME", "TITLE", "VISIBLE"} <= layers:
            failures.append(f"{name}: layers {sorted(layers)}")
        if doc.linetypes.get("DASHED") is None or doc.layers.get("HIDDEN").dxf.linetype != "DASHED":
            failures.append(f"{name}: hidden edges are not dashed")
        edges = sum(1 for e in msp if e.dxf.layer in ("VISIBLE", "HIDDEN"))
        svg = open(os.path.join(out, "svg", name + ".svg"), encoding="utf-8").read()
        drawn = len(re.findall(r"<(?:line|polyline|circle|path) [^>]*stroke-width=\"0\.(?:35|18)\"", svg))
        if edges != drawn or edges == 0:
            failures.append(f"{name}: {edges} view edges in the DXF, {drawn} in the render")

for f in failures:
    print(f)
sys.exit(1 if failures else 0)
