#!/usr/bin/env bash
# A second MSI with a higher version replaces the first: one Apps entry, of
# the new version; the program, shortcut and remembered AUTOSTART stay.
. "$(dirname "$0")/lib.sh" "$1"
use_wine
old_msi=$dist/Staywick-$version-win-x64.msi
IFS=. read -r major minor patch _ <<<"$version"
new_version=$major.$minor.$((patch + 1)).0
"$root/packaging/make-dist" "$build" "$build/release-test/upgrade" --version "$new_version" >/dev/null
new_msi=$build/release-test/upgrade/Staywick-$new_version-win-x64.msi
old_pc=$(msi_property "$old_msi" ProductCode)
new_pc=$(msi_property "$new_msi" ProductCode)
check "the new package has its own ProductCode" [ "$old_pc" != "$new_pc" ]
check "the old version is installed before" reg_key_exists "$(uninstall_key "$old_pc")"

rc=0
win msiexec /i "$(winepath -w "$new_msi")" /qn || rc=$?
check "msiexec /i <newer> /qn exits 0 (got $rc)" [ "$rc" -eq 0 ]
check "the new version is registered" reg_key_exists "$(uninstall_key "$new_pc")"
check "the old version is gone" absent reg_key_exists "$(uninstall_key "$old_pc")"
check "Apps entry shows $new_version" \
  [ "$(reg_value "$(uninstall_key "$new_pc")" DisplayVersion || true)" = "$new_version" ]
check "the program is still installed" cmp -s "$program_dir/Staywick.exe" "$dist/Staywick.exe"
check "the shortcut is still there" test -n "$(find_shortcut)"
check "AUTOSTART was remembered without being given again" reg_value "$run_key" Staywick
finish
