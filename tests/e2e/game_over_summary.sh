#!/usr/bin/env bash
# A lost level tells how it went, as a won map does: a ship that starts in
# a black hole is lost at once, and the game-over screen holds the summary
# at its bottom-left (how long the ship lasted and what ended it, the
# enemies destroyed, the damage taken), which standard output prints too;
# the panel reads no health left on a ship that is gone.
source "$(dirname "$0")/lib.bash"
copy_game "$1"
printf '1\ndoomed doomed 7\n' >"$work/game/maps/maplist"
printf 'world 3000 3000\nspawn 1500 1500 0 0\nblackhole 1500 1500 4e11 45\nenemy1 2600 1500 0 0 0\n' \
    >"$work/game/maps/doomed"
start_xvfb
start_game
wait_for_picture
screenshot "$work/title.png"
hold_until_change space "$work/title.png"
wait_until "no summary line of the loss" grep -q '^Game over on ' "$work/out.txt"
grep -Eqx 'Game over on doomed after 0:00\.[0-9], lost to a black hole: enemies destroyed 0, damage taken [0-9]+ \(black hole [0-9]+\), hooks fired 0, catches [0-9]+, slings 0' "$work/out.txt" ||
    fail "not the summary of a ship lost in a black hole: $(cat "$work/out.txt")"
screenshot "$work/gameover.png"
# The summary's plate, dark, with its four lines in the label colour.
lit=$(convert "$work/gameover.png" -crop 370x60+8+532 +repage -fill black +opaque '#CFEFFF' -fill white -opaque '#CFEFFF' \
    -format '%[fx:int(mean*w*h+0.5)]' info:)
[ "$lit" -gt 200 ] || fail "no summary on the game-over screen ($lit pixels of text)"
echo "game over told on screen ($lit pixels of text) and printed: $(grep '^Game over' "$work/out.txt")"
