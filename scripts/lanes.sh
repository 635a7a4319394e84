# Test lanes: the Windows tests run in several Wine sessions at once. Each
# lane has its own Xvfb display, its own WINEPREFIX (the template, copied
# afresh for every run), HOME, temporary folder and wineserver, so no two
# lanes share a mutex, a window class, a desktop, a clipboard or a file.
# ctest allots the lanes: every Windows test asks for one ("lanes:1" in its
# RESOURCE_GROUPS), the lane file written here lists them, and
# scripts/session-env turns the lane a test got into that session's
# variables. The installer tests (install, run, upgrade, remove) build on
# each other's installation and so have a session of their own, "installer".
# Sourced after lib.sh.

STAYWICK_LANES_DIR=$STAYWICK_BUILD/wine/lanes
# Measured on a 2-core machine: bench/test-lanes, and docs/testing.md.
STAYWICK_DEFAULT_LANES=2
STAYWICK_STARTED_LANES=()
STAYWICK_LANE_STARTERS=()

# The variables of lane <name>'s session. Wine keeps its server's socket
# under TMPDIR, so stopping the server needs them too. lane_env <name>
lane_env() {
  wine_env "$STAYWICK_LANES_DIR/$1"
  export TMPDIR=$STAYWICK_LANES_DIR/$1/tmp STAYWICK_LANE=$1
}

# lane_start <name>: one lane's session on a fresh copy of the template.
lane_start() {
  local dir=$STAYWICK_LANES_DIR/$1
  mkdir -p "$dir"
  stop_xvfb_of "$dir"
  lane_env "$1"
  # A server left by an interrupted run would keep the old prefix in use.
  if [ -d "$TMPDIR" ]; then wineserver -k >/dev/null 2>&1 || true; fi
  rm -rf "$dir/home" "$dir/tmp" && mkdir -p "$dir/home" "$dir/tmp"
  # Back to the template: only what the last run changed is copied again.
  rsync -a --delete "$STAYWICK_WINE_TEMPLATE/prefix/" "$WINEPREFIX/"
  relink_home "$dir"
  start_xvfb "$dir" 1024x768 || return 1
  wine_services_start
  desktop_hold "$dir" || return 1
  write_session_env "$dir" TMPDIR STAYWICK_LANE
}

# Wine closes a session's desktop a second after its last program has ended
# and starts it again (explorer with its taskbar and notification area) with
# the next one: in a lane, for nearly every test. A helper that stays on the
# desktop until the session ends starts it once, before the first test.
# desktop_hold <session dir>
desktop_hold() {
  local log=$1/desktop.log pid i
  wine "$STAYWICK_BUILD/windows/bin/staywick_probe.exe" hold 60000 </dev/null >"$log" 2>&1 &
  pid=$!
  for i in $(seq 1 600); do
    grep -q "^ready" "$log" 2>/dev/null && return 0
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  log "the desktop of $1 did not start: $(cat "$log" 2>/dev/null)"
  return 1
}

# lanes_start <name>...: all at once; fails when one of them did not start.
lanes_start() {
  local name pid failed=0
  for name; do
    mkdir -p "$STAYWICK_LANES_DIR/$name"
    rm -f "$STAYWICK_LANES_DIR/$name/session.env"
    STAYWICK_STARTED_LANES+=("$name")
    lane_start "$name" >"$STAYWICK_LANES_DIR/$name/start.log" 2>&1 &
    STAYWICK_LANE_STARTERS+=($!)
  done
  for pid in "${STAYWICK_LANE_STARTERS[@]}"; do wait "$pid" || failed=1; done
  STAYWICK_LANE_STARTERS=()
  for name; do
    [ -f "$STAYWICK_LANES_DIR/$name/session.env" ] || { log "lane $name did not start"; failed=1; }
  done
  return "$failed"
}

# Ends every lane this run started: its wineserver with all its programs, and
# its Xvfb.
lanes_stop() {
  local name
  # Lanes still starting (a Ctrl+C came first) stop where they are; what they
  # started already goes below.
  if [ ${#STAYWICK_LANE_STARTERS[@]} -gt 0 ]; then
    kill "${STAYWICK_LANE_STARTERS[@]}" 2>/dev/null || true
    wait "${STAYWICK_LANE_STARTERS[@]}" 2>/dev/null || true
  fi
  for name in "${STAYWICK_STARTED_LANES[@]}"; do
    (lane_env "$name" && wineserver -k >/dev/null 2>&1) || true
    stop_xvfb_of "$STAYWICK_LANES_DIR/$name"
  done
  STAYWICK_STARTED_LANES=()
}

# lanes_file <file> <lanes>: the lane file ctest allots from, lanes 1..<lanes> and
# the installer's session.
lanes_file() {
  local file=$1 n=$2 i ids=
  for i in $(seq 1 "$n"); do ids+="${ids:+,}{\"id\":\"$i\",\"slots\":1}"; done
  printf '{"version":{"major":1,"minor":0},"local":[{"lanes":[%s],"installer":[{"id":"installer","slots":1}]}]}\n' \
    "$ids" >"$file"
}
