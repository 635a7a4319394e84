# Shared by the release tests: the Wine session of the test's lane, the
# packed release, and small checks. Sourced, with the test's arguments:
#   <test>.sh <build dir>
set -euo pipefail
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
. "$build/packaging/release.env"
version=$STAYWICK_VERSION
dist=$build/release-test/dist
bin=$build/bin
# The Wine session of the lane ctest allotted to this test.
. "$root/scripts/session-env" "$root"
envfile=$staywick_envfile

failed=0
ok() { echo "ok    $*"; }
bad() { echo "FAIL  $*"; failed=1; }
# check <what> <command...>: records a failed command without stopping.
check() { local what=$1; shift; if "$@"; then ok "$what"; else bad "$what"; fi; }
absent() { ! "$@"; }
finish() { [ "$failed" -eq 0 ] && echo "all checks passed"; exit "$failed"; }

use_wine() {
  [ -f "$envfile" ] || { echo "no Wine session ($envfile); run through scripts/test"; exit 1; }
  . "$envfile"
  program_dir=$WINEPREFIX/drive_c/Program\ Files/Staywick
  wine_log=$build/release-test/wine-${STAYWICK_LANE:-session}.log
}
# Wine programs write nothing to our output: services they start would keep
# ctest's pipe open.
win() { wine "$@" </dev/null >>"$wine_log" 2>&1; }

msi_property() {  # msi_property <msi> <name>
  msiinfo export "$1" Property | tr -d '\r' | awk -F'\t' -v n="$2" '$1 == n {print $2}'
}
# A registry value's data in the 64-bit view, or nothing (status 1) when absent.
reg_value() {  # reg_value <key> <name>
  local out
  out=$(wine reg query "$1" /v "$2" </dev/null 2>/dev/null | tr -d '\r') || return 1
  printf '%s\n' "$out" | awk -v n="$2" '$1 == n {sub(/^[ \t]*[^ \t]+[ \t]+REG_[A-Z_]+[ \t]+/, ""); print; found=1} END {exit !found}'
}
reg_key_exists() { wine reg query "$1" </dev/null >/dev/null 2>&1; }
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
uninstall_key() { echo "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$1"; }

# The Start-menu shortcut: per machine, or per user under Wine.
find_shortcut() {
  find "$WINEPREFIX/drive_c/ProgramData" "$WINEPREFIX/drive_c/users" \
    -path '*Start Menu/Programs/*' -name 'Staywick.lnk' 2>/dev/null | head -n1
}
# The per-user settings file, as a Unix path.
user_settings() {
  local appdata
  appdata=$(wine cmd /c echo %APPDATA% </dev/null 2>/dev/null | tr -d '\r')
  echo "$(winepath -u "$appdata" 2>/dev/null)/Tessaro/Staywick/Staywick.Settings"
}

# wait_until <seconds> <command...>: polls the condition until it holds.
wait_until() {
  local end=$((SECONDS + $1)); shift
  until "$@"; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.1
  done
}

# Starts a Windows program detached from our output; its Unix pid in $started.
start_detached() {
  setsid wine "$@" </dev/null >>"$wine_log" 2>&1 &
  started=$!
}

# The installed program, started detached, while msiexec replaces or removes
# it; then whether the installer closed it (exit code 0). One still running
# after msiexec fails the check and is closed here.
start_installed_program() {  # start_installed_program <before what>
  start_detached 'C:\Program Files\Staywick\Staywick.exe'
  check "the installed program runs before the $1" win "$bin/staywick_probe.exe" wait 20000
}
check_closed_by_installer() {
  if win "$bin/staywick_probe.exe" wait 0; then
    bad "the program still runs after msiexec"
    win "$bin/staywick_probe.exe" close 10000 || true
  fi
  local program_rc=0
  wait "$started" || program_rc=$?
  check "the running program was closed, with exit code 0 (got $program_rc)" [ "$program_rc" -eq 0 ]
}
