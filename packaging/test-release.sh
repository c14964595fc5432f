#!/usr/bin/env bash
# Tries the release as a Windows user would, under Wine in a fresh prefix:
# a silent install (files, shortcut, uninstall entry), the installed programs
# start, a second install replaces the first, a silent uninstall leaves
# nothing of ours; and the portable zip's programs run from any folder with
# the library taken from that folder.
#   packaging/test-release.sh RELEASE_DIR
set -euo pipefail
release=$(realpath "$1")
setup=$(ls "$release"/Vesperin-*-setup.exe)
portable=$(ls "$release"/Vesperin-*-portable.zip)
version=$(basename "$setup" | sed 's/^Vesperin-\(.*\)-setup.exe$/\1/')

# What ships, in both the zip and the installer, on every machine.
shipped=(Vesperin.exe Vesperlink.dll vpalarm.exe README.txt)
zip_files=$(unzip -Z1 "$portable")
# 7-Zip lists the files an NSIS installer holds, and the uninstaller it writes.
setup_files=$(7z l -ba -slt "$setup" | sed -n 's/^Path = //p' | tr '\\' /) ||
  { echo "release test: 7z cannot list $setup (p7zip-full, tools/install-deps.sh)" >&2; exit 1; }
for f in "${shipped[@]}"; do
  grep -q "/$f\$" <<<"$zip_files" || { echo "release test: the zip lacks $f" >&2; exit 1; }
done
for f in "${shipped[@]}" uninstall.exe; do
  grep -Eq "(^|/)$f\$" <<<"$setup_files" ||
    { echo "release test: the installer lacks $f; it holds: $(echo $setup_files)" >&2; exit 1; }
done
echo "  ok: the zip holds ${shipped[*]}; the installer those and uninstall.exe"

# The installer and the programs are 32-bit Windows programs: they need Wine's
# 32-bit half, which a machine that runs 32-bit x86 programs only under
# emulation does not have (tools/host-i386.sh); the guest stage of
# tools/test.sh runs this script in a guest that has it. Here only what needs
# no Windows is checked.
i386=$("$(dirname "$0")/../tools/host-i386.sh")
if [ "$i386" != native ]; then
  file -b "$setup" | grep -q '^PE32 executable (GUI) Intel 80386' ||
    { echo "release test: $setup is no 32-bit Windows program" >&2; exit 1; }
  echo "release test: LEFT OUT under Wine here (this machine runs 32-bit x86 programs only $i386);"
  echo "  the setup is a 32-bit Windows program"
  exit 0
fi

work=$(mktemp -d /tmp/vesperin-release-test.XXXXXX)
# VESPERIN_RELEASE_PREFIX names a fresh 32-bit prefix made already (the
# guest keeps one made in its image, where wineboot takes minutes).
export WINEPREFIX="${VESPERIN_RELEASE_PREFIX:-$work/prefix}" WINEARCH=win32 WINEDEBUG=-all \
  WINEDLLOVERRIDES="mscoree,mshtml="
# One X server of our own for the whole run: the prefix's desktop process,
# started by the first program, keeps the display it was started with.
Xvfb -displayfd 3 -screen 0 1024x768x24 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 1 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

fail() { echo "release test: $*" >&2; exit 1; }
check() { echo "  ok: $*"; }

echo "== a fresh Wine prefix"
if [ -z "${VESPERIN_RELEASE_PREFIX:-}" ]; then
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
[ -f "$WINEPREFIX/system.reg" ] || fail "no Wine prefix in $WINEPREFIX"
drive_c="$WINEPREFIX/drive_c"
target="$drive_c/Program Files/Vesperin"
shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vesperin.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vesperin'

echo "== silent install"
wine "$setup" /S
wineserver -w
for f in "${shipped[@]}" uninstall.exe; do
  [ -f "$target/$f" ] || fail "the install lacks $f"
done
check "files in C:\\Program Files\\Vesperin: ${shipped[*]} uninstall.exe"
entry=$(wine reg query "$key" 2>/dev/null | tr -d '\r')
for value in "DisplayName.*Vesperin" "DisplayVersion.*$version" 'UninstallString.*uninstall.exe' \
             'QuietUninstallString.*uninstall.exe" /S' 'InstallLocation.*Vesperin'; do
  grep -q "$value" <<<"$entry" || fail "the uninstall entry lacks $value: $entry"
done
check "uninstall entry: DisplayName, DisplayVersion $version, (Quiet)UninstallString, InstallLocation"
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
check "Start-menu shortcut Vesperin"

echo "== the installed programs start"
set +e
out=$(wine "$target/vpalarm.exe" 2>&1 | tr -d '\r'); rc=$?
set -e
[ "$rc" -eq 1 ] && grep -q '^Initiating failed\.\.\.$' <<<"$out" || fail "vpalarm.exe: exit $rc, $out"
check "vpalarm.exe without the driver: \"Initiating failed...\", exit 1"
wine "$target/Vesperin.exe" &
program=$!
box=""
for _ in $(seq 1 120); do
  box=$(xdotool search --onlyvisible --name '^Vesperin$' 2>/dev/null | tail -n 1) && [ -n "$box" ] && break
  sleep 0.5
done
[ -n "$box" ] || { kill "$program"; fail "Vesperin.exe showed no message box"; }
import -window root "$work/startup.png" 2>/dev/null && cp "$work/startup.png" "$release/startup-without-driver.png" || true
# The box's own text, read in the prefix by a small Windows program
# (VESPERIN_READ_BOX_TEXT: one built already, where no compiler is).
reader=${VESPERIN_READ_BOX_TEXT:-$work/read-box-text.exe}
[ -n "${VESPERIN_READ_BOX_TEXT:-}" ] || i686-w64-mingw32-gcc-win32 -Wall -Werror -o "$reader" \
  "$(dirname "$0")/read-box-text.c" -luser32
shown=$(wine "$reader" Vesperin 2>/dev/null | tr -d '\r') || true
[ "$shown" = "Vesperin|Initiating failed..." ] || {
  kill "$program"; fail "the start-up box showed \"$shown\", not \"Vesperin|Initiating failed...\""; }
check "the start-up box reads \"Initiating failed...\" under the caption \"Vesperin\""
# No window manager runs: focus the box and press Enter as a user would.
xdotool windowfocus --sync "$box" 2>/dev/null || true
xdotool key Return
for _ in $(seq 1 60); do kill -0 "$program" 2>/dev/null || break; sleep 0.5; done
if kill -0 "$program" 2>/dev/null; then kill "$program"; fail "Vesperin.exe did not end"; fi
wait "$program" || true
check "Vesperin.exe showed its start-up failure box and ended after Enter"

echo "== installing again replaces the installation"
echo "stale" > "$target/vpalarm.exe"
wine "$setup" /S
wineserver -w
cmp -s "$target/vpalarm.exe" <(unzip -p "$portable" "*/vpalarm.exe") || fail "vpalarm.exe was not replaced"
check "a second install replaced the files in the same folder"

echo "== silent uninstall"
echo "the user's own" > "$target/notes.txt"
wine "$target/uninstall.exe" /S
wineserver -w
for _ in $(seq 1 60); do [ -f "$target/uninstall.exe" ] || break; sleep 0.5; done
for f in "${shipped[@]}" uninstall.exe; do
  [ ! -e "$target/$f" ] || fail "the uninstall left $f"
done
[ -f "$target/notes.txt" ] || fail "the uninstall removed a file it did not install"
[ ! -e "$shortcut" ] || fail "the uninstall left the shortcut"
wine reg query "$key" >/dev/null 2>&1 && fail "the uninstall left its entry"
rm "$target/notes.txt"
wine "$setup" /S && wineserver -w && wine "$target/uninstall.exe" /S && wineserver -w
for _ in $(seq 1 60); do [ -e "$target" ] || break; sleep 0.5; done
[ ! -e "$target" ] || fail "the uninstall left its folder: $(ls "$target")"
check "uninstall removed files, shortcut and entry, kept a file of the user's, then left nothing"

echo "== /D= picks the folder"
# Wine quotes an argument that holds a blank, and the installer takes /D=
# only unquoted, so the folder here has none.
other="$drive_c/AlarmTools/Vesperin"
wine "$setup" /S '/D=C:\AlarmTools\Vesperin'
wineserver -w
[ -f "$other/vpalarm.exe" ] && [ ! -e "$target" ] || fail "/D= did not install into C:\AlarmTools\Vesperin"
wine reg query "$key" /v InstallLocation 2>/dev/null | tr -d '\r' | grep -q 'C:\\AlarmTools\\Vesperin' ||
  fail "the uninstall entry does not name the /D= folder"
wine "$other/uninstall.exe" /S
wineserver -w
for _ in $(seq 1 60); do [ -e "$other" ] || break; sleep 0.5; done
[ ! -e "$other" ] || fail "the uninstall left C:\AlarmTools\Vesperin"
check "/D= installs into the folder it names, and the uninstall empties it"

echo "== the portable zip runs from any folder with its own library"
mkdir -p "$work/unzipped/a folder" "$work/elsewhere" "$work/on path"
unzip -q "$portable" -d "$work/unzipped/a folder"
folder=$(ls -d "$work/unzipped/a folder"/Vesperin-*)
# A file named like the library, but no library, on the search path and in
# the current folder: a program that took it would fail to load it.
echo "not a library" > "$work/on path/Vesperlink.dll"
cp "$work/on path/Vesperlink.dll" "$work/elsewhere/Vesperlink.dll"
export WINEPATH="$(winepath -w "$work/on path")"
cd "$work/elsewhere"
set +e
out=$(wine "$folder/vpalarm.exe" 2>&1 | tr -d '\r'); rc=$?
set -e
[ "$rc" -eq 1 ] && grep -q '^Initiating failed\.\.\.$' <<<"$out" || fail "unzipped vpalarm.exe: exit $rc, $out"
check "unzipped vpalarm.exe from another folder: its own library, \"Initiating failed...\", exit 1"
# The real library on the search path, none beside the program: not taken.
cp "$folder/Vesperlink.dll" "$work/on path/Vesperlink.dll"
cp "$folder/Vesperlink.dll" "$work/elsewhere/Vesperlink.dll"
rm "$folder/Vesperlink.dll"
set +e
out=$(wine "$folder/vpalarm.exe" 2>&1 | tr -d '\r'); rc=$?
set -e
[ "$rc" -eq 1 ] && grep -q '^Loading ACPI DLL failed\.\.\.$' <<<"$out" || fail "vpalarm.exe without its library: exit $rc, $out"
check "without a library beside it, vpalarm.exe says \"Loading ACPI DLL failed...\" whatever the path holds"
cd /
echo "release test passed"
