#!/bin/sh
# The installer's round trip under Wine, in a fresh prefix:
#  1. installs silently, with the start-with-Windows entry, and checks the files, the
#     Start-menu entry and the registry entries it made;
#  2. starts the installed calendar without its holiday sets, sees the message box that
#     says it has no script and, once it is answered, days painted in no holiday colour:
#     the check of step 3 can tell a missing script;
#  3. with a memo.txt in the user's folder and the prefix's region set to Japan, starts the
#     installed calendar and waits until it paints Sundays in the holiday colour, which
#     only the installed set JP.txt gives them ("#weekday 0 (3)"), with no message box: a
#     first start takes the set of the system's region;
#  4. uninstalls silently while the calendar runs, and checks that the calendar ended, that
#     the program's files, shortcut and registry entries are gone, and that memo.txt and
#     the settings the calendar saved on its way out are still there.
#   packaging/test-installer.sh PACKAGE-FOLDER VERSION PREFIX-FOLDER
# Runs on a virtual display of its own.
set -eu
version=$2
root=$(cd "$(dirname "$0")/.." && pwd)
# Wine wants absolute paths.
package=$(cd "$1" 2>/dev/null && pwd) || { echo "test-installer: FAIL: no package folder $1" >&2; exit 1; }
mkdir -p "$(dirname "$3")"
prefix="$(cd "$(dirname "$3")" && pwd)/$(basename "$3")"

# A virtual display of its own: other tests may run the calendar at the same time, and
# their windows must not count as this one's.
if [ -z "${TAVOLI_INSTALLER_DISPLAY:-}" ]; then
    export TAVOLI_INSTALLER_DISPLAY=1
    # A free display looked for from a number of its own, as the tests do.
    exec xvfb-run -n 180 -a -s "-screen 0 1024x768x24" sh "$0" "$@"
fi

setup="$package/TavoliCalendar-$version-win64-setup.exe"
work="$prefix.work"
holiday_colour='#E02020' # the default holiday colour, (224,32,32)
normal_colour='#404040'  # the default colour of normal days, (64,64,64)
calendar_pid=""

fail() {
    echo "test-installer: FAIL: $*" >&2
    [ -d "$work" ] && echo "test-installer: screenshots and logs are in $work" >&2
    [ -n "$calendar_pid" ] && kill "$calendar_pid" 2>/dev/null
    WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
    exit 1
}
step() { echo "test-installer: $*"; }

[ -f "$setup" ] || fail "no installer $setup"

# A fresh prefix every run: nothing of an earlier install may help this one.
if [ -d "$prefix" ]; then WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true; fi
rm -rf "$prefix" "$prefix.lock" "$prefix.setup.log" "$work"
mkdir -p "$work"
export TAVOLI_WINEPREFIX="$prefix" WINEPREFIX="$prefix" WINEDEBUG=-all
# Shortcuts made in the prefix must not turn into menu entries of this machine's desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv,winepulse.drv,wineoss.drv=d;winemenubuilder.exe=d"
export XDG_DATA_HOME="$work/xdg-data" XDG_CONFIG_HOME="$work/xdg-config"
wine_run() { "$root/scripts/wine-run" "$@"; }

step "installing $(basename "$setup") into a fresh prefix"
wine_run "$setup" /S /STARTUP=1 >"$work/install.log" 2>&1 || fail "the installer exited with $? (see $work/install.log)"

program_dir='C:\Program Files\Tavoli Calendar'
installed="$prefix/drive_c/Program Files/Tavoli Calendar"
shortcut="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tavoli Calendar.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\TavoliCalendar'
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
settings_key='HKCU\Software\Brenholt\TavoliCalendar'
files="TavoliCalendar.exe holidays/JP.txt TavoliCalendar.htm tavoli.exe readme.txt uninstall.exe"

for file in $files; do
    [ -f "$installed/$file" ] || fail "the installer did not put $file into $installed"
done
diff -r -q "$installed/holidays" "$root/dist/holidays" >/dev/null || fail "the installed sets are not those of dist/holidays"
[ ! -e "$installed/holidays.txt" ] || fail "the installer placed a holidays.txt beside the program"
[ -f "$shortcut" ] || fail "no Start-menu entry $shortcut"

# Registry values as text (reg prints CR LF lines).
reg_query() {
    answer=$(wine_run reg query "$@" 2>/dev/null) || return 1
    printf '%s\n' "$answer" | tr -d '\r'
}
entry=$(reg_query "$uninstall_key") || fail "no uninstall entry $uninstall_key"
for expect in "DisplayName    REG_SZ    Tavoli Calendar" "DisplayVersion    REG_SZ    $version" \
    "UninstallString    REG_SZ    \"$program_dir\\uninstall.exe\""; do
    printf '%s\n' "$entry" | grep -qF "$expect" ||
        fail "the uninstall entry lacks \"$expect\"; it reads:
$entry"
done
run=$(reg_query "$run_key" /v TavoliCalendar) || fail "no start-with-Windows entry in $run_key"
printf '%s\n' "$run" | grep -qF "\"$program_dir\\TavoliCalendar.exe\" /j" ||
    fail "the start-with-Windows entry does not start the calendar with /j: $run"

# The user's folder, as the calendar finds it.
appdata=$(wine_run cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')
user_folder="$(winepath -u "$appdata" 2>/dev/null)/Brenholt/Tavoli"
if [ -z "$appdata" ] || [ "$user_folder" = "/Brenholt/Tavoli" ]; then
    fail "cannot find the user's application-data folder"
fi

# The calendar's top-level windows, shown or not, apart from the input-method window that
# Wine gives every program.
calendar_windows() {
    for id in $(xdotool search --class tavolicalendar.exe 2>/dev/null || true); do
        [ "$(xdotool getwindowname "$id" 2>/dev/null || true)" = "Default IME" ] || echo "$id"
    done
}
visible_windows() { xdotool search --onlyvisible --class tavolicalendar.exe 2>/dev/null || true; }
# The number of pixels of a colour in a picture.
pixels_of() {
    convert "$1" -alpha off -fill black +opaque "$2" -fill white -opaque "$2" -format '%[fx:int(mean*w*h+0.5)]' info:
}
holiday_pixels() { pixels_of "$1" "$holiday_colour"; }

# Starts the installed calendar and waits until it either opens a second window (a message
# box: the main window waits, hidden, until it is answered) or shows its main window with
# holiday-coloured pixels. Sets seen to "message" or "painted", or to "nothing" when neither
# happened within a minute.
start_and_watch() {
    name=$1
    wine_run "$program_dir\\TavoliCalendar.exe" >"$work/$name.log" 2>&1 &
    calendar_pid=$!
    deadline=$(($(date +%s) + 60))
    seen=nothing
    while [ "$(date +%s)" -lt "$deadline" ]; do
        windows=$(calendar_windows)
        if [ "$(printf '%s' "$windows" | grep -c .)" -ge 2 ]; then
            seen=message
            break
        fi
        shown=$(visible_windows)
        if [ -n "$windows" ] && [ "$shown" = "$windows" ] && import -window "$shown" "$work/$name.png" 2>/dev/null &&
            [ "$(holiday_pixels "$work/$name.png")" -gt 0 ]; then
            seen=painted
            break
        fi
        sleep 0.25
    done
    import -window root "$work/$name-screen.png" 2>/dev/null || true
}

step "starting the calendar without its holiday sets"
mv "$installed/holidays" "$installed/holidays.away"
start_and_watch without-script
case "$seen" in
message) ;;
painted) fail "without its sets the calendar still painted holiday colours: the check below proves nothing" ;;
*) fail "without its sets the calendar showed no message box (see $work/without-script-screen.png)" ;;
esac
# Answered, the message box lets the calendar show its days, in no holiday colour at all.
box=$(visible_windows | head -n 1)
xdotool windowfocus --sync "$box" key Return 2>/dev/null || fail "cannot answer the message box"
deadline=$(($(date +%s) + 60))
painted=""
while [ -z "$painted" ] && [ "$(date +%s)" -lt "$deadline" ]; do
    windows=$(calendar_windows)
    if [ "$(printf '%s' "$windows" | grep -c .)" -eq 1 ] && [ "$(visible_windows)" = "$windows" ] &&
        import -window "$windows" "$work/without-script.png" 2>/dev/null &&
        [ "$(pixels_of "$work/without-script.png" "$normal_colour")" -gt 0 ]; then
        painted=yes
    else
        sleep 0.25
    fi
done
[ -n "$painted" ] || fail "without its sets the calendar never painted its days (see $work/without-script.png)"
[ "$(holiday_pixels "$work/without-script.png")" -eq 0 ] ||
    fail "without its sets the calendar painted holiday colours: the check below proves nothing"
WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
wait "$calendar_pid" 2>/dev/null || true
calendar_pid=""
mv "$installed/holidays.away" "$installed/holidays"
# Japan (122) as the region, which a fresh prefix's locale does not say.
wine_run reg add 'HKCU\Control Panel\International\Geo' /v Nation /d 122 /f >/dev/null 2>&1 || fail "cannot set the region"
wine_run reg add 'HKCU\Control Panel\International\Geo' /v Name /d JP /f >/dev/null 2>&1 || fail "cannot set the region"

step "starting the installed calendar with a memo file in the user's folder"
mkdir -p "$user_folder"
printf ';Tavoli Calendar Memo 24/05/05 09:00:00\r\n2024/05/05=written before the install was removed\r\n' \
    >"$user_folder/memo.txt"
cp "$user_folder/memo.txt" "$work/memo.txt.before"
start_and_watch installed
case "$seen" in
painted) ;;
message) fail "the installed calendar showed a message box, probably \"Failed to load holiday script.\" (see $work/installed-screen.png)" ;;
*) fail "the installed calendar never painted Sundays in the holiday colour $holiday_colour (see $work/installed-screen.png)" ;;
esac

step "uninstalling while the calendar runs"
# The uninstaller copies itself away and returns at once: wait for the prefix to go quiet,
# which needs the calendar to have ended as well.
wine_run "$program_dir\\uninstall.exe" /S >"$work/uninstall.log" 2>&1 || fail "the uninstaller exited with $?"
if ! timeout 120 wineserver -w; then
    fail "Wine processes were still running two minutes after the uninstall: the uninstaller did not end the calendar"
fi
wait "$calendar_pid" 2>/dev/null || true
calendar_pid=""
[ -z "$(visible_windows)" ] || fail "the calendar's window is still there after the uninstall"

for file in $files; do
    [ ! -e "$installed/$file" ] || fail "the uninstaller left $file behind"
done
[ ! -d "$installed" ] || fail "the uninstaller left the folder $installed behind"
[ ! -e "$shortcut" ] || fail "the uninstaller left the Start-menu entry behind"
if reg_query "$uninstall_key" >/dev/null; then fail "the uninstaller left $uninstall_key behind"; fi
if reg_query "$run_key" /v TavoliCalendar >/dev/null; then fail "the uninstaller left the start-with-Windows entry behind"; fi

[ -f "$user_folder/memo.txt" ] || fail "the uninstall took the user's memo.txt away"
cmp -s "$user_folder/memo.txt" "$work/memo.txt.before" || fail "memo.txt changed during the install and uninstall"
# The calendar writes its settings when it ends: the key shows that it ended properly, and
# that the uninstaller left it.
reg_query "$settings_key" /v Design >/dev/null || fail "the settings in $settings_key are gone (or the calendar never saved them)"
reg_query "$settings_key" /v HolidaySet | grep -q 'REG_SZ *JP$' || fail "the calendar did not keep the set JP it took"

wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
# The prefix is made anew by every run, and it is large: only a failed run leaves it to look at.
rm -rf "$prefix" "$prefix.lock" "$prefix.setup.log"
step "ok: installed, took the set of its region, uninstalled; memo.txt and the settings stayed"
