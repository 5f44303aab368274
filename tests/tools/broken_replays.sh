#!/usr/bin/env bash
# Replays that do not fit, or are not replays at all, are refused with a
# message and status 1, by tether-sim (on standard error) and by the game
# (on standard output, before it opens a window); a good one plays. A folder
# or an endless device is refused at once too: each run has ten seconds.
# Usage: broken_replays.sh GAME_DIR
set -euo pipefail
game=$(cd "$1" && pwd)
work=$(mktemp -d /tmp/tether-replays-XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
export XDG_DATA_HOME="$work/share" XDG_CONFIG_HOME="$work/config"

# A game folder whose data file and maps may change.
mkdir "$work/game"
for f in "$game"/*; do ln -s "$f" "$work/game/"; done
rm "$work/game/maps" "$work/game/data"
cp "$game/data" "$work/game/"
mkdir "$work/game/maps"
cp "$game/maps/first_contact" "$work/game/maps/"
cd "$work/game"

./tether-sim --record "$work/good.replay" --seed 9 --minutes 0.1 first_contact >recorded.json
./tether-sim --replay "$work/good.replay" >replayed.json || fail "the good replay was refused"
[ "$(grep -o '"hash":"[0-9a-f]*"' recorded.json)" = "$(grep -o '"hash":"[0-9a-f]*"' replayed.json)" ] ||
    fail "recorded $(cat recorded.json), replayed $(cat replayed.json)"

good="$work/good.replay"
frames=$(awk '$1 == "frames" { print $2 }' "$good")
# name | how the replay or the game is spoilt | what the refusal says
cases=(
    "truncated|head -c 700 $good >\$r|truncated: it ends after"
    "garbage|head -c 2000 /dev/urandom >\$r|not a replay"
    "empty|: >\$r|not a replay"
    "next version|sed '1s/ 2\$/ 3/' $good >\$r|replay version 3: this game reads versions 1 to 2"
    "version 0|sed '1s/ 2\$/ 0/' $good >\$r|replay version 0: this game reads versions 1 to 2"
    "data changed|cp $good \$r; echo '# tuned' >>data|the data file has changed since it was recorded"
    "map changed|cp $good \$r; echo 'mine 10 10' >>maps/first_contact|its map maps/first_contact has changed"
    "map missing|sed 's/^map .*/map nowhere/' $good >\$r|its map maps/nowhere cannot be opened"
    "map outside|sed 's#^map .*#map ../data#' $good >\$r|its map \"../data\" lies outside the maps folder"
    "too many steps|sed '12s/^16 /101 /' $good >\$r|line 12: a frame's steps run from 0 to 100"
    "hexadecimal pointer|sed '12s/.*/1 0 0x10 1 -/' $good >\$r|line 12: a frame's pointer is two finite decimal numbers"
    "pointer in words|sed '12s/.*/1 0 infinity 1 -/' $good >\$r|line 12: a frame's pointer is two finite decimal numbers"
    "hexadecimal spawn|sed 's/^spawn [^ ]*/spawn 0x1p10/' $good >\$r|line 7: the spawn values are four finite decimal numbers"
    "bad click|sed '12s/ -\$/ FX/' $good >\$r|line 12: clicks are F and T"
    "huge frame count|sed 's/^frames .*/frames 99999999999/' $good >\$r|line 9: the frame count runs from 0 to 4194304"
    "frames missing|sed 's/^frames .*/frames $((frames + 1))/' $good >\$r|line $((frames + 10)): a frame is"
    "another end|sed 's/^end .*/end 0123456789abcdef/' $good >\$r|played to world hash"
    "long line|{ head -n 11 $good; printf '%05000d\\n' 7; } >\$r|line 12: too long"
    "a folder|mkdir \$r|it is not a regular file"
    "an endless device|ln -s /dev/zero \$r|it is not a regular file"
    "map endless|sed 's/^map .*/map endless/' $good >\$r; ln -sf /dev/zero maps/endless|its map maps/endless is not a regular file"
)
for entry in "${cases[@]}"; do
    IFS='|' read -r name spoil message <<<"$entry"
    cp "$game/data" data
    cp "$game/maps/first_contact" maps/first_contact
    r="$work/${name// /_}.replay"
    eval "$spoil"
    status=0
    timeout 10 ./tether-sim --replay "$r" >/dev/null 2>err.txt || status=$?
    [ "$status" = 1 ] || fail "$name: tether-sim ended with $status"
    grep -qF "$message" err.txt || fail "$name: tether-sim said: $(cat err.txt)"
    [ "$name" = "another end" ] && continue # the game plays that one back, in a window
    status=0
    SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout 10 ./tether --replay "$r" >out.txt 2>&1 || status=$?
    [ "$status" = 1 ] || fail "$name: the game ended with $status"
    grep -qF "Cannot play the replay $r: $message" out.txt || fail "$name: the game said: $(cat out.txt)"
done
echo "${#cases[@]} broken replays refused"
