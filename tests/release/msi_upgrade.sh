#!/usr/bin/env bash
# A second MSI with a higher version replaces the first while the installed
# program runs: the program is closed (not left for a reboot), msiexec ends
# with 0, not 3010; one Apps entry, of the new version; the new exe in place;
# the shortcut and the remembered AUTOSTART stay.
. "$(dirname "$0")/lib.sh" "$1"
use_wine
old_msi=$dist/Staywick-$version-win-x64.msi
IFS=. read -r major minor patch <<<"$version"
new_version=$major.$minor.$((patch + 1))
# The new package carries an exe of its own bytes (a marker after the image,
# which the loader ignores), so the installed file shows which one it is.
new_build=$build/release-test/upgrade-build
rm -rf "$new_build"
mkdir -p "$new_build/bin" "$new_build/packaging"
cp "$build/packaging/release.env" "$new_build/packaging/"
cp "$bin/StaywickClose.exe" "$new_build/bin/"
{ cat "$dist/Staywick.exe"; printf 'upgrade %s' "$new_version"; } >"$new_build/bin/Staywick.exe"
"$root/packaging/make-dist" "$new_build" "$build/release-test/upgrade" --version "$new_version" >/dev/null
new_msi=$build/release-test/upgrade/Staywick-$new_version-win-x64.msi
old_pc=$(msi_property "$old_msi" ProductCode)
new_pc=$(msi_property "$new_msi" ProductCode)
check "the new package has its own ProductCode" [ "$old_pc" != "$new_pc" ]
check "the old version is installed before" reg_key_exists "$(uninstall_key "$old_pc")"

start_installed_program upgrade
rc=0
win msiexec /i "$(winepath -w "$new_msi")" /qn || rc=$?
check "msiexec /i <newer> /qn exits 0, no reboot asked (got $rc)" [ "$rc" -eq 0 ]
check_closed_by_installer
check "the new version is registered" reg_key_exists "$(uninstall_key "$new_pc")"
check "the old version is gone" absent reg_key_exists "$(uninstall_key "$old_pc")"
check "Apps entry shows $new_version" \
  [ "$(reg_value "$(uninstall_key "$new_pc")" DisplayVersion || true)" = "$new_version" ]
check "the installed exe is the new one" cmp -s "$program_dir/Staywick.exe" "$new_build/bin/Staywick.exe"
check "no file waits for a reboot" \
  absent reg_value 'HKLM\System\CurrentControlSet\Control\Session Manager' PendingFileRenameOperations
check "the shortcut is still there" test -n "$(find_shortcut)"
check "AUTOSTART was remembered without being given again" reg_value "$run_key" Staywick
finish
