#!/bin/bash
# Builds the mixer check page with emcc and runs it in headless Chromium.
# Usage: run.sh GAME_DIR OUT_DIR  (GAME_DIR: a desktop build's game folder
# with sounds/ and music/; puppeteer-core 23 on NODE_PATH; emcc, node,
# chromium and python3 installed). Exit status 0 when every check passed.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
web=$here/../..
game=$1
out=$2
mkdir -p "$out/music"
NODE_PATH=/usr/share/nodejs emcc -O1 -std=c++17 -Wall -Wextra -I"$web/src" \
  "$here/check.cpp" "$web/src/mixer.cpp" "$web/src/mixermusic.cpp" \
  --js-library "$web/mixer.js" -sEXPORTED_RUNTIME_METHODS=['FS'] \
  --preload-file "$game/sounds@/sounds" -o "$out/check.js"
cp "$game/music/track1.ogg" "$out/music/"
cp "$game/sounds/VqGrapple.wav" "$out/music/short.wav"
cat > "$out/index.html" <<'PAGE'
<!doctype html><html><body><script>var Module = {};</script><script src="check.js"></script></body></html>
PAGE
port=$((20000 + RANDOM % 20000))
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$out" >/dev/null 2>&1 &
server=$!
trap 'kill $server' EXIT
# Ready when it takes a connection (polled, at most 10 s).
for _ in $(seq 100); do
  (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break
  sleep 0.1
done
node "$here/run.js" "http://127.0.0.1:$port/index.html"
