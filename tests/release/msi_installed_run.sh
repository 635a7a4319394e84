#!/usr/bin/env bash
# The installed program starts and keeps its settings per user: its
# start-up save lands in %APPDATA%\Tessaro\Staywick, never in Program Files.
. "$(dirname "$0")/lib.sh" "$1"
use_wine
settings=$(user_settings)
mkdir -p "$(dirname "$settings")"
# "ActivateFor" 7 matches no menu entry, so start-up sets it to 0 and saves;
# the [Window] section is the user's own and must stay.
printf '[Window]\r\nLeft=12\r\n[General]\r\nActivateFor=7\r\nInputKey=1\r\n' >"$settings"

start_detached 'C:\Program Files\Staywick\Staywick.exe'
check "the installed program shows its main window" win "$bin/staywick_probe.exe" wait 20000
check "it saves to the per-user settings file" wait_until 20 grep -q 'ActivateFor=0' "$settings"
check "the user's other settings stay" grep -q 'Left=12' "$settings"
check "it closes through its own exit path" win "$bin/staywick_probe.exe" close 10000
rc=0; wait "$started" || rc=$?
check "it ends with exit code 0 (got $rc)" [ "$rc" -eq 0 ]
check "Program Files\\Staywick holds only Staywick.exe: $(ls -A "$program_dir" | tr '\n' ' ')" \
  [ "$(ls -A "$program_dir")" = Staywick.exe ]
check "no settings file anywhere under Program Files" \
  [ -z "$(find "$WINEPREFIX/drive_c/Program Files" -iname 'Staywick.*' ! -iname 'Staywick.exe')" ]
finish
