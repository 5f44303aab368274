#!/usr/bin/env bash
# tether-sim: a run is the same every time for the same map, ship and seed,
# and the seed reaches the rules (class 9 picks its weapons with it); runs in
# parallel give exactly the lines of the same runs one by one, in order, and
# the table; bad usage and what the game would not play are refused with
# their status. Usage: sim_runs.sh GAME_DIR
set -euo pipefail
game=$(cd "$1" && pwd)
work=$(mktemp -d /tmp/tether-sim-XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The game folder, with a map of our own: a class 9 enemy close by.
for f in "$game"/*; do ln -s "$f" "$work/"; done
rm "$work/maps"
mkdir "$work/maps"
cp "$game"/maps/* "$work/maps/"
printf 'world 4000 4000\nspawn 1000 1000 0 0\nenemy9 1700 1000 0 0 3.14\n' >"$work/maps/duel"
cd "$work"
sim() { ./tether-sim "$@"; }

# Same seed, same line, byte for byte; another seed, another fight.
sim --seed 1 --minutes 1 duel >one.json
sim --seed 1 --minutes 1 duel >again.json
cmp one.json again.json || fail "seed 1 played twice: $(cat one.json again.json)"
sim --seed 2 --minutes 1 duel >two.json
strip() { sed -e 's/"seed":[0-9]*,//' -e 's/,"hash":"[0-9a-f]*"//' "$1"; }
[ "$(strip one.json)" != "$(strip two.json)" ] || fail "seeds 1 and 2 fought the same fight: $(cat one.json)"
grep -q '"outcome":"lost","how":"shots"' one.json || fail "the idle ship survived a class 9 at close range: $(cat one.json)"

# Three seeds of each ship in parallel: the lines of the single runs, in
# order of ship and seed, then the table.
sim --ship all --seed 5 --runs 3 --minutes 0.5 duel >parallel.txt
for ship in 1 2 3; do
    for seed in 5 6 7; do sim --ship $ship --seed $seed --minutes 0.5 duel; done
done >serial.txt
diff <(head -n 9 parallel.txt) serial.txt || fail "parallel runs differ from the same runs one by one"
tail -n +10 parallel.txt >table.txt
grep -q '^map  *ship  *runs  *won  *median time to win  *median health left$' table.txt ||
    fail "no table header in $(cat table.txt)"
for ship in 1 2 3; do
    grep -Eq "^duel +$ship +3 +[0-9.]+% +(-|[0-9.]+ s) +[0-9.]+$" table.txt || fail "no row for ship $ship in $(cat table.txt)"
done

# Bad usage: status 2; a map that cannot be opened: status 1. A folder or
# an endless device is refused at once: each run has ten seconds.
expect() {
    local status=$1 message=$2
    shift 2
    local got=0
    timeout 10 ./tether-sim "$@" >/dev/null 2>err.txt || got=$?
    [ "$got" = "$status" ] || fail "tether-sim $* ended with $got, not $status"
    grep -q -- "$message" err.txt || fail "tether-sim $* said: $(cat err.txt)"
}
expect 2 "unknown option '--fast'" --fast duel
expect 2 "unknown pilot 'ace'" --pilot ace duel
expect 2 "no map to play" --seed 3
expect 2 "cannot read the data file" --data "$work/nothing" duel
expect 2 "takes no MAP" --replay x.replay duel
expect 1 "cannot open the map maps/nowhere" duel nowhere
expect 2 "cannot read the data file /dev/zero: it is not a regular file" --data /dev/zero duel
expect 2 "cannot read the data file $work/maps: it is not a regular file" --data "$work/maps" duel
ln -s /dev/zero maps/endless
mkdir maps/folder
expect 1 "cannot open the map maps/endless: it is not a regular file" duel endless
expect 1 "cannot open the map maps/folder: it is not a regular file" duel folder
# What the game refuses: names that leave maps/, the map list as a map (or
# named by itself), an empty file name to record to or replay.
expect 1 "'../data' is not a map: a map is a file name inside maps/" ../data
expect 1 "'../tether' is not a map" duel ../tether
expect 1 "'./maplist' is not a map: it names the map list" ./maplist
expect 1 "'' is not a map" ''
expect 2 "--record needs a file name, not ''" --record '' duel
expect 2 "--replay needs a file name, not ''" --replay ''
cp maps/maplist maps/maplist.kept
printf '1\nmaplist duel 3\n' >maps/maplist
expect 1 "'maplist' is not a map: it names the map list" maplist
mv maps/maplist.kept maps/maplist
echo "same seed, same line; another seed, another fight; parallel = serial; $(wc -l <table.txt) table lines"
