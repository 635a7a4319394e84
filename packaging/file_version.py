#!/usr/bin/env python3
"""Prints the file version of a Windows executable (a.b.c.d), read from the
fixed part of its version resource (VS_FIXEDFILEINFO), for the MSI's File
table.  Usage: file_version.py <file.exe>"""
import struct
import sys

data = open(sys.argv[1], "rb").read()
at = data.find(struct.pack("<I", 0xFEEF04BD))
if at < 0:
    sys.exit("no version resource in " + sys.argv[1])
ms, ls = struct.unpack_from("<II", data, at + 8)
print(f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}")
