#!/usr/bin/python3
"""Writes the bill-of-materials template workbook 明细表模版.xlsx: three header rows with the trade's
column titles, column widths, a frozen header, in column 8 the total weight of each row, and a print
setup: landscape A4 fitted to the width, the header rows on every page, and a print area that follows
the rows written.

usage: bom_template.py OUT.xlsx"""
import sys
from openpyxl import Workbook
from openpyxl.workbook.defined_name import DefinedName
from openpyxl.styles import Alignment, Border, Font, Side

COLUMNS = [  # title, width
    ("序号", 6), ("图号", 22), ("名称", 18), ("规格", 24), ("数量", 7),
    ("材料", 10), ("单重(kg)", 11), ("总重(kg)", 11), ("备注", 16), ("类别", 6),
]
ROWS_WITH_TOTALS = 2000  # rows 4 on that get the total-weight formula

wb = Workbook()
ws = wb.active
ws.title = "明细表"
thin = Side(style="thin")
box = Border(left=thin, right=thin, top=thin, bottom=thin)
ws.merge_cells(start_row=1, start_column=1, end_row=1, end_column=len(COLUMNS))
ws.cell(row=1, column=1, value="材料明细表").font = Font(size=16, bold=True)
ws.cell(row=1, column=1).alignment = Alignment(horizontal="center")
ws.cell(row=2, column=1, value="项目:")
ws.cell(row=2, column=6, value="日期:")
for col, (title, width) in enumerate(COLUMNS, start=1):
    c = ws.cell(row=3, column=col, value=title)
    c.font = Font(bold=True)
    c.alignment = Alignment(horizontal="center")
    c.border = box
    ws.column_dimensions[c.column_letter].width = width
for row in range(4, 4 + ROWS_WITH_TOTALS):
    ws.cell(row=row, column=8, value=f'=IF(E{row}="","",E{row}*G{row})')
ws.freeze_panes = "A4"

# Without a print area the formulas above would print as 46 blank pages. Column A holds a value in every
# header row and every row written, so counting it gives the rows to print.
wb.defined_names.append(DefinedName("_xlnm.Print_Area", localSheetId=0,
                                    attr_text=f"OFFSET({ws.title}!$A$1,0,0,COUNTA({ws.title}!$A:$A),{len(COLUMNS)})"))
wb.defined_names.append(DefinedName("_xlnm.Print_Titles", localSheetId=0, attr_text=f"{ws.title}!$1:$3"))
ws.page_setup.paperSize = ws.PAPERSIZE_A4
ws.page_setup.orientation = ws.ORIENTATION_LANDSCAPE
ws.page_setup.fitToWidth = 1
ws.page_setup.fitToHeight = 0
ws.sheet_properties.pageSetUpPr.fitToPage = True
ws.print_options.horizontalCentered = True
wb.save(sys.argv[1])
