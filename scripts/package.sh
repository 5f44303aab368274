#!/usr/bin/env bash
# Sets everything up, builds the game and its Debian package,
# build/tether_<version>_<architecture>.deb. Install it with
#   sudo apt-get install ./build/tether_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
cd build
cpack -G DEB
