#!/usr/bin/env bash
# The music for the page: the desktop's tracks, copied as they are.
# usage: web/music.sh FROM TO
set -euo pipefail
mkdir -p "$2"
cp "$1"/*.ogg "$2/"
