#!/usr/bin/env bash
# Screenshots of the tray icon (both glyphs, dark and light taskbar setting)
# and of the open menu (dark and light style), in a private headless Wine
# session. Output: $STAYWICK_BUILD/screenshots/*.png (full desktop and crops).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/lib.sh"
out=$STAYWICK_BUILD/screenshots
obj=$STAYWICK_BUILD/tray-demo
mkdir -p "$out" "$obj"

cxx=x86_64-w64-mingw32-g++-posix
flags=(-std=c++20 -Os -Wall -Wextra -Werror -pedantic-errors -DUNICODE -D_UNICODE
       -DWIN32_LEAN_AND_MEAN -DNOMINMAX -D_WIN32_WINNT=0x0A00 -DWINVER=0x0A00 -I"$root")
objs=()
for src in "$root"/tray/*.cpp "$root"/tray/win32/*.cpp "$root"/common/win32/theme.cpp \
           "$root"/common/app_error.cpp "$root"/app/error_report.cpp "$root"/tray/tools/tray_demo.cpp; do
  o=$obj/$(basename "$(dirname "$src")")_$(basename "$src" .cpp).o
  [ "$o" -nt "$src" ] || $cxx "${flags[@]}" -c "$src" -o "$o"
  objs+=("$o")
done
$cxx -static -municode -o "$obj/tray_demo.exe" "${objs[@]}" -luser32 -lgdi32 -lshell32 \
  -lcomctl32 -luxtheme -ladvapi32 -lversion -ldwmapi

trap wine_session_stop EXIT
wine_session_start "$STAYWICK_BUILD/wine-shots"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize'
font="Z:$root/resources/glyphter.ttf"

# Wine's taskbar takes the system's menu and button colours: dark, or the standard ones, so
# that the glyph can be seen on a taskbar of the mode it was drawn for.
# The shell is restarted to pick the colour up.
taskbar_colour() {
  local v
  for v in ButtonFace Menu; do
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

# shot <name> <taskbar light 0|1> <apps light 0|1> <glyph> [none|menu|submenu]
shot() {
  local name=$1 taskbar=$2 apps=$3 glyph=$4 mode=${5:-none}
  wine reg add "$key" /v SystemUsesLightTheme /t REG_DWORD /d "$taskbar" /f >/dev/null 2>&1
  wine reg add "$key" /v AppsUseLightTheme /t REG_DWORD /d "$apps" /f >/dev/null 2>&1
  wine "$obj/tray_demo.exe" "$font" "$glyph" $mode 3500 </dev/null >/dev/null 2>&1 &
  local pid=$!
  sleep 2.5
  import -window root "$out/$name.png"
  wait "$pid" || true
  if [ "$mode" = none ]; then
    convert "$out/$name.png" -crop 64x28+960+740 +repage -filter point -resize 600% \
      "$out/${name}_tray.png"
  else
    convert "$out/$name.png" -crop 360x372+664+396 +repage "$out/${name}_menu.png"
  fi
}

taskbar_colour dark
shot icon_off_dark_taskbar 0 0 0
shot icon_on_dark_taskbar 0 0 1
shot menu_dark 0 0 1 submenu
taskbar_colour standard
shot icon_off_light_taskbar 1 1 0
shot icon_on_light_taskbar 1 1 1
shot menu_light 1 1 1 submenu
convert "$out"/icon_{off,on}_dark_taskbar_tray.png "$out"/icon_{off,on}_light_taskbar_tray.png \
  -append "$out/tray_icons.png"
convert "$out/menu_dark_menu.png" "$out/menu_light_menu.png" +append "$out/tray_menus.png"
echo "screenshots in $out"
