#!/bin/bash
# The Windows Installer package under Wine, in a prefix of its own, as a
# management tool would use it: installed silently, the installed program
# worked beside the stand-in, upgraded in place by a package of a higher
# version, removed again; and a malformed and a truncated package refused.
#   msi_test.sh PACKAGE.msi BIN_DIR     (WINE_TEMPLATE_PREFIX set)
set -uo pipefail
package=$(realpath "$1")
bin=$2
source=$(cd "$(dirname "$0")/.." && pwd)
. "$source/tools/wine-session.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/msi-test.XXXXXX")
use_wine_prefix "$work/prefix" "$(prefix_arch "$WINE_TEMPLATE_PREFIX")"
trap 'stop_wine_session; rm -rf "$work"' EXIT
clone_wine_prefix "$WINE_TEMPLATE_PREFIX" "$WINEPREFIX"
start_virtual_screen "$work" || exit 1
status=0
fail() { echo "FAIL: $*"; status=1; }
# grep reads all of its input here, never -q: with pipefail, a writer that grep
# -q cut off (SIGPIPE) would fail the check now and then.

program_dir="$WINEPREFIX/drive_c/Program Files/Customer Display Toggle"
program="$program_dir/customer-display-toggle.exe"
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
run='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
msiexec() { wine msiexec "$1" "$(windows_path "$2")" /qn; }
# Uninstall entries of the product: "KEY DisplayVersion", one a line.
entries() {
    wine reg query "$uninstall" /s 2>/dev/null | tr -d '\r' | awk '
        /^HKEY/ { key = $0 } /DisplayName/ && /Customer Display Toggle/ { named[key] = 1 }
        /DisplayVersion/ { version[key] = $NF } END { for (k in named) print k, version[k] }'
}
# What the package may touch: drive_c, less the system's installer cache.
snapshot() { (cd "$WINEPREFIX/drive_c" && find . -path ./windows/Installer -prune -o -print | sort); }

# The names that Windows shows are Chinese and English, in the package's code page.
msiinfo export "$package" Property | grep '^ProductName	顾客显示屏开关 Customer Display Toggle' >/dev/null ||
    fail "the product name is not 顾客显示屏开关 Customer Display Toggle: $(msiinfo export "$package" Property | grep ProductName)"

# Files that are not the package's: they must come through untouched.
mkdir -p "$WINEPREFIX/drive_c/Program Files/Other"
echo keep > "$WINEPREFIX/drive_c/Program Files/Other/keep.txt"
before=$(snapshot)

# A malformed and a truncated package are refused, and leave nothing behind.
head -c 4096 /dev/urandom > "$work/malformed.msi"
head -c $(($(stat -c %s "$package") / 2)) "$package" > "$work/truncated.msi"
for bad in malformed truncated; do
    msiexec /i "$work/$bad.msi"
    code=$?
    # Windows says 1620 (ERROR_INSTALL_PACKAGE_INVALID); Wine says 1627, of which the shell sees 91.
    [ $code -ne 0 ] || fail "the $bad package was installed (exit code 0)"
    [ "$(snapshot)" = "$before" ] || fail "the $bad package left files: $(diff <(echo "$before") <(snapshot) | grep '^>')"
    [ -z "$(entries)" ] || fail "the $bad package left an uninstall entry"
    echo "the $bad package: exit code $code"
done

# Install.
msiexec /i "$package" || fail "installing exited with $?"
[ -f "$program" ] || fail "no program in Program Files"
cmp -s "$program" "$bin/customer-display-toggle.exe" || fail "the installed program is not the one built"
[ "$(entries | wc -l)" -eq 1 ] || fail "expected one uninstall entry, got: $(entries)"
wine reg query "$run" /v CustomerDisplayToggle 2>/dev/null | grep 'customer-display-toggle.exe' >/dev/null ||
    fail "the program does not start at log-on (no Run value)"
# Windows puts a per-machine shortcut into the common Start menu; Wine puts it into the user's.
shortcuts=$(snapshot | grep -c 'Start Menu/Programs/顾客显示屏开关.lnk$')
[ "$shortcuts" -eq 1 ] || fail "expected one Start-menu shortcut named 顾客显示屏开关, got $shortcuts"
PROGRAM_UNDER_TEST='C:\Program Files\Customer Display Toggle\customer-display-toggle.exe' \
    wine "$bin/program_tests.exe" "--test-case=a click hides the display and the next click shows it again" ||
    fail "the installed program did not toggle the display"
echo "installed: $(entries)"

# Upgrade in place: a package of a higher version with another program file.
version=$(grep -o '[0-9]*\.[0-9]*\.[0-9]*\.[0-9]*' <<< "$(basename "$package")")
IFS=. read -r major minor patch tweak <<< "$version"
newer="$major.$minor.$((patch + 1)).$tweak"
cp "$bin/customer-display-toggle.exe" "$work/customer-display-toggle.exe"
echo "newer" >> "$work/customer-display-toggle.exe"  # other bytes, still a valid program
cmake -D WXS="$source/packaging/customer-display-toggle.wxs" -D PROGRAM="$work/customer-display-toggle.exe" \
      -D VERSION="$newer" -D OUTPUT="$work/newer.msi" -P "$source/packaging/build-msi.cmake" >/dev/null 2>&1 ||
    fail "the newer package could not be built"
msiexec /i "$work/newer.msi" || fail "upgrading exited with $?"
[ "$(entries | wc -l)" -eq 1 ] || fail "expected one uninstall entry after the upgrade, got: $(entries)"
entries | grep " $newer\$" >/dev/null || fail "the uninstall entry is not of version $newer: $(entries)"
cmp -s "$program" "$work/customer-display-toggle.exe" || fail "the upgrade did not put the newer program in place"
echo "upgraded: $(entries)"

# Remove: everything the package added goes, nothing else.
msiexec /x "$work/newer.msi" || fail "removing exited with $?"
[ -z "$(entries)" ] || fail "an uninstall entry is left: $(entries)"
wine reg query "$run" /v CustomerDisplayToggle >/dev/null 2>&1 && fail "the Run value is left"
[ "$(snapshot)" = "$before" ] || fail "removing did not give back the files as they were: $(diff <(echo "$before") <(snapshot))"
[ "$(cat "$WINEPREFIX/drive_c/Program Files/Other/keep.txt")" = keep ] || fail "another program's file was touched"
echo "removed"
exit $status
