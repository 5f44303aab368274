#!/usr/bin/env bash
# Sets everything up, builds the game and starts it; options go to the game
# (bash scripts/play.sh --no-sound).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
exec build/game/tether "$@"
