#!/usr/bin/env bash
# Signals keep the level. With standard output a pipe nobody reads any more
# (the game piped into a program that has ended), printing the victory
# summary does not end the game; a hang-up (a closed terminal) in the boss
# map that follows saves its replay and ends the game as a quit does. The X
# server going away in a level ends the game with status 1, the level's
# replay saved first.
source "$(dirname "$0")/lib.bash"
copy_game "$1"
printf '1\nquiet quiet_boss 7\n' >"$work/game/maps/maplist"
printf 'world 3000 3000\nspawn 1500 1500 0 0\nplanet 1800 1400 1e11 100\n' >"$work/game/maps/quiet"
printf 'world 8000 8000\nspawn 1500 1500 0 0\nenemy3 6000 6000 0 0 0\n' >"$work/game/maps/quiet_boss"
replays="$XDG_DATA_HOME/tether/replays"
start_xvfb

# From the title into the empty map, won at once, past its victory screen
# into the boss map.
into_boss_map() {
    wait_for_picture
    screenshot "$work/title.png"
    hold_until_change space "$work/title.png"
    screenshot "$work/victory.png"
    is_gold "$work/victory.png" 197 308 || fail "no victory screen after the empty map"
    wait_for_change "$work/victory.png"
}

# Standard output: a pipe whose reader has already ended.
exec 5> >(exec true)
reader=$!
for _ in $(seq 1 200); do
    kill -0 "$reader" 2>/dev/null || break
    sleep 0.05
done
kill -0 "$reader" 2>/dev/null && fail "the pipe's reader did not end"
(cd "$work/game" && SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy exec env --default-signal=INT ./tether >&5 2>"$work/err.txt") &
game_pid=$!
exec 5>&-
into_boss_map
kill -HUP "$game_pid"
wait_game
[ "$game_status" = 0 ] || fail "a hang-up in the boss map ended the game with status $game_status"
[ -s "$replays/quiet_boss.replay" ] || fail "the boss map's replay was not saved on a hang-up"
# The empty map is won in its first frame: no race, so no best time is kept.
[ ! -e "$XDG_DATA_HOME/tether/best_times" ] || fail "a map won in its first frame kept a best time"

rm "$replays/quiet_boss.replay"
# Xlib ends the game from inside its own handler, with the X and SDL state it
# holds never freed: a leak check of that exit would report theirs, not ours.
export ASAN_OPTIONS="$ASAN_OPTIONS:detect_leaks=0"
start_game --window
into_boss_map
kill "$xvfb_pid"
xvfb_pid=""
wait_game
[ "$game_status" = 1 ] || fail "the X server's end ended the game with status $game_status"
[ -s "$replays/quiet_boss.replay" ] || fail "the boss map's replay was not saved when X went away"
echo "a closed pipe and a hang-up, then X going away: the boss map's replay kept each time"
