#!/usr/bin/env python3
"""Writes the small packing lists the spreadsheet import is tested on: the
same three carton types as CSV, .xlsx (through libxlsxwriter, which lays
the file out as Excel does: shared strings, numbers as numbers, a check as
a boolean) and .ods (the OpenDocument parts written directly), and the
faulty files of the refusals. Run it here; the files are committed, so the
tests need neither."""
import ctypes
import zipfile

XLSX = ctypes.CDLL("libxlsxwriter.so.4")
XLSX.workbook_new.restype = ctypes.c_void_p
XLSX.workbook_add_worksheet.restype = ctypes.c_void_p
XLSX.workbook_add_worksheet.argtypes = [ctypes.c_void_p, ctypes.c_char_p]
for f in ("worksheet_write_string", "worksheet_write_number", "worksheet_write_boolean"):
    getattr(XLSX, f).argtypes = [ctypes.c_void_p, ctypes.c_uint32, ctypes.c_uint16,
                                 {"worksheet_write_string": ctypes.c_char_p,
                                  "worksheet_write_number": ctypes.c_double,
                                  "worksheet_write_boolean": ctypes.c_int}[f], ctypes.c_void_p]
XLSX.workbook_close.argtypes = [ctypes.c_void_p]

HEADER = ["名称", "长", "宽", "高", "数量", "毛重", "可竖放", "可堆码"]
ROWS = [
    ["A", 60, 40, 30, 20, 12.5, "", True],
    ["B", 80, 60, 100, 6, None, "高", False],
    ["C", 50.5, 30, 25, 10, 8, "宽高", True],
]


def csv_cell(v):
    if v is None:
        return ""
    if v is True:
        return "是"
    if v is False:
        return "否"
    return str(v)


def write_csv(path, header, rows):
    with open(path, "w", encoding="utf-8", newline="") as f:
        for row in [header] + rows:
            f.write(",".join(csv_cell(v) for v in row) + "\r\n")


def write_xlsx(path, header, rows):
    book = XLSX.workbook_new(path.encode())
    sheet = XLSX.workbook_add_worksheet(book, "装箱单".encode())
    for r, row in enumerate([header + ["备注"]] + [row + ["易碎"] for row in rows]):
        for c, v in enumerate(row):
            if v is None:
                continue
            if isinstance(v, bool):
                XLSX.worksheet_write_boolean(sheet, r, c, int(v), None)
            elif isinstance(v, (int, float)):
                XLSX.worksheet_write_number(sheet, r, c, float(v), None)
            else:
                XLSX.worksheet_write_string(sheet, r, c, v.encode(), None)
    # A second sheet is not the list.
    notes = XLSX.workbook_add_worksheet(book, "说明".encode())
    XLSX.worksheet_write_string(notes, 0, 0, "本表第一页为装箱单".encode(), None)
    XLSX.workbook_close(book)


def ods_cell(v, logical):
    if isinstance(v, bool) and not logical:
        v = "是" if v else "否"
    if v is None:
        return "<table:table-cell/>"
    if isinstance(v, bool):
        return ('<table:table-cell office:value-type="boolean" office:boolean-value="%s">'
                "<text:p>%s</text:p></table:table-cell>" % (str(v).lower(), str(v).upper()))
    if isinstance(v, (int, float)):
        return ('<table:table-cell office:value-type="float" office:value="%s">'
                "<text:p>%s</text:p></table:table-cell>" % (v, v))
    return '<table:table-cell office:value-type="string"><text:p>%s</text:p></table:table-cell>' % v


def write_ods(path, header, rows, logical=False):
    ns = ('xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
          'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
          'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"')
    body = "".join("<table:table-row>%s</table:table-row>" % "".join(ods_cell(v, logical) for v in row)
                   for row in [header] + rows)
    content = ('<?xml version="1.0" encoding="UTF-8"?>'
               '<office:document-content %s office:version="1.2"><office:body>'
               '<office:spreadsheet><table:table table:name="装箱单">%s</table:table>'
               "</office:spreadsheet></office:body></office:document-content>" % (ns, body))
    manifest = ('<?xml version="1.0" encoding="UTF-8"?>'
                '<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" manifest:version="1.2">'
                '<manifest:file-entry manifest:full-path="/" manifest:media-type="application/vnd.oasis.opendocument.spreadsheet"/>'
                '<manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/>'
                "</manifest:manifest>")
    with zipfile.ZipFile(path, "w") as z:
        z.writestr(zipfile.ZipInfo("mimetype"), "application/vnd.oasis.opendocument.spreadsheet",
                   compress_type=zipfile.ZIP_STORED)
        z.writestr("META-INF/manifest.xml", manifest, compress_type=zipfile.ZIP_DEFLATED)
        z.writestr("content.xml", content, compress_type=zipfile.ZIP_DEFLATED)


write_csv("list.csv", HEADER, ROWS)
write_xlsx("list.xlsx", HEADER, ROWS)
write_ods("list.ods", HEADER, ROWS)
# The refusals: a quantity of 0 in the third row, a list without its height
# column, a size that is no number. The .ods list writes its checks as text,
# 是 and 否, as its own reader knows no logical values.
write_xlsx("quantity_zero.xlsx", HEADER, [ROWS[0], [ "B", 80, 60, 100, 0, None, "高", False]])
write_ods("no_height.ods", HEADER[:3] + HEADER[4:], [r[:3] + r[4:] for r in ROWS])
write_ods("size_text.ods", HEADER, [ROWS[0], ["B", "八十", 60, 100, 6, None, "高", False]])
# Logical values, which the .ods reader passes over: refused, not read as blank.
write_ods("logical.ods", HEADER, ROWS, logical=True)
with open("not_a_sheet.xlsx", "w", encoding="utf-8") as f:
    f.write("名称,长,宽,高,数量\n")
