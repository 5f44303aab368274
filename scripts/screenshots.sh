#!/usr/bin/env bash
# Takes the screenshots in docs/ from the real game in a real X window:
# the title screen, a busy level with HUD and radar, and both end screens.
# Run after a build: bash scripts/screenshots.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tests/e2e/lib.bash"
docs="$root/docs"
mkdir -p "$docs"
start_xvfb

# Plays one map from a fresh copy of the game and screenshots it after
# `delay` seconds; `keys` are held down while it plays.
shoot() {
    local out=$1 delay=$2 map=$3
    shift 3
    rm -rf "$work/game"
    copy_game "$root/build/game"
    printf '1\nshot shot 7\n' >"$work/game/maps/maplist"
    printf '%s\n' "$map" >"$work/game/maps/shot"
    start_game
    wait_for_picture
    press space
    for action in "$@"; do eval "$action"; done
    sleep "$delay"
    screenshot "$docs/$out"
    kill -KILL "$game_pid" 2>/dev/null || true
    wait_game
}

# The title screen, the second ship chosen.
rm -rf "$work/game"
copy_game "$root/build/game"
start_game
wait_for_picture
press Right
sleep 0.3
screenshot "$docs/title.png"
kill -KILL "$game_pid"
wait_game

# A busy moment: enemies closing in and firing, a hook on its way.
shoot level.png 0.5 "world 5000 5000
spawn 2500 2500 0 0
planet 2820 2680 1e11 90
sun 2130 2720 2e11 110
blackhole 2180 2300 5e10 35
mine 2650 2250
mine 2330 2560
enemy1 2830 2420 0 0 3.14
enemy2 2620 2150 0 0 2.0
enemy4 2250 2470 0 0 0
enemy5 2950 2250 0 0 3.14
enemy8 2480 2820 0 0 -1.57
enemy12 3150 2600 0 0 3.6" "xdotool mousemove 640 420" "sleep 0.35" "xdotool click 1"

# Game over: the ship starts in a sun.
shoot gameover.png 1.5 "world 3000 3000
spawn 1500 1500 0 0
sun 1520 1500 2e11 120
enemy1 2500 2500 0 0 0"

# Victory: nothing left to fight.
shoot victory.png 1.0 "world 3000 3000
spawn 1500 1500 0 0
planet 1800 1400 1e11 100"

echo "screenshots written to $docs"
