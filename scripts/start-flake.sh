#!/usr/bin/env bash
# Starts the game again and again on an X server started WITHOUT -noreset
# (which resets whenever its last client leaves, as a bare X server or a
# display manager's can), and counts the starts that could not open the
# display. Nothing else is a client of the server meanwhile (a probe's own
# connection would reset it as it left, or hold it up): a game still running
# 3 s after its start has opened its window; it is then quit, and the server
# given half a second to reset before the next start.
# Usage: scripts/start-flake.sh GAME_DIR [STARTS] [DISPLAY_NUMBER]
set -euo pipefail
game=$(cd "$1" && pwd)
starts=${2:-100}
number=${3:-93}
work=$(mktemp -d /tmp/tether-flake-XXXXXX)
xvfb=""
trap '[ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/share"
export DISPLAY=":$number" SDL_AUDIODRIVER=dummy
Xvfb "$DISPLAY" -screen 0 800x600x24 -nolisten tcp 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 1 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.05
done
sleep 0.5 # the probe above was a client: the server resets as it leaves
failed=0
for start in $(seq 1 "$starts"); do
    (cd "$game" && exec env --default-signal=INT ./tether --window >"$work/out.txt" 2>&1) &
    pid=$!
    up=""
    for _ in $(seq 1 30); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && up=1
    kill -INT "$pid" 2>/dev/null || true
    status=0
    wait "$pid" || status=$?
    if [ -z "$up" ]; then
        failed=$((failed + 1))
        echo "start $start: status $status: $(head -c 300 "$work/out.txt" | cat -v)"
    fi
    sleep 0.5
done
echo "$((starts - failed)) of $starts starts opened the display ($failed failed)"
[ "$failed" = 0 ]
