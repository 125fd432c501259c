#!/usr/bin/env bash
# Checks the Windows library's tables: it exports exactly VSTPluginMain and
# main, and imports only from Windows' own system libraries.
#   check-dll-tables.sh Kestravon.dll
set -euo pipefail
dll=$1
tables=$(x86_64-w64-mingw32-objdump -p "${dll}")
system_libraries="ADVAPI32.dll COMCTL32.dll GDI32.dll KERNEL32.dll msvcrt.dll SHELL32.dll USER32.dll WININET.dll"
status=0
imports=$(sed -n 's/^\s*DLL Name: //p' <<<"${tables}" | sort -u)
echo "imports: $(tr '\n' ' ' <<<"${imports}")"
for library in ${imports}; do
  found=0
  for allowed in ${system_libraries}; do
    if [ "${library,,}" = "${allowed,,}" ]; then found=1; fi
  done
  if [ "${found}" -eq 0 ]; then
    echo "check-dll-tables: ${dll} imports from ${library}, which Windows does not provide" >&2
    status=1
  fi
done
# The export table's name list: "[ordinal] name" lines after "[Ordinal/Name Pointer] Table".
exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"${tables}" |
  sed -n 's/^\s*\[\s*[0-9]*\] //p' | sort | tr '\n' ' ')
echo "exports: ${exports}"
if [ "${exports}" != "VSTPluginMain main " ]; then
  echo "check-dll-tables: ${dll} must export exactly VSTPluginMain and main" >&2
  status=1
fi
exit "${status}"
