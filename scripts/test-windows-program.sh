#!/usr/bin/env bash
# Runs the Windows program that scripts/build-windows.sh packed (build-win64/Lumor-*-win64.zip)
# under Wine, on a virtual display (Xvfb), from the unpacked ZIP and with no other DLLs on the
# path, and compares it with the Linux build (build-linux, or $LUMOR_LINUX_BUILD):
#   - lumor-cli.exe eval gives the Linux tool's end values for the kept routes;
#   - lumor-cli.exe report writes the kept Protokol.html byte for byte, the logo, a PDF, and
#     pictures equal to the Linux ones outside the texts (the texts take Windows' fonts);
#   - both also with a Czech file and folder name (žluťoučký kůň/Novák.trasa);
#   - lumor.exe, started in its own folder as a double-click does, shows its main window, the
#     standard library in its library window, opens Novák.trasa through the file dialog and its
#     draw command writes the three pictures into its Protokol folder (driven with xdotool).
# Screenshots land in build-win64/program-test/*.png.
#   scripts/test-windows-program.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cache="${LUMOR_WINDOWS_CACHE:-$HOME/.cache/lumor-windows}"
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

# Wine in the cache's prefix, the program's DLLs found only beside it.
wine="$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)"
wineserver="$(command -v wineserver || echo /usr/lib/wine/wineserver)"
export WINEPREFIX="$cache/wineprefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
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
"$wineserver" -k 2>/dev/null || true
mkdir -p "$WINEPREFIX"
[ -f "$WINEPREFIX/system.reg" ] || "$wine" wineboot --init > /dev/null 2>&1 || stop "wineboot could not make the prefix"
"$wineserver" -p  # one wineserver for the whole check: every program starts at once

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
disown $!  # ended with the wineserver at the end
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
# The tool bar's buttons (23 pixels wide, from 13 pixels off the window's left edge): 1-3 the
# route's files, a gap of 28, 5 the component library, 6 the student, 7 the report, a gap of 27,
# 10 help, 11 draw. Xvfb has no window manager: windows get the focus by a click.
eval "$(xdotool getwindowgeometry --shell "$main")"
main_x=$X main_y=$Y
button() {  # button N: clicks the tool bar's button N
  local x
  case "$1" in
    5) x=110 ;; 11) x=229 ;; *) stop "no position for button $1" ;;
  esac
  xdotool mousemove --sync $((main_x + x)) $((main_y + 13)) click 1
}
button 5
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
  button 11
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

echo
if [ "$failures" -gt 0 ]; then
  echo "WINDOWS PROGRAM CHECK FAILED: $failures failures ($(( SECONDS - start ))s)"
  exit 1
fi
echo "WINDOWS PROGRAM CHECK PASSED ($(( SECONDS - start ))s)"
