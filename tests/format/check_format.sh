#!/usr/bin/env bash
# Fails when a C++ file of the project differs from what clang-format makes
# of it; prints the files and the first differences.
set -u
root=$1
format=${CLANG_FORMAT:-clang-format-14}
cd "$root" || exit 2
mapfile -t files < <(find app bench common diag engine license platform resources settings tests tray ui \
  \( -path tests/deps/planted -prune \) -o \( -name '*.cpp' -o -name '*.h' \) -print | sort)
# One run over all files; it names each file that would change.
mapfile -t bad < <("$format" --dry-run "${files[@]}" 2>&1 | sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: .*-Wclang-format-violations.*/\1/p' | sort -u)
for f in "${bad[@]}"; do
  echo "not formatted: $f"
  "$format" "$f" | diff -u "$f" - | head -n 12
done
echo "${#files[@]} files checked, ${#bad[@]} not formatted"
[ "${#bad[@]}" -eq 0 ]
