#!/usr/bin/env bash
# Screenshots of the real Staywick.exe's tray in a private headless Wine
# session (not part of the tests): the icon in both glyph states on a dark and
# on a light taskbar setting, and the open menu in the dark and the light style;
# last both in a black high-contrast scheme whose taskbar is black although
# the taskbar's colour mode says light ("tray.sh contrast" takes only those).
# Output: $STAYWICK_BUILD/screenshots/tray_*.png (crops, enlarged icons) and
# the full desktops beside them.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/lib.sh"
out=$STAYWICK_BUILD/screenshots
obj=$STAYWICK_BUILD/tray-shots
mkdir -p "$out" "$obj"

# The shared test helpers use GoogleTest, built for Windows with the tests.
configure_build windows Staywick staywick_probe gtest
gtest_flags=(-isystem /usr/src/googletest/googletest/include)
bin=$STAYWICK_BUILD/windows/bin
x86_64-w64-mingw32-g++-posix -std=c++20 -Os -Wall -Wextra -Werror -pedantic-errors -DUNICODE \
  -D_UNICODE -DNOMINMAX -D_WIN32_WINNT=0x0601 -DWINVER=0x0601 -I"$root" -I"$root/tests" "${gtest_flags[@]}" \
  "$root/tests/screenshots/tray_shots.cpp" "$root/tests/win/common/tray_driver.cpp" \
  "$root/tests/win/common/process_helpers.cpp" -static -municode -o "$obj/tray_shots.exe" \
  "$STAYWICK_BUILD/windows/lib/libgtest.a" -luser32 -lgdi32 -lshell32 -ladvapi32

# A portable copy, so the shots leave no settings anywhere else.
cp "$bin/Staywick.exe" "$obj/Staywick.exe"
settings() {
  printf '[General]\r\nActive=%s\r\nDontLetSleepMoreThen=3\r\nActivateFor=%s\r\nAutoStopped=0\r\nInputKey=0\r\nNotifySystem=1\r\n' \
    "$1" "$2" >"$obj/Staywick.Settings"
}

trap wine_session_stop EXIT
wine_session_start "$STAYWICK_BUILD/wine-tray-shots"
personalize='HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize'

# Wine's taskbar is painted in the system colours: dark ones for the dark
# taskbar setting, the standard ones for the light. The server is restarted
# so that every program picks them up.
taskbar_colours() {
  local v
  if [ "$1" = contrast ]; then
    wine_contrast_colours
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w
    wineserver -p
    return
  fi
  for v in Window ButtonFace Menu; do
    if [ "$1" = dark ]; then
      wine reg add 'HKCU\Control Panel\Colors' /v $v /d '32 32 32' /f >/dev/null 2>&1
    else
      wine reg delete 'HKCU\Control Panel\Colors' /v $v /f >/dev/null 2>&1 || true
    fi
  done
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w
  wineserver -p
}

# shot <name> <taskbar light 0|1> <apps light 0|1> <active 0|1> <icon|menu>
shot() {
  local name=$1 geometry
  wine reg add "$personalize" /v SystemUsesLightTheme /t REG_DWORD /d "$2" /f >/dev/null 2>&1
  wine reg add "$personalize" /v AppsUseLightTheme /t REG_DWORD /d "$3" /f >/dev/null 2>&1
  settings "$4" $([ "$4" = 1 ] && echo 30 || echo 0)
  setsid wine "$obj/Staywick.exe" </dev/null >/dev/null 2>&1 &
  local app=$!
  wine "$bin/staywick_probe.exe" wait 20000 >/dev/null 2>&1 || { log "Staywick did not start"; exit 1; }
  geometry=$(wine "$obj/tray_shots.exe" "$5" </dev/null 2>/dev/null | tr -d '\r')
  if [ -n "$geometry" ]; then
    read -r x y w h <<<"$geometry"
    import -window root "$out/desktop_$name.png"
    convert "$out/desktop_$name.png" -crop "${w}x${h}+${x}+${y}" +repage "$out/$name.png"
    [ "$5" = icon ] && convert "$out/$name.png" -filter point -resize 600% "$out/$name.png"
    log "$name.png (${w}x${h} at $x,$y)"
  else
    log "no $5 for $name"
  fi
  [ "$5" = menu ] && wine "$obj/tray_shots.exe" close >/dev/null 2>&1
  wine "$bin/staywick_probe.exe" close 10000 >/dev/null 2>&1 || kill "$app" 2>/dev/null || true
  wait "$app" 2>/dev/null || true
}

if [ "${1:-}" != contrast ]; then
taskbar_colours dark
shot tray_icon_off_dark_taskbar 0 0 0 icon
shot tray_icon_on_dark_taskbar 0 0 1 icon
shot tray_menu_dark 0 0 1 menu
taskbar_colours standard
shot tray_icon_off_light_taskbar 1 1 0 icon
shot tray_icon_on_light_taskbar 1 1 1 icon
shot tray_menu_light 1 1 1 menu
convert "$out"/tray_icon_{off,on}_dark_taskbar.png "$out"/tray_icon_{off,on}_light_taskbar.png \
  -append +repage "$out/tray_icons.png"
fi
taskbar_colours contrast
shot tray_icon_on_contrast_taskbar 1 0 1 icon
shot tray_menu_contrast 1 0 1 menu
echo "screenshots in $out"
