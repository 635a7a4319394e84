#!/usr/bin/env bash
# Screenshots of the Options dialog, the Automatic dialog, the About window,
# the license dialog, the "While a program runs..." dialog (with Wine's
# notepad to list), the "For..." dialog, and at 144 DPI the tray menu open at
# "&When it ends" and the countdown window before a session's end, of the
# real Staywick.exe, in the dark and the light look at
# 96 and 144 DPI,
# in a private headless Wine session (not part of the tests).
# Output: $STAYWICK_BUILD/screenshots/windows_<window>_<look>_<dpi>.png (crops
# of the window) and the full desktops beside them; last the About window in
# a black high-contrast scheme (windows_about_contrast_96.png). "windows.sh
# contrast" takes only that one.
# --pseudo: the Options, Automatic, Until, While and For dialogs in the
# pseudo-locale (qps-ploc) instead, in the light look, as
# windows_<window>_pseudo_<dpi>.png.
# Wine has no "Segoe UI"; this session maps it to Liberation Sans when that
# font is installed (Debian: fonts-liberation), as on a real system the
# designed font would be there.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
pseudo=
if [ "${1:-}" = --pseudo ]; then pseudo=1; fi
. "$root/scripts/lib.sh"
out=$STAYWICK_BUILD/screenshots
obj=$STAYWICK_BUILD/windows-shots
mkdir -p "$out" "$obj"

# The shared test helpers use GoogleTest, built for Windows with the tests.
configure_build windows Staywick staywick_probe gtest
gtest_flags=(-isystem /usr/src/googletest/googletest/include)
bin=$STAYWICK_BUILD/windows/bin
cxx=x86_64-w64-mingw32-g++-posix
$cxx -std=c++20 -Os -Wall -Wextra -Werror -pedantic-errors -DUNICODE -D_UNICODE -DNOMINMAX \
  -D_WIN32_WINNT=0x0601 -DWINVER=0x0601 -I"$root" -I"$root/tests" "${gtest_flags[@]}" \
  "$root/tests/screenshots/windows_driver.cpp" "$root/tests/win/common/process_helpers.cpp" \
  "$root/common/pseudo_text.cpp" \
  -static -municode -o "$obj/windows_driver.exe" \
  "$STAYWICK_BUILD/windows/lib/libgtest.a" -luser32 -lshell32

# A portable copy, so the shots leave no settings anywhere else.
cp "$bin/Staywick.exe" "$obj/Staywick.exe"
printf '[General]\r\nActive=0\r\nDontLetSleepMoreThen=3\r\nActivateFor=0\r\nAutoStopped=0\r\nInputKey=0\r\nNotifySystem=1\r\nWhilePrograms=obs64.exe;vlc.exe\r\nScheduleDays=31\r\nScheduleFrom=510\r\nScheduleTo=1050\r\nPauseBelowBattery=15\r\n' \
  >"$obj/Staywick.Settings"

trap wine_session_stop EXIT
wine_session_start "$STAYWICK_BUILD/wine-shots"
if fc-list | grep -q LiberationSans-Regular; then
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "Segoe UI" /d "Liberation Sans" /f \
    >/dev/null 2>&1
fi
personalize='HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize'

restart_server() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w
  wineserver -p
}

# step <driver step> <name>: runs the step and crops the window it opened.
step() {
  local geometry
  geometry=$(wine "$obj/windows_driver.exe" "$1" </dev/null 2>/dev/null | tr -d '\r')
  [ -n "$geometry" ] || { log "no window for $1"; return 1; }
  read -r x y w h <<<"$geometry"
  import -window root "$out/desktop_$2.png"
  convert "$out/desktop_$2.png" -crop "${w}x${h}+${x}+${y}" +repage "$out/windows_$2.png"
  log "windows_$2.png (${w}x${h} at $x,$y)"
}

dpis="96 144"
[ "${1:-}" = contrast ] && dpis=
for dpi in $dpis; do
  if [ "$dpi" = 96 ]; then
    wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true
  else
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  fi
  looks="dark light"
  [ -z "$pseudo" ] || looks=light
  for look in $looks; do
    light=0
    [ "$look" = light ] && light=1
    wine reg add "$personalize" /v AppsUseLightTheme /t REG_DWORD /d $light /f >/dev/null 2>&1
    wine reg add "$personalize" /v SystemUsesLightTheme /t REG_DWORD /d $light /f >/dev/null 2>&1
    restart_server
    if [ -n "$pseudo" ]; then
      export STAYWICK_PSEUDO_LOCALE=1
      look=pseudo
    fi
    setsid wine "$obj/Staywick.exe" </dev/null >/dev/null 2>&1 &
    app=$!
    wine "$bin/staywick_probe.exe" wait 20000 >/dev/null 2>&1 || { log "Staywick did not start"; exit 1; }
    sleep 1
    step options "options_${look}_$dpi"
    step automatic "automatic_${look}_$dpi"
    wine "$obj/windows_driver.exe" back >/dev/null 2>&1
    wine "$obj/windows_driver.exe" cancel >/dev/null 2>&1
    setsid wine notepad </dev/null >/dev/null 2>&1 &
    notepad=$!
    sleep 2
    step while "while_${look}_$dpi"
    wine "$obj/windows_driver.exe" nowhile >/dev/null 2>&1
    kill "$notepad" 2>/dev/null || true
    wine taskkill /im notepad.exe /f >/dev/null 2>&1 || true
    wait "$notepad" 2>/dev/null || true
    step for "for_${look}_$dpi"
    wine "$obj/windows_driver.exe" nofor >/dev/null 2>&1
    if [ -n "$pseudo" ]; then
      step until "until_${look}_$dpi"
      wine "$obj/windows_driver.exe" nountil >/dev/null 2>&1
      wine "$bin/staywick_probe.exe" close 10000 >/dev/null 2>&1 || kill "$app" 2>/dev/null || true
      wait "$app" 2>/dev/null || true
      continue
    fi
    step about "about_${look}_$dpi"
    step license "license_${look}_$dpi"
    wine "$obj/windows_driver.exe" ok >/dev/null 2>&1
    if [ "$dpi" = 144 ]; then
      # A session with an end: "&Extend by 1 hour" shows; then one that ends
      # with a lock, whose countdown window comes a minute later.
      wine "$obj/Staywick.exe" /for 90 >/dev/null 2>&1
      step traymenu "menu_extend_${look}_$dpi"
      wine "$obj/windows_driver.exe" nomenu >/dev/null 2>&1
      step whenitends "menu_end_${look}_$dpi"
      wine "$obj/windows_driver.exe" nomenu >/dev/null 2>&1
      wine "$obj/Staywick.exe" /for 1 /then lock >/dev/null 2>&1
      step endcount "endcount_${look}_$dpi"
      wine "$obj/windows_driver.exe" noendcount >/dev/null 2>&1
    fi
    wine "$bin/staywick_probe.exe" close 10000 >/dev/null 2>&1 || kill "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true
  done
done
wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true
wine reg add "$personalize" /v AppsUseLightTheme /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine_contrast_colours
restart_server
setsid wine "$obj/Staywick.exe" </dev/null >/dev/null 2>&1 &
app=$!
wine "$bin/staywick_probe.exe" wait 20000 >/dev/null 2>&1 || { log "Staywick did not start"; exit 1; }
sleep 1
step about about_contrast_96
wine "$bin/staywick_probe.exe" close 10000 >/dev/null 2>&1 || kill "$app" 2>/dev/null || true
wait "$app" 2>/dev/null || true
echo "screenshots in $out"
