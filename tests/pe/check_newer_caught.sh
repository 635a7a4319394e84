#!/usr/bin/env bash
# The import check refuses an exe that imports functions newer than Windows 7
# SP1, and names each of them.
# Usage: check_newer_caught.sh <probe exe>
set -u
out=$("$(dirname "$0")/win7_imports.sh" "$1")
status=$?
printf '%s\n' "$out"
fail=0
[ $status -ne 0 ] || { echo "the check passed an exe with newer imports"; fail=1; }
for fn in GetDpiForWindow GetDpiForSystem AdjustWindowRectExForDpi GetSystemMetricsForDpi \
  SystemParametersInfoForDpi GetDpiForMonitor; do
  printf '%s\n' "$out" | sed -n '/^newer than/,$p' | grep -qw "$fn" || { echo "not caught: $fn"; fail=1; }
done
printf '%s\n' "$out" | grep -q '^imports shcore\.dll' || { echo "shcore.dll not caught"; fail=1; }
exit $fail
