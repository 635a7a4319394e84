#!/usr/bin/env bash
# Staywick.exe must import only Windows system DLLs (no MinGW runtime next to
# it), no function newer than Windows 7 SP1, name Windows 7 (6.1) as its
# oldest system, and carry dynamic base, high-entropy VA and NX compatibility.
set -u
exe=$1
fail=0
dump=$(x86_64-w64-mingw32-objdump -p "$exe") || { echo "objdump failed"; exit 1; }
dlls=$(printf '%s\n' "$dump" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
echo "imports:" $dlls
allowed='^(kernel32|user32|gdi32|shell32|comctl32|comdlg32|advapi32|version|uxtheme|msimg32|ole32|oleaut32|dwmapi|shlwapi|msvcrt|ntdll|ws2_32|imm32|winspool\.drv|api-ms-win-[a-z0-9-]+)\.dll$|^winspool\.drv$'
for dll in $dlls; do
  if ! [[ $dll =~ $allowed ]]; then echo "not a system DLL: $dll"; fail=1; fi
done
for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
  if printf '%s\n' "$dlls" | grep -qx "$dll"; then echo "imports $dll"; fail=1; fi
done
"$(dirname "$0")/win7_imports.sh" "$exe" || fail=1
chars=$(printf '%s\n' "$dump" | sed -n 's/^DllCharacteristics\s*//p')
echo "DllCharacteristics: $chars"
for flag in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT; do
  if ! printf '%s\n' "$dump" | grep -q "^\s*$flag"; then echo "missing $flag"; fail=1; fi
done
subsystem=$(printf '%s\n' "$dump" | sed -n 's/^Subsystem\s*//p')
echo "Subsystem: $subsystem"
[[ $subsystem == 00000002* ]] || { echo "not a GUI program"; fail=1; }
field() { printf '%s\n' "$dump" | sed -n "s/^$1\s*//p"; }
for kind in Subsystem OSystem; do
  version="$(field "Major${kind}Version").$(field "Minor${kind}Version")"
  echo "${kind} version: $version"
  [ "$version" = 6.1 ] || { echo "the ${kind} version must be 6.1 (Windows 7)"; fail=1; }
done
exit $fail
