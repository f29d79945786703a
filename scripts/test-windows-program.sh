#!/usr/bin/env bash
# Runs the Windows program that scripts/build-windows.sh packed (build-win64/Lumor-*-win64.zip and
# Lumor-*-setup.exe) under Wine, in a fresh Wine prefix on a virtual display (Xvfb), with no other
# DLLs on the path, and compares it with the Linux build (build-linux, or $LUMOR_LINUX_BUILD).
# From the unpacked ZIP:
#   - lumor-cli.exe eval gives the Linux tool's end values for the kept routes;
#   - lumor-cli.exe report writes the kept Protokol.html byte for byte, the logo, a PDF, and
#     pictures equal to the Linux ones outside the texts (the texts take Windows' fonts);
#   - both also with a Czech file and folder name (žluťoučký kůň/Novák.trasa);
#   - lumor.exe, started in its own folder as a double-click does, shows its main window, the
#     standard library in its library window, opens Novák.trasa through the file dialog and its
#     draw command writes the three pictures into its Protokol folder (driven with xdotool).
# Through the installer:
#   - Lumor-*-setup.exe /S installs the ZIP's files into %LOCALAPPDATA%\Programs\Lumor, the
#     Start-menu entry, the desktop shortcut, the file types .trasa and .komp and the entry in the
#     list of programs with its version and publisher;
#   - the command of the .trasa file type, run as Explorer runs it (in the route's folder, a Czech
#     name with spaces), opens the route in the installed lumor.exe, whose draw writes into its
#     Protokol folder; the installed lumor-cli.exe writes a report;
#   - the silent uninstall removes the program, its shortcuts and registry entries and keeps the
#     student's reports and files; reinstalled with /NODESKTOP and uninstalled with
#     /REMOVEREPORTS, not even the folder is left.
# Screenshots land in build-win64/program-test/*.png. The prefix and the home folder Wine sees
# are made afresh in build-win64/program-test, so nothing reaches the user's own.
#   scripts/test-windows-program.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-win64"
linux_build="${LUMOR_LINUX_BUILD:-$root/build-linux}"
work="$build/program-test"
start=$SECONDS
failures=0
step() { echo; echo "=== $* ($(( SECONDS - start ))s)"; }
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }
stop() { echo "FAIL: $*" >&2; exit 1; }

packages=(wine64 xvfb xauth xdotool imagemagick python3 unzip cmake ninja-build fonts-dejavu-core)
LUMOR_NO_RECOMMENDS=1 "$root/scripts/deps.sh" "${packages[@]}"
zips=("$build"/Lumor-*-win64.zip)
[ ${#zips[@]} -eq 1 ] && [ -f "${zips[0]}" ] || stop "no build-win64/Lumor-*-win64.zip: run scripts/build-windows.sh"
zip="${zips[0]}"
name="$(basename "$zip" .zip)"
version="${name#Lumor-}"
version="${version%-win64}"
setup="$build/Lumor-$version-setup.exe"
[ -f "$setup" ] || stop "no build-win64/Lumor-$version-setup.exe: run scripts/build-windows.sh"

step "the Linux lumor-cli to compare with ($linux_build)"
if [ ! -f "$linux_build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$linux_build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMOR_BUILD_TESTS=OFF > /dev/null
fi
cmake --build "$linux_build" -j2 --target lumor-cli
linux_cli="$linux_build/bin/lumor-cli"

step "the unpacked ZIP"
rm -rf "$work"
mkdir -p "$work/unpacked"
unzip -q "$zip" -d "$work/unpacked"
folder="$work/unpacked/$name"
[ -f "$folder/lumor.exe" ] && [ -f "$folder/lumor-cli.exe" ] || stop "$name/ lacks lumor.exe or lumor-cli.exe"
ok "$name/ holds $(find "$folder" -type f | wc -l) files"

# Wine in a fresh prefix of its own, the program's DLLs found only beside it. Wine's home is a
# folder of the check too: Wine links the prefix's Desktop and Documents to the home's, and
# its menu builder (off here) would write menu entries and file types into it.
wine="$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)"
wineserver="$(command -v wineserver || echo /usr/lib/wine/wineserver)"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" \
  XDG_CACHE_HOME="$work/home/.cache"
export WINEPREFIX="$work/wineprefix" WINEARCH=win64 WINEDEBUG=-all \
  WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
mkdir -p "$HOME"
unset WINEPATH DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
# UTF-8 arguments reach the programs as the Unicode text they are.
export LANG=C.UTF-8 LC_ALL=C.UTF-8
xvfb_pid=""
cleanup() {
  "$wineserver" -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
# The virtual display exists before any Wine program runs: Wine's desktop, made by the first
# program, stays on the display it found then.
display=""
for n in $(seq 91 120); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { display=":$n"; break; }
done
[ -n "$display" ] || stop "no free X display number"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY="$display"
for _ in $(seq 50); do xdotool getmouselocation > /dev/null 2>&1 && break; sleep 0.2; done
step "a fresh Wine prefix ($WINEPREFIX)"
"$wine" wineboot --init > /dev/null 2>&1 || stop "wineboot could not make the prefix"
"$wineserver" -w
# The user's folders (Desktop, Documents…) become folders of the prefix instead of links.
for link in "$WINEPREFIX"/drive_c/users/*/*; do
  [ -L "$link" ] && rm "$link" && mkdir "$link"
done
"$wineserver" -p  # one wineserver for the whole check: every program starts at once
# Windows paths of the Unix ones, and back.
windows_path() { "$wine" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
unix_path() { "$wine" winepath -u "$1" 2>/dev/null | tr -d '\r'; }

# The routes, from the kept report cases, and one of them under a Czech folder and file name.
routes=(MixedRoute LongDispersiveRoute SourceAndDetectorOnly)
mkdir -p "$work/routes" "$work/žluťoučký kůň"
for r in "${routes[@]}"; do
  cp "$root/tests/golden/report/$r/route.trasa" "$work/routes/$r.trasa"
  cp "$root/tests/golden/report/$r/zaver.txt" "$work/routes/$r.zaver.txt"
done
cp "$work/routes/MixedRoute.trasa" "$work/žluťoučký kůň/Novák.trasa"
cp "$work/routes/MixedRoute.zaver.txt" "$work/žluťoučký kůň/Novák.zaver.txt"
cd "$work"

step "lumor-cli.exe eval"
eval_case() {  # eval_case ROUTE...: the Windows tool's values are the Linux tool's
  "$linux_cli" eval --csv "$@" > eval-linux.csv || { fail "the Linux lumor-cli eval $*"; return; }
  if ! "$wine" "$folder/lumor-cli.exe" eval --csv "$@" > eval-windows.csv 2> eval-windows.err; then
    fail "lumor-cli.exe eval $*: $(head -5 eval-windows.err)"; return
  fi
  # The Windows console ends lines with CR LF; the values are what is compared.
  if cmp -s eval-linux.csv eval-windows.csv; then
    ok "eval $*: the same bytes as on Linux ($(wc -l < eval-linux.csv) lines)"
  elif tr -d '\r' < eval-windows.csv | cmp -s eval-linux.csv -; then
    ok "eval $*: the same values as on Linux, lines ending in CR LF ($(wc -l < eval-linux.csv) lines)"
  else
    fail "eval $* differs from Linux:"; diff eval-linux.csv <(tr -d '\r' < eval-windows.csv) | head -20
  fi
}
eval_case routes/MixedRoute.trasa routes/LongDispersiveRoute.trasa routes/SourceAndDetectorOnly.trasa
eval_case "žluťoučký kůň/Novák.trasa"

step "lumor-cli.exe report"
report_case() {  # report_case ROUTE ZAVER OUT-NAME GOLDEN-CASE
  local route="$1" zaver="$2" out="$3" golden="$root/tests/golden/report/$4"
  local args=(report "$route" --jmeno Jan --prijmeni "Nováček & syn" --datum "12. 3. 2024"
              --skupina "3 – úterý" --zaver "$zaver")
  "$linux_cli" "${args[@]}" --out "linux/$out" > /dev/null || { fail "Linux report of $route"; return; }
  if ! "$wine" "$folder/lumor-cli.exe" "${args[@]}" --out "windows/$out" > report.out 2> report.err; then
    fail "lumor-cli.exe report $route: $(head -5 report.err)"; return
  fi
  cmp -s "windows/$out/Protokol.html" "$golden/Protokol.html" &&
    cmp -s "linux/$out/Protokol.html" "$golden/Protokol.html" &&
    ok "$out: Protokol.html byte-identical with Linux and the kept page" || fail "$out: Protokol.html differs"
  cmp -s "windows/$out/ORV.gif" "$folder/Protokol/ORV.gif" && ok "$out: the logo from the program folder" ||
    fail "$out: ORV.gif is not the program's logo"
  [ "$(head -c 5 "windows/$out/Protokol.pdf" 2>/dev/null)" = "%PDF-" ] &&
    ok "$out: Protokol.pdf ($(stat -c %s "windows/$out/Protokol.pdf") bytes)" || fail "$out: no Protokol.pdf"
  local f verdict
  for f in att.bmp cd.bmp pmd.bmp; do
    if verdict="$(python3 "$root/scripts/compare-pictures.py" "linux/$out/$f" "windows/$out/$f")"; then
      ok "$out/$f: $verdict"
    else
      fail "$out/$f: $verdict"
    fi
  done
}
for r in "${routes[@]}"; do report_case "routes/$r.trasa" "routes/$r.zaver.txt" "$r" "$r"; done
report_case "žluťoučký kůň/Novák.trasa" "žluťoučký kůň/Novák.zaver.txt" "žluťoučký kůň/Protokol Novák" MixedRoute

step "lumor.exe on a virtual display"
# Waits up to 60 s for a visible window whose title matches; prints its id.
window() {
  local id
  for _ in $(seq 120); do
    id="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)" && [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.5
  done
  return 1
}
shot() { import -window root "$work/$1.png" && echo "  screenshot: $work/$1.png"; }
# Started as a double-click starts it: in its own folder.
(cd "$folder" && exec "$wine" lumor.exe > "$work/lumor.log" 2>&1) &
lumor_pid=$!
if main="$(window '^Lumor$')"; then
  sleep 3
  ok "lumor.exe shows its main window ($(xdotool getwindowgeometry "$main" | sed -n 's/.*Geometry: //p'))"
  shot main
  # The standard library is read at start; a missing or unreadable one shows a message box.
  others="$(xdotool search --onlyvisible --name '.' 2>/dev/null | grep -vx "$main" || true)"
  if [ -z "$others" ]; then
    ok "no message box at start: Komponenty\\stdkmp.komp was read"
  else
    fail "lumor.exe shows more at start: $(for w in $others; do xdotool getwindowname "$w"; done | tr '\n' ' ')"
  fi
else
  shot no-window
  stop "lumor.exe shows no main window within 60 s: $(tail -5 "$work/lumor.log")"
fi
# The main window's commands by their keys (Ctrl+K the component library, F5 the draw), which
# stay where they are when the tool bar changes. Xvfb has no window manager: the window gets the
# focus by a click on its empty part.
eval "$(xdotool getwindowgeometry --shell "$main")"
main_x=$X main_y=$Y
press() {  # press KEYS: the main window's command of those keys
  xdotool mousemove --sync $((main_x + 1100)) $((main_y + 900)) click 1
  sleep 0.5
  xdotool key --clearmodifiers "$1"
}
press ctrl+k
if library="$(window '^Seznam komponent$')"; then
  sleep 2
  shot library
  # The catalogue's first entries show in the window's grid; the picture is looked at by hand.
  ok "the library window opens (see library.png for the standard library's entries)"
  # "Zavřít" in its bottom right corner.
  eval "$(xdotool getwindowgeometry --shell "$library")"
  xdotool mousemove --sync $((X + WIDTH - 51)) $((Y + HEIGHT - 18)) click 1
  sleep 1
else
  shot no-library
  fail "the library window did not open"
fi
# A click on the main window's empty part gives it the focus; Ctrl+O opens the file dialog,
# whose file name box has the focus.
xdotool mousemove --sync $((main_x + 1100)) $((main_y + 900)) click 1
sleep 0.5
xdotool key --clearmodifiers ctrl+o
sleep 3
shot open-dialog
xdotool type --delay 40 "Z:${work//\//\\}\\žluťoučký kůň\\Novák.trasa"
sleep 0.5
shot typed
xdotool key Return
if opened="$(window 'Novák')"; then
  ok "Novák.trasa opened through the file dialog: $(xdotool getwindowname "$opened")"
  sleep 1
  rm -f "$folder"/Protokol/{att,cd,pmd}.bmp
  press F5
  for _ in $(seq 40); do [ -f "$folder/Protokol/pmd.bmp" ] && break; sleep 0.5; done
  sleep 2
  shot drawn
  for f in att.bmp cd.bmp pmd.bmp; do
    if [ ! -f "$folder/Protokol/$f" ]; then fail "the draw wrote no Protokol\\$f"; continue; fi
    # The program draws the enlarged graphs exactly as lumor-cli's report does.
    if verdict="$(python3 "$root/scripts/compare-pictures.py" "linux/MixedRoute/$f" "$folder/Protokol/$f")"; then
      ok "lumor.exe wrote Protokol\\$f: $verdict"
    else
      fail "lumor.exe wrote Protokol\\$f: $verdict"
    fi
  done
  # Qt's own texts in Czech (translations\qtbase_cs.qm beside the program): Ctrl+N asks before
  # it clears the route, with the buttons "Ano" and "Ne" (question.png, looked at by hand).
  xdotool mousemove --sync $((main_x + 1100)) $((main_y + 900)) click 1
  xdotool key --clearmodifiers ctrl+n
  sleep 2
  shot question
else
  shot not-opened
  fail "Novák.trasa did not open through the file dialog (see open-dialog.png, not-opened.png)"
fi
# Ends the program (the Wine process started above) and waits until its windows are gone.
end_program() {
  kill "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
  for _ in $(seq 40); do
    [ -z "$(xdotool search --onlyvisible --name '.' 2>/dev/null)" ] && return 0
    sleep 0.25
  done
}
end_program "$lumor_pid"

# --- The installer ------------------------------------------------------------------------
# registry NAME: the user's registry (HKEY_CURRENT_USER\Software) exported to NAME.reg and
# written to NAME.txt as lines "key<TAB>value name<TAB>value" ("@" names a key's default value,
# a key alone gives "key<TAB><TAB>").
registry() {
  "$wine" reg export 'HKCU\Software' "$(windows_path "$work/$1.reg")" /y > /dev/null 2>&1 ||
    stop "reg export of HKEY_CURRENT_USER\Software failed"
  python3 - "$work/$1.reg" > "$work/$1.txt" <<'PY'
import re, sys
text = open(sys.argv[1], encoding="utf-16").read()
text = re.sub(r"\\\r?\n  ", "", text)  # continued hex values
key = None
for line in text.splitlines():
    if line.startswith("[") and line.endswith("]"):
        key = line[1:-1]
        print(key + "\t\t")
        continue
    m = re.match(r'^(@|"((?:[^"\\]|\\.)*)")=(.*)$', line)
    if not m or key is None:
        continue
    name = "@" if m.group(1) == "@" else re.sub(r"\\(.)", r"\1", m.group(2))
    raw = m.group(3)
    if raw.startswith('"'):
        value = re.sub(r"\\(.)", r"\1", raw[1:-1])
    elif raw.startswith("dword:"):
        value = str(int(raw[6:], 16))
    else:
        value = raw
    print(f"{key}\t{name}\t{value}")
PY
}
# value NAME KEY VALUE-NAME: a value of the registry written by `registry NAME`.
value() {
  key="HKEY_CURRENT_USER\\Software\\$2" name="$3" awk -F '\t' '
    tolower($1) == tolower(ENVIRON["key"]) && $2 == ENVIRON["name"] { print $3; found = 1 }
    END { exit !found }' "$work/$1.txt"
}
expect_value() {  # expect_value NAME KEY VALUE-NAME EXPECTED
  local got
  if got="$(value "$1" "$2" "$3")" && [ "$got" = "$4" ]; then
    ok "registry: $2 $3 = $4"
  else
    fail "registry: $2 $3 is '${got:-(none)}', not '$4'"
  fi
}
# shortcut FILE: the target, "Start in" and icon of a Windows shortcut (.lnk), one a line.
shortcut() {
  python3 - "$1" <<'PY'
import struct, sys
d = open(sys.argv[1], "rb").read()
flags = struct.unpack_from("<I", d, 0x14)[0]
pos = 0x4C
if flags & 1:  # the item list: skipped
    pos += 2 + struct.unpack_from("<H", d, pos)[0]
fields = {"target": ""}
if flags & 2:  # the link information: the target's local path
    size, header, info_flags = struct.unpack_from("<III", d, pos)
    if info_flags & 1:
        start = pos + struct.unpack_from("<I", d, pos + 16)[0]
        fields["target"] = d[start:d.index(b"\0", start)].decode("cp1252")
    pos += size
for bit, name in ((4, "comment"), (8, "relative"), (16, "start_in"), (32, "arguments"), (64, "icon")):
    if flags & bit:
        width = 2 if flags & 0x80 else 1
        count = struct.unpack_from("<H", d, pos)[0]
        fields[name] = d[pos + 2:pos + 2 + width * count].decode("utf-16le" if width == 2 else "cp1252")
        pos += 2 + width * count
for name in ("target", "start_in", "icon"):
    print(fields.get(name, "").rstrip("\0"))
PY
}

step "the installer, silent (/S), into the fresh prefix"
"$wine" "$setup" /S || fail "$(basename "$setup") /S ended with status $?"
local_app_data="$("$wine" cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')"
programs_menu="$("$wine" cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')\\Microsoft\\Windows\\Start Menu\\Programs"
desktop="$("$wine" cmd /c echo %USERPROFILE% 2>/dev/null | tr -d '\r')\\Desktop"
installed_win="$local_app_data\\Programs\\Lumor"
installed="$(unix_path "$installed_win")"
if [ -n "$installed" ] && [ -f "$installed/lumor.exe" ]; then
  ok "installed into $installed_win"
else
  stop "nothing installed into $installed_win"
fi
# The ZIP's files as packed (the unpacked folder above holds the pictures lumor.exe drew).
rm -rf "$work/packed" && unzip -q "$zip" -d "$work/packed"
if diff -r -x uninstall.exe "$work/packed/$name" "$installed" > install-diff.txt; then
  ok "the installed folder holds the ZIP's $(find "$work/packed/$name" -type f | wc -l) files, byte for byte"
else
  fail "the installed folder differs from the ZIP's: $(head -5 install-diff.txt)"
fi
[ -f "$installed/uninstall.exe" ] && ok "uninstall.exe beside lumor.exe" || fail "no uninstall.exe"
check_shortcut() {  # check_shortcut WINDOWS-PATH
  local file lines
  file="$(unix_path "$1")"
  if [ ! -f "$file" ]; then fail "no shortcut $1"; return; fi
  mapfile -t lines < <(shortcut "$file")
  if [ "${lines[0]}" = "$installed_win\\lumor.exe" ] && [ "${lines[1]}" = "$installed_win" ] &&
     [ "${lines[2]}" = "$installed_win\\lumor.exe" ]; then
    ok "shortcut $1: lumor.exe with its icon, started in its folder"
  else
    fail "shortcut $1: target '${lines[0]}', start in '${lines[1]}', icon '${lines[2]}'"
  fi
}
check_shortcut "$programs_menu\\Lumor.lnk"
check_shortcut "$desktop\\Lumor.lnk"

registry registry-installed
command="\"$installed_win\\lumor.exe\" \"%1\""
for type in "trasa Lumor.Trasa -2" "komp Lumor.Komponenty -3"; do
  read -r extension progid icon <<< "$type"
  expect_value registry-installed "Classes\\.$extension" @ "$progid"
  expect_value registry-installed "Classes\\$progid\\DefaultIcon" @ "$installed_win\\lumor.exe,$icon"
  expect_value registry-installed "Classes\\$progid\\shell\\open\\command" @ "$command"
done
uninstall_key='Microsoft\Windows\CurrentVersion\Uninstall\Lumor'
expect_value registry-installed "$uninstall_key" DisplayName Lumor
expect_value registry-installed "$uninstall_key" DisplayVersion "$version"
expect_value registry-installed "$uninstall_key" UninstallString "\"$installed_win\\uninstall.exe\""
expect_value registry-installed "$uninstall_key" QuietUninstallString "\"$installed_win\\uninstall.exe\" /S"
publisher="$(value registry-installed "$uninstall_key" Publisher || true)"
[ -n "$publisher" ] && ok "registry: publisher '$publisher'" || fail "registry: no publisher"

step "a route opened as its file type does (the installed lumor.exe)"
# Wine's Explorer does not read file types of the user's (HKEY_CURRENT_USER\Software\Classes),
# so the command of .trasa's type is run here as Explorer runs it: "%1" the route, in the
# route's folder.
route="$work/žluťoučký kůň/Novák.trasa"
route_win="$(windows_path "$route")"
open_command="$(value registry-installed 'Classes\Lumor.Trasa\shell\open\command' @ || true)"
if [[ "$open_command" =~ ^\"([^\"]+)\"\ \"%1\"$ ]]; then
  (cd "$(dirname "$route")" && exec "$wine" "${BASH_REMATCH[1]}" "$route_win" > "$work/lumor-installed.log" 2>&1) &
  lumor_pid=$!
  if opened="$(window 'Novák')"; then
    sleep 3
    shot installed-opened
    ok "the installed lumor.exe opened $route_win: $(xdotool getwindowname "$opened")"
    others="$(xdotool search --onlyvisible --name '.' 2>/dev/null | grep -vx "$opened" || true)"
    if [ -z "$others" ]; then
      ok "no message box: started in the route's folder, it read its own Komponenty\\stdkmp.komp"
    else
      fail "the installed lumor.exe shows more: $(for w in $others; do xdotool getwindowname "$w"; done | tr '\n' ' ')"
    fi
    eval "$(xdotool getwindowgeometry --shell "$opened")"
    main_x=$X main_y=$Y
    press F5
    for _ in $(seq 40); do [ -f "$installed/Protokol/pmd.bmp" ] && break; sleep 0.5; done
    sleep 1
    shot installed-drawn
    for f in att.bmp cd.bmp pmd.bmp; do
      [ -f "$installed/Protokol/$f" ] && ok "the installed lumor.exe wrote Protokol\\$f" ||
        fail "the installed lumor.exe wrote no Protokol\\$f"
    done
  else
    shot installed-not-opened
    fail "the installed lumor.exe did not show Novák.trasa: $(tail -5 "$work/lumor-installed.log")"
  fi
  end_program "$lumor_pid"
else
  fail "the command of .trasa is '$open_command'"
fi

step "a report by the installed lumor-cli.exe"
report_out="žluťoučký kůň/Protokol z instalace"
if "$wine" "$installed/lumor-cli.exe" report "žluťoučký kůň/Novák.trasa" --out "$report_out" --jmeno Jan \
     --prijmeni "Nováček & syn" --datum "12. 3. 2024" --skupina "3 – úterý" \
     --zaver "žluťoučký kůň/Novák.zaver.txt" > report.out 2> report.err; then
  cmp -s "$report_out/Protokol.html" "$root/tests/golden/report/MixedRoute/Protokol.html" &&
    cmp -s "$report_out/ORV.gif" "$installed/Protokol/ORV.gif" &&
    [ "$(head -c 5 "$report_out/Protokol.pdf")" = "%PDF-" ] &&
    ok "$report_out: the kept Protokol.html, the installed logo and a PDF" ||
    fail "$report_out: the report differs from the kept one"
else
  fail "the installed lumor-cli.exe report: $(head -5 report.err)"
fi

# uninstall NAME ARGUMENTS...: runs the uninstaller the list of programs names, as Windows runs it
# silently, and waits until it has finished: it copies itself away and works from there.
uninstall() {
  local quiet
  quiet="$(value registry-installed "$uninstall_key" QuietUninstallString || true)"
  [[ "$quiet" =~ ^\"([^\"]+)\"\ /S$ ]] || { fail "the silent uninstall is '$quiet'"; return; }
  "$wine" "${BASH_REMATCH[1]}" /S "$@" || fail "uninstall.exe /S $* ended with status $?"
  for _ in $(seq 120); do
    "$wine" reg query "HKCU\\Software\\$uninstall_key" > /dev/null 2>&1 || break
    sleep 0.5
  done
  sleep 1
}
# left NAME: nothing of the program is left in the registry and the menus.
left() {
  registry "$1"
  local key
  for key in 'Classes\Lumor.Trasa' 'Classes\Lumor.Komponenty' 'Classes\.trasa' 'Classes\.komp' \
             'Classes\Applications\lumor.exe' "$uninstall_key" 'Lumor'; do
    value "$1" "$key" "" > /dev/null && fail "registry: $key is left"
  done
  grep -qiF 'AppData\Local\Programs\Lumor' "$work/$1.txt" &&
    fail "registry: values name the install folder: $(grep -iF 'AppData\Local\Programs\Lumor' "$work/$1.txt" | head -3)"
  local link
  for link in "$programs_menu\\Lumor.lnk" "$desktop\\Lumor.lnk"; do
    [ -e "$(unix_path "$link")" ] && fail "the shortcut $link is left"
  done
  true
}

step "the silent uninstall (/S) keeps the student's files"
student_files="$(cd "$work/žluťoučký kůň" && find . -type f -exec sha256sum {} + | sort)"
uninstall
failures_before=$failures
left registry-uninstalled
kept="$(cd "$installed" 2>/dev/null && find . -type f | LC_ALL=C sort | tr '\n' ' ')"
if [ "$kept" = "./Protokol/att.bmp ./Protokol/cd.bmp ./Protokol/pmd.bmp " ]; then
  ok "of the install folder only the reports in Protokol are left: $kept"
else
  fail "the install folder holds '$kept', not just the reports"
fi
[ "$(cd "$work/žluťoučký kůň" && find . -type f -exec sha256sum {} + | sort)" = "$student_files" ] &&
  ok "the route and the report outside the program folder are untouched" ||
  fail "files outside the program folder changed"
[ "$failures" -eq "$failures_before" ] && ok "no registry entry, shortcut or program file is left"

step "installed again without the desktop shortcut, uninstalled with /REMOVEREPORTS"
"$wine" "$setup" /S /NODESKTOP || fail "$(basename "$setup") /S /NODESKTOP ended with status $?"
[ -f "$(unix_path "$programs_menu\\Lumor.lnk")" ] && [ ! -e "$(unix_path "$desktop\\Lumor.lnk")" ] &&
  ok "/NODESKTOP: the Start-menu entry, no desktop shortcut" || fail "/NODESKTOP: wrong shortcuts"
uninstall /REMOVEREPORTS
failures_before=$failures
left registry-removed
[ -e "$installed" ] && fail "the install folder is left: $(find "$installed" | head -5 | tr '\n' ' ')"
[ "$failures" -eq "$failures_before" ] && ok "nothing is left, not even the folder"

echo
if [ "$failures" -gt 0 ]; then
  echo "WINDOWS PROGRAM CHECK FAILED: $failures failures ($(( SECONDS - start ))s)"
  exit 1
fi
# The prefix (some 700 MB) is kept only when something failed, to look into.
"$wineserver" -k 2>/dev/null || true
"$wineserver" -w 2>/dev/null || true
rm -rf "$WINEPREFIX"
echo "WINDOWS PROGRAM CHECK PASSED ($(( SECONDS - start ))s)"
