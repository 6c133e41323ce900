#!/usr/bin/python3
"""Plays tests/journals/bom.vj and reads the workbooks it wrote with openpyxl, an independent reader:
the template's header rows and formulas kept, one row a part name or a body from row 4, values typed."""
import csv, json, os, re, shutil, subprocess, sys, tempfile
import openpyxl
from openpyxl.utils.escape import unescape

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

# Texts a workbook must keep as written: codes of twenty digits, leading zeros, characters XML 1.0
# cannot carry, and a part whose name has a dot; read by openpyxl and by LibreOffice.
HARD = {"no": "12345678901234567890", "name": "202312080001000123", "material": "0012",
        "remark": "a\u0001b\u000bc\u001fd _x0041_ e"}
with tempfile.TemporaryDirectory() as out:
    model = {"file": "frame.v2.prt", "bodies": [
        {"name": "p", "stock": "plate", "size": [200, 100, 5], "attributes": {
            "DB_PART_NAME": HARD["name"], "DB_PART_NO": HARD["no"], "MATERIALS": HARD["material"],
            "REMARK": HARD["remark"], "suling": "钢板(5.0X100X200)"}},
        {"name": "q", "stock": "plate", "size": [300, 100, 5], "at": [0, 300, 0], "attributes": {"DB_PART_NAME": "after"}}]}
    with open(os.path.join(out, "hard.json"), "w", encoding="utf-8") as f:
        json.dump(model, f, ensure_ascii=False)
    with open(os.path.join(out, "hard.vj"), "w", encoding="utf-8") as f:
        f.write(f"build {out}/hard.json {out}\nmenu bom_shuchu\nset enum0 1\nset filepath {out}/bom\nset toggle0 on\napply\ncancel\n")
    os.makedirs(os.path.join(out, "bom"))
    subprocess.run([vorta, "run", os.path.join(out, "hard.vj")], check=True, stdout=subprocess.DEVNULL)
    book = os.path.join(out, "bom", "frame.v2.xlsx")
    if not os.path.isfile(book):
        failures.append(f"the delivered copy is not frame.v2.xlsx: {sorted(os.listdir(os.path.join(out, 'bom')))}")
    else:
        ws = openpyxl.load_workbook(book).active
        check("long drawing number, as text", ws["B4"].value, HARD["no"])
        check("long name, as text", ws["C4"].value, HARD["name"])
        check("leading zeros, as text", ws["F4"].value, HARD["material"])
        # Characters XML 1.0 cannot carry come in the format's escape, which this reader leaves to its
        # own unescape (LibreOffice below turns them back itself).
        check("control characters kept", unescape(ws["I4"].value or ""), HARD["remark"])
        check("the row after", ws["C5"].value, "after")
        check("serial number is a number", ws["A4"].value, 1)
        check("mass is a number", isinstance(ws["G4"].value, float), True)
        # LibreOffice drops a row it cannot read, and every row after it, without a word.
        conv = subprocess.run(["libreoffice", "--headless", "--convert-to", "csv", "--outdir", out, book],
                              capture_output=True, text=True, timeout=300)
        csv_path = os.path.join(out, "frame.v2.csv")
        if conv.returncode != 0 or not os.path.isfile(csv_path):
            failures.append(f"LibreOffice did not read the workbook: {conv.stderr[-300:]}")
        else:
            with open(csv_path, encoding="utf-8", errors="replace") as f:
                rows = list(csv.reader(f))
            line = next((r for r in rows if r and r[0] == "1"), None)
            check("LibreOffice reads the long codes as written", line[1:3] if line else None, [HARD["no"], HARD["name"]])
            check("LibreOffice keeps the row after", any(r and r[2] == "after" for r in rows), True)
            check("LibreOffice turns the escapes back", line[8] if line else None, HARD["remark"])

    # Printed, a bill of materials is as many landscape pages as its rows need, not the template's
    # 2 000 formula rows: 2 rows on one page, 120 on a few, the header rows on each.
    many = {"file": "many.prt", "bodies": [{"name": f"p{i}", "stock": "plate", "size": [200, 100, 5], "at": [0, 300 * i, 0],
                                            "attributes": {"DB_PART_NAME": f"n{i}"}} for i in range(120)]}
    with open(os.path.join(out, "many.json"), "w", encoding="utf-8") as f:
        json.dump(many, f)
    with open(os.path.join(out, "many.vj"), "w", encoding="utf-8") as f:
        f.write(f"build {out}/many.json {out}\nmenu bom_shuchu\nset enum0 1\nset filepath {out}/bom\nset toggle0 on\napply\ncancel\n")
    subprocess.run([vorta, "run", os.path.join(out, "many.vj")], check=True, stdout=subprocess.DEVNULL)
    many_book = os.path.join(out, "bom", "many.xlsx")
    ws = openpyxl.load_workbook(many_book).active
    check("print area, the rows written", ws.print_area, ["$A$1:$J$123"])
    check("header rows on every page", ws.print_title_rows, "$1:$3")
    check("landscape, fitted to the width", (ws.page_setup.orientation, ws.page_setup.fitToWidth, ws.page_setup.fitToHeight,
                                             ws.sheet_properties.pageSetUpPr.fitToPage), ("landscape", 1, 0, True))
    pdf = subprocess.run(["libreoffice", "--headless", "--convert-to", "pdf", "--outdir", out, book, many_book],
                         capture_output=True, text=True, timeout=300)
    def pages(name):
        path = os.path.join(out, name)
        if not os.path.isfile(path):
            return None
        with open(path, "rb") as f:
            return len(re.findall(rb"/Type\s*/Page[^s]", f.read()))
    check("a 2-row bill prints on one page", pages("frame.v2.pdf"), 1)
    n = pages("many.pdf")
    check("a 120-row bill prints on a few pages", n is not None and 2 <= n <= 5, True)

for f in failures:
    print(f)
sys.exit(1 if failures else 0)
