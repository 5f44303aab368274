#!/usr/bin/env bash
# Builds the game's fuzzers with clang's libFuzzer and runs them. Needs a
# normal build first: the fuzzers run in build/game, with its images, sounds
# and shipped content.
#   content  the readers of the data file, a map (with a few physics steps),
#            the map list, the settings file and a replay; the input's first
#            byte picks the reader
#   frames   a data file and a map from the input, played for up to 60
#            frames of the window's frame loop, drawing and sound included,
#            with the player's keys, pointer and clicks from the input too
#            (fuzz/frames_fuzz.cpp)
# Usage:
#   bash scripts/fuzz.sh [SECONDS [TARGET]]  explore each target (or TARGET
#                                            only) for SECONDS (default 60);
#                                            each target's corpus grows in
#                                            build-fuzz/corpus-TARGET
#   bash scripts/fuzz.sh --check             a fixed, repeatable run of both
#                                            targets from the seeds alone
#                                            (seed 1), as the test suite runs it
# Seeds: the shipped data and maps and everything in fuzz/seeds, where every
# input that ever found a fault stays: NAME.data, NAME.map and NAME.maplist
# are content files (a .map with a .data of the same name is played with
# it); NAME.frames and NAME.content are raw inputs of one fuzzer. Inputs
# that fail land in fuzz/crashes.
set -euo pipefail
cd "$(dirname "$0")/.."
targets=(content frames)
if [ "${1:-}" = --check ]; then
    check=1
else
    check=""
    seconds=${1:-60}
    [ -n "${2:-}" ] && targets=("$2")
fi
[ -f build/game/data ] || { echo "fuzz.sh: build the game first (scripts/build.sh)" >&2; exit 1; }

# UBSan stops at its first report, as ASan does: libFuzzer counts it a crash.
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=all"
cmake -S . -B build-fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTETHER_GENERATE_ASSETS=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link $sanitize -fsanitize-coverage-ignorelist=$PWD/fuzz/coverage.ignore" \
    >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target tethergame
for target in "${targets[@]}"; do
    # shellcheck disable=SC2086 # the sanitizer flags are words
    clang++ -std=c++17 -g -O1 -fsanitize=fuzzer $sanitize -Isrc \
        -DTETHER_GAME_DIR="\"$PWD/build/game\"" "fuzz/${target}_fuzz.cpp" build-fuzz/libtethergame.a build-fuzz/libtethersim.a \
        $(pkg-config --cflags --libs sdl SDL_image SDL_mixer SDL_gfx) -o "build-fuzz/${target}_fuzz"
done

# A player's input for the frames fuzzer: the ship, the seed, then sixty
# frames of keys turning through all six, 16 ms each, the pointer circling
# the screen's middle, a hook every twelve frames and a tie-off at 30.
play_bytes() {
    local ship=$1 frame keys x y buttons
    printf "\\x$(printf %02x "$ship")\\x07"
    for frame in $(seq 0 59); do
        keys=$(((1 << (frame / 10 % 6)) | (frame / 30 * 128)))
        x=$((128 + (frame % 8 < 4 ? 60 : -60)))
        y=$((128 + (frame % 16 < 8 ? 50 : -50)))
        buttons=$((frame % 12 == 0 ? 1 : 0))
        [ "$frame" = 30 ] && buttons=2
        printf "\\x$(printf %02x $keys)\\x10\\x$(printf %02x $x)\\x$(printf %02x $y)\\x$(printf %02x $buttons)"
    done
}

# One frames input: a data file (or nothing), a map and a play.
frames_input() {
    local data=$1 map=$2 ship=$3
    [ -n "$data" ] && cat "$data"
    printf '\n%%%%\n'
    cat "$map"
    printf '\n%%%%\n'
    play_bytes "$ship"
}

# Seeds for each fuzzer into its folder.
seed_content() {
    local into=$1 file name
    { printf '\x00'; cat build/game/data; } >"$into/data"
    { printf '\x02'; cat game/maps/maplist; } >"$into/maplist"
    for file in game/maps/* fuzz/seeds/*.map; do
        [ "$(basename "$file")" = maplist ] && continue
        { printf '\x01'; cat "$file"; } >"$into/map-$(basename "$file")"
    done
    for file in fuzz/seeds/*.data; do
        { printf '\x00'; cat "$file"; } >"$into/$(basename "$file")"
    done
    for file in fuzz/seeds/*.maplist; do
        { printf '\x02'; cat "$file"; } >"$into/$(basename "$file")"
    done
    for file in fuzz/seeds/*.content; do
        [ -e "$file" ] && cp "$file" "$into/"
    done
    return 0
}

seed_frames() {
    local into=$1 file name data ship=0
    for file in game/maps/* fuzz/seeds/*.map; do
        name=$(basename "$file" .map)
        [ "$name" = maplist ] && continue
        data=""
        [ -f "fuzz/seeds/$name.data" ] && data="fuzz/seeds/$name.data"
        frames_input "$data" "$file" $((ship++ % 3)) >"$into/$name"
    done
    for file in fuzz/seeds/*.frames; do
        [ -e "$file" ] && cp "$file" "$into/"
    done
    return 0
}

mkdir -p fuzz/crashes
for target in "${targets[@]}"; do
    if [ -n "$check" ]; then
        corpus=build-fuzz/check-$target
        rm -rf "$corpus"
        limits=(-seed=1 -runs=300)
        [ "$target" = content ] && limits=(-seed=1 -runs=10000)
    else
        corpus=build-fuzz/corpus-$target
        limits=(-max_total_time="$seconds")
    fi
    mkdir -p "$corpus"
    "seed_$target" "$corpus"
    echo "== $target fuzzer"
    (cd build/game && "../../build-fuzz/${target}_fuzz" "${limits[@]}" -max_len=65536 -timeout=60 \
        -dict=../../fuzz/content.dict -artifact_prefix="../../fuzz/crashes/$target-" "../../$corpus")
done
