#!/usr/bin/env bash
# A second copy of the game on the same display, while the first holds the
# pointer and keyboard in full screen, must not hang without a word: it says
# why on standard output, plays in a window, and a SIGINT ends it with 0.
source "$(dirname "$0")/lib.bash"
copy_game "$1"
start_xvfb
start_game
wait_for_picture
first_pid=$game_pid

(cd "$work/game" && SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy exec env --default-signal=INT ./tether >"$work/out2.txt" 2>"$work/err2.txt") &
second_pid=$!
trap 'kill -KILL "$second_pid" 2>/dev/null || true; cleanup' EXIT
for _ in $(seq 1 100); do
    grep -q "playing in a window" "$work/out2.txt" 2>/dev/null && break
    kill -0 "$second_pid" 2>/dev/null || break
    sleep 0.1
done
grep -q "playing in a window" "$work/out2.txt" || fail "the second copy said nothing: $(cat "$work/out2.txt")"

# Past SDL_SetVideoMode it runs its title screen, where SIGINT is a quit.
kill -INT "$second_pid"
for _ in $(seq 1 100); do
    kill -0 "$second_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$second_pid" 2>/dev/null && fail "the second copy ignores SIGINT: it hangs"
second_status=0
wait "$second_pid" || second_status=$?
[ "$second_status" = 0 ] || fail "the second copy ended with status $second_status"
kill -0 "$first_pid" 2>/dev/null || fail "the first copy ended"
echo "second copy: $(head -n1 "$work/out2.txt")"
