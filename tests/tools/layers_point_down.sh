#!/bin/bash
# The game's folders are layers, top to bottom: main (the program), screens
# (the flow), platform (window, sound, input devices, the player's files),
# render (drawing), content (reading files), and the simulation (world, ai).
# No file includes anything of a layer above its own, and the simulation
# includes nothing of SDL and links nothing of it: a headless run needs
# none of them. Arguments: the src folder, the simulation's link libraries.
src=$1
links=$2
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
((status == 0)) && echo "The layers point down; the simulation stands alone: $(ls "$src"/world/*.cpp "$src"/ai/*.cpp | wc -l) sources"
exit $status
