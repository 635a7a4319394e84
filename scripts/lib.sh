# Shared set-up for scripts/run and scripts/test: packages, builds, and a
# private headless Wine session. Sourced, not run.

STAYWICK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# Several checkouts or agents can use separate build trees through this.
STAYWICK_BUILD=${STAYWICK_BUILD:-$STAYWICK_ROOT/build}

log() { printf '== %s\n' "$*" >&2; }

# Installs whatever the build and the tests need and is not yet there.
ensure_packages() {
  local need=()
  command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-x86-64-posix)
  command -v wine >/dev/null || need+=(wine wine64)
  dpkg -s wine64 >/dev/null 2>&1 || need+=(wine64)
  command -v Xvfb >/dev/null || need+=(xvfb)
  command -v xdotool >/dev/null || need+=(xdotool)
  command -v xwininfo >/dev/null || need+=(x11-utils)
  command -v import >/dev/null || need+=(imagemagick)
  command -v xclip >/dev/null || need+=(xclip)
  command -v rsync >/dev/null || need+=(rsync)
  command -v cmake >/dev/null || need+=(cmake)
  command -v ninja >/dev/null || need+=(ninja-build)
  command -v g++ >/dev/null || need+=(g++)
  [ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
  [ -f /usr/lib/x86_64-linux-gnu/cmake/GTest/GTestConfig.cmake ] || need+=(libgtest-dev libgmock-dev)
  /usr/bin/python3 -c 'import fontTools' 2>/dev/null || need+=(python3-fonttools)
  command -v clang++-14 >/dev/null || need+=(clang-14)
  # The format check runs this very version; another one formats differently.
  command -v clang-format-14 >/dev/null || need+=(clang-format-14)
  command -v python3 >/dev/null || need+=(python3)
  ls /usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 || need+=(libclang-rt-14-dev)
  release_package_needs
  install_packages "${need[@]}"
}

# Adds to need[] what packaging a release (and testing it) needs:
# packaging/make-dist and tests/release.
release_package_needs() {
  command -v git >/dev/null || need+=(git)
  command -v wixl >/dev/null || need+=(wixl)
  command -v msibuild >/dev/null || need+=(msitools)
  command -v zip >/dev/null || need+=(zip)
  command -v unzip >/dev/null || need+=(unzip)
  command -v faketime >/dev/null || need+=(faketime)
  command -v osslsigncode >/dev/null || need+=(osslsigncode)
  command -v openssl >/dev/null || need+=(openssl)
  command -v python3 >/dev/null || need+=(python3)
  /usr/bin/python3 -c 'import yaml' 2>/dev/null || need+=(python3-yaml)
}

# Only what scripts/release needs: the cross compiler, CMake and the packers.
ensure_release_packages() {
  local need=()
  command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-x86-64-posix)
  command -v cmake >/dev/null || need+=(cmake)
  command -v ninja >/dev/null || need+=(ninja-build)
  release_package_needs
  install_packages "${need[@]}"
}

install_packages() {
  [ $# -gt 0 ] || return 0
  log "installing: $*"
  local sudo=
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  # Another installation may hold the package lock for a while: wait for it.
  $sudo apt-get -o DPkg::Lock::Timeout=600 update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq "$@" >/dev/null
}

# configure_build <preset> [targets...]
configure_build() {
  local preset=$1; shift
  local dir=$STAYWICK_BUILD/$preset
  if [ ! -f "$dir/build.ninja" ]; then
    cmake --preset "$preset" -S "$STAYWICK_ROOT" -B "$dir" >/dev/null
  fi
  if [ $# -gt 0 ]; then
    cmake --build "$dir" --target "$@"
  else
    cmake --build "$dir"
  fi
}

# The variables every Wine command of a session runs with: its WINEPREFIX and
# HOME under the session's folder. wine_env <session dir>
wine_env() {
  export WINEPREFIX=$1/prefix HOME=$1/home WINEARCH=win64 WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}

# A private Xvfb on a free display, in its own session so that a Ctrl+C in
# the terminal reaches only the script. Sets DISPLAY and STAYWICK_XVFB_PID and
# leaves the pid in <dir>/xvfb.pid. start_xvfb <dir> <desktop>
start_xvfb() {
  local dir=$1 desktop=$2 fifo=$1/displayfd i
  rm -f "$fifo"
  setsid Xvfb -displayfd 3 -screen 0 "${desktop}x24" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  STAYWICK_XVFB_PID=$!
  echo "$STAYWICK_XVFB_PID" >"$dir/xvfb.pid"
  for i in $(seq 1 100); do [ -s "$fifo" ] && break; sleep 0.1; done
  [ -s "$fifo" ] || { log "Xvfb did not start"; return 1; }
  export DISPLAY=:$(head -n1 "$fifo")
}

# Ends the Xvfb that start_xvfb left in <dir>: only while that pid is still
# the Xvfb of this session (a run that was cut short may have left it; the
# pid may since belong to another program).
stop_xvfb_of() {
  local pid
  pid=$(cat "$1/xvfb.pid" 2>/dev/null) || return 0
  if [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ] &&
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$1/prefix"; then
    kill "$pid" 2>/dev/null || true
  fi
  rm -f "$1/xvfb.pid"
}

# The Wine prefix every session starts from: wineboot makes it once (about a
# minute), sessions copy it (seconds). Made again when Wine itself changes.
STAYWICK_WINE_TEMPLATE=$STAYWICK_BUILD/wine/template
wine_template() {
  local dir=$STAYWICK_WINE_TEMPLATE version
  version=$(wine --version 2>/dev/null)
  [ "$(cat "$dir/ready" 2>/dev/null)" = "$version" ] && return 0
  log "creating the Wine prefix template (once)"
  (
    wine_env "$dir"
    [ -d "$WINEPREFIX" ] && { wineserver -k >/dev/null 2>&1 || true; }
    stop_xvfb_of "$dir"
    rm -rf "$dir" && mkdir -p "$dir/home"
    trap 'kill "$STAYWICK_XVFB_PID" 2>/dev/null; wait "$STAYWICK_XVFB_PID" 2>/dev/null; rm -f "$dir/xvfb.pid"' EXIT
    start_xvfb "$dir" 1024x768
    wineboot -i >/dev/null 2>&1
    # Wine's virtual desktop with its taskbar and notification area.
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d 1024x768 /f >/dev/null 2>&1
    # Until the server has ended, its registry may not be on disk yet.
    wineserver -w
  ) || return 1
  echo "$version" >"$dir/ready"
}

# Wine links the user's Documents, Desktop and the like to HOME: in a copy of
# the template they point to the session's own HOME. relink_home <session dir>
relink_home() {
  local from=$STAYWICK_WINE_TEMPLATE/home link target
  while IFS= read -r -d '' link; do
    target=$(readlink "$link")
    case $target in
      "$from" | "$from"/*) ln -sfn "$1/home${target#"$from"}" "$link" ;;
    esac
  done < <(find "$1/prefix/drive_c/users" -type l -print0)
}

# Writes the session's variables to <dir>/session.env, which the Windows tests
# and scripts/wine-exec read. write_session_env <dir> [more variables...]
write_session_env() {
  local dir=$1 v; shift
  for v in DISPLAY WINEPREFIX HOME WINEARCH WINEDEBUG WINEDLLOVERRIDES "$@"; do
    printf 'export %s=%q\n' "$v" "${!v}"
  done >"$dir/session.env.part"
  mv "$dir/session.env.part" "$dir/session.env"
}

# The first Wine process of a session: the persistent server and Wine's
# services, detached from our output (a service started by the first test
# would keep ctest's output pipe open).
wine_services_start() {
  wineserver -p
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# A private headless Wine session: its own Xvfb on a free display, its own
# WINEPREFIX (a copy of the template, kept between runs) and HOME under the
# build folder, one persistent wineserver.
# wine_session_start <session dir> [desktop]
wine_session_start() {
  local dir=$1 desktop=${2:-1024x768}
  wine_template
  mkdir -p "$dir/home"
  wine_env "$dir"
  if [ -z "${STAYWICK_USE_DISPLAY:-}" ]; then
    start_xvfb "$dir" "$desktop" || return 1
  fi
  # Clear a server left by an earlier, interrupted run of this prefix.
  wineserver -k >/dev/null 2>&1 || true
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    rm -rf "$WINEPREFIX"
    cp -a "$STAYWICK_WINE_TEMPLATE/prefix" "$WINEPREFIX"
    relink_home "$dir"
  fi
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d "$desktop" /f >/dev/null 2>&1
  wineserver -w
  wine_services_start
  write_session_env "$dir"
  export STAYWICK_WINE_ENV=$dir/session.env
  STAYWICK_SESSION_DIR=$dir
}

wine_session_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k >/dev/null 2>&1 || true
  fi
  if [ -n "${STAYWICK_XVFB_PID:-}" ]; then
    kill "$STAYWICK_XVFB_PID" 2>/dev/null || true
    wait "$STAYWICK_XVFB_PID" 2>/dev/null || true
    STAYWICK_XVFB_PID=
  fi
}

# Windows' "High Contrast Black" as the session user's colours (Wine's
# high-contrast flag is always off: the program tells the scheme by its
# colours). Takes effect with the next wineserver. wine_contrast_colours
wine_contrast_colours() {
  local pair
  for pair in 'Window=0 0 0' 'WindowText=255 255 255' 'ButtonFace=0 0 0' \
    'ButtonText=255 255 255' 'Menu=0 0 0' 'MenuText=255 255 255' 'Hilight=26 235 255' \
    'HilightText=0 0 0' 'HotTrackingColor=255 255 0' 'GrayText=63 242 63' \
    'ButtonShadow=255 255 255' 'ButtonHilight=255 255 255'; do
    wine reg add 'HKCU\Control Panel\Colors' /v "${pair%%=*}" /d "${pair#*=}" /f >/dev/null 2>&1
  done
}
