#!/usr/bin/env bash
# How long a frame takes in the page against the desktop, over one replay
# (by default the bot's on crowded_sky, the busiest shipped map): the median
# and 95th percentile of each frame's simulation, drawing and showing, in
# headless Chromium and in the desktop game drawing with the same software
# canvas (under Xvfb), one after the other.
#   bash scripts/web-bench.sh [REPLAY]
set -euo pipefail
cd "$(dirname "$0")/.."
replay=$(realpath "${1:-tests/replays/bot-crowded_sky-1.replay}")
[[ -f build-web/tether.wasm ]] || bash scripts/web.sh
source tests/e2e/lib.bash
copy_game build/game
start_xvfb
(cd "$work/game" && TETHER_DRAWING=software TETHER_FRAME_TIMES=1 SDL_AUDIODRIVER=dummy \
    ./tether --no-sound --replay "$replay" >"$work/desktop.txt" 2>&1) || true
echo "desktop: $(grep '^Frame times' "$work/desktop.txt" | cut -d' ' -f3-)"
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory build-web >/dev/null 2>&1 &
server=$!
trap 'kill $server; cleanup' EXIT
sleep 0.5
echo "page:    $(node web/test/bench.js "http://127.0.0.1:$port/" "$replay")"
