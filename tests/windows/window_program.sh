# The window program on Windows, as an operator meets it: sourced by
# scripts/test-windows (which has made the Wine prefix, started wineserver and
# defined start_sim, $sim and $logs). The installer installs silently into the
# prefix; the installed zeb40.exe runs in a virtual X display, driven with
# xdotool through its mnemonics and accelerators as a person would, against
# emulated units on COM ports. What the unit receives is compared with what
# it receives from the Linux window driven the same way. Each window is
# photographed into build/windows/screenshots.
# Leaves window_failed set: the number of failed checks.

window_passed=0 window_failed=0
shots=build/windows/screenshots
window_drive='C:\zeb40-test'
installed="$WINEPREFIX/drive_c/Program Files/ZEB40"
linux_zeb40=${ZEB40_LINUX_WINDOW:-build/sanitize/shell/zeb40}
linux_ctl=${ZEB40_LINUX_CTL:-build/sanitize/cli/zeb40ctl}
rm -rf "$shots"
mkdir -p "$shots"

check() { # check NAME CONDITION...: one result line
    local name=$1
    shift
    if "$@"; then
        window_passed=$((window_passed + 1))
        echo "[       OK ] zeb40.exe: $name"
    else
        window_failed=$((window_failed + 1))
        echo "[  FAILED  ] zeb40.exe: $name"
    fi
}

# A display of our own: Xvfb picks a free number and tells it.
exec {display_number}< <(exec Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>"$logs/xvfb.log")
xvfb_pid=$!
IFS= read -r -t 30 -u "$display_number" xvfb_display || true
[ -n "$xvfb_display" ] || { echo "Xvfb did not start: $(cat "$logs/xvfb.log")" >&2; exit 1; }
export DISPLAY=:$xvfb_display

window_programs=()
stop_window_programs() {
    for pid in "${window_programs[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
}
trap 'stop_window_programs; cleanup' EXIT

# wait_window TITLE [SECONDS]: the id of the window named TITLE, once it is
# shown (within 60 s unless told). The search is repeated rather than left to
# xdotool's --sync, which was seen to give up within seconds while the flash
# update's file dialog closed. When none comes, the names of the windows that are shown
# go to the log, so that a changed title is told from a window that never
# opened.
wait_window() {
    local id="" window deadline=$((SECONDS + ${2:-60}))
    while [ -z "$id" ] && [ $SECONDS -lt $deadline ]; do
        id=$(timeout 10 xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) || true
        [ -n "$id" ] || sleep 0.5
    done
    if [ -z "$id" ]; then
        echo "no window \"$1\"; shown:" >>"$logs/windows-shown.log"
        for window in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
            echo "  $window \"$(xdotool getwindowname "$window" 2>/dev/null)\"" >>"$logs/windows-shown.log"
        done
    fi
    echo "$id"
}

# wait_file_dialog: the id of the file dialog, once it is shown. Wine's own
# file dialog, which Qt opens on Windows, carries no name on the X side: it is
# the shown window of zeb40.exe that has no name and a dialog's size.
wait_file_dialog() {
    local window width
    for _ in $(seq 60); do
        for window in $(xdotool search --onlyvisible --classname zeb40.exe 2>/dev/null); do
            [ -z "$(xdotool getwindowname "$window" 2>/dev/null)" ] || continue
            width=$(xdotool getwindowgeometry --shell "$window" 2>/dev/null | sed -n 's/^WIDTH=//p')
            [ "${width:-0}" -ge 300 ] && { echo "$window"; return 0; }
        done
        sleep 1
    done
    echo "no file dialog shown" >>"$logs/windows-shown.log"
}

# Wine's GDI glyph metrics give text a bounding box four times the font's
# height, and Qt centres a line edit's text on that box: every edit field
# would show empty. Qt's FreeType engine reads the font itself; Windows's own
# GDI has no such fault, so only these checks choose it (on the command line:
# Wine does not hand QT_QPA_PLATFORM to the program).
windows_qt_platform=(-platform windows:fontengine=freetype)

# keys WINDOW KEY...: focus the window (there is no window manager: the pointer
# decides the focus) and press the keys one after the other.
keys() {
    local window=$1
    shift
    # No window to talk to: nothing to press (the check that follows fails).
    [ -n "$window" ] || return 0
    timeout 10 xdotool mousemove --window "$window" 5 5 windowfocus --sync "$window" 2>/dev/null || true
    sleep 0.5
    for key in "$@"; do
        timeout 10 xdotool key --delay 100 "$key" || true
        sleep 0.5
    done
}

type_text() {
    timeout 30 xdotool type --delay 50 "$1" || true
}

# confirm: Return into the field that has the focus. Moving the pointer, as
# keys does, would hand the focus of a file dialog to whatever lies under it.
confirm() {
    sleep 0.5
    timeout 10 xdotool key Return || true
    sleep 0.5
}

shoot() { # shoot WINDOW NAME
    # import without a window would wait for a click to choose one.
    [ -n "$1" ] || return 0
    timeout 20 import -window "$1" "$shots/$2.png" 2>/dev/null || true
}

# settled LOG: waits until the emulator's log stops growing for two seconds.
settled() {
    local size=-1 now
    for _ in $(seq 120); do
        now=$(wc -c <"$1")
        [ "$now" = "$size" ] && return 0
        size=$now
        sleep 2
    done
}

received() { grep '^received:' "$1"; }

# ended_within_30s PID: whether the process has ended or does within 30 s.
ended_within_30s() {
    for _ in $(seq 30); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 1
    done
    return 1
}

# The Linux window first, for what the unit should receive: Connect, then the
# configuration window's Apply.
start_sim COM20 --log
linux_sim=$(readlink "$WINEPREFIX/dosdevices/com20")
linux_home=$(mktemp -d)
mkdir -p "$linux_home/VELOR"
printf '[Main]\nPort=%s\n' "$linux_sim" >"$linux_home/VELOR/zeb40.conf"
XDG_CONFIG_HOME=$linux_home ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=xcb \
    "$linux_zeb40" >"$logs/linux-zeb40.log" 2>&1 &
window_programs+=($!)
linux_main=$(wait_window "VELOR ZEB40")
keys "$linux_main" alt+n
settled "$logs/sim-COM20.out"
cp "$logs/sim-COM20.out" "$logs/linux-connect.log"
keys "$linux_main" alt+c
linux_config=$(wait_window "VELOR ZEB40 Config")
keys "$linux_config" alt+a
settled "$logs/sim-COM20.out"
cp "$logs/sim-COM20.out" "$logs/linux-apply.log"
keys "$linux_config" Escape
keys "$linux_main" ctrl+e
rm -f "$logs/linux-read.zeb"
"$linux_ctl" --port "$linux_sim" read -o "$logs/linux-read.zeb" >/dev/null

# The installer, silent.
wine build/windows/zeb40-3.50-setup.exe /S
check "the installer installs silently" test -f "$installed/zeb40.exe" -a -f "$installed/zeb40ctl.exe" \
    -a -f "$installed/help/index.html" -a -f "$installed/uninstall.exe"
check "the Start menu has \"ZEB40 Configuration\"" \
    test -f "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/ZEB40 Configuration.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZEB40'
check "Apps & features lists the program" \
    bash -c "wine reg query '$uninstall_key' /v DisplayName 2>/dev/null | grep -q 'ZEB40 Configuration'"

# The installed program against COM21, the port it stored last.
start_sim COM21 --log
wine reg add 'HKCU\Software\VELOR\zeb40\Main' /v Port /d COM21 /f >/dev/null 2>&1
wine "$installed/zeb40.exe" "${windows_qt_platform[@]}" >"$logs/zeb40-exe.log" 2>&1 &
window_programs+=($!)
main=$(wait_window "VELOR ZEB40")
check "zeb40.exe opens its main window \"VELOR ZEB40\"" test -n "$main"
shoot "$main" main-window
keys "$main" alt+n
settled "$logs/sim-COM21.out"
shoot "$main" main-window-connected
check "Connect reads the unit as the Linux window does" \
    cmp -s <(received "$logs/linux-connect.log") <(received "$logs/sim-COM21.out")
keys "$main" alt+c
config=$(wait_window "VELOR ZEB40 Config")
check "the configuration window opens" test -n "$config"
shoot "$config" config-window
keys "$config" alt+a
settled "$logs/sim-COM21.out"
check "Apply sends the batch as the Linux window does" \
    cmp -s <(received "$logs/linux-apply.log") <(received "$logs/sim-COM21.out")
keys "$config" Escape
keys "$main" ctrl+s
save=$(wait_file_dialog)
shoot "$save" save-dialog
# The name field has the focus; moving the pointer onto the dialog would hand
# it elsewhere.
sleep 0.5
timeout 10 xdotool key ctrl+a || true
type_text "$window_drive\\window.zeb"
confirm
for _ in $(seq 30); do
    [ -f "$drive/window.zeb" ] && break
    sleep 1
done
check "File Save writes a 125-byte file" test "$(stat -c %s "$drive/window.zeb" 2>/dev/null)" = 125
check "the Linux build reads the saved file back equal" \
    bash -c "cmp -s <('$linux_ctl' show '$drive/window.zeb') <('$linux_ctl' show '$logs/linux-read.zeb') &&
             cmp -s '$drive/window.zeb' '$logs/linux-read.zeb'"
keys "$main" ctrl+e
check "File Exit ends the program" ended_within_30s "${window_programs[-1]}"

# The unattended user-code download.
start_sim COM22 --log
status=0
wine "$installed/zeb40.exe" -a COM22 4711 >"$logs/zeb40-exe-a.log" 2>&1 || status=$?
echo "zeb40.exe -a exit status: $status" >>"$logs/zeb40-exe-a.log"
# The emulator's log may lag behind the program's exit.
settled "$logs/sim-COM22.out"
check "zeb40.exe -a COM22 4711 downloads the code and exits 0" \
    bash -c "[ $status -eq 0 ] && grep '^received:' '$logs/sim-COM22.out' | tail -n 2 | tr '\n' ' ' |
             grep -qx 'received: A0 received: D471100 '"

# The flash update of a small package, from the File menu, on COM23.
start_sim COM23
head -c 4096 <(yes "ZEB40 window flash") >"$drive/small.rom"
"$sim" make-package "$drive/small.rom" -o "$drive/small.zcf" --version=0352 >/dev/null
wine reg add 'HKCU\Software\VELOR\zeb40\Main' /v Port /d COM23 /f >/dev/null 2>&1
wine "$installed/zeb40.exe" "${windows_qt_platform[@]}" >>"$logs/zeb40-exe.log" 2>&1 &
window_programs+=($!)
main=$(wait_window "VELOR ZEB40")
keys "$main" alt+f u
open=$(wait_file_dialog)
shoot "$open" flash-open-dialog
type_text "$window_drive\\small.zcf"
confirm
# The whole update lies before the box: room for a machine under load.
done_box=$(wait_window "ZEB40" 240)
shoot "$done_box" flash-done
keys "$done_box" Return
sleep 2
keys "$main" ctrl+e
check "File Exit after the flash update ends the program" ended_within_30s "${window_programs[-1]}"
# A program still running would keep the uninstaller from removing its file.
kill "${window_programs[-1]}" 2>/dev/null || true
check "the flash update completes and the new version is read back" \
    bash -c "wine '$installed/zeb40ctl.exe' --port COM23 info 2>&1 | grep -q 'Version: 3.52'"

# The uninstaller, silent, keeps the operator's settings.
wine "$installed/uninstall.exe" /S
for _ in $(seq 30); do
    [ -e "$installed/zeb40.exe" ] || break
    sleep 1
done
check "the uninstaller removes the program" test ! -e "$installed/zeb40.exe"
check "the uninstaller keeps the operator's settings" \
    bash -c "wine reg query 'HKCU\\Software\\VELOR\\zeb40\\Main' /v Port 2>/dev/null | grep -q COM23"
check "Apps & features no longer lists it" \
    bash -c "! wine reg query '$uninstall_key' >/dev/null 2>&1"

stop_window_programs
window_programs=()
rm -rf "$linux_home"
echo "zeb40.exe and its installer: $window_passed passed, $window_failed failed"
