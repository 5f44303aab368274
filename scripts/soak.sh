#!/usr/bin/env bash
# The soak on its own: builds the sanitizer build (build-asan) when needed
# and plays its game in Xvfb with seeded random input through level cycles,
# watching for sanitizer reports and memory growth (tests/soak/soak.sh).
#   bash scripts/soak.sh          thirty cycles, as the test suite runs it
#   bash scripts/soak.sh MINUTES  as many cycles as MINUTES hold (at least 30)
# SOAK_SEED=N replays the input of an earlier run (each run prints its seed).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTETHER_SANITIZE=ON -DTETHER_GENERATE_ASSETS=ON >/dev/null
cmake --build build-asan -j "$(nproc)" --target tether content images sounds >/dev/null
exec bash tests/soak/soak.sh "$PWD/build-asan/game" "${1:-0}"
