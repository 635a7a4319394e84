#!/usr/bin/env bash
# AUTOSTART given on the command line of an upgrade wins over the remembered
# choice, and is remembered in its place: AUTOSTART=0 removes the Run value,
# and a later upgrade without AUTOSTART keeps it off.
. "$(dirname "$0")/lib.sh" "$1"
use_wine
IFS=. read -r major minor patch <<<"$version"
out=$build/release-test/upgrade-autostart
rm -rf "$out"
check "the Run value is there before (remembered AUTOSTART=1)" reg_value "$run_key" Staywick

off_version=$major.$minor.$((patch + 2))
"$root/packaging/make-dist" "$build" "$out/off" --version "$off_version" >/dev/null
rc=0
win msiexec /i "$(winepath -w "$out/off/Staywick-$off_version-win-x64.msi")" /qn AUTOSTART=0 || rc=$?
check "msiexec /i <newer> /qn AUTOSTART=0 exits 0 (got $rc)" [ "$rc" -eq 0 ]
check "AUTOSTART=0 removed the Run value" absent reg_value "$run_key" Staywick
check "the program is still installed" test -f "$program_dir/Staywick.exe"

again_version=$major.$minor.$((patch + 3))
"$root/packaging/make-dist" "$build" "$out/again" --version "$again_version" >/dev/null
rc=0
win msiexec /i "$(winepath -w "$out/again/Staywick-$again_version-win-x64.msi")" /qn || rc=$?
check "a further upgrade without AUTOSTART exits 0 (got $rc)" [ "$rc" -eq 0 ]
check "the choice AUTOSTART=0 was remembered" absent reg_value "$run_key" Staywick
finish
