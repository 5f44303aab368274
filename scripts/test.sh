#!/usr/bin/env bash
# Sets everything up, builds the game and runs the whole test suite headless:
# unit and integration tests on SDL's dummy drivers, end-to-end tests in a
# real X window under Xvfb (the installed game and, as root, its Debian
# package among them), fixed, repeatable runs of both fuzzers, then the
# sanitizer build (AddressSanitizer with its leak checker, UBSan): every
# test again, the asset generators and the end-to-end tests included, and
# the soak, thirty level cycles of the sanitized game under random input.
set -euo pipefail
cd "$(dirname "$0")/.."
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
bash scripts/build.sh
ctest --test-dir build --output-on-failure -j "$(nproc)"

bash scripts/fuzz.sh --check

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTETHER_SANITIZE=ON -DTETHER_GENERATE_ASSETS=ON
cmake --build build-asan -j "$(nproc)"
# Every test again; only the installed game's Debian package step stays with
# the plain build (a package of sanitized programs is not what ships, and
# installing it checks dpkg, not memory): its install under a prefix runs.
ctest --test-dir build-asan --output-on-failure -j "$(nproc)"
# The soak's input from a fixed seed, so that a failure here can be replayed
# (scripts/soak.sh alone draws a new seed each run).
SOAK_SEED=${SOAK_SEED:-1} bash scripts/soak.sh
