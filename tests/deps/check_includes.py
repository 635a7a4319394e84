#!/usr/bin/env python3
"""Checks that every #include "..." in the program's folders points down.

Each top folder has a DEPS file listing the folders its files may include
(one per line, '#' starts a comment). On top of that, a portable file (one
directly in a portable folder, not in win32/, app/ or ui/) never includes a
Windows-only header: nothing from a win32/ folder, app/ or ui/, and no
<windows.h>-family system header. Prints each violation and exits 1.

Usage: check_includes.py [root]
"""
import pathlib
import re
import sys

WINDOWS_ONLY_FOLDERS = {"app", "ui"}
WINDOWS_SYSTEM_HEADERS = re.compile(
    r"^(windows|windowsx|commctrl|commdlg|shellapi|shlobj|richedit|uxtheme|dwmapi|"
    r"versionhelpers|winuser|winbase)\.h$", re.IGNORECASE)
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]')


def read_deps(path):
    allowed = set()
    for line in path.read_text().splitlines():
        line = line.split("#", 1)[0].strip()
        if line:
            allowed.add(line.rstrip("/"))
    return allowed


def is_portable(rel):
    parts = rel.parts
    return parts[0] not in WINDOWS_ONLY_FOLDERS and "win32" not in parts[1:-1]


def check(root):
    problems = []
    deps_files = sorted(root.glob("*/DEPS"))
    if not deps_files:
        return ["no DEPS files under %s" % root]
    for deps in deps_files:
        folder = deps.parent.name
        allowed = read_deps(deps)
        for source in sorted(deps.parent.rglob("*")):
            if source.suffix not in (".h", ".cpp", ".hpp"):
                continue
            rel = source.relative_to(root)
            portable = is_portable(rel)
            for number, line in enumerate(source.read_text(errors="replace").splitlines(), 1):
                m = INCLUDE.match(line)
                if not m:
                    continue
                kind, target = m.groups()
                where = "%s:%d: %s" % (rel, number, line.strip())
                if kind == "<":
                    if portable and WINDOWS_SYSTEM_HEADERS.match(target):
                        problems.append("%s  (a portable file includes a Windows header)" % where)
                    continue
                target_parts = pathlib.PurePosixPath(target).parts
                top = target_parts[0]
                if top not in allowed:
                    problems.append("%s  (%s/ may include only: %s)"
                                    % (where, folder, ", ".join(sorted(allowed))))
                elif portable and (top in WINDOWS_ONLY_FOLDERS or "win32" in target_parts[1:-1]):
                    problems.append("%s  (a portable file includes a Windows-only header)" % where)
    return problems


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parents[2])
    problems = check(root.resolve())
    for p in problems:
        print(p)
    if problems:
        print("%d include(s) against the layer rules" % len(problems))
        return 1
    print("includes follow the layer rules")
    return 0


if __name__ == "__main__":
    sys.exit(main())
