#!/usr/bin/env bash
# Silent removal, while the program runs, closes it and takes away the files,
# the shortcut, the Run value and the remembered choice, and leaves the user's settings file as it was. Then an
# install without AUTOSTART writes no Run value.
. "$(dirname "$0")/lib.sh" "$1"
use_wine
# The installed package (the newest upgrade's, when those tests ran).
msi=
for m in "$build"/release-test/upgrade-autostart/*/Staywick-*-win-x64.msi \
         "$build/release-test/upgrade"/Staywick-*-win-x64.msi "$dist/Staywick-$version-win-x64.msi"; do
  [ -f "$m" ] && reg_key_exists "$(uninstall_key "$(msi_property "$m" ProductCode)")" && { msi=$m; break; }
done
check "a Staywick package is installed before" test -n "$msi"
settings=$(user_settings)
check "the user has a settings file before" test -f "$settings"
pc=$(msi_property "${msi:-$dist/Staywick-$version-win-x64.msi}" ProductCode)
before=$(sha256sum "$settings" 2>/dev/null || true)

# Removed while the program runs: it is closed, not left for a reboot.
start_installed_program removal
rc=0
win msiexec /x "$(winepath -w "${msi:-/nonexistent}")" /qn || rc=$?
check "msiexec /x ... /qn exits 0 (got $rc)" [ "$rc" -eq 0 ]
check_closed_by_installer
check "the program files are gone" test ! -e "$program_dir/Staywick.exe"
check "the shortcut is gone" test -z "$(find_shortcut)"
check "the Run value is gone" absent reg_value "$run_key" Staywick
check "the remembered choice is gone" absent reg_key_exists 'HKLM\Software\Tessaro\Staywick'
check "the Apps entry is gone" absent reg_key_exists "$(uninstall_key "$pc")"
check "the user's settings file is untouched" [ "$(sha256sum "$settings" 2>/dev/null || true)" = "$before" ]

# Without AUTOSTART: installed, but no Run value.
plain=$dist/Staywick-$version-win-x64.msi
rc=0
win msiexec /i "$(winepath -w "$plain")" /qn || rc=$?
check "msiexec /i ... /qn without AUTOSTART exits 0 (got $rc)" [ "$rc" -eq 0 ]
check "it installs the program" test -f "$program_dir/Staywick.exe"
check "it writes no Run value" absent reg_value "$run_key" Staywick
rc=0
win msiexec /x "$(winepath -w "$plain")" /qn || rc=$?
check "and removes cleanly (exit $rc)" [ "$rc" -eq 0 -a ! -e "$program_dir/Staywick.exe" ]
finish
