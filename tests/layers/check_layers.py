#!/usr/bin/env python3
"""Checks that every #include between the program's folders points down the
layers docs/ARCHITECTURE.md describes. Usage: check_layers.py SOURCE_ROOT"""
import pathlib
import re
import sys

# What each folder may include besides itself and the standard and Qt headers.
BELOW = {
    # The design's calculation and what every plan kind uses speak the mixed
    # load's vocabulary; the optimiser of one size builds on both.
    "engine": {"engine/core", "engine/mixed"},
    # The planners' core is the standard library only; the mixed-load planner
    # builds on the core alone.
    "engine/core": set(),
    "engine/mixed": {"engine/core"},
    "engine/single": {"engine", "engine/core", "engine/mixed"},
    "plan": {"engine"},
    "catalogue": {"engine"},
    "view": {"engine"},
    "ui": set(),
    "report": {"engine", "view"},
    "output": {"ui"},
    "help": {"ui", "view", "engine"},
    "dialogs": {"catalogue", "plan", "ui", "engine"},
    "tools": {"engine", "plan", "catalogue", "report"},
    "app": {"engine", "plan", "catalogue", "view", "ui", "output", "help", "dialogs", "report"},
}
# Single headers a folder may include from a folder it otherwise may not: the
# report draws text in the program's fonts, which need Qt Gui alone.
ALSO = {"report": {"ui/fonts.h"},
        # The packing list marks each type in the colour the drawing gives it.
        "dialogs": {"view/type_colours.h"}}
# Headers any folder may include: qtext is the one conversion of the program's
# texts to QString, header-only on Qt Core, so the core uses it too.
SHARED = {"ui/qtext.h"}
# Folders above the program: they may include any of it.
ABOVE = {"generators", "bench", "tests", "fuzz"}

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]*)"')


def folder_of(header: str) -> str:
    """The layer a header from the project root belongs to: its folder, or
    for the engine's own subfolders that subfolder."""
    parts = header.split("/")
    if len(parts) > 2 and "/".join(parts[:2]) in BELOW:
        return "/".join(parts[:2])
    return parts[0]


def main() -> int:
    root = pathlib.Path(sys.argv[1])
    wrong = []
    for folder in sorted(BELOW):
        allowed = BELOW[folder] | {folder}
        # Who may include the engine from above may include its subfolders.
        if "engine" in allowed and not folder.startswith("engine"):
            allowed |= {f for f in BELOW if f.startswith("engine/")}
        for source in sorted((root / folder).rglob("*")):
            if source.suffix not in {".h", ".cpp"}:
                continue
            if folder_of(str(source.relative_to(root))) != folder:
                continue
            for number, line in enumerate(source.read_text(encoding="utf-8").splitlines(), 1):
                match = INCLUDE.match(line)
                if not match or "/" not in match.group(1):
                    continue
                if (folder_of(match.group(1)) not in allowed and match.group(1) not in SHARED
                        and match.group(1) not in ALSO.get(folder, set())):
                    wrong.append(f"{source.relative_to(root)}:{number}: {line.strip()}")
    for folder in (p.name for p in root.iterdir() if p.is_dir()):
        if folder not in BELOW.keys() | ABOVE and (root / folder / "CMakeLists.txt").exists():
            wrong.append(f"{folder}/: a folder of the build in no layer")
    for line in wrong:
        print(line)
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
