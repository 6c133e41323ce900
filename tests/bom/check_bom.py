#!/usr/bin/python3
"""Plays tests/journals/bom.vj and reads the workbooks it wrote with openpyxl, an independent reader:
the template's header rows and formulas kept, one row a part name or a body from row 4, values typed."""
import os, subprocess, sys, tempfile
import openpyxl

vorta = sys.argv[1]
here = os.path.dirname(os.path.abspath(__file__))
failures = []

def check(what, got, want):
    if got != want:
        failures.append(f"{what}: expected {want!r}, found {got!r}")

with tempfile.TemporaryDirectory() as out:
    for d in ("merged", "each", "none"):
        os.makedirs(os.path.join(out, d))
    subprocess.run([vorta, "run", os.path.join(here, "..", "journals", "bom.vj"), "--out", out], check=True, stdout=subprocess.DEVNULL)

    def sheet(d):
        return openpyxl.load_workbook(os.path.join(out, d, "press-1.xlsx")).active

    for d in ("merged", "each", "none"):
        ws = sheet(d)
        check(f"{d} title", ws["A1"].value, "材料明细表")
        check(f"{d} column titles", [c.value for c in ws[3]], ["序号", "图号", "名称", "规格", "数量", "材料", "单重(kg)", "总重(kg)", "备注", "类别"])
        check(f"{d} formula", ws["H4"].value, '=IF(E4="","",E4*G4)')
        check(f"{d} frozen header", ws.freeze_panes, "A4")

    ws = sheet("merged")
    check("merged row 4", [c.value for c in ws[4]][:7] + [ws["J4"].value], [1, "Q-1", "A", "钢板(5.0X100X200)", 2, "Q235", 0.78, 4])
    check("merged row 5", [ws["A5"].value, ws["C5"].value, ws["E5"].value, ws["J5"].value], [2, "B", 1, 2])
    check("merged remark as typed", ws["I5"].value, 'a "quoted", {braced} \\ text')
    check("merged has two rows", ws["C6"].value, None)
    check("mass is a number", isinstance(ws["G4"].value, float), True)
    check("quantity is a number", isinstance(ws["E4"].value, int), True)

    ws = sheet("each")
    check("each row a body", [ws["C4"].value, ws["C5"].value, ws["C6"].value], ["A", "B", "A"])
    check("each quantity 1", [ws["E4"].value, ws["E5"].value, ws["E6"].value], [1, 1, 1])

    ws = sheet("none")
    check("nothing picked, no rows", ws["C4"].value, None)

for f in failures:
    print(f)
sys.exit(1 if failures else 0)
