#!/usr/bin/env bash
# DLLs that start-up does not need stay out of Staywick.exe's import table:
# they are loaded on first use (platform/win32/on_demand.h). comdlg32 would
# bring the print spooler (under Wine also its printing and network
# libraries), comctl32 registers its classes and theming in every start, and
# the others cost memory and start-up time (powrprof only serves staying
# awake with the lid closed).
set -u
exe=$1
dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
echo "imports:" $dlls
fail=0
for dll in comctl32.dll comdlg32.dll winspool.drv dwmapi.dll ole32.dll oleaut32.dll msftedit.dll riched20.dll powrprof.dll; do
  if printf '%s\n' "$dlls" | grep -qx "$dll"; then echo "imported at start-up: $dll"; fail=1; fi
done
[ -n "$dlls" ] || { echo "no imports read"; fail=1; }
exit $fail
