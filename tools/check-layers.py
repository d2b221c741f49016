#!/usr/bin/env python3
"""Fails when a source file includes from a layer above its own.

The folders of src/ are layers, lowest first (the order of LAYERS below and
of src/CMakeLists.txt). A file may include from its own folder and from the
folders below it. Two more rules: the command line never includes the
desktop program (shell), and code built into telvaro_core (the library the
command line and most tests link) never includes a file of telvaro_gui.
print/ is its own library on Qt Gui: only the command line among the core
code may include it.
"""
import pathlib
import re
import sys

LAYERS = ["base", "net", "verdict", "model", "lookup", "print", "commands",
          "widgets", "view", "names", "export", "shell", "cli"]
# Folders whose every file is core; the others say per file in CMakeLists.txt.
CORE_ONLY = {"base", "net", "verdict", "model", "lookup", "cli"}
GUI_ONLY = {"commands", "widgets", "view", "shell", "print"}
FORBIDDEN = {("cli", "shell")}
# Core code that may use a library beyond the core all the same.
ALLOWED = {("cli", "print")}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z]+)/([^"]+)"', re.M)
CORE_SOURCES = re.compile(r"target_sources\(\s*telvaro_core\s+PRIVATE([^)]*)\)", re.S)


def core_stems(src):
    """Paths (without extension) of the files built into telvaro_core."""
    stems = set()
    for folder in LAYERS:
        cmake = src / folder / "CMakeLists.txt"
        if not cmake.exists():
            continue
        for block in CORE_SOURCES.findall(cmake.read_text()):
            for name in block.split():
                # A header-only file is listed with its .h.
                if name.endswith(".cpp") or name.endswith(".h"):
                    stems.add(f"{folder}/{name.rsplit('.', 1)[0]}")
    return stems


def is_core(path, stems):
    folder = path.split("/", 1)[0]
    if folder in CORE_ONLY:
        return True
    if folder in GUI_ONLY:
        return False
    return path.rsplit(".", 1)[0] in stems


def main():
    src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "src")
    stems = core_stems(src)
    rank = {name: i for i, name in enumerate(LAYERS)}
    problems = []
    for file in sorted(src.rglob("*")):
        if file.suffix not in (".h", ".cpp"):
            continue
        rel = file.relative_to(src).as_posix()
        folder = rel.split("/", 1)[0]
        if folder not in rank:
            problems.append(f"{rel}: folder '{folder}' is not a known layer")
            continue
        for target_folder, target in INCLUDE.findall(file.read_text(errors="replace")):
            included = f"{target_folder}/{target}"
            if target_folder not in rank:
                continue
            if rank[target_folder] > rank[folder] or (folder, target_folder) in FORBIDDEN:
                problems.append(f"{rel}: includes {included} from a layer above '{folder}'")
            elif (is_core(rel, stems) and not is_core(included, stems)
                  and (folder, target_folder) not in ALLOWED):
                problems.append(f"{rel}: core code includes {included}, which is not part of the core")
    for p in problems:
        print(p)
    if problems:
        print(f"{len(problems)} include(s) across layers; see the folder table in README.md")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
