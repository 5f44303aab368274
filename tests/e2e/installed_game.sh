#!/usr/bin/env bash
# The game as players install it: first with `cmake --install` into a fresh
# prefix, then, when run as root in the plain build, as the Debian package
# through apt-get, once lintian finds no error in it. Each time: the
# installed `tether --version` answers, the menu entry's
# command started from / shows the title screen, the installed map checker
# passes the installed campaign and the simulator plays it. The AppStream
# entry that software centres list validates. The package is removed at the
# end.
source "$(dirname "$0")/lib.bash"
build=$(cd "$1/.." && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")

# Checks the game installed under a prefix, with its commands on the PATH as
# they are for a player (Debian puts /usr/games there).
check_install() {
    local prefix=$1
    local folder="$prefix/share/games/tether" entry="$prefix/share/applications/tether.desktop"
    local -x PATH="$prefix/games:$PATH"
    [ "$(tether --version)" = "tether $version" ] || fail "the installed tether --version says '$(tether --version)'"
    for file in "$entry" "$prefix/share/icons/hicolor/48x48/apps/tether.png" \
        "$prefix/share/doc/tether/copyright" "$prefix/share/doc/tether/changelog.gz" \
        "$prefix/share/metainfo/org.example.tether.metainfo.xml" \
        "$prefix/share/man/man6/tether.6.gz" "$prefix/share/man/man6/tether-mapcheck.6.gz" \
        "$prefix/share/man/man6/tether-sim.6.gz"; do
        [ -s "$file" ] || fail "$file was not installed"
    done
    local command
    command=$(sed -n 's/^Exec=//p' "$entry")
    # shellcheck disable=SC2086 # the entry's command line, split as a menu does
    start_command / $command
    wait_for_picture
    screenshot "$work/title.png"
    expect_pixel "$work/title.png" 320 130 FFFF00
    kill -INT "$game_pid"
    wait_game
    [ "$game_status" = 0 ] || fail "the installed game ended with status $game_status"
    tether-mapcheck --data "$folder/data" "$folder/maps/maplist" >"$work/check.txt" ||
        fail "the installed map checker failed on the installed campaign: $(cat "$work/check.txt")"
    grep -qx '0 errors, .*' "$work/check.txt" || fail "map checker: $(tail -n 1 "$work/check.txt")"
    (cd / && tether-sim --minutes 0.1 first_contact) | grep -q '^{"map":"first_contact",' ||
        fail "the installed simulator does not play the installed campaign from /"
    [ ! -e "$folder/tether-sim" ] || fail "the simulator was installed into the game folder too"
}

start_xvfb
cmake --install "$build" --prefix "$work/prefix" >"$work/install.log" || fail "cmake --install failed"
check_install "$work/prefix"
appstreamcli validate --no-net "$work/prefix/share/metainfo/org.example.tether.metainfo.xml" \
    >"$work/appstream.txt" 2>&1 || fail "the AppStream entry does not validate: $(cat "$work/appstream.txt")"
echo "installed under a prefix: tether $version starts from / and its campaign checks"

# A package of a sanitizer build's programs is not one that anybody ships:
# the plain build's run of this test checks the package.
if grep -qx 'TETHER_SANITIZE:BOOL=ON' "$build/CMakeCache.txt"; then
    echo "the Debian package is checked in the plain build, not the sanitizer build"
    exit 0
fi
if [ "$(id -u)" != 0 ]; then
    echo "SKIPPED: the Debian package, since installing it needs root"
    exit 0
fi
if dpkg-query -W -f='${Status}' tether 2>/dev/null | grep -q "install ok installed"; then
    echo "SKIPPED: the Debian package, since a tether package is installed on this machine already"
    exit 0
fi
(cd "$build" && cpack -G DEB -B "$work/package") >"$work/cpack.log" 2>&1 ||
    fail "cpack failed: $(tail -n 5 "$work/cpack.log")"
deb=$(echo "$work"/package/tether_*.deb)
[ -f "$deb" ] || fail "cpack wrote no tether_*.deb"
# Debian's own checks: a package others can ship has no error (E:) among them.
lintian --fail-on error --tag-display-limit 0 "$deb" >"$work/lintian.txt" 2>&1 ||
    fail "lintian rejects the package: $(grep '^E: ' "$work/lintian.txt" || tail -n 5 "$work/lintian.txt")"
remove_package() { apt-get remove -y tether >/dev/null 2>&1 || true; }
trap 'remove_package; cleanup' EXIT
apt-get install -y -o DPkg::Lock::Timeout=120 "$deb" >"$work/apt.log" 2>&1 ||
    fail "apt-get install failed: $(tail -n 5 "$work/apt.log")"
check_install /usr
remove_package
[ ! -e /usr/games/tether ] || fail "/usr/games/tether is still there after removing the package"
echo "the Debian package installs, plays from its menu command, checks its campaign and goes away"
