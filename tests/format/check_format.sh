#!/usr/bin/env bash
# Fails when a C++ file of the project differs from what clang-format makes
# of it; prints the files and the first differences.
set -u
root=$1
format=${CLANG_FORMAT:-clang-format-14}
cd "$root" || exit 2
mapfile -t files < <(find app bench common diag engine license platform resources settings tests tray ui \
  \( -path tests/deps/planted -prune \) -o \( -name '*.cpp' -o -name '*.h' \) -print | sort)
bad=0
for f in "${files[@]}"; do
  if ! "$format" --dry-run --Werror "$f" >/dev/null 2>&1; then
    echo "not formatted: $f"
    "$format" "$f" | diff -u "$f" - | head -n 12
    bad=$((bad + 1))
  fi
done
echo "${#files[@]} files checked, $bad not formatted"
[ "$bad" -eq 0 ]
