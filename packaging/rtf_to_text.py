#!/usr/bin/env python3
"""Plain text (CR LF) from the license's RTF, for the zip's LICENSE.txt.

Handles what resources/license.rtf uses: groups, control words, \\par,
\\tab, \\'hh (code page 1252) and escaped braces; skips the font table.
Usage: rtf_to_text.py <in.rtf> <out.txt>
"""
import re
import sys

TOKEN = re.compile(r"\\'([0-9a-fA-F]{2})|\\([a-z]+)(-?\d+)? ?|\\([\\{}])|([{}])|[\r\n]+|([^\\{}\r\n]+)")
SKIPPED = {"fonttbl", "colortbl", "stylesheet", "info", "*"}


def convert(rtf):
    out = []
    depth = 0
    skip_depth = None  # depth of a group whose text is not shown
    for m in TOKEN.finditer(rtf):
        hexchar, word, _arg, escaped, brace, text = m.groups()
        if brace == "{":
            depth += 1
            continue
        if brace == "}":
            if skip_depth is not None and depth == skip_depth:
                skip_depth = None
            depth -= 1
            continue
        if word in SKIPPED and skip_depth is None:
            skip_depth = depth
        if skip_depth is not None:
            continue
        if hexchar:
            out.append(bytes([int(hexchar, 16)]).decode("cp1252"))
        elif word == "par":
            out.append("\n")
        elif word == "tab":
            out.append(" ")
        elif escaped:
            out.append(escaped)
        elif text:
            out.append(text)
    lines = [line.strip() for line in "".join(out).split("\n")]
    while lines and not lines[-1]:
        lines.pop()
    # One blank line between paragraphs, as a plain text reader expects.
    return "\r\n\r\n".join(lines) + "\r\n"


def main():
    with open(sys.argv[1], encoding="ascii") as f:
        text = convert(f.read())
    with open(sys.argv[2], "w", encoding="utf-8", newline="") as f:
        f.write(text)


if __name__ == "__main__":
    main()
