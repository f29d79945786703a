#!/usr/bin/env bash
# Builds the Windows program on Debian 12 and packs it as build-win64/Lumor-<version>-win64.zip
# and as the installer build-win64/Lumor-<version>-setup.exe:
#   1. Qt for 64-bit Windows, cross-built once from Debian's own qt6-base source package (the
#      version of the installed host tools moc, uic and rcc) into a cache outside the repository,
#      ~/.cache/lumor-windows or $LUMOR_WINDOWS_CACHE; later runs reuse it;
#   2. lumor.exe and lumor-cli.exe against it (mingw-w64, cmake/windows-qt.cmake);
#   3. the program folder as the Windows install lays it out, with the Qt DLLs, the plugins the
#      program loads, the MinGW runtime and Qt's Czech translation beside the executables;
#   4. the ZIP of that folder, and the installer of it (NSIS, packaging/windows/lumor.nsi).
# Qt is built as shared libraries: the plugins (the windows platform, the Windows style, GIF)
# stay ordinary DLLs loaded the usual way, the folder looks like a windeployqt one, and a change
# in Lumor relinks in seconds. The first run takes long (see README); nothing runs in parallel
# beyond two compile jobs, and the Qt build runs at the lowest priority.
#   scripts/build-windows.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cache="${LUMOR_WINDOWS_CACHE:-$HOME/.cache/lumor-windows}"
build="$root/build-win64"
jobs=2
start=$SECONDS
step() { echo; echo "=== $* ($(( SECONDS - start ))s)"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

step "packages"
# The host Qt (its tools and CMake files), the cross compilers, Wine (the build runs
# lumor-make-library.exe to make the standard library), dpkg-source, CLI11, toml++, ImageMagick
# (the icons), Qt's translations and NSIS (the installer).
packages=(cmake ninja-build perl python3 xz-utils dpkg-dev zip imagemagick mingw-w64 g++-mingw-w64-x86-64-posix
          wine64 qt6-base-dev qt6-base-dev-tools libcli11-dev libtomlplusplus-dev qt6-translations-l10n nsis)
LUMOR_NO_RECOMMENDS=1 "$root/scripts/deps.sh" "${packages[@]}"
wine="$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)"
wineserver="$(command -v wineserver || echo /usr/lib/wine/wineserver)"
[ -x "$wine" ] && [ -x "$wineserver" ] || fail "Wine not found (package wine64)"
# The Windows Qt is built from exactly the source of the installed host tools.
qt_version="$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)"
qt_upstream="${qt_version%%+*}"
qt_upstream="${qt_upstream%%-*}"
echo "host Qt tools: $qt_version"
mkdir -p "$cache"

step "Qt source (qt6-base $qt_version)"
src="$cache/src/qt6-base"
if [ "$(cat "$src/.unpacked" 2>/dev/null)" != "$qt_version" ]; then
  mkdir -p "$cache/src"
  # Debian's source index, from a sources file that lives only for this call.
  list="/etc/apt/sources.list.d/lumor-windows-src.sources"
  $sudo tee "$list" > /dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  trap '$sudo rm -f "$list"' EXIT
  $sudo apt-get update -qq -o Dir::Etc::sourcelist="$list" -o Dir::Etc::sourceparts=- \
    -o APT::Get::List-Cleanup=0
  # apt checks the files against Debian's signed index; dpkg-source below may still warn that
  # it cannot check the .dsc's own signature (debian-keyring is not installed).
  (cd "$cache/src" && apt-get source --download-only -qq "qt6-base=$qt_version")
  $sudo rm -f "$list"
  trap - EXIT
  rm -rf "$src"
  # dpkg-source applies Debian's patches, as the Linux Qt was built.
  (cd "$cache/src" && dpkg-source -x "qt6-base_${qt_version#*:}.dsc" "$src")
  # Qt 6.4's windows platform asks for the DirectWrite font database whenever DirectWrite 3 is
  # there, but Qt Gui holds it only with Direct2D, which is off here: without this the plugin
  # does not link (undefined QWindowsDirectWriteFontDatabase). It then uses the GDI one.
  sed -i 's/^#if QT_CONFIG(directwrite3)$/#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d)/' \
    "$src/src/plugins/platforms/windows/qwindowsintegration.cpp"
  echo "$qt_version" > "$src/.unpacked"
else
  echo "cached: $src"
fi

step "Qt for Windows (Core, Gui, Widgets, the windows platform)"
qt="$cache/qt6-win64"
qt_build="$cache/qt6-base-build"
# Everything Lumor does not use is off. Lumor reads and writes BMP (in Qt Gui), GIF (a plugin),
# writes PDF (QPdfWriter, in Qt Gui), shows widgets with the Windows style; lumor-cli paints
# through the windows platform too, opening no window.
qt_options=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DQT_BUILD_TOOLS_WHEN_CROSSCOMPILING=OFF
  -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_xml=OFF -DFEATURE_dbus=OFF
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_testlib=OFF
  -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF -DFEATURE_direct2d=OFF
  -DFEATURE_zstd=OFF -DFEATURE_icu=OFF -DFEATURE_jpeg=OFF -DFEATURE_freetype=OFF
  -DFEATURE_androiddeployqt=OFF
  # Debian's source leaves out Wacom's wintab.h (its licence forbids changes), which the windows
  # platform's tablet support includes; Lumor takes no tablet input.
  -DFEATURE_tabletevent=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF)
toolchain="$root/cmake/windows-qt.cmake"
stamp="$(printf '%s\n' "$qt_version" "${qt_options[@]}" | cat - "$toolchain" | sha256sum | cut -c1-16)"
if [ "$(cat "$qt/.lumor-stamp" 2>/dev/null)" != "$stamp" ]; then
  # A build from scratch: another source, other options or another toolchain file.
  rm -rf "$qt_build" "$qt"
  mkdir -p "$qt_build"
  nice -n 19 cmake -G Ninja -S "$src" -B "$qt_build" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_PREFIX="$qt" "${qt_options[@]}" > "$qt_build/configure.log" 2>&1 ||
    { tail -40 "$qt_build/configure.log"; fail "Qt's configure failed (whole log: $qt_build/configure.log)"; }
  nice -n 19 cmake --build "$qt_build" -j"$jobs" > "$qt_build/build.log" 2>&1 ||
    { grep -B2 -A12 -m3 'error' "$qt_build/build.log" | head -60; tail -5 "$qt_build/build.log"
      fail "Qt's build failed (whole log: $qt_build/build.log)"; }
  cmake --install "$qt_build" > "$qt_build/install.log" 2>&1 || fail "Qt's install failed ($qt_build/install.log)"
  echo "$stamp" > "$qt/.lumor-stamp"
else
  echo "cached: $qt"
fi

# CLI11 (header-only) from the host, in a prefix of its own: its CMake file would otherwise put
# /usr/include, with the Linux C headers, on the Windows compiler's include path.
cli11="$cache/cli11"
if [ ! -f "$cli11/include/CLI/CLI.hpp" ] || ! cmp -s /usr/include/CLI/CLI.hpp "$cli11/include/CLI/CLI.hpp"; then
  rm -rf "$cli11"
  mkdir -p "$cli11/include" "$cli11/share/cmake"
  cp -r /usr/include/CLI "$cli11/include/"
  cp -r /usr/share/cmake/CLI11 "$cli11/share/cmake/"
fi

# Wine runs lumor-make-library.exe during the build (the standard library from its CSV), in a prefix of
# the cache with Mono, Gecko and the menu builder (menu entries and file types in the home folder)
# off, finding the Qt and MinGW DLLs through WINEPATH.
export WINEPREFIX="$cache/wineprefix" WINEARCH=win64 WINEDEBUG=-all,err+all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
mingw_gcc_dir="$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")"
mingw_lib_dir=/usr/x86_64-w64-mingw32/lib
export WINEPATH="Z:$qt/bin;Z:$mingw_gcc_dir;Z:$mingw_lib_dir"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  step "Wine prefix ($WINEPREFIX)"
  (unset DISPLAY; "$wine" wineboot --init > /dev/null 2>&1) || fail "wineboot could not make the prefix"
  "$wineserver" -w
fi

step "lumor.exe and lumor-cli.exe"
mkdir -p "$build"
# Debian's qt6-svg source is not reachable here (the archive answers 404 for its files), so the
# Windows Qt has no SVG icon engine: the icons go in as PNG renderings (ImageMagick) under their
# SVG names, which Qt reads by content.
icons="$build/icons-png"
rm -rf "$icons" && mkdir -p "$icons"
{
  echo '<!DOCTYPE RCC><RCC version="1.0"><qresource prefix="/icons">'
  while read -r alias file; do
    convert -background none -density 384 "$file" -resize 64x64 "$icons/${alias%.svg}.png" ||
      fail "could not render $file"
    echo "  <file alias=\"$alias\">${alias%.svg}.png</file>"
  done < <(python3 -c '
import os, sys, xml.etree.ElementTree as ET
qrc = sys.argv[1]
for f in ET.parse(qrc).getroot().iter("file"):
    print(f.get("alias") or os.path.basename(f.text), os.path.normpath(os.path.join(os.path.dirname(qrc), f.text)))
' "$root/assets/icons/icons.qrc")
  echo '</qresource></RCC>'
} > "$icons/icons.qrc"
# lumor.exe's own icons (the program, route and library files) as Windows icons of 16 to 256 pixels.
ico="$build/icons-ico"
rm -rf "$ico" && mkdir -p "$ico"
for icon in lumor application-x-lumor-route application-x-lumor-library; do
  convert -background none -density 384 "$root/packaging/icons/$icon.svg" -depth 8 \
    -define icon:auto-resize=256,64,48,32,24,16 "$ico/$icon.ico" || fail "could not render $icon.ico"
done
# The picture beside the installer's first and last page (164 × 314, as NSIS wants it).
convert -size 164x314 gradient:'#dbe8f8'-'#9dbfe8' \
  \( -background none -density 384 "$root/packaging/icons/lumor.svg" -resize 112x112 \) \
  -gravity north -geometry +0+48 -composite -type TrueColor "BMP3:$ico/welcome.bmp" ||
  fail "could not render welcome.bmp"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMOR_BUILD_TESTS=OFF \
  -DLUMOR_WERROR="${LUMOR_WERROR:-OFF}" \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_PREFIX_PATH="$qt;$cli11" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/wine-run.sh" -DLUMOR_QT_TRANSLATIONS_DIR=/usr/share/qt6/translations \
  -DLUMOR_ICONS_QRC="$icons/icons.qrc" -DLUMOR_WINDOWS_ICONS="$ico" > "$build/configure.log" 2>&1 ||
  { tail -40 "$build/configure.log"; fail "configuring Lumor for Windows failed"; }
(unset DISPLAY; cmake --build "$build" -j"$jobs")

step "the program folder"
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
name="Lumor-$version-win64"
stage="$build/zip"
folder="$stage/$name"
rm -rf "$stage"
# The install rules give lumor.exe, lumor-cli.exe, Komponenty, Protokol and Qt's Czech (Debian's
# qtbase_cs.qm of the same Qt version); the rest is the windeployqt part, done by hand:
# windeployqt is no Linux program. With Qt's DLLs beside lumor.exe, Qt takes the program's folder
# for its own: plugins from platforms\, styles\ and imageformats\, translations\ for the Czech.
cmake --install "$build" --prefix "$folder" > /dev/null
for dll in Qt6Core Qt6Gui Qt6Widgets; do cp "$qt/bin/$dll.dll" "$folder/"; done
for plugin in platforms/qwindows styles/qwindowsvistastyle imageformats/qgif; do
  mkdir -p "$folder/$(dirname "$plugin")"
  cp "$qt/plugins/$plugin.dll" "$folder/$plugin.dll"
done
for dll in "$mingw_gcc_dir/libstdc++-6.dll" "$mingw_gcc_dir/libgcc_s_seh-1.dll" "$mingw_lib_dir/libwinpthread-1.dll"; do
  cp "$dll" "$folder/"
done
[ -f "$folder/translations/qtbase_cs.qm" ] || fail "the install put no translations/qtbase_cs.qm"
find "$folder" -name '*.exe' -o -name '*.dll' | xargs x86_64-w64-mingw32-strip --strip-unneeded

# Every DLL that the executables and plugins import is either in the folder or part of Windows.
windows_dlls='^(kernel32|user32|gdi32|shell32|ole32|oleaut32|advapi32|comdlg32|comctl32|imm32|winmm|ws2_32|uxtheme|dwmapi|version|netapi32|userenv|shlwapi|setupapi|wtsapi32|d3d9|d3d11|dxgi|dwrite|mpr|authz|rpcrt4|msvcrt|ntdll|api-ms-win-.*|shcore|winspool\.drv|uiautomationcore|d2d1|bcrypt)\.dll$'
absent=0
while read -r file; do
  for dll in $(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\tDLL Name: //p'); do
    lower="$(tr 'A-Z' 'a-z' <<< "$dll")"
    grep -qiE "$windows_dlls" <<< "$lower" && continue
    [ -n "$(find "$folder" -maxdepth 1 -iname "$dll")" ] && continue
    echo "  ${file#"$folder/"} needs $dll, which is not in the folder" >&2
    absent=1
  done
done < <(find "$folder" -name '*.exe' -o -name '*.dll')
[ "$absent" -eq 0 ] || fail "the program folder lacks DLLs"

step "the ZIP"
zip="$build/$name.zip"
rm -f "$zip"
(cd "$stage" && TZ=UTC find "$name" -print | LC_ALL=C sort | zip -q -X -9 "$zip" -@)
ls -l "$zip"
unzip -l "$zip" | sed 's/^/  /'

step "the installer (NSIS)"
# NSIS rather than an MSI (wixl): a per-user install under %LOCALAPPDATA% without administrator
# rights, Czech pages and messages, the question before the student's reports are removed and the
# silent /S are all NSIS's own, where wixl has no user interface and no custom actions.
# The installer installs, and its uninstaller removes, exactly the files of the program folder:
# two lists written here from it.
nsis="$build/nsis"
rm -rf "$nsis" && mkdir -p "$nsis"
python3 - "$folder" "$nsis/install-files.nsh" "$nsis/uninstall-files.nsh" <<'PY'
import os, sys
folder, install, uninstall = sys.argv[1:]
def windows(relative):
    return "$INSTDIR" + "".join("\\" + part for part in relative.split("/") if part not in ("", "."))
folders, files = [], []
for top, dirs, names in os.walk(folder):
    dirs.sort()
    relative = os.path.relpath(top, folder)
    folders.append(relative)
    files += [os.path.normpath(os.path.join(relative, name)) for name in sorted(names)]
with open(install, "w", encoding="utf-8") as out:
    for relative in folders:
        out.write('SetOutPath "%s"\n' % windows(relative))
        for name in sorted(os.listdir(os.path.join(folder, relative))):
            path = os.path.join(folder, relative, name)
            if os.path.isfile(path):
                out.write('File "%s"\n' % os.path.normpath(path))
with open(uninstall, "w", encoding="utf-8") as out:
    for relative in files:
        out.write('Delete "%s"\n' % windows(relative))
    for relative in sorted((f for f in folders if f != "."), key=lambda f: -f.count("/")):
        out.write('RMDir "%s"\n' % windows(relative))
PY
publisher="$(sed -n 's/^set(CPACK_PACKAGE_VENDOR "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")"
[ -n "$publisher" ] || fail "no CPACK_PACKAGE_VENDOR in $build/CPackConfig.cmake"
setup="$build/Lumor-$version-setup.exe"
rm -f "$setup"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DPUBLISHER="$publisher" -DOUTFILE="$setup" \
  -DICONS="$ico" -DINSTALL_FILES="$nsis/install-files.nsh" -DUNINSTALL_FILES="$nsis/uninstall-files.nsh" \
  "$root/packaging/windows/lumor.nsi" > "$nsis/makensis.log" 2>&1 ||
  { tail -30 "$nsis/makensis.log"; fail "makensis failed (whole log: $nsis/makensis.log)"; }
ls -l "$setup"
echo
echo "WINDOWS BUILD DONE: $zip, $setup ($(( SECONDS - start ))s)"
