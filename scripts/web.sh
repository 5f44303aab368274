#!/usr/bin/env bash
# Builds the game for the browser into build-web/: the page (index.html, its
# scripts and style, the manifest, the service worker that keeps it all for
# offline play), the game (tether.js, tether.wasm), its files (tether.data)
# and the music beside them, streamed as it plays; each text and binary file
# with a precompressed .br and .gz twin for the host to send. The images,
# sounds and music come from the desktop build (build/game), which is built
# first if needed.
#   bash scripts/web.sh            build
#   bash scripts/web.sh --serve    build, then serve it on 127.0.0.1 (PORT, default 8000)
#                                  with the twins and cache headers (web/serve.py)
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
# The game's files for the page, its images as lossless WebP under their own
# names: the browser's decoder knows a picture by its bytes, and the same
# pixels arrive in half the bytes. Made again only where the desktop's is newer.
assets=$objects/assets
mkdir -p "$assets"
for entry in data maps sprites worldsprites effects main sounds; do
  if [[ -d $native/game/$entry ]]; then
    mkdir -p "$assets/$entry"
    for f in "$native/game/$entry"/*; do
      to=$assets/$entry/$(basename "$f")
      [[ -f $to && $to -nt $f ]] && continue
      if [[ $f == *.png ]]; then
        echo "$f $to"
      else
        cp "$f" "$to"
      fi
    done
  else
    cp "$native/game/$entry" "$assets/$entry"
  fi
done | xargs -r -n 2 -P "$(nproc)" sh -c \
  'convert "$0" -define webp:lossless=true -define webp:method=6 -define webp:exact=true "webp:$1"'
emcmake cmake -S web -B "$objects" -DCMAKE_BUILD_TYPE=Release \
  -DTETHER_NATIVE_GAME_DIR="$(cd "$native/game" && pwd)" \
  -DTETHER_WEB_ASSETS_DIR="$(cd "$assets" && pwd)" > "$objects/configure.log" 2>&1 \
  || { cat "$objects/configure.log"; exit 1; }
cmake --build "$objects" -j "$(nproc)"

rm -f "$out"/*.br "$out"/*.gz
page_files=(index.html build.js fit.js loader.js uploads.js touch.js page.js
  manifest.webmanifest sw.js robots.txt)
cp web/fit.js web/loader.js web/uploads.js web/touch.js web/page.js \
  web/manifest.webmanifest web/robots.txt "$out/"
rm -f "$out/page.css"
# The style inside the page: the first picture waits for no second request.
python3 - web/index.html web/page.css "$out/index.html" <<'INLINE'
import sys
page, style, out = sys.argv[1:]
html = open(page).read()
link = '<link rel="stylesheet" href="page.css">'
assert link in html
open(out, 'w').write(html.replace(link, '<style>\n' + open(style).read() + '</style>'))
INLINE
cp "$objects"/tether.js "$objects"/tether.wasm "$objects"/tether.data "$out/"
icons=$native/game/icons/hicolor
cp "$icons/64x64/apps/tether.png" "$out/icon.png"
cp "$icons/128x128/apps/tether.png" "$out/icon-128.png"
cp "$icons/256x256/apps/tether.png" "$out/icon-256.png"
# The largest the art generator draws, doubled for the size installers ask for.
convert "$icons/256x256/apps/tether.png" -filter point -resize 200% "$out/icon-512.png"
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

# The build's version: what the page asks for (?v=...) and the name of the
# service worker's cache.
game_files=(tether.js tether.wasm tether.data)
version=$(cd "$out" && cat "${game_files[@]}" index.html fit.js loader.js uploads.js \
  touch.js page.js manifest.webmanifest | sha256sum | cut -c1-12)
{
  echo "// This build of the page: its version and its files' sizes (scripts/web.sh)."
  printf "window.tetherBuild = {version: '%s', sizes: {" "$version"
  for f in "${game_files[@]}"; do printf "'%s': %d, " "$f" "$(stat -c %s "$out/$f")"; done
  echo "}};"
} > "$out/build.js"
core="'./', 'index.html', 'build.js', 'fit.js', 'loader.js', 'uploads.js',
  'touch.js', 'page.js', 'manifest.webmanifest', 'icon.png', 'icon-256.png'"
for f in "${game_files[@]}"; do core+=", '$f?v=$version'"; done
music=$(cd "$out" && ls music/*.ogg | sed "s/.*/'&'/" | paste -sd, | sed 's/,/, /g')
sed -e "s/@VERSION@/$version/" -e "s|@CORE@|$(echo $core)|" -e "s|@MUSIC@|$music|" web/sw.js > "$out/sw.js"

# Each file that compresses, beside its brotli and gzip twins.
for f in "${page_files[@]}" "${game_files[@]}"; do
  brotli -f -k -q 11 "$out/$f"
  gzip -f -k -9 -n "$out/$f"
done

echo "Built the page into $out/: $(du -sh --apparent-size "$out" | cut -f1) in all"
du -h --apparent-size "$out"/tether.* "$out/music" | sed 's/^/  /'
echo "Version $version"

if $serve; then
  port=${PORT:-8000}
  echo "Ctrl-C stops"
  exec python3 web/serve.py "$out" "$port"
fi
