#!/usr/bin/env bash
# A level plays the same in WebAssembly as on the desktop. The headless
# simulator is compiled by emscripten (web/sim, into BUILD/web-sim, again
# only when its sources changed) and run under node beside the desktop's:
# the bot on several maps with each ship must print the very same lines
# (outcomes, counters, world hashes, the table), a replay recorded on the
# desktop must reproduce under node, and one recorded under node on the
# desktop, and a map of odd numbers must load alike. Usage: sim_agrees_in_wasm.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
game=$build/game
web=$build/web-sim
work=$(mktemp -d /tmp/tether-wasm-XXXXXX)
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME="$work/share" XDG_CONFIG_HOME="$work/config"
export NODE_PATH=/usr/share/nodejs # Debian's emcc needs its node modules
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
for tool in emcmake emcc node; do
    command -v "$tool" >/dev/null || fail "$tool is missing: run scripts/setup.sh"
done

if [ ! -f "$web/Makefile" ]; then
    emcmake cmake -S "$src/web/sim" -B "$web" >"$work/configure.log" 2>&1 ||
        { cat "$work/configure.log" >&2; fail "web/sim does not configure"; }
fi
cmake --build "$web" -j2 >"$work/build.log" 2>&1 ||
    { tail -40 "$work/build.log" >&2; fail "web/sim does not build"; }
wasm() { node --no-experimental-fetch "$web/tether-sim.js" "$@"; }

cd "$game"
# The bot: a map with a sun, planets to swing round, black holes, mines,
# many enemies, and boss maps, each with every ship, two seeds each (so that
# the desktop forks its runs while WebAssembly plays them in turn).
maps="first_contact slingshot_boss event_horizon minefield_boss crowded_sky twin_suns_boss"
bot=(--pilot bot --ship all --seed 5 --runs 2 --minutes 0.5 $maps)
./tether-sim "${bot[@]}" >"$work/desktop.txt"
wasm "${bot[@]}" >"$work/wasm.txt" || fail "tether-sim under node failed"
runs=$(grep -c '"hash"' "$work/desktop.txt")
[ "$runs" -eq 36 ] || fail "the desktop played $runs runs, not 36"
if ! cmp -s "$work/desktop.txt" "$work/wasm.txt"; then
    diff "$work/desktop.txt" "$work/wasm.txt" >&2 || true
    fail "the bot's runs differ between the desktop and WebAssembly"
fi

# A replay recorded on the desktop plays to its hash under node, and one
# recorded under node plays to its hash on the desktop.
./tether-sim --pilot bot --ship 3 --seed 11 --minutes 1 --record "$work/desktop.replay" \
    twin_suns >/dev/null
wasm --replay "$work/desktop.replay" >/dev/null || fail "the desktop's replay does not reproduce under node"
wasm --pilot bot --ship 2 --seed 12 --minutes 1 --record "$work/node.replay" event_horizon_boss \
    >/dev/null || fail "tether-sim under node could not record"
./tether-sim --replay "$work/node.replay" >/dev/null || fail "node's replay does not reproduce on the desktop"
# And the desktop's own replays of the game's math, shipped with the tests.
# Those of version 1 (1.0.0's among them) were computed with glibc's sin,
# cos, atan2 and hypot, which WebAssembly's C library rounds otherwise: they
# play by their rules there but drift from the recorded level. One of
# 1.0.0's is played to its end all the same, never refused.
old=$src/tests/replays/1.0.0/bot-first_contact-1.replay
status=0
wasm --replay "$old" >/dev/null 2>"$work/old.txt" || status=$?
[ "$status" = 0 ] || grep -q "the replay played to world hash" "$work/old.txt" ||
    fail "1.0.0's $(basename "$old") is not played under node: $(cat "$work/old.txt")"
shipped=0
for replay in "$src"/tests/replays/*.replay; do
    [ "$(head -n 1 "$replay")" = "tether-replay 2" ] || continue
    wasm --replay "$replay" >/dev/null || fail "$(basename "$replay") does not reproduce under node"
    shipped=$((shipped + 1))
done
# A map whose numbers only one C++ library would read (hexadecimal, "inf")
# loads the same on both: the mine before them, the rest not at all.
mkdir "$work/game" "$work/game/maps"
for f in "$game"/*; do [ "$(basename "$f")" = maps ] || ln -s "$f" "$work/game/"; done
{ cat maps/first_contact; echo "mine 2400 3500"; echo "mine 0x400 1e3"; echo "enemy10 inf 4000 0 0 0"; } \
    >"$work/game/maps/odd_numbers"
(cd "$work/game" && ./tether-sim --pilot bot --seed 2 --minutes 0.2 odd_numbers) >"$work/odd-desktop.txt"
(cd "$work/game" && wasm --pilot bot --seed 2 --minutes 0.2 odd_numbers) >"$work/odd-wasm.txt"
cmp -s "$work/odd-desktop.txt" "$work/odd-wasm.txt" ||
    fail "a map of odd numbers loads otherwise: $(cat "$work/odd-desktop.txt") against $(cat "$work/odd-wasm.txt")"

echo "WebAssembly agrees: $runs bot runs alike, replays cross both ways, $shipped shipped replays of version 2"
