#!/bin/bash
# Checks the built program file: a 32-bit Windows GUI executable under 64 KiB
# that imports nothing but Windows system DLLs.
#   check_executable.sh PROGRAM.exe OBJDUMP
set -uo pipefail
exe=$1
objdump=$2
status=0
fail() { echo "FAIL: $*"; status=1; }

kind=$(file -b "$exe")
[[ $kind == "PE32 executable (GUI) Intel 80386"* ]] || fail "expected a PE32 GUI executable for Intel 80386, got: $kind"

size=$(stat -c %s "$exe")
[ "$size" -lt 65536 ] || fail "expected under 65536 bytes, got $size"

imports=$("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort)
for dll in $imports; do
    case $dll in
        kernel32.dll|user32.dll|gdi32.dll|comctl32.dll|msvcrt.dll) ;;
        *) fail "imports $dll, which is not a Windows system DLL" ;;
    esac
done
echo "$kind; $size bytes; imports: $(echo $imports)"
exit $status
