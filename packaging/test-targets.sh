#!/bin/sh
# Checks that scripts/package replaces only regular files: a FIFO, a link or a folder
# under the name of the zip or of the installer makes it stop with exit 2 and stays as it
# was.
#   packaging/test-targets.sh BUILD-TREE VERSION
set -eu
tree=$1
version=$2
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "must stay" >"$work/victim"

fail() {
    echo "test-targets: FAIL: $*" >&2
    exit 1
}

for kind in fifo link folder; do
    for suffix in .zip -setup.exe; do
        out="$work/out-$kind$suffix"
        mkdir -p "$out"
        target="$out/TavoliCalendar-$version-win64$suffix"
        case $kind in
        fifo) mkfifo "$target" ;;
        link) ln -s "$work/victim" "$target" ;;
        folder) mkdir "$target" ;;
        esac
        status=0
        sh "$root/scripts/package" --tree "$tree" --out "$out" --no-build >/dev/null 2>"$work/err" || status=$?
        [ "$status" -eq 2 ] || fail "$kind at $suffix: exit $status instead of 2"
        grep -q "is not a regular file" "$work/err" || fail "$kind at $suffix: $(cat "$work/err")"
        case $kind in
        fifo) [ -p "$target" ] || fail "the FIFO at $suffix was replaced" ;;
        link) [ -L "$target" ] || fail "the link at $suffix was replaced" ;;
        folder) [ -d "$target" ] || fail "the folder at $suffix was replaced" ;;
        esac
        [ "$(cat "$work/victim")" = "must stay" ] || fail "the file behind the link was written"
    done
done
echo "test-targets: every special file was left as it was"
