#!/usr/bin/env python3
"""varnel-plan --report as scripts call it, with no display: the plan's texts
stay as they are, the PDF reads as the steps, the spreadsheet as the plan's
blocks, and a report that cannot be written is exit 3.
Usage: report_cli_test.py VARNEL_PLAN PDFTOTEXT PDFINFO"""
import json
import math
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile

PLANNER, PDFTOTEXT, PDFINFO = sys.argv[1:4]
WORKED = ["590", "235", "239", "60", "85", "40"]
# No display of any kind: the planner must find its own way.
ENV = {k: v for k, v in os.environ.items()
       if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
failures = []


def plan(*args):
    return subprocess.run([PLANNER, *args], env=ENV, capture_output=True, text=True, check=False)


def check(condition, what):
    if not condition:
        failures.append(what)


def pdf_text(path):
    return subprocess.run([PDFTOTEXT, str(path), "-"], capture_output=True, text=True,
                          check=True).stdout


def same_output(args, report, what, options=()):
    """The plan with and without --report: same texts, same status."""
    plain, with_report = plan(*args), plan(*args, *options, "--report", str(report))
    check(with_report.returncode == plain.returncode == 0, f"{what}: exit {with_report.returncode}")
    check(with_report.stdout == plain.stdout, f"{what}: the texts changed")
    check(report.is_file(), f"{what}: no report")


def main():
    folder = pathlib.Path(tempfile.mkdtemp())
    try:
        pdf = folder / "worked.pdf"
        same_output(WORKED, pdf, "worked example")
        text = pdf_text(pdf)
        steps = [text.find(f"第 {k} 步") for k in range(1, 6)]
        check(-1 not in steps and steps == sorted(steps), "worked example: steps 1 to 5 in order")
        check("累计：130 / 130 箱" in text, "worked example: the last step's total")

        last = folder / "last.pdf"
        shipment = ["--quantity", "300", "--carton-weight", "20", "--payload", "26000"]
        same_output([*shipment, *WORKED], last, "last container")
        text = pdf_text(last)
        # Weighed, the part load at the far end is judged by the band of 5 %.
        for line in ("本订单共需 3 个集装箱", "共装 40 个包装箱", "货重：800 千克（载重 26000 千克）",
                     "纵向重心：", "横向重心：距左侧 ",
                     "重心允许范围：前后 ±30 cm，左右 ±12 cm；重心偏离中心", "最重承压："):
            check(line in text, f"last container: {line}")

        letter = folder / "letter.pdf"
        same_output(WORKED, letter, "letter", ["--paper", "Letter"])
        info = subprocess.run([PDFINFO, str(letter)], capture_output=True, text=True).stdout
        check("612 x 792" in info, "letter: page size")

        steps_xlsx = folder / "optimised.xlsx"
        optimised = ["--optimise", "--json", *WORKED]
        same_output(optimised, steps_xlsx, "optimised spreadsheet")
        try:
            import openpyxl
        except ImportError:
            print("openpyxl missing: the spreadsheet is not read back")
        else:
            plan_json = json.loads(plan(*optimised).stdout)
            rows = list(openpyxl.load_workbook(steps_xlsx).active.iter_rows(min_row=2,
                                                                            values_only=True))
            steps = plan_json["steps"]
            check(len(rows) == len(steps), "optimised spreadsheet: a row per step")
            check(rows[-1][10] == plan_json["cartons"], "optimised spreadsheet: the total")
            check([r[5] for r in rows] == [s["count_x"] * s["count_y"] * s["count_z"]
                                           for s in steps],
                  "optimised spreadsheet: the steps' cartons")
            check([r[11] for r in rows] == [s["wall"] for s in steps],
                  "optimised spreadsheet: the steps' walls")
            check([r[7] for r in rows] == [math.floor(s["y"] / 10 + 0.5) for s in steps],
                  "optimised spreadsheet: whole centimetres from the far end")

        # A mixed order: each container's steps under its heading, its first
        # wall first.
        listed = folder / "list.csv"
        listed.write_text("名称,长,宽,高,数量,毛重,可竖放,可堆码\n"
                          "A,60,40,30,40,20,,\nB,80,60,100,6,,H,否\nC,45.5,35,25,30,8,WH,\n",
                          encoding="utf-8")
        mixed = folder / "mixed.pdf"
        same_output(["--mixed", str(listed), "590", "235", "239", "--containers", "2",
                     "--payload", "700"], mixed, "mixed order")
        text = pdf_text(mixed) if mixed.is_file() else ""
        # A weighed load may stand off the far end to balance, so its first
        # wall starts where its cartons do.
        heads = [re.search(f"第{k}个集装箱（共2个）\n第1面墙：距里端 \\d+–", text) for k in (1, 2)]
        firsts = [h.start() if h else -1 for h in heads]
        check(-1 not in firsts and firsts == sorted(firsts),
              "mixed order: each container's steps under its heading, in order")
        check("方案：混装计算" in text, "mixed order: the plan's kind")

        refusals = [
            (["--report", str(folder / "no" / "such" / "folder.pdf")], 3, "文件保存出错"),
            (["--report", str(folder / "steps.txt")], 2, "装箱指导书的文件名须以.pdf或.xlsx结尾"),
            (["--paper", "A5", "--report", str(folder / "a5.pdf")], 2, "纸张须为A4或Letter"),
            (["--paper", "A4"], 2, "usage: varnel-plan"),
        ]
        for args, status, message in refusals:
            r = plan(*WORKED, *args)
            check(r.returncode == status and r.stdout == "" and message in r.stderr,
                  f"{args}: exit {r.returncode}, {r.stderr!r}")

        # Drawing needs Qt Gui, never the widgets or the printing support.
        if shutil.which("readelf"):
            needed = subprocess.run(["readelf", "-d", PLANNER], capture_output=True,
                                    text=True).stdout
            check("Widgets" not in needed and "PrintSupport" not in needed,
                  "the planner links no widgets")
    finally:
        shutil.rmtree(folder)
    for f in failures:
        print("FAILED:", f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
