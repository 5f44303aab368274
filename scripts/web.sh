#!/usr/bin/env bash
# Builds the game for the browser into build-web/: the page (index.html,
# page.js), the game (tether.js, tether.wasm), its files (tether.data) and
# the music beside them, streamed as it plays. The images, sounds and music
# come from the desktop build (build/game), which is built first if needed.
#   bash scripts/web.sh            build
#   bash scripts/web.sh --serve    build, then serve it on 127.0.0.1 (PORT, default 8000)
set -euo pipefail
cd "$(dirname "$0")/.."
serve=false
case "${1:-}" in
  --serve) serve=true ;;
  "") ;;
  *) echo "usage: scripts/web.sh [--serve]" >&2; exit 2 ;;
esac

if [[ ! -f build/game/data || ! -d build/game/music ]]; then
  bash scripts/build.sh
fi
# Debian's emscripten runs its tools with node; an optimised link needs the
# node modules Debian ships.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
emcmake cmake -S web -B build-web-obj -DCMAKE_BUILD_TYPE=Release \
  -DTETHER_NATIVE_GAME_DIR="$PWD/build/game" > build-web-obj.log 2>&1 \
  || { cat build-web-obj.log; exit 1; }
cmake --build build-web-obj -j "$(nproc)"

out=build-web
mkdir -p "$out/music"
cp web/index.html web/page.js "$out/"
cp build-web-obj/tether.js build-web-obj/tether.wasm build-web-obj/tether.data "$out/"
bash web/music.sh build/game/music "$out/music"
echo "Built the page into $out/: $(du -sh --apparent-size "$out" | cut -f1) in all"
du -h --apparent-size "$out"/tether.* "$out/music" | sed 's/^/  /'

if $serve; then
  port=${PORT:-8000}
  echo "Serving Tether at http://127.0.0.1:$port/ (Ctrl-C stops)"
  exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$out"
fi
