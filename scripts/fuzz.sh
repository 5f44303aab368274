#!/usr/bin/env bash
# Builds the content fuzzer with clang's libFuzzer and runs it, starting from
# the shipped data and maps. Needs a normal build first (for build/game).
#   bash scripts/fuzz.sh 600      explore for 600 seconds (default 60)
#   bash scripts/fuzz.sh --check  a fixed, repeatable run: the same inputs
#                                 every time (seed 1), as the test suite runs it
# Crashes land in fuzz/crashes.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = --check ]; then
    limits=(-seed=1 -runs=20000)
else
    limits=(-max_total_time="${1:-60}")
fi
cmake -S . -B build-fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTETHER_GENERATE_ASSETS=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined" >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target tethergame
clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -Isrc \
    -DTETHER_GAME_DIR="\"$PWD/build/game\"" fuzz/content_fuzz.cpp build-fuzz/libtethergame.a \
    $(pkg-config --cflags --libs sdl SDL_image SDL_mixer SDL_gfx) -o build-fuzz/content_fuzz
# Seeds: the shipped files, each behind the byte that picks its reader.
corpus=build-fuzz/corpus
rm -rf "$corpus"
mkdir -p "$corpus" fuzz/crashes
{ printf '\x00'; cat build/game/data; } >"$corpus/data"
for map in game/maps/*; do
    [ "$(basename "$map")" = maplist ] && continue
    { printf '\x01'; cat "$map"; } >"$corpus/$(basename "$map")"
done
{ printf '\x02'; cat game/maps/maplist; } >"$corpus/maplist"
cd build/game
../../build-fuzz/content_fuzz "${limits[@]}" -artifact_prefix=../../fuzz/crashes/ \
    ../../build-fuzz/corpus
