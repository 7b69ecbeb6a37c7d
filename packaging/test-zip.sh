#!/bin/sh
# Checks the zip that scripts/package made: it holds exactly the program, the help, the
# companion and the readme at its top level and the holiday sets in the folder holidays; the files are the
# ones of the source tree; the executables are stripped and the program is under 2 MB.
#   packaging/test-zip.sh PACKAGE-FOLDER VERSION SOURCE-TREE
set -eu
package=$1
version=$2
source=$3
zipfile="$package/TavoliCalendar-$version-win64.zip"
limit=2097152

fail() {
    echo "test-zip: FAIL: $*" >&2
    exit 1
}

[ -f "$zipfile" ] || fail "no $zipfile (scripts/package names the zip after the project version)"

expected=$( (printf '%s\n' TavoliCalendar.exe TavoliCalendar.htm readme.txt tavoli.exe
    cd "$source/dist" && ls holidays/*.txt) | LC_ALL=C sort)
listed=$(unzip -Z1 "$zipfile" | LC_ALL=C sort)
if [ "$listed" != "$expected" ]; then
    printf 'test-zip: FAIL: the zip holds\n%s\ninstead of\n%s\n' "$listed" "$expected" >&2
    exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unzip -q "$zipfile" -d "$work"

size=$(wc -c <"$work/TavoliCalendar.exe" | tr -d ' ')
[ "$size" -lt "$limit" ] || fail "TavoliCalendar.exe is $size bytes, not under $limit"

for exe in TavoliCalendar.exe tavoli.exe; do
    # A stripped executable keeps no symbols and no DWARF sections.
    if x86_64-w64-mingw32-objdump -h "$work/$exe" | grep -q '\.debug_'; then
        fail "$exe still has debugging sections"
    fi
    if [ -n "$(x86_64-w64-mingw32-nm "$work/$exe" 2>/dev/null)" ]; then
        fail "$exe still has a symbol table"
    fi
    x86_64-w64-mingw32-objdump -f "$work/$exe" | grep -q 'file format pei-x86-64' ||
        fail "$exe is not a 64-bit Windows executable"
done

diff -r -q "$work/holidays" "$source/dist/holidays" >/dev/null || fail "the sets in holidays differ from dist/holidays"
cmp -s "$work/TavoliCalendar.htm" "$source/docs/help/TavoliCalendar.htm" ||
    fail "TavoliCalendar.htm differs from docs/help/TavoliCalendar.htm"
cmp -s "$work/readme.txt" "$source/packaging/readme.txt" || fail "readme.txt differs from packaging/readme.txt"

echo "test-zip: ok: $(basename "$zipfile"), $(wc -c <"$zipfile" | tr -d ' ') bytes; TavoliCalendar.exe $size bytes," \
    "tavoli.exe $(wc -c <"$work/tavoli.exe" | tr -d ' ') bytes"
