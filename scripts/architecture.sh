#!/usr/bin/env bash
# Draws the game's layers from its source: one box per folder of src/, one
# arrow per folder that another includes, labelled with how many includes
# make it. Writes docs/architecture.dot and, with Graphviz's dot at hand,
# docs/architecture.png. An arrow that points up the layers is drawn red.
#   bash scripts/architecture.sh
set -euo pipefail
cd "$(dirname "$0")/.."
# Top to bottom: the layer each folder stands in.
declare -A layer=([main]=0 [screens]=1 [platform]=2 [render]=3 [content]=4 [ai]=5 [world]=5)
declare -A what=(
    [main]="main: the program (command line,\nstart-up, the screens' state machine)"
    [screens]="screens: title, level, pause and help,\nend screens, replay playback"
    [platform]="platform: window, sound, input devices,\nthe player's files"
    [render]="render: drawing through a canvas\n(SDL and SDL_gfx, or our own)"
    [content]="content: the data file, maps,\nimages, the title, the world in play"
    [ai]="ai: the enemies' AI, the pilot"
    [world]="world: the simulation and its rules\n(no SDL, no clock)"
)
{
    echo "// Made by scripts/architecture.sh from the includes of src/; do not edit."
    echo "digraph layers {"
    echo "  rankdir=TB; node [shape=box, fontname=\"DejaVu Sans\", fontsize=10];"
    echo "  edge [fontname=\"DejaVu Sans\", fontsize=9];"
    for folder in main screens platform render content ai world; do
        echo "  $folder [label=\"${what[$folder]}\"];"
    done
    echo "  { rank=same; ai; world; }"
    for from in main screens platform render content ai world; do
        grep -rhoE '^#include "[a-z]+/' "src/$from" | sed -E 's/#include "([a-z]+)\//\1/' \
            | grep -vx "$from" | sort | uniq -c | while read -r count to; do
            [ -n "${layer[$to]:-}" ] || continue
            colour=black
            [ "${layer[$to]}" -lt "${layer[$from]}" ] && colour=red
            echo "  $from -> $to [label=\"$count\", color=$colour];"
        done
    done
    echo "}"
} >docs/architecture.dot
if command -v dot >/dev/null; then
    dot -Tpng -Gdpi=80 docs/architecture.dot -o docs/architecture.png
fi
