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

# TETHER_NATIVE_BUILD and TETHER_WEB_OUT choose other folders (the tests').
native=${TETHER_NATIVE_BUILD:-build}
out=${TETHER_WEB_OUT:-build-web}
objects=$out-obj
if [[ ! -f $native/game/data || ! -d $native/game/music ]]; then
  [[ $native == build ]] || { echo "no game built in $native" >&2; exit 1; }
  bash scripts/build.sh
fi
# Debian's emscripten runs its tools with node; an optimised link needs the
# node modules Debian ships.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
mkdir -p "$out" "$objects"
emcmake cmake -S web -B "$objects" -DCMAKE_BUILD_TYPE=Release \
  -DTETHER_NATIVE_GAME_DIR="$(cd "$native/game" && pwd)" > "$objects/configure.log" 2>&1 \
  || { cat "$objects/configure.log"; exit 1; }
cmake --build "$objects" -j "$(nproc)"

cp web/index.html web/page.js "$out/"
cp "$objects"/tether.js "$objects"/tether.wasm "$objects"/tether.data "$out/"
cp "$native/game/icons/hicolor/64x64/apps/tether.png" "$out/icon.png"
# The music for the page: the same tracks in mono at a web's bit rate (a
# third of the bytes), made once.
stamp=$objects/web-music/made
if [[ ! -f $stamp || $native/tools/soundgen/soundgen -nt $stamp ]]; then
  rm -rf "$objects/web-music"
  "$native/tools/soundgen/soundgen" --web "$objects/web-music"
  touch "$stamp"
fi
rm -rf "$out/music"
cp -r "$objects/web-music/music" "$out/music"
echo "Built the page into $out/: $(du -sh --apparent-size "$out" | cut -f1) in all"
du -h --apparent-size "$out"/tether.* "$out/music" | sed 's/^/  /'

if $serve; then
  port=${PORT:-8000}
  echo "Serving Tether at http://127.0.0.1:$port/ (Ctrl-C stops)"
  exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$out"
fi
