#!/bin/bash
# The game's folders are layers, top to bottom: main (the program), screens
# (the flow), platform (window, sound, input devices, the player's files),
# render (drawing), content (reading files), and the simulation (world, ai).
# No file includes anything of a layer above its own, and the simulation
# includes nothing of SDL and links nothing of it: a headless run needs
# none of them. Nor does it keep any variable of its own: everything it
# changes is a world's, so its library has nothing in writable memory.
# Arguments: the src folder, the simulation's link libraries, its library.
src=$1
links=$2
library=$3
status=0
declare -A layer=([main]=0 [screens]=1 [platform]=2 [render]=3 [content]=4 [ai]=5 [world]=5)
for folder in "${!layer[@]}"; do
  [[ -d $src/$folder ]] || { echo "No folder $src/$folder"; status=1; continue; }
  while IFS=: read -r file line included; do
    target=${included#*\"}
    target=${target%%/*}
    if [[ -n ${layer[$target]+set} ]] && ((layer[$target] < layer[$folder])); then
      echo "$file:$line includes $target, a layer above $folder: $included"
      status=1
    fi
  done < <(grep -HnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z]+/' "$src/$folder"/*)
done
for folder in world ai; do
  sdl=$(grep -HnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<(SDL|SDL/)' "$src/$folder"/*)
  if [[ -n $sdl ]] || grep -qw 'SDL_[A-Za-z]*' "$src/$folder"/*; then
    echo "The simulation names SDL:"
    echo "$sdl"
    grep -Hnw 'SDL_[A-Za-z]*' "$src/$folder"/*
    status=1
  fi
done
if [[ $links == *SDL* ]]; then
  echo "The simulation links SDL: $links"
  status=1
fi
# Writable data, zeroed data, an inline function's statics and per-thread
# data (nm's d, b, u, V and C, and the sections of thread-locals) in the
# simulation's objects.
kept=$(nm -C --format=posix "$library" | awk '$2 ~ /^[bBdDuVC]$/ && $1 !~ /^DW\.ref\./')
kept+=$(objdump -h "$library" | awk '$2 ~ /^\.t(bss|data)/ && $3 != "00000000" {print "per-thread data: " $2}')
if [[ -n $kept ]]; then
  echo "The simulation keeps variables of its own:"
  echo "$kept"
  status=1
fi
((status == 0)) && echo "The layers point down; the simulation stands alone: $(ls "$src"/world/*.cpp "$src"/ai/*.cpp | wc -l) sources"
exit $status
