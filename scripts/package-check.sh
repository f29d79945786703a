#!/usr/bin/env bash
# Builds the Debian package with CPack in build-pkg and checks it: its control data, its file
# list, the unpacked files, and that the unpacked program starts offscreen in a folder where it
# finds the standard library (and, run as root, also from a per-user copy as another user).
#   scripts/package-check.sh            build and check
#   scripts/package-check.sh --install  also install it with apt-get, start it under xvfb-run
#                                       and remove it again (root only; changes this machine)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-pkg"
install_too=0
[ "${1:-}" = "--install" ] && install_too=1

# Build tools (deps.sh) and what packaging adds: dpkg-shlibdeps (dpkg-dev) and file, which
# CPack uses to find the executables whose libraries become the package's dependencies.
"$root/scripts/deps.sh"
"$root/scripts/deps.sh" dpkg-dev file
[ "$install_too" -eq 1 ] && "$root/scripts/deps.sh" xvfb xauth  # xvfb-run

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }

echo "== launcher"
"$root/packaging/launcher-test.sh" "$root/packaging/lumor.sh.in" || fail "launcher test"

echo "== build and package"
(cd "$root" && cmake --preset package -DLUMOR_WERROR="${LUMOR_WERROR:-OFF}")
cmake --build "$build" -j2
rm -rf "$build/package"
(cd "$build" && cpack -G DEB -B "$build/package")
debs=("$build"/package/lumor_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "expected one lumor_*.deb in $build/package" >&2; exit 1; }
deb="${debs[0]}"
echo "package: $deb"

echo "== control data"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = lumor ] && ok "Package: lumor" || fail "Package is '$(field Package)'"
[ "$(field Maintainer)" = "Lumor project <lumor@example.org>" ] && ok "Maintainer" ||
  fail "Maintainer is '$(field Maintainer)'"
depends="$(field Depends)"
echo "Depends: $depends"
for d in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 qt6-qpa-plugins libqt6svg6 fonts-liberation fonts-dejavu-core \
         qt6-translations-l10n; do
  [[ ", $depends," == *", $d "* || ", $depends," == *", $d,"* ]] && ok "depends on $d" ||
    fail "Depends lacks $d"
done

echo "== file list"
listing="$(dpkg-deb -c "$deb")"
expect() {  # expect MODE-PREFIX PATH: the path is in the package, with the given kind and mode
  local line
  line="$(awk -v p="./$2" '$6 == p' <<< "$listing")"
  if [ -z "$line" ]; then fail "missing $2"; return; fi
  [[ "$line" == "$1"* ]] && ok "$2" || fail "$2 has mode ${line%% *}, expected $1"
}
expect -rwxr-xr-x usr/lib/lumor/lumor
expect -rw-r--r-- usr/lib/lumor/Komponenty/stdkmp.komp
expect drwxr-xr-x usr/lib/lumor/Protokol/
expect -rw-r--r-- usr/lib/lumor/Protokol/ORV.gif
expect -rwxr-xr-x usr/bin/lumor
expect -rwxr-xr-x usr/bin/lumor-cli
expect -rw-r--r-- usr/share/applications/lumor.desktop
expect -rw-r--r-- usr/share/mime/packages/lumor.xml
expect -rw-r--r-- usr/share/icons/hicolor/scalable/apps/lumor.svg
expect -rw-r--r-- usr/share/icons/hicolor/scalable/mimetypes/application-x-lumor-route.svg
expect -rw-r--r-- usr/share/icons/hicolor/scalable/mimetypes/application-x-lumor-library.svg
owners="$(awk '{print $2}' <<< "$listing" | sort -u)"
[ "$owners" = "root/root" ] && ok "every file belongs to root" || fail "owners: $owners"

echo "== unpacked files"
scratch="$(mktemp -d)"
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$scratch"
}
trap cleanup EXIT
chmod 755 "$scratch"
tree="$scratch/root"
dpkg-deb -x "$deb" "$tree"
program="$tree/usr/lib/lumor"
komp="$program/Komponenty/stdkmp.komp"
size="$(stat -c %s "$komp")"
# 2564 bytes per entry, no header
[ "$size" -gt 0 ] && [ $((size % 2564)) -eq 0 ] && ok "stdkmp.komp: $((size / 2564)) entries" ||
  fail "stdkmp.komp has $size bytes"
"$tree/usr/bin/lumor-cli" library export "$komp" > "$scratch/stdkmp.csv" 2> "$scratch/cli.err" &&
  ok "lumor-cli reads the packaged catalogue" || fail "lumor-cli: $(cat "$scratch/cli.err")"
cmp -s "$scratch/stdkmp.csv" "$root/data/stdkmp.csv" && ok "the packaged catalogue is data/stdkmp.csv" ||
  fail "the packaged catalogue differs from data/stdkmp.csv"
# A report from the packaged tool, run from its own bin/, on a golden route: it finds the logo
# in the program folder and writes the five files.
if "$tree/usr/bin/lumor-cli" report "$root/tests/golden/report/MixedRoute/route.trasa" --out "$scratch/report" \
    --jmeno Jan --prijmeni Novák 2> "$scratch/cli.err"; then
  ok "lumor-cli report from the package"
else
  fail "lumor-cli report: $(cat "$scratch/cli.err")"
fi
for f in att.bmp cd.bmp pmd.bmp; do
  [ "$(head -c 2 "$scratch/report/$f" 2>/dev/null)" = BM ] && ok "report: $f is a bitmap" || fail "report: no $f"
done
grep -q 'src = "ORV.gif"' "$scratch/report/Protokol.html" 2>/dev/null && ok "report: Protokol.html" ||
  fail "report: no Protokol.html"
cmp -s "$scratch/report/ORV.gif" "$program/Protokol/ORV.gif" && ok "report: the logo from the program folder" ||
  fail "report: ORV.gif is not the packaged logo"
[ "$(head -c 6 "$program/Protokol/ORV.gif")" = GIF89a ] || [ "$(head -c 6 "$program/Protokol/ORV.gif")" = GIF87a ] &&
  ok "ORV.gif is a GIF picture" || fail "ORV.gif is not a GIF picture"
desktop="$tree/usr/share/applications/lumor.desktop"
for key in "Exec=lumor %f" "MimeType=application/x-lumor-route;application/x-lumor-library;" "Icon=lumor" "Categories=Education;Science;" "Name=Lumor" "Name\[cs\]=" "Comment=" "Comment\[cs\]="; do
  grep -q "^$key" "$desktop" && ok "lumor.desktop: ${key//\\/}" || fail "lumor.desktop lacks ${key//\\/}"
done
if command -v desktop-file-validate > /dev/null; then
  desktop-file-validate "$desktop" && ok "lumor.desktop validates" || fail "desktop-file-validate"
fi
mime="$tree/usr/share/mime/packages/lumor.xml"
if command -v xmllint > /dev/null; then
  xmllint --noout "$mime" && ok "lumor.xml is well-formed" || fail "lumor.xml is not well-formed"
fi
grep -q 'type="application/x-lumor-route"' "$mime" && grep -q 'pattern="\*.trasa"' "$mime" &&
  grep -q 'type="application/x-lumor-library"' "$mime" && grep -q 'pattern="\*.komp"' "$mime" &&
  ok "lumor.xml declares *.trasa and *.komp" || fail "lumor.xml lacks a type"
for svg in "$tree"/usr/share/icons/hicolor/scalable/*/*.svg; do
  grep -q "<svg" "$svg" && ok "$(basename "$svg") is SVG" || fail "$(basename "$svg") is not SVG"
done

# Starts a launcher in the background, checks that the program comes up in the expected folder
# with the standard library readable there, stays up for a few seconds, and ends it.
#   start_and_check WHAT EXPECTED_FOLDER COMMAND...
start_and_check() {
  local what="$1" folder="$2"
  shift 2
  "$@" > "$scratch/start.out" 2>&1 &
  local pid=$!
  pids+=("$pid")
  sleep 4
  if ! kill -0 "$pid" 2>/dev/null; then
    fail "$what: the program ended at once: $(cat "$scratch/start.out")"
    return
  fi
  # The launcher ends in exec, so the process is the program itself; "env" and "setpriv" in
  # front of it exec too.
  local exe cwd
  exe="$(readlink "/proc/$pid/exe")"
  cwd="$(readlink "/proc/$pid/cwd")"
  [ "$exe" = "$folder/lumor" ] && ok "$what: runs $exe" || fail "$what: runs '$exe', expected $folder/lumor"
  [ "$cwd" = "$folder" ] && ok "$what: works in $cwd" || fail "$what: works in '$cwd', expected $folder"
  [ -r "$cwd/Komponenty/stdkmp.komp" ] && [ -s "$cwd/Komponenty/stdkmp.komp" ] &&
    ok "$what: Komponenty/stdkmp.komp is readable there" || fail "$what: no Komponenty/stdkmp.komp in $cwd"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

echo "== start offscreen"
# The unpacked tree is writable by its owner: the program runs in it.
start_and_check "unpacked" "$program" \
  env QT_QPA_PLATFORM=offscreen HOME="$scratch/home" "$tree/usr/bin/lumor"
if [ "$(id -u)" -eq 0 ] && command -v setpriv > /dev/null; then
  # Another user cannot write the tree: the launcher runs the program from a per-user copy.
  mkdir -p "$scratch/home" && chown 65534:65534 "$scratch/home"
  start_and_check "as another user" "$scratch/home/.local/share/lumor/program" \
    env QT_QPA_PLATFORM=offscreen HOME="$scratch/home" setpriv --reuid=65534 --regid=65534 --clear-groups "$tree/usr/bin/lumor"
fi

if [ "$install_too" -eq 1 ]; then
  echo "== install with apt-get"
  [ "$(id -u)" -eq 0 ] || { echo "--install needs root" >&2; exit 1; }
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb"
  [ -x /usr/bin/lumor ] && [ -x /usr/lib/lumor/lumor ] && ok "installed" || fail "not installed"
  grep -q "application/x-lumor-route" /usr/share/mime/globs2 && ok "MIME database knows *.trasa" ||
    fail "MIME database lacks *.trasa"
  # Started from the menu's command as an ordinary user on an X server: it runs from the
  # per-user copy; a screenshot of the screen goes to build-pkg/installed-screen.png.
  chown 65534:65534 "$scratch"
  env -i PATH=/usr/bin:/bin HOME="$scratch/home" setpriv --reuid=65534 --regid=65534 --clear-groups \
    xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
      lumor & pid=$!
      sleep 5
      echo "exe=$(readlink /proc/$pid/exe)"
      echo "cwd=$(readlink /proc/$pid/cwd)"
      command -v import > /dev/null && import -window root "$1/screen.png"
      kill $pid' sh "$scratch" > "$scratch/xvfb.out" 2>&1 || true
  copy="$scratch/home/.local/share/lumor/program"
  grep -qx "exe=$copy/lumor" "$scratch/xvfb.out" && grep -qx "cwd=$copy" "$scratch/xvfb.out" &&
    ok "installed, under xvfb-run: runs from $copy" || fail "installed, under xvfb-run: $(cat "$scratch/xvfb.out")"
  [ -f "$scratch/screen.png" ] && cp "$scratch/screen.png" "$build/installed-screen.png" &&
    echo "screenshot: $build/installed-screen.png"
  DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq lumor
  [ ! -e /usr/lib/lumor/lumor ] && ok "removed" || fail "not removed"
fi

if [ "$failures" -ne 0 ]; then
  echo "package check: $failures failure(s)" >&2
  exit 1
fi
echo "package check: passed ($deb)"
