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

# A private headless Wine session: its own Xvfb on a free display, its own
# WINEPREFIX and HOME under the build folder, one persistent wineserver.
# wine_session_start <session dir> [desktop]
wine_session_start() {
  local dir=$1 desktop=${2:-1024x768}
  mkdir -p "$dir/home"
  export WINEPREFIX=$dir/prefix HOME=$dir/home WINEARCH=win64 WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  if [ -z "${STAYWICK_USE_DISPLAY:-}" ]; then
    local fifo=$dir/displayfd
    rm -f "$fifo"
    # Its own session, so a Ctrl+C in the terminal reaches only the script.
    setsid Xvfb -displayfd 3 -screen 0 "${desktop}x24" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    STAYWICK_XVFB_PID=$!
    local i
    for i in $(seq 1 100); do [ -s "$fifo" ] && break; sleep 0.1; done
    [ -s "$fifo" ] || { log "Xvfb did not start"; return 1; }
    export DISPLAY=:$(head -n1 "$fifo")
  fi
  # Clear a server left by an earlier, interrupted run of this prefix.
  wineserver -k >/dev/null 2>&1 || true
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    log "creating the Wine prefix (once)"
    wineboot -i >/dev/null 2>&1
  fi
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d "$desktop" /f >/dev/null 2>&1
  wineserver -w
  wineserver -p
  # Start Wine's services now, detached from our output: a service started by
  # the first test would keep ctest's output pipe open.
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  local envfile=$dir/session.env
  {
    for v in DISPLAY WINEPREFIX HOME WINEARCH WINEDEBUG WINEDLLOVERRIDES; do
      printf 'export %s=%q\n' "$v" "${!v}"
    done
  } >"$envfile"
  export STAYWICK_WINE_ENV=$envfile
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
