#!/usr/bin/env bash
# Tests the launcher's choice of folder with a stand-in program that records where it runs.
#   packaging/launcher-test.sh [LAUNCHER_TEMPLATE]
# Builds an installation tree <prefix>/bin/lumor + <prefix>/lib/lumor/{lumor,Komponenty,Protokol}
# in a scratch folder (its path has a space and Czech letters) and starts the launcher as a user
# who cannot write it. Run as root, that user is "nobody" (setpriv); otherwise the tree is made
# read-only.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
template="${1:-$here/lumor.sh.in}"

scratch="$(mktemp -d)"
chmod 755 "$scratch"
prefix="$scratch/inštalace s mezerou"
program="$prefix/lib/lumor"
failures=0

cleanup() {
    chmod -R u+w "$scratch" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
check() {  # check DESCRIPTION COMMAND...
    local what="$1"
    shift
    "$@" || fail "$what"
}

# The stand-in program: notes its working directory and what it finds there, then ends.
install_program() {  # install_program VERSION
    mkdir -p "$program/Komponenty" "$program/Protokol" "$prefix/bin"
    cat > "$program/lumor" <<EOF
#!/bin/sh
# version $1
{
    echo "cwd=\$(pwd -P)"
    echo "args=\$*"
    [ -r Komponenty/stdkmp.komp ] && echo "library=\$(cat Komponenty/stdkmp.komp)"
    [ -w Protokol ] && echo "protokol=writable"
    [ -r Protokol/ORV.gif ] && echo "logo=\$(cat Protokol/ORV.gif)"
} > "\$LAUNCHER_TEST_OUT"
EOF
    chmod 755 "$program/lumor"
    echo "catalogue $1" > "$program/Komponenty/stdkmp.komp"
    echo "logo $1" > "$program/Protokol/ORV.gif"
    sed 's|@LUMOR_LAUNCHER_TO_PROGRAM@|../lib/lumor|' "$template" > "$prefix/bin/lumor"
    chmod 755 "$prefix/bin/lumor"
}

out="$scratch/out.txt"
user_home="$scratch/home"
mkdir -p "$user_home"
touch "$out"

if [ "$(id -u)" -eq 0 ]; then
    chown 65534:65534 "$user_home" "$out"
    as_user() { setpriv --reuid=65534 --regid=65534 --clear-groups -- "$@"; }
    lock_installation() { :; }
    unlock_installation() { :; }
else
    as_user() { "$@"; }
    lock_installation() { chmod -R a-w "$prefix"; }
    unlock_installation() { chmod -R u+w "$prefix"; }
fi

run() {  # run [env assignments...] -- launcher args: starts the launcher as the other user
    local envs=()
    while [ "$1" != "--" ]; do envs+=("$1"); shift; done
    shift
    : > "$out"
    as_user env -i PATH=/usr/bin:/bin LAUNCHER_TEST_OUT="$out" "${envs[@]}" "$@" 2> "$scratch/err.txt"
}
line() { grep -x -- "$1" "$out" > /dev/null; }

copy="$user_home/.local/share/lumor/program"

# 1. The installation's owner can write it: the program runs in place and no copy is made.
install_program 1
: > "$out"
(cd -- "$scratch" && env -i PATH=/usr/bin:/bin LAUNCHER_TEST_OUT="$out" HOME="$user_home" \
    "$prefix/bin/lumor" a "b c" /abs/d.trasa --x)
check "writable installation: runs in the installed folder" line "cwd=$program"
check "writable installation: passes the arguments, files made absolute" line \
    "args=$(cd -- "$scratch" && pwd)/a $(cd -- "$scratch" && pwd)/b c /abs/d.trasa --x"
check "writable installation: no per-user copy" test ! -e "$copy"

# 2. A read-only installation runs from a fresh per-user copy.
lock_installation
run HOME="$user_home" -- "$prefix/bin/lumor"
check "first start: runs in the per-user copy" line "cwd=$copy"
check "first start: finds the catalogue" line "library=catalogue 1"
check "first start: Protokol is writable" line "protokol=writable"
check "first start: the logo is beside the report" line "logo=logo 1"
check "first start: the executable is a real file" test -f "$copy/lumor" -a ! -L "$copy/lumor"
check "first start: the executable is the installed one" cmp -s "$program/lumor" "$copy/lumor"
check "first start: the logo is a real file" test -f "$copy/Protokol/ORV.gif" -a ! -L "$copy/Protokol/ORV.gif"
check "first start: the catalogue is a copy, not a link" test -f "$copy/Komponenty/stdkmp.komp" -a ! -L "$copy/Komponenty/stdkmp.komp"
check "first start: the catalogue is the installed one" cmp -s "$program/Komponenty/stdkmp.komp" "$copy/Komponenty/stdkmp.komp"
check "first start: the catalogue's checksum is recorded" \
    grep -qx "$(cksum < "$program/Komponenty/stdkmp.komp") stdkmp.komp" "$copy/.komponenty"
check "first start: no temporary files left" test -z "$(find "$copy" -name '.*.*[0-9]')"

# 3. A second start with the same installation keeps the copy as it is.
before="$(stat -c %i "$copy/lumor")"
run HOME="$user_home" -- "$prefix/bin/lumor"
check "second start: runs in the per-user copy" line "cwd=$copy"
check "second start: the executable is not copied again" test "$(stat -c %i "$copy/lumor")" = "$before"

# 4. XDG_DATA_HOME chooses the place of the copy.
run HOME="$user_home" XDG_DATA_HOME="$user_home/xdg" -- "$prefix/bin/lumor"
check "XDG_DATA_HOME: runs in its copy" line "cwd=$user_home/xdg/lumor/program"

# 5. Started through a symbolic link to the launcher, as from another bin folder.
ln -s "$prefix/bin/lumor" "$scratch/lumor-link"
run HOME="$user_home" -- "$scratch/lumor-link"
check "symbolic link: finds the installation" line "cwd=$copy"

upgrade() {  # upgrade VERSION: installs a newer version over the locked installation
    unlock_installation
    install_program "$1"
    touch -d "+$1 minute" "$program/lumor"
    lock_installation
}
# As the program saves: a new file renamed over the old name, by the user.
user_saves() {  # user_saves TEXT FILE
    as_user sh -c 'printf "%s\n" "$1" > "$2.new" && mv -f "$2.new" "$2"' sh "$1" "$2"
}

# 6. An upgrade refreshes the copy, the catalogue too while the user has not changed it; a
#    result in Protokol stays.
echo "report" > "$copy/Protokol/Protokol.html"
upgrade 2
run HOME="$user_home" -- "$prefix/bin/lumor"
check "upgrade: the executable is refreshed" cmp -s "$program/lumor" "$copy/lumor"
check "upgrade: the logo is refreshed" line "logo=logo 2"
check "upgrade: the unchanged catalogue is refreshed" line "library=catalogue 2"
check "upgrade: the report stays" grep -qx report "$copy/Protokol/Protokol.html"

# 7. A library the user saved over the catalogue is kept by the next upgrades, and the
#    installed catalogue is not touched by the save.
user_saves "user's own" "$copy/Komponenty/stdkmp.komp"
check "user's save: the installed catalogue is unchanged" grep -qx "catalogue 2" "$program/Komponenty/stdkmp.komp"
upgrade 3
run HOME="$user_home" -- "$prefix/bin/lumor"
check "upgrade after a save: the user's library is kept" line "library=user's own"
check "upgrade after a save: the logo is refreshed" line "logo=logo 3"
upgrade 4
run HOME="$user_home" -- "$prefix/bin/lumor"
check "second upgrade after a save: the user's library is kept" line "library=user's own"

# 8. A catalogue file the user removed comes back, also without an upgrade.
as_user rm "$copy/Komponenty/stdkmp.komp"
run HOME="$user_home" -- "$prefix/bin/lumor"
check "removed catalogue: copied again" line "library=catalogue 4"

# 9. A copy made by an older launcher holds a link into the installed folder and no checksums;
#    the link becomes a copy, so that a save over it stays in the per-user copy. A dangling link
#    (an older installation elsewhere) is replaced as well.
as_user rm -f "$copy/Komponenty/stdkmp.komp" "$copy/.komponenty"
as_user ln -s "$program/Komponenty/stdkmp.komp" "$copy/Komponenty/stdkmp.komp"
run HOME="$user_home" -- "$prefix/bin/lumor"
check "older copy: the link is replaced by a copy" \
    test -f "$copy/Komponenty/stdkmp.komp" -a ! -L "$copy/Komponenty/stdkmp.komp"
check "older copy: it is the installed catalogue" line "library=catalogue 4"
as_user rm -f "$copy/Komponenty/stdkmp.komp" "$copy/.komponenty"
as_user ln -s "$scratch/gone/Komponenty/stdkmp.komp" "$copy/Komponenty/stdkmp.komp"
run HOME="$user_home" -- "$prefix/bin/lumor"
check "dangling link: replaced by a copy" test -f "$copy/Komponenty/stdkmp.komp" -a ! -L "$copy/Komponenty/stdkmp.komp"
check "dangling link: the installed catalogue" line "library=catalogue 4"

# 10. A link of the user's own to a library elsewhere stays.
as_user sh -c 'echo "elsewhere" > "$1"' sh "$user_home/mine.komp"
as_user rm -f "$copy/Komponenty/stdkmp.komp"
as_user ln -s "$user_home/mine.komp" "$copy/Komponenty/stdkmp.komp"
upgrade 5
run HOME="$user_home" -- "$prefix/bin/lumor"
check "user's link: kept" test -L "$copy/Komponenty/stdkmp.komp"
check "user's link: its library is read" line "library=elsewhere"
check "upgrades: no temporary files left" test -z "$(find "$copy" -name '.*.*[0-9]')"

# 11. A copy that cannot be made (no home at all, or an unwritable one) still starts the program
#    in the installed folder and says why on stderr.
run -- "$prefix/bin/lumor"
check "no HOME: runs in the installed folder" line "cwd=$program"
check "no HOME: says why" grep -q "HOME" "$scratch/err.txt"
run HOME=/nonexistent/home -- "$prefix/bin/lumor"
check "unwritable HOME: runs in the installed folder" line "cwd=$program"
check "unwritable HOME: says why" grep -q "cannot prepare" "$scratch/err.txt"
unlock_installation

if [ "$failures" -ne 0 ]; then
    echo "launcher test: $failures failure(s)" >&2
    exit 1
fi
echo "launcher test: passed"
