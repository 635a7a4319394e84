#!/usr/bin/env bash
# Lists an exe's imported functions by DLL and fails on any that Windows 7 SP1
# lacks (the list beside this script) and on an import of shcore.dll, which 7
# does not have: the loader there refuses to start such an exe at all.
# Usage: win7_imports.sh <exe>
set -u
exe=$1
here=$(cd "$(dirname "$0")" && pwd)
dump=$(x86_64-w64-mingw32-objdump -p "$exe") || { echo "objdump failed"; exit 1; }
# "dll function" for every named import of the import tables.
imports=$(printf '%s\n' "$dump" | awk '
  /^The Import Tables/ { on = 1; next }
  on && /^(The |There is|PE File)/ { on = 0 }
  on && /DLL Name:/ { dll = tolower($3); next }
  on && NF == 3 && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ { print dll, $3 }')
[ -n "$imports" ] || { echo "no imports read"; exit 1; }
echo "imported functions by DLL:"
printf '%s\n' "$imports" | awk '{ n[$1]++; names[$1] = names[$1] " " $2 }
  END { for (d in n) printf "  %s (%d):%s\n", d, n[d], names[d] }' | sort
fail=0
newer=$(grep -v '^\s*\(#\|$\)' "$here/newer_than_win7.txt")
found=$(printf '%s\n' "$imports" | awk 'NR == FNR { bad[$1] = 1; next } ($2 in bad) { print $1 ": " $2 }' \
  <(printf '%s\n' "$newer") -)
if [ -n "$found" ]; then
  echo "newer than Windows 7 SP1:"
  printf '%s\n' "$found" | sed 's/^/  /'
  fail=1
fi
if printf '%s\n' "$imports" | grep -q '^shcore\.dll '; then
  echo "imports shcore.dll (Windows 8.1 and later)"
  fail=1
fi
[ $fail -eq 0 ] && echo "no function newer than Windows 7 SP1 ($(printf '%s\n' "$imports" | wc -l) imports checked)"
exit $fail
