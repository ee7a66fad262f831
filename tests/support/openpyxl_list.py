#!/usr/bin/env python3
"""Writes, through openpyxl, the packing list of tests/plan/lists/list.csv as
people's scripts write it: openpyxl names the sheet by an absolute part name
and keeps every text in its cell (an empty one too), and the 可竖放 column
holds the names the list window shows instead of the sides' letters.

    openpyxl_list.py FILE.xlsx
"""
import sys

import openpyxl

book = openpyxl.Workbook()
sheet = book.active
sheet.title = "装箱单"
for row in [
    ["名称", "长", "宽", "高", "数量", "毛重", "可竖放", "可堆码"],
    ["A", 60, 40, 30, 20, 12.5, "", True],
    ["B", 80, 60, 100, 6, None, "不可侧放", "否"],
    ["C", 50.5, 30, 25, 10, 8, "长边不可竖放", "是"],
]:
    sheet.append(row)
book.save(sys.argv[1])
