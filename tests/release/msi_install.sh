#!/usr/bin/env bash
# A silent per-machine install with AUTOSTART=1 under Wine: msiexec exits 0,
# the installed exe is dist's, the shortcut, the Run value and the Apps
# entry (publisher, version, icon) are there.
. "$(dirname "$0")/lib.sh" "$1"
use_wine
msi=$dist/Staywick-$version-win-x64.msi
pc=$(msi_property "$msi" ProductCode)

# A run that was cut short may have left its installation behind.
for leftover in "$build"/release-test/*/Staywick-*-win-x64.msi \
                "$build"/release-test/*/*/Staywick-*-win-x64.msi; do
  win msiexec /x "$(winepath -w "$leftover")" /qn || true
done
check "nothing of Staywick is installed before" test ! -e "$program_dir/Staywick.exe"

rc=0
win msiexec /i "$(winepath -w "$msi")" /qn AUTOSTART=1 || rc=$?
check "msiexec /i ... /qn AUTOSTART=1 exits 0 (got $rc)" [ "$rc" -eq 0 ]
check "the installed Staywick.exe is dist's" cmp -s "$program_dir/Staywick.exe" "$dist/Staywick.exe"
shortcut=$(find_shortcut)
check "a Start-menu shortcut exists (${shortcut:-none})" test -n "$shortcut"
check "the shortcut points at the installed exe" grep -aq 'Staywick\\Staywick.exe' "${shortcut:-/dev/null}"
run=$(reg_value "$run_key" Staywick || true)
check "the Run value starts the installed exe (got: $run)" \
  [ "$run" = '"C:\Program Files\Staywick\Staywick.exe"' ]
arp=$(uninstall_key "$pc")
check "Apps entry publisher is Tessaro" [ "$(reg_value "$arp" Publisher || true)" = Tessaro ]
check "Apps entry version is $version" [ "$(reg_value "$arp" DisplayVersion || true)" = "$version" ]
# Windows Installer keeps the icon for Apps and features with the product
# (ProductIcon; some versions also copy it to DisplayIcon).
packed=$(python3 -c 'import sys; g = sys.argv[1].strip("{}").replace("-", "")
print(g[7::-1] + g[11:7:-1] + g[15:11:-1] + "".join(g[i + 1] + g[i] for i in range(16, 32, 2)))' "$pc")
icon=$(reg_value "HKCR\\Installer\\Products\\$packed" ProductIcon || reg_value "$arp" DisplayIcon || true)
icon_file=$( [ -n "$icon" ] && winepath -u "$icon" 2>/dev/null || true)
check "Apps entry has the program's icon (${icon:-none})" cmp -s "${icon_file:-/nonexistent}" "$root/resources/staywick.ico"
finish
