#!/usr/bin/env bash
# Sets everything up, builds the game and runs the whole test suite headless:
# unit and integration tests on SDL's dummy drivers, end-to-end tests in a
# real X window under Xvfb (the installed game and, as root, its Debian
# package among them), a fixed, repeatable run of the content fuzzer, then
# the unit tests and one end-to-end test again under sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
bash scripts/build.sh
ctest --test-dir build --output-on-failure -j "$(nproc)"

bash scripts/fuzz.sh --check

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTETHER_SANITIZE=ON -DTETHER_GENERATE_ASSETS=OFF
cmake --build build-asan -j "$(nproc)"
# The unit tests, and the end-to-end tests labelled e2e-sanitized: the whole
# game in a real window, silent, from another folder, through a level.
ctest --test-dir build-asan --output-on-failure -j "$(nproc)" -LE '^e2e$'
