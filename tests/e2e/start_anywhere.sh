#!/usr/bin/env bash
# The command line, and starting the game in the situations a player can be
# in. --help lists the options and --version answers; a bad option is
# refused on standard error with status 2. Without an audio device the game
# stops with "Unable to open audio!" and a hint, unless started with
# --no-sound, which plays silently. Started from another folder, the game
# plays from its own; the title screen waits for input without spending the
# processor, and --max-fps paces the level. A game folder without its data
# file still fails as it always did.
source "$(dirname "$0")/lib.bash"
copy_game "$1"
game="$work/game/tether"
elsewhere="$work/elsewhere"
mkdir "$elsewhere"

"$game" --help >"$work/help.txt" || fail "--help ended with status $?"
for option in --help --version --no-sound --max-fps --scale --window --fullscreen; do
    grep -q -- "^ *$option" "$work/help.txt" || fail "--help does not list $option"
done
"$game" --version | grep -Eqx 'tether [0-9]+\.[0-9]+\.[0-9]+' || fail "--version says '$("$game" --version)'"

# Refused: an unknown option, a switch given a value, a bad number.
for bad in "--no-such-option" "--no-sound=yes" "--max-fps fast" "--max-fps" "--scale 3"; do
    status=0
    # shellcheck disable=SC2086 # the option and its value are two words
    "$game" $bad >"$work/bad.out" 2>"$work/bad.err" || status=$?
    [ "$status" = 2 ] || fail "'$bad' ended with status $status, not 2"
    [ ! -s "$work/bad.out" ] || fail "'$bad' wrote to standard output: $(cat "$work/bad.out")"
    grep -q -- "${bad%%[ =]*}" "$work/bad.err" || fail "'$bad' is not named in the error: $(cat "$work/bad.err")"
done

# No audio device: the specified message and status, and a hint.
status=0
(cd "$elsewhere" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=nosuchdriver "$game" >"$work/noaudio.txt" 2>/dev/null) || status=$?
[ "$status" = 1 ] || fail "without an audio device the game ended with status $status, not 1"
[ "$(head -n 1 "$work/noaudio.txt")" = "Unable to open audio!" ] || fail "no audio message: $(cat "$work/noaudio.txt")"
sed -n 2p "$work/noaudio.txt" | grep -q -- --no-sound || fail "the audio message does not mention --no-sound"

# Silent, from another folder, with a frame cap: the title, then a level.
start_xvfb
audio_driver=nosuchdriver
start_command "$elsewhere" "$game" --no-sound --max-fps=25
wait_for_picture
screenshot "$work/title.png"
expect_pixel "$work/title.png" 320 130 FFFF00
title_cpu=$(cpu_percent 2)
[ "$title_cpu" -lt 20 ] || fail "the title screen used ${title_cpu}% of a core while waiting"
hold_until_change space "$work/title.png"
sleep 2 # frames for the statistics
kill -INT "$game_pid"
wait_game
[ "$game_status" = 0 ] || fail "exit status $game_status after SIGINT in a silent level"
average=$(sed -n 's/^Average frame time: \([0-9]*\)ms;  Maximum frame time: [0-9]*ms$/\1/p' "$work/out.txt")
[ -n "$average" ] || fail "no statistics line"
[ "$average" -ge 35 ] || fail "frames took ${average}ms on average under --max-fps 25 (40ms due)"

# A game folder that really lacks its data file, from inside and outside.
rm "$work/game/data"
for folder in "$work/game" "$elsewhere"; do
    status=0
    (cd "$folder" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$game" >"$work/nodata.txt" 2>/dev/null) || status=$?
    [ "$status" = 1 ] && [ "$(cat "$work/nodata.txt")" = "Error opening data" ] ||
        fail "without a data file, from $folder: status $status, '$(cat "$work/nodata.txt")'"
done
echo "title at ${title_cpu}% of a core; silent level at ${average}ms a frame under --max-fps 25"
