#!/bin/sh
# Fails when the program needs a DLL that Windows does not ship: check_imports.sh OBJDUMP EXE
objdump=$1
exe=$2
system_dlls='^(advapi32|comctl32|comdlg32|gdi32|kernel32|msvcrt|ole32|shell32|shlwapi|user32)\.dll$'
dlls=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
[ -n "$dlls" ] || { echo "no import table found in $exe"; exit 1; }
echo "$exe imports:" $dlls
status=0
for dll in $dlls; do
  if ! echo "$dll" | grep -Eq "$system_dlls"; then
    echo "expected only Windows' own DLLs, got $dll"
    status=1
  fi
done
exit $status
